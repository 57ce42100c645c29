// The pixels a value change must repaint: rectangles a few rows high, each
// as wide as what changed within its rows, so a slanted needle does not
// drag its whole bounding box along.
#pragma once
#include <span>
#include <vector>

#include "platform/rtl/Types.h"

namespace qel::meter {

class TDirtyRegion {
 public:
  static constexpr int kStripRows = 16;

  // Empties the region of a W x H picture; the storage is kept, so a paint
  // allocates nothing once it has grown.
  void Reset(int W, int H);
  // Every pixel a polygon through these points fills or outlines with a
  // one-pixel pen, with a margin for rounding.
  void AddPolygon(std::span<const TPoint> Points);
  void AddRect(const TRect& R);
  // Turns what was added into Rects and Bounds.
  void Finish();
  // Within the picture; they may overlap.
  const std::vector<TRect>& Rects() const { return rects_; }
  // The smallest rectangle holding every one; empty when nothing changed.
  const TRect& Bounds() const { return bounds_; }

 private:
  struct Extent {
    double x0, x1;  // empty when x1 < x0
  };
  int w_ = 0, h_ = 0;
  std::vector<Extent> strips_;  // of rows kStripRows * i ..
  std::vector<TRect> rects_;
  TRect bounds_{};
};

}  // namespace qel::meter
