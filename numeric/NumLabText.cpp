// The value text of a numeric label: one form per display type, then the
// decimal separator and the plus sign.
//
// Sections: helpers, integers, angles, engineering notation, the types.
#include "numeric/NumLabText.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/NumConv.h"

namespace qel::numlab {

namespace {

const char* const kDegreeSign = "\xC2\xB0";

// ------------------------------------------------------------- helpers ----

// A double holds 15 reliable significant digits; fixed forms show no more,
// so 0.1 with 15 decimals is not followed by binary noise.
constexpr int kDigits = 15;

// Settings that write '.', for texts this file takes apart again.
const TFormatSettings& PointSettings() {
  static const TFormatSettings settings;
  return settings;
}

std::string NonFinite(double V) { return std::isnan(V) ? "NAN" : V > 0 ? "INF" : "-INF"; }

bool AllDigits(const std::string& S) {
  return !S.empty() && std::all_of(S.begin(), S.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ZeroPadded(std::string Digits, size_t Width) {
  if (Digits.size() < Width) Digits.insert(0, Width - Digits.size(), '0');
  return Digits;
}

// "E", the exponent's sign and at least three digits, as the scientific form writes it.
std::string ExponentText(int E) {
  return std::string("E") + (E < 0 ? "-" : "+") + ZeroPadded(std::to_string(std::abs(E)), 3);
}

// ------------------------------------------------------------ integers ----

// The nearest integer, ties to even; none outside the 64-bit range.
std::optional<int64_t> Rounded(double V) {
  double r = std::nearbyint(V);
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return std::nullopt;
  return int64_t(r);
}

std::optional<std::string> DecimalText(double V, int MinDigits) {
  auto i = Rounded(V);
  if (!i) return std::nullopt;
  uint64_t magnitude = *i < 0 ? 0 - uint64_t(*i) : uint64_t(*i);
  std::string out = *i < 0 ? "-" : "";
  out += ZeroPadded(std::to_string(magnitude), size_t(MinDigits));
  return out;
}

// Negative values in two's complement of 64 bits.
std::optional<std::string> BaseText(double V, unsigned Bits) {
  auto i = Rounded(V);
  if (!i) return std::nullopt;
  static const char kDigits[] = "0123456789ABCDEF";
  uint64_t u = uint64_t(*i);
  const unsigned mask = (1u << Bits) - 1;
  std::string out;
  do {
    out.insert(out.begin(), kDigits[u & mask]);
    u >>= Bits;
  } while (u != 0);
  return out;
}

// -------------------------------------------------------------- angles ----

std::string TwoDigits(int64_t V) { return ZeroPadded(std::to_string(V), 2); }

// Whole degrees, then minutes (and seconds), the last field with Decimals
// decimals. The value is rounded once, in units of the last field, before
// it is split: 59.9999 minutes never show as 60.
std::optional<std::string> Sexagesimal(double V, int Decimals, bool Seconds) {
  std::string t = FloatToStrF(std::fabs(V) * (Seconds ? 3600 : 60), ffFixed, kDigits, Decimals, PointSettings());
  size_t point = t.find('.');
  std::string whole = t.substr(0, point), fraction = point == std::string::npos ? "" : t.substr(point + 1);
  // Too large for whole units, the fixed form gave way to the scientific one.
  if (!AllDigits(whole) || t.find('E') != std::string::npos) return std::nullopt;
  int64_t units = std::stoll(whole);
  bool negative = V < 0 && t.find_first_of("123456789") != std::string::npos;
  std::string last = fraction.empty() ? "" : FormatSettings.DecimalSeparator + fraction;
  std::string out = negative ? "-" : "";
  if (Seconds)
    out += std::to_string(units / 3600) + kDegreeSign + TwoDigits(units / 60 % 60) + "'" + TwoDigits(units % 60) +
           last + "\"";
  else
    out += std::to_string(units / 60) + kDegreeSign + TwoDigits(units % 60) + last + "'";
  return out;
}

// ------------------------------------------------- engineering notation ----

struct TScientific {
  bool Negative = false;
  std::string Digits;  // significant digits, the first before the point
  int Exponent = 0;
};

TScientific Scientific(double V, int Digits) {
  std::string t = FloatToStrF(V, ffExponent, Digits, 0, PointSettings());  // "-1.23E+3"
  TScientific s;
  size_t e = t.find('E');
  for (size_t i = 0; i < e; ++i) {
    if (t[i] == '-') s.Negative = true;
    else if (t[i] != '.') s.Digits += t[i];
  }
  s.Exponent = std::stoi(t.substr(e + 1));
  return s;
}

int FloorToThree(int E) { return E >= 0 ? E / 3 * 3 : -((-E + 2) / 3) * 3; }

// The exponent a multiple of 3, so the mantissa has 1 to 3 whole digits.
// With a whole mantissa the digits after the point are rounded away, which
// may carry into the next power (999.6 gives 1E+003).
std::string Engineering(double V, int Significant, bool WholeMantissa) {
  TScientific s = Scientific(V, WholeMantissa ? 18 : Significant);
  if (WholeMantissa) s = Scientific(V, s.Exponent - FloorToThree(s.Exponent) + 1);
  const int power = FloorToThree(s.Exponent);
  const size_t whole = size_t(s.Exponent - power + 1);
  std::string digits = s.Digits;
  if (digits.size() < whole) digits.append(whole - digits.size(), '0');
  std::string out = s.Negative ? "-" : "";
  out.append(digits, 0, whole);
  if (!WholeMantissa && digits.size() > whole) out += FormatSettings.DecimalSeparator + digits.substr(whole);
  return out + ExponentText(power);
}

// ------------------------------------------------------------ the types ----

std::optional<std::string> DateTimeText(double V, const std::string& Format) {
  if (YearOf(V) == 0) return std::nullopt;  // outside years 1 to 9999, or NaN
  return FormatDateTime(Format, V);
}

std::optional<std::string> TypeText(double V, const TValueFormat& F) {
  const int p = F.Precision;
  switch (F.Type) {
    case dtState: return F.StateText;
    case dtDateTime: return DateTimeText(V, F.DTFormat);
    default: break;
  }
  if (!std::isfinite(V)) return NonFinite(V);
  switch (F.Type) {
    case dtFloat: return FloatToStrF(V, ffGeneral, std::max(p, 1), 3);
    case dtExp: return FloatToStrF(V, ffExponent, std::max(p, 1), 3);
    case dtInt: return DecimalText(V, 0);
    case dtZeroInt: return DecimalText(V, p);
    case dtHex: return BaseText(V, 4);
    case dtOct: return BaseText(V, 3);
    case dtBin: return BaseText(V, 1);
    case dtDeg: return FloatToStrF(V, ffFixed, kDigits, p) + kDegreeSign;
    case dtDegMin: return Sexagesimal(V, p, false);
    case dtDegMinSec: return Sexagesimal(V, p, true);
    case dtEEng: return Engineering(V, std::max(p, 1), false);
    case dtEEngNoDP: return Engineering(V, 0, true);
    case dtFixP:
    default: return FloatToStrF(V, ffFixed, kDigits, p);
  }
}

}  // namespace

std::string FormatValue(double Value, const TValueFormat& Format) {
  return TypeText(Value, Format).value_or(Format.OverflowIndicator);
}

bool TakesSeparatorAndSign(TDisplay Type) {
  return Type != dtHex && Type != dtDateTime && Type != dtState && Type != dtBin;
}

std::string ValueText(double Value, const TValueFormat& Format) {
  std::optional<std::string> text = TypeText(Value, Format);
  if (!text) return Format.OverflowIndicator;
  if (!TakesSeparatorAndSign(Format.Type)) return *text;
  std::replace(text->begin(), text->end(), Format.Comma ? '.' : ',', Format.Comma ? ',' : '.');
  if (!(Format.ForcePlusSign && Value > 0)) return *text;
  std::string plus = "+";
  return plus += *text;
}

}  // namespace qel::numlab
