// Fuzz entry for the JPEG decoder: any bytes must give a picture of the stated size or a reason.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "render/platform/formats/image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  image::Image picture;
  std::string error;
  const bool ok = image::DecodeJpeg(bytes, picture, error);
  const std::size_t expected =
      static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4;
  const bool clean = ok ? picture.width > 0 && picture.height > 0 && picture.rgba.size() == expected
                        : !error.empty() && picture.rgba.empty();
  if (!clean) {
    std::abort();
  }
  return 0;
}
