// The light models: picture per flag combination, placement, impossible combinations, loading,
// release and missing files.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "render/C3DPedLight.h"
#include "render/C3DTrafficLight.h"
#include "tests/presentation/PresentationTestSupport.h"

namespace presentation {
namespace {

using LightModelTest = RecordingDeviceTest;

struct Placed {
  float x;
  float z;
  float angle;
};

// Every valid combination, each drawn at another placement.
struct TrafficCase {
  bool red, orange, green;
  std::string texture;
  Placed place;
};

const std::vector<TrafficCase> kTrafficCases = {
    {true, false, false, "textures/Traffic_Red.jpg", {6, -7, 0}},
    {true, true, false, "textures/Traffic_RedOrange.jpg", {6, -1, 90}},
    {false, false, true, "textures/Traffic_Green.jpg", {-6, 3, 180}},
    {false, true, false, "textures/Traffic_Orange.jpg", {-6, -4, 270}},
    {false, false, false, "textures/Traffic_Off.jpg", {1.5f, 2.5f, 45}},
};

struct PedCase {
  bool red, green;
  std::string texture;
  Placed place;
};

const std::vector<PedCase> kPedCases = {
    {true, false, "textures/Ped_Red.jpg", {-12, 6, 0}},
    {false, true, "textures/Ped_Green.jpg", {6, -12, 90}},
    {false, false, "textures/Ped_Off.jpg", {12, -6, 180}},
};

// One ShowLights at `place`; expects exactly one draw of `mesh` with `texture` and no message.
template <typename Model>
void ExpectDrawn(Model& model, const Placed& place, const std::string& mesh,
                 const std::string& texture) {
  fake::Log().Clear();
  model.SetPosition(place.x, place.z, place.angle);
  model.ShowLights();
  const std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].mesh, mesh);
  EXPECT_EQ(draws[0].texture, texture);
  EXPECT_TRUE(MatrixNear(PlacementMatrix(place.x, place.z, place.angle), draws[0].world));
  EXPECT_EQ(fake::Log().Count("MessageBox"), 0u);
}

TEST_F(LightModelTest, TrafficLightBindsThePictureOfEachValidCombinationAtItsPlacement) {
  C3DTrafficLight model(device);
  for (const TrafficCase& c : kTrafficCases) {
    SCOPED_TRACE(c.texture);
    model.SetLights(c.red, c.orange, c.green);
    ExpectDrawn(model, c.place, "models/traffic.x", c.texture);
  }
}

TEST_F(LightModelTest, PedLightBindsThePictureOfEachValidCombinationAtItsPlacement) {
  C3DPedLight model(device);
  for (const PedCase& c : kPedCases) {
    SCOPED_TRACE(c.texture);
    model.SetLights(c.red, c.green);
    ExpectDrawn(model, c.place, "models/ped.x", c.texture);
  }
}

TEST_F(LightModelTest, NewModelsShowRed) {
  C3DTrafficLight traffic(device);
  C3DPedLight ped(device);
  ExpectDrawn(traffic, {0, 0, 0}, "models/traffic.x", "textures/Traffic_Red.jpg");
  ExpectDrawn(ped, {0, 0, 0}, "models/ped.x", "textures/Ped_Red.jpg");
}

// Draws twice after `set` chose an impossible combination: one message per draw, before it, no
// texture bound, and the mesh drawn both times.
template <typename Model>
void ExpectImpossible(Model& model, void (*set)(Model&), const std::string& text) {
  fake::Log().Clear();
  set(model);
  EXPECT_EQ(fake::Log().Count("MessageBox"), 0u) << "SetLights only stores the flags";
  model.ShowLights();
  model.ShowLights();
  const std::vector<fake::Call> boxes = fake::Log().Named("MessageBox");
  ASSERT_EQ(boxes.size(), 2u);
  for (const fake::Call& box : boxes) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Fehler");
  }
  EXPECT_EQ(fake::Log().Count("SetTexture"), 0u);
  EXPECT_EQ(fake::Log().Count("DrawSubset"), 2u);
  EXPECT_EQ(fake::Log().Names().front(), "MessageBox");
}

TEST_F(LightModelTest, ImpossibleCombinationsShowOneMessagePerDrawAndStillDraw) {
  C3DTrafficLight traffic(device);
  traffic.SetPosition(0, 0, 0);
  using TrafficSet = void (*)(C3DTrafficLight&);
  const TrafficSet trafficCases[] = {
      [](C3DTrafficLight& m) { m.SetLights(true, false, true); },
      [](C3DTrafficLight& m) { m.SetLights(false, true, true); },
      [](C3DTrafficLight& m) { m.SetLights(true, true, true); },
  };
  for (TrafficSet set : trafficCases) {
    ExpectImpossible(traffic, set, "Ampelschaltung stimmt nicht.");
  }
  C3DPedLight ped(device);
  ped.SetPosition(0, 0, 0);
  ExpectImpossible<C3DPedLight>(
      ped, [](C3DPedLight& m) { m.SetLights(true, true); },
      "Ampelschaltung stimmt nicht bei Pedlight.");

  // A valid combination ends the messages.
  traffic.SetLights(false, false, true);
  ExpectDrawn(traffic, {0, 0, 0}, "models/traffic.x", "textures/Traffic_Green.jpg");
}

TEST_F(LightModelTest, ConstructorsLoadTheMeshThenEachPictureInSlotOrder) {
  const std::vector<std::string> trafficFiles = {
      "models/traffic.x",           "textures/Traffic_Red.jpg",    "textures/Traffic_RedOrange.jpg",
      "textures/Traffic_Green.jpg", "textures/Traffic_Orange.jpg", "textures/Traffic_Off.jpg"};
  const std::vector<std::string> pedFiles = {"models/ped.x", "textures/Ped_Red.jpg",
                                             "textures/Ped_Green.jpg", "textures/Ped_Off.jpg"};
  const auto loaded = [] {
    std::vector<std::string> files;
    for (const fake::Call& call : fake::Log().Calls())
      files.push_back(call.file);
    return files;
  };
  {
    C3DTrafficLight traffic(device);
    EXPECT_EQ(loaded(), trafficFiles);
  }
  fake::Log().Clear();
  {
    C3DPedLight ped(device);
    EXPECT_EQ(loaded(), pedFiles);
  }
}

// The files released while the model is destroyed, with the kind of each object.
template <typename Model>
std::multiset<std::string> ReleasedByDestruction(std::unique_ptr<Model> model) {
  fake::Log().Clear();
  model.reset();
  std::multiset<std::string> released;
  for (const fake::Call& call : fake::Log().Named("Release")) {
    released.insert(call.caption + " " + call.file);
  }
  return released;
}

TEST_F(LightModelTest, DestructionReleasesEveryLoadedObjectOnceAndSkipsEmptySlots) {
  struct Case {
    std::set<std::string> failing;
    std::multiset<std::string> released;
  };
  const std::vector<Case> cases = {
      {{},
       {"mesh models/traffic.x", "texture textures/Traffic_Red.jpg",
        "texture textures/Traffic_RedOrange.jpg", "texture textures/Traffic_Green.jpg",
        "texture textures/Traffic_Orange.jpg", "texture textures/Traffic_Off.jpg"}},
      {{"textures/Traffic_Green.jpg", "models/traffic.x", "textures/Traffic_Off.jpg"},
       {"texture textures/Traffic_Red.jpg", "texture textures/Traffic_RedOrange.jpg",
        "texture textures/Traffic_Orange.jpg"}},
  };
  const int liveBefore = graphics->liveObjects;
  for (const Case& c : cases) {
    graphics->failFiles = c.failing;
    EXPECT_EQ(ReleasedByDestruction(std::make_unique<C3DTrafficLight>(device)), c.released);
    EXPECT_EQ(graphics->liveObjects, liveBefore);
  }
  graphics->failFiles = {"textures/Ped_Red.jpg", "textures/Ped_Green.jpg", "textures/Ped_Off.jpg"};
  EXPECT_EQ(ReleasedByDestruction(std::make_unique<C3DPedLight>(device)),
            std::multiset<std::string>{"mesh models/ped.x"});
  EXPECT_EQ(graphics->liveObjects, liveBefore);
}

TEST_F(LightModelTest, MissingFilesDrawNothingAndBindNoStalePicture) {
  graphics->failFiles = {"models/ped.x", "textures/Traffic_Green.jpg"};
  C3DPedLight ped(device);
  ped.SetPosition(0, 0, 0);
  fake::Log().Clear();
  ped.ShowLights();
  EXPECT_EQ(fake::Log().Count("DrawSubset"), 0u);

  C3DTrafficLight traffic(device);
  traffic.SetLights(false, false, true);
  ExpectDrawn(traffic, {1, 2, 0}, "models/traffic.x", "");
}

}  // namespace
}  // namespace presentation
