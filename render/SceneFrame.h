// What both system displays do alike: mirroring lamps into light models, walking the camera under
// the arrow keys, and the order of a frame.
#pragma once

#include "render/C3DPedLight.h"
#include "render/C3DStreet.h"
#include "render/C3DTrafficLight.h"
#include "render/CCamera.h"
#include "render/CText.h"
#include "render/platform/d3d9.h"

class PedestrianLight;
class TrafficLight;

namespace scene {

// One place where a model is drawn: ground position, heading in degrees, only with the extras.
template <typename Model>
struct Placement {
  Model model;
  float x;
  float z;
  float angle;
  bool extra;
};

// Places the model and draws it once there.
template <typename LightModel, typename Model>
void DrawAt(LightModel& model, const Placement<Model>& place) {
  model.SetPosition(place.x, place.z, place.angle);
  model.ShowLights();
}

// Copies which lamps of the light are on into the model's flags.
void MirrorLamps(const PedestrianLight& light, C3DPedLight& model);
void MirrorLamps(const TrafficLight& light, C3DTrafficLight& model);

// Down, Up, Left, Right in this order, each acting on a nonzero key state with the frame time.
void WalkCamera(CCamera& camera, float time);

// Clears, draws the models (`drawModels()`), the street and the overlay, sets the camera's view for
// the next frame, and presents. Without a device nothing is drawn.
template <typename DrawModels>
void DrawFrame(IDirect3DDevice9* device, C3DStreet& street, CText& text, CCamera& camera,
               DrawModels&& drawModels) {
  if (device == nullptr)
    return;
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->BeginScene();
  drawModels();
  street.Show();
  text.Show();
  // Last: the picture follows the camera keys one frame late.
  camera.Update();
  device->EndScene();
  device->Present(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace scene
