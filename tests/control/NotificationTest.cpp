// How devices notify their display: once per visible change, after every light is updated.
#include <gtest/gtest.h>

#include <memory>

#include "ControlTestSupport.h"

using kztest::Lamps;
using kztest::RecordingShower;
using kztest::Snapshot;

namespace {

enum class Action { advance, switchoff, switchon, doblinking, stopblinking, requestped, init };

struct Step {
  Action action;
  bool notifies;
};

void Apply(Lightsystem& system, Action action) {
  switch (action) {
    case Action::advance:
      system.Advance();
      break;
    case Action::switchoff:
      system.SwitchOff();
      break;
    case Action::switchon:
      system.SwitchOn();
      break;
    case Action::doblinking:
      system.Doblinking();
      break;
    case Action::stopblinking:
      system.Stopblinking();
      break;
    case Action::requestped:
      system.Requestped();
      break;
    case Action::init:
      system.Init();
      break;
  }
}

// A run through every operation: cycling, requests, off, blink mode and back on.
const Step kScript[] = {
    {Action::advance, true},      {Action::advance, true},     {Action::requestped, false},
    {Action::advance, true},      {Action::advance, true},     {Action::advance, true},
    {Action::advance, true},      {Action::advance, true},     {Action::advance, true},
    {Action::advance, true},      {Action::advance, true},     {Action::switchoff, true},
    {Action::advance, true},      {Action::requestped, false}, {Action::switchon, true},
    {Action::advance, true},      {Action::advance, true},     {Action::advance, true},
    {Action::advance, true},      {Action::advance, true},     {Action::switchoff, true},
    {Action::doblinking, true},   {Action::doblinking, true},  {Action::doblinking, true},
    {Action::stopblinking, true}, {Action::init, false},       {Action::advance, true},
    {Action::stopblinking, true}, {Action::switchon, true},    {Action::advance, true},
};

template <class System>
void CheckOneNotificationPerChangeWithFinalLamps() {
  System system;
  RecordingShower display(system);
  system.Registershower(&display);
  int index = 0;
  for (const Step& step : kScript) {
    SCOPED_TRACE(testing::Message() << "script step " << index++);
    const size_t before = display.snapshots.size();
    const bool wasblinking = system.get_blinking();
    Apply(system, step.action);
    ASSERT_EQ(display.snapshots.size(), before + (step.notifies ? 1 : 0));
    if (step.notifies) {
      // Stopblinking leaves blink mode only after its display has been told.
      const bool seenblinking =
          step.action == Action::stopblinking ? wasblinking : system.get_blinking();
      EXPECT_EQ(display.snapshots.back(), (Snapshot{Lamps(system), seenblinking}));
    }
  }
}

TEST(Notification, CrossingNotifiesOncePerChangeAfterUpdatingAllLights) {
  CheckOneNotificationPerChangeWithFinalLamps<System1T1P>();
}

TEST(Notification, CrossroadsNotifiesOncePerChangeAfterUpdatingAllLights) {
  CheckOneNotificationPerChangeWithFinalLamps<System2T2P>();
}

template <class Observed>
void CheckInitIsSilent(int stepsbefore, bool switchoffbefore) {
  Observed device;
  for (int i = 0; i < stepsbefore; ++i) {
    device.Advance();
  }
  if (switchoffbefore) {
    device.SwitchOff();
  }
  RecordingShower display(device);
  device.Registershower(&display);
  device.Init();
  EXPECT_TRUE(display.snapshots.empty());
}

TEST(Notification, InitNeverNotifies) {
  for (int steps : {0, 1, 2, 5}) {
    for (bool switchoff : {false, true}) {
      SCOPED_TRACE(testing::Message() << steps << " steps, off " << switchoff);
      CheckInitIsSilent<System1T1P>(steps, switchoff);
      CheckInitIsSilent<System2T2P>(steps, switchoff);
      CheckInitIsSilent<TrafficLight>(steps, switchoff);
      CheckInitIsSilent<PedestrianLight>(steps, switchoff);
      CheckInitIsSilent<Lamp>(steps, switchoff);
    }
  }
}

TEST(Notification, UnregisteringSilencesTheDisplay) {
  System2T2P system;
  RecordingShower display(system);
  system.Registershower(&display);
  system.Advance();
  system.Unregistershower();
  system.Advance();
  system.SwitchOff();
  system.Doblinking();
  system.Stopblinking();
  system.Show();
  EXPECT_EQ(display.snapshots.size(), 1u);
}

TEST(Notification, RegisteringTwiceKeepsOnlyTheSecondDisplay) {
  System1T1P system;
  RecordingShower first(system);
  RecordingShower second(system);
  system.Registershower(&first);
  system.Registershower(&second);
  system.Advance();
  system.Show();
  EXPECT_TRUE(first.snapshots.empty());
  EXPECT_EQ(second.snapshots.size(), 2u);
}

TEST(Notification, DestroyingThroughTheBaseReleasesAllAndNotifiesNobody) {
  auto crossing = std::make_unique<System1T1P>();
  auto crossroads = std::make_unique<System2T2P>();
  RecordingShower crossingdisplay(*crossing);
  RecordingShower crossroadsdisplay(*crossroads);
  std::unique_ptr<Device> asdevice = std::move(crossing);
  std::unique_ptr<Lightsystem> assystem = std::move(crossroads);
  asdevice->Registershower(&crossingdisplay);
  assystem->Registershower(&crossroadsdisplay);
  asdevice->Advance();
  assystem->Advance();
  asdevice.reset();
  assystem.reset();
  EXPECT_EQ(crossingdisplay.snapshots.size(), 1u);
  EXPECT_EQ(crossroadsdisplay.snapshots.size(), 1u);
}

}  // namespace
