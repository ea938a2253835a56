// Layout of the street model, shared by its mesh and its texture. Distances are scene units in the
// street's own frame (origin at the centre of the crossroads, x east, z north); the program draws
// the mesh stretched four times horizontally, so mesh coordinates are these divided by four.
#pragma once

#include <array>
#include <cstddef>

namespace assetgen {

// Horizontal stretch the program applies to the street mesh.
inline constexpr double kStreetScale = 4.0;
// The ground reaches this far from the centre in x and z.
inline constexpr double kGroundHalf = 64.0;
// Spacing of the ground grid; per-vertex lighting needs it fine enough to show a round pool.
inline constexpr double kGridStep = 2.0;
// Side of the square street texture in pixels.
inline constexpr int kStreetTextureSize = 1024;

// Half width of each carriageway (the north-south road spans x in [-5, 5]).
inline constexpr double kRoadHalf = 5.0;
// Radius of the kerb line where two roads meet.
inline constexpr double kCornerRadius = 2.5;
// Width of the kerb stones, then of the whole sidewalk, measured from the road edge.
inline constexpr double kKerbWidth = 0.25;
inline constexpr double kSidewalkWidth = 4.0;
// Width of the edging stones between sidewalk and verge.
inline constexpr double kEdgingWidth = 0.15;

// Zebra crossings: across the north-south road at these z, across the east-west road at these x.
inline constexpr std::array<double, 3> kZebrasAcrossNorthSouth{12.0, -12.0, -24.5};
inline constexpr std::array<double, 2> kZebrasAcrossEastWest{12.0, -12.0};
// A zebra is this long in the direction of travel; its stripes are this wide with equal gaps.
inline constexpr double kZebraLength = 3.0;
inline constexpr double kZebraStripe = 0.5;

// A stop line across one lane: its centre along the road and the side of the centre line it
// covers (+1 for the lane on the positive side of the road's axis).
struct StopLine {
  double at = 0.0;
  int side = 1;
};
// Stop lines across the north-south road (at z) and across the east-west road (at x). The two
// at z = -29 and z = -19 serve the pedestrian crossing, which the program shows with the street
// moved 22 units north.
inline constexpr std::array<StopLine, 4> kStopLinesNorthSouth{
    {{-7.0, 1}, {7.0, -1}, {-29.0, 1}, {-19.0, -1}}};
inline constexpr std::array<StopLine, 2> kStopLinesEastWest{{{-7.0, -1}, {7.0, 1}}};
inline constexpr double kStopLineWidth = 0.5;
inline constexpr double kLineWidth = 0.15;

// A piecewise-linear map from a scene coordinate to a texture coordinate along one axis. The
// knots lie on grid lines, so interpolating texture coordinates between grid vertices reproduces
// the map exactly; the part of the ground the scene light reaches gets most of the pixels.
class AxisMap {
 public:
  struct Knot {
    double scene = 0.0;
    double texture = 0.0;
  };

  constexpr explicit AxisMap(std::array<Knot, 4> knots) : knots_(knots) {}

  // Texture coordinate in [0, 1] of scene coordinate `s` (clamped to the ground).
  constexpr double ToTexture(double s) const {
    return Interpolate(s, &Knot::scene, &Knot::texture);
  }

  // Scene coordinate of texture coordinate `t`; the inverse of ToTexture.
  constexpr double ToScene(double t) const { return Interpolate(t, &Knot::texture, &Knot::scene); }

 private:
  constexpr double Interpolate(double value, double Knot::*from, double Knot::*to) const {
    if (value <= knots_[0].*from) {
      return knots_[0].*to;
    }
    for (std::size_t i = 1; i < knots_.size(); ++i) {
      const Knot& a = knots_[i - 1];
      const Knot& b = knots_[i];
      if (value <= b.*from) {
        return a.*to + (b.*to - a.*to) * (value - a.*from) / (b.*from - a.*from);
      }
    }
    return knots_.back().*to;
  }

  std::array<Knot, 4> knots_{};
};

// x in [-20, 20] gets 832 of the 1024 columns (u grows eastwards).
inline constexpr AxisMap kStreetMapX{
    {{{-64.0, 0.0}, {-20.0, 96.0 / 1024.0}, {20.0, 928.0 / 1024.0}, {64.0, 1.0}}}};
// z in [-42, 20] gets 896 of the 1024 rows; v = 1 - this, so north is at the top of the image.
inline constexpr AxisMap kStreetMapZ{
    {{{-64.0, 0.0}, {-42.0, 64.0 / 1024.0}, {20.0, 960.0 / 1024.0}, {64.0, 1.0}}}};

}  // namespace assetgen
