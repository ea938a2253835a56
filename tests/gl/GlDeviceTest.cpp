// The OpenGL device drawn and read back: lighting against the fixed-function formulas, the light's
// range, depth, culling, texture orientation, mesh subsets and the full-screen switch.
#include <SDL.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/gl/gl_draw_fixture.h"

namespace gltest {
namespace {

constexpr D3DCOLOR kBlue = 0xFF0000FF;

// Where world point `p` lands in window pixels (y down) under world = identity, `view`, `proj`.
POINT ToPixel(const D3DXVECTOR3& p, const D3DXMATRIX& view, const D3DXMATRIX& proj, int width,
              int height) {
  D3DXMATRIX both;
  D3DXMatrixMultiply(&both, &view, &proj);
  float clip[4] = {};
  for (int c = 0; c < 4; ++c) {
    clip[c] = p.x * both.m[0][c] + p.y * both.m[1][c] + p.z * both.m[2][c] + both.m[3][c];
  }
  const float x = (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(width);
  const float y = (1.0f - clip[1] / clip[3]) * 0.5f * static_cast<float>(height);
  return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

std::string Solid(int r, int g, int b) {
  return JpegBytes(16, 16, [&](int, int) { return Rgb{r, g, b}; });
}

void DrawFrame(IDirect3DDevice9* device, ID3DXMesh* mesh, DWORD subset = 0) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlue, 1.0f, 0);
  device->BeginScene();
  mesh->DrawSubset(subset);
  device->EndScene();
}

TEST_F(GlDrawTest, LitTexturedWallInsideTheLightsRangeShowsItsTextureAndBeyondIsBlack) {
  Open(320, 240);
  SetUpLikeTheProgram();
  // The scene light of the street: white point light at (0, 3, 0), range 18, attenuation 0.05.
  D3DLIGHT9 light;
  light.Type = D3DLIGHT_POINT;
  light.Diffuse = light.Specular = light.Ambient = {1.0f, 1.0f, 1.0f, 0.0f};
  light.Position = {0.0f, 3.0f, 0.0f};
  light.Range = 18.0f;
  light.Attenuation0 = 0.05f;
  Device()->SetLight(0, &light);
  Device()->LightEnable(0, TRUE);
  D3DXMATRIX view, proj;
  const D3DXVECTOR3 eye(0, 3, -10), at(0, 3, 0), up(0, 1, 0);
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovLH(&proj, 0.7853982f, 320.0f / 240.0f, 0.1f, 250.0f);
  SetTransform(D3DTS_VIEW, view);
  SetTransform(D3DTS_PROJECTION, proj);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-4.0f, 0.5f, -0.5f, 5.5f, 2.0f, 0, vertices, triangles);   // 2 to 5 units from the light
  AddQuad(1.0f, -2.0f, 12.0f, 8.0f, 30.0f, 0, vertices, triangles);  // 30 or more units away
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  IDirect3DTexture9* texture = LoadTexture(Solid(200, 120, 40));
  ASSERT_NE(mesh, nullptr);
  Device()->SetTexture(0, texture);

  DrawFrame(Device(), mesh);

  // Attenuation 1/0.05 = 20 saturates the lighting, so the texture shows unchanged.
  const POINT near = ToPixel({-2.25f, 3.0f, 2.0f}, view, proj, 320, 240);
  const POINT far = ToPixel({6.5f, 3.0f, 30.0f}, view, proj, 320, 240);
  EXPECT_TRUE(Near(scene_.Pixel(near.x, near.y), Rgb{200, 120, 40}, 4))
      << scene_.Pixel(near.x, near.y);
  EXPECT_TRUE(Near(scene_.Pixel(far.x, far.y), Rgb{0, 0, 0}, 1)) << scene_.Pixel(far.x, far.y);
  EXPECT_TRUE(Near(scene_.Pixel(2, 2), Rgb{0, 0, 255}, 0));
  Snapshot("lit_walls");
  EXPECT_EQ(Device()->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

// One lit, untextured (or evenly textured) surface facing the camera, with the colour worked out
// from emissive + ambient * (global + atten * light ambient) + diffuse * light diffuse * N.L *
// atten.
struct LightingCase {
  std::string name;
  bool lighting = true;
  D3DCOLOR globalAmbient = 0;
  D3DMATERIAL9 material;
  bool lightOn = false;
  D3DLIGHT9 light;
  float scaleZ = 1.0f;    // world scaling along the surface normal
  bool textured = false;  // bind a (200, 100, 40) texture
  Rgb expected;
};

D3DMATERIAL9 Material(D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient, D3DCOLORVALUE emissive) {
  D3DMATERIAL9 m;
  m.Diffuse = diffuse;
  m.Ambient = ambient;
  m.Emissive = emissive;
  return m;
}

// A point light 2 units in front of the surface's centre.
D3DLIGHT9 PointLight(D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient, float range, float a0, float a1,
                     float a2) {
  D3DLIGHT9 l;
  l.Type = D3DLIGHT_POINT;
  l.Diffuse = diffuse;
  l.Ambient = ambient;
  l.Position = {0.0f, 0.0f, 0.25f - 2.0f};
  l.Range = range;
  l.Attenuation0 = a0;
  l.Attenuation1 = a1;
  l.Attenuation2 = a2;
  return l;
}

D3DLIGHT9 DirectionalLight(D3DVECTOR direction) {
  D3DLIGHT9 l;
  l.Type = D3DLIGHT_DIRECTIONAL;
  l.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  l.Direction = direction;
  return l;
}

int Byte(double value) {
  return static_cast<int>(std::lround(value * 255.0));
}

TEST_F(GlDrawTest, VertexLightingFollowsTheFixedFunctionFormula) {
  const D3DCOLORVALUE none{0, 0, 0, 1};
  const D3DCOLORVALUE white{1, 1, 1, 1};
  const D3DCOLORVALUE half{0.5f, 0.5f, 0.5f, 1};
  const float s60 = std::sqrt(3.0f) / 2.0f;
  const std::vector<LightingCase> cases = {
      {"lighting off is white",
       false,
       0,
       Material(none, none, none),
       false,
       {},
       1,
       false,
       {255, 255, 255}},
      {"global ambient times material ambient",
       true,
       0xFF402010,
       Material(none, {1, 1, 0.5f, 1}, none),
       false,
       {},
       1,
       false,
       {0x40, 0x20, Byte(0x10 / 255.0 * 0.5)}},
      {"point light ambient attenuated by 1/(a1 d) at d = 2",
       true,
       0,
       Material(none, {0.5f, 0.25f, 1, 1}, none),
       true,
       PointLight(none, white, 10, 0, 1, 0),
       1,
       false,
       {Byte(0.5 * 0.5), Byte(0.25 * 0.5), Byte(1.0 * 0.5)}},
      {"point light out of range adds nothing, not even ambient",
       true,
       0,
       Material(white, {0.5f, 0.25f, 1, 1}, none),
       true,
       PointLight(white, white, 1.9f, 0, 1, 0),
       1,
       false,
       {0, 0, 0}},
      {"point light diffuse attenuated by 1/(a0 + a2 d^2) at d = 2",
       true,
       0,
       Material(half, none, none),
       true,
       PointLight(white, none, 10, 1, 0, 0.25f),
       1,
       false,
       {Byte(0.5 * 0.5), Byte(0.5 * 0.5), Byte(0.5 * 0.5)}},
      {"directional light head-on",
       true,
       0,
       Material(half, none, none),
       true,
       DirectionalLight({0, 0, 1}),
       1,
       false,
       {128, 128, 128}},
      {"directional light at 60 degrees",
       true,
       0,
       Material(half, none, none),
       true,
       DirectionalLight({s60, 0, 0.5f}),
       1,
       false,
       {Byte(0.25), Byte(0.25), Byte(0.25)}},
      {"normal shortened by a world scale of 2 is not renormalised",
       true,
       0,
       Material(half, none, none),
       true,
       DirectionalLight({0, 0, 1}),
       2,
       false,
       {Byte(0.25), Byte(0.25), Byte(0.25)}},
      {"emissive plus diffuse, clamped",
       true,
       0,
       Material({0.1f, 0.5f, 0.2f, 1}, none, {0.2f, 0.9f, 0.1f, 1}),
       true,
       DirectionalLight({0, 0, 1}),
       1,
       false,
       {Byte(0.3), 255, Byte(0.3)}},
      {"texture modulates the lit colour",
       true,
       0,
       Material(half, none, none),
       true,
       DirectionalLight({0, 0, 1}),
       1,
       true,
       {100, 50, 20}},
  };
  Open(64, 48);
  // The surface is 0.02 units wide, blown up to the whole target, so every vertex is ~2 units
  // from the point light and N.L = cos(angle of the light).
  D3DXMATRIX proj;
  D3DXMatrixScaling(&proj, 100.0f, 100.0f, 1.0f);
  SetTransform(D3DTS_PROJECTION, proj);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-0.01f, -0.01f, 0.01f, 0.01f, 0.25f, 0, vertices, triangles);
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  IDirect3DTexture9* texture = LoadTexture(Solid(200, 100, 40));
  ASSERT_NE(mesh, nullptr);
  for (const LightingCase& c : cases) {
    Device()->SetRenderState(D3DRS_LIGHTING, c.lighting ? TRUE : FALSE);
    Device()->SetRenderState(D3DRS_AMBIENT, c.globalAmbient);
    Device()->SetMaterial(&c.material);
    Device()->SetLight(0, &c.light);
    Device()->LightEnable(0, c.lightOn ? TRUE : FALSE);
    D3DXMATRIX world;
    D3DXMatrixScaling(&world, 1.0f, 1.0f, c.scaleZ);
    SetTransform(D3DTS_WORLD, world);
    Device()->SetTexture(0, c.textured ? texture : nullptr);
    DrawFrame(Device(), mesh);
    EXPECT_TRUE(Near(scene_.Pixel(32, 24), c.expected, 2))
        << c.name << ": got " << scene_.Pixel(32, 24) << ", expected " << c.expected;
  }
}

struct DepthCase {
  bool clipControl;  // depth 0..1 through glClipControl, or remapped in the shader
  bool depthTest;
  bool nearFirst;
  bool nearWins;
};

class GlDepthTest : public GlDrawTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(GlDepthTest, NearerSurfaceWinsInEitherOrder) {
  const DepthCase& c = GetParam();
  Open(64, 48, GlOptions{c.clipControl});
  D3DXMATRIX proj;
  D3DXMatrixPerspectiveFovLH(&proj, 0.7853982f, 64.0f / 48.0f, 0.1f, 250.0f);
  SetTransform(D3DTS_PROJECTION, proj);
  if (!c.depthTest)
    Device()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-0.5f, -0.5f, 0.5f, 0.5f, 2.0f, 0, vertices, triangles);  // near: red
  AddQuad(-3.0f, -3.0f, 3.0f, 3.0f, 3.0f, 1, vertices, triangles);  // far: green
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  ASSERT_NE(mesh, nullptr);
  Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlue, 1.0f, 0);
  Device()->BeginScene();
  const DWORD order[2] = {c.nearFirst ? 0u : 1u, c.nearFirst ? 1u : 0u};
  for (const DWORD subset : order) {
    SetFlatColor(subset == 0 ? 1.0f : 0.0f, subset == 0 ? 0.0f : 1.0f, 0.0f);
    mesh->DrawSubset(subset);
  }
  Device()->EndScene();
  const Rgb expected = c.nearWins ? Rgb{255, 0, 0} : Rgb{0, 255, 0};
  EXPECT_TRUE(Near(scene_.Pixel(32, 24), expected, 1)) << scene_.Pixel(32, 24);
  // Where only the far surface lies it shows in any case.
  EXPECT_TRUE(Near(scene_.Pixel(4, 4), Rgb{0, 255, 0}, 1)) << scene_.Pixel(4, 4);
}

std::string DepthCaseName(const ::testing::TestParamInfo<DepthCase>& info) {
  const DepthCase& c = info.param;
  return std::string(c.clipControl ? "ClipControl" : "ShaderRemap") +
         (c.depthTest ? "_DepthOn" : "_DepthOff") + (c.nearFirst ? "_NearFirst" : "_FarFirst");
}

INSTANTIATE_TEST_SUITE_P(
    DrawOrders, GlDepthTest,
    ::testing::Values(DepthCase{true, true, true, true}, DepthCase{true, true, false, true},
                      DepthCase{false, true, true, true}, DepthCase{false, true, false, true},
                      DepthCase{true, false, true, false}, DepthCase{true, false, false, true}),
    DepthCaseName);

struct CullCase {
  DWORD cullMode;
  bool clockwise;  // winding on screen; clockwise is the front face
  bool drawn;
};

TEST_F(GlDrawTest, CullModeDropsTheMatchingScreenWindingOnly) {
  const std::vector<CullCase> cases = {
      {D3DCULL_NONE, true, true},  {D3DCULL_NONE, false, true}, {D3DCULL_CCW, true, true},
      {D3DCULL_CCW, false, false}, {D3DCULL_CW, true, false},   {D3DCULL_CW, false, true},
  };
  Open(64, 48);
  // Identity transforms: positions are clip coordinates. Up the left side, down the right side:
  // clockwise on screen. Attribute 1 holds the same triangle the other way round.
  const std::vector<XVertex> vertices = {{-1, -1, 0.5f}, {0, 1, 0.5f}, {1, -1, 0.5f}};
  ID3DXMesh* mesh = LoadMesh(vertices, {{0, 1, 2, 0}, {0, 2, 1, 1}});
  ASSERT_NE(mesh, nullptr);
  SetFlatColor(1, 1, 1);
  for (const CullCase& c : cases) {
    Device()->SetRenderState(D3DRS_CULLMODE, c.cullMode);
    DrawFrame(Device(), mesh, c.clockwise ? 0 : 1);
    const Rgb expected = c.drawn ? Rgb{255, 255, 255} : Rgb{0, 0, 255};
    EXPECT_TRUE(Near(scene_.Pixel(32, 30), expected, 0))
        << "cull mode " << c.cullMode << (c.clockwise ? ", clockwise" : ", counter-clockwise");
  }
}

TEST_F(GlDrawTest, TextureTopRowIsAtVZeroAndThePictureIsUpright) {
  Open(128, 96);
  SetUpLikeTheProgram();
  Device()->SetRenderState(D3DRS_LIGHTING, FALSE);
  // Quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
  const std::string jpeg = JpegBytes(64, 64, [](int x, int y) {
    if (y < 32)
      return x < 32 ? Rgb{255, 0, 0} : Rgb{0, 255, 0};
    return x < 32 ? Rgb{0, 0, 255} : Rgb{255, 255, 255};
  });
  IDirect3DTexture9* texture = LoadTexture(jpeg);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-1, -1, 1, 1, 0.5f, 0, vertices, triangles);  // (u, v) = (0, 0) at the top left
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  ASSERT_NE(mesh, nullptr);
  Device()->SetTexture(0, texture);
  DrawFrame(Device(), mesh);
  EXPECT_TRUE(Near(scene_.Pixel(4, 4), Rgb{255, 0, 0}, 8)) << scene_.Pixel(4, 4);
  EXPECT_TRUE(Near(scene_.Pixel(123, 4), Rgb{0, 255, 0}, 8)) << scene_.Pixel(123, 4);
  EXPECT_TRUE(Near(scene_.Pixel(4, 91), Rgb{0, 0, 255}, 8)) << scene_.Pixel(4, 91);
  EXPECT_TRUE(Near(scene_.Pixel(123, 91), Rgb{255, 255, 255}, 8)) << scene_.Pixel(123, 91);
}

TEST_F(GlDrawTest, MagnificationFilterFollowsTheSamplerState) {
  Open(128, 16);
  Device()->SetRenderState(D3DRS_LIGHTING, FALSE);
  // 16 texels across, black on the left half and white on the right, 8 pixels per texel.
  IDirect3DTexture9* texture = LoadTexture(JpegBytes(16, 16, [](int x, int) {
    return x < 8 ? Rgb{} : Rgb{255, 255, 255};
  }));
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-1, -1, 1, 1, 0.5f, 0, vertices, triangles);
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  ASSERT_NE(mesh, nullptr);
  Device()->SetTexture(0, texture);
  for (const DWORD filter : {D3DTEXF_POINT, D3DTEXF_LINEAR}) {
    Device()->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
    Device()->SetSamplerState(0, D3DSAMP_MINFILTER, filter);
    DrawFrame(Device(), mesh);
    // Pixel 63 samples just left of the edge between texels 7 and 8 (at 7.94 texels): the
    // nearest texel is black, the linear mix is 44 percent white.
    const int value = scene_.Pixel(63, 8).r;
    if (filter == D3DTEXF_POINT) {
      EXPECT_LT(value, 40) << "point filtering";
    } else {
      EXPECT_GT(value, 40) << "linear filtering";
      EXPECT_LT(value, 215) << "linear filtering";
    }
  }
}

TEST_F(GlDrawTest, DrawSubsetDrawsOnlyTheTrianglesOfThatAttribute) {
  struct SubsetCase {
    DWORD subset;
    bool left;
    bool right;
  };
  const std::vector<SubsetCase> cases = {{0, false, true}, {1, true, false}, {7, false, false}};
  Open(64, 48);
  SetFlatColor(1, 1, 1);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  // The file lists attribute 1 before attribute 0.
  AddQuad(-1, -1, -0.1f, 1, 0.5f, 1, vertices, triangles);
  AddQuad(0.1f, -1, 1, 1, 0.5f, 0, vertices, triangles);
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  ASSERT_NE(mesh, nullptr);
  for (const SubsetCase& c : cases) {
    DrawFrame(Device(), mesh, c.subset);
    const auto drawn = [&](int x) { return scene_.Pixel(x, 24).r == 255; };
    EXPECT_EQ(drawn(8), c.left) << "subset " << c.subset;
    EXPECT_EQ(drawn(56), c.right) << "subset " << c.subset;
  }
}

TEST_F(GlDrawTest, ClearFillsOnlyTheGivenRectangles) {
  Open(64, 48);
  Device()->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
  const D3DRECT rect{10, 5, 20, 15};
  Device()->Clear(1, &rect, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
  EXPECT_TRUE(Near(scene_.Pixel(10, 5), Rgb{255, 0, 0}, 0));
  EXPECT_TRUE(Near(scene_.Pixel(19, 14), Rgb{255, 0, 0}, 0));
  EXPECT_TRUE(Near(scene_.Pixel(20, 14), Rgb{0, 0, 255}, 0));
  EXPECT_TRUE(Near(scene_.Pixel(19, 15), Rgb{0, 0, 255}, 0));
}

TEST_F(GlDrawTest, SceneBracketsMustPair) {
  Open(32, 24);
  EXPECT_EQ(Device()->EndScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(Device()->BeginScene(), D3D_OK);
  EXPECT_EQ(Device()->BeginScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(Device()->EndScene(), D3D_OK);
}

TEST_F(GlDrawTest, FullScreenDeviceTakesTheBackBufferSizeAndGivesTheScreenBack) {
  ASSERT_TRUE(scene_.Open(1024, 768, false)) << scene_.Error();
  auto* window = static_cast<SDL_Window*>(NativeWindowOf(scene_.Window()));
  ASSERT_NE(window, nullptr);
  EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
  int width = 0, height = 0;
  SDL_GL_GetDrawableSize(window, &width, &height);
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(height, 768);
  Device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0);
  EXPECT_TRUE(Near(scene_.Pixel(1023, 767), Rgb{0, 255, 0}, 0));
  scene_.ReleaseDevice();
  EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN, 0u);
}

}  // namespace
}  // namespace gltest
