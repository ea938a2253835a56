// The graphics setup: creates the Direct3D object and the full-screen device for the program's
// window and sets the device state that holds for the whole run.
#pragma once

#include "render/platform/d3d9.h"

class CInitD3D {
 public:
  // Creates the device for `hWnd` and sets its fixed state; on failure shows a message box, posts
  // the quit request with code 1 and leaves the device null.
  explicit CInitD3D(HWND hWnd);
  // Releases the device, then the Direct3D object.
  ~CInitD3D();
  CInitD3D(const CInitD3D&) = delete;
  CInitD3D& operator=(const CInitD3D&) = delete;

  // The rendering device, owned by the setup; null when its creation failed.
  IDirect3DDevice9* GetDevice() const { return device; }
  // Back-buffer width in pixels.
  int get_width() const { return width; }
  // Back-buffer height in pixels.
  int get_height() const { return height; }

 private:
  // Shows `text` in a message box titled "Fehler" and asks the program to quit with code 1.
  static void Fail(const char* text);
  // Sets the render states, the material and the sampler states on the new device.
  void SetFixedState();

  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
  int width = 1024;
  int height = 768;
};
