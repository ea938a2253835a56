// The short, fixed list of native operations behind the window layer. The program installs the SDL2
// backend; tests install a scripted one.
#pragma once

#include "app/platform/wintypes.h"

// A native window event already translated into a window message for the program's window.
struct NativeEvent {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  // Creates a hidden native window; null on failure.
  virtual void* CreateNativeWindow(const char* title, int x, int y, int width, int height) = 0;
  // Makes the native window visible.
  virtual void ShowNativeWindow(void* native) = 0;
  // Destroys the native window.
  virtual void DestroyNativeWindow(void* native) = 0;
  // Takes one pending event as a message; false when none is pending. Never waits.
  virtual bool PollEvent(NativeEvent& out) = 0;
  // Whether the key with this virtual-key code is down now.
  virtual bool KeyDown(int vk) = 0;
  // Whether the key was pressed since the previous call for it; clears that record.
  virtual bool TakeKeyPress(int vk) = 0;
  // Milliseconds, wrapping unsigned 32-bit.
  virtual DWORD Milliseconds() = 0;
  // Shows a modal box with one OK button and returns when it is dismissed.
  virtual void ShowMessageBox(const char* text, const char* caption) = 0;
};

// Installs the backend the window operations use (observed, not owned); null uninstalls it.
void SetWindowBackend(WindowBackend* backend);
// The installed backend, or null.
WindowBackend* CurrentWindowBackend();
// Forgets every class, window, posted message and quit request (for a fresh start in tests).
void ResetWindowState();
