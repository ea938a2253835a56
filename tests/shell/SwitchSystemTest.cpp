// The system switch on S: what a switch keeps and what it builds anew; and the renderer's teardown.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "render/CCamera.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

using shelltest::kKeyB;
using shelltest::kKeyE;
using shelltest::kKeyO;
using shelltest::kKeyR;
using shelltest::kKeyS;
using shelltest::LastView;
using shelltest::Picture;
using shelltest::SameMatrix;

class SwitchSystemTest : public shelltest::RendererTest {};

TEST_F(SwitchSystemTest, KeepsClockSpeedExtraAndDevice) {
  Frames(5, 0.5f, {VK_ADD});
  Frame(0.5f, {kKeyE});
  IDirect3DDevice9* device = render->get_device();
  ASSERT_NE(device, nullptr);
  const float speed = render->get_speed();
  for (int expected : {0, 1, 0}) {
    const double before = render->get_simtime();
    Frame(0.25f, {kKeyS});
    EXPECT_EQ(render->get_activesystem(), expected);
    EXPECT_NEAR(render->get_simtime() - before, 0.25 * static_cast<double>(speed), 1e-12);
    EXPECT_NEAR(Due(), 1.0, 1e-12);
    EXPECT_EQ(render->get_speed(), speed);
    EXPECT_TRUE(render->get_extra());
    EXPECT_EQ(render->get_device(), device);
  }
}

TEST_F(SwitchSystemTest, AccessorsGiveTheCurrentSystemAndForgetTheDestroyedOne) {
  EXPECT_EQ(render->GetSystem2(), render->get_system());
  EXPECT_EQ(render->GetSystem1(), nullptr);
  Frame(0.1f, {kKeyS});
  EXPECT_EQ(render->GetSystem1(), render->get_system());
  EXPECT_EQ(render->GetSystem2(), nullptr);
  Frame(0.1f, {kKeyS});
  EXPECT_EQ(render->GetSystem2(), render->get_system());
  EXPECT_EQ(render->GetSystem1(), nullptr);
}

struct Left {
  const char* name;
  std::vector<std::vector<int>> frames;  // keys of half-second frames before switching away
};

// Names the row in failure messages.
void PrintTo(const Left& row, std::ostream* out) {
  *out << row.name;
}

class ComeBackTest : public SwitchSystemTest, public ::testing::WithParamInterface<Left> {};

TEST_P(ComeBackTest, TheCrossroadsComesBackOnRedAndStepsAtOnce) {
  Frame(0.0f);
  for (const std::vector<int>& keys : GetParam().frames) {
    for (int key : keys)
      window->Tap(key);
    render->SetScene(0.5f);
  }
  Frame(0.5f, {kKeyS});
  Frame(0.5f, {kKeyS});
  EXPECT_EQ(render->get_activesystem(), 1);
  EXPECT_EQ(System().get_state(), Device::on);
  EXPECT_FALSE(System().get_blinking());
  EXPECT_EQ(Picture(*render), "RO- -G / R-- R-");
  EXPECT_DOUBLE_EQ(Due(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Left, ComeBackTest,
                         ::testing::Values(Left{"Running", {{}, {}, {}}},
                                           Left{"SwitchedOff", {{kKeyO}}},
                                           Left{"Blinking", {{kKeyO}, {kKeyB}, {}}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SwitchSystemTest, ARequestIsLostBySwitchingAwayAndBack) {
  for (bool away : {false, true}) {
    Restart();
    Frame(0.0f, {kKeyS});
    Frame(1.0f);
    ASSERT_EQ(Picture(*render), "--G R-");
    Frame(0.5f, {kKeyR});
    if (away) {
      Frame(0.5f, {kKeyS});
      Frame(0.5f, {kKeyS});
    }
    const std::vector<std::string> after = Run(40, 0.5f);
    const bool served = std::find(after.begin(), after.end(), "-O- R-") != after.end();
    EXPECT_EQ(served, !away) << "switched away " << away;
  }
}

TEST_F(SwitchSystemTest, TheNewDisplayStartsItsCameraAfreshAndGetsTheSwitchFramesTime) {
  Frame(0.0f, {kKeyS});
  const D3DMATRIX start = LastView();
  window->SetKey(VK_UP, true);
  Frames(10, 0.1f);
  ASSERT_FALSE(SameMatrix(LastView(), start));
  Frame(0.1f, {kKeyS});
  Frame(0.5f, {kKeyS});
  window->SetKey(VK_UP, false);
  const D3DMATRIX drawn = LastView();
  // The crossing's camera from its start, walked forward once by the switch frame's time.
  CCamera camera(render->get_device(), 1024, 768, -10.0f, -10.0f, 45.0f);
  camera.Movefoward(0.5f);
  camera.Update();
  EXPECT_TRUE(SameMatrix(drawn, LastView()));
}

TEST_F(SwitchSystemTest, HoldingSAlternatesWithANewSystemAndDisplayEveryFrame) {
  Frame(0.0f);
  const int liveAtStart = graphics->liveObjects;
  window->SetKey(kKeyS, true);
  for (int frame = 1; frame <= 1000; ++frame) {
    fake::Log().Clear();
    render->SetScene(0.01f);
    const bool crossing = frame % 2 == 1;
    ASSERT_EQ(render->get_activesystem(), crossing ? 0 : 1) << "frame " << frame;
    ASSERT_EQ(Picture(*render), crossing ? "RO- R-" : "RO- -G / R-- R-") << "frame " << frame;
    // The old display's models were released and the new display's loaded afresh.
    ASSERT_GT(fake::Log().Count("Release"), 0u) << "frame " << frame;
    ASSERT_GT(fake::Log().Count("LoadMesh"), 0u) << "frame " << frame;
    if (!crossing) {
      ASSERT_EQ(graphics->liveObjects, liveAtStart) << "frame " << frame;
    }
  }
}

TEST_F(SwitchSystemTest, DestroyingBeforeAnyFrameReleasesEverythingSetupLast) {
  fake::Log().Clear();
  render.reset();
  g_render = nullptr;
  EXPECT_EQ(graphics->liveObjects, 0);
  const std::vector<fake::Call> releases = fake::Log().Named("Release");
  ASSERT_GE(releases.size(), 3u);
  EXPECT_EQ(releases[releases.size() - 2].caption, "device");
  EXPECT_EQ(releases.back().caption, "d3d");
  EXPECT_EQ(fake::Log().Calls().back().name, "Release");
}

}  // namespace
