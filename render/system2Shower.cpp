// The crossroads' display: its scene, its lamp mirroring and its frame.
#include "render/system2Shower.h"

#include <array>

#include "app/CRender.h"
#include "control/System2T2P.h"
#include "render/SceneFrame.h"

namespace {

// Lives for the whole run: the overlay keeps only the pointer.
constexpr const char* kHelpText =
    "SYSTEM 2T2P\n\nUse the following Keys:\no - switch off\na - switch on\nb - blink mode\ne - "
    "show additional lights\nw - hide additional lights\nNum+ - increase speed\nNum- - decrease "
    "speed\nNum0 - set standart speed\n\ns - switch to SYSTEM 1T1P";

enum class Model { trafficEW, trafficNS, pedNS, pedEW };

using Placement = scene::Placement<Model>;

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
  scene::MirrorLamps(*crossroads->get_pedlightEW(), *pedmodelEW);
  scene::MirrorLamps(*crossroads->get_pedlightNS(), *pedmodelNS);
  scene::MirrorLamps(*crossroads->get_traflightEW(), *trafficmodelEW);
  scene::MirrorLamps(*crossroads->get_traflightNS(), *trafficmodelNS);
}

void system2Shower::SetTime(float newtime) {
  time = newtime;
}

void system2Shower::Show(bool extra) {
  scene::WalkCamera(*camera, time);
  scene::DrawFrame(device, *street, *text, *camera, [&] { DrawModels(extra); });
}

void system2Shower::DrawModels(bool extra) {
  for (const Placement& place : kPlacements) {
    if (place.extra && !extra)
      continue;
    switch (place.model) {
      case Model::trafficEW:
        scene::DrawAt(*trafficmodelEW, place);
        break;
      case Model::trafficNS:
        scene::DrawAt(*trafficmodelNS, place);
        break;
      case Model::pedNS:
        scene::DrawAt(*pedmodelNS, place);
        break;
      case Model::pedEW:
        scene::DrawAt(*pedmodelEW, place);
        break;
    }
  }
}
