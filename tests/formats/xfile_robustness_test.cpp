// The .x reader on damaged input: every prefix of a rich sample and a fixed-seed run of random
// mutations must give either a consistent mesh or a clean one-line error.
#include "render/platform/formats/xfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

const std::string kSample = R"(xof 0303txt 0032
// exported sample: templates, comments, frames, n-gons, normals, texture coordinates, materials
template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x; FLOAT y; FLOAT z;
}
Header { 1; 0; 1; }
Material Red { 1.0;0.0;0.0;1.0;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
Frame Scene {
 FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,2.5,0.0,1.0;; }
 Frame Pole {
  FrameTransformMatrix { 0.0,0.0,-1.0,0.0, 0.0,2.0,0.0,0.0, 1.0,0.0,0.0,0.0, 3.0,0.0,0.0,1.0;; }
  Mesh PoleMesh {
   6;
   0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;, 0.0;0.0;-1.0;, 1.0;0.0;-1.0;;
   3;
   4;0,1,2,3;,
   4;1,0,4,5;,
   3;2,1,5;;
   MeshNormals {
    3;
    0.0;0.0;-1.0;, 0.0;-1.0;0.0;, 1.0;0.0;0.0;;
    3;
    4;0,0,0,0;,
    4;1,1,1,1;,
    3;2,2,2;;
   }
   MeshTextureCoords {
    6;
    0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;, 0.0;0.5;, 1.0;0.5;;
   }
   MeshMaterialList {
    2;
    3;
    0,
    1,
    1;;
    { Red }
    Material { 0.5;0.5;0.5;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { "pole.jpg"; } }
   }
  }
 }
 Mesh Plate {
  5; -1.0;0.0;-1.0;, 1.0;0.0;-1.0;, 1.0;0.0;1.0;, 0.0;0.0;1.5;, -1.0;0.0;1.0;;
  1; 5;4,3,2,1,0;;
 }
}
)";

// A successful parse must give a usable mesh; a failed one an empty mesh and a one-line reason.
void CheckOutcome(bool ok, const xfile::Mesh& mesh, const std::string& error,
                  const std::string& label) {
  if (!ok) {
    EXPECT_FALSE(error.empty()) << label;
    EXPECT_EQ(error.find('\n'), std::string::npos) << label << ": " << error;
    EXPECT_TRUE(mesh.vertices.empty() && mesh.indices.empty() && mesh.attributes.empty()) << label;
    return;
  }
  ASSERT_EQ(mesh.indices.size(), 3 * mesh.attributes.size()) << label;
  for (std::uint32_t index : mesh.indices) {
    ASSERT_LT(index, mesh.vertices.size()) << label;
  }
  for (const xfile::Vertex& v : mesh.vertices) {
    ASSERT_TRUE(std::isfinite(v.px) && std::isfinite(v.py) && std::isfinite(v.pz) &&
                std::isfinite(v.nx) && std::isfinite(v.ny) && std::isfinite(v.nz) &&
                std::isfinite(v.u) && std::isfinite(v.v))
        << label;
  }
}

TEST(XFileRobustness, SampleParsesCompletely) {
  xfile::Mesh mesh;
  std::string error;
  ASSERT_TRUE(xfile::Parse(kSample, mesh, error)) << error;
  EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{0, 0, 1, 1, 1, 0, 0, 0}));
  EXPECT_EQ(mesh.vertices.size(), 11u + 5u);
}

TEST(XFileRobustness, EveryPrefixGivesAMeshOrACleanError) {
  std::size_t accepted = 0;
  for (std::size_t length = 0; length < kSample.size(); ++length) {
    xfile::Mesh mesh;
    std::string error;
    const bool ok = xfile::Parse(std::string_view(kSample).substr(0, length), mesh, error);
    accepted += ok ? 1 : 0;
    CheckOutcome(ok, mesh, error, "prefix of " + std::to_string(length) + " bytes");
  }
  EXPECT_EQ(accepted, 1u) << "only the prefix lacking the final newline is a complete file";
}

std::string Mutate(std::string text, std::mt19937& random) {
  static const std::string kInteresting = "{};,<>\"#/-+.e0123456789 \nMeshFrame";
  std::uniform_int_distribution<int> operation(0, 3);
  std::uniform_int_distribution<int> count(1, 8);
  for (int n = count(random); n > 0 && !text.empty(); --n) {
    std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
    const std::size_t pos = at(random);
    switch (operation(random)) {
      case 0:
        text[pos] = static_cast<char>(random() & 0xff);
        break;
      case 1:
        text[pos] = kInteresting[random() % kInteresting.size()];
        break;
      case 2:
        text.erase(pos, 1 + random() % 16);
        break;
      default:
        text.insert(pos, text.substr(at(random), 1 + random() % 32));
        break;
    }
  }
  return text;
}

TEST(XFileRobustness, RandomMutationsGiveAMeshOrACleanError) {
  std::mt19937 random(20240611u);
  std::size_t accepted = 0;
  constexpr int kRounds = 4000;
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = Mutate(kSample, random);
    xfile::Mesh mesh;
    std::string error;
    const bool ok = xfile::Parse(text, mesh, error);
    accepted += ok ? 1 : 0;
    CheckOutcome(ok, mesh, error, "mutation round " + std::to_string(round));
  }
  EXPECT_GT(accepted, 0u) << "some mutations (in comments, numbers) must still parse";
  EXPECT_LT(accepted, std::size_t{kRounds}) << "most structural damage must be reported";
}

}  // namespace
