// Raster operations, span writing and shape geometry for the canvas.
#include "platform/graphics/detail/Raster.h"

#include <cmath>

namespace qel::raster {

namespace {
constexpr uint32_t kRgb = 0x00FFFFFF;

// The interval lo..hi narrowed to the X where Lo <= A X + B <= Hi.
void Constrain(double A, double B, double Lo, double Hi, double& lo, double& hi) {
  if (A == 0) {
    if (B < Lo || B > Hi) hi = lo - 1;
    return;
  }
  double u = (Lo - B) / A, v = (Hi - B) / A;
  if (u > v) std::swap(u, v);
  lo = std::max(lo, u);
  hi = std::min(hi, v);
}

// Extends lo..hi by the chord of the disk (CX, CY, R) at height Y.
void AddDisk(double CX, double CY, double R, double Y, double& lo, double& hi) {
  double dy = Y - CY, h2 = R * R - dy * dy;
  if (h2 < 0) return;
  double h = std::sqrt(h2);
  lo = std::min(lo, CX - h);
  hi = std::max(hi, CX + h);
}

int64_t ClampToInt64(double v, int64_t lo, int64_t hi) {
  if (!(v >= double(lo))) return lo;  // also catches NaN
  if (v > double(hi)) return hi;
  return int64_t(v);
}
}  // namespace

uint32_t Rop2(TPenMode Mode, uint32_t P, uint32_t D) {
  switch (Mode) {
    case pmBlack: return 0;
    case pmWhite: return kRgb;
    case pmNop: return D;
    case pmNot: return ~D & kRgb;
    case pmCopy: return P;
    case pmNotCopy: return ~P & kRgb;
    case pmMergePenNot: return (P | ~D) & kRgb;
    case pmMaskPenNot: return P & ~D & kRgb;
    case pmMergeNotPen: return (~P | D) & kRgb;
    case pmMaskNotPen: return ~P & D & kRgb;
    case pmMerge: return (P | D) & kRgb;
    case pmNotMerge: return ~(P | D) & kRgb;
    case pmMask: return P & D & kRgb;
    case pmNotMask: return ~(P & D) & kRgb;
    case pmXor: return (P ^ D) & kRgb;
    case pmNotXor: return ~(P ^ D) & kRgb;
  }
  return D;
}

void Rop2Span(uint32_t* Row, int N, uint32_t P, TPenMode Mode) {
  switch (Mode) {
    case pmCopy: FillPixels(Row, size_t(N), P); return;
    case pmBlack: FillPixels(Row, size_t(N), 0u); return;
    case pmWhite: FillPixels(Row, size_t(N), kRgb); return;
    case pmNotCopy: FillPixels(Row, size_t(N), ~P & kRgb); return;
    case pmNop: return;
    case pmXor:
      for (int i = 0; i < N; ++i) Row[i] = (Row[i] ^ P) & kRgb;
      return;
    case pmNot:
      for (int i = 0; i < N; ++i) Row[i] = ~Row[i] & kRgb;
      return;
    default:
      for (int i = 0; i < N; ++i) Row[i] = Rop2(Mode, P, Row[i]);
  }
}

uint32_t Rop3(uint32_t Code, uint32_t P, uint32_t S, uint32_t D) {
  uint32_t table = (Code >> 16) & 0xFF, result = 0;
  for (int index = 0; index < 8; ++index)
    if (table >> index & 1)
      result |= (index & 4 ? P : ~P) & (index & 2 ? S : ~S) & (index & 1 ? D : ~D);
  return result & kRgb;
}

TRop3Fn Rop3For(uint32_t Code) {
  switch ((Code >> 16) & 0xFF) {
    case 0x00: return [](uint32_t, uint32_t, uint32_t, uint32_t) { return 0u; };
    case 0x11: return [](uint32_t, uint32_t, uint32_t S, uint32_t D) { return ~(S | D) & kRgb; };
    case 0x33: return [](uint32_t, uint32_t, uint32_t S, uint32_t) { return ~S & kRgb; };
    case 0x44: return [](uint32_t, uint32_t, uint32_t S, uint32_t D) { return S & ~D & kRgb; };
    case 0x55: return [](uint32_t, uint32_t, uint32_t, uint32_t D) { return ~D & kRgb; };
    case 0x5A: return [](uint32_t, uint32_t P, uint32_t, uint32_t D) { return (P ^ D) & kRgb; };
    case 0x66: return [](uint32_t, uint32_t, uint32_t S, uint32_t D) { return (S ^ D) & kRgb; };
    case 0x88: return [](uint32_t, uint32_t, uint32_t S, uint32_t D) { return S & D & kRgb; };
    case 0xBB: return [](uint32_t, uint32_t, uint32_t S, uint32_t D) { return (~S | D) & kRgb; };
    case 0xCC: return [](uint32_t, uint32_t, uint32_t S, uint32_t) { return S & kRgb; };
    case 0xEE: return [](uint32_t, uint32_t, uint32_t S, uint32_t D) { return (S | D) & kRgb; };
    case 0xF0: return [](uint32_t, uint32_t P, uint32_t, uint32_t) { return P & kRgb; };
    case 0xFF: return [](uint32_t, uint32_t, uint32_t, uint32_t) { return kRgb; };
    default: return Rop3;
  }
}

bool Rop3UsesSource(uint32_t Code) {
  uint32_t table = (Code >> 16) & 0xFF;
  return ((table >> 2) & 0x33) != (table & 0x33);
}

// ------------------------------------------------------------ writing ----

void SpanWriter::Span(int64_t X0, int64_t X1, int64_t Y) {
  if (Y < clip_.Top || Y >= clip_.Bottom) return;
  X0 = std::max<int64_t>(X0, clip_.Left);
  X1 = std::min<int64_t>(X1, clip_.Right);
  if (X0 >= X1) return;
  Rop2Span(surface_.ScanLine(int(Y)) + X0, int(X1 - X0), pixel_, mode_);
}

void SpanWriter::Column(int64_t X, int64_t Y0, int64_t Y1) {
  if (X < clip_.Left || X >= clip_.Right) return;
  Y0 = std::max<int64_t>(Y0, clip_.Top);
  Y1 = std::min<int64_t>(Y1, clip_.Bottom);
  for (int64_t y = Y0; y < Y1; ++y) {
    uint32_t* p = surface_.ScanLine(int(y)) + X;
    *p = mode_ == pmCopy ? pixel_ : Rop2(mode_, pixel_, *p);
  }
}

std::vector<std::vector<SpanSet::Run>>& SpanSet::Pool() {
  thread_local std::vector<std::vector<Run>> pool;
  return pool;
}

SpanSet::SpanSet(const TRect& Clip) : clip_(Clip) {
  auto& pool = Pool();
  if (pool.empty()) return;
  runs_ = std::move(pool.back());
  pool.pop_back();
}

SpanSet::~SpanSet() {
  auto& pool = Pool();
  if (pool.size() >= 8 || runs_.capacity() == 0) return;
  runs_.clear();
  pool.push_back(std::move(runs_));
}

void SpanSet::Add(int64_t X0, int64_t X1, int64_t Y) {
  if (Y < clip_.Top || Y >= clip_.Bottom) return;
  X0 = std::max<int64_t>(X0, clip_.Left);
  X1 = std::min<int64_t>(X1, clip_.Right);
  if (X0 < X1) runs_.push_back({int(Y), int(X0), int(X1)});
}

void SpanSet::Write(SpanWriter& Writer) {
  std::sort(runs_.begin(), runs_.end(),
            [](const Run& a, const Run& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
  for (size_t i = 0; i < runs_.size();) {
    Run merged = runs_[i++];
    while (i < runs_.size() && runs_[i].y == merged.y && runs_[i].x0 <= merged.x1)
      merged.x1 = std::max(merged.x1, runs_[i++].x1);
    Writer.Span(merged.x0, merged.x1, merged.y);
  }
  runs_.clear();
}

// ------------------------------------------------------------ dashes ----

namespace {
constexpr uint8_t kDash[] = {18, 6}, kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6},
                  kDashDotDot[] = {9, 3, 3, 3, 3, 3};
}

Dasher::Dasher(TPenStyle Style) {
  auto use = [this](const uint8_t* lengths, int count) {
    lengths_ = lengths;
    count_ = count;
    period_ = 0;
    for (int i = 0; i < count; ++i) period_ += lengths[i];
  };
  switch (Style) {
    case psDash: use(kDash, 2); break;
    case psDot: use(kDot, 2); break;
    case psDashDot: use(kDashDot, 4); break;
    case psDashDotDot: use(kDashDotDot, 6); break;
    default: break;
  }
}

bool Dasher::On(int64_t Step) const {
  if (count_ == 0) return true;
  int64_t at = (position_ + Step % period_) % period_;
  for (int i = 0; i < count_; ++i) {
    if (at < lengths_[i]) return i % 2 == 0;
    at -= lengths_[i];
  }
  return false;
}

// ------------------------------------------------------------ capsule ----

void AddCapsule(SpanSet& Set, double AX, double AY, double BX, double BY, double Radius) {
  const TRect& clip = Set.Clip();
  double dx = BX - AX, dy = BY - AY, length = std::sqrt(dx * dx + dy * dy);
  int64_t yFirst = ClampToInt64(std::floor(std::min(AY, BY) - Radius - 0.5), clip.Top, clip.Bottom);
  int64_t yLast = ClampToInt64(std::ceil(std::max(AY, BY) + Radius), clip.Top - 1, clip.Bottom - 1);
  for (int64_t y = yFirst; y <= yLast; ++y) {
    double Y = y + 0.5, lo = INFINITY, hi = -INFINITY;
    AddDisk(AX, AY, Radius, Y, lo, hi);
    AddDisk(BX, BY, Radius, Y, lo, hi);
    if (length > 0) {
      double bandLo = -INFINITY, bandHi = INFINITY;
      // Perpendicular distance at most Radius, projection within the segment.
      Constrain(-dy, dx * (Y - AY) + dy * AX, -Radius * length, Radius * length, bandLo, bandHi);
      Constrain(dx, -dx * AX + dy * (Y - AY), 0, length * length, bandLo, bandHi);
      if (bandLo <= bandHi) {
        lo = std::min(lo, bandLo);
        hi = std::max(hi, bandHi);
      }
    }
    if (lo > hi) continue;
    int64_t x0 = ClampToInt64(std::ceil(lo - 0.5), clip.Left - 1, clip.Right + 1);
    int64_t x1 = ClampToInt64(std::floor(hi - 0.5), clip.Left - 1, clip.Right + 1);
    Set.Add(x0, x1 + 1, y);
  }
}

// ------------------------------------------------------------ ellipse ----

EllipseRows::EllipseRows(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom)
    : left_(Left), top_(Top), w_(Right - Left), h_(Bottom - Top), reference_(ReferencePaths()) {}

namespace {
// Below this size the exact test U^2 h^2 <= w^2 (h^2 - V^2) fits in 128 bits.
constexpr int64_t kExactLimit = int64_t(1) << 30;
__extension__ using Wide = __int128;
}  // namespace

// The floating-point estimate of the reach, corrected to the exact value
// where the exact test fits (and left as it is for giant ellipses).
int64_t EllipseRows::ReachFromEstimate(int64_t V) const {
  double w = double(w_), h = double(h_), vv = double(V);
  double reach = w * std::sqrt(std::max(0.0, h * h - vv * vv)) / h;
  int64_t parity = (w_ + 1) & 1;  // U is odd for even widths
  int64_t u = int64_t(reach);
  if ((u & 1) != parity) --u;
  if (w_ < kExactLimit && h_ < kExactLimit) {
    Wide limit = Wide(w_) * w_ * (Wide(h_) * h_ - Wide(V) * V), h2 = Wide(h_) * h_;
    while (Wide(u + 2) * (u + 2) * h2 <= limit) u += 2;
    while (u >= 0 && Wide(u) * u * h2 > limit) u -= 2;
  }
  return u;
}

namespace {
// Below this size every product of the walk fits in 64 bits, which the
// processor multiplies and compares in one step.
constexpr int64_t kNarrowLimit = int64_t(1) << 15;
constexpr int64_t kFar = INT64_MIN;

// From the reach Last of a neighbouring row, a few steps to the largest U
// with U^2 h^2 <= w^2 (h^2 - V^2); kFar when it lies further away.
template <class Int>
int64_t WalkReach(int64_t Last, int64_t W, int64_t H, int64_t V) {
  const Int h2 = Int(H) * H, limit = Int(W) * W * (h2 - Int(V) * V);
  auto inside = [&](int64_t u) { return Int(u * u) * h2 <= limit; };
  int64_t u = Last;
  for (int i = 0; i < 8 && inside(u + 2); ++i) u += 2;
  for (int i = 0; i < 8 && u >= 0 && !inside(u); ++i) u -= 2;
  if (inside(u + 2) || (u >= 0 && !inside(u))) return kFar;
  return u;
}
}  // namespace

int64_t EllipseRows::Reach(int64_t V) const {
  bool exact = w_ < kExactLimit && h_ < kExactLimit;
  if (!exact || lastU_ < 0 || reference_) return ReachFromEstimate(V);
  // Walk a few steps from the previous row's reach; the result is the same
  // exact largest U, and a long way falls back to the estimate.
  int64_t u = w_ < kNarrowLimit && h_ < kNarrowLimit ? WalkReach<int64_t>(lastU_, w_, h_, V)
                                                     : WalkReach<Wide>(lastU_, w_, h_, V);
  return u == kFar ? ReachFromEstimate(V) : u;
}

bool EllipseRows::Row(int64_t Y, int64_t& X0, int64_t& X1) const {
  if (Empty()) return false;
  // Doubled coordinates relative to the centre keep everything integral:
  // a pixel is inside when U^2 h^2 + V^2 w^2 <= w^2 h^2.
  int64_t v = 2 * (Y - top_) + 1 - h_;
  if (v < -h_ || v > h_) return false;
  const bool reference = reference_;
  if (!reference)
    for (const Cached& c : cache_)
      if (c.has && c.y == Y) {
        X0 = c.x0, X1 = c.x1;
        return true;
      }
  int64_t u = Reach(v);
  if (!reference) lastU_ = u < 0 ? u + 2 : u;  // a start of the right parity
  // Every row in the box keeps its centre pixels and the middle rows reach
  // both sides, so the ellipse touches its box even when it is very flat.
  int64_t parity = (w_ + 1) & 1;
  u = std::max(u, parity);
  if (v >= -1 && v <= 1) u = w_ - 1;
  X0 = (-u + 2 * left_ + w_ - 1) / 2;
  X1 = (u + 2 * left_ + w_ - 1) / 2;
  if (!reference) {
    cache_[next_] = {Y, X0, X1, true};
    next_ = (next_ + 1) % 4;
  }
  return true;
}

}  // namespace qel::raster
