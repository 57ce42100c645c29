// Text pixel work: coverage blending and cell fills, all clipped.
#include "platform/graphics/detail/TextRaster.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Graphics.h"

namespace qel {
namespace {

// x / 255, rounded, for x in 0..255*255.
inline uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// src * a + dst * (255 - a), per channel, divided by 255. Red and blue share
// one multiplication: each lives in its own 16-bit lane and cannot carry.
inline uint32_t Blend(uint32_t dst, uint32_t src, uint32_t a) {
  uint32_t ia = 255 - a;
  uint32_t rb = (src & 0xFF00FF) * a + (dst & 0xFF00FF) * ia + 0x800080;
  rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  uint32_t g = Div255(((src >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * ia);
  return rb | (g << 8);
}

// Exact values at right angles keep rotated cells on whole pixels.
void SinCos(int angle, double& s, double& c) {
  switch (angle) {
    case 0: s = 0, c = 1; return;
    case 900: s = 1, c = 0; return;
    case 1800: s = 0, c = -1; return;
    case 2700: s = -1, c = 0; return;
    default: {
      double rad = angle * M_PI / 1800.0;
      s = std::sin(rad);
      c = std::cos(rad);
    }
  }
}

}  // namespace

CellFrame MakeCellFrame(int64_t X, int64_t Y, int Angle) {
  CellFrame f;
  f.X = double(X);
  f.Y = double(Y);
  f.Angle = Angle;
  SinCos(Angle, f.Sin, f.Cos);
  return f;
}

void BlendGlyph(TBitmap& Surface, const TRect& Clip, const CachedGlyph& Glyph, int X, int Y, uint32_t Pixel) {
  TRect box = Bounds(X + Glyph.Left, Y + Glyph.Top, Glyph.Width, Glyph.Height);
  TRect r = IntersectRect(box, Clip);
  if (r.IsEmpty()) return;
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint8_t* cov = Glyph.Coverage.data() + size_t(y - box.Top) * Glyph.Width + (r.Left - box.Left);
    uint32_t* dst = Surface.ScanLine(y) + r.Left;
    for (int x = 0, n = r.Width(); x < n; ++x) {
      uint32_t a = cov[x];
      if (a == 255) dst[x] = Pixel;
      else if (a != 0) dst[x] = Blend(dst[x], Pixel, a);
    }
  }
}

void FillSurfaceRect(TBitmap& Surface, const TRect& Clip, const TRect& R, uint32_t Pixel) {
  TRect r = IntersectRect(R, Clip);
  for (int y = r.Top; y < r.Bottom; ++y) std::fill_n(Surface.ScanLine(y) + r.Left, r.Width(), Pixel);
}

namespace {
// A surface coordinate brought into the clip's span before it becomes int.
int Within(double v, int lo, int hi) { return int(std::clamp(v, double(lo), double(hi))); }
}  // namespace

void FillCellRect(TBitmap& Surface, const TRect& Clip, const CellFrame& F, int64_t U0, int64_t V0, int64_t U1,
                  int64_t V1, uint32_t Pixel) {
  if (U1 <= U0 || V1 <= V0 || Clip.IsEmpty()) return;
  if (F.Angle == 0) {
    double x = F.X, y = F.Y;
    TRect r{Within(x + double(U0), Clip.Left, Clip.Right), Within(y + double(V0), Clip.Top, Clip.Bottom),
            Within(x + double(U1), Clip.Left, Clip.Right), Within(y + double(V1), Clip.Top, Clip.Bottom)};
    return FillSurfaceRect(Surface, Clip, r, Pixel);
  }
  double u0 = double(U0), v0 = double(V0), u1 = double(U1), v1 = double(V1);
  double xs[4] = {F.MapX(u0, v0), F.MapX(u1, v0), F.MapX(u0, v1), F.MapX(u1, v1)};
  double ys[4] = {F.MapY(u0, v0), F.MapY(u1, v0), F.MapY(u0, v1), F.MapY(u1, v1)};
  TRect box{Within(std::floor(*std::min_element(xs, xs + 4)), Clip.Left, Clip.Right),
            Within(std::floor(*std::min_element(ys, ys + 4)), Clip.Top, Clip.Bottom),
            Within(std::ceil(*std::max_element(xs, xs + 4)), Clip.Left, Clip.Right),
            Within(std::ceil(*std::max_element(ys, ys + 4)), Clip.Top, Clip.Bottom)};
  TRect r = IntersectRect(box, Clip);
  // Pixel centres mapped back into cell coordinates (the frame is orthonormal).
  for (int y = r.Top; y < r.Bottom; ++y) {
    uint32_t* row = Surface.ScanLine(y);
    double dy = y + 0.5 - F.Y;
    for (int x = r.Left; x < r.Right; ++x) {
      double dx = x + 0.5 - F.X;
      double u = dx * F.Cos - dy * F.Sin, v = dx * F.Sin + dy * F.Cos;
      if (u >= u0 && u < u1 && v >= v0 && v < v1) row[x] = Pixel;
    }
  }
}

}  // namespace qel
