// FontAtlas on fontconfig and FreeType: the face is resolved and opened once, every printable
// Latin-1 glyph is rasterised into a shelf-packed coverage atlas, and the face is closed again.
// Layout treats each byte of the text as a Latin-1 code point.
#include "render/platform/font/font_atlas.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

namespace font {
namespace {

constexpr int kDefaultCellHeight = 16;
constexpr int kMaxPixelHeight = 512;
constexpr int kPadding = 1;
constexpr int kMinAtlasWidth = 64;
constexpr int kMaxAtlasWidth = 8192;

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct LibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;

struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

// The file fontconfig chose and how FreeType has to synthesise the styles the face lacks (an
// oblique comes as a shear transform).
struct FaceMatch {
  std::string path;
  int index = 0;
  bool embolden = false;
  FT_Matrix transform{0x10000, 0, 0, 0x10000};
};

// Placement of one glyph: bitmap relative to the pen on the baseline (y up), and its atlas cell.
struct Glyph {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int advance = 0;
  int atlas_x = 0;
  int atlas_y = 0;
};

// A glyph while the atlas is built: metrics plus its own coverage rows.
struct RasterGlyph {
  unsigned char code = 0;
  Glyph glyph;
  std::vector<std::uint8_t> coverage;
};

// Everything a finished atlas holds.
struct AtlasData {
  std::string path;
  int ascent = 0;
  int descent = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  std::array<Glyph, 256> glyphs{};
};

// Printable ASCII and the printable upper half of Latin-1; everything else is never drawn.
bool IsRasterised(unsigned code) {
  return (code >= 32 && code <= 126) || (code >= 160 && code <= 255);
}

// Maps a request weight (100..1000, 0 for the default) onto fontconfig's weight scale.
int FcWeightFor(int weight) {
  return FcWeightFromOpenType(weight <= 0 ? 400 : std::min(weight, 1000));
}

// The family, weight and slant of the request, with fontconfig's substitutions applied.
PatternPtr BuildPattern(const FontRequest& request) {
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) {
    return nullptr;
  }
  // Added as a plain string, not parsed: a face name may contain '-' or ':'.
  FcPatternAddString(pattern.get(), FC_FAMILY,
                     reinterpret_cast<const FcChar8*>(request.face.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFor(request.weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  return pattern;
}

// Converts to FreeType's 16.16 fixed point.
FT_Fixed ToFixed(double value) {
  return static_cast<FT_Fixed>(value * 65536.0);
}

// Reads file, face index and the synthesis fontconfig asks for from a match.
FaceMatch ReadMatch(const FcPattern& match, const FcChar8* file) {
  FaceMatch face{reinterpret_cast<const char*>(file)};
  FcPatternGetInteger(&match, FC_INDEX, 0, &face.index);
  FcBool embolden = FcFalse;
  FcPatternGetBool(&match, FC_EMBOLDEN, 0, &embolden);
  face.embolden = embolden == FcTrue;
  FcMatrix* matrix = nullptr;
  if (FcPatternGetMatrix(&match, FC_MATRIX, 0, &matrix) == FcResultMatch) {
    face.transform = {ToFixed(matrix->xx), ToFixed(matrix->xy), ToFixed(matrix->yx),
                      ToFixed(matrix->yy)};
  }
  return face;
}

// The best installed face for the request; nullopt when fontconfig yields no file.
std::optional<FaceMatch> MatchFace(const FontRequest& request) {
  const PatternPtr pattern = BuildPattern(request);
  if (!pattern) {
    return std::nullopt;
  }
  FcResult result = FcResultNoMatch;
  const PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return std::nullopt;
  }
  return ReadMatch(*match, file);
}

// Scales the face: positive height is the cell, negative the em, zero the default cell.
FT_Error SetPixelHeight(FT_Face face, int height) {
  FT_Size_RequestRec size{};
  size.type = height >= 0 ? FT_SIZE_REQUEST_TYPE_CELL : FT_SIZE_REQUEST_TYPE_NOMINAL;
  size.height = (height == 0 ? kDefaultCellHeight : std::abs(height)) * 64L;
  return FT_Request_Size(face, &size);
}

// Converts any FreeType bitmap into tightly packed 8-bit coverage rows (0..255), top row first.
std::vector<std::uint8_t> CopyCoverage(FT_Library library, const FT_Bitmap& source) {
  FT_Bitmap gray;
  FT_Bitmap_Init(&gray);
  std::vector<std::uint8_t> coverage;
  if (FT_Bitmap_Convert(library, &source, &gray, 1) == 0 && gray.num_grays > 1) {
    const unsigned full = static_cast<unsigned>(gray.num_grays - 1);
    coverage.reserve(std::size_t{gray.width} * gray.rows);
    for (unsigned row = 0; row < gray.rows; ++row) {
      const unsigned char* line = gray.buffer + static_cast<std::ptrdiff_t>(row) * gray.pitch;
      for (unsigned column = 0; column < gray.width; ++column) {
        coverage.push_back(static_cast<std::uint8_t>(line[column] * 255u / full));
      }
    }
  }
  FT_Bitmap_Done(library, &gray);
  return coverage;
}

// Loads, synthesises bold if asked, and renders one glyph with antialiasing into the face's slot.
bool LoadStyledGlyph(FT_Face face, FT_UInt index, const FaceMatch& match) {
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) {
    return false;
  }
  if (match.embolden) {
    FT_GlyphSlot_Embolden(face->glyph);
  }
  return FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0;
}

// A code the face has no glyph for yields nothing: it is neither drawn nor advances the pen.
std::optional<RasterGlyph> Rasterise(FT_Library library, FT_Face face, unsigned code,
                                     const FaceMatch& match) {
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (index == 0 || !LoadStyledGlyph(face, index, match)) {
    return std::nullopt;
  }
  const FT_GlyphSlot slot = face->glyph;
  RasterGlyph raster{static_cast<unsigned char>(code)};
  raster.coverage = CopyCoverage(library, slot->bitmap);
  const bool has_bitmap = !raster.coverage.empty();
  raster.glyph.left = slot->bitmap_left;
  raster.glyph.top = slot->bitmap_top;
  raster.glyph.width = has_bitmap ? static_cast<int>(slot->bitmap.width) : 0;
  raster.glyph.height = has_bitmap ? static_cast<int>(slot->bitmap.rows) : 0;
  raster.glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  return raster;
}

// Every code the atlas covers that the face has a glyph for, in code order.
std::vector<RasterGlyph> RasteriseAll(FT_Library library, FT_Face face, const FaceMatch& match) {
  std::vector<RasterGlyph> glyphs;
  for (unsigned code = 0; code < 256; ++code) {
    if (!IsRasterised(code)) {
      continue;
    }
    if (auto raster = Rasterise(library, face, code, match)) {
      glyphs.push_back(std::move(*raster));
    }
  }
  return glyphs;
}

// Places the glyphs on shelves of the given width; returns the height used, or nullopt when a
// glyph is wider than the atlas.
std::optional<int> PackShelves(std::vector<RasterGlyph>& glyphs, int width) {
  int x = kPadding;
  int y = kPadding;
  int shelf = 0;
  for (RasterGlyph& raster : glyphs) {
    Glyph& glyph = raster.glyph;
    if (glyph.width + 2 * kPadding > width) {
      return std::nullopt;
    }
    if (x + glyph.width + kPadding > width) {
      y += shelf + kPadding;
      x = kPadding;
      shelf = 0;
    }
    glyph.atlas_x = x;
    glyph.atlas_y = y;
    x += glyph.width + kPadding;
    shelf = std::max(shelf, glyph.height);
  }
  return y + shelf + kPadding;
}

// Picks the narrowest power-of-two width whose packing is no taller than wide.
bool Pack(std::vector<RasterGlyph>& glyphs, AtlasData& atlas) {
  for (int width = kMinAtlasWidth; width <= kMaxAtlasWidth; width *= 2) {
    const std::optional<int> height = PackShelves(glyphs, width);
    if (height && (*height <= width || width == kMaxAtlasWidth)) {
      atlas.width = width;
      atlas.height = *height;
      return true;
    }
  }
  return false;
}

// Allocates the atlas pixels and copies every glyph's coverage into its cell.
void Blit(const std::vector<RasterGlyph>& glyphs, AtlasData& atlas) {
  atlas.pixels.assign(
      static_cast<std::size_t>(atlas.width) * static_cast<std::size_t>(atlas.height), 0);
  for (const RasterGlyph& raster : glyphs) {
    const Glyph& glyph = raster.glyph;
    for (int row = 0; row < glyph.height; ++row) {
      const auto source = raster.coverage.begin() + row * glyph.width;
      const auto target =
          static_cast<std::size_t>((glyph.atlas_y + row) * atlas.width + glyph.atlas_x);
      std::copy_n(source, glyph.width, atlas.pixels.begin() + static_cast<std::ptrdiff_t>(target));
    }
    atlas.glyphs[raster.code] = glyph;
  }
}

// Reports a failure as one line on standard error; always false.
bool Fail(const char* reason, const std::string& detail) {
  std::fprintf(stderr, "font: %s '%s'\n", reason, detail.c_str());
  return false;
}

// Opens the matched face at the requested size with its Unicode map and synthesis transform.
bool OpenSizedFace(const FontRequest& request, const FaceMatch& match, FT_Library library,
                   FacePtr& face) {
  FT_Face opened = nullptr;
  if (FT_New_Face(library, match.path.c_str(), match.index, &opened) != 0) {
    return Fail("FreeType cannot open", match.path);
  }
  face.reset(opened);
  if (SetPixelHeight(face.get(), request.height) != 0) {
    return Fail("FreeType cannot size", match.path);
  }
  FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE);
  FT_Matrix transform = match.transform;
  FT_Set_Transform(face.get(), &transform, nullptr);
  return true;
}

// Rounds the scaled design ascent and descent each to whole pixels; FreeType's own size metrics
// round outwards and would make a cell one pixel taller than requested.
void SetCellMetrics(const FT_FaceRec_& face, AtlasData& atlas) {
  const FT_Size_Metrics& metrics = face.size->metrics;
  const bool scalable = FT_IS_SCALABLE(&face);
  const FT_Pos ascender = scalable ? FT_MulFix(face.ascender, metrics.y_scale) : metrics.ascender;
  const FT_Pos descender =
      scalable ? FT_MulFix(face.descender, metrics.y_scale) : metrics.descender;
  atlas.ascent = static_cast<int>((ascender + 32) >> 6);
  atlas.descent = static_cast<int>((-descender + 32) >> 6);
}

// Rasterises the matched face into `atlas`; false (reported) on any FreeType failure.
bool BuildAtlas(const FontRequest& request, const FaceMatch& match, AtlasData& atlas) {
  FT_Library opened = nullptr;
  if (FT_Init_FreeType(&opened) != 0) {
    return Fail("FreeType cannot start for", match.path);
  }
  const LibraryPtr library(opened);
  FacePtr face;
  if (!OpenSizedFace(request, match, library.get(), face)) {
    return false;
  }
  SetCellMetrics(*face, atlas);
  std::vector<RasterGlyph> glyphs = RasteriseAll(library.get(), face.get(), match);
  if (!Pack(glyphs, atlas)) {
    return Fail("glyphs do not fit an atlas for", match.path);
  }
  Blit(glyphs, atlas);
  return true;
}

// The atlas of one face at one size; holds no FreeType or fontconfig object.
class FreeTypeAtlas final : public FontAtlas {
 public:
  explicit FreeTypeAtlas(AtlasData data) : data_(std::move(data)) {
    for (const Glyph& glyph : data_.glyphs) {
      tallest_ = std::max(tallest_, glyph.top);
    }
  }

  int AtlasWidth() const override { return data_.width; }
  int AtlasHeight() const override { return data_.height; }
  const std::vector<std::uint8_t>& AtlasPixels() const override { return data_.pixels; }
  int Ascent() const override { return data_.ascent; }
  int LineHeight() const override { return data_.ascent + data_.descent; }
  const std::string& FilePath() const override { return data_.path; }

  // Bytes without a glyph ('\t', '\r' and other control codes included) draw nothing and take no
  // room on the line.
  std::size_t Layout(const char* text, int count, const Rect& clip,
                     std::vector<GlyphQuad>& out) const override {
    if (text == nullptr || clip.right <= clip.left || clip.bottom <= clip.top) {
      return 0;
    }
    const std::size_t before = out.size();
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    // Positions are 64-bit so that no text length can overflow them.
    std::int64_t pen = clip.left;
    std::int64_t baseline = std::int64_t{clip.top} + data_.ascent;
    for (std::size_t i = 0; i < length; ++i) {
      const auto code = static_cast<unsigned char>(text[i]);
      if (code == '\n') {
        pen = clip.left;
        baseline += LineHeight();
        if (baseline - tallest_ >= clip.bottom) {
          break;
        }
        continue;
      }
      const Glyph& glyph = data_.glyphs[code];
      AppendClipped(glyph, pen, baseline, clip, out);
      pen += glyph.advance;
    }
    return out.size() - before;
  }

 private:
  // Cuts the glyph's rectangle to `clip`, moving the atlas rectangle by the same number of texels.
  void AppendClipped(const Glyph& glyph, std::int64_t pen, std::int64_t baseline, const Rect& clip,
                     std::vector<GlyphQuad>& out) const {
    const std::int64_t x0 = pen + glyph.left;
    const std::int64_t y0 = baseline - glyph.top;
    const std::int64_t left = std::max<std::int64_t>(x0, clip.left);
    const std::int64_t top = std::max<std::int64_t>(y0, clip.top);
    const std::int64_t right = std::min<std::int64_t>(x0 + glyph.width, clip.right);
    const std::int64_t bottom = std::min<std::int64_t>(y0 + glyph.height, clip.bottom);
    if (left >= right || top >= bottom) {
      return;
    }
    const std::int64_t s0 = glyph.atlas_x + (left - x0);
    const std::int64_t t0 = glyph.atlas_y + (top - y0);
    const auto width = static_cast<float>(data_.width);
    const auto height = static_cast<float>(data_.height);
    out.push_back(GlyphQuad{static_cast<float>(left), static_cast<float>(top),
                            static_cast<float>(right), static_cast<float>(bottom),
                            static_cast<float>(s0) / width, static_cast<float>(t0) / height,
                            static_cast<float>(s0 + right - left) / width,
                            static_cast<float>(t0 + bottom - top) / height});
  }

  AtlasData data_;
  // Largest distance a glyph reaches above its baseline; lines further down cannot show.
  int tallest_ = 0;
};

}  // namespace

std::unique_ptr<FontAtlas> FontAtlas::Create(const FontRequest& request) {
  if (std::abs(static_cast<long>(request.height)) > kMaxPixelHeight) {
    Fail("height out of range for", request.face);
    return nullptr;
  }
  const std::optional<FaceMatch> match = MatchFace(request);
  if (!match) {
    Fail("fontconfig finds no font for", request.face);
    return nullptr;
  }
  AtlasData atlas;
  atlas.path = match->path;
  if (!BuildAtlas(request, *match, atlas)) {
    return nullptr;
  }
  return std::make_unique<FreeTypeAtlas>(std::move(atlas));
}

}  // namespace font
