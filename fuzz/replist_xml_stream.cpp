// The report-list XML reader on a stream, from a position given by the first
// byte: it reads or raises EQELRLDataError, and leaves the stream inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/Streams.h"
#include "replist/QEL_replist.h"

using namespace qel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TStringStream s(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  s.SetPosition(data[0] % size);
  TRLData d(nullptr);
  try {
    d.ReadFromXMLStream(s, "");
  } catch (const EQELRLDataError&) {
  }
  if (s.GetPosition() < 0 || s.GetPosition() > s.GetSize()) std::abort();
  return 0;
}
