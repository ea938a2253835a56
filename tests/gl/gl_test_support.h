// Support for drawing through the OpenGL backend in tests and benchmarks: an SDL window layer that
// makes windows the way the program's does, a scene with window + device, pixel readback, and
// writers for the .x and JPEG files the loaders read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/platform/win32.h"
#include "app/platform/window_backend.h"
#include "render/platform/gl/gl_backend.h"

namespace gltest {

// Whether a display is there to draw on (DISPLAY set, or SDL's offscreen driver chosen).
bool DisplayAvailable();

// Native windows as the program's SDL layer makes them: GL attributes first, then a hidden
// SDL_WINDOW_OPENGL window. Events are drained and ignored; no keys; message boxes are dropped.
class SdlTestWindows : public WindowBackend {
 public:
  SdlTestWindows();
  ~SdlTestWindows() override;
  bool Ready() const { return ready_; }

  void* CreateNativeWindow(const char* title, int x, int y, int width, int height) override;
  void ShowNativeWindow(void* native) override;
  void DestroyNativeWindow(void* native) override;
  bool PollEvent(NativeEvent& out) override;
  bool KeyDown(int vk) override;
  bool TakeKeyPress(int vk) override;
  DWORD Milliseconds() override;
  void ShowMessageBox(const char* text, const char* caption) override;

 private:
  bool ready_ = false;  // the video subsystem is open
};

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// A shown window with a device on it, made through the same calls the program makes.
class GlScene {
 public:
  GlScene() = default;
  GlScene(const GlScene&) = delete;
  GlScene& operator=(const GlScene&) = delete;
  ~GlScene();

  // Creates the window and the device with a back buffer of `width` x `height`; false with the
  // reason in Error() on failure.
  bool Open(int width, int height, bool windowed, const GlOptions& options = {});
  // Releases the device and the entry object and destroys the window.
  void Close();
  // Releases the device alone, keeping the window.
  void ReleaseDevice();
  const std::string& Error() const { return error_; }
  IDirect3DDevice9* Device() const { return device_; }
  HWND Window() const { return window_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // One back-buffer pixel, `y` counted from the top as in window pixels (finishes drawing first).
  Rgb Pixel(int x, int y) const;
  // Every back-buffer pixel, rows top to bottom, RGB.
  std::vector<std::uint8_t> Pixels() const;
  // Writes the back buffer as a PNG (through a PPM and ImageMagick's convert).
  bool SavePng(const std::string& path) const;

 private:
  SdlTestWindows windows_;
  GlGraphicsBackend graphics_;
  IDirect3D9* d3d_ = nullptr;
  IDirect3DDevice9* device_ = nullptr;
  HWND window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::string error_;
};

// One mesh vertex as written to a .x file.
struct XVertex {
  float x = 0, y = 0, z = 0;
  float nx = 0, ny = 0, nz = -1;
  float u = 0, v = 0;
};

// One triangle of a .x file with its attribute.
struct XTriangle {
  std::uint32_t a = 0, b = 0, c = 0;
  std::uint32_t attribute = 0;
};

// The text of a .x file with one mesh: positions, normals (one per vertex), texture coordinates
// and a material list with one material per attribute.
std::string XFileText(const std::vector<XVertex>& vertices,
                      const std::vector<XTriangle>& triangles);

// A rectangle in the plane z = `z` from (x0, y0) to (x1, y1) facing -z (towards a camera at the
// origin looking along +z), texture (0, 0) at the top-left corner, clockwise as seen from the
// camera; appended to `vertices` and `triangles` with `attribute`.
void AddQuad(float x0, float y0, float x1, float y1, float z, std::uint32_t attribute,
             std::vector<XVertex>& vertices, std::vector<XTriangle>& triangles);

// A rectangle on the ground (y = `y`) from (x0, z0) to (x1, z1), normal up.
void AddGroundQuad(float x0, float z0, float x1, float z1, float y, std::vector<XVertex>& vertices,
                   std::vector<XTriangle>& triangles);

// JPEG bytes (quality 95, no chroma subsampling) of an image whose pixel (x, y), y from the top,
// is `pixel(x, y)`.
template <typename PixelFunction>
std::string JpegBytes(int width, int height, PixelFunction pixel);
std::string EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb);

// A fresh directory under the system temp folder, removed with its contents on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Writes `bytes` to `name` in the directory and returns the full path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

template <typename PixelFunction>
std::string JpegBytes(int width, int height, PixelFunction pixel) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = pixel(x, y);
      rgb.insert(rgb.end(), {static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                             static_cast<std::uint8_t>(c.b)});
    }
  }
  return EncodeJpeg(width, height, rgb);
}

}  // namespace gltest
