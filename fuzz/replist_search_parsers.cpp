// The report list's search query parser and the row editor's date reader on
// arbitrary input. The first byte picks the parser; for dates, the text and
// the format are split at the first NUL byte. Queries either parse or raise
// EMatchError with a position inside the text (or just after it); a parsed
// query evaluates without running out of terms. Dates either read or give 0.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "replist/detail/BooleanQuery.h"
#include "replist/detail/RowEditorDate.h"

using namespace qel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) {
    try {
      TBooleanQuery q(input);
      if (q.Terms().empty()) std::abort();
      int asked = 0;
      q.Evaluate([&](int term) {
        if (term < 0 || size_t(term) >= q.Terms().size()) std::abort();
        return (++asked + data[0]) % 3 == 0;
      });
    } catch (const EMatchError& e) {
      if (e.Position() < 1 || size_t(e.Position()) > input.size() + 1) std::abort();
    }
    return 0;
  }
  const size_t nul = input.find('\0');
  const std::string text = input.substr(0, nul), format = nul == std::string::npos ? "" : input.substr(nul + 1);
  int error = 1;
  const TDateTime value = ParseEditDate(text, format, &error);
  if (error != edeNone && error != edeLiteral && error != edeFormat && error != edeValue) std::abort();
  if (error != edeNone && value != 0) std::abort();
  return 0;
}
