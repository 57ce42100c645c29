// The bytes the program holds in live allocations, from whichever allocator
// is in charge: AddressSanitizer's when it is built in, glibc's otherwise.
#pragma once
#include <cstdint>

namespace soak {

int64_t AllocatedBytes();
const char* AllocatorName();

}  // namespace soak
