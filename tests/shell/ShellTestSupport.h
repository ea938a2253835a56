// Test support for the renderer: both test backends, a renderer published in g_render, key-driven
// frames and readable pictures of the current system.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "control/Lightsystem.h"
#include "tests/control/ControlTestSupport.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_device.h"

namespace shelltest {

inline constexpr int kKeyA = 'A';
inline constexpr int kKeyB = 'B';
inline constexpr int kKeyE = 'E';
inline constexpr int kKeyO = 'O';
inline constexpr int kKeyR = 'R';
inline constexpr int kKeyS = 'S';
inline constexpr int kKeyW = 'W';

// The current system's lamps, "<crossing>" or "<crossroads>" as the control tests write them.
inline std::string Picture(CRender& render) {
  if (render.get_activesystem() == 0)
    return kztest::Lamps(*render.GetSystem1());
  return kztest::Lamps(*render.GetSystem2());
}

// Whether two matrices hold the same sixteen values.
inline bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (a.m[r][c] != b.m[r][c])
        return false;
    }
  }
  return true;
}

// The view matrix set last since the log was cleared; zero when none.
inline D3DMATRIX LastView() {
  D3DMATRIX view{};
  for (const fake::Call& call : fake::Log().Named("SetTransform")) {
    if (call.args[0] == static_cast<double>(D3DTS_VIEW))
      view = call.matrix;
  }
  return view;
}

// A renderer on the recording device and the scripted window, published in g_render.
class RendererTest : public ::testing::Test {
 protected:
  RendererTest() : render(std::make_unique<CRender>(nullptr)) { g_render = render.get(); }
  ~RendererTest() override {
    render.reset();
    g_render = nullptr;
  }

  // One frame of `time` seconds with `keys` pressed once.
  void Frame(float time, std::initializer_list<int> keys = {}) {
    for (int key : keys)
      window->Tap(key);
    render->SetScene(time);
  }
  // `count` frames of `time` seconds each with `keys` pressed in every one.
  void Frames(int count, float time, std::initializer_list<int> keys = {}) {
    for (int i = 0; i < count; ++i)
      Frame(time, keys);
  }
  // A fresh renderer in place of the current one.
  void Restart() {
    render.reset();
    render = std::make_unique<CRender>(nullptr);
    g_render = render.get();
  }
  // The pictures after each of `count` frames of `time` seconds, with `keys` in each frame.
  std::vector<std::string> Run(int count, float time, std::initializer_list<int> keys = {}) {
    std::vector<std::string> pictures;
    for (int i = 0; i < count; ++i) {
      Frame(time, keys);
      pictures.push_back(Picture(*render));
      fake::Log().Clear();
    }
    return pictures;
  }
  Lightsystem& System() { return *render->get_system(); }
  // Simulated seconds until the next step falls due.
  double Due() const { return render->get_nexttime() - render->get_simtime(); }

  fake::ScopedFakeWindow window;
  fake::ScopedRecordingGraphics graphics;
  std::unique_ptr<CRender> render;
};

}  // namespace shelltest
