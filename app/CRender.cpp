// The renderer: construction, per-frame simulation step, system switching and teardown.
#include "app/CRender.h"

#include "app/platform/win32.h"
#include "control/System1T1P.h"
#include "control/System2T2P.h"
#include "render/CInitD3D.h"
#include "render/system1Shower.h"
#include "render/system2Shower.h"

CRender* g_render = nullptr;

namespace {

constexpr int kKeyE = 69;
constexpr int kKeyW = 87;
constexpr int kKeyS = 83;
constexpr int kKeyR = 82;
constexpr int kKeyB = 66;
constexpr int kKeyA = 65;
constexpr int kKeyO = 79;
constexpr float kSpeedStep = 0.01f;

// Any nonzero answer counts: the key is down now or was pressed since the last query.
bool Pressed(int vk) {
  return GetAsyncKeyState(vk) != 0;
}

}  // namespace

CRender::CRender(HWND hWnd) : init(std::make_unique<CInitD3D>(hWnd)), device(init->GetDevice()) {
  auto crossroads = std::make_unique<System2T2P>();
  auto display = std::make_unique<system2Shower>(device, init->get_width(), init->get_height());
  system2 = crossroads.get();
  system1 = nullptr;
  system = std::move(crossroads);
  shower = std::move(display);
  system->Registershower(shower.get());
  activesystem = 1;
}

CRender::~CRender() {
  DropCurrent();
  init.reset();
}

void CRender::DropCurrent() {
  system->Unregistershower();
  system.reset();
  shower.reset();
}

void CRender::SwitchSystem() {
  DropCurrent();
  const int width = init->get_width();
  const int height = init->get_height();
  if (activesystem == 1) {
    auto crossing = std::make_unique<System1T1P>();
    shower = std::make_unique<system1Shower>(device, width, height);
    system1 = crossing.get();
    system = std::move(crossing);
  } else {
    auto crossroads = std::make_unique<System2T2P>();
    shower = std::make_unique<system2Shower>(device, width, height);
    system2 = crossroads.get();
    system = std::move(crossroads);
  }
  system->Registershower(shower.get());
  // The kind left behind is gone; its reference is cleared rather than left dangling.
  if (activesystem == 1) {
    system2 = nullptr;
  } else {
    system1 = nullptr;
  }
  activesystem = activesystem == 1 ? 0 : 1;
}

void CRender::SetScene(float time) {
  simtime = static_cast<double>(time) * static_cast<double>(speed) + simtime;
  ApplySpeedKeys();
  if (Pressed(kKeyE))
    extra = true;
  if (Pressed(kKeyW))
    extra = false;
  if (Pressed(kKeyS)) {
    SwitchSystem();
    nexttime = simtime;
  }
  shower->SetTime(time);
  ApplySystemKeys();
  StepWhenDue();
  shower->Show(extra);
}

void CRender::ApplySpeedKeys() {
  if (Pressed(VK_ADD) && speed < 10.0f)
    speed = speed + kSpeedStep;
  // Tested in double precision against single-precision steps, so the speed stays above zero.
  if (Pressed(VK_SUBTRACT) && static_cast<double>(speed) > 0.01)
    speed = speed - kSpeedStep;
  if (Pressed(VK_NUMPAD0))
    speed = 1.0f;
}

void CRender::ApplySystemKeys() {
  if (Pressed(kKeyR))
    system->Requestped();
  if (Pressed(kKeyB) && !system->get_blinking() && system->get_state() == Device::off) {
    system->Doblinking();
    nexttime = static_cast<double>(system->get_timedelay()) + simtime;
  }
  if (Pressed(kKeyA) && system->get_state() == Device::off && !system->get_blinking()) {
    system->SwitchOn();
    nexttime = static_cast<double>(system->get_timedelay()) + simtime;
  }
  if (Pressed(kKeyO)) {
    if (system->get_blinking()) {
      system->Stopblinking();
    } else if (system->get_state() == Device::on) {
      system->SwitchOff();
    }
  }
}

void CRender::StepWhenDue() {
  if (nexttime > simtime)
    return;
  if (system->get_state() == Device::on) {
    system->Advance();
  } else if (system->get_blinking()) {
    system->Doblinking();
  }
  nexttime = static_cast<double>(system->get_timedelay()) + simtime;
}
