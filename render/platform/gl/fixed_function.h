// The fixed-function pipeline emulated with one shader pair: per-vertex lighting with light 0,
// texture stage 0 modulating the lit colour, depth 0..1, and the render and sampler states.
#pragma once

#include <epoxy/gl.h>

#include <string>

#include "render/platform/gl/fixed_function_state.h"

namespace gl_backend {

class FixedFunctionPipeline {
 public:
  FixedFunctionPipeline() = default;
  FixedFunctionPipeline(const FixedFunctionPipeline&) = delete;
  FixedFunctionPipeline& operator=(const FixedFunctionPipeline&) = delete;
  ~FixedFunctionPipeline();

  // Builds the program, the white texture and the sampler and puts the GL state in its defaults;
  // `clipControl` maps depth 0..1 with glClipControl, otherwise the vertex shader remaps it.
  bool Init(bool clipControl, bool depthBuffer, std::string& error);
  const FixedFunctionState& State() const { return state_; }

  // False for a state this layer does not emulate.
  bool SetRenderState(D3DRENDERSTATETYPE kind, DWORD value);
  void SetMaterial(const D3DMATERIAL9& material);
  // False for a sampler state this layer does not emulate.
  bool SetSamplerState(D3DSAMPLERSTATETYPE kind, DWORD value);
  void SetLight(const D3DLIGHT9& light);
  void LightEnable(bool enable);
  // 0 unbinds (draws then use white).
  void SetTexture(GLuint texture);
  // Unbinds `texture` if it is bound, before its name is deleted.
  void ForgetTexture(GLuint texture);
  // False for a transform kind this layer does not emulate.
  bool SetTransform(D3DTRANSFORMSTATETYPE kind, const D3DMATRIX& matrix);
  void SetSceneBegun(bool begun) { state_.sceneBegun = begun; }

  // Binds the program, uploads what changed since the last draw and binds the stage-0 texture and
  // sampler. Allocates nothing.
  void PrepareDraw();

 private:
  // Uniform locations of the program.
  struct Uniforms {
    GLint worldView = -1;
    GLint projection = -1;
    GLint normalMatrix = -1;
    GLint lighting = -1;
    GLint materialDiffuse = -1;
    GLint materialAmbient = -1;
    GLint materialEmissive = -1;
    GLint globalAmbient = -1;
    GLint lightEnabled = -1;
    GLint lightDirectional = -1;
    GLint lightPosition = -1;
    GLint lightToward = -1;
    GLint lightDiffuse = -1;
    GLint lightAmbient = -1;
    GLint lightRange = -1;
    GLint lightAttenuation = -1;
    GLint remapDepth = -1;
    GLint texture = -1;
  };

  void FindUniforms();
  void ApplyCullMode();
  void ApplySampler();
  void UploadTransforms();
  void UploadMaterial();
  void UploadLight();
  void UploadLighting();

  FixedFunctionState state_;
  Uniforms uniforms_;
  GLuint program_ = 0;  // owned
  GLuint white_ = 0;    // owned 1x1 white texture for draws without a texture
  GLuint sampler_ = 0;  // owned sampler of stage 0
};

}  // namespace gl_backend
