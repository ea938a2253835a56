// The full-screen textured, lit quad on the program's device.
#include "bench/frame/floor_quad.h"

#include <vector>

FloorQuad::FloorQuad(IDirect3DDevice9* device) : device_(device) {
  std::vector<gltest::XVertex> vertices;
  std::vector<gltest::XTriangle> triangles;
  gltest::AddQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, 0, vertices, triangles);
  const std::string path = folder_.Write("quad.x", gltest::XFileText(vertices, triangles));
  D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_SYSTEMMEM, device_, nullptr, nullptr, nullptr, nullptr,
                     &quad_);
  D3DXCreateTextureFromFileA(device_, "textures\\street.jpg", &texture_);
}

FloorQuad::~FloorQuad() {
  if (texture_ != nullptr)
    texture_->Release();
  if (quad_ != nullptr)
    quad_->Release();
}

void FloorQuad::Prepare() {
  // Identity transforms put the quad's corners on the corners of the screen.
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  device_->SetTransform(D3DTS_WORLD, &identity);
  device_->SetTransform(D3DTS_VIEW, &identity);
  device_->SetTransform(D3DTS_PROJECTION, &identity);
  D3DLIGHT9 light{};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = light.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Direction = {0.0f, 0.0f, 1.0f};
  device_->SetLight(0, &light);
  device_->LightEnable(0, TRUE);
  device_->SetTexture(0, texture_);
}

void FloorQuad::Frame() {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
  device_->BeginScene();
  quad_->DrawSubset(0);
  device_->EndScene();
  device_->Present(nullptr, nullptr, nullptr, nullptr);
}
