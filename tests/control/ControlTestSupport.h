// Test support for the light control: lamp pictures and a display that records them.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "control/Device.h"
#include "control/Lamp.h"
#include "control/PedestrianLight.h"
#include "control/Shower.h"
#include "control/System1T1P.h"
#include "control/System2T2P.h"
#include "control/TrafficLight.h"

namespace kztest {

// `mark` when the lamp is lit, '-' when it is dark.
inline char Mark(const Lamp& lamp, char mark) {
  return lamp.get_state() == Device::on ? mark : '-';
}

// A single lamp as "*" when lit, "-" when dark.
inline std::string Lamps(const Lamp& lamp) {
  return {Mark(lamp, '*')};
}

// A traffic light as "ROG", dark lamps as '-'.
inline std::string Lamps(const TrafficLight& light) {
  return {Mark(*light.get_redlamp(), 'R'), Mark(*light.get_orangelamp(), 'O'),
          Mark(*light.get_greenlamp(), 'G')};
}

// A pedestrian light as "RG", dark lamps as '-'.
inline std::string Lamps(const PedestrianLight& light) {
  return {Mark(*light.get_redlamp(), 'R'), Mark(*light.get_greenlamp(), 'G')};
}

// The crossing as "<traffic> <pedestrian>".
inline std::string Lamps(const System1T1P& system) {
  return Lamps(*system.get_traflight()) + " " + Lamps(*system.get_pedlight());
}

// The crossroads as "<traffic EW> <pedestrian EW> / <traffic NS> <pedestrian NS>".
inline std::string Lamps(const System2T2P& system) {
  return Lamps(*system.get_traflightEW()) + " " + Lamps(*system.get_pedlightEW()) + " / " +
         Lamps(*system.get_traflightNS()) + " " + Lamps(*system.get_pedlightNS());
}

// What a display saw when it was told of a change.
struct Snapshot {
  std::string lamps;
  bool blinking = false;
  bool operator==(const Snapshot&) const = default;
};

// Readable failure messages for snapshots.
inline void PrintTo(const Snapshot& snapshot, std::ostream* out) {
  *out << '"' << snapshot.lamps << '"' << (snapshot.blinking ? " blinking" : "");
}

// A display that records, at every Do, the lamps and the blink flag of the device it observes.
class RecordingShower : public Shower {
 public:
  template <class Observed>
  explicit RecordingShower(const Observed& observed)
      : picture([&observed] { return Lamps(observed); }), device(observed) {}

  void Do() override { snapshots.push_back({picture(), device.get_blinking()}); }
  void Show(bool) override {}
  void SetTime(float) override {}

  // Every Do so far, oldest first.
  std::vector<Snapshot> snapshots;

 private:
  std::function<std::string()> picture;
  const Device& device;
};

// The snapshot a display should take of `observed` as it is now.
template <class Observed>
Snapshot Now(const Observed& observed) {
  return {Lamps(observed), observed.get_blinking()};
}

}  // namespace kztest
