// The renderer on backends that draw nothing, log nothing and allocate nothing after start-up: a
// device whose every call succeeds, a keyboard the test holds keys on, a clock that stands still
// and message boxes that are only counted. For runs of hundreds of millions of frames.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "app/CRender.h"
#include "app/platform/window_backend.h"

namespace robust {

// Keys held down by the test; every query of a held key answers "down".
class HeldKeys : public WindowBackend {
 public:
  void* CreateNativeWindow(const char*, int, int, int, int) override { return this; }
  void ShowNativeWindow(void*) override {}
  void DestroyNativeWindow(void*) override {}
  bool PollEvent(NativeEvent&) override { return false; }
  bool KeyDown(int vk) override { return down_[Index(vk)]; }
  bool TakeKeyPress(int) override { return false; }
  DWORD Milliseconds() override { return 0; }
  // A box would stop the frame for the user; here it is counted.
  void ShowMessageBox(const char*, const char*) override { ++messageBoxes; }

  // Holds `vk` down or releases it.
  void Set(int vk, bool down) { down_[Index(vk)] = down; }
  // Releases every key.
  void ReleaseAll() { down_.fill(false); }

  int messageBoxes = 0;  // boxes the program has shown so far

 private:
  static std::size_t Index(int vk) { return static_cast<std::size_t>(vk) & 0xFFu; }
  std::array<bool, 256> down_{};
};

// The renderer published in g_render over the null device and HeldKeys, as the entry assembles it.
class NullProgram {
 public:
  NullProgram();
  ~NullProgram();
  NullProgram(const NullProgram&) = delete;
  NullProgram& operator=(const NullProgram&) = delete;

  // One frame: SetScene with `seconds` as the frame time.
  void Frame(float seconds) { render_->SetScene(seconds); }
  CRender& Render() { return *render_; }
  HeldKeys& Keys() { return keys_; }

 private:
  HeldKeys keys_;
  std::unique_ptr<CRender> render_;
};

}  // namespace robust
