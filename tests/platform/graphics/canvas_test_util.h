// Small helpers for the canvas pixel tests.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "platform/graphics/Graphics.h"

namespace qel::test {

inline TColor At(const TBitmap& b, int x, int y) { return PixelToColor(b.ScanLine(y)[x]); }

inline void Fill(TBitmap& b, TColor c) {
  for (int y = 0; y < b.GetHeight(); ++y) std::fill_n(b.ScanLine(y), b.GetWidth(), ColorToPixel(c));
}

inline int CountColor(const TBitmap& b, TColor c) {
  int n = 0;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) n += At(b, x, y) == c;
  return n;
}

// Every pixel, row after row: compared with EXPECT_EQ, a change shows.
inline std::vector<uint32_t> PixelsOf(const TBitmap& B) {
  std::vector<uint32_t> all;
  for (int y = 0; y < B.GetHeight(); ++y) all.insert(all.end(), B.ScanLine(y), B.ScanLine(y) + B.GetWidth());
  return all;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
  for (int y = 0; y < a.GetHeight(); ++y)
    if (!std::equal(a.ScanLine(y), a.ScanLine(y) + a.GetWidth(), b.ScanLine(y))) return false;
  return true;
}

}  // namespace qel::test
