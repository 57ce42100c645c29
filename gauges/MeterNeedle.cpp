// TNeedleLayout, the needle polygon and its drawing.
#include "gauges/detail/MeterNeedle.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <numbers>

#include "gauges/detail/MeterMath.h"

namespace qel {

void TNeedleLayout::Changed() {
  if (OnChange) OnChange(this);
}

void TNeedleLayout::SetPercentNeedleLength(int v) {
  if (StoreIfChanged(percentNeedleLength_, std::clamp(v, 0, 100))) Changed();
}

void TNeedleLayout::SetHeadAngle(int v) {
  if (StoreIfChanged(headAngle_, std::clamp(v, 0, 180))) Changed();
}

void TNeedleLayout::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNeedleLayout*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  colorBody_ = src->colorBody_;
  colorOutline_ = src->colorOutline_;
  headSize_ = src->headSize_;
  thickness_ = src->thickness_;
  percentNeedleLength_ = src->percentNeedleLength_;
  headAngle_ = src->headAngle_;
  headMidLeng_ = src->headMidLeng_;
  shadowDx_ = src->shadowDx_;
  shadowDy_ = src->shadowDy_;
  shadowColor_ = src->shadowColor_;
  visible_ = src->visible_;
  Changed();
}

namespace meter {

std::array<TPoint, 7> NeedlePolygon(const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N) {
  const double a = AlphaDeg * std::numbers::pi / 180.0;
  const double len = (G.Radius - 4) * N.GetPercentNeedleLength() * 0.01;
  const double dx = RoundPx(G.CentreX + len * std::cos(a)), dy = RoundPx(G.CentreY - len * std::sin(a));
  const double h = N.GetHeadAngle() * std::numbers::pi / 180.0;
  const double s = N.GetHeadSize(), m = N.GetHeadMidLeng();
  // Half the shaft's width, across the needle (not rounded before use).
  const double g = std::sin(a) * N.GetThickness() / 2.0, k = std::cos(a) * N.GetThickness() / 2.0;
  auto pt = [](double x, double y) { return TPoint{RoundPx(x), RoundPx(y)}; };
  return {pt(dx - s * std::cos(a + h / 2), dy + s * std::sin(a + h / 2)),
          pt(dx, dy),
          pt(dx - s * std::cos(a - h / 2), dy + s * std::sin(a - h / 2)),
          pt(dx - g - m * std::cos(a), dy - k + m * std::sin(a)),
          pt(G.CentreX - g, G.CentreY - k),
          pt(G.CentreX + g, G.CentreY + k),
          pt(dx + g - m * std::cos(a), dy + k + m * std::sin(a))};
}

TNeedleShape NeedleShape(const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N) {
  TNeedleShape s;
  s.poly = NeedlePolygon(G, AlphaDeg, N);
  s.shadowShift = {N.GetShadowDx(), N.GetShadowDy()};
  s.outline = N.GetColorOutline(), s.body = N.GetColorBody(), s.shadow = N.GetShadowColor();
  s.outlinePx = ColorToPixel(s.outline), s.bodyPx = ColorToPixel(s.body), s.shadowPx = ColorToPixel(s.shadow);
  return s;
}

std::array<TPoint, 7> TNeedleShape::ShadowPolygon() const {
  auto moved = [](int v, int by) { return int(std::clamp<int64_t>(int64_t(v) - by, INT_MIN, INT_MAX)); };
  std::array<TPoint, 7> shadow = poly;
  for (TPoint& p : shadow) p = {moved(p.X, shadowShift.X), moved(p.Y, shadowShift.Y)};
  return shadow;
}

void DrawNeedleShape(TCanvas& C, const TNeedleShape& S) {
  C.Brush()->SetStyle(bsSolid);
  if (S.HasShadow()) {
    C.Pen()->SetColor(S.shadow);
    C.Brush()->SetColor(S.shadow);
    C.Polygon(S.ShadowPolygon());
  }
  C.Pen()->SetColor(S.outline);
  C.Brush()->SetColor(S.body);
  C.Polygon(S.poly);
}

}  // namespace meter
}  // namespace qel
