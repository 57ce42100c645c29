#include <gtest/gtest.h>

#include "numeric/QEL_NumIO.h"
#include "platform/rtl/FormatSettings.h"

using namespace qel;

namespace {
struct Scan {
  double value;
  int pos;
};
Scan Float(const std::string& s, bool exp, TDecPSep mode = dsBoth, int pos = 1) {
  double v = ScanFloat(s, exp, mode, pos);
  return {v, pos};
}
// Restores the system separator a test changed.
struct SystemSeparator {
  explicit SystemSeparator(char c) : saved(FormatSettings.DecimalSeparator) { FormatSettings.DecimalSeparator = c; }
  ~SystemSeparator() { FormatSettings.DecimalSeparator = saved; }
  char saved;
};
}  // namespace

TEST(NumIOCodec, ScanFloatStopsOnTheCharacterThatEndsTheNumber) {
  EXPECT_EQ(Float("12 3", true).value, 12);
  EXPECT_EQ(Float("12 3", true).pos, 3);
  EXPECT_EQ(Float("12", true).pos, 3);
  EXPECT_EQ(Float("-x", true).value, 0);
  EXPECT_EQ(Float("-x", true).pos, 2);
  EXPECT_EQ(Float("  -2.5e1z", true).value, -25);
  EXPECT_EQ(Float("  -2.5e1z", true).pos, 9);
  EXPECT_EQ(Float("ab3.5", true, dsBoth, 3).value, 3.5);  // from a later start
  EXPECT_EQ(Float("1.", true).value, 1);
  EXPECT_EQ(Float("1E-", true).value, 1);  // the mantissa of an open exponent
}

TEST(NumIOCodec, SeparatorModesDecideWhatThePointAndCommaAre) {
  EXPECT_EQ(Float("1,5", false, dsComma).value, 1.5);
  EXPECT_EQ(Float("1,5", false, dsBoth).value, 1.5);
  EXPECT_EQ(Float("1,5", false, dsPoint).value, 1);
  EXPECT_EQ(Float("1,5", false, dsPoint).pos, 2);
  EXPECT_EQ(Float("1.5", false, dsComma).pos, 2);
  EXPECT_TRUE(IsValidFloatStr("0,25", dsBoth));
  EXPECT_FALSE(IsValidFloatStr("0,25", dsPoint));
  {
    SystemSeparator comma(',');
    EXPECT_TRUE(IsValidFloatStr("1,5", dsSystem));
    EXPECT_FALSE(IsValidFloatStr("1.5", dsSystem));
    EXPECT_EQ(Float("1,5", false, dsSystem).value, 1.5);
  }
  SystemSeparator point('.');
  EXPECT_TRUE(IsValidExpStr("1.5", true, dsSystem));
  EXPECT_FALSE(IsValidExpStr(",5", true, dsSystem));  // a comma is no separator here
}

TEST(NumIOCodec, ExponentsAreOptionalAndCappedAt4200) {
  EXPECT_EQ(Float("2E3", false).value, 2);
  EXPECT_EQ(Float("2E3", false).pos, 2);
  EXPECT_EQ(Float("2e3", true).value, 2000);
  EXPECT_EQ(Float("1E5000", true).value, uc_MaxDouble);  // read as 1E500, then clamped
  EXPECT_EQ(Float("1E5000", true).pos, 7);               // all exponent digits consumed
  EXPECT_EQ(Float("-1E5000", true).value, -uc_MaxDouble);
  EXPECT_EQ(Float("1E-5000", true).value, 0);
  EXPECT_TRUE(IsValidExpStr("1E4200", true, dsPoint));
  EXPECT_FALSE(IsValidExpStr("1E4201", true, dsPoint));
  EXPECT_FALSE(IsValidExpStr("1E5000", true, dsPoint));
  EXPECT_TRUE(IsValidExpStr("1E0004200", true, dsPoint));  // leading zeros do not count
}

TEST(NumIOCodec, TypingValidatorsAcceptPromisingTexts) {
  for (const char* ok : {" 1.5E+03", "1.5E", "1.", ".", "-.", "1E", "1E-", "7"})
    EXPECT_TRUE(IsValidExpStr(ok, true, dsPoint)) << ok;
  for (const char* bad : {"", "-", "E5", "1.5.", "1E+-", "x"}) EXPECT_FALSE(IsValidExpStr(bad, true, dsPoint)) << bad;
  EXPECT_FALSE(IsValidExpStr("1E5", false, dsPoint));  // without exponents the E trails the number
  EXPECT_TRUE(IsValidExpStr("1.5", false, dsPoint));
  for (const char* trailing : {"1 ", "1x", "1.5-", "1E5+", "1E5."})
    EXPECT_FALSE(IsValidExpStr(trailing, true, dsPoint)) << trailing;
  for (const char* ok : {"-", "+", ".", "-.", "12.", "0.25"}) EXPECT_TRUE(IsValidFloatStr(ok, dsPoint)) << ok;
  for (const char* bad : {"", "1.2.3", "--1", " 1", "1e5", " 1.5E+03", "1.5E"})
    EXPECT_FALSE(IsValidFloatStr(bad, dsPoint)) << bad;
  for (const char* ok : {"+5", "-0", "007", "9"}) EXPECT_TRUE(IsValidIntStr(ok)) << ok;
  for (const char* bad : {"", "+", "-", "x", "1-", "1.0", " 1"}) EXPECT_FALSE(IsValidIntStr(bad)) << bad;
  EXPECT_TRUE(IsValidHexStr("09afAF"));
  EXPECT_FALSE(IsValidHexStr("0g"));
  EXPECT_FALSE(IsValidHexStr(""));
  EXPECT_TRUE(IsValidOctStr("0717"));
  EXPECT_FALSE(IsValidOctStr("8"));
  EXPECT_TRUE(IsValidBinStr("0110"));
  EXPECT_FALSE(IsValidBinStr("012"));
}

TEST(NumIOCodec, IntegerScannersWrapIn32Bits) {
  int pos = 1;
  EXPECT_EQ(ScanHex("$ff", pos), 255);
  EXPECT_EQ(pos, 4);
  pos = 1;
  EXPECT_EQ(ScanHex("$FFFFFFFF", pos), -1);
  pos = 1;
  EXPECT_EQ(ScanHex("1FFFFFFFF", pos), -1);  // higher digits drop out
  pos = 1;
  EXPECT_EQ(ScanBin("1021", pos), 2);
  EXPECT_EQ(pos, 3);
  pos = 1;
  EXPECT_EQ(ScanOct("  778", pos), 63);
  EXPECT_EQ(pos, 5);
  pos = 2;
  EXPECT_EQ(ScanHex("x$1", pos), 0);  // '$' is only skipped at the start
  EXPECT_EQ(pos, 2);
  pos = 1;
  EXPECT_EQ(ScanDecInt(" -12x", pos), -12);
  EXPECT_EQ(pos, 5);
  pos = 1;
  EXPECT_EQ(ScanDecInt("4294967297", pos), 1);
  pos = 1;
  EXPECT_EQ(ScanDecInt("-2147483648", pos), INT32_MIN);
  pos = 7;
  EXPECT_EQ(ScanDecInt("", pos), 0);
  EXPECT_EQ(pos, 1);
}

TEST(NumIOCodec, PositionsOutsideTheTextAreBroughtBackIn) {
  EXPECT_EQ(Float("12", true, dsBoth, 0).value, 12);
  EXPECT_EQ(Float("12", true, dsBoth, -5).pos, 3);
  EXPECT_EQ(Float("12", true, dsBoth, 40).pos, 3);
  int pos = 100;
  ScanBin("101", pos);
  EXPECT_EQ(pos, 4);
}

TEST(NumIOCodec, NumToTextWritesScientificFixedAndZeroPaddedForms) {
  EXPECT_EQ(NumToText(1234.5678, 12, -2), " 1.23457E+03");
  EXPECT_EQ(NumToText(-0.5, 12, -2), "-5.00000E-01");
  EXPECT_EQ(NumToText(0, 12, -2), " 0.00000E+00");
  EXPECT_EQ(NumToText(1E150, 12, -2), "************");
  EXPECT_EQ(NumToText(9.9999999E99, 12, -2), "************");  // rounding reaches E+100
  EXPECT_EQ(NumToText(1E-5, -12, -2), "01.00000E-05");
  EXPECT_EQ(NumToText(3.14159, 1, 2), "3.14");
  EXPECT_EQ(NumToText(2.5, 6, 0), "     2");  // ties to even
  EXPECT_EQ(NumToText(-5, 5, 1), " -5.0");
  EXPECT_EQ(NumToText(-5, -5, 1), "-05.0");
  EXPECT_EQ(NumToText(7, -4, 0), "0007");
  EXPECT_EQ(NumToText(1.5, 7, -2).size(), 7u);
  EXPECT_EQ(NumToText(1.5, 3, -2).size(), 7u);  // too narrow for a mantissa: widened
  // Wide scientific texts keep every digit and their exponent, up to the
  // widest of 255 characters.
  for (int w : {90, 100, 120, 255, 1000}) {
    const std::string wide = NumToText(-12345.0, w, -2);
    EXPECT_EQ(wide.size(), size_t(std::min(w, 255))) << w;
    EXPECT_EQ(wide.substr(0, 8), "-1.23450") << w;
    EXPECT_EQ(wide.substr(wide.size() - 4), "E+04") << w;
  }
  {
    SystemSeparator comma(',');
    EXPECT_EQ(NumToText(0.25, 1, 2), "0.25");
  }
  EXPECT_LE(NumToText(1, 1 << 30, 1 << 30).size(), 400u);  // nothing absurd
}

TEST(NumIOCodec, DigitWritersKeepExactlyCountDigits) {
  EXPECT_EQ(HexDigits(255, 8), "000000FF");
  EXPECT_EQ(HexDigits(-1, 8), "FFFFFFFF");
  EXPECT_EQ(HexDigits(0xABCD, 2), "CD");
  EXPECT_EQ(HexDigits(1, 20), "00000001");
  EXPECT_EQ(OctDigits(8, 11), "00000000010");
  EXPECT_EQ(OctDigits(-1, 11), "37777777777");
  EXPECT_EQ(BinDigits(5, 0), "1");
  EXPECT_EQ(BinDigits(5, 40), std::string(29, '0') + "101");
  EXPECT_EQ(BinDigits(-1, 32), std::string(32, '1'));
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(1e300), INT64_MAX);
}

TEST(NumIOCodec, DynamicPrefixesNameTheBase) {
  EXPECT_EQ(DynamicFormatOf("$1F"), itHex);
  EXPECT_EQ(DynamicFormatOf("%101"), itBin);
  EXPECT_EQ(DynamicFormatOf("&17"), itOct);
  EXPECT_EQ(DynamicFormatOf("-1.5"), itExp);
  EXPECT_EQ(DynamicFormatOf(""), itExp);
}

TEST(NumIOCodec, LongDigitRunsEndExactlyAtTheFirstOtherCharacter) {
  // The neighbours of '0' and '9', a blank and a byte beyond ASCII, at each
  // place of runs shorter and longer than eight.
  for (char other : {'/', ':', ' ', 'a', '\xB5'})
    for (int length : {1, 7, 8, 9, 16, 17})
      for (int at = 0; at < length; ++at) {
        std::string digits(size_t(length), '9');
        digits[size_t(at)] = other;
        const std::string text = "1" + digits;
        EXPECT_FALSE(IsValidIntStr(text)) << text;
        EXPECT_FALSE(IsValidFloatStr("1." + digits, dsPoint)) << text;
        EXPECT_FALSE(IsValidExpStr(text, true, dsPoint)) << text;
        EXPECT_EQ(Float(text, true).pos, at + 2) << text;
      }
  EXPECT_TRUE(IsValidIntStr("-" + std::string(17, '0')));
  EXPECT_TRUE(IsValidExpStr("1." + std::string(17, '5') + "E+17", true, dsPoint));
}

TEST(NumIOCodec, NumbersFarBeyondADoubleAreClampedWhateverTheirLength) {
  const std::string zeros308(308, '0');
  EXPECT_EQ(Float("1" + zeros308, true).value, 1e308);
  EXPECT_EQ(Float("1" + zeros308 + "0", true).value, uc_MaxDouble);
  EXPECT_EQ(Float(" -9" + zeros308 + "0", true).value, -uc_MaxDouble);
  EXPECT_EQ(Float("1" + zeros308.substr(1) + "E1", true).value, 1e308);
  EXPECT_EQ(Float("1" + zeros308.substr(1) + ".5E2", true).value, uc_MaxDouble);
  EXPECT_DOUBLE_EQ(Float("1" + zeros308 + "0E-10", true).value, 1e299);
  EXPECT_DOUBLE_EQ(Float(std::string(500, '0') + "1.5", true).value, 1.5);
  const std::string million = "-" + std::string(1000000, '7');
  const Scan m = Float(million + "x", true);
  EXPECT_EQ(m.value, -uc_MaxDouble);
  EXPECT_EQ(m.pos, 1000002);
  EXPECT_DOUBLE_EQ(Float("0." + std::string(100000, '3'), true).value, 1.0 / 3);
}
