// JPEG decoding (orientation, size, damaged data, absurd sizes) and whole-file reading.
#include "render/platform/formats/image.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;

constexpr int kWidth = 32;
constexpr int kHeight = 16;
const Rgb kTopLeft{255, 0, 0}, kTopRight{0, 255, 0}, kBottomLeft{0, 0, 255},
    kBottomRight{255, 255, 255};

Rgb QuadrantColour(int x, int y) {
  const bool right = x >= kWidth / 2, bottom = y >= kHeight / 2;
  return bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
}

// Encodes a kWidth x kHeight picture with a different colour in each quadrant, top row first.
std::string EncodeQuadrants(int subsampling) {
  std::vector<unsigned char> rgb;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      for (int c : QuadrantColour(x, y)) {
        rgb.push_back(static_cast<unsigned char>(c));
      }
    }
  }
  const std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitCompress(), tjDestroy);
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int result = tjCompress2(handle.get(), rgb.data(), kWidth, 0, kHeight, TJPF_RGB, &jpeg,
                                 &size, subsampling, 95, 0);
  EXPECT_EQ(result, 0) << tjGetErrorStr2(handle.get());
  std::string bytes(reinterpret_cast<const char*>(jpeg), size);
  tjFree(jpeg);
  return bytes;
}

TEST(DecodeJpeg, DecodesTopRowFirstWithTheEncodedSize) {
  for (int subsampling : {TJSAMP_444, TJSAMP_420}) {
    image::Image picture;
    std::string error;
    ASSERT_TRUE(image::DecodeJpeg(EncodeQuadrants(subsampling), picture, error)) << error;
    ASSERT_EQ(picture.width, kWidth);
    ASSERT_EQ(picture.height, kHeight);
    ASSERT_EQ(picture.rgba.size(), std::size_t{kWidth * kHeight * 4});
    for (const auto& [x, y] : std::vector<std::array<int, 2>>{{3, 3}, {28, 3}, {3, 12}, {28, 12}}) {
      const std::size_t at =
          (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 4;
      const Rgb expected = QuadrantColour(x, y);
      for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_NEAR(picture.rgba[at + c], expected[c], 12) << "pixel " << x << "," << y;
      }
      EXPECT_EQ(picture.rgba[at + 3], 255);
    }
  }
}

TEST(DecodeJpeg, EveryTruncationAndGarbageFailsCleanly) {
  const std::string valid = EncodeQuadrants(TJSAMP_444);
  std::vector<std::string> inputs = {"", "not a jpeg at all", "\x89PNG\r\n\x1a\n",
                                     std::string(valid.size(), '\xff')};
  for (std::size_t length = 1; length < valid.size(); ++length) {
    inputs.push_back(valid.substr(0, length));
  }
  for (const std::string& input : inputs) {
    image::Image picture;
    picture.width = 3;
    picture.rgba.resize(12);
    std::string error;
    EXPECT_FALSE(image::DecodeJpeg(input, picture, error)) << input.size() << " bytes";
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(picture.width, 0);
    EXPECT_TRUE(picture.rgba.empty());
  }
}

// Rewrites the frame header's height and width (big-endian, after length and precision).
std::string WithSize(std::string jpeg, int width, int height) {
  const std::size_t sof = jpeg.find("\xff\xc0");
  EXPECT_NE(sof, std::string::npos);
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height & 0xff);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xff);
  return jpeg;
}

TEST(DecodeJpeg, RejectsAbsurdSizesBeforeDecoding) {
  const std::string valid = EncodeQuadrants(TJSAMP_444);
  for (const auto& [width, height] : std::vector<std::array<int, 2>>{{20000, 16}, {32, 16385}}) {
    image::Image picture;
    std::string error;
    EXPECT_FALSE(image::DecodeJpeg(WithSize(valid, width, height), picture, error));
    EXPECT_NE(error.find("out of range"), std::string::npos) << error;
    EXPECT_TRUE(picture.rgba.empty());
  }
}

TEST(ReadFile, ReadsBinaryContentAndReportsUnreadablePaths) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kz_formats_readfile";
  std::filesystem::create_directories(dir);
  const std::string content("\0\xff\r\n\x1a binary", 12);
  const std::string path = (dir / "data.bin").string();
  std::ofstream(path, std::ios::binary) << content;
  std::string out, error;
  ASSERT_TRUE(image::ReadFile(path, out, error)) << error;
  EXPECT_EQ(out, content);
  for (const std::string& bad : {(dir / "missing.jpg").string(), dir.string()}) {
    out = "stale";
    EXPECT_FALSE(image::ReadFile(bad, out, error)) << bad;
    EXPECT_NE(error.find(bad), std::string::npos) << error;
    EXPECT_TRUE(out.empty());
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
