// Dial geometry and the mappings between values, angles and pixels.
#include <climits>
#include <cmath>
#include <numbers>

#include "gauges/detail/MeterMath.h"

namespace qel::meter {

namespace {
constexpr double kDeg = std::numbers::pi / 180.0;
}

int RoundPx(double v) {
  if (std::isnan(v)) return 0;
  if (v >= double(INT_MAX)) return INT_MAX;
  if (v <= double(INT_MIN)) return INT_MIN;
  return int(std::nearbyint(v));
}

// Every dial keeps 8 pixels between the scale line and the rims. The inner
// height Hi = H - RT - RB - 16 and the half width Wi = (W div 2) - RS - 8 are
// what a scale may use; see QEL_Meter.h for the formulas of each sweep.
TDialGeometry CalcDialGeometry(int Sweep, int W, int H, int RT, int RB, int RS) {
  TDialGeometry g;
  g.Sweep = 90;
  g.Radius = double(H) - RB - RT - 16;
  g.CentreX = W / 2;
  g.CentreY = H - RB - 8;
  const double innerH = double(H) - RT - RB - 16, halfW = double(W / 2) - RS - 8;
  // Centres an arc that reaches Up * Radius above and Down * Radius below its
  // pivot between the top and bottom margins.
  auto centreVertically = [&](double up, double down) {
    g.CentreY = RoundPx(RT + 8 + up * g.Radius + (innerH - (up + down) * g.Radius) / 2);
  };
  switch (Sweep) {
    case 120:
      g.Sweep = 120;
      if ((W / 2.0 - RS - 8) * 1.1547 < g.Radius) g.Radius = (W / 2.0 - RS - 8) * 1.1547;
      break;
    case 180:
      g.Sweep = 180;
      g.Radius = std::min(innerH, halfW);
      centreVertically(1.0, 0.0);
      break;
    case 270:
      g.Sweep = 270;
      g.Radius = std::min(halfW, innerH / (1 + std::sqrt(0.5)));
      centreVertically(1.0, std::sqrt(0.5));
      break;
    case 300:
      g.Sweep = 300;
      g.Radius = halfW;
      if (innerH / 1.866 < g.Radius) g.Radius = innerH / 1.866;
      g.CentreY = RoundPx(RT + 8 + g.Radius);
      break;
    case 360:
      g.Sweep = 360;
      g.Radius = std::min(halfW, innerH / 2);
      centreVertically(1.0, 1.0);
      break;
    default:
      break;
  }
  return g;
}

double TScaleRange::Clamp(double v) const {
  double lo = std::min(Min, Max), hi = std::max(Min, Max);
  return v < lo ? lo : v > hi ? hi : v;
}

double ValueFraction(const TScaleRange& R, double v) {
  double f = R.UsesLog() && v > 0 ? (std::log(v) - std::log(R.Min)) / (std::log(R.Max) - std::log(R.Min))
                                  : (v - R.Min) / (R.Max - R.Min);
  return std::isfinite(f) ? f : 0.0;  // an empty range has no fraction
}

double ScaleAngle(const TDialGeometry& G, const TScaleRange& R, double v) {
  return 90.0 + G.Sweep / 2.0 - G.Sweep * ValueFraction(R, v);
}

double NeedleAngle(const TDialGeometry& G, const TScaleRange& R, double v) {
  return 180.0 - G.Sweep / 2.0 + G.Sweep * ValueFraction(R, R.Clamp(v));
}

TPoint PointOnRadial(const TDialGeometry& G, double AlphaDeg, double Distance) {
  double a = AlphaDeg * kDeg;
  return {RoundPx(G.CentreX + Distance * std::cos(a)), RoundPx(G.CentreY - Distance * std::sin(a))};
}

TPoint ValueToPixel(const TDialGeometry& G, const TScaleRange& R, double v, double PercentRadius) {
  double phi = (-90.0 - NeedleAngle(G, R, v)) * kDeg;
  double d = 0.01 * PercentRadius * G.Radius;
  return {RoundPx(G.CentreX + d * std::cos(phi)), RoundPx(G.CentreY - d * std::sin(phi))};
}

bool PixelToValue(const TDialGeometry& G, const TScaleRange& R, int X, int Y, double& Value) {
  double dx = double(X) - G.CentreX, dy = double(Y) - G.CentreY;
  double theta;
  if (dx == 0) {
    theta = dy > 0 ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;
  } else {
    theta = std::atan(dy / dx);
    if (dx < 0) theta += std::numbers::pi;
    if (theta < 0) theta += 2 * std::numbers::pi;
  }
  double g = theta / kDeg - 90.0;
  if (g < 0) g += 360.0;
  double first = 180.0 - G.Sweep / 2.0;
  if (g < first || g > 180.0 + G.Sweep / 2.0 || G.Sweep <= 0) {
    Value = 0.0;
    return false;
  }
  double t = (g - first) / G.Sweep;
  Value = R.UsesLog() ? std::exp(std::log(R.Min) + t * (std::log(R.Max) - std::log(R.Min)))
                      : R.Min + t * (R.Max - R.Min);
  return true;
}

}  // namespace qel::meter
