// The in-process program for tests and benchmarks.
#include "tests/harness/live_program.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

#include "app/CRender.h"
#include "app/WinMain.h"
#include "app/platform/win32.h"
#include "render/platform/gl/gl_backend.h"

namespace harness {
namespace {

constexpr const char* kClassName = "Kreuzvia";

GlGraphicsBackend& Graphics() {
  static GlGraphicsBackend graphics;
  return graphics;
}

void RegisterProgramClass() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.style = CS_CLASSDC;
  wc.lpfnWndProc = MsgProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);
}

// One 8-bit channel of an X pixel, by its mask.
std::uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0)
    return 0;
  return static_cast<std::uint8_t>((pixel & mask) >> __builtin_ctzl(mask));
}

}  // namespace

ScriptedSdlWindow& Keyboard() {
  // Never destroyed: SDL's video and the GL driver stay loaded until the process ends.
  static ScriptedSdlWindow* keyboard = new ScriptedSdlWindow;
  return *keyboard;
}

Picture::Pixel Picture::At(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)) *
                        3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool Picture::WritePpm(const char* path) const {
  std::FILE* f = std::fopen(path, "wb");
  if (f == nullptr)
    return false;
  std::fprintf(f, "P6\n%d %d\n255\n", width, height);
  const bool ok = std::fwrite(rgb.data(), 1, rgb.size(), f) == rgb.size();
  return std::fclose(f) == 0 && ok;
}

LiveProgram::LiveProgram() {
  ResetWindowState();
  SetWindowBackend(&Keyboard());
  SetGraphicsBackend(&Graphics());
  RegisterProgramClass();
  HINSTANCE module = GetModuleHandleA(nullptr);
  window_ = CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPEDWINDOW, 100, 100, 640, 480,
                            nullptr, nullptr, module, nullptr);
  g_render = new CRender(window_);
  ShowWindow(window_, SW_SHOWDEFAULT);
  UpdateWindow(window_);
}

LiveProgram::~LiveProgram() {
  if (window_ != nullptr)
    DefWindowProcA(window_, WM_CLOSE, 0, 0);
  // Without a window nothing destroyed the renderer.
  delete g_render;
  g_render = nullptr;
  ReleaseAll();
  UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
  ResetWindowState();
  SetGraphicsBackend(nullptr);
  SetWindowBackend(nullptr);
}

bool LiveProgram::Ready() const {
  return window_ != nullptr && g_render != nullptr && g_render->get_device() != nullptr;
}

void LiveProgram::Frame(float seconds) {
  if (g_render != nullptr)
    g_render->SetScene(seconds);
  Keyboard().taps.clear();
}

void LiveProgram::Frames(int count, float seconds) {
  for (int i = 0; i < count; ++i)
    Frame(seconds);
}

void LiveProgram::Hold(int vk) {
  Keyboard().held.insert(vk);
}

void LiveProgram::Release(int vk) {
  Keyboard().held.erase(vk);
}

void LiveProgram::Tap(int vk) {
  Keyboard().taps.insert(vk);
}

void LiveProgram::ReleaseAll() {
  Keyboard().held.clear();
  Keyboard().taps.clear();
}

bool LiveProgram::Capture(Picture& out) const {
  auto* sdlWindow = static_cast<SDL_Window*>(NativeWindowOf(window_));
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (sdlWindow == nullptr || !SDL_GetWindowWMInfo(sdlWindow, &info) ||
      info.subsystem != SDL_SYSWM_X11) {
    return false;
  }
  Display* display = info.info.x11.display;
  XSync(display, False);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, info.info.x11.window, &attributes);
  XImage* image =
      XGetImage(display, info.info.x11.window, 0, 0, static_cast<unsigned>(attributes.width),
                static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr)
    return false;
  out.width = attributes.width;
  out.height = attributes.height;
  out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 3);
  std::size_t i = 0;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      out.rgb[i++] = Channel(p, image->red_mask);
      out.rgb[i++] = Channel(p, image->green_mask);
      out.rgb[i++] = Channel(p, image->blue_mask);
    }
  }
  XDestroyImage(image);
  return true;
}

}  // namespace harness
