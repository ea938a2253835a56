// The pedestrian crossing's display: its scene, its lamp mirroring and its frame.
#include "render/system1Shower.h"

#include <array>

#include "app/CRender.h"
#include "control/System1T1P.h"
#include "render/SceneFrame.h"

namespace {

// Lives for the whole run: the overlay keeps only the pointer.
constexpr const char* kHelpText =
    "SYSTEM 1T1P\n\nUse the following Keys:\nr - send pedestrian request\no - switch off\na - "
    "switch on\nb - blink mode\ne - show additional lights\nw - hide additional lights\nNum+ - "
    "increase speed\nNum- - decrease speed\nNum0 - set standart speed\n\ns - switch to SYSTEM "
    "2T2P";

enum class Model { traffic, ped };

using Placement = scene::Placement<Model>;

constexpr std::array<Placement, 4> kPlacements = {{
    {Model::traffic, 6.0f, -7.0f, 0.0f, false},
    {Model::ped, 6.0f, -1.0f, 90.0f, false},
    {Model::traffic, -6.0f, 3.0f, 180.0f, true},
    {Model::ped, -6.0f, -4.0f, 270.0f, true},
}};

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
  scene::MirrorLamps(*crossing->get_pedlight(), *pedmodel);
  scene::MirrorLamps(*crossing->get_traflight(), *trafficmodel);
}

void system1Shower::SetTime(float newtime) {
  time = newtime;
}

void system1Shower::Show(bool extra) {
  scene::WalkCamera(*camera, time);
  scene::DrawFrame(device, *street, *text, *camera, [&] { DrawModels(extra); });
}

void system1Shower::DrawModels(bool extra) {
  for (const Placement& place : kPlacements) {
    if (place.extra && !extra)
      continue;
    if (place.model == Model::traffic) {
      scene::DrawAt(*trafficmodel, place);
    } else {
      scene::DrawAt(*pedmodel, place);
    }
  }
}
