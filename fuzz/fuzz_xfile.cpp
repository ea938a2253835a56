// Fuzz entry for the .x reader: any bytes must give a consistent mesh or an empty mesh with a
// reason.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "render/platform/formats/xfile.h"

namespace {

bool Consistent(const xfile::Mesh& mesh) {
  if (mesh.indices.size() != 3 * mesh.attributes.size()) {
    return false;
  }
  for (std::uint32_t index : mesh.indices) {
    if (index >= mesh.vertices.size()) {
      return false;
    }
  }
  for (const xfile::Vertex& v : mesh.vertices) {
    for (float f : {v.px, v.py, v.pz, v.nx, v.ny, v.nz, v.u, v.v}) {
      if (!std::isfinite(f)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  xfile::Mesh mesh;
  std::string error;
  const bool ok = xfile::Parse(bytes, mesh, error);
  const bool oneLine = error.find('\n') == std::string::npos;
  const bool clean = ok ? error.empty() && Consistent(mesh)
                        : !error.empty() && oneLine && mesh.vertices.empty() &&
                              mesh.indices.empty() && mesh.attributes.empty();
  if (!clean) {
    std::abort();
  }
  return 0;
}
