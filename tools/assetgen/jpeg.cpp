// TurboJPEG wrapper: one compressor per call, its output buffer freed by TurboJPEG itself.
#include "tools/assetgen/jpeg.h"

#include <turbojpeg.h>

#include <memory>

namespace assetgen {
namespace {

struct CompressorCloser {
  void operator()(void* handle) const { tjDestroy(handle); }
};

struct BufferFreer {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

}  // namespace

bool EncodeJpeg(const Picture& picture, int quality, Chroma chroma, std::string& out,
                std::string& error) {
  const std::unique_ptr<void, CompressorCloser> handle(tjInitCompress());
  if (!handle) {
    error = "cannot create a JPEG compressor";
    return false;
  }
  unsigned char* raw = nullptr;
  unsigned long size = 0;
  const int subsampling = chroma == Chroma::kFull ? TJSAMP_444 : TJSAMP_420;
  const int result = tjCompress2(handle.get(), picture.rgb.data(), picture.width, 0, picture.height,
                                 TJPF_RGB, &raw, &size, subsampling, quality, 0);
  const std::unique_ptr<unsigned char, BufferFreer> buffer(raw);
  if (result != 0) {
    error = std::string("JPEG encoding failed: ") + tjGetErrorStr2(handle.get());
    return false;
  }
  out.assign(reinterpret_cast<const char*>(buffer.get()), size);
  return true;
}

}  // namespace assetgen
