// The drawing interface the presentation calls: device creation, render state, material, light,
// transforms, textures, meshes, fonts and frame presentation, as reference-counted objects. A
// GraphicsBackend (device_backend.h) supplies the implementation: OpenGL for the program, a recording
// device for tests.
#pragma once

#include "app/platform/wintypes.h"

inline constexpr HRESULT D3D_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086Cu);
inline constexpr HRESULT D3DERR_NOTAVAILABLE = static_cast<HRESULT>(0x8876086Au);

inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }
inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }

inline constexpr UINT D3D_SDK_VERSION = 32;
inline constexpr UINT D3DADAPTER_DEFAULT = 0;
inline constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;
inline constexpr UINT D3DPRESENT_INTERVAL_IMMEDIATE = 0x80000000u;
inline constexpr DWORD D3DCLEAR_TARGET = 0x1;
inline constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;
inline constexpr DWORD D3DCLEAR_STENCIL = 0x4;
inline constexpr DWORD D3DZB_FALSE = 0;
inline constexpr DWORD D3DZB_TRUE = 1;
inline constexpr DWORD D3DCULL_NONE = 1;
inline constexpr DWORD D3DCULL_CW = 2;
inline constexpr DWORD D3DCULL_CCW = 3;
inline constexpr DWORD D3DTEXF_NONE = 0;
inline constexpr DWORD D3DTEXF_POINT = 1;
inline constexpr DWORD D3DTEXF_LINEAR = 2;

using D3DCOLOR = DWORD;

// ARGB colour from its four bytes.
inline constexpr D3DCOLOR D3DCOLOR_ARGB(DWORD a, DWORD r, DWORD g, DWORD b) {
  return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

enum D3DDEVTYPE : DWORD { D3DDEVTYPE_HAL = 1, D3DDEVTYPE_REF = 2 };
enum D3DFORMAT : DWORD { D3DFMT_UNKNOWN = 0, D3DFMT_X8R8G8B8 = 22, D3DFMT_D16 = 80 };
enum D3DSWAPEFFECT : DWORD { D3DSWAPEFFECT_DISCARD = 1 };
enum D3DMULTISAMPLE_TYPE : DWORD { D3DMULTISAMPLE_NONE = 0 };
enum D3DRENDERSTATETYPE : DWORD {
  D3DRS_ZENABLE = 7,
  D3DRS_CULLMODE = 22,
  D3DRS_LIGHTING = 137,
  D3DRS_AMBIENT = 139,
};
enum D3DSAMPLERSTATETYPE : DWORD {
  D3DSAMP_MAGFILTER = 5,
  D3DSAMP_MINFILTER = 6,
  D3DSAMP_MIPFILTER = 7,
};
enum D3DTRANSFORMSTATETYPE : DWORD {
  D3DTS_VIEW = 2,
  D3DTS_PROJECTION = 3,
  D3DTS_WORLD = 256,
};
enum D3DLIGHTTYPE : DWORD {
  D3DLIGHT_POINT = 1,
  D3DLIGHT_SPOT = 2,
  D3DLIGHT_DIRECTIONAL = 3,
};

struct D3DCOLORVALUE {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

struct D3DVECTOR {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

// A 4x4 matrix for row vectors (v' = v * M), stored row by row: m[row][column].
struct D3DMATRIX {
  float m[4][4] = {};
};

struct D3DRECT {
  LONG x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct D3DLIGHT9 {
  D3DLIGHTTYPE Type = D3DLIGHT_POINT;
  D3DCOLORVALUE Diffuse;
  D3DCOLORVALUE Specular;
  D3DCOLORVALUE Ambient;
  D3DVECTOR Position;
  D3DVECTOR Direction;
  float Range = 0.0f;
  float Falloff = 0.0f;
  float Attenuation0 = 0.0f;
  float Attenuation1 = 0.0f;
  float Attenuation2 = 0.0f;
  float Theta = 0.0f;
  float Phi = 0.0f;
};

struct D3DMATERIAL9 {
  D3DCOLORVALUE Diffuse;
  D3DCOLORVALUE Ambient;
  D3DCOLORVALUE Specular;
  D3DCOLORVALUE Emissive;
  float Power = 0.0f;
};

struct D3DPRESENT_PARAMETERS {
  UINT BackBufferWidth = 0;
  UINT BackBufferHeight = 0;
  D3DFORMAT BackBufferFormat = D3DFMT_UNKNOWN;
  UINT BackBufferCount = 0;
  D3DMULTISAMPLE_TYPE MultiSampleType = D3DMULTISAMPLE_NONE;
  DWORD MultiSampleQuality = 0;
  D3DSWAPEFFECT SwapEffect = static_cast<D3DSWAPEFFECT>(0);
  HWND hDeviceWindow = nullptr;
  BOOL Windowed = FALSE;
  BOOL EnableAutoDepthStencil = FALSE;
  D3DFORMAT AutoDepthStencilFormat = D3DFMT_UNKNOWN;
  DWORD Flags = 0;
  UINT FullScreen_RefreshRateInHz = 0;
  UINT PresentationInterval = 0;
};

struct RGNDATA;

// Every object handed out is given back with Release; it is destroyed when its count reaches zero.
class IUnknown {
 public:
  // Drops one reference and returns the count left; the object is gone at zero.
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

// A texture that can be bound to a stage.
class IDirect3DBaseTexture9 : public IUnknown {};

// A 2D texture with its mip chain.
class IDirect3DTexture9 : public IDirect3DBaseTexture9 {};

// A rendering device: the state of the drawing pipeline plus frame operations.
class IDirect3DDevice9 : public IUnknown {
 public:
  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT SetMaterial(const D3DMATERIAL9* material) = 0;
  virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) = 0;
  virtual HRESULT SetLight(DWORD index, const D3DLIGHT9* light) = 0;
  virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
  // Binds `texture` (null unbinds) to a stage for the following draws.
  virtual HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) = 0;
  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE kind, const D3DMATRIX* matrix) = 0;
  // Clears the whole target (count 0, rects null) or the given rectangles.
  virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  // Shows the finished frame; only null arguments are supported.
  virtual HRESULT Present(const RECT* source, const RECT* dest, HWND overrideWindow,
                          const RGNDATA* dirty) = 0;
};

// The entry object: creates devices.
class IDirect3D9 : public IUnknown {
 public:
  // Creates the device for `focusWindow`; a negative result and a null output on failure.
  virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD flags,
                               D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) = 0;
};

// Creates the entry object; null when no graphics is available or `sdkVersion` is not 32.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
