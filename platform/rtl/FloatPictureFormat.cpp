// FormatFloat: picture formats such as '#,##0.00', '0.###', '0.00E+00' with
// sections "positive;negative;zero".
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/rtl/NumConv.h"
#include "platform/rtl/detail/FloatDigits.h"

namespace qel {

using detail::TDecimal;

namespace {

enum class TokenKind { Literal, IntDigit, Point, FracDigit, Exponent };

struct Token {
  TokenKind Kind;
  std::string Text;  // literal text, or the 'E' / 'e' of an exponent
};

struct Picture {
  std::vector<Token> Tokens;
  int IntPlaces = 0, IntZeros = 0;    // placeholders before the point; those from the first '0'
  int FracPlaces = 0, FracZeros = 0;  // placeholders after the point; up to the last '0'
  bool Thousands = false, Scientific = false, ExpPlus = false;
  int ExpDigits = 0;
};

std::vector<std::string> SplitSections(const std::string& format) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

// Tries to read an exponent "E+00" at I; advances I past it on success.
bool ReadExponent(const std::string& s, size_t& i, Picture& p) {
  if (p.Scientific || i + 2 >= s.size() || (s[i + 1] != '+' && s[i + 1] != '-') || s[i + 2] != '0') return false;
  p.Scientific = true;
  p.ExpPlus = s[i + 1] == '+';
  p.Tokens.push_back({TokenKind::Exponent, std::string(1, s[i])});
  i += 2;
  while (i < s.size() && s[i] == '0') {
    ++p.ExpDigits;
    ++i;
  }
  if (p.ExpDigits > 4) p.ExpDigits = 4;
  return true;
}

Picture ParsePicture(const std::string& s) {
  Picture p;
  bool afterPoint = false;
  int firstIntZero = -1;
  for (size_t i = 0; i < s.size();) {
    char c = s[i];
    if (c == '"' || c == '\'') {
      size_t end = s.find(c, i + 1);
      if (end == std::string::npos) end = s.size();
      p.Tokens.push_back({TokenKind::Literal, s.substr(i + 1, end - i - 1)});
      i = end + 1;
      continue;
    }
    if ((c == 'E' || c == 'e') && ReadExponent(s, i, p)) continue;
    if ((c == '0' || c == '#') && !p.Scientific) {
      if (afterPoint) {
        ++p.FracPlaces;
        if (c == '0') p.FracZeros = p.FracPlaces;
        p.Tokens.push_back({TokenKind::FracDigit, {}});
      } else {
        if (c == '0' && firstIntZero < 0) firstIntZero = p.IntPlaces;
        ++p.IntPlaces;
        p.Tokens.push_back({TokenKind::IntDigit, {}});
      }
    } else if (c == '.' && !afterPoint && !p.Scientific) {
      afterPoint = true;
      p.Tokens.push_back({TokenKind::Point, {}});
    } else if (c == ',') {
      p.Thousands = true;
    } else if (c != '.') {
      p.Tokens.push_back({TokenKind::Literal, std::string(1, c)});
    }
    ++i;
  }
  if (firstIntZero >= 0) p.IntZeros = p.IntPlaces - firstIntZero;
  return p;
}

// The digits and exponent to lay out over a picture.
struct Layout {
  std::string IntDigits, FracDigits;
  int Exponent = 0;
  bool Negative = false;
};

void TrimFraction(std::string& frac, int keep) {
  while (static_cast<int>(frac.size()) > keep && frac.back() == '0') frac.pop_back();
}

Layout FixedLayout(double value, const Picture& p) {
  TDecimal d = detail::ToDecimal(value);
  detail::RoundToDecimals(d, p.FracPlaces);
  Layout l;
  l.Negative = d.Negative && !d.Digits.empty();
  l.IntDigits = detail::IntegerDigits(d);
  if (static_cast<int>(l.IntDigits.size()) < p.IntZeros) l.IntDigits.insert(0, p.IntZeros - l.IntDigits.size(), '0');
  l.FracDigits = detail::FractionDigits(d, p.FracPlaces);
  TrimFraction(l.FracDigits, p.FracZeros);
  return l;
}

Layout ScientificLayout(double value, const Picture& p) {
  int significant = p.IntPlaces + p.FracPlaces;
  if (significant < 1) significant = 1;
  TDecimal d = detail::ToDecimal(value);
  detail::RoundToSignificant(d, significant);
  Layout l;
  l.Negative = d.Negative && !d.Digits.empty();
  for (int i = 0; i < p.IntPlaces; ++i) l.IntDigits += detail::DigitAt(d, i);
  for (int i = 0; i < p.FracPlaces; ++i) l.FracDigits += detail::DigitAt(d, p.IntPlaces + i);
  TrimFraction(l.FracDigits, p.FracZeros);
  l.Exponent = d.Digits.empty() ? 0 : d.Exponent - p.IntPlaces;
  return l;
}

// Integer digits for placeholder K of N, aligned to the right; the first
// placeholder takes every digit that does not fit.
std::string IntDigitsFor(const Layout& l, const Picture& p, int k, char sep) {
  const int len = static_cast<int>(l.IntDigits.size());
  int last = len - (p.IntPlaces - k);
  int first = k == 0 ? 0 : last;
  std::string out;
  for (int j = std::max(first, 0); j <= last; ++j) {
    if (p.Thousands && !p.Scientific && j > 0 && (len - j) % 3 == 0) out += sep;
    out += l.IntDigits[j];
  }
  return out;
}

std::string ExponentDigits(const Layout& l, const Picture& p, const std::string& letter) {
  std::string digits = std::to_string(std::abs(l.Exponent));
  if (static_cast<int>(digits.size()) < p.ExpDigits) digits.insert(0, p.ExpDigits - digits.size(), '0');
  std::string sign = l.Exponent < 0 ? "-" : (p.ExpPlus ? "+" : "");
  return letter + sign + digits;
}

std::string Render(const Picture& p, const Layout& l, bool withMinus, const TFormatSettings& fs) {
  std::string out;
  bool minusDone = !withMinus;
  auto minusHere = [&] {
    if (!minusDone) out += '-';
    minusDone = true;
  };
  int intIndex = 0, fracIndex = 0;
  bool intDigitsDone = p.IntPlaces > 0;
  for (const Token& t : p.Tokens) {
    switch (t.Kind) {
      case TokenKind::Literal: out += t.Text; break;
      case TokenKind::IntDigit:
        minusHere();
        out += IntDigitsFor(l, p, intIndex++, fs.ThousandSeparator);
        break;
      case TokenKind::Point:
      case TokenKind::FracDigit:
        minusHere();
        if (!intDigitsDone) out += l.IntDigits;  // a picture like '.00' still shows the whole part
        intDigitsDone = true;
        if (t.Kind == TokenKind::Point) {
          if (!l.FracDigits.empty()) out += fs.DecimalSeparator;
        } else if (fracIndex < static_cast<int>(l.FracDigits.size())) {
          out += l.FracDigits[fracIndex++];
        } else {
          ++fracIndex;
        }
        break;
      case TokenKind::Exponent: out += ExponentDigits(l, p, t.Text); break;
    }
  }
  if (!minusDone) out.insert(0, "-");
  return out;
}

}  // namespace

std::string FormatFloat(const std::string& Format, double Value, const TFormatSettings& Settings) {
  std::string special = detail::NonFiniteText(Value);
  if (!special.empty()) return special;
  std::vector<std::string> sections = SplitSections(Format);
  std::string section = sections[0];
  bool withMinus = Value < 0;
  if (Value < 0 && sections.size() >= 2 && !sections[1].empty()) {
    section = sections[1];
    withMinus = false;
  } else if (Value == 0 && sections.size() >= 3 && !sections[2].empty()) {
    section = sections[2];
  }
  // Beyond 18 integer digits a picture means nothing; the general form is used.
  if (section.empty() || std::fabs(Value) >= 1e18) return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
  Picture p = ParsePicture(section);
  Layout l = p.Scientific ? ScientificLayout(Value, p) : FixedLayout(Value, p);
  return Render(p, l, withMinus && l.Negative, Settings);
}

std::string FormatFloat(const std::string& Format, double Value) { return FormatFloat(Format, Value, FormatSettings); }

}  // namespace qel
