// Supersampled rendering of a colour function into 8-bit RGB pixels.
#include "tools/assetgen/picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace assetgen {
namespace {

std::uint8_t ToByte(double channel) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 255.0)));
}

Rgb ShadePixel(int px, int py, int width, int height, int samples, const Shader& shade) {
  Rgb sum;
  for (int sy = 0; sy < samples; ++sy) {
    for (int sx = 0; sx < samples; ++sx) {
      const double u = (px + (sx + 0.5) / samples) / width;
      const double v = (py + (sy + 0.5) / samples) / height;
      sum = sum + shade(u, v);
    }
  }
  return sum * (1.0 / (samples * samples));
}

}  // namespace

Picture RenderPicture(int width, int height, int samples, const Shader& shade) {
  Picture picture{width, height, {}};
  picture.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  std::size_t at = 0;
  for (int py = 0; py < height; ++py) {
    for (int px = 0; px < width; ++px) {
      const Rgb c = ShadePixel(px, py, width, height, samples, shade);
      picture.rgb[at++] = ToByte(c.r);
      picture.rgb[at++] = ToByte(c.g);
      picture.rgb[at++] = ToByte(c.b);
    }
  }
  return picture;
}

}  // namespace assetgen
