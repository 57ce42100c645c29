// Allocation checks shared by the containers: sizes are validated before any
// memory is touched, failures surface as EOutOfMemory, and tests can make the
// next allocations fail to exercise the callers' recovery paths.
#pragma once
#include <cstddef>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Test hook: after After more container allocations succeed, the next Count
/// fail as if memory ran out.
void FailNextAllocations(int Count = 1, int After = 0);
/// Test hook: true while armed failures wait for an allocation, so that a test
/// can tell an operation that met them from one that made no more allocations.
bool AllocationFailuresPending();

/// Raises EOutOfMemory when the hook is armed, when Count * ElemSize overflows
/// or exceeds what a container may ever hold (16 GiB). Containers call it
/// before each allocation.
void CheckAllocation(size_t Count, size_t ElemSize);

/// Runs Work, turning std::bad_alloc and std::length_error into EOutOfMemory.
template <typename F>
void GuardAllocation(F&& Work);

QEL_API_END
}  // namespace qel

#include "framework/AllocGuardImpl.h"
