// Lamp mirroring and camera keys shared by the system displays.
#include "render/SceneFrame.h"

#include "app/platform/win32.h"
#include "control/PedestrianLight.h"
#include "control/TrafficLight.h"

namespace scene {
namespace {

bool On(const Lamp* lamp) {
  return lamp->get_state() == Device::on;
}

}  // namespace

void MirrorLamps(const PedestrianLight& light, C3DPedLight& model) {
  model.SetLights(On(light.get_redlamp()), On(light.get_greenlamp()));
}

void MirrorLamps(const TrafficLight& light, C3DTrafficLight& model) {
  model.SetLights(On(light.get_redlamp()), On(light.get_orangelamp()), On(light.get_greenlamp()));
}

void WalkCamera(CCamera& camera, float time) {
  if (GetAsyncKeyState(VK_DOWN) != 0)
    camera.Movebackward(time);
  if (GetAsyncKeyState(VK_UP) != 0)
    camera.Movefoward(time);
  if (GetAsyncKeyState(VK_LEFT) != 0)
    camera.Turnleft(time);
  if (GetAsyncKeyState(VK_RIGHT) != 0)
    camera.Turnright(time);
}

}  // namespace scene
