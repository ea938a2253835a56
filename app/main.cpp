// The program: the SDL2 window backend and the OpenGL drawing backend under the entry and frame
// loop.
#include "app/WinMain.h"
#include "app/platform/sdl/sdl_window.h"
#include "render/platform/gl/gl_backend.h"

int main() {
  // Both backends outlive everything WinMain creates, including a renderer left behind by Escape.
  static SdlWindowBackend window;
  static GlGraphicsBackend graphics;
  SetWindowBackend(&window);
  SetGraphicsBackend(&graphics);
  return WinMain(nullptr, nullptr, nullptr, 10);
}
