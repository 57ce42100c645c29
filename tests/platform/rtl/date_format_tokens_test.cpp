#include "platform/rtl/DateFormatTokens.h"

#include <gtest/gtest.h>

#include "tests/platform/rtl/SettingsGuard.h"

using namespace qel;

namespace {

// The pieces as one short string: fields as kind letter and run, literals in brackets.
std::string Shape(const std::vector<TDateTimeSegment>& segs) {
  static const char* kLetters = "-DMYHNSAWZ";
  std::string s;
  for (const TDateTimeSegment& seg : segs) {
    if (seg.Kind == dfLiteral) s += "[" + seg.Text + "]";
    else s += kLetters[seg.Kind] + std::to_string(seg.Run) + (seg.TwelveHour ? "!" : "");
  }
  return s;
}

class DateFormatTokensTest : public ::testing::Test {
 protected:
  test::SettingsGuard guard_;
  TDateTime afternoon_ = EncodeDate(2025, 12, 29) + EncodeTime(13, 7, 5, 42);
};

}  // namespace

TEST_F(DateFormatTokensTest, LettersQuotesAndSeparators) {
  FormatSettings.DateSeparator = '.';
  EXPECT_EQ(Shape(TokenizeDateFormat("dd/MM/yyyy", false, FormatSettings)), "D2[.]M2[.]Y4");
  // Quoted text, separators and other characters join into one literal.
  EXPECT_EQ(Shape(TokenizeDateFormat("d' of '\"the\"/ x m", false, FormatSettings)), "D1[ of the. x ]M1");
  // A quote left open runs to the end of the format.
  EXPECT_EQ(Shape(TokenizeDateFormat("d 'mmm yy", false, FormatSettings)), "D1[ mmm yy]");
  EXPECT_EQ(FormatDateTime("d 'mmm yy", afternoon_), "29 mmm yy");
  EXPECT_EQ(Shape(TokenizeDateFormat("ddd dddd z zzz", false, FormatSettings)), "W3[ ]W4[ ]Z1[ ]Z3");
}

TEST_F(DateFormatTokensTest, MinutesAndTheTwelveHourClock) {
  // 'm' is the minute when the specifier before it, however far back, is an hour.
  EXPECT_EQ(Shape(TokenizeDateFormat("h m", false, FormatSettings)), "H1[ ]N1");
  EXPECT_EQ(Shape(TokenizeDateFormat("h d m", false, FormatSettings)), "H1[ ]D1[ ]M1");
  EXPECT_EQ(FormatDateTime("hh mm", afternoon_), "13 07");
  // am/pm makes the hours before it 12-hour ones, but not from inside quotes.
  EXPECT_EQ(Shape(TokenizeDateFormat("h:nn 'am/pm'", false, FormatSettings)), "H1[:]N2[ am/pm]");
  EXPECT_EQ(FormatDateTime("h 'a/p'", afternoon_), "13 a/p");
  EXPECT_EQ(Shape(TokenizeDateFormat("h 'x' h a/p", false, FormatSettings)), "H1![ x ]H1![ ]A0");
  EXPECT_EQ(Shape(TokenizeDateFormat("a/p h", false, FormatSettings)), "A0[ ]H1");
}

TEST_F(DateFormatTokensTest, NamedFormatsExpandFromTheSettings) {
  FormatSettings.ShortDateFormat = "d/m";
  FormatSettings.LongTimeFormat = "hh:nn";
  EXPECT_EQ(Shape(TokenizeDateFormat("c", false, FormatSettings)), "D1[/]M1");
  EXPECT_EQ(Shape(TokenizeDateFormat("c", true, FormatSettings)), "D1[/]M1[ ]H2[:]N2");
  // An hour in the outer format does not turn a nested format's 'm' into minutes.
  EXPECT_EQ(Shape(TokenizeDateFormat("h ddddd", false, FormatSettings)), "H1[ ]D1[/]M1");
  // An empty format is "c"; the time shows only when there is one.
  EXPECT_EQ(FormatDateTime("", afternoon_), "29/12 13:07");
  EXPECT_EQ(FormatDateTime("", EncodeDate(2025, 12, 29)), "29/12");
  // Named formats go two levels deep, so formats naming each other end.
  FormatSettings.ShortDateFormat = "'<'ddddd'>'";
  EXPECT_EQ(Shape(TokenizeDateFormat("ddddd", false, FormatSettings)), "[<<>>]");
}
