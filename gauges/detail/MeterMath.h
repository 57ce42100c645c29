// The meter's mathematics, free of any control: dial geometry, the mapping
// between values, angles and pixels, scale steps, tick values and label text.
// TMeter (QEL_Meter.h) keeps the state and calls these; tests call them too.
//
// Angles: the scale angle alpha is in degrees, counter-clockwise from the
// positive x axis with y pointing up; the needle angle is in degrees,
// clockwise from straight down (needle = 270 - alpha).
#pragma once
#include <algorithm>
#include <cmath>
#include <string>

#include "gauges/detail/MeterTypes.h"
#include "platform/rtl/Types.h"

namespace qel::meter {

// The dial for a sweep of 90, 120, 180, 270, 300 or 360 degrees in a control
// of W x H with the given rims (any other sweep is drawn like 90).
TDialGeometry CalcDialGeometry(int Sweep, int W, int H, int RimTop, int RimBottom, int RimSide);

// Reals to pixels: nearest integer, ties to even; saturates instead of
// overflowing, NaN gives 0.
int RoundPx(double v);

// Where v lies along the scale, 0 at Min and 1 at Max.
double ValueFraction(const TScaleRange& R, double v);
double ScaleAngle(const TDialGeometry& G, const TScaleRange& R, double v);
// Clamps v to the range first.
double NeedleAngle(const TDialGeometry& G, const TScaleRange& R, double v);
// The pixel at Distance from the pivot along the scale angle AlphaDeg.
TPoint PointOnRadial(const TDialGeometry& G, double AlphaDeg, double Distance);
// The pixel at PercentRadius % of Radius towards v (clamped to the range).
TPoint ValueToPixel(const TDialGeometry& G, const TScaleRange& R, double v, double PercentRadius);
// The value whose direction passes through (X, Y); false and 0.0 outside the sweep.
bool PixelToValue(const TDialGeometry& G, const TScaleRange& R, int X, int Y, double& Value);

// Decimals for labels of a scale from A to B (-2 chooses by the span).
int CalcM(int DecPlaces, double A, double B);

// First major tick T0, major step S (1, 2 or 5 times a power of ten, signed
// like Max - Min) and K minor divisions per major step.
struct TScaleStep {
  double T0 = 0.0, S = 0.0;
  int K = 1;
};
TScaleStep CalcScaleStep(double Min, double Max, int NrTicks);

// Fixed-point text with Decimals decimals, a point as separator, no "-0".
void FormatTickLabel(double v, int Decimals, std::string& Text);

// No scale needs more ticks than this; it also stops loops that a step too
// small for the magnitude of the values would never end.
constexpr int kMaxTicks = 20000;

// Calls Visit(v, Labelled) for every major tick.
template <class F>
void ForEachMajorTick(const TScaleRange& R, const TScaleStep& St, F&& Visit) {
  bool decades = R.UsesLog() && std::fabs(std::log10(R.Max / R.Min)) >= 1;
  if (!decades) {
    double e = St.S < 0 ? -1.0 : 1.0;
    for (int i = 0; i < kMaxTicks; ++i) {
      Visit(St.T0 + i * St.S, true);
      double next = St.T0 + (i + 1) * St.S;
      if (St.S == 0 || !(e * next <= e * R.Max + 0.001 * std::fabs(St.S))) break;
    }
    return;
  }
  constexpr double q = 0.999999999;
  double lo = std::min(R.Min, R.Max), hi = std::max(R.Min, R.Max);
  double M = std::pow(10.0, std::floor(std::log10(q * lo)));
  int count = 0;
  for (double D = 1; !(q * M * D > hi) && count < kMaxTicks; D *= 10) {
    for (int A = 1; A <= 9; ++A, ++count) {
      double v = A * M * D;
      if (v / q > lo && v * q < hi) Visit(v, A == 1 || A == 2 || A == 5);
    }
  }
}

// Calls Visit(v) for every minor tick: linear steps of S / K that do not fall
// on a major tick and do not lie before Min.
template <class F>
void ForEachMinorTick(const TScaleRange& R, const TScaleStep& St, F&& Visit) {
  if (St.S == 0) return;
  double m = St.S / St.K, J = St.T0 - St.S, e = St.S < 0 ? -1.0 : 1.0;
  for (int i = 0; i < kMaxTicks; ++i) {
    double v = J + i * m;
    // Distance to the nearest whole step: 3.9999999 lies on a major tick too.
    double steps = (v - St.T0) / St.S;
    if (std::fabs(steps - std::nearbyint(steps)) > 1e-5 && e * v >= e * R.Min) Visit(v);
    if (!(e * (J + (i + 1) * m) <= e * R.Max + 0.001 * std::fabs(m))) break;
  }
}

}  // namespace qel::meter
