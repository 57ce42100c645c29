// TRasterLab painting: characters and strings of dots on any canvas, the
// text's pixel length, and the label's picture (ground, grid, text, frame).
#include <algorithm>
#include <climits>
#include <cstdint>

#include "labels/RasterFont.h"

namespace qel {
namespace {

// Keeps sums of positions and advances inside int, far off any surface.
constexpr int64_t kCoordLimit = 1 << 28;
int ClampCoord(int64_t v) { return int(std::clamp<int64_t>(v, -kCoordLimit, kCoordLimit)); }

// The dot columns a character spans, clamped to the 32 a row word holds; a
// character without dots (first column past the last) spans none.
struct Span {
  int L, R;
  int Count() const { return std::max(0, R - L + 1); }
};
Span ColumnsOf(const TRDCharMatrix& M, uint8_t Code, bool FixedWidth) {
  if (FixedWidth) return {0, std::clamp(M.Width, 0, 32) - 1};
  return {std::min<int>(M.FirstCol[Code], 32), std::min<int>(M.LastCol[Code], 31)};
}

int PaintCode(TCanvas& C, const TRDCharMatrix& M, int X, int Y, uint8_t Code, int DotSize, int P, TColor On,
              bool FixedWidth) {
  const Span s = ColumnsOf(M, Code, FixedWidth);
  const int rows = std::clamp(M.Height, 0, 32);
  C.Pen()->SetColor(On);
  C.Brush()->SetColor(On);
  for (int r = 0; r < rows; ++r) {
    uint32_t word = M.Rows[Code][r];
    if (!word) continue;
    const int y = Y + r * P;
    for (int c = s.L; c <= s.R; ++c) {
      if (!(word >> c & 1u)) continue;
      const int x = X + (c - s.L) * P;
      if (DotSize == 1) C.SetPixels(x, y, On);
      else C.FillRect(Rect(x, y, x + DotSize, y + DotSize));
    }
  }
  return P * s.Count();
}

int64_t FloorMod(int64_t A, int64_t B) { return ((A % B) + B) % B; }

}  // namespace

// ------------------------------------------------------------- strings ----

int TRasterLab::PaintChar(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, int X, int Y, char32_t Ch, int DotSize,
                          int DotSpacing, TColor ColorOn, TColor, TColor, bool FixedWidth) {
  if (!Canvas) return 0;
  return PaintCode(*Canvas, CharMatrix, ClampCoord(X), ClampCoord(Y), RasterCharCode(Ch), DotSize, DotSize + DotSpacing, ColorOn,
                   FixedWidth);
}

void TRasterLab::PaintString(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, int X, int Y,
                             const std::string& Text, int DotSize, int DotSpacing, TColor ColorOn, TColor,
                             TColor ColorBack, TRDBlockMode BlockMode, bool Proportional, int& Length) {
  const int P = DotSize + DotSpacing;
  int64_t g = X;
  if (!Canvas) {
    Length = 1;
    return;
  }
  const TRect clip = Canvas->GetClipRect();
  // rdbmOn: the dot column before G, all the way down, in the background.
  auto separate = [&] {
    if (BlockMode != rdbmOn || g - P >= clip.Right || g - 1 <= clip.Left) return;
    Canvas->Brush()->SetColor(ColorBack);
    Canvas->FillRect(Rect(ClampCoord(g - P), clip.Top, ClampCoord(g - 1), clip.Bottom));
  };
  separate();
  rasterfont::ForEachCode(Text, [&](uint8_t code) {
    const int width = P * ColumnsOf(CharMatrix, code, !Proportional).Count();
    // Characters off the canvas only advance: long texts scroll cheaply.
    if (g + width > clip.Left && g < clip.Right && std::abs(Y) < kCoordLimit)
      PaintCode(*Canvas, CharMatrix, int(g), Y, code, DotSize, P, ColorOn, !Proportional);
    g = std::min(g + P + width, int64_t(INT_MAX / 2));
    separate();
  });
  Length = int(std::min<int64_t>(g - X + 1, INT_MAX));
}

int TRasterLab::CalcTextBitLength(const std::string& Text) const {
  int64_t sum = 0;
  rasterfont::ForEachCode(Text, [&](uint8_t code) {
    sum += int64_t(Pitch()) * (ColumnsOf(*matrix_, code, !proportional_).Count() + 1);
  });
  return int(std::min<int64_t>(sum, INT_MAX));
}

// ------------------------------------------------------------- picture ----

// Lines in the background colour over the gaps between dots, so that only
// DotSize x DotSize squares of the ground stay. The residue is taken
// non-negative, so the first lines fall at the left edge whatever the sign
// of the text's position.
void TRasterLab::DrawGrid(TCanvas& C, int W, int H, int X, int Y) const {
  const int P = Pitch(), s = dotSpacing_;
  C.Brush()->SetColor(colorLabBakG_);
  const int my = int(FloorMod(Y, P)), mx = int(FloorMod(X, P));
  for (int k = 0; k <= H / P + 1; ++k)
    for (int i = 1; i <= s; ++i) {
      int y = my + k * P + i - s - 1;
      C.FillRect(Rect(0, y, W, y + 1));
    }
  for (int k = 0; k <= W / P + 1; ++k)
    for (int i = 1; i <= s; ++i) {
      int x = mx + k * P + i - s - 1;
      C.FillRect(Rect(x, 0, x + 1, H));
    }
}

// Black and the scheme's dark and light edges.
void TRasterLab::DrawLabFrame(TCanvas& C, int W, int H) const {
  StylePainter::PaintDisplayFrame(&C, {0, 0, W, H}, FrameLook(frameStyle_), edge0_, scheme_.Dark, scheme_.Light);
}

// Composed off screen and copied in one step. The ground covers the whole
// bitmap, so the few corner pixels a frame leaves out are never stale.
void TRasterLab::Paint() {
  if (!GetVisible() && !ComponentState().Contains(csDesigning)) return;
  const int W = GetWidth(), H = GetHeight();
  if (buffer_->GetWidth() != W || buffer_->GetHeight() != H) buffer_->SetSize(W, H);
  TCanvas& c = *buffer_->Canvas();
  c.Brush()->SetColor(charBlockMode_ != rdbmOff ? colorDotOff_ : colorLabBakG_);
  c.FillRect(Rect(0, 0, W, H));
  const int x = ClampCoord(int64_t(posX_) + offsetX_), y = ClampCoord(int64_t(posY_) + offsetY_);
  if (charBlockMode_ != rdbmOff) DrawGrid(c, W, H, x, y);
  PaintString(&c, *matrix_, x, y, GetText(), dotSize_, dotSpacing_, colorDotOn_, colorDotOff_, colorLabBakG_,
              charBlockMode_, proportional_, textLength_);
  DrawLabFrame(c, W, H);
  Canvas()->Draw(0, 0, buffer_.get());
}

}  // namespace qel
