// Which pixels of one row an arc's sweep or a chord's side takes, found per
// row from where the bounding lines cross it: the test a pixel must pass is
// only run on the few pixels near a crossing, where rounding may decide,
// and once for each stretch between them, where its answer cannot change.
// Internal to the canvas's ellipse-based shapes.
#pragma once
#include <algorithm>
#include <cstdint>
#include <numbers>

namespace qel::raster {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Angles measured counter-clockwise as seen on screen (y grows downwards).
struct Sweep {
  double cx = 0, cy = 0, start = 0, extent = kTwoPi;
  // Unit vectors of the two bounding radials (y up), for the fast test.
  double sx = 1, sy = 0, ex = 1, ey = 0;

  double AngleOf(double X, double Y) const;
  void SetRadials();
  // A pixel belongs when its centre's direction lies within the sweep.
  bool Contains(int64_t X, int64_t Y) const;
};

// Pixels X0..X1 of a row, and windows around the places where a test may
// change its answer along it.
class RowSplit {
 public:
  RowSplit(int64_t X0, int64_t X1) : x0_(X0), x1_(X1) {}
  // Pixels Lo..Hi (reals in any order; infinite allowed, NaN takes the
  // whole row) may differ from their neighbours.
  void AddWindow(double Lo, double Hi);
  // Windows around the two radials of S on row Y.
  void AddRadials(const Sweep& S, int64_t Y);
  // The window where the sign of A - B * (x - BX) is in doubt, as computed
  // in doubles (a chord's side); none when B is 0.
  void AddLineCrossing(double A, double B, int64_t BX);

  // Calls Emit(x0, x1) for each run x0..x1-1 of pixels From..To (within
  // the row) for which In(x) holds: In runs on every pixel of a window and
  // on the first pixel of each stretch between windows.
  template <class InFn, class EmitFn>
  void Runs(int64_t From, int64_t To, InFn&& In, EmitFn&& Emit) const {
    From = std::max(From, x0_), To = std::min(To, x1_);
    if (To < From) return;
    int64_t runStart = -1, x = From;
    auto take = [&](int64_t At, bool Inside) {
      if (Inside && runStart < 0) runStart = At;
      if (!Inside && runStart >= 0) Emit(runStart, At), runStart = -1;
    };
    for (int i = 0; i < count_ && x <= To; ++i) {
      const Window& w = windows_[i];
      if (w.hi < x) continue;
      if (w.lo > x) take(x, In(x));
      for (int64_t p = std::max(w.lo, x), end = std::min(w.hi, To); p <= end; ++p) take(p, In(p));
      x = w.hi + 1;
    }
    if (x <= To) take(x, In(x));
    if (runStart >= 0) Emit(runStart, To + 1);
  }

 private:
  struct Window {
    int64_t lo, hi;  // inclusive, within x0_..x1_
  };
  static constexpr int kMaxWindows = 4;
  int64_t x0_, x1_;
  Window windows_[kMaxWindows];  // sorted, apart
  int count_ = 0;
};

}  // namespace qel::raster
