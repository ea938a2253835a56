// Lamps, traffic lights and pedestrian lights on their own.
#include <gtest/gtest.h>

#include "ControlTestSupport.h"

using kztest::Lamps;
using kztest::RecordingShower;
using kztest::Snapshot;

namespace {

TEST(Lamp, ToggleSwitchAndInit) {
  Lamp lamp;
  EXPECT_EQ(lamp.get_state(), Device::off);
  EXPECT_FALSE(lamp.get_blinking());
  lamp.Blink();
  EXPECT_EQ(lamp.get_state(), Device::on);
  lamp.SwitchOn();
  EXPECT_EQ(lamp.get_state(), Device::on);
  lamp.Blink();
  EXPECT_EQ(lamp.get_state(), Device::off);
  lamp.Advance();
  EXPECT_EQ(lamp.get_state(), Device::on);
}

TEST(Lamp, InitClearsBlinkModeAndSwitchesOffSilently) {
  Lamp lamp;
  RecordingShower display(lamp);
  lamp.Registershower(&display);
  lamp.Doblinking();
  ASSERT_TRUE(lamp.get_blinking());
  // The toggle notifies before blink mode is entered, the blink step after.
  const std::vector<Snapshot> blinked = {{"*", false}, {"*", true}};
  ASSERT_EQ(display.snapshots, blinked);
  lamp.Init();
  EXPECT_FALSE(lamp.get_blinking());
  EXPECT_EQ(lamp.get_state(), Device::off);
  EXPECT_EQ(display.snapshots, blinked);
}

TEST(TrafficLight, NewLightIsOnAndRedWithLabelledLamps) {
  TrafficLight light;
  EXPECT_EQ(light.get_state(), Device::on);
  EXPECT_FALSE(light.get_blinking());
  EXPECT_EQ(light.get_trafficstate(), TrafficLight::trafred);
  EXPECT_EQ(Lamps(light), "R--");
  EXPECT_EQ(light.get_redlamp()->get_color(), Lamp::red);
  EXPECT_EQ(light.get_orangelamp()->get_color(), Lamp::orange);
  EXPECT_EQ(light.get_greenlamp()->get_color(), Lamp::green);
}

TEST(TrafficLight, CycleNotifiesOncePerStep) {
  struct Row {
    TrafficLight::trafficstates state;
    const char* lamps;
  };
  const Row cycle[] = {{TrafficLight::trafredorange, "RO-"},
                       {TrafficLight::trafgreen, "--G"},
                       {TrafficLight::traforange, "-O-"},
                       {TrafficLight::trafred, "R--"}};
  TrafficLight light;
  RecordingShower display(light);
  light.Registershower(&display);
  for (int round = 0; round < 3; ++round) {
    for (const Row& row : cycle) {
      SCOPED_TRACE(testing::Message() << "round " << round << ", " << row.lamps);
      const size_t before = display.snapshots.size();
      light.Advance();
      EXPECT_EQ(light.get_trafficstate(), row.state);
      EXPECT_EQ(Lamps(light), row.lamps);
      ASSERT_EQ(display.snapshots.size(), before + 1);
      EXPECT_EQ(display.snapshots.back().lamps, row.lamps);
    }
  }
}

TEST(TrafficLight, SwitchOnFromAnyStepGivesRedOnlyAndSwitchOffDarkens) {
  for (int steps = 0; steps < 5; ++steps) {
    SCOPED_TRACE(testing::Message() << steps << " steps, then off");
    for (bool viaoff : {false, true}) {
      TrafficLight light;
      for (int i = 0; i < steps; ++i) {
        light.Advance();
      }
      RecordingShower display(light);
      light.Registershower(&display);
      if (viaoff) {
        light.SwitchOff();
        EXPECT_EQ(light.get_trafficstate(), TrafficLight::trafoff);
        EXPECT_EQ(light.get_state(), Device::off);
        EXPECT_EQ(Lamps(light), "---");
      }
      light.SwitchOn();
      EXPECT_EQ(light.get_trafficstate(), TrafficLight::trafred);
      EXPECT_EQ(light.get_state(), Device::on);
      EXPECT_EQ(Lamps(light), "R--");
      EXPECT_EQ(display.snapshots.size(), viaoff ? 2u : 1u);
      EXPECT_EQ(display.snapshots.back().lamps, "R--");
    }
  }
}

TEST(TrafficLight, AdvanceWhileOffChangesNothingAndIsSilent) {
  TrafficLight light;
  light.SwitchOff();
  RecordingShower display(light);
  light.Registershower(&display);
  light.Advance();
  light.Advance();
  EXPECT_EQ(light.get_trafficstate(), TrafficLight::trafoff);
  EXPECT_EQ(light.get_state(), Device::off);
  EXPECT_EQ(Lamps(light), "---");
  EXPECT_TRUE(display.snapshots.empty());
}

TEST(TrafficLight, BlinkTogglesOnlyTheOrangeLamp) {
  TrafficLight light;
  light.SwitchOff();
  for (const char* expected : {"-O-", "---", "-O-", "---"}) {
    light.Blink();
    EXPECT_EQ(Lamps(light), expected);
    EXPECT_EQ(light.get_trafficstate(), TrafficLight::trafoff);
    EXPECT_EQ(light.get_state(), Device::off);
  }
}

TEST(PedestrianLight, NewLightIsOnAndRedWithLabelledLamps) {
  PedestrianLight light;
  EXPECT_EQ(light.get_state(), Device::on);
  EXPECT_FALSE(light.get_blinking());
  EXPECT_EQ(light.get_pedstate(), PedestrianLight::pedred);
  EXPECT_EQ(Lamps(light), "R-");
  EXPECT_EQ(light.get_redlamp()->get_color(), Lamp::red);
  EXPECT_EQ(light.get_greenlamp()->get_color(), Lamp::green);
}

TEST(PedestrianLight, AlternatesAndNotifiesOncePerStep) {
  PedestrianLight light;
  RecordingShower display(light);
  light.Registershower(&display);
  for (int step = 0; step < 6; ++step) {
    SCOPED_TRACE(testing::Message() << "step " << step);
    const bool green = step % 2 == 0;
    light.Advance();
    EXPECT_EQ(light.get_pedstate(), green ? PedestrianLight::pedgreen : PedestrianLight::pedred);
    EXPECT_EQ(Lamps(light), green ? "-G" : "R-");
    ASSERT_EQ(display.snapshots.size(), static_cast<size_t>(step + 1));
    EXPECT_EQ(display.snapshots.back().lamps, Lamps(light));
  }
}

TEST(PedestrianLight, SwitchOnFromGreenGivesRedOnlyAndSwitchOffDarkens) {
  PedestrianLight light;
  light.Advance();
  RecordingShower display(light);
  light.Registershower(&display);
  light.SwitchOn();
  EXPECT_EQ(light.get_pedstate(), PedestrianLight::pedred);
  EXPECT_EQ(Lamps(light), "R-");
  light.Advance();
  light.SwitchOff();
  EXPECT_EQ(light.get_pedstate(), PedestrianLight::pedoff);
  EXPECT_EQ(light.get_state(), Device::off);
  EXPECT_EQ(Lamps(light), "--");
  const std::vector<Snapshot> expected = {{"R-", false}, {"-G", false}, {"--", false}};
  EXPECT_EQ(display.snapshots, expected);
}

TEST(PedestrianLight, AdvanceWhileOffChangesNothingAndIsSilent) {
  PedestrianLight light;
  light.SwitchOff();
  RecordingShower display(light);
  light.Registershower(&display);
  light.Advance();
  EXPECT_EQ(light.get_pedstate(), PedestrianLight::pedoff);
  EXPECT_EQ(Lamps(light), "--");
  EXPECT_TRUE(display.snapshots.empty());
}

TEST(PedestrianLight, BlinkTogglesOnlyTheRedLamp) {
  PedestrianLight light;
  light.SwitchOff();
  for (const char* expected : {"R-", "--", "R-", "--"}) {
    light.Blink();
    EXPECT_EQ(Lamps(light), expected);
    EXPECT_EQ(light.get_pedstate(), PedestrianLight::pedoff);
    EXPECT_EQ(light.get_state(), Device::off);
  }
}

}  // namespace
