// Blink mode of both light systems: which lamps toggle, step time and the final dark state.
#include <gtest/gtest.h>

#include <vector>

#include "ControlTestSupport.h"

using kztest::Lamps;
using kztest::RecordingShower;
using kztest::Snapshot;

namespace {

// From off with a 5 s step time: three blink steps, then blink mode ends dark.
template <class System>
void CheckBlinkCycle(const char* lit, const char* dark) {
  System system;
  system.Advance();
  system.Advance();
  ASSERT_EQ(system.get_timedelay(), 5.0f);
  system.SwitchOff();
  RecordingShower display(system);
  system.Registershower(&display);
  for (const char* expected : {lit, dark, lit}) {
    system.Doblinking();
    EXPECT_EQ(Lamps(system), expected);
    EXPECT_TRUE(system.get_blinking());
    EXPECT_EQ(system.get_state(), Device::off);
    EXPECT_EQ(system.get_timedelay(), 1.0f);
  }
  system.Stopblinking();
  EXPECT_EQ(Lamps(system), dark);
  EXPECT_FALSE(system.get_blinking());
  EXPECT_EQ(system.get_state(), Device::off);
  // Ending blink mode is announced while the system still reports blinking.
  const std::vector<Snapshot> expected = {{lit, true}, {dark, true}, {lit, true}, {dark, true}};
  EXPECT_EQ(display.snapshots, expected);
}

TEST(BlinkMode, CrossingTogglesOrangeAndPedestrianRed) {
  CheckBlinkCycle<System1T1P>("-O- R-", "--- --");
}

TEST(BlinkMode, CrossroadsTogglesBothOrangesAndBothPedestrianReds) {
  CheckBlinkCycle<System2T2P>("-O- R- / -O- R-", "--- -- / --- --");
}

template <class System>
void CheckStopblinkingWhileOn(const char* dark) {
  System system;
  system.Advance();
  RecordingShower display(system);
  system.Registershower(&display);
  system.Stopblinking();
  EXPECT_EQ(system.get_state(), Device::off);
  EXPECT_FALSE(system.get_blinking());
  EXPECT_EQ(Lamps(system), dark);
  const std::vector<Snapshot> expected = {{dark, false}};
  EXPECT_EQ(display.snapshots, expected);
}

TEST(BlinkMode, StopblinkingOnARunningSystemSwitchesItOff) {
  CheckStopblinkingWhileOn<System1T1P>("--- --");
  CheckStopblinkingWhileOn<System2T2P>("--- -- / --- --");
}

template <class System>
void CheckSwitchOnAfterBlinking(const char* allred) {
  System system;
  system.SwitchOff();
  system.Doblinking();
  system.Stopblinking();
  system.SwitchOn();
  EXPECT_EQ(Lamps(system), allred);
  EXPECT_EQ(system.get_state(), Device::on);
  EXPECT_FALSE(system.get_blinking());
  EXPECT_EQ(system.get_timedelay(), 1.0f);
}

TEST(BlinkMode, SwitchingOnAfterBlinkModeStartsAllRed) {
  CheckSwitchOnAfterBlinking<System1T1P>("R-- R-");
  CheckSwitchOnAfterBlinking<System2T2P>("R-- R- / R-- R-");
}

}  // namespace
