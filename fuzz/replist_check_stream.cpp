// CheckIfValidReplist on arbitrary streams, with an identifier taken from the
// first byte's worth of input: it answers and leaves the stream inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/Streams.h"
#include "replist/QEL_replist.h"

using namespace qel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t idLen = data[0] % 8 < size - 1 ? data[0] % 8 : size - 1;
  const std::string id(reinterpret_cast<const char*>(data) + 1, idLen);
  TStringStream s(std::string(reinterpret_cast<const char*>(data) + 1 + idLen, size - 1 - idLen));
  const bool any = CheckIfValidReplist(s, "");
  if (s.GetPosition() > s.GetSize()) std::abort();
  s.SetPosition(0);
  // A block with the wanted identifier is a block.
  if (CheckIfValidReplist(s, id) && !any) std::abort();
  return 0;
}
