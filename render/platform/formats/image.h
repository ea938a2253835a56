// JPEG decoding into 8-bit RGBA pixels for texture upload.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace image {

// Decoded pixels, rows top to bottom, four bytes (R, G, B, A = 255) per pixel.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// Decodes a JPEG; returns false with a one-line reason in `error` on any failure. Never crashes.
bool DecodeJpeg(std::string_view bytes, Image& out, std::string& error);

// Reads a whole file; returns false with a reason in `error` when it cannot be read.
bool ReadFile(const std::string& path, std::string& out, std::string& error);

}  // namespace image
