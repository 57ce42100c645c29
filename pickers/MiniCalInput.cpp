// TMiniCal input: clicks on days and buttons, the keyboard (arrows move the
// day, Page Up/Down the month, Ctrl+Page Up/Down the year, Home/End the
// first and last day) and the wheel (a month per notch).
#include "pickers/QEL_MiniCal.h"

namespace qel {

// A user's step past the calendar's range (years 1..9999) is refused by the
// date setters before anything changes; the step then simply does nothing.
template <class F>
void TMiniCal::Navigate(F Step) {
  try {
    Step();
  } catch (const EConvertError&) {
  }
}

// ---------------------------------------------------------------- mouse ----

// A day of a neighbouring month switches to it when AutoSwitch is on.
void TMiniCal::ClickDay(int N) {
  int y, m, d;
  DecodeDate(date_, y, m, d);
  if (autoSwitch_ && N <= 0) {
    N += m == 1 ? 31 : DaysInAMonth(y, m - 1);
    if (--m == 0) {
      m = 12;
      --y;
    }
  } else if (autoSwitch_ && N > DaysInAMonth(y, m)) {
    N -= DaysInAMonth(y, m);
    if (++m == 13) {
      m = 1;
      ++y;
    }
  }
  // The calendar is brought up to date before OnChange, so handlers see it whole.
  TDateTime day;
  bool hit = N >= 1 && N <= DaysInAMonth(y, m) && TryEncodeDate(y, m, N, day);
  if (hit) date_ = day;
  UpdateCal();
  if (hit) Changed();
}

void TMiniCal::ClickButton(int ACol) {
  switch (ACol) {
    case 0: Navigate([this] { SetDate(Now()); }); break;
    case 1: Navigate([this] { PrevYear(); }); break;
    case 2: Navigate([this] { PrevMonth(); }); break;
    case 6: Navigate([this] { NextMonth(); }); break;
    case 7: Navigate([this] { NextYear(); }); break;
    default: break;  // the caption
  }
}

void TMiniCal::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetClientRect().Contains({X, Y})) return;
  int col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  if (col >= 1 && row >= 2) ClickDay(DayNumberAt(col, row));
  else if (row == 0 || (row == 1 && col == 0)) ClickButton(col);
}

// ------------------------------------------------------------- keyboard ----

void TMiniCal::MoveByDays(int N) {
  Navigate([this, N] { SetDate(EncodeDate(GetYear(), GetMonth(), GetDay()) + N); });
}

// The grid's own cell navigation means nothing here: the calendar's keys
// move the date, other keys only reach OnKeyDown.
void TMiniCal::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_LEFT: MoveByDays(-1); break;
    case VK_RIGHT: MoveByDays(1); break;
    case VK_UP: MoveByDays(-7); break;
    case VK_DOWN: MoveByDays(7); break;
    case VK_PRIOR: Navigate([this, ctrl] { ctrl ? PrevYear() : PrevMonth(); }); break;
    case VK_NEXT: Navigate([this, ctrl] { ctrl ? NextYear() : NextMonth(); }); break;
    case VK_HOME: SetDay(1); break;
    case VK_END: LastDayOfMonth(); break;
    default: return;
  }
  Key = 0;
}

bool TMiniCal::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  Navigate([this] { NextMonth(); });
  return true;
}

bool TMiniCal::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  Navigate([this] { PrevMonth(); });
  return true;
}

}  // namespace qel
