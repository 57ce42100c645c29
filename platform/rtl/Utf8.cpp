#include "platform/rtl/Utf8.h"

#include <algorithm>

namespace qel {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes a valid sequence at I into Cp and returns its length, or 0 when the
// bytes there are no valid UTF-8 (overlong, surrogate, truncated, too large).
size_t DecodeValid(const std::string& s, size_t i, uint32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  size_t len;
  uint32_t min;
  if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; min = 0x10000; }
  else return 0;
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (!IsContinuation(b)) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Byte offset of character number N (0-based), or s.size() when there are fewer.
size_t ByteOffsetOfChar(const std::string& s, size_t n) {
  size_t i = 0;
  while (n > 0 && i < s.size()) {
    i += Utf8CharSize(s, i);
    --n;
  }
  return i;
}

// Windows-1252 letters outside Latin-1 that have a case partner.
struct CasePair { uint32_t lower, upper; };
constexpr CasePair kExtraPairs[] = {{0x0161, 0x0160}, {0x0153, 0x0152}, {0x017E, 0x017D}, {0x00FF, 0x0178}};

uint32_t AnsiUpperCp(uint32_t cp) {
  if (cp >= 'a' && cp <= 'z') return cp - 32;
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 32;
  for (auto p : kExtraPairs)
    if (cp == p.lower) return p.upper;
  return cp;
}

uint32_t AnsiLowerCp(uint32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 32;
  for (auto p : kExtraPairs)
    if (cp == p.upper) return p.lower;
  return cp;
}

// Maps every valid character through Map; invalid bytes are copied unchanged.
template <typename F>
std::string MapChars(const std::string& s, F map) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    uint32_t cp;
    size_t len = DecodeValid(s, i, cp);
    if (len == 0) {
      out += s[i++];
      continue;
    }
    uint32_t mapped = map(cp);
    if (mapped == cp) out.append(s, i, len);
    else out += Utf8EncodeChar(mapped);
    i += len;
  }
  return out;
}

unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

int Sign(long v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

size_t Utf8CharSize(const std::string& S, size_t I) {
  if (I >= S.size()) return 0;
  uint32_t cp;
  size_t len = DecodeValid(S, I, cp);
  return len == 0 ? 1 : len;
}

uint32_t Utf8DecodeChar(const std::string& S, size_t I) {
  if (I >= S.size()) return 0;
  uint32_t cp;
  return DecodeValid(S, I, cp) == 0 ? static_cast<unsigned char>(S[I]) : cp;
}

std::string Utf8EncodeChar(uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

size_t Utf8Length(const std::string& S) {
  size_t n = 0;
  for (size_t i = 0; i < S.size(); i += Utf8CharSize(S, i)) ++n;
  return n;
}

std::string Utf8Copy(const std::string& S, int Start, int Count) {
  if (Count <= 0) return {};
  if (Start < 1) Start = 1;
  size_t from = ByteOffsetOfChar(S, static_cast<size_t>(Start) - 1);
  size_t to = from;
  for (int n = 0; n < Count && to < S.size(); ++n) to += Utf8CharSize(S, to);
  return S.substr(from, to - from);
}

std::string Utf8Left(const std::string& S, int Count) { return Utf8Copy(S, 1, Count); }

std::string Utf8Right(const std::string& S, int Count) {
  if (Count <= 0) return {};
  long total = static_cast<long>(Utf8Length(S));
  long start = std::max<long>(1, total - Count + 1);
  return S.substr(ByteOffsetOfChar(S, static_cast<size_t>(start - 1)));
}

std::string Utf8FirstChar(const std::string& S) { return S.substr(0, Utf8CharSize(S, 0)); }

std::string Utf8RestChars(const std::string& S) { return S.substr(Utf8CharSize(S, 0)); }

int Utf8Pos(const std::string& SubStr, const std::string& S, int Offset) {
  if (SubStr.empty() || Offset < 1) return 0;
  size_t i = ByteOffsetOfChar(S, static_cast<size_t>(Offset) - 1);
  for (int pos = Offset; i < S.size(); ++pos) {
    if (S.compare(i, SubStr.size(), SubStr) == 0) return pos;
    i += Utf8CharSize(S, i);
  }
  return 0;
}

std::string UpperCase(const std::string& S) {
  std::string out = S;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

std::string LowerCase(const std::string& S) {
  std::string out = S;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

std::string AnsiUpperCase(const std::string& S) { return MapChars(S, AnsiUpperCp); }
std::string AnsiLowerCase(const std::string& S) { return MapChars(S, AnsiLowerCp); }

std::string TrimLeft(const std::string& S) {
  size_t i = 0;
  while (i < S.size() && static_cast<unsigned char>(S[i]) <= ' ') ++i;
  return S.substr(i);
}

std::string TrimRight(const std::string& S) {
  size_t n = S.size();
  while (n > 0 && static_cast<unsigned char>(S[n - 1]) <= ' ') --n;
  return S.substr(0, n);
}

std::string Trim(const std::string& S) { return TrimLeft(TrimRight(S)); }

int CompareStr(const std::string& A, const std::string& B) { return Sign(A.compare(B)); }

int CompareText(const std::string& A, const std::string& B) {
  size_t n = std::min(A.size(), B.size());
  for (size_t i = 0; i < n; ++i) {
    int d = AsciiLower(static_cast<unsigned char>(A[i])) - AsciiLower(static_cast<unsigned char>(B[i]));
    if (d != 0) return Sign(d);
  }
  return Sign(static_cast<long>(A.size()) - static_cast<long>(B.size()));
}

bool SameText(const std::string& A, const std::string& B) { return A.size() == B.size() && CompareText(A, B) == 0; }

int AnsiCompareText(const std::string& A, const std::string& B) {
  size_t i = 0, j = 0;
  while (i < A.size() && j < B.size()) {
    long a = AnsiLowerCp(Utf8DecodeChar(A, i)), b = AnsiLowerCp(Utf8DecodeChar(B, j));
    if (a != b) return Sign(a - b);
    i += Utf8CharSize(A, i);
    j += Utf8CharSize(B, j);
  }
  return (i < A.size()) - (j < B.size());
}

bool AnsiSameText(const std::string& A, const std::string& B) { return AnsiCompareText(A, B) == 0; }

}  // namespace qel
