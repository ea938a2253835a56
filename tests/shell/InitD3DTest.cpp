// The graphics setup: its calls in order, its two failures and its release order.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/platform/win32.h"
#include "render/CInitD3D.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_device.h"

namespace {

using Names = std::vector<std::string>;

// The quit request waiting in the queue, if any.
std::optional<int> PendingQuitCode() {
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != 0) {
    if (msg.message == WM_QUIT)
      return static_cast<int>(msg.wParam);
  }
  return std::nullopt;
}

// The log as names, releases with the kind of object released.
Names Described() {
  Names out;
  for (const fake::Call& call : fake::Log().Calls()) {
    out.push_back(call.name == "Release" ? "Release " + call.caption : call.name);
  }
  return out;
}

class InitD3DTest : public ::testing::Test {
 protected:
  fake::ScopedFakeWindow window;
  fake::ScopedRecordingGraphics graphics;
};

TEST_F(InitD3DTest, CreatesTheFullScreenDeviceAndSetsItsFixedStateInOrder) {
  CInitD3D init(nullptr);
  ASSERT_NE(init.GetDevice(), nullptr);
  EXPECT_EQ(init.get_width(), 1024);
  EXPECT_EQ(init.get_height(), 768);
  const auto& calls = fake::Log().Calls();
  ASSERT_EQ(fake::Log().Names(),
            (Names{"Direct3DCreate9", "CreateDevice", "SetRenderState", "SetRenderState",
                   "SetRenderState", "SetRenderState", "SetMaterial", "SetSamplerState",
                   "SetSamplerState", "SetSamplerState"}));
  // Adapter, type, flags; then windowed, swap effect, size, format, interval, depth buffer and its
  // format, and the fields that stay zero: buffer count, multisampling, flags, refresh rate.
  EXPECT_EQ(calls[1].args,
            (std::vector<double>{0, 1, 0x40, 0, 1, 1024, 768, 22, 0x80000000, 1, 80, 0, 0, 0, 0}));
  EXPECT_EQ(calls[2].args, (std::vector<double>{7, 1}));
  EXPECT_EQ(calls[3].args, (std::vector<double>{139, 0xFF000000}));
  EXPECT_EQ(calls[4].args, (std::vector<double>{137, 1}));
  EXPECT_EQ(calls[5].args, (std::vector<double>{22, 1}));
  const D3DMATERIAL9& m = calls[6].material;
  EXPECT_EQ((std::vector<float>{m.Diffuse.r, m.Diffuse.g, m.Diffuse.b, m.Diffuse.a}),
            (std::vector<float>{0.5f, 0.5f, 0.5f, 1.0f}));
  EXPECT_EQ((std::vector<float>{m.Ambient.r, m.Ambient.g, m.Ambient.b, m.Ambient.a}),
            (std::vector<float>{0.25f, 0.25f, 0.25f, 1.0f}));
  EXPECT_EQ((std::vector<float>{m.Specular.r, m.Specular.g, m.Specular.b, m.Specular.a}),
            (std::vector<float>{0.5f, 0.5f, 0.5f, 1.0f}));
  EXPECT_EQ((std::vector<float>{m.Emissive.r, m.Emissive.g, m.Emissive.b, m.Emissive.a}),
            (std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}));
  EXPECT_EQ(m.Power, 10.0f);
  EXPECT_EQ(calls[7].args, (std::vector<double>{0, 6, 2}));
  EXPECT_EQ(calls[8].args, (std::vector<double>{0, 5, 2}));
  EXPECT_EQ(calls[9].args, (std::vector<double>{0, 7, 2}));
  EXPECT_FALSE(PendingQuitCode().has_value());
}

TEST_F(InitD3DTest, ReleasesTheDeviceBeforeTheDirect3DObject) {
  {
    CInitD3D init(nullptr);
    fake::Log().Clear();
  }
  EXPECT_EQ(Described(), (Names{"Release device", "Release d3d"}));
  EXPECT_EQ(graphics->liveObjects, 0);
}

struct Failure {
  const char* name;
  bool direct3D;        // the Direct3D object fails, else the device
  Names construction;   // every call the construction makes
  const char* message;  // the one message box's text
  Names destruction;    // every call destroying the setup makes
};

// Names the row in failure messages.
void PrintTo(const Failure& row, std::ostream* out) {
  *out << row.name;
}

class InitD3DFailureTest : public InitD3DTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(InitD3DFailureTest, ShowsOneMessageStopsAndQuitsWithCodeOne) {
  const Failure& failure = GetParam();
  graphics->failDirect3D = failure.direct3D;
  graphics->failDevice = !failure.direct3D;
  {
    CInitD3D init(nullptr);
    EXPECT_EQ(init.GetDevice(), nullptr);
    EXPECT_EQ(fake::Log().Names(), failure.construction);
    const std::vector<fake::Call> boxes = fake::Log().Named("MessageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, failure.message);
    EXPECT_EQ(boxes[0].caption, "Fehler");
    EXPECT_EQ(PendingQuitCode(), 1);
    fake::Log().Clear();
  }
  EXPECT_EQ(Described(), failure.destruction);
  EXPECT_EQ(graphics->liveObjects, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, InitD3DFailureTest,
    ::testing::Values(Failure{"Direct3D",
                              true,
                              {"Direct3DCreate9", "MessageBox"},
                              "Das Direct3D Objekt konnte nicht erstellt werden.",
                              {}},
                      Failure{"Device",
                              false,
                              {"Direct3DCreate9", "CreateDevice", "MessageBox"},
                              "Das Direct3D-DEVICE konnte nicht erstellt werden.",
                              {"Release d3d"}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
