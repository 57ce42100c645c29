// Colour names and numbers in text: the platform's constant names, else
// "$00BBGGRR".
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {

struct ColorName {
  TColor color;
  const char* name;
};

// The first entry with a value gives its name; later ones only read.
constexpr ColorName kNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clNone, "clNone"}, {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    // Aliases: accepted when read, never written.
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};

bool SameText(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && !b[i];
}

int DigitValue(char c, int base) {
  int v = c >= '0' && c <= '9'   ? c - '0'
          : c >= 'a' && c <= 'f' ? c - 'a' + 10
          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                 : 99;
  return v < base ? v : -1;
}

// A 32-bit integer in Pascal syntax: leading blanks, a sign, then decimal
// digits or hexadecimal ones after '$' or "0x". Hexadecimal covers the
// unsigned range (so "$FFFFFFFF" is -1), decimal the signed one.
bool ParseInteger(const std::string& s, int32_t& out) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return false;
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (; i < s.size(); ++i) {
    int d = DigitValue(s[i], base);
    if (d < 0) return false;
    value = value * base + d;
    if (value > limit) return false;
  }
  uint32_t bits = static_cast<uint32_t>(value);
  out = static_cast<int32_t>(negative ? 0u - bits : bits);
  return true;
}

}  // namespace

bool ColorToIdent(TColor Color, std::string& Ident) {
  for (const ColorName& entry : kNames)
    if (entry.color == Color) {
      Ident = entry.name;
      return true;
    }
  return false;
}

bool IdentToColor(const std::string& Ident, TColor& Color) {
  for (const ColorName& entry : kNames)
    if (SameText(Ident, entry.name)) {
      Color = entry.color;
      return true;
    }
  return false;
}

std::string ColorToString(TColor Color) {
  std::string ident;
  if (ColorToIdent(Color, ident)) return ident;
  char text[16];
  std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(Color));
  return text;
}

TColor StringToColor(const std::string& S) {
  TColor color;
  if (IdentToColor(S, color)) return color;
  int32_t value;
  if (!ParseInteger(S, value)) throw EConvertError("'" + S + "' is not a valid integer value");
  return static_cast<TColor>(value);
}

}  // namespace qel
