#include "platform/rtl/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/Exceptions.h"
#include "tests/platform/rtl/SettingsGuard.h"

using namespace qel;

class DateTimeTest : public ::testing::Test {
 protected:
  void TearDown() override { SetNowOverride(std::nullopt); }
  test::SettingsGuard guard_;
};

TEST_F(DateTimeTest, EncodeAndDecode) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(2024, 2, 29) + 1, EncodeDate(2024, 3, 1));
  EXPECT_THROW(EncodeDate(2025, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2025, 13, 1), EConvertError);
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  TDateTime d;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, d));

  int y, m, day, h, n, s, ms;
  TDateTime dt = EncodeDate(2026, 1, 1) + EncodeTime(7, 5, 3, 9);
  DecodeDate(dt, y, m, day);
  DecodeTime(dt, h, n, s, ms);
  EXPECT_EQ((std::vector<int>{y, m, day, h, n, s, ms}), (std::vector<int>{2026, 1, 1, 7, 5, 3, 9}));
  // Before 1899 the time is the fraction's absolute value.
  DecodeDate(-1.25, y, m, day);
  DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ((std::vector<int>{y, m, day, h, n}), (std::vector<int>{1899, 12, 29, 6, 0}));
  DecodeDate(EncodeDate(1, 1, 1), y, m, day);
  EXPECT_EQ((std::vector<int>{y, m, day}), (std::vector<int>{1, 1, 1}));
  DecodeDate(1e12, y, m, day);  // out of range decodes as zeros
  EXPECT_EQ(y + m + day, 0);
  DecodeDate(std::nan(""), y, m, day);
  EXPECT_EQ(y + m + day, 0);
  // 23:59:59.9996 rounds into the next day rather than to hour 24.
  DecodeTime(EncodeDate(2025, 1, 1) + (MSecsPerDay - 0.4) / MSecsPerDay, h, n, s, ms);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(DayOf(EncodeDate(2025, 1, 1) + (MSecsPerDay - 0.4) / MSecsPerDay), 2);
}

TEST_F(DateTimeTest, CalendarFacts) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2025, 2), 28);
  EXPECT_EQ(DaysInAMonth(2025, 4), 30);
  EXPECT_EQ(DayOfWeek(0), 7);  // 30 Dec 1899 was a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2025, 12, 29)), 2);
  EXPECT_EQ(DayOfTheWeek(EncodeDate(2025, 12, 29)), 1);
  EXPECT_EQ(DayOfTheWeek(EncodeDate(2021, 1, 1)), 5);
  EXPECT_EQ(DayOfTheWeek(EncodeDate(2025, 12, 28)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(1800, 1, 1)), 4);  // a Wednesday
  EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 12, 31)), 366);
}

TEST_F(DateTimeTest, IsoWeeksAcrossYearBoundaries) {
  struct Case { int y, m, d, week, weekYear; };
  const Case cases[] = {
      {2025, 12, 29, 1, 2026}, {2021, 1, 1, 53, 2020}, {2020, 12, 31, 53, 2020}, {2024, 12, 30, 1, 2025},
      {2026, 1, 1, 1, 2026},   {2027, 1, 3, 53, 2026}, {2027, 1, 4, 1, 2027},    {2025, 6, 15, 24, 2025},
  };
  for (const Case& c : cases) {
    int year = 0;
    EXPECT_EQ(WeekOfTheYear(EncodeDate(c.y, c.m, c.d), year), c.week) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(year, c.weekYear) << c.y << "-" << c.m << "-" << c.d;
  }
  EXPECT_EQ(WeekOfTheYear(EncodeDate(2025, 12, 29) + 0.75), 1);
}

TEST_F(DateTimeTest, IncMonthClipsTheDay) {
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -13), EncodeDate(2023, 2, 28));
  EXPECT_EQ(IncMonth(EncodeDate(2025, 11, 15) + 0.5, 2), EncodeDate(2026, 1, 15) + 0.5);
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

TEST_F(DateTimeTest, FormatDateTimeLetters) {
  const TDateTime monday = EncodeDate(2025, 12, 29);
  const TDateTime t = monday + EncodeTime(13, 7, 5, 42);
  EXPECT_EQ(FormatDateTime("dddd, d mmmm yyyy", monday), "Monday, 29 December 2025");
  EXPECT_EQ(FormatDateTime("ddd dd mmm yy", EncodeDate(2026, 1, 4)), "Sun 04 Jan 26");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", EncodeDate(2026, 1, 1) + EncodeTime(7, 5, 3, 9)),
            "2026-01-01 07:05:03.009");
  EXPECT_EQ(FormatDateTime("h:mm", t), "13:07");   // m after h means minutes
  EXPECT_EQ(FormatDateTime("h:m:s z", t), "13:7:5 42");
  EXPECT_EQ(FormatDateTime("m/d", t), "12/29");    // no hour before: month
  EXPECT_EQ(FormatDateTime("h:nn am/pm", t), "1:07 pm");
  EXPECT_EQ(FormatDateTime("hh AM/PM", monday + EncodeTime(0, 30, 0, 0)), "12 AM");
  EXPECT_EQ(FormatDateTime("h a/p", t), "1 p");
  EXPECT_EQ(FormatDateTime("h ampm", t), "1 PM");
  EXPECT_EQ(FormatDateTime("\"Week\" d 'of' mmm", monday), "Week 29 of Dec");
  EXPECT_EQ(FormatDateTime("c", monday), "29/12/2025");
  EXPECT_EQ(FormatDateTime("c", t), "29/12/2025 13:07:05");
  EXPECT_EQ(FormatDateTime("t", t), "13:07");
  EXPECT_EQ(FormatDateTime("ddddd", monday), "29/12/2025");
  EXPECT_EQ(FormatDateTime("dddddd", monday), "Monday, 29 December 2025");
  FormatSettings.DateSeparator = '.';
  FormatSettings.TimeSeparator = '-';
  FormatSettings.LongMonthNames[11] = "Dezember";
  EXPECT_EQ(FormatDateTime("d/m/yy h:nn", t), "29.12.25 13-07");
  EXPECT_EQ(FormatDateTime("mmmm", monday), "Dezember");
  FormatSettings.ShortDateFormat = "ddddd";  // a format naming itself ends, it does not recurse forever
  EXPECT_EQ(FormatDateTime("c", monday), "");
}

TEST_F(DateTimeTest, ClockOverride) {
  SetNowOverride(EncodeDate(2025, 3, 4) + 0.5);
  EXPECT_EQ(Now(), EncodeDate(2025, 3, 4) + 0.5);
  EXPECT_EQ(Date(), EncodeDate(2025, 3, 4));
  EXPECT_EQ(Time(), 0.5);
  EXPECT_EQ(CurrentYear(), 2025);
  SetNowOverride(std::nullopt);
  EXPECT_GT(Now(), EncodeDate(2024, 1, 1));
}

TEST_F(DateTimeTest, StrToDateFollowsShortDateFormat) {
  SetNowOverride(EncodeDate(2025, 6, 1));
  EXPECT_EQ(StrToDate("29/12/2025"), EncodeDate(2025, 12, 29));
  EXPECT_EQ(StrToDate(" 1/2/30 "), EncodeDate(2030, 2, 1));  // window of 50 years from 1975
  EXPECT_EQ(StrToDate("1/2/80"), EncodeDate(1980, 2, 1));
  EXPECT_EQ(StrToDate("1/2/0080"), EncodeDate(80, 2, 1));    // four digits are taken as written
  EXPECT_EQ(StrToDate("5/6"), EncodeDate(2025, 6, 5));
  FormatSettings.TwoDigitYearCenturyWindow = 0;
  EXPECT_EQ(StrToDate("1/2/80"), EncodeDate(2080, 2, 1));
  FormatSettings.ShortDateFormat = "m/d/yyyy";
  EXPECT_EQ(StrToDate("12/29/2025"), EncodeDate(2025, 12, 29));
  FormatSettings.ShortDateFormat = "yyyy-mm-dd";
  FormatSettings.DateSeparator = '-';
  EXPECT_EQ(StrToDate("2025-12-29"), EncodeDate(2025, 12, 29));
  for (const char* bad : {"31-2-2025", "2025-12-29x", "", "2025", "2025--1", "99999-1-1", "2025-1-1-1"}) {
    TDateTime d;
    EXPECT_FALSE(TryStrToDate(bad, d)) << bad;
  }
  try {
    StrToDate("abc");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid date");
  }
}
