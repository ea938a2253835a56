// The basic value types of the window and drawing layers, with the widths the program relies on.
#pragma once

#include <cstdint>

using BOOL = std::int32_t;
using BYTE = std::uint8_t;
using SHORT = std::int16_t;
using INT = std::int32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using ATOM = std::uint16_t;
using HRESULT = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::int32_t;
using LPCSTR = const char*;
using LPVOID = void*;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// Opaque handles; only the layer that issues them looks inside.
struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HMENU__;
using HMENU = HMENU__*;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};
