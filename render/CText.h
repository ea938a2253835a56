// The help text overlay: one block of text over the scene, upper left, bold 16-pixel Arial.
#pragma once

#include "render/platform/d3dx9.h"

// Draws a text it does not own in translucent yellow within the upper left part of the screen.
class CText {
 public:
  // Creates the bold 16-pixel Arial font on `device`; the text is set later with Settext.
  CText(IDirect3DDevice9* device, int width, int height);
  // Releases the font if it was created; never the device or the text.
  ~CText();
  CText(const CText&) = delete;
  CText& operator=(const CText&) = delete;

  // Keeps the pointer only: the characters must stay alive while the overlay may draw them.
  void Settext(const char* string);
  // Draws the text into (width/20, height/20)-(width/3, height/2), left and top aligned, clipped,
  // in colour 0x46FFFF00. Draws nothing without a font or a text.
  void Show();

 private:
  IDirect3DDevice9* device = nullptr;
  ID3DXFont* font = nullptr;  // owned; released by the destructor
  int width = 0;
  int height = 0;
  const char* text = nullptr;
};
