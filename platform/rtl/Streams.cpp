// TStream: the operations every stream shares. The concrete streams are in
// MemoryStream.cpp, FileStream.cpp and StringStream.cpp.
#include "platform/rtl/Streams.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"

namespace qel {

int64_t TStream::GetSize() {
  int64_t pos = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EStreamError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.GetSize();
  }
  char buffer[65536];
  int64_t left = Count;
  while (left > 0) {
    int64_t n = std::min<int64_t>(left, sizeof buffer);
    Source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    left -= n;
  }
  return Count;
}

}  // namespace qel
