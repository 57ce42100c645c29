// Text helpers of the base library. Positions and lengths count UTF-8
// characters; single-character arguments are bytes (ASCII in practice).
#include <charconv>
#include <cmath>

#include "framework/QEL_Base.h"
#include "platform/rtl/Utf8.h"

namespace qel {

std::string strff(double Value, int Width, int Decimals) {
  Decimals = Decimals < 0 ? 0 : Decimals > 30 ? 30 : Decimals;
  char buf[400];
  std::string text;
  if (!std::isfinite(Value)) {
    text = std::isnan(Value) ? "NAN" : Value > 0 ? "INF" : "-INF";
  } else {
    auto res = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, Decimals);
    text.assign(buf, res.ptr);
  }
  if (Width > 255) Width = 255;
  if (int(text.size()) < Width) text.insert(0, size_t(Width) - text.size(), ' ');
  return text;
}

std::string LeftString(const std::string& S, int N) {
  const int len = int(Utf8Length(S));
  if (N > 65536) N = 65536;  // a padding request that large is a caller's slip
  return len >= N ? S : S + std::string(size_t(N - len), ' ');
}

std::string EnsureTrailingChar(char C, const std::string& S) {
  return (!S.empty() && S.back() == C) ? S : S + C;
}

std::string EnsureTrailingBkSlash(const std::string& S) { return EnsureTrailingChar('/', S); }

std::string RemoveControlChars(const std::string& S) {
  std::string r;
  r.reserve(S.size());
  for (char ch : S)
    if (static_cast<unsigned char>(ch) >= 32) r += ch;
  return r;
}

std::string StripLeadingChars(char C, const std::string& S) {
  size_t i = 0;
  while (i < S.size() && S[i] == C) ++i;
  return S.substr(i);
}

std::string StripTrailingChars(char C, const std::string& S) {
  size_t n = S.size();
  while (n > 0 && S[n - 1] == C) --n;
  return S.substr(0, n);
}

std::string ReplaceCharInString(const std::string& S, char Old, char New) {
  std::string r = S;
  for (char& ch : r)
    if (ch == Old) ch = New;
  return r;
}

namespace {
// Byte offset of character Pos (1-based); S.size() when past the end.
size_t ByteOfChar(const std::string& S, int Pos) {
  size_t i = 0;
  for (int k = 1; k < Pos && i < S.size(); ++k) i += Utf8CharSize(S, i);
  return i;
}
int CharOfByte(const std::string& S, size_t Byte) {
  int k = 1;
  for (size_t i = 0; i < Byte && i < S.size(); i += Utf8CharSize(S, i)) ++k;
  return k;
}
}  // namespace

int NumberedPos(const std::string& Sub, const std::string& S, int Start, int Stop, int N) {
  if (Sub.empty() || N < 1) return 0;
  size_t from = ByteOfChar(S, Start < 1 ? 1 : Start);
  const size_t end = Stop <= 0 ? S.size() : ByteOfChar(S, Stop + 1);
  for (;;) {
    const size_t at = S.find(Sub, from);
    if (at == std::string::npos || at + Sub.size() > end) return 0;
    if (--N == 0) return CharOfByte(S, at);
    from = at + Sub.size();
  }
}

int Tokenize(const std::string& S, const std::string& Delimiter, TOpenStringArray& Tokens) {
  Tokens.clear();
  if (S.empty()) return 0;
  if (Delimiter.empty()) {
    Tokens.push_back(Utf8Left(S, 255));
    return 1;
  }
  size_t from = 0;
  for (;;) {
    const size_t at = S.find(Delimiter, from);
    const std::string piece = S.substr(from, at == std::string::npos ? std::string::npos : at - from);
    Tokens.push_back(piece.size() > 255 ? Utf8Left(piece, 255) : piece);
    if (at == std::string::npos) break;
    from = at + Delimiter.size();
  }
  return int(Tokens.size());
}

bool IsValidDecInt(const std::string& S) {
  size_t i = (!S.empty() && (S[0] == '+' || S[0] == '-')) ? 1 : 0;
  if (i == S.size()) return false;
  int64_t v = 0;
  for (; i < S.size(); ++i) {
    if (S[i] < '0' || S[i] > '9') return false;
    v = v * 10 + (S[i] - '0');
    if (v > int64_t(INT32_MAX) + 1) return false;
  }
  return S[0] == '-' || v <= INT32_MAX;
}

int IntNeg(double X) {
  if (std::isnan(X)) return 0;
  const double f = std::floor(X);
  if (f >= 2147483647.0) return INT32_MAX;
  if (f <= -2147483648.0) return INT32_MIN;
  return int(f);
}

}  // namespace qel
