// The two system displays, driven through a renderer on the recording device: what each frame
// draws where, the order of a frame, the lamp mirroring through g_render, the camera keys and the
// first frame after a switch.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "control/Shower.h"
#include "control/System2T2P.h"
#include "tests/presentation/PresentationTestSupport.h"

namespace presentation {
namespace {

constexpr int kKeyE = 69;
constexpr int kKeyS = 83;
constexpr int kKeyO = 79;
constexpr int kKeyB = 66;

const char* const kCrossingHelp =
    "SYSTEM 1T1P\n\nUse the following Keys:\nr - send pedestrian request\no - switch off\na - "
    "switch on\nb - blink mode\ne - show additional lights\nw - hide additional lights\nNum+ - "
    "increase speed\nNum- - decrease speed\nNum0 - set standart speed\n\ns - switch to SYSTEM "
    "2T2P";
const char* const kCrossroadsHelp =
    "SYSTEM 2T2P\n\nUse the following Keys:\no - switch off\na - switch on\nb - blink mode\ne - "
    "show additional lights\nw - hide additional lights\nNum+ - increase speed\nNum- - decrease "
    "speed\nNum0 - set standart speed\n\ns - switch to SYSTEM 1T1P";

const std::string kTraffic = "models/traffic.x";
const std::string kPed = "models/ped.x";
const std::string kStreet = "models/street.x";

// One expected draw of a light model: mesh, picture and placement.
struct Row {
  std::string mesh;
  std::string texture;
  float x, z, angle;
};

// A renderer on the recording device and the scripted window, published in g_render.
class DisplayTest : public ::testing::Test {
 protected:
  DisplayTest() { Restart(); }
  ~DisplayTest() override {
    render.reset();
    g_render = nullptr;
  }

  // Replaces the renderer by a new one, starting on the crossroads.
  void Restart() {
    render.reset();
    render = std::make_unique<CRender>(nullptr);
    g_render = render.get();
  }

  // Runs one frame of `time` seconds with `keys` held, after clearing the log unless `keepLog`.
  void Frame(float time, const std::vector<int>& keys = {}, bool keepLog = false) {
    if (!keepLog)
      fake::Log().Clear();
    for (int vk : keys)
      window->SetKey(vk, true);
    render->SetScene(time);
    window->ReleaseAll();
  }

  fake::ScopedFakeWindow window;
  fake::ScopedRecordingGraphics graphics;
  std::unique_ptr<CRender> render;
};

// The light-model draws of the logged frame match `rows` in order, and the street comes last.
void ExpectRows(const std::vector<Row>& rows) {
  const std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), rows.size() + 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE("row " + std::to_string(i + 1));
    EXPECT_EQ(draws[i].mesh, rows[i].mesh);
    EXPECT_EQ(draws[i].texture, rows[i].texture);
    EXPECT_TRUE(MatrixNear(PlacementMatrix(rows[i].x, rows[i].z, rows[i].angle), draws[i].world));
  }
  EXPECT_EQ(draws.back().mesh, kStreet);
}

const std::string kRed = "textures/Traffic_Red.jpg";
const std::string kRedOrange = "textures/Traffic_RedOrange.jpg";
const std::string kOrange = "textures/Traffic_Orange.jpg";
const std::string kTrafficOff = "textures/Traffic_Off.jpg";
const std::string kPedRed = "textures/Ped_Red.jpg";
const std::string kPedGreen = "textures/Ped_Green.jpg";
const std::string kPedOff = "textures/Ped_Off.jpg";

TEST_F(DisplayTest, CrossroadsDrawsEachModelAtItsRowsAndTheExtrasOnRequest) {
  // The first step, due at once: east-west at red-orange with its pedestrians on green.
  const std::vector<Row> always = {
      {kTraffic, kRedOrange, -6, -6, 90},
      {kTraffic, kRed, 6, -6, 0},
      {kPed, kPedRed, -12, 6, 0},
      {kPed, kPedGreen, 6, -12, 90},
  };
  std::vector<Row> withExtra = always;
  withExtra.insert(withExtra.end(), {
                                        {kTraffic, kRedOrange, 6, 6, 270},
                                        {kTraffic, kRed, -6, 6, 180},
                                        {kPed, kPedRed, -12, -6, 180},
                                        {kPed, kPedRed, 12, -6, 180},
                                        {kPed, kPedRed, 12, 6, 0},
                                        {kPed, kPedGreen, -6, -12, 270},
                                        {kPed, kPedGreen, -6, 12, 270},
                                        {kPed, kPedGreen, 6, 12, 90},
                                    });
  Frame(0.0f);
  ExpectRows(always);
  EXPECT_EQ(DrawsOf(Draws(), kTraffic), 2u);
  EXPECT_EQ(DrawsOf(Draws(), kPed), 2u);
  Frame(0.0f, {kKeyE});
  ExpectRows(withExtra);
  EXPECT_EQ(DrawsOf(Draws(), kTraffic), 4u);
  EXPECT_EQ(DrawsOf(Draws(), kPed), 8u);
}

TEST_F(DisplayTest, CrossingMirrorsItsLampsIntoEveryCopyOfItsModels) {
  struct Step {
    std::vector<int> keys;
    float time;
    std::string traffic;
    std::string ped;
  };
  // S: the crossing's first step (red-orange); O: off, all dark; B: blink on (orange, red); one
  // simulated second later the blink lamps go dark again.
  const Step steps[] = {
      {{kKeyS, kKeyE}, 0.0f, kRedOrange, kPedRed},
      {{kKeyO}, 0.0f, kTrafficOff, kPedOff},
      {{kKeyB}, 0.0f, kOrange, kPedRed},
      {{}, 1.0f, kTrafficOff, kPedOff},
  };
  for (const Step& s : steps) {
    Frame(s.time, s.keys);
    ExpectRows({{kTraffic, s.traffic, 6, -7, 0},
                {kPed, s.ped, 6, -1, 90},
                {kTraffic, s.traffic, -6, 3, 180},
                {kPed, s.ped, -6, -4, 270}});
  }
  Frame(0.0f, {'W'});
  EXPECT_EQ(DrawsOf(Draws(), kTraffic), 1u);
  EXPECT_EQ(DrawsOf(Draws(), kPed), 1u);
}

TEST_F(DisplayTest, AFrameClearsDrawsModelsStreetAndTextThenSetsTheCameraAndPresents) {
  struct Case {
    std::vector<int> keys;
    const char* help;
    std::size_t models;
  };
  const Case cases[] = {{{}, kCrossroadsHelp, 4}, {{kKeyS}, kCrossingHelp, 2}};
  for (const Case& c : cases) {
    Frame(0.0f, c.keys);
    std::vector<std::string> names = fake::Log().Names();
    // A switch frame first releases the old display and loads the new one.
    names.erase(names.begin(), std::find(names.begin(), names.end(), "Clear"));
    std::vector<std::string> expected = {"Clear", "BeginScene"};
    for (std::size_t i = 0; i < c.models; ++i) {
      expected.insert(expected.end(), {"SetTexture", "SetTransform", "DrawSubset"});
    }
    expected.insert(expected.end(),
                    {"SetLight", "LightEnable", "SetTexture", "SetTransform", "DrawSubset",
                     "DrawText", "SetTransform", "SetTransform", "EndScene", "Present"});
    EXPECT_EQ(names, expected);
    EXPECT_EQ(fake::Log().Named("Clear").at(0).args, (std::vector<double>{0, 3, 0, 1.0, 0}));
    EXPECT_EQ(fake::Log().Named("DrawText").at(0).text, c.help);
    const std::vector<fake::Call> transforms = fake::Log().Named("SetTransform");
    EXPECT_EQ(transforms[transforms.size() - 2].args.at(0), double(D3DTS_VIEW));
    EXPECT_EQ(transforms.back().args.at(0), double(D3DTS_PROJECTION));
  }
}

TEST_F(DisplayTest, DoReadsTheCurrentSystemThroughTheRendererNotTheNotifier) {
  Frame(0.0f);
  System2T2P other;
  other.Registershower(render->get_shower());
  other.SwitchOff();
  other.Unregistershower();
  Frame(0.0f);
  const std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 5u);
  EXPECT_EQ(draws[0].texture, kRedOrange);
  EXPECT_EQ(draws[3].texture, kPedGreen);
}

TEST_F(DisplayTest, ConstructorsLoadTheirObjectsInOrder) {
  const std::vector<std::string> street = {kStreet, "textures/street.jpg"};
  const std::vector<std::string> traffic = {
      kTraffic, kRed, kRedOrange, "textures/Traffic_Green.jpg", kOrange, kTrafficOff};
  const std::vector<std::string> ped = {kPed, kPedRed, kPedGreen, kPedOff};
  const std::vector<std::string> font = {"font:Arial"};
  const auto loads = [] {
    std::vector<std::string> files;
    for (const fake::Call& call : fake::Log().Calls()) {
      if (call.name == "LoadMesh" || call.name == "LoadTexture")
        files.push_back(call.file);
      if (call.name == "CreateFont")
        files.push_back("font:" + call.text);
    }
    return files;
  };
  const auto concat = [](std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
      all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  fake::Log().Clear();
  Restart();
  EXPECT_EQ(loads(), concat({street, traffic, traffic, ped, ped, font}));
  Frame(0.0f, {kKeyS});
  EXPECT_EQ(loads(), concat({street, font, traffic, ped}));
}

// The view the camera of a display sets for an eye at (x, 3, z) with `heading`.
D3DMATRIX CameraView(float x, float z, double heading) {
  const float lx = static_cast<float>(std::sin(heading));
  const float lz = static_cast<float>(std::cos(heading));
  return LookAtMatrix({x, 3.0f, z}, {x + lx, 3.0f, z + lz}, {0.0f, 1.0f, 0.0f});
}

D3DMATRIX LastView() {
  return NamedWith("SetTransform", D3DTS_VIEW).back().matrix;
}

TEST_F(DisplayTest, ArrowKeysMoveThenTurnTheCameraByTheFrameTime) {
  const float lx = 0.8509035f;
  const float lz = 0.5253220f;
  const double turn = 0.5 * 0.7853982;
  struct Case {
    std::vector<int> keys;
    float forward;  // multiples of lookdir walked
    double heading;
  };
  // Each frame lasts 0.5 s: 2.5 units of walking, pi/8 of turning; walking uses the old heading.
  const Case cases[] = {
      {{}, 0.0f, 45.0},
      {{VK_UP}, 2.5f, 45.0},
      {{VK_DOWN}, -2.5f, 45.0},
      {{VK_UP, VK_DOWN}, 0.0f, 45.0},
      {{VK_UP, VK_RIGHT}, 2.5f, 45.0 + turn},
      {{VK_DOWN, VK_LEFT}, -2.5f, 45.0 - turn},
      {{VK_LEFT, VK_RIGHT}, 0.0f, 45.0},
  };
  struct Display {
    std::vector<int> reach;  // keys of a zero-length frame that bring the display up
    float x, z;              // its camera's start
  };
  const Display displays[] = {{{}, -25.0f, -10.0f}, {{kKeyS}, -10.0f, -10.0f}};
  for (const Display& d : displays) {
    for (const Case& c : cases) {
      Restart();
      Frame(0.0f, d.reach);
      Frame(0.5f, c.keys);
      // Float dot products over coordinates near 25 carry errors of a few 1e-5.
      EXPECT_TRUE(MatrixNear(CameraView(d.x + c.forward * lx, d.z + c.forward * lz, c.heading),
                             LastView(), 2e-4));
    }
  }
}

TEST_F(DisplayTest, SetTimeAloneDrawsNothing) {
  fake::Log().Clear();
  render->get_shower()->SetTime(0.5f);
  EXPECT_TRUE(fake::Log().Calls().empty());
}

TEST_F(DisplayTest, TheFirstFrameAfterASwitchIsDrawnWithThePreviousCamerasView) {
  Frame(0.0f);
  Frame(0.0f, {kKeyS}, true);
  const std::vector<Draw> draws = Draws();
  // 4 models and the street on the crossroads, then 2 models and the street on the crossing.
  ASSERT_EQ(draws.size(), 8u);
  for (std::size_t i = 5; i < draws.size(); ++i) {
    EXPECT_TRUE(MatrixNear(CameraView(-25.0f, -10.0f, 45.0), draws[i].view));
  }
  EXPECT_TRUE(MatrixNear(CameraView(-10.0f, -10.0f, 45.0), LastView()));
}

TEST_F(DisplayTest, ADisplayWithoutItsFilesDrawsNothingAndReleasesNothing) {
  graphics->failFiles = {kStreet,     "textures/street.jpg",
                         kTraffic,    kRed,
                         kRedOrange,  "textures/Traffic_Green.jpg",
                         kOrange,     kTrafficOff,
                         kPed,        kPedRed,
                         kPedGreen,   kPedOff,
                         "font:Arial"};
  Restart();
  Frame(0.0f, {kKeyE});
  Frame(0.0f, {kKeyS});
  EXPECT_EQ(fake::Log().Count("DrawSubset"), 0u);
  EXPECT_EQ(fake::Log().Count("DrawText"), 0u);
  EXPECT_EQ(fake::Log().Count("Present"), 1u);
  fake::Log().Clear();
  render.reset();
  g_render = nullptr;
  // Only the device and the Direct3D object remain to be released.
  EXPECT_EQ(fake::Log().Count("Release"), 2u);
  EXPECT_EQ(graphics->liveObjects, 0);
}

}  // namespace
}  // namespace presentation
