// Tokenize on arbitrary text and delimiters: pieces stay within 255
// characters and, when none was cut, join back to the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/rtl/Utf8.h"

using namespace qel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t delimLen = data[0] % 4 < size - 1 ? data[0] % 4 : size - 1;
  const std::string delim(reinterpret_cast<const char*>(data) + 1, delimLen);
  const std::string text(reinterpret_cast<const char*>(data) + 1 + delimLen, size - 1 - delimLen);
  TOpenStringArray tokens;
  const int n = Tokenize(text, delim, tokens);
  if (n != int(tokens.size())) std::abort();
  bool cut = false;
  std::string joined;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (Utf8Length(tokens[i]) > 255) std::abort();
    cut = cut || Utf8Length(tokens[i]) == 255;
    joined += (i ? delim : "") + tokens[i];
  }
  if (!cut && !delim.empty() && joined != text) std::abort();
  NumberedPos(delim, text, data[0] % 7, data[0] % 5, 1 + data[0] % 3);
  return 0;
}
