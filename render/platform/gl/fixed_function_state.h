// The emulated fixed-function state of a device: everything a draw depends on, kept in one place.
#pragma once

#include <epoxy/gl.h>

#include "render/platform/d3dx9.h"

namespace gl_backend {

// Bits of FixedFunctionState::dirty: the uniform groups to upload before the next draw.
enum DirtyBits : unsigned {
  kDirtyTransforms = 1u << 0,  // world, view or projection
  kDirtyMaterial = 1u << 1,    // the material
  kDirtyLight = 1u << 2,       // light 0, its switch, or the view that carries it to camera space
  kDirtyLighting = 1u << 3,    // the lighting switch or the global ambient
  kDirtyAll = 0xFu,
};

// The identity matrix.
inline D3DXMATRIX IdentityMatrix() {
  D3DXMATRIX m;
  for (int i = 0; i < 4; ++i)
    m.m[i][i] = 1.0f;
  return m;
}

// The light a device enables when none was set: white, directional, shining along +z.
inline D3DLIGHT9 DefaultLight() {
  D3DLIGHT9 light;
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Direction = {0.0f, 0.0f, 1.0f};
  return light;
}

struct FixedFunctionState {
  bool depthTest = true;                     // D3DRS_ZENABLE: depth test and depth writes
  DWORD cullMode = D3DCULL_CCW;              // D3DRS_CULLMODE: the screen winding that is culled
  bool lighting = true;                      // D3DRS_LIGHTING: off draws vertices white
  D3DCOLOR globalAmbient = 0;                // D3DRS_AMBIENT: ARGB light added to every ambient
  D3DMATERIAL9 material;                     // material of every lit draw
  D3DLIGHT9 light = DefaultLight();          // light 0, positions in world space
  bool lightEnabled = false;                 // LightEnable(0)
  GLuint texture = 0;                        // stage-0 texture; 0 draws with the white texture
  D3DXMATRIX world = IdentityMatrix();       // D3DTS_WORLD, row vectors
  D3DXMATRIX view = IdentityMatrix();        // D3DTS_VIEW, row vectors
  D3DXMATRIX projection = IdentityMatrix();  // D3DTS_PROJECTION, depth 0..1
  DWORD minFilter = D3DTEXF_POINT;           // D3DSAMP_MINFILTER of stage 0
  DWORD magFilter = D3DTEXF_POINT;           // D3DSAMP_MAGFILTER of stage 0
  DWORD mipFilter = D3DTEXF_NONE;            // D3DSAMP_MIPFILTER of stage 0
  bool sceneBegun = false;                   // between BeginScene and EndScene
  unsigned dirty = kDirtyAll;                // uniform groups to upload before the next draw
};

}  // namespace gl_backend
