// Creation of the Direct3D object and the full-screen device, and the device state of the whole
// run.
#include "render/CInitD3D.h"

#include "app/platform/win32.h"

namespace {

constexpr const char* kNoDirect3D = "Das Direct3D Objekt konnte nicht erstellt werden.";
constexpr const char* kNoDevice = "Das Direct3D-DEVICE konnte nicht erstellt werden.";

// Full screen at the setup's size, 32-bit colour without alpha, 16-bit depth, no vertical sync.
D3DPRESENT_PARAMETERS PresentParameters(int width, int height) {
  D3DPRESENT_PARAMETERS params{};
  params.Windowed = FALSE;
  params.SwapEffect = D3DSWAPEFFECT_DISCARD;
  params.BackBufferWidth = static_cast<UINT>(width);
  params.BackBufferHeight = static_cast<UINT>(height);
  params.BackBufferFormat = D3DFMT_X8R8G8B8;
  params.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  params.EnableAutoDepthStencil = TRUE;
  params.AutoDepthStencilFormat = D3DFMT_D16;
  return params;
}

// The one material every mesh is drawn with.
D3DMATERIAL9 SceneMaterial() {
  D3DMATERIAL9 material{};
  material.Diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
  material.Ambient = {0.25f, 0.25f, 0.25f, 1.0f};
  material.Specular = {0.5f, 0.5f, 0.5f, 1.0f};
  material.Emissive = {0.0f, 0.0f, 0.0f, 1.0f};
  material.Power = 10.0f;
  return material;
}

}  // namespace

CInitD3D::CInitD3D(HWND hWnd) {
  d3d = Direct3DCreate9(D3D_SDK_VERSION);
  if (d3d == nullptr) {
    Fail(kNoDirect3D);
    return;
  }
  D3DPRESENT_PARAMETERS params = PresentParameters(width, height);
  if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hWnd,
                               D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device))) {
    device = nullptr;
    Fail(kNoDevice);
    return;
  }
  SetFixedState();
}

CInitD3D::~CInitD3D() {
  if (device != nullptr)
    device->Release();
  if (d3d != nullptr)
    d3d->Release();
}

void CInitD3D::Fail(const char* text) {
  MessageBoxA(nullptr, text, "Fehler", MB_OK);
  PostQuitMessage(1);
}

void CInitD3D::SetFixedState() {
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  device->SetRenderState(D3DRS_AMBIENT, 0xFF000000u);
  device->SetRenderState(D3DRS_LIGHTING, TRUE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  const D3DMATERIAL9 material = SceneMaterial();
  device->SetMaterial(&material);
  device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
}
