// The pedestrian crossing: its step sequence and how it serves pedestrian requests.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ControlTestSupport.h"

using kztest::Lamps;
using kztest::Now;
using kztest::RecordingShower;

namespace {

constexpr System1T1P::phase1t1p kTraffic = System1T1P::phasetraffic;
constexpr System1T1P::phase1t1p kPedestrian = System1T1P::phasepedestrian;

// One Advance: whether a request is made just before it, and the system right after it.
struct Row {
  bool request;
  const char* lamps;
  System1T1P::phase1t1p phase;
  float timedelay;
};

struct Scenario {
  const char* name;
  std::function<void(System1T1P&)> setup;
  const char* startlamps;
  System1T1P::phase1t1p startphase;
  std::vector<Row> rows;
};

void Advance(System1T1P& system, int steps) {
  for (int i = 0; i < steps; ++i) {
    system.Advance();
  }
}

// Cars on green, request made, then three steps: the pedestrians show green.
void ToPedestrianGreen(System1T1P& system) {
  Advance(system, 2);
  system.Requestped();
  Advance(system, 3);
}

const Scenario kScenarios[] = {
    {"NoRequestHoldsGreen",
     [](System1T1P&) {},
     "R-- R-",
     kTraffic,
     {{false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f}}},
    {"RequestWhileGreen",
     [](System1T1P& s) { Advance(s, 2); },
     "--G R-",
     kTraffic,
     {{true, "-O- R-", kTraffic, 1.0f},
      {false, "R-- R-", kPedestrian, 1.0f},
      {false, "R-- -G", kPedestrian, 5.0f},
      {false, "R-- R-", kTraffic, 1.0f},
      {false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f}}},
    {"RequestWhileRedOrangeKeepsOneGreenStep",
     [](System1T1P& s) { Advance(s, 1); },
     "RO- R-",
     kTraffic,
     {{true, "--G R-", kTraffic, 5.0f},
      {false, "-O- R-", kTraffic, 1.0f},
      {false, "R-- R-", kPedestrian, 1.0f},
      {false, "R-- -G", kPedestrian, 5.0f},
      {false, "R-- R-", kTraffic, 1.0f},
      {false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f}}},
    {"RequestAtHandoverGivesNoSecondPeriod",
     [](System1T1P& s) {
       Advance(s, 2);
       s.Requestped();
       Advance(s, 2);
     },
     "R-- R-",
     kPedestrian,
     {{true, "R-- -G", kPedestrian, 5.0f},
      {false, "R-- R-", kTraffic, 1.0f},
      {false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f}}},
    {"RequestDuringPedestrianGreenGivesNoSecondPeriod",
     ToPedestrianGreen,
     "R-- -G",
     kPedestrian,
     {{true, "R-- R-", kTraffic, 1.0f},
      {false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f}}},
    {"RequestWhileOffIsServedAfterSwitchOn",
     [](System1T1P& s) {
       Advance(s, 2);
       s.SwitchOff();
       s.Requestped();
       Advance(s, 2);
       s.SwitchOn();
     },
     "R-- R-",
     kTraffic,
     {{false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "-O- R-", kTraffic, 1.0f},
      {false, "R-- R-", kPedestrian, 1.0f},
      {false, "R-- -G", kPedestrian, 5.0f},
      {false, "R-- R-", kTraffic, 1.0f},
      {false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f}}},
    {"SwitchOnDuringPedestrianGreenRestartsAllRed",
     [](System1T1P& s) {
       ToPedestrianGreen(s);
       s.SwitchOn();
     },
     "R-- R-",
     kTraffic,
     {{false, "RO- R-", kTraffic, 1.0f},
      {false, "--G R-", kTraffic, 5.0f},
      {false, "--G R-", kTraffic, 5.0f}}},
};

// Names the scenario in failure messages.
void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

class CrossingSequence : public testing::TestWithParam<Scenario> {};

TEST_P(CrossingSequence, StepsAsTabled) {
  const Scenario& scenario = GetParam();
  System1T1P system;
  scenario.setup(system);
  ASSERT_EQ(Lamps(system), scenario.startlamps);
  ASSERT_EQ(system.get_phase(), scenario.startphase);
  RecordingShower display(system);
  system.Registershower(&display);
  int index = 1;
  for (const Row& row : scenario.rows) {
    SCOPED_TRACE(testing::Message() << "row " << index++);
    if (row.request) {
      system.Requestped();
    }
    system.Advance();
    EXPECT_EQ(Lamps(system), row.lamps);
    EXPECT_EQ(system.get_phase(), row.phase);
    EXPECT_EQ(system.get_timedelay(), row.timedelay);
    EXPECT_EQ(system.get_state(), Device::on);
    ASSERT_FALSE(display.snapshots.empty());
    EXPECT_EQ(display.snapshots.back(), Now(system));
    // Pedestrians walk only while the cars see plain red.
    if (Lamps(*system.get_pedlight()) == "-G") {
      EXPECT_EQ(Lamps(*system.get_traflight()), "R--");
    }
  }
  EXPECT_EQ(display.snapshots.size(), scenario.rows.size());
}

INSTANTIATE_TEST_SUITE_P(Crossing, CrossingSequence, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& param) {
                           return std::string(param.param.name);
                         });

TEST(Crossing, NewSystemIsOnWithBothLightsRed) {
  System1T1P system;
  EXPECT_EQ(system.get_state(), Device::on);
  EXPECT_FALSE(system.get_blinking());
  EXPECT_EQ(system.get_phase(), kTraffic);
  EXPECT_EQ(system.get_timedelay(), 1.0f);
  EXPECT_EQ(Lamps(system), "R-- R-");
}

TEST(Crossing, AdvanceWhileOffMovesNothingAndSetsOneSecond) {
  System1T1P system;
  Advance(system, 2);
  ASSERT_EQ(system.get_timedelay(), 5.0f);
  system.SwitchOff();
  RecordingShower display(system);
  system.Registershower(&display);
  system.Advance();
  EXPECT_EQ(Lamps(system), "--- --");
  EXPECT_EQ(system.get_phase(), System1T1P::phaseoff);
  EXPECT_EQ(system.get_state(), Device::off);
  EXPECT_EQ(system.get_timedelay(), 1.0f);
  EXPECT_EQ(system.get_traflight()->get_trafficstate(), TrafficLight::trafoff);
  EXPECT_EQ(system.get_pedlight()->get_pedstate(), PedestrianLight::pedoff);
  EXPECT_EQ(display.snapshots.size(), 1u);
}

}  // namespace
