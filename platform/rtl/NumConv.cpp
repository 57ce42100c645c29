// Integer conversions, Val and StrToFloat. Float to text is in FloatToStr.cpp
// and FloatPictureFormat.cpp.
#include "platform/rtl/NumConv.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses a whole integer text into [Min, Max]; hexadecimal may fill the
// unsigned range of Bits and wraps to negative as the platform allows.
// Returns Val's code.
int ParseInteger(const std::string& s, int64_t min, int64_t max, int bits, int64_t& value) {
  value = 0;
  size_t i = 0, n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < n && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return static_cast<int>(i) + 1;
  const uint64_t hexLimit = bits == 64 ? std::numeric_limits<uint64_t>::max() : (uint64_t{1} << bits) - 1;
  const uint64_t decLimit = negative ? static_cast<uint64_t>(max) + 1 : static_cast<uint64_t>(max);
  const uint64_t limit = hex ? hexLimit : decLimit;
  const unsigned base = hex ? 16 : 10;
  uint64_t magnitude = 0;
  for (; i < n; ++i) {
    int digit = hex ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) return static_cast<int>(i) + 1;
    if (magnitude > (limit - digit) / base) return static_cast<int>(i) + 1;
    magnitude = magnitude * base + digit;
  }
  int64_t signedValue;
  if (hex && bits < 64 && magnitude > static_cast<uint64_t>(max))
    signedValue = static_cast<int64_t>(magnitude) - (int64_t{1} << bits);  // two's complement of the width
  else
    signedValue = static_cast<int64_t>(magnitude);
  value = negative ? static_cast<int64_t>(0 - static_cast<uint64_t>(signedValue)) : signedValue;
  if (value < min || value > max) {
    value = 0;
    return static_cast<int>(n);
  }
  return 0;
}

// Pascal's real syntax after blanks: sign, digits with an optional '.', an
// optional exponent. Returns Val's code.
int ParseFloat(const std::string& s, double& value) {
  value = 0;
  size_t i = 0, n = s.size();
  while (i < n && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::string plain;  // the number for from_chars: digits, '.', 'e', exponent
  int digits = 0, leadingOrder = 0;
  bool seenNonZero = false, seenPoint = false;
  for (; i < n; ++i) {
    if (IsDigit(s[i])) {
      ++digits;
      if (s[i] != '0') seenNonZero = true;
      // Order of magnitude of the first significant digit, for range checks.
      if (!seenNonZero && seenPoint) --leadingOrder;
      if (seenNonZero && !seenPoint) ++leadingOrder;
    } else if (s[i] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    plain += s[i];
  }
  if (digits == 0) return static_cast<int>(i) + 1;
  long exponent = 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    plain += 'e';
    ++i;
    bool expNegative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    if (expNegative) plain += '-';
    if (i >= n || !IsDigit(s[i])) return static_cast<int>(i) + 1;
    for (; i < n && IsDigit(s[i]); ++i) {
      plain += s[i];
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
    }
    if (expNegative) exponent = -exponent;
  }
  if (i < n) return static_cast<int>(i) + 1;
  if (!seenNonZero) {
    value = negative ? -0.0 : 0.0;
    return 0;
  }
  double parsed = 0;
  auto res = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
  if (res.ec == std::errc::result_out_of_range) {
    if (leadingOrder + exponent > 0) return static_cast<int>(n);  // too large for a double
    parsed = 0;                                                    // too small: underflows to zero
  }
  value = negative ? -parsed : parsed;
  return 0;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

[[noreturn]] void IntegerError(const std::string& s) {
  throw EConvertError(Quoted(s) + " is not a valid integer value");
}

bool MatchesNonFinite(const std::string& s, double& value) {
  std::string up;
  for (char c : s) up += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  if (up == "INF" || up == "+INF") value = std::numeric_limits<double>::infinity();
  else if (up == "-INF") value = -std::numeric_limits<double>::infinity();
  else if (up == "NAN") value = std::numeric_limits<double>::quiet_NaN();
  else return false;
  return true;
}

std::string TrimBlanks(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && IsBlank(s[a])) ++a;
  while (b > a && IsBlank(s[b - 1])) --b;
  return s.substr(a, b - a);
}

}  // namespace

std::string IntToStr(int Value) { return std::to_string(Value); }
std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string IntToHex(int64_t Value, int Digits) {
  static const char kHex[] = "0123456789ABCDEF";
  auto u = static_cast<uint64_t>(Value);
  std::string out;
  do {
    out.insert(out.begin(), kHex[u & 15]);
    u >>= 4;
  } while (u != 0);
  if (Digits > 32) Digits = 32;
  if (static_cast<int>(out.size()) < Digits) out.insert(0, Digits - out.size(), '0');
  return out;
}

std::string IntToHex(int Value, int Digits) { return IntToHex(static_cast<int64_t>(static_cast<uint32_t>(Value)), Digits); }

void Val(const std::string& S, int64_t& Value, int& Code) {
  Code = ParseInteger(S, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(), 64, Value);
}

void Val(const std::string& S, int& Value, int& Code) {
  int64_t v;
  Code = ParseInteger(S, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 32, v);
  Value = static_cast<int>(v);
}

void Val(const std::string& S, double& Value, int& Code) { Code = ParseFloat(S, Value); }

bool TryStrToInt(const std::string& S, int& Value) {
  int code;
  Val(S, Value, code);
  return code == 0;
}

bool TryStrToInt64(const std::string& S, int64_t& Value) {
  int code;
  Val(S, Value, code);
  return code == 0;
}

int StrToInt(const std::string& S) {
  int v;
  if (!TryStrToInt(S, v)) IntegerError(S);
  return v;
}

int64_t StrToInt64(const std::string& S) {
  int64_t v;
  if (!TryStrToInt64(S, v)) IntegerError(S);
  return v;
}

int StrToIntDef(const std::string& S, int Default) {
  int v;
  return TryStrToInt(S, v) ? v : Default;
}

int64_t StrToInt64Def(const std::string& S, int64_t Default) {
  int64_t v;
  return TryStrToInt64(S, v) ? v : Default;
}

bool TryStrToFloat(const std::string& S, double& Value, const TFormatSettings& Settings) {
  std::string text = TrimBlanks(S);
  if (MatchesNonFinite(text, Value)) return true;
  // Only the settings' separator counts; a '.' under ',' settings is an error.
  for (char& c : text) {
    if (c == '.' && Settings.DecimalSeparator != '.') return false;
    if (c == Settings.DecimalSeparator) c = '.';
  }
  int code;
  Val(text, Value, code);
  if (code != 0) Value = 0;
  return code == 0;
}

bool TryStrToFloat(const std::string& S, double& Value) { return TryStrToFloat(S, Value, FormatSettings); }

double StrToFloat(const std::string& S, const TFormatSettings& Settings) {
  double v;
  if (!TryStrToFloat(S, v, Settings)) throw EConvertError(Quoted(S) + " is not a valid floating point value");
  return v;
}

double StrToFloat(const std::string& S) { return StrToFloat(S, FormatSettings); }

double StrToFloatDef(const std::string& S, double Default) {
  double v;
  return TryStrToFloat(S, v) ? v : Default;
}

}  // namespace qel
