// Draws laid-out glyph quads from a coverage atlas over the scene, in back-buffer pixels, and
// leaves every GL state it touches as it found it.
#pragma once

#include <epoxy/gl.h>

#include <cstddef>
#include <string>

#include "render/platform/d3d9.h"
#include "render/platform/font/font_atlas.h"

namespace gl_backend {

class TextRenderer {
 public:
  TextRenderer() = default;
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;
  ~TextRenderer();

  // Builds the program, the quad buffer and its vertex layout; false with a reason in `error`.
  bool Init(std::string& error);
  // Draws `count` quads of `atlas` (an R8 coverage texture) in `color` (ARGB; its alpha times the
  // coverage is blended over the target) for a back buffer of `width` x `height` pixels, with no
  // depth test. Allocates nothing.
  void Draw(const font::GlyphQuad* quads, std::size_t count, GLuint atlas, D3DCOLOR color,
            int width, int height);

 private:
  // The GL state Draw changes, as it was before.
  struct SavedState {
    GLint program = 0;
    GLint vertexArray = 0;
    GLint arrayBuffer = 0;
    GLint activeTexture = 0;
    GLint texture = 0;
    GLint sampler = 0;
    GLboolean blend = GL_FALSE;
    GLint blendSrcRgb = 0, blendDstRgb = 0, blendSrcAlpha = 0, blendDstAlpha = 0;
    GLint blendEquationRgb = 0, blendEquationAlpha = 0;
    GLboolean depthTest = GL_FALSE;
    GLboolean depthMask = GL_TRUE;
    GLboolean cullFace = GL_FALSE;
  };

  static SavedState Save();
  static void Restore(const SavedState& saved);
  void Upload(const font::GlyphQuad* quads, std::size_t count);

  GLuint program_ = 0;        // owned
  GLuint vertexArray_ = 0;    // owned: one instance per quad
  GLuint buffer_ = 0;         // owned quad buffer
  std::size_t capacity_ = 0;  // quads the buffer holds
  GLint colorLocation_ = -1;
  GLint screenLocation_ = -1;
};

}  // namespace gl_backend
