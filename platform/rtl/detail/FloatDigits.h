// Internal: a double as a decimal digit string, shared by FloatToStr.cpp and
// FloatPictureFormat.cpp. Value = 0.Digits x 10^Exponent; no digits means zero.
#pragma once
#include <string>

namespace qel::detail {

struct TDecimal {
  std::string Digits;  // '1'..'9' first, no trailing zeros
  int Exponent = 0;
  bool Negative = false;
};

// The 18 significant digits of a finite value, correctly rounded.
TDecimal ToDecimal(double Value);
// Keeps Count significant digits, rounding half away from zero (Count <= 0
// keeps none, which may still round up to one unit of the next place).
void RoundToSignificant(TDecimal& D, int Count);
void RoundToDecimals(TDecimal& D, int Decimals);
// Digit I of the value counted from the first significant one, '0' past the end.
inline char DigitAt(const TDecimal& D, int I) {
  return I >= 0 && I < static_cast<int>(D.Digits.size()) ? D.Digits[I] : '0';
}
// The integer part's digits ("" for zero) and the first Decimals fractional digits.
std::string IntegerDigits(const TDecimal& D);
std::string FractionDigits(const TDecimal& D, int Decimals);
// Thousand separators every three digits from the right.
std::string GroupThousands(const std::string& Digits, char Separator);
// "INF", "-INF", "NAN" for non-finite values, else "".
std::string NonFiniteText(double Value);

}  // namespace qel::detail
