#include <algorithm>
#include <cstring>

#include "platform/rtl/StreamPosition.h"
#include "platform/rtl/Streams.h"

namespace qel {

TStringStream::TStringStream(std::string Data) : data_(std::move(Data)) {}

int64_t TStringStream::Read(void* Buffer, int64_t Count) {
  int64_t size = static_cast<int64_t>(data_.size());
  if (Count <= 0 || pos_ >= size) return 0;
  int64_t n = std::min(Count, size - pos_);
  std::memcpy(Buffer, data_.data() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

int64_t TStringStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  if (pos_ > INT64_MAX - Count) throw EOutOfMemory("Out of memory");
  detail::GrowTo(data_, pos_ + Count);
  std::memcpy(data_.data() + pos_, Buffer, static_cast<size_t>(Count));
  pos_ += Count;
  return Count;
}

int64_t TStringStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  pos_ = detail::SeekTarget(pos_, static_cast<int64_t>(data_.size()), Offset, Origin);
  return pos_;
}

void TStringStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  if (NewSize < static_cast<int64_t>(data_.size())) data_.resize(static_cast<size_t>(NewSize));
  else detail::GrowTo(data_, NewSize);
  pos_ = std::min(pos_, NewSize);
}

}  // namespace qel
