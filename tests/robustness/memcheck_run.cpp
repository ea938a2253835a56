// A short run of the whole program in-process, for the memory checker: the real window and OpenGL
// device, frames of both systems with every kind of key, three system switches, then the window
// closed as the user closes it, which destroys the renderer with its system, display and device.
// Usage: memcheck_run [frames per key, default 4]. Exits 77 without a display.
#include <cstdio>
#include <cstdlib>

#include "app/platform/win32.h"
#include "tests/harness/live_program.h"

namespace {

// Taps each key in turn and runs frames after it: lights, blink mode, switching, speed, camera.
constexpr int kKeys[] = {0,           'E',        'R',    'O',   'B',      'S',    'R',
                         'O',         'A',        VK_ADD, VK_UP, 'S',      'W',    VK_LEFT,
                         VK_SUBTRACT, VK_NUMPAD0, 'B',    'S',   VK_RIGHT, VK_DOWN};

}  // namespace

int main(int argc, char** argv) {
  const int framesPerKey = argc > 1 ? std::atoi(argv[1]) : 4;
  int rc = 0;
  {
    harness::LiveProgram program;
    if (!program.Ready()) {
      std::fprintf(stderr, "memcheck_run: no display or no device\n");
      rc = 77;
    } else {
      for (const int key : kKeys) {
        if (key != 0)
          program.Tap(key);
        program.Frames(framesPerKey, 0.5f);
      }
    }
  }
  return rc;
}
