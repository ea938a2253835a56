// Loading helpers shared by the asset tests.
#include "tests/assets/asset_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>

namespace assets_test {

std::string SourceRoot() {
  return KZ_SOURCE_ROOT;
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  std::string name;
  for (const char c : path.substr(start, path.rfind('.') - start)) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      name += c;
    }
  }
  return name;
}

bool ReadAsset(const std::string& root, const std::string& relative, std::string& bytes) {
  std::string error;
  if (!image::ReadFile(root + "/" + relative, bytes, error)) {
    ADD_FAILURE() << relative << ": " << error;
    return false;
  }
  return true;
}

bool LoadMesh(const std::string& relative, xfile::Mesh& mesh) {
  std::string bytes;
  std::string error;
  if (!ReadAsset(SourceRoot(), relative, bytes)) {
    return false;
  }
  if (!xfile::Parse(bytes, mesh, error)) {
    ADD_FAILURE() << relative << ": " << error;
    return false;
  }
  return true;
}

bool LoadImage(const std::string& relative, image::Image& picture, const std::string& root) {
  std::string bytes;
  std::string error;
  if (!ReadAsset(root.empty() ? SourceRoot() : root, relative, bytes)) {
    return false;
  }
  if (!image::DecodeJpeg(bytes, picture, error)) {
    ADD_FAILURE() << relative << ": " << error;
    return false;
  }
  return true;
}

Colour MeanAround(const image::Image& picture, double u, double v, int radius) {
  const int cx = static_cast<int>(std::floor(u * picture.width));
  const int cy = static_cast<int>(std::floor(v * picture.height));
  Colour sum;
  int count = 0;
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      const int px = std::clamp(x, 0, picture.width - 1);
      const int py = std::clamp(y, 0, picture.height - 1);
      const std::size_t at =
          (static_cast<std::size_t>(py) * static_cast<std::size_t>(picture.width) +
           static_cast<std::size_t>(px)) *
          4;
      sum.r += picture.rgba[at];
      sum.g += picture.rgba[at + 1];
      sum.b += picture.rgba[at + 2];
      ++count;
    }
  }
  return {sum.r / count, sum.g / count, sum.b / count};
}

}  // namespace assets_test
