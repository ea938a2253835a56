// Pedestrian request shared by the light systems.
#include "control/Lightsystem.h"

void Lightsystem::Requestped() {
  pedrequest = true;
}
