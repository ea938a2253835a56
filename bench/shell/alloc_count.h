// A count of every allocation through the global operator new, for allocation-per-frame figures.
#pragma once

// Allocations made through the global operator new since the program started.
long long AllocationCount();
