// The OpenGL context of one device on its SDL window, with the video subsystem held open for as
// long as the context lives.
#pragma once

#include <SDL.h>

#include <string>

namespace gl_backend {

class GlContext {
 public:
  GlContext() = default;
  GlContext(const GlContext&) = delete;
  GlContext& operator=(const GlContext&) = delete;
  // Deletes the context and releases the video subsystem.
  ~GlContext();

  // Creates a 3.3 core context on `window` and makes it current; false with a reason in `error`
  // when the window is no OpenGL window, the context cannot be created or its version is below 3.3.
  bool Open(SDL_Window* window, std::string& error);
  // Makes this context current again if another one is.
  void MakeCurrent() const;
  SDL_Window* Window() const { return window_; }
  // Whether glClipControl can map depth 0..1 directly (GL 4.5 or ARB_clip_control).
  bool HasClipControl() const;

 private:
  SDL_Window* window_ = nullptr;     // observed; the window layer owns it
  SDL_GLContext context_ = nullptr;  // owned
  bool videoHeld_ = false;           // SDL_InitSubSystem(SDL_INIT_VIDEO) succeeded
};

}  // namespace gl_backend
