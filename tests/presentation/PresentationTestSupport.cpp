// The recording-device fixture, reference matrices and draw extraction of the presentation tests.
#include "tests/presentation/PresentationTestSupport.h"

#include <cmath>
#include <sstream>

namespace presentation {

namespace {

struct Vec {
  double x, y, z;
};

Vec Sub(Vec a, Vec b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec Cross(Vec a, Vec b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(Vec a, Vec b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Normalize(Vec v) {
  const double length = std::sqrt(Dot(v, v));
  return {v.x / length, v.y / length, v.z / length};
}
Vec ToVec(D3DVECTOR v) {
  return {v.x, v.y, v.z};
}

D3DMATRIX Rows(const double (&rows)[4][4]) {
  D3DMATRIX m;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c)
      m.m[r][c] = static_cast<float>(rows[r][c]);
  }
  return m;
}

}  // namespace

RecordingDeviceTest::RecordingDeviceTest() {
  d3d = Direct3DCreate9(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS params{};
  d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, 0, &params, &device);
  fake::Log().Clear();
}

RecordingDeviceTest::~RecordingDeviceTest() {
  device->Release();
  d3d->Release();
}

D3DMATRIX PlacementMatrix(float x, float z, float degrees) {
  const double a = static_cast<double>(degrees * 0.017453292f);
  const double c = std::cos(a);
  const double s = std::sin(a);
  return Rows({{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {x, 0, z, 1}});
}

D3DMATRIX StreetMatrix(float x, float z) {
  return Rows({{4, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 4, 0}, {x, 0, z, 1}});
}

D3DMATRIX LookAtMatrix(D3DVECTOR eye, D3DVECTOR at, D3DVECTOR up) {
  const Vec e = ToVec(eye);
  const Vec zaxis = Normalize(Sub(ToVec(at), e));
  const Vec xaxis = Normalize(Cross(ToVec(up), zaxis));
  const Vec yaxis = Cross(zaxis, xaxis);
  return Rows({{xaxis.x, yaxis.x, zaxis.x, 0},
               {xaxis.y, yaxis.y, zaxis.y, 0},
               {xaxis.z, yaxis.z, zaxis.z, 0},
               {-Dot(xaxis, e), -Dot(yaxis, e), -Dot(zaxis, e), 1}});
}

D3DMATRIX PerspectiveMatrix(double fovy, double aspect, double zn, double zf) {
  const double h = 1.0 / std::tan(fovy / 2.0);
  const double w = h / aspect;
  return Rows(
      {{w, 0, 0, 0}, {0, h, 0, 0}, {0, 0, zf / (zf - zn), 1}, {0, 0, -zn * zf / (zf - zn), 0}});
}

::testing::AssertionResult MatrixNear(const D3DMATRIX& expected, const D3DMATRIX& actual,
                                      double tolerance) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const double diff = std::fabs(double(expected.m[r][c]) - double(actual.m[r][c]));
      if (diff > tolerance) {
        std::ostringstream out;
        out << "element [" << r << "][" << c << "] is " << actual.m[r][c] << ", expected "
            << expected.m[r][c];
        return ::testing::AssertionFailure() << out.str();
      }
    }
  }
  return ::testing::AssertionSuccess();
}

std::vector<Draw> Draws() {
  std::vector<Draw> draws;
  Draw state{.texture = "<unset>"};
  for (const fake::Call& call : fake::Log().Calls()) {
    if (call.name == "SetTexture")
      state.texture = call.file;
    if (call.name == "SetTransform" && call.args.at(0) == double(D3DTS_WORLD))
      state.world = call.matrix;
    if (call.name == "SetTransform" && call.args.at(0) == double(D3DTS_VIEW))
      state.view = call.matrix;
    if (call.name == "DrawSubset") {
      state.mesh = call.file;
      draws.push_back(state);
    }
  }
  return draws;
}

std::size_t DrawsOf(const std::vector<Draw>& draws, const std::string& mesh) {
  std::size_t n = 0;
  for (const Draw& d : draws) {
    if (d.mesh == mesh)
      ++n;
  }
  return n;
}

std::vector<fake::Call> NamedWith(const std::string& name, double arg) {
  std::vector<fake::Call> out;
  for (const fake::Call& call : fake::Log().Named(name)) {
    if (!call.args.empty() && call.args[0] == arg)
      out.push_back(call);
  }
  return out;
}

}  // namespace presentation
