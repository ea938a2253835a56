// Pedestrian light: the two-lamp signal and its red blink.
#include "control/PedestrianLight.h"

PedestrianLight::PedestrianLight() {
  redlamp = Lamp::Make(Lamp::red);
  greenlamp = Lamp::Make(Lamp::green);
  blinking = false;
  shower = nullptr;
  PedestrianLight::Init();
}

void PedestrianLight::Init() {
  if (redlamp->get_state() == off) {
    redlamp->SwitchOn();
  }
  if (greenlamp->get_state() == on) {
    greenlamp->SwitchOff();
  }
  pedstate = pedred;
  state = on;
  Checkinvariants();
}

void PedestrianLight::SwitchOn() {
  redlamp->SwitchOn();
  greenlamp->SwitchOff();
  pedstate = pedred;
  state = on;
  Show();
  Checkinvariants();
}

void PedestrianLight::SwitchOff() {
  redlamp->SwitchOff();
  greenlamp->SwitchOff();
  pedstate = pedoff;
  state = off;
  Show();
  Checkinvariants();
}

void PedestrianLight::Advance() {
  if (pedstate == pedred) {
    redlamp->SwitchOff();
    greenlamp->SwitchOn();
    pedstate = pedgreen;
    Show();
  } else if (pedstate == pedgreen) {
    redlamp->SwitchOn();
    greenlamp->SwitchOff();
    pedstate = pedred;
    Show();
  }
  Checkinvariants();
}

void PedestrianLight::Blink() {
  redlamp->Blink();
  Checkinvariants();
}

void PedestrianLight::Checkinvariants() {}
