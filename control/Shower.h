// Display interface: told by a device when its visible state changed, and asked to draw frames.
#pragma once

// A display of one light system; implemented by the presentation layer.
class Shower {
 public:
  // Releases whatever the display owns.
  virtual ~Shower() = default;

  // The observed device has changed: brings the display's own state up to date.
  virtual void Do() = 0;
  // Draws one frame; `extra` asks for the additional light models.
  virtual void Show(bool extra) = 0;
  // Takes the duration of the current frame in seconds.
  virtual void SetTime(float time) = 0;
};
