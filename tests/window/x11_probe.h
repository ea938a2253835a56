// Looks at and acts on X11 windows from outside SDL, as a window manager or another client would.
#pragma once

#include <string>

namespace x11probe {

// The X11 window behind an SDL_Window; 0 when it has none.
unsigned long WindowOf(void* sdlWindow);
// Whether the X11 window exists and is mapped and viewable.
bool IsMapped(unsigned long window);
// Whether the X11 window still exists.
bool Exists(unsigned long window);
// Sends the window manager's close request (WM_PROTOCOLS / WM_DELETE_WINDOW) to the window.
bool SendDeleteWindow(unsigned long window);

// A viewable top-level window titled `title` (_NET_WM_NAME, else WM_NAME), or 0.
unsigned long FindByTitle(const std::string& title);

}  // namespace x11probe
