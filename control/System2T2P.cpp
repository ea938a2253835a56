// Crossroads: alternating directions and blink steps.
#include "control/System2T2P.h"

namespace {

// Returns a pedestrian light to red unless it already shows red.
void RestartRed(PedestrianLight& light) {
  if (light.get_pedstate() != PedestrianLight::pedred) {
    light.SwitchOn();
  }
}

// Returns a traffic light to red unless it already shows red.
void RestartRed(TrafficLight& light) {
  if (light.get_trafficstate() != TrafficLight::trafred) {
    light.SwitchOn();
  }
}

}  // namespace

System2T2P::System2T2P() {
  pedlightEW = std::make_unique<PedestrianLight>();
  pedlightEW->Init();
  pedlightNS = std::make_unique<PedestrianLight>();
  pedlightNS->Init();
  traflightEW = std::make_unique<TrafficLight>();
  traflightEW->Init();
  traflightNS = std::make_unique<TrafficLight>();
  traflightNS->Init();
  blinking = false;
  pedrequest = false;
  shower = nullptr;
  timedelay = 1.0f;
  System2T2P::Init();
}

void System2T2P::Init() {
  // Any signal other than red is reset, not only a dark one: a restart in the middle of the
  // north-south cycle would otherwise leave it green while east-west starts to run.
  RestartRed(*pedlightNS);
  RestartRed(*traflightNS);
  RestartRed(*pedlightEW);
  RestartRed(*traflightEW);
  state = on;
  phase = phaseEW;
  Checkinvariants();
}

void System2T2P::SwitchOn() {
  Init();
  Show();
}

void System2T2P::SwitchOff() {
  pedlightNS->SwitchOff();
  traflightNS->SwitchOff();
  pedlightEW->SwitchOff();
  traflightEW->SwitchOff();
  phase = phaseoff;
  state = off;
  Show();
  Checkinvariants();
}

void System2T2P::Advance() {
  if (phase != phaseoff) {
    const bool green = phase == phaseEW ? AdvanceDirection(*traflightEW, *pedlightEW)
                                        : AdvanceDirection(*traflightNS, *pedlightNS);
    timedelay = green ? 5.0f : 1.0f;
  }
  Show();
  Checkinvariants();
}

bool System2T2P::AdvanceDirection(TrafficLight& traffic, PedestrianLight& pedestrian) {
  traffic.Advance();
  const PedestrianLight::pedstates before = pedestrian.get_pedstate();
  const TrafficLight::trafficstates now = traffic.get_trafficstate();
  if ((before == PedestrianLight::pedred && now == TrafficLight::trafredorange) ||
      (before == PedestrianLight::pedgreen && now == TrafficLight::traforange)) {
    pedestrian.Advance();
  }
  if (pedestrian.get_pedstate() == PedestrianLight::pedred && now == TrafficLight::trafred) {
    phase = phase == phaseEW ? phaseNS : phaseEW;
  }
  return now == TrafficLight::trafgreen;
}

void System2T2P::Blink() {
  pedlightNS->Blink();
  traflightNS->Blink();
  pedlightEW->Blink();
  traflightEW->Blink();
  Checkinvariants();
}

void System2T2P::Checkinvariants() {}
