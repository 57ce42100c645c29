#include "platform/rtl/SecureRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/rtl/Exceptions.h"

namespace qel {

void SecureRandomBytes(void* Buffer, size_t Count) {
  auto* p = static_cast<unsigned char*>(Buffer);
  while (Count > 0) {
    ssize_t n = getrandom(p, Count, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw Exception(std::string("No secure random source: ") + std::strerror(errno));
    p += n;
    Count -= static_cast<size_t>(n);
  }
}

uint32_t SecureRandomInt(uint32_t Range) {
  if (Range == 0) throw Exception("SecureRandomInt: the range must be positive");
  // Values at or above the largest multiple of Range would favour small results.
  const uint32_t limit = UINT32_MAX - UINT32_MAX % Range;
  uint32_t value;
  do {
    SecureRandomBytes(&value, sizeof value);
  } while (value >= limit);
  return value % Range;
}

}  // namespace qel
