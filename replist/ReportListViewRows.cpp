// TReportListView dimensions and row operations: the grid follows the
// data's row and column counts, the per-column settings its columns.
#include <algorithm>

#include "platform/rtl/Utf8.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

void TReportListView::SetNrRows(int n) {
  EndFilterForNewRows();
  data_->SetNrRows(n);
  SetSelection({0, 0, 0, 0});
  SyncRows();
  PaintAtOnce();
  ChangedSetup();
}

// The per-column settings get their room first: running out of memory
// then changes nothing.
void TReportListView::SetNrCols(int n) {
  try {
    ReserveColumns(std::max(n, 1));
  } catch (const EOutOfMemory&) {
    throw EQELRepListError(OutOfMemoryMessage(": not enough memory on heap"));
  }
  const int lastWidth = GridColWidth(GetColCount() - 1);
  data_->SetNrCols(n);
  const int cols = GetNrCols();
  SetColCount(cols);
  SyncFixedCols();
  SetGridColWidth(GridCol(cols), lastWidth);
  columns_.resize(size_t(cols));
  SetTopRow(0);
  PaintAtOnce();
  ChangedSetup();
}

int TReportListView::AddRow() {
  HideEditor();
  SetNrRows(GetNrRows() + 1);
  return GetNrRows();
}

// Inserting makes the shown order the stored one, so forgetting the sort
// columns moves no row. A row number of 0 or less inserts nothing and
// keeps the sort as it is.
int TReportListView::InsertRow(int Row) {
  HideEditor();
  if (Row <= 0) return Row;
  TPaintPause pause(*this);
  EndFilterForNewRows();
  const int rows = GetNrRows();
  if (Row <= rows) {
    data_->Storage()->InsertRow(Row);
  } else {
    data_->Storage()->CommitSorting();
    Row = rows + 1;
  }
  try {
    SetNrRows(rows + 1);
  } catch (...) {
    // The data could not grow with the storage: without the row inserted
    // there, the last row would be hidden behind the data's row count.
    if (GetNrRows() == rows && data_->Storage()->GetNrOfRows() > rows) data_->Storage()->RemoveRow(Row);
    throw;
  }
  data_->UnSort();
  return Row;
}

// The data keeps one empty row for an empty list, and so does the grid.
void TReportListView::RemoveRow(int Row) {
  HideEditor();
  if (Row < 1 || Row > GetNrRows()) return;
  EndFilterForNewRows();
  if (GetNrRows() < 2) {
    data_->RemoveRow(Row);
    PaintAtOnce();
    return;
  }
  {
    TPaintPause pause(*this);
    data_->RemoveRow(Row);
    SyncRows();
  }
  ChangedSetup();
}

// Empty in every column, the hidden one included; a check mark alone
// counts as empty.
void TReportListView::RemoveEmptyRows() {
  HideEditor();
  TPaintPause pause(*this);
  for (int r = GetNrRows(); r >= 1; --r) {
    bool empty = true;
    for (int c = 0; c <= GetNrCols() && empty; ++c) {
      const std::string& raw = data_->GetRawElem(c, r);
      const TCheckMode mode = data_->GetColCheckMode(c);
      empty = (mode == cmBox || mode == cmRadio) ? Utf8CharSize(raw, 0) >= raw.size() : raw.empty();
    }
    if (empty) RemoveRow(r);
  }
}

void TReportListView::Fill(const std::string& S) {
  HideEditor();
  TPaintPause pause(*this);
  data_->Fill(S);
}

void TReportListView::Clear() {
  HideEditor();
  EndFilterForNewRows();
  data_->Clear();
  std::fill(columns_.begin(), columns_.end(), TColumnLook{});
  PaintAtOnce();
}

}  // namespace qel
