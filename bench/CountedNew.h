// The benchmark program replaces the global operator new to count
// allocations and to note the largest one, so that a benchmark can state
// what an operation allocates.
#pragma once
#include <cstddef>

namespace bench {

/// Allocations made by operator new since the program started.
long AllocationCount();
/// The largest single allocation since the last call (0 when none); the
/// watch starts again.
std::size_t TakeLargestAllocation();

}  // namespace bench
