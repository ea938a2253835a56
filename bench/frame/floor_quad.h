// The floor of a full-screen frame: one textured, lit quad covering the whole screen, drawn through
// the program's own device (clear, begin, one draw, end, present) — the least any frame that covers
// the screen can cost on the same stack.
#pragma once

#include <string>

#include "render/platform/d3dx9.h"
#include "tests/gl/gl_test_support.h"

class FloorQuad {
 public:
  // Loads the quad (a .x file written to a temporary folder) and the street texture on `device`.
  explicit FloorQuad(IDirect3DDevice9* device);
  // Releases the mesh and the texture.
  ~FloorQuad();
  FloorQuad(const FloorQuad&) = delete;
  FloorQuad& operator=(const FloorQuad&) = delete;

  // Whether the mesh and the texture loaded.
  bool Loaded() const { return quad_ != nullptr && texture_ != nullptr; }
  // Sets identity transforms, a directional light and the texture; run once before the frames.
  void Prepare();
  // One frame: clear, begin, the quad, end, present.
  void Frame();

 private:
  IDirect3DDevice9* device_ = nullptr;  // observed, owned by the program's graphics setup
  gltest::TempDir folder_;
  ID3DXMesh* quad_ = nullptr;
  IDirect3DTexture9* texture_ = nullptr;
};
