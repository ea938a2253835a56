// Shared part of the drawable light models: mesh, one texture per picture, placement and device.
#pragma once

#include <cstddef>
#include <memory>

#include "render/platform/d3dx9.h"

// Base of C3DTrafficLight and C3DPedLight; created, drawn and destroyed through those types only.
class C3DLights {
 public:
  C3DLights(const C3DLights&) = delete;
  C3DLights& operator=(const C3DLights&) = delete;

  // Stores the place on the ground and the heading in degrees used by the following draws.
  void SetPosition(float x, float z, float angle);

 protected:
  C3DLights() = default;
  ~C3DLights() = default;

  // Allocates `count` empty texture slots, then loads the mesh file and each texture file into its
  // slot, in slot order. A load that fails leaves its mesh or slot null.
  void Load(IDirect3DDevice9* target, const char* meshfile, const char* const* texturefiles,
            std::size_t count);
  // Binds the texture of `slot` (none where its file failed to load), then draws at the placement.
  void ShowSlot(std::size_t slot);
  // Shows the "Fehler" message box with `message`, then draws at the placement with whatever
  // texture the previous draw left bound.
  void ShowImpossible(const char* message);
  // Releases the non-null textures of the first `count` slots, frees the slots, releases the mesh.
  void Unload(std::size_t count);

 private:
  // Sets the world transform from the placement and draws subset 0 when there is a mesh.
  void Draw();

  ID3DXMesh* mesh = nullptr;                       // owned; released by Unload
  std::unique_ptr<IDirect3DTexture9*[]> textures;  // owned; each entry released by Unload
  float x = 0.0f;
  float z = 0.0f;
  float angle = 0.0f;
  IDirect3DDevice9* device = nullptr;
};
