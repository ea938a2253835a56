// Resident memory across many system switches without a display: the renderer on a backend that
// hands out fresh objects for every load but reads and draws nothing, with S held so that every
// frame switches. Prints the resident memory after 100 switches and after all of them.
//
// Own flag, before Google Benchmark's: --kz_switches=N (default 10000, at least 100).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "app/platform/window_backend.h"
#include "bench/frame/null_graphics.h"
#include "bench/frame/switch_soak.h"

namespace {

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kMinimumSwitches = 100;
constexpr int kKeyS = 'S';

// No window; S is down in every frame; the clock stands still; no message boxes.
class SwitchingKeyboard : public WindowBackend {
 public:
  void* CreateNativeWindow(const char*, int, int, int, int) override { return this; }
  void ShowNativeWindow(void*) override {}
  void DestroyNativeWindow(void*) override {}
  bool PollEvent(NativeEvent&) override { return false; }
  bool KeyDown(int vk) override { return vk == kKeyS; }
  bool TakeKeyPress(int vk) override { return vk == kKeyS; }
  DWORD Milliseconds() override { return 0; }
  void ShowMessageBox(const char*, const char*) override {}
};

void SwitchMemory(benchmark::State& state, int switches) {
  NullGraphics graphics;
  SwitchingKeyboard keyboard;
  SetGraphicsBackend(&graphics);
  SetWindowBackend(&keyboard);
  SoakResult result;
  for (auto _ : state) {
    auto render = std::make_unique<CRender>(nullptr);
    g_render = render.get();
    result = RunSoak(switches, [&render](int count) {
      for (int i = 0; i < count; ++i)
        render->SetScene(kFrameSeconds);
    });
    g_render = nullptr;
  }
  SetWindowBackend(nullptr);
  SetGraphicsBackend(nullptr);
  SetSoakCounters(state, result, switches);
}

// Takes "--kz_switches=N" out of argv.
int TakeSwitches(int& argc, char** argv) {
  static constexpr char kPrefix[] = "--kz_switches=";
  int switches = 10000;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kPrefix, sizeof kPrefix - 1) != 0)
      continue;
    switches = std::atoi(argv[i] + sizeof kPrefix - 1);
    std::copy(argv + i + 1, argv + argc, argv + i);
    --argc;
    break;
  }
  return std::max(switches, kMinimumSwitches);
}

}  // namespace

int main(int argc, char** argv) {
  const int switches = TakeSwitches(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RegisterBenchmark("switch_memory/null_device", SwitchMemory, switches)
      ->Unit(benchmark::kSecond)
      ->UseRealTime()
      ->Iterations(1)
      ->Repetitions(1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
