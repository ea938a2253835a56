// Counts of the global operator new and delete, for allocations per frame and for the number of
// C++ heap blocks alive across many system switches.
#pragma once

// Blocks handed out by the global operator new (all forms) since the program started.
long long NewCount();
// Blocks handed out by the global operator new and not yet given back through operator delete.
long long LiveNewBlocks();
