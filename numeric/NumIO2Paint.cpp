// TNumIO2 painting: ground, side texts, spin buttons, gauge, text box,
// caret and selection, composed off screen and copied in one piece.
#include <algorithm>

#include "numeric/QEL_NumIO.h"

namespace qel {

namespace {

// Height sample with ascenders and descenders: "(8g]}ÜÄ§".
const char* const kHeightSample = "(8g]}\xC3\x9C\xC3\x84\xC2\xA7";

// The bevel colours (inner, outer) of frame styles 2 to 5.
void BevelColors(TFrameStyle Style, TColor E1, TColor E2, TColor& Inner, TColor& Outer) {
  switch (Style) {
    case fsLowered: Inner = clBlack, Outer = E2; break;
    case fsRaised: Inner = E2, Outer = clBlack; break;
    case fsEmbossed: Inner = Outer = E1; break;
    default: Inner = Outer = E2; break;
  }
}

// Light lines alone that run the full width and height.
constexpr TEdgeShape kLightCorners{.TopRight = ecLight, .BottomLeft = ecLight};

// The bevel of frame styles 2 to 5 round an outlined Box: a light line
// inside its top and left, a shadow outside its bottom and right.
void BoxBevel(TCanvas* C, const TRect& Box, TColor Inner, TColor Outer) {
  DrawEdge(C, {Box.Left + 1, Box.Top + 1, Box.Right - 1, Box.Bottom - 1}, Inner, clNone, kLightCorners);
  DrawEdge(C, {Box.Left + 1, Box.Top + 1, Box.Right + 1, Box.Bottom + 1}, clNone, Outer);
}

}  // namespace

int TNumIO2::TextTop(TCanvas* C) const { return (GetHeight() - GaugeBand() - C->TextHeight(kHeightSample)) / 2; }

void TNumIO2::Paint() {
  if (windowNotCreated_) return;
  if (!GetVisible() && !ComponentState().Contains(csDesigning)) return;
  if (autoSize_) {
    TCanvas* c = buffer_->Canvas();
    c->Font()->Assign(GetFont());
    int h = c->TextHeight("E0") + 6;
    if (h != GetHeight()) TCustomControl::SetBounds(GetLeft(), GetTop(), GetWidth(), h);  // no 18-pixel minimum
  }
  buffer_->SetSize(GetWidth(), GetHeight());
  PaintOn(buffer_->Canvas());
  Canvas()->Draw(0, 0, buffer_.get());
}

void TNumIO2::PaintOn(TCanvas* C) {
  C->Font()->Assign(GetFont());
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetMode(pmCopy);
  C->SetCopyMode(cmSrcCopy);
  C->Brush()->SetColor(colorOutBG_);
  C->FillRect({0, 0, GetWidth(), GetHeight()});
  PaintSideTexts(C);
  if (butVisible_) PaintButtons(C);
  if (gaugeVisible_) PaintGauge(C);
  PaintBox(C);
  PaintBoxText(C);
  PaintCaretAndSelection(C);
}

// Disabled side texts are embossed: white one pixel off, grey on top.
void TNumIO2::PaintSideText(TCanvas* C, int X, int Y, const std::string& S) {
  if (GetEnabled()) {
    C->Brush()->SetColor(colorOutBG_);
    C->Font()->SetColor(colorOutText_);
    C->TextOut(X, Y, S);
    return;
  }
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(clWhite);
  C->TextOut(X + 1, Y + 1, S);
  C->Font()->SetColor(clGray);
  C->TextOut(X, Y, S);
  C->Brush()->SetStyle(bsSolid);
}

void TNumIO2::PaintSideTexts(TCanvas* C) {
  const int y = TextTop(C), ls = leftSpace_, w = GetWidth();
  int tw = C->TextWidth(leftText_);
  int x = leftTextAlignment_ == taLeftJustify ? 7 : leftTextAlignment_ == taRightJustify ? ls - tw - 5 : (ls - tw) / 2;
  PaintSideText(C, x, y, leftText_);
  const int used = ls + (butVisible_ ? butWidth_ + butSpace_ : 0) + textBoxWidth_;
  tw = C->TextWidth(rightText_);
  x = rightTextAlignment_ == taLeftJustify    ? used + 7
      : rightTextAlignment_ == taRightJustify ? w - tw - 6
                                              : (w - (used + tw)) / 2 + used + 1;
  PaintSideText(C, x, y, rightText_);
}

void TNumIO2::PaintButtons(TCanvas* C) {
  const int bx = leftSpace_ + textBoxWidth_ + butSpace_, bw = butWidth_;
  const int b2 = butHeight_ / 2, q = b2 / 2, cx = bx + bw / 2;
  C->Pen()->SetColor(clGray);
  C->Brush()->SetColor(butColor_);
  C->Rectangle(bx, 0, bx + bw + 1, 2 * b2 - 1);
  C->Polyline(std::vector<TPoint>{{bx, b2 - 1}, {bx + bw, b2 - 1}});
  if (but3D_) {  // light inside each button, a shadow outside the pair
    DrawEdge(C, {bx + 1, b2, bx + bw, 2 * b2 - 2}, clWhite, clNone, kLightCorners);
    DrawEdge(C, {bx + 1, 1, bx + bw, b2 - 1}, clWhite, clNone, kLightCorners);
    DrawEdge(C, {bx + 1, 2, bx + bw + 2, 2 * b2}, clNone, clBlack);
  }
  C->Pen()->SetColor(GetEnabled() ? clBlack : clGray);
  const int yd = b2 + q;
  for (int i = 0; i < 3; ++i) {
    C->Polyline(std::vector<TPoint>{{cx - i, q - 1 + i}, {cx + 2 + i, q - 1 + i}});
    C->Polyline(std::vector<TPoint>{{cx - i, yd - i}, {cx + 2 + i, yd - i}});
  }
}

void TNumIO2::PaintGauge(TCanvas* C) {
  const int gl = gaugeLeftMargin_, gt = GetHeight() + gaugeTopMargin_ - GaugeBand();
  const int gr = gl + gaugeWidth_, gb = gt + gaugeHeight_;
  C->Pen()->SetColor(gaugeFrameStyle_ == fsNone ? gaugeColorBg_ : gaugeColorFrame_);
  C->Brush()->SetColor(gaugeColorBg_);
  C->Rectangle(gl, gt, gr, gb);
  double f = rangeHigh_ == rangeLow_ ? 1.0 : (GetValue() - rangeLow_) / (rangeHigh_ - rangeLow_);
  f = std::clamp(f, 0.0, 1.0);
  const TColor bar = GetEnabled() ? gaugeColor_ : clGray;
  C->Pen()->SetColor(bar);
  C->Brush()->SetColor(bar);
  C->Rectangle(gl, gt, gl + int(RoundHalfEven(gaugeWidth_ * f)), gb);
  if (gaugeFrameStyle_ == fsNone) return;
  C->Pen()->SetColor(gaugeFrameStyle_ == fsSimple     ? gaugeColorFrame_
                     : gaugeFrameStyle_ == fsEmbossed ? scheme_.Light
                                                      : scheme_.Dark);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(gl, gt, gr, gb);
  C->Brush()->SetStyle(bsSolid);
  if (gaugeFrameStyle_ == fsSimple) return;
  TColor inner, outer;
  BevelColors(gaugeFrameStyle_, scheme_.Dark, scheme_.Light, inner, outer);
  BoxBevel(C, {gl, gt, gr, gb}, inner, outer);
}

void TNumIO2::PaintBox(TCanvas* C) {
  const bool enabled = GetEnabled(), warn = OutOfRange();
  const int ls = leftSpace_, tb = textBoxWidth_, bottom = GetHeight() - GaugeBand();
  TColor pen = frameStyle_ == fsEmbossed ? scheme_.Light : scheme_.Dark;
  if (frameStyle_ == fsNone) pen = enabled ? colorBoxBG_ : clSilver;
  TColor brush = warn ? colorWarnBG_ : colorBoxBG_;
  if (warn && frameStyle_ == fsNone && enabled) pen = colorWarnBG_;
  if (!enabled) brush = clSilver;
  C->Pen()->SetColor(pen);
  C->Brush()->SetColor(brush);
  if (frameStyle_ == fsNone || frameStyle_ == fsSimple) {
    C->Rectangle(ls, 0, ls + tb + 2, bottom);
    return;
  }
  C->Rectangle(ls, 0, ls + tb + 2, bottom - 1);
  TColor inner, outer;
  BevelColors(frameStyle_, scheme_.Dark, scheme_.Light, inner, outer);
  BoxBevel(C, {ls, 0, ls + tb + 2, bottom - 1}, inner, outer);
}

// Where the box text starts for a text of a width (also CharPosToXCoords').
int64_t TNumIO2::BoxTextLeft(int64_t TextWidth) const {
  const int ls = leftSpace_, tb = textBoxWidth_;
  return alignment_ == taLeftJustify    ? ls + 4
         : alignment_ == taRightJustify ? ls + tb - TextWidth - 2
                                        : ls + (tb - TextWidth) / 2 + 2;
}

// Drawn with the box's brush, clipped inside the frame.
void TNumIO2::PaintBoxText(TCanvas* C) {
  const int ls = leftSpace_, tb = textBoxWidth_, bottom = GetHeight() - GaugeBand();
  TColor color = OutOfRange() ? colorWarnText_ : colorBoxText_;
  C->Font()->SetColor(GetEnabled() ? color : clGray);
  boxText_.Update(text_, C->Font());
  boxText_.Draw(C, {ls + 3, 2, ls + tb - 1, bottom - 3}, BoxTextLeft(boxText_.Width()), TextTop(C));
}

void TNumIO2::PaintCaretAndSelection(TCanvas* C) {
  const int ls = leftSpace_, tb = textBoxWidth_, bottom = GetHeight() - GaugeBand();
  boxText_.Update(text_, C->Font());
  const int64_t tw = boxText_.Width(), cw = boxText_.XOf(caret_);
  const int64_t m = alignment_ == taLeftJustify ? cw + 3 : alignment_ == taRightJustify ? tb + cw - tw - 3 : cw + (tb - tw) / 2 + 1;
  if (m > 0 && m < tb && caretVisible_) {
    C->Pen()->SetColor(clBlack);
    C->Polyline(std::vector<TPoint>{{ls + int(m), 3}, {ls + int(m), bottom - 3}});
  }
  if (selBegin_ >= selEnd_ || (!Focused() && hideSelection_)) return;
  auto xOf = [&](int pos) { return int(std::clamp<int64_t>(BoxTextLeft(tw) + boxText_.XOf(pos), ls, ls + tb)); };
  const int x1 = xOf(selBegin_), x2 = xOf(selEnd_);
  const TRect r{x1, 3, x2, bottom - 3};
  C->SetCopyMode(cmDstInvert);
  C->CopyRect(r, C, r);
  C->SetCopyMode(cmSrcCopy);
}

}  // namespace qel
