// The help text overlay: font values, rectangle per screen size, colour and format, the pointer
// semantics of Settext, and a missing font.
#include <cstring>
#include <string>
#include <vector>

#include "render/CText.h"
#include "tests/presentation/PresentationTestSupport.h"

namespace presentation {
namespace {

using OverlayTest = RecordingDeviceTest;

TEST_F(OverlayTest, CreatesABold16PixelArialFont) {
  CText text(device, 1024, 768);
  const std::vector<fake::Call> fonts = fake::Log().Named("CreateFont");
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0].args, (std::vector<double>{16, 0, 700, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(fonts[0].text, "Arial");
}

TEST_F(OverlayTest, DrawsIntoTheUpperLeftRectangleInTranslucentYellow) {
  struct Case {
    int width, height;
    RECT rect;
  };
  const Case cases[] = {{1024, 768, {51, 38, 341, 384}}, {1000, 750, {50, 37, 333, 375}}};
  for (const Case& c : cases) {
    CText text(device, c.width, c.height);
    text.Settext("a\nb");
    fake::Log().Clear();
    text.Show();
    const std::vector<fake::Call> drawn = fake::Log().Named("DrawText");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].rect.left, c.rect.left);
    EXPECT_EQ(drawn[0].rect.top, c.rect.top);
    EXPECT_EQ(drawn[0].rect.right, c.rect.right);
    EXPECT_EQ(drawn[0].rect.bottom, c.rect.bottom);
    // count -1 (up to the zero), format 0 (left, top), colour 0x46FFFF00
    EXPECT_EQ(drawn[0].args, (std::vector<double>{-1, 0, double(0x46FFFF00u)}));
    EXPECT_EQ(drawn[0].text, "a\nb");
  }
}

TEST_F(OverlayTest, ShowsWhateverThePointerHoldsAtEachShow) {
  CText text(device, 1024, 768);
  char buffer[16] = "first";
  text.Settext(buffer);
  text.Show();
  std::strcpy(buffer, "changed");
  text.Show();
  const char* other = "other";
  text.Settext(other);
  text.Show();
  std::vector<std::string> shown;
  for (const fake::Call& call : fake::Log().Named("DrawText"))
    shown.push_back(call.text);
  EXPECT_EQ(shown, (std::vector<std::string>{"first", "changed", "other"}));
}

TEST_F(OverlayTest, WithoutAFontOrATextNothingIsDrawnOrReleased) {
  {
    CText text(device, 1024, 768);
    text.Show();
  }
  EXPECT_EQ(fake::Log().Count("DrawText"), 0u);
  graphics->failFiles = {"font:Arial"};
  fake::Log().Clear();
  {
    CText text(device, 1024, 768);
    text.Settext("help");
    text.Show();
  }
  EXPECT_EQ(fake::Log().Count("DrawText"), 0u);
  EXPECT_EQ(fake::Log().Count("Release"), 0u);
}

}  // namespace
}  // namespace presentation
