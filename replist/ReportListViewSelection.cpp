// TReportListView selection and enablement of rows and columns: bit 7 of a
// row's attribute selects it, bit 6 disables it; bit 7 of a column's
// attribute selects the column. The bits travel with their rows when sorted.
#include <algorithm>

#include "replist/detail/ReportListViewInternal.h"

namespace qel {

namespace {
constexpr uint8_t kSelected = 128, kDisabled = 64;
}  // namespace

void TReportListView::SetRowBit(uint8_t Bit, bool B) {
  for (int r = 1, rows = GetNrRows(); r <= rows; ++r) {
    const uint8_t a = data_->GetRowAttrib(r);
    data_->SetRowAttrib(r, B ? a | Bit : a & ~Bit);
  }
}

void TReportListView::SetRowSelectMode(int m) {
  rowSelectMode_ = m;
  if (m == 2) return;
  {
    TPaintPause pause(*this);
    SetRowBit(kSelected, false);
    // Without selection by mouse the grid's own cursor leaves the data too.
    if (m != 1) SetSelection({GetNrCols() + 1, GetNrRows() + 1, GetNrCols() + 1, GetNrRows() + 1});
  }
  ChangedSelection();
}

bool TReportListView::GetRowSelect(int Row) const { return data_->GetRowAttrib(Row) & kSelected; }

void TReportListView::SetRowSelect(int Row, bool B) {
  if (Row < 1 || Row > GetNrRows()) return;
  const uint8_t a = data_->GetRowAttrib(Row);
  data_->SetRowAttrib(Row, B ? a | kSelected : a & ~kSelected);
  ChangedSelection();
  PaintAtOnce();
}

bool TReportListView::GetRowEnabled(int Row) const {
  return Row >= 1 && Row <= GetNrRows() && !(data_->GetRowAttrib(Row) & kDisabled);
}

void TReportListView::SetRowEnabled(int Row, bool B) {
  if (Row < 1 || Row > GetNrRows()) return;
  const uint8_t a = data_->GetRowAttrib(Row);
  data_->SetRowAttrib(Row, B ? a & ~kDisabled : a | kDisabled);
  ChangedSelection();
  PaintAtOnce();
}

bool TReportListView::GetColSelect(int Col) const { return ValidCol(Col) && (data_->GetColAttrib(Col) & kSelected); }

void TReportListView::SetColSelect(int Col, bool B) {
  if (!ValidCol(Col)) return;
  const uint8_t a = data_->GetColAttrib(Col);
  data_->SetColAttrib(Col, B ? a | kSelected : a & ~kSelected);
  ChangedSelection();
  PaintAtOnce();
}

void TReportListView::SelectAllRows() {
  { TPaintPause pause(*this); SetRowBit(kSelected, true); }
  ChangedSelection();
}

void TReportListView::DeselectAllRows() {
  { TPaintPause pause(*this); SetRowBit(kSelected, false); }
  ChangedSelection();
}

void TReportListView::EnableAllRows() {
  { TPaintPause pause(*this); SetRowBit(kDisabled, false); }
  ChangedSelection();
}

void TReportListView::DisableAllRows() {
  { TPaintPause pause(*this); SetRowBit(kDisabled, true); }
  ChangedSelection();
}

void TReportListView::SelectAllColumns() {
  {
    TPaintPause pause(*this);
    for (int c = 1; c <= GetNrCols(); ++c) data_->SetColAttrib(c, data_->GetColAttrib(c) | kSelected);
  }
  ChangedSelection();
}

void TReportListView::DeselectAllColumns() {
  {
    TPaintPause pause(*this);
    for (int c = 1; c <= GetNrCols(); ++c) data_->SetColAttrib(c, data_->GetColAttrib(c) & ~kSelected);
  }
  ChangedSelection();
}

int TReportListView::NumSelectedRows() const {
  int n = 0;
  for (int r = 1, rows = GetNrRows(); r <= rows; ++r) n += GetRowSelect(r);
  return n;
}

int TReportListView::NumEnabledRows() const {
  int n = 0;
  for (int r = 1, rows = GetNrRows(); r <= rows; ++r) n += GetRowEnabled(r);
  return n;
}

int TReportListView::NumSelectedColumns() const {
  int n = 0;
  for (int c = 1; c <= GetNrCols(); ++c) n += GetColSelect(c);
  return n;
}

int TReportListView::FirstSelectedRow() const {
  for (int r = 1, rows = GetNrRows(); r <= rows; ++r)
    if (GetRowSelect(r)) return r;
  return 0;
}

int TReportListView::FirstSelectedColumn() const {
  for (int c = 1; c <= GetNrCols(); ++c)
    if (GetColSelect(c)) return c;
  return 0;
}

// The row ends up in the middle of the view, or as far down as the list
// allows near its end.
void TReportListView::CenterScrollAndSelect(int Row) {
  TPaintPause pause(*this);
  SetRowBit(kSelected, false);
  if (Row >= 1 && Row <= GetNrRows()) data_->SetRowAttrib(Row, data_->GetRowAttrib(Row) | kSelected);
  const int v = VisibleRowCount(), h = v / 2, rows = ShownRows();
  SetTopRow(std::max(Row > rows - h ? rows - v + 1 : Row - h, 1));
  if (Row >= 1 && Row <= rows) SetCurrentGridRow(Row + GetFixedRows() - 1);
}

// A row-select grid keeps its far corner in the last column.
void TReportListView::SetCurrentGridRow(int GridRow) {
  const int col = std::max(GetCol(), GetFixedCols());
  SetSelection({GetOptions().Contains(goRowSelect) ? GetColCount() - 1 : col, GridRow, col, GridRow});
}

// Grid rows above the data are the header rows: the column headers are
// -1, the common header above them -2.
TGridCoord TReportListView::MouseCell(int X, int Y) {
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.Y < 0) return {DataCol(cell.X), 0};
  if (cell.Y >= GetFixedRows()) return {DataCol(cell.X), DataRow(cell.Y)};
  return {DataCol(cell.X), cell.Y == ColumnHeaderRow() && columnHeadersVisible_ ? -1 : -2};
}

}  // namespace qel
