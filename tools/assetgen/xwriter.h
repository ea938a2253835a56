// Writes generated meshes as DirectX text .x files ("xof 0303txt 0032").
#pragma once

#include <string>
#include <string_view>

#include "tools/assetgen/mesh.h"

namespace assetgen {

// The complete text of a .x file holding `mesh` as one Mesh object called `name`, with per-vertex
// normals and texture coordinates and a material list of one white material that every face uses.
// `comment` becomes a comment line under the header. Numbers use a fixed format, so equal meshes
// give equal bytes.
std::string FormatXFile(const MeshData& mesh, std::string_view name, std::string_view comment);

}  // namespace assetgen
