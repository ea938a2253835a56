// Where the scene's lamps appear on the screen and what colour a region of a presented picture
// shows: known scene points projected with the camera's own matrices, and colour counts.
#pragma once

#include <vector>

#include "tests/harness/live_program.h"

namespace probe {

// The screen of the program.
inline constexpr int kWidth = 1024;
inline constexpr int kHeight = 768;

// A camera pose as the displays create it: eye at height 3 on (x, z), heading in radians.
struct CameraPose {
  float x = 0.0f;
  float z = 0.0f;
  float angle = 0.0f;
};

inline constexpr CameraPose kCrossroadsStart{-25.0f, -10.0f, 45.0f};
inline constexpr CameraPose kCrossingStart{-10.0f, -10.0f, 45.0f};

// A pixel position on the screen; `visible` when the point lies in front of the eye and on screen;
// `scale` is how many pixels one scene unit spans at the point's depth.
struct ScreenPoint {
  double x = 0.0;
  double y = 0.0;
  double scale = 0.0;
  bool visible = false;
};

// Projects the scene point (x, y, z) with the view and projection the camera sets for `pose`.
ScreenPoint Project(const CameraPose& pose, float x, float y, float z);

// The kinds of light model and their lamps, top to bottom.
enum class Kind { traffic, pedestrian };
enum class Lamp { red, orange, green };

// One place where a display draws a light model: ground position and heading in degrees.
struct Place {
  Kind kind = Kind::traffic;
  float x = 0.0f;
  float z = 0.0f;
  float angle = 0.0f;
};

// One place where a display draws the model of one of its lights; `light` indexes the system's
// lights, `extra` marks the additional models.
struct Drawn {
  int light = 0;
  Place place;
  bool extra = false;
};

// A display's light models at their places, and its start camera.
struct Scene {
  CameraPose pose;
  std::vector<Drawn> drawn;
};

// The crossroads' lights and the crossing's lights, as Drawn::light names them.
enum CrossroadsLight { trafficEW, trafficNS, pedNS, pedEW };
enum CrossingLight { traffic, ped };

// The two displays' placement tables, the additional models included.
const Scene& CrossroadsScene();
const Scene& CrossingScene();

// The screen position of the centre of `lamp` on the front of the model drawn at `place`.
ScreenPoint LampOnScreen(const CameraPose& pose, const Place& place, Lamp lamp);

// How wide, in pixels, the camera sees the lens of `lamp`: its diameter foreshortened by the angle
// between the head's front and the line of sight; 0 when the head is seen from behind or off
// screen.
double LensWidth(const CameraPose& pose, const Place& place, Lamp lamp);

// Whether the lens is seen wide enough to tell its colour: a round traffic-light lens is lit all
// over, a pedestrian lens only where its figure is, so that needs more width.
bool Readable(const CameraPose& pose, const Place& place, Lamp lamp);

// What a lamp region shows: the colour of most of its bright saturated pixels, or dark.
enum class Hue { dark, red, orange, green, other };
const char* Name(Hue hue);

// Classifies the lens around the lamp centre `centre`: a square inside the lens, scaled with depth.
Hue LampHue(const harness::Picture& picture, const ScreenPoint& centre);

// Counts the pixels of `hue` in the rectangle [x0, x1) x [y0, y1).
int CountHue(const harness::Picture& picture, Hue hue, int x0, int y0, int x1, int y1);

// Counts the help-text pixels (yellow over the scene: red and green well above blue).
int CountYellowish(const harness::Picture& picture, int x0, int y0, int x1, int y1);

// Mean absolute difference per channel between two pictures of the same size.
double MeanDifference(const harness::Picture& a, const harness::Picture& b);

}  // namespace probe
