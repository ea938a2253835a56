// Signal for pedestrians: a red and a green lamp that alternate.
#pragma once

#include <memory>

#include "control/Device.h"
#include "control/Lamp.h"

// A pedestrian light alternating red and green, one change per step.
class PedestrianLight : public Device {
 public:
  // The current signal, named after the lamp it lights.
  enum pedstates { pedoff = 0, pedred = 1, pedgreen = 2 };

  // Creates the two lamps; the new light is on and red.
  PedestrianLight();

  // Shows red only, whatever the signal before.
  void SwitchOn() override;
  // Darkens both lamps.
  void SwitchOff() override;
  // Changes red to green or green to red; a light that is off stays off and stays silent.
  void Advance() override;
  // Shows red only without notifying.
  void Init() override;
  // Toggles the red lamp and nothing else.
  void Blink() override;
  // Nothing to check for a pedestrian light.
  void Checkinvariants() override;

  // The red lamp, owned by this light.
  Lamp* get_redlamp() const { return redlamp.get(); }
  // The green lamp, owned by this light.
  Lamp* get_greenlamp() const { return greenlamp.get(); }
  // The current signal.
  pedstates get_pedstate() const { return pedstate; }

 private:
  std::unique_ptr<Lamp> redlamp;
  std::unique_ptr<Lamp> greenlamp;
  pedstates pedstate = pedoff;
};
