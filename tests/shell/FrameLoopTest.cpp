// The program's entry and window procedure: start-up, frame timing, Escape, closing the window and
// the exit status.
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/CRender.h"
#include "app/WinMain.h"
#include "app/platform/win32.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_device.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Index of the first logged call named `name` (with `caption`, if given) from `from` on.
std::size_t Find(const std::string& name, const std::string& caption = "", std::size_t from = 0) {
  const auto& calls = fake::Log().Calls();
  for (std::size_t i = from; i < calls.size(); ++i) {
    if (calls[i].name == name && (caption.empty() || calls[i].caption == caption))
      return i;
  }
  return kNone;
}

// The frame time a frame gets for a pass of `ms` milliseconds, as the simulated clock sees it.
double Seconds(DWORD ms) {
  return static_cast<double>(static_cast<float>(ms) * 0.001f);
}

// Runs WinMain on the test backends; `script` acts at the start of the numbered loop passes.
class FrameLoopTest : public ::testing::Test {
 protected:
  ~FrameLoopTest() override {
    // Escape and a failed start leave the renderer to the end of the process; tidy up here.
    if (g_render != nullptr)
      MsgProc(nullptr, WM_DESTROY, 0, 0);
  }
  int Run() {
    window->onPoll = [this] {
      ++pass;
      clock.push_back(g_render != nullptr ? g_render->get_simtime() : -1.0);
      if (auto it = script.find(pass); it != script.end())
        it->second();
    };
    const int code = WinMain(nullptr, nullptr, nullptr, 0);
    window->onPoll = nullptr;
    clock.push_back(g_render != nullptr ? g_render->get_simtime() : -1.0);
    return code;
  }
  // Lets the current pass take `ms` milliseconds.
  void Takes(DWORD ms) { window->now += ms; }

  fake::ScopedFakeWindow window;
  fake::ScopedRecordingGraphics graphics;
  std::map<int, std::function<void()>> script;
  int pass = 0;
  std::vector<double> clock;  // the simulated clock at the start of each pass, and at the end
};

TEST_F(FrameLoopTest, EachFrameGetsTheDurationOfThePassBeforeIt) {
  window->now = 0xFFFFFFF0u;
  script[1] = [this] { Takes(7); };
  script[2] = [this] { Takes(3); };
  // A message pass across the wrap of the millisecond counter.
  script[3] = [this] {
    window->PushEvent(WM_KEYDOWN, 'X');
    Takes(25);
  };
  script[4] = [this] { Takes(0); };
  script[5] = [this] { window->SetKey(VK_ESCAPE, true); };
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(clock.size(), 6u);
  EXPECT_EQ(clock[1] - clock[0], 0.0) << "the first frame gets 0";
  EXPECT_EQ(clock[2] - clock[1], Seconds(7));
  EXPECT_EQ(clock[3] - clock[2], 0.0) << "a message pass runs no frame";
  EXPECT_EQ(clock[4] - clock[3], Seconds(25)) << "the message pass's duration, through the wrap";
  EXPECT_EQ(clock[5] - clock[4], 0.0) << "equal readings give 0";
}

TEST_F(FrameLoopTest, StartsWithTheWindowThenTheDeviceThenShowsTheWindowBeforeAnyFrame) {
  script[2] = [this] { window->SetKey(VK_ESCAPE, true); };
  Run();
  const std::vector<fake::Call> windows = fake::Log().Named("CreateNativeWindow");
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].text, "Kreuzvia");
  EXPECT_EQ(windows[0].args, (std::vector<double>{100, 100, 640, 480}));
  const std::size_t created = Find("CreateNativeWindow");
  const std::size_t device = Find("CreateDevice");
  const std::size_t shown = Find("ShowNativeWindow");
  const std::size_t firstFrame = Find("Present");
  EXPECT_LT(created, device);
  EXPECT_LT(device, shown);
  EXPECT_LT(shown, firstFrame);
  EXPECT_NE(firstFrame, kNone);
}

TEST_F(FrameLoopTest, EscapeEndsAfterTheCurrentPassWithoutDestroying) {
  script[3] = [this] {
    window->PushEvent(WM_KEYDOWN, 'X');
    window->PushEvent(WM_CLOSE);
    window->SetKey(VK_ESCAPE, true);
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(pass, 3);
  EXPECT_NE(g_render, nullptr);
  EXPECT_EQ(fake::Log().Count("Release"), 0u);
  EXPECT_EQ(window->windowsDestroyed, 0);
  // The close request is still queued.
  MSG msg{};
  ASSERT_NE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), 0);
  EXPECT_EQ(msg.message, WM_CLOSE);
}

TEST_F(FrameLoopTest, ClosingTheWindowDestroysTheRendererOnceAndEndsOnTheQuitRequest) {
  script[3] = [this] { window->PushEvent(WM_CLOSE); };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(g_render, nullptr);
  EXPECT_EQ(pass, 4) << "one more pass, for the quit request";
  EXPECT_EQ(window->windowsDestroyed, 1);
  EXPECT_EQ(graphics->liveObjects, 0);
  const std::size_t released = Find("Release", "device");
  ASSERT_NE(released, kNone);
  EXPECT_EQ(Find("Release", "device", released + 1), kNone);
  EXPECT_EQ(Find("Release", "d3d", Find("Release", "d3d") + 1), kNone);
  EXPECT_EQ(Find("Present", "", released), kNone) << "no frame after the destruction";
}

TEST_F(FrameLoopTest, DestroyWithoutARendererStillPostsTheQuitRequest) {
  ASSERT_EQ(g_render, nullptr);
  EXPECT_EQ(MsgProc(nullptr, WM_DESTROY, 0, 0), 0);
  MSG msg{};
  ASSERT_NE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE), 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 0u);
}

class GraphicsFailureTest : public FrameLoopTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GraphicsFailureTest, RunsNoFrameAndExitsWithOne) {
  graphics->failDirect3D = GetParam();
  graphics->failDevice = !GetParam();
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(pass, 1);
  EXPECT_EQ(fake::Log().Count("MessageBox"), 1u);
  EXPECT_EQ(fake::Log().Count("Present"), 0u);
  EXPECT_EQ(clock.front(), 0.0);
  EXPECT_EQ(clock.back(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Setup, GraphicsFailureTest, ::testing::Values(true, false),
                         [](const auto& row) { return row.param ? "Direct3D" : "Device"; });

TEST_F(FrameLoopTest, WindowDestroyedDuringAMessageBoxInAFrameWaitsForTheFrameToEnd) {
  bool inBox = false;
  CRender* duringBox = nullptr;
  window->onKeyQuery = [&](int vk) {
    if (vk != 'R' || pass != 2 || inBox)
      return;
    inBox = true;
    MessageBoxA(nullptr, "Lampen", "Fehler", MB_OK);
  };
  // The modal wait of the box delivers the close of the window.
  window->onMessageBox = [&] {
    window->PushEvent(WM_CLOSE);
    MSG msg{};
    const int outer = pass;
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    DispatchMessageA(&msg);
    pass = outer;
    duringBox = g_render;
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_NE(duringBox, nullptr) << "the renderer outlives the frame that showed the box";
  EXPECT_EQ(g_render, nullptr);
  EXPECT_EQ(pass, 3);
  const std::size_t box = Find("MessageBox");
  const std::size_t drawn = Find("Present", "", box);
  const std::size_t released = Find("Release", "device");
  EXPECT_LT(box, drawn);
  EXPECT_LT(drawn, released);
  EXPECT_NE(released, kNone);
  EXPECT_EQ(Find("Release", "device", released + 1), kNone);
  EXPECT_EQ(graphics->liveObjects, 0);
}

}  // namespace
