// One coloured lamp of a light.
#pragma once

#include <memory>

#include "control/Device.h"

// A lamp that is either lit or dark; its blink step toggles it.
class Lamp : public Device {
 public:
  // The colour label of a lamp.
  enum colors { red = 0, orange = 1, green = 2 };

  // Creates a dark lamp without a display.
  Lamp();
  // Creates a dark lamp labelled `color`, set up the way every light sets up its lamps.
  static std::unique_ptr<Lamp> Make(colors color);

  // Labels the lamp with `newcolor`; nothing else changes.
  void Setcolor(colors newcolor);
  // The lamp's colour label.
  colors get_color() const { return color; }

  // Toggles the lamp.
  void Blink() override;
  // Nothing to check for a lamp.
  void Checkinvariants() override;

 private:
  colors color = red;
};
