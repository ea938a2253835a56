// Preloaded into the program (LD_PRELOAD) to watch it from outside without test code inside it:
// counts the frames it presents (SDL_GL_SwapWindow) and the times it opens the street model (once
// per display, so once at start and once per system switch), and keeps both counts in the file
// named by KZ_FRAME_COUNT_FILE as "<frames> <street loads>", rewritten after every change.
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::atomic<long> frames{0};
std::atomic<long> streetLoads{0};

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void Publish() {
  static const int fd = [] {
    const char* path = std::getenv("KZ_FRAME_COUNT_FILE");
    return path != nullptr ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
  }();
  if (fd < 0)
    return;
  char line[64];
  // Fixed width, so a rewrite in place never leaves the tail of a longer line behind.
  const int length =
      std::snprintf(line, sizeof line, "%12ld %12ld\n", frames.load(), streetLoads.load());
  if (length > 0)
    (void)pwrite(fd, line, static_cast<size_t>(length), 0);
}

bool IsStreetModel(const char* path) {
  const char* slash = path != nullptr ? std::strrchr(path, '/') : nullptr;
  return slash != nullptr && std::strcmp(slash + 1, "street.x") == 0;
}

}  // namespace

extern "C" {

void SDL_GL_SwapWindow(SDL_Window* window) {
  static const auto next = Next<void (*)(SDL_Window*)>("SDL_GL_SwapWindow");
  next(window);
  ++frames;
  Publish();
}

FILE* fopen(const char* path, const char* mode) {
  static const auto next = Next<FILE* (*)(const char*, const char*)>("fopen");
  if (IsStreetModel(path)) {
    ++streetLoads;
    Publish();
  }
  return next(path, mode);
}

}  // extern "C"
