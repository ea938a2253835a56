// Xlib calls for the window tests, kept apart so Xlib's macros stay out of the test sources.
#include "tests/window/x11_probe.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <X11/Xatom.h>

#include <memory>
#include <string>

namespace x11probe {

namespace {

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

DisplayPtr Open() {
  return DisplayPtr(XOpenDisplay(nullptr));
}

int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

bool Attributes(unsigned long window, XWindowAttributes& out) {
  DisplayPtr d = Open();
  if (!d)
    return false;
  auto* previous = XSetErrorHandler(IgnoreErrors);
  const Status ok = XGetWindowAttributes(d.get(), window, &out);
  XSetErrorHandler(previous);
  return ok != 0;
}

// A text property as raw bytes; SDL writes titles as UTF8_STRING, which XFetchName does not read.
std::string TextProperty(Display* d, Window w, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(d, name, False);
  if (XGetWindowProperty(d, w, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                         &remaining, &data) != Success ||
      data == nullptr) {
    return {};
  }
  std::string text(reinterpret_cast<const char*>(data), format == 8 ? count : 0);
  XFree(data);
  return text;
}

bool HasTitle(Display* d, Window w, const std::string& title) {
  const std::string net = TextProperty(d, w, "_NET_WM_NAME");
  return (net.empty() ? TextProperty(d, w, "WM_NAME") : net) == title;
}

bool Viewable(Display* d, Window w) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(d, w, &attributes) != 0 && attributes.map_state == IsViewable;
}

}  // namespace

unsigned long WindowOf(void* sdlWindow) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info))
    return 0;
  if (info.subsystem != SDL_SYSWM_X11)
    return 0;
  return info.info.x11.window;
}

bool IsMapped(unsigned long window) {
  XWindowAttributes attributes{};
  return Attributes(window, attributes) && attributes.map_state == IsViewable;
}

bool Exists(unsigned long window) {
  XWindowAttributes attributes{};
  return Attributes(window, attributes);
}

bool SendDeleteWindow(unsigned long window) {
  DisplayPtr d = Open();
  if (!d)
    return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(d.get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(d.get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(d.get(), window, False, NoEventMask, &event);
  XSync(d.get(), False);
  return sent != 0;
}

unsigned long FindByTitle(const std::string& title) {
  DisplayPtr d = Open();
  if (!d)
    return 0;
  auto* previous = XSetErrorHandler(IgnoreErrors);
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  unsigned long found = 0;
  if (XQueryTree(d.get(), DefaultRootWindow(d.get()), &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && found == 0; ++i) {
      if (Viewable(d.get(), children[i]) && HasTitle(d.get(), children[i], title)) {
        found = children[i];
      }
    }
  }
  if (children != nullptr)
    XFree(children);
  XSetErrorHandler(previous);
  return found;
}

}  // namespace x11probe
