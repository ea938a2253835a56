// Drawing cost of the OpenGL backend on the display it finds (Xvfb with llvmpipe in CI): heap
// allocations per frame of a frame like the crossroads display draws, and frames per second of a
// full-screen textured, lit quad at 1024x768.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "bench/gl/alloc_counter.h"
#include "render/platform/d3dx9.h"
#include "tests/gl/gl_test_support.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr float kDegrees = 0.017453292f;

constexpr const char* kHelp =
    "SYSTEM 2T2P\n\nUse the following Keys:\no - switch off\na - switch on\nb - blink mode\ne - "
    "show additional lights\nw - hide additional lights\nNum+ - increase speed\nNum- - decrease "
    "speed\nNum0 - set standart speed\n\ns - switch to SYSTEM 1T1P";

// The device state of the program's graphics setup.
void SetUpLikeTheProgram(IDirect3DDevice9* d) {
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

// The crossroads scene with its extra models, loaded from the repository's assets.
class CrossroadsScene {
 public:
  explicit CrossroadsScene(IDirect3DDevice9* device) : device_(device) {
    D3DXLoadMeshFromXA("models\\traffic.x", D3DXMESH_SYSTEMMEM, device, nullptr, nullptr, nullptr,
                       nullptr, &traffic_);
    D3DXLoadMeshFromXA("models\\ped.x", D3DXMESH_SYSTEMMEM, device, nullptr, nullptr, nullptr,
                       nullptr, &ped_);
    D3DXLoadMeshFromXA("models\\street.x", D3DXMESH_SYSTEMMEM, device, nullptr, nullptr, nullptr,
                       nullptr, &street_);
    D3DXCreateTextureFromFileA(device, "textures\\Traffic_Green.jpg", &trafficTexture_);
    D3DXCreateTextureFromFileA(device, "textures\\Ped_Red.jpg", &pedTexture_);
    D3DXCreateTextureFromFileA(device, "textures\\street.jpg", &streetTexture_);
    D3DXCreateFontA(device, 16, 0, FW_BOLD, 0, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial", &font_);
  }
  ~CrossroadsScene() {
    IUnknown* objects[] = {traffic_,    ped_,           street_, trafficTexture_,
                           pedTexture_, streetTexture_, font_};
    for (IUnknown* object : objects) {
      if (object != nullptr)
        object->Release();
    }
  }
  bool Loaded() const {
    return traffic_ && ped_ && street_ && trafficTexture_ && pedTexture_ && streetTexture_ && font_;
  }

  // One frame in the display's order: clear, models, street with its light, text, camera.
  void DrawFrame() {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device_->BeginScene();
    DrawModels();
    DrawStreet();
    RECT rect{kWidth / 20, kHeight / 20, kWidth / 3, kHeight / 2};
    font_->DrawTextA(nullptr, kHelp, -1, &rect, DT_LEFT | DT_TOP, 0x46FFFF00);
    SetCamera();
    device_->EndScene();
  }

  void Present() { device_->Present(nullptr, nullptr, nullptr, nullptr); }

 private:
  struct Placement {
    bool traffic;
    float x, z, angle;
  };

  void DrawModels() {
    static constexpr Placement kPlacements[] = {
        {true, -6, -6, 90}, {true, 6, -6, 0},      {false, -12, 6, 0},    {false, 6, -12, 90},
        {true, 6, 6, 270},  {true, -6, 6, 180},    {false, -12, -6, 180}, {false, 12, -6, 180},
        {false, 12, 6, 0},  {false, -6, -12, 270}, {false, -6, 12, 270},  {false, 6, 12, 90}};
    for (const Placement& p : kPlacements) {
      device_->SetTexture(0, p.traffic ? trafficTexture_ : pedTexture_);
      D3DXMATRIX rotation, translation, world;
      D3DXMatrixRotationY(&rotation, p.angle * kDegrees);
      D3DXMatrixTranslation(&translation, p.x, 0.0f, p.z);
      D3DXMatrixMultiply(&world, &rotation, &translation);
      device_->SetTransform(D3DTS_WORLD, &world);
      (p.traffic ? traffic_ : ped_)->DrawSubset(0);
    }
  }

  void DrawStreet() {
    D3DLIGHT9 light;
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = light.Specular = light.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
    light.Position = {0.0f, 3.0f, 0.0f};
    light.Range = 18.0f;
    light.Attenuation0 = 0.05f;
    device_->SetLight(0, &light);
    device_->LightEnable(0, TRUE);
    device_->SetTexture(0, streetTexture_);
    D3DXMATRIX scaling, translation, world;
    D3DXMatrixScaling(&scaling, 4.0f, 2.0f, 4.0f);
    D3DXMatrixTranslation(&translation, 0.0f, 0.0f, 0.0f);
    D3DXMatrixMultiply(&world, &scaling, &translation);
    device_->SetTransform(D3DTS_WORLD, &world);
    street_->DrawSubset(0);
  }

  // The crossroads camera at its start: eye (-25, 3, -10), heading 45 radians.
  void SetCamera() {
    const D3DXVECTOR3 eye(-25.0f, 3.0f, -10.0f);
    const D3DXVECTOR3 at(eye.x + 0.8509035f, 3.0f, eye.z + 0.5253220f);
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    device_->SetTransform(D3DTS_VIEW, &view);
    D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f,
                               static_cast<float>(kWidth) / static_cast<float>(kHeight), 0.1f,
                               250.0f);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
  }

  IDirect3DDevice9* device_ = nullptr;  // observed
  ID3DXMesh* traffic_ = nullptr;
  ID3DXMesh* ped_ = nullptr;
  ID3DXMesh* street_ = nullptr;
  IDirect3DTexture9* trafficTexture_ = nullptr;
  IDirect3DTexture9* pedTexture_ = nullptr;
  IDirect3DTexture9* streetTexture_ = nullptr;
  ID3DXFont* font_ = nullptr;
};

bool OpenFullScreen(gltest::GlScene& scene, benchmark::State& state) {
  if (!gltest::DisplayAvailable()) {
    state.SkipWithError("no display: run under xvfb-run");
    return false;
  }
  if (chdir(KZ_SOURCE_ROOT) != 0 || !scene.Open(kWidth, kHeight, false)) {
    state.SkipWithError(("cannot open the scene: " + scene.Error()).c_str());
    return false;
  }
  SetUpLikeTheProgram(scene.Device());
  return true;
}

void BM_CrossroadsFrame(benchmark::State& state) {
  gltest::GlScene scene;
  if (!OpenFullScreen(scene, state))
    return;
  CrossroadsScene crossroads(scene.Device());
  if (!crossroads.Loaded()) {
    state.SkipWithError("assets did not load");
    return;
  }
  // The first frames set the camera and grow whatever grows once.
  for (int i = 0; i < 3; ++i) {
    crossroads.DrawFrame();
    crossroads.Present();
  }
  crossroads.DrawFrame();
  if (const char* folder = std::getenv("KZ_GL_SNAPSHOT_DIR")) {
    scene.SavePng(std::string(folder) + "/crossroads_frame.png");
  }
  crossroads.Present();
  const std::size_t before = HeapAllocations();
  for (auto _ : state) {
    crossroads.DrawFrame();
    crossroads.Present();
  }
  const auto allocations = static_cast<double>(HeapAllocations() - before);
  state.counters["allocs_per_frame"] = allocations / static_cast<double>(state.iterations());
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CrossroadsFrame)->Unit(benchmark::kMillisecond)->Iterations(200)->UseRealTime();

void BM_FullScreenLitTexturedQuad(benchmark::State& state) {
  gltest::GlScene scene;
  if (!OpenFullScreen(scene, state))
    return;
  IDirect3DDevice9* device = scene.Device();
  gltest::TempDir dir;
  std::vector<gltest::XVertex> vertices;
  std::vector<gltest::XTriangle> triangles;
  gltest::AddQuad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, 0, vertices, triangles);
  const std::string path = dir.Write("quad.x", gltest::XFileText(vertices, triangles));
  ID3DXMesh* quad = nullptr;
  IDirect3DTexture9* texture = nullptr;
  D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_SYSTEMMEM, device, nullptr, nullptr, nullptr, nullptr,
                     &quad);
  D3DXCreateTextureFromFileA(device, "textures\\street.jpg", &texture);
  if (quad == nullptr || texture == nullptr) {
    state.SkipWithError("quad or texture did not load");
    return;
  }
  D3DLIGHT9 light;
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Diffuse = light.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Direction = {0.0f, 0.0f, 1.0f};
  device->SetLight(0, &light);
  device->LightEnable(0, TRUE);
  device->SetTexture(0, texture);
  for (auto _ : state) {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    quad->DrawSubset(0);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
  }
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  texture->Release();
  quad->Release();
}
BENCHMARK(BM_FullScreenLitTexturedQuad)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
