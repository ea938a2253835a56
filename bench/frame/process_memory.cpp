// Resident memory from the kernel's accounting.
#include "bench/frame/process_memory.h"

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long long total = 0;
  long long resident = 0;
  if (!(statm >> total >> resident))
    return 0.0;
  const long pageSize = sysconf(_SC_PAGESIZE);
  return static_cast<double>(resident) * static_cast<double>(pageSize) / (1024.0 * 1024.0);
}

double PeakResidentMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double HeapInUseMiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

MemorySample SampleMemory() {
  MemorySample sample;
  sample.resident = ResidentMiB();
  sample.heap = HeapInUseMiB();
  return sample;
}
