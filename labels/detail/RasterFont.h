// The character matrices behind TRasterLab: the built-in 7 x 12 raster font
// and fonts sampled from installed ones, and how text maps to their codes.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "labels/QEL_RasterLab.h"

namespace qel::rasterfont {

/// One built-in glyph as stored: first column, last column, then 12 row
/// bytes (bit j is column j).
using TGlyphEntry = std::array<uint8_t, 14>;
/// The entry of a code from 32 to 255.
const TGlyphEntry& BuiltinEntry(int Code);
/// The built-in font: Width 7, Height 12, codes 0..31 empty.
const TRDCharMatrix& Builtin();
/// An installed font read dot by dot (codes 0..31 empty).
TRDCharMatrix Sample(const TFont& Font);

constexpr uint8_t kReplacementCode = 127;
/// The character an installed font is sampled for at Code (32..255).
char32_t SampledCharOf(int Code);
/// The code of the character starting at byte I, and its byte length.
uint8_t CodeAt(const std::string& Text, size_t I, size_t& Size);
/// The dot columns a character spans, clamped to the 32 a row word holds; a
/// character without dots (first column past the last) spans none.
struct TColumns {
  int L, R;
  int Count() const { return std::max(0, R - L + 1); }
};
inline TColumns ColumnsOf(const TRDCharMatrix& M, uint8_t Code, bool FixedWidth) {
  if (FixedWidth) return {0, std::clamp(M.Width, 0, 32) - 1};
  return {std::min<int>(M.FirstCol[Code], 32), std::min<int>(M.LastCol[Code], 31)};
}
/// Calls Fn(code) for every character of UTF-8 Text.
template <class F>
void ForEachCode(const std::string& Text, F&& Fn) {
  for (size_t i = 0, size = 0; i < Text.size(); i += size) Fn(CodeAt(Text, i, size));
}

}  // namespace qel::rasterfont
