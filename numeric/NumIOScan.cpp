// The number-text codec: separator modes, the validators and the scanners.
// Integer readers accumulate in unsigned 32-bit arithmetic, so overflow wraps
// as two's complement without undefined behaviour.
#include <algorithm>
#include <clocale>
#include <cstring>
#include <cstdlib>
#include <locale.h>
#include <string_view>

#include "numeric/QEL_NumIO.h"
#include "platform/rtl/FormatSettings.h"

namespace qel {

TDecPSep ResolveTypingSepMode(TDecPSep Mode) {
  if (Mode != dsSystem) return Mode;
  return FormatSettings.DecimalSeparator == '.' ? dsPoint : dsComma;
}

bool IsDecimalSep(char C, TDecPSep Mode) {
  return (Mode == dsPoint && C == '.') || (Mode == dsComma && C == ',') ||
         (Mode == dsBoth && (C == '.' || C == ','));
}

int DecimalSepPos(const std::string& Text, TDecPSep Mode, int From) {
  for (int i = std::max(From, 1); i <= static_cast<int>(Text.size()); ++i)
    if (IsDecimalSep(Text[i - 1], Mode)) return i;
  return 0;
}

std::string WithDecimalSep(std::string Text, TDecPSep Mode) {
  if (Mode == dsComma) std::replace(Text.begin(), Text.end(), '.', ',');
  return Text;
}

bool HasDynamicPrefix(const std::string& Text) {
  return !Text.empty() && (Text[0] == '$' || Text[0] == '%' || Text[0] == '&');
}

TInFormat DynamicFormatOf(const std::string& Text) {
  if (Text.empty()) return itExp;
  switch (Text[0]) {
    case '$': return itHex;
    case '%': return itBin;
    case '&': return itOct;
    default: return itExp;
  }
}

namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// The end of the run of decimal digits starting at P, eight bytes at a time:
// long texts are mostly digits, and every key reads the whole text.
const char* DigitRunEnd(const char* P, const char* End) {
  constexpr uint64_t kNibbles = 0xF0F0F0F0F0F0F0F0ull, kThrees = 0x3030303030303030ull;
  constexpr uint64_t kSixes = 0x0606060606060606ull;
  while (End - P >= 8) {
    uint64_t w;
    std::memcpy(&w, P, 8);
    // All high nibbles 3, and no low nibble above 9 (adding 6 would carry).
    if ((w & kNibbles) != kThrees || ((w + kSixes) & kNibbles) != kThrees) break;
    P += 8;
  }
  while (P < End && IsDigit(*P)) ++P;
  return P;
}

// Keeps a position inside 1..length + 1 so that no scanner reads outside.
void ClampPos(const std::string& Text, int& Pos) {
  int end = static_cast<int>(Text.size()) + 1;
  if (Pos < 1) Pos = 1;
  if (Pos > end) Pos = end;
}

// ------------------------------------------------- the exponent machine ----

enum TCharClass { ccSep, ccBlank, ccSign, ccDigit, ccE, ccOther };
constexpr int kAccept = 9, kReject = -1;
constexpr int kExpCap = 4200;

TCharClass Classify(int Ch, TDecPSep Mode) {
  if (Ch < 0) return ccOther;  // past the end
  char c = static_cast<char>(Ch);
  if (IsDecimalSep(c, Mode)) return ccSep;
  if (c == ' ') return ccBlank;
  if (c == '+' || c == '-') return ccSign;
  if (IsDigit(c)) return ccDigit;
  if (c == 'E' || c == 'e') return ccE;
  return ccOther;
}

// Rows: states 1..8; columns: Sep, Blank, Sign, Digit, E, Other. 6 stands
// for the exponent mark and becomes Accept when exponents are not allowed.
constexpr int kNext[8][6] = {
    {4, 1, 2, 3, -1, -1},  // 1 start
    {4, -1, -1, 3, -1, -1},  // 2 signed
    {4, 9, 9, 3, 6, 9},  // 3 integer digits
    {-1, 9, 9, 5, 6, 9},  // 4 separator seen
    {-1, 9, 9, 5, 6, 9},  // 5 fraction digits
    {-1, -1, 7, 8, -1, 9},  // 6 exponent mark
    {-1, -1, -1, 8, -1, 9},  // 7 exponent sign
    {9, 9, 9, 8, 9, 9},  // 8 exponent digits
};

struct ExpMachine {
  bool exponentAllowed;
  TDecPSep mode;
  int state = 1;
  long expDigits = 0;  // saturates above the cap

  // One character (or -1 past the end).
  void Step(int Ch) {
    TCharClass cls = Classify(Ch, mode);
    int next = kNext[state - 1][cls];
    if (next == 6 && !exponentAllowed) next = kAccept;
    if (cls == ccDigit && (next == 8)) {
      long d = Ch - '0';
      expDigits = state == 8 ? std::min(expDigits * 10 + d, long(kExpCap) + 1) : d;
    }
    state = next;
  }
  bool Done() const { return state == kAccept || state == kReject; }
  // Whether the last character stepped over belongs to the number read: once
  // the exponent passed the cap nothing more does.
  bool Collecting() const { return !Done() && expDigits <= kExpCap; }
  // Integer and fraction digits leave the state and the exponent as they
  // are, so a run of them can be passed over whole.
  bool InDigitRun() const { return state == 3 || state == 5; }
};

int CharAt(const std::string& Text, int Pos) {
  return Pos >= 1 && Pos <= static_cast<int>(Text.size()) ? static_cast<unsigned char>(Text[Pos - 1]) : -1;
}

// The collected text as an extended number, read the same whatever the
// process locale says about separators.
long double ToExtended(const std::string& S) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  std::string t = S;
  if (!t.empty() && t.back() == '.') t += '0';
  return strtold_l(t.c_str(), nullptr, cLocale);
}

}  // namespace

// ------------------------------------------------------------ validators ----

// The machine accepts at the first character that ends a number; only the
// end of the text may end it here, so that nothing trails the number.
bool IsValidExpStr(const std::string& Text, bool ExponentAllowed, TDecPSep SepMode) {
  if (Text.empty()) return false;
  ExpMachine m{ExponentAllowed, ResolveTypingSepMode(SepMode)};
  const char* const end = Text.data() + Text.size();
  int pos = 1;
  while (!m.Done()) {
    if (m.InDigitRun() && pos <= static_cast<int>(Text.size()) && IsDigit(Text[pos - 1])) {
      pos = static_cast<int>(DigitRunEnd(Text.data() + pos - 1, end) - Text.data()) + 1;
      continue;
    }
    m.Step(CharAt(Text, pos++));
    if (!m.Done() && !m.Collecting()) return false;
  }
  return m.state == kAccept && pos - 1 == static_cast<int>(Text.size()) + 1;
}

// States: 0 start, 1 signed, 2 separator seen, 3 integer digits, 4 fraction
// digits, 5 reject.
bool IsValidFloatStr(const std::string& Text, TDecPSep SepMode) {
  static constexpr int next[5][4] = {{1, 2, 3, 5}, {5, 2, 3, 5}, {5, 5, 4, 5}, {5, 2, 3, 5}, {5, 5, 4, 5}};
  if (Text.empty()) return false;
  TDecPSep mode = ResolveTypingSepMode(SepMode);
  int state = 0;
  const char* p = Text.data();
  const char* const end = p + Text.size();
  while (p < end) {
    char c = *p;
    if ((state == 3 || state == 4) && IsDigit(c)) {  // digits keep these states
      p = DigitRunEnd(p, end);
      continue;
    }
    int col = IsDecimalSep(c, mode) ? 1 : (c == '+' || c == '-') ? 0 : IsDigit(c) ? 2 : 3;
    state = next[state][col];
    if (state == 5) return false;
    ++p;
  }
  return true;
}

bool IsValidIntStr(const std::string& Text) {
  if (Text.empty()) return false;
  char first = Text[0];
  if (Text.size() == 1) return IsDigit(first);
  if (first != '+' && first != '-' && !IsDigit(first)) return false;
  const char* const end = Text.data() + Text.size();
  return DigitRunEnd(Text.data() + 1, end) == end;
}

namespace {

// Digit value of C in Base (case-insensitive), or -1.
int DigitValue(char C, int Base) {
  int v = -1;
  if (IsDigit(C)) v = C - '0';
  else if (C >= 'A' && C <= 'F') v = C - 'A' + 10;
  else if (C >= 'a' && C <= 'f') v = C - 'a' + 10;
  return v < Base ? v : -1;
}

bool AllDigitsOf(const std::string& Text, int Base) {
  if (Text.empty()) return false;
  for (char c : Text)
    if (DigitValue(c, Base) < 0) return false;
  return true;
}

void SkipBlanks(const std::string& Text, int& Pos) {
  while (Pos < static_cast<int>(Text.size()) && Text[Pos - 1] == ' ') ++Pos;
}

int32_t ScanBase(const std::string& Text, int& Pos, int Base) {
  ClampPos(Text, Pos);
  SkipBlanks(Text, Pos);
  if (Base == 16 && Pos == 1 && !Text.empty() && Text[0] == '$') Pos = 2;
  uint32_t value = 0;
  int d;
  while (Pos <= static_cast<int>(Text.size()) && (d = DigitValue(Text[Pos - 1], Base)) >= 0) {
    value = value * uint32_t(Base) + uint32_t(d);
    ++Pos;
  }
  return static_cast<int32_t>(value);
}

}  // namespace

bool IsValidHexStr(const std::string& Text) { return AllDigitsOf(Text, 16); }
bool IsValidOctStr(const std::string& Text) { return AllDigitsOf(Text, 8); }
bool IsValidBinStr(const std::string& Text) { return AllDigitsOf(Text, 2); }

// -------------------------------------------------------------- scanners ----

namespace {

// Whether the number S (as the machine collected it) is at least 1e309 in
// size: no double holds it, whatever digits follow, so it need not be read.
bool FarBeyondDouble(std::string_view S, bool& Negative) {
  size_t i = 0;
  while (i < S.size() && S[i] == ' ') ++i;
  Negative = i < S.size() && S[i] == '-';
  if (i < S.size() && (S[i] == '+' || S[i] == '-')) ++i;
  while (i < S.size() && S[i] == '0') ++i;
  const char* const end = S.data() + S.size();
  const size_t intDigits = static_cast<size_t>(DigitRunEnd(S.data() + i, end) - (S.data() + i));
  if (intDigits == 0) return false;
  i += intDigits;
  if (i < S.size() && (S[i] == '.' || S[i] == ',')) i = static_cast<size_t>(DigitRunEnd(S.data() + i + 1, end) - S.data());
  int64_t exponent = 0;
  if (i < S.size() && (S[i] == 'E' || S[i] == 'e')) {
    ++i;
    bool negative = i < S.size() && S[i] == '-';
    if (i < S.size() && (S[i] == '+' || S[i] == '-')) ++i;
    for (; i < S.size() && IsDigit(S[i]); ++i) exponent = std::min<int64_t>(exponent * 10 + (S[i] - '0'), 1000000);
    if (negative) exponent = -exponent;
  }
  return static_cast<int64_t>(std::min<size_t>(intDigits, 1000000000)) - 1 + exponent >= 309;
}

}  // namespace

double ScanFloat(const std::string& Text, bool ExponentAllowed, TDecPSep SepMode, int& Pos) {
  ClampPos(Text, Pos);
  ExpMachine m{ExponentAllowed, ResolveTypingSepMode(SepMode)};
  const char* const end = Text.data() + Text.size();
  const int start = Pos;
  int collectEnd = start;  // the number read is [start, collectEnd)
  while (!m.Done()) {
    if (m.InDigitRun() && Pos <= static_cast<int>(Text.size()) && IsDigit(Text[Pos - 1])) {
      Pos = collectEnd = static_cast<int>(DigitRunEnd(Text.data() + Pos - 1, end) - Text.data()) + 1;
      continue;
    }
    m.Step(CharAt(Text, Pos++));
    if (m.Collecting()) collectEnd = Pos;
  }
  --Pos;  // onto the character that ended the scan
  if (m.state != kAccept) return 0.0;
  const std::string_view number(Text.data() + start - 1, static_cast<size_t>(collectEnd - start));
  bool negative;
  if (FarBeyondDouble(number, negative)) return negative ? -uc_MaxDouble : uc_MaxDouble;
  std::string collected(number);
  for (char& c : collected) c = c == ',' ? '.' : c == 'e' ? 'E' : c;
  long double value = ToExtended(collected);
  if (value > uc_MaxDouble) return uc_MaxDouble;
  if (value < -uc_MaxDouble) return -uc_MaxDouble;
  return static_cast<double>(value);
}

int32_t ScanDecInt(const std::string& Text, int& Pos) {
  ClampPos(Text, Pos);
  if (Text.empty()) return 0;
  SkipBlanks(Text, Pos);
  int n = static_cast<int>(Text.size());
  bool negative = false;
  if (Pos <= n && (Text[Pos - 1] == '-' || Text[Pos - 1] == '+')) negative = Text[Pos++ - 1] == '-';
  uint32_t value = 0;
  while (Pos <= n && IsDigit(Text[Pos - 1])) value = value * 10u + uint32_t(Text[Pos++ - 1] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t ScanHex(const std::string& Text, int& Pos) { return ScanBase(Text, Pos, 16); }
int32_t ScanOct(const std::string& Text, int& Pos) { return ScanBase(Text, Pos, 8); }
int32_t ScanBin(const std::string& Text, int& Pos) { return ScanBase(Text, Pos, 2); }

}  // namespace qel
