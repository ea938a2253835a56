// Font creation and text drawing.
#include "render/platform/gl/gl_font.h"

#include <cstring>
#include <utility>

namespace gl_backend {
namespace {

// Glyph quads reserved up front: a screenful of help text needs a few hundred.
constexpr std::size_t kReservedQuads = 4096;

GLuint UploadAtlas(const font::FontAtlas& atlas) {
  GLint previousTexture = 0;
  GLint previousAlignment = 4;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, atlas.AtlasWidth(), atlas.AtlasHeight(), 0, GL_RED,
               GL_UNSIGNED_BYTE, atlas.AtlasPixels().data());
  // Quads sit on whole pixels and map texel to pixel, so nearest sampling is exact.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
  return name;
}

// Lines in the first `length` bytes of `text`: one plus one per line feed, none when empty.
int LineCount(const char* text, std::size_t length) {
  if (length == 0)
    return 0;
  int lines = 1;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == '\n')
      ++lines;
  }
  return lines;
}

}  // namespace

HRESULT GlFont::Create(const std::shared_ptr<GlCore>& core, const FontDesc& desc, ID3DXFont** out) {
  *out = nullptr;
  font::FontRequest request;
  request.height = desc.height;
  request.weight = desc.weight == 0 ? static_cast<int>(FW_NORMAL) : static_cast<int>(desc.weight);
  request.italic = desc.italic != FALSE;
  request.face = desc.faceName;
  std::unique_ptr<font::FontAtlas> atlas = font::FontAtlas::Create(request);
  if (atlas == nullptr)
    return E_FAIL;
  core->context.MakeCurrent();
  *out = new GlFont(core, std::move(atlas));
  return D3D_OK;
}

GlFont::GlFont(std::shared_ptr<GlCore> core, std::unique_ptr<font::FontAtlas> atlas)
    : core_(std::move(core)), atlas_(std::move(atlas)), texture_(UploadAtlas(*atlas_)) {
  quads_.reserve(kReservedQuads);
}

GlFont::~GlFont() {
  core_->context.MakeCurrent();
  glDeleteTextures(1, &texture_);
}

INT GlFont::DrawTextA(ID3DXSprite* sprite, LPCSTR text, INT count, RECT* rect, DWORD format,
                      D3DCOLOR color) {
  if (sprite != nullptr || text == nullptr || rect == nullptr || format != (DT_LEFT | DT_TOP)) {
    return 0;
  }
  // A count past the terminating zero stops at the zero rather than reading beyond it.
  const std::size_t length =
      count < 0 ? std::strlen(text) : strnlen(text, static_cast<std::size_t>(count));
  quads_.clear();
  const font::Rect clip{rect->left, rect->top, rect->right, rect->bottom};
  atlas_->Layout(text, static_cast<int>(length), clip, quads_);
  core_->text.Draw(quads_.data(), quads_.size(), texture_, color, core_->backBufferWidth,
                   core_->backBufferHeight);
  return LineCount(text, length) * atlas_->LineHeight();
}

}  // namespace gl_backend
