// Loading through the OpenGL device: missing and damaged files fail cleanly with one line on
// standard error, device creation without a window fails, and resources outlive their device.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/gl/gl_draw_fixture.h"

namespace gltest {
namespace {

enum class Kind { kMesh, kTexture };

struct BadFile {
  std::string name;
  Kind kind;
  bool exists;
  std::string bytes;
};

HRESULT Load(Kind kind, IDirect3DDevice9* device, const std::string& path, IUnknown** out) {
  if (kind == Kind::kMesh) {
    ID3DXMesh* mesh = nullptr;
    const HRESULT hr = D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_SYSTEMMEM, device, nullptr,
                                          nullptr, nullptr, nullptr, &mesh);
    *out = mesh;
    return hr;
  }
  IDirect3DTexture9* texture = nullptr;
  const HRESULT hr = D3DXCreateTextureFromFileA(device, path.c_str(), &texture);
  *out = texture;
  return hr;
}

TEST_F(GlDrawTest, MissingOrDamagedFilesFailWithNullAndOneLineNamingTheFile) {
  const std::string jpeg = JpegBytes(32, 32, [](int x, int y) { return Rgb{x * 8, y * 8, 0}; });
  const std::vector<BadFile> cases = {
      {"missing.x", Kind::kMesh, false, ""},
      {"binary.x", Kind::kMesh, true, "xof 0303bin 0032\x01\x02\x03"},
      {"cut.x", Kind::kMesh, true, "xof 0303txt 0032\nMesh {\n4;\n1.0;2.0;"},
      {"missing.jpg", Kind::kTexture, false, ""},
      {"text.jpg", Kind::kTexture, true, "this is no picture"},
      {"half.jpg", Kind::kTexture, true, jpeg.substr(0, jpeg.size() / 2)},
  };
  Open(32, 24);
  for (const BadFile& c : cases) {
    const std::string path = c.exists ? dir_.Write(c.name, c.bytes) : "no/such/" + c.name;
    IUnknown* object = reinterpret_cast<IUnknown*>(this);
    ::testing::internal::CaptureStderr();
    const HRESULT hr = Load(c.kind, Device(), path, &object);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(FAILED(hr)) << c.name;
    EXPECT_EQ(object, nullptr) << c.name;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << c.name << ": " << err;
    EXPECT_NE(err.find(path), std::string::npos) << c.name << ": " << err;
  }
}

TEST_F(GlDrawTest, CreateDeviceWithoutAWindowFailsWithNullAndOneLine) {
  Open(32, 24);
  IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
  ASSERT_NE(d3d, nullptr);
  D3DPRESENT_PARAMETERS params;
  params.Windowed = TRUE;
  params.BackBufferWidth = 32;
  params.BackBufferHeight = 24;
  IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(this);
  ::testing::internal::CaptureStderr();
  const HRESULT hr = d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                       D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(FAILED(hr));
  EXPECT_EQ(device, nullptr);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  d3d->Release();
}

TEST_F(GlDrawTest, ResourcesReleasedAfterTheirDeviceStaySafe) {
  Open(32, 24);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-1, -1, 1, 1, 0.5f, 0, vertices, triangles);
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  IDirect3DTexture9* texture = LoadTexture(JpegBytes(8, 8, [](int, int) { return Rgb{}; }));
  ID3DXFont* font = nullptr;
  D3DXCreateFontA(Device(), 16, 0, FW_BOLD, 0, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial", &font);
  ASSERT_NE(font, nullptr);
  owned_.push_back(font);
  ASSERT_NE(mesh, nullptr);
  ASSERT_NE(texture, nullptr);
  Device()->SetTexture(0, texture);
  scene_.ReleaseDevice();
  // The fixture releases the mesh, the texture and the font now, after their device.
}

TEST_F(GlDrawTest, ReleasingABoundTextureUnbindsIt) {
  Open(32, 24);
  SetFlatColor(0, 0, 0);
  Device()->SetRenderState(D3DRS_LIGHTING, FALSE);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-1, -1, 1, 1, 0.5f, 0, vertices, triangles);
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  ASSERT_NE(mesh, nullptr);
  IDirect3DTexture9* texture = nullptr;
  const std::string path = dir_.Write("black.jpg", JpegBytes(8, 8, [](int, int) {
                                        return Rgb{0, 0, 0};
                                      }));
  ASSERT_EQ(D3DXCreateTextureFromFileA(Device(), path.c_str(), &texture), D3D_OK);
  Device()->SetTexture(0, texture);
  EXPECT_EQ(texture->Release(), 0u);
  Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0);
  mesh->DrawSubset(0);
  // Drawn with no texture, that is white, not with a deleted texture name.
  EXPECT_TRUE(Near(scene_.Pixel(16, 12), Rgb{255, 255, 255}, 0)) << scene_.Pixel(16, 12);
}

}  // namespace
}  // namespace gltest
