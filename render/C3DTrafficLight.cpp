// The traffic-light model: its files, its flag table and its impossible-combination message.
#include "render/C3DTrafficLight.h"

#include <array>

namespace {

constexpr std::size_t kSlots = 5;
constexpr std::array<const char*, kSlots> kTextureFiles = {
    "textures\\Traffic_Red.jpg", "textures\\Traffic_RedOrange.jpg", "textures\\Traffic_Green.jpg",
    "textures\\Traffic_Orange.jpg", "textures\\Traffic_Off.jpg"};

// Slot per flag combination, indexed by red * 4 + orange * 2 + green; -1 marks an impossible one.
constexpr std::array<int, 8> kSlotOfFlags = {4, 2, 3, -1, 0, -1, 1, -1};

}  // namespace

C3DTrafficLight::C3DTrafficLight(IDirect3DDevice9* target) {
  Load(target, "models\\traffic.x", kTextureFiles.data(), kSlots);
}

C3DTrafficLight::~C3DTrafficLight() {
  Unload(kSlots);
}

void C3DTrafficLight::SetLights(bool newred, bool neworange, bool newgreen) {
  red = newred;
  orange = neworange;
  green = newgreen;
}

void C3DTrafficLight::ShowLights() {
  const int slot = kSlotOfFlags[(red ? 4u : 0u) + (orange ? 2u : 0u) + (green ? 1u : 0u)];
  if (slot < 0) {
    ShowImpossible("Ampelschaltung stimmt nicht.");
  } else {
    ShowSlot(static_cast<std::size_t>(slot));
  }
}
