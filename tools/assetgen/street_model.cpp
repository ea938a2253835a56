// The street mesh: one shared-vertex grid over the whole ground.
#include <cstdint>

#include "tools/assetgen/models.h"
#include "tools/assetgen/street_layout.h"

namespace assetgen {
namespace {

constexpr int kCells = static_cast<int>(2.0 * kGroundHalf / kGridStep);

// Grid lines at exact multiples of the step, so coordinates print identically everywhere.
double GridLine(int i) {
  return -kGroundHalf + kGridStep * i;
}

MeshVertex GridVertex(int ix, int iz) {
  const double x = GridLine(ix);
  const double z = GridLine(iz);
  const Vec2 uv{kStreetMapX.ToTexture(x), 1.0 - kStreetMapZ.ToTexture(z)};
  return {{x / kStreetScale, 0.0, z / kStreetScale}, {0.0, 1.0, 0.0}, uv};
}

std::uint32_t Index(int ix, int iz) {
  return static_cast<std::uint32_t>(iz * (kCells + 1) + ix);
}

// Splits each cell along the diagonal that points away from the centre, so the grid is
// symmetric and the interpolated light pool stays round.
void AddCell(MeshData& mesh, int ix, int iz) {
  const std::uint32_t sw = Index(ix, iz);
  const std::uint32_t se = Index(ix + 1, iz);
  const std::uint32_t nw = Index(ix, iz + 1);
  const std::uint32_t ne = Index(ix + 1, iz + 1);
  const bool same_sign = (GridLine(ix) + kGridStep / 2) * (GridLine(iz) + kGridStep / 2) > 0.0;
  if (same_sign) {
    mesh.triangles.push_back({nw, ne, sw});
    mesh.triangles.push_back({ne, se, sw});
  } else {
    mesh.triangles.push_back({nw, ne, se});
    mesh.triangles.push_back({nw, se, sw});
  }
}

}  // namespace

MeshData BuildStreetMesh() {
  MeshData mesh;
  for (int iz = 0; iz <= kCells; ++iz) {
    for (int ix = 0; ix <= kCells; ++ix) {
      mesh.vertices.push_back(GridVertex(ix, iz));
    }
  }
  for (int iz = 0; iz < kCells; ++iz) {
    for (int ix = 0; ix < kCells; ++ix) {
      AddCell(mesh, ix, iz);
    }
  }
  return mesh;
}

}  // namespace assetgen
