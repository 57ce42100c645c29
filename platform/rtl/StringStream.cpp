#include <algorithm>
#include <cstring>

#include "platform/rtl/Streams.h"
#include "platform/rtl/detail/StreamPosition.h"

namespace qel {

TStringStream::TStringStream(std::string Data) : data_(std::move(Data)) {}

int64_t TStringStream::Read(void* Buffer, int64_t Count) { return detail::ReadBytes(data_, pos_, Buffer, Count); }

int64_t TStringStream::Write(const void* Buffer, int64_t Count) {
  return detail::WriteBytes(data_, pos_, Buffer, Count);
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
