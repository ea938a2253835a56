// The street: its scene light, its texture and its scale-then-translate placement, its release and
// missing files.
#include <memory>
#include <string>

#include "render/C3DStreet.h"
#include "tests/presentation/PresentationTestSupport.h"

namespace presentation {
namespace {

using StreetTest = RecordingDeviceTest;

void ExpectColor(const D3DCOLORVALUE& c, float r, float g, float b, float a) {
  EXPECT_EQ(c.r, r);
  EXPECT_EQ(c.g, g);
  EXPECT_EQ(c.b, b);
  EXPECT_EQ(c.a, a);
}

TEST_F(StreetTest, ShowSetsTheWhitePointLightThenDrawsTheStretchedStreetAtItsPlace) {
  C3DStreet street(device, 0.0f, 22.0f);
  fake::Log().Clear();
  street.Show();
  EXPECT_EQ(fake::Log().Names(), (std::vector<std::string>{"SetLight", "LightEnable", "SetTexture",
                                                           "SetTransform", "DrawSubset"}));

  const fake::Call set = fake::Log().Named("SetLight").at(0);
  EXPECT_EQ(set.args.at(0), 0.0);
  const D3DLIGHT9& light = set.light;
  EXPECT_EQ(light.Type, D3DLIGHT_POINT);
  ExpectColor(light.Diffuse, 1, 1, 1, 0);
  ExpectColor(light.Specular, 1, 1, 1, 0);
  ExpectColor(light.Ambient, 1, 1, 1, 0);
  EXPECT_EQ(light.Position.x, 0.0f);
  EXPECT_EQ(light.Position.y, 3.0f);
  EXPECT_EQ(light.Position.z, 0.0f);
  EXPECT_EQ(light.Direction.x, 0.0f);
  EXPECT_EQ(light.Direction.y, 0.0f);
  EXPECT_EQ(light.Direction.z, 0.0f);
  EXPECT_EQ(light.Range, 18.0f);
  EXPECT_EQ(light.Attenuation0, 0.05f);
  EXPECT_EQ(light.Attenuation1, 0.0f);
  EXPECT_EQ(light.Attenuation2, 0.0f);
  EXPECT_EQ(light.Falloff, 0.0f);
  EXPECT_EQ(light.Theta, 0.0f);
  EXPECT_EQ(light.Phi, 0.0f);

  EXPECT_EQ(fake::Log().Named("LightEnable").at(0).args, (std::vector<double>{0, TRUE}));
  const std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].mesh, "models/street.x");
  EXPECT_EQ(draws[0].texture, "textures/street.jpg");
  EXPECT_TRUE(MatrixNear(StreetMatrix(0.0f, 22.0f), draws[0].world, 0.0));
  EXPECT_EQ(NamedWith("SetTransform", D3DTS_WORLD).size(), 1u);
}

TEST_F(StreetTest, ShowingTwiceRepeatsTheSameCallsWithoutAccumulating) {
  C3DStreet street(device, 3.0f, -5.0f);
  fake::Log().Clear();
  street.Show();
  street.Show();
  const std::vector<Draw> draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  for (const Draw& d : draws)
    EXPECT_TRUE(MatrixNear(StreetMatrix(3.0f, -5.0f), d.world, 0.0));
  EXPECT_EQ(fake::Log().Count("SetLight"), 2u);
}

TEST_F(StreetTest, DestructionReleasesTextureAndMeshOnceEachAndSkipsMissingOnes) {
  const int liveBefore = graphics->liveObjects;
  {
    C3DStreet street(device, 0.0f, 0.0f);
    fake::Log().Clear();
  }
  EXPECT_EQ(fake::Log().Count("Release"), 2u);
  EXPECT_EQ(graphics->liveObjects, liveBefore);

  graphics->failFiles = {"models/street.x", "textures/street.jpg"};
  auto street = std::make_unique<C3DStreet>(device, 0.0f, 0.0f);
  fake::Log().Clear();
  street->Show();
  EXPECT_EQ(fake::Log().Count("DrawSubset"), 0u);
  street.reset();
  EXPECT_EQ(fake::Log().Count("Release"), 0u);
}

}  // namespace
}  // namespace presentation
