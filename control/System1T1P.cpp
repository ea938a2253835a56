// Pedestrian crossing: phases, request handling and blink steps.
#include "control/System1T1P.h"

System1T1P::System1T1P() {
  pedlight = std::make_unique<PedestrianLight>();
  pedlight->Init();
  traflight = std::make_unique<TrafficLight>();
  traflight->Init();
  blinking = false;
  pedrequest = false;
  shower = nullptr;
  timedelay = 1.0f;
  System1T1P::Init();
}

void System1T1P::Init() {
  // Any signal other than red is reset, not only a dark one: a restart in the middle of a
  // pedestrian green would otherwise let the cars move while the pedestrians still walk.
  if (pedlight->get_pedstate() != PedestrianLight::pedred) {
    pedlight->SwitchOn();
  }
  if (traflight->get_trafficstate() != TrafficLight::trafred) {
    traflight->SwitchOn();
  }
  state = on;
  phase = phasetraffic;
  Checkinvariants();
}

void System1T1P::SwitchOn() {
  Init();
  Show();
  Checkinvariants();
}

void System1T1P::SwitchOff() {
  pedlight->SwitchOff();
  traflight->SwitchOff();
  phase = phaseoff;
  state = off;
  Show();
  Checkinvariants();
}

void System1T1P::Advance() {
  MoveCurrentLight();
  ChangePhase();
  const bool green = traflight->get_trafficstate() == TrafficLight::trafgreen ||
                     pedlight->get_pedstate() == PedestrianLight::pedgreen;
  timedelay = green ? 5.0f : 1.0f;
  Show();
  Checkinvariants();
}

void System1T1P::MoveCurrentLight() {
  if (phase == phasepedestrian) {
    pedlight->Advance();
  } else if (phase == phasetraffic) {
    if (pedrequest || traflight->get_trafficstate() != TrafficLight::trafgreen) {
      traflight->Advance();
    }
  }
}

void System1T1P::ChangePhase() {
  const bool allred = pedlight->get_pedstate() == PedestrianLight::pedred &&
                      traflight->get_trafficstate() == TrafficLight::trafred;
  if (!allred || !(pedrequest || phase == phasepedestrian)) {
    return;
  }
  pedrequest = false;
  if (phase == phasetraffic) {
    phase = phasepedestrian;
  } else if (phase == phasepedestrian) {
    phase = phasetraffic;
  }
}

void System1T1P::Blink() {
  pedlight->Blink();
  traflight->Blink();
  Checkinvariants();
}

void System1T1P::Checkinvariants() {}
