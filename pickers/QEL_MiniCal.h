/// \file
/// TMiniCal: a one-month calendar on a draw grid of 8 by 8 cells, with ISO
/// week numbers, today circled, the selected day highlighted and holidays
/// (a user-extensible list of fixed dates plus six feasts that move with
/// Easter) coloured and named in the hint. CalcEasterSunday is the free
/// Gregorian computus the movable feasts use.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Layout (columns 0..7, rows 0..7):
///   row 0      "<<" "<" | caption over columns 3..5 | ">" ">>"
///   row 1      weekday names; the "#" button (today) covers column 0 of rows 0 and 1
///   rows 2..7  week number, then seven days; the first row holds the 1st
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Input. A left press on a day or a button changes the date at once. The
/// release runs the grid's own handling, so OnClick and then OnMouseUp fire
/// on the release as for any control (OnClick once, also for button cells).
/// The wheel moves a month per notch (towards the user: the next month)
/// unless an OnMouseWheel... handler takes it. Arrows move the day, Page
/// Up/Down the month, with Ctrl the year, Home and End to the first and last
/// day. A step past year 1 or 9999 does nothing.
///
/// Files: MiniCal.cpp (state, setters, navigation), MiniCalHolidays.cpp
/// (computus, holiday tables and list), MiniCalPaint.cpp (sizing, cells),
/// MiniCalInput.cpp (mouse, keyboard, wheel).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/grids/Grids.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TIntMatrix;
class TStringList;

/// Days of the week, Monday first.
enum TDayOfWeek : uint8_t { dwMon, dwTue, dwWed, dwThu, dwFri, dwSat, dwSun };

/// Easter Sunday of the Gregorian calendar: March Day (22..31) or April Day (1..25).
void CalcEasterSunday(int Year, int& Day, int& Month);

/// A one-month calendar on an 8 x 8 draw grid, with ISO week numbers, today circled, the selected day highlighted and holidays coloured and named in the hint.
///
/// From examples/calendar/main.cpp (`qel-calendar`):
/// \snippet calendar/main.cpp calendar
/// \image html calendar.png "The gallery's page Calendar"
class TMiniCal : public TCustomDrawGrid {
 public:
  /// The year stored with a holiday that recurs every year.
  static constexpr int RepeatingYear = -99999;

  /// A 300 x 180 calendar at today.
  explicit TMiniCal(TComponent* AOwner);
  /// Frees the holiday list.
  ~TMiniCal() override;

  // --- the date ---
  /// The selected date; the setter fires OnChange.
  ///@{
  TDateTime GetDate() const { return date_; }
  /// Raises EConvertError (date unchanged) for a value outside years 1..9999.
  ///@}
  void SetDate(TDateTime Value);
  /// The parts of the date (the setters fire OnChange).
  ///@{
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  ///@}
  /// Out-of-range values keep the part; a date the calendar lacks raises
  /// EConvertError and leaves the date unchanged.
  ///@{
  void SetYear(int Value);
  void SetMonth(int Value);
  void SetDay(int Value);
  ///@}
  /// One month forward; the day is clamped to the month's length.
  void NextMonth() { MonthStep(1); }
  /// One month back.
  void PrevMonth() { MonthStep(-1); }
  /// N months forward (back when negative); raises EConvertError past the calendar's years.
  void MonthStep(int N);
  /// One year forward (29 February becomes the 28th).
  void NextYear();
  /// One year back.
  void PrevYear();
  /// Selects the month's last day.
  void LastDayOfMonth();

  // --- holidays ---
  /// Adds a holiday on one date.
  void AddHoliday(int Day, int Month, int Year, const std::string& Name);
  /// Adds a holiday on a day of every year.
  void AddRepeatHoliday(int Day, int Month, const std::string& Name);
  /// Removes every holiday but the built-in ones.
  void ClearHolidayList();
  /// Number of holidays in the list.
  int GetNumHolidays() const;
  /// Holiday Index (from 0); false when there is none.
  bool RetrieveHoliday(int Index, int& Day, int& Month, int& Year, bool& Repeating, std::string& Name) const;
  /// Whether a date is a holiday, with its name.
  bool CheckHoliday(int Year, int Month, int Day, std::string& Name) const;

  /// Recomputes the first cell and the hint, then invalidates.
  void UpdateCal();

  // --- properties ---
  /// Whether a click on a neighbouring month's day switches to that month.
  ///@{
  bool GetAutoSwitch() const { return autoSwitch_; }
  void SetAutoSwitch(bool v) { autoSwitch_ = v; }
  ///@}
  /// Colours of the current and of the neighbouring months' day numbers.
  ///@{
  TColor GetColorActiveMonth() const { return colorActiveMonth_; }
  void SetColorActiveMonth(TColor v) { SetColorProp(colorActiveMonth_, v); }
  TColor GetColorInactiveMonth() const { return colorInactiveMonth_; }
  void SetColorInactiveMonth(TColor v) { SetColorProp(colorInactiveMonth_, v); }
  ///@}
  /// Colours of the week-number column.
  ///@{
  TColor GetColorWeekNoBg() const { return colorWeekNoBg_; }
  void SetColorWeekNoBg(TColor v) { SetColorProp(colorWeekNoBg_, v); }
  TColor GetColorWeekNoFg() const { return colorWeekNoFg_; }
  void SetColorWeekNoFg(TColor v) { SetColorProp(colorWeekNoFg_, v); }
  ///@}
  /// Colours of the weekday row.
  ///@{
  TColor GetColorDayIdBg() const { return colorDayIdBg_; }
  void SetColorDayIdBg(TColor v) { SetColorProp(colorDayIdBg_, v); }
  TColor GetColorDayIdFg() const { return colorDayIdFg_; }
  void SetColorDayIdFg(TColor v) { SetColorProp(colorDayIdFg_, v); }
  ///@}
  /// Colours of the selected day.
  ///@{
  TColor GetColorSelectedBg() const { return colorSelectedBg_; }
  void SetColorSelectedBg(TColor v) { SetColorProp(colorSelectedBg_, v); }
  TColor GetColorSelectedFg() const { return colorSelectedFg_; }
  void SetColorSelectedFg(TColor v) { SetColorProp(colorSelectedFg_, v); }
  ///@}
  /// Colours of holidays.
  ///@{
  TColor GetColorHolidayBg() const { return colorHolidayBg_; }
  void SetColorHolidayBg(TColor v) { SetColorProp(colorHolidayBg_, v); }
  TColor GetColorHolidayFg() const { return colorHolidayFg_; }
  void SetColorHolidayFg(TColor v) { SetColorProp(colorHolidayFg_, v); }
  ///@}
  /// Colour of the circle around today.
  ///@{
  TColor GetColorToday() const { return colorToday_; }
  void SetColorToday(TColor v) { SetColorProp(colorToday_, v); }
  ///@}
  /// Colour of each weekday's numbers; the setter fires OnChange.
  ///@{
  TColor GetDayColors(TDayOfWeek Day) const { return Day <= dwSun ? dayColors_[Day] : TColor(0); }
  void SetDayColors(TDayOfWeek Day, TColor Color);
  ///@}

  /// First day of the week; the setter fires OnChange.
  ///@{
  TDayOfWeek GetFirstDayOfWeek() const { return firstDayOfWeek_; }
  void SetFirstDayOfWeek(TDayOfWeek v);
  ///@}
  /// Whether holidays are coloured.
  ///@{
  bool GetIndicateHolidays() const { return indicateHolidays_; }
  void SetIndicateHolidays(bool v);
  ///@}
  /// Language of names and holidays.
  ///@{
  TLanguage GetLanguage() const { return language_; }
  void SetLanguage(TLanguage v);
  ///@}
  /// Whether today is circled.
  ///@{
  bool GetMarkToday() const { return markToday_; }
  void SetMarkToday(bool v);
  ///@}
  /// Whether a holiday's name shows in the hint.
  ///@{
  bool GetShowHolidayHint() const { return showHolidayHint_; }
  void SetShowHolidayHint(bool v);
  ///@}
  /// Whether the caption shows the month's short name.
  ///@{
  bool GetShowMonthShort() const { return showMonthShort_; }
  void SetShowMonthShort(bool v);
  ///@}
  /// Whether the holidays that move with Easter are shown.
  ///@{
  bool GetShowMovableHolidays() const { return showMovableHolidays_; }
  void SetShowMovableHolidays(bool v);
  ///@}

  /// Fires when the date changes (by the user or a setter).
  TNotifyEvent OnChange;

  /// Day number shown in column 1 of row 2 (0 or less: a day of the previous month).
  int FirstCellOffset() const { return firstCellOffset_; }
  /// The day number a day cell shows (out of 1..days: a neighbouring month's day).
  int DayNumberAt(int ACol, int ARow) const { return firstCellOffset_ + ACol - 1 + 7 * (ARow - 2); }
  /// The text a cell shows (the caption in column 5 of row 0, "#" in column 0 of row 1).
  std::string CellText(int ACol, int ARow) const;

 protected:
  /// Fires OnChange.
  void Changed() override;
  /// Sizes the cells to the control.
  void Resize() override;
  /// Works out the first cell once loading is done.
  void Loaded() override;
  /// Keeps the hint in step with the hovered day.
  void WndProc(TMessage& Message) override;
  /// Draws a button, weekday, week number or day cell.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  /// A left press on a day or button changes the date at once.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Arrows, Page Up/Down (with Ctrl: years), Home and End move the date.
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  /// The wheel moves a month per notch.
  ///@{
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  ///@}

 private:
  void SetColorProp(TColor& Field, TColor v);
  void SetDateParts(int Y, int M, int D);
  void ResetHolidays();
  void AppendHoliday(int Day, int Month, int Year, const std::string& Name);
  int LanguageIndex() const;
  void AdjustCellSizes();
  // painting
  void DrawButtonCell(const TRect& R, const std::string& Text);
  void DrawDayCell(int ACol, int ARow, const TRect& R, const std::string& Text);
  void DrawCentred(const TRect& R, const std::string& Text, TColor Bg, TColor Fg);
  // input
  void ClickDay(int N);
  void ClickButton(int ACol);
  void MoveByDays(int N);
  // Runs a navigation from the user; a step past year 1 or 9999 does nothing.
  template <class F> void Navigate(F Step);

  TDateTime date_ = 0;
  int firstCellOffset_ = 1;
  std::array<TColor, 7> dayColors_{};
  std::unique_ptr<TIntMatrix> holidays_;
  std::unique_ptr<TStringList> holidayNames_;
  bool autoSwitch_ = true;
  TColor colorActiveMonth_ = 0x000000, colorInactiveMonth_ = 0xC0C0C0;
  TColor colorWeekNoBg_ = 0xC0C0C0, colorWeekNoFg_ = 0x000000;
  TColor colorDayIdBg_ = 0xC0C0C0, colorDayIdFg_ = 0x000000;
  TColor colorSelectedBg_ = 0xD0A040, colorSelectedFg_ = 0xFFFFFF;
  TColor colorHolidayBg_ = 0x9BD8F1, colorHolidayFg_ = 0x0000C0;
  TColor colorToday_ = 0x0000FF;
  TDayOfWeek firstDayOfWeek_ = dwMon;
  bool indicateHolidays_ = true;
  TLanguage language_ = lgEnglish;
  bool markToday_ = true;
  bool showHolidayHint_ = true;
  bool showMonthShort_ = true;
  bool showMovableHolidays_ = true;
};

QEL_API_END
}  // namespace qel
