// Sampling memory through a run of many switches.
#include "bench/frame/switch_soak.h"

#include <algorithm>
#include <chrono>

#include "bench/frame/heap_count.h"

namespace {

constexpr int kCheckpoint = 100;

}  // namespace

SoakResult RunSoak(int switches, const std::function<void(int)>& frames) {
  SoakResult result;
  const auto start = std::chrono::steady_clock::now();
  frames(kCheckpoint);
  result.early = SampleMemory();
  result.earlyBlocks = LiveNewBlocks();
  for (int done = kCheckpoint; done < switches;) {
    const int chunk = std::min(kCheckpoint, switches - done);
    frames(chunk);
    done += chunk;
    double& peak = done > switches / 2 ? result.laterPeak : result.earlierPeak;
    peak = std::max(peak, ResidentMiB());
  }
  result.late = SampleMemory();
  result.lateBlocks = LiveNewBlocks();
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

void SetSoakCounters(benchmark::State& state, const SoakResult& result, int switches) {
  state.counters["rss_after_100_MiB"] = result.early.resident;
  state.counters["heap_after_100_MiB"] = result.early.heap;
  state.counters["new_blocks_after_100"] = static_cast<double>(result.earlyBlocks);
  state.counters["rss_after_all_MiB"] = result.late.resident;
  state.counters["heap_after_all_MiB"] = result.late.heap;
  state.counters["new_blocks_after_all"] = static_cast<double>(result.lateBlocks);
  state.counters["rss_peak_earlier_half_MiB"] = result.earlierPeak;
  state.counters["rss_peak_later_half_MiB"] = result.laterPeak;
  state.counters["seconds"] = result.seconds;
  state.counters["switches"] = switches;
}
