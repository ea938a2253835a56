// An 8-bit RGB picture and the supersampling renderer that fills one from a colour function.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/assetgen/paint.h"

namespace assetgen {

// Pixels row by row from the top, three bytes (R, G, B) per pixel.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Colour at texture coordinate (u, v), both in [0, 1]; (0, 0) is the top-left corner.
using Shader = std::function<Rgb(double u, double v)>;

// Renders a `width` x `height` picture; each pixel is the mean of `samples` x `samples`
// evaluations of `shade` spread evenly over the pixel, which smooths hard shape edges.
Picture RenderPicture(int width, int height, int samples, const Shader& shade);

}  // namespace assetgen
