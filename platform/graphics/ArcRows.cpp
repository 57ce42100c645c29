// The sweep test of arcs and pies, and the windows along a row where it or
// a chord's side test may change its answer.
#include "platform/graphics/detail/ArcRows.h"

#include <cmath>

namespace qel::raster {

double Sweep::AngleOf(double X, double Y) const { return std::atan2(cy - Y, X - cx); }

void Sweep::SetRadials() {
  sx = std::cos(start), sy = std::sin(start);
  ex = std::cos(start + extent), ey = std::sin(start + extent);
}

bool Sweep::Contains(int64_t X, int64_t Y) const {
  if (extent >= kTwoPi) return true;
  // Fast path: the sides of the two radials, by cross products. Pixels
  // close to a radial, and sweeps close to a half turn, take the exact
  // angle test, so the result is the same as that test gives.
  double vx = X + 0.5 - cx, vy = cy - (Y + 0.5);
  double afterStart = sx * vy - sy * vx, beforeEnd = vx * ey - vy * ex;
  double margin = 1e-9 * (std::fabs(vx) + std::fabs(vy));
  if (std::fabs(afterStart) > margin && std::fabs(beforeEnd) > margin &&
      std::fabs(extent - std::numbers::pi) > 1e-6) {
    if (extent < std::numbers::pi) return afterStart > 0 && beforeEnd > 0;
    return afterStart > 0 || beforeEnd > 0;
  }
  double d = std::fmod(AngleOf(X + 0.5, Y + 0.5) - start + 2 * kTwoPi, kTwoPi);
  return d <= extent;
}

// A pixel more on each side than the reals give: the window then holds
// every pixel whose test may go either way, whatever the rounding. NaN
// takes the whole row.
void RowSplit::AddWindow(double Lo, double Hi) {
  if (!(Lo <= Hi)) {
    if (Lo > Hi) std::swap(Lo, Hi);
    else Lo = double(x0_), Hi = double(x1_);
  }
  if (Hi < double(x0_) - 1 || Lo > double(x1_) + 1) return;
  Window w{Lo <= double(x0_) ? x0_ : std::max(x0_, int64_t(std::floor(Lo)) - 1),
           Hi >= double(x1_) ? x1_ : std::min(x1_, int64_t(std::ceil(Hi)) + 1)};
  if (count_ == kMaxWindows) {  // never with the shapes here; stays right, only slower
    const Window& end = windows_[--count_];
    w = {std::min(w.lo, end.lo), std::max(w.hi, end.hi)};
  }
  int i = count_++;
  for (; i > 0 && windows_[i - 1].lo > w.lo; --i) windows_[i] = windows_[i - 1];
  windows_[i] = w;
  // Merge what overlaps or touches, keeping the order.
  int out = 0;
  for (int k = 1; k < count_; ++k) {
    if (windows_[k].lo <= windows_[out].hi + 1) windows_[out].hi = std::max(windows_[out].hi, windows_[k].hi);
    else windows_[++out] = windows_[k];
  }
  count_ = out + 1;
}

// Contains decides by the signs of the cross products u x v of each radial
// u with the pixel's vector v while they exceed its margin. On the row,
// u x v = ux vy - uy vx is linear in x; the window is where it lies within
// twice the largest margin of the row, far beyond any rounding of it.
void RowSplit::AddRadials(const Sweep& S, int64_t Y) {
  if (S.extent >= kTwoPi || x1_ < x0_) return;
  const double vy = S.cy - (double(Y) + 0.5);
  const double reach = std::max(std::fabs(x0_ + 0.5 - S.cx), std::fabs(x1_ + 0.5 - S.cx)) + std::fabs(vy);
  const double t = 2e-9 * reach;
  const double radials[2][2] = {{S.sx, S.sy}, {S.ex, S.ey}};
  for (const auto& u : radials) {
    const double across = u[0] * vy;
    if (u[1] == 0) {
      if (std::fabs(across) <= t) AddWindow(double(x0_), double(x1_));
      continue;
    }
    const double centre = across / u[1] + S.cx - 0.5, half = t / std::fabs(u[1]);
    AddWindow(centre - half, centre + half);
  }
}

// The product B (x - BX) and the difference round by a few units in the
// last place of the larger magnitude; the window is where the exact value
// lies within far more than that of zero.
void RowSplit::AddLineCrossing(double A, double B, int64_t BX) {
  if (B == 0 || x1_ < x0_) return;
  const double far = std::max(std::fabs(double(x0_ - BX)), std::fabs(double(x1_ - BX)));
  const double e = 1e-12 * (std::fabs(A) + std::fabs(B) * far) + 1e-300;
  AddWindow((A - e) / B + double(BX), (A + e) / B + double(BX));
}

}  // namespace qel::raster
