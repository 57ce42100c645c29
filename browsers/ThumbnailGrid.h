// The grid of a thumbnail viewer as plain numbers: where a slide's card lies
// and which card a point is on. A paint takes one snapshot, so a handler that
// scrolls or resizes during the paint cannot tear the picture.
#pragma once
#include "platform/graphics/Graphics.h"

namespace qel::thumbs {

/// Division and remainder rounding down, so that slides before the top card
/// get rows above it.
inline int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
inline int FloorMod(int a, int b) { return a - FloorDiv(a, b) * b; }

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
  /// Top-left corner of slide n's card.
  TPoint CardPos(int n) const {
    const int d = n - Top;
    return {Pitch() * FloorMod(d, Columns) + 10, Pitch() * FloorDiv(d, Columns) + Distance - Scroll + 10};
  }
  /// The slide whose card (edges included) holds the point, inside the
  /// 10-pixel border; false between cards and outside the columns.
  bool SlideAt(int X, int Y, int& n) const {
    if (X < 10 || X > Width - 10 || Y < 10 || Y > Height - 10) return false;
    const int k = FloorDiv(X - 10, Pitch());
    if (X > Pitch() * k + 10 + Card() || k + 1 > Columns) return false;
    const int j = FloorDiv(Y + Scroll - Distance - 10, Pitch());
    const int top = Pitch() * j + Distance - Scroll + 10;
    if (Y < top || Y > top + Card()) return false;
    n = Top + j * Columns + k;
    return true;
  }
};

}  // namespace qel::thumbs
