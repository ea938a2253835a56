// Loading of the committed asset files through the program's own loaders, for the asset tests.
#pragma once

#include <array>
#include <string>

#include "render/platform/formats/image.h"
#include "render/platform/formats/xfile.h"

namespace assets_test {

// The twelve files the program opens, relative to the repository root.
inline constexpr std::array<const char*, 3> kMeshFiles{"models/street.x", "models/traffic.x",
                                                       "models/ped.x"};
inline constexpr std::array<const char*, 9> kTextureFiles{
    "textures/street.jpg",        "textures/Traffic_Red.jpg",    "textures/Traffic_RedOrange.jpg",
    "textures/Traffic_Green.jpg", "textures/Traffic_Orange.jpg", "textures/Traffic_Off.jpg",
    "textures/Ped_Red.jpg",       "textures/Ped_Green.jpg",      "textures/Ped_Off.jpg"};

// Reads `relative` under `root`; adds a test failure and returns false when it cannot.
bool ReadAsset(const std::string& root, const std::string& relative, std::string& bytes);

// Parses a committed mesh with xfile::Parse; adds a test failure and returns false on failure.
bool LoadMesh(const std::string& relative, xfile::Mesh& mesh);

// Decodes a committed JPEG with image::DecodeJpeg; adds a test failure and returns false on
// failure. `root` defaults to the repository.
bool LoadImage(const std::string& relative, image::Image& picture, const std::string& root = "");

// A test-name suffix from a file path: its base name without extension, letters and digits only.
std::string NameOf(const std::string& path);

// The repository root the committed files live in.
std::string SourceRoot();

// A colour as the mean of an area of pixels, channels 0..255.
struct Colour {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

// Mean colour of the (2 * radius + 1)^2 pixels around the pixel under texture coordinate (u, v).
Colour MeanAround(const image::Image& picture, double u, double v, int radius);

}  // namespace assets_test
