// Utility operations over the drawing interface: mesh, texture and font loading, mesh and text
// drawing, and the matrix helpers (row vectors, left-handed).
#pragma once

#include "render/platform/d3d9.h"

inline constexpr DWORD D3DXMESH_SYSTEMMEM = 0x110;
inline constexpr UINT FW_NORMAL = 400;
inline constexpr UINT FW_BOLD = 700;
inline constexpr DWORD DEFAULT_CHARSET = 1;
inline constexpr DWORD OUT_DEFAULT_PRECIS = 0;
inline constexpr DWORD DEFAULT_QUALITY = 0;
inline constexpr DWORD DEFAULT_PITCH = 0;
inline constexpr DWORD FF_DONTCARE = 0;
inline constexpr DWORD DT_TOP = 0x0;
inline constexpr DWORD DT_LEFT = 0x0;

struct D3DXVECTOR3 : D3DVECTOR {
  D3DXVECTOR3() = default;
  D3DXVECTOR3(float vx, float vy, float vz) : D3DVECTOR{vx, vy, vz} {}
};

// A matrix aligned for fast loads, as local matrices in the draw paths are.
struct alignas(16) D3DXMATRIX : D3DMATRIX {};

class ID3DXBuffer;
class ID3DXSprite;

// A loaded mesh whose triangles are grouped into attribute subsets.
class ID3DXMesh : public IUnknown {
 public:
  // Draws the triangles of subset `attribId` with the device's current state.
  virtual HRESULT DrawSubset(DWORD attribId) = 0;
};

// A rasterised font.
class ID3DXFont : public IUnknown {
 public:
  // Draws `text` (count -1: up to its zero) into `rect` in screen pixels, over the scene; returns
  // the height of the drawn text, 0 when nothing was drawn. Only format 0 (left, top) and a null
  // sprite are supported.
  virtual INT DrawTextA(ID3DXSprite* sprite, LPCSTR text, INT count, RECT* rect, DWORD format,
                        D3DCOLOR color) = 0;
};

// Loads a text .x mesh; the materials, adjacency and effect outputs must be null (not provided).
HRESULT D3DXLoadMeshFromXA(LPCSTR filename, DWORD options, IDirect3DDevice9* device,
                           ID3DXBuffer** adjacency, ID3DXBuffer** materials,
                           ID3DXBuffer** effectInstances, DWORD* numMaterials, ID3DXMesh** mesh);
// Loads a JPEG texture with its full mip chain.
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, LPCSTR filename,
                                   IDirect3DTexture9** texture);
// Creates a font by face name, cell height and weight.
HRESULT D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                        UINT mipLevels, BOOL italic, DWORD charSet, DWORD outputPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCSTR faceName, ID3DXFont** font);

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
// Rotation about the y axis by `angle` radians: +z turns towards +x.
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
// out = a * b: a applies first, then b. `out` may alias either input.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// Depth after the divide runs from 0 at the near plane to 1 at the far plane.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf);
