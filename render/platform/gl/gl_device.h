// The OpenGL device: render state, material, light, transforms and textures go to the emulated
// fixed-function pipeline; meshes, textures and fonts are loaded onto the device's context.
#pragma once

#include <SDL.h>

#include <memory>

#include "render/platform/device_backend.h"
#include "render/platform/gl/gl_core.h"
#include "render/platform/gl/ref_counted.h"

namespace gl_backend {

class GlDevice : public RefCounted<DeviceBackend> {
 public:
  // Creates the context on `window`, sizes the window to the back buffer (full screen when
  // `params.Windowed` is FALSE) and sets the default state. `clipControl` allows glClipControl
  // where the driver has it. On failure a negative result, a null output and one line on standard
  // error; the window is then left as it was.
  static HRESULT Create(SDL_Window* window, const D3DPRESENT_PARAMETERS& params, bool clipControl,
                        IDirect3DDevice9** out);

  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT SetMaterial(const D3DMATERIAL9* material) override;
  // Stage 0 only.
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
  // Light 0 only.
  HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
  HRESULT LightEnable(DWORD index, BOOL enable) override;
  // Stage 0 only; the texture must come from this backend.
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE kind, const D3DMATRIX* matrix) override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Present(const RECT* source, const RECT* dest, HWND overrideWindow,
                  const RGNDATA* dirty) override;

  HRESULT LoadMesh(const char* path, ID3DXMesh** mesh) override;
  HRESULT LoadTexture(const char* path, IDirect3DTexture9** texture) override;
  HRESULT CreateFont(const FontDesc& desc, ID3DXFont** font) override;

 private:
  GlDevice(std::shared_ptr<GlCore> core, bool fullscreen);
  // Leaves full screen, so the desktop mode comes back, and lets go of the context.
  ~GlDevice() override;
  // Follows the drawable's size, to which the back buffer is stretched.
  void UpdateViewport();
  // Limits clearing to one rectangle given in back-buffer pixels.
  void ScissorTo(const D3DRECT& rect) const;

  std::shared_ptr<GlCore> core_;  // shared with the resources created on this device
  bool fullscreen_ = false;       // the device switched its window to full screen
  int viewportWidth_ = 0;         // current glViewport size
  int viewportHeight_ = 0;
};

}  // namespace gl_backend
