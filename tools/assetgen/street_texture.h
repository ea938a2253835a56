// The street texture: a top-down picture of the whole ground at night.
#pragma once

#include "tools/assetgen/picture.h"

namespace assetgen {

// The ground seen from above, north at the top, drawn through kStreetMapX and kStreetMapZ so that
// it lines up with the street mesh's texture coordinates.
Picture RenderStreetPicture();

}  // namespace assetgen
