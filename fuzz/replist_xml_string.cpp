// The report-list XML reader on arbitrary text: it must either read a list
// that writes back and reads again to the same content, or raise
// EQELRLDataError; never crash, leak or allocate without bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/rtl/Streams.h"
#include "replist/QEL_replist.h"

using namespace qel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // A first line "id:<x>" selects a block, as a caller would.
  std::string id;
  if (text.rfind("id:", 0) == 0) id = text.substr(3, text.find('\n') - 3);
  TRLData d(nullptr);
  try {
    d.ReadFromXMLString(text, id);
  } catch (const EQELRLDataError&) {
    return 0;
  }
  TStringStream out;
  d.WriteToXMLStream(out, true, d.GetDataID());
  TRLData again(nullptr);
  again.ReadFromXMLString(out.DataString(), "");
  if (again.GetNrOfRows() != d.GetNrOfRows() || again.GetNrOfColumns() != d.GetNrOfColumns() ||
      again.GetCommonHeader() != d.GetCommonHeader() || again.GetComment() != d.GetComment())
    std::abort();
  for (int r = 1; r <= d.GetNrOfRows(); ++r)
    for (int c = 0; c <= d.GetNrOfColumns(); ++c)
      if (again.GetRawElem(c, r) != d.GetRawElem(c, r)) std::abort();
  return 0;
}
