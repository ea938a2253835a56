// Reader for DirectX text meshes ("xof 0303txt 0032"): turns the bytes of a .x file into one flat,
// triangulated mesh with per-corner positions, normals and texture coordinates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xfile {

// One vertex as the drawing layer uploads it: position, normal, texture coordinate (v grows downwards).
struct Vertex {
  float px = 0.0f, py = 0.0f, pz = 0.0f;
  float nx = 0.0f, ny = 0.0f, nz = 0.0f;
  float u = 0.0f, v = 0.0f;
};

// All meshes of a file merged into one, with frame transforms applied; triangles index `vertices`.
struct Mesh {
  std::vector<Vertex> vertices;
  std::vector<std::uint32_t> indices;     // three per triangle
  std::vector<std::uint32_t> attributes;  // one attribute (subset) id per triangle
};

// Parses `bytes`; on success fills `out` and returns true, otherwise returns false with a one-line
// reason in `error` and leaves `out` empty. Never crashes, whatever the bytes.
bool Parse(std::string_view bytes, Mesh& out, std::string& error);

}  // namespace xfile
