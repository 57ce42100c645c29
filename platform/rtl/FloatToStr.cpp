// FloatToStrF and FloatToStr: the general, exponent, fixed, number and
// currency forms.
#include <algorithm>

#include "platform/rtl/NumConv.h"
#include "platform/rtl/detail/FloatDigits.h"

namespace qel {

using detail::TDecimal;

namespace {

// "E", the exponent's sign ('+' only when ForcePlus) and at least MinDigits digits.
std::string ExponentText(int exponent, int minDigits, bool forcePlus) {
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
  std::string sign = exponent < 0 ? "-" : (forcePlus ? "+" : "");
  return "E" + sign + digits;
}

std::string Signed(const TDecimal& d, const std::string& text) {
  return d.Negative && !d.Digits.empty() ? "-" + text : text;
}

std::string FixedText(const TDecimal& d, int decimals, char decimalSep, char thousandSep, bool group) {
  std::string whole = detail::IntegerDigits(d);
  if (whole.empty()) whole = "0";
  if (group) whole = detail::GroupThousands(whole, thousandSep);
  if (decimals <= 0) return whole;
  return whole + decimalSep + detail::FractionDigits(d, decimals);
}

std::string GeneralForm(double value, int precision, int digits, const TFormatSettings& fs) {
  TDecimal d = detail::ToDecimal(value);
  detail::RoundToSignificant(d, precision);
  if (d.Digits.empty()) return "0";
  const int size = static_cast<int>(d.Digits.size());
  if (d.Exponent > precision || d.Exponent < -4) {
    std::string text(1, d.Digits[0]);
    if (size > 1) text += fs.DecimalSeparator + d.Digits.substr(1);
    return Signed(d, text + ExponentText(d.Exponent - 1, digits, digits > 0));
  }
  int decimals = std::max(0, size - d.Exponent);
  return Signed(d, FixedText(d, decimals, fs.DecimalSeparator, fs.ThousandSeparator, false));
}

std::string ExponentForm(double value, int precision, int digits, const TFormatSettings& fs) {
  TDecimal d = detail::ToDecimal(value);
  detail::RoundToSignificant(d, precision);
  std::string text(1, detail::DigitAt(d, 0));
  if (precision > 1) {
    text += fs.DecimalSeparator;
    for (int i = 1; i < precision; ++i) text += detail::DigitAt(d, i);
  }
  int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
  return Signed(d, text + ExponentText(exponent, digits, true));
}

// Fixed, number and currency: the value rounded to Digits decimals but to no
// more than Precision significant digits; too large a value falls back to
// the general form as the platform does.
bool RoundedFixed(double value, int precision, int digits, TDecimal& d) {
  d = detail::ToDecimal(value);
  detail::RoundToSignificant(d, std::min(precision, d.Exponent + digits));
  return d.Exponent <= precision;
}

std::string CurrencyForm(const TDecimal& d, int digits, const TFormatSettings& fs) {
  std::string amount = FixedText(d, digits, fs.DecimalSeparator, fs.ThousandSeparator, true);
  const std::string& cur = fs.CurrencyString;
  std::string text;
  switch (fs.CurrencyFormat) {
    case 1: text = amount + cur; break;
    case 2: text = cur + " " + amount; break;
    case 3: text = amount + " " + cur; break;
    default: text = cur + amount; break;
  }
  if (!d.Negative || d.Digits.empty()) return text;
  return fs.NegCurrFormat == 0 ? "(" + text + ")" : "-" + text;
}

}  // namespace

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings) {
  std::string special = detail::NonFiniteText(Value);
  if (!special.empty()) return special;
  Precision = std::clamp(Precision, 1, 18);
  switch (Format) {
    case ffExponent:
      return ExponentForm(Value, Precision, std::clamp(Digits, 0, 4), Settings);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      Digits = std::clamp(Digits, 0, 18);
      TDecimal d;
      if (!RoundedFixed(Value, Precision, Digits, d)) return GeneralForm(Value, Precision, 0, Settings);
      if (Format == ffCurrency) return CurrencyForm(d, Digits, Settings);
      return Signed(d, FixedText(d, Digits, Settings.DecimalSeparator, Settings.ThousandSeparator, Format == ffNumber));
    }
    case ffGeneral:
    default:
      return GeneralForm(Value, Precision, std::clamp(Digits, 0, 4), Settings);
  }
}

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

std::string FloatToStr(double Value, const TFormatSettings& Settings) {
  return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

std::string FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

}  // namespace qel
