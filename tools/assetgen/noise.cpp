// Hash-based lattice noise: every value derives from integer hashing, so there is no hidden state.
#include "tools/assetgen/noise.h"

#include <cmath>

namespace assetgen {
namespace {

std::uint32_t Mix32(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

double SmoothWeight(double t) {
  return t * t * (3.0 - 2.0 * t);
}

double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}

}  // namespace

std::uint32_t HashPoint(std::int64_t ix, std::int64_t iy, std::uint32_t seed) {
  const auto x = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ix) & 0xffffffffU);
  const auto y = static_cast<std::uint32_t>(static_cast<std::uint64_t>(iy) & 0xffffffffU);
  return Mix32(x ^ Mix32(y ^ Mix32(seed + 0x9e3779b9U)));
}

double LatticeValue(std::int64_t ix, std::int64_t iy, std::uint32_t seed) {
  return static_cast<double>(HashPoint(ix, iy, seed) >> 8) / 16777216.0;
}

double CellValue(double x, double y, std::uint32_t seed) {
  return LatticeValue(static_cast<std::int64_t>(std::floor(x)),
                      static_cast<std::int64_t>(std::floor(y)), seed);
}

double ValueNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const auto ix = static_cast<std::int64_t>(fx);
  const auto iy = static_cast<std::int64_t>(fy);
  const double tx = SmoothWeight(x - fx);
  const double ty = SmoothWeight(y - fy);
  const double top = Lerp(LatticeValue(ix, iy, seed), LatticeValue(ix + 1, iy, seed), tx);
  const double bottom =
      Lerp(LatticeValue(ix, iy + 1, seed), LatticeValue(ix + 1, iy + 1, seed), tx);
  return Lerp(top, bottom, ty);
}

double FractalNoise(double x, double y, std::uint32_t seed, int octaves) {
  double sum = 0.0;
  double weight = 0.5;
  double total = 0.0;
  for (int i = 0; i < octaves; ++i) {
    const double scale = std::ldexp(1.0, i);
    sum += weight * ValueNoise(x * scale, y * scale, seed + static_cast<std::uint32_t>(i));
    total += weight;
    weight *= 0.5;
  }
  return sum / total;
}

}  // namespace assetgen
