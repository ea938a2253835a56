// The renderer: holds the simulated clock and its speed, applies the keyboard commands to the
// current light system, switches between the two systems and owns the graphics setup, the current
// system and its display.
#pragma once

#include <memory>

#include "app/platform/wintypes.h"
#include "render/platform/d3d9.h"

class CInitD3D;
class Lightsystem;
class Shower;
class System1T1P;
class System2T2P;

class CRender {
 public:
  // Creates the graphics setup for `hWnd`, then the crossroads and its display, registered on it.
  explicit CRender(HWND hWnd);
  // Unregisters the display, then destroys the system, the display and the graphics setup.
  ~CRender();
  CRender(const CRender&) = delete;
  CRender& operator=(const CRender&) = delete;

  // Runs one frame; `time` is the real duration of the previous loop pass in seconds.
  void SetScene(float time);
  // The most recently created pedestrian crossing; alive only while it is current.
  System1T1P* GetSystem1() { return system1; }
  // The most recently created crossroads; alive only while it is current.
  System2T2P* GetSystem2() { return system2; }
  // Replaces the current system and its display by a new pair of the other kind.
  void SwitchSystem();

  // 1 while the crossroads is current, 0 while the pedestrian crossing is.
  int get_activesystem() const { return activesystem; }
  // The simulated clock in seconds.
  double get_simtime() const { return simtime; }
  // The simulated time at which the next step of the current system falls due.
  double get_nexttime() const { return nexttime; }
  // Simulated seconds per real second.
  float get_speed() const { return speed; }
  // Whether the display draws the additional light models.
  bool get_extra() const { return extra; }
  // The current light system, owned by the renderer.
  Lightsystem* get_system() const { return system.get(); }
  // The display of the current system, owned by the renderer.
  Shower* get_shower() const { return shower.get(); }
  // The device of the graphics setup, handed to every display (null when its creation failed).
  IDirect3DDevice9* get_device() const { return device; }

 private:
  // Applies Num+, Num- and Num0 to the speed.
  void ApplySpeedKeys();
  // Applies R, B, A and O to the current system.
  void ApplySystemKeys();
  // Takes the current system's next step when it has fallen due, and schedules the following one.
  void StepWhenDue();
  // Destroys the current system and its display, keeping the other fields.
  void DropCurrent();

  int activesystem = 1;
  // The clock is held in double precision: in single precision its increment is rounded away
  // after hours of fast frames, and the lights would stop changing.
  double simtime = 0.0;
  double nexttime = 0.0;
  float speed = 1.0f;
  bool extra = false;
  std::unique_ptr<CInitD3D> init;
  System2T2P* system2 = nullptr;
  System1T1P* system1 = nullptr;
  std::unique_ptr<Lightsystem> system;
  std::unique_ptr<Shower> shower;
  IDirect3DDevice9* device = nullptr;
};

// The one renderer of the program; null before it is constructed and after it is destroyed.
extern CRender* g_render;
