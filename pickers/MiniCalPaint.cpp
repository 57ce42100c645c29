// TMiniCal sizing and cell drawing: the buttons with their frames, the
// caption, weekday names, week numbers and day cells.
#include <string>

#include "pickers/QEL_MiniCal.h"

namespace qel {

namespace {

// The raised frame of the navigation buttons. Its outer ring lies partly on
// the grid lines to the right and below the cell and leaves its top-right
// corner to the grid line.
void DrawBtnFrame(TCanvas* C, const TRect& R) {
  DrawEdge(C, {R.Left, R.Top, R.Right + 1, R.Bottom + 1}, clWhite, 0x686868, {.TopRight = ecOpen});
  DrawEdge(C, {R.Left + 1, R.Top + 1, R.Right, R.Bottom}, 0xE6E2E2, 0x9CA0A5);
}

}  // namespace

// --------------------------------------------------------------- sizing ----

// Seven equal columns and rows; column 0 and row 0 take what is left over.
void TMiniCal::AdjustCellSizes() {
  const int line = GetGridLineWidth();
  const int colWidth = (ClientWidth() - 7 * line) / 8;
  const int rowHeight = (ClientHeight() - 7 * line) / 8;
  const int f = GetCtl3D() ? 2 : 5;
  SetDefaultColWidth(colWidth);
  SetDefaultRowHeight(rowHeight);
  SetRowHeights(0, GetHeight() + f - 7 * (rowHeight + line + 1));
  SetColWidths(0, GetWidth() + f - 7 * (colWidth + line + 1));
}

void TMiniCal::Resize() {
  AdjustCellSizes();
  TCustomDrawGrid::Resize();
}

void TMiniCal::Loaded() {
  TCustomDrawGrid::Loaded();
  AdjustCellSizes();
  UpdateCal();
}

void TMiniCal::WndProc(TMessage& Message) {
  TCustomDrawGrid::WndProc(Message);
  // A new border changes the client area and the arithmetic.
  if (Message.Msg == CM_CTL3DCHANGED) AdjustCellSizes();
}

// -------------------------------------------------------------- drawing ----

void TMiniCal::DrawCentred(const TRect& R, const std::string& Text, TColor Bg, TColor Fg) {
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Bg);
  C->FillRect(R);
  C->Font()->SetColor(Fg);
  C->TextOut(R.Left + (R.Width() - C->TextWidth(Text)) / 2, R.Top + (R.Height() - C->TextHeight(Text)) / 2, Text);
}

void TMiniCal::DrawButtonCell(const TRect& R, const std::string& Text) {
  DrawCentred(R, Text, clBtnFace, clBlack);
  if (GetCtl3D()) DrawBtnFrame(Canvas(), R);
}

// What a cell shows; the caption belongs to column 5 of row 0, the "#"
// button to column 0 of row 1, and cells that are not drawn show "".
std::string TMiniCal::CellText(int ACol, int ARow) const {
  if (ACol < 0 || ACol > 7 || ARow < 0 || ARow > 7) return {};
  const int lang = LanguageIndex();
  int y, m, d;
  DecodeDate(date_, y, m, d);
  if (ARow == 0) {
    static const char* const buttons[] = {"", "<<", "<", "", "", "", ">", ">>"};
    if (ACol != 5) return buttons[ACol];
    return std::string(showMonthShort_ ? MonthShort[lang][m] : MonthLong[lang][m]) + " " + std::to_string(y);
  }
  if (ARow == 1) return ACol == 0 ? "#" : WeekDayShort[lang][(ACol - 1 + firstDayOfWeek_) % 7];
  if (ACol == 0) return std::to_string(WeekOfTheYear(EncodeDate(y, m, 1) + 7 * (ARow - 2)));
  const int n = DayNumberAt(ACol, ARow), days = DaysInAMonth(y, m);
  if (n <= 0) return std::to_string(n + (m == 1 ? 31 : DaysInAMonth(y, m - 1)));
  return std::to_string(n > days ? n - days : n);
}

void TMiniCal::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* C = Canvas();
  C->Font()->SetColor(clBlack);
  C->Pen()->SetWidth(1);
  TRect r = ARect;
  const std::string text = CellText(ACol, ARow);
  if (ARow == 0) {
    if (ACol == 5) r.Left -= 2 * GetDefaultColWidth() + 2;  // over columns 3 and 4
    if (!text.empty()) DrawButtonCell(r, text);
  } else if (ARow == 1 && ACol == 0) {
    r.Top -= GetRowHeights(0) + 1;  // over row 0 too
    DrawButtonCell(r, text);
  } else if (ARow == 1) {
    DrawCentred(r, text, colorDayIdBg_, colorDayIdFg_);
  } else if (ACol == 0) {
    DrawCentred(r, text, colorWeekNoBg_, colorWeekNoFg_);
  } else {
    DrawDayCell(ACol, ARow, r, text);
  }
  TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TMiniCal::DrawDayCell(int ACol, int ARow, const TRect& R, const std::string& Text) {
  int y, m, d;
  DecodeDate(date_, y, m, d);
  const int n = DayNumberAt(ACol, ARow);
  const bool inMonth = n >= 1 && n <= DaysInAMonth(y, m);
  TColor bg = dayColors_[(ACol - 1 + firstDayOfWeek_) % 7];
  TColor fg = inMonth ? colorActiveMonth_ : colorInactiveMonth_;
  if (inMonth) {
    std::string name;
    bool holiday = indicateHolidays_ && CheckHoliday(y, m, n, name);
    if (holiday) {
      bg = colorHolidayBg_;
      fg = colorHolidayFg_;
    }
    if (n == d) {
      fg = colorSelectedFg_;
      bg = holiday ? MeanColor(colorSelectedBg_, colorHolidayBg_) : colorSelectedBg_;
    }
  }
  DrawCentred(R, Text, bg, fg);
  int ty, tm, td;
  DecodeDate(Now(), ty, tm, td);
  if (markToday_ && inMonth && ty == y && tm == m && td == n) {
    TCanvas* C = Canvas();
    C->Pen()->SetColor(colorToday_);
    C->Brush()->SetStyle(bsClear);
    C->Ellipse(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    C->Brush()->SetStyle(bsSolid);
  }
}

}  // namespace qel
