// Indexed triangle meshes as the generator builds them before writing .x files, with helpers that
// add flat-shaded quads and boxes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/assetgen/paint.h"

namespace assetgen {

// A point or direction in model space (left-handed, y up).
struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// One mesh vertex: position, unit normal and texture coordinate (v grows downwards in the image).
struct MeshVertex {
  Vec3 position;
  Vec3 normal;
  Vec2 uv;
};

// Triangles index `vertices`; every triangle belongs to material subset 0.
struct MeshData {
  std::vector<MeshVertex> vertices;
  std::vector<std::array<std::uint32_t, 3>> triangles;
};

// Texture coordinates of a quad's corners as seen from its front: top-left, top-right,
// bottom-right, bottom-left.
struct QuadUv {
  std::array<Vec2, 4> corners;
};

// Every corner at the same texture coordinate: the quad takes one plain colour.
QuadUv PlainUv(Vec2 uv);

// The texture rectangle [u0, u1] x [v0, v1] stretched over the quad, upright.
QuadUv RectUv(double u0, double v0, double u1, double v1);

// A flat rectangle: its centre, the direction it faces, its upward direction within its plane
// and its half sizes along its right and up directions.
struct Quad {
  Vec3 centre;
  Vec3 normal;
  Vec3 up;
  double half_right = 0.0;
  double half_up = 0.0;
};

// Adds `quad` as two triangles, wound clockwise when seen from the side its normal points to.
void AddQuad(MeshData& mesh, const Quad& quad, const QuadUv& uv);

// An axis-aligned box given by its lowest and highest corners.
struct Box {
  Vec3 min;
  Vec3 max;
};

// Adds the six faces of `box`, each with its own vertices and outward normal; the face towards
// -z takes `front`, all other faces `rest`.
void AddBox(MeshData& mesh, const Box& box, const QuadUv& front, const QuadUv& rest);

}  // namespace assetgen
