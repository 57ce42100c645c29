#include "framework/AllocGuard.h"

#include <atomic>

#include "platform/rtl/Exceptions.h"

namespace qel {
namespace {
std::atomic<int> pendingFailures{0};
std::atomic<int> pendingSuccesses{0};
constexpr size_t kMaxBytes = size_t(1) << 34;
}  // namespace

void FailNextAllocations(int Count, int After) {
  pendingFailures = Count < 0 ? 0 : Count;
  pendingSuccesses = After < 0 ? 0 : After;
}

bool AllocationFailuresPending() { return pendingFailures > 0; }

void CheckAllocation(size_t Count, size_t ElemSize) {
  if (pendingFailures > 0 && pendingSuccesses > 0) {
    --pendingSuccesses;
  } else if (pendingFailures > 0) {
    --pendingFailures;
    throw EOutOfMemory("Out of memory");
  }
  if (ElemSize != 0 && Count > kMaxBytes / ElemSize) throw EOutOfMemory("Out of memory");
}

}  // namespace qel
