// Creation and teardown of the OpenGL context.
#include "render/platform/gl/gl_context.h"

#include <epoxy/gl.h>

namespace gl_backend {
namespace {

// The attributes the window was created with, set again since only the current values count when
// the context is made.
void SetContextAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
}

}  // namespace

GlContext::~GlContext() {
  if (context_ != nullptr) {
    if (SDL_GL_GetCurrentContext() == context_)
      SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
  }
  if (videoHeld_)
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool GlContext::Open(SDL_Window* window, std::string& error) {
  if (window == nullptr) {
    error = "no window";
    return false;
  }
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) == 0) {
    error = "the window was not created for OpenGL";
    return false;
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = std::string("video subsystem: ") + SDL_GetError();
    return false;
  }
  videoHeld_ = true;
  window_ = window;
  SetContextAttributes();
  context_ = SDL_GL_CreateContext(window);
  if (context_ == nullptr) {
    error = std::string("no OpenGL 3.3 core context: ") + SDL_GetError();
    return false;
  }
  if (SDL_GL_MakeCurrent(window, context_) != 0) {
    error = std::string("cannot make the OpenGL context current: ") + SDL_GetError();
    return false;
  }
  if (!epoxy_is_desktop_gl() || epoxy_gl_version() < 33) {
    error = "OpenGL " + std::to_string(epoxy_gl_version() / 10) + "." +
            std::to_string(epoxy_gl_version() % 10) + " is older than 3.3";
    return false;
  }
  return true;
}

void GlContext::MakeCurrent() const {
  if (context_ != nullptr && SDL_GL_GetCurrentContext() != context_) {
    SDL_GL_MakeCurrent(window_, context_);
  }
}

bool GlContext::HasClipControl() const {
  return epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");
}

}  // namespace gl_backend
