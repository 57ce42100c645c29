// A double turned into decimal digits, rounded, grouped and spelled out for
// the float formatters.
#include "platform/rtl/detail/FloatDigits.h"

#include <charconv>
#include <cmath>

namespace qel::detail {

TDecimal ToDecimal(double Value) {
  TDecimal d;
  d.Negative = std::signbit(Value);
  if (Value == 0) return d;
  // to_chars is locale-independent and exact: "d.ddddddddddddddddde+XX".
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, 17);
  std::string text(buf, res.ptr);
  size_t e = text.find('e');
  d.Digits = text.substr(0, 1) + text.substr(2, e - 2);
  d.Exponent = std::stoi(text.substr(e + 1)) + 1;
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  return d;
}

void RoundToSignificant(TDecimal& D, int Count) {
  if (Count >= static_cast<int>(D.Digits.size())) return;
  if (Count < 0) {
    D.Digits.clear();
    return;
  }
  bool up = D.Digits[Count] >= '5';
  D.Digits.resize(Count);
  if (up) {
    int i = Count - 1;
    while (i >= 0 && D.Digits[i] == '9') D.Digits[i--] = '0';
    if (i >= 0) {
      ++D.Digits[i];
    } else {
      D.Digits.insert(D.Digits.begin(), '1');
      ++D.Exponent;
    }
  }
  while (!D.Digits.empty() && D.Digits.back() == '0') D.Digits.pop_back();
}

void RoundToDecimals(TDecimal& D, int Decimals) {
  if (D.Digits.empty()) return;
  RoundToSignificant(D, D.Exponent + Decimals);
}

std::string IntegerDigits(const TDecimal& D) {
  std::string s;
  for (int i = 0; i < D.Exponent; ++i) s += DigitAt(D, i);
  return s;
}

std::string FractionDigits(const TDecimal& D, int Decimals) {
  std::string s;
  for (int i = 0; i < Decimals; ++i) s += DigitAt(D, D.Exponent + i);
  return s;
}

std::string GroupThousands(const std::string& Digits, char Separator) {
  std::string out;
  int n = static_cast<int>(Digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += Separator;
    out += Digits[i];
  }
  return out;
}

std::string NonFiniteText(double Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  return {};
}

}  // namespace qel::detail
