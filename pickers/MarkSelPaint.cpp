// TMarkSel painting and input: the full picture off screen, the highlight
// drawn straight onto the control, hover and clicks.
#include "pickers/QEL_marksel.h"

namespace qel {

namespace {
constexpr TColor kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kGrey = 0x808080, kBlack = 0x000000;
constexpr TColor kDisabledSelBG = 0xDEDEDE;

void SetPenAndBrush(TCanvas* C, TColor Pen, TColor Brush) {
  C->Pen()->SetColor(Pen);
  C->Brush()->SetColor(Brush);
}
}  // namespace

TMarkSel::TLook TMarkSel::Look() const {
  if (!GetEnabled()) return {kGrey, kGrey, kSilver, kDisabledSelBG};
  return {colorSelFG_, colorMarks_, colorBackGnd_, colorSelBG_};
}

// ------------------------------------------------------------ painting ----

void TMarkSel::Paint() {
  hiLiteShown_ = false;
  if (GetWidth() > 0 && GetHeight() > 0) {
    TBitmap bmp(GetWidth(), GetHeight());
    DrawMarks(bmp.Canvas());
    Canvas()->Draw(0, 0, &bmp);
  }
  if (OnPaint) OnPaint(this);
}

void TMarkSel::DrawMarks(TCanvas* C) const {
  TLook look = Look();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(look.backGnd);
  C->FillRect({0, 0, GetWidth(), GetHeight()});
  C->Pen()->SetColor(look.marks);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetMode(pmCopy);
  TGeometry g = Geometry();
  for (int i = 0; i < NumMarks; ++i) {
    if (!visible_[i]) continue;
    TPoint p = g.centre[i];
    if (i == selected_) {
      SetPenAndBrush(C, look.selFG, look.selBG);
      C->Rectangle(p.X - g.hw + 3, p.Y - g.hh + 3, p.X + g.hw + 3, p.Y + g.hh + 3);
    } else {
      SetPenAndBrush(C, look.marks, look.backGnd);
    }
    DrawSymbol(C, g, i);
  }
  DrawFrame(C, frameStyle_, 0, 0, GetWidth() - 1, GetHeight() - 1, kWhite, kSilver, kGrey, kBlack, look.marks);
}

// Symbol 0 may be a cross over the first cell, which is always its own.
void TMarkSel::DrawSymbol(TCanvas* C, const TGeometry& G, int i) const {
  if (i == 0 && showZeroAsCross_) {
    C->MoveTo(4, 4);
    C->LineTo(G.cw + 1, G.ch + 1);
    C->MoveTo(4, G.ch);
    C->LineTo(G.cw + 1, 3);
    return;
  }
  DrawMarkOnCanvas(C, i, G.centre[i].X + 2, G.centre[i].Y + 2);
}

// ----------------------------------------------------------- highlight ----

void TMarkSel::HiLite(int i) {
  if (i < 0 || i >= NumMarks || !visible_[i]) return;
  hiLited_ = i;
  TCanvas* c = Canvas();
  TGeometry g = Geometry();
  TPoint p = g.centre[i];
  SetPenAndBrush(c, colorHiLiteBG_, colorHiLiteBG_);
  c->Rectangle(p.X - g.hw + 4, p.Y - g.hh + 4, p.X + g.hw + 2, p.Y + g.hh + 2);
  c->Pen()->SetColor(colorHiLiteSymbol_);
  DrawSymbol(c, g, i);
  hiLiteShown_ = true;
}

// Redraws the whole cell as a full paint draws it, selection frame included.
void TMarkSel::ResetLastHiLite() {
  hiLiteShown_ = false;
  int h = hiLited_;
  if (!visible_[h]) return;  // hidden since: the paint that hid it wiped the highlight
  TCanvas* c = Canvas();
  TGeometry g = Geometry();
  TLook look = Look();
  TPoint p = g.centre[h];
  bool selected = h == selected_;
  SetPenAndBrush(c, selected ? look.selFG : look.backGnd, selected ? look.selBG : look.backGnd);
  c->Rectangle(p.X - g.hw + 3, p.Y - g.hh + 3, p.X + g.hw + 3, p.Y + g.hh + 3);
  c->Pen()->SetColor(selected ? look.selFG : look.marks);
  DrawSymbol(c, g, h);
}

// --------------------------------------------------------------- mouse ----

// A full paint wipes the highlight, so the symbol under the mouse gets it
// back at the next move even when it has not changed.
void TMarkSel::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  int n = NearestMark(X, Y);
  if (n == hiLited_ && hiLiteShown_) return;
  ResetLastHiLite();
  HiLite(n);
}

// The platform's click handling (OnClick, OnDblClick) comes first.
void TMarkSel::WndProc(TMessage& Message) {
  TGraphicControl::WndProc(Message);
  if (Message.Msg != WM_LBUTTONUP && Message.Msg != WM_LBUTTONDBLCLK) return;
  int x = static_cast<int16_t>(Message.LParam & 0xFFFF);
  int y = static_cast<int16_t>((Message.LParam >> 16) & 0xFFFF);
  if (x == -1 && y == -1) return;  // a click with no position
  PickMark(x, y, Message.Msg == WM_LBUTTONDBLCLK);
}

void TMarkSel::PickMark(int X, int Y, bool Double) {
  int n = NearestMark(X, Y);
  SetSelected(n);
  const TMarkClickEvent& handler = Double ? OnMarkDblClick : OnMarkClick;
  if (handler) handler(this, X, Y, n);
  Paint();
  HiLite(n);
}

}  // namespace qel
