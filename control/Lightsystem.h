// Base of the light systems that coordinate several lights.
#pragma once

#include "control/Device.h"

// A device that coordinates lights and accepts a pedestrian request.
class Lightsystem : public Device {
 public:
  // Marks a pedestrian request as pending; the system decides when to serve it.
  void Requestped();

 protected:
  bool pedrequest = false;
};
