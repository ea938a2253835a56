// The whole program's frame path on the real window and OpenGL device: the presented pictures show
// each light's lit lamps in the right colour where the light models stand, the help text of the
// current system, and a view that follows the camera keys.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "tests/system/drive.h"
#include "tests/system/scene_probe.h"

namespace {

using harness::LiveProgram;
using harness::Picture;
using probe::Hue;
using probe::Kind;
using probe::Lamp;

// What a light shows; pedestrian lights use red, green and dark only.
enum class Signal { red, redorange, green, orange, dark };

using probe::Scene;
const Scene& kCrossroads = probe::CrossroadsScene();
const Scene& kCrossing = probe::CrossingScene();

// The colour each lamp of a light shows: red, orange and green lamp.
std::array<Hue, 3> LampHues(Signal signal) {
  switch (signal) {
    case Signal::red:
      return {Hue::red, Hue::dark, Hue::dark};
    case Signal::redorange:
      return {Hue::red, Hue::orange, Hue::dark};
    case Signal::green:
      return {Hue::dark, Hue::dark, Hue::green};
    case Signal::orange:
      return {Hue::dark, Hue::orange, Hue::dark};
    case Signal::dark:
      break;
  }
  return {Hue::dark, Hue::dark, Hue::dark};
}

// The help text's rectangle on a 1024x768 screen, and one line's height.
constexpr int kTextLeft = 51;
constexpr int kTextTop = 38;
constexpr int kTextRight = 341;
constexpr int kTextBottom = 384;
constexpr int kLineHeight = 16;

// Yellow help-text pixels on line `line` (from 0) of the text rectangle.
int TextOnLine(const Picture& picture, int line) {
  const int top = kTextTop + line * kLineHeight;
  return probe::CountYellowish(picture, kTextLeft, top, kTextRight, top + kLineHeight);
}

class SystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The program opens its models and textures relative to the repository root.
    ASSERT_EQ(chdir(KZ_SOURCE_ROOT), 0);
    program_ = std::make_unique<LiveProgram>();
    if (!program_->Ready())
      GTEST_SKIP() << "no X display, window or OpenGL device";
    Picture probe;
    if (!program_->Capture(probe))
      GTEST_SKIP() << "the window's picture cannot be read back from X";
  }

  void TearDown() override { program_.reset(); }

  // The presented picture; also written as a PPM file when KZ_SYSTEM_TEST_PICTURES names a folder.
  Picture Shot() {
    Picture picture;
    EXPECT_TRUE(program_->Capture(picture));
    if (const char* folder = std::getenv("KZ_SYSTEM_TEST_PICTURES")) {
      const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
      std::string name = std::string(test->test_suite_name()) + "." + test->name();
      std::replace(name.begin(), name.end(), '/', '_');
      picture.WritePpm((std::string(folder) + "/" + name + "." +
                        std::to_string(100 + ++shots_).substr(1) + ".ppm")
                           .c_str());
    }
    EXPECT_EQ(picture.width, probe::kWidth);
    EXPECT_EQ(picture.height, probe::kHeight);
    return picture;
  }

  void RunTo(double seconds) { drive::RunTo(*program_, seconds); }

  // Taps `key` and brings the picture up to date.
  void Press(int key) { drive::Press(*program_, key); }

  // Checks each lamp that the scene's camera sees well enough against `signals`, indexed by
  // light; the places of the additional models must show no lit lamp while they are hidden.
  // Returns how many lamps it checked.
  int ExpectSignals(const Scene& scene, bool extra, const std::vector<Signal>& signals,
                    const std::string& when) {
    const Picture picture = Shot();
    int checked = 0;
    for (std::size_t i = 0; i < scene.drawn.size(); ++i) {
      const probe::Drawn& drawn = scene.drawn[i];
      const bool shown = extra || !drawn.extra;
      const std::array<Hue, 3> hues =
          LampHues(shown ? signals[static_cast<std::size_t>(drawn.light)] : Signal::dark);
      for (Lamp lamp : {Lamp::red, Lamp::orange, Lamp::green}) {
        if ((drawn.place.kind == Kind::pedestrian && lamp == Lamp::orange) ||
            !probe::Readable(scene.pose, drawn.place, lamp)) {
          continue;
        }
        const Hue seen =
            probe::LampHue(picture, probe::LampOnScreen(scene.pose, drawn.place, lamp));
        const Hue expected = hues[static_cast<std::size_t>(lamp)];
        EXPECT_EQ(seen, expected) << when << ": place " << i + 1 << ", lamp "
                                  << static_cast<int>(lamp) << " shows " << probe::Name(seen)
                                  << ", expected " << probe::Name(expected);
        ++checked;
      }
    }
    return checked;
  }

  std::unique_ptr<LiveProgram> program_;
  int shots_ = 0;
};

TEST_F(SystemTest, CrossroadsStartsWithEastWestAndShowsTheAdditionalModelsOnE) {
  // The first frame takes the first step; the second is drawn with the start camera's view.
  drive::Settle(*program_);
  const std::vector<Signal> first = {Signal::redorange, Signal::red, Signal::red, Signal::green};
  // The east-west traffic light, the north-south one edge-on, the north-south pedestrians and,
  // dark while hidden, the place of an additional east-west pedestrian light.
  EXPECT_EQ(ExpectSignals(kCrossroads, false, first, "start"), 10);

  Press('E');
  ASSERT_TRUE(g_render->get_extra());
  // The east-west pedestrians' green shows only on an additional model.
  EXPECT_EQ(ExpectSignals(kCrossroads, true, first, "with E"), 10);

  Press('W');
  EXPECT_EQ(ExpectSignals(kCrossroads, false, first, "after W"), 10);
}

TEST_F(SystemTest, CrossroadsTakesTurnsBetweenTheDirections) {
  // The first frame takes the first step; the others follow from its time.
  program_->Frame(drive::kFrameSeconds);
  const double first = g_render->get_simtime();
  Press('E');
  // Simulated seconds since the first step, each half-way between two steps of the cycle.
  const struct {
    double at;
    std::vector<Signal> signals;  // EW, NS traffic; NS, EW pedestrians
  } rows[] = {
      {0.5, {Signal::redorange, Signal::red, Signal::red, Signal::green}},
      {3.5, {Signal::green, Signal::red, Signal::red, Signal::green}},
      {6.5, {Signal::orange, Signal::red, Signal::red, Signal::red}},
      {7.5, {Signal::red, Signal::red, Signal::red, Signal::red}},
      {8.5, {Signal::red, Signal::redorange, Signal::green, Signal::red}},
      {11.5, {Signal::red, Signal::green, Signal::green, Signal::red}},
      {14.5, {Signal::red, Signal::orange, Signal::red, Signal::red}},
      {15.5, {Signal::red, Signal::red, Signal::red, Signal::red}},
      {16.5, {Signal::redorange, Signal::red, Signal::red, Signal::green}},
  };
  for (const auto& row : rows) {
    RunTo(first + row.at);
    ExpectSignals(kCrossroads, true, row.signals, "first step +" + std::to_string(row.at));
  }
}

TEST_F(SystemTest, CrossingGivesThePedestriansGreenAfterARequest) {
  drive::Settle(*program_);
  // The switch's frame takes the new crossing's first step.
  program_->Tap('S');
  program_->Frame(drive::kFrameSeconds);
  ASSERT_EQ(g_render->get_activesystem(), 0);
  const double switched = g_render->get_simtime();
  drive::Settle(*program_);
  EXPECT_EQ(ExpectSignals(kCrossing, false, {Signal::redorange, Signal::red}, "after S"), 5);

  RunTo(switched + 1.5);
  ExpectSignals(kCrossing, false, {Signal::green, Signal::red}, "cars' green");
  RunTo(switched + 12.0);
  ExpectSignals(kCrossing, false, {Signal::green, Signal::red}, "green held without request");

  Press('R');
  // The request is served from the next step on: orange, red, the pedestrians' five seconds.
  const double next = g_render->get_nexttime();
  const struct {
    double after;
    Signal traffic;
    Signal pedestrians;
  } rows[] = {
      {0.5, Signal::orange, Signal::red}, {1.5, Signal::red, Signal::red},
      {2.5, Signal::red, Signal::green},  {6.5, Signal::red, Signal::green},
      {7.5, Signal::red, Signal::red},    {8.5, Signal::redorange, Signal::red},
      {9.5, Signal::green, Signal::red},  {20.0, Signal::green, Signal::red},
  };
  for (const auto& row : rows) {
    RunTo(next + row.after);
    ExpectSignals(kCrossing, true, {row.traffic, row.pedestrians},
                  "request +" + std::to_string(row.after));
  }
}

// Off, blink mode and on again, on either system.
class SwitchingTest : public SystemTest {
 protected:
  void SwitchOffBlinkAndOn(bool crossing);
};

void SwitchingTest::SwitchOffBlinkAndOn(bool crossing) {
  drive::Settle(*program_);
  if (crossing)
    Press('S');
  const Scene& scene = crossing ? kCrossing : kCrossroads;
  const std::size_t lights = crossing ? 2 : 4;
  auto all = [lights](Signal traffic, Signal pedestrians) {
    std::vector<Signal> signals(lights, traffic);
    for (std::size_t i = lights / 2; i < lights; ++i)
      signals[i] = pedestrians;
    return signals;
  };
  Press('E');
  Press('O');
  ExpectSignals(scene, true, all(Signal::dark, Signal::dark), "off");
  Press('B');
  // The first blink step is taken at once; the next falls due one second later.
  const double blinked = g_render->get_nexttime() - 1.0;
  ExpectSignals(scene, true, all(Signal::orange, Signal::red), "blink step 1");
  const struct {
    double after;
    Signal traffic;
    Signal pedestrians;
  } rows[] = {{1.5, Signal::dark, Signal::dark},
              {2.5, Signal::orange, Signal::red},
              {3.5, Signal::dark, Signal::dark}};
  for (const auto& row : rows) {
    RunTo(blinked + row.after);
    ExpectSignals(scene, true, all(row.traffic, row.pedestrians),
                  "blink +" + std::to_string(row.after));
  }
  Press('O');
  RunTo(blinked + 5.5);
  ExpectSignals(scene, true, all(Signal::dark, Signal::dark), "blink ended");
  Press('A');
  ExpectSignals(scene, true, all(Signal::red, Signal::red), "switched on");
}

TEST_F(SwitchingTest, CrossroadsBlinksOrangeAndRedOnSuccessiveSecondsAndSwitchesOffAndOn) {
  SwitchOffBlinkAndOn(false);
}

TEST_F(SwitchingTest, CrossingBlinksOrangeAndRedOnSuccessiveSecondsAndSwitchesOffAndOn) {
  SwitchOffBlinkAndOn(true);
}

TEST_F(SystemTest, HelpTextNamesTheCurrentSystem) {
  drive::Settle(*program_);
  const Picture crossroads = Shot();
  Press('S');
  const Picture crossing = Shot();
  Press('S');
  const Picture again = Shot();

  for (const Picture* picture : {&crossroads, &crossing}) {
    EXPECT_GT(probe::CountYellowish(*picture, kTextLeft, kTextTop, kTextRight, kTextBottom), 2000);
    EXPECT_GT(TextOnLine(*picture, 0), 100);
    // Nothing yellow in the sky right of the text.
    EXPECT_EQ(probe::CountYellowish(*picture, kTextRight + 20, 0, probe::kWidth, 300), 0);
  }
  // "SYSTEM 2T2P" and "SYSTEM 1T1P": same width, other digits.
  int differing = 0;
  for (int y = kTextTop; y < kTextTop + kLineHeight; ++y) {
    for (int x = kTextLeft; x < kTextRight; ++x) {
      const bool a = probe::CountYellowish(crossroads, x, y, x + 1, y + 1) != 0;
      const bool b = probe::CountYellowish(crossing, x, y, x + 1, y + 1) != 0;
      differing += a != b ? 1 : 0;
    }
  }
  EXPECT_GT(differing, 20);
  // The crossing's text has one line more (the request key), so its last line stands lower.
  EXPECT_EQ(TextOnLine(crossroads, 13), 0);
  EXPECT_GT(TextOnLine(crossing, 13), 100);
  // Back on the crossroads: its text and its start camera again.
  EXPECT_EQ(TextOnLine(again, 13), 0);
  EXPECT_LT(probe::MeanDifference(again, crossroads), 1.0);
}

TEST_F(SystemTest, ArrowKeysWalkAndTurnTheCamera) {
  // East-west green, north-south pedestrians red: both hold from 1 s to 6 s after the first step.
  program_->Frame(drive::kFrameSeconds);
  const double first = g_render->get_simtime();
  RunTo(first + 1.2);
  drive::Settle(*program_);
  const Picture start = Shot();
  const probe::Place ewTraffic = kCrossroads.drawn[0].place;
  const probe::Place nsPeds = kCrossroads.drawn[2].place;
  const probe::ScreenPoint before = probe::LampOnScreen(kCrossroads.pose, ewTraffic, Lamp::green);
  ASSERT_EQ(probe::LampHue(start, before), Hue::green);

  // One second forward: 5 units along the heading.
  program_->Hold(VK_UP);
  program_->Frames(20, drive::kFrameSeconds);
  program_->Release(VK_UP);
  drive::Settle(*program_);
  const Picture walked = Shot();
  EXPECT_GT(probe::MeanDifference(start, walked), 2.0);
  const double heading = probe::kCrossroadsStart.angle;
  probe::CameraPose pose{probe::kCrossroadsStart.x + static_cast<float>(5.0 * std::sin(heading)),
                         probe::kCrossroadsStart.z + static_cast<float>(5.0 * std::cos(heading)),
                         probe::kCrossroadsStart.angle};
  const probe::ScreenPoint after = probe::LampOnScreen(pose, ewTraffic, Lamp::green);
  // Nearer and further right: the lamp moved by more than its own size.
  ASSERT_GT(after.x - before.x, 50.0);
  EXPECT_EQ(probe::LampHue(walked, after), Hue::green);
  EXPECT_EQ(probe::LampHue(walked, before), Hue::dark);

  // One second to the left: pi/4 radians; what was left of the centre moves right.
  const probe::ScreenPoint left = probe::LampOnScreen(pose, nsPeds, Lamp::red);
  program_->Hold(VK_LEFT);
  program_->Frames(20, drive::kFrameSeconds);
  program_->Release(VK_LEFT);
  drive::Settle(*program_);
  const Picture turned = Shot();
  pose.angle -= 0.7853982f;
  const probe::ScreenPoint right = probe::LampOnScreen(pose, nsPeds, Lamp::red);
  ASSERT_TRUE(right.visible);
  ASSERT_GT(right.x - left.x, 300.0);
  EXPECT_EQ(probe::LampHue(turned, right), Hue::red);
  EXPECT_EQ(probe::LampHue(turned, left), Hue::dark);
  EXPECT_LT(g_render->get_simtime(), first + 6.0);
}

}  // namespace
