// Driving the in-process program: frames until a state of the current light system is reached,
// and the frames that bring the picture up to date with the camera.
#pragma once

#include <functional>

#include "control/System1T1P.h"
#include "control/System2T2P.h"
#include "tests/harness/live_program.h"

namespace drive {

// The frame time of the scripted frames, in seconds.
inline constexpr float kFrameSeconds = 0.05f;

// Two short frames: the second is drawn with the view the first one's camera set.
void Settle(harness::LiveProgram& program);

// Taps `vk` for one frame, then settles.
void Press(harness::LiveProgram& program, int vk);

// Runs frames until the simulated clock reaches `seconds`, each ending on the next step's due time
// or on `seconds`, so that every step is taken when it falls due.
void RunTo(harness::LiveProgram& program, double seconds);

// Runs frames until `reached` holds (checked after each frame); false after `seconds` without.
bool RunUntil(harness::LiveProgram& program, const std::function<bool()>& reached, float seconds);

// The current systems through the global renderer (null while the other kind is current).
System1T1P* Crossing();
System2T2P* Crossroads();

// Whether `light` shows `state`.
bool Shows(const TrafficLight* light, TrafficLight::trafficstates state);
bool Shows(const PedestrianLight* light, PedestrianLight::pedstates state);

}  // namespace drive
