// Camera movement and the view and projection it sets.
#include "render/CCamera.h"

#include <cmath>

namespace {

// Radians turned per second of frame time (pi/4).
constexpr float kTurnRate = 0.7853982f;
// Scene units walked per second of frame time.
constexpr double kWalkRate = 5.0;
constexpr float kEyeHeight = 3.0f;
constexpr float kFieldOfView = 0.7853982f;
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 250.0f;

}  // namespace

CCamera::CCamera(IDirect3DDevice9* target, int screenwidth, int screenheight, float x, float z,
                 float heading)
    : device(target),
      position{x, kEyeHeight, z},
      angle(heading),
      width(screenwidth),
      height(screenheight) {
  Aim();
}

void CCamera::Aim() {
  // The sines are taken in double precision from the float heading and rounded once.
  const double heading = static_cast<double>(angle);
  lookdir = D3DXVECTOR3(static_cast<float>(std::sin(heading)), position.y,
                        static_cast<float>(std::cos(heading)));
}

void CCamera::Turnright(float time) {
  angle = angle + time * kTurnRate;
  Aim();
}

void CCamera::Turnleft(float time) {
  angle = angle - time * kTurnRate;
  Aim();
}

void CCamera::Movefoward(float time) {
  Walk(time);
}

void CCamera::Movebackward(float time) {
  Walk(-time);
}

void CCamera::Walk(float time) {
  // The step is scaled and added in double precision and rounded once into the float position.
  position.x = static_cast<float>(position.x + static_cast<double>(lookdir.x * time) * kWalkRate);
  position.z = static_cast<float>(position.z + static_cast<double>(lookdir.z * time) * kWalkRate);
}

void CCamera::Update() {
  if (device == nullptr)
    return;
  const D3DXVECTOR3 at(position.x + lookdir.x, lookdir.y, position.z + lookdir.z);
  const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &position, &at, &up);
  device->SetTransform(D3DTS_VIEW, &view);
  D3DXMATRIX projection;
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView, aspect, kNearPlane, kFarPlane);
  device->SetTransform(D3DTS_PROJECTION, &projection);
}
