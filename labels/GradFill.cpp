// TGradFill: the band arithmetic, the settings, and painting.
#include <algorithm>

#include "labels/QEL_gradfl.h"

namespace qel {

// ------------------------------------------------------------ bands ----

namespace gradfill {

int BandStart(int K, int N, int Size) { return MulDiv(K, Size, N); }

namespace {
bool MidBand(TGradType t) { return t == gtMidBandHoriz || t == gtMidBandVert; }

int Channel(TGradType Type, int K, int N, int C0, int D) {
  if (!MidBand(Type)) return N < 2 ? C0 : C0 + MulDiv(K, D, N);
  int m = N / 2;
  if (m == 0) return C0;  // one band: it is both the first and the middle one
  return C0 + (K <= m ? MulDiv(K, D, m) : MulDiv(N - K - 1, D, m));
}
}  // namespace

TColor BandColor(TGradType Type, int K, int N, TColor First, TColor Last) {
  First = ColorToRGB(First);
  Last = ColorToRGB(Last);
  auto ch = [&](uint8_t c0, uint8_t c1) {
    return uint8_t(std::clamp(Channel(Type, K, N, c0, int(c1) - int(c0)), 0, 255));
  };
  return RGB(ch(GetRValue(First), GetRValue(Last)), ch(GetGValue(First), GetGValue(Last)),
             ch(GetBValue(First), GetBValue(Last)));
}

}  // namespace gradfill

// ---------------------------------------------------------- settings ----

TGradFill::TGradFill(TComponent* AOwner) : TGraphicControl(AOwner) {
  controlStyle_.Include(csOpaque);
  SetBounds(0, 0, 121, 121);
}

void TGradFill::SetColorFirst(TColor v) {
  kept_[colorFlipped_ ? 1 : 0] = v;
  SetProperty(colorFirst_, v, TRefresh::Invalidate, TStore::Always);
}

void TGradFill::SetColorLast(TColor v) {
  kept_[colorFlipped_ ? 0 : 1] = v;
  SetProperty(colorLast_, v, TRefresh::Invalidate, TStore::Always);
}

void TGradFill::SetColorFlipped(bool v) {
  colorFirst_ = kept_[v ? 1 : 0];
  colorLast_ = kept_[v ? 0 : 1];
  SetProperty(colorFlipped_, v, TRefresh::Invalidate, TStore::Always);
}

void TGradFill::SetFillType(TGradType v) {
  if (v == fillType_) return;
  SetProperty(fillType_, v, TRefresh::Invalidate, TStore::Always);
}

void TGradFill::SetNrColors(int v) {
  SetProperty(nrColors_, std::clamp(v, 1, 255), TRefresh::Invalidate, TStore::Always);
}

// ---------------------------------------------------------- painting ----

void TGradFill::DrawGradient(TBitmap& Bitmap) const {
  DrawGradient(*Bitmap.Canvas(), Bitmap.GetWidth(), Bitmap.GetHeight());
}

// Every band, grid line and frame line is a rectangle the canvas clips, so
// only the pixels inside its clip are touched, whatever the size.
void TGradFill::DrawGradient(TCanvas& C, int W, int H) const {
  const int N = nrColors_;
  const bool vertical = fillType_ == gtVert || fillType_ == gtMidBandVert;
  for (int k = 0; k < N; ++k) {
    int from = gradfill::BandStart(k, N, vertical ? W : H), to = gradfill::BandStart(k + 1, N, vertical ? W : H);
    C.Brush()->SetColor(gradfill::BandColor(fillType_, k, N, colorFirst_, colorLast_));
    C.FillRect(vertical ? Rect(from, 0, to, H) : Rect(0, from, W, to));
  }
  DrawGrid(C, W, H);
  DrawFrame(&C, frameStyle_, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
}

// Lines on the first pixel of every step but the first.
void TGradFill::DrawGrid(TCanvas& Canvas, int W, int H) const {
  Canvas.Brush()->SetColor(gridColor_);
  for (int k = 1; k < nrColors_; ++k) {
    if (gridMode_ == gmHoriz || gridMode_ == gmBoth) {
      int y = gradfill::BandStart(k, nrColors_, H);
      Canvas.FillRect(Rect(0, y, W, y + 1));
    }
    if (gridMode_ == gmVert || gridMode_ == gmBoth) {
      int x = gradfill::BandStart(k, nrColors_, W);
      Canvas.FillRect(Rect(x, 0, x + 1, H));
    }
  }
}

// Straight onto the control's canvas, which is clipped to the part that
// shows: a fill far larger than its form (inside a scroll box) costs what
// that part costs, and needs no bitmap of its full size. The brush is left
// as OnPaint found it before.
void TGradFill::Paint() {
  TBrush& brush = *Canvas()->Brush();
  const TColor color = brush.GetColor();
  const TBrushStyle style = brush.GetStyle();
  brush.SetStyle(bsSolid);
  DrawGradient(*Canvas(), GetWidth(), GetHeight());
  brush.SetColor(color);
  brush.SetStyle(style);
  if (OnPaint) OnPaint(this);
}

}  // namespace qel
