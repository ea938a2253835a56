// JPEG encoding of generated pictures through TurboJPEG.
#pragma once

#include <string>

#include "tools/assetgen/picture.h"

namespace assetgen {

// Chroma resolution of an encoded JPEG.
enum class Chroma { kFull, kHalf };

// Encodes `picture` with the given quality (1..100) and chroma resolution (4:4:4 or 4:2:0);
// returns false with a reason in `error` when TurboJPEG fails.
bool EncodeJpeg(const Picture& picture, int quality, Chroma chroma, std::string& out,
                std::string& error);

}  // namespace assetgen
