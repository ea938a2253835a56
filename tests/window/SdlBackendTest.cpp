// The SDL2 backend on a real X display (Xvfb): a hidden window that shows, real key events from
// xdotool through GetAsyncKeyState, the window manager's close request, the timer and message
// boxes.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/platform/sdl/sdl_window.h"
#include "app/platform/win32.h"
#include "tests/window/x11_probe.h"

namespace {

using Clock = std::chrono::steady_clock;

// Generous: only a stuck display takes this long; a passing run waits milliseconds.
constexpr auto kPatience = std::chrono::seconds(10);

std::vector<UINT>& Procedure() {
  static std::vector<UINT> seen;
  return seen;
}

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Procedure().push_back(msg);
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

// Runs xdotool with the arguments; true when it succeeded.
bool Xdotool(const std::string& args) {
  return std::system(("xdotool " + args + " >/dev/null 2>&1").c_str()) == 0;
}

// Polls `done` until it holds or patience runs out.
bool WaitFor(const std::function<bool()>& done) {
  const auto deadline = Clock::now() + kPatience;
  while (!done()) {
    if (Clock::now() > deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

class SdlBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveDisplay())
      GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    Procedure().clear();
    backend = std::make_unique<SdlWindowBackend>();
    ASSERT_TRUE(backend->HasVideo()) << SDL_GetError();
    ResetWindowState();
    SetWindowBackend(backend.get());
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(WNDCLASSEXA);
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "Kreuzvia";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    hwnd = CreateWindowExA(0, "Kreuzvia", "Kreuzvia", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    window = static_cast<SDL_Window*>(NativeWindowOf(hwnd));
    xid = x11probe::WindowOf(window);
  }

  void TearDown() override {
    if (!backend)
      return;
    Xdotool("keyup a q Escape Left KP_Add KP_Subtract KP_Insert");
    DefWindowProcA(hwnd, WM_CLOSE, 0, 0);
    SetWindowBackend(nullptr);
    ResetWindowState();
    backend.reset();
  }

  void Show() {
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    UpdateWindow(hwnd);
    ASSERT_TRUE(WaitFor([&] {
      SDL_PumpEvents();
      return SDL_GetKeyboardFocus() == window;
    })) << "the shown window never got the keyboard focus";
  }

  // Takes messages until one with `message` and `wParam` arrives; false when none comes.
  bool WaitForMessage(UINT message, WPARAM wParam) {
    return WaitFor([&] {
      MSG msg{};
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == message && msg.wParam == wParam)
          return true;
      }
      return false;
    });
  }

  std::unique_ptr<SdlWindowBackend> backend;
  HWND hwnd = nullptr;
  SDL_Window* window = nullptr;
  unsigned long xid = 0;
};

TEST_F(SdlBackend, WindowIsCreatedHiddenAndShownOnRequest) {
  ASSERT_NE(xid, 0u);
  const Uint32 flags = SDL_GetWindowFlags(window);
  EXPECT_TRUE(flags & SDL_WINDOW_HIDDEN);
  EXPECT_TRUE(flags & SDL_WINDOW_OPENGL);
  EXPECT_STREQ(SDL_GetWindowTitle(window), "Kreuzvia");
  EXPECT_FALSE(x11probe::IsMapped(xid));
  Show();
  EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN);
  EXPECT_TRUE(x11probe::IsMapped(xid));
}

TEST_F(SdlBackend, WindowTakesTheOpenGlContextTheDrawingLayerAsksFor) {
  SDL_GLContext context = SDL_GL_CreateContext(window);
  ASSERT_NE(context, nullptr) << SDL_GetError();
  int major = 0;
  int minor = 0;
  int profile = 0;
  int depth = 0;
  int doubleBuffer = 0;
  SDL_GL_GetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, &major);
  SDL_GL_GetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, &minor);
  SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &profile);
  SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
  SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
  EXPECT_EQ(major * 10 + minor, 33);
  EXPECT_EQ(profile, SDL_GL_CONTEXT_PROFILE_CORE);
  EXPECT_GE(depth, 16);
  EXPECT_EQ(doubleBuffer, 1);
  SDL_GL_DeleteContext(context);
}

// The keys by their virtual-key code and the X key name xdotool sends for them.
struct RealKey {
  int vk;
  const char* xname;
};

const std::vector<RealKey> kRealKeys = {
    {'A', "a"},         {VK_ESCAPE, "Escape"},        {VK_LEFT, "Left"},
    {VK_ADD, "KP_Add"}, {VK_SUBTRACT, "KP_Subtract"}, {VK_NUMPAD0, "KP_Insert"},
};

TEST_F(SdlBackend, HeldKeyIsDownUntilReleased) {
  Show();
  for (const RealKey& key : kRealKeys) {
    SCOPED_TRACE(key.xname);
    ASSERT_TRUE(Xdotool(std::string("keydown ") + key.xname));
    ASSERT_TRUE(WaitForMessage(WM_KEYDOWN, WPARAM(key.vk)));
    EXPECT_EQ(GetAsyncKeyState(key.vk), SHORT(0x8001));
    EXPECT_EQ(GetAsyncKeyState(key.vk), SHORT(0x8000));
    ASSERT_TRUE(Xdotool(std::string("keyup ") + key.xname));
    ASSERT_TRUE(WaitForMessage(WM_KEYUP, WPARAM(key.vk)));
    EXPECT_EQ(GetAsyncKeyState(key.vk), 0);
  }
}

TEST_F(SdlBackend, TapBetweenTwoQueriesIsSeenOnce) {
  Show();
  for (const RealKey& key : kRealKeys) {
    SCOPED_TRACE(key.xname);
    EXPECT_EQ(GetAsyncKeyState(key.vk), 0);
    ASSERT_TRUE(Xdotool(std::string("key ") + key.xname));
    ASSERT_TRUE(WaitForMessage(WM_KEYUP, WPARAM(key.vk)));
    EXPECT_EQ(GetAsyncKeyState(key.vk), 0x0001);
    EXPECT_EQ(GetAsyncKeyState(key.vk), 0);
  }
}

TEST_F(SdlBackend, QueryBetweenPollsSeesTheCurrentKeyState) {
  Show();
  // No PeekMessageA here: the query alone must take in what the display sent.
  ASSERT_TRUE(Xdotool("keydown KP_Subtract"));
  EXPECT_TRUE(WaitFor([] { return GetAsyncKeyState(VK_SUBTRACT) != 0; }));
  ASSERT_TRUE(Xdotool("keyup KP_Subtract"));
  EXPECT_TRUE(WaitFor([] { return (GetAsyncKeyState(VK_SUBTRACT) & 0x8000) == 0; }));
  EXPECT_EQ(GetAsyncKeyState(VK_SUBTRACT), 0);
}

TEST_F(SdlBackend, UnmappedKeysGiveNoMessageAndNoState) {
  Show();
  ASSERT_TRUE(Xdotool("key q a"));
  MSG msg{};
  ASSERT_TRUE(WaitFor([&] { return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE; }));
  EXPECT_EQ(msg.message, WM_KEYDOWN);
  EXPECT_EQ(msg.wParam, WPARAM('A'));
  EXPECT_EQ(GetAsyncKeyState('Q'), 0);
  EXPECT_EQ(GetAsyncKeyState(0), 0);
  EXPECT_EQ(GetAsyncKeyState(0xFF), 0);
}

TEST_F(SdlBackend, WindowManagerCloseArrivesAsCloseAndDefaultHandlingDestroys) {
  Show();
  const Uint32 id = SDL_GetWindowID(window);
  ASSERT_TRUE(x11probe::SendDeleteWindow(xid));
  MSG msg{};
  ASSERT_TRUE(WaitFor([&] { return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE; }));
  ASSERT_EQ(msg.message, WM_CLOSE);
  EXPECT_EQ(msg.hwnd, hwnd);
  DispatchMessageA(&msg);
  EXPECT_EQ(Procedure(), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
  EXPECT_EQ(NativeWindowOf(hwnd), nullptr);
  EXPECT_EQ(SDL_GetWindowFromID(id), nullptr);
  EXPECT_FALSE(x11probe::Exists(xid));
  // What SDL still had queued for the window may come first; WM_QUIT ends it, and nothing else
  // reaches the procedure.
  EXPECT_TRUE(WaitForMessage(WM_QUIT, 0));
  EXPECT_EQ(Procedure().size(), 2u);
}

TEST_F(SdlBackend, TerminationSignalArrivesAsClose) {
  // SDL turns SIGTERM into its quit event: the program then closes like from the close button.
  ASSERT_EQ(std::raise(SIGTERM), 0);
  EXPECT_TRUE(WaitForMessage(WM_CLOSE, 0));
}

TEST_F(SdlBackend, TimerCountsMillisecondsForward) {
  const DWORD start = timeGetTime();
  SDL_Delay(20);
  EXPECT_GE(DWORD(timeGetTime() - start), 20u);
}

TEST_F(SdlBackend, MessageBoxIsModalUntilDismissed) {
  Show();
  // The dismisser is a process of its own: SDL shows the box from a forked child, and a thread of
  // ours holding Xlib's locks at that moment would leave the child stuck on them.
  const std::string pressOk = std::string("box=$(") + KZ_FIND_WINDOW +
                              " Fehler) && xdotool windowfocus --sync $box key Return";
  FILE* dismisser = popen(pressOk.c_str(), "r");
  ASSERT_NE(dismisser, nullptr);
  ::testing::internal::CaptureStderr();
  const int result = MessageBoxA(nullptr, "Lampenkombination unmoeglich", "Fehler", MB_OK);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(pclose(dismisser), 0) << "no box titled Fehler could be dismissed";
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(err, "");
}

// The Escape path destroys nothing and just ends the process: SDL must still be shut down (which
// restores the display mode). A handler registered before the backend runs after SDL's own.
[[noreturn]] void ExitWithLiveWindow() {
  std::atexit([] { std::fprintf(stderr, "video after exit: %u\n", SDL_WasInit(SDL_INIT_VIDEO)); });
  auto* backend = new SdlWindowBackend;
  SetWindowBackend(backend);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = "Kreuzvia";
  RegisterClassExA(&wc);
  const HWND hwnd = CreateWindowExA(0, "Kreuzvia", "Kreuzvia", WS_OVERLAPPEDWINDOW, 100, 100, 640,
                                    480, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(hwnd, SW_SHOWDEFAULT);
  std::fprintf(stderr, "video before exit: %u\n", SDL_WasInit(SDL_INIT_VIDEO));
  std::exit(0);
}

TEST(SdlExit, ProcessEndWithoutDestroyingAnythingStillQuitsSdl) {
  if (!HaveDisplay())
    GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ExitWithLiveWindow(), ::testing::ExitedWithCode(0),
              "video before exit: [1-9][0-9]*\nvideo after exit: 0\n");
}

// Without a display nothing can be shown: each case runs in a fresh child process.
class SdlWithoutDisplay : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

[[noreturn]] void BoxWithoutDisplay(const char* videoDriver) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  if (*videoDriver != '\0')
    setenv("SDL_VIDEODRIVER", videoDriver, 1);
  SdlWindowBackend backend;
  SetWindowBackend(&backend);
  MessageBoxA(nullptr, "Keine Anzeige", "Fehler", MB_OK);
  std::fprintf(stderr, "returned\n");
  std::exit(0);
}

TEST_P(SdlWithoutDisplay, MessageBoxFallsBackToStandardErrorAndReturns) {
  EXPECT_EXIT(BoxWithoutDisplay(GetParam()), ::testing::ExitedWithCode(0),
              "Fehler: Keine Anzeige\nreturned\n");
}

// "": SDL finds no video at all; "offscreen": video starts but no box can be shown.
INSTANTIATE_TEST_SUITE_P(Drivers, SdlWithoutDisplay, ::testing::Values("", "offscreen"));

[[noreturn]] void WindowWithoutDisplay() {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  SdlWindowBackend backend;
  SetWindowBackend(&backend);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = "Kreuzvia";
  RegisterClassExA(&wc);
  const HWND hwnd = CreateWindowExA(0, "Kreuzvia", "Kreuzvia", WS_OVERLAPPEDWINDOW, 100, 100, 640,
                                    480, nullptr, nullptr, nullptr, nullptr);
  const DWORD start = timeGetTime();
  SDL_Delay(5);
  const DWORD elapsed = timeGetTime() - start;
  std::fprintf(stderr, "window %s, clock %s\n", hwnd ? "made" : "none",
               elapsed >= 5 ? "runs" : "stands");
  std::exit(0);
}

TEST(SdlWithoutDisplayWindow, CreateFailsWithOneLineAndTheClockStillRuns) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(WindowWithoutDisplay(), ::testing::ExitedWithCode(0),
              "SDL: no window \"Kreuzvia\": [^\n]+\nwindow none, clock runs\n$");
}

}  // namespace
