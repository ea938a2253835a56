// A .x mesh in one vertex and one index buffer, its triangles grouped by attribute so that each
// subset is one contiguous range.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/platform/d3dx9.h"
#include "render/platform/gl/gl_core.h"
#include "render/platform/gl/ref_counted.h"

namespace xfile {
struct Mesh;
}

namespace gl_backend {

class GlMesh : public RefCounted<ID3DXMesh> {
 public:
  // Reads, parses and uploads the .x file at `path`; on failure a negative result, a null output
  // and, the first time this path fails, one line on standard error naming it and the reason.
  static HRESULT Load(const std::shared_ptr<GlCore>& core, const char* path, ID3DXMesh** out);
  // Draws the triangles of attribute `attribId` with the device's current state; a subset without
  // triangles draws nothing.
  HRESULT DrawSubset(DWORD attribId) override;

 private:
  // The index range of one attribute.
  struct Subset {
    std::uint32_t attribute = 0;
    std::uint32_t first = 0;  // first index
    std::uint32_t count = 0;  // number of indices
  };

  GlMesh(std::shared_ptr<GlCore> core, const xfile::Mesh& mesh);
  ~GlMesh() override;

  std::shared_ptr<GlCore> core_;  // keeps the context alive while the mesh exists
  std::vector<Subset> subsets_;   // by ascending attribute
  GLuint vertexArray_ = 0;        // owned
  GLuint vertexBuffer_ = 0;       // owned
  GLuint indexBuffer_ = 0;        // owned
};

}  // namespace gl_backend
