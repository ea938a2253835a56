// The committed meshes, read with the program's .x reader: one subset, unit normals, texture
// coordinates inside the texture, and the sizes and orientation the scene places them with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

#include "tests/assets/asset_files.h"

namespace assets_test {
namespace {

constexpr double kEps = 1e-5;
constexpr double kInf = std::numeric_limits<double>::infinity();

// The smallest box around a set of points.
struct Bounds {
  double min_x = kInf, max_x = -kInf, min_y = kInf, max_y = -kInf, min_z = kInf, max_z = -kInf;
  double min_u = kInf, max_u = -kInf, min_v = kInf, max_v = -kInf;

  void Add(const xfile::Vertex& v) {
    min_x = std::min(min_x, double{v.px});
    max_x = std::max(max_x, double{v.px});
    min_y = std::min(min_y, double{v.py});
    max_y = std::max(max_y, double{v.py});
    min_z = std::min(min_z, double{v.pz});
    max_z = std::max(max_z, double{v.pz});
    min_u = std::min(min_u, double{v.u});
    max_u = std::max(max_u, double{v.u});
    min_v = std::min(min_v, double{v.v});
    max_v = std::max(max_v, double{v.v});
  }
};

Bounds AllBounds(const xfile::Mesh& mesh) {
  Bounds b;
  for (const xfile::Vertex& v : mesh.vertices) {
    b.Add(v);
  }
  return b;
}

const xfile::Vertex& Corner(const xfile::Mesh& mesh, std::size_t triangle, std::size_t corner) {
  return mesh.vertices[mesh.indices[triangle * 3 + corner]];
}

// True when the triangle spans an area of the texture rather than one plain texel.
bool Textured(const xfile::Mesh& mesh, std::size_t t) {
  const xfile::Vertex& a = Corner(mesh, t, 0);
  const xfile::Vertex& b = Corner(mesh, t, 1);
  const xfile::Vertex& c = Corner(mesh, t, 2);
  const double area = (b.u - a.u) * (c.v - a.v) - (c.u - a.u) * (b.v - a.v);
  return std::abs(area) > 1e-6;
}

class EveryMesh : public testing::TestWithParam<const char*> {};

TEST_P(EveryMesh, HasOneSubsetUnitNormalsAndCoordinatesInsideTheTexture) {
  xfile::Mesh mesh;
  ASSERT_TRUE(LoadMesh(GetParam(), mesh));
  ASSERT_FALSE(mesh.indices.empty());
  ASSERT_EQ(mesh.indices.size() % 3, 0u);
  EXPECT_EQ(mesh.attributes.size(), mesh.indices.size() / 3);
  EXPECT_TRUE(std::all_of(mesh.attributes.begin(), mesh.attributes.end(),
                          [](std::uint32_t a) { return a == 0; }));
  EXPECT_TRUE(std::all_of(mesh.indices.begin(), mesh.indices.end(),
                          [&](std::uint32_t i) { return i < mesh.vertices.size(); }));
  for (const xfile::Vertex& v : mesh.vertices) {
    EXPECT_NEAR(std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1.0, 1e-4);
    EXPECT_TRUE(v.u >= 0.0f && v.u <= 1.0f && v.v >= 0.0f && v.v <= 1.0f) << v.u << ", " << v.v;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, EveryMesh, testing::ValuesIn(kMeshFiles),
                         [](const auto& param_info) { return NameOf(param_info.param); });

// The program draws the street stretched by 4 in x and z.
constexpr double kStreetScale = 4.0;

TEST(StreetMesh, IsAFlatGroundReachingSixtyUnitsEveryWayWithAFineGrid) {
  xfile::Mesh mesh;
  ASSERT_TRUE(LoadMesh("models/street.x", mesh));
  const Bounds b = AllBounds(mesh);
  EXPECT_LE(b.min_x * kStreetScale, -60.0);
  EXPECT_GE(b.max_x * kStreetScale, 60.0);
  EXPECT_LE(b.min_z * kStreetScale, -60.0);
  EXPECT_GE(b.max_z * kStreetScale, 60.0);
  EXPECT_EQ(b.min_y, 0.0);
  EXPECT_EQ(b.max_y, 0.0);
  for (const xfile::Vertex& v : mesh.vertices) {
    ASSERT_GT(v.ny, 0.999f);
  }
  for (std::size_t t = 0; t < mesh.indices.size() / 3; ++t) {
    for (std::size_t i = 0; i < 3; ++i) {
      const xfile::Vertex& a = Corner(mesh, t, i);
      const xfile::Vertex& c = Corner(mesh, t, (i + 1) % 3);
      ASSERT_LE(std::abs(a.px - c.px), 0.5 + kEps) << "triangle " << t;
      ASSERT_LE(std::abs(a.pz - c.pz), 0.5 + kEps) << "triangle " << t;
    }
  }
}

// The whole texture covers the ground once, north (+z) at the top and east (+x) on the right.
TEST(StreetMesh, MapsTheTextureOnceNorthUpWithoutMirroring) {
  xfile::Mesh mesh;
  ASSERT_TRUE(LoadMesh("models/street.x", mesh));
  const Bounds b = AllBounds(mesh);
  EXPECT_EQ(b.min_u, 0.0);
  EXPECT_EQ(b.max_u, 1.0);
  EXPECT_EQ(b.min_v, 0.0);
  EXPECT_EQ(b.max_v, 1.0);
  for (std::size_t t = 0; t < mesh.indices.size() / 3; ++t) {
    for (std::size_t i = 0; i < 3; ++i) {
      const xfile::Vertex& a = Corner(mesh, t, i);
      const xfile::Vertex& c = Corner(mesh, t, (i + 1) % 3);
      if (a.px < c.px) {
        ASSERT_LT(a.u, c.u) << "triangle " << t;
      }
      if (a.pz < c.pz) {
        ASSERT_GT(a.v, c.v) << "triangle " << t;
      }
    }
  }
}

// Height limits of a signal model's head, in scene units.
struct SignalCase {
  const char* file = "";
  double head_low = 0.0;    // the head's lower edge is at least this high
  double head_high = 0.0;   // and its top at most this high
  double min_height = 0.0;  // the head is at least this tall
};

class SignalMesh : public testing::TestWithParam<SignalCase> {};

// A signal stands on y = 0 at the origin, thin, with its head high enough for the eye at 3.
TEST_P(SignalMesh, StandsAtTheOriginWithItsHeadAtEyeHeight) {
  const SignalCase& c = GetParam();
  xfile::Mesh mesh;
  ASSERT_TRUE(LoadMesh(c.file, mesh));
  const Bounds all = AllBounds(mesh);
  EXPECT_EQ(all.min_y, 0.0);
  EXPECT_LE(all.max_y, c.head_high + kEps);
  for (const double extent : {all.min_x, all.max_x, all.min_z, all.max_z}) {
    EXPECT_LE(std::abs(extent), 0.75);
  }
  Bounds head;
  for (std::size_t t = 0; t < mesh.indices.size() / 3; ++t) {
    if (Textured(mesh, t)) {
      for (std::size_t i = 0; i < 3; ++i) {
        head.Add(Corner(mesh, t, i));
      }
    }
  }
  EXPECT_GE(head.min_y, c.head_low);
  EXPECT_LE(head.max_y, c.head_high);
  EXPECT_GE(head.max_y - head.min_y, c.min_height);
}

// The head picture lies on one face looking towards -z, upright and not mirrored for a viewer
// there (u grows to their right, +x; v grows downwards), filling the texture's width.
TEST_P(SignalMesh, ShowsItsPictureUprightOnTheFrontFacingMinusZ) {
  xfile::Mesh mesh;
  ASSERT_TRUE(LoadMesh(GetParam().file, mesh));
  Bounds head;
  std::size_t textured = 0;
  for (std::size_t t = 0; t < mesh.indices.size() / 3; ++t) {
    if (!Textured(mesh, t)) {
      continue;
    }
    ++textured;
    for (std::size_t i = 0; i < 3; ++i) {
      const xfile::Vertex& a = Corner(mesh, t, i);
      const xfile::Vertex& b = Corner(mesh, t, (i + 1) % 3);
      head.Add(a);
      EXPECT_LT(a.nz, -0.999f);
      EXPECT_EQ(a.pz, b.pz);
      if (a.px < b.px) {
        EXPECT_LT(a.u, b.u);
      }
      if (a.py < b.py) {
        EXPECT_GT(a.v, b.v);
      }
    }
  }
  EXPECT_GE(textured, 2u);
  EXPECT_LT(head.max_z, 0.0);
  EXPECT_EQ(head.min_u, 0.0);
  EXPECT_EQ(head.max_u, 1.0);
  EXPECT_EQ(head.min_v, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Files, SignalMesh,
                         testing::Values(SignalCase{"models/traffic.x", 2.2, 4.0, 1.2},
                                         SignalCase{"models/ped.x", 1.9, 3.6, 0.8}),
                         [](const auto& param_info) { return NameOf(param_info.param.file); });

}  // namespace
}  // namespace assets_test
