// Tests of the font atlas: fontconfig lookup, cell metrics, glyph coverage in the atlas and the
// layout of text into quads clipped to a rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "render/platform/font/font_atlas.h"

namespace {
// Counts every global allocation so that tests can prove a code path allocates nothing.
long g_allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size)) {
    return block;
  }
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

// fontconfig 2.14 loses a few bytes inside its own configuration parser; not a fault of ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace font {
namespace {

// The rectangle the help overlay uses on a 1024 by 768 screen.
constexpr Rect kHelpRect{51, 38, 341, 384};
constexpr Rect kUnbounded{51, 38, 1 << 20, 1 << 20};

std::string FileName(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

struct LookupCase {
  const char* face;
  int weight;
  bool italic;
  const char* file_prefix;
};

TEST(FontLookup, ResolvesWindowsFacesToMetricCompatibleFiles) {
  const LookupCase cases[] = {
      {"Arial", 700, false, "LiberationSans-Bold."},
      {"Arial", 400, false, "LiberationSans-Regular."},
      {"Arial", 400, true, "LiberationSans-Italic."},
      {"Arial", 700, true, "LiberationSans-BoldItalic."},
      {"Times New Roman", 700, false, "LiberationSerif-Bold."},
      {"Courier New", 400, false, "LiberationMono-Regular."},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.weight) +
                 (c.italic ? " italic" : ""));
    const auto atlas = FontAtlas::Create({16, c.weight, c.italic, c.face});
    ASSERT_NE(atlas, nullptr);
    EXPECT_EQ(FileName(atlas->FilePath()).rfind(c.file_prefix, 0), 0u) << atlas->FilePath();
  }
}

TEST(FontLookup, RejectsAbsurdHeight) {
  EXPECT_EQ(FontAtlas::Create({1 << 20, 700, false, "Arial"}), nullptr);
  EXPECT_EQ(FontAtlas::Create({-(1 << 20), 700, false, "Arial"}), nullptr);
}

TEST(FontMetrics, PositiveHeightIsTheCellAndNegativeTheCharacterHeight) {
  for (const int cell : {0, 12, 16, 32, 48}) {
    SCOPED_TRACE(cell);
    const auto atlas = FontAtlas::Create({cell, 700, false, "Arial"});
    ASSERT_NE(atlas, nullptr);
    EXPECT_NEAR(atlas->LineHeight(), cell == 0 ? 16 : cell, 1);
    EXPECT_GT(atlas->Ascent(), atlas->LineHeight() / 2);
    EXPECT_LT(atlas->Ascent(), atlas->LineHeight());
  }
  for (const int em : {16, 32}) {
    SCOPED_TRACE(-em);
    const auto atlas = FontAtlas::Create({-em, 700, false, "Arial"});
    ASSERT_NE(atlas, nullptr);
    // The cell of a Latin face is taller than its em but well below one and a half of it.
    EXPECT_GT(atlas->LineHeight(), em);
    EXPECT_LT(atlas->LineHeight(), em * 3 / 2);
  }
}

class FontLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { atlas_ = FontAtlas::Create({16, 700, false, "Arial"}).release(); }
  static void TearDownTestSuite() {
    delete atlas_;
    atlas_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(atlas_, nullptr); }

  static std::vector<GlyphQuad> Lay(const std::string& text, const Rect& clip) {
    std::vector<GlyphQuad> quads;
    const std::size_t added = atlas_->Layout(text.c_str(), -1, clip, quads);
    EXPECT_EQ(added, quads.size());
    return quads;
  }
  static float Width() { return static_cast<float>(atlas_->AtlasWidth()); }
  static float Height() { return static_cast<float>(atlas_->AtlasHeight()); }

  static FontAtlas* atlas_;
};
FontAtlas* FontLayout::atlas_ = nullptr;

TEST_F(FontLayout, LinesStartAtTheTopLeftAndStepByTheLineHeight) {
  const auto quads = Lay("H\nHH\nHHH", kHelpRect);
  ASSERT_EQ(quads.size(), 6u);
  const GlyphQuad first = quads[0];
  EXPECT_GE(first.x0, kHelpRect.left);
  EXPECT_LE(first.x0, kHelpRect.left + 2);
  EXPECT_NEAR(first.y1, kHelpRect.top + atlas_->Ascent(), 1);
  const std::size_t line_starts[] = {0, 1, 3};
  for (std::size_t line = 0; line < 3; ++line) {
    const GlyphQuad& start = quads[line_starts[line]];
    EXPECT_EQ(start.x0, first.x0) << line;
    EXPECT_EQ(start.y0,
              first.y0 + static_cast<float>(line) * static_cast<float>(atlas_->LineHeight()))
        << line;
  }
  EXPECT_GT(quads[2].x0, quads[1].x1 - 1);
}

// Rectangle edges at which a glyph was cut.
enum Edge : unsigned { kRight = 1, kBottom = 2 };

struct ClipCase {
  const char* name;
  std::string text;
  Rect clip;
  unsigned cut_edges;
};

// Every clipped quad is its unclipped counterpart cut to the rectangle, with its atlas rectangle
// cut by the same number of texels; quads wholly outside are dropped, nothing is wrapped or moved.
TEST_F(FontLayout, ClipsEveryGlyphToTheRectangle) {
  const int line = atlas_->LineHeight();
  const ClipCase cases[] = {
      {"wide line", std::string(40, 'W'), {51, 38, 151, 384}, kRight},
      {"lines below", "Hg\nHg\nHg\nHg", {51, 38, 341, 38 + line + line / 2}, kBottom},
      {"narrow and short", "Hamburg\nHalle", {51, 38, 56, 46}, kRight | kBottom},
      {"all below", "\n\n\n\nHH", {51, 38, 341, 38 + 2 * line}, 0},
      {"empty rectangle", "HH", {51, 38, 51, 384}, 0},
  };
  constexpr int kShift = 100;
  for (const ClipCase& c : cases) {
    SCOPED_TRACE(c.name);
    // The same text laid out further in without right or bottom limit, then moved back.
    const auto full = Lay(
        c.text, {c.clip.left + kShift, c.clip.top + kShift, kUnbounded.right, kUnbounded.bottom});
    const auto clipped = Lay(c.text, c.clip);
    std::size_t next = 0;
    unsigned cut = 0;
    for (GlyphQuad q : full) {
      q.x0 -= kShift, q.x1 -= kShift, q.y0 -= kShift, q.y1 -= kShift;
      const float x0 = std::max(q.x0, float(c.clip.left)), x1 = std::min(q.x1, float(c.clip.right));
      const float y0 = std::max(q.y0, float(c.clip.top)), y1 = std::min(q.y1, float(c.clip.bottom));
      if (x0 >= x1 || y0 >= y1) {
        continue;
      }
      ASSERT_LT(next, clipped.size());
      const GlyphQuad& got = clipped[next++];
      EXPECT_EQ(got.x0, x0);
      EXPECT_EQ(got.x1, x1);
      EXPECT_EQ(got.y0, y0);
      EXPECT_EQ(got.y1, y1);
      // Glyphs map one texel to one pixel, so the cut moves the atlas edge by as many texels.
      EXPECT_FLOAT_EQ(got.s0, q.s0 + (x0 - q.x0) / Width());
      EXPECT_FLOAT_EQ(got.s1, q.s1 - (q.x1 - x1) / Width());
      EXPECT_FLOAT_EQ(got.t0, q.t0 + (y0 - q.y0) / Height());
      EXPECT_FLOAT_EQ(got.t1, q.t1 - (q.y1 - y1) / Height());
      cut |= (x1 < q.x1 ? kRight : 0u) | (y1 < q.y1 ? kBottom : 0u);
    }
    EXPECT_EQ(next, clipped.size());
    EXPECT_EQ(cut, c.cut_edges);
  }
}

struct OriginCutCase {
  int height;
  const char* at_edge;  // the glyph alone, starting at the rectangle's top-left corner
  const char* inside;   // the same glyph last, placed away from the left and top edges
  bool horizontal;
};

// A glyph reaching left of the pen ('j') or above the cell (a capital with accent at a small size)
// is cut at the left or top edge of the rectangle, its atlas rectangle by as many texels.
TEST(FontOriginCut, GlyphsReachingPastTheTopLeftAreCut) {
  const OriginCutCase cases[] = {{16, "j", "oj", true}, {8, "\xC0", "\n\xC0", false}};
  for (const OriginCutCase& c : cases) {
    SCOPED_TRACE(c.inside);
    const auto atlas = FontAtlas::Create({c.height, 700, false, "Arial"});
    ASSERT_NE(atlas, nullptr);
    std::vector<GlyphQuad> inside, at_edge;
    atlas->Layout(c.inside, -1, kHelpRect, inside);
    atlas->Layout(c.at_edge, -1, kHelpRect, at_edge);
    ASSERT_FALSE(inside.empty());
    ASSERT_EQ(at_edge.size(), 1u);
    const GlyphQuad& whole = inside.back();
    const GlyphQuad& cut = at_edge[0];
    const float texel =
        c.horizontal ? 1.0f / float(atlas->AtlasWidth()) : 1.0f / float(atlas->AtlasHeight());
    const float whole_size = c.horizontal ? whole.x1 - whole.x0 : whole.y1 - whole.y0;
    const float cut_size = c.horizontal ? cut.x1 - cut.x0 : cut.y1 - cut.y0;
    ASSERT_GT(whole_size, cut_size) << "the glyph no longer reaches past the origin";
    const float removed = (whole_size - cut_size) * texel;
    EXPECT_EQ(c.horizontal ? cut.x0 : cut.y0, float(c.horizontal ? kHelpRect.left : kHelpRect.top));
    EXPECT_FLOAT_EQ(c.horizontal ? cut.s0 : cut.t0, (c.horizontal ? whole.s0 : whole.t0) + removed);
    EXPECT_FLOAT_EQ(c.horizontal ? cut.s1 : cut.t1, c.horizontal ? whole.s1 : whole.t1);
    EXPECT_FLOAT_EQ(c.horizontal ? cut.t0 : cut.s0, c.horizontal ? whole.t0 : whole.s0);
  }
}

TEST_F(FontLayout, WideLineIsCutNotWrapped) {
  const Rect clip{51, 38, 151, 384};
  const auto quads = Lay(std::string(40, 'W'), clip);
  ASSERT_FALSE(quads.empty());
  EXPECT_LT(quads.size(), 40u);
  for (const GlyphQuad& q : quads) {
    EXPECT_EQ(q.y0, quads[0].y0);
  }
  EXPECT_EQ(quads.back().x1, float(clip.right));
}

struct CountCase {
  const char* text;
  int count;
  std::size_t quads;
};

TEST_F(FontLayout, AppendsOneQuadPerVisibleGlyphAndKeepsWhatWasThere) {
  const CountCase cases[] = {
      {"", -1, 0},       {"HH", 0, 0},
      {nullptr, -1, 0},  {"\n\n", -1, 0},
      {" \t\r ", -1, 0}, {"HHHH", 2, 2},
      {"H H", -1, 2},    {"\xC4\xD6\xDC\xDF", -1, 4},
      {"A\nB", -1, 2},   {"\x01\x7F\x80\x9F", -1, 0},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.text == nullptr ? "null" : c.text);
    std::vector<GlyphQuad> out(1, GlyphQuad{1, 2, 3, 4, 0, 0, 0, 0});
    EXPECT_EQ(atlas_->Layout(c.text, c.count, kHelpRect, out), c.quads);
    ASSERT_EQ(out.size(), 1 + c.quads);
    EXPECT_EQ(out[0].x0, 1);
    EXPECT_EQ(out[0].y1, 4);
  }
}

TEST_F(FontLayout, NonPrintingBytesDrawNothingAndTakeNoRoom) {
  const auto plain = Lay("AB", kHelpRect);
  for (const char* text : {"A\tB", "A\rB",
                           "A\x01"
                           "B",
                           "A\x7F"
                           "B",
                           "A\x85"
                           "B"}) {
    SCOPED_TRACE(text);
    const auto quads = Lay(text, kHelpRect);
    ASSERT_EQ(quads.size(), plain.size());
    for (std::size_t i = 0; i < quads.size(); ++i) {
      EXPECT_EQ(quads[i].x0, plain[i].x0);
      EXPECT_EQ(quads[i].s0, plain[i].s0);
    }
  }
}

TEST_F(FontLayout, AtlasHoldsCoverageForAsciiAndLatin1) {
  const auto& pixels = atlas_->AtlasPixels();
  ASSERT_EQ(pixels.size(), std::size_t(atlas_->AtlasWidth()) * std::size_t(atlas_->AtlasHeight()));
  for (const char* text : {"A", "~", "\xE4", "\xDF", "\xFF"}) {
    SCOPED_TRACE(text);
    const auto quads = Lay(text, kHelpRect);
    ASSERT_EQ(quads.size(), 1u);
    const auto s0 = int(quads[0].s0 * Width() + 0.5f), s1 = int(quads[0].s1 * Width() + 0.5f);
    const auto t0 = int(quads[0].t0 * Height() + 0.5f), t1 = int(quads[0].t1 * Height() + 0.5f);
    EXPECT_EQ(s1 - s0, int(quads[0].x1 - quads[0].x0));
    EXPECT_EQ(t1 - t0, int(quads[0].y1 - quads[0].y0));
    int covered = 0;
    for (int t = t0; t < t1; ++t) {
      for (int s = s0; s < s1; ++s) {
        covered += pixels[std::size_t(t * atlas_->AtlasWidth() + s)] != 0 ? 1 : 0;
      }
    }
    EXPECT_GT(covered, (s1 - s0) * (t1 - t0) / 8);
  }
}

TEST_F(FontLayout, DoesNotAllocateWhenCapacitySuffices) {
  const char* text =
      "Taste S: anderes System\nTaste R: Anforderung\n\xC4nderung \xFC"
      "ber Zeit";
  std::vector<GlyphQuad> out;
  out.reserve(256);
  const GlyphQuad* data = out.data();
  for (int frame = 0; frame < 3; ++frame) {
    out.clear();
    const long before = g_allocations;
    const std::size_t added = atlas_->Layout(text, -1, kHelpRect, out);
    EXPECT_EQ(g_allocations, before);
    EXPECT_GT(added, 40u);
    EXPECT_EQ(out.data(), data);
    EXPECT_EQ(out.capacity(), 256u);
  }
}

}  // namespace
}  // namespace font
