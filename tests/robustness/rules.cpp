// The lamp and schedule rules, read from the lights of the current system through the renderer's
// accessors.
#include "tests/robustness/rules.h"

#include <cmath>
#include <utility>
#include <vector>

#include "app/CRender.h"
#include "control/System1T1P.h"
#include "control/System2T2P.h"

namespace robust {
namespace {

struct Head {
  bool red = false;
  bool orange = false;
  bool green = false;
};

bool Lit(const Lamp* lamp) {
  return lamp->get_state() == Device::on;
}

Head Read(const TrafficLight& light) {
  return {Lit(light.get_redlamp()), Lit(light.get_orangelamp()), Lit(light.get_greenlamp())};
}

Head Read(const PedestrianLight& light) {
  return {Lit(light.get_redlamp()), false, Lit(light.get_greenlamp())};
}

bool RedAlone(const Head& h) {
  return h.red && !h.orange && !h.green;
}

// One of the five pictures a traffic head has.
bool Picture(const Head& h) {
  return !h.green || (!h.red && !h.orange);
}

struct Direction {
  const char* name = "";
  Head traffic;
  Head pedestrian;
};

std::string CheckHeads(const std::vector<Direction>& directions) {
  for (const Direction& d : directions) {
    if (d.pedestrian.red && d.pedestrian.green)
      return std::string(d.name) + ": pedestrian head red and green at once";
    if (!Picture(d.traffic))
      return std::string(d.name) + ": traffic head shows green with red or orange";
  }
  return {};
}

std::string CheckSwitchedOff(const std::vector<Direction>& directions) {
  for (const Direction& d : directions) {
    if (d.traffic.green || d.pedestrian.green)
      return std::string(d.name) + ": green while the system is off or blinking";
  }
  return {};
}

std::string CheckCrossroads(const Direction& a, const Direction& b) {
  for (const auto& [own, other] : {std::pair{a, b}, std::pair{b, a}}) {
    if (!RedAlone(own.traffic) && !RedAlone(other.traffic))
      return std::string(own.name) + " and " + other.name + " both show other than red";
    if (own.pedestrian.green && !RedAlone(other.traffic))
      return std::string(own.name) + " pedestrians green while " + other.name + " is not red";
  }
  return {};
}

std::string CheckCrossing(const Direction& d) {
  if (d.pedestrian.green && !RedAlone(d.traffic))
    return "pedestrians green while the cars are not red";
  return {};
}

std::vector<Direction> Directions(CRender& render) {
  if (render.get_activesystem() == 1) {
    const System2T2P& s = *render.GetSystem2();
    return {{"north-south", Read(*s.get_traflightNS()), Read(*s.get_pedlightNS())},
            {"east-west", Read(*s.get_traflightEW()), Read(*s.get_pedlightEW())}};
  }
  const System1T1P& s = *render.GetSystem1();
  return {{"crossing", Read(*s.get_traflight()), Read(*s.get_pedlight())}};
}

}  // namespace

std::uint32_t LampPattern(CRender& render) {
  std::uint32_t bits = static_cast<std::uint32_t>(render.get_activesystem());
  for (const Direction& d : Directions(render)) {
    for (const Head& h : {d.traffic, d.pedestrian}) {
      bits = (bits << 3) | (h.red ? 4u : 0u) | (h.orange ? 2u : 0u) | (h.green ? 1u : 0u);
    }
  }
  return bits;
}

std::string UnsafeLamps(CRender& render) {
  const std::vector<Direction> directions = Directions(render);
  std::string broken = CheckHeads(directions);
  if (!broken.empty())
    return broken;
  if (render.get_system()->get_state() != Device::on)
    return CheckSwitchedOff(directions);
  if (directions.size() == 2)
    return CheckCrossroads(directions[0], directions[1]);
  return CheckCrossing(directions[0]);
}

std::string BadSchedule(CRender& render) {
  const float speed = render.get_speed();
  if (!(speed > 0.0f && speed <= kTopSpeed))
    return "speed " + std::to_string(speed) + " out of range";
  const double ahead = render.get_nexttime() - render.get_simtime();
  const double delay = render.get_system()->get_timedelay();
  // The sum simtime + delay is rounded once to the clock's resolution.
  const double rounding = 4.0 * std::abs(render.get_simtime()) * 0x1p-52;
  if (!(ahead > 0.0 && ahead <= delay + rounding))
    return "next step " + std::to_string(ahead) + " s ahead with a delay of " +
           std::to_string(delay) + " s";
  return {};
}

}  // namespace robust
