// The recording graphics backend: every operation appends a Call to the shared log.
#include "tests/support/recording_device.h"

#include <utility>

namespace fake {
namespace {

// Reference counting shared by the recorded objects; logs "Release" with the object kind and file.
template <typename Base>
class Counted : public Base {
 public:
  Counted(RecordingGraphics& owner, std::string kind, std::string file)
      : owner_(owner), kind_(std::move(kind)), file_(std::move(file)) {
    ++owner_.liveObjects;
  }
  ULONG Release() override {
    Call c{.name = "Release", .file = file_, .caption = kind_};
    Log().Add(std::move(c));
    if (--refs_ > 0) return refs_;
    --owner_.liveObjects;
    delete this;
    return 0;
  }
  const std::string& File() const { return file_; }

 protected:
  RecordingGraphics& owner_;

 private:
  std::string kind_;
  std::string file_;
  ULONG refs_ = 1;
};

class Texture : public Counted<IDirect3DTexture9> {
 public:
  using Counted::Counted;
};

class Mesh : public Counted<ID3DXMesh> {
 public:
  using Counted::Counted;
  HRESULT DrawSubset(DWORD attribId) override {
    Log().Add(Call{.name = "DrawSubset", .args = {double(attribId)}, .file = File()});
    return D3D_OK;
  }
};

class Font : public Counted<ID3DXFont> {
 public:
  Font(RecordingGraphics& owner, const FontDesc& desc) : Counted(owner, "font", desc.faceName) {}
  INT DrawTextA(ID3DXSprite*, LPCSTR text, INT count, RECT* rect, DWORD format,
                D3DCOLOR color) override {
    Call c{.name = "DrawText", .args = {double(count), double(format), double(color)}};
    c.text = text ? text : "";
    if (rect) c.rect = *rect;
    Log().Add(std::move(c));
    return 0;
  }
};

class Device : public Counted<DeviceBackend> {
 public:
  explicit Device(RecordingGraphics& owner) : Counted(owner, "device", "") {}

  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override {
    return Record("SetRenderState", {double(state), double(value)});
  }
  HRESULT SetMaterial(const D3DMATERIAL9* material) override {
    Call c{.name = "SetMaterial"};
    if (material) c.material = *material;
    Log().Add(std::move(c));
    return D3D_OK;
  }
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override {
    return Record("SetSamplerState", {double(sampler), double(type), double(value)});
  }
  HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override {
    Call c{.name = "SetLight", .args = {double(index)}};
    if (light) c.light = *light;
    Log().Add(std::move(c));
    return D3D_OK;
  }
  HRESULT LightEnable(DWORD index, BOOL enable) override {
    return Record("LightEnable", {double(index), double(enable)});
  }
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override {
    auto* t = dynamic_cast<Texture*>(texture);
    Log().Add(Call{.name = "SetTexture", .args = {double(stage)}, .file = t ? t->File() : ""});
    return D3D_OK;
  }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE kind, const D3DMATRIX* matrix) override {
    Call c{.name = "SetTransform", .args = {double(kind)}};
    if (matrix) c.matrix = *matrix;
    Log().Add(std::move(c));
    return D3D_OK;
  }
  HRESULT Clear(DWORD count, const D3DRECT*, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil) override {
    return Record("Clear", {double(count), double(flags), double(color), double(z),
                            double(stencil)});
  }
  HRESULT BeginScene() override { return Record("BeginScene", {}); }
  HRESULT EndScene() override { return Record("EndScene", {}); }
  HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*) override {
    return Record("Present", {});
  }

  HRESULT LoadMesh(const char* path, ID3DXMesh** mesh) override {
    if (!Load("LoadMesh", path)) return E_FAIL;
    *mesh = new Mesh(owner_, "mesh", path);
    return D3D_OK;
  }
  HRESULT LoadTexture(const char* path, IDirect3DTexture9** texture) override {
    if (!Load("LoadTexture", path)) return E_FAIL;
    *texture = new Texture(owner_, "texture", path);
    return D3D_OK;
  }
  HRESULT CreateFont(const FontDesc& desc, ID3DXFont** font) override {
    Call c{.name = "CreateFont",
           .args = {double(desc.height), double(desc.width), double(desc.weight),
                    double(desc.mipLevels), double(desc.italic), double(desc.charSet),
                    double(desc.outputPrecision), double(desc.quality),
                    double(desc.pitchAndFamily)},
           .text = desc.faceName};
    Log().Add(std::move(c));
    if (owner_.failFiles.count("font:" + desc.faceName)) return E_FAIL;
    *font = new Font(owner_, desc);
    return D3D_OK;
  }

 private:
  static HRESULT Record(const char* name, std::vector<double> args) {
    Log().Add(Call{.name = name, .args = std::move(args)});
    return D3D_OK;
  }
  bool Load(const char* name, const char* path) {
    Log().Add(Call{.name = name, .file = path});
    return owner_.failFiles.count(path) == 0;
  }
};

class Direct3D : public Counted<IDirect3D9> {
 public:
  explicit Direct3D(RecordingGraphics& owner) : Counted(owner, "d3d", "") {}
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND, DWORD flags,
                       D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) override {
    Call c{.name = "CreateDevice", .args = {double(adapter), double(type), double(flags)}};
    if (params) {
      c.args.insert(c.args.end(),
                    {double(params->Windowed), double(params->SwapEffect),
                     double(params->BackBufferWidth), double(params->BackBufferHeight),
                     double(params->BackBufferFormat), double(params->PresentationInterval),
                     double(params->EnableAutoDepthStencil),
                     double(params->AutoDepthStencilFormat), double(params->BackBufferCount),
                     double(params->MultiSampleType), double(params->Flags),
                     double(params->FullScreen_RefreshRateInHz)});
    }
    Log().Add(std::move(c));
    if (device == nullptr) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (owner_.failDevice) return D3DERR_NOTAVAILABLE;
    *device = new Device(owner_);
    return D3D_OK;
  }
};

}  // namespace

IDirect3D9* RecordingGraphics::CreateDirect3D() {
  Log().Add(Call{.name = "Direct3DCreate9"});
  if (failDirect3D) return nullptr;
  return new Direct3D(*this);
}

ScopedRecordingGraphics::ScopedRecordingGraphics() {
  Log().Clear();
  SetGraphicsBackend(&graphics_);
}

ScopedRecordingGraphics::~ScopedRecordingGraphics() { SetGraphicsBackend(nullptr); }

}  // namespace fake
