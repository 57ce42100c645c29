// TMiniCal without the screen: the computus, holidays, the date setters and
// month and year steps.
#include <gtest/gtest.h>

#include <string>

#include "pickers/QEL_MiniCal.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"

using namespace qel;

namespace {

// The "anonymous Gregorian algorithm" (Meeus/Jones/Butcher), independent of
// the form the calendar uses.
void AnonymousEaster(int year, int& day, int& month) {
  int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
  int f = (b + 8) / 25, g = (b - f + 1) / 3;
  int h = (19 * a + b - d - g + 15) % 30;
  int i = c / 4, k = c % 4;
  int l = (32 + 2 * e + 2 * i - h - k) % 7;
  int m = (a + 11 * h + 22 * l) / 451;
  month = (h + l - 7 * m + 114) / 31;
  day = (h + l - 7 * m + 114) % 31 + 1;
}

class MiniCalDates : public ::testing::Test {
 protected:
  void SetUp() override {
    Headless();
    SetNowOverride(EncodeDate(2025, 3, 12) + 0.75);
    cal = new TMiniCal(&owner);
    cal->OnChange = [this](TObject*) { ++changes; };
  }
  void TearDown() override { SetNowOverride(std::nullopt); }
  void Select(int y, int m, int d) {
    cal->SetDate(EncodeDate(y, m, d));
    changes = 0;
  }
  void ExpectDate(int y, int m, int d) {
    EXPECT_EQ(cal->GetYear(), y);
    EXPECT_EQ(cal->GetMonth(), m);
    EXPECT_EQ(cal->GetDay(), d);
  }
  std::string HolidayOn(int y, int m, int d) {
    std::string name = "stale";
    if (cal->CheckHoliday(y, m, d, name)) return name;
    return name.empty() ? "-" : "name not cleared";
  }
  TComponent owner{nullptr};
  TMiniCal* cal = nullptr;
  int changes = 0;
};

}  // namespace

TEST(MiniCalEaster, KnownYearsAndEveryYearAgainstASecondComputus) {
  struct { int year, day, month; } known[] = {
      {2006, 16, 4}, {2010, 4, 4}, {2024, 31, 3}, {2025, 20, 4}, {1818, 22, 3}, {2285, 22, 3}, {1943, 25, 4}};
  for (auto k : known) {
    int d = 0, m = 0;
    CalcEasterSunday(k.year, d, m);
    EXPECT_EQ(d, k.day) << k.year;
    EXPECT_EQ(m, k.month) << k.year;
  }
  for (int year = 1583; year <= 9999; ++year) {
    int d = 0, m = 0, d2 = 0, m2 = 0;
    CalcEasterSunday(year, d, m);
    AnonymousEaster(year, d2, m2);
    ASSERT_EQ(d * 100 + m, d2 * 100 + m2) << year;
  }
}

TEST(MiniCalEaster, AnyYearGivesADateInMarchOrApril) {
  for (int year : {-2000000000, -1, 0, 1, 99, 2000000000}) {
    int d = 0, m = 0;
    CalcEasterSunday(year, d, m);
    EXPECT_TRUE((m == 3 && d >= 22 && d <= 31) || (m == 4 && d >= 1 && d <= 25)) << year;
  }
}

TEST_F(MiniCalDates, FixedAndMovableHolidays) {
  EXPECT_EQ(HolidayOn(2025, 12, 25), "Christmas Day");
  EXPECT_EQ(HolidayOn(2031, 5, 1), "Labor Day");
  EXPECT_EQ(HolidayOn(2025, 12, 24), "-");
  EXPECT_EQ(HolidayOn(2025, 4, 20), "Easter Day");
  EXPECT_EQ(HolidayOn(2025, 4, 21), "Easter Monday");
  EXPECT_EQ(HolidayOn(2025, 5, 29), "Ascension Day");
  EXPECT_EQ(HolidayOn(2025, 6, 8), "Pentecost");
  EXPECT_EQ(HolidayOn(2025, 6, 9), "Whit Monday");
  EXPECT_EQ(HolidayOn(2025, 6, 19), "Corpus Christi");
  EXPECT_EQ(HolidayOn(2025, 6, 20), "-");
  EXPECT_EQ(HolidayOn(2024, 3, 31), "Easter Day");  // Easter in March
  EXPECT_EQ(HolidayOn(2024, 4, 1), "Easter Monday");

  cal->SetShowMovableHolidays(false);
  EXPECT_EQ(HolidayOn(2025, 6, 9), "-");
  EXPECT_EQ(HolidayOn(2025, 5, 29), "-");
  EXPECT_EQ(HolidayOn(2025, 12, 25), "Christmas Day");
  cal->SetShowMovableHolidays(true);

  // A fixed holiday on a movable feast's date wins; a dated one only in its year.
  cal->AddHoliday(9, 6, 2025, "Town Fair");
  EXPECT_EQ(HolidayOn(2025, 6, 9), "Town Fair");
  EXPECT_EQ(HolidayOn(2026, 6, 9), "-");
  cal->AddRepeatHoliday(3, 10, "Unity Day");
  EXPECT_EQ(HolidayOn(1990, 10, 3), "Unity Day");
  EXPECT_EQ(cal->GetNumHolidays(), 10);
}

TEST_F(MiniCalDates, LanguagesResetTheListAndNameTheFeasts) {
  cal->AddRepeatHoliday(3, 10, "Unity Day");
  cal->SetLanguage(lgGerman);
  EXPECT_EQ(cal->GetNumHolidays(), 8);
  EXPECT_EQ(HolidayOn(2025, 10, 3), "-");
  EXPECT_EQ(HolidayOn(2025, 12, 26), "Stephanitag");
  EXPECT_EQ(HolidayOn(2025, 6, 19), "Fronleichnam");
  cal->SetLanguage(lgFrench);
  EXPECT_EQ(HolidayOn(2025, 1, 6), "\u00c9piphanie");
  EXPECT_EQ(HolidayOn(2025, 4, 20), "Le jour de P\u00e2ques");
  cal->SetLanguage(lgSpanish);
  EXPECT_EQ(HolidayOn(2025, 12, 8), "Inmaculada Concepci\u00f3n");
  EXPECT_EQ(HolidayOn(2025, 6, 8), "Domingo de Pentecost\u00e9s");
  // Languages without tables fall back to English everywhere.
  cal->SetLanguage(static_cast<TLanguage>(9));
  EXPECT_EQ(HolidayOn(2025, 6, 9), "Whit Monday");
  EXPECT_EQ(cal->CellText(5, 0), "Mar 2025");
}

TEST_F(MiniCalDates, HolidayListOperations) {
  int d = -1, m = -1, y = -1;
  bool rep = false;
  std::string name = "untouched";
  EXPECT_FALSE(cal->RetrieveHoliday(0, d, m, y, rep, name));
  EXPECT_FALSE(cal->RetrieveHoliday(9, d, m, y, rep, name));
  EXPECT_EQ(d, -1);
  EXPECT_EQ(name, "untouched");
  ASSERT_TRUE(cal->RetrieveHoliday(1, d, m, y, rep, name));
  EXPECT_EQ(d * 100 + m, 2512);
  EXPECT_EQ(y, TMiniCal::RepeatingYear);
  EXPECT_TRUE(rep);
  EXPECT_EQ(name, "Christmas Day");

  cal->ClearHolidayList();
  EXPECT_EQ(cal->GetNumHolidays(), 0);
  EXPECT_EQ(HolidayOn(2025, 12, 25), "-");
  EXPECT_EQ(HolidayOn(2025, 4, 21), "Easter Monday");  // the feasts need no list
  cal->AddHoliday(2, 3, 2025, std::string(300, 'x'));
  ASSERT_TRUE(cal->RetrieveHoliday(1, d, m, y, rep, name));
  EXPECT_EQ(y, 2025);
  EXPECT_FALSE(rep);
  EXPECT_EQ(name.size(), 255u);  // names are cut to 255 characters
}

TEST_F(MiniCalDates, HintNamesTheSelectedHoliday) {
  Select(2025, 12, 25);
  EXPECT_EQ(cal->GetHint(), "Christmas Day");
  EXPECT_TRUE(cal->GetShowHint());
  Select(2025, 12, 27);
  EXPECT_EQ(cal->GetHint(), "");
  Select(2025, 6, 9);
  EXPECT_EQ(cal->GetHint(), "Whit Monday");
  cal->SetIndicateHolidays(false);
  EXPECT_EQ(cal->GetHint(), "");
  cal->SetIndicateHolidays(true);
  cal->SetShowHolidayHint(false);
  EXPECT_EQ(cal->GetHint(), "");
  Select(2025, 12, 25);
  EXPECT_EQ(cal->GetHint(), "");  // no longer kept up to date
}

TEST_F(MiniCalDates, SettersRefuseImpossibleDatesAndLeaveTheDate) {
  Select(2025, 1, 31);
  EXPECT_THROW(cal->SetMonth(2), EConvertError);
  EXPECT_THROW(cal->SetMonth(0), EConvertError);
  EXPECT_THROW(cal->SetYear(0), EConvertError);
  EXPECT_THROW(cal->SetDay(0), EConvertError);
  EXPECT_THROW(cal->SetYear(10000), EConvertError);
  EXPECT_THROW(cal->SetDate(1e9), EConvertError);
  ExpectDate(2025, 1, 31);
  EXPECT_EQ(changes, 0);

  // Out-of-range values keep the part but re-encode (time dropped) and notify.
  cal->SetDate(EncodeDate(2024, 2, 29) + 0.5);
  changes = 0;
  cal->SetDay(30);
  cal->SetMonth(13);
  cal->SetYear(-4);
  ExpectDate(2024, 2, 29);
  EXPECT_DOUBLE_EQ(cal->GetDate(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(changes, 3);
  EXPECT_THROW(cal->SetYear(2023), EConvertError);  // no 29 February
  ExpectDate(2024, 2, 29);
  cal->SetDay(1);
  cal->SetMonth(12);
  cal->SetYear(1999);
  ExpectDate(1999, 12, 1);
}

TEST_F(MiniCalDates, MonthAndYearSteps) {
  Select(2025, 1, 31);
  cal->NextMonth();
  ExpectDate(2025, 2, 28);
  Select(2024, 1, 31);
  cal->NextMonth();
  ExpectDate(2024, 2, 29);
  EXPECT_EQ(changes, 1);
  Select(2025, 1, 15);
  cal->PrevMonth();
  ExpectDate(2024, 12, 15);
  cal->MonthStep(0);
  ExpectDate(2024, 12, 15);
  Select(2025, 3, 31);
  cal->MonthStep(-1);
  ExpectDate(2025, 2, 28);
  Select(2025, 12, 31);
  cal->NextMonth();
  ExpectDate(2026, 1, 31);

  Select(2024, 2, 29);
  cal->NextYear();
  ExpectDate(2025, 2, 28);
  Select(2024, 2, 29);
  cal->PrevYear();
  ExpectDate(2023, 2, 28);
  Select(2025, 7, 4);
  cal->PrevYear();
  ExpectDate(2024, 7, 4);
  cal->LastDayOfMonth();
  ExpectDate(2024, 7, 31);

  // At the edge of the calendar's range a step raises and changes nothing.
  Select(9999, 12, 20);
  EXPECT_THROW(cal->NextMonth(), EConvertError);
  EXPECT_THROW(cal->NextYear(), EConvertError);
  Select(1, 1, 5);
  EXPECT_THROW(cal->PrevMonth(), EConvertError);
  ExpectDate(1, 1, 5);
}

TEST_F(MiniCalDates, SetDateKeepsTheTimeAndNotifies) {
  EXPECT_DOUBLE_EQ(cal->GetDate(), EncodeDate(2025, 3, 12) + 0.75);  // starts at now
  cal->SetDate(EncodeDate(2020, 5, 17) + 0.25);
  EXPECT_DOUBLE_EQ(cal->GetDate(), EncodeDate(2020, 5, 17) + 0.25);
  EXPECT_EQ(changes, 1);
  cal->SetFirstDayOfWeek(dwSun);
  cal->SetFirstDayOfWeek(dwSun);  // unchanged: no notification
  EXPECT_EQ(changes, 2);
  cal->SetDayColors(dwWed, 0x123456);
  EXPECT_EQ(cal->GetDayColors(dwWed), TColor(0x123456));
  EXPECT_EQ(changes, 3);
  cal->SetDayColors(static_cast<TDayOfWeek>(7), 0x111111);  // ignored
  EXPECT_EQ(cal->GetDayColors(static_cast<TDayOfWeek>(7)), TColor(0));
}
