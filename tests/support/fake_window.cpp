// The scripted window backend used by the tests.
#include "tests/support/fake_window.h"

#include "app/platform/win32.h"

namespace fake {

void* FakeWindow::CreateNativeWindow(const char* title, int x, int y, int width, int height) {
  Call c{.name = "CreateNativeWindow",
         .args = {double(x), double(y), double(width), double(height)}};
  c.text = title;
  Log().Add(std::move(c));
  if (failCreate)
    return nullptr;
  ++windowsCreated;
  return &nativeToken_;
}

void FakeWindow::ShowNativeWindow(void*) {
  ++windowsShown;
  Log().Add(Call{.name = "ShowNativeWindow"});
}

void FakeWindow::DestroyNativeWindow(void*) {
  ++windowsDestroyed;
  Log().Add(Call{.name = "DestroyNativeWindow"});
}

bool FakeWindow::PollEvent(NativeEvent& out) {
  if (onPoll)
    onPoll();
  if (events_.empty())
    return false;
  out = events_.front();
  events_.pop_front();
  return true;
}

bool FakeWindow::KeyDown(int vk) {
  if (onKeyQuery)
    onKeyQuery(vk);
  return down_.count(vk) != 0;
}

bool FakeWindow::TakeKeyPress(int vk) {
  return pressed_.erase(vk) != 0;
}

DWORD FakeWindow::Milliseconds() {
  if (readings.empty())
    return now;
  const DWORD reading = readings.front();
  readings.pop_front();
  return reading;
}

void FakeWindow::ShowMessageBox(const char* text, const char* caption) {
  Call c{.name = "MessageBox"};
  c.text = text;
  c.caption = caption;
  Log().Add(std::move(c));
  if (onMessageBox)
    onMessageBox();
}

void FakeWindow::SetKey(int vk, bool down) {
  if (down) {
    down_.insert(vk);
    pressed_.insert(vk);
  } else {
    down_.erase(vk);
  }
}

void FakeWindow::Tap(int vk) {
  pressed_.insert(vk);
}

void FakeWindow::ReleaseAll() {
  down_.clear();
  pressed_.clear();
}

void FakeWindow::PushEvent(UINT message, WPARAM wParam, LPARAM lParam) {
  events_.push_back(NativeEvent{message, wParam, lParam});
}

ScopedFakeWindow::ScopedFakeWindow() {
  ResetWindowState();
  SetWindowBackend(&window_);
}

ScopedFakeWindow::~ScopedFakeWindow() {
  SetWindowBackend(nullptr);
  ResetWindowState();
}

}  // namespace fake
