// The display of the pedestrian crossing: mirrors its lamps into light models and draws its scene.
#pragma once

#include <memory>

#include "control/Shower.h"
#include "render/platform/d3d9.h"

class C3DStreet;
class C3DTrafficLight;
class C3DPedLight;
class CCamera;
class CText;

class system1Shower : public Shower {
 public:
  // Creates the street at (0, 22), the overlay, both light models and the camera; sets the help
  // text.
  system1Shower(IDirect3DDevice9* device, int width, int height);
  ~system1Shower() override;

  // Copies the crossing's lamp states (read through g_render) into the light models.
  void Do() override;
  // Moves the camera under the arrow keys and draws one frame.
  void Show(bool extra) override;
  // Stores the frame time for the camera.
  void SetTime(float time) override;

 private:
  // Places and draws every light model row by row; the extra rows only when `extra`.
  void DrawModels(bool extra);

  IDirect3DDevice9* device = nullptr;
  std::unique_ptr<C3DStreet> street;
  std::unique_ptr<C3DTrafficLight> trafficmodel;
  std::unique_ptr<C3DPedLight> pedmodel;
  std::unique_ptr<CCamera> camera;
  std::unique_ptr<CText> text;
  float time = 0.0f;
};
