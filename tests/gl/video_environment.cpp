// Holds SDL's video subsystem open for the whole test run. Each test's devices open and close it
// too; without this hold the last close unloads the GL driver, and leak reports from inside the
// driver could no longer be attributed to it at exit.
#include <SDL.h>
#include <gtest/gtest.h>

#include "tests/gl/gl_test_support.h"

namespace {

class VideoEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (gltest::DisplayAvailable())
      SDL_InitSubSystem(SDL_INIT_VIDEO);
  }
};

const ::testing::Environment* const kVideo =
    ::testing::AddGlobalTestEnvironment(new VideoEnvironment);

}  // namespace
