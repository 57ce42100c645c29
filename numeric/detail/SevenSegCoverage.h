// Internal to QEL_sevenseg: the glyph strip as coverage, so that a new
// colour only repaints it and a new size only re-measures it.
//
// Every master glyph has two colours, lit and ground, so a halftone
// shrink of it is, pixel by pixel, the lit share of the area the pixel
// covers. That share is kept as a whole number (in the same units the
// halftone stretch sums in), and painting the strip in two colours rounds
// the same weighted mean the stretch rounds: the pixels are identical.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "numeric/detail/SevenSegGlyphs.h"

namespace qel::sevenseg {

/// The lit share of every pixel of a glyph strip of a given cell size.
struct TStripCoverage {
  int GlyphWidth = 0, GlyphHeight = 0;
  /// Each pixel's area in coverage units (the master's width times height).
  int64_t Total = int64_t(kMasterWidth) * kMasterHeight;
  /// Row by row over the whole strip (kStripCount cells side by side).
  std::vector<uint32_t> Lit;
};

/// The coverage of a strip with cells of Width x Height (both positive).
/// Displays of one size share it while any of them uses it.
std::shared_ptr<const TStripCoverage> CoverageFor(int GlyphWidth, int GlyphHeight);

/// Sizes Strip to the coverage and paints it: Text where a pixel is all
/// lit, BackGnd where it is all ground, their rounded mean between. Text is
/// adjusted as the part pictures are (white drawn as 0xFEFEFE).
void PaintStrip(TBitmap& Strip, const TStripCoverage& Coverage, TColor Text, TColor BackGnd);

}  // namespace qel::sevenseg
