// The clipboard number reader (see ClipMatrix.h) and the cell texts of "Copy".
#include "ntabed/detail/ClipMatrix.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "framework/QEL_Base.h"
#include "ntabed/detail/CellFormat.h"

namespace qel {

namespace {

enum class TScan : uint8_t { Start, Sign, Integer, Point, Fraction, Exponent, ExpSign, ExpDigits, End, Error };

constexpr int kMaxExponent = 4200;

bool IsDigit(char C) { return C >= '0' && C <= '9'; }
bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\r'; }

// Where the state machine goes from S on C (C upper-cased, "Z" past the end).
TScan Next(TScan S, char C) {
  bool blank = IsBlank(C), sign = C == '+' || C == '-', digit = IsDigit(C), sep = C == '.' || C == ',',
       exp = C == 'E';
  switch (S) {
    case TScan::Start:
      return blank ? TScan::Start : sign ? TScan::Sign : digit ? TScan::Integer : sep ? TScan::Point : TScan::Error;
    case TScan::Sign:
      return digit ? TScan::Integer : sep ? TScan::Point : TScan::Error;
    case TScan::Integer:
      return digit ? TScan::Integer : sep ? TScan::Point : exp ? TScan::Exponent : TScan::End;
    case TScan::Point:
    case TScan::Fraction:
      return digit ? TScan::Fraction : sep ? TScan::Error : exp ? TScan::Exponent : TScan::End;
    case TScan::Exponent:
      return sign ? TScan::ExpSign : digit ? TScan::ExpDigits : (blank || sep || exp) ? TScan::Error : TScan::End;
    case TScan::ExpSign:
      return digit ? TScan::ExpDigits : (blank || sign || sep || exp) ? TScan::Error : TScan::End;
    case TScan::ExpDigits:
      return digit ? TScan::ExpDigits : TScan::End;
    default:
      return S;
  }
}

// Whether a number text whose conversion is out of range is too large
// (rather than too small): the power of ten of its first significant digit.
bool TooLarge(const std::string& Text) {
  size_t e = Text.find('E');
  std::string_view mantissa(Text.data(), e == std::string::npos ? Text.size() : e);
  long exponent = 0;
  if (e != std::string::npos) {
    size_t i = e + 1;
    bool negative = i < Text.size() && Text[i] == '-';
    if (i < Text.size() && (Text[i] == '-' || Text[i] == '+')) ++i;
    for (; i < Text.size(); ++i) exponent = exponent * 10 + (Text[i] - '0');
    if (negative) exponent = -exponent;
  }
  size_t point = mantissa.find('.');
  if (point == std::string_view::npos) point = mantissa.size();
  size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return false;
  long order = first < point ? long(point - first) - 1 : -long(first - point);
  return order + exponent > 0;
}

double Convert(std::string& Text) {
  if (!Text.empty() && Text.back() == '.') Text += '0';
  const char* b = Text.data();
  const char* e = b + Text.size();
  if (b < e && *b == '+') ++b;
  double v = 0;
  auto [ptr, ec] = std::from_chars(b, e, v);
  if (ptr != e) return 0;  // not a whole number text, as "1E" or ".E5"
  if (ec == std::errc::result_out_of_range) {
    if (!TooLarge(Text)) return 0;
    v = uc_MaxDouble;
    return *b == '-' ? -v : v;
  }
  if (v > uc_MaxDouble) return uc_MaxDouble;
  if (v < -uc_MaxDouble) return -uc_MaxDouble;
  return v;
}

}  // namespace

double ScanClipNumber(std::string_view Text, size_t& Pos, std::string& Buffer) {
  Buffer.clear();
  TScan s = TScan::Start;
  int exponent = 0;
  bool capped = false;
  for (;; ++Pos) {
    char c = Pos < Text.size() ? Text[Pos] : 'Z';
    if (c == 'e') c = 'E';
    TScan next = Next(s, c);
    if (next == TScan::End) return Convert(Buffer);
    if (next == TScan::Error) return 0;
    if (next == TScan::ExpDigits) {
      // Digits that would take the exponent past the cap are read, not kept.
      if (capped || exponent * 10 + (c - '0') > kMaxExponent) {
        capped = true;
        s = next;
        continue;
      }
      exponent = exponent * 10 + (c - '0');
    }
    if (next != TScan::Start) Buffer += c == ',' ? '.' : c;
    s = next;
  }
}

void AppendClipNumber(std::string& Out, double X, bool FullPrecision, int DecPlaces) {
  if (FullPrecision) Out += RawExponentForm(X, 22);
  else if (DecPlaces >= 0 && DecPlaces <= MaxFixedDecPlaces) Out += FixedForm(X, DecPlaces);
  else Out += RawExponentForm(X, 1);
}

}  // namespace qel
