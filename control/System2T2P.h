// Crossroads: north-south and east-west take turns, each with a traffic and a pedestrian light.
#pragma once

#include <memory>

#include "control/Lightsystem.h"
#include "control/PedestrianLight.h"
#include "control/TrafficLight.h"

// Runs one direction's full cycle while the other shows red; ignores pedestrian requests.
class System2T2P : public Lightsystem {
 public:
  // Which direction runs.
  enum phase2t2p { phaseoff = 0, phaseEW = 1, phaseNS = 2 };

  // Creates the four lights; the new system is on, all red, east-west next to run.
  System2T2P();

  // Restarts with all four lights red and east-west next to run, then notifies.
  void SwitchOn() override;
  // Darkens all four lights and notifies.
  void SwitchOff() override;
  // Takes one step of the running direction, sets the step time and notifies.
  void Advance() override;
  // All four lights red, east-west next to run, without notifying.
  void Init() override;
  // Toggles both orange lamps and both pedestrian red lamps.
  void Blink() override;
  // Nothing to check for the crossroads.
  void Checkinvariants() override;

  // Pedestrian light along the north-south traffic, owned by this system.
  PedestrianLight* get_pedlightNS() const { return pedlightNS.get(); }
  // North-south traffic light, owned by this system.
  TrafficLight* get_traflightNS() const { return traflightNS.get(); }
  // Pedestrian light along the east-west traffic, owned by this system.
  PedestrianLight* get_pedlightEW() const { return pedlightEW.get(); }
  // East-west traffic light, owned by this system.
  TrafficLight* get_traflightEW() const { return traflightEW.get(); }
  // The direction that runs.
  phase2t2p get_phase() const { return phase; }

 private:
  // Advances one direction's lights; returns whether its cars now have green.
  bool AdvanceDirection(TrafficLight& traffic, PedestrianLight& pedestrian);

  std::unique_ptr<PedestrianLight> pedlightNS;
  std::unique_ptr<TrafficLight> traflightNS;
  std::unique_ptr<PedestrianLight> pedlightEW;
  std::unique_ptr<TrafficLight> traflightEW;
  phase2t2p phase = phaseoff;
};
