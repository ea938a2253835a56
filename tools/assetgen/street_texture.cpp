// Street picture: asphalt with grain and wear, white markings (centre lines, stop lines, zebra
// crossings), kerbs, paved sidewalks with tactile pads at the crossings, grass verges, manholes and
// gullies. Every colour is a function of the scene position; the picture samples it per pixel.
#include "tools/assetgen/street_texture.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "tools/assetgen/noise.h"
#include "tools/assetgen/street_layout.h"

namespace assetgen {
namespace {

constexpr int kSamples = 3;

constexpr Rgb kAsphalt{47, 48, 52};
constexpr Rgb kPaint{222, 222, 214};
constexpr Rgb kKerb{146, 146, 142};
constexpr Rgb kSlab{104, 104, 100};
constexpr Rgb kJoint{66, 66, 64};
constexpr Rgb kEdging{118, 118, 114};
constexpr Rgb kGrass{34, 58, 30};
constexpr Rgb kTactile{196, 170, 78};
constexpr Rgb kIron{38, 38, 40};

constexpr double kSlabSize = 0.75;
constexpr double kJointWidth = 0.03;

constexpr std::array<Vec2, 5> kManholes{
    {{2.4, -16.5}, {-2.6, 15.5}, {15.5, -2.6}, {-16.0, 2.4}, {-2.5, -34.0}}};
// Gullies lie against the kerb: position along the road, and which kerb (x or z side).
struct Gully {
  Vec2 centre;
  bool along_z = true;
};
constexpr std::array<Gully, 6> kGullies{{{{4.8, -17.5}, true},
                                         {{-4.8, 17.0}, true},
                                         {{4.8, -31.5}, true},
                                         {{-4.8, -21.0}, true},
                                         {{17.0, 4.8}, false},
                                         {{-17.5, -4.8}, false}}};

// Scene position of a picture point; y of the result is the scene z.
Vec2 ScenePoint(double u, double v) {
  return {kStreetMapX.ToScene(u), kStreetMapZ.ToScene(1.0 - v)};
}

// Distance from the carriageway's edge: positive off the road, negative on it.
double OffRoad(Vec2 p) {
  const double a = std::abs(p.x) - kRoadHalf;
  const double b = std::abs(p.y) - kRoadHalf;
  if (a < kCornerRadius && b < kCornerRadius) {
    return kCornerRadius - Length(Vec2{a, b} - Vec2{kCornerRadius, kCornerRadius});
  }
  return std::min(a, b);
}

// Position along the kerb line, for spacing joints between kerb stones.
double AlongKerb(Vec2 p) {
  const double a = std::abs(p.x) - kRoadHalf;
  const double b = std::abs(p.y) - kRoadHalf;
  if (a < kCornerRadius && b < kCornerRadius) {
    return kCornerRadius * std::atan2(kCornerRadius - b, kCornerRadius - a);
  }
  return a < b ? std::abs(p.y) : std::abs(p.x);
}

// Seed that differs between the four quadrants, so mirrored areas do not repeat each other.
std::uint32_t QuadrantSeed(Vec2 p, std::uint32_t base) {
  return base + (p.x < 0 ? 1U : 0U) + (p.y < 0 ? 2U : 0U);
}

bool InZebra(Vec2 p) {
  const double half = kZebraLength / 2;
  const double span = kRoadHalf - 0.25;
  for (const double z : kZebrasAcrossNorthSouth) {
    if (std::abs(p.y - z) <= half && std::abs(p.x) <= span) {
      return Fract((p.x + span) / (2 * kZebraStripe)) < 0.5;
    }
  }
  for (const double x : kZebrasAcrossEastWest) {
    if (std::abs(p.x - x) <= half && std::abs(p.y) <= span) {
      return Fract((p.y + span) / (2 * kZebraStripe)) < 0.5;
    }
  }
  return false;
}

// `across` is the coordinate across the road (0 on its centre line), `along` the one along it.
bool InStopLine(double across, double along, const StopLine& line) {
  const double side = across * line.side;
  return std::abs(along - line.at) <= kStopLineWidth / 2 && side >= 0.15 && side <= 4.8;
}

bool InStopLines(Vec2 p) {
  for (const StopLine& line : kStopLinesNorthSouth) {
    if (InStopLine(p.x, p.y, line)) {
      return true;
    }
  }
  for (const StopLine& line : kStopLinesEastWest) {
    if (InStopLine(p.y, p.x, line)) {
      return true;
    }
  }
  return false;
}

// Whether the centre line is painted at `along`: solid near the junction and the crossings,
// dashed (2 units on, 2 off) further out, absent on the junction and the zebras.
bool CentreLinePainted(double along, bool north_south) {
  const double d = std::abs(along);
  if (d >= 6.75 && d <= 10.0) {
    return true;
  }
  if (north_south && along < 0.0) {
    if ((along >= -22.5 && along <= -14.0) || (along >= -33.0 && along <= -26.5)) {
      return true;
    }
    return along < -33.0 && Fract((-along - 33.0) / 4.0) < 0.5;
  }
  return d >= 14.0 && Fract((d - 14.0) / 4.0) < 0.5;
}

bool InCentreLine(Vec2 p) {
  const double half = kLineWidth / 2;
  if (std::abs(p.x) <= half && std::abs(p.y) > kRoadHalf) {
    return CentreLinePainted(p.y, true);
  }
  if (std::abs(p.y) <= half && std::abs(p.x) > kRoadHalf) {
    return CentreLinePainted(p.x, false);
  }
  return false;
}

double AsphaltGrain(Vec2 p) {
  const double fine = CellValue(p.x / 0.045, p.y / 0.045, 11) - 0.5;
  const double patches = FractalNoise(p.x / 3.0, p.y / 3.0, 23, 3) - 0.5;
  const double chips = CellValue(p.x / 0.09, p.y / 0.09, 37) > 0.985 ? 28.0 : 0.0;
  return fine * 16.0 + patches * 20.0 + chips;
}

// Darker bands where wheels run, in both lanes of both roads, away from the junction.
double WheelWear(Vec2 p) {
  const auto tracks = [](double across) {
    const double lane = std::abs(std::abs(across) - 2.5);
    return Smoothstep(0.55, 0.35, std::abs(lane - 0.85));
  };
  double wear = 0.0;
  if (std::abs(p.y) > kRoadHalf) {
    wear = std::max(wear, tracks(p.x));
  }
  if (std::abs(p.x) > kRoadHalf) {
    wear = std::max(wear, tracks(p.y));
  }
  return wear;
}

Rgb Manhole(Vec2 p, Vec2 centre) {
  const Vec2 q = p - centre;
  const double r = Length(q);
  if (r > 0.31) {
    return kIron * 0.8;
  }
  const bool ridge = Fract(q.x / 0.06) < 0.35 || Fract(q.y / 0.06) < 0.35;
  return kIron * (ridge ? 1.55 : 1.0);
}

Rgb GullyAt(Vec2 p, const Gully& g) {
  const Vec2 q = p - g.centre;
  const double along = g.along_z ? q.y : q.x;
  const bool slot = Fract(along / 0.08) < 0.5 && std::abs(g.along_z ? q.x : q.y) < 0.11;
  return slot ? Rgb{12, 12, 13} : kIron * 1.3;
}

// Iron fittings in the carriageway: true with their colour in `out` where one lies at `p`.
bool Fitting(Vec2 p, Rgb& out) {
  for (const Vec2& c : kManholes) {
    if (Length(p - c) <= 0.34) {
      out = Manhole(p, c);
      return true;
    }
  }
  for (const Gully& g : kGullies) {
    const Vec2 q = p - g.centre;
    const double along = g.along_z ? q.y : q.x;
    const double across = g.along_z ? q.x : q.y;
    if (std::abs(along) <= 0.3 && std::abs(across) <= 0.16) {
      out = GullyAt(p, g);
      return true;
    }
  }
  return false;
}

Rgb Carriageway(Vec2 p, double off_road) {
  Rgb fitting;
  if (Fitting(p, fitting)) {
    return fitting;
  }
  const double grain = AsphaltGrain(p);
  const double gutter = Smoothstep(-0.4, 0.0, off_road);
  const Rgb asphalt =
      (kAsphalt + Rgb{grain, grain, grain}) * (1.0 - 0.1 * WheelWear(p) - 0.18 * gutter);
  if (InZebra(p) || InStopLines(p) || InCentreLine(p)) {
    const double wear = 0.8 + 0.2 * FractalNoise(p.x / 0.6, p.y / 0.6, 41, 3);
    return Mix(asphalt, kPaint * wear + Rgb{grain, grain, grain} * 0.4, 0.93);
  }
  return asphalt;
}

Rgb KerbStone(Vec2 p, double off_road) {
  const double grain = (CellValue(p.x / 0.04, p.y / 0.04, 53) - 0.5) * 14.0;
  const bool joint = Fract(AlongKerb(p) / 1.0) < 0.025;
  const double bevel = Smoothstep(0.0, 0.06, off_road);
  const Rgb stone = (joint ? kJoint : kKerb) + Rgb{grain, grain, grain};
  return stone * (0.62 + 0.38 * bevel);
}

bool InTactilePad(Vec2 p) {
  const double half = kZebraLength / 2;
  const double near = kRoadHalf + kKerbWidth + 0.05;
  const double far = near + 0.6;
  for (const double z : kZebrasAcrossNorthSouth) {
    if (std::abs(p.y - z) <= half && std::abs(p.x) >= near && std::abs(p.x) <= far) {
      return true;
    }
  }
  for (const double x : kZebrasAcrossEastWest) {
    if (std::abs(p.x - x) <= half && std::abs(p.y) >= near && std::abs(p.y) <= far) {
      return true;
    }
  }
  return false;
}

Rgb TactilePad(Vec2 p) {
  const Vec2 cell{Fract(p.x / 0.1) - 0.5, Fract(p.y / 0.1) - 0.5};
  const double dot = Length(cell);
  const double light = dot < 0.3 ? 1.12 - 0.5 * dot : (dot < 0.38 ? 0.78 : 1.0);
  const double grain = (CellValue(p.x / 0.03, p.y / 0.03, 59) - 0.5) * 10.0;
  return kTactile * light + Rgb{grain, grain, grain};
}

Rgb Sidewalk(Vec2 p) {
  if (InTactilePad(p)) {
    return TactilePad(p);
  }
  const double start = kRoadHalf + kKerbWidth;
  const double sx = (std::abs(p.x) - start) / kSlabSize;
  const double sz = (std::abs(p.y) - start) / kSlabSize;
  const double joint = kJointWidth / kSlabSize;
  if (Fract(sx) < joint || Fract(sz) < joint) {
    return kJoint;
  }
  const double slab = (CellValue(sx, sz, QuadrantSeed(p, 61)) - 0.5) * 14.0;
  const double grain = (CellValue(p.x / 0.035, p.y / 0.035, 67) - 0.5) * 12.0;
  const double stain = (FractalNoise(p.x / 2.0, p.y / 2.0, 71, 2) - 0.5) * 10.0;
  const double shade = slab + grain + stain;
  return kSlab + Rgb{shade, shade, shade};
}

Rgb Verge(Vec2 p) {
  const double clumps = FractalNoise(p.x / 1.2, p.y / 1.2, 73, 3) - 0.5;
  const double blades = CellValue(p.x / 0.04, p.y / 0.04, 79) - 0.5;
  const double earth = Smoothstep(0.62, 0.72, FractalNoise(p.x / 4.0, p.y / 4.0, 83, 2));
  const Rgb grass = kGrass * (1.0 + 0.45 * clumps + 0.35 * blades);
  return Mix(grass, Rgb{52, 44, 34} * (1.0 + 0.3 * blades), 0.6 * earth);
}

Rgb GroundAt(Vec2 p) {
  const double off_road = OffRoad(p);
  if (off_road < 0.0) {
    return Carriageway(p, off_road);
  }
  if (off_road < kKerbWidth) {
    return KerbStone(p, off_road);
  }
  if (off_road < kSidewalkWidth) {
    return Sidewalk(p);
  }
  if (off_road < kSidewalkWidth + kEdgingWidth) {
    return kEdging * (0.92 + 0.16 * CellValue(p.x / 0.05, p.y / 0.05, 89));
  }
  return Verge(p);
}

}  // namespace

Picture RenderStreetPicture() {
  return RenderPicture(kStreetTextureSize, kStreetTextureSize, kSamples,
                       [](double u, double v) { return GroundAt(ScenePoint(u, v)); });
}

}  // namespace assetgen
