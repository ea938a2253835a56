// Shared by the presentation tests: a recording device to draw on, the reference matrix formulas of
// the left-handed row-vector convention, and the draws read back from the call log.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/platform/d3dx9.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_device.h"

namespace presentation {

// A scripted window layer and a recording device; the log is cleared once the device exists.
class RecordingDeviceTest : public ::testing::Test {
 protected:
  RecordingDeviceTest();
  ~RecordingDeviceTest() override;

  fake::ScopedFakeWindow window;
  fake::ScopedRecordingGraphics graphics;
  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
};

// Rotation about y by `degrees` (turned with the single-precision factor), then translation.
D3DMATRIX PlacementMatrix(float x, float z, float degrees);
// Scaling by (4, 2, 4), then translation to (x, 0, z).
D3DMATRIX StreetMatrix(float x, float z);
// The left-handed look-at view, computed in double precision.
D3DMATRIX LookAtMatrix(D3DVECTOR eye, D3DVECTOR at, D3DVECTOR up);
// The left-handed perspective projection with depth 0..1, computed in double precision.
D3DMATRIX PerspectiveMatrix(double fovy, double aspect, double zn, double zf);

// Every element within `tolerance`.
::testing::AssertionResult MatrixNear(const D3DMATRIX& expected, const D3DMATRIX& actual,
                                      double tolerance = 1e-5);

// What one DrawSubset drew with: the mesh file, the texture bound to stage 0 ("" for a null
// binding, "<unset>" when nothing was bound yet) and the world and view transforms in force.
struct Draw {
  std::string mesh;
  std::string texture;
  D3DMATRIX world{};
  D3DMATRIX view{};
};

// The draws of the calls logged since the last Clear, in order.
std::vector<Draw> Draws();
// How many draws used `mesh` ('/' separators).
std::size_t DrawsOf(const std::vector<Draw>& draws, const std::string& mesh);
// The logged calls named `name` whose first argument is `arg`.
std::vector<fake::Call> NamedWith(const std::string& name, double arg);

}  // namespace presentation
