// Loading, lighting and drawing the street.
#include "render/C3DStreet.h"

C3DStreet::C3DStreet(IDirect3DDevice9* target, float newx, float newz) : device(target) {
  D3DXLoadMeshFromXA("models\\street.x", D3DXMESH_SYSTEMMEM, device, nullptr, nullptr, nullptr,
                     nullptr, &mesh);
  D3DXCreateTextureFromFileA(device, "textures\\street.jpg", &texture);
  x = newx;
  z = newz;
}

C3DStreet::~C3DStreet() {
  if (texture != nullptr)
    texture->Release();
  if (mesh != nullptr)
    mesh->Release();
}

D3DLIGHT9 C3DStreet::SceneLight() {
  D3DLIGHT9 light{};
  light.Type = D3DLIGHT_POINT;
  light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Specular = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Position = {0.0f, 3.0f, 0.0f};
  light.Range = 18.0f;
  light.Attenuation0 = 0.05f;
  return light;
}

void C3DStreet::Show() {
  if (device == nullptr)
    return;
  const D3DLIGHT9 light = SceneLight();
  device->SetLight(0, &light);
  device->LightEnable(0, TRUE);
  device->SetTexture(0, texture);
  D3DXMATRIX scaling;
  D3DXMATRIX translation;
  D3DXMATRIX world;
  D3DXMatrixScaling(&scaling, 4.0f, 2.0f, 4.0f);
  D3DXMatrixTranslation(&translation, x, 0.0f, z);
  D3DXMatrixMultiply(&world, &scaling, &translation);
  device->SetTransform(D3DTS_WORLD, &world);
  if (mesh != nullptr)
    mesh->DrawSubset(0);
}
