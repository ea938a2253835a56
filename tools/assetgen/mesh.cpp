// Quad and box construction for the generated meshes.
#include "tools/assetgen/mesh.h"

namespace assetgen {
namespace {

Vec3 Add(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 Scale(Vec3 a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}

// In a left-handed frame, a viewer looking along -normal with `up` upwards has this on the right.
Vec3 RightOf(Vec3 normal, Vec3 up) {
  return {normal.y * up.z - normal.z * up.y, normal.z * up.x - normal.x * up.z,
          normal.x * up.y - normal.y * up.x};
}

}  // namespace

QuadUv PlainUv(Vec2 uv) {
  return {{uv, uv, uv, uv}};
}

QuadUv RectUv(double u0, double v0, double u1, double v1) {
  return {{Vec2{u0, v0}, Vec2{u1, v0}, Vec2{u1, v1}, Vec2{u0, v1}}};
}

void AddQuad(MeshData& mesh, const Quad& quad, const QuadUv& uv) {
  const Vec3 right = Scale(RightOf(quad.normal, quad.up), quad.half_right);
  const Vec3 up = Scale(quad.up, quad.half_up);
  const std::array<Vec3, 4> offsets{Add(Scale(right, -1.0), up), Add(right, up),
                                    Add(right, Scale(up, -1.0)),
                                    Add(Scale(right, -1.0), Scale(up, -1.0))};
  const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
  for (std::size_t i = 0; i < 4; ++i) {
    mesh.vertices.push_back({Add(quad.centre, offsets[i]), quad.normal, uv.corners[i]});
  }
  mesh.triangles.push_back({first, first + 1, first + 2});
  mesh.triangles.push_back({first, first + 2, first + 3});
}

void AddBox(MeshData& mesh, const Box& box, const QuadUv& front, const QuadUv& rest) {
  const Vec3 c{(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2,
               (box.min.z + box.max.z) / 2};
  const Vec3 h{(box.max.x - box.min.x) / 2, (box.max.y - box.min.y) / 2,
               (box.max.z - box.min.z) / 2};
  const Vec3 y_up{0, 1, 0};
  const Vec3 z_up{0, 0, 1};
  AddQuad(mesh, {{c.x, c.y, box.min.z}, {0, 0, -1}, y_up, h.x, h.y}, front);
  AddQuad(mesh, {{c.x, c.y, box.max.z}, {0, 0, 1}, y_up, h.x, h.y}, rest);
  AddQuad(mesh, {{box.min.x, c.y, c.z}, {-1, 0, 0}, y_up, h.z, h.y}, rest);
  AddQuad(mesh, {{box.max.x, c.y, c.z}, {1, 0, 0}, y_up, h.z, h.y}, rest);
  AddQuad(mesh, {{c.x, box.max.y, c.z}, {0, 1, 0}, z_up, h.x, h.z}, rest);
  AddQuad(mesh, {{c.x, box.min.y, c.z}, {0, -1, 0}, z_up, h.x, h.z}, rest);
}

}  // namespace assetgen
