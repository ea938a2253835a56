// Reading well-formed DirectX text meshes, and the errors for malformed ones.
#include "render/platform/formats/xfile.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kHeader = "xof 0303txt 0032\n";

struct Vec3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

Vec3 Position(const xfile::Vertex& v) {
  return {v.px, v.py, v.pz};
}
Vec3 Normal(const xfile::Vertex& v) {
  return {v.nx, v.ny, v.nz};
}

const xfile::Vertex& Corner(const xfile::Mesh& mesh, std::size_t triangle, std::size_t k) {
  return mesh.vertices.at(mesh.indices.at(3 * triangle + k));
}

void ExpectNear(const Vec3& actual, const Vec3& expected, const std::string& what) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f) << what;
  EXPECT_NEAR(actual.y, expected.y, 1e-5f) << what;
  EXPECT_NEAR(actual.z, expected.z, 1e-5f) << what;
}

// Checks triangle `t` against three expected corner positions, in order.
void ExpectTriangle(const xfile::Mesh& mesh, std::size_t t, const std::array<Vec3, 3>& corners) {
  for (std::size_t k = 0; k < 3; ++k) {
    ExpectNear(Position(Corner(mesh, t, k)), corners[k],
               "triangle " + std::to_string(t) + " corner " + std::to_string(k));
  }
}

xfile::Mesh ParseOk(const std::string& body) {
  xfile::Mesh mesh;
  std::string error;
  EXPECT_TRUE(xfile::Parse(kHeader + body, mesh, error)) << error;
  return mesh;
}

TEST(XFileParse, NGonsBecomeFansInFileWindingWithDefaultsForMissingData) {
  const xfile::Mesh mesh = ParseOk(R"(
Mesh {
 5;
 0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;, 0.5;2.0;0.0;;
 2;
 4;0,1,2,3;,
 5;0,1,2,4,3;;
})");
  const Vec3 p0{0, 0, 0}, p1{1, 0, 0}, p2{1, 1, 0}, p3{0, 1, 0}, p4{0.5f, 2, 0};
  ASSERT_EQ(mesh.attributes.size(), 5u);
  ASSERT_EQ(mesh.indices.size(), 15u);
  EXPECT_EQ(mesh.vertices.size(), 5u) << "corners sharing a position share a vertex";
  ExpectTriangle(mesh, 0, {p0, p1, p2});
  ExpectTriangle(mesh, 1, {p0, p2, p3});
  ExpectTriangle(mesh, 2, {p0, p1, p2});
  ExpectTriangle(mesh, 3, {p0, p2, p4});
  ExpectTriangle(mesh, 4, {p0, p4, p3});
  for (const xfile::Vertex& v : mesh.vertices) {
    ExpectNear(Normal(v), {0, 0, 0}, "normal without MeshNormals");
    EXPECT_EQ(v.u, 0.0f);
    EXPECT_EQ(v.v, 0.0f);
  }
  EXPECT_EQ(mesh.attributes, std::vector<std::uint32_t>(5, 0));
}

// Two quads share the edge 0-1 but carry different normals: the shared positions are split, every
// other (position, normal) pair is used once.
TEST(XFileParse, SeparateNormalIndicesSplitVerticesAndKeepTexCoordsPerPosition) {
  const xfile::Mesh mesh = ParseOk(R"(
Mesh Corner {
 6;
 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 0;0;-1;, 1;0;-1;;
 2;
 4;0,1,2,3;,
 4;1,0,4,5;;
 MeshNormals {
  2;
  0;0;-1;, 0;-1;0;;
  2;
  4;0,0,0,0;,
  4;1,1,1,1;;
 }
 MeshTextureCoords {
  6;
  0.0;0.0;, 0.1;0.0;, 0.2;0.0;, 0.3;0.0;, 0.4;0.0;, 0.5;0.0;;
 }
 MeshMaterialList {
  2;
  2;
  0,
  1;;
  Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { "a.jpg"; } }
  Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
 }
})");
  const std::vector<Vec3> positions = {{0, 0, 0}, {1, 0, 0},  {1, 1, 0},
                                       {0, 1, 0}, {0, 0, -1}, {1, 0, -1}};
  ASSERT_EQ(mesh.indices.size(), 12u);
  EXPECT_EQ(mesh.vertices.size(), 8u);
  EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{0, 0, 1, 1}));
  const std::array<Vec3, 4> faceNormal = {Vec3{0, 0, -1}, Vec3{0, 0, -1}, Vec3{0, -1, 0},
                                          Vec3{0, -1, 0}};
  for (std::size_t t = 0; t < 4; ++t) {
    for (std::size_t k = 0; k < 3; ++k) {
      const xfile::Vertex& v = Corner(mesh, t, k);
      ExpectNear(Normal(v), faceNormal[t], "normal of triangle " + std::to_string(t));
      std::size_t p = 0;
      while (p < positions.size() &&
             (positions[p].x != v.px || positions[p].y != v.py || positions[p].z != v.pz)) {
        ++p;
      }
      ASSERT_LT(p, positions.size());
      EXPECT_FLOAT_EQ(v.u, 0.1f * static_cast<float>(p)) << "texcoord follows the position";
    }
  }
}

TEST(XFileParse, MaterialListAttributesFollowTheirFaceThroughTriangulation) {
  const std::string faces = R"(
Mesh {
 5; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 0;2;0;;
 2; 3;0,1,2;, 5;0,1,2,3,4;;
 MeshMaterialList { %s }
})";
  struct Case {
    const char* list;
    std::vector<std::uint32_t> attributes;
  };
  const std::vector<Case> cases = {
      {"3; 2; 2, 1;;", {2, 1, 1, 1}},
      {"3; 1; 2;;", {2, 2, 2, 2}},
      {"2; 2; 1; 0;; { SharedMaterial }", {1, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::string body = faces;
    body.replace(body.find("%s"), 2, c.list);
    EXPECT_EQ(ParseOk(body).attributes, c.attributes) << c.list;
  }
}

// The child's matrix comes after its mesh in the file; it still applies first, then the parent's.
TEST(XFileParse, NestedFramesApplyChildThenParentTransform) {
  const xfile::Mesh mesh = ParseOk(R"(
Frame Root {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
 Frame Child {
  Mesh {
   3; 1;0;0;, 0;1;0;, 0;0;1;;
   1; 3;0,1,2;;
   MeshNormals { 1; 0.57735;0.57735;0.57735;; 1; 3;0,0,0;; }
  }
  FrameTransformMatrix { 0,0,-2,0, 0,1,0,0, 1,0,0,0, 0,0,0,1;; }
 }
 Mesh {
  3; 0;0;0;, 0;1;0;, 0;0;1;;
  1; 3;0,1,2;;
  MeshNormals { 1; 2;0;0;; 1; 3;0,0,0;; }
 }
}
Mesh {
 3; 0;0;0;, 1;0;0;, 0;1;0;;
 1; 3;0,1,2;;
})");
  ASSERT_EQ(mesh.attributes.size(), 3u);
  // Child: scale x by 2, turn 90 degrees about y, then move by the root's (10, 0, 0).
  ExpectTriangle(mesh, 0, {Vec3{10, 0, -2}, Vec3{10, 1, 0}, Vec3{11, 0, 0}});
  const float third = 1.0f / 3.0f;
  for (std::size_t k = 0; k < 3; ++k) {
    ExpectNear(Normal(Corner(mesh, 0, k)), {2 * third, 2 * third, -third},
               "normal stays perpendicular to the stretched face");
  }
  ExpectTriangle(mesh, 1, {Vec3{10, 0, 0}, Vec3{10, 1, 0}, Vec3{10, 0, 1}});
  ExpectNear(Normal(Corner(mesh, 1, 0)), {1, 0, 0}, "root mesh normal");
  ExpectTriangle(mesh, 2, {Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 1, 0}});
}

TEST(XFileParse, FrameMatricesTransformNormalsByInverseTransposeAndNormalise) {
  struct Case {
    const char* name;
    const char* matrix;
    Vec3 position, expectedPosition, normal, expectedNormal;
  };
  const float r3 = 1.0f / std::sqrt(3.0f), r5 = 1.0f / std::sqrt(5.0f);
  const std::vector<Case> cases = {
      {"uniform scale and move",
       "3,0,0,0, 0,3,0,0, 0,0,3,0, 1,2,3,1",
       {1, 1, 1},
       {4, 5, 6},
       {0, 0, 1},
       {0, 0, 1}},
      {"mirror x",
       "-1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1",
       {1, 2, 3},
       {-1, 2, 3},
       {r3, r3, r3},
       {-r3, r3, r3}},
      {"stretch x",
       "2,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1",
       {1, 1, 1},
       {2, 1, 1},
       {1, 1, 0},
       {r5, 2 * r5, 0}},
  };
  for (const Case& c : cases) {
    const auto num = [](float f) { return std::to_string(f); };
    const std::string body = "Frame { FrameTransformMatrix { " + std::string(c.matrix) +
                             ";; }\n Mesh { 3; " + num(c.position.x) + ";" + num(c.position.y) +
                             ";" + num(c.position.z) + ";, 0;0;0;, 0;0;0;; 1; 3;0,1,2;;\n" +
                             " MeshNormals { 1; " + num(c.normal.x) + ";" + num(c.normal.y) + ";" +
                             num(c.normal.z) + ";; 1; 3;0,0,0;; } } }";
    const xfile::Mesh mesh = ParseOk(body);
    ASSERT_FALSE(mesh.indices.empty()) << c.name;
    ExpectNear(Position(Corner(mesh, 0, 0)), c.expectedPosition, c.name);
    ExpectNear(Normal(Corner(mesh, 0, 0)), c.expectedNormal, c.name);
  }
}

TEST(XFileParse, SkipsTemplatesCommentsAndUnknownObjects) {
  const xfile::Mesh mesh = ParseOk(R"(// a comment with { an opening brace
# another comment }
template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x; FLOAT y; FLOAT z;
}
template Mesh {
 <3D82AB44-62DA-11cf-AB39-0020AF71E433>
 DWORD nVertices;
 array Vector vertices[nVertices];
 [...]
}
Header { 1; 0; 1; }
Material Shared {
 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;;
 TextureFilename { "tex}{ture//#.jpg"; }
}
AnimationSet { Animation { { Box } AnimationKey { 0; 1; 0;3;1.0,2.0,3.0;;; } } }
Mesh Box <3D82AB44-62DA-11cf-AB39-0020AF71E433> {  // trailing comment
 <3D82AB44-62DA-11cf-AB39-0020AF71E433>
 3; 0.0;0.0;0.0;, +1.0;0.0;0.0;, 0.0;1.0e0;0.0;;
 1; 3;0,1,2;;
 VertexDuplicationIndices { 3; 3; 0, 1, 2; }
 MeshMaterialList { 1; 1; 0;; { Shared } }
 MeshTextureCoords { 3; 0.0;0.0;, 1.0;0.0;, 0.0;1.0;; }
}
)");
  ASSERT_EQ(mesh.attributes, std::vector<std::uint32_t>{0});
  ExpectTriangle(mesh, 0, {Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 1, 0}});
  EXPECT_EQ(Corner(mesh, 0, 1).u, 1.0f);
  EXPECT_EQ(Corner(mesh, 0, 2).v, 1.0f);
}

TEST(XFileParse, MergesSeveralMeshesWithOffsetIndicesAndEachOwnAttributes) {
  const xfile::Mesh mesh = ParseOk(R"(
Mesh A { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 2; 1; 1;; } }
Mesh B { 4; 5;0;0;, 6;0;0;, 6;1;0;, 5;1;0;; 1; 4;3,2,1,0;; }
)");
  ASSERT_EQ(mesh.vertices.size(), 7u);
  EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 3, 5, 6}));
  EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{1, 0, 0}));
  ExpectTriangle(mesh, 1, {Vec3{5, 1, 0}, Vec3{6, 1, 0}, Vec3{6, 0, 0}});
}

TEST(XFileParse, AcceptsDoublePrecisionHeaderAndVersion0302) {
  for (const char* header : {"xof 0303txt 0064", "xof 0302txt 0032"}) {
    xfile::Mesh mesh;
    std::string error;
    const std::string text =
        std::string(header) + "\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
    EXPECT_TRUE(xfile::Parse(text, mesh, error)) << header << ": " << error;
    EXPECT_EQ(mesh.indices.size(), 3u) << header;
  }
}

TEST(XFileParse, FramesNestedUpToTheLimitAreRead) {
  std::string body;
  for (int i = 0; i < 64; ++i) {
    body += "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 1,0,0,1;; }\n";
  }
  body += "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }" + std::string(64, '}');
  const xfile::Mesh mesh = ParseOk(body);
  ASSERT_EQ(mesh.indices.size(), 3u);
  EXPECT_FLOAT_EQ(Corner(mesh, 0, 0).px, 64.0f);
}

std::string Nested(int depth) {
  std::string body;
  for (int i = 0; i < depth; ++i) {
    body += "Frame {";
  }
  return body + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }" +
         std::string(std::size_t(depth), '}');
}

TEST(XFileParse, RejectsMalformedInputWithAOneLineReason) {
  const std::string tri = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;";
  struct Case {
    std::string text;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"", "not a DirectX .x file"},
      {"xof 0303txt", "not a DirectX .x file"},
      {"xof 0303bin 0032\x01\x02", "binary .x files are not supported"},
      {"xof 0303tzip0032", "compressed .x files are not supported"},
      {"xof 0303bzip0032", "compressed .x files are not supported"},
      {"xof 0303txt 0016\n" + tri + "}", "unknown float size"},
      {"xof 0303t\nt 0032\n" + tri + "}", "unknown .x format \"t\\x0at \""},
      {kHeader, "no Mesh"},
      {kHeader + "Header { 1; 0; 1; }", "no Mesh"},
      {kHeader + tri, "line 2: unexpected end of file inside a Mesh"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }", "index 3 out of range"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }", "at least three corners"},
      {kHeader + "Mesh { 4000000000; 0;0;0;; 0;; }", "count 4000000000 exceeds"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 4000000000; 0,1,2;; }", "exceeds"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 99999999999; }", "expected a whole number"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;x;, 0;1;0;; 1; 3;0,1,2;; }", "expected a finite number"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;1e999;, 0;1;0;; 1; 3;0,1,2;; }", "finite number"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;nan;, 0;1;0;; 1; 3;0,1,2;; }", "finite number"},
      {kHeader + tri + " MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }", "do not match"},
      {kHeader + tri + " MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }", "index 1 out of range"},
      {kHeader + tri +
           " MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; }\n"
           " MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; } }",
       "line 3: second MeshNormals"},
      {kHeader + tri + " MeshTextureCoords { 2; 0;0;, 1;1;; } }", "differs from the vertex count"},
      {kHeader + tri + " MeshMaterialList { 1; 1; 1;; } }", "index 1 out of range (1 entries)"},
      {kHeader + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;, 3;2,1,0;;"
                 " MeshMaterialList { 2; 3; 0,1,1;; } }",
       "3 face indexes for 2 faces"},
      {kHeader + "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0;; } " + tri + "} }",
       "expected a number"},
      {kHeader + "Frame { FrameTransformMatrix { 1e30,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }"
                 " Frame { FrameTransformMatrix { 1e30,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }"
                 " Mesh { 3; 1;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; } } }",
       "overflow"},
      {kHeader + Nested(65), "nested too deeply"},
      {kHeader + "Frame { " + tri + "}", "end of file inside a Frame"},
      {kHeader + tri + "} }", "unmatched '}'"},
      {kHeader + tri + " Material { 1;1;1;1;; TextureFilename { \"open; } } }",
       "unterminated string"},
      {kHeader + "Mesh <3D82AB44-62DA-11cf-AB39-0020AF71E433 { 3; }", "unterminated GUID"},
      {kHeader + "Mesh ; { }", "expected '{'"},
      {kHeader + "\"loose string\"", "expected a data object"},
      {kHeader + std::string((32u << 20) - kHeader.size() + 1, ' '), "file too large"},
  };
  for (const Case& c : cases) {
    const std::string shown = c.text.substr(0, 120);
    xfile::Mesh mesh;
    mesh.indices = {1, 2, 3};
    mesh.vertices.resize(2);
    mesh.attributes = {7};
    std::string error;
    EXPECT_FALSE(xfile::Parse(c.text, mesh, error)) << shown;
    EXPECT_NE(error.find(c.reason), std::string::npos) << shown << "\nerror: " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_TRUE(mesh.vertices.empty() && mesh.indices.empty() && mesh.attributes.empty()) << shown;
  }
}

}  // namespace
