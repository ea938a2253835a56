// The entry, the frame loop with its frame timing, and the window procedure.
#include "app/WinMain.h"

#include "app/CRender.h"
#include "app/platform/win32.h"

namespace {

constexpr const char* kClassName = "Kreuzvia";

// Renderer calls in progress (its construction or a frame); a window destroyed meanwhile waits.
int rendererBusy = 0;
// The window was destroyed while the renderer was busy; destroy it once it is idle.
bool destroyDeferred = false;

void DestroyRenderer() {
  delete g_render;
  g_render = nullptr;
}

// Marks a renderer call in progress. A message box inside it waits modally and may deliver
// WM_DESTROY; the renderer must outlive the call, so its destruction happens when the call ends.
class BusyScope {
 public:
  BusyScope() { ++rendererBusy; }
  ~BusyScope() {
    if (--rendererBusy == 0 && destroyDeferred) {
      destroyDeferred = false;
      DestroyRenderer();
    }
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

void RegisterWindowClass(HINSTANCE module) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.style = CS_CLASSDC;
  wc.lpfnWndProc = MsgProc;
  wc.hInstance = module;
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);
}

// Handles one pending message, or runs one frame when none is pending. Returns whether the message
// handled was the quit request.
bool MessageOrFrame(MSG& msg, float frametime) {
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return msg.message == WM_QUIT;
  }
  if (g_render != nullptr) {
    BusyScope busy;
    g_render->SetScene(frametime);
  }
  return false;
}

// Runs passes until Escape or the quit request; each frame gets the duration of the previous pass.
int RunFrameLoop() {
  MSG msg{};
  float frametime = 0.0f;
  for (;;) {
    const DWORD start = timeGetTime();
    const bool quit = MessageOrFrame(msg, frametime);
    frametime = static_cast<float>(timeGetTime() - start) * 0.001f;
    const bool escape = GetAsyncKeyState(VK_ESCAPE) != 0;
    // A quit request reports how the program ended, even with Escape down in the same pass.
    if (quit)
      return static_cast<int>(msg.wParam);
    if (escape)
      return 0;
  }
}

}  // namespace

int WinMain(HINSTANCE, HINSTANCE, char*, int) {
  HMODULE module = GetModuleHandleA(nullptr);
  RegisterWindowClass(module);
  HWND hWnd = CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPEDWINDOW, 100, 100, 640, 480,
                              nullptr, nullptr, module, nullptr);
  {
    BusyScope busy;
    g_render = new CRender(hWnd);
  }
  ShowWindow(hWnd, SW_SHOWDEFAULT);
  UpdateWindow(hWnd);
  const int code = RunFrameLoop();
  UnregisterClassA(kClassName, module);
  return code;
}

LRESULT MsgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_DESTROY)
    return DefWindowProcA(hWnd, msg, wParam, lParam);
  if (rendererBusy > 0) {
    destroyDeferred = true;
  } else {
    DestroyRenderer();
  }
  PostQuitMessage(0);
  return 0;
}
