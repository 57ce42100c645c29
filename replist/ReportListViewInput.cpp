// TReportListView input: clicks toggle check marks and select rows, keys
// move the selection, the wheel scrolls, double clicks on a header border
// size a column, and the in-place editor reads and writes cells.
#include "platform/controls/VirtualKeys.h"
#include "platform/rtl/Utf8.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

// ------------------------------------------------------------ mouse ----

// After the grid has moved its current cell: a header press sorts, a press
// on a data cell may toggle its mark and then selects by RowSelectMode.
void TReportListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDataGrid::MouseDown(Button, Shift, X, Y);
  if (X <= 0 || Y <= 0 || X >= GetGridWidth() || Y >= GetGridHeight() || Button != mbLeft) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return;
  if (cell.Y == ColumnHeaderRow() && columnHeadersVisible_) {
    // The second press of a double click belongs to DblClick: it would
    // undo the first one's sort, or sort a column just fitted.
    if (!Shift.Contains(ssDouble) && !NearColumnBorder(X, CellRect(cell.X, cell.Y))) HeaderClickSort(cell.X);
    return;
  }
  if (cell.Y < GetFixedRows()) return;  // the common header
  TPaintPause pause(*this);
  const int col = DataCol(cell.X), row = DataRow(cell.Y);
  TGridOptions options = GetOptions();
  if (GetColumnEditable(col) && GetRowEnabled(row)) options.Include(goEditing);
  else options.Exclude(goEditing);
  SetOptions(options);
  const TCheckMode mode = data_->GetColCheckMode(col);
  if ((mode == cmBox || mode == cmRadio) && X - CellRect(cell.X, cell.Y).Left < 18 && !roCheckmarks_ &&
      GetRowEnabled(row))
    ToggleCheckAt(col, row);
  SelectByClick(Shift);
}

// A radio mark cannot be cleared by a click: the column's mark moves here.
void TReportListView::ToggleCheckAt(int Col, int Row) {
  if (Utf8Length(data_->GetRawElem(Col, Row)) <= 1 && !showEmptyCheckBoxes_) return;
  bool state = !data_->GetElemChecked(Col, Row);
  if (OnBeforeCheckedChange) OnBeforeCheckedChange(this, state, Col, Row);
  data_->SetElemChecked(Col, Row, data_->GetColCheckMode(Col) == cmRadio ? true : state);
  bool before = !state;
  if (OnCheckedChange) OnCheckedChange(this, before, Col, Row);
}

void TReportListView::SelectByClick(TShiftState Shift) {
  const int current = CurrentDataRow();
  if (rowSelectMode_ == 1) {
    SelectCurrentRowOnly();
    return;
  }
  if (rowSelectMode_ != 2) return;
  if (Shift.Contains(ssShift)) {
    // The anchor's whole byte: a range copies its enabled state too.
    const uint8_t attrib = data_->GetRowAttrib(anchorRow_);
    for (int r = std::min(anchorRow_, current), last = std::max(anchorRow_, current); r <= last; ++r)
      data_->SetRowAttrib(r, attrib);
  } else {
    anchorRow_ = current;
    if (Shift.Contains(ssCtrl) || !useCtrlForMultiSel_) {
      data_->SetRowAttrib(current, data_->GetRowAttrib(current) ^ 128);
    } else {
      SetRowBit(128, false);
      data_->SetRowAttrib(current, data_->GetRowAttrib(current) | 128);
    }
  }
  ChangedSelection();
}

void TReportListView::SelectCurrentRowOnly() {
  TPaintPause pause(*this);
  SetRowBit(128, false);
  const int current = CurrentDataRow();
  data_->SetRowAttrib(current, data_->GetRowAttrib(current) | 128);
  ChangedSelection();
}

// A release of the left button past the rows or columns ends a multiple
// selection.
void TReportListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDataGrid::MouseUp(Button, Shift, X, Y);
  if (rowSelectMode_ != 2 || Button != mbLeft) return;
  if (X < GetGridWidth() && Y < GetGridHeight()) return;
  {
    TPaintPause pause(*this);
    SetRowBit(128, false);
  }
  ChangedSelection();
}

// An empty list has nothing to scroll to.
bool TReportListView::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  return ShownRows() > 0 && TCustomDataGrid::DoMouseWheelDown(Shift, MousePos);
}

bool TReportListView::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  return ShownRows() > 0 && TCustomDataGrid::DoMouseWheelUp(Shift, MousePos);
}

// On a header border: fits the column left or right of it to its content
// (skipping columns sized to nothing). Header double clicks stop here.
void TReportListView::DblClick() {
  const TGridCoord cell = MouseCoord(lastMouse_.X, lastMouse_.Y);
  if (!columnHeadersVisible_ || lastMouse_.Y >= GetGridHeight() || cell.X < 0 || cell.Y != ColumnHeaderRow()) {
    TCustomDataGrid::DblClick();
    return;
  }
  const TRect rect = CellRect(cell.X, cell.Y);
  if (!NearColumnBorder(lastMouse_.X, rect)) return;
  int k = lastMouse_.X < (rect.Left + rect.Right) / 2 ? cell.X : cell.X + 1;
  while (k > 1 && GetColWidths(k) == 0) --k;
  AutoColWidth(k, true, 0);
}

// ------------------------------------------------------------- keys ----

void TReportListView::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomDataGrid::KeyDown(Key, Shift);
  if (Key >= VK_PRIOR && Key <= VK_DOWN) SelectCurrentRowOnly();
}

void TReportListView::KeyPress(char32_t& Key) {
  TCustomDataGrid::KeyPress(Key);
  if (!autoAdvance_ || (Key != U'\r' && Key != 0)) return;
  uint16_t down = VK_DOWN;
  KeyDown(down, {});
}

// ---------------------------------------------------- in-place editing ----

// Changing the options of a row-select grid moves its current cell again,
// which asks here once more: that inner question is the grid's own.
bool TReportListView::SelectCell(int ACol, int ARow) {
  if (settingCellOptions_) return true;
  TGridOptions options = GetOptions();
  if (ARow != 0 && GetColumnEditable(DataCol(ACol))) options.Include(goEditing);
  else options.Exclude(goEditing);
  if (!(options == GetOptions())) {
    settingCellOptions_ = true;
    struct TReset {
      bool& flag;
      ~TReset() { flag = false; }
    } reset{settingCellOptions_};
    SetOptions(options);
  }
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

std::string TReportListView::GetEditText(int ACol, int ARow) {
  const int col = DataCol(ACol), row = DataRow(ARow);
  std::string value = data_->GetRawElem(col, row);
  const TCheckMode mode = data_->GetColCheckMode(col);
  if ((mode == cmBox || mode == cmRadio) && !value.empty()) value = Utf8RestChars(value);
  if (OnGetEditText) OnGetEditText(this, ACol, row, value);
  return value;
}

// The mark stays: what is typed replaces the text after it.
void TReportListView::SetEditText(int ACol, int ARow, const std::string& Value) {
  const int col = DataCol(ACol), row = DataRow(ARow);
  const TCheckMode mode = data_->GetColCheckMode(col);
  if (mode == cmBox || mode == cmRadio) {
    const std::string& old = data_->GetRawElem(col, row);
    data_->SetRawElem(col, row, (old.empty() || old[0] == ' ' ? " " : "X") + Value);
  } else {
    data_->SetRawElem(col, row, Value);
  }
  // The draw grid's own SetEditText would fire OnSetEditText a second time,
  // with the grid row: the event fires once, with the data row.
  TCustomGrid::SetEditText(ACol, ARow, Value);
  if (OnSetEditText) OnSetEditText(this, ACol, row, Value);
}

}  // namespace qel
