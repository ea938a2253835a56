// Small value types and shape functions for drawing pictures procedurally: points, colours,
// interpolation helpers and signed distances to simple shapes (negative inside).
#pragma once

#include <algorithm>
#include <cmath>

namespace assetgen {

// A point or offset in a drawing's own units.
struct Vec2 {
  double x = 0.0;
  double y = 0.0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
  return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
  return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double s) {
  return {a.x * s, a.y * s};
}
inline double Dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
inline double Length(Vec2 a) {
  return std::sqrt(Dot(a, a));
}

// A colour with channels on the 0..255 scale; values outside are clamped only when stored.
struct Rgb {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

inline Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(Rgb a, double s) {
  return {a.r * s, a.g * s, a.b * s};
}

// Linear blend: `a` at t = 0, `b` at t = 1.
inline Rgb Mix(Rgb a, Rgb b, double t) {
  return a * (1.0 - t) + b * t;
}

// 0 below `lo`, 1 above `hi`, a smooth S-curve between.
inline double Smoothstep(double lo, double hi, double x) {
  const double t = std::clamp((x - lo) / (hi - lo), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

// The fractional part in [0, 1), also for negative values.
inline double Fract(double x) {
  return x - std::floor(x);
}

// Signed distance from `p` to a circle of radius `r` around `c`.
inline double CircleDistance(Vec2 p, Vec2 c, double r) {
  return Length(p - c) - r;
}

// Signed distance from `p` to an axis-aligned box with centre `c`, half sizes `half` and corners
// rounded by `round` (0 for sharp corners).
inline double BoxDistance(Vec2 p, Vec2 c, Vec2 half, double round) {
  const Vec2 q{std::abs(p.x - c.x) - half.x + round, std::abs(p.y - c.y) - half.y + round};
  const Vec2 outside{std::max(q.x, 0.0), std::max(q.y, 0.0)};
  return Length(outside) + std::min(std::max(q.x, q.y), 0.0) - round;
}

// Signed distance from `p` to a capsule: the segment a-b thickened by radius `r`.
inline double CapsuleDistance(Vec2 p, Vec2 a, Vec2 b, double r) {
  const Vec2 ab = b - a;
  const double t = std::clamp(Dot(p - a, ab) / Dot(ab, ab), 0.0, 1.0);
  return Length(p - (a + ab * t)) - r;
}

// True when `p` lies inside the axis-aligned rectangle [x0, x1] x [y0, y1].
inline bool InRect(Vec2 p, double x0, double x1, double y0, double y1) {
  return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
}

}  // namespace assetgen
