// The number-text codec: separator modes, the validators and the scanners.
// Integer readers accumulate in unsigned 32-bit arithmetic, so overflow wraps
// as two's complement without undefined behaviour.
#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <locale.h>

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
  std::string collected;

  // One character (or -1 past the end); returns false once the exponent
  // passed the cap, after which nothing more is collected.
  bool Step(int Ch) {
    TCharClass cls = Classify(Ch, mode);
    int next = kNext[state - 1][cls];
    if (next == 6 && !exponentAllowed) next = kAccept;
    if (cls == ccDigit && (next == 8)) {
      long d = Ch - '0';
      expDigits = state == 8 ? std::min(expDigits * 10 + d, long(kExpCap) + 1) : d;
    }
    state = next;
    if (state < 1 || state > 8) return true;
    if (expDigits > kExpCap) return false;
    char c = static_cast<char>(Ch);
    collected += c == ',' ? '.' : c == 'e' ? 'E' : c;
    return true;
  }
  bool Done() const { return state == kAccept || state == kReject; }
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
  int pos = 1;
  for (; !m.Done(); ++pos)
    if (!m.Step(CharAt(Text, pos))) return false;
  return m.state == kAccept && pos - 1 == static_cast<int>(Text.size()) + 1;
}

// States: 0 start, 1 signed, 2 separator seen, 3 integer digits, 4 fraction
// digits, 5 reject.
bool IsValidFloatStr(const std::string& Text, TDecPSep SepMode) {
  static constexpr int next[5][4] = {{1, 2, 3, 5}, {5, 2, 3, 5}, {5, 5, 4, 5}, {5, 2, 3, 5}, {5, 5, 4, 5}};
  if (Text.empty()) return false;
  TDecPSep mode = ResolveTypingSepMode(SepMode);
  int state = 0;
  for (char c : Text) {
    int col = IsDecimalSep(c, mode) ? 1 : (c == '+' || c == '-') ? 0 : IsDigit(c) ? 2 : 3;
    state = next[state][col];
    if (state == 5) return false;
  }
  return true;
}

bool IsValidIntStr(const std::string& Text) {
  if (Text.empty()) return false;
  char first = Text[0];
  if (Text.size() == 1) return IsDigit(first);
  if (first != '+' && first != '-' && !IsDigit(first)) return false;
  for (size_t i = 1; i < Text.size(); ++i)
    if (!IsDigit(Text[i])) return false;
  return true;
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

double ScanFloat(const std::string& Text, bool ExponentAllowed, TDecPSep SepMode, int& Pos) {
  ClampPos(Text, Pos);
  ExpMachine m{ExponentAllowed, ResolveTypingSepMode(SepMode)};
  while (!m.Done()) m.Step(CharAt(Text, Pos++));
  --Pos;  // onto the character that ended the scan
  long double value = m.state == kAccept ? ToExtended(m.collected) : 0.0L;
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
