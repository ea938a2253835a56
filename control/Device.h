// Base of every switchable element of the light control, and the display interface it notifies.
#pragma once

#include "control/Shower.h"

// A switchable element: lamp, light or light system, with one optional display.
class Device {
 public:
  // Whether a device is switched on.
  enum devicestate { off = 0, on = 1 };

  Device() = default;
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;
  // Releases whatever the concrete device owns.
  virtual ~Device() = default;

  // Switches the device on and notifies the display.
  virtual void SwitchOn();
  // Switches the device off and notifies the display.
  virtual void SwitchOff();
  // Takes one step of the device's cycle and notifies the display.
  virtual void Advance();
  // Brings the device to its start state without notifying.
  virtual void Init();
  // Calls Do() on the registered display, if any.
  virtual void Show();
  // Makes `display` the only display of this device; it is not owned.
  virtual void Registershower(Shower* display);
  // Leaves the device without a display.
  virtual void Unregistershower();
  // Takes one blink step.
  virtual void Blink() = 0;
  // Consistency hook called after every operation of a concrete device.
  virtual void Checkinvariants() = 0;

  // Takes a blink step, enters blink mode with a 1 s step time and notifies the display.
  void Doblinking();
  // Switches the device off (notifying while still blinking), then leaves blink mode.
  void Stopblinking();

  // Whether the device is switched on.
  devicestate get_state() const { return state; }
  // Whether the device is in blink mode.
  bool get_blinking() const { return blinking; }
  // Simulated seconds to wait after this device's step before the next one.
  float get_timedelay() const { return timedelay; }

 protected:
  float timedelay = 1.0f;
  devicestate state = off;
  Shower* shower = nullptr;
  bool blinking = false;
};
