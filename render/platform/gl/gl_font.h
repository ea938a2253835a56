// A font as a coverage atlas texture, drawing text in back-buffer pixels over the scene.
#pragma once

#include <epoxy/gl.h>

#include <memory>
#include <vector>

#include "render/platform/device_backend.h"
#include "render/platform/font/font_atlas.h"
#include "render/platform/gl/gl_core.h"
#include "render/platform/gl/ref_counted.h"

namespace gl_backend {

class GlFont : public RefCounted<ID3DXFont> {
 public:
  // Rasterises the requested face; on failure a negative result and a null output (the atlas
  // reports the reason on standard error).
  static HRESULT Create(const std::shared_ptr<GlCore>& core, const FontDesc& desc, ID3DXFont** out);
  // Format 0 (left, top) with a null sprite only; returns the height of the laid-out lines, 0 for
  // an empty text or an unsupported call. Allocates nothing once the quad list has grown to fit.
  INT DrawTextA(ID3DXSprite* sprite, LPCSTR text, INT count, RECT* rect, DWORD format,
                D3DCOLOR color) override;

 private:
  GlFont(std::shared_ptr<GlCore> core, std::unique_ptr<font::FontAtlas> atlas);
  ~GlFont() override;

  std::shared_ptr<GlCore> core_;            // keeps the context alive while the font exists
  std::unique_ptr<font::FontAtlas> atlas_;  // glyph metrics and layout
  GLuint texture_ = 0;                      // owned R8 copy of the atlas
  std::vector<font::GlyphQuad> quads_;      // layout of the current draw, capacity kept
};

}  // namespace gl_backend
