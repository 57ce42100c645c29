// Geometry value types shared by the whole library.
#pragma once
#include "platform/rtl/RequireCpp20.h"
#include "platform/rtl/Export.h"

#include <cstdint>

/// Every class, function and constant of libqel.
namespace qel {
QEL_API_BEGIN

/// A point in pixels.
struct TPoint {
  /// Horizontal and vertical coordinates.
  ///@{
  int X = 0, Y = 0;
  ///@}
  /// Same coordinates.
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A size in pixels.
struct TSize {
  /// Width and height.
  ///@{
  int cx = 0, cy = 0;
  ///@}
  /// Same size.
  friend bool operator==(const TSize&, const TSize&) = default;
};

/// A rectangle in the platform's convention: Right and Bottom are one past the
/// last pixel covered.
struct TRect {
  /// Edges in pixels (Right and Bottom exclusive).
  ///@{
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  ///@}
  /// Widths of rectangles with extreme corners saturate instead of overflowing.
  ///@{
  int Width() const { return Clamp(int64_t(Right) - Left); }
  int Height() const { return Clamp(int64_t(Bottom) - Top); }
  ///@}
  /// Whether the rectangle covers no pixel.
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  /// Whether p lies inside.
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  /// Corners.
  ///@{
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  ///@}
  /// Moves the rectangle by (dx, dy).
  void Offset(int dx, int dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
  /// Same edges.
  friend bool operator==(const TRect&, const TRect&) = default;

 private:
  static int Clamp(int64_t v) { return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int(v); }
};

/// The point (x, y).
inline TPoint Point(int x, int y) { return {x, y}; }
/// The rectangle with edges l, t, r, b.
inline TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
/// The rectangle at (l, t) of size w x h.
inline TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }

/// Intersection; empty (all zero) when the two do not overlap, like the platform.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
          a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  return r.IsEmpty() ? TRect{} : r;
}

/// Smallest rectangle covering both; an empty one does not count.
inline TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
          a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

QEL_API_END
}  // namespace qel
