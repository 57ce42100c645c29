// The steps of the meter's picture: background, range zones, scale,
// caption, needles, cover, window bevel and anchor, limit lamps, frame.
// MeterPaintCycle.cpp puts them together.
#include <cmath>
#include <numbers>

#include "gauges/detail/MeterPainter.h"

namespace qel {

using meter::PointOnRadial;
using meter::RoundPx;

namespace {
constexpr TColor kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kGrey = 0x808080, kBlack = 0x000000;
constexpr double kRad = std::numbers::pi / 180.0;

void PenAndBrush(TCanvas& c, TColor color) {
  c.Pen()->SetColor(color);
  c.Brush()->SetColor(color);  // a colour makes the brush solid
}
}  // namespace

// ---------------------------------------------------------- background ----

void TMeter::TPainter::Background() {
  const TBitmap* img = m_.backgroundBmp_.get();
  if (!m_.hasBackground_) {
    c_.Font()->Assign(m_.GetFont());
    PenAndBrush(c_, m_.colorBakG_);
    c_.Rectangle(0, 0, width_, height_);
    return;
  }
  switch (m_.bkgndFillMode_) {
    case bfSimple:
      c_.Rectangle(0, 0, width_, height_);  // the new bitmap's pen and brush: black on white
      c_.Draw(0, 0, img);
      break;
    case bfStretch:
      c_.StretchDraw(Rect(0, 0, width_, height_), img);
      break;
    case bfTile: {
      int iw = img->GetWidth(), ih = img->GetHeight();
      if (iw <= 0 || ih <= 0) break;
      for (int i = 0; i < (width_ - 1) / iw + 1; ++i)
        for (int j = 0; j < (height_ - 1) / ih + 1; ++j) c_.Draw(iw * i, ih * j, img);
      break;
    }
    default:
      break;
  }
}

// --------------------------------------------------------------- zones ----

void TMeter::TPainter::Zone(TColor color, double FromDeg, double ToDeg, int ro) {
  if (std::fabs(FromDeg - ToDeg) * kRad <= 1e-6) return;
  PenAndBrush(c_, color);
  TPoint a = PointOnRadial(g_, FromDeg, radius_), b = PointOnRadial(g_, ToDeg, radius_);
  c_.Pie(centreX_ - ro, centreY_ - ro, centreX_ + ro + 1, centreY_ + ro, a.X, a.Y, b.X, b.Y);
}

// A band from ri to the radius + 4 in three colours, each slice counter-clockwise
// from its first angle to its second.
void TMeter::TPainter::Zones() {
  if (!m_.scaleBkVisible_) return;
  int ro = RoundPx(radius_ + 4), ri = RoundPx((100 - m_.scaleBkWidth_) * radius_ / 100);
  double low = Alpha(m_.thresholdLow_), high = Alpha(m_.thresholdHigh_);
  Zone(m_.colorSclBkLow_, low, StartAngle(), ro);
  Zone(m_.colorSclBkNorm_, high, low, ro);
  Zone(m_.colorSclBkHigh_, EndAngle(), high, ro);
  PenAndBrush(c_, m_.colorBakG_);
  c_.Ellipse(centreX_ - ri, centreY_ - ri, centreX_ + ri + 1, centreY_ + ri);
}

// --------------------------------------------------------------- scale ----

void TMeter::TPainter::Scale() {
  c_.Brush()->SetStyle(bsClear);
  if (!m_.scaleVisible_) return;
  c_.Pen()->SetColor(m_.colorScale_);
  if (m_.scaleLine_) {
    TPoint a = PointOnRadial(g_, EndAngle(), radius_), b = PointOnRadial(g_, StartAngle(), radius_);
    c_.Arc(centreX_ - radiusPx_, centreY_ - radiusPx_, centreX_ + radiusPx_ + 1, centreY_ + radiusPx_, a.X, a.Y, b.X,
           b.Y);
  }
  auto tick = [&](double v, double length) {
    TPoint a = PointOnRadial(g_, Alpha(v), radius_), b = PointOnRadial(g_, Alpha(v), radius_ - length);
    c_.MoveTo(a.X, a.Y);
    c_.LineTo(b.X, b.Y);
  };
  meter::TScaleStep step = meter::CalcScaleStep(range_.Min, range_.Max, m_.nrTicks_);
  if (m_.shortTicks_) meter::ForEachMinorTick(range_, step, [&](double v) { tick(v, 4); });
  meter::ForEachMajorTick(range_, step, [&](double v, bool) { tick(v, 8); });
  Labels(step);
}

// Labels sit inside the scale, pulled in by half the size of the label of
// Max plus 15 pixels; a handler may change or blank each text.
void TMeter::TPainter::Labels(const meter::TScaleStep& step) {
  std::string& text = m_.labelText_;
  c_.Font()->Assign(m_.GetFont());
  meter::FormatTickLabel(range_.Max, m_.decPlaces_, text);
  const double kx = c_.TextWidth(text) / 2 + 15, ky = c_.TextHeight(text) / 2 + 15;
  meter::ForEachMajorTick(range_, step, [&](double v, bool labelled) {
    if (!labelled) return;
    c_.Font()->Assign(m_.GetFont());
    meter::FormatTickLabel(v, m_.decPlaces_, text);
    double a = Alpha(v) * kRad;
    int x = RoundPx(centreX_ + (radius_ - kx) * std::cos(a)), y = RoundPx(centreY_ - (radius_ - ky) * std::sin(a));
    if (m_.OnBeforeDrawScaleLabel)
      m_.OnBeforeDrawScaleLabel(&m_, &c_, text, x - c_.TextWidth(text) / 2, y - c_.TextHeight(text) / 2);
    if (text.empty()) return;
    c_.Brush()->SetStyle(bsClear);
    c_.TextOut(x - c_.TextWidth(text) / 2, y - c_.TextHeight(text) / 2, text);
  });
}

// ------------------------------------------------------ caption, needles ----

void TMeter::TPainter::Caption() {
  c_.Font()->Assign(m_.fontCaption_.get());
  if (m_.caption_.empty()) return;
  c_.Brush()->SetStyle(bsClear);
  int y = centreY_ - RoundPx(radius_ / 3);
  c_.TextOut(centreX_ - c_.TextWidth(m_.caption_) / 2, y - c_.TextHeight(m_.caption_) / 2, m_.caption_);
}

// A handler may draw the primary needle itself; the secondary one follows
// when its layout is visible. Values are drawn within the range.
void TMeter::TPainter::Needles(TMeterNeedles& Drawn) {
  bool drawn = false;
  if (m_.OnBeforeDrawNeedle) m_.OnBeforeDrawNeedle(&m_, &c_, drawn);
  Drawn = NeedleShapes();
  Drawn.hasPrimary = !drawn;
  DrawNeedles(Drawn);
}

TMeterNeedles TMeter::TPainter::NeedleShapes() const {
  TMeterNeedles n;
  n.hasPrimary = true;
  n.primary = meter::NeedleShape(g_, Alpha(range_.Clamp(m_.value_)), *m_.needle_);
  n.hasSecondary = m_.needleSec_->GetVisible();
  if (n.hasSecondary) n.secondary = meter::NeedleShape(g_, Alpha(range_.Clamp(m_.valueSec_)), *m_.needleSec_);
  return n;
}

void TMeter::TPainter::DrawNeedles(const TMeterNeedles& N) {
  if (N.hasPrimary) meter::DrawNeedleShape(c_, N.primary);
  if (N.hasSecondary) meter::DrawNeedleShape(c_, N.secondary);
}

// ------------------------------------------------------- cover, anchor ----

void TMeter::TPainter::Cover() {
  PenAndBrush(c_, m_.colorCover_);
  c_.Rectangle(0, 0, rimSide_ - 1, height_);
  c_.Rectangle(0, 0, width_, rimTop_);
  c_.Rectangle(width_ - rimSide_, 0, width_, height_);
  c_.Rectangle(0, height_ - rimBottom_, width_, height_);
}

// Grey above and left of the window, white below and right; the top and
// bottom lines run the full width.
void TMeter::TPainter::WindowBevel() {
  DrawEdge(&c_, {rimSide_ - 1, rimTop_, width_ - rimSide_ + 1, height_ - rimBottom_ + 1}, kGrey, kWhite,
           {.TopRight = ecLight, .BottomLeft = ecDark});
}

// A raised round knob, for the dials whose scale runs round the pivot.
void TMeter::TPainter::Knob(int p) {
  PenAndBrush(c_, m_.colorCover_);
  c_.Ellipse(centreX_ - p, centreY_ - p, centreX_ + p, centreY_ + p);
  WindowBevel();
  c_.Pen()->SetColor(kWhite);
  c_.Arc(centreX_ - p, centreY_ - p, centreX_ + p, centreY_ + p, centreX_ + p, centreY_ - p, centreX_ - p,
         centreY_ + p);
  c_.Pen()->SetColor(kGrey);
  c_.Arc(centreX_ - p, centreY_ - p, centreX_ + p, centreY_ + p, centreX_ - p, centreY_ + p, centreX_ + p,
         centreY_ - p);
}

// A half disc on a pedestal down to the bottom rim, its bevel one path
// with the window's.
void TMeter::TPainter::Pedestal(int p) {
  PenAndBrush(c_, m_.colorCover_);
  c_.Pie(centreX_ - p, centreY_ - p, centreX_ + p, centreY_ + p, width_, centreY_, 0, centreY_);
  c_.Rectangle(centreX_ - p, centreY_, centreX_ + p, height_ - rimBottom_);
  c_.Pen()->SetColor(kGrey);
  c_.MoveTo(centreX_ + p - 1, centreY_);
  c_.LineTo(centreX_ + p - 1, height_ - rimBottom_);
  c_.Pen()->SetColor(kWhite);
  c_.LineTo(width_ - rimSide_, height_ - rimBottom_);
  c_.LineTo(width_ - rimSide_, rimTop_);
  c_.Pen()->SetColor(kGrey);
  c_.LineTo(rimSide_ - 1, rimTop_);
  c_.LineTo(rimSide_ - 1, height_ - rimBottom_);
  c_.Pen()->SetColor(kWhite);
  c_.LineTo(centreX_ - p, height_ - rimBottom_);
  c_.LineTo(centreX_ - p, centreY_ - 1);
  c_.Arc(centreX_ - p, centreY_ - p, centreX_ + p, centreY_ + p, width_, centreY_, 0, centreY_);
  c_.Pen()->SetColor(kGrey);
  c_.Arc(centreX_ - p, centreY_ - p, centreX_ + p, centreY_ + p, centreX_ + p, centreY_, centreX_ + p, centreY_ - p);
}

void TMeter::TPainter::BevelAndAnchor() {
  if (!m_.anchorCovered_) return WindowBevel();
  if (m_.hasAnchorImage_) {
    WindowBevel();
    const TBitmap* img = m_.anchorBmp_.get();
    int x = centreX_ - img->GetWidth() / 2, y = centreY_ - img->GetHeight() / 2;
    c_.SetCopyMode(cmSrcAnd);
    c_.Draw(x, y, m_.anchorMaskBmp_.get());
    c_.SetCopyMode(cmSrcPaint);
    c_.Draw(x, y, img);
    c_.SetCopyMode(cmSrcCopy);
    return;
  }
  c_.Brush()->SetStyle(bsSolid);
  bool roundScale = m_.layout_ == mlCirc270 || m_.layout_ == mlCirc300 || m_.layout_ == mlCirc360;
  if (roundScale) Knob(m_.anchorSize_);
  else Pedestal(m_.anchorSize_);
}

// ----------------------------------------------------------- lamps ----

// A 10 x 10 lamp with its top-left corner at (L, T), and its bevel: white
// over the bottom and right of the black outline, then a grey and silver
// ring inside. The top and left lines take both mixed corners.
void TMeter::TPainter::Lamp(bool Active, const TRect& R) {
  const int L = R.Left, T = R.Top;
  c_.Brush()->SetColor(Active ? m_.limWatchActColor_ : m_.limWatchPsvColor_);
  c_.Pen()->SetColor(kBlack);
  c_.Rectangle(L, T, L + 10, T + 10);
  const TEdgeShape lit{.TopRight = ecLight, .BottomLeft = ecLight};
  DrawEdge(&c_, {L, T, L + 10, T + 10}, clNone, kWhite, lit);
  DrawEdge(&c_, {L + 1, T + 1, L + 9, T + 9}, kGrey, kSilver, lit);
}

TRect TMeter::TPainter::LampRect(bool High) const {
  const int L = High ? width_ - rimSide_ - 18 : rimSide_ + 8, T = rimTop_ + 8;
  return {L, T, L + 10, T + 10};
}

void TMeter::TPainter::Lamps() {
  if (m_.limWatchHighOn_) Lamp(m_.overflow_, LampRect(true));
  if (m_.limWatchLowOn_) Lamp(m_.underflow_, LampRect(false));
}

// ----------------------------------------------------------- frame ----

// The meter draws its frame itself rather than with DrawFrame, whose
// corners differ: styles 2 and 3 give both left corners to the first
// colour, styles 4 and 5 leave the outer ring's top-right and bottom-left
// corners untouched.
void TMeter::TPainter::Frame() {
  const TColor D = m_.scheme_.Dark, L = m_.scheme_.Light;
  switch (m_.frameStyle_) {
    case fsSimple:
      DrawEdge(&c_, {0, 0, width_, height_}, m_.colorBakG_, m_.colorBakG_);
      break;
    case fsLowered:
    case fsRaised: {
      TColor first = m_.frameStyle_ == fsLowered ? D : L, second = m_.frameStyle_ == fsLowered ? L : D;
      DrawEdge(&c_, {0, 0, width_, height_}, first, second, {.TopRight = ecDark, .BottomLeft = ecLight});
      break;
    }
    case fsEmbossed:
    case fsEngraved: {
      TColor outer = m_.frameStyle_ == fsEmbossed ? L : D, inner = m_.frameStyle_ == fsEmbossed ? D : L;
      DrawEdge(&c_, {0, 0, width_, height_}, outer, inner, {.TopRight = ecOpen, .BottomLeft = ecOpen});
      DrawEdge(&c_, {1, 1, width_ - 1, height_ - 1}, inner, outer);
      break;
    }
    default:
      break;
  }
}

}  // namespace qel
