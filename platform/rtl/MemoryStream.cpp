#include <algorithm>
#include <cstring>

#include "platform/rtl/StreamPosition.h"
#include "platform/rtl/Streams.h"

namespace qel {

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  int64_t size = GetSize();
  if (Count <= 0 || pos_ >= size) return 0;
  int64_t n = std::min(Count, size - pos_);
  std::memcpy(Buffer, data_.data() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  if (pos_ > INT64_MAX - Count) throw EOutOfMemory("Out of memory");
  detail::GrowTo(data_, pos_ + Count);
  std::memcpy(data_.data() + pos_, Buffer, static_cast<size_t>(Count));
  pos_ += Count;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  pos_ = detail::SeekTarget(pos_, GetSize(), Offset, Origin);
  return pos_;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  if (NewSize < GetSize()) data_.resize(static_cast<size_t>(NewSize));
  else detail::GrowTo(data_, NewSize);
  pos_ = std::min(pos_, NewSize);
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Source) {
  Source.SetPosition(0);
  int64_t size = Source.GetSize();
  SetSize(size);
  Source.ReadBuffer(data_.data(), size);
  pos_ = 0;
}

void TMemoryStream::SaveToStream(TStream& Dest) { Dest.WriteBuffer(data_.data(), GetSize()); }

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream file(FileName, fmOpenRead);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

}  // namespace qel
