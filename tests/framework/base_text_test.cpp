// Text, number, file and stream helpers of the base library, and its tables.
#include <gtest/gtest.h>

#include <set>

#include "framework/QEL_Base.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Utf8.h"
#include "tests/platform/rtl/TempFolder.h"

using namespace qel;

TEST(BaseTables, NamesFitTheirLimitsAndColoursAreDistinct) {
  for (int lang = lgEnglish; lang <= lgSpanish; ++lang) {
    for (int m = 1; m <= 12; ++m) {
      EXPECT_LE(Utf8Length(MonthShort[lang][m]), 4u) << MonthShort[lang][m];
      EXPECT_LE(Utf8Length(MonthLong[lang][m]), 10u) << MonthLong[lang][m];
      EXPECT_GT(Utf8Length(MonthShort[lang][m]), 0u);
    }
    for (int d = 0; d < 7; ++d) EXPECT_LE(Utf8Length(WeekDayShort[lang][d]), 3u);
  }
  EXPECT_STREQ(MonthLong[lgGerman][3], "M\u00e4rz");
  EXPECT_STREQ(WeekDayShort[lgEnglish][0], "Mon");
  std::set<TColor> colours(PredefinedColors.begin() + 1, PredefinedColors.end());
  EXPECT_EQ(colours.size(), 47u);
  EXPECT_EQ(PredefinedColors[16], clWhite);
  for (int i = 21; i <= 47; ++i) EXPECT_EQ(PredefinedColors[i] & 0xFF000000u, clSystemColor) << i;
  EXPECT_EQ(FrameWidth(fsEngraved), 2);
  EXPECT_EQ(SchemeDarkColor(csBlackWhite), 0x808080u);
  EXPECT_EQ(SchemeLightColor(csSystem), clBtnHighlight);
}

TEST(BaseStrings, PaddingStrippingAndReplacing) {
  EXPECT_EQ(strff(3.14159, 8, 2), "    3.14");
  EXPECT_EQ(strff(-2.5, 1, 0), "-2");  // ties to even as the fixed format rounds
  EXPECT_EQ(strff(7, 1, 3), "7.000");
  EXPECT_EQ(LeftString("ab", 4), "ab  ");
  EXPECT_EQ(LeftString("\u00e4b", 3), "\u00e4b ");
  EXPECT_EQ(LeftString("abcdef", 3), "abcdef");
  EXPECT_EQ(EnsureTrailingChar('/', "a"), "a/");
  EXPECT_EQ(EnsureTrailingChar('/', "a/"), "a/");
  EXPECT_EQ(EnsureTrailingBkSlash("/tmp"), "/tmp/");
  EXPECT_EQ(RemoveControlChars("a\tb\nc\x1f" "d"), "abcd");
  EXPECT_EQ(StripLeadingChars('0', "0070"), "70");
  EXPECT_EQ(StripTrailingChars('0', "7000"), "7");
  EXPECT_EQ(StripTrailingChars('x', "xx"), "");
  EXPECT_EQ(ReplaceCharInString("a.b.c", '.', ','), "a,b,c");
}

TEST(BaseStrings, NumberedPosCountsCharactersAndOccurrences) {
  EXPECT_EQ(NumberedPos(";", "a;b;c;d", 1, 0, 2), 4);
  EXPECT_EQ(NumberedPos(";", "a;b;c;d", 3, 0, 2), 6);
  EXPECT_EQ(NumberedPos(";", "a;b;c;d", 1, 0, 4), 0);
  EXPECT_EQ(NumberedPos(";", "a;b;c;d", 1, 5, 3), 0);  // beyond Stop
  EXPECT_EQ(NumberedPos("aa", "aaaa", 1, 0, 2), 3);     // no overlaps
  EXPECT_EQ(NumberedPos(";", "\u00e4\u00f6;x", 1, 0, 1), 3);
  EXPECT_EQ(NumberedPos("", "abc", 1, 0, 1), 0);
}

TEST(BaseStrings, TokenizeKeepsEmptyPiecesAndCutsLongOnes) {
  TOpenStringArray t;
  EXPECT_EQ(Tokenize("a;;b;", ";", t), 4);
  EXPECT_EQ(t, (TOpenStringArray{"a", "", "b", ""}));
  EXPECT_EQ(Tokenize("", ";", t), 0);
  EXPECT_EQ(Tokenize("x<>y", "<>", t), 2);
  EXPECT_EQ(t[1], "y");
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += "\u00e9";
  EXPECT_EQ(Tokenize(longText + ";z", ";", t), 2);
  EXPECT_EQ(Utf8Length(t[0]), 255u);
}

TEST(BaseNumbers, DecimalIntegersAndFloor) {
  EXPECT_TRUE(IsValidDecInt("-2147483648"));
  EXPECT_TRUE(IsValidDecInt("+12"));
  EXPECT_FALSE(IsValidDecInt("2147483648"));
  EXPECT_FALSE(IsValidDecInt("12a"));
  EXPECT_FALSE(IsValidDecInt("-"));
  EXPECT_FALSE(IsValidDecInt(" 1"));
  EXPECT_FALSE(IsValidDecInt("$1F"));
  EXPECT_EQ(IntNeg(-2.5), -3);
  EXPECT_EQ(IntNeg(2.9), 2);
  EXPECT_EQ(IntNeg(-3.0), -3);
  EXPECT_EQ(IntNeg(1e20), INT32_MAX);
}

TEST(BaseFiles, ParentDirDirExistsAndPasswords) {
  EXPECT_EQ(ParentDir("/a/b/c"), "/a/b");
  EXPECT_EQ(ParentDir("/a/b/c/"), "/a/b");
  EXPECT_EQ(ParentDir("/a"), "/");
  EXPECT_EQ(ParentDir("name"), "");
  qel::test::TempFolder tmp;
  EXPECT_TRUE(DirExists(tmp.Path()));
  EXPECT_FALSE(DirExists(tmp.Path("missing")));
  const std::string p1 = InventPassword(32), p2 = InventPassword(32);
  EXPECT_EQ(p1.size(), 32u);
  EXPECT_NE(p1, p2);
  for (char c : p1) EXPECT_TRUE(isalnum(static_cast<unsigned char>(c))) << c;
  EXPECT_EQ(InventPassword(0), "");
}

TEST(BaseStreams, ReadLnStreamHandlesLineEndsAndPosition) {
  TStringStream s("one\r\ntwo\n\nlast");
  std::string line;
  bool eos = false;
  ReadLnStream(s, eos, 0, line);
  EXPECT_EQ(line, "one");
  EXPECT_FALSE(eos);
  EXPECT_EQ(s.GetPosition(), 5);
  ReadLnStream(s, eos, 0, line);
  EXPECT_EQ(line, "two");
  ReadLnStream(s, eos, 0, line);
  EXPECT_EQ(line, "");
  EXPECT_FALSE(eos);
  ReadLnStream(s, eos, 0, line);
  EXPECT_EQ(line, "last");
  EXPECT_TRUE(eos);
  TStringStream t("end\n");
  ReadLnStream(t, eos, 0, line);
  EXPECT_TRUE(eos);
  TStringStream big(std::string(2000, 'x') + "\nz");
  ReadLnStream(big, eos, 0, line);
  EXPECT_EQ(line.size(), 2000u);
  ReadLnStream(big, eos, 0, line);
  EXPECT_EQ(line, "z");
  TStringStream capped("abcdef\n");
  ReadLnStream(capped, eos, 4, line);
  EXPECT_EQ(line, "abcd");
  ReadLnStream(capped, eos, 4, line);
  EXPECT_EQ(line, "ef");
}
