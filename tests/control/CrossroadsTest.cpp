// The crossroads: the alternating eight-step cycle, its safety, and switching on and off.
#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"

using kztest::Lamps;
using kztest::Now;
using kztest::RecordingShower;

namespace {

constexpr System2T2P::phase2t2p kEW = System2T2P::phaseEW;
constexpr System2T2P::phase2t2p kNS = System2T2P::phaseNS;
constexpr const char* kAllRed = "R-- R- / R-- R-";

struct Row {
  const char* lamps;
  System2T2P::phase2t2p phase;
  float timedelay;
};

// One full cycle after construction; the lamps are east-west, then north-south.
const Row kCycle[] = {
    {"RO- -G / R-- R-", kEW, 1.0f}, {"--G -G / R-- R-", kEW, 5.0f}, {"-O- R- / R-- R-", kEW, 1.0f},
    {"R-- R- / R-- R-", kNS, 1.0f}, {"R-- R- / RO- -G", kNS, 1.0f}, {"R-- R- / --G -G", kNS, 5.0f},
    {"R-- R- / -O- R-", kNS, 1.0f}, {"R-- R- / R-- R-", kEW, 1.0f},
};

// A pedestrian light is green only while its own cars have red-orange or green.
void ExpectPedestriansSafe(const TrafficLight& traffic, const PedestrianLight& pedestrian) {
  if (Lamps(pedestrian) == "-G") {
    const std::string cars = Lamps(traffic);
    EXPECT_TRUE(cars == "RO-" || cars == "--G") << "cars show " << cars;
  }
}

// The direction that did not run shows red on both lights, and no pedestrian walks unsafely.
void ExpectSafe(const System2T2P& system, System2T2P::phase2t2p ran) {
  const bool ewran = ran == kEW;
  const TrafficLight& idletraffic = ewran ? *system.get_traflightNS() : *system.get_traflightEW();
  const PedestrianLight& idlepeds = ewran ? *system.get_pedlightNS() : *system.get_pedlightEW();
  EXPECT_EQ(Lamps(idletraffic), "R--");
  EXPECT_EQ(Lamps(idlepeds), "R-");
  ExpectPedestriansSafe(*system.get_traflightEW(), *system.get_pedlightEW());
  ExpectPedestriansSafe(*system.get_traflightNS(), *system.get_pedlightNS());
}

TEST(Crossroads, NewSystemIsOnAllRedWithEastWestFirst) {
  System2T2P system;
  EXPECT_EQ(system.get_state(), Device::on);
  EXPECT_FALSE(system.get_blinking());
  EXPECT_EQ(system.get_phase(), kEW);
  EXPECT_EQ(system.get_timedelay(), 1.0f);
  EXPECT_EQ(Lamps(system), kAllRed);
}

TEST(Crossroads, CycleRepeatsSafelyAndIgnoresRequests) {
  for (bool request : {false, true}) {
    System2T2P system;
    RecordingShower display(system);
    system.Registershower(&display);
    for (int cycle = 0; cycle < 6; ++cycle) {
      int index = 1;
      for (const Row& row : kCycle) {
        SCOPED_TRACE(testing::Message()
                     << "requests " << request << ", cycle " << cycle << ", step " << index++);
        if (request) {
          system.Requestped();
        }
        const System2T2P::phase2t2p running = system.get_phase();
        const size_t before = display.snapshots.size();
        system.Advance();
        EXPECT_EQ(Lamps(system), row.lamps);
        EXPECT_EQ(system.get_phase(), row.phase);
        EXPECT_EQ(system.get_timedelay(), row.timedelay);
        ASSERT_EQ(display.snapshots.size(), before + 1);
        EXPECT_EQ(display.snapshots.back(), Now(system));
        ExpectSafe(system, running);
      }
    }
  }
}

TEST(Crossroads, SwitchOnFromAnyStepRestartsAllRedWithEastWest) {
  for (int steps = 0; steps < 8; ++steps) {
    for (bool viaoff : {false, true}) {
      SCOPED_TRACE(testing::Message() << steps << " steps, off first " << viaoff);
      System2T2P system;
      for (int i = 0; i < steps; ++i) {
        system.Advance();
      }
      if (viaoff) {
        system.SwitchOff();
        ASSERT_EQ(Lamps(system), "--- -- / --- --");
      }
      const float timedelay = system.get_timedelay();
      RecordingShower display(system);
      system.Registershower(&display);
      system.SwitchOn();
      EXPECT_EQ(Lamps(system), kAllRed);
      EXPECT_EQ(system.get_phase(), kEW);
      EXPECT_EQ(system.get_state(), Device::on);
      EXPECT_EQ(system.get_timedelay(), timedelay);
      ASSERT_EQ(display.snapshots.size(), 1u);
      EXPECT_EQ(display.snapshots.back().lamps, kAllRed);
      system.Advance();
      EXPECT_EQ(Lamps(system), kCycle[0].lamps);
      ExpectSafe(system, kEW);
    }
  }
}

TEST(Crossroads, AdvanceWhileOffKeepsTimedelayAndStillNotifies) {
  System2T2P system;
  system.Advance();
  system.Advance();
  ASSERT_EQ(system.get_timedelay(), 5.0f);
  system.SwitchOff();
  EXPECT_EQ(system.get_phase(), System2T2P::phaseoff);
  RecordingShower display(system);
  system.Registershower(&display);
  system.Advance();
  EXPECT_EQ(Lamps(system), "--- -- / --- --");
  EXPECT_EQ(system.get_phase(), System2T2P::phaseoff);
  EXPECT_EQ(system.get_state(), Device::off);
  EXPECT_EQ(system.get_timedelay(), 5.0f);
  EXPECT_EQ(display.snapshots.size(), 1u);
}

}  // namespace
