// TNumLab painting, off screen in this order: ground, side texts, box and
// frame, value text; then the transfer onto the control (a copy, or an AND
// with the parent's picture when Transparent).
#include "numeric/QEL_NumLab.h"

namespace qel {

namespace {

// Height sample with ascenders and descenders: "(8g]}ÜÄ§".
const char* const kHeightSample = "(8g]}\xC3\x9C\xC3\x84\xC2\xA7";

int AlignedX(TAlignment A, int Left, int Right, int Centre) {
  return A == taLeftJustify ? Left : A == taRightJustify ? Right : Centre;
}

}  // namespace

class TNumLab::TPainter {
 public:
  TPainter(TNumLab& L, TCanvas& C)
      : l_(L), c_(C), W(L.GetWidth()), H(L.GetHeight()), LS(L.leftSpace_), LW(L.labelWidth_) {
    c_.Font()->Assign(L.GetFont());
    c_.SetCopyMode(cmSrcCopy);
    c_.Pen()->SetStyle(psSolid);
    c_.Pen()->SetWidth(1);
    ground_ = L.transparent_ ? clWhite : L.colorOutBakG_;
    y_ = (H - c_.TextHeight(kHeightSample)) / 2;
  }

  void Ground() {
    c_.Brush()->SetColor(ground_);
    c_.FillRect({0, 0, W, H});
  }

  void SideTexts() {
    int tw = c_.TextWidth(l_.leftText_);
    SideText(AlignedX(l_.leftTextAlignment_, 7, LS - tw - 5, (LS - tw) / 2), l_.leftText_);
    tw = c_.TextWidth(l_.rightText_);
    SideText(AlignedX(l_.rightTextAlignment_, LS + LW + 7, W - tw - 6, (W - LS - LW - tw) / 2 + LS + LW + 1),
             l_.rightText_);
  }

  // The box's fill and outline, then the frame along the same edge.
  void Box() {
    const TFrameStyle fs = l_.frameStyle_;
    c_.Pen()->SetColor(fs == fsNone ? l_.colorLabBakG_ : fs == fsEmbossed ? l_.scheme_.Light : l_.scheme_.Dark);
    c_.Brush()->SetColor(l_.colorLabBakG_);
    c_.Rectangle(LS + 1, 0, LS + LW + 1, H - 1);
    DrawFrame(&c_, fs, LS + 1, 0, LS + LW, H - 2, clWhite, clSilver, clGray, clBlack, clBlack);
  }

  void ValueText() {
    if (l_.empty_) return;
    std::string text = numlab::ValueText(l_.value_, l_.format_);
    if (l_.OnBeforeDisplay) l_.OnBeforeDisplay(&l_, text);
    if (c_.TextWidth(text) > LW - 6 && l_.format_.Type != dtState) text = l_.format_.OverflowIndicator;
    const int tw = c_.TextWidth(text);
    c_.Font()->SetColor(l_.GetEnabled() ? l_.colorLabText_ : clBtnShadow);
    c_.Brush()->SetColor(l_.colorLabBakG_);
    const int x = AlignedX(l_.alignment_, LS + 4, LS + LW - tw - 2, LS + (LW - tw) / 2 + 2);
    c_.TextRect({LS + 3, 2, LS + LW - 1, H - 3}, x, y_, text);
  }

 private:
  // Disabled texts look embossed: white one pixel right and down, grey on top.
  void SideText(int X, const std::string& S) {
    if (S.empty()) return;
    c_.Brush()->SetStyle(bsClear);
    if (l_.GetEnabled()) {
      c_.Font()->SetColor(l_.colorOutText_);
    } else {
      c_.Font()->SetColor(clWhite);
      c_.TextOut(X + 1, y_ + 1, S);
      c_.Font()->SetColor(clGray);
    }
    c_.TextOut(X, y_, S);
    c_.Brush()->SetStyle(bsSolid);
  }

  TNumLab& l_;
  TCanvas& c_;
  const int W, H, LS, LW;
  TColor ground_;
  int y_;
};

void TNumLab::Paint() {
  if (!GetVisible() && !ComponentState().Contains(csDesigning)) return;
  const int W = GetWidth(), H = GetHeight();
  if (W <= 0 || H <= 0) return;
  buffer_->SetSize(W, H);
  TPainter p(*this, *buffer_->Canvas());
  p.Ground();
  p.SideTexts();
  p.Box();
  p.ValueText();

  TCanvas* c = Canvas();
  if (!transparent_) {
    c->SetCopyMode(cmSrcCopy);
    c->Draw(0, 0, buffer_.get());
    return;
  }
  // The box is cleared first (white keeps the AND neutral; a black text is
  // safe on the box colour itself); white ground leaves the parent's pixels.
  const TColor clear = ColorToRGB(colorLabText_) != clBlack ? clWhite : colorLabBakG_;
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(clear);
  c->Brush()->SetColor(clear);
  c->Rectangle(leftSpace_ + 2, 2, leftSpace_ + labelWidth_, H - 2);
  c->SetCopyMode(cmSrcAnd);
  c->Draw(0, 0, buffer_.get());
  c->SetCopyMode(cmSrcCopy);
}

}  // namespace qel
