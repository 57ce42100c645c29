// Internal: position arithmetic shared by the in-memory streams.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

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

// Read and Write of a stream over a byte container at position pos.
template <typename Container>
int64_t ReadBytes(const Container& data, int64_t& pos, void* buffer, int64_t count) {
  int64_t size = static_cast<int64_t>(data.size());
  if (count <= 0 || pos >= size) return 0;
  int64_t n = std::min(count, size - pos);
  std::memcpy(buffer, data.data() + pos, static_cast<size_t>(n));
  pos += n;
  return n;
}

template <typename Container>
int64_t WriteBytes(Container& data, int64_t& pos, const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (pos > INT64_MAX - count) throw EOutOfMemory("Out of memory");
  GrowTo(data, pos + count);
  std::memcpy(data.data() + pos, buffer, static_cast<size_t>(count));
  pos += count;
  return count;
}

}  // namespace qel::detail
