// The viewer walking through the scene at eye height 3.0, looking level along its heading.
#pragma once

#include "render/platform/d3dx9.h"

// A camera that turns about the vertical axis and walks along its heading; Update sets the device's
// view and projection.
class CCamera {
 public:
  // Eye at (x, 3, z), heading `angle` in radians (0 looks along +z, growing turns towards +x).
  CCamera(IDirect3DDevice9* device, int width, int height, float x, float z, float angle);
  CCamera(const CCamera&) = delete;
  CCamera& operator=(const CCamera&) = delete;

  // Turns right by time * pi/4 radians.
  void Turnright(float time);
  // Turns left by time * pi/4 radians.
  void Turnleft(float time);
  // Walks forward along the heading by time * 5 units.
  void Movefoward(float time);
  // Walks backward along the heading by time * 5 units.
  void Movebackward(float time);
  // Sets the view (eye looking at position + lookdir on the ground, at lookdir's height) and the
  // 45-degree perspective projection with the screen's aspect ratio, near 0.1 and far 250.
  void Update();

  // The eye.
  const D3DXVECTOR3& get_position() const { return position; }
  // x and z: the heading as a unit vector on the ground; y: the height looked at.
  const D3DXVECTOR3& get_lookdir() const { return lookdir; }
  // The heading in radians, never wrapped.
  float get_angle() const { return angle; }

 private:
  // Recomputes lookdir from the heading, at the eye's height.
  void Aim();
  // Moves the eye along the heading by time * 5 units; negative times walk backward.
  void Walk(float time);

  IDirect3DDevice9* device = nullptr;
  D3DXVECTOR3 position{0.0f, 3.0f, 0.0f};
  D3DXVECTOR3 lookdir{0.0f, 3.0f, 1.0f};
  float angle = 0.0f;
  int width = 0;
  int height = 0;
};
