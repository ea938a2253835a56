// A graphics backend for tests: creates a device that draws nothing and logs every call, with
// failure injection for the entry object, the device and individual files.
#pragma once

#include <set>
#include <string>

#include "render/platform/device_backend.h"
#include "tests/support/call_log.h"

namespace fake {

class RecordingGraphics : public GraphicsBackend {
 public:
  IDirect3D9* CreateDirect3D() override;

  bool failDirect3D = false;        // Direct3DCreate9 yields null
  bool failDevice = false;          // CreateDevice fails with a negative result
  std::set<std::string> failFiles;  // loads of these paths ('/' separators) fail
  int liveObjects = 0;              // objects handed out and not yet released to zero
};

// Installs a RecordingGraphics for the lifetime of the guard and clears the log.
class ScopedRecordingGraphics {
 public:
  ScopedRecordingGraphics();
  ~ScopedRecordingGraphics();
  RecordingGraphics& operator*() { return graphics_; }
  RecordingGraphics* operator->() { return &graphics_; }

 private:
  RecordingGraphics graphics_;
};

}  // namespace fake
