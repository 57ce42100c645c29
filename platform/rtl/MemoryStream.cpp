#include <algorithm>
#include <cstring>

#include "platform/rtl/Streams.h"
#include "platform/rtl/detail/StreamPosition.h"

namespace qel {

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) { return detail::ReadBytes(data_, pos_, Buffer, Count); }

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  return detail::WriteBytes(data_, pos_, Buffer, Count);
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
