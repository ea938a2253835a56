// A JPEG file as an RGBA8 texture with its full mip chain; texture coordinate (0, 0) is the image's
// top-left pixel.
#pragma once

#include <epoxy/gl.h>

#include <memory>

#include "render/platform/d3d9.h"
#include "render/platform/gl/gl_core.h"
#include "render/platform/gl/ref_counted.h"

namespace gl_backend {

class GlTexture : public RefCounted<IDirect3DTexture9> {
 public:
  // Reads, decodes and uploads the file at `path`; on failure a negative result, a null output and,
  // the first time this path fails, one line on standard error naming it and the reason.
  static HRESULT Load(const std::shared_ptr<GlCore>& core, const char* path,
                      IDirect3DTexture9** out);
  // The GL texture name.
  GLuint Name() const { return name_; }

 private:
  GlTexture(std::shared_ptr<GlCore> core, GLuint name);
  ~GlTexture() override;

  std::shared_ptr<GlCore> core_;  // keeps the context alive while the texture exists
  GLuint name_ = 0;               // owned
};

}  // namespace gl_backend
