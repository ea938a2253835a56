// Traffic light: the four-step car signal and its orange blink.
#include "control/TrafficLight.h"

TrafficLight::TrafficLight() {
  redlamp = Lamp::Make(Lamp::red);
  greenlamp = Lamp::Make(Lamp::green);
  orangelamp = Lamp::Make(Lamp::orange);
  blinking = false;
  shower = nullptr;
  TrafficLight::Init();
}

void TrafficLight::Init() {
  if (redlamp->get_state() == off) {
    redlamp->SwitchOn();
  }
  if (greenlamp->get_state() == on) {
    greenlamp->SwitchOff();
  }
  if (orangelamp->get_state() == on) {
    orangelamp->SwitchOff();
  }
  trafficstate = trafred;
  state = on;
  Checkinvariants();
}

void TrafficLight::SwitchOn() {
  redlamp->SwitchOn();
  greenlamp->SwitchOff();
  orangelamp->SwitchOff();
  trafficstate = trafred;
  state = on;
  Checkinvariants();
  Show();
}

void TrafficLight::SwitchOff() {
  redlamp->SwitchOff();
  greenlamp->SwitchOff();
  orangelamp->SwitchOff();
  trafficstate = trafoff;
  state = off;
  Checkinvariants();
  Show();
}

void TrafficLight::Advance() {
  switch (trafficstate) {
    case trafred:
      orangelamp->SwitchOn();
      Enter(trafredorange);
      break;
    case trafredorange:
      redlamp->SwitchOff();
      greenlamp->SwitchOn();
      orangelamp->SwitchOff();
      Enter(trafgreen);
      break;
    case trafgreen:
      greenlamp->SwitchOff();
      orangelamp->SwitchOn();
      Enter(traforange);
      break;
    case traforange:
      redlamp->SwitchOn();
      orangelamp->SwitchOff();
      Enter(trafred);
      break;
    case trafoff:
      break;
  }
  Checkinvariants();
}

void TrafficLight::Enter(trafficstates next) {
  trafficstate = next;
  Show();
}

void TrafficLight::Blink() {
  orangelamp->Blink();
  Checkinvariants();
}

void TrafficLight::Checkinvariants() {}
