// Signal for cars: red, orange and green lamps driven through the four-step cycle.
#pragma once

#include <memory>

#include "control/Device.h"
#include "control/Lamp.h"

// A traffic light cycling red, red-orange, green, orange and back to red.
class TrafficLight : public Device {
 public:
  // The step of the cycle, named after the lamps it lights.
  enum trafficstates { trafoff = 0, trafred = 1, trafgreen = 2, traforange = 3, trafredorange = 4 };

  // Creates the three lamps; the new light is on and red.
  TrafficLight();

  // Shows red only, whatever the step before.
  void SwitchOn() override;
  // Darkens every lamp.
  void SwitchOff() override;
  // Moves to the next step of the cycle; a light that is off stays off and stays silent.
  void Advance() override;
  // Shows red only without notifying.
  void Init() override;
  // Toggles the orange lamp and nothing else.
  void Blink() override;
  // Nothing to check for a traffic light.
  void Checkinvariants() override;

  // The red lamp, owned by this light.
  Lamp* get_redlamp() const { return redlamp.get(); }
  // The orange lamp, owned by this light.
  Lamp* get_orangelamp() const { return orangelamp.get(); }
  // The green lamp, owned by this light.
  Lamp* get_greenlamp() const { return greenlamp.get(); }
  // The current step of the cycle.
  trafficstates get_trafficstate() const { return trafficstate; }

 private:
  // Moves to `next` and notifies the display.
  void Enter(trafficstates next);

  std::unique_ptr<Lamp> redlamp;
  std::unique_ptr<Lamp> orangelamp;
  std::unique_ptr<Lamp> greenlamp;
  trafficstates trafficstate = trafoff;
};
