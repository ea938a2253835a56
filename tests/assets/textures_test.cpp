// The committed textures, decoded with the program's JPEG loader and looked up through the
// meshes' texture coordinates: sizes, lamp pictures, plain swatches and the street's layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/assets/asset_files.h"

namespace assets_test {
namespace {

struct SizeCase {
  const char* file = "";
  int width = 0;
  int height = 0;
};

class TextureSize : public testing::TestWithParam<SizeCase> {};

TEST_P(TextureSize, DecodesAtItsSize) {
  image::Image picture;
  ASSERT_TRUE(LoadImage(GetParam().file, picture));
  EXPECT_EQ(picture.width, GetParam().width);
  EXPECT_EQ(picture.height, GetParam().height);
  EXPECT_EQ(picture.rgba.size(), static_cast<std::size_t>(picture.width * picture.height * 4));
}

INSTANTIATE_TEST_SUITE_P(Files, TextureSize,
                         testing::Values(SizeCase{"textures/street.jpg", 1024, 1024},
                                         SizeCase{"textures/Traffic_Red.jpg", 256, 512},
                                         SizeCase{"textures/Traffic_RedOrange.jpg", 256, 512},
                                         SizeCase{"textures/Traffic_Green.jpg", 256, 512},
                                         SizeCase{"textures/Traffic_Orange.jpg", 256, 512},
                                         SizeCase{"textures/Traffic_Off.jpg", 256, 512},
                                         SizeCase{"textures/Ped_Red.jpg", 256, 512},
                                         SizeCase{"textures/Ped_Green.jpg", 256, 512},
                                         SizeCase{"textures/Ped_Off.jpg", 256, 512}),
                         [](const auto& param_info) { return NameOf(param_info.param.file); });

bool IsTextured(const xfile::Mesh& mesh, std::size_t t) {
  const xfile::Vertex& a = mesh.vertices[mesh.indices[t * 3]];
  const xfile::Vertex& b = mesh.vertices[mesh.indices[t * 3 + 1]];
  const xfile::Vertex& c = mesh.vertices[mesh.indices[t * 3 + 2]];
  return std::abs((b.u - a.u) * (c.v - a.v) - (c.u - a.u) * (b.v - a.v)) > 1e-6;
}

// Lowest edge (largest v) of the head picture, from the mesh's textured front.
double PictureBottom(const xfile::Mesh& mesh) {
  double bottom = 0.0;
  for (std::size_t t = 0; t < mesh.indices.size() / 3; ++t) {
    if (IsTextured(mesh, t)) {
      for (std::size_t i = 0; i < 3; ++i) {
        bottom = std::max(bottom, double{mesh.vertices[mesh.indices[t * 3 + i]].v});
      }
    }
  }
  return bottom;
}

// Texture coordinates of the faces that take one plain colour (pole, housing sides, visors).
std::set<std::pair<float, float>> PlainCoordinates(const xfile::Mesh& mesh) {
  std::set<std::pair<float, float>> uvs;
  for (std::size_t t = 0; t < mesh.indices.size() / 3; ++t) {
    if (!IsTextured(mesh, t)) {
      for (std::size_t i = 0; i < 3; ++i) {
        const xfile::Vertex& v = mesh.vertices[mesh.indices[t * 3 + i]];
        uvs.insert({v.u, v.v});
      }
    }
  }
  return uvs;
}

enum class Lamp { kDark, kRed, kOrange, kGreen };

// One light texture: its mesh and, from the top, what each lamp shows.
struct LampCase {
  const char* file = "";
  const char* mesh = "";
  std::vector<Lamp> lamps;
};

// Mean colour of the bright pixels (some channel at least 200) of one horizontal band of the
// picture, and how many there are.
struct BandLight {
  Colour mean;
  int bright = 0;
};

BandLight MeasureBand(const image::Image& picture, double v0, double v1) {
  BandLight light;
  Colour sum;
  const int y0 = static_cast<int>(v0 * picture.height);
  const int y1 = static_cast<int>(v1 * picture.height);
  for (int y = y0; y < y1; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::size_t at =
          (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
           static_cast<std::size_t>(x)) *
          4;
      const std::uint8_t r = picture.rgba[at], g = picture.rgba[at + 1], b = picture.rgba[at + 2];
      if (std::max({r, g, b}) >= 200) {
        sum = {sum.r + r, sum.g + g, sum.b + b};
        ++light.bright;
      }
    }
  }
  if (light.bright > 0) {
    light.mean = {sum.r / light.bright, sum.g / light.bright, sum.b / light.bright};
  }
  return light;
}

Lamp Classify(const BandLight& light, int band_pixels) {
  if (light.bright < band_pixels / 50) {
    return Lamp::kDark;
  }
  const Colour& c = light.mean;
  if (c.g >= 200 && c.r <= 0.8 * c.g) {
    return Lamp::kGreen;
  }
  if (c.r >= 200 && c.g <= 0.6 * c.r && c.b <= 0.6 * c.r) {
    return Lamp::kRed;
  }
  if (c.r >= 200 && c.g >= 0.45 * c.r && c.g <= 0.92 * c.r && c.b <= 0.6 * c.g) {
    return Lamp::kOrange;
  }
  return Lamp::kDark;
}

class LampPicture : public testing::TestWithParam<LampCase> {};

// The picture, split into one band per lamp from the top, shows exactly the named lamps lit in
// their colour; unlit lamps have no bright pixel at all.
TEST_P(LampPicture, ShowsTheNamedLampsLitInTheirColours) {
  const LampCase& c = GetParam();
  xfile::Mesh mesh;
  image::Image picture;
  ASSERT_TRUE(LoadMesh(c.mesh, mesh));
  ASSERT_TRUE(LoadImage(c.file, picture));
  const double bottom = PictureBottom(mesh);
  ASSERT_GT(bottom, 0.5);
  const double band = bottom / static_cast<double>(c.lamps.size());
  for (std::size_t i = 0; i < c.lamps.size(); ++i) {
    const BandLight light =
        MeasureBand(picture, band * static_cast<double>(i), band * static_cast<double>(i + 1));
    const int pixels = static_cast<int>(band * picture.height) * picture.width;
    EXPECT_EQ(Classify(light, pixels), c.lamps[i])
        << c.file << " lamp " << i << ": " << light.bright << " bright pixels, mean "
        << light.mean.r << "," << light.mean.g << "," << light.mean.b;
    if (c.lamps[i] == Lamp::kDark) {
      EXPECT_EQ(light.bright, 0) << c.file << " lamp " << i;
    }
  }
}

constexpr auto kR = Lamp::kRed;
constexpr auto kO = Lamp::kOrange;
constexpr auto kG = Lamp::kGreen;
constexpr auto kD = Lamp::kDark;

INSTANTIATE_TEST_SUITE_P(
    Files, LampPicture,
    testing::Values(LampCase{"textures/Traffic_Red.jpg", "models/traffic.x", {kR, kD, kD}},
                    LampCase{"textures/Traffic_RedOrange.jpg", "models/traffic.x", {kR, kO, kD}},
                    LampCase{"textures/Traffic_Green.jpg", "models/traffic.x", {kD, kD, kG}},
                    LampCase{"textures/Traffic_Orange.jpg", "models/traffic.x", {kD, kO, kD}},
                    LampCase{"textures/Traffic_Off.jpg", "models/traffic.x", {kD, kD, kD}},
                    LampCase{"textures/Ped_Red.jpg", "models/ped.x", {kR, kD}},
                    LampCase{"textures/Ped_Green.jpg", "models/ped.x", {kD, kG}},
                    LampCase{"textures/Ped_Off.jpg", "models/ped.x", {kD, kD}}),
    [](const auto& param_info) { return NameOf(param_info.param.file); });

// A model's pictures of every lamp pattern.
struct ModelTextures {
  const char* mesh = "";
  std::vector<const char*> files;
};

class PlainParts : public testing::TestWithParam<ModelTextures> {};

// Pole, housing sides and visors sample a dark, plain area that is the same in every picture of
// the model, so the lamp pattern changes only the head's front.
TEST_P(PlainParts, TakeTheSameDarkPlainColourFromEveryPicture) {
  xfile::Mesh mesh;
  ASSERT_TRUE(LoadMesh(GetParam().mesh, mesh));
  const auto uvs = PlainCoordinates(mesh);
  ASSERT_FALSE(uvs.empty());
  std::vector<image::Image> pictures(GetParam().files.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    ASSERT_TRUE(LoadImage(GetParam().files[i], pictures[i]));
  }
  for (const auto& [u, v] : uvs) {
    const Colour first = MeanAround(pictures[0], u, v, 3);
    const Colour centre = MeanAround(pictures[0], u, v, 0);
    EXPECT_LE(std::max({first.r, first.g, first.b}), 100.0) << u << "," << v;
    EXPECT_NEAR(centre.g, first.g, 3.0) << "not plain around " << u << "," << v;
    for (const image::Image& other : pictures) {
      const Colour c = MeanAround(other, u, v, 3);
      EXPECT_NEAR(c.r, first.r, 4.0);
      EXPECT_NEAR(c.g, first.g, 4.0);
      EXPECT_NEAR(c.b, first.b, 4.0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Models, PlainParts,
    testing::Values(ModelTextures{"models/traffic.x",
                                  {"textures/Traffic_Red.jpg", "textures/Traffic_RedOrange.jpg",
                                   "textures/Traffic_Green.jpg", "textures/Traffic_Orange.jpg",
                                   "textures/Traffic_Off.jpg"}},
                    ModelTextures{"models/ped.x",
                                  {"textures/Ped_Red.jpg", "textures/Ped_Green.jpg",
                                   "textures/Ped_Off.jpg"}}),
    [](const auto& param_info) { return NameOf(param_info.param.mesh); });

// Texture coordinate at a ground point in mesh units, interpolated within the mesh triangle that
// contains it, as the renderer interpolates it.
std::optional<std::pair<double, double>> UvAt(const xfile::Mesh& mesh, double x, double z) {
  for (std::size_t t = 0; t < mesh.indices.size() / 3; ++t) {
    const xfile::Vertex& a = mesh.vertices[mesh.indices[t * 3]];
    const xfile::Vertex& b = mesh.vertices[mesh.indices[t * 3 + 1]];
    const xfile::Vertex& c = mesh.vertices[mesh.indices[t * 3 + 2]];
    const double det = (b.px - a.px) * (c.pz - a.pz) - (c.px - a.px) * (b.pz - a.pz);
    if (std::abs(det) < 1e-12) {
      continue;
    }
    const double wb = ((x - a.px) * (c.pz - a.pz) - (c.px - a.px) * (z - a.pz)) / det;
    const double wc = ((b.px - a.px) * (z - a.pz) - (x - a.px) * (b.pz - a.pz)) / det;
    const double wa = 1.0 - wb - wc;
    if (wa >= -1e-9 && wb >= -1e-9 && wc >= -1e-9) {
      return std::pair{wa * a.u + wb * b.u + wc * c.u, wa * a.v + wb * b.v + wc * c.v};
    }
  }
  return std::nullopt;
}

enum class Surface { kMarking, kAsphalt, kPaving, kGrass, kOther };

Surface Classify(const Colour& c) {
  const double lum = (c.r + c.g + c.b) / 3.0;
  const double spread = std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
  if (c.g > c.r + 10 && c.g > c.b + 10 && lum < 90) {
    return Surface::kGrass;
  }
  if (lum >= 160 && spread <= 40) {
    return Surface::kMarking;
  }
  if (lum < 70) {
    return Surface::kAsphalt;
  }
  return lum >= 75 && lum < 160 ? Surface::kPaving : Surface::kOther;
}

// A point of the ground in the street's own scene units (the mesh times 4) and what lies there.
struct GroundCase {
  double x = 0.0;
  double z = 0.0;
  Surface surface = Surface::kOther;
  const char* what = "";
};

constexpr auto kMarking = Surface::kMarking;
constexpr auto kAsphalt = Surface::kAsphalt;
constexpr auto kPaving = Surface::kPaving;

// Where the scene stands its lights and what the roads need around them. The pedestrian
// crossing draws the street 22 units north, so its places appear here 22 units further south.
const GroundCase kGround[] = {
    {0.5, 12.0, kMarking, "zebra across the north arm"},
    {1.0, 12.0, kAsphalt, "gap between zebra stripes"},
    {0.5, -12.0, kMarking, "zebra across the south arm"},
    {12.0, 0.5, kMarking, "zebra across the east arm"},
    {-12.0, -0.5, kMarking, "zebra across the west arm"},
    {12.0, 1.0, kAsphalt, "gap between zebra stripes"},
    {0.5, -24.5, kMarking, "the pedestrian crossing's zebra"},
    {1.0, -24.5, kAsphalt, "gap between its stripes"},
    {2.5, -7.0, kMarking, "stop line, northbound"},
    {-2.5, 7.0, kMarking, "stop line, southbound"},
    {-7.0, -2.5, kMarking, "stop line, eastbound"},
    {7.0, 2.5, kMarking, "stop line, westbound"},
    {2.5, -29.0, kMarking, "the crossing's stop line, northbound"},
    {-2.5, -19.0, kMarking, "the crossing's stop line, southbound"},
    {-2.5, -29.0, kAsphalt, "no stop line across the oncoming lane"},
    {2.5, -19.0, kAsphalt, "no stop line across the oncoming lane"},
    {2.5, 2.5, kAsphalt, "the junction"},
    {4.5, -6.0, kAsphalt, "carriageway next to a traffic light"},
    {-6.0, -6.0, kPaving, "traffic light"},
    {6.0, -6.0, kPaving, "traffic light"},
    {6.0, 6.0, kPaving, "traffic light"},
    {-6.0, 6.0, kPaving, "traffic light"},
    {-12.0, 6.0, kPaving, "pedestrian light"},
    {6.0, -12.0, kPaving, "pedestrian light"},
    {-12.0, -6.0, kPaving, "pedestrian light"},
    {12.0, -6.0, kPaving, "pedestrian light"},
    {12.0, 6.0, kPaving, "pedestrian light"},
    {-6.0, -12.0, kPaving, "pedestrian light"},
    {-6.0, 12.0, kPaving, "pedestrian light"},
    {6.0, 12.0, kPaving, "pedestrian light"},
    {6.0, -29.0, kPaving, "the crossing's traffic light"},
    {-6.0, -19.0, kPaving, "the crossing's traffic light"},
    {6.0, -23.0, kPaving, "the crossing's pedestrian light"},
    {-6.0, -26.0, kPaving, "the crossing's pedestrian light"},
    {15.0, 15.0, Surface::kGrass, "verge beyond the sidewalks"},
};

TEST(StreetTexture, ShowsRoadsMarkingsAndSidewalksWhereTheSceneNeedsThem) {
  xfile::Mesh mesh;
  image::Image picture;
  ASSERT_TRUE(LoadMesh("models/street.x", mesh));
  ASSERT_TRUE(LoadImage("textures/street.jpg", picture));
  for (const GroundCase& g : kGround) {
    const auto uv = UvAt(mesh, g.x / 4.0, g.z / 4.0);
    ASSERT_TRUE(uv.has_value()) << g.what;
    const Colour c = MeanAround(picture, uv->first, uv->second, 2);
    EXPECT_EQ(Classify(c), g.surface)
        << g.what << " at (" << g.x << ", " << g.z << "): " << c.r << "," << c.g << "," << c.b;
  }
}

}  // namespace
}  // namespace assets_test
