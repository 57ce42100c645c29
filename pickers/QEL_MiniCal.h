// TMiniCal: a one-month calendar on a draw grid of 8 by 8 cells, with ISO
// week numbers, today circled, the selected day highlighted and holidays
// (a user-extensible list of fixed dates plus six feasts that move with
// Easter) coloured and named in the hint. CalcEasterSunday is the free
// Gregorian computus the movable feasts use.
//
// Layout (columns 0..7, rows 0..7):
//   row 0      "<<" "<" | caption over columns 3..5 | ">" ">>"
//   row 1      weekday names; the "#" button (today) covers column 0 of rows 0 and 1
//   rows 2..7  week number, then seven days; the first row holds the 1st
//
// Input. A left press on a day or a button changes the date at once. The
// release runs the grid's own handling, so OnClick and then OnMouseUp fire
// on the release as for any control (OnClick once, also for button cells).
// The wheel moves a month per notch (towards the user: the next month)
// unless an OnMouseWheel... handler takes it. Arrows move the day, Page
// Up/Down the month, with Ctrl the year, Home and End to the first and last
// day. A step past year 1 or 9999 does nothing.
//
// Files: MiniCal.cpp (state, setters, navigation), MiniCalHolidays.cpp
// (computus, holiday tables and list), MiniCalPaint.cpp (sizing, cells),
// MiniCalInput.cpp (mouse, keyboard, wheel).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/QEL_Base.h"
#include "platform/grids/Grids.h"
#include "platform/rtl/DateTime.h"

namespace qel {

class TIntMatrix;
class TStringList;

enum TDayOfWeek : uint8_t { dwMon, dwTue, dwWed, dwThu, dwFri, dwSat, dwSun };

/// Easter Sunday of the Gregorian calendar: March Day (22..31) or April Day (1..25).
void CalcEasterSunday(int Year, int& Day, int& Month);

class TMiniCal : public TCustomDrawGrid {
 public:
  /// The year stored with a holiday that recurs every year.
  static constexpr int RepeatingYear = -99999;

  explicit TMiniCal(TComponent* AOwner);
  ~TMiniCal() override;

  // --- the date ---
  TDateTime GetDate() const { return date_; }
  /// Raises EConvertError (date unchanged) for a value outside years 1..9999.
  void SetDate(TDateTime Value);
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  /// Out-of-range values keep the part; a date the calendar lacks raises
  /// EConvertError and leaves the date unchanged.
  void SetYear(int Value);
  void SetMonth(int Value);
  void SetDay(int Value);
  void NextMonth() { MonthStep(1); }
  void PrevMonth() { MonthStep(-1); }
  void MonthStep(int N);
  void NextYear();
  void PrevYear();
  void LastDayOfMonth();

  // --- holidays ---
  void AddHoliday(int Day, int Month, int Year, const std::string& Name);
  void AddRepeatHoliday(int Day, int Month, const std::string& Name);
  void ClearHolidayList();
  int GetNumHolidays() const;
  bool RetrieveHoliday(int Index, int& Day, int& Month, int& Year, bool& Repeating, std::string& Name) const;
  bool CheckHoliday(int Year, int Month, int Day, std::string& Name) const;

  /// Recomputes the first cell and the hint, then invalidates.
  void UpdateCal();

  // --- properties ---
  bool GetAutoSwitch() const { return autoSwitch_; }
  void SetAutoSwitch(bool v) { autoSwitch_ = v; }
  TColor GetColorActiveMonth() const { return colorActiveMonth_; }
  void SetColorActiveMonth(TColor v) { SetColorProp(colorActiveMonth_, v); }
  TColor GetColorInactiveMonth() const { return colorInactiveMonth_; }
  void SetColorInactiveMonth(TColor v) { SetColorProp(colorInactiveMonth_, v); }
  TColor GetColorWeekNoBg() const { return colorWeekNoBg_; }
  void SetColorWeekNoBg(TColor v) { SetColorProp(colorWeekNoBg_, v); }
  TColor GetColorWeekNoFg() const { return colorWeekNoFg_; }
  void SetColorWeekNoFg(TColor v) { SetColorProp(colorWeekNoFg_, v); }
  TColor GetColorDayIdBg() const { return colorDayIdBg_; }
  void SetColorDayIdBg(TColor v) { SetColorProp(colorDayIdBg_, v); }
  TColor GetColorDayIdFg() const { return colorDayIdFg_; }
  void SetColorDayIdFg(TColor v) { SetColorProp(colorDayIdFg_, v); }
  TColor GetColorSelectedBg() const { return colorSelectedBg_; }
  void SetColorSelectedBg(TColor v) { SetColorProp(colorSelectedBg_, v); }
  TColor GetColorSelectedFg() const { return colorSelectedFg_; }
  void SetColorSelectedFg(TColor v) { SetColorProp(colorSelectedFg_, v); }
  TColor GetColorHolidayBg() const { return colorHolidayBg_; }
  void SetColorHolidayBg(TColor v) { SetColorProp(colorHolidayBg_, v); }
  TColor GetColorHolidayFg() const { return colorHolidayFg_; }
  void SetColorHolidayFg(TColor v) { SetColorProp(colorHolidayFg_, v); }
  TColor GetColorToday() const { return colorToday_; }
  void SetColorToday(TColor v) { SetColorProp(colorToday_, v); }
  TColor GetDayColors(TDayOfWeek Day) const { return Day <= dwSun ? dayColors_[Day] : TColor(0); }
  void SetDayColors(TDayOfWeek Day, TColor Color);

  TDayOfWeek GetFirstDayOfWeek() const { return firstDayOfWeek_; }
  void SetFirstDayOfWeek(TDayOfWeek v);
  bool GetIndicateHolidays() const { return indicateHolidays_; }
  void SetIndicateHolidays(bool v);
  TLanguage GetLanguage() const { return language_; }
  void SetLanguage(TLanguage v);
  bool GetMarkToday() const { return markToday_; }
  void SetMarkToday(bool v);
  bool GetShowHolidayHint() const { return showHolidayHint_; }
  void SetShowHolidayHint(bool v);
  bool GetShowMonthShort() const { return showMonthShort_; }
  void SetShowMonthShort(bool v);
  bool GetShowMovableHolidays() const { return showMovableHolidays_; }
  void SetShowMovableHolidays(bool v);

  TNotifyEvent OnChange;

  /// Day number shown in column 1 of row 2 (0 or less: a day of the previous month).
  int FirstCellOffset() const { return firstCellOffset_; }
  /// The day number a day cell shows (out of 1..days: a neighbouring month's day).
  int DayNumberAt(int ACol, int ARow) const { return firstCellOffset_ + ACol - 1 + 7 * (ARow - 2); }
  /// The text a cell shows (the caption in column 5 of row 0, "#" in column 0 of row 1).
  std::string CellText(int ACol, int ARow) const;

 protected:
  void Changed() override;
  void Resize() override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

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

}  // namespace qel
