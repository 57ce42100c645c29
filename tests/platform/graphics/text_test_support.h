// Helpers for the text tests: a white bitmap and questions about its ink.
#pragma once
#include <cstdint>

#include "platform/graphics/Graphics.h"

namespace qel::testing {

constexpr uint32_t kWhitePixel = 0xFFFFFF;

// The box around every pixel that is not white (empty when none is).
inline TRect InkBounds(TBitmap& b) {
  TRect r{b.GetWidth(), b.GetHeight(), 0, 0};
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x)
      if (b.ScanLine(y)[x] != kWhitePixel) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                                                std::max(r.Bottom, y + 1)};
  return r.IsEmpty() ? TRect{} : r;
}

// Summed darkness (255 - grey level) over the bitmap: more ink, larger sum.
inline int64_t Darkness(TBitmap& b) {
  int64_t sum = 0;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) {
      uint32_t p = b.ScanLine(y)[x];
      sum += 765 - int((p >> 16) & 0xFF) - int((p >> 8) & 0xFF) - int(p & 0xFF);
    }
  return sum;
}

inline void Clear(TBitmap& b) {
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) b.ScanLine(y)[x] = kWhitePixel;
}

// A canvas set up to draw black text with a clear brush.
inline void UseClearBlackText(TCanvas& c) {
  c.Brush()->SetStyle(bsClear);
  c.Font()->SetColor(clBlack);
}

}  // namespace qel::testing
