// One frame of the renderer: the order of its steps, the speed keys, the simulation keys, the step
// schedule and the clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "render/CCamera.h"
#include "tests/shell/ShellTestSupport.h"

namespace {

using shelltest::kKeyA;
using shelltest::kKeyB;
using shelltest::kKeyE;
using shelltest::kKeyO;
using shelltest::kKeyR;
using shelltest::kKeyS;
using shelltest::kKeyW;
using shelltest::LastView;
using shelltest::Picture;
using shelltest::SameMatrix;

class SetSceneTest : public shelltest::RendererTest {};

// Keys pressed together in one frame on the crossroads, after its first step; `off` switches it
// off in a frame before.
struct SameFrame {
  const char* name;
  bool off;
  std::vector<int> keys;
  int activesystem;
  Device::devicestate state;
  bool blinking;
  double due;  // simulated seconds to the next step after the frame
  std::string picture;
};

// Names the row in failure messages.
void PrintTo(const SameFrame& row, std::ostream* out) {
  *out << row.name;
}

class SameFrameTest : public SetSceneTest, public ::testing::WithParamInterface<SameFrame> {};

TEST_P(SameFrameTest, KeysActInTheirOrder) {
  const SameFrame& c = GetParam();
  Frame(0.0f);
  if (c.off)
    Frame(0.5f, {kKeyO});
  for (int key : c.keys)
    window->Tap(key);
  render->SetScene(0.25f);
  EXPECT_EQ(render->get_activesystem(), c.activesystem);
  EXPECT_EQ(System().get_state(), c.state);
  EXPECT_EQ(System().get_blinking(), c.blinking);
  EXPECT_DOUBLE_EQ(Due(), c.due);
  EXPECT_EQ(Picture(*render), c.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Order, SameFrameTest,
    ::testing::Values(
        // Blink mode starts, so A finds the system blinking and does nothing.
        SameFrame{"BThenA", true, {kKeyB, kKeyA}, 1, Device::off, true, 1.0, "-O- R- / -O- R-"},
        // Blink mode starts and O stops it again; the schedule stays one second ahead.
        SameFrame{"BThenO", true, {kKeyB, kKeyO}, 1, Device::off, false, 1.0, "--- -- / --- --"},
        // Switched on and off again; the step that was scheduled by A is a second ahead.
        SameFrame{"AThenO", true, {kKeyA, kKeyO}, 1, Device::off, false, 1.0, "--- -- / --- --"},
        // The new crossing is off before its first step, which then does nothing.
        SameFrame{"SThenO", false, {kKeyS, kKeyO}, 0, Device::off, false, 1.0, "--- --"},
        // The new crossing takes its first step at once.
        SameFrame{"SAlone", false, {kKeyS}, 0, Device::on, false, 1.0, "RO- R-"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SetSceneTest, RequestInTheFrameOfASwitchGoesToTheNewCrossing) {
  // With a request the cars' green ends after its five seconds; without one it holds.
  for (bool request : {false, true}) {
    Restart();
    if (request) {
      Frame(0.0f, {kKeyS, kKeyR});
    } else {
      Frame(0.0f, {kKeyS});
    }
    EXPECT_EQ(Run(2, 1.0f).back(), "--G R-");
    EXPECT_EQ(Run(4, 1.0f).back(), request ? "-O- R-" : "--G R-") << "request " << request;
  }
}

TEST_F(SetSceneTest, NumPlusHeldClimbsToJustAboveTenAndStays) {
  for (int frame = 1; frame < 900; ++frame) {
    Frame(0.0f, {VK_ADD});
    ASSERT_LT(render->get_speed(), 10.0f) << "frame " << frame;
  }
  Frame(0.0f, {VK_ADD});
  EXPECT_EQ(render->get_speed(), 10.000134468078613f);
  Frames(100, 0.0f, {VK_ADD});
  EXPECT_EQ(render->get_speed(), 10.000134468078613f);
}

struct Descent {
  const char* name;
  int climb;     // frames of Num+ before
  int frames;    // frames of Num- held
  double speed;  // about where it ends
};

// Names the row in failure messages.
void PrintTo(const Descent& row, std::ostream* out) {
  *out << row.name;
}

class DescentTest : public SetSceneTest, public ::testing::WithParamInterface<Descent> {};

TEST_P(DescentTest, NumMinusHeldEndsJustAboveZero) {
  const Descent& d = GetParam();
  Frames(d.climb, 0.0f, {VK_ADD});
  for (int frame = 0; frame < d.frames; ++frame) {
    Frame(0.0f, {VK_SUBTRACT});
    ASSERT_GT(render->get_speed(), 0.0f) << "frame " << frame;
  }
  EXPECT_NEAR(render->get_speed(), d.speed, d.speed * 1e-3);
  const float bottom = render->get_speed();
  Frames(50, 0.0f, {VK_SUBTRACT});
  EXPECT_EQ(render->get_speed(), bottom);
  // The clock all but stands still.
  const double before = render->get_simtime();
  Frame(1.0f);
  EXPECT_NEAR(render->get_simtime() - before, d.speed, d.speed * 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Speed, DescentTest,
                         ::testing::Values(Descent{"FromOne", 0, 100, 6.7055e-7},
                                           Descent{"FromTen", 900, 1000, 9.0897e-7}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SetSceneTest, NinetyNineStepsDownFromOneStillLeaveOneMore) {
  Frames(99, 0.0f, {VK_SUBTRACT});
  EXPECT_NEAR(render->get_speed(), 0.01000067, 1e-8);
  EXPECT_GT(static_cast<double>(render->get_speed()), 0.01);
}

TEST_F(SetSceneTest, NumZeroWithAnotherSpeedKeyGivesExactlyOne) {
  for (int key : {VK_ADD, VK_SUBTRACT}) {
    Frames(7, 0.0f, {VK_ADD});
    ASSERT_NE(render->get_speed(), 1.0f);
    Frame(0.0f, {VK_NUMPAD0, key});
    EXPECT_EQ(render->get_speed(), 1.0f) << "with key " << key;
  }
}

TEST_F(SetSceneTest, ClockRunsAtSpeedAndTheDisplayGetsTheUnscaledTime) {
  Frame(0.0f);
  Frames(100, 0.0f, {VK_ADD});
  const float speed = render->get_speed();
  ASSERT_GT(speed, 1.9f);
  const double before = render->get_simtime();
  window->SetKey(VK_UP, true);
  Frame(0.5f);
  window->SetKey(VK_UP, false);
  EXPECT_DOUBLE_EQ(render->get_simtime() - before, 0.5 * static_cast<double>(speed));
  const D3DMATRIX drawn = LastView();
  // The crossroads' camera from its start, walked forward by the unscaled frame time.
  CCamera camera(render->get_device(), 1024, 768, -25.0f, -10.0f, 45.0f);
  camera.Movefoward(0.5f);
  camera.Update();
  EXPECT_TRUE(SameMatrix(drawn, LastView()));
}

TEST_F(SetSceneTest, EShowsAndWHidesTheAdditionalModelsAndTogetherLeaveThemHidden) {
  struct Step {
    std::vector<int> keys;
    bool extra;
  };
  const std::vector<Step> steps = {
      {{}, false},     {{kKeyE}, true},  {{}, true},      {{kKeyE, kKeyW}, false},
      {{kKeyE}, true}, {{kKeyW}, false}, {{kKeyW}, false}};
  for (std::size_t i = 0; i < steps.size(); ++i) {
    for (int key : steps[i].keys)
      window->Tap(key);
    render->SetScene(0.1f);
    EXPECT_EQ(render->get_extra(), steps[i].extra) << "step " << i;
  }
}

TEST_F(SetSceneTest, RequestOnTheCrossroadsChangesNothing) {
  const std::vector<std::string> plain = Run(80, 0.5f);
  Restart();
  const std::vector<std::string> requested = Run(80, 0.5f, {kKeyR});
  EXPECT_EQ(requested, plain);
  EXPECT_GT(std::set<std::string>(plain.begin(), plain.end()).size(), 4u);
}

TEST_F(SetSceneTest, RequestOnASwitchedOffCrossingWaitsUntilItRunsAgain) {
  for (bool request : {false, true}) {
    Restart();
    Frame(0.0f, {kKeyS});
    Frame(1.0f);
    ASSERT_EQ(Picture(*render), "--G R-");
    Frame(0.5f, {kKeyO});
    if (request)
      Frame(0.5f, {kKeyR});
    Run(20, 1.0f);
    Frame(0.5f, {kKeyA});
    const std::vector<std::string> after = Run(40, 0.5f);
    const bool served = std::find(after.begin(), after.end(), "-O- R-") != after.end();
    EXPECT_EQ(served, request) << "request " << request;
  }
}

TEST_F(SetSceneTest, FirstStepIsTakenAtOnceEvenWithFrameTimeZero) {
  Frame(0.0f);
  EXPECT_EQ(render->get_simtime(), 0.0);
  EXPECT_EQ(Picture(*render), "RO- -G / R-- R-");
  EXPECT_DOUBLE_EQ(Due(), 1.0);
  Frame(0.0f);
  EXPECT_EQ(Picture(*render), "RO- -G / R-- R-");
}

TEST_F(SetSceneTest, ALongFrameMakesExactlyOneStep) {
  Frame(0.0f);
  Frames(900, 0.0f, {VK_ADD});
  Frame(100.0f);
  EXPECT_EQ(Picture(*render), "--G -G / R-- R-");
  EXPECT_NEAR(Due(), 5.0, 1e-9);
}

struct Resume {
  const char* name;
  std::vector<std::vector<int>> frames;  // keys of successive half-second frames after the first
  double due;                            // simulated seconds from A to the first step
};

// Names the row in failure messages.
void PrintTo(const Resume& row, std::ostream* out) {
  *out << row.name;
}

class SwitchOnTest : public SetSceneTest, public ::testing::WithParamInterface<Resume> {};

TEST_P(SwitchOnTest, AWaitsTheLastDelay) {
  Frame(0.0f);
  for (const std::vector<int>& keys : GetParam().frames) {
    for (int key : keys)
      window->Tap(key);
    render->SetScene(0.5f);
  }
  Frame(0.5f, {kKeyA});
  EXPECT_EQ(Picture(*render), "R-- R- / R-- R-");
  EXPECT_DOUBLE_EQ(Due(), GetParam().due);
  Frame(static_cast<float>(GetParam().due) - 0.1f);
  EXPECT_EQ(Picture(*render), "R-- R- / R-- R-");
  Frame(0.2f);
  EXPECT_EQ(Picture(*render), "RO- -G / R-- R-");
}

INSTANTIATE_TEST_SUITE_P(Delay, SwitchOnTest,
                         ::testing::Values(
                             // The step to green set five seconds.
                             Resume{"AfterGreen", {{}, {}, {kKeyO}}, 5.0},
                             Resume{"AfterBlinking", {{kKeyO}, {kKeyB}, {}, {kKeyO}}, 1.0},
                             Resume{"AfterAStepThatSetOne", {{kKeyO}}, 1.0}),
                         [](const auto& row) { return std::string(row.param.name); });

struct LongRun {
  const char* name;
  float start;  // simulated seconds reached by one long frame
  float frame;  // frame time afterwards
};

// Names the row in failure messages.
void PrintTo(const LongRun& row, std::ostream* out) {
  *out << row.name;
}

class LongRunTest : public SetSceneTest, public ::testing::WithParamInterface<LongRun> {};

TEST_P(LongRunTest, ClockStillAdvancesAndLightsStillStep) {
  const LongRun& r = GetParam();
  Frame(0.0f);
  Frame(r.start);
  std::set<std::string> seen;
  const int frames = static_cast<int>(std::lround(12.0 / static_cast<double>(r.frame)));
  for (int i = 0; i < frames; ++i) {
    const double before = render->get_simtime();
    render->SetScene(r.frame);
    ASSERT_GT(render->get_simtime(), before) << "frame " << i;
    seen.insert(Picture(*render));
    fake::Log().Clear();
  }
  EXPECT_NEAR(render->get_simtime() - static_cast<double>(r.start), 12.0, 0.01);
  // Twelve seconds take the east-west direction from green through orange to red and on.
  EXPECT_GE(seen.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Clock, LongRunTest,
                         ::testing::Values(LongRun{"SixDaysAtSixtyHertz", 524288.0f, 1.0f / 60.0f},
                                           LongRun{"SixDaysAtOneKilohertz", 524288.0f, 0.001f},
                                           LongRun{"OneYearAtSixtyHertz", 33554432.0f,
                                                   1.0f / 60.0f},
                                           LongRun{"OneYearAtOneKilohertz", 33554432.0f, 0.001f}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
