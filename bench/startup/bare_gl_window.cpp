// The least a program on this stack does before its first frame: SDL's video, a 1024x768 window
// with an OpenGL 3.3 core context made with the program's attributes, one clear and one swap.
// The reference for the program's start-up time.
#include <SDL.h>

#include <cstdio>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr unsigned kColorBufferBit = 0x00004000;  // GL_COLOR_BUFFER_BIT
constexpr unsigned kDepthBufferBit = 0x00000100;  // GL_DEPTH_BUFFER_BIT

using ClearFunction = void (*)(unsigned);

void SetAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
}

int Fail(const char* what) {
  std::fprintf(stderr, "bare_gl_window: %s: %s\n", what, SDL_GetError());
  return 1;
}

}  // namespace

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    return Fail("video");
  SetAttributes();
  SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (window == nullptr)
    return Fail("window");
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr)
    return Fail("OpenGL 3.3 core context");
  SDL_GL_SetSwapInterval(0);
  auto clear = reinterpret_cast<ClearFunction>(SDL_GL_GetProcAddress("glClear"));
  if (clear == nullptr)
    return Fail("glClear");
  clear(kColorBufferBit | kDepthBufferBit);
  SDL_GL_SwapWindow(window);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
