// The entry object of the OpenGL backend: holds the video subsystem and creates devices on the
// native windows of the window layer.
#include "render/platform/gl/gl_backend.h"

#include <SDL.h>

#include <cstdio>

#include "app/platform/win32.h"
#include "render/platform/gl/gl_device.h"
#include "render/platform/gl/ref_counted.h"

namespace gl_backend {
namespace {

class GlDirect3D : public RefCounted<IDirect3D9> {
 public:
  explicit GlDirect3D(const GlOptions& options) : options_(options) {}

  HRESULT CreateDevice(UINT, D3DDEVTYPE, HWND focusWindow, DWORD, D3DPRESENT_PARAMETERS* params,
                       IDirect3DDevice9** device) override {
    if (device == nullptr)
      return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (params == nullptr)
      return D3DERR_INVALIDCALL;
    auto* window = static_cast<SDL_Window*>(NativeWindowOf(focusWindow));
    return GlDevice::Create(window, *params, options_.clipControl, device);
  }

 private:
  ~GlDirect3D() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

  GlOptions options_;
};

// SDL falls back to its offscreen or dummy driver when there is no display; drawing there is
// invisible, so it only counts when it was asked for by name.
bool OnlyAFallbackDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr)
    return true;
  if (SDL_strcasecmp(driver, "offscreen") != 0 && SDL_strcasecmp(driver, "dummy") != 0) {
    return false;
  }
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return asked == nullptr || SDL_strcasestr(asked, driver) == nullptr;
}

}  // namespace
}  // namespace gl_backend

IDirect3D9* GlGraphicsBackend::CreateDirect3D() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "Direct3DCreate9: no video: %s\n", SDL_GetError());
    return nullptr;
  }
  if (gl_backend::OnlyAFallbackDriver()) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    std::fprintf(stderr, "Direct3DCreate9: no display\n");
    return nullptr;
  }
  return new gl_backend::GlDirect3D(options_);
}
