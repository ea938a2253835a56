// Text .x output: fixed six-decimal numbers, one list element per line.
#include "tools/assetgen/xwriter.h"

#include <cstdio>
#include <cstdlib>

namespace assetgen {
namespace {

// Six decimals; values that print as zero are written without a sign.
std::string Number(double value) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  if (std::abs(value) < 5e-7) {
    return "0.000000";
  }
  return buffer;
}

// Separator after list element `i` of `count`: a comma between elements, a semicolon at the end.
const char* ListEnd(std::size_t i, std::size_t count) {
  return i + 1 < count ? "," : ";";
}

void AppendVectors(std::string& out, const MeshData& mesh, bool normals) {
  const std::size_t count = mesh.vertices.size();
  out += "  " + std::to_string(count) + ";\n";
  for (std::size_t i = 0; i < count; ++i) {
    const Vec3& v = normals ? mesh.vertices[i].normal : mesh.vertices[i].position;
    out +=
        "  " + Number(v.x) + ";" + Number(v.y) + ";" + Number(v.z) + ";" + ListEnd(i, count) + "\n";
  }
}

void AppendFaces(std::string& out, const MeshData& mesh) {
  const std::size_t count = mesh.triangles.size();
  out += "  " + std::to_string(count) + ";\n";
  for (std::size_t i = 0; i < count; ++i) {
    const auto& t = mesh.triangles[i];
    out += "  3;" + std::to_string(t[0]) + "," + std::to_string(t[1]) + "," + std::to_string(t[2]) +
           ";" + ListEnd(i, count) + "\n";
  }
}

void AppendNormals(std::string& out, const MeshData& mesh) {
  out += "  MeshNormals {\n";
  AppendVectors(out, mesh, true);
  AppendFaces(out, mesh);
  out += "  }\n";
}

void AppendTextureCoords(std::string& out, const MeshData& mesh) {
  const std::size_t count = mesh.vertices.size();
  out += "  MeshTextureCoords {\n  " + std::to_string(count) + ";\n";
  for (std::size_t i = 0; i < count; ++i) {
    const Vec2& uv = mesh.vertices[i].uv;
    out += "  " + Number(uv.x) + ";" + Number(uv.y) + ";" + ListEnd(i, count) + "\n";
  }
  out += "  }\n";
}

void AppendMaterials(std::string& out, const MeshData& mesh) {
  const std::size_t count = mesh.triangles.size();
  out += "  MeshMaterialList {\n  1;\n  " + std::to_string(count) + ";\n";
  for (std::size_t i = 0; i < count; ++i) {
    out += std::string("  0") + ListEnd(i, count) + "\n";
  }
  out +=
      "  Material {\n"
      "   1.000000;1.000000;1.000000;1.000000;;\n"
      "   0.000000;\n"
      "   0.000000;0.000000;0.000000;;\n"
      "   0.000000;0.000000;0.000000;;\n"
      "  }\n"
      "  }\n";
}

}  // namespace

std::string FormatXFile(const MeshData& mesh, std::string_view name, std::string_view comment) {
  std::string out = "xof 0303txt 0032\n";
  out += "// " + std::string(comment) + "\n\n";
  out += "Mesh " + std::string(name) + " {\n";
  AppendVectors(out, mesh, false);
  AppendFaces(out, mesh);
  AppendNormals(out, mesh);
  AppendTextureCoords(out, mesh);
  AppendMaterials(out, mesh);
  out += "}\n";
  return out;
}

}  // namespace assetgen
