// A window backend for tests: a scripted keyboard, a settable millisecond clock, an injectable
// event queue and a message-box recorder that returns at once and may run a callback during its
// "modal wait".
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>

#include "app/platform/window_backend.h"
#include "tests/support/call_log.h"

namespace fake {

class FakeWindow : public WindowBackend {
 public:
  void* CreateNativeWindow(const char* title, int x, int y, int width, int height) override;
  void ShowNativeWindow(void* native) override;
  void DestroyNativeWindow(void* native) override;
  bool PollEvent(NativeEvent& out) override;
  bool KeyDown(int vk) override;
  bool TakeKeyPress(int vk) override;
  DWORD Milliseconds() override;
  void ShowMessageBox(const char* text, const char* caption) override;

  // Holds a key down (a press is recorded) or releases it.
  void SetKey(int vk, bool down);
  // A press and release between two queries: seen once by the next query.
  void Tap(int vk);
  // Releases every key and forgets recorded presses.
  void ReleaseAll();
  // Queues a native event for PeekMessageA.
  void PushEvent(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  DWORD now = 0;                        // what Milliseconds returns when no reading is scripted
  std::deque<DWORD> readings;           // scripted clock readings, consumed one per call first
  bool failCreate = false;              // CreateNativeWindow fails
  std::function<void()> onPoll;         // runs at the start of every PollEvent (one per loop pass)
  std::function<void()> onMessageBox;   // runs inside every message box, as during a modal wait
  std::function<void(int)> onKeyQuery;  // runs at every key query with its virtual-key code
  int windowsCreated = 0;
  int windowsShown = 0;
  int windowsDestroyed = 0;

 private:
  std::set<int> down_;
  std::set<int> pressed_;
  std::deque<NativeEvent> events_;
  int nativeToken_ = 0;
};

// Installs a FakeWindow for the lifetime of the guard, with a clean window layer.
class ScopedFakeWindow {
 public:
  ScopedFakeWindow();
  ~ScopedFakeWindow();
  FakeWindow& operator*() { return window_; }
  FakeWindow* operator->() { return &window_; }

 private:
  FakeWindow window_;
};

}  // namespace fake
