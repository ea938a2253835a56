// The fixture of the drawing tests: a scene on a shown window, files written to a temp folder and
// loaded through the D3DX entry points, released again after each test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "render/platform/d3dx9.h"
#include "tests/gl/gl_test_support.h"

namespace gltest {

class GlDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayAvailable()) {
      GTEST_SKIP() << "no display: run under xvfb-run or with SDL_VIDEODRIVER=offscreen";
    }
  }

  void TearDown() override {
    for (IUnknown* object : owned_)
      object->Release();
    owned_.clear();
    scene_.Close();
  }

  // A windowed device with a back buffer of `width` x `height`.
  void Open(int width, int height, const GlOptions& options = {}) {
    ASSERT_TRUE(scene_.Open(width, height, true, options)) << scene_.Error();
  }

  IDirect3DDevice9* Device() const { return scene_.Device(); }

  ID3DXMesh* LoadMesh(const std::vector<XVertex>& vertices,
                      const std::vector<XTriangle>& triangles) {
    const std::string path =
        dir_.Write("mesh" + std::to_string(owned_.size()) + ".x", XFileText(vertices, triangles));
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_SYSTEMMEM, Device(), nullptr, nullptr,
                                 nullptr, nullptr, &mesh),
              D3D_OK);
    if (mesh != nullptr)
      owned_.push_back(mesh);
    return mesh;
  }

  IDirect3DTexture9* LoadTexture(const std::string& jpeg) {
    const std::string path = dir_.Write("texture" + std::to_string(owned_.size()) + ".jpg", jpeg);
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(D3DXCreateTextureFromFileA(Device(), path.c_str(), &texture), D3D_OK);
    if (texture != nullptr)
      owned_.push_back(texture);
    return texture;
  }

  // The device state the program's setup makes: depth on, no global ambient, lighting on, no
  // culling, its one material, linear filtering.
  void SetUpLikeTheProgram() {
    IDirect3DDevice9* d = Device();
    d->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    d->SetRenderState(D3DRS_AMBIENT, 0xFF000000);
    d->SetRenderState(D3DRS_LIGHTING, TRUE);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DMATERIAL9 material;
    material.Diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
    material.Ambient = {0.25f, 0.25f, 0.25f, 1.0f};
    material.Specular = {0.5f, 0.5f, 0.5f, 1.0f};
    material.Emissive = {0.0f, 0.0f, 0.0f, 1.0f};
    material.Power = 10.0f;
    d->SetMaterial(&material);
    d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    d->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
  }

  // Lighting on with light 0 off: every draw shows the material's emissive colour.
  void SetFlatColor(float r, float g, float b) {
    Device()->SetRenderState(D3DRS_LIGHTING, TRUE);
    Device()->LightEnable(0, FALSE);
    D3DMATERIAL9 material;
    material.Emissive = {r, g, b, 1.0f};
    material.Diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
    Device()->SetMaterial(&material);
  }

  void SetTransform(D3DTRANSFORMSTATETYPE kind, const D3DXMATRIX& m) {
    Device()->SetTransform(kind, &m);
  }

  // Saves the back buffer as <KZ_GL_SNAPSHOT_DIR>/<name>.png when that variable is set.
  void Snapshot(const std::string& name) const {
    const char* folder = std::getenv("KZ_GL_SNAPSHOT_DIR");
    if (folder != nullptr)
      scene_.SavePng(std::string(folder) + "/" + name + ".png");
  }

  GlScene scene_;
  TempDir dir_;
  std::vector<IUnknown*> owned_;  // loaded objects, released before the scene closes
};

// Whether two colours agree within `tolerance` in every channel.
inline bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

}  // namespace gltest
