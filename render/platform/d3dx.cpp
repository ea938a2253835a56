// Entry points of the drawing layer: backend selection, Direct3DCreate9, and the loaders, which
// convert the file name and hand the work to the device's backend.
#include <string>

#include "render/platform/device_backend.h"

namespace {

GraphicsBackend*& Backend() {
  static GraphicsBackend* backend = nullptr;
  return backend;
}

DeviceBackend* AsBackend(IDirect3DDevice9* device) { return dynamic_cast<DeviceBackend*>(device); }

}  // namespace

void SetGraphicsBackend(GraphicsBackend* backend) { Backend() = backend; }

GraphicsBackend* CurrentGraphicsBackend() { return Backend(); }

std::string PortablePath(const char* path) {
  std::string out = path ? path : "";
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION || Backend() == nullptr) return nullptr;
  return Backend()->CreateDirect3D();
}

HRESULT D3DXLoadMeshFromXA(LPCSTR filename, DWORD, IDirect3DDevice9* device,
                           ID3DXBuffer** adjacency, ID3DXBuffer** materials,
                           ID3DXBuffer** effectInstances, DWORD* numMaterials, ID3DXMesh** mesh) {
  if (mesh == nullptr) return D3DERR_INVALIDCALL;
  *mesh = nullptr;
  DeviceBackend* backend = AsBackend(device);
  // Material, adjacency and effect data are never produced; asking for them is a caller error.
  if (backend == nullptr || filename == nullptr || adjacency || materials || effectInstances ||
      numMaterials) {
    return D3DERR_INVALIDCALL;
  }
  return backend->LoadMesh(PortablePath(filename).c_str(), mesh);
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, LPCSTR filename,
                                   IDirect3DTexture9** texture) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  DeviceBackend* backend = AsBackend(device);
  if (backend == nullptr || filename == nullptr) return D3DERR_INVALIDCALL;
  return backend->LoadTexture(PortablePath(filename).c_str(), texture);
}

HRESULT D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                        UINT mipLevels, BOOL italic, DWORD charSet, DWORD outputPrecision,
                        DWORD quality, DWORD pitchAndFamily, LPCSTR faceName, ID3DXFont** font) {
  if (font == nullptr) return D3DERR_INVALIDCALL;
  *font = nullptr;
  DeviceBackend* backend = AsBackend(device);
  if (backend == nullptr || faceName == nullptr) return D3DERR_INVALIDCALL;
  const FontDesc desc{height,  width,   weight,         mipLevels, italic,
                      charSet, outputPrecision, quality, pitchAndFamily, faceName};
  return backend->CreateFont(desc, font);
}
