// Benchmarks of the program's real frame path, in-process: the SDL window and the OpenGL device on
// the display it finds (Xvfb with llvmpipe at 1024x768 in CI), the renderer with its systems and
// displays, driven by scripted keys. Prints frames per second of each system with and without the
// additional light models, the floor (one full-screen textured, lit quad on the same device), heap
// allocations per frame, the time of a system switch and resident memory across many switches.
//
// Own flags, before Google Benchmark's: --kz_switches=N (timed switches, default 200) and
// --kz_soak_switches=N (switches of the memory run, default 10000).
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/CRender.h"
#include "bench/frame/floor_quad.h"
#include "bench/frame/heap_count.h"
#include "bench/frame/process_memory.h"
#include "bench/frame/switch_soak.h"
#include "tests/harness/live_program.h"

namespace {

constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int kWarmUpFrames = 5;
constexpr int kMinimumSoak = 100;
constexpr int kKeyS = 'S';
constexpr int kKeyE = 'E';
constexpr int kKeyW = 'W';

struct Settings {
  int switches = 200;
  int soakSwitches = 10000;
};

// The program of the whole run; SDL and the GL driver stay loaded for the process anyway.
harness::LiveProgram* program = nullptr;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Takes "--<name>=<value>" out of argv; returns whether it was there.
bool TakeIntFlag(int& argc, char** argv, const char* name, int& value) {
  const std::string prefix = std::string("--") + name + "=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) != 0)
      continue;
    value = std::atoi(argv[i] + prefix.size());
    for (int j = i; j + 1 < argc; ++j)
      argv[j] = argv[j + 1];
    --argc;
    return true;
  }
  return false;
}

Settings TakeSettings(int& argc, char** argv) {
  Settings settings;
  TakeIntFlag(argc, argv, "kz_switches", settings.switches);
  TakeIntFlag(argc, argv, "kz_soak_switches", settings.soakSwitches);
  settings.switches = std::max(settings.switches, 1);
  settings.soakSwitches = std::max(settings.soakSwitches, kMinimumSoak);
  return settings;
}

// Brings the program to `system` (1 crossroads, 0 crossing) with the additional lights as asked.
void Select(int system, bool extra) {
  program->ReleaseAll();
  if (g_render->get_activesystem() != system) {
    program->Tap(kKeyS);
    program->Frame(kFrameSeconds);
  }
  program->Tap(extra ? kKeyE : kKeyW);
  program->Frames(kWarmUpFrames, kFrameSeconds);
}

// Sets the counters of a run of frames; the count is taken first since setting counters allocates.
void SetRateCounters(benchmark::State& state, long long allocationsBefore) {
  const auto allocations = static_cast<double>(NewCount() - allocationsBefore);
  const auto frames = static_cast<double>(state.iterations());
  state.counters["frames_per_s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
  state.counters["allocs_per_frame"] = allocations / frames;
  state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

// Frames of one system through SetScene -> Show -> Present.
void Frames(benchmark::State& state, int system, bool extra) {
  Select(system, extra);
  const long long before = NewCount();
  for (auto _ : state)
    program->Frame(kFrameSeconds);
  SetRateCounters(state, before);
}

// Frames of one full-screen textured, lit quad on the program's device.
void Floor(benchmark::State& state) {
  FloorQuad quad(g_render->get_device());
  if (!quad.Loaded()) {
    state.SkipWithError("the quad or its texture did not load");
    return;
  }
  quad.Prepare();
  for (int i = 0; i < kWarmUpFrames; ++i)
    quad.Frame();
  const long long before = NewCount();
  for (auto _ : state)
    quad.Frame();
  SetRateCounters(state, before);
}

double Median(std::vector<double> values) {
  if (values.empty())
    return 0.0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// Frames with S held: each one destroys the current system and display and creates the other
// pair with its loads, then draws and presents.
void Switches(benchmark::State& state) {
  program->ReleaseAll();
  program->Frames(kWarmUpFrames, kFrameSeconds);
  program->Hold(kKeyS);
  std::vector<double> milliseconds;
  milliseconds.reserve(static_cast<std::size_t>(state.max_iterations));
  const long long before = NewCount();
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    program->Frame(kFrameSeconds);
    const double seconds = Seconds(Clock::now() - start);
    state.SetIterationTime(seconds);
    milliseconds.push_back(seconds * 1000.0);
  }
  const auto allocations = static_cast<double>(NewCount() - before);
  const auto count = static_cast<double>(state.iterations());
  program->ReleaseAll();
  state.counters["median_ms"] = Median(milliseconds);
  state.counters["worst_ms"] = *std::max_element(milliseconds.begin(), milliseconds.end());
  state.counters["allocs_per_switch"] = allocations / count;
  state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

// Memory through many switches on the real device.
void SwitchSoak(benchmark::State& state, int switches) {
  SoakResult result;
  for (auto _ : state) {
    program->ReleaseAll();
    program->Hold(kKeyS);
    result = RunSoak(switches, [](int count) { program->Frames(count, kFrameSeconds); });
    program->ReleaseAll();
  }
  SetSoakCounters(state, result, switches);
  state.counters["peak_rss_MiB"] = PeakResidentMiB();
}

void RegisterFrameBenchmarks() {
  struct Variant {
    const char* name;
    int system;
    bool extra;
  };
  static constexpr Variant kVariants[] = {{"frame/crossing", 0, false},
                                          {"frame/crossing+extra", 0, true},
                                          {"frame/crossroads", 1, false},
                                          {"frame/crossroads+extra", 1, true}};
  for (const Variant& v : kVariants) {
    benchmark::RegisterBenchmark(v.name, Frames, v.system, v.extra)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("floor/quad", Floor)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void RegisterSwitchBenchmarks(const Settings& settings) {
  benchmark::RegisterBenchmark("switch", Switches)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime()
      ->Iterations(settings.switches)
      ->Repetitions(1);
  benchmark::RegisterBenchmark("switch_soak", SwitchSoak, settings.soakSwitches)
      ->Unit(benchmark::kSecond)
      ->UseRealTime()
      ->Iterations(1)
      ->Repetitions(1);
}

std::string GlString(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text != nullptr ? text : "";
}

}  // namespace

int main(int argc, char** argv) {
  const Settings settings = TakeSettings(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  if (std::getenv("DISPLAY") == nullptr || chdir(KZ_SOURCE_ROOT) != 0) {
    std::fprintf(stderr, "bench_frame: needs an X display (run under xvfb-run) and the assets\n");
    return 1;
  }
  auto live = std::make_unique<harness::LiveProgram>();
  if (!live->Ready()) {
    std::fprintf(stderr, "bench_frame: the program did not start on this display\n");
    return 1;
  }
  program = live.get();
  benchmark::AddCustomContext("gl_renderer", GlString(GL_RENDERER));
  benchmark::AddCustomContext("gl_version", GlString(GL_VERSION));
  RegisterFrameBenchmarks();
  RegisterSwitchBenchmarks(settings);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  program = nullptr;
  live.reset();
  return 0;
}
