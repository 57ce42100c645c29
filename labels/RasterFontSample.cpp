// Sampling an installed font into a character matrix: each character drawn
// in black on a white 65 x 65 bitmap, its top-left 32 x 32 pixels read as
// dots wherever they are not pure white.
#include <algorithm>

#include "labels/detail/RasterFont.h"
#include "platform/rtl/Utf8.h"

namespace qel::rasterfont {
namespace {

constexpr int kCanvas = 65, kSample = 32;
constexpr uint32_t kWhitePixel = 0xFFFFFF;

// The dot rows of one character; returns whether it has any dot.
bool SampleChar(TBitmap& Bmp, char32_t Ch, uint32_t (&Rows)[32]) {
  TCanvas& c = *Bmp.Canvas();
  c.Brush()->SetColor(clWhite);
  c.FillRect(Rect(0, 0, kCanvas, kCanvas));
  c.Brush()->SetStyle(bsClear);
  c.TextOut(0, 0, Utf8EncodeChar(Ch));
  bool any = false;
  for (int r = 0; r < kSample; ++r) {
    const uint32_t* line = Bmp.ScanLine(r);
    uint32_t word = 0;
    for (int col = 0; col < kSample; ++col)
      if ((line[col] & 0xFFFFFF) != kWhitePixel) word |= 1u << col;
    Rows[r] = word;
    any |= word != 0;
  }
  return any;
}

void NoColumns(TRDCharMatrix& M, int Code) {
  M.FirstCol[Code] = 31;
  M.LastCol[Code] = 0;
}

}  // namespace

TRDCharMatrix Sample(const TFont& Font) {
  TRDCharMatrix m{};
  for (int code = 0; code < 32; ++code) NoColumns(m, code);
  TBitmap bmp(kCanvas, kCanvas);
  TFont& f = *bmp.Canvas()->Font();
  f.Assign(const_cast<TFont*>(&Font));
  f.SetColor(clBlack);
  f.SetOrientation(0);
  for (int code = 32; code < 256; ++code) {
    NoColumns(m, code);
    if (!SampleChar(bmp, SampledCharOf(code), m.Rows[code])) continue;
    uint32_t all = 0;
    for (int r = 0; r < kSample; ++r) {
      all |= m.Rows[code][r];
      if (m.Rows[code][r]) m.Height = std::max(m.Height, r + 1);
    }
    m.FirstCol[code] = uint8_t(__builtin_ctz(all));
    m.LastCol[code] = uint8_t(31 - __builtin_clz(all));
    m.Width = std::max(m.Width, m.LastCol[code] - m.FirstCol[code] + 1);
  }
  // The blanks have no dots: they take half the widest character. The
  // no-break space is the same blank and would otherwise take no room.
  for (int blank : {32, 160}) {
    m.FirstCol[blank] = 0;
    m.LastCol[blank] = uint8_t(m.Width / 2);
  }
  return m;
}

}  // namespace qel::rasterfont
