// Scale steps, label decimals and label text.
#include <charconv>
#include <cmath>
#include <string_view>

#include "gauges/detail/MeterMath.h"

namespace qel::meter {

int CalcM(int DecPlaces, double A, double B) {
  if (DecPlaces != -2) return DecPlaces;
  double d = std::fabs(A - B);
  if (d >= 1000000 || d <= 0.0001) return -1;
  if (d >= 100) return 0;
  return 2 - int(std::nearbyint(std::log(d) / 2.5));
}

// The largest step of 1, 2 or 5 times a power of ten not above the range
// divided by NrTicks, and the first multiple of it not below Min.
TScaleStep CalcScaleStep(double Min, double Max, int NrTicks) {
  TScaleStep st;
  st.T0 = Min;
  double span = std::fabs(Max - Min);
  if (Max == Min || NrTicks <= 0 || !std::isfinite(span)) return st;
  double e = Min < Max ? 1.0 : -1.0;
  double L = std::log10(span / NrTicks);
  double h = L - std::trunc(L);
  if (std::fabs(h) < 1e-10 || std::fabs(h) > 0.9999999999) {
    h = 0;
    L = std::nearbyint(L);
  }
  if (L < 0 && h != 0) L -= 1;
  if (h < 0) h += 1;
  constexpr double log2 = 0.30103, log5 = 0.69897;
  // The factors are applied exactly, so a step of 0.2 is 2 * 0.1 and not
  // 10^(-1 + 0.30103), which is off in the ninth digit.
  double factor = h < log2 + 1e-10 ? 1.0 : h < log5 + 1e-10 ? 2.0 : 5.0;
  st.K = factor == 2.0 ? 4 : 5;
  st.S = e * factor * std::pow(10.0, std::trunc(L));
  if (st.S == 0 || !std::isfinite(st.S)) return TScaleStep{Min, 0.0, 1};
  st.T0 = (std::trunc(Min / st.S) - 1) * st.S;
  for (int i = 0; i < kMaxTicks && e * (Min - st.T0) > 0.001 * std::fabs(st.S); ++i) st.T0 += st.S;
  return st;
}

void FormatTickLabel(double v, int Decimals, std::string& Text) {
  char buf[400];  // fixed notation of the largest double fits
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, Decimals < 0 ? 0 : Decimals);
  const char* end = res.ec == std::errc() ? res.ptr : buf;
  const char* begin = buf;
  // A value that rounds to zero shows no sign.
  if (*begin == '-' && end - begin > 1 && std::string_view(begin + 1, end).find_first_not_of("0.") == std::string_view::npos)
    ++begin;
  Text.assign(begin, end);
}

}  // namespace qel::meter
