// TRasterLab painting: characters and strings of dots on any canvas, the
// text's pixel length, and the label's picture (ground, grid, text, frame).
#include <algorithm>
#include <climits>
#include <cstdint>

#include "labels/detail/RasterFont.h"
#include "labels/detail/RasterTextRuler.h"

namespace qel {
namespace {

// Keeps sums of positions and advances inside int, far off any surface.
constexpr int64_t kCoordLimit = 1 << 28;
int ClampCoord(int64_t v) { return int(std::clamp<int64_t>(v, -kCoordLimit, kCoordLimit)); }

using rasterfont::ColumnsOf;

int PaintCode(TCanvas& C, const TRDCharMatrix& M, int X, int Y, uint8_t Code, int DotSize, int P, TColor On,
              bool FixedWidth) {
  const rasterfont::TColumns s = ColumnsOf(M, Code, FixedWidth);
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

// How a text's dots are drawn.
struct TDots {
  int Size, P;
  TColor On, Back;
  TRDBlockMode Block;
  bool Proportional;
};

// From the character at Start (X plus its offset) until one starts at or
// past StopAt; returns where the next character would start. In rdbmOn the
// dot column before each position is cleared, over the clip's full height.
int64_t PaintCodes(TCanvas& C, const TRDCharMatrix& M, TRasterTextRuler::TMark Start, int X, int Y,
                   const std::string& Text, const TDots& D, int64_t StopAt) {
  const int P = D.P;
  const TRect clip = C.GetClipRect();
  // Every advance stops at INT_MAX / 2, so later positions are capped there.
  int64_t g = Start.Byte == 0 ? X : std::min(X + Start.Offset, int64_t(INT_MAX / 2));
  auto separate = [&] {
    if (D.Block != rdbmOn || g - P >= clip.Right || g - 1 <= clip.Left) return;
    C.Brush()->SetColor(D.Back);
    C.FillRect(Rect(ClampCoord(g - P), clip.Top, ClampCoord(g - 1), clip.Bottom));
  };
  separate();
  for (size_t i = Start.Byte, size = 0; i < Text.size() && g < StopAt; i += size) {
    const uint8_t code = rasterfont::CodeAt(Text, i, size);
    const int width = P * ColumnsOf(M, code, !D.Proportional).Count();
    // Characters off the canvas only advance.
    if (g + width > clip.Left && g < clip.Right && std::abs(Y) < kCoordLimit)
      PaintCode(C, M, int(g), Y, code, D.Size, P, D.On, !D.Proportional);
    g = std::min(g + P + width, int64_t(INT_MAX / 2));
    separate();
  }
  return g;
}

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
  if (!Canvas) {
    Length = 1;
    return;
  }
  const TDots dots{DotSize, DotSize + DotSpacing, ColorOn, ColorBack, BlockMode, Proportional};
  const int64_t end = PaintCodes(*Canvas, CharMatrix, {0, 0}, X, Y, Text, dots, INT64_MAX);
  Length = int(std::min<int64_t>(end - X + 1, INT_MAX));
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

// Only the characters the bitmap shows: the ruler tells which character
// is the first whose dots or block gap reach into it, painting stops at the
// first that starts past its right edge, and the length comes from the ruler.
// Drawn from the start, the text would give the same pixels and length.
void TRasterLab::PaintText(TCanvas& C, int X, int Y) {
  const int P = Pitch();
  if (!ruler_->Fits(P, proportional_)) ruler_->Measure(GetText(), *matrix_, P, proportional_);
  const TRect clip = C.GetClipRect();
  const TDots dots{dotSize_, P, colorDotOn_, colorLabBakG_, charBlockMode_, proportional_};
  PaintCodes(C, *matrix_, ruler_->Before(int64_t(clip.Left) + 1 - X), X, Y, GetText(), dots, clip.Right);
  const int64_t end = std::min(X + ruler_->Length(), int64_t(INT_MAX / 2));
  textLength_ = int(std::min<int64_t>(end - X + 1, INT_MAX));
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
  PaintText(c, x, y);
  DrawLabFrame(c, W, H);
  Canvas()->Draw(0, 0, buffer_.get());
}

}  // namespace qel
