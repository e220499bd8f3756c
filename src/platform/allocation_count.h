#pragma once
// Heap allocations counted by an instrumented build. The show itself counts nothing: only a
// program linked with a counting operator new (bench/instrumented/counting_new.cpp, built as
// bench/velluna_counting) installs the counter, and everything else sees "not counting".
#include <cstdint>

namespace platform {

// The number of operator new calls made so far on the calling thread.
using AllocationCounter = int64_t (*)();

// Set by the instrumented build's static initialisation; nullptr otherwise.
extern AllocationCounter allocationCounter;

// allocationCounter() when set, else -1.
int64_t threadAllocations();

}  // namespace platform
