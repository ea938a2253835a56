// The pictures of the two signal heads, one per lamp pattern.
#pragma once

#include "tools/assetgen/picture.h"

namespace assetgen {

// The traffic light's texture with the given lamps lit (red at the top, green at the bottom).
Picture RenderTrafficLightPicture(bool red, bool orange, bool green);

// The pedestrian light's texture: a standing figure in the red lamp above a walking figure in the
// green lamp, each bright when lit and dim otherwise.
Picture RenderPedLightPicture(bool red, bool green);

}  // namespace assetgen
