// Loading, drawing and releasing what both light models share.
#include "render/C3DLights.h"

#include "app/platform/win32.h"

namespace {

// Degrees to radians, as the single-precision constant the placements are turned with.
constexpr float kRadiansPerDegree = 0.017453292f;

}  // namespace

void C3DLights::SetPosition(float newx, float newz, float newangle) {
  x = newx;
  z = newz;
  angle = newangle;
}

void C3DLights::Load(IDirect3DDevice9* target, const char* meshfile,
                     const char* const* texturefiles, std::size_t count) {
  device = target;
  textures = std::make_unique<IDirect3DTexture9*[]>(count);
  D3DXLoadMeshFromXA(meshfile, D3DXMESH_SYSTEMMEM, device, nullptr, nullptr, nullptr, nullptr,
                     &mesh);
  for (std::size_t slot = 0; slot < count; ++slot) {
    D3DXCreateTextureFromFileA(device, texturefiles[slot], &textures[slot]);
  }
}

void C3DLights::ShowSlot(std::size_t slot) {
  if (device == nullptr)
    return;
  // A slot whose file failed to load unbinds: an untextured model rather than one that shows the
  // picture of another signal state left bound by the previous draw.
  device->SetTexture(0, textures[slot]);
  Draw();
}

void C3DLights::ShowImpossible(const char* message) {
  MessageBoxA(nullptr, message, "Fehler", MB_OK);
  if (device == nullptr)
    return;
  Draw();
}

void C3DLights::Draw() {
  D3DXMATRIX rotation;
  D3DXMATRIX translation;
  D3DXMATRIX world;
  D3DXMatrixRotationY(&rotation, angle * kRadiansPerDegree);
  D3DXMatrixTranslation(&translation, x, 0.0f, z);
  D3DXMatrixMultiply(&world, &rotation, &translation);
  device->SetTransform(D3DTS_WORLD, &world);
  if (mesh != nullptr)
    mesh->DrawSubset(0);
}

void C3DLights::Unload(std::size_t count) {
  if (textures) {
    for (std::size_t slot = 0; slot < count; ++slot) {
      if (textures[slot] != nullptr)
        textures[slot]->Release();
    }
  }
  textures.reset();
  if (mesh != nullptr)
    mesh->Release();
  mesh = nullptr;
}
