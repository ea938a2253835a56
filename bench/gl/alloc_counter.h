// Counts the process's C++ heap allocations through a replaced global operator new.
#pragma once

#include <cstddef>

// Allocations made through operator new since the process started.
std::size_t HeapAllocations();
