// The crossroads' display: its scene, its lamp mirroring and its frame.
#include "render/system2Shower.h"

#include <array>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "control/System2T2P.h"
#include "render/C3DPedLight.h"
#include "render/C3DStreet.h"
#include "render/C3DTrafficLight.h"
#include "render/CCamera.h"
#include "render/CText.h"

namespace {

// Lives for the whole run: the overlay keeps only the pointer.
constexpr const char* kHelpText =
    "SYSTEM 2T2P\n\nUse the following Keys:\no - switch off\na - switch on\nb - blink mode\ne - "
    "show additional lights\nw - hide additional lights\nNum+ - increase speed\nNum- - decrease "
    "speed\nNum0 - set standart speed\n\ns - switch to SYSTEM 1T1P";

enum class Model { trafficEW, trafficNS, pedNS, pedEW };

// One place where a model is drawn: ground position, heading in degrees, only with the extras.
struct Placement {
  Model model;
  float x;
  float z;
  float angle;
  bool extra;
};

constexpr std::array<Placement, 12> kPlacements = {{
    {Model::trafficEW, -6.0f, -6.0f, 90.0f, false},
    {Model::trafficNS, 6.0f, -6.0f, 0.0f, false},
    {Model::pedNS, -12.0f, 6.0f, 0.0f, false},
    {Model::pedEW, 6.0f, -12.0f, 90.0f, false},
    {Model::trafficEW, 6.0f, 6.0f, 270.0f, true},
    {Model::trafficNS, -6.0f, 6.0f, 180.0f, true},
    {Model::pedNS, -12.0f, -6.0f, 180.0f, true},
    {Model::pedNS, 12.0f, -6.0f, 180.0f, true},
    {Model::pedNS, 12.0f, 6.0f, 0.0f, true},
    {Model::pedEW, -6.0f, -12.0f, 270.0f, true},
    {Model::pedEW, -6.0f, 12.0f, 270.0f, true},
    {Model::pedEW, 6.0f, 12.0f, 90.0f, true},
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

system2Shower::system2Shower(IDirect3DDevice9* target, int width, int height) : device(target) {
  street = std::make_unique<C3DStreet>(device, 0.0f, 0.0f);
  trafficmodelEW = std::make_unique<C3DTrafficLight>(device);
  trafficmodelNS = std::make_unique<C3DTrafficLight>(device);
  pedmodelNS = std::make_unique<C3DPedLight>(device);
  pedmodelEW = std::make_unique<C3DPedLight>(device);
  camera = std::make_unique<CCamera>(device, width, height, -25.0f, -10.0f, 45.0f);
  text = std::make_unique<CText>(device, width, height);
  text->Settext(kHelpText);
}

system2Shower::~system2Shower() = default;

void system2Shower::Do() {
  System2T2P* crossroads = g_render != nullptr ? g_render->GetSystem2() : nullptr;
  if (crossroads == nullptr)
    return;
  Mirror(*crossroads->get_pedlightEW(), *pedmodelEW);
  Mirror(*crossroads->get_pedlightNS(), *pedmodelNS);
  Mirror(*crossroads->get_traflightEW(), *trafficmodelEW);
  Mirror(*crossroads->get_traflightNS(), *trafficmodelNS);
}

void system2Shower::SetTime(float newtime) {
  time = newtime;
}

void system2Shower::Show(bool extra) {
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

void system2Shower::MoveCamera() {
  if (GetAsyncKeyState(VK_DOWN) != 0)
    camera->Movebackward(time);
  if (GetAsyncKeyState(VK_UP) != 0)
    camera->Movefoward(time);
  if (GetAsyncKeyState(VK_LEFT) != 0)
    camera->Turnleft(time);
  if (GetAsyncKeyState(VK_RIGHT) != 0)
    camera->Turnright(time);
}

void system2Shower::DrawModels(bool extra) {
  for (const Placement& place : kPlacements) {
    if (place.extra && !extra)
      continue;
    switch (place.model) {
      case Model::trafficEW:
        DrawAt(*trafficmodelEW, place);
        break;
      case Model::trafficNS:
        DrawAt(*trafficmodelNS, place);
        break;
      case Model::pedNS:
        DrawAt(*pedmodelNS, place);
        break;
      case Model::pedEW:
        DrawAt(*pedmodelEW, place);
        break;
    }
  }
}
