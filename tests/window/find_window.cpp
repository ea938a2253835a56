// find_window TITLE: waits up to ten seconds for a viewable top-level window titled TITLE and
// prints its X11 id; exits 1 when none appears. For tests that act on a window from outside.
#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/window/x11_probe.h"

int main(int argc, char** argv) {
  if (argc != 2)
    return 2;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (const unsigned long window = x11probe::FindByTitle(argv[1])) {
      std::printf("%lu\n", window);
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 1;
}
