// The window, message, keyboard, timer and message-box operations the program calls. The operations
// are platform-neutral; a WindowBackend (window_backend.h) supplies the native window, events, keys,
// clock and message boxes.
#pragma once

#include "app/platform/wintypes.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT PM_REMOVE = 0x0001;
inline constexpr UINT CS_CLASSDC = 0x0040;
inline constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr UINT MB_OK = 0x0000;
inline constexpr int IDOK = 1;

inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_LEFT = 37;
inline constexpr int VK_UP = 38;
inline constexpr int VK_RIGHT = 39;
inline constexpr int VK_DOWN = 40;
inline constexpr int VK_NUMPAD0 = 96;
inline constexpr int VK_ADD = 107;
inline constexpr int VK_SUBTRACT = 109;

// One queued message.
struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt{};
};

// A window class: its procedure and name; the other fields are accepted and kept for completeness.
struct WNDCLASSEXA {
  UINT cbSize = 0;
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  int cbClsExtra = 0;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  HCURSOR hCursor = nullptr;
  HBRUSH hbrBackground = nullptr;
  LPCSTR lpszMenuName = nullptr;
  LPCSTR lpszClassName = nullptr;
  HICON hIconSm = nullptr;
};

// The program's own module handle (a fixed non-null value); `name` must be null.
HMODULE GetModuleHandleA(LPCSTR name);
// Registers a class; 0 when cbSize is not sizeof(WNDCLASSEXA), the name is missing or already taken.
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
// Removes a class; fails (FALSE) while a live window of it exists.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
// Creates a hidden native window of a registered class; null on failure.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
// Shows the window; returns whether it was visible before.
BOOL ShowWindow(HWND hwnd, int cmdShow);
// Nothing to repaint outside the frame loop; TRUE for a live window.
BOOL UpdateWindow(HWND hwnd);
// Never waits. Removes one message: posted messages first, then native events, then WM_QUIT once a
// quit request is pending. Returns FALSE when none. Only PM_REMOVE and no filter are supported.
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Key messages need no translation here; returns FALSE.
BOOL TranslateMessage(const MSG* msg);
// Runs the window procedure of the message's live window; 0 for messages without one.
LRESULT DispatchMessageA(const MSG* msg);
// Default handling: WM_CLOSE destroys the window (its procedure gets WM_DESTROY first); 0 otherwise.
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Requests WM_QUIT with `exitCode`, delivered once nothing else is queued.
void PostQuitMessage(int exitCode);
// High bit while the key is down; low bit when it was pressed since the previous query.
SHORT GetAsyncKeyState(int vk);
// Modal box with one OK button; returns IDOK when dismissed. Without a display the text goes to
// standard error as "<caption>: <text>".
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Milliseconds as a wrapping unsigned 32-bit count.
DWORD timeGetTime();

// The backend's native window behind a handle (for the drawing backend); null when none.
void* NativeWindowOf(HWND hwnd);
