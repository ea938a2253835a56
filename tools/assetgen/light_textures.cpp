// Signal head pictures: a dark housing, lenses with bezels, bright lit lamps with a faint halo on
// the housing, dim unlit lamps with a glass sheen, and the plain swatches for the rest of the
// model.
#include "tools/assetgen/light_textures.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "tools/assetgen/light_layout.h"

namespace assetgen {
namespace {

constexpr int kSamples = 4;

constexpr Rgb kHousing{30, 31, 34};
constexpr Rgb kHousingSwatch{26, 27, 29};
constexpr Rgb kPoleSwatch{66, 68, 72};
constexpr Rgb kRim{74, 76, 80};
constexpr Rgb kBezel{12, 12, 13};
constexpr Rgb kLensBlack{9, 9, 10};

// How one lamp looks lit (saturated edge colour, near-white hot centre) and unlit.
struct LampColours {
  Rgb edge;
  Rgb hot;
  Rgb dim;
};

constexpr LampColours kRed{{235, 22, 12}, {255, 140, 110}, {74, 17, 14}};
constexpr LampColours kOrange{{255, 148, 0}, {255, 222, 125}, {80, 53, 10}};
constexpr LampColours kGreen{{0, 214, 118}, {150, 255, 200}, {12, 60, 38}};

// One lamp of a head as the picture draws it.
struct Lamp {
  Vec2 centre;
  LampColours colours;
  bool lit = false;
};

// What a head picture needs besides the point: its shape, its lamps and how to draw a lens.
struct Head {
  const SignalShape* shape = nullptr;
  std::array<Lamp, 3> lamps{};
  bool square = false;
};

double LensDistance(const Head& head, const Lamp& lamp, Vec2 p) {
  const double r = head.shape->lamp_half;
  if (head.square) {
    return BoxDistance(p, lamp.centre, {r, r}, 0.035);
  }
  return CircleDistance(p, lamp.centre, r);
}

// A soft white reflection in the upper left of every lens.
Rgb Sheen(const Lamp& lamp, Vec2 p, double r, double strength) {
  const Vec2 spot = lamp.centre + Vec2{-0.38 * r, -0.42 * r};
  const double d = Length(p - spot) / (0.22 * r);
  return Rgb{255, 255, 255} * (strength * std::exp(-d * d));
}

Rgb RoundLens(const Lamp& lamp, Vec2 p, double r) {
  const double t = std::min(Length(p - lamp.centre) / r, 1.0);
  if (!lamp.lit) {
    return lamp.colours.dim * (1.0 - 0.35 * t * t) + Sheen(lamp, p, r, 0.16);
  }
  const double rings = 1.0 - 0.05 * (0.5 + 0.5 * std::cos(t * r * 2.0 * std::numbers::pi / 0.032));
  const Rgb body = Mix(lamp.colours.hot, lamp.colours.edge, Smoothstep(0.0, 0.8, t));
  return body * (rings * (1.0 - 0.18 * std::pow(t, 6.0))) + Sheen(lamp, p, r, 0.1);
}

double StandingFigure(Vec2 p) {
  double d = CircleDistance(p, {0.0, -0.115}, 0.034);
  d = std::min(d, CapsuleDistance(p, {0.0, -0.066}, {0.0, 0.022}, 0.036));
  for (const double side : {-1.0, 1.0}) {
    d = std::min(d, CapsuleDistance(p, {0.049 * side, -0.062}, {0.053 * side, 0.03}, 0.014));
    d = std::min(d, CapsuleDistance(p, {0.018 * side, 0.03}, {0.02 * side, 0.142}, 0.019));
  }
  return d;
}

double WalkingFigure(Vec2 p) {
  double d = CircleDistance(p, {0.014, -0.118}, 0.032);
  d = std::min(d, CapsuleDistance(p, {0.008, -0.068}, {-0.004, 0.02}, 0.033));
  d = std::min(d, CapsuleDistance(p, {0.014, -0.06}, {0.072, 0.002}, 0.014));
  d = std::min(d, CapsuleDistance(p, {-0.004, -0.058}, {-0.062, 0.006}, 0.014));
  d = std::min(d, CapsuleDistance(p, {0.0, 0.028}, {0.046, 0.086}, 0.019));
  d = std::min(d, CapsuleDistance(p, {0.046, 0.086}, {0.074, 0.146}, 0.017));
  d = std::min(d, CapsuleDistance(p, {-0.006, 0.028}, {-0.04, 0.09}, 0.019));
  d = std::min(d, CapsuleDistance(p, {-0.04, 0.09}, {-0.082, 0.136}, 0.017));
  return d;
}

// The red lamp of a pedestrian light stands still; the green one walks.
Rgb FigureLens(const Lamp& lamp, bool walking, Vec2 p, double r) {
  const Vec2 local = p - lamp.centre;
  const double d = walking ? WalkingFigure(local) : StandingFigure(local);
  const double inside = Smoothstep(0.002, -0.002, d);
  if (!lamp.lit) {
    return Mix(kLensBlack, lamp.colours.dim, inside) + Sheen(lamp, p, r, 0.12);
  }
  const Rgb figure = Mix(lamp.colours.edge, lamp.colours.hot, 0.35 * Smoothstep(0.0, -0.016, d));
  const Rgb glow = kLensBlack + lamp.colours.edge * (0.3 * std::exp(-std::max(d, 0.0) / 0.02));
  return Mix(glow, figure, inside) + Sheen(lamp, p, r, 0.07);
}

// Housing colour at `p`, lit from within by the halo of every lit lamp.
Rgb HousingAt(const Head& head, Vec2 p) {
  const SignalShape& s = *head.shape;
  const double edge = std::min({p.x, s.head_width - p.x, p.y, s.head_height - p.y});
  Rgb c = Mix(kRim, kHousing, Smoothstep(0.008, 0.016, edge));
  for (const Lamp& lamp : head.lamps) {
    if (lamp.lit) {
      const double d = LensDistance(head, lamp, p) - kBezelWidth;
      c = c + lamp.colours.edge * (0.22 * std::exp(-std::max(d, 0.0) / 0.045));
    }
  }
  return c;
}

// The head's front at `p`, in scene units from its top-left corner.
Rgb HeadFront(const Head& head, Vec2 p) {
  const double r = head.shape->lamp_half;
  for (std::size_t i = 0; i < static_cast<std::size_t>(head.shape->lamp_count); ++i) {
    const Lamp& lamp = head.lamps[i];
    const double d = LensDistance(head, lamp, p);
    if (d < 0.0) {
      return head.square ? FigureLens(lamp, i == 1, p, r) : RoundLens(lamp, p, r);
    }
    if (d < kBezelWidth) {
      const double shade = 0.5 + 0.5 * (lamp.centre.y - p.y) / (r + kBezelWidth);
      return kBezel + Rgb{30, 30, 32} * (0.6 * shade * shade);
    }
  }
  return HousingAt(head, p);
}

Rgb LightPixel(const Head& head, double u, double v) {
  if (v >= kSwatchTopV) {
    return u < 0.5 ? kHousingSwatch : kPoleSwatch;
  }
  if (v >= kPictureBottomV) {
    return kHousingSwatch;
  }
  const Vec2 p{u * head.shape->head_width, v / kPictureBottomV * head.shape->head_height};
  return HeadFront(head, p);
}

Head MakeHead(const SignalShape& shape, bool square, const std::array<LampColours, 3>& colours,
              const std::array<bool, 3>& lit) {
  Head head{&shape, {}, square};
  for (std::size_t i = 0; i < 3; ++i) {
    head.lamps[i] = {{shape.head_width / 2, shape.lamp_drop[i]}, colours[i], lit[i]};
  }
  return head;
}

Picture RenderHead(const Head& head) {
  return RenderPicture(kLightTextureWidth, kLightTextureHeight, kSamples,
                       [&head](double u, double v) { return LightPixel(head, u, v); });
}

}  // namespace

Picture RenderTrafficLightPicture(bool red, bool orange, bool green) {
  return RenderHead(MakeHead(kTrafficShape, false, {kRed, kOrange, kGreen}, {red, orange, green}));
}

Picture RenderPedLightPicture(bool red, bool green) {
  return RenderHead(MakeHead(kPedShape, true, {kRed, kGreen, kGreen}, {red, green, false}));
}

}  // namespace assetgen
