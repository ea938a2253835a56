// Runs the program's real frame path in-process for tests and benchmarks: the SDL window and the
// OpenGL device, the renderer with its light systems and displays, driven by a scripted keyboard
// and scripted frame times, with the presented picture read back from the X display.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "app/platform/sdl/sdl_window.h"
#include "app/platform/wintypes.h"

namespace harness {

// The real SDL window backend with the keyboard replaced by a script.
class ScriptedSdlWindow : public SdlWindowBackend {
 public:
  bool KeyDown(int vk) override { return held.count(vk) != 0; }
  bool TakeKeyPress(int vk) override { return taps.erase(vk) != 0 || held.count(vk) != 0; }

  std::set<int> held;  // keys down in every frame until released
  std::set<int> taps;  // keys seen by the next query only
};

// One presented picture, rows top to bottom, three bytes (R, G, B) per pixel.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  struct Pixel {
    int r = 0, g = 0, b = 0;
  };
  Pixel At(int x, int y) const;
  // Writes the picture as a binary PPM (for looking at it; convert to PNG with ImageMagick).
  bool WritePpm(const char* path) const;
};

// The program, assembled as its entry assembles it, without the frame loop.
class LiveProgram {
 public:
  // Creates the window and the renderer (published in g_render) and shows the window.
  LiveProgram();
  // Closes the window the way the user does: the window procedure destroys the renderer.
  ~LiveProgram();
  LiveProgram(const LiveProgram&) = delete;
  LiveProgram& operator=(const LiveProgram&) = delete;

  // Whether a display, the window, the device and the renderer are all there.
  bool Ready() const;
  // One frame: the renderer's SetScene with `seconds` as the frame time.
  void Frame(float seconds);
  // `count` frames of `seconds` each.
  void Frames(int count, float seconds);
  // Holds a key down until Release; Tap makes the next frame see it once.
  void Hold(int vk);
  void Release(int vk);
  void Tap(int vk);
  void ReleaseAll();
  // Reads what the window shows after the last frame; false when it cannot.
  bool Capture(Picture& out) const;

  HWND Window() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// The scripted window backend shared by every LiveProgram of the process; SDL's video stays open
// for the whole process so the GL driver is loaded once.
ScriptedSdlWindow& Keyboard();

}  // namespace harness
