// Text quads as instanced triangle strips: each instance is one GlyphQuad straight from the layout,
// so no vertex data is built on the CPU.
#include "render/platform/gl/text_renderer.h"

#include <algorithm>
#include <cstdint>

#include "render/platform/gl/shader_program.h"

namespace gl_backend {
namespace {

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec4 aRect;
layout(location = 1) in vec4 aAtlas;
uniform vec2 uScreen;
out vec2 vTexCoord;

void main() {
  vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));
  vec2 pixel = mix(aRect.xy, aRect.zw, corner);
  vTexCoord = mix(aAtlas.xy, aAtlas.zw, corner);
  gl_Position = vec4(pixel.x / uScreen.x * 2.0 - 1.0, 1.0 - pixel.y / uScreen.y * 2.0, 0.0, 1.0);
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec2 vTexCoord;
uniform vec4 uColor;
uniform sampler2D uAtlas;
out vec4 fragColor;

void main() {
  fragColor = vec4(uColor.rgb, uColor.a * texture(uAtlas, vTexCoord).r);
}
)";

// Quads the buffer holds before it first grows.
constexpr std::size_t kInitialCapacity = 1024;

void SetEnabled(GLenum capability, GLboolean enabled) {
  if (enabled) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

float Channel(D3DCOLOR color, int shift) {
  return static_cast<float>((color >> shift) & 0xFFu) / 255.0f;
}

}  // namespace

TextRenderer::~TextRenderer() {
  if (program_ != 0)
    glDeleteProgram(program_);
  if (vertexArray_ != 0)
    glDeleteVertexArrays(1, &vertexArray_);
  if (buffer_ != 0)
    glDeleteBuffers(1, &buffer_);
}

bool TextRenderer::Init(std::string& error) {
  program_ = LinkProgram(kVertexShader, kFragmentShader, error);
  if (program_ == 0)
    return false;
  colorLocation_ = glGetUniformLocation(program_, "uColor");
  screenLocation_ = glGetUniformLocation(program_, "uScreen");
  const GLint atlasLocation = glGetUniformLocation(program_, "uAtlas");
  const SavedState saved = Save();
  glUseProgram(program_);
  glUniform1i(atlasLocation, 0);
  glGenVertexArrays(1, &vertexArray_);
  glGenBuffers(1, &buffer_);
  glBindVertexArray(vertexArray_);
  glBindBuffer(GL_ARRAY_BUFFER, buffer_);
  capacity_ = kInitialCapacity;
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity_ * sizeof(font::GlyphQuad)),
               nullptr, GL_STREAM_DRAW);
  const auto stride = static_cast<GLsizei>(sizeof(font::GlyphQuad));
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(font::GlyphQuad, x0)));
  glVertexAttribDivisor(0, 1);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(font::GlyphQuad, s0)));
  glVertexAttribDivisor(1, 1);
  Restore(saved);
  return true;
}

void TextRenderer::Draw(const font::GlyphQuad* quads, std::size_t count, GLuint atlas,
                        D3DCOLOR color, int width, int height) {
  if (count == 0 || width <= 0 || height <= 0)
    return;
  const SavedState saved = Save();
  glUseProgram(program_);
  glUniform4f(colorLocation_, Channel(color, 16), Channel(color, 8), Channel(color, 0),
              Channel(color, 24));
  glUniform2f(screenLocation_, static_cast<float>(width), static_cast<float>(height));
  glBindVertexArray(vertexArray_);
  Upload(quads, count);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, atlas);
  // The atlas samples with its own nearest filtering, not with the scene's sampler.
  glBindSampler(0, 0);
  glEnable(GL_BLEND);
  glBlendEquation(GL_FUNC_ADD);
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glDisable(GL_CULL_FACE);
  glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(count));
  Restore(saved);
}

void TextRenderer::Upload(const font::GlyphQuad* quads, std::size_t count) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer_);
  const auto bytes = static_cast<GLsizeiptr>(count * sizeof(font::GlyphQuad));
  if (count > capacity_) {
    capacity_ = std::max(count, capacity_ * 2);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity_ * sizeof(font::GlyphQuad)),
                 nullptr, GL_STREAM_DRAW);
  }
  glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, quads);
}

TextRenderer::SavedState TextRenderer::Save() {
  SavedState s;
  glGetIntegerv(GL_CURRENT_PROGRAM, &s.program);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &s.vertexArray);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &s.activeTexture);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
  glGetIntegerv(GL_SAMPLER_BINDING, &s.sampler);
  s.blend = glIsEnabled(GL_BLEND);
  glGetIntegerv(GL_BLEND_SRC_RGB, &s.blendSrcRgb);
  glGetIntegerv(GL_BLEND_DST_RGB, &s.blendDstRgb);
  glGetIntegerv(GL_BLEND_SRC_ALPHA, &s.blendSrcAlpha);
  glGetIntegerv(GL_BLEND_DST_ALPHA, &s.blendDstAlpha);
  glGetIntegerv(GL_BLEND_EQUATION_RGB, &s.blendEquationRgb);
  glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &s.blendEquationAlpha);
  s.depthTest = glIsEnabled(GL_DEPTH_TEST);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &s.depthMask);
  s.cullFace = glIsEnabled(GL_CULL_FACE);
  return s;
}

void TextRenderer::Restore(const SavedState& s) {
  const auto name = [](GLint value) { return static_cast<GLuint>(value); };
  const auto enumeration = [](GLint value) { return static_cast<GLenum>(value); };
  glUseProgram(name(s.program));
  glBindVertexArray(name(s.vertexArray));
  glBindBuffer(GL_ARRAY_BUFFER, name(s.arrayBuffer));
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, name(s.texture));
  glBindSampler(0, name(s.sampler));
  glActiveTexture(enumeration(s.activeTexture));
  SetEnabled(GL_BLEND, s.blend);
  glBlendEquationSeparate(enumeration(s.blendEquationRgb), enumeration(s.blendEquationAlpha));
  glBlendFuncSeparate(enumeration(s.blendSrcRgb), enumeration(s.blendDstRgb),
                      enumeration(s.blendSrcAlpha), enumeration(s.blendDstAlpha));
  SetEnabled(GL_DEPTH_TEST, s.depthTest);
  glDepthMask(s.depthMask);
  SetEnabled(GL_CULL_FACE, s.cullFace);
}

}  // namespace gl_backend
