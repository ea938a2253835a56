// The platform-neutral part of the window layer: window classes, the program's windows, the posted
// message queue with its quit request, dispatch and default handling. Native work goes to the backend.
#include "app/platform/win32.h"

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/platform/window_backend.h"

// A window as the layer tracks it; handles stay valid (but dead) after destruction.
struct HWND__ {
  std::string className;
  WNDPROC proc = nullptr;
  void* native = nullptr;
  bool alive = false;
  bool visible = false;
};

namespace {

struct WindowClass {
  std::string name;
  WNDPROC proc = nullptr;
};

// All state of the window layer.
struct WindowState {
  WindowBackend* backend = nullptr;          // installed backend, not owned
  std::vector<WindowClass> classes;          // registered classes
  std::vector<std::unique_ptr<HWND__>> windows;  // every window ever created
  std::deque<MSG> posted;                    // posted messages, first in first out
  bool quitPending = false;                  // PostQuitMessage was called
  int quitCode = 0;                          // its exit code
};

WindowState& State() {
  static WindowState state;
  return state;
}

HWND__* LiveWindow() {
  for (auto& w : State().windows) {
    if (w->alive) return w.get();
  }
  return nullptr;
}

WindowClass* FindClass(LPCSTR name) {
  if (name == nullptr) return nullptr;
  for (auto& c : State().classes) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

bool IsLive(HWND hwnd) {
  for (auto& w : State().windows) {
    if (w.get() == hwnd) return w->alive;
  }
  return false;
}

void DestroyWindow(HWND hwnd) {
  if (!IsLive(hwnd)) return;
  // The procedure sees WM_DESTROY while the native window still exists, as owners expect.
  hwnd->proc(hwnd, WM_DESTROY, 0, 0);
  hwnd->alive = false;
  if (State().backend && hwnd->native) State().backend->DestroyNativeWindow(hwnd->native);
  hwnd->native = nullptr;
}

}  // namespace

void SetWindowBackend(WindowBackend* backend) { State().backend = backend; }

WindowBackend* CurrentWindowBackend() { return State().backend; }

void ResetWindowState() {
  WindowBackend* backend = State().backend;
  State() = WindowState{};
  State().backend = backend;
}

HMODULE GetModuleHandleA(LPCSTR name) {
  static int module = 0;
  if (name != nullptr) return nullptr;
  return reinterpret_cast<HMODULE>(&module);
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXA) || wc->lpszClassName == nullptr ||
      wc->lpfnWndProc == nullptr || FindClass(wc->lpszClassName) != nullptr) {
    return 0;
  }
  State().classes.push_back(WindowClass{wc->lpszClassName, wc->lpfnWndProc});
  return static_cast<ATOM>(0xC000 + State().classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  auto& classes = State().classes;
  for (auto it = classes.begin(); it != classes.end(); ++it) {
    if (it->name != (className ? className : "")) continue;
    for (auto& w : State().windows) {
      if (w->alive && w->className == it->name) return FALSE;
    }
    classes.erase(it);
    return TRUE;
  }
  return FALSE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR title, DWORD, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID) {
  WindowClass* cls = FindClass(className);
  WindowBackend* backend = State().backend;
  if (cls == nullptr || backend == nullptr) return nullptr;
  void* native = backend->CreateNativeWindow(title ? title : "", x, y, width, height);
  if (native == nullptr) return nullptr;
  auto window = std::make_unique<HWND__>();
  window->className = cls->name;
  window->proc = cls->proc;
  window->native = native;
  window->alive = true;
  State().windows.push_back(std::move(window));
  return State().windows.back().get();
}

BOOL ShowWindow(HWND hwnd, int) {
  if (!IsLive(hwnd)) return FALSE;
  const BOOL wasVisible = hwnd->visible ? TRUE : FALSE;
  hwnd->visible = true;
  if (State().backend != nullptr) State().backend->ShowNativeWindow(hwnd->native);
  return wasVisible;
}

BOOL UpdateWindow(HWND hwnd) { return IsLive(hwnd) ? TRUE : FALSE; }

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT) {
  if (msg == nullptr) return FALSE;
  WindowState& s = State();
  if (!s.posted.empty()) {
    *msg = s.posted.front();
    s.posted.pop_front();
    return TRUE;
  }
  NativeEvent event;
  if (s.backend != nullptr && s.backend->PollEvent(event)) {
    *msg = MSG{LiveWindow(), event.message, event.wParam, event.lParam, timeGetTime(), {}};
    return TRUE;
  }
  if (s.quitPending) {
    s.quitPending = false;
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0, timeGetTime(), {}};
    return TRUE;
  }
  return FALSE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || !IsLive(msg->hwnd)) return 0;
  return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_CLOSE) DestroyWindow(hwnd);
  return 0;
}

void PostQuitMessage(int exitCode) {
  State().quitPending = true;
  State().quitCode = exitCode;
}

SHORT GetAsyncKeyState(int vk) {
  WindowBackend* backend = State().backend;
  if (backend == nullptr) return 0;
  const bool down = backend->KeyDown(vk);
  const bool pressed = backend->TakeKeyPress(vk);
  return static_cast<SHORT>((down ? 0x8000 : 0) | (pressed ? 0x0001 : 0));
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  WindowBackend* backend = State().backend;
  if (backend == nullptr) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  } else {
    backend->ShowMessageBox(text ? text : "", caption ? caption : "");
  }
  return IDOK;
}

DWORD timeGetTime() {
  WindowBackend* backend = State().backend;
  return backend ? backend->Milliseconds() : 0;
}

void* NativeWindowOf(HWND hwnd) { return IsLive(hwnd) ? hwnd->native : nullptr; }
