// Benchmark of CRender::SetScene on a graphics backend that draws nothing and a scripted keyboard:
// nanoseconds and heap allocations per frame.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "app/platform/window_backend.h"
#include "bench/shell/alloc_count.h"
#include "tests/support/null_graphics.h"

namespace {

// A keyboard whose keys the benchmark sets; no window, a clock that stands still, no boxes.
class ScriptedWindow : public WindowBackend {
 public:
  void* CreateNativeWindow(const char*, int, int, int, int) override { return this; }
  void ShowNativeWindow(void*) override {}
  void DestroyNativeWindow(void*) override {}
  bool PollEvent(NativeEvent&) override { return false; }
  bool KeyDown(int vk) override { return down[static_cast<std::size_t>(vk) & 0xFF]; }
  bool TakeKeyPress(int) override { return false; }
  DWORD Milliseconds() override { return 0; }
  void ShowMessageBox(const char*, const char*) override {}

  std::array<bool, 256> down{};
};

// Keys held during successive stretches of frames: the simulation and camera keys without S.
const std::vector<std::vector<int>> kKeyScript = {{},
                                                  {VK_ADD},
                                                  {'E'},
                                                  {'R', VK_UP},
                                                  {'O'},
                                                  {'B', VK_LEFT},
                                                  {'O', VK_DOWN},
                                                  {'A', VK_RIGHT},
                                                  {'W', VK_SUBTRACT},
                                                  {VK_NUMPAD0}};

void Hold(ScriptedWindow& window, const std::vector<int>& keys) {
  window.down.fill(false);
  for (int key : keys)
    window.down[static_cast<std::size_t>(key)] = true;
}

// Frames at 60 Hz with the keys changing every 64 frames; `withSwitch` adds S every 64th frame.
void RunFrames(benchmark::State& state, bool withSwitch) {
  ScriptedWindow window;
  SetGraphicsBackend(&fake::NullGraphics());
  SetWindowBackend(&window);
  auto render = std::make_unique<CRender>(nullptr);
  g_render = render.get();
  std::size_t frame = 0;
  auto step = [&] {
    if (frame % 64 == 0)
      Hold(window, kKeyScript[(frame / 64) % kKeyScript.size()]);
    if (withSwitch && frame % 64 == 32)
      window.down['S'] = true;
    render->SetScene(1.0f / 60.0f);
    if (withSwitch && frame % 64 == 32)
      window.down['S'] = false;
    ++frame;
  };
  for (int i = 0; i < 64 * 10; ++i)
    step();
  const long long before = AllocationCount();
  for (auto _ : state)
    step();
  const double frames = static_cast<double>(state.iterations());
  state.counters["allocs_per_frame"] = static_cast<double>(AllocationCount() - before) / frames;
  render.reset();
  g_render = nullptr;
  SetWindowBackend(nullptr);
  SetGraphicsBackend(nullptr);
}

void BM_SetScene(benchmark::State& state) {
  RunFrames(state, false);
}
void BM_SetSceneSwitchingEvery64Frames(benchmark::State& state) {
  RunFrames(state, true);
}

BENCHMARK(BM_SetScene);
BENCHMARK(BM_SetSceneSwitchingEvery64Frames);

}  // namespace

BENCHMARK_MAIN();
