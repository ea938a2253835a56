// The window backend on SDL2: native windows for the OpenGL drawing layer, window and key events as
// messages, the polled keyboard, the millisecond clock and modal message boxes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/platform/window_backend.h"

union SDL_Event;

class SdlWindowBackend : public WindowBackend {
 public:
  // How many virtual-key codes the backend maps to keys; every other code reads as up.
  static constexpr std::size_t kKeyCount = 15;

  // Starts SDL's timer and events, and its video where a display is at hand.
  SdlWindowBackend();
  // Gives back the SDL subsystems this backend started; SDL_Quit itself runs at process exit.
  ~SdlWindowBackend() override;
  SdlWindowBackend(const SdlWindowBackend&) = delete;
  SdlWindowBackend& operator=(const SdlWindowBackend&) = delete;

  // A hidden OpenGL-capable SDL_Window (the returned pointer); null without video.
  void* CreateNativeWindow(const char* title, int x, int y, int width, int height) override;
  // Shows, raises and focuses the window so key events reach it.
  void ShowNativeWindow(void* native) override;
  // Destroys the SDL_Window.
  void DestroyNativeWindow(void* native) override;
  // Window close and quit requests as WM_CLOSE, mapped keys as WM_KEYDOWN/WM_KEYUP; skips the rest.
  bool PollEvent(NativeEvent& out) override;
  // Whether the mapped key is down, after taking in the events the display has sent so far.
  bool KeyDown(int vk) override;
  // Whether the mapped key was pressed since the previous call; clears that record.
  bool TakeKeyPress(int vk) override;
  // SDL's millisecond ticks, wrapping at 32 bits.
  DWORD Milliseconds() override;
  // SDL's simple message box; on standard error as "<caption>: <text>" where it cannot be shown.
  void ShowMessageBox(const char* text, const char* caption) override;

  // Whether SDL's video started on a visible display, i.e. windows can be made.
  bool HasVideo() const { return video_; }

 private:
  // Starts SDL's video where it can show windows to the user; notes why not otherwise.
  void StartVideo();
  // Takes in the display's events unless that was done within the current millisecond.
  void PumpAtMostOncePerMillisecond();
  // Event watch: latches a press as SDL takes in the key-down, whoever pumps the events.
  static int RecordPress(void* self, SDL_Event* event);

  bool base_ = false;                      // timer and events started
  bool video_ = false;                     // video started on a driver the user can see
  std::string videoError_;                 // why video did not start
  std::uint64_t lastPump_ = 0;             // SDL ticks at the latest pump of events
  std::array<bool, kKeyCount> pressed_{};  // press latches, indexed like the key table
};
