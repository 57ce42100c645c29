// Fault injection by sweep: an operation is run again and again with its
// first, second, third ... container allocation failing, until it runs
// through without meeting the failure. After every run that met it, a check
// looks at the object (the error it raised, or none when the operation
// recovered by itself).
#pragma once
#include <gtest/gtest.h>

#include <exception>
#include <functional>

#include "framework/AllocGuard.h"

namespace qel::test {

// Returns how many allocations the operation makes through the hook.
inline int SweepAllocationFailures(const std::function<void()>& Op,
                                   const std::function<void(int Point, const std::exception* Raised)>& Check) {
  for (int point = 0; point < 1000; ++point) {
    SCOPED_TRACE("allocation " + std::to_string(point + 1) + " fails");
    FailNextAllocations(1, point);
    try {
      Op();
    } catch (const std::exception& e) {
      FailNextAllocations(0);
      Check(point, &e);
      continue;
    }
    const bool reached = !AllocationFailuresPending();
    FailNextAllocations(0);
    if (!reached) return point;
    Check(point, nullptr);  // the operation met the failure and recovered
  }
  ADD_FAILURE() << "the operation never ran through";
  return -1;
}

}  // namespace qel::test
