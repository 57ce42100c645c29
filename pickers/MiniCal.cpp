// TMiniCal state: construction, the date and its parts, month and year
// steps, the property setters and UpdateCal.
#include <algorithm>

#include "framework/QEL_Containers.h"
#include "pickers/QEL_MiniCal.h"
#include "platform/rtl/StringList.h"

namespace qel {

TMiniCal::TMiniCal(TComponent* AOwner)
    : TCustomDrawGrid(AOwner),
      holidays_(std::make_unique<TIntMatrix>(3, 0)),
      holidayNames_(std::make_unique<TStringList>()) {
  dayColors_ = {0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xBBDDEE, 0xCCEEFF};
  SetColCount(8);
  SetRowCount(8);
  SetFixedCols(1);
  SetFixedRows(2);
  SetScrollBars(ssNone);
  SetBorderStyle(bsSingle);
  SetGridLineWidth(1);
  SetOptions(GetOptions() - TGridOptions{goRangeSelect} + TGridOptions{goDrawFocusSelected});
  SetDefaultDrawing(false);
  SetDoubleBuffered(true);
  SetShowHint(true);
  date_ = Now();
  ResetHolidays();
  SetBounds(GetLeft(), GetTop(), 300, 180);
  AdjustCellSizes();
  UpdateCal();
}

TMiniCal::~TMiniCal() = default;

void TMiniCal::Changed() {
  if (OnChange) OnChange(this);
}

// --------------------------------------------------------------- date ----

void TMiniCal::SetDate(TDateTime Value) {
  // Only dates the platform can encode: the cells derive everything from them.
  if (YearOf(Value) == 0) throw EConvertError("Invalid date for TMiniCal.Date");
  date_ = Value;
  UpdateCal();
  Changed();
}

int TMiniCal::GetYear() const { return YearOf(date_); }
int TMiniCal::GetMonth() const { return MonthOf(date_); }
int TMiniCal::GetDay() const { return DayOf(date_); }

// EncodeDate raises before anything changes.
void TMiniCal::SetDateParts(int Y, int M, int D) {
  date_ = EncodeDate(Y, M, D);
  UpdateCal();
  Changed();
}

void TMiniCal::SetYear(int Value) {
  int y, m, d;
  DecodeDate(date_, y, m, d);
  SetDateParts(Value >= 0 ? Value : y, m, d);
}

void TMiniCal::SetMonth(int Value) {
  int y, m, d;
  DecodeDate(date_, y, m, d);
  SetDateParts(y, Value >= 0 && Value <= 12 ? Value : m, d);
}

void TMiniCal::SetDay(int Value) {
  int y, m, d;
  DecodeDate(date_, y, m, d);
  SetDateParts(y, m, Value >= 0 && Value <= DaysInAMonth(y, m) ? Value : d);
}

// From the month's last day forwards or its first day backwards, so that
// one step always lands in the neighbouring month; the day is clamped.
void TMiniCal::MonthStep(int N) {
  int y, m, d;
  DecodeDate(date_, y, m, d);
  TDateTime start = EncodeDate(y, m, N > 0 ? DaysInAMonth(y, m) : 1);
  int y2, m2, d2;
  DecodeDate(start + N, y2, m2, d2);
  if (y2 == 0) throw EConvertError("Invalid date for TMiniCal.MonthStep");
  SetDate(EncodeDate(y2, m2, std::min(d, DaysInAMonth(y2, m2))));
}

void TMiniCal::NextYear() {
  if (IsLeapYear(GetYear()) && GetMonth() == 2 && GetDay() == 29) SetDay(28);
  SetYear(GetYear() + 1);
}

void TMiniCal::PrevYear() {
  if (IsLeapYear(GetYear()) && GetMonth() == 2 && GetDay() == 29) SetDay(28);
  SetYear(GetYear() - 1);
}

void TMiniCal::LastDayOfMonth() { SetDay(DaysInAMonth(GetYear(), GetMonth())); }

// ---------------------------------------------------------- properties ----

void TMiniCal::SetColorProp(TColor& Field, TColor v) {
  Field = v;
  Repaint();
}

void TMiniCal::SetDayColors(TDayOfWeek Day, TColor Color) {
  if (Day > dwSun) return;
  dayColors_[Day] = Color;
  UpdateCal();
  Changed();
}

void TMiniCal::SetFirstDayOfWeek(TDayOfWeek v) {
  if (v == firstDayOfWeek_ || v > dwSun) return;
  firstDayOfWeek_ = v;
  UpdateCal();
  Changed();
}

void TMiniCal::SetIndicateHolidays(bool v) {
  indicateHolidays_ = v;
  UpdateCal();
  Repaint();
}

void TMiniCal::SetLanguage(TLanguage v) {
  language_ = v;
  ResetHolidays();
  UpdateCal();
}

void TMiniCal::SetMarkToday(bool v) {
  markToday_ = v;
  Repaint();
}

void TMiniCal::SetShowHolidayHint(bool v) {
  showHolidayHint_ = v;
  SetHint("");
  if (v) SetShowHint(true);
  UpdateCal();
  Repaint();
}

void TMiniCal::SetShowMonthShort(bool v) {
  showMonthShort_ = v;
  Repaint();
}

void TMiniCal::SetShowMovableHolidays(bool v) {
  showMovableHolidays_ = v;
  UpdateCal();
  Repaint();
}

// ------------------------------------------------------------ UpdateCal ----

void TMiniCal::UpdateCal() {
  int y, m, d;
  DecodeDate(date_, y, m, d);
  // a - 1 is the column index of the 1st; a = 0 puts it in the last column.
  int a = (DayOfTheWeek(EncodeDate(y, m, 1)) - firstDayOfWeek_ + 7) % 7;
  firstCellOffset_ = a == 0 ? -5 : 2 - a;
  if (showHolidayHint_) {
    std::string name;
    SetHint(indicateHolidays_ && CheckHoliday(y, m, d, name) ? name : std::string());
  }
  Invalidate();
}

}  // namespace qel
