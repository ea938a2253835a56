// Resident memory of this process, now and at its peak, and the C heap's bytes in use.
#pragma once

// The resident set size now, in MiB (from /proc/self/statm); 0 when it cannot be read.
double ResidentMiB();
// The largest resident set size the process has had, in MiB (getrusage's ru_maxrss).
double PeakResidentMiB();
// Bytes the C heap has handed out and not taken back, in MiB (mallinfo2: arena blocks in use plus
// blocks mapped on their own). Counts every library's malloc, the graphics driver's included.
double HeapInUseMiB();

// Resident memory and C heap in use at one moment, in MiB.
struct MemorySample {
  double resident = 0.0;
  double heap = 0.0;
};
MemorySample SampleMemory();
