// CPU side of text drawing: finds a font face through fontconfig, rasterises its glyphs once into
// an 8-bit coverage atlas with FreeType, and lays out text into screen-space glyph quads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace font {

// What the text drawing call asks for, in the units of the original font API.
struct FontRequest {
  int height =
      0;  // > 0: cell height (ascent + descent) in pixels; < 0: character height; 0: default
  int weight = 400;  // 400 normal, 700 bold
  bool italic = false;
  std::string face = "Arial";
};

// One glyph to draw: a screen rectangle (pixels, y down) and its atlas rectangle (texels), already
// clipped.
struct GlyphQuad {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  float s0 = 0, t0 = 0, s1 = 0, t1 = 0;  // normalised atlas coordinates
};

// Clip and layout rectangle in screen pixels.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// A rasterised font: atlas pixels plus metrics, immutable after creation.
class FontAtlas {
 public:
  // Resolves the face through fontconfig and rasterises printable ASCII and Latin-1; null on
  // failure (with one line on standard error naming the reason).
  static std::unique_ptr<FontAtlas> Create(const FontRequest& request);

  virtual ~FontAtlas() = default;
  virtual int AtlasWidth() const = 0;
  virtual int AtlasHeight() const = 0;
  // Coverage, one byte per texel, rows top to bottom.
  virtual const std::vector<std::uint8_t>& AtlasPixels() const = 0;
  // Distance from the top of a line's cell to its baseline, in pixels.
  virtual int Ascent() const = 0;
  // Distance between baselines of two lines (the cell height, ascent + descent), in pixels.
  virtual int LineHeight() const = 0;
  // Path of the font file that fontconfig chose.
  virtual const std::string& FilePath() const = 0;

  // Lays out `text` (count < 0: up to its terminating zero) from the rectangle's top-left corner,
  // lines broken only at '\n', no wrapping, tabs not expanded, every glyph clipped to `clip`.
  // Appends to `out` without shrinking it (reserve once, reuse across frames to avoid allocation)
  // and returns the number of quads appended.
  virtual std::size_t Layout(const char* text, int count, const Rect& clip,
                             std::vector<GlyphQuad>& out) const = 0;
};

}  // namespace font
