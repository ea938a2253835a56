// The generator, run into a fresh folder, remakes exactly the committed asset files.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <set>
#include <string>

#include "tests/assets/asset_files.h"
#include "tools/assetgen/assetgen.h"

namespace assets_test {
namespace {

namespace fs = std::filesystem;

class AssetGenerator : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string pattern = (fs::temp_directory_path() / "kz_assets_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    std::string error;
    generated_ = assetgen::WriteAssets(root_, error);
    ASSERT_TRUE(generated_) << error;
  }

  static void TearDownTestSuite() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  void SetUp() override { ASSERT_TRUE(generated_); }

  static inline std::string root_;
  static inline bool generated_ = false;
};

TEST_F(AssetGenerator, WritesExactlyTheTwelveFiles) {
  std::set<std::string> written;
  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    if (entry.is_regular_file()) {
      written.insert(fs::relative(entry.path(), root_).generic_string());
    }
  }
  std::set<std::string> expected(kMeshFiles.begin(), kMeshFiles.end());
  expected.insert(kTextureFiles.begin(), kTextureFiles.end());
  EXPECT_EQ(written, expected);
}

// Mesh text uses a fixed number format, so any change in the generator shows up here.
TEST_F(AssetGenerator, RemakesTheCommittedMeshesByteForByte) {
  for (const char* file : kMeshFiles) {
    std::string made;
    std::string committed;
    ASSERT_TRUE(ReadAsset(root_, file, made));
    ASSERT_TRUE(ReadAsset(SourceRoot(), file, committed));
    EXPECT_TRUE(made == committed) << file << " differs from the generator's output; run "
                                   << "kz_assetgen <repository> and commit the result";
  }
}

// JPEG encoders may round differently between library versions, so pixels get a small tolerance.
TEST_F(AssetGenerator, RemakesTheCommittedTexturesWithinTolerance) {
  for (const char* file : kTextureFiles) {
    image::Image made;
    image::Image committed;
    ASSERT_TRUE(LoadImage(file, made, root_));
    ASSERT_TRUE(LoadImage(file, committed));
    ASSERT_EQ(made.width, committed.width) << file;
    ASSERT_EQ(made.height, committed.height) << file;
    ASSERT_EQ(made.rgba.size(), committed.rgba.size()) << file;
    int worst = 0;
    double total = 0.0;
    for (std::size_t i = 0; i < made.rgba.size(); ++i) {
      const int diff = std::abs(int{made.rgba[i]} - int{committed.rgba[i]});
      worst = std::max(worst, diff);
      total += diff;
    }
    EXPECT_LE(worst, 24) << file;
    EXPECT_LE(total / static_cast<double>(made.rgba.size()), 1.0) << file;
  }
}

}  // namespace
}  // namespace assets_test
