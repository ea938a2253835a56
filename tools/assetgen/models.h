// The three meshes of the scene: the street, the traffic light and the pedestrian light.
#pragma once

#include "tools/assetgen/mesh.h"

namespace assetgen {

// A flat ground grid at y = 0 in mesh units (scene / 4), normals up, texture over the whole grid.
MeshData BuildStreetMesh();

// A traffic light standing at the origin: pole, signal head facing -z with its picture on the
// front, lamp visors; everything but the front takes the plain swatches of the texture.
MeshData BuildTrafficLightMesh();

// A pedestrian light built like the traffic light, with a smaller two-lamp head.
MeshData BuildPedLightMesh();

}  // namespace assetgen
