// The shader pair and the state handling of the emulated fixed-function pipeline.
#include "render/platform/gl/fixed_function.h"

#include <array>
#include <cmath>

#include "render/platform/gl/shader_program.h"

namespace gl_backend {
namespace {

// Per-vertex lighting in camera space: emissive + ambient + diffuse, clamped; light 0 only;
// normals through the inverse transpose of world * view and deliberately not renormalised.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoord;

uniform mat4 uWorldView;
uniform mat4 uProjection;
uniform mat3 uNormalMatrix;
uniform bool uLighting;
uniform vec4 uMaterialDiffuse;
uniform vec3 uMaterialAmbient;
uniform vec3 uMaterialEmissive;
uniform vec3 uGlobalAmbient;
uniform bool uLightEnabled;
uniform bool uLightDirectional;
uniform vec3 uLightPosition;
uniform vec3 uLightToward;
uniform vec3 uLightDiffuse;
uniform vec3 uLightAmbient;
uniform float uLightRange;
uniform vec3 uLightAttenuation;
uniform bool uRemapDepth;

out vec4 vColor;
out vec2 vTexCoord;

void main() {
  vec4 eye = uWorldView * vec4(aPosition, 1.0);
  vec4 clip = uProjection * eye;
  if (uRemapDepth) clip.z = 2.0 * clip.z - clip.w;
  gl_Position = clip;
  vTexCoord = aTexCoord;
  if (!uLighting) {
    vColor = vec4(1.0);
    return;
  }
  vec3 normal = uNormalMatrix * aNormal;
  vec3 ambient = uGlobalAmbient;
  vec3 diffuse = vec3(0.0);
  if (uLightEnabled) {
    vec3 toward = uLightToward;
    float attenuation = 1.0;
    if (!uLightDirectional) {
      vec3 offset = uLightPosition - eye.xyz;
      float d = length(offset);
      toward = d > 0.0 ? offset / d : vec3(0.0);
      float divisor = dot(uLightAttenuation, vec3(1.0, d, d * d));
      attenuation = d <= uLightRange ? 1.0 / max(divisor, 1e-20) : 0.0;
    }
    ambient += attenuation * uLightAmbient;
    diffuse = uLightDiffuse * max(dot(normal, toward), 0.0) * attenuation;
  }
  vec3 color = uMaterialEmissive + uMaterialAmbient * ambient + uMaterialDiffuse.rgb * diffuse;
  vColor = vec4(clamp(color, 0.0, 1.0), clamp(uMaterialDiffuse.a, 0.0, 1.0));
}
)";

// Texture stage 0 modulates colour and alpha.
constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 vColor;
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColor;

void main() {
  fragColor = texture(uTexture, vTexCoord) * vColor;
}
)";

// Inverse transpose of the upper-left 3x3 of `m`, row by row: the cofactor matrix divided by the
// determinant. Zero for a singular matrix.
std::array<float, 9> NormalMatrix(const D3DMATRIX& m) {
  const auto row = [&](int r) { return D3DXVECTOR3(m.m[r][0], m.m[r][1], m.m[r][2]); };
  const auto cross = [](const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
  };
  const D3DXVECTOR3 c[3] = {cross(row(1), row(2)), cross(row(2), row(0)), cross(row(0), row(1))};
  const D3DXVECTOR3 r0 = row(0);
  const float det = r0.x * c[0].x + r0.y * c[0].y + r0.z * c[0].z;
  const float scale = det != 0.0f ? 1.0f / det : 0.0f;
  std::array<float, 9> out{};
  for (std::size_t i = 0; i < 3; ++i) {
    out[i * 3 + 0] = c[i].x * scale;
    out[i * 3 + 1] = c[i].y * scale;
    out[i * 3 + 2] = c[i].z * scale;
  }
  return out;
}

// A point (w = 1) through a row-vector matrix.
D3DXVECTOR3 TransformPoint(const D3DVECTOR& p, const D3DMATRIX& m) {
  D3DXVECTOR3 out;
  float* outs[3] = {&out.x, &out.y, &out.z};
  for (int c = 0; c < 3; ++c) {
    *outs[c] = p.x * m.m[0][c] + p.y * m.m[1][c] + p.z * m.m[2][c] + m.m[3][c];
  }
  return out;
}

// The unit vector against a light's direction, in the space of `m`.
D3DXVECTOR3 TowardLight(const D3DVECTOR& direction, const D3DMATRIX& m) {
  const D3DVECTOR& d = direction;
  D3DXVECTOR3 v(d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
                d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
                d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]);
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (length == 0.0f)
    return v;
  return D3DXVECTOR3(-v.x / length, -v.y / length, -v.z / length);
}

GLint FilterOf(DWORD filter) {
  return filter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST;
}

GLint MinFilterOf(DWORD min, DWORD mip) {
  const bool linear = min == D3DTEXF_LINEAR;
  if (mip == D3DTEXF_POINT)
    return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  if (mip == D3DTEXF_LINEAR)
    return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
  return linear ? GL_LINEAR : GL_NEAREST;
}

void Uniform3(GLint location, const D3DCOLORVALUE& c) {
  glUniform3f(location, c.r, c.g, c.b);
}

void Uniform3(GLint location, const D3DXVECTOR3& v) {
  glUniform3f(location, v.x, v.y, v.z);
}

GLuint MakeWhiteTexture() {
  const unsigned char white[4] = {255, 255, 255, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  // One level only, so that it stays complete under a mipmapping sampler.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glBindTexture(GL_TEXTURE_2D, 0);
  return texture;
}

}  // namespace

FixedFunctionPipeline::~FixedFunctionPipeline() {
  if (program_ != 0)
    glDeleteProgram(program_);
  if (white_ != 0)
    glDeleteTextures(1, &white_);
  if (sampler_ != 0)
    glDeleteSamplers(1, &sampler_);
}

bool FixedFunctionPipeline::Init(bool clipControl, bool depthBuffer, std::string& error) {
  program_ = LinkProgram(kVertexShader, kFragmentShader, error);
  if (program_ == 0)
    return false;
  FindUniforms();
  white_ = MakeWhiteTexture();
  glGenSamplers(1, &sampler_);
  ApplySampler();
  glUseProgram(program_);
  glUniform1i(uniforms_.texture, 0);
  glUniform1i(uniforms_.remapDepth, clipControl ? 0 : 1);
  if (clipControl)
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  // Device defaults: depth on only with a depth buffer, less-or-equal, no blending, and D3D's
  // clockwise front faces.
  SetRenderState(D3DRS_ZENABLE, depthBuffer ? D3DZB_TRUE : D3DZB_FALSE);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glFrontFace(GL_CW);
  ApplyCullMode();
  return true;
}

void FixedFunctionPipeline::FindUniforms() {
  const auto at = [this](const char* name) { return glGetUniformLocation(program_, name); };
  uniforms_ = Uniforms{at("uWorldView"),        at("uProjection"),      at("uNormalMatrix"),
                       at("uLighting"),         at("uMaterialDiffuse"), at("uMaterialAmbient"),
                       at("uMaterialEmissive"), at("uGlobalAmbient"),   at("uLightEnabled"),
                       at("uLightDirectional"), at("uLightPosition"),   at("uLightToward"),
                       at("uLightDiffuse"),     at("uLightAmbient"),    at("uLightRange"),
                       at("uLightAttenuation"), at("uRemapDepth"),      at("uTexture")};
}

bool FixedFunctionPipeline::SetRenderState(D3DRENDERSTATETYPE kind, DWORD value) {
  switch (kind) {
    case D3DRS_ZENABLE:
      state_.depthTest = value != D3DZB_FALSE;
      if (state_.depthTest) {
        glEnable(GL_DEPTH_TEST);
      } else {
        glDisable(GL_DEPTH_TEST);
      }
      return true;
    case D3DRS_CULLMODE:
      if (value != D3DCULL_NONE && value != D3DCULL_CW && value != D3DCULL_CCW)
        return false;
      state_.cullMode = value;
      ApplyCullMode();
      return true;
    case D3DRS_LIGHTING:
      state_.lighting = value != FALSE;
      state_.dirty |= kDirtyLighting;
      return true;
    case D3DRS_AMBIENT:
      state_.globalAmbient = value;
      state_.dirty |= kDirtyLighting;
      return true;
  }
  return false;
}

void FixedFunctionPipeline::ApplyCullMode() {
  if (state_.cullMode == D3DCULL_NONE) {
    glDisable(GL_CULL_FACE);
    return;
  }
  // Front faces are clockwise on screen (glFrontFace(GL_CW)); D3DCULL_CW culls exactly those.
  glEnable(GL_CULL_FACE);
  glCullFace(state_.cullMode == D3DCULL_CW ? GL_FRONT : GL_BACK);
}

void FixedFunctionPipeline::SetMaterial(const D3DMATERIAL9& material) {
  state_.material = material;
  state_.dirty |= kDirtyMaterial;
}

bool FixedFunctionPipeline::SetSamplerState(D3DSAMPLERSTATETYPE kind, DWORD value) {
  if (value > D3DTEXF_LINEAR)
    return false;
  switch (kind) {
    case D3DSAMP_MINFILTER:
      state_.minFilter = value;
      break;
    case D3DSAMP_MAGFILTER:
      state_.magFilter = value;
      break;
    case D3DSAMP_MIPFILTER:
      state_.mipFilter = value;
      break;
    default:
      return false;
  }
  ApplySampler();
  return true;
}

void FixedFunctionPipeline::ApplySampler() {
  glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER,
                      MinFilterOf(state_.minFilter, state_.mipFilter));
  glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, FilterOf(state_.magFilter));
  glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void FixedFunctionPipeline::SetLight(const D3DLIGHT9& light) {
  state_.light = light;
  state_.dirty |= kDirtyLight;
}

void FixedFunctionPipeline::LightEnable(bool enable) {
  state_.lightEnabled = enable;
  state_.dirty |= kDirtyLight;
}

void FixedFunctionPipeline::SetTexture(GLuint texture) {
  state_.texture = texture;
}

void FixedFunctionPipeline::ForgetTexture(GLuint texture) {
  if (state_.texture == texture)
    state_.texture = 0;
}

bool FixedFunctionPipeline::SetTransform(D3DTRANSFORMSTATETYPE kind, const D3DMATRIX& matrix) {
  switch (kind) {
    case D3DTS_WORLD:
      static_cast<D3DMATRIX&>(state_.world) = matrix;
      break;
    case D3DTS_VIEW:
      static_cast<D3DMATRIX&>(state_.view) = matrix;
      // The light is uploaded in camera space, so it moves with the view.
      state_.dirty |= kDirtyLight;
      break;
    case D3DTS_PROJECTION:
      static_cast<D3DMATRIX&>(state_.projection) = matrix;
      break;
    default:
      return false;
  }
  state_.dirty |= kDirtyTransforms;
  return true;
}

void FixedFunctionPipeline::PrepareDraw() {
  glUseProgram(program_);
  if (state_.dirty & kDirtyTransforms)
    UploadTransforms();
  if (state_.dirty & kDirtyMaterial)
    UploadMaterial();
  if (state_.dirty & kDirtyLight)
    UploadLight();
  if (state_.dirty & kDirtyLighting)
    UploadLighting();
  state_.dirty = 0;
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, state_.texture != 0 ? state_.texture : white_);
  glBindSampler(0, sampler_);
}

void FixedFunctionPipeline::UploadTransforms() {
  D3DXMATRIX worldView;
  D3DXMatrixMultiply(&worldView, &state_.world, &state_.view);
  // Row-vector matrices stored row by row are the column-major transposes GLSL multiplies with.
  glUniformMatrix4fv(uniforms_.worldView, 1, GL_FALSE, &worldView.m[0][0]);
  glUniformMatrix4fv(uniforms_.projection, 1, GL_FALSE, &state_.projection.m[0][0]);
  const std::array<float, 9> normal = NormalMatrix(worldView);
  glUniformMatrix3fv(uniforms_.normalMatrix, 1, GL_FALSE, normal.data());
}

void FixedFunctionPipeline::UploadMaterial() {
  const D3DMATERIAL9& m = state_.material;
  glUniform4f(uniforms_.materialDiffuse, m.Diffuse.r, m.Diffuse.g, m.Diffuse.b, m.Diffuse.a);
  Uniform3(uniforms_.materialAmbient, m.Ambient);
  Uniform3(uniforms_.materialEmissive, m.Emissive);
}

void FixedFunctionPipeline::UploadLight() {
  const D3DLIGHT9& light = state_.light;
  // A spot light is lit as a point light: no cone is emulated.
  glUniform1i(uniforms_.lightEnabled, state_.lightEnabled ? 1 : 0);
  glUniform1i(uniforms_.lightDirectional, light.Type == D3DLIGHT_DIRECTIONAL ? 1 : 0);
  Uniform3(uniforms_.lightPosition, TransformPoint(light.Position, state_.view));
  Uniform3(uniforms_.lightToward, TowardLight(light.Direction, state_.view));
  Uniform3(uniforms_.lightDiffuse, light.Diffuse);
  Uniform3(uniforms_.lightAmbient, light.Ambient);
  glUniform1f(uniforms_.lightRange, light.Range);
  glUniform3f(uniforms_.lightAttenuation, light.Attenuation0, light.Attenuation1,
              light.Attenuation2);
}

void FixedFunctionPipeline::UploadLighting() {
  glUniform1i(uniforms_.lighting, state_.lighting ? 1 : 0);
  const D3DCOLOR a = state_.globalAmbient;
  glUniform3f(uniforms_.globalAmbient, static_cast<float>((a >> 16) & 0xFF) / 255.0f,
              static_cast<float>((a >> 8) & 0xFF) / 255.0f, static_cast<float>(a & 0xFF) / 255.0f);
}

}  // namespace gl_backend
