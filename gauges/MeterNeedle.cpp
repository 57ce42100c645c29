// TNeedleLayout, the needle polygon and its drawing.
#include "gauges/detail/MeterNeedle.h"

#include <algorithm>
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

void DrawNeedle(TCanvas& C, const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N) {
  std::array<TPoint, 7> poly = NeedlePolygon(G, AlphaDeg, N);
  C.Brush()->SetStyle(bsSolid);
  if (N.GetShadowDx() != 0 || N.GetShadowDy() != 0) {
    std::array<TPoint, 7> shadow = poly;
    for (TPoint& p : shadow) p = {p.X - N.GetShadowDx(), p.Y - N.GetShadowDy()};
    C.Pen()->SetColor(N.GetShadowColor());
    C.Brush()->SetColor(N.GetShadowColor());
    C.Polygon(shadow);
  }
  C.Pen()->SetColor(N.GetColorOutline());
  C.Brush()->SetColor(N.GetColorBody());
  C.Polygon(poly);
}

}  // namespace meter
}  // namespace qel
