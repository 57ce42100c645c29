// Pixel routines behind the canvas: raster operations, clipped span writing,
// and the geometry of lines, thick strokes and ellipses. Internal to
// platform/graphics; every coordinate here is a surface coordinate.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/graphics/Graphics.h"

namespace qel::raster {

// True while this thread draws through the plain, obviously right code paths
// that the fast ones are checked against (tests and benchmarks set it).
bool& ReferencePaths();

// Pen P onto destination D in one of the 16 binary raster operations.
uint32_t Rop2(TPenMode Mode, uint32_t P, uint32_t D);
// The same over a run of N pixels.
void Rop2Span(uint32_t* Row, int N, uint32_t P, TPenMode Mode);
// A ternary raster operation (the code's middle byte is its truth table)
// on pattern P, source S and destination D.
uint32_t Rop3(uint32_t Code, uint32_t P, uint32_t S, uint32_t D);
bool Rop3UsesSource(uint32_t Code);
// Rop3 as a function to call per pixel: the named operations are plain
// expressions, the rest walk the truth table as Rop3 does.
using TRop3Fn = uint32_t (*)(uint32_t Code, uint32_t P, uint32_t S, uint32_t D);
TRop3Fn Rop3For(uint32_t Code);

// N pixels of one colour, with the widest stores the processor has. Short
// runs stay inline: a call through the dispatcher would cost more than them.
void FillPixelsWide(uint32_t* Row, size_t N, uint32_t Pixel);
inline void FillPixels(uint32_t* Row, size_t N, uint32_t Pixel) {
  if (N >= 64) return FillPixelsWide(Row, N, Pixel);
  for (size_t i = 0; i < N; ++i) Row[i] = Pixel;
}
void CopyPixels(uint32_t* To, const uint32_t* From, size_t N);
// Rectangle R (surface coordinates, inside the surface) in one colour.
void FillRows(TBitmap& Surface, const TRect& R, uint32_t Pixel);

// Writes one colour in one raster operation, clipped to a rectangle.
class SpanWriter {
 public:
  SpanWriter(TBitmap& Surface, const TRect& Clip, uint32_t Pixel, TPenMode Mode)
      : surface_(Surface), clip_(Clip), pixel_(Pixel), mode_(Mode) {}
  // Pixels X0..X1-1 of row Y.
  void Span(int64_t X0, int64_t X1, int64_t Y);
  // Pixels Y0..Y1-1 of column X.
  void Column(int64_t X, int64_t Y0, int64_t Y1);
  void Pixel(int64_t X, int64_t Y) {
    if (X < clip_.Left || X >= clip_.Right || Y < clip_.Top || Y >= clip_.Bottom) return;
    uint32_t* p = surface_.ScanLine(int(Y)) + X;
    *p = mode_ == pmCopy ? pixel_ : Rop2(mode_, pixel_, *p);
  }
  const TRect& Clip() const { return clip_; }

 private:
  TBitmap& surface_;
  TRect clip_;
  uint32_t pixel_;
  TPenMode mode_;
};

// Spans collected first and written once each, so that overlapping pieces
// of one shape (the joins of a thick line, an arc's ends and its radii) do
// not apply an inverting raster operation twice.
// Run buffers are recycled through a small per-thread pool, so drawing
// allocates nothing once the buffers have grown to the shapes drawn.
class SpanSet {
 public:
  explicit SpanSet(const TRect& Clip);
  ~SpanSet();
  SpanSet(const SpanSet&) = delete;
  SpanSet& operator=(const SpanSet&) = delete;
  void Add(int64_t X0, int64_t X1, int64_t Y);  // X0..X1-1, clipped
  void Write(SpanWriter& Writer);
  const TRect& Clip() const { return clip_; }

 private:
  struct Run {
    int y, x0, x1;
  };
  static std::vector<std::vector<Run>>& Pool();
  TRect clip_;
  std::vector<Run> runs_;
};

// A cosmetic pen's on/off pattern; the position carries over from segment
// to segment of one polyline.
class Dasher {
 public:
  explicit Dasher(TPenStyle Style);
  bool Solid() const { return count_ == 0; }
  bool On(int64_t Step) const;  // at Position() + Step
  void Advance(int64_t Steps) { position_ = (position_ + Steps % period_) % period_; }

 private:
  const uint8_t* lengths_ = nullptr;
  int count_ = 0;
  int period_ = 1;
  int64_t position_ = 0;
};

// Calls Plot(x, y, step) for each pixel of the line from (X0, Y0) towards
// (X1, Y1), end point left out, skipping steps whose major coordinate lies
// outside Clip. The minor coordinate rounds half away from the start.
template <class PlotFn>
void WalkLine(int64_t X0, int64_t Y0, int64_t X1, int64_t Y1, const TRect& Clip, PlotFn&& Plot) {
  int64_t dx = X1 - X0, dy = Y1 - Y0;
  int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  if (adx == 0 && ady == 0) return;
  bool xMajor = adx >= ady;
  int64_t n = xMajor ? adx : ady, m = xMajor ? ady : adx;
  int64_t majorStart = xMajor ? X0 : Y0, minorStart = xMajor ? Y0 : X0;
  int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1, minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  int64_t clipLo = xMajor ? Clip.Left : Clip.Top, clipHi = xMajor ? Clip.Right : Clip.Bottom;
  int64_t first = 0, last = n;  // steps first..last-1
  if (majorStep > 0) {
    first = std::max(first, clipLo - majorStart);
    last = std::min(last, clipHi - majorStart);
  } else {
    first = std::max(first, majorStart - clipHi + 1);
    last = std::min(last, majorStart - clipLo + 1);
  }
  if (first >= last) return;
  // Minor offset at step i is floor((2 i m + n) / 2n), kept as quotient and remainder.
  __extension__ using Wide = __int128;
  Wide num = Wide(2) * first * m + n;
  int64_t twoN = 2 * n, twoM = 2 * m;
  int64_t q = int64_t(num / twoN), r = int64_t(num % twoN);
  for (int64_t i = first; i < last; ++i) {
    int64_t major = majorStart + majorStep * i, minor = minorStart + minorStep * q;
    if (xMajor)
      Plot(major, minor, i);
    else
      Plot(minor, major, i);
    r += twoM;
    if (r >= twoN) {
      ++q;
      r -= twoN;
    }
  }
}

// Adds the pixels whose centres lie within Radius of the segment A-B (both
// in continuous coordinates, pixel x covering [x, x+1)): a thick stroke
// with round ends.
void AddCapsule(SpanSet& Set, double AX, double AY, double BX, double BY, double Radius);

// An axis-aligned ellipse inscribed in the box [Left, Right) x [Top, Bottom)
// (continuous coordinates, integers). Row spans cover the pixels whose
// centres lie inside it, exactly mirror-symmetric about its centre.
class EllipseRows {
 public:
  EllipseRows(int64_t Left, int64_t Top, int64_t Right, int64_t Bottom);
  bool Empty() const { return w_ <= 0 || h_ <= 0; }
  int64_t Top() const { return top_; }
  int64_t Bottom() const { return top_ + h_; }
  // Pixels X0..X1 (inclusive) of row Y; false when the row has none.
  bool Row(int64_t Y, int64_t& X0, int64_t& X1) const;
  double CentreX() const { return (2 * left_ + w_) / 2.0; }
  double CentreY() const { return (2 * top_ + h_) / 2.0; }

 private:
  // Half-width (doubled, about the centre) of the row at doubled height V.
  int64_t Reach(int64_t V) const;
  int64_t ReachFromEstimate(int64_t V) const;

  int64_t left_, top_, w_, h_;
  bool reference_;  // ReferencePaths() when made: one shape is drawn one way
  // The last rows asked for: shapes walk down a row at a time and look one
  // row up and down, so each row is computed once, starting from the one
  // before it.
  struct Cached {
    int64_t y = 0, x0 = 0, x1 = -1;
    bool has = false;
  };
  mutable Cached cache_[4];
  mutable int next_ = 0;
  mutable int64_t lastU_ = -1;
};

}  // namespace qel::raster
