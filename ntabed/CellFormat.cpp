// The table editor's number texts (see CellFormat.h), built on the exact
// shortest conversion of std::to_chars.
#include "ntabed/detail/CellFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace qel {

namespace {

// |x| as decimal digits: value = 0.Digits x 10^(Exp + 1), i.e. the first
// digit stands for 10^Exp. No leading zeros; Count 0 means zero.
struct TDigits {
  char Digits[32];
  int Count = 0;
  int Exp = 0;
};

TDigits ShortestDigits(double Magnitude) {
  TDigits d;
  if (Magnitude == 0) return d;
  char text[40];
  auto res = std::to_chars(text, text + sizeof text, Magnitude, std::chars_format::scientific);
  const char* p = text;
  for (; p < res.ptr && *p != 'e'; ++p)
    if (*p != '.') d.Digits[d.Count++] = *p;
  int exp = 0;
  std::from_chars(p + 1 + (p[1] == '+'), res.ptr, exp);
  d.Exp = exp;
  while (d.Count > 1 && d.Digits[d.Count - 1] == '0') --d.Count;
  return d;
}

// Keeps Keep significant digits, rounding to nearest with ties away from
// zero; Keep 0 leaves one unit of the next place up or nothing.
void RoundTo(TDigits& d, int Keep) {
  if (Keep < 0 || d.Count <= Keep) return;
  bool up = d.Digits[Keep] >= '5';
  d.Count = Keep;
  if (!up) {
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0') --d.Count;
    if (d.Count == 0) d.Exp = 0;
    return;
  }
  int i = Keep - 1;
  while (i >= 0 && d.Digits[i] == '9') --i;
  if (i < 0) {  // 9.99 -> 10.0: one digit more in front
    d.Digits[0] = '1';
    d.Count = 1;
    ++d.Exp;
    return;
  }
  ++d.Digits[i];
  d.Count = i + 1;
}

char DigitAt(const TDigits& d, int Power) {
  int i = d.Exp - Power;
  return i >= 0 && i < d.Count ? d.Digits[i] : '0';
}

constexpr double kFixedMin[9] = {1, 0.1, 0.01, 0.001, 0.0001, 0.00001, 0.000001, 0.0000001, 0.00000001};
constexpr double kFixedMax[9] = {999999999, 9999999.9, 999999.99, 99999.999, 9999.9999,
                                 999.99999, 99.999999, 9.9999999, 0.99999999};

bool UsesFixedForm(double X, int DecPlaces) {
  if (DecPlaces < 0 || DecPlaces > 8) return false;
  double a = std::fabs(X);
  return X == 0 || (a >= kFixedMin[DecPlaces] && a <= kFixedMax[DecPlaces]);
}

// Room for the largest double (309 digits) with 10 decimals and a sign.
constexpr int kFixedCapacity = 330;

// Writes at most kFixedCapacity characters (Width at most 20).
int WriteFixed(double X, int Width, int Decimals, char* Buf) {
  TDigits d = ShortestDigits(std::fabs(X));
  if (d.Count > 0) RoundTo(d, d.Exp + 1 + Decimals);
  char body[kFixedCapacity];
  int n = 0;
  if (d.Count > 0 && X < 0) body[n++] = '-';
  for (int power = d.Count > 0 && d.Exp > 0 ? d.Exp : 0; power >= 0; --power) body[n++] = DigitAt(d, power);
  if (Decimals > 0) body[n++] = '.';
  for (int power = -1; power >= -Decimals; --power) body[n++] = DigitAt(d, power);
  int pad = Width > n ? Width - n : 0;
  std::memset(Buf, ' ', size_t(pad));
  std::memcpy(Buf + pad, body, size_t(n));
  return pad + n;
}

// Sign place, d.ddd with Fraction decimals, "E", exponent sign and digits.
int WriteExponent(double X, int Fraction, int ExpDigits, TDigits& d, char* Buf) {
  d = ShortestDigits(std::fabs(X));
  RoundTo(d, Fraction + 1);
  int exp = d.Count > 0 ? d.Exp : 0;
  int n = 0;
  Buf[n++] = std::signbit(X) && d.Count > 0 ? '-' : ' ';
  Buf[n++] = d.Count > 0 ? d.Digits[0] : '0';
  Buf[n++] = '.';
  for (int i = 1; i <= Fraction; ++i) Buf[n++] = i < d.Count ? d.Digits[i] : '0';
  Buf[n++] = 'E';
  Buf[n++] = exp < 0 ? '-' : '+';
  int mag = exp < 0 ? -exp : exp;
  for (int i = ExpDigits - 1, div = 1; i >= 0; --i, div *= 10) Buf[n + i] = char('0' + mag / div % 10);
  d.Exp = exp;
  return n + ExpDigits;
}

int FractionDigits(int Width) { return Width - 1 > 1 ? Width - 1 : 1; }

}  // namespace

int FormatCellNumber(double X, int Width, int DecPlaces, char* Buf) {
  if (Width < 1) Width = 1;
  if (Width > 20) Width = 20;
  if (std::isnan(X)) {
    std::memcpy(Buf, "-nan-", 5);
    return 5;
  }
  int fraction = FractionDigits(Width);
  if (std::isinf(X)) {
    int n = fraction + 7;  // the length of a shortened exponent form
    std::memset(Buf, '*', size_t(n));
    return n;
  }
  if (UsesFixedForm(X, DecPlaces)) return WriteFixed(X, Width, DecPlaces, Buf);
  TDigits d;
  int n = WriteExponent(X, fraction, 2, d, Buf);
  int mag = d.Exp < 0 ? -d.Exp : d.Exp;
  if (mag >= 100) std::memset(Buf, '*', size_t(n));
  return n;
}

std::string FormatCellNumber(double X, int Width, int DecPlaces) {
  char buf[CellNumberCapacity];
  return std::string(buf, size_t(FormatCellNumber(X, Width, DecPlaces, buf)));
}

std::string FixedForm(double X, int Decimals) {
  if (!std::isfinite(X)) return RawExponentForm(X, 1);
  Decimals = Decimals < 0 ? 0 : Decimals > MaxFixedDecPlaces ? MaxFixedDecPlaces : Decimals;
  char buf[kFixedCapacity];
  return std::string(buf, size_t(WriteFixed(X, 1, Decimals, buf)));
}

std::string RawExponentForm(double X, int W) {
  if (std::isnan(X)) return "-nan-";
  int fraction = W - 9 > 1 ? W - 9 : 1;
  if (fraction > 20) fraction = 20;
  char buf[CellNumberCapacity];
  if (std::isinf(X)) return std::string(size_t(fraction + 9), '*');
  TDigits d;
  return std::string(buf, size_t(WriteExponent(X, fraction, 4, d, buf)));
}

}  // namespace qel
