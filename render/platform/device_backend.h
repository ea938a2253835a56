// The hooks by which the utility loaders reach a backend, and the selection of the graphics backend.
#pragma once

#include <string>

#include "render/platform/d3dx9.h"

// What D3DXCreateFontA asks for.
struct FontDesc {
  INT height = 0;
  UINT width = 0;
  UINT weight = 0;
  UINT mipLevels = 0;
  BOOL italic = FALSE;
  DWORD charSet = 0;
  DWORD outputPrecision = 0;
  DWORD quality = 0;
  DWORD pitchAndFamily = 0;
  std::string faceName;
};

// A device together with its resource loaders; every device a backend creates is one of these.
class DeviceBackend : public IDirect3DDevice9 {
 public:
  // Loads the mesh file at `path` (already with '/' separators).
  virtual HRESULT LoadMesh(const char* path, ID3DXMesh** mesh) = 0;
  // Loads the image file at `path` as a texture with its full mip chain.
  virtual HRESULT LoadTexture(const char* path, IDirect3DTexture9** texture) = 0;
  // Creates a font.
  virtual HRESULT CreateFont(const FontDesc& desc, ID3DXFont** font) = 0;
};

// Creates the entry object of one backend.
class GraphicsBackend {
 public:
  virtual ~GraphicsBackend() = default;
  // The entry object, or null when this backend cannot draw here.
  virtual IDirect3D9* CreateDirect3D() = 0;
};

// Installs the backend Direct3DCreate9 uses (observed, not owned); null uninstalls it.
void SetGraphicsBackend(GraphicsBackend* backend);
GraphicsBackend* CurrentGraphicsBackend();

// A file name written with backslashes, with '/' separators.
std::string PortablePath(const char* path);
