// The display of the crossroads: mirrors its lamps into light models and draws its scene.
#pragma once

#include <memory>

#include "control/Shower.h"
#include "render/platform/d3d9.h"

class C3DStreet;
class C3DTrafficLight;
class C3DPedLight;
class CCamera;
class CText;

class system2Shower : public Shower {
 public:
  // Creates the street at (0, 0), the four light models, the camera and the overlay; sets the help
  // text.
  system2Shower(IDirect3DDevice9* device, int width, int height);
  ~system2Shower() override;

  // Copies the crossroads' lamp states (read through g_render) into the light models.
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
  std::unique_ptr<C3DTrafficLight> trafficmodelNS;
  std::unique_ptr<C3DTrafficLight> trafficmodelEW;
  std::unique_ptr<C3DPedLight> pedmodelNS;
  std::unique_ptr<C3DPedLight> pedmodelEW;
  std::unique_ptr<CText> text;
  std::unique_ptr<CCamera> camera;
  float time = 0.0f;
};
