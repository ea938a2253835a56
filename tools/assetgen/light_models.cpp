// The signal meshes: foot, pole, head and one visor above each lamp, all boxes.
#include "tools/assetgen/light_layout.h"
#include "tools/assetgen/models.h"

namespace assetgen {
namespace {

MeshData BuildSignal(const SignalShape& s) {
  MeshData mesh;
  const QuadUv pole = PlainUv(kPoleSwatchUv);
  const QuadUv housing = PlainUv(kHousingSwatchUv);
  AddBox(mesh, {{-s.foot_half, 0.0, -s.foot_half}, {s.foot_half, s.foot_top, s.foot_half}}, pole,
         pole);
  AddBox(mesh, {{-s.pole_half, 0.0, -s.pole_half}, {s.pole_half, s.pole_top, s.pole_half}}, pole,
         pole);
  const double front = -s.pole_half - s.head_depth;
  const double top = s.head_bottom + s.head_height;
  const double half = s.head_width / 2;
  AddBox(mesh, {{-half, s.head_bottom, front}, {half, top, -s.pole_half}},
         RectUv(0.0, 0.0, 1.0, kPictureBottomV), housing);
  const double visor_half = s.lamp_half + kBezelWidth;
  for (int i = 0; i < s.lamp_count; ++i) {
    const double above = top - s.lamp_drop[static_cast<std::size_t>(i)] + visor_half;
    AddBox(mesh, {{-visor_half, above, front - s.visor_depth}, {visor_half, above + 0.02, front}},
           housing, housing);
  }
  return mesh;
}

}  // namespace

MeshData BuildTrafficLightMesh() {
  return BuildSignal(kTrafficShape);
}

MeshData BuildPedLightMesh() {
  return BuildSignal(kPedShape);
}

}  // namespace assetgen
