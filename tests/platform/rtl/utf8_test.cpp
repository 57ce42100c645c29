#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {
// "aé€😀b": 1-, 2-, 3- and 4-byte characters.
const std::string kMixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80" "b";
}  // namespace

TEST(Utf8, CountsAndCutsWholeCharacters) {
  EXPECT_EQ(Utf8Length(kMixed), 5u);
  EXPECT_EQ(Utf8Copy(kMixed, 2, 3), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8Copy(kMixed, 0, 2), "a\xC3\xA9");  // a start below 1 counts from 1
  EXPECT_EQ(Utf8Copy(kMixed, 5, 10), "b");
  EXPECT_EQ(Utf8Copy(kMixed, 6, 1), "");
  EXPECT_EQ(Utf8Copy(kMixed, 2, -1), "");
  EXPECT_EQ(Utf8Right(kMixed, 2), "\xF0\x9F\x98\x80" "b");
  EXPECT_EQ(Utf8FirstChar("\xC3\xA9t\xC3\xA9"), "\xC3\xA9");
  EXPECT_EQ(Utf8RestChars("\xC3\xA9t\xC3\xA9"), "t\xC3\xA9");
  EXPECT_EQ(Utf8FirstChar(""), "");
  // Every prefix is a whole number of characters.
  for (int n = 0; n <= 6; ++n) {
    std::string left = Utf8Left(kMixed, n);
    EXPECT_EQ(Utf8Length(left), static_cast<size_t>(std::min(n, 5))) << n;
    EXPECT_EQ(kMixed.compare(0, left.size(), left), 0);
    EXPECT_TRUE(left.size() == kMixed.size() || (static_cast<unsigned char>(kMixed[left.size()]) & 0xC0) != 0x80);
  }
}

TEST(Utf8, InvalidBytesCountOneEach) {
  EXPECT_EQ(Utf8Length("\xFF" "ab"), 3u);
  EXPECT_EQ(Utf8Length("a\xE2\x82"), 3u);          // truncated 3-byte sequence
  EXPECT_EQ(Utf8Length("\xC0\xAF"), 2u);           // overlong '/'
  EXPECT_EQ(Utf8Length("\xED\xA0\x80"), 3u);       // a surrogate
  EXPECT_EQ(Utf8Copy("\xE2\x82" "x", 2, 2), "\x82" "x");
  EXPECT_EQ(AnsiUpperCase("\xFF" "a\xC3"), "\xFF" "A\xC3");  // invalid bytes pass through
}

TEST(Utf8, CaseMapping) {
  EXPECT_EQ(AnsiUpperCase("stra\xC3\x9F" "e \xC3\xA9t\xC3\xA9 \xC5\xA1 \xC3\xBF"), "STRA\xC3\x9F" "E \xC3\x89T\xC3\x89 \xC5\xA0 \xC5\xB8");
  EXPECT_EQ(AnsiLowerCase("\xC3\x89T\xC3\x89 \xC3\x97"), "\xC3\xA9t\xC3\xA9 \xC3\x97");  // × is no letter
  EXPECT_EQ(UpperCase("\xC3\xA9t\xC3\xA9"), "\xC3\xA9T\xC3\xA9");
  EXPECT_EQ(LowerCase("ABC\xC3\x89"), "abc\xC3\x89");
}

TEST(Utf8, PosCountsCharacters) {
  const std::string s = "a\xE2\x82\xAC" "b\xE2\x82\xAC";
  EXPECT_EQ(Utf8Pos("\xE2\x82\xAC", s), 2);
  EXPECT_EQ(Utf8Pos("\xE2\x82\xAC", s, 3), 4);
  EXPECT_EQ(Utf8Pos("b", s), 3);
  EXPECT_EQ(Utf8Pos("x", s), 0);
  EXPECT_EQ(Utf8Pos("", s), 0);
  // A byte match inside a character is no match.
  EXPECT_EQ(Utf8Pos("\x82", s), 0);
}

TEST(Utf8, TrimAndCompare) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x \x01"), "  x");
  EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x");  // non-ASCII bytes are no blanks
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("Hello", "Hell"));
  EXPECT_FALSE(SameText("\xC3\xA9", "\xC3\x89"));  // ASCII only
  EXPECT_TRUE(AnsiSameText("\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"));
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_EQ(CompareText("ABC", "abc"), 0);
  EXPECT_GT(CompareStr("a", "B"), 0);
  EXPECT_GT(AnsiCompareText("\xC3\xA9", "e"), 0);
}
