// The OpenGL backend names a file that fails to load once per process on standard error, however
// often it is loaded again, as the program does when a texture is shared by several models and
// everything is loaded anew at every system switch. Needs a display; skipped without one.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "render/platform/d3dx9.h"
#include "tests/gl/gl_test_support.h"

namespace {

struct Load {
  std::string path;
  bool mesh = false;
};

bool LoadFails(IDirect3DDevice9* device, const Load& load) {
  if (load.mesh) {
    ID3DXMesh* mesh = nullptr;
    const HRESULT hr = D3DXLoadMeshFromXA(load.path.c_str(), D3DXMESH_SYSTEMMEM, device, nullptr,
                                          nullptr, nullptr, nullptr, &mesh);
    return FAILED(hr) && mesh == nullptr;
  }
  IDirect3DTexture9* texture = nullptr;
  const HRESULT hr = D3DXCreateTextureFromFileA(device, load.path.c_str(), &texture);
  return FAILED(hr) && texture == nullptr;
}

long LinesNaming(const std::string& text, const std::string& path) {
  std::istringstream lines(text);
  long count = 0;
  for (std::string line; std::getline(lines, line);)
    count += line.find(path) != std::string::npos ? 1 : 0;
  return count;
}

TEST(LoadFailureReport, NamesEachFailingFileOnceHoweverOftenItIsLoaded) {
  if (!gltest::DisplayAvailable())
    GTEST_SKIP() << "no display";
  // Held for the whole process, so that the driver stays loaded until exit.
  SDL_InitSubSystem(SDL_INIT_VIDEO);
  gltest::GlScene scene;
  ASSERT_TRUE(scene.Open(32, 24, true)) << scene.Error();
  gltest::TempDir dir;
  const std::string missingTexture = dir.Write("a.jpg", "") + ".gone";
  const std::string badTexture = dir.Write("b.jpg", "\xFF\xD8\xFF\xE0 cut short");
  const std::string missingMesh = dir.Write("c.x", "") + ".gone";
  const std::string badMesh = dir.Write("d.x", "xof 0303txt 0032\nMesh {\n4;\n1.0;");
  const std::vector<Load> loads = {
      {missingTexture, false}, {badTexture, false},     {missingTexture, false},
      {missingMesh, true},     {badMesh, true},         {badTexture, false},
      {missingMesh, true},     {missingTexture, false}, {badMesh, true}};
  ::testing::internal::CaptureStderr();
  for (const Load& load : loads)
    EXPECT_TRUE(LoadFails(scene.Device(), load)) << load.path;
  const std::string err = ::testing::internal::GetCapturedStderr();
  for (const std::string& path : {missingTexture, badTexture, missingMesh, badMesh})
    EXPECT_EQ(LinesNaming(err, path), 1) << path << " in:\n" << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 4) << err;
  scene.Close();
}

}  // namespace
