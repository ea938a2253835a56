// A graphics backend that draws and reads nothing, but hands out a fresh heap object for every
// device, mesh, texture and font and destroys it at its last Release, as the real backend does.
// For measuring memory across many system switches without a display.
#pragma once

#include "render/platform/device_backend.h"

class NullGraphics : public GraphicsBackend {
 public:
  // A new entry object, released by the graphics setup like the real one.
  IDirect3D9* CreateDirect3D() override;
};
