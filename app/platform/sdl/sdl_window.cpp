// The SDL2 window backend.
#include "app/platform/sdl/sdl_window.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/platform/win32.h"

namespace {

constexpr Uint32 kBaseFlags = SDL_INIT_TIMER | SDL_INIT_EVENTS;

// The virtual-key codes the program polls and the keys behind them.
struct KeyMapping {
  int vk = 0;
  SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN;
};

constexpr std::array<KeyMapping, SdlWindowBackend::kKeyCount> kKeys{{
    {VK_ESCAPE, SDL_SCANCODE_ESCAPE},
    {VK_LEFT, SDL_SCANCODE_LEFT},
    {VK_UP, SDL_SCANCODE_UP},
    {VK_RIGHT, SDL_SCANCODE_RIGHT},
    {VK_DOWN, SDL_SCANCODE_DOWN},
    {'A', SDL_SCANCODE_A},
    {'B', SDL_SCANCODE_B},
    {'E', SDL_SCANCODE_E},
    {'O', SDL_SCANCODE_O},
    {'R', SDL_SCANCODE_R},
    {'S', SDL_SCANCODE_S},
    {'W', SDL_SCANCODE_W},
    {VK_NUMPAD0, SDL_SCANCODE_KP_0},
    {VK_ADD, SDL_SCANCODE_KP_PLUS},
    {VK_SUBTRACT, SDL_SCANCODE_KP_MINUS},
}};

std::optional<std::size_t> IndexOfVk(int vk) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i].vk == vk)
      return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> IndexOfScancode(SDL_Scancode scancode) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i].scancode == scancode)
      return i;
  }
  return std::nullopt;
}

// SDL_Quit restores the display mode; at exit it runs on every way out, the Escape path included.
void QuitAtExitOnce() {
  static const bool registered = std::atexit(SDL_Quit) == 0;
  (void)registered;
}

void SetOpenGlAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
}

// The message for an SDL event, if the program has one for it.
std::optional<NativeEvent> Translate(const SDL_Event& event) {
  if (event.type == SDL_QUIT)
    return NativeEvent{WM_CLOSE, 0, 0};
  if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
    return NativeEvent{WM_CLOSE, 0, 0};
  }
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP)
    return std::nullopt;
  const auto index = IndexOfScancode(event.key.keysym.scancode);
  if (!index)
    return std::nullopt;
  const UINT message = event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP;
  return NativeEvent{message, static_cast<WPARAM>(kKeys[*index].vk), 0};
}

bool IsInvisibleDriver(const char* driver) {
  return driver != nullptr &&
         (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

}  // namespace

SdlWindowBackend::SdlWindowBackend() {
  QuitAtExitOnce();
  // The window's close button is a message to the program, not a quit of SDL's own.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  base_ = SDL_InitSubSystem(kBaseFlags) == 0;
  if (!base_)
    std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
  StartVideo();
  if (base_)
    SDL_AddEventWatch(&SdlWindowBackend::RecordPress, this);
}

void SdlWindowBackend::StartVideo() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    videoError_ = SDL_GetError();
    return;
  }
  video_ = true;
  // Without a display SDL falls back on its invisible drivers on its own; a program nobody can
  // see or reach with a key is of no use, so only an explicit SDL_VIDEODRIVER may choose them.
  const char* requested = SDL_getenv("SDL_VIDEODRIVER");
  if (requested != nullptr && *requested != '\0')
    return;
  if (!IsInvisibleDriver(SDL_GetCurrentVideoDriver()))
    return;
  videoError_ =
      std::string("no display (SDL would fall back on ") + SDL_GetCurrentVideoDriver() + ")";
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  video_ = false;
}

SdlWindowBackend::~SdlWindowBackend() {
  if (base_)
    SDL_DelEventWatch(&SdlWindowBackend::RecordPress, this);
  if (video_)
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (base_)
    SDL_QuitSubSystem(kBaseFlags);
}

int SdlWindowBackend::RecordPress(void* self, SDL_Event* event) {
  if (event->type != SDL_KEYDOWN || event->key.repeat != 0)
    return 1;
  const auto index = IndexOfScancode(event->key.keysym.scancode);
  if (index)
    static_cast<SdlWindowBackend*>(self)->pressed_[*index] = true;
  return 1;
}

void* SdlWindowBackend::CreateNativeWindow(const char* title, int x, int y, int width, int height) {
  if (!video_) {
    std::fprintf(stderr, "SDL: no window \"%s\": %s\n", title, videoError_.c_str());
    return nullptr;
  }
  SetOpenGlAttributes();
  SDL_Window* window =
      SDL_CreateWindow(title, x, y, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window == nullptr)
    std::fprintf(stderr, "SDL: no window \"%s\": %s\n", title, SDL_GetError());
  return window;
}

void SdlWindowBackend::ShowNativeWindow(void* native) {
  auto* window = static_cast<SDL_Window*>(native);
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  SDL_SetWindowInputFocus(window);
}

void SdlWindowBackend::DestroyNativeWindow(void* native) {
  SDL_DestroyWindow(static_cast<SDL_Window*>(native));
}

void SdlWindowBackend::PumpAtMostOncePerMillisecond() {
  // Queries also come between two polls of the queue (Escape after a handled message, tests):
  // pumping keeps the key state and the press latches as current as the display's input. A frame
  // makes fifteen queries right after a poll; one pump per millisecond spares it a round trip
  // each (measured: ~6 us per pump under Xvfb).
  const Uint64 now = SDL_GetTicks64();
  if (now == lastPump_)
    return;
  SDL_PumpEvents();
  lastPump_ = now;
}

bool SdlWindowBackend::PollEvent(NativeEvent& out) {
  lastPump_ = SDL_GetTicks64();
  SDL_Event event{};
  while (SDL_PollEvent(&event) != 0) {
    if (const auto message = Translate(event)) {
      out = *message;
      return true;
    }
  }
  return false;
}

bool SdlWindowBackend::KeyDown(int vk) {
  const auto index = IndexOfVk(vk);
  if (!index)
    return false;
  PumpAtMostOncePerMillisecond();
  return SDL_GetKeyboardState(nullptr)[kKeys[*index].scancode] != 0;
}

bool SdlWindowBackend::TakeKeyPress(int vk) {
  const auto index = IndexOfVk(vk);
  if (!index)
    return false;
  const bool pressed = pressed_[*index];
  pressed_[*index] = false;
  return pressed;
}

DWORD SdlWindowBackend::Milliseconds() {
  return static_cast<DWORD>(SDL_GetTicks());
}

void SdlWindowBackend::ShowMessageBox(const char* text, const char* caption) {
  // Flags 0: no icon, like a box with only MB_OK. SDL can show a box without its own video.
  if (SDL_ShowSimpleMessageBox(0, caption, text, nullptr) == 0)
    return;
  std::fprintf(stderr, "%s: %s\n", caption, text);
}
