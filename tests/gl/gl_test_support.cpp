// Window layer, scene, readback and file writers for the OpenGL backend's tests and benchmarks.
#include "tests/gl/gl_test_support.h"

#include <SDL.h>
#include <epoxy/gl.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace gltest {
namespace {

constexpr const char* kClassName = "KreuzviaGlTest";

LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY)
    return 0;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void SetWindowAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
}

// Lets the window system catch up with a show or a mode change.
void Settle() {
  for (int i = 0; i < 10; ++i) {
    SDL_PumpEvents();
    SDL_Delay(10);
  }
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

std::string Float(float value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace

bool DisplayAvailable() {
  const char* display = std::getenv("DISPLAY");
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  return (display != nullptr && *display != '\0') ||
         (driver != nullptr && std::strcmp(driver, "offscreen") == 0);
}

SdlTestWindows::SdlTestWindows() : ready_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}

SdlTestWindows::~SdlTestWindows() {
  if (ready_)
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void* SdlTestWindows::CreateNativeWindow(const char* title, int x, int y, int width, int height) {
  if (!ready_)
    return nullptr;
  SetWindowAttributes();
  return SDL_CreateWindow(title, x, y, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
}

void SdlTestWindows::ShowNativeWindow(void* native) {
  SDL_ShowWindow(static_cast<SDL_Window*>(native));
  Settle();
}

void SdlTestWindows::DestroyNativeWindow(void* native) {
  SDL_DestroyWindow(static_cast<SDL_Window*>(native));
}

bool SdlTestWindows::PollEvent(NativeEvent&) {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
  }
  return false;
}

bool SdlTestWindows::KeyDown(int) {
  return false;
}

bool SdlTestWindows::TakeKeyPress(int) {
  return false;
}

DWORD SdlTestWindows::Milliseconds() {
  return SDL_GetTicks();
}

void SdlTestWindows::ShowMessageBox(const char*, const char*) {}

GlScene::~GlScene() {
  Close();
}

bool GlScene::Open(int width, int height, bool windowed, const GlOptions& options) {
  width_ = width;
  height_ = height;
  graphics_ = GlGraphicsBackend(options);
  SetWindowBackend(&windows_);
  ResetWindowState();
  SetGraphicsBackend(&graphics_);
  WNDCLASSEXA wc;
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.lpfnWndProc = WindowProc;
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);
  window_ = CreateWindowExA(0, kClassName, "Kreuzvia", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window_ == nullptr) {
    error_ = std::string("no window: ") + SDL_GetError();
    return false;
  }
  d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
  if (d3d_ == nullptr) {
    error_ = "Direct3DCreate9 failed";
    return false;
  }
  D3DPRESENT_PARAMETERS params;
  params.Windowed = windowed ? TRUE : FALSE;
  params.SwapEffect = D3DSWAPEFFECT_DISCARD;
  params.BackBufferWidth = static_cast<UINT>(width);
  params.BackBufferHeight = static_cast<UINT>(height);
  params.BackBufferFormat = D3DFMT_X8R8G8B8;
  params.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  params.EnableAutoDepthStencil = TRUE;
  params.AutoDepthStencilFormat = D3DFMT_D16;
  if (FAILED(d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_,
                                D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device_))) {
    error_ = "CreateDevice failed";
    return false;
  }
  ShowWindow(window_, SW_SHOWDEFAULT);
  return true;
}

void GlScene::ReleaseDevice() {
  if (device_ != nullptr)
    device_->Release();
  device_ = nullptr;
}

void GlScene::Close() {
  ReleaseDevice();
  if (d3d_ != nullptr)
    d3d_->Release();
  d3d_ = nullptr;
  if (window_ != nullptr)
    DefWindowProcA(window_, WM_CLOSE, 0, 0);
  window_ = nullptr;
  UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
  SetGraphicsBackend(nullptr);
  SetWindowBackend(nullptr);
}

Rgb GlScene::Pixel(int x, int y) const {
  std::uint8_t rgba[4] = {};
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return Rgb{rgba[0], rgba[1], rgba[2]};
}

std::vector<std::uint8_t> GlScene::Pixels() const {
  const auto row = static_cast<std::size_t>(width_) * 3;
  std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height_));
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<std::uint8_t> topDown(bottomUp.size());
  for (std::size_t y = 0; y < static_cast<std::size_t>(height_); ++y) {
    std::memcpy(&topDown[y * row], &bottomUp[(static_cast<std::size_t>(height_) - 1 - y) * row],
                row);
  }
  return topDown;
}

bool GlScene::SavePng(const std::string& path) const {
  const std::vector<std::uint8_t> pixels = Pixels();
  const std::string ppm = path + ".ppm";
  {
    std::ofstream out(ppm, std::ios::binary);
    out << "P6\n" << width_ << " " << height_ << "\n255\n";
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
  }
  const std::string command = "convert '" + ppm + "' '" + path + "'";
  const bool ok = std::system(command.c_str()) == 0;
  std::remove(ppm.c_str());
  return ok;
}

std::string XFileText(const std::vector<XVertex>& vertices,
                      const std::vector<XTriangle>& triangles) {
  std::ostringstream x;
  const auto list = [&](std::size_t count, auto item) {
    for (std::size_t i = 0; i < count; ++i) {
      item(i);
      x << (i + 1 < count ? ",\n" : ";\n");
    }
  };
  const auto faces = [&] {
    x << triangles.size() << ";\n";
    list(triangles.size(), [&](std::size_t i) {
      x << "3;" << triangles[i].a << "," << triangles[i].b << "," << triangles[i].c << ";";
    });
  };
  x << "xof 0303txt 0032\n\nMesh quad {\n" << vertices.size() << ";\n";
  list(vertices.size(), [&](std::size_t i) {
    x << Float(vertices[i].x) << ";" << Float(vertices[i].y) << ";" << Float(vertices[i].z) << ";";
  });
  faces();
  x << "MeshNormals {\n" << vertices.size() << ";\n";
  list(vertices.size(), [&](std::size_t i) {
    x << Float(vertices[i].nx) << ";" << Float(vertices[i].ny) << ";" << Float(vertices[i].nz)
      << ";";
  });
  faces();
  x << "}\nMeshTextureCoords {\n" << vertices.size() << ";\n";
  list(vertices.size(),
       [&](std::size_t i) { x << Float(vertices[i].u) << ";" << Float(vertices[i].v) << ";"; });
  std::uint32_t materials = 1;
  for (const XTriangle& t : triangles)
    materials = std::max(materials, t.attribute + 1);
  x << "}\nMeshMaterialList {\n" << materials << ";\n" << triangles.size() << ";\n";
  list(triangles.size(), [&](std::size_t i) { x << triangles[i].attribute; });
  for (std::uint32_t m = 0; m < materials; ++m) {
    x << "Material {\n1.0;1.0;1.0;1.0;;\n0.0;\n0.0;0.0;0.0;;\n0.0;0.0;0.0;;\n}\n";
  }
  x << "}\n}\n";
  return x.str();
}

void AddQuad(float x0, float y0, float x1, float y1, float z, std::uint32_t attribute,
             std::vector<XVertex>& vertices, std::vector<XTriangle>& triangles) {
  const auto first = static_cast<std::uint32_t>(vertices.size());
  vertices.push_back(XVertex{x0, y1, z, 0, 0, -1, 0, 0});
  vertices.push_back(XVertex{x1, y1, z, 0, 0, -1, 1, 0});
  vertices.push_back(XVertex{x1, y0, z, 0, 0, -1, 1, 1});
  vertices.push_back(XVertex{x0, y0, z, 0, 0, -1, 0, 1});
  triangles.push_back(XTriangle{first, first + 1, first + 2, attribute});
  triangles.push_back(XTriangle{first, first + 2, first + 3, attribute});
}

void AddGroundQuad(float x0, float z0, float x1, float z1, float y, std::vector<XVertex>& vertices,
                   std::vector<XTriangle>& triangles) {
  const auto first = static_cast<std::uint32_t>(vertices.size());
  vertices.push_back(XVertex{x0, y, z1, 0, 1, 0, 0, 0});
  vertices.push_back(XVertex{x1, y, z1, 0, 1, 0, 1, 0});
  vertices.push_back(XVertex{x1, y, z0, 0, 1, 0, 1, 1});
  vertices.push_back(XVertex{x0, y, z0, 0, 1, 0, 0, 1});
  triangles.push_back(XTriangle{first, first + 1, first + 2, 0});
  triangles.push_back(XTriangle{first, first + 2, first + 3, 0});
}

std::string EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb) {
  tjhandle handle = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  std::string bytes;
  if (tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 95,
                  0) == 0) {
    bytes.assign(reinterpret_cast<const char*>(jpeg), size);
  }
  tjFree(jpeg);
  tjDestroy(handle);
  return bytes;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kzgl-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr)
    path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty())
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.string();
}

}  // namespace gltest
