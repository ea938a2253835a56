// A preloaded library (LD_PRELOAD) that ends the process at its first presented frame: it wraps
// SDL_GL_SwapWindow, lets the real swap run, writes the CLOCK_MONOTONIC time in nanoseconds to the
// file named by KZ_FIRST_SWAP_FILE and leaves with status 0. Measures start-up without any test
// code in the program.
#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

struct SDL_Window;

namespace {

using SwapWindow = void (*)(SDL_Window*);

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Writes `nanoseconds` as decimal text to `path`; false when it cannot.
bool WriteTime(const char* path, long long nanoseconds) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0)
    return false;
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%lld\n", nanoseconds);
  const bool ok = length > 0 && write(fd, text, static_cast<std::size_t>(length)) == length;
  return close(fd) == 0 && ok;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  static auto real = reinterpret_cast<SwapWindow>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  if (real != nullptr)
    real(window);
  const long long presented = MonotonicNanoseconds();
  const char* path = std::getenv("KZ_FIRST_SWAP_FILE");
  // Leaves at once: nothing after the first frame is part of start-up.
  _exit(path != nullptr && WriteTime(path, presented) ? 0 : 3);
}
