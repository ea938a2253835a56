// Month-long runs of the simulated clock: thirty simulated days at top speed and 1,000 frames a
// second keep both systems stepping on schedule. Every frame leaves the next step within one delay
// ahead of the clock; every step comes one delay after the one before (plus at most one frame),
// changes the lamps and keeps them safe; and the cycle of steps at day thirty is the cycle of the
// first hours.
//
// Thirty days of 1 ms frames are 2.6e8 frames per system. By default the first and the last
// KZ_LONG_RUN_HOURS (2) simulated hours run in 1 ms frames and the days between in 10 s frames;
// KZ_LONG_RUN_HOURS=360 runs the whole month in 1 ms frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "app/platform/win32.h"
#include "control/Lightsystem.h"
#include "tests/robustness/null_program.h"
#include "tests/robustness/rules.h"

namespace robust {
namespace {

constexpr double kHour = 3600.0;
constexpr double kMonth = 30.0 * 24.0 * kHour;
constexpr float kFastFrame = 0.001f;
constexpr float kLongFrame = 10.0f;
constexpr int kKeyR = 82;
constexpr int kKeyS = 83;

double FastHours() {
  const char* text = std::getenv("KZ_LONG_RUN_HOURS");
  const double hours = text != nullptr ? std::atof(text) : 0.0;
  return hours > 0.0 ? hours : 2.0;
}

// One step as the user sees it: when, the lamps it left, the delay to the next one.
struct Step {
  double at = 0.0;
  std::uint32_t lamps = 0;
  float delay = 0.0f;
};

struct Stretch {
  std::vector<Step> steps;
  long frames = 0;
  double seconds = 0.0;  // wall-clock time the stretch took
};

// 1 ms frames until the clock reaches `until`; checks every frame and records every step.
void RunFast(NullProgram& program, double until, Stretch& out) {
  CRender& render = program.Render();
  const double perFrame = static_cast<double>(kFastFrame) * render.get_speed();
  const auto start = std::chrono::steady_clock::now();
  double next = render.get_nexttime();
  // A clock whose increment is rounded away would never get there.
  const double allowed = 1.001 * (until - render.get_simtime()) / perFrame + 10.0;
  for (long n = 0; render.get_simtime() < until; ++n) {
    ASSERT_LT(static_cast<double>(n), allowed) << "the clock stalled at " << render.get_simtime();
    program.Frame(kFastFrame);
    ++out.frames;
    const std::string schedule = BadSchedule(render);
    ASSERT_TRUE(schedule.empty()) << "at " << render.get_simtime() << " s: " << schedule;
    if (render.get_nexttime() == next)
      continue;
    next = render.get_nexttime();
    const Step step{render.get_simtime(), LampPattern(render),
                    render.get_system()->get_timedelay()};
    const std::string lamps = UnsafeLamps(render);
    ASSERT_TRUE(lamps.empty()) << "at " << step.at << " s: " << lamps;
    if (!out.steps.empty()) {
      const Step& last = out.steps.back();
      const double gap = step.at - last.at;
      ASSERT_GE(gap, last.delay - 1e-6) << "step at " << step.at << " s came early";
      ASSERT_LE(gap, last.delay + perFrame + 1e-6) << "step at " << step.at << " s came late";
      ASSERT_NE(step.lamps, last.lamps) << "step at " << step.at << " s changed no lamp";
    }
    out.steps.push_back(step);
  }
  out.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool SameStep(const Step& a, const Step& b) {
  return a.lamps == b.lamps && a.delay == b.delay;
}

// The shortest period after which the recorded steps repeat, seen at least three times; 0 if none.
std::size_t Period(const std::vector<Step>& steps) {
  for (std::size_t p = 1; 3 * p <= steps.size(); ++p) {
    bool repeats = true;
    for (std::size_t i = 0; repeats && i + p < steps.size(); ++i)
      repeats = SameStep(steps[i], steps[i + p]);
    if (repeats)
      return p;
  }
  return 0;
}

// Whether the first `period` steps of `late` are one period of `early`, in any rotation.
bool SameCycle(const std::vector<Step>& early, const std::vector<Step>& late, std::size_t period) {
  for (std::size_t r = 0; r < period; ++r) {
    bool same = true;
    for (std::size_t i = 0; same && i < period; ++i)
      same = SameStep(early[r + i], late[i]);
    if (same)
      return true;
  }
  return false;
}

struct System {
  const char* name = "";
  bool crossing = false;
};

void PrintTo(const System& system, std::ostream* out) {
  *out << system.name;
}

class LongRun : public ::testing::TestWithParam<System> {};

TEST_P(LongRun, ThirtyDaysAtTopSpeedAndAThousandFramesASecondKeepStepping) {
  NullProgram program;
  CRender& render = program.Render();
  HeldKeys& keys = program.Keys();
  if (GetParam().crossing) {
    keys.Set(kKeyS, true);
    program.Frame(0.0f);
    keys.Set(kKeyS, false);
  }
  keys.Set(VK_ADD, true);
  while (render.get_speed() < 10.0f)
    program.Frame(0.0f);
  keys.Set(VK_ADD, false);
  ASSERT_EQ(render.get_speed(), kTopSpeed);
  // A request in every frame keeps the crossing cycling; the crossroads ignores it.
  keys.Set(kKeyR, true);

  const double fast = std::min(FastHours() * kHour, kMonth / 2.0);
  Stretch early;
  ASSERT_NO_FATAL_FAILURE(RunFast(program, render.get_simtime() + fast, early));
  long longFrames = 0;
  while (render.get_simtime() < kMonth - fast) {
    program.Frame(kLongFrame);
    ++longFrames;
    ASSERT_TRUE(BadSchedule(render).empty()) << BadSchedule(render);
  }
  Stretch late;
  ASSERT_NO_FATAL_FAILURE(RunFast(program, kMonth, late));

  EXPECT_GE(render.get_simtime(), kMonth);
  const std::size_t period = Period(early.steps);
  ASSERT_GT(period, 0u) << "the steps of the first hours do not cycle";
  EXPECT_EQ(Period(late.steps), period);
  EXPECT_TRUE(SameCycle(early.steps, late.steps, period)) << "day thirty cycles differently";
  EXPECT_EQ(keys.messageBoxes, 0);
  std::printf(
      "%s: %ld + %ld frames of 1 ms in %.1f s (%.0f ns/frame), %ld frames of 10 s; "
      "%zu + %zu steps, cycle of %zu steps; clock at %.0f s\n",
      GetParam().name, early.frames, late.frames, early.seconds + late.seconds,
      1e9 * (early.seconds + late.seconds) / static_cast<double>(early.frames + late.frames),
      longFrames, early.steps.size(), late.steps.size(), period, render.get_simtime());
}

INSTANTIATE_TEST_SUITE_P(Systems, LongRun,
                         ::testing::Values(System{"Crossroads", false}, System{"Crossing", true}),
                         [](const ::testing::TestParamInfo<System>& system) {
                           return std::string(system.param.name);
                         });

}  // namespace
}  // namespace robust
