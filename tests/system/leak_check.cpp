// Under LeakSanitizer, checks for leaks once every test has run, before the exit handlers: the
// window layer's SDL_Quit at exit unloads the OpenGL driver, after which the driver's own leaks
// could no longer be traced to it (and matched by the suppressions) but only to unknown code.
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#define KZ_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KZ_LEAK_CHECK 1
#endif
#endif

#ifdef KZ_LEAK_CHECK
#include <sanitizer/lsan_interface.h>

namespace {

// Runs the leak check in the test program's global tear-down.
class LeakCheckWhileDriverLoaded : public ::testing::Environment {
 public:
  void TearDown() override { __lsan_do_leak_check(); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new LeakCheckWhileDriverLoaded);

}  // namespace
#endif
