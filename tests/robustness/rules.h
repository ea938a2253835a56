// What the lamps of the renderer's current light system show, the rules that keep the people and
// cars it controls apart, and the rules of its step schedule.
#pragma once

#include <cstdint>
#include <string>

class CRender;

namespace robust {

// Every lamp of the current system as one bit (lit or dark), with the kind of system on top; equal
// values look the same on screen.
std::uint32_t LampPattern(CRender& render);

// Empty while the current system's lamps are safe; otherwise the first broken rule:
// - no pedestrian head lit red and green at once; every traffic head shows red, red and orange,
//   green, orange or nothing;
// - while the system is on: crossroads, a direction's traffic light shows anything but red, and
//   its pedestrian light green, only while the other direction's traffic light shows red alone;
//   crossing, the pedestrian light is green only while the traffic light shows red alone;
// - while it is off or blinking: no green lamp at all.
std::string UnsafeLamps(CRender& render);

// Empty while the schedule is sound after a frame: the next step lies after the clock by at most
// the system's step delay, and the speed is above zero and at most the largest value the speed
// keys reach.
std::string BadSchedule(CRender& render);

// The first speed the speed-up key reaches that is not below 10: 1.0 raised in 0.01 steps.
inline constexpr float kTopSpeed = 10.000134468078613f;

}  // namespace robust
