// TMiniCal on a form: cell layout and texts, sizes, pixels of the cells and
// frames, clicks on days and buttons, the keyboard and the wheel.
#include <gtest/gtest.h>

#include <string>

#include "pickers/QEL_MiniCal.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {

// Today is Wednesday 12 March 2025, 18:00.
class MiniCalView : public ::testing::Test {
 protected:
  void SetUp() override {
    Headless();
    SetNowOverride(EncodeDate(2025, 3, 12) + 0.75);
    form.SetBounds(0, 0, 340, 220);
    cal = new TMiniCal(&form);
    cal->SetParent(&form);
    cal->SetLeft(10);
    cal->SetTop(10);
    cal->OnChange = [this](TObject*) { ++changes; };
    cal->OnClick = [this](TObject*) { ++clicks; };
    form.Show();
    Application->ProcessMessages();
  }
  void TearDown() override { SetNowOverride(std::nullopt); }
  void Select(int y, int m, int d) {
    cal->SetDate(EncodeDate(y, m, d));
    Application->ProcessMessages();
    changes = clicks = 0;
  }
  void ClickCell(int c, int r) {
    TRect rc = cal->CellRect(c, r);
    robot.Click(cal, (rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    Application->ProcessMessages();
  }
  // The cell (column 1..7, row 2..7) showing day D of the shown month.
  TGridCoord CellOfDay(int d) {
    for (int r = 2; r < 8; ++r)
      for (int c = 1; c < 8; ++c)
        if (cal->DayNumberAt(c, r) == d) return {c, r};
    return {-1, -1};
  }
  void ExpectDate(int y, int m, int d) {
    EXPECT_EQ(cal->GetYear(), y);
    EXPECT_EQ(cal->GetMonth(), m);
    EXPECT_EQ(cal->GetDay(), d);
  }
  // Snap captures the calendar as shown; Pixel reads it in client coordinates.
  void Snap() { shot = robot.Capture(cal); }
  TColor Pixel(int x, int y) { return PixelToColor(shot->ScanLine(y)[x]); }
  std::unique_ptr<TBitmap> shot;

  TForm form{nullptr};
  TMiniCal* cal = nullptr;
  TTestRobot robot;
  int changes = 0, clicks = 0;
};

}  // namespace

TEST_F(MiniCalView, SizesShareTheClientAreaAndFollowCtl3D) {
  // Client 296 x 176: seven cells of 36 x 21 plus lines; column 0 and row 0 take the rest.
  EXPECT_EQ(cal->GetDefaultColWidth(), 36);
  EXPECT_EQ(cal->GetDefaultRowHeight(), 21);
  EXPECT_EQ(cal->GetColWidths(0), 36);
  EXPECT_EQ(cal->GetRowHeights(0), 21);
  EXPECT_EQ(cal->CellRect(7, 7).Right + 1, cal->ClientWidth());
  EXPECT_EQ(cal->CellRect(7, 7).Bottom + 1, cal->ClientHeight());
  cal->SetBounds(10, 10, 400, 250);
  EXPECT_EQ(cal->GetDefaultColWidth(), (396 - 7) / 8);
  EXPECT_EQ(cal->CellRect(7, 7).Right + 1, cal->ClientWidth());
  EXPECT_EQ(cal->CellRect(7, 7).Bottom + 1, cal->ClientHeight());
  // Sizes set while loading take effect when loading ends.
  cal->BeginLoading();
  cal->SetBounds(10, 10, 300, 180);
  cal->EndLoading();
  EXPECT_EQ(cal->GetDefaultColWidth(), 36);
  EXPECT_EQ(cal->CellRect(7, 7).Right + 1, cal->ClientWidth());
  cal->SetBounds(10, 10, 400, 250);
  // A flat border: client 398 x 248, and five pixels more for column 0 and row 0.
  cal->SetCtl3D(false);
  EXPECT_EQ(cal->GetDefaultColWidth(), (398 - 7) / 8);
  EXPECT_EQ(cal->GetColWidths(0), 400 + 5 - 7 * ((398 - 7) / 8 + 2));
  EXPECT_EQ(cal->GetRowHeights(0), 250 + 5 - 7 * ((248 - 7) / 8 + 2));
  cal->SetBounds(10, 10, 6, 4);  // too small for any cell: sizes stay at 0, painting copes
  EXPECT_EQ(cal->GetDefaultColWidth(), 0);
  EXPECT_EQ(cal->GetColWidths(0), 0);
  Snap();
}

TEST_F(MiniCalView, FirstDayPlacementForEveryStartAndFirstDayOfWeek) {
  // The twelve months from March 2025 start on each weekday at least once.
  for (int fdw = dwMon; fdw <= dwSun; ++fdw) {
    cal->SetFirstDayOfWeek(static_cast<TDayOfWeek>(fdw));
    for (int i = 0; i < 12; ++i) {
      int y = 2025 + (2 + i) / 12, m = (2 + i) % 12 + 1;
      cal->SetDate(EncodeDate(y, m, 1));
      int weekday = DayOfTheWeek(EncodeDate(y, m, 1)) - 1;  // 0 is Monday
      TGridCoord first = CellOfDay(1);
      ASSERT_EQ(first.Y, 2) << y << "-" << m << " fdw " << fdw;
      EXPECT_EQ(cal->CellText(first.X, 1), WeekDayShort[1][weekday]) << y << "-" << m << " fdw " << fdw;
      EXPECT_EQ(cal->CellText(first.X, 2), "1");
    }
  }
  cal->SetFirstDayOfWeek(dwMon);
  cal->SetDate(EncodeDate(2025, 9, 1));  // a Monday
  EXPECT_EQ(cal->DayNumberAt(1, 2), 1);
  cal->SetDate(EncodeDate(2025, 6, 1));  // a Sunday
  EXPECT_EQ(cal->DayNumberAt(7, 2), 1);
  EXPECT_EQ(cal->CellText(1, 2), "26");  // 26 May
  EXPECT_EQ(cal->CellText(7, 6), "29");
  EXPECT_EQ(cal->CellText(3, 7), "2");  // 2 July
}

TEST_F(MiniCalView, HeadersButtonsAndCaption) {
  Select(2025, 3, 12);
  EXPECT_EQ(cal->CellText(5, 0), "Mar 2025");
  EXPECT_EQ(cal->CellText(1, 0), "<<");
  EXPECT_EQ(cal->CellText(7, 0), ">>");
  EXPECT_EQ(cal->CellText(0, 1), "#");
  EXPECT_EQ(cal->CellText(1, 1), "Mon");
  cal->SetShowMonthShort(false);
  cal->SetLanguage(lgGerman);
  EXPECT_EQ(cal->CellText(5, 0), "M\u00e4rz 2025");
  cal->SetFirstDayOfWeek(dwSun);
  EXPECT_EQ(cal->CellText(1, 1), "So");
  EXPECT_EQ(cal->CellText(7, 1), "Sa");
}

TEST_F(MiniCalView, IsoWeekNumbersAtYearBoundaries) {
  Select(2021, 1, 10);  // 1 January 2021 is a Friday of week 53 of 2020
  EXPECT_EQ(cal->CellText(0, 2), "53");
  EXPECT_EQ(cal->CellText(0, 3), "1");
  Select(2025, 12, 10);  // 29 December 2025 starts week 1 of 2026
  EXPECT_EQ(cal->CellText(0, 2), "49");
  EXPECT_EQ(cal->CellText(0, 6), "1");
  Select(2026, 1, 10);  // 1 January 2026 is a Thursday: week 1
  EXPECT_EQ(cal->CellText(0, 2), "1");
  Select(2027, 1, 10);  // a Friday again: week 53 of 2026
  EXPECT_EQ(cal->CellText(0, 2), "53");
}

TEST_F(MiniCalView, TodayIsCircledAndTheSelectedDayHighlighted) {
  Select(2025, 3, 20);
  Snap();
  TRect today = cal->CellRect(CellOfDay(12).X, CellOfDay(12).Y);
  int midY = (today.Top + today.Bottom) / 2;
  auto columnHas = [&](int x, TColor c) {
    for (int y = today.Top; y < today.Bottom; ++y)
      if (Pixel(x, y) == c) return true;
    return false;
  };
  EXPECT_TRUE(columnHas(today.Left + 2, 0x0000FF));
  EXPECT_FALSE(columnHas(today.Left + 1, 0x0000FF));
  EXPECT_FALSE(columnHas(today.Right - 2, 0x0000FF));
  EXPECT_EQ(Pixel(today.Left + 1, midY), TColor(0xF8F8F8));  // a Wednesday's background

  TRect sel = cal->CellRect(CellOfDay(20).X, CellOfDay(20).Y);
  EXPECT_EQ(Pixel(sel.Left + 1, sel.Top + 1), TColor(0xD0A040));
  bool foreground = false;
  for (int x = sel.Left; x < sel.Right; ++x)
    for (int y = sel.Top; y < sel.Bottom; ++y) foreground |= Pixel(x, y) == TColor(0xFFFFFF);
  EXPECT_TRUE(foreground);

  cal->SetMarkToday(false);
  Snap();
  EXPECT_FALSE(columnHas(today.Left + 2, 0x0000FF));
  cal->SetMarkToday(true);
  Select(2025, 4, 12);  // another month: no circle anywhere on day 12
  Snap();
  TRect other = cal->CellRect(CellOfDay(12).X, CellOfDay(12).Y);
  for (int y = other.Top; y < other.Bottom; ++y) EXPECT_NE(Pixel(other.Left + 2, y), TColor(0x0000FF));
}

TEST_F(MiniCalView, HolidayAndWeekendColours) {
  Select(2025, 12, 25);
  Snap();
  TGridCoord xmas = CellOfDay(25), boxing = CellOfDay(26), sat = CellOfDay(27), sun = CellOfDay(28);
  auto corner = [&](TGridCoord c) {
    TRect r = cal->CellRect(c.X, c.Y);
    return Pixel(r.Left + 1, r.Top + 1);
  };
  EXPECT_EQ(corner(xmas), MeanColor(0xD0A040, 0x9BD8F1));  // selected and a holiday
  EXPECT_EQ(corner(boxing), TColor(0x9BD8F1));
  EXPECT_EQ(corner(sat), TColor(0xBBDDEE));
  EXPECT_EQ(corner(sun), TColor(0xCCEEFF));
  cal->SetIndicateHolidays(false);
  Snap();
  EXPECT_EQ(corner(boxing), TColor(0xF8F8F8));  // a Friday
  EXPECT_EQ(corner(xmas), TColor(0xD0A040));
}

TEST_F(MiniCalView, ButtonFramesOnlyWithCtl3D) {
  Snap();
  TRect r = cal->CellRect(6, 0);
  EXPECT_EQ(Pixel(r.Left, r.Top), TColor(0xFFFFFF));
  EXPECT_EQ(Pixel(r.Left + 1, r.Top + 1), TColor(0xE6E2E2));
  EXPECT_EQ(Pixel(r.Right - 1, r.Bottom - 1), TColor(0x9CA0A5));
  EXPECT_EQ(Pixel(r.Left + 3, r.Bottom), TColor(0x686868));
  EXPECT_EQ(Pixel(r.Left + 3, r.Top + 3), ColorToRGB(clBtnFace));
  // The outer ring's corners on the grid lines: the shadow takes the one
  // below on the left, the one beside the top is left to the grid line.
  EXPECT_EQ(Pixel(r.Left, r.Bottom), TColor(0x686868));
  EXPECT_EQ(Pixel(r.Right, r.Top), TColor(0x000000));
  // The "#" button reaches over row 0 and the caption over columns 3 and 4.
  TRect hash = cal->CellRect(0, 0);
  EXPECT_EQ(Pixel(hash.Left, hash.Top), TColor(0xFFFFFF));
  EXPECT_EQ(Pixel(hash.Left + 3, hash.Bottom), ColorToRGB(clBtnFace));
  TRect cap = cal->CellRect(3, 0);
  EXPECT_EQ(Pixel(cap.Left, cap.Top), TColor(0xFFFFFF));
  EXPECT_EQ(Pixel(cap.Right, cap.Top + 5), ColorToRGB(clBtnFace));
  cal->SetCtl3D(false);
  Snap();
  r = cal->CellRect(6, 0);
  EXPECT_EQ(Pixel(r.Left, r.Top), ColorToRGB(clBtnFace));
  EXPECT_EQ(Pixel(r.Left + 1, r.Top + 1), ColorToRGB(clBtnFace));
}

TEST_F(MiniCalView, ClicksOnButtonsAndDays) {
  Select(2025, 5, 10);
  ClickCell(6, 0);
  ExpectDate(2025, 6, 10);
  ClickCell(7, 0);
  ExpectDate(2026, 6, 10);
  ClickCell(1, 0);
  ClickCell(2, 0);
  ExpectDate(2025, 5, 10);
  EXPECT_EQ(changes, 4);
  ClickCell(4, 0);  // the caption
  ClickCell(0, 4);  // a week number
  ClickCell(3, 1);  // a weekday name
  ExpectDate(2025, 5, 10);
  EXPECT_EQ(changes, 4);

  TGridCoord d = CellOfDay(21);
  cal->SetDate(EncodeDate(2025, 5, 10) + 0.5);
  changes = clicks = 0;
  ClickCell(d.X, d.Y);
  EXPECT_DOUBLE_EQ(cal->GetDate(), EncodeDate(2025, 5, 21));  // time of day dropped
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 1);
  robot.Click(cal, (cal->CellRect(d.X, d.Y).Left + 3), cal->CellRect(d.X, d.Y).Top + 3, mbRight);
  EXPECT_EQ(changes, 1);

  ClickCell(0, 1);  // "#": today, time included
  EXPECT_DOUBLE_EQ(cal->GetDate(), EncodeDate(2025, 3, 12) + 0.75);
  Select(2025, 5, 10);
  ClickCell(0, 0);  // the upper half of "#"
  ExpectDate(2025, 3, 12);
}

TEST_F(MiniCalView, GreyDaysSwitchMonthsOnlyWithAutoSwitch) {
  Select(2025, 1, 15);  // 1 January 2025 is a Wednesday: 30 and 31 December come first
  ASSERT_EQ(cal->CellText(2, 2), "31");
  cal->SetAutoSwitch(false);
  ClickCell(2, 2);
  ExpectDate(2025, 1, 15);
  EXPECT_EQ(changes, 0);
  TGridCoord next = CellOfDay(33);  // 2 February
  ClickCell(next.X, next.Y);
  ExpectDate(2025, 1, 15);
  EXPECT_EQ(changes, 0);

  cal->SetAutoSwitch(true);
  ClickCell(2, 2);
  ExpectDate(2024, 12, 31);
  EXPECT_EQ(changes, 1);
  Select(2025, 1, 15);
  ClickCell(next.X, next.Y);
  ExpectDate(2025, 2, 2);
  Select(2024, 12, 15);  // into January of the next year
  TGridCoord jan = CellOfDay(32);
  ClickCell(jan.X, jan.Y);
  ExpectDate(2025, 1, 1);
}

TEST_F(MiniCalView, ButtonsAtTheEndOfTheRangeDoNothing) {
  Select(9999, 12, 15);
  ClickCell(6, 0);
  ClickCell(7, 0);
  ExpectDate(9999, 12, 15);
  TGridCoord after = CellOfDay(32);
  ClickCell(after.X, after.Y);
  ExpectDate(9999, 12, 15);
  cal->SetFirstDayOfWeek(dwSun);  // 1 January of year 1 is a Monday: 31 December of year 0 comes first
  Select(1, 1, 2);
  ASSERT_EQ(cal->CellText(1, 2), "31");
  ClickCell(1, 0);
  ClickCell(1, 2);
  cal->SetFocus();
  robot.Key(VK_LEFT);
  robot.Key(VK_LEFT);
  ExpectDate(1, 1, 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(MiniCalView, KeysMoveTheDayAcrossMonths) {
  Select(2025, 3, 31);
  cal->SetFocus();
  uint16_t seen = 0;
  cal->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState) { seen = k; };
  robot.Key(VK_RIGHT);
  ExpectDate(2025, 4, 1);
  EXPECT_EQ(seen, VK_RIGHT);
  robot.Key(VK_LEFT);
  robot.Key(VK_LEFT);
  ExpectDate(2025, 3, 30);
  robot.Key(VK_DOWN);
  ExpectDate(2025, 4, 6);
  robot.Key(VK_UP);
  robot.Key(VK_UP);
  ExpectDate(2025, 3, 23);
  robot.Key(VK_END);
  ExpectDate(2025, 3, 31);
  robot.Key(VK_NEXT);
  ExpectDate(2025, 4, 30);
  robot.Key(VK_PRIOR);
  ExpectDate(2025, 3, 30);
  robot.Key(VK_HOME);
  ExpectDate(2025, 3, 1);
  robot.Key(VK_NEXT, {ssCtrl});
  ExpectDate(2026, 3, 1);
  robot.Key(VK_PRIOR, {ssCtrl});
  ExpectDate(2025, 3, 1);
  EXPECT_EQ(changes, 12);
  // A handler that takes the key keeps it from the calendar.
  cal->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState) { k = 0; };
  robot.Key(VK_RIGHT);
  ExpectDate(2025, 3, 1);
}

TEST_F(MiniCalView, WheelStepsMonths) {
  Select(2025, 3, 31);
  TRect r = cal->CellRect(4, 4);
  robot.Wheel(cal, r.Left + 2, r.Top + 2, -120);
  ExpectDate(2025, 4, 30);
  robot.Wheel(cal, r.Left + 2, r.Top + 2, 120);
  ExpectDate(2025, 3, 30);
  EXPECT_EQ(clicks, 0);
}
