// The null backend: reference-counted objects and a device whose every call succeeds.
#include "bench/frame/null_graphics.h"

namespace {

// An object destroyed at its last Release, as the real backend's objects are.
template <typename Base>
class Counted : public Base {
 public:
  ULONG Release() override {
    if (--references_ > 0)
      return references_;
    delete this;
    return 0;
  }

 private:
  ULONG references_ = 1;
};

class NullMesh : public Counted<ID3DXMesh> {
 public:
  HRESULT DrawSubset(DWORD) override { return D3D_OK; }
};

class NullTexture : public Counted<IDirect3DTexture9> {};

class NullFont : public Counted<ID3DXFont> {
 public:
  INT DrawTextA(ID3DXSprite*, LPCSTR, INT, RECT*, DWORD, D3DCOLOR) override { return 0; }
};

class NullDevice : public Counted<DeviceBackend> {
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
    *out = new NullMesh;
    return D3D_OK;
  }
  HRESULT LoadTexture(const char*, IDirect3DTexture9** out) override {
    *out = new NullTexture;
    return D3D_OK;
  }
  HRESULT CreateFont(const FontDesc&, ID3DXFont** out) override {
    *out = new NullFont;
    return D3D_OK;
  }
};

class NullDirect3D : public Counted<IDirect3D9> {
 public:
  HRESULT CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                       IDirect3DDevice9** out) override {
    *out = new NullDevice;
    return D3D_OK;
  }
};

}  // namespace

IDirect3D9* NullGraphics::CreateDirect3D() {
  return new NullDirect3D;
}
