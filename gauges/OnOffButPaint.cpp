// TOnOffBut painting: a main picture and a mask of the control's size, the
// captions, the frame of the current state with its key colour cut out, the
// border; then either the main picture alone (opaque) or the mask ANDed and
// the main picture ORed over what the parent drew (transparent: the parent
// shows wherever the mask is white).
#include "gauges/QEL_onoffbut.h"

namespace qel {

class TOnOffBut::TPainter {
 public:
  TPainter(TOnOffBut& B, TBitmap& Main, TBitmap& Mask)
      : b_(B), main_(Main), mask_(Mask), m_(*Main.Canvas()), k_(*Mask.Canvas()), W_(Main.GetWidth()),
        H_(Main.GetHeight()), ground_(B.transparent_ ? clBlack : B.colorBackgnd_) {}

  void Grounds() {
    for (TCanvas* c : {&m_, &k_}) {
      c->Font()->Assign(b_.GetFont());
      c->Brush()->SetStyle(bsSolid);
    }
    k_.Brush()->SetColor(clWhite);
    k_.FillRect({0, 0, W_, H_});
    m_.Brush()->SetColor(ground_);
    m_.FillRect({0, 0, W_, H_});
  }

  void Captions() {
    // The cell height of a sample with ascenders, descenders and accents.
    const int th = m_.TextHeight("(8g]}\xC3\x9C\xC3\x84\xC2\xA7");
    for (TPlace p : {kLeft, kRight, kTop, kBottom}) {
      const std::string& text = b_.text_[p];
      if (text.empty()) continue;
      TPoint at = Place(p, m_.TextWidth(text), th);
      if (b_.GetEnabled()) Write(at, text, b_.colorText_);
      else Embossed(at, text);
    }
  }

  // The frame of the current state at (LS + 1, TS + 1); its key colour
  // pixels take the ground colour and stay white on the mask.
  void Picture() {
    const TBitmap& f = *b_.frames_[b_.FrameIndex()];
    const int x0 = b_.leftSpace_ + 1, y0 = b_.topSpace_ + 1;
    const TRect r = IntersectRect({x0, y0, x0 + f.GetWidth(), y0 + f.GetHeight()}, {0, 0, W_, H_});
    if (r.IsEmpty()) return;
    const uint32_t key = ColorToPixel(KeyColor), ground = ColorToPixel(ground_), white = ColorToPixel(clWhite),
                   black = ColorToPixel(clBlack);
    for (int y = r.Top; y < r.Bottom; ++y) {
      const uint32_t* src = f.ScanLine(y - y0);
      uint32_t* main = main_.ScanLine(y);
      uint32_t* mask = mask_.ScanLine(y);
      for (int x = r.Left; x < r.Right; ++x) {
        const uint32_t px = src[x - x0] & 0xFFFFFF;
        main[x] = px == key ? ground : px;
        mask[x] = px == key ? white : black;
      }
    }
  }

  void Border() {
    DrawFrame(&m_, b_.frameStyle_, 0, 0, W_ - 1, H_ - 1, clWhite, clSilver, clGray, clBlack, clBlack);
    DrawFrame(&k_, b_.frameStyle_, 0, 0, W_ - 1, H_ - 1, clBlack, clBlack, clBlack, clBlack, clBlack);
  }

  void Output(TCanvas& C) {
    if (!b_.transparent_) return C.Draw(0, 0, &main_);
    const TRect all{0, 0, W_, H_};
    C.SetCopyMode(SRCAND);
    C.CopyRect(all, &k_, all);
    C.SetCopyMode(SRCPAINT);
    C.CopyRect(all, &m_, all);
    C.SetCopyMode(SRCCOPY);
  }

 private:
  TPoint Place(TPlace P, int TW, int TH) const {
    const int ls = b_.leftSpace_, ts = b_.topSpace_, gw = b_.glyphWidth_, gh = b_.glyphHeight_;
    const TAlignment a = b_.align_[P];
    switch (P) {
      case kLeft:
        return {a == taLeftJustify ? 4 : a == taRightJustify ? ls - TW - 3 : (ls - TW) / 2, ts + (gh - TH) / 2};
      case kRight:
        return {a == taLeftJustify    ? ls + gw + 4
                : a == taRightJustify ? W_ - TW - 4
                                      : (W_ - TW - (ls + gw)) / 2 + ls + gw + 1,
                ts + (gh - TH) / 2};
      case kTop:
      case kBottom:
      default: {
        int x = a == taLeftJustify ? 4 : a == taRightJustify ? W_ - TW - 4 : ls + (gw - TW) / 2;
        return {x, P == kTop ? ts - TH - 4 : ts + gh + 4};
      }
    }
  }

  // On the ground colour; black on the mask.
  void Write(TPoint At, const std::string& Text, TColor Colour) {
    m_.Brush()->SetColor(ground_);
    m_.Font()->SetColor(Colour);
    m_.TextOut(At.X, At.Y, Text);
    k_.Brush()->SetColor(clWhite);
    k_.Font()->SetColor(clBlack);
    k_.TextOut(At.X, At.Y, Text);
  }

  // The disabled look: white one pixel down and right, grey on top.
  void Embossed(TPoint At, const std::string& Text) {
    k_.Font()->SetColor(clBlack);
    for (TCanvas* c : {&m_, &k_}) c->Brush()->SetStyle(bsClear);
    m_.Font()->SetColor(clWhite);
    m_.TextOut(At.X + 1, At.Y + 1, Text);
    k_.TextOut(At.X + 1, At.Y + 1, Text);
    m_.Font()->SetColor(clGray);
    m_.TextOut(At.X, At.Y, Text);
    k_.TextOut(At.X, At.Y, Text);
  }

  TOnOffBut& b_;
  TBitmap &main_, &mask_;
  TCanvas &m_, &k_;
  const int W_, H_;
  const TColor ground_;
};

void TOnOffBut::Paint() {
  if (!GetVisible() && !Designing()) return;
  const int w = GetWidth(), h = GetHeight();
  if (w <= 0 || h <= 0) return;
  for (TBitmap* b : {main_.get(), mask_.get()})
    if (b->GetWidth() != w || b->GetHeight() != h) b->SetSize(w, h);
  TPainter p(*this, *main_, *mask_);
  p.Grounds();
  p.Captions();
  p.Picture();
  p.Border();
  p.Output(*Canvas());
}

}  // namespace qel
