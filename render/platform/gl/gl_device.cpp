// Device creation, state calls and frame operations of the OpenGL device.
#include "render/platform/gl/gl_device.h"

#include <cstdio>
#include <string>
#include <utility>

#include "render/platform/gl/gl_font.h"
#include "render/platform/gl/gl_mesh.h"
#include "render/platform/gl/gl_texture.h"

namespace gl_backend {
namespace {

HRESULT Fail(const std::string& reason) {
  std::fprintf(stderr, "CreateDevice: %s\n", reason.c_str());
  return D3DERR_NOTAVAILABLE;
}

// The back-buffer size, the window's own size for a zero field in windowed mode.
void BackBufferSize(SDL_Window* window, const D3DPRESENT_PARAMETERS& params, int& width,
                    int& height) {
  SDL_GetWindowSize(window, &width, &height);
  if (params.BackBufferWidth != 0)
    width = static_cast<int>(params.BackBufferWidth);
  if (params.BackBufferHeight != 0)
    height = static_cast<int>(params.BackBufferHeight);
}

// Full screen at the back-buffer size; SDL applies it when the window is shown.
bool EnterFullscreen(SDL_Window* window, const D3DPRESENT_PARAMETERS& params, int width, int height,
                     std::string& error) {
  SDL_DisplayMode mode{};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) {
    error = std::string("no display mode: ") + SDL_GetError();
    return false;
  }
  mode.w = width;
  mode.h = height;
  mode.refresh_rate = static_cast<int>(params.FullScreen_RefreshRateInHz);
  // Without a window manager the full-screen request is not carried out on X11: cover the
  // display ourselves first, so the picture fills the screen either way.
  SDL_Rect bounds{};
  SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
  SDL_SetWindowPosition(window, bounds.x, bounds.y);
  SDL_SetWindowSize(window, width, height);
  if (SDL_SetWindowDisplayMode(window, &mode) != 0 ||
      SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
    error = "cannot switch to full screen " + std::to_string(width) + "x" + std::to_string(height) +
            ": " + SDL_GetError();
    return false;
  }
  return true;
}

// Vertical-retrace waiting as asked; a driver that refuses is not fatal.
void SetSwapInterval(UINT interval) {
  SDL_GL_SetSwapInterval(interval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0 : 1);
}

float Channel(D3DCOLOR color, int shift) {
  return static_cast<float>((color >> shift) & 0xFFu) / 255.0f;
}

}  // namespace

HRESULT GlDevice::Create(SDL_Window* window, const D3DPRESENT_PARAMETERS& params, bool clipControl,
                         IDirect3DDevice9** out) {
  *out = nullptr;
  auto core = std::make_shared<GlCore>();
  std::string error;
  if (!core->context.Open(window, error))
    return Fail(error);
  const bool useClipControl = clipControl && core->context.HasClipControl();
  if (!core->pipeline.Init(useClipControl, params.EnableAutoDepthStencil != FALSE, error) ||
      !core->text.Init(error)) {
    return Fail(error);
  }
  BackBufferSize(window, params, core->backBufferWidth, core->backBufferHeight);
  const bool fullscreen = params.Windowed == FALSE;
  if (fullscreen) {
    if (!EnterFullscreen(window, params, core->backBufferWidth, core->backBufferHeight, error)) {
      return Fail(error);
    }
  } else {
    SDL_SetWindowSize(window, core->backBufferWidth, core->backBufferHeight);
  }
  SetSwapInterval(params.PresentationInterval);
  auto* device = new GlDevice(std::move(core), fullscreen);
  device->UpdateViewport();
  *out = device;
  return D3D_OK;
}

GlDevice::GlDevice(std::shared_ptr<GlCore> core, bool fullscreen)
    : core_(std::move(core)), fullscreen_(fullscreen) {}

GlDevice::~GlDevice() {
  if (fullscreen_)
    SDL_SetWindowFullscreen(core_->context.Window(), 0);
}

void GlDevice::UpdateViewport() {
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(core_->context.Window(), &width, &height);
  if (width == viewportWidth_ && height == viewportHeight_)
    return;
  viewportWidth_ = width;
  viewportHeight_ = height;
  glViewport(0, 0, width, height);
}

HRESULT GlDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  return core_->pipeline.SetRenderState(state, value) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetMaterial(const D3DMATERIAL9* material) {
  if (material == nullptr)
    return D3DERR_INVALIDCALL;
  core_->pipeline.SetMaterial(*material);
  return D3D_OK;
}

HRESULT GlDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
  if (sampler != 0)
    return D3DERR_INVALIDCALL;
  return core_->pipeline.SetSamplerState(type, value) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
  if (index != 0 || light == nullptr)
    return D3DERR_INVALIDCALL;
  core_->pipeline.SetLight(*light);
  return D3D_OK;
}

HRESULT GlDevice::LightEnable(DWORD index, BOOL enable) {
  if (index != 0)
    return D3DERR_INVALIDCALL;
  core_->pipeline.LightEnable(enable != FALSE);
  return D3D_OK;
}

HRESULT GlDevice::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
  if (stage != 0)
    return D3DERR_INVALIDCALL;
  if (texture == nullptr) {
    core_->pipeline.SetTexture(0);
    return D3D_OK;
  }
  auto* own = dynamic_cast<GlTexture*>(texture);
  if (own == nullptr)
    return D3DERR_INVALIDCALL;
  core_->pipeline.SetTexture(own->Name());
  return D3D_OK;
}

HRESULT GlDevice::SetTransform(D3DTRANSFORMSTATETYPE kind, const D3DMATRIX* matrix) {
  if (matrix == nullptr)
    return D3DERR_INVALIDCALL;
  return core_->pipeline.SetTransform(kind, *matrix) ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT GlDevice::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) {
  UpdateViewport();
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET)
    mask |= GL_COLOR_BUFFER_BIT;
  if (flags & D3DCLEAR_ZBUFFER)
    mask |= GL_DEPTH_BUFFER_BIT;
  if (flags & D3DCLEAR_STENCIL)
    mask |= GL_STENCIL_BUFFER_BIT;
  glClearColor(Channel(color, 16), Channel(color, 8), Channel(color, 0), Channel(color, 24));
  glClearDepth(static_cast<double>(z));
  glClearStencil(static_cast<GLint>(stencil));
  if (count == 0 || rects == nullptr) {
    glClear(mask);
    return D3D_OK;
  }
  glEnable(GL_SCISSOR_TEST);
  for (DWORD i = 0; i < count; ++i) {
    ScissorTo(rects[i]);
    glClear(mask);
  }
  glDisable(GL_SCISSOR_TEST);
  return D3D_OK;
}

void GlDevice::ScissorTo(const D3DRECT& r) const {
  // Rectangles are in back-buffer pixels with y down; the scissor box is in drawable pixels
  // counted from the bottom.
  const double sx = static_cast<double>(viewportWidth_) / core_->backBufferWidth;
  const double sy = static_cast<double>(viewportHeight_) / core_->backBufferHeight;
  const auto scaled = [](double v) { return static_cast<GLint>(v + 0.5); };
  const GLint left = scaled(r.x1 * sx);
  const GLint right = scaled(r.x2 * sx);
  const GLint bottom = scaled((core_->backBufferHeight - r.y2) * sy);
  const GLint top = scaled((core_->backBufferHeight - r.y1) * sy);
  glScissor(left, bottom, right > left ? right - left : 0, top > bottom ? top - bottom : 0);
}

HRESULT GlDevice::BeginScene() {
  if (core_->pipeline.State().sceneBegun)
    return D3DERR_INVALIDCALL;
  UpdateViewport();
  core_->pipeline.SetSceneBegun(true);
  return D3D_OK;
}

HRESULT GlDevice::EndScene() {
  if (!core_->pipeline.State().sceneBegun)
    return D3DERR_INVALIDCALL;
  core_->pipeline.SetSceneBegun(false);
  return D3D_OK;
}

HRESULT GlDevice::Present(const RECT* source, const RECT* dest, HWND overrideWindow,
                          const RGNDATA* dirty) {
  if (source != nullptr || dest != nullptr || overrideWindow != nullptr || dirty != nullptr) {
    return D3DERR_INVALIDCALL;
  }
  SDL_GL_SwapWindow(core_->context.Window());
  return D3D_OK;
}

HRESULT GlDevice::LoadMesh(const char* path, ID3DXMesh** mesh) {
  return GlMesh::Load(core_, path, mesh);
}

HRESULT GlDevice::LoadTexture(const char* path, IDirect3DTexture9** texture) {
  return GlTexture::Load(core_, path, texture);
}

HRESULT GlDevice::CreateFont(const FontDesc& desc, ID3DXFont** font) {
  return GlFont::Create(core_, desc, font);
}

}  // namespace gl_backend
