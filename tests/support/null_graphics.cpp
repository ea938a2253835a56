// The null graphics backend shared by the long runs and the benchmarks.
#include "tests/support/null_graphics.h"

namespace fake {
namespace {

// Objects that live for the whole run: releasing them does nothing.
template <typename Base>
class Static : public Base {
 public:
  ULONG Release() override { return 1; }
};

class NullMesh : public Static<ID3DXMesh> {
 public:
  HRESULT DrawSubset(DWORD) override { return D3D_OK; }
};

class NullFont : public Static<ID3DXFont> {
 public:
  INT DrawTextA(ID3DXSprite*, LPCSTR, INT, RECT*, DWORD, D3DCOLOR) override { return 0; }
};

NullMesh mesh;
NullFont font;
Static<IDirect3DTexture9> texture;

// A device whose every call succeeds and does nothing.
class NullDevice : public Static<DeviceBackend> {
 public:
  HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
  HRESULT SetMaterial(const D3DMATERIAL9*) override { return D3D_OK; }
  HRESULT SetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD) override { return D3D_OK; }
  HRESULT SetLight(DWORD, const D3DLIGHT9*) override { return D3D_OK; }
  HRESULT LightEnable(DWORD, BOOL) override { return D3D_OK; }
  HRESULT SetTexture(DWORD, IDirect3DBaseTexture9*) override { return D3D_OK; }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override { return D3D_OK; }
  HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
  HRESULT BeginScene() override { return D3D_OK; }
  HRESULT EndScene() override { return D3D_OK; }
  HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*) override { return D3D_OK; }
  HRESULT LoadMesh(const char*, ID3DXMesh** out) override {
    *out = &mesh;
    return D3D_OK;
  }
  HRESULT LoadTexture(const char*, IDirect3DTexture9** out) override {
    *out = &texture;
    return D3D_OK;
  }
  HRESULT CreateFont(const FontDesc&, ID3DXFont** out) override {
    *out = &font;
    return D3D_OK;
  }
};

NullDevice device;

class NullDirect3D : public Static<IDirect3D9> {
 public:
  HRESULT CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                       IDirect3DDevice9** out) override {
    *out = &device;
    return D3D_OK;
  }
};

NullDirect3D direct3D;

class NullGraphics : public GraphicsBackend {
 public:
  IDirect3D9* CreateDirect3D() override { return &direct3D; }
};

NullGraphics graphics;

}  // namespace

GraphicsBackend& NullGraphics() {
  return graphics;
}

}  // namespace fake
