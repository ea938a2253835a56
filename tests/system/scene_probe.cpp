// Projection of scene points and colour counts over presented pictures.
#include "tests/system/scene_probe.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "render/platform/d3dx9.h"

namespace probe {
namespace {

// The camera's fixed values: eye height, field of view, near and far planes.
constexpr float kEyeHeight = 3.0f;
constexpr float kFieldOfView = 0.7853982f;
constexpr float kNear = 0.1f;
constexpr float kFar = 250.0f;
constexpr float kRadiansPerDegree = 0.017453292f;

// The signal heads as the asset generator builds them: the top edge of the head, the lamp
// centres below it and the front face (the head faces -z in model space).
struct HeadLayout {
  float top = 0.0f;
  std::array<float, 3> drop{};
  float front = 0.0f;
};
constexpr HeadLayout kTrafficHead{3.9f, {0.32f, 0.8f, 1.28f}, -0.40f};
constexpr HeadLayout kPedHead{3.15f, {0.27f, 0.0f, 0.73f}, -0.35f};
// The half side of every lens.
constexpr double kLensHalf = 0.19;
// The least lens width in pixels at which each kind's lit lamp is told apart reliably.
constexpr double kReadableTraffic = 1.0;
constexpr double kReadablePedestrian = 4.0;

D3DXVECTOR3 Transform(const D3DXVECTOR3& v, const D3DXMATRIX& m, float& w) {
  const auto& a = m.m;
  w = v.x * a[0][3] + v.y * a[1][3] + v.z * a[2][3] + a[3][3];
  return {v.x * a[0][0] + v.y * a[1][0] + v.z * a[2][0] + a[3][0],
          v.x * a[0][1] + v.y * a[1][1] + v.z * a[2][1] + a[3][1],
          v.x * a[0][2] + v.y * a[1][2] + v.z * a[2][2] + a[3][2]};
}

D3DXMATRIX ViewProjection(const CameraPose& pose) {
  const auto heading = static_cast<double>(pose.angle);
  const D3DXVECTOR3 eye{pose.x, kEyeHeight, pose.z};
  const D3DXVECTOR3 at{pose.x + static_cast<float>(std::sin(heading)), kEyeHeight,
                       pose.z + static_cast<float>(std::cos(heading))};
  const D3DXVECTOR3 up{0.0f, 1.0f, 0.0f};
  D3DXMATRIX view;
  D3DXMATRIX projection;
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView,
                             static_cast<float>(kWidth) / static_cast<float>(kHeight), kNear, kFar);
  D3DXMATRIX both;
  D3DXMatrixMultiply(&both, &view, &projection);
  return both;
}

// Classifies one pixel: lit pixels are bright and saturated; dark ones are neither.
Hue PixelHue(const harness::Picture::Pixel& p) {
  const int high = std::max({p.r, p.g, p.b});
  const int low = std::min({p.r, p.g, p.b});
  if (high < 110 || (high - low) * 100 < high * 45)
    return Hue::dark;
  if (p.g > p.r && p.g >= p.b * 3 / 4)
    return Hue::green;
  if (p.r == high && p.b * 2 < p.r) {
    if (p.g * 100 < p.r * 45)
      return Hue::red;
    if (p.g * 100 < p.r * 85)
      return Hue::orange;
  }
  return Hue::other;
}

}  // namespace

ScreenPoint Project(const CameraPose& pose, float x, float y, float z) {
  float w = 0.0f;
  const D3DXVECTOR3 clip = Transform({x, y, z}, ViewProjection(pose), w);
  if (w <= kNear)
    return {};
  const double nx = clip.x / w;
  const double ny = clip.y / w;
  const double focal = kHeight / 2.0 / std::tan(kFieldOfView / 2.0);
  ScreenPoint point{(nx + 1.0) / 2.0 * kWidth, (1.0 - ny) / 2.0 * kHeight, focal / w, false};
  point.visible = point.x >= 0 && point.x < kWidth && point.y >= 0 && point.y < kHeight;
  return point;
}

namespace {

const HeadLayout& HeadOf(Kind kind) {
  return kind == Kind::traffic ? kTrafficHead : kPedHead;
}

D3DXMATRIX WorldOf(const Place& place) {
  D3DXMATRIX rotation;
  D3DXMATRIX translation;
  D3DXMATRIX world;
  D3DXMatrixRotationY(&rotation, place.angle * kRadiansPerDegree);
  D3DXMatrixTranslation(&translation, place.x, 0.0f, place.z);
  D3DXMatrixMultiply(&world, &rotation, &translation);
  return world;
}

D3DXVECTOR3 LampInScene(const Place& place, Lamp lamp) {
  const HeadLayout& head = HeadOf(place.kind);
  float w = 0.0f;
  return Transform({0.0f, head.top - head.drop[static_cast<std::size_t>(lamp)], head.front},
                   WorldOf(place), w);
}

}  // namespace

ScreenPoint LampOnScreen(const CameraPose& pose, const Place& place, Lamp lamp) {
  const D3DXVECTOR3 scene = LampInScene(place, lamp);
  return Project(pose, scene.x, scene.y, scene.z);
}

double LensWidth(const CameraPose& pose, const Place& place, Lamp lamp) {
  const ScreenPoint centre = LampOnScreen(pose, place, lamp);
  if (!centre.visible)
    return 0.0;
  // The head's front faces -z in model space; turned with the model, it faces (-sin, -cos).
  const double turn = static_cast<double>(place.angle * kRadiansPerDegree);
  const D3DXVECTOR3 lens = LampInScene(place, lamp);
  const double dx = pose.x - lens.x;
  const double dy = kEyeHeight - lens.y;
  const double dz = pose.z - lens.z;
  const double facing =
      (-std::sin(turn) * dx - std::cos(turn) * dz) / std::sqrt(dx * dx + dy * dy + dz * dz);
  return std::max(0.0, 2.0 * kLensHalf * centre.scale * facing);
}

bool Readable(const CameraPose& pose, const Place& place, Lamp lamp) {
  const double least = place.kind == Kind::traffic ? kReadableTraffic : kReadablePedestrian;
  return LensWidth(pose, place, lamp) >= least;
}

const Scene& CrossroadsScene() {
  static const Scene scene{kCrossroadsStart,
                           {{trafficEW, {Kind::traffic, -6, -6, 90}, false},
                            {trafficNS, {Kind::traffic, 6, -6, 0}, false},
                            {pedNS, {Kind::pedestrian, -12, 6, 0}, false},
                            {pedEW, {Kind::pedestrian, 6, -12, 90}, false},
                            {trafficEW, {Kind::traffic, 6, 6, 270}, true},
                            {trafficNS, {Kind::traffic, -6, 6, 180}, true},
                            {pedNS, {Kind::pedestrian, -12, -6, 180}, true},
                            {pedNS, {Kind::pedestrian, 12, -6, 180}, true},
                            {pedNS, {Kind::pedestrian, 12, 6, 0}, true},
                            {pedEW, {Kind::pedestrian, -6, -12, 270}, true},
                            {pedEW, {Kind::pedestrian, -6, 12, 270}, true},
                            {pedEW, {Kind::pedestrian, 6, 12, 90}, true}}};
  return scene;
}

const Scene& CrossingScene() {
  static const Scene scene{kCrossingStart,
                           {{traffic, {Kind::traffic, 6, -7, 0}, false},
                            {ped, {Kind::pedestrian, 6, -1, 90}, false},
                            {traffic, {Kind::traffic, -6, 3, 180}, true},
                            {ped, {Kind::pedestrian, -6, -4, 270}, true}}};
  return scene;
}

const char* Name(Hue hue) {
  switch (hue) {
    case Hue::dark:
      return "dark";
    case Hue::red:
      return "red";
    case Hue::orange:
      return "orange";
    case Hue::green:
      return "green";
    case Hue::other:
      break;
  }
  return "other";
}

int CountHue(const harness::Picture& picture, Hue hue, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, picture.height); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, picture.width); ++x) {
      if (PixelHue(picture.At(x, y)) == hue)
        ++count;
    }
  }
  return count;
}

Hue LampHue(const harness::Picture& picture, const ScreenPoint& centre) {
  // Inside the lens (half side 0.19) whatever the model's heading; never below a 5x5 square.
  const int radius = std::max(2, static_cast<int>(std::lround(0.15 * centre.scale)));
  const int cx = static_cast<int>(std::lround(centre.x));
  const int cy = static_cast<int>(std::lround(centre.y));
  const std::array<Hue, 3> lit = {Hue::red, Hue::orange, Hue::green};
  Hue best = Hue::dark;
  int bestCount = 0;
  for (Hue hue : lit) {
    const int count =
        CountHue(picture, hue, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1);
    if (count > bestCount) {
      best = hue;
      bestCount = count;
    }
  }
  // A few stray pixels do not make a lamp lit.
  return bestCount >= 3 ? best : Hue::dark;
}

int CountYellowish(const harness::Picture& picture, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, picture.height); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x1, picture.width); ++x) {
      const harness::Picture::Pixel p = picture.At(x, y);
      if (p.r >= 50 && p.g >= 50 && std::abs(p.r - p.g) * 4 < p.r && p.b * 2 < p.r)
        ++count;
    }
  }
  return count;
}

double MeanDifference(const harness::Picture& a, const harness::Picture& b) {
  if (a.rgb.size() != b.rgb.size() || a.rgb.empty())
    return 255.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i)
    sum += std::abs(static_cast<int>(a.rgb[i]) - static_cast<int>(b.rgb[i]));
  return sum / static_cast<double>(a.rgb.size());
}

}  // namespace probe
