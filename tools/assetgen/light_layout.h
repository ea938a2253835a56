// Layout of the two signal models and of their textures, shared by the meshes and the pictures.
// Model space is scene units: origin at the foot of the pole, y up, the head's front facing -z.
#pragma once

#include <array>

#include "tools/assetgen/paint.h"

namespace assetgen {

// Size of every light texture in pixels.
inline constexpr int kLightTextureWidth = 256;
inline constexpr int kLightTextureHeight = 512;
// The picture of the head's front fills the texture above this v; below it lies plain housing
// colour, and the bottom strip holds two plain swatches for the rest of the model.
inline constexpr double kPictureBottomV = 0.875;
inline constexpr double kSwatchTopV = 0.9375;
// Texture coordinates inside the swatches: the housing colour (left) and the pole colour (right).
inline constexpr Vec2 kHousingSwatchUv{0.25, 0.96875};
inline constexpr Vec2 kPoleSwatchUv{0.75, 0.96875};

// The shape of one signal: pole, head box and lamps.
struct SignalShape {
  double pole_half = 0.0;  // half the side of the square pole
  double pole_top = 0.0;
  double foot_half = 0.0;  // half the side of the square foot around the pole's base
  double foot_top = 0.0;
  double head_width = 0.0;
  double head_height = 0.0;
  double head_bottom = 0.0;  // height of the head's lower edge above the ground
  double head_depth = 0.0;   // the head's back rests on the pole's front face
  int lamp_count = 0;
  std::array<double, 3> lamp_drop{};  // lamp centres, measured down from the head's top edge
  double lamp_half = 0.0;             // lens radius (round lamps) or half side (square lamps)
  double visor_depth = 0.0;
};

// The traffic light: red, orange and green lamps from the top, head from 2.3 to 3.9 units.
inline constexpr SignalShape kTrafficShape{
    0.06, 3.75, 0.1, 0.25, 0.6, 1.6, 2.3, 0.34, 3, {0.32, 0.8, 1.28}, 0.19, 0.2};

// The pedestrian light: red above green, square lenses, head from 2.15 to 3.15 units.
inline constexpr SignalShape kPedShape{
    0.05, 3.0, 0.08, 0.25, 0.5, 1.0, 2.15, 0.3, 2, {0.27, 0.73, 0.0}, 0.19, 0.18};

// Lens bezel: the dark ring around each lens is this much wider than the lens.
inline constexpr double kBezelWidth = 0.03;

}  // namespace assetgen
