// Lamp: a device with two states whose blink step toggles it.
#include "control/Lamp.h"

Lamp::Lamp() {
  shower = nullptr;
  Device::Init();
}

std::unique_ptr<Lamp> Lamp::Make(colors color) {
  auto lamp = std::make_unique<Lamp>();
  lamp->Init();
  lamp->Setcolor(color);
  return lamp;
}

void Lamp::Setcolor(colors newcolor) {
  color = newcolor;
  Checkinvariants();
}

void Lamp::Blink() {
  if (state == off) {
    SwitchOn();
  } else {
    SwitchOff();
  }
  Checkinvariants();
}

void Lamp::Checkinvariants() {}
