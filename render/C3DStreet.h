// The street model, stretched and placed on the ground, and the one point light of the scene.
#pragma once

#include "render/platform/d3dx9.h"

// The street: one mesh with one texture; drawing it also sets and switches on the scene light.
class C3DStreet {
 public:
  // Loads "models\street.x" and "textures\street.jpg" on `device`; the street stands at (x, 0, z).
  C3DStreet(IDirect3DDevice9* device, float x, float z);
  // Releases the texture and the mesh that were loaded; never the device.
  ~C3DStreet();
  C3DStreet(const C3DStreet&) = delete;
  C3DStreet& operator=(const C3DStreet&) = delete;

  // Sets light 0 (white point light at (0, 3, 0)) and switches it on, binds the street texture and
  // draws the mesh scaled by (4, 2, 4) and moved to (x, 0, z).
  void Show();

 private:
  // Light 0 of the scene.
  static D3DLIGHT9 SceneLight();

  ID3DXMesh* mesh = nullptr;             // owned; released by the destructor
  IDirect3DTexture9* texture = nullptr;  // owned; released by the destructor
  float x = 0.0f;
  float z = 0.0f;
  IDirect3DDevice9* device = nullptr;
};
