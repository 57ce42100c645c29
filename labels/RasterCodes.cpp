// Which raster code a character is drawn with: Windows-1252 where the
// character has a code there, the replacement code otherwise.
#include "labels/detail/RasterFont.h"
#include "platform/rtl/Utf8.h"

namespace qel {
namespace {
// Windows-1252 0x80..0x9F; 0 where the code page leaves a code undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

uint8_t RasterCharCode(char32_t Ch) {
  // DEL and the C1 controls are no characters of the code page.
  if (Ch < 0x7F || (Ch >= 0xA0 && Ch <= 0xFF)) return uint8_t(Ch);
  if (Ch >= 0x100)
    for (int i = 0; i < 32; ++i)
      if (kHighControls[i] == Ch) return uint8_t(0x80 + i);
  return rasterfont::kReplacementCode;
}

namespace rasterfont {

char32_t SampledCharOf(int Code) {
  if (Code >= 0x80 && Code < 0xA0) return kHighControls[Code - 0x80] ? kHighControls[Code - 0x80] : U'\uFFFD';
  return Code == kReplacementCode ? U'\uFFFD' : char32_t(Code);
}

uint8_t CodeAt(const std::string& Text, size_t I, size_t& Size) {
  Size = Utf8CharSize(Text, I);
  // A lone byte of 0x80 and above is no valid UTF-8.
  if (Size == 1 && static_cast<unsigned char>(Text[I]) >= 0x80) return kReplacementCode;
  return RasterCharCode(Utf8DecodeChar(Text, I));
}

}  // namespace rasterfont
}  // namespace qel
