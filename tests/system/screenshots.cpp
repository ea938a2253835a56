// Writes pictures of both light systems from their start cameras, in each signal state, with and
// without the additional light models, as PPM files into the folder given on the command line.
// With --marks it also writes copies with a cross at each projected lamp centre.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/CRender.h"
#include "tests/system/drive.h"
#include "tests/system/scene_probe.h"

namespace {

struct Shooter {
  harness::LiveProgram& program;
  std::string folder;
  probe::CameraPose pose;
  std::vector<probe::Place> places;
  bool marks = false;
  int written = 0;

  // Writes the picture of the current state as `name` and, with the extras, as `name`_extra.
  void Shoot(const std::string& name) {
    program.Tap('W');
    program.Frame(drive::kFrameSeconds);
    Write(name);
    program.Tap('E');
    program.Frame(drive::kFrameSeconds);
    Write(name + "_extra");
    program.Tap('W');
    program.Frame(drive::kFrameSeconds);
  }

  void Write(const std::string& name) {
    harness::Picture picture;
    if (!program.Capture(picture))
      return;
    const std::string path = folder + "/" + name + ".ppm";
    if (picture.WritePpm(path.c_str()))
      ++written;
    if (marks) {
      Report(name, picture);
      Mark(picture);
      picture.WritePpm((folder + "/" + name + "_marks.ppm").c_str());
    }
  }

  // Prints the colour found at each lamp seen well enough to tell it.
  void Report(const std::string& name, const harness::Picture& picture) const {
    std::printf("%s:", name.c_str());
    for (std::size_t i = 0; i < places.size(); ++i) {
      for (probe::Lamp lamp : {probe::Lamp::red, probe::Lamp::orange, probe::Lamp::green}) {
        if (places[i].kind == probe::Kind::pedestrian && lamp == probe::Lamp::orange)
          continue;
        const probe::ScreenPoint point = probe::LampOnScreen(pose, places[i], lamp);
        if (probe::Readable(pose, places[i], lamp))
          std::printf(" %zu%c=%s", i + 1, "rog"[static_cast<int>(lamp)],
                      probe::Name(probe::LampHue(picture, point)));
      }
    }
    std::printf("\n");
  }

  void Mark(harness::Picture& picture) const {
    for (const probe::Place& place : places) {
      for (probe::Lamp lamp : {probe::Lamp::red, probe::Lamp::orange, probe::Lamp::green}) {
        if (place.kind == probe::Kind::pedestrian && lamp == probe::Lamp::orange)
          continue;
        Cross(picture, probe::LampOnScreen(pose, place, lamp));
      }
    }
  }

  static void Cross(harness::Picture& picture, const probe::ScreenPoint& point) {
    if (!point.visible)
      return;
    const int cx = static_cast<int>(std::lround(point.x));
    const int cy = static_cast<int>(std::lround(point.y));
    for (int d = -4; d <= 4; ++d) {
      Put(picture, cx + d, cy);
      Put(picture, cx, cy + d);
    }
  }

  static void Put(harness::Picture& picture, int x, int y) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
      return;
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                           static_cast<std::size_t>(x)) *
                          3;
    picture.rgb[i] = 0;
    picture.rgb[i + 1] = 255;
    picture.rgb[i + 2] = 255;
  }
};

// Every place of a scene's models, the extras included.
std::vector<probe::Place> PlacesOf(const probe::Scene& scene) {
  std::vector<probe::Place> places;
  for (const probe::Drawn& drawn : scene.drawn)
    places.push_back(drawn.place);
  return places;
}

// The off, blink and switched-on states, the same keys on either system; `orangeLit` tells
// whether the blinking lamps are lit.
void ShootSwitching(Shooter& shooter, const std::string& system, bool (*orangeLit)()) {
  harness::LiveProgram& program = shooter.program;
  drive::Press(program, 'O');
  shooter.Shoot(system + "_off");
  drive::Press(program, 'B');
  shooter.Shoot(system + "_blink_lit");
  if (drive::RunUntil(
          program, [orangeLit] { return !orangeLit(); }, 2.0f))
    shooter.Shoot(system + "_blink_dark");
  drive::Press(program, 'O');
  drive::Press(program, 'A');
  shooter.Shoot(system + "_switched_on");
}

void ShootCrossroads(Shooter& shooter) {
  using drive::Crossroads;
  using drive::Shows;
  harness::LiveProgram& program = shooter.program;
  drive::Settle(program);
  shooter.Shoot("crossroads_ew_redorange");
  const struct {
    const char* name;
    bool (*reached)();
  } steps[] = {
      {"crossroads_ew_green",
       [] { return Shows(Crossroads()->get_traflightEW(), TrafficLight::trafgreen); }},
      {"crossroads_ew_orange",
       [] { return Shows(Crossroads()->get_traflightEW(), TrafficLight::traforange); }},
      {"crossroads_all_red", [] { return Crossroads()->get_phase() == System2T2P::phaseNS; }},
      {"crossroads_ns_redorange",
       [] { return Shows(Crossroads()->get_traflightNS(), TrafficLight::trafredorange); }},
      {"crossroads_ns_green",
       [] { return Shows(Crossroads()->get_traflightNS(), TrafficLight::trafgreen); }},
  };
  for (const auto& step : steps) {
    if (drive::RunUntil(program, step.reached, 10.0f))
      shooter.Shoot(step.name);
  }
  ShootSwitching(shooter, "crossroads", [] {
    return Crossroads()->get_traflightEW()->get_orangelamp()->get_state() == Device::on;
  });
}

void ShootCrossing(Shooter& shooter) {
  using drive::Crossing;
  using drive::Shows;
  harness::LiveProgram& program = shooter.program;
  drive::Press(program, 'S');
  shooter.Shoot("crossing_redorange");
  const struct {
    const char* name;
    bool request;
    bool (*reached)();
  } steps[] = {
      {"crossing_green", false,
       [] { return Shows(Crossing()->get_traflight(), TrafficLight::trafgreen); }},
      {"crossing_orange", true,
       [] { return Shows(Crossing()->get_traflight(), TrafficLight::traforange); }},
      {"crossing_red", false,
       [] { return Crossing()->get_phase() == System1T1P::phasepedestrian; }},
      {"crossing_ped_green", false,
       [] { return Shows(Crossing()->get_pedlight(), PedestrianLight::pedgreen); }},
  };
  for (const auto& step : steps) {
    if (step.request)
      program.Tap('R');
    if (drive::RunUntil(program, step.reached, 10.0f))
      shooter.Shoot(step.name);
  }
  ShootSwitching(shooter, "crossing", [] {
    return Crossing()->get_traflight()->get_orangelamp()->get_state() == Device::on;
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder> [--marks]\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  if (folder.front() != '/') {
    char here[4096] = {};
    folder = std::string(getcwd(here, sizeof here) != nullptr ? here : ".") + "/" + folder;
  }
  const bool marks = argc > 2 && std::strcmp(argv[2], "--marks") == 0;
  // The program opens its models and textures relative to the repository root.
  if (chdir(KZ_SOURCE_ROOT) != 0)
    return 1;
  harness::LiveProgram program;
  if (!program.Ready()) {
    std::fprintf(stderr, "no display, window or device\n");
    return 77;
  }
  Shooter crossroads{program, folder, probe::kCrossroadsStart, PlacesOf(probe::CrossroadsScene()),
                     marks};
  ShootCrossroads(crossroads);
  Shooter crossing{program, folder, probe::kCrossingStart, PlacesOf(probe::CrossingScene()), marks};
  ShootCrossing(crossing);
  std::printf("%d pictures in %s\n", crossroads.written + crossing.written, folder.c_str());
  return 0;
}
