// kz_assetgen <output-root>: writes the scene's models and textures under the given folder.
#include <cstdio>
#include <string>

#include "tools/assetgen/assetgen.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kz_assetgen <output-root>\n");
    return 2;
  }
  std::string error;
  if (!assetgen::WriteAssets(argv[1], error)) {
    std::fprintf(stderr, "kz_assetgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
