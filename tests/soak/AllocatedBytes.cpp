#include "AllocatedBytes.h"

#include <malloc.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QEL_SOAK_ASAN 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define QEL_SOAK_ASAN 1
#endif
#ifdef QEL_SOAK_ASAN
#include <cstddef>
// Declared here: not every compiler ships the sanitizer headers.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace soak {

#ifdef QEL_SOAK_ASAN
int64_t AllocatedBytes() { return int64_t(__sanitizer_get_current_allocated_bytes()); }
const char* AllocatorName() { return "AddressSanitizer allocator"; }
#else
int64_t AllocatedBytes() { return int64_t(mallinfo2().uordblks); }
const char* AllocatorName() { return "glibc malloc"; }
#endif

}  // namespace soak
