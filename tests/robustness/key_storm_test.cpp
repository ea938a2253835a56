// Key storms on the renderer: every subset of the keys the program polls is held for a stretch of
// frames, once in Gray-code order (each stretch differs from the one before by one key pressed or
// released, as a hand on the keyboard changes them) and once in a shuffled order (many keys change
// at once). After every frame the lamps are safe, the speed is in range and the next step is
// scheduled within one delay; no impossible lamp combination is ever drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numeric>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "control/Lightsystem.h"
#include "tests/robustness/null_program.h"
#include "tests/robustness/rules.h"

namespace robust {
namespace {

// B, O, A, R, E, W, Num+, Num-, Num0, S, the arrows and Escape, bit 0 first. In the Gray-code
// walk the low bits change most often; B below A lets a released O be followed by B before A, so
// that the walk reaches blink mode.
constexpr std::array<int, 15> kPolledKeys = {66, 79, 65, 82, 69, 87, 107, 109,
                                             96, 83, 37, 38, 39, 40, 27};

// Frame times cycled over the stretches: a frame of no time, fast frames, slow frames and a frame
// longer than every step delay.
constexpr std::array<float, 5> kFrameTimes = {0.0f, 0.001f, 0.016f, 0.25f, 3.0f};

// Frames each subset is held; KZ_STORM_FRAMES overrides. Always odd, so that a stretch with S held
// leaves the other system current and both systems meet the following subsets.
int FramesPerSubset() {
  const char* text = std::getenv("KZ_STORM_FRAMES");
  const int frames = text != nullptr ? std::atoi(text) : 0;
  return (frames > 0 ? frames : 13) | 1;
}

void Hold(HeldKeys& keys, unsigned subset) {
  for (std::size_t i = 0; i < kPolledKeys.size(); ++i)
    keys.Set(kPolledKeys[i], ((subset >> i) & 1u) != 0);
}

// The mode a frame ended in, as the user sees it: which system, and whether on, off or blinking.
std::string Mode(CRender& render) {
  const Lightsystem& s = *render.get_system();
  const char* kind = render.get_activesystem() == 1 ? "crossroads" : "crossing";
  const char* mode = s.get_blinking() ? "blinking" : s.get_state() == Device::on ? "on" : "off";
  return std::string(kind) + " " + mode;
}

// Every subset of the polled keys, each once.
constexpr unsigned kSubsets = 1u << kPolledKeys.size();

std::vector<unsigned> GrayCodeOrder() {
  std::vector<unsigned> order(kSubsets);
  for (unsigned i = 0; i < kSubsets; ++i)
    order[i] = i ^ (i >> 1);
  return order;
}

std::vector<unsigned> ShuffledOrder() {
  std::vector<unsigned> order(kSubsets);
  std::iota(order.begin(), order.end(), 0u);
  std::shuffle(order.begin(), order.end(), std::mt19937(20240611u));
  return order;
}

struct Walk {
  const char* name = "";
  std::vector<unsigned> (*order)() = nullptr;
};

void PrintTo(const Walk& walk, std::ostream* out) {
  *out << walk.name;
}

class KeyStorm : public ::testing::TestWithParam<Walk> {};

// Runs the walk from the current system on, checking after every frame; counts frames per mode.
void RunWalk(NullProgram& program, const std::vector<unsigned>& order,
             std::map<std::string, long>& framesInMode) {
  CRender& render = program.Render();
  const int frames = FramesPerSubset();
  double clock = render.get_simtime();
  for (std::size_t i = 0; i < order.size(); ++i) {
    Hold(program.Keys(), order[i]);
    const float frameTime = kFrameTimes[i % kFrameTimes.size()];
    for (int f = 0; f < frames; ++f) {
      program.Frame(frameTime);
      const std::string lamps = UnsafeLamps(render);
      const std::string schedule = BadSchedule(render);
      ASSERT_TRUE(lamps.empty() && schedule.empty())
          << "keys 0x" << std::hex << order[i] << std::dec << ", frame " << f << ": " << lamps
          << schedule;
      ASSERT_GE(render.get_simtime(), clock) << "the clock went back";
      clock = render.get_simtime();
      ++framesInMode[Mode(render)];
    }
  }
  EXPECT_EQ(program.Keys().messageBoxes, 0) << "an impossible lamp combination was drawn";
}

// The walk once from each system: while S is held the systems alternate frame by frame, so the
// system current between S stretches depends on where the walk began.
TEST_P(KeyStorm, EverySubsetOfThePolledKeysKeepsTheLightsSafeAndTheSpeedInRange) {
  const std::vector<unsigned> order = GetParam().order();
  std::map<std::string, long> framesInMode;
  for (const bool fromCrossing : {false, true}) {
    SCOPED_TRACE(fromCrossing ? "from the crossing" : "from the crossroads");
    NullProgram program;
    if (fromCrossing)
      program.Render().SwitchSystem();
    RunWalk(program, order, framesInMode);
    if (HasFatalFailure())
      return;
  }
  // Every mode of both systems was reached, so the rules were checked in each of them.
  for (const char* mode : {"crossroads on", "crossroads off", "crossroads blinking", "crossing on",
                           "crossing off", "crossing blinking"}) {
    EXPECT_GT(framesInMode[mode], 0) << mode;
  }
  for (const auto& [mode, count] : framesInMode)
    std::printf("%-20s %ld frames\n", mode.c_str(), count);
}

INSTANTIATE_TEST_SUITE_P(Walks, KeyStorm,
                         ::testing::Values(Walk{"GrayCode", GrayCodeOrder},
                                           Walk{"Shuffled", ShuffledOrder}),
                         [](const ::testing::TestParamInfo<Walk>& walk) {
                           return std::string(walk.param.name);
                         });

}  // namespace
}  // namespace robust
