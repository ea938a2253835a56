// Font creation and drawing of the help text overlay.
#include "render/CText.h"

namespace {

// Yellow at alpha 0x46 (about 27 percent opacity).
constexpr D3DCOLOR kTextColor = 0x46FFFF00u;

}  // namespace

CText::CText(IDirect3DDevice9* target, int screenwidth, int screenheight) : device(target) {
  D3DXCreateFontA(device, 16, 0, FW_BOLD, 0, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial", &font);
  width = screenwidth;
  height = screenheight;
}

CText::~CText() {
  if (font != nullptr)
    font->Release();
}

void CText::Settext(const char* string) {
  text = string;
}

void CText::Show() {
  if (font == nullptr || text == nullptr)
    return;
  RECT rect{width / 20, height / 20, width / 3, height / 2};
  font->DrawTextA(nullptr, text, -1, &rect, DT_LEFT | DT_TOP, kTextColor);
}
