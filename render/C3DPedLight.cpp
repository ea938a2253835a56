// The pedestrian-light model: its files, its flag table and its impossible-combination message.
#include "render/C3DPedLight.h"

#include <array>

namespace {

constexpr std::size_t kSlots = 3;
constexpr std::array<const char*, kSlots> kTextureFiles = {
    "textures\\Ped_Red.jpg", "textures\\Ped_Green.jpg", "textures\\Ped_Off.jpg"};

// Slot per flag combination, indexed by red * 2 + green; -1 marks the impossible one.
constexpr std::array<int, 4> kSlotOfFlags = {2, 1, 0, -1};

}  // namespace

C3DPedLight::C3DPedLight(IDirect3DDevice9* target) {
  Load(target, "models\\ped.x", kTextureFiles.data(), kSlots);
}

C3DPedLight::~C3DPedLight() {
  Unload(kSlots);
}

void C3DPedLight::SetLights(bool newred, bool newgreen) {
  red = newred;
  green = newgreen;
}

void C3DPedLight::ShowLights() {
  const int slot = kSlotOfFlags[(red ? 2u : 0u) + (green ? 1u : 0u)];
  if (slot < 0) {
    ShowImpossible("Ampelschaltung stimmt nicht bei Pedlight.");
  } else {
    ShowSlot(static_cast<std::size_t>(slot));
  }
}
