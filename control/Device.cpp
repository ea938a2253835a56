// Default behaviour shared by every device.
#include "control/Device.h"

void Device::SwitchOn() {
  state = on;
  Show();
}

void Device::SwitchOff() {
  state = off;
  Show();
}

void Device::Advance() {
  state = on;
  Show();
}

void Device::Init() {
  state = off;
  blinking = false;
}

void Device::Show() {
  if (shower != nullptr) {
    shower->Do();
  }
}

void Device::Registershower(Shower* display) {
  shower = display;
}

void Device::Unregistershower() {
  shower = nullptr;
}

void Device::Doblinking() {
  Blink();
  blinking = true;
  timedelay = 1.0f;
  Show();
}

void Device::Stopblinking() {
  SwitchOff();
  blinking = false;
}
