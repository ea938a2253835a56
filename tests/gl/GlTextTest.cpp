// Text through the OpenGL device: placed at the rectangle's corner, clipped at its edges, blended
// by the colour's alpha over the scene, outside the depth test, and leaving the GL state alone.
#include <epoxy/gl.h>

#include <array>
#include <string>
#include <vector>

#include "render/platform/font/font_atlas.h"
#include "tests/gl/gl_draw_fixture.h"

namespace gltest {
namespace {

constexpr D3DCOLOR kBackground = 0xFF0000FF;  // blue
constexpr D3DCOLOR kTextColor = 0x46FFFF00;   // yellow, alpha 70

constexpr const char* kText =
    "SYSTEM 1T1P\n\nUse the following Keys:\nWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\nr - send pedestrian "
    "request\no - switch off\na - switch on\nb - blink mode\ne - show additional lights";

class GlTextTest : public GlDrawTest {
 protected:
  void OpenWithFont() {
    Open(kWidth, kHeight);
    D3DXCreateFontA(Device(), 16, 0, FW_BOLD, 0, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial", &font_);
    ASSERT_NE(font_, nullptr);
    owned_.push_back(font_);
  }

  // Clears to blue and draws `text` into `rect`; returns what DrawTextA returned.
  INT DrawOverBlue(const char* text, RECT rect) {
    Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
    Device()->BeginScene();
    const INT height = font_->DrawTextA(nullptr, text, -1, &rect, DT_LEFT | DT_TOP, kTextColor);
    Device()->EndScene();
    return height;
  }

  // Whether pixel (x, y) of a readback differs from the blue background.
  bool Changed(const std::vector<std::uint8_t>& pixels, int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 3;
    return pixels[at] != 0 || pixels[at + 1] != 0 || pixels[at + 2] != 255;
  }

  static constexpr int kWidth = 400;
  static constexpr int kHeight = 300;
  ID3DXFont* font_ = nullptr;
};

TEST_F(GlTextTest, TextStartsAtTheCornerAndIsClippedAtTheRectanglesEdges) {
  OpenWithFont();
  const RECT rect{20, 15, 150, 100};
  DrawOverBlue(kText, rect);
  Snapshot("text_clipped");
  const std::vector<std::uint8_t> clipped = scene_.Pixels();
  DrawOverBlue(kText, RECT{rect.left, rect.top, kWidth, kHeight});
  const std::vector<std::uint8_t> free = scene_.Pixels();

  int minX = kWidth, minY = kHeight;
  bool outsideChanged = false, cutRight = false, cutBelow = false, insideDiffers = false;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
      if (Changed(clipped, x, y)) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        outsideChanged = outsideChanged || !inside;
      }
      const std::size_t at =
          (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 3;
      if (inside && (clipped[at] != free[at] || clipped[at + 2] != free[at + 2])) {
        insideDiffers = true;
      }
      cutRight = cutRight || (x >= rect.right && y < rect.bottom && Changed(free, x, y));
      cutBelow = cutBelow || (y >= rect.bottom && Changed(free, x, y));
    }
  }
  EXPECT_FALSE(outsideChanged) << "text drawn outside its rectangle";
  EXPECT_FALSE(insideDiffers) << "clipping changed the text inside the rectangle";
  EXPECT_TRUE(cutRight) << "the long line should run past the right edge";
  EXPECT_TRUE(cutBelow) << "the lines should run past the bottom edge";
  EXPECT_GE(minX, rect.left);
  EXPECT_LE(minX, rect.left + 3);
  EXPECT_GE(minY, rect.top);
  EXPECT_LE(minY, rect.top + 6);
}

TEST_F(GlTextTest, TextIsTranslucentByItsAlphaAndReturnsItsHeight) {
  OpenWithFont();
  const INT height = DrawOverBlue("SYSTEM\nW\nI", RECT{20, 15, 300, 200});
  // Fully covered pixels mix yellow over blue by alpha 70/255: (70, 70, 185).
  const Rgb mixed{70, 70, 255 - 70};
  const std::vector<std::uint8_t> pixels = scene_.Pixels();
  int strongest = 0;
  Rgb atStrongest;
  for (std::size_t i = 0; i < pixels.size(); i += 3) {
    if (pixels[i] > strongest) {
      strongest = pixels[i];
      atStrongest = Rgb{pixels[i], pixels[i + 1], pixels[i + 2]};
    }
  }
  EXPECT_TRUE(Near(atStrongest, mixed, 2)) << atStrongest;
  // Three lines of the 16-pixel cell height.
  EXPECT_EQ(height, 3 * 16);
  EXPECT_EQ(DrawOverBlue("", RECT{20, 15, 300, 200}), 0);
  EXPECT_TRUE(Near(scene_.Pixel(25, 20), Rgb{0, 0, 255}, 0));
}

TEST_F(GlTextTest, TextNeitherTestsNorWritesDepth) {
  OpenWithFont();
  SetFlatColor(1, 1, 1);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-1, -1, 1, 1, 0.1f, 0, vertices, triangles);  // white, nearer than any text could be
  AddQuad(-1, -1, 1, 1, 0.5f, 1, vertices, triangles);
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  ASSERT_NE(mesh, nullptr);
  RECT rect{20, 15, 300, 200};

  Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
  mesh->DrawSubset(0);
  font_->DrawTextA(nullptr, "WWWW", -1, &rect, 0, kTextColor);
  // Over white, yellow shows as less blue: (255, 255, 185) where fully covered.
  int leastBlue = 255;
  for (int x = rect.left; x < rect.left + 60; ++x) {
    for (int y = rect.top; y < rect.top + 16; ++y)
      leastBlue = std::min(leastBlue, scene_.Pixel(x, y).b);
  }
  EXPECT_NEAR(leastBlue, 185, 2);

  Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackground, 1.0f, 0);
  font_->DrawTextA(nullptr, "WWWW", -1, &rect, 0, kTextColor);
  SetFlatColor(1, 0, 0);
  mesh->DrawSubset(1);
  // The red surface covers the text completely: the text left no depth behind.
  const std::vector<std::uint8_t> pixels = scene_.Pixels();
  bool allRed = true;
  for (std::size_t i = 0; i < pixels.size(); i += 3) {
    allRed = allRed && pixels[i] == 255 && pixels[i + 1] == 0 && pixels[i + 2] == 0;
  }
  EXPECT_TRUE(allRed);
}

// The GL state a text draw touches, read back through glGet.
std::array<GLint, 16> GlState() {
  std::array<GLint, 16> s{};
  const GLenum ints[] = {GL_CURRENT_PROGRAM, GL_VERTEX_ARRAY_BINDING, GL_ARRAY_BUFFER_BINDING,
                         GL_ACTIVE_TEXTURE,  GL_TEXTURE_BINDING_2D,   GL_SAMPLER_BINDING,
                         GL_BLEND_SRC_RGB,   GL_BLEND_DST_RGB,        GL_BLEND_SRC_ALPHA,
                         GL_BLEND_DST_ALPHA, GL_BLEND_EQUATION_RGB,   GL_DEPTH_FUNC};
  std::size_t i = 0;
  for (const GLenum name : ints)
    glGetIntegerv(name, &s[i++]);
  s[i++] = glIsEnabled(GL_BLEND);
  s[i++] = glIsEnabled(GL_DEPTH_TEST);
  s[i++] = glIsEnabled(GL_CULL_FACE);
  GLboolean mask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
  s[i++] = mask;
  return s;
}

TEST_F(GlTextTest, TextLeavesTheGlStateAsItFoundIt) {
  OpenWithFont();
  SetUpLikeTheProgram();
  Device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  std::vector<XVertex> vertices;
  std::vector<XTriangle> triangles;
  AddQuad(-1, -1, 1, 1, 0.5f, 0, vertices, triangles);
  ID3DXMesh* mesh = LoadMesh(vertices, triangles);
  ASSERT_NE(mesh, nullptr);
  mesh->DrawSubset(0);
  const std::array<GLint, 16> before = GlState();
  RECT rect{20, 15, 300, 200};
  font_->DrawTextA(nullptr, kText, -1, &rect, 0, kTextColor);
  EXPECT_EQ(GlState(), before);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace gltest
