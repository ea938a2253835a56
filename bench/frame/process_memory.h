// Resident memory of this process, now and at its peak.
#pragma once

// The resident set size now, in MiB (from /proc/self/statm); 0 when it cannot be read.
double ResidentMiB();
// The largest resident set size the process has had, in MiB (getrusage's ru_maxrss).
double PeakResidentMiB();
