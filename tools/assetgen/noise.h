// Deterministic pseudo-random values and value noise: the same inputs give the same values on
// every run and every machine, so generated pictures are reproducible.
#pragma once

#include <cstdint>

namespace assetgen {

// Mixes the lattice point (ix, iy) and a stream `seed` into a well-distributed 32-bit hash.
std::uint32_t HashPoint(std::int64_t ix, std::int64_t iy, std::uint32_t seed);

// A uniform value in [0, 1) fixed for the lattice point (ix, iy) of stream `seed`.
double LatticeValue(std::int64_t ix, std::int64_t iy, std::uint32_t seed);

// The lattice value of the unit cell that contains (x, y): constant within each cell.
double CellValue(double x, double y, std::uint32_t seed);

// Smooth value noise in [0, 1): lattice values at integer points, blended smoothly between them.
double ValueNoise(double x, double y, std::uint32_t seed);

// Sum of `octaves` layers of value noise, each twice as fine and half as strong; result in [0, 1).
double FractalNoise(double x, double y, std::uint32_t seed, int octaves);

}  // namespace assetgen
