// The pedestrian crossing's display: its scene, its lamp mirroring and its frame.
#include "render/system1Shower.h"

#include <array>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "control/System1T1P.h"
#include "render/C3DPedLight.h"
#include "render/C3DStreet.h"
#include "render/C3DTrafficLight.h"
#include "render/CCamera.h"
#include "render/CText.h"

namespace {

// Lives for the whole run: the overlay keeps only the pointer.
constexpr const char* kHelpText =
    "SYSTEM 1T1P\n\nUse the following Keys:\nr - send pedestrian request\no - switch off\na - "
    "switch on\nb - blink mode\ne - show additional lights\nw - hide additional lights\nNum+ - "
    "increase speed\nNum- - decrease speed\nNum0 - set standart speed\n\ns - switch to SYSTEM "
    "2T2P";

enum class Model { traffic, ped };

// One place where a model is drawn: ground position, heading in degrees, only with the extras.
struct Placement {
  Model model;
  float x;
  float z;
  float angle;
  bool extra;
};

constexpr std::array<Placement, 4> kPlacements = {{
    {Model::traffic, 6.0f, -7.0f, 0.0f, false},
    {Model::ped, 6.0f, -1.0f, 90.0f, false},
    {Model::traffic, -6.0f, 3.0f, 180.0f, true},
    {Model::ped, -6.0f, -4.0f, 270.0f, true},
}};

template <typename LightModel>
void DrawAt(LightModel& model, const Placement& place) {
  model.SetPosition(place.x, place.z, place.angle);
  model.ShowLights();
}

bool On(const Lamp* lamp) {
  return lamp->get_state() == Device::on;
}

void Mirror(const PedestrianLight& light, C3DPedLight& model) {
  model.SetLights(On(light.get_redlamp()), On(light.get_greenlamp()));
}

void Mirror(const TrafficLight& light, C3DTrafficLight& model) {
  model.SetLights(On(light.get_redlamp()), On(light.get_orangelamp()), On(light.get_greenlamp()));
}

}  // namespace

system1Shower::system1Shower(IDirect3DDevice9* target, int width, int height) : device(target) {
  street = std::make_unique<C3DStreet>(device, 0.0f, 22.0f);
  text = std::make_unique<CText>(device, width, height);
  trafficmodel = std::make_unique<C3DTrafficLight>(device);
  pedmodel = std::make_unique<C3DPedLight>(device);
  camera = std::make_unique<CCamera>(device, width, height, -10.0f, -10.0f, 45.0f);
  text->Settext(kHelpText);
}

system1Shower::~system1Shower() = default;

void system1Shower::Do() {
  System1T1P* crossing = g_render != nullptr ? g_render->GetSystem1() : nullptr;
  if (crossing == nullptr)
    return;
  Mirror(*crossing->get_pedlight(), *pedmodel);
  Mirror(*crossing->get_traflight(), *trafficmodel);
}

void system1Shower::SetTime(float newtime) {
  time = newtime;
}

void system1Shower::Show(bool extra) {
  MoveCamera();
  if (device == nullptr)
    return;
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device->BeginScene();
  DrawModels(extra);
  street->Show();
  text->Show();
  camera->Update();
  device->EndScene();
  device->Present(nullptr, nullptr, nullptr, nullptr);
}

void system1Shower::MoveCamera() {
  if (GetAsyncKeyState(VK_DOWN) != 0)
    camera->Movebackward(time);
  if (GetAsyncKeyState(VK_UP) != 0)
    camera->Movefoward(time);
  if (GetAsyncKeyState(VK_LEFT) != 0)
    camera->Turnleft(time);
  if (GetAsyncKeyState(VK_RIGHT) != 0)
    camera->Turnright(time);
}

void system1Shower::DrawModels(bool extra) {
  for (const Placement& place : kPlacements) {
    if (place.extra && !extra)
      continue;
    if (place.model == Model::traffic) {
      DrawAt(*trafficmodel, place);
    } else {
      DrawAt(*pedmodel, place);
    }
  }
}
