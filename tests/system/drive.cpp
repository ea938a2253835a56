// Scripted frames over the in-process program.
#include "tests/system/drive.h"

#include <algorithm>

#include "app/CRender.h"

namespace drive {

void Settle(harness::LiveProgram& program) {
  program.Frames(2, kFrameSeconds);
}

void Press(harness::LiveProgram& program, int vk) {
  program.Tap(vk);
  program.Frame(kFrameSeconds);
  Settle(program);
}

void RunTo(harness::LiveProgram& program, double seconds) {
  // Below this a frame could leave the clock where it is.
  constexpr double kLeast = 1e-4;
  while (g_render != nullptr && g_render->get_simtime() < seconds) {
    const double now = g_render->get_simtime();
    const double due = g_render->get_nexttime();
    const double end = due > now && due < seconds ? due : seconds;
    program.Frame(static_cast<float>(std::max(end - now, kLeast) / g_render->get_speed()));
  }
}

bool RunUntil(harness::LiveProgram& program, const std::function<bool()>& reached, float seconds) {
  for (float passed = 0.0f; passed <= seconds; passed += kFrameSeconds) {
    if (reached())
      return true;
    program.Frame(kFrameSeconds);
  }
  return reached();
}

System1T1P* Crossing() {
  return g_render != nullptr && g_render->get_activesystem() == 0 ? g_render->GetSystem1()
                                                                  : nullptr;
}

System2T2P* Crossroads() {
  return g_render != nullptr && g_render->get_activesystem() == 1 ? g_render->GetSystem2()
                                                                  : nullptr;
}

bool Shows(const TrafficLight* light, TrafficLight::trafficstates state) {
  return light != nullptr && light->get_trafficstate() == state;
}

bool Shows(const PedestrianLight* light, PedestrianLight::pedstates state) {
  return light != nullptr && light->get_pedstate() == state;
}

}  // namespace drive
