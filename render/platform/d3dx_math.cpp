// Matrix helpers for row vectors in a left-handed, y-up space.
#include <cmath>

#include "render/platform/d3dx9.h"

namespace {

D3DXVECTOR3 Sub(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

D3DXVECTOR3 Normalize(const D3DXVECTOR3& v) {
  const float length = std::sqrt(Dot(v, v));
  if (length == 0.0f) return {0.0f, 0.0f, 0.0f};
  return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  *out = D3DXMATRIX{};
  for (int i = 0; i < 4; ++i) out->m[i][i] = 1.0f;
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz) {
  D3DXMatrixIdentity(out);
  out->m[0][0] = sx;
  out->m[1][1] = sy;
  out->m[2][2] = sz;
  return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  D3DXMatrixIdentity(out);
  out->m[3][0] = x;
  out->m[3][1] = y;
  out->m[3][2] = z;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  D3DXMatrixIdentity(out);
  out->m[0][0] = c;
  out->m[0][2] = -s;
  out->m[2][0] = s;
  out->m[2][2] = c;
  return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a->m[i][k] * b->m[k][j];
      r.m[i][j] = sum;
    }
  }
  *out = r;
  return out;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  const D3DXVECTOR3 z = Normalize(Sub(*at, *eye));
  const D3DXVECTOR3 x = Normalize(Cross(*up, z));
  const D3DXVECTOR3 y = Cross(z, x);
  *out = D3DXMATRIX{};
  const D3DXVECTOR3 axes[3] = {x, y, z};
  for (int c = 0; c < 3; ++c) {
    out->m[0][c] = axes[c].x;
    out->m[1][c] = axes[c].y;
    out->m[2][c] = axes[c].z;
    out->m[3][c] = -Dot(axes[c], *eye);
  }
  out->m[3][3] = 1.0f;
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovy, float aspect, float zn,
                                       float zf) {
  const float h = 1.0f / std::tan(fovy / 2.0f);
  const float w = h / aspect;
  *out = D3DXMATRIX{};
  out->m[0][0] = w;
  out->m[1][1] = h;
  out->m[2][2] = zf / (zf - zn);
  out->m[2][3] = 1.0f;
  out->m[3][2] = -zn * zf / (zf - zn);
  return out;
}
