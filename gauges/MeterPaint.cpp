// Painting the meter: the whole picture on an off-screen bitmap, in this
// order: background, range zones, scale, caption, needles, cover, window
// bevel and anchor, limit lamps, OnMeterRendered, frame; then one copy onto
// the control. The part before the needles is cached (see Paint). Painting
// changes none of the meter's state but that cache.
#include <cmath>
#include <numbers>

#include "gauges/detail/MeterFaceCache.h"
#include "gauges/detail/MeterMath.h"
#include "gauges/detail/MeterNeedle.h"

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

class TMeter::TPainter {
 public:
  TPainter(TMeter& m, TCanvas& c)
      : m_(m), c_(c), g_(m.geometry_), range_(m.Range()), width_(m.GetWidth()), height_(m.GetHeight()),
        rimTop_(m.rimTop_), rimBottom_(m.rimBottom_), rimSide_(m.rimSide_), centreX_(g_.CentreX), centreY_(g_.CentreY),
        radius_(g_.Radius), radiusPx_(RoundPx(radius_)) {}

  void Background();
  void Zones();
  void Scale();
  void Caption();
  void Needles();
  void Cover();
  void BevelAndAnchor();
  void Lamps();
  void Frame();

 private:
  double Alpha(double v) const { return meter::ScaleAngle(g_, range_, v); }
  double StartAngle() const { return 90.0 + g_.Sweep / 2.0; }
  double EndAngle() const { return 90.0 - g_.Sweep / 2.0; }
  void Zone(TColor color, double FromDeg, double ToDeg, int ro);
  void Labels(const meter::TScaleStep& step);
  void WindowBevel();
  void Knob(int p);
  void Pedestal(int p);
  void Lamp(bool Active, int L, int T);

  TMeter& m_;
  TCanvas& c_;
  const meter::TDialGeometry& g_;
  const meter::TScaleRange range_;
  const int width_, height_, rimTop_, rimBottom_, rimSide_, centreX_, centreY_;
  const double radius_;  // the scale's, from the pivot
  const int radiusPx_;   // radius_ rounded to whole pixels
};

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
void TMeter::TPainter::Needles() {
  bool drawn = false;
  if (m_.OnBeforeDrawNeedle) m_.OnBeforeDrawNeedle(&m_, &c_, drawn);
  if (!drawn) meter::DrawNeedle(c_, g_, Alpha(range_.Clamp(m_.value_)), *m_.needle_);
  if (m_.needleSec_->GetVisible()) meter::DrawNeedle(c_, g_, Alpha(range_.Clamp(m_.valueSec_)), *m_.needleSec_);
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
void TMeter::TPainter::Lamp(bool Active, int L, int T) {
  c_.Brush()->SetColor(Active ? m_.limWatchActColor_ : m_.limWatchPsvColor_);
  c_.Pen()->SetColor(kBlack);
  c_.Rectangle(L, T, L + 10, T + 10);
  const TEdgeShape lit{.TopRight = ecLight, .BottomLeft = ecLight};
  DrawEdge(&c_, {L, T, L + 10, T + 10}, clNone, kWhite, lit);
  DrawEdge(&c_, {L + 1, T + 1, L + 9, T + 9}, kGrey, kSilver, lit);
}

void TMeter::TPainter::Lamps() {
  if (m_.limWatchHighOn_) Lamp(m_.overflow_, width_ - rimSide_ - 18, rimTop_ + 8);
  if (m_.limWatchLowOn_) Lamp(m_.underflow_, rimSide_ + 8, rimTop_ + 8);
}

// ----------------------------------------------------------- frame ----

// The meter draws its frame itself rather than with DrawFrame, whose
// corners differ: styles 2 and 3 give both left corners to the first
// colour, styles 4 and 5 leave the outer ring's top-right and bottom-left
// corners untouched.
void TMeter::TPainter::Frame() {
  const TColor D = m_.frameDark_, L = m_.frameLight_;
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

// ----------------------------------------------------------- Paint ----

namespace {
// A canvas as a new bitmap's: default pen, brush and font, no clip.
void ResetCanvas(TCanvas& c) {
  static TPen pen;
  static TBrush brush;
  static TFont font;
  c.Pen()->Assign(&pen);
  c.Brush()->Assign(&brush);
  c.Font()->Assign(&font);
  c.SetPenPos({0, 0});
  c.SetCopyMode(cmSrcCopy);
  c.SetStretchBltMode(COLORONCOLOR);
  c.ResetClipRect();
}
}  // namespace

TMeterFaceKey TMeter::TFaceCache::KeyOf(const TMeter& M) {
  TMeterFaceKey k;
  k.w = M.GetWidth(), k.h = M.GetHeight(), k.layout = M.layout_;
  k.sweep = M.geometry_.Sweep, k.centreX = M.geometry_.CentreX, k.centreY = M.geometry_.CentreY;
  k.radius = M.geometry_.Radius, k.min = M.min_, k.max = M.max_, k.logarithmic = M.logarithmic_;
  k.thresholdLow = M.thresholdLow_, k.thresholdHigh = M.thresholdHigh_, k.scaleBkWidth = M.scaleBkWidth_;
  k.shortTicks = M.shortTicks_, k.scaleLine = M.scaleLine_, k.scaleVisible = M.scaleVisible_;
  k.scaleBkVisible = M.scaleBkVisible_, k.nrTicks = M.nrTicks_, k.decPlaces = M.decPlaces_;
  k.hasBackground = M.hasBackground_, k.fillMode = M.bkgndFillMode_, k.backgroundLoads = M.backgroundLoads_;
  k.low = ColorToPixel(M.colorSclBkLow_), k.norm = ColorToPixel(M.colorSclBkNorm_);
  k.high = ColorToPixel(M.colorSclBkHigh_), k.scale = ColorToPixel(M.colorScale_), k.back = ColorToPixel(M.colorBakG_);
  return k;
}

// The face (everything before the needles) comes from the cache when what
// it shows is unchanged; a label handler may draw anything, so while one is
// assigned the face is drawn every time.
void TMeter::Paint() {
  if (!(geometry_.Radius > 0)) return;
  TFaceCache& cache = *faceCache_;
  const int w = GetWidth(), h = GetHeight();
  cache.frame.SetSize(w, h);
  TCanvas& c = *cache.frame.Canvas();
  ResetCanvas(c);
  TPainter p(*this, c);
  bool cacheable = !OnBeforeDrawScaleLabel;
  TMeterFaceKey key = TFaceCache::KeyOf(*this);
  if (cacheable && cache.valid && cache.key == key && cache.caption == caption_ && cache.font.Matches(*GetFont()) &&
      cache.captionFont.Matches(*fontCaption_)) {
    c.Draw(0, 0, &cache.face);
    c.Pen()->Assign(&cache.pen);
    c.Brush()->Assign(&cache.brush);
    c.Font()->Assign(&cache.canvasFont);
    c.SetPenPos(cache.penPos);
  } else {
    // What a background leaves uncovered is white, as on a new bitmap.
    if (hasBackground_) std::fill_n(cache.frame.ScanLine(0), size_t(w) * size_t(h), ColorToPixel(clWhite));
    p.Background();
    p.Zones();
    p.Scale();
    p.Caption();
    cache.valid = cacheable;
    if (cacheable) {
      cache.face.SetSize(w, h);
      cache.face.Canvas()->Draw(0, 0, &cache.frame);
      cache.key = key;
      cache.caption = caption_;
      cache.font.Take(*GetFont());
      cache.captionFont.Take(*fontCaption_);
      cache.pen.Assign(c.Pen());
      cache.brush.Assign(c.Brush());
      cache.canvasFont.Assign(c.Font());
      cache.penPos = c.GetPenPos();
    }
  }
  p.Needles();
  p.Cover();
  p.BevelAndAnchor();
  p.Lamps();
  if (OnMeterRendered) OnMeterRendered(this, &c);
  p.Frame();
  Canvas()->Draw(0, 0, &cache.frame);
}

}  // namespace qel
