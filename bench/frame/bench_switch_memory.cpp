// Resident memory across many system switches without a display: the renderer on a backend that
// hands out fresh objects for every load but reads and draws nothing, with S held so that every
// frame switches. Prints the resident memory after 100 switches and after all of them.
//
// Own flag, before Google Benchmark's: --kz_switches=N (default 10000, at least 100).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/CRender.h"
#include "app/platform/win32.h"
#include "app/platform/window_backend.h"
#include "bench/frame/heap_count.h"
#include "bench/frame/null_graphics.h"
#include "bench/frame/process_memory.h"

namespace {

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kCheckpoint = 100;
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

void Frames(CRender& render, int count) {
  for (int i = 0; i < count; ++i)
    render.SetScene(kFrameSeconds);
}

// The counters are set at the end since setting them allocates.
void SwitchMemory(benchmark::State& state, int switches) {
  NullGraphics graphics;
  SwitchingKeyboard keyboard;
  SetGraphicsBackend(&graphics);
  SetWindowBackend(&keyboard);
  MemorySample early;
  MemorySample late;
  long long earlyBlocks = 0;
  long long lateBlocks = 0;
  double seconds = 0.0;
  for (auto _ : state) {
    auto render = std::make_unique<CRender>(nullptr);
    g_render = render.get();
    const auto start = std::chrono::steady_clock::now();
    Frames(*render, kCheckpoint);
    early = SampleMemory();
    earlyBlocks = LiveNewBlocks();
    Frames(*render, switches - kCheckpoint);
    late = SampleMemory();
    lateBlocks = LiveNewBlocks();
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_render = nullptr;
  }
  SetWindowBackend(nullptr);
  SetGraphicsBackend(nullptr);
  state.counters["rss_after_100_MiB"] = early.resident;
  state.counters["heap_after_100_MiB"] = early.heap;
  state.counters["rss_after_all_MiB"] = late.resident;
  state.counters["heap_after_all_MiB"] = late.heap;
  state.counters["new_blocks_after_100"] = static_cast<double>(earlyBlocks);
  state.counters["new_blocks_after_all"] = static_cast<double>(lateBlocks);
  state.counters["seconds"] = seconds;
  state.counters["switches"] = switches;
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
  return std::max(switches, kCheckpoint);
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
