// Every validator and scanner of the number-text codec on arbitrary bytes:
// no crash, no undefined behaviour, every scanner leaves its position within
// 1..length + 1 whatever position it was given, and a text the exponent
// validator accepts is read by the scanner to its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "numeric/QEL_NumIO.h"

using namespace qel;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckPos(const std::string& text, int pos) { Check(pos >= 1 && pos <= int(text.size()) + 1); }

// The first byte picks a start position (possibly outside the text), the
// rest is the text.
int StartOf(uint8_t b, const std::string& text) { return int(b % 8) - 2 + (b >= 128 ? int(text.size()) : 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const int start = StartOf(data[0], text);
  for (TDecPSep mode : {dsSystem, dsPoint, dsComma, dsBoth}) {
    for (bool exp : {true, false}) {  // a text the field may hold is read to its end
      int pos = 1;
      if (IsValidExpStr(text, exp, mode)) {
        ScanFloat(text, exp, mode, pos);
        Check(pos == int(text.size()) + 1);
      }
    }
    IsValidFloatStr(text, mode);
    for (bool exp : {true, false}) {
      int pos = start;
      double v = ScanFloat(text, exp, mode, pos);
      CheckPos(text, pos);
      Check(v >= -uc_MaxDouble && v <= uc_MaxDouble);
    }
  }
  IsValidIntStr(text);
  IsValidHexStr(text);
  IsValidOctStr(text);
  IsValidBinStr(text);
  for (auto scan : {ScanDecInt, ScanHex, ScanOct, ScanBin}) {
    int pos = start;
    scan(text, pos);
    CheckPos(text, pos);
  }
  return 0;
}
