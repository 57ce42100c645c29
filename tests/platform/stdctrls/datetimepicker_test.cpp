#include <gtest/gtest.h>

#include "../controls/ControlsTestUtil.h"
#include "platform/stdctrls/DateTimePicker.h"

using namespace qel;

namespace {
struct PickerTest : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  TDateTimePicker* dtp = new TDateTimePicker(form);
  int changes = 0;
  PickerTest() {
    dtp->SetParent(form);
    dtp->SetBounds(10, 10, 200, 24);
    dtp->SetFormat("dd/mm/yyyy");
    dtp->SetDateTime(EncodeDate(2024, 1, 31) + EncodeTime(10, 30, 0, 0));
    dtp->OnChange = [this](TObject*) { ++changes; };
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    dtp->SetFocus();
  }
  ~PickerTest() override { delete form; }
};
}  // namespace

TEST(DateTimeFields, EachFieldRendersAsTheWholeFormatDoes) {
  TDateTime v = EncodeDate(2023, 3, 5) + EncodeTime(15, 7, 9, 45);
  for (const char* f : {"dd/mm/yyyy", "d.m.yy", "dddd d mmmm yyyy", "ddd dd-mmm-yyyy", "hh:nn:ss", "h:mm am/pm",
                        "hh:mm:ss.zzz a/p", "c", "tt", "ddddd t", "'day' d \"of\" mmmm", "yyyy-mm-dd hh:mm ampm"}) {
    std::string joined;
    for (const TDateTimeSegment& s : SplitDateTimeFormat(f, v)) joined += SegmentText(s, v);
    EXPECT_EQ(joined, FormatDateTime(f, v)) << f;
  }
  // 'm' after an hour is the minute field; the hour before am/pm is a 12-hour one.
  auto segs = SplitDateTimeFormat("h:m am/pm", v);
  ASSERT_EQ(segs.size(), 5u);
  EXPECT_EQ(segs[2].Kind, dfMinute);
  EXPECT_TRUE(segs[0].TwelveHour);
}

TEST(DateTimeFields, SteppingWrapsWithinTheRangeAndMonthsClampTheDay) {
  TDateTime jan31 = EncodeDate(2024, 1, 31);
  EXPECT_EQ(StepField(jan31, dfDay, 1), EncodeDate(2024, 1, 1));        // wraps within January
  EXPECT_EQ(StepField(EncodeDate(2023, 2, 1), dfDay, -1), EncodeDate(2023, 2, 28));
  EXPECT_EQ(StepField(jan31, dfMonth, 1), EncodeDate(2024, 2, 29));      // leap year
  EXPECT_EQ(StepField(EncodeDate(2023, 12, 31), dfMonth, 1), EncodeDate(2023, 1, 31));
  EXPECT_EQ(StepField(EncodeDate(2024, 2, 29), dfYear, 1), EncodeDate(2025, 2, 28));
  EXPECT_EQ(StepField(EncodeDate(9999, 5, 5), dfYear, 1), EncodeDate(9999, 5, 5));
  TDateTime t = EncodeDate(2024, 1, 1) + EncodeTime(23, 59, 0, 0);
  EXPECT_EQ(FieldValue(StepField(t, dfHour, 1), dfHour), 0);
  EXPECT_EQ(FieldValue(StepField(t, dfHour, 1), dfDay), 1);  // the day stays
  EXPECT_EQ(FieldValue(StepField(t, dfMinute, 1), dfMinute), 0);
  EXPECT_EQ(FieldValue(StepField(t, dfAmPm, 1), dfHour), 11);
  // Days before 1899 keep their time of day.
  TDateTime old = CombineDateAndTime(EncodeDate(1850, 6, 1), EncodeTime(6, 0, 0, 0));
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", StepField(old, dfDay, 1)), "02/06/1850 06:00");
}

TEST_F(PickerTest, ArrowsStepAndMoveBetweenFieldsWithOnChangeForEachChange) {
  EXPECT_EQ(dtp->Text(), "31/01/2024");
  EXPECT_EQ(dtp->SelectedFieldKind(), dfDay);
  robot.Key(VK_UP);  // past the month's end: back to the 1st
  EXPECT_EQ(dtp->Text(), "01/01/2024");
  robot.Key(VK_DOWN);
  EXPECT_EQ(dtp->Text(), "31/01/2024");
  robot.Key(VK_RIGHT);
  EXPECT_EQ(dtp->SelectedFieldKind(), dfMonth);
  robot.Key(VK_UP);  // February has no 31st: the day clamps
  EXPECT_EQ(dtp->Text(), "29/02/2024");
  robot.Key(VK_RIGHT);
  robot.Key(VK_UP);
  EXPECT_EQ(dtp->Text(), "28/02/2025");
  robot.Key(VK_RIGHT);  // from the last field round to the first
  EXPECT_EQ(dtp->SelectedFieldKind(), dfDay);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(FieldValue(dtp->GetDateTime(), dfHour), 10);  // the time is kept
  dtp->SetDate(EncodeDate(2020, 5, 5));  // programmatic: no OnChange
  EXPECT_EQ(changes, 4);
  // The limits hold against the user too.
  dtp->SetMaxDate(EncodeDate(2020, 5, 10));
  for (int i = 0; i < 10; ++i) robot.Key(VK_UP);
  EXPECT_EQ(dtp->GetDate(), EncodeDate(2020, 5, 10));
}

TEST_F(PickerTest, TypedDigitsFillFieldsAndMoveOn) {
  robot.Type("05");
  EXPECT_EQ(dtp->Text(), "05/01/2024");
  EXPECT_EQ(dtp->SelectedFieldKind(), dfMonth);
  robot.Type("2");  // no month 2x: complete at once
  EXPECT_EQ(dtp->Text(), "05/02/2024");
  EXPECT_EQ(dtp->SelectedFieldKind(), dfYear);
  robot.Type("199");
  EXPECT_EQ(dtp->Text(), "05/02/2024");  // a year counts when complete
  robot.Type("9");
  EXPECT_EQ(dtp->Text(), "05/02/1999");
  robot.Key(VK_LEFT);
  robot.Key(VK_LEFT);
  robot.Type("4");  // a day 4x cannot exist
  EXPECT_EQ(dtp->Text(), "04/02/1999");
  robot.Type("3");  // March
  robot.Key(VK_LEFT);
  robot.Key(VK_LEFT);
  robot.Type("31");
  robot.Type("4");  // April has 30 days: the 31st clamps
  EXPECT_EQ(dtp->Text(), "30/04/1999");
  EXPECT_EQ(changes, 8);

  dtp->SetKind(dtkTime);
  dtp->SetFormat("hh:nn AM/PM");
  EXPECT_EQ(dtp->Text(), "10:30 AM");
  robot.Type("7");
  robot.Type("45p");
  EXPECT_EQ(dtp->Text(), "07:45 PM");
  EXPECT_EQ(FieldValue(dtp->GetDateTime(), dfHour), 19);
}

TEST_F(PickerTest, FocusedFieldIsHighlightedAndClicksChooseFields) {
  auto shot = robot.Capture(dtp);
  bool highlighted = false;
  for (int x = 0; x < 30; ++x) highlighted = highlighted || robot.PixelAt(dtp, x, 12) == ColorToRGB(clHighlight);
  EXPECT_TRUE(highlighted);
  // The year lies to the right of "31/01/": click it.
  robot.Click(dtp, 60, 12);
  EXPECT_EQ(dtp->SelectedFieldKind(), dfYear);
}

TEST_F(PickerTest, CalendarDropsDownAndPicksADay) {
  robot.Key(VK_DOWN, {ssAlt});
  ASSERT_TRUE(dtp->DroppedDown());
  TCustomForm* cal = dtp->CalendarWindow();
  TPoint below = dtp->ClientToScreen({0, 0});
  EXPECT_GT(cal->GetTop(), below.Y);
  robot.Key(VK_ESCAPE);
  EXPECT_FALSE(dtp->DroppedDown());
  EXPECT_EQ(changes, 0);

  // The button at the right opens it; a day of the shown grid is chosen by a click.
  robot.Click(dtp, dtp->ClientWidth() - 5, 10);
  ASSERT_TRUE(dtp->DroppedDown());
  TRect r = dtp->CalendarDayRect(EncodeDate(2024, 1, 17));
  ASSERT_FALSE(r.IsEmpty());
  // 1 January 2024 is a Monday: the first cell of the grid.
  EXPECT_EQ(dtp->CalendarDayRect(EncodeDate(2024, 1, 1)).Top, r.Top - 2 * r.Height());
  EXPECT_EQ(dtp->CalendarDayRect(EncodeDate(2024, 1, 1)).Left, dtp->CalendarDayRect(EncodeDate(2024, 1, 15)).Left);
  robot.Click(dtp->CalendarWindow(), r.Left + 5, r.Top + 5);
  EXPECT_FALSE(dtp->DroppedDown());
  EXPECT_EQ(dtp->Text(), "17/01/2024");
  EXPECT_EQ(FieldValue(dtp->GetDateTime(), dfMinute), 30);
  EXPECT_EQ(changes, 1);

  // Keys move the cursor across months; Enter picks.
  robot.Key(0x73);  // F4
  robot.Key(VK_NEXT);   // 17 February
  robot.Key(VK_DOWN);   // 24 February
  robot.Key(VK_RIGHT);  // 25 February
  robot.Key(VK_RETURN);
  EXPECT_EQ(dtp->Text(), "25/02/2024");
  EXPECT_EQ(changes, 2);
  // A press elsewhere closes it.
  robot.Key(0x73);  // F4
  robot.Click(form, 250, 150);
  EXPECT_FALSE(dtp->DroppedDown());
}

// Every way through the calendar stops at 31 December 9999 and 1 January
// 0001; the calendar stays usable there.
TEST_F(PickerTest, CalendarStopsAtTheEndsOfTheCalendar) {
  auto openAt = [&](TDateTime day) {
    dtp->CloseUp();
    dtp->SetDateTime(CombineDateAndTime(day, EncodeTime(10, 30, 0, 0)));
    robot.Key(VK_F4);
    ASSERT_TRUE(dtp->DroppedDown());
  };
  auto arrow = [&](bool next) {  // the header's arrows, 20 pixels wide, 4 in from the sides
    TCustomForm* cal = dtp->CalendarWindow();
    robot.Click(cal, next ? cal->GetWidth() - 14 : 14, 12);
  };
  TDateTime last = EncodeDate(9999, 12, 31), first = EncodeDate(1, 1, 1);

  openAt(EncodeDate(9999, 12, 15));
  robot.Key(VK_NEXT);
  arrow(true);
  EXPECT_FALSE(dtp->CalendarDayRect(EncodeDate(9999, 12, 1)).IsEmpty());  // December still shown
  robot.Key(VK_RETURN);
  EXPECT_EQ(dtp->Text(), "15/12/9999");

  openAt(last);
  robot.Key(VK_RIGHT);
  robot.Key(VK_DOWN);
  robot.Key(VK_NEXT);
  // The grid runs on past the last day; those cells take no click.
  TRect beyond = dtp->CalendarDayRect(last + 1);
  ASSERT_FALSE(beyond.IsEmpty());
  robot.Click(dtp->CalendarWindow(), beyond.Left + 5, beyond.Top + 5);
  EXPECT_TRUE(dtp->DroppedDown());
  auto shot = robot.Capture(dtp->CalendarWindow());
  int ink = 0;  // they show no number either
  for (int y = beyond.Top; y < beyond.Bottom; ++y)
    for (int x = beyond.Left; x < beyond.Right; ++x) ink += shot->ScanLine(y)[x] != ColorToPixel(clWindow);
  EXPECT_EQ(ink, 0);
  EXPECT_EQ(dtp->Text(), "31/12/9999");
  robot.Key(VK_RETURN);
  EXPECT_EQ(dtp->Text(), "31/12/9999");
  EXPECT_EQ(changes, 0);

  openAt(first);
  robot.Key(VK_PRIOR);
  arrow(false);
  robot.Key(VK_LEFT);
  robot.Key(VK_UP);
  robot.Key(VK_RETURN);
  EXPECT_EQ(dtp->Text(), "01/01/0001");
  // From there the way back into the calendar still works.
  robot.Key(VK_F4);
  arrow(true);
  robot.Key(VK_NEXT);
  robot.Key(VK_RETURN);
  EXPECT_EQ(dtp->Text(), "01/03/0001");
  EXPECT_EQ(changes, 1);
}

TEST_F(PickerTest, AFreedPickerLeavesItsParentsTabList) {
  std::vector<TWinControl*> tabs;
  delete dtp;
  form->GetTabOrderList(tabs);
  EXPECT_TRUE(tabs.empty());
  robot.Key(VK_TAB);  // walks a tab list without the freed picker
}
