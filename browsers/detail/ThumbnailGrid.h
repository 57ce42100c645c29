// The grid of a thumbnail viewer as plain numbers: where a slide's card lies
// and which card a point is on. A paint takes one snapshot, so a handler that
// scrolls or resizes during the paint cannot tear the picture.
#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/graphics/Graphics.h"

namespace qel::thumbs {

/// Division and remainder rounding down, so that slides before the top card
/// get rows above it.
inline int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
inline int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

/// A card more than this many pixels away is put this far: it is off any
/// screen either way, and adding a card's size to it cannot overflow.
constexpr int64_t kFarAway = int64_t(1) << 30;
inline int Pixels(int64_t v) { return int(std::clamp(v, -kFarAway, kFarAway)); }

/// Where the cards of a thumbnail grid lie, and which card a point hits.
struct TGrid {
  ///@{
  int Width = 0, Height = 0;  ///< The control
  ///@}
  /// Slide size, margin and distance in pixels.
  ///@{
  int Size = 0, Margin = 0, Distance = 0;
  ///@}
  /// Number of columns.
  int Columns = 1;
  int Top = 0;     ///< The slide in the top-left card, floor(F)
  int Scroll = 0;  ///< Round(frac(F) * Pitch)

  /// Distance in pixels from one card to the next.
  int Pitch() const { return Size + Distance + 2 * Margin; }
  int Card() const { return Size + 2 * Margin; }  ///< A card's right minus its left
  /// Top-left corner of slide n's card, in 64 bits: with the top card near
  /// one end of the int range, n - Top and rows * Pitch do not fit in an int.
  TPoint CardPos(int64_t n) const {
    const int64_t d = n - Top;
    return {Pixels(Pitch() * FloorMod(d, Columns) + 10), Pixels(Pitch() * FloorDiv(d, Columns) + Distance - Scroll + 10)};
  }
  /// The slide whose card (edges included) holds the point, inside the
  /// 10-pixel border; false between cards, outside the columns and past the
  /// last int.
  bool SlideAt(int X, int Y, int& n) const {
    if (X < 10 || X > Width - 10 || Y < 10 || Y > Height - 10) return false;
    const int64_t k = FloorDiv(X - 10, Pitch());
    if (X > Pitch() * k + 10 + Card() || k + 1 > Columns) return false;
    const int64_t j = FloorDiv(int64_t(Y) + Scroll - Distance - 10, Pitch());
    const int64_t top = Pitch() * j + Distance - Scroll + 10;
    if (Y < top || Y > top + Card()) return false;
    const int64_t slide = Top + j * Columns + k;
    if (slide < INT32_MIN || slide > INT32_MAX) return false;
    n = int(slide);
    return true;
  }
};

}  // namespace qel::thumbs
