// Number, date and UTF-8 readers on arbitrary bytes: they must reject bad
// text with EConvertError or a code, never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumConv.h"
#include "platform/rtl/Utf8.h"

using namespace qel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  int code = 0, i = 0;
  int64_t i64 = 0;
  double d = 0;
  Val(text, i, code);
  Val(text, i64, code);
  Val(text, d, code);
  TryStrToInt(text, i);
  if (TryStrToFloat(text, d)) {
    // What was read must format and read back without trouble.
    std::string shown = FloatToStr(d);
    double again = 0;
    TryStrToFloat(shown, again);
    FormatFloat("#,##0.00;(0.00);zero", d);
    FloatToStrF(d, ffExponent, 18, 4);
    FloatToStrF(d, ffNumber, 18, 18);
  }
  // The text as a picture format and as a date format.
  FormatFloat(text, 1234.5678);
  FormatDateTime(text, 45000.75);
  try {
    StrToDate(text);
  } catch (const EConvertError&) {
  }
  size_t chars = Utf8Length(text);
  std::string cut = Utf8Copy(text, static_cast<int>(chars / 2), static_cast<int>(chars / 3 + 1));
  if (Utf8Length(cut) > chars) __builtin_trap();
  AnsiUpperCase(text);
  AnsiLowerCase(cut);
  Utf8Pos(cut, text);
  return 0;
}
