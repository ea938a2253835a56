// JPEG decoding through TurboJPEG into top-down RGBA pixels, and whole-file reading for the
// loaders.
#include "render/platform/formats/image.h"

#include <turbojpeg.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace image {
namespace {

// Largest accepted side, and largest accepted pixel count (256 MiB of RGBA).
constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 64LL << 20;

struct HandleCloser {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool Fail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

bool CheckSize(int width, int height, std::string& error) {
  const bool fits = width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
                    static_cast<long long>(width) * height <= kMaxPixels;
  if (fits) {
    return true;
  }
  return Fail(error, "JPEG size " + std::to_string(width) + "x" + std::to_string(height) +
                         " is out of range");
}

}  // namespace

bool DecodeJpeg(std::string_view bytes, Image& out, std::string& error) {
  out = Image{};
  if (bytes.empty()) {
    return Fail(error, "empty JPEG data");
  }
  const Handle handle(tjInitDecompress());
  if (!handle) {
    return Fail(error, "cannot create a JPEG decoder");
  }
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto size = static_cast<unsigned long>(bytes.size());
  int width = 0, height = 0, subsampling = 0, colorspace = 0;
  if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colorspace) !=
      0) {
    return Fail(error, std::string("JPEG header: ") + tjGetErrorStr2(handle.get()));
  }
  if (!CheckSize(width, height, error)) {
    return false;
  }
  Image image;
  image.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  // Any warning (truncated or corrupt data) counts as failure, so a damaged file never loads as
  // a half-grey picture; the scan limit stops progressive files built to take forever.
  const int flags = TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;
  if (tjDecompress2(handle.get(), data, size, image.rgba.data(), width, 0, height, TJPF_RGBA,
                    flags) != 0) {
    return Fail(error, std::string("JPEG data: ") + tjGetErrorStr2(handle.get()));
  }
  image.width = width;
  image.height = height;
  out = std::move(image);
  return true;
}

bool ReadFile(const std::string& path, std::string& out, std::string& error) {
  out.clear();
  const File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    return Fail(error, "cannot open " + path + ": " + std::strerror(errno));
  }
  std::string data;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    data.append(buffer, got);
  }
  if (std::ferror(file.get()) != 0) {
    return Fail(error, "cannot read " + path + ": " + std::strerror(errno));
  }
  out = std::move(data);
  return true;
}

}  // namespace image
