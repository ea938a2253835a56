// A run of many system switches (every frame switching) with its memory sampled: resident memory,
// C heap in use and live operator-new blocks after the first 100 switches and after all of them,
// and the highest resident memory of the earlier and of the later half, sampled every 100.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>

#include "bench/frame/process_memory.h"

struct SoakResult {
  MemorySample early;         // after the first 100 switches
  MemorySample late;          // after all of them
  long long earlyBlocks = 0;  // live operator-new blocks after the first 100
  long long lateBlocks = 0;   // and after all
  double earlierPeak = 0.0;   // highest resident MiB sampled in the earlier half
  double laterPeak = 0.0;     // and in the later half
  double seconds = 0.0;       // duration of all switches
};

// Runs `switches` (at least 100) switching frames through `frames(count)`, sampling as it goes.
SoakResult RunSoak(int switches, const std::function<void(int)>& frames);
// Reports `result` as counters; call after the timed loop, since setting counters allocates.
void SetSoakCounters(benchmark::State& state, const SoakResult& result, int switches);
