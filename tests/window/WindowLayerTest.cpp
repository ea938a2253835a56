// The platform-neutral window layer driven through the scripted backend: queue order and the quit
// request, close and destroy, dispatch, classes, the polled keyboard, the timer and message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/platform/win32.h"
#include "app/platform/window_backend.h"
#include "tests/support/fake_window.h"

namespace {

// What the window procedure saw, and whether the native window was still there at the time.
struct Seen {
  UINT message = 0;
  bool nativeAlive = false;
};

std::vector<Seen>& Procedure() {
  static std::vector<Seen> seen;
  return seen;
}

// A window procedure like the program's: WM_DESTROY posts the quit request, the rest is default.
LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Procedure().push_back(Seen{msg, NativeWindowOf(hwnd) != nullptr});
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

WNDCLASSEXA ClassRecord(const char* name) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.style = CS_CLASSDC;
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  return wc;
}

class WindowLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    Procedure().clear();
    const WNDCLASSEXA wc = ClassRecord("Kreuzvia");
    ASSERT_NE(RegisterClassExA(&wc), 0);
    hwnd = CreateWindowExA(0, "Kreuzvia", "Kreuzvia", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
  }

  // Takes one message; records what it was, or "none".
  std::string Peek() {
    MSG msg{};
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) == FALSE)
      return "none";
    last = msg;
    return std::to_string(msg.message) + ":" + std::to_string(msg.wParam);
  }

  fake::ScopedFakeWindow fake;
  HWND hwnd = nullptr;
  MSG last{};
};

TEST_F(WindowLayer, NativeEventsComeFirstThenOneQuitWithItsCode) {
  fake->PushEvent(WM_KEYDOWN, 'A');
  fake->PushEvent(WM_KEYUP, 'A');
  EXPECT_EQ(Peek(), "256:65");
  EXPECT_EQ(last.hwnd, hwnd);
  PostQuitMessage(1);
  // Step by step: what is queued comes first, an event arriving meanwhile too, then WM_QUIT once.
  const std::vector<std::pair<bool, std::string>> steps = {
      {false, "257:65"}, {true, "16:0"}, {false, "18:1"}, {false, "none"}, {false, "none"}};
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].first)
      fake->PushEvent(WM_CLOSE);
    EXPECT_EQ(Peek(), steps[i].second) << "step " << i;
  }
}

TEST_F(WindowLayer, QueueNeverReportsEmptyWhileQuitIsPending) {
  EXPECT_EQ(Peek(), "none");
  PostQuitMessage(0);
  EXPECT_EQ(Peek(), "18:0");
  EXPECT_EQ(last.hwnd, nullptr);
  EXPECT_EQ(Peek(), "none");
}

TEST_F(WindowLayer, CloseDestroysOnceWithDestroyWhileNativeWindowLives) {
  fake->PushEvent(WM_CLOSE);
  fake->PushEvent(WM_CLOSE);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&msg);
  ASSERT_EQ(Procedure().size(), 2u);
  EXPECT_EQ(Procedure()[0].message, WM_CLOSE);
  EXPECT_EQ(Procedure()[1].message, WM_DESTROY);
  EXPECT_TRUE(Procedure()[1].nativeAlive);
  EXPECT_EQ(fake->windowsDestroyed, 1);
  EXPECT_EQ(NativeWindowOf(hwnd), nullptr);

  // The second close finds no live window: nothing runs, nothing is destroyed twice.
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  DispatchMessageA(&msg);
  DefWindowProcA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(Procedure().size(), 2u);
  EXPECT_EQ(fake->windowsDestroyed, 1);
  EXPECT_EQ(Peek(), "18:0");
}

TEST_F(WindowLayer, DispatchOfQuitCallsNothing) {
  PostQuitMessage(0);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  TranslateMessage(&msg);
  EXPECT_EQ(DispatchMessageA(&msg), 0);
  EXPECT_TRUE(Procedure().empty());
  EXPECT_EQ(fake->windowsDestroyed, 0);
}

TEST_F(WindowLayer, RegisterRejectsBadRecordsAndTakenNames) {
  struct Case {
    const char* what;
    UINT cbSize;
    const char* name;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {"size too small", sizeof(WNDCLASSEXA) - 4, "Other", false},
      {"size zero", 0, "Other", false},
      {"no name", sizeof(WNDCLASSEXA), nullptr, false},
      {"name taken", sizeof(WNDCLASSEXA), "Kreuzvia", false},
      {"new name", sizeof(WNDCLASSEXA), "Other", true},
      {"new name again", sizeof(WNDCLASSEXA), "Other", false},
  };
  for (const Case& c : cases) {
    WNDCLASSEXA wc = ClassRecord(c.name);
    wc.cbSize = c.cbSize;
    EXPECT_EQ(RegisterClassExA(&wc) != 0, c.accepted) << c.what;
  }
}

TEST_F(WindowLayer, UnregisterFailsWhileAWindowOfTheClassLives) {
  EXPECT_EQ(UnregisterClassA("Kreuzvia", GetModuleHandleA(nullptr)), FALSE);
  DefWindowProcA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(UnregisterClassA("Kreuzvia", GetModuleHandleA(nullptr)), TRUE);
  EXPECT_EQ(UnregisterClassA("Kreuzvia", GetModuleHandleA(nullptr)), FALSE);
  const WNDCLASSEXA wc = ClassRecord("Kreuzvia");
  EXPECT_NE(RegisterClassExA(&wc), 0);
}

TEST_F(WindowLayer, CreateNeedsARegisteredClassAndANativeWindow) {
  EXPECT_EQ(CreateWindowExA(0, "Unknown", "x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  fake->failCreate = true;
  EXPECT_EQ(CreateWindowExA(0, "Kreuzvia", "x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(fake->windowsCreated, 1);
}

TEST_F(WindowLayer, AsyncKeyStateHighBitWhileDownLowBitOncePerPress) {
  enum class Act { None, Press, Release, Tap };
  struct Step {
    Act act;
    SHORT expected;
  };
  // One query per step, as one frame would make.
  const std::vector<Step> steps = {
      {Act::None, 0},
      {Act::Press, SHORT(0x8001)},
      {Act::None, SHORT(0x8000)},
      {Act::None, SHORT(0x8000)},
      {Act::Release, 0},
      {Act::Tap, 0x0001},
      {Act::None, 0},
      {Act::Tap, 0x0001},
      {Act::Press, SHORT(0x8001)},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].act == Act::Press)
      fake->SetKey(VK_ADD, true);
    if (steps[i].act == Act::Release)
      fake->SetKey(VK_ADD, false);
    if (steps[i].act == Act::Tap)
      fake->Tap(VK_ADD);
    EXPECT_EQ(GetAsyncKeyState(VK_ADD), steps[i].expected) << "step " << i;
    EXPECT_EQ(GetAsyncKeyState(VK_SUBTRACT), 0) << "step " << i;
  }
}

TEST_F(WindowLayer, ElapsedTimeSurvivesTheWrap) {
  struct Case {
    DWORD start;
    DWORD end;
    DWORD elapsed;
  };
  const std::vector<Case> cases = {
      {0xFFFFFFF0u, 0x10u, 0x20u}, {0xFFFFFFFFu, 0u, 1u}, {1000u, 1000u, 0u}, {5u, 17u, 12u}};
  for (const Case& c : cases) {
    fake->readings = {c.start, c.end};
    const DWORD start = timeGetTime();
    EXPECT_EQ(DWORD(timeGetTime() - start), c.elapsed) << c.start << " -> " << c.end;
  }
}

TEST_F(WindowLayer, MessageBoxGoesToTheBackendAndReturnsOk) {
  fake::Log().Clear();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Direct3D nicht verfuegbar", "Fehler", MB_OK), IDOK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  const auto boxes = fake::Log().Named("MessageBox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Fehler");
  EXPECT_EQ(boxes[0].text, "Direct3D nicht verfuegbar");
}

TEST(WindowLayerWithoutBackend, MessageBoxWritesCaptionAndTextToStandardError) {
  ResetWindowState();
  SetWindowBackend(nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Lampen falsch", "Fehler", MB_OK), IDOK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Fehler: Lampen falsch\n");
}

}  // namespace
