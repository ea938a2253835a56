// The drawable model of a traffic light: shows the picture that matches its three lamp flags.
#pragma once

#include "render/C3DLights.h"

// A traffic-light model with five pictures: red, red and orange, green, orange, all dark.
class C3DTrafficLight : public C3DLights {
 public:
  // Loads "models\traffic.x" and the five pictures on `device`; the new model shows red.
  explicit C3DTrafficLight(IDirect3DDevice9* device);
  // Releases the loaded textures and the mesh.
  ~C3DTrafficLight();

  // Stores the lamp flags for the following draws; the combination is checked when drawn.
  void SetLights(bool red, bool orange, bool green);
  // Binds the picture of the flags (or shows the "Fehler" box for an impossible combination) and
  // draws the model once at its placement.
  void ShowLights();

 private:
  bool red = true;
  bool orange = false;
  bool green = false;
};
