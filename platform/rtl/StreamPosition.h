// Internal: position arithmetic shared by the in-memory streams.
#pragma once
#include <cstdint>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

namespace qel::detail {

// New position for Seek; a position before the start is refused.
inline int64_t SeekTarget(int64_t current, int64_t size, int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : (origin == soCurrent ? current : size);
  if ((offset < 0 && base + offset < 0) || (offset > 0 && base > INT64_MAX - offset))
    throw EStreamError("Invalid stream position");
  return base + offset;
}

// Grows a byte container for a write ending at End; a size the machine
// cannot hold becomes EOutOfMemory rather than a crash.
template <typename Container>
void GrowTo(Container& data, int64_t end) {
  if (end <= static_cast<int64_t>(data.size())) return;
  try {
    data.resize(static_cast<size_t>(end));
  } catch (const std::exception&) {
    throw EOutOfMemory("Out of memory");
  }
}

}  // namespace qel::detail
