// The generator's entry: builds every model and texture of the scene and writes them to disk.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

// One generated file: its path relative to the output root (forward slashes) and its bytes.
struct Asset {
  std::string path;
  std::string bytes;
};

// Builds all twelve files: models/street.x, models/traffic.x, models/ped.x and the nine JPEGs in
// textures/. Returns false with a reason in `error` when an encoding fails.
bool BuildAssets(std::vector<Asset>& assets, std::string& error);

// Builds all files and writes them under `root`, creating models/ and textures/ as needed.
// Returns false with a reason in `error` on any failure.
bool WriteAssets(const std::filesystem::path& root, std::string& error);

}  // namespace assetgen
