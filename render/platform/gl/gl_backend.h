// The graphics backend the program draws with: Direct3D 9's device interface over OpenGL 3.3 core
// (libepoxy) on the SDL window of the window layer.
#pragma once

#include "render/platform/device_backend.h"

// Choices a test can make; the program uses the defaults.
struct GlOptions {
  bool clipControl = true;  // use glClipControl for depth 0..1 where available
};

class GlGraphicsBackend : public GraphicsBackend {
 public:
  GlGraphicsBackend() = default;
  explicit GlGraphicsBackend(const GlOptions& options) : options_(options) {}

  // Opens SDL's video subsystem for the entry object (its Release closes it again); null with one
  // line on standard error when there is no display. SDL's offscreen or dummy driver counts as a
  // display only when SDL_VIDEODRIVER asks for it.
  IDirect3D9* CreateDirect3D() override;

 private:
  GlOptions options_;
};
