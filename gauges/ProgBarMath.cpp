// The progress bar's arithmetic: colour blend, bar length, gradient index,
// value text and text origin.
#include "gauges/detail/ProgBarMath.h"
#include "gauges/QEL_ProgBar.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/QEL_Base.h"
#include "platform/rtl/NumConv.h"

namespace qel::progbar {

namespace {
// Pixel positions round to the nearest integer, ties to even.
double RoundEven(double v) { return std::nearbyint(v); }
}  // namespace

void BlendTable(TColorTable& Table) {
  const TColor a = ColorToRGB(Table[0]), b = ColorToRGB(Table[kTableSize - 1]);
  auto channel = [](TColor c, int shift) { return double((c >> shift) & 0xFF); };
  for (int i = 1; i < kTableSize - 1; ++i) {
    const double t = i / 1023.0;
    TColor mixed = 0;
    for (int shift : {0, 8, 16}) {
      double ca = channel(a, shift), cb = channel(b, shift);
      mixed |= TColor(std::trunc(ca + (cb - ca) * t)) << shift;
    }
    Table[i] = mixed & 0xFFFFFF;
  }
}

int64_t BarLength(int Inner, double Value, double Min, double Max) {
  if (Inner <= 0 || Max == Min) return 0;
  const double n = RoundEven(Inner * (Value - Min) / (Max - Min));
  if (std::isnan(n)) return 0;
  return int64_t(std::clamp(n, -double(kFar), double(kFar)));
}

int GradientIndex(TColorMapping Mode, int64_t E, int64_t N, int Inner) {
  auto scaled = [](int64_t e, int64_t over) { return over == 0 ? 0.0 : RoundEven(double(e) * 1023.0 / double(over)); };
  double k = 0;
  switch (Mode) {
    case cgmCover: k = scaled(E, Inner); break;
    case cgmStretch: k = scaled(E, N); break;
    case cgmMove: k = scaled(E, Inner) - scaled(N - 1, Inner) + 1023; break;
  }
  return int(std::clamp(k, 0.0, 1023.0));
}

std::string ValueText(double Value, int DecPlaces) {
  if (DecPlaces >= 0) return strff(Value, 0, std::min(DecPlaces, 10));
  TFormatSettings point;
  point.DecimalSeparator = '.';
  std::string text = FloatToStrF(Value, ffExponent, 5, 4, point);
  if (DecPlaces < -1) return text;
  // "E+0002" becomes "E+02"; an exponent of three or four digits does not fit.
  size_t e = text.find('E');
  if (e == std::string::npos || text.size() != e + 6) return text;  // INF, NAN
  if (text.compare(e + 2, 2, "00") != 0) return std::string(text.size() - 2, '*');
  return text.erase(e + 2, 2);
}

TPoint TextOrigin(TAlignment Alignment, TPoint Pos, int Angle, int HalfW, int HalfH) {
  const double a = Angle * std::numbers::pi / 180.0, s = std::sin(a), c = std::cos(a);
  const double along = Alignment == taLeftJustify ? 0 : Alignment == taRightJustify ? 2.0 * HalfW : HalfW;
  return {Pos.X + int(RoundEven(-along * c - HalfH * s)), Pos.Y + int(RoundEven(along * s - HalfH * c))};
}

}  // namespace qel::progbar
