// Mesh loading and subset drawing.
#include "render/platform/gl/gl_mesh.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>
#include <utility>

#include "render/platform/formats/image.h"
#include "render/platform/formats/xfile.h"
#include "render/platform/gl/load_report.h"

namespace gl_backend {
namespace {

HRESULT Fail(const char* path, const std::string& reason) {
  return ReportLoadFailure("mesh", path, reason);
}

std::size_t TriangleCount(const xfile::Mesh& mesh) {
  return mesh.indices.size() / 3;
}

// Every index points at a vertex and every triangle has an attribute.
bool Consistent(const xfile::Mesh& mesh) {
  if (mesh.indices.size() % 3 != 0 || mesh.attributes.size() != TriangleCount(mesh))
    return false;
  return std::all_of(mesh.indices.begin(), mesh.indices.end(),
                     [&](std::uint32_t i) { return i < mesh.vertices.size(); });
}

// Triangle numbers ordered by attribute, keeping the file's order within an attribute.
std::vector<std::uint32_t> TrianglesByAttribute(const xfile::Mesh& mesh) {
  std::vector<std::uint32_t> order(TriangleCount(mesh));
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return mesh.attributes[a] < mesh.attributes[b];
  });
  return order;
}

template <typename T>
GLsizeiptr Bytes(const std::vector<T>& v) {
  return static_cast<GLsizeiptr>(v.size() * sizeof(T));
}

void SetVertexLayout() {
  const auto stride = static_cast<GLsizei>(sizeof(xfile::Vertex));
  const auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(xfile::Vertex, px)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(xfile::Vertex, nx)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(xfile::Vertex, u)));
}

}  // namespace

HRESULT GlMesh::Load(const std::shared_ptr<GlCore>& core, const char* path, ID3DXMesh** out) {
  *out = nullptr;
  std::string bytes;
  std::string error;
  xfile::Mesh mesh;
  if (!image::ReadFile(path, bytes, error) || !xfile::Parse(bytes, mesh, error)) {
    return Fail(path, error);
  }
  if (!Consistent(mesh))
    return Fail(path, "inconsistent mesh data");
  core->context.MakeCurrent();
  *out = new GlMesh(core, mesh);
  return D3D_OK;
}

GlMesh::GlMesh(std::shared_ptr<GlCore> core, const xfile::Mesh& mesh) : core_(std::move(core)) {
  std::vector<std::uint32_t> indices;
  indices.reserve(mesh.indices.size());
  for (const std::uint32_t triangle : TrianglesByAttribute(mesh)) {
    const std::uint32_t attribute = mesh.attributes[triangle];
    if (subsets_.empty() || subsets_.back().attribute != attribute) {
      subsets_.push_back(Subset{attribute, static_cast<std::uint32_t>(indices.size()), 0});
    }
    for (std::size_t corner = 0; corner < 3; ++corner) {
      indices.push_back(mesh.indices[std::size_t{triangle} * 3 + corner]);
    }
    subsets_.back().count += 3;
  }
  glGenVertexArrays(1, &vertexArray_);
  glGenBuffers(1, &vertexBuffer_);
  glGenBuffers(1, &indexBuffer_);
  glBindVertexArray(vertexArray_);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  glBufferData(GL_ARRAY_BUFFER, Bytes(mesh.vertices), mesh.vertices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, Bytes(indices), indices.data(), GL_STATIC_DRAW);
  SetVertexLayout();
  glBindVertexArray(0);
}

GlMesh::~GlMesh() {
  core_->context.MakeCurrent();
  glDeleteVertexArrays(1, &vertexArray_);
  glDeleteBuffers(1, &vertexBuffer_);
  glDeleteBuffers(1, &indexBuffer_);
}

HRESULT GlMesh::DrawSubset(DWORD attribId) {
  for (const Subset& subset : subsets_) {
    if (subset.attribute != attribId)
      continue;
    core_->pipeline.PrepareDraw();
    glBindVertexArray(vertexArray_);
    const std::size_t offset = std::size_t{subset.first} * sizeof(std::uint32_t);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(subset.count), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(offset));
    glBindVertexArray(0);
    break;
  }
  return D3D_OK;
}

}  // namespace gl_backend
