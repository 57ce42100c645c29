// The number-text codec: writers from number to text.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "numeric/QEL_NumIO.h"

namespace qel {

namespace {

constexpr int kMaxWidth = 255;
constexpr int kMaxDecimals = 100;

std::string PadLeft(std::string S, int Width) {
  if (static_cast<int>(S.size()) < Width) S.insert(0, Width - S.size(), ' ');
  return S;
}

// What printf writes, however long.
template <class... TArgs>
std::string Printed(const char* Format, TArgs... Args) {
  const int n = std::snprintf(nullptr, 0, Format, Args...);
  if (n <= 0) return {};
  std::string s(static_cast<size_t>(n), '\0');
  std::snprintf(s.data(), s.size() + 1, Format, Args...);  // the terminator goes where the string keeps its own
  return s;
}

// Sign position, one digit, '.', W - 7 digits, 'E', exponent sign and two
// digits; asterisks when the exponent needs three digits.
std::string ScientificText(double Value, int W) {
  W = std::max(W, 7);
  if (!std::isfinite(Value)) return std::string(W, '*');
  // Up to 248 digits: a fixed buffer would cut the text and lose its exponent.
  std::string s = Printed("%.*e", W - 7, std::fabs(Value));  // d.ddde+XX
  size_t e = s.find('e');
  std::string mantissa = s.substr(0, e);
  int exponent = std::atoi(s.c_str() + e + 1);
  if (std::abs(exponent) > 99) return std::string(W, '*');
  if (W == 7) mantissa += '.';  // one digit and the point, no decimals
  return (Value < 0 ? "-" : " ") + mantissa + Printed("E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
}

std::string FixedText(double Value, int W, int Decimals) {
  if (std::isnan(Value)) return PadLeft("NAN", W);
  if (std::isinf(Value)) return PadLeft(Value < 0 ? "-INF" : "INF", W);
  return PadLeft(Printed("%.*f", Decimals, Value), W);
}

// ' -5.0' becomes '-05.0'; '  12' becomes '0012'.
std::string ZeroPadded(std::string S) {
  size_t blanks = S.find_first_not_of(' ');
  if (blanks == std::string::npos) blanks = S.size();
  std::fill(S.begin(), S.begin() + blanks, '0');
  if (blanks < S.size() && S[blanks] == '-') {
    S[blanks] = '0';
    S[0] = '-';
  }
  return S;
}

std::string Digits(uint32_t Value, int Count, int MaxCount, int BitsPerDigit) {
  Count = std::clamp(Count, 1, MaxCount);
  std::string s(static_cast<size_t>(Count), '0');
  const uint32_t mask = (1u << BitsPerDigit) - 1;
  for (int i = Count - 1; i >= 0; --i) {
    s[i] = "0123456789ABCDEF"[Value & mask];
    Value = BitsPerDigit < 32 ? Value >> BitsPerDigit : 0;
  }
  return s;
}

}  // namespace

std::string NumToText(double Value, int Width, int Decimals) {
  int w = std::min(Width < 0 ? -int64_t(Width) : int64_t(Width), int64_t(kMaxWidth));
  std::string s = Decimals == -2 ? ScientificText(Value, w) : FixedText(Value, w, std::clamp(Decimals, 0, kMaxDecimals));
  return Width < 0 ? ZeroPadded(s) : s;
}

std::string HexDigits(int64_t Value, int Count) { return Digits(static_cast<uint32_t>(Value), Count, 8, 4); }
std::string OctDigits(int64_t Value, int Count) { return Digits(static_cast<uint32_t>(Value), Count, 11, 3); }
std::string BinDigits(int64_t Value, int Count) { return Digits(static_cast<uint32_t>(Value), Count, 32, 1); }

int64_t RoundHalfEven(double Value) {
  if (std::isnan(Value)) return 0;
  if (Value >= 9223372036854775807.0) return INT64_MAX;
  if (Value <= -9223372036854775808.0) return INT64_MIN;
  double r = std::nearbyint(Value);  // the default rounding mode is to nearest, ties to even
  return static_cast<int64_t>(r);
}

}  // namespace qel
