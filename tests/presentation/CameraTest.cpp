// The camera: heading and eye, turning and walking, and the view and projection it sets.
#include <cmath>
#include <vector>

#include "render/CCamera.h"
#include "tests/presentation/PresentationTestSupport.h"

namespace presentation {
namespace {

using CameraTest = RecordingDeviceTest;

constexpr double kFov = 0.7853982;

D3DMATRIX SetMatrix(D3DTRANSFORMSTATETYPE kind) {
  const std::vector<fake::Call> calls = NamedWith("SetTransform", kind);
  EXPECT_EQ(calls.size(), 1u);
  return calls.empty() ? D3DMATRIX{} : calls.back().matrix;
}

TEST_F(CameraTest, StartsAtEyeHeightLookingAlongTheHeadingInRadians) {
  struct Case {
    float x, z, heading;
    D3DXVECTOR3 lookdir;
  };
  const Case cases[] = {
      {2.0f, 5.0f, 0.0f, {0.0f, 3.0f, 1.0f}},
      {-10.0f, -10.0f, 45.0f, {0.8509035f, 3.0f, 0.5253220f}},
      {0.0f, 0.0f, 0.7853982f * 2.0f, {1.0f, 3.0f, -4.371139e-08f}},
  };
  for (const Case& c : cases) {
    CCamera camera(device, 1024, 768, c.x, c.z, c.heading);
    EXPECT_EQ(camera.get_position().x, c.x);
    EXPECT_EQ(camera.get_position().y, 3.0f);
    EXPECT_EQ(camera.get_position().z, c.z);
    EXPECT_FLOAT_EQ(camera.get_lookdir().x, c.lookdir.x);
    EXPECT_EQ(camera.get_lookdir().y, 3.0f);
    EXPECT_FLOAT_EQ(camera.get_lookdir().z, c.lookdir.z);
  }
}

TEST_F(CameraTest, UpdateSetsTheLevelViewAndTheProjectionOfTheScreen) {
  struct Case {
    int width, height;
    float x, z, heading;
    D3DVECTOR at;
  };
  const Case cases[] = {
      {1024, 768, 2.0f, 5.0f, 0.0f, {2.0f, 3.0f, 6.0f}},
      {1024, 768, -25.0f, -10.0f, 45.0f, {-25.0f + 0.8509035f, 3.0f, -10.0f + 0.5253220f}},
      {800, 600, 1.0f, 1.0f, -1.0f, {1.0f - 0.84147098f, 3.0f, 1.0f + 0.54030231f}},
  };
  for (const Case& c : cases) {
    CCamera camera(device, c.width, c.height, c.x, c.z, c.heading);
    fake::Log().Clear();
    camera.Update();
    EXPECT_EQ(fake::Log().Names(), (std::vector<std::string>{"SetTransform", "SetTransform"}));
    EXPECT_TRUE(MatrixNear(LookAtMatrix({c.x, 3.0f, c.z}, c.at, {0.0f, 1.0f, 0.0f}),
                           SetMatrix(D3DTS_VIEW)));
    const double aspect = double(c.width) / double(c.height);
    const D3DMATRIX projection = SetMatrix(D3DTS_PROJECTION);
    EXPECT_TRUE(MatrixNear(PerspectiveMatrix(kFov, aspect, 0.1, 250.0), projection));
    EXPECT_FLOAT_EQ(projection.m[1][1] / projection.m[0][0], 1.3333334f);
  }
}

TEST_F(CameraTest, TurningAndWalkingStepByStep) {
  CCamera camera(device, 1024, 768, 0.0f, 0.0f, 0.0f);
  struct Step {
    void (CCamera::*op)(float);
    float time;
    float x, z, heading;
  };
  const Step steps[] = {
      {&CCamera::Movefoward, 0.2f, 0.0f, 1.0f, 0.0f},
      {&CCamera::Movebackward, 0.2f, 0.0f, 0.0f, 0.0f},
      {&CCamera::Turnright, 1.0f, 0.0f, 0.0f, 0.7853982f},
      {&CCamera::Movefoward, 0.2f, 0.70710677f, 0.70710677f, 0.7853982f},
      {&CCamera::Turnleft, 1.0f, 0.70710677f, 0.70710677f, 0.0f},
      {&CCamera::Movebackward, 0.4f, 0.70710677f, -1.2928932f, 0.0f},
      {&CCamera::Turnleft, 2.0f, 0.70710677f, -1.2928932f, -1.5707964f},
  };
  for (const Step& s : steps) {
    (camera.*s.op)(s.time);
    EXPECT_NEAR(camera.get_position().x, s.x, 1e-6);
    EXPECT_EQ(camera.get_position().y, 3.0f);
    EXPECT_NEAR(camera.get_position().z, s.z, 1e-6);
    EXPECT_NEAR(camera.get_angle(), s.heading, 1e-6);
    EXPECT_NEAR(camera.get_lookdir().x, std::sin(s.heading), 1e-6);
    EXPECT_EQ(camera.get_lookdir().y, 3.0f);
    EXPECT_NEAR(camera.get_lookdir().z, std::cos(s.heading), 1e-6);
  }
}

TEST_F(CameraTest, FrameTimeZeroChangesNothing) {
  CCamera camera(device, 1024, 768, -10.0f, -10.0f, 45.0f);
  const D3DXVECTOR3 position = camera.get_position();
  const D3DXVECTOR3 lookdir = camera.get_lookdir();
  camera.Movebackward(0.0f);
  camera.Movefoward(0.0f);
  camera.Turnleft(0.0f);
  camera.Turnright(0.0f);
  EXPECT_EQ(camera.get_angle(), 45.0f);
  EXPECT_EQ(camera.get_position().x, position.x);
  EXPECT_EQ(camera.get_position().z, position.z);
  EXPECT_EQ(camera.get_lookdir().x, lookdir.x);
  EXPECT_EQ(camera.get_lookdir().z, lookdir.z);
}

}  // namespace
}  // namespace presentation
