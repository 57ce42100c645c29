// The strips a value change repaints.
#include "gauges/detail/MeterDirtyRegion.h"

#include <algorithm>
#include <cmath>

namespace qel::meter {

namespace {
// Pixels of an edge lie within a rounding of its line; a pen pixel or the
// sampling of a row's centre stays within this of the exact edge.
constexpr int kMargin = 2;
}  // namespace

void TDirtyRegion::Reset(int W, int H) {
  w_ = std::max(W, 0), h_ = std::max(H, 0);
  strips_.assign(size_t((h_ + kStripRows - 1) / kStripRows), Extent{1, 0});
  rects_.clear();
  bounds_ = {};
}

// Each strip takes the x range of every edge over the strip's rows and the
// margin above and below: a row's pixels lie between the edges crossing it.
void TDirtyRegion::AddPolygon(std::span<const TPoint> Points) {
  const size_t n = Points.size();
  for (size_t i = 0; i < n; ++i) {
    const TPoint a = Points[i], b = Points[(i + 1) % n];
    const double ay = a.Y, by = b.Y, lo = std::min(ay, by), hi = std::max(ay, by);
    const long first = std::max(0L, long(std::floor((lo - kMargin) / kStripRows)));
    const long last = std::min(long(strips_.size()) - 1, long(std::floor((hi + kMargin) / kStripRows)));
    for (long s = first; s <= last; ++s) {
      const double top = std::clamp(double(s * kStripRows - kMargin), lo, hi);
      const double bottom = std::clamp(double((s + 1) * kStripRows + kMargin), lo, hi);
      auto xAt = [&](double y) { return ay == by ? double(a.X) : a.X + (b.X - double(a.X)) * (y - ay) / (by - ay); };
      double x0 = xAt(top), x1 = xAt(bottom);
      if (ay == by) x0 = std::min(a.X, b.X), x1 = std::max(a.X, b.X);
      Extent& e = strips_[size_t(s)];
      if (e.x1 < e.x0) e = {std::min(x0, x1), std::max(x0, x1)};
      else e = {std::min({e.x0, x0, x1}), std::max({e.x1, x0, x1})};
    }
  }
}

void TDirtyRegion::AddRect(const TRect& R) {
  TRect r = IntersectRect(R, {0, 0, w_, h_});
  if (!r.IsEmpty()) rects_.push_back(r);
}

void TDirtyRegion::Finish() {
  for (size_t s = 0; s < strips_.size(); ++s) {
    const Extent& e = strips_[s];
    if (e.x1 < e.x0) continue;
    double left = std::floor(e.x0) - kMargin, right = std::ceil(e.x1) + kMargin + 1;
    int top = int(s) * kStripRows;
    AddRect({int(std::clamp(left, 0.0, double(w_))), top, int(std::clamp(right, 0.0, double(w_))),
             std::min(top + kStripRows, h_)});
  }
  bounds_ = {};
  for (const TRect& r : rects_) bounds_ = bounds_.IsEmpty() ? r : UnionRect(bounds_, r);
}

}  // namespace qel::meter
