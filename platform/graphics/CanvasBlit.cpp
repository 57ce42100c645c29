// Copying pixels between canvases and bitmaps: raster operations,
// stretching (nearest pixel or area averaging), mirroring, transparency.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/graphics/detail/Raster.h"

namespace qel {

using namespace raster;

namespace {

// Where source pixels are read: a surface, or a private copy of part of it
// when source and destination share one.
struct SourceView {
  const uint32_t* base = nullptr;
  int64_t stride = 0;
  TRect bounds;  // readable area, source surface coordinates
  std::vector<uint32_t> copy;

  bool Has(int64_t x, int64_t y) const { return x >= bounds.Left && x < bounds.Right && y >= bounds.Top && y < bounds.Bottom; }
  const uint32_t* Ptr(int64_t x, int64_t y) const { return base + (y - bounds.Top) * stride + (x - bounds.Left); }
  uint32_t At(int64_t x, int64_t y) const { return *Ptr(x, y); }
};

struct Blit {
  TCanvas* dest;
  int64_t x, y, w, h;  // canvas coordinates of the destination
  const TBitmap* source;
  int64_t sx, sy, sw, sh;  // source surface coordinates
  TCopyMode rop;
  int stretchMode;
  bool transparent = false;
  uint32_t transparentPixel = 0;
};

// Source pixels and their weights for one destination column or row.
struct Footprint {
  std::vector<int64_t> index;
  std::vector<double> weight;
};

// Destination cell I of N covers [I*S/N, (I+1)*S/N) of the S source cells;
// only cells mapping into Lo..Hi-1 (the readable source) are listed.
Footprint AreaFootprint(int64_t I, int64_t N, int64_t S, int64_t Start, bool Flip, int64_t Lo, int64_t Hi) {
  Footprint f;
  double from = double(I) * S / N, to = double(I + 1) * S / N;
  int64_t first = Flip ? Start + S - Hi : Lo - Start, last = Flip ? Start + S - 1 - Lo : Hi - 1 - Start;
  for (int64_t k = std::max(int64_t(std::floor(from)), first); k < to && k < S && k <= last; ++k) {
    double overlap = std::min(to, double(k + 1)) - std::max(from, double(k));
    if (overlap <= 0) continue;
    f.index.push_back(Flip ? Start + S - 1 - k : Start + k);
    f.weight.push_back(overlap);
  }
  return f;
}

// The same cells with whole-number weights: measured in 1/N of a source
// cell, destination cell I covers [I*S, (I+1)*S) and source cell k covers
// [k*N, (k+1)*N), so every overlap is a whole number and the sums are exact.
struct WholeFootprint {
  std::vector<int64_t> index, weight;
  int64_t total = 0;
};

WholeFootprint ExactFootprint(int64_t I, int64_t N, int64_t S, int64_t Start, bool Flip, int64_t Lo, int64_t Hi) {
  __extension__ using Wide = __int128;
  WholeFootprint f;
  const Wide from = Wide(I) * S, to = Wide(I + 1) * S;
  int64_t first = Flip ? Start + S - Hi : Lo - Start, last = Flip ? Start + S - 1 - Lo : Hi - 1 - Start;
  for (int64_t k = std::max(int64_t(from / N), first); k < S && k <= last && Wide(k) * N < to; ++k) {
    const int64_t overlap = int64_t(std::min(to, Wide(k + 1) * N) - std::max(from, Wide(k) * N));
    if (overlap <= 0) continue;
    f.index.push_back(Flip ? Start + S - 1 - k : Start + k);
    f.weight.push_back(overlap);
    f.total += overlap;
  }
  return f;
}

// A column's weights add up to at most S_x and a row's to S_y, so the sums
// and the rounding below stay within 64 bits while 2 * 257 * S_x * S_y
// does: any source a bitmap can hold. Beyond, the reference walk takes over.
bool FitsWholeSums(int64_t Sw, int64_t Sh) {
  return Sw < (int64_t(1) << 27) && Sh < (int64_t(1) << 27) && Sw * Sh < (int64_t(1) << 52);
}

// The source cell whose area holds the centre of destination cell I.
int64_t NearestCell(int64_t I, int64_t N, int64_t S, int64_t Start, bool Flip) {
  __extension__ using Wide = __int128;
  int64_t k = int64_t((Wide(2 * I + 1) * S) / (Wide(2) * N));
  return Flip ? Start + S - 1 - k : Start + k;
}

// One destination pixel from an area of source pixels: the weighted mean
// (halftone), or AND / OR of every pixel touched (the two mono modes).
bool AreaPixel(const SourceView& V, const Footprint& Cols, const Footprint& Rows, int Mode, uint32_t& Out) {
  double sum[3] = {0, 0, 0}, total = 0;
  uint32_t all = 0x00FFFFFF, any = 0;
  for (size_t r = 0; r < Rows.index.size(); ++r)
    for (size_t c = 0; c < Cols.index.size(); ++c) {
      if (!V.Has(Cols.index[c], Rows.index[r])) continue;
      uint32_t p = V.At(Cols.index[c], Rows.index[r]);
      double w = Cols.weight[c] * Rows.weight[r];
      for (int ch = 0; ch < 3; ++ch) sum[ch] += w * ((p >> (8 * ch)) & 0xFF);
      total += w;
      all &= p;
      any |= p;
    }
  if (total <= 0) return false;
  if (Mode == BLACKONWHITE) Out = all;
  else if (Mode == WHITEONBLACK) Out = any;
  else {
    Out = 0;
    for (int ch = 0; ch < 3; ++ch) Out |= uint32_t(std::lround(sum[ch] / total)) << (8 * ch);
  }
  return true;
}

SourceView ViewOf(const Blit& B, const TBitmap* DestSurface) {
  SourceView v;
  if (!B.source) return v;
  TRect all{0, 0, B.source->GetWidth(), B.source->GetHeight()};
  if (B.source != DestSurface) {
    v.bounds = all;
    v.base = B.source->ScanLine(0);
    v.stride = all.Right;
    return v;
  }
  // Same surface: read from a copy so overlapping copies see the old pixels.
  TRect need{int(std::clamp<int64_t>(B.sx, 0, all.Right)), int(std::clamp<int64_t>(B.sy, 0, all.Bottom)),
             int(std::clamp<int64_t>(B.sx + B.sw, 0, all.Right)), int(std::clamp<int64_t>(B.sy + B.sh, 0, all.Bottom))};
  if (need.IsEmpty()) return v;
  v.bounds = need;
  v.stride = need.Width();
  const size_t width = size_t(need.Width());  // positive: need is not empty
  v.copy.resize(width * size_t(need.Height()));
  for (int y = need.Top; y < need.Bottom; ++y) {
    const uint32_t* row = B.source->ScanLine(y) + need.Left;
    std::copy(row, row + width, v.copy.begin() + ptrdiff_t(size_t(y - need.Top) * width));
  }
  v.base = v.copy.data();
  return v;
}

// Sum / Total rounded, halves away from zero: (2 Sum + Total) div (2 Total).
// A reciprocal gives the quotient to within one, and one comparison each
// way makes it exact, without an integer division per channel.
uint32_t RoundedMean(int64_t Sum, int64_t Total, double Inverse) {
  const int64_t n = 2 * Sum + Total, d = 2 * Total;
  int64_t q = int64_t(double(n) * Inverse);
  if (q * d > n) --q;
  else if ((q + 1) * d <= n) ++q;
  return uint32_t(q);
}

// Per destination column: weighted channel sums, and the AND and OR of the
// pixels (for the two mono modes).
struct AreaSums {
  int64_t c[3];
  uint32_t all, any;
};

// One source row summed across every column's footprint. Neighbouring
// destination rows share their boundary source row (and, when enlarging,
// all of them), so the last row's sums are kept for the next.
class RowSums {
 public:
  const std::vector<AreaSums>& Of(const SourceView& V, const std::vector<WholeFootprint>& Cols, int64_t Row) {
    if (Row == row_) return sums_;
    row_ = Row;
    sums_.resize(Cols.size());
    const uint32_t* line = V.Ptr(V.bounds.Left, Row);
    const int64_t left = V.bounds.Left;
    for (size_t x = 0; x < Cols.size(); ++x) {
      const WholeFootprint& f = Cols[x];
      int64_t h0 = 0, h1 = 0, h2 = 0;
      uint32_t all = 0x00FFFFFF, any = 0;
      for (size_t c = 0; c < f.index.size(); ++c) {
        const uint32_t p = line[f.index[c] - left];
        const int64_t w = f.weight[c];
        h0 += w * (p & 0xFF);
        h1 += w * ((p >> 8) & 0xFF);
        h2 += w * ((p >> 16) & 0xFF);
        all &= p;
        any |= p;
      }
      sums_[x] = {{h0, h1, h2}, all, any};
    }
    return sums_;
  }

 private:
  int64_t row_ = INT64_MIN;
  std::vector<AreaSums> sums_;
};

// One destination row of an area stretch, into Out (Valid[x] false where
// no readable source pixel falls): the source rows' sums weighted together,
// all in whole numbers, so the mean is rounded exactly (halves up).
void AreaRow(const SourceView& V, const std::vector<WholeFootprint>& Cols, const WholeFootprint& Rows, int Mode,
             RowSums& Cache, std::vector<uint32_t>& Out, std::vector<uint8_t>& Valid) {
  thread_local std::vector<AreaSums> sums;
  sums.assign(Cols.size(), {{0, 0, 0}, 0x00FFFFFF, 0});
  for (size_t k = 0; k < Rows.index.size(); ++k) {
    const std::vector<AreaSums>& h = Cache.Of(V, Cols, Rows.index[k]);
    const int64_t wr = Rows.weight[k];
    for (size_t x = 0; x < Cols.size(); ++x) {
      AreaSums& s = sums[x];
      for (int ch = 0; ch < 3; ++ch) s.c[ch] += wr * h[x].c[ch];
      s.all &= h[x].all;
      s.any |= h[x].any;
    }
  }
  Out.resize(Cols.size());
  Valid.resize(Cols.size());
  for (size_t x = 0; x < Cols.size(); ++x) {
    const int64_t total = Rows.total * Cols[x].total;
    Valid[x] = total > 0;
    if (!Valid[x]) continue;
    const AreaSums& s = sums[x];
    if (Mode == BLACKONWHITE) Out[x] = s.all;
    else if (Mode == WHITEONBLACK) Out[x] = s.any;
    else {
      const double inverse = 1.0 / double(2 * total);
      Out[x] = 0;
      for (int ch = 0; ch < 3; ++ch) Out[x] |= RoundedMean(s.c[ch], total, inverse) << (8 * ch);
    }
  }
}

bool RunBlit(Blit B) {
  TBitmap* surface = B.dest ? B.dest->Surface() : nullptr;
  bool usesSource = Rop3UsesSource(B.rop);
  if (!surface || (usesSource && !B.source)) return false;
  bool flipX = false, flipY = false;
  // A negative extent mirrors: it covers X+W+1..X, as on the platform.
  if (B.w < 0) B.x += B.w + 1, B.w = -B.w, flipX = !flipX;
  if (B.h < 0) B.y += B.h + 1, B.h = -B.h, flipY = !flipY;
  if (B.sw < 0) B.sx += B.sw + 1, B.sw = -B.sw, flipX = !flipX;
  if (B.sh < 0) B.sy += B.sh + 1, B.sh = -B.sh, flipY = !flipY;
  if (!usesSource) B.sw = B.w, B.sh = B.h;
  if (B.w == 0 || B.h == 0 || B.sw == 0 || B.sh == 0) return true;
  const int64_t dx0 = B.x + B.dest->Origin().X, dy0 = B.y + B.dest->Origin().Y;
  TRect clip = B.dest->DeviceClip();
  int64_t left = std::max<int64_t>(dx0, clip.Left), right = std::min<int64_t>(dx0 + B.w, clip.Right);
  int64_t top = std::max<int64_t>(dy0, clip.Top), bottom = std::min<int64_t>(dy0 + B.h, clip.Bottom);
  if (left >= right || top >= bottom) return true;

  SourceView view = usesSource ? ViewOf(B, surface) : SourceView{};
  bool stretched = B.sw != B.w || B.sh != B.h;
  if (usesSource && !stretched && !flipX && !flipY && B.rop == cmSrcCopy && !B.transparent) {
    int64_t shiftX = B.sx - dx0, shiftY = B.sy - dy0;
    int64_t l = std::max<int64_t>(left, view.bounds.Left - shiftX), r = std::min<int64_t>(right, view.bounds.Right - shiftX);
    int64_t y0 = std::max<int64_t>(top, view.bounds.Top - shiftY), y1 = std::min<int64_t>(bottom, view.bounds.Bottom - shiftY);
    if (l >= r || y0 >= y1) return true;
    size_t n = size_t(r - l);
    if (int64_t(n) == surface->GetWidth() && int64_t(n) == view.stride) {  // whole rows on both sides: one run
      CopyPixels(surface->ScanLine(int(y0)), view.Ptr(l + shiftX, y0 + shiftY), n * size_t(y1 - y0));
      return true;
    }
    for (int64_t y = y0; y < y1; ++y) CopyPixels(surface->ScanLine(int(y)) + l, view.Ptr(l + shiftX, y + shiftY), n);
    return true;
  }
  bool area = usesSource && stretched && !B.transparent && B.stretchMode != COLORONCOLOR;
  // The reference (and a giant source) walks each destination pixel's area
  // on its own, in floating point.
  const bool byRows = area && !ReferencePaths() && FitsWholeSums(B.sw, B.sh);
  const bool byPixels = area && !byRows;
  uint32_t pattern = ColorToPixel(B.dest->Brush()->GetColor());
  const TRop3Fn rop = Rop3For(B.rop);
  std::vector<int64_t> column(size_t(right - left));
  std::vector<Footprint> columnArea(byPixels ? column.size() : 0);
  std::vector<WholeFootprint> columnWhole(byRows ? column.size() : 0);
  for (int64_t x = left; x < right; ++x) {
    column[x - left] = NearestCell(x - dx0, B.w, B.sw, B.sx, flipX);
    if (byPixels) columnArea[x - left] = AreaFootprint(x - dx0, B.w, B.sw, B.sx, flipX, view.bounds.Left, view.bounds.Right);
    if (byRows) columnWhole[x - left] = ExactFootprint(x - dx0, B.w, B.sw, B.sx, flipX, view.bounds.Left, view.bounds.Right);
  }
  std::vector<uint32_t> areaRow;
  std::vector<uint8_t> areaValid;
  RowSums rowSums;
  for (int64_t y = top; y < bottom; ++y) {
    uint32_t* row = surface->ScanLine(int(y));
    int64_t sy = NearestCell(y - dy0, B.h, B.sh, B.sy, flipY);
    Footprint rowArea =
        byPixels ? AreaFootprint(y - dy0, B.h, B.sh, B.sy, flipY, view.bounds.Top, view.bounds.Bottom) : Footprint{};
    if (byRows)
      AreaRow(view, columnWhole,
              ExactFootprint(y - dy0, B.h, B.sh, B.sy, flipY, view.bounds.Top, view.bounds.Bottom), B.stretchMode,
              rowSums, areaRow, areaValid);
    for (int64_t x = left; x < right; ++x) {
      uint32_t s = 0;
      if (byRows) {
        if (!areaValid[size_t(x - left)]) continue;
        s = areaRow[size_t(x - left)];
      } else if (byPixels) {
        if (!AreaPixel(view, columnArea[x - left], rowArea, B.stretchMode, s)) continue;
      } else if (usesSource) {
        int64_t sx = column[x - left];
        if (!view.Has(sx, sy)) continue;
        s = view.At(sx, sy);
        if (B.transparent && s == B.transparentPixel) continue;
      }
      row[x] = B.rop == cmSrcCopy ? s : rop(B.rop, pattern, s, row[x]);
    }
  }
  return true;
}

Blit BitmapBlit(TCanvas* Dest, int64_t X, int64_t Y, int64_t W, int64_t H, const TBitmap* Graphic) {
  Blit b{Dest, X, Y, W, H, Graphic, 0, 0, Graphic->GetWidth(), Graphic->GetHeight(),
         Dest->GetCopyMode(), Dest->GetStretchBltMode()};
  if (Graphic->GetTransparent()) {
    // The mask-based transparent copy of the platform ignores CopyMode.
    b.transparent = true;
    b.transparentPixel = ColorToPixel(Graphic->GetTransparentColor());
    b.rop = cmSrcCopy;
  }
  return b;
}

}  // namespace

void TCanvas::Draw(int X, int Y, const TBitmap* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  RunBlit(BitmapBlit(this, X, Y, Graphic->GetWidth(), Graphic->GetHeight(), Graphic));
}

void TCanvas::StretchDraw(const TRect& R, const TBitmap* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  RunBlit(BitmapBlit(this, R.Left, R.Top, int64_t(R.Right) - R.Left, int64_t(R.Bottom) - R.Top, Graphic));
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
  // Extents in 64 bits: a rectangle's width can exceed int.
  const TBitmap* surface = Source ? Source->Surface() : nullptr;
  int64_t ox = Source ? Source->Origin().X : 0, oy = Source ? Source->Origin().Y : 0;
  RunBlit({this, Dest.Left, Dest.Top, int64_t(Dest.Right) - Dest.Left, int64_t(Dest.Bottom) - Dest.Top, surface,
           SourceRect.Left + ox, SourceRect.Top + oy, int64_t(SourceRect.Right) - SourceRect.Left,
           int64_t(SourceRect.Bottom) - SourceRect.Top, copyMode_, stretchMode_});
}

int SetStretchBltMode(HDC DC, int Mode) {
  if (!DC || Mode < BLACKONWHITE || Mode > HALFTONE) return 0;
  int previous = DC->GetStretchBltMode();
  DC->SetStretchBltMode(Mode);
  return previous;
}

bool StretchBlt(HDC Dest, int X, int Y, int W, int H, HDC Source, int SX, int SY, int SW, int SH, TCopyMode Rop) {
  const TBitmap* surface = Source ? Source->Surface() : nullptr;
  int64_t ox = Source ? Source->Origin().X : 0, oy = Source ? Source->Origin().Y : 0;
  Blit b{Dest, X, Y, W, H, surface, SX + ox, SY + oy, SW, SH, Rop, Dest ? Dest->GetStretchBltMode() : COLORONCOLOR};
  return RunBlit(b);
}

bool BitBlt(HDC Dest, int X, int Y, int W, int H, HDC Source, int SX, int SY, TCopyMode Rop) {
  return StretchBlt(Dest, X, Y, W, H, Source, SX, SY, W, H, Rop);
}

}  // namespace qel
