// The program's entry and its window procedure: window set-up, the frame loop and the window's end.
#pragma once

#include "app/platform/wintypes.h"

// Registers the window class, creates the window and the renderer, and runs the frame loop. The
// four arguments are not used. Returns the code of the quit request the loop ended on, 0 after
// Escape.
int WinMain(HINSTANCE instance, HINSTANCE previous, char* commandLine, int showCommand);

// The window procedure: on WM_DESTROY destroys the renderer (after the frame in progress, if any),
// clears g_render and posts the quit request with code 0; default handling for everything else.
LRESULT MsgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
