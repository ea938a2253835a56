// The D3DX matrix helpers against matrices worked out by hand from their documented formulas
// (row vectors, left-handed, depth 0..1).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "render/platform/d3dx9.h"

namespace {

using Rows = std::array<std::array<float, 4>, 4>;

void ExpectMatrix(const D3DXMATRIX& actual, const Rows& expected, const std::string& what) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      EXPECT_NEAR(actual.m[r][c],
                  expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], 1e-5f)
          << what << " at row " << r << ", column " << c;
    }
  }
}

// The point (x, y, z, 1) through `m`, divided by w.
std::array<float, 3> Transform(const D3DXMATRIX& m, float x, float y, float z) {
  float out[4] = {};
  for (int c = 0; c < 4; ++c)
    out[c] = x * m.m[0][c] + y * m.m[1][c] + z * m.m[2][c] + m.m[3][c];
  return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

struct MatrixCase {
  std::string name;
  std::function<void(D3DXMATRIX*)> make;
  Rows expected;
};

TEST(MatrixHelpers, MatchTheirFormulas) {
  const float pi = 3.14159265f;
  // PerspectiveFovLH(pi/4, 4/3, 0.1, 250): h = cot(pi/8) = 1 + sqrt(2), w = h * 3/4,
  // zf / (zf - zn) = 250 / 249.9, -zn * zf / (zf - zn) = -25 / 249.9.
  const float h = 1.0f + std::sqrt(2.0f);
  const std::vector<MatrixCase> cases = {
      {"identity", [](D3DXMATRIX* m) { D3DXMatrixIdentity(m); },
       Rows{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}},
      {"scaling", [](D3DXMATRIX* m) { D3DXMatrixScaling(m, 4, 2, 4); },
       Rows{{{4, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 4, 0}, {0, 0, 0, 1}}}},
      {"translation", [](D3DXMATRIX* m) { D3DXMatrixTranslation(m, 6, 0, -7); },
       Rows{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {6, 0, -7, 1}}}},
      {"rotation a quarter turn", [&](D3DXMATRIX* m) { D3DXMatrixRotationY(m, pi / 2); },
       Rows{{{0, 0, -1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1}}}},
      {"rotation 30 degrees", [&](D3DXMATRIX* m) { D3DXMatrixRotationY(m, pi / 6); },
       Rows{{{std::sqrt(3.0f) / 2, 0, -0.5f, 0},
             {0, 1, 0, 0},
             {0.5f, 0, std::sqrt(3.0f) / 2, 0},
             {0, 0, 0, 1}}}},
      {"look along +z",
       [](D3DXMATRIX* m) {
         const D3DXVECTOR3 eye(0, 3, -10), at(0, 3, 0), up(0, 1, 0);
         D3DXMatrixLookAtLH(m, &eye, &at, &up);
       },
       // z = (0, 0, 1), x = up x z = (1, 0, 0), y = z x x = (0, 1, 0); last row -dot(axis, eye).
       Rows{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, -3, 10, 1}}}},
      {"look along +x",
       [](D3DXMATRIX* m) {
         const D3DXVECTOR3 eye(2, 0, 1), at(5, 0, 1), up(0, 1, 0);
         D3DXMatrixLookAtLH(m, &eye, &at, &up);
       },
       // z = (1, 0, 0), x = up x z = (0, 0, -1), y = (0, 1, 0); last row (1, 0, -2).
       Rows{{{0, 0, 1, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}, {1, 0, -2, 1}}}},
      {"perspective square",
       [](D3DXMATRIX* m) { D3DXMatrixPerspectiveFovLH(m, 3.14159265f / 2, 2.0f, 1.0f, 101.0f); },
       // h = cot(pi/4) = 1, w = 1/2, 101/100, -101/100.
       Rows{{{0.5f, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1.01f, 1}, {0, 0, -1.01f, 0}}}},
      {"perspective of the camera",
       [](D3DXMATRIX* m) {
         D3DXMatrixPerspectiveFovLH(m, 0.7853982f, 1024.0f / 768.0f, 0.1f, 250.0f);
       },
       Rows{{{h * 0.75f, 0, 0, 0},
             {0, h, 0, 0},
             {0, 0, 250.0f / 249.9f, 1},
             {0, 0, -25.0f / 249.9f, 0}}}},
  };
  for (const MatrixCase& c : cases) {
    D3DXMATRIX m;
    c.make(&m);
    ExpectMatrix(m, c.expected, c.name);
  }
}

TEST(MatrixHelpers, RotationTurnsPlusZTowardsPlusX) {
  D3DXMATRIX m;
  D3DXMatrixRotationY(&m, 0.5f);
  const auto p = Transform(m, 0, 0, 1);
  EXPECT_NEAR(p[0], std::sin(0.5f), 1e-6f);
  EXPECT_NEAR(p[1], 0.0f, 1e-6f);
  EXPECT_NEAR(p[2], std::cos(0.5f), 1e-6f);
}

TEST(MatrixHelpers, MultiplyAppliesTheFirstOperandFirst) {
  D3DXMATRIX scale, move, scaleThenMove, moveThenScale;
  D3DXMatrixScaling(&scale, 2, 2, 2);
  D3DXMatrixTranslation(&move, 1, 0, 0);
  D3DXMatrixMultiply(&scaleThenMove, &scale, &move);
  D3DXMatrixMultiply(&moveThenScale, &move, &scale);
  // (1, 0, 0) scaled to (2, 0, 0) then moved to (3, 0, 0); moved to (2, 0, 0) then scaled to 4.
  EXPECT_FLOAT_EQ(Transform(scaleThenMove, 1, 0, 0)[0], 3.0f);
  EXPECT_FLOAT_EQ(Transform(moveThenScale, 1, 0, 0)[0], 4.0f);
  // The output may be one of the inputs.
  D3DXMatrixMultiply(&scale, &scale, &move);
  ExpectMatrix(scale, Rows{{{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {1, 0, 0, 1}}}, "aliased");
}

TEST(MatrixHelpers, PerspectiveDepthRunsFromZeroAtNearToOneAtFar) {
  D3DXMATRIX m;
  D3DXMatrixPerspectiveFovLH(&m, 0.7853982f, 4.0f / 3.0f, 0.1f, 250.0f);
  EXPECT_NEAR(Transform(m, 0, 0, 0.1f)[2], 0.0f, 1e-6f);
  EXPECT_NEAR(Transform(m, 0, 0, 250.0f)[2], 1.0f, 1e-6f);
  // Clip-space y grows upwards: a point above the axis lands in the upper half.
  EXPECT_GT(Transform(m, 0, 1, 10)[1], 0.0f);
}

}  // namespace
