// Texture loading: file, JPEG decoding, upload with mip chain.
#include "render/platform/gl/gl_texture.h"

#include <string>
#include <utility>

#include "render/platform/formats/image.h"
#include "render/platform/gl/load_report.h"

namespace gl_backend {
namespace {

HRESULT Fail(const char* path, const std::string& reason) {
  return ReportLoadFailure("texture", path, reason);
}

bool FitsTexture(const image::Image& picture) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  return picture.width <= maxSize && picture.height <= maxSize;
}

// Rows go up in the order decoded, so the image's top row lands at t = 0.
GLuint Upload(const image::Image& picture) {
  GLuint name = 0;
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture.width, picture.height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, picture.rgba.data());
  glGenerateMipmap(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  return name;
}

}  // namespace

HRESULT GlTexture::Load(const std::shared_ptr<GlCore>& core, const char* path,
                        IDirect3DTexture9** out) {
  *out = nullptr;
  std::string bytes;
  std::string error;
  image::Image picture;
  if (!image::ReadFile(path, bytes, error) || !image::DecodeJpeg(bytes, picture, error)) {
    return Fail(path, error);
  }
  core->context.MakeCurrent();
  if (!FitsTexture(picture)) {
    return Fail(path, "image " + std::to_string(picture.width) + "x" +
                          std::to_string(picture.height) + " exceeds the largest texture size");
  }
  *out = new GlTexture(core, Upload(picture));
  return D3D_OK;
}

GlTexture::GlTexture(std::shared_ptr<GlCore> core, GLuint name)
    : core_(std::move(core)), name_(name) {}

GlTexture::~GlTexture() {
  core_->context.MakeCurrent();
  core_->pipeline.ForgetTexture(name_);
  glDeleteTextures(1, &name_);
}

}  // namespace gl_backend
