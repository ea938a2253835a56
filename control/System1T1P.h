// Pedestrian crossing: one traffic light and one pedestrian light that serve requests.
#pragma once

#include <memory>

#include "control/Lightsystem.h"
#include "control/PedestrianLight.h"
#include "control/TrafficLight.h"

// Keeps the cars on green until a pedestrian request, then gives the pedestrians one green period.
class System1T1P : public Lightsystem {
 public:
  // Which light is being cycled.
  enum phase1t1p { phaseoff = 0, phasetraffic = 1, phasepedestrian = 2 };

  // Creates both lights; the new system is on, both lights red, cars next to move.
  System1T1P();

  // Restarts with both lights red and the cars next to move, then notifies.
  void SwitchOn() override;
  // Darkens both lights and notifies.
  void SwitchOff() override;
  // Takes one step of the crossing, sets the step time and notifies.
  void Advance() override;
  // Both lights red, cars next to move, without notifying.
  void Init() override;
  // Toggles the pedestrian red lamp and the traffic orange lamp.
  void Blink() override;
  // Nothing to check for the crossing.
  void Checkinvariants() override;

  // The pedestrian light, owned by this system.
  PedestrianLight* get_pedlight() const { return pedlight.get(); }
  // The traffic light, owned by this system.
  TrafficLight* get_traflight() const { return traflight.get(); }
  // The light currently being cycled.
  phase1t1p get_phase() const { return phase; }

 private:
  // Advances the light of the current phase; green for the cars is held until a request.
  void MoveCurrentLight();
  // Hands over to the other light once both are red and the handover is wanted.
  void ChangePhase();

  std::unique_ptr<PedestrianLight> pedlight;
  std::unique_ptr<TrafficLight> traflight;
  phase1t1p phase = phaseoff;
};
