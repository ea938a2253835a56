// The drawable model of a pedestrian light: shows the picture that matches its two lamp flags.
#pragma once

#include "render/C3DLights.h"

// A pedestrian-light model with three pictures: red, green, all dark.
class C3DPedLight : public C3DLights {
 public:
  // Loads "models\ped.x" and the three pictures on `device`; the new model shows red.
  explicit C3DPedLight(IDirect3DDevice9* device);
  // Releases the loaded textures and the mesh.
  ~C3DPedLight();

  // Stores the lamp flags for the following draws; the combination is checked when drawn.
  void SetLights(bool red, bool green);
  // Binds the picture of the flags (or shows the "Fehler" box when both are lit) and draws the
  // model once at its placement.
  void ShowLights();

 private:
  bool red = true;
  bool green = false;
};
