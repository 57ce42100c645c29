// TNTabEd dimensions: the number of columns and rows, inserting, removing
// and mirroring lines, and clearing the table.
//
// Precisions stay with their columns: an inserted column takes the
// precision of the column at its place, a removed column takes its own
// away, mirrored columns take theirs along.
#include <algorithm>

#include "framework/AllocGuard.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/rtl/NumConv.h"

namespace qel {

// A table that cannot grow leaves everything as it was; the message names
// the component, the call with its value, and why.
void TNTabEd::ResizeTable(int Cols, int Rows, const std::string& What) {
  try {
    table_->Resize(Cols, Rows);
  } catch (const EOutOfMemory& e) {
    throw EQELError(ComponentErrorMessage(GetName(), ": " + What + " refused: a table of " + IntToStr(Cols) + " x " +
                                                         IntToStr(Rows) + " cells does not fit in memory (" +
                                                         e.what() + ")"));
  }
}

void TNTabEd::SetNrOfColumns(int n) {
  n = std::max(n, 1);
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    int width = LastGridColWidth(), old = table_->GetNrOfColumns();
    ResizeTable(n, table_->GetNrOfRows(), "TNTabEd.NrOfColumns = " + IntToStr(n));
    SetColCount(GridCol(n) + 1);
    for (int c = std::max(old, 1); c <= n; ++c) SetGridColWidth(GridCol(c), width);
    uint8_t last = DecPlacesOf(old);
    try {
      FitDecPlaces(n, last);
    } catch (const EOutOfMemory&) {
      throw EQELNTabedError(OutOfMemoryText());
    }
    ChangedSetup();
  }
  FlushNotifications();
}

void TNTabEd::SetNrOfRows(int n) {
  n = std::max(n, 1);
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    ResizeTable(table_->GetNrOfColumns(), n, "TNTabEd.NrOfRows = " + IntToStr(n));
    SetRowCount(GridRow(n) + 1);
    ChangedSetup();
  }
  FlushNotifications();
}

void TNTabEd::Redimension(int Columns, int Rows) {
  Columns = std::max(Columns, 1);
  Rows = std::max(Rows, 1);
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    int width = LastGridColWidth(), old = table_->GetNrOfColumns();
    ResizeTable(Columns, Rows,
                "TNTabEd.Redimension(" + IntToStr(Columns) + ", " + IntToStr(Rows) + ")");
    SetColCount(GridCol(Columns) + 1);
    for (int c = std::max(old, 1); c <= Columns; ++c) SetGridColWidth(GridCol(c), width);
    uint8_t last = DecPlacesOf(old);
    try {
      FitDecPlaces(Columns, last);
    } catch (const EOutOfMemory&) {
      throw EQELNTabedError(OutOfMemoryText());
    }
    SetRowCount(GridRow(Rows) + 1);
  }
  ChangedSetup();
  PaintAtOnce();
}

void TNTabEd::InsertRow(int R) {
  if (R < 1 || R > table_->GetNrOfRows() + 1) return;
  TPaintPause pause(*this);
  table_->InsertRow(R);
}

void TNTabEd::InsertColumn(int C) {
  int cols = table_->GetNrOfColumns();
  if (C < 1 || C > cols + 1) return;
  uint8_t places = DecPlacesOf(std::min(C, cols));
  TPaintPause pause(*this);
  table_->InsertColumn(C);  // the resize handler added a precision at the end
  if (int(decPlaces_.size()) == cols + 1) {
    decPlaces_.pop_back();
    decPlaces_.insert(decPlaces_.begin() + (C - 1), places);
  }
}

void TNTabEd::RemoveRow(int R) {
  int rows = table_->GetNrOfRows();
  if (R < 1 || R > rows || rows < 2) return;
  HideEditor();
  TPaintPause pause(*this);
  table_->RemoveRow(R);
}

void TNTabEd::RemoveColumn(int C) {
  int cols = table_->GetNrOfColumns();
  if (C < 1 || C > cols || cols < 2) return;
  HideEditor();
  TPaintPause pause(*this);
  // The removed column's precision goes last, where the resize handler drops it.
  bool moved = C <= int(decPlaces_.size());
  if (moved) std::rotate(decPlaces_.begin() + (C - 1), decPlaces_.begin() + C, decPlaces_.end());
  try {
    table_->RemoveColumn(C);
  } catch (...) {
    if (moved) std::rotate(decPlaces_.begin() + (C - 1), decPlaces_.end() - 1, decPlaces_.end());
    throw;
  }
}

void TNTabEd::MirrorRows() {
  TPaintPause pause(*this);
  table_->MirrorRows();
}

// The table reports each exchange of two columns; the handler swaps their
// precisions while sortRunning_ is set.
void TNTabEd::MirrorColumns() {
  TPaintPause pause(*this);
  struct TSortFlag {
    bool& flag;
    ~TSortFlag() { flag = false; }
  } running{sortRunning_};
  sortRunning_ = true;
  table_->MirrorColumns();
}

void TNTabEd::Clear() {
  TPaintPause pause(*this);
  table_->Clear();
  for (int c = 1; c <= table_->GetNrOfColumns(); ++c) table_->SetColName(c, "C-" + IntToStr(c));
  for (int r = 1; r <= table_->GetNrOfRows(); ++r) table_->SetRowName(r, "R-" + IntToStr(r));
  std::fill(decPlaces_.begin(), decPlaces_.end(), ntabed::kDefaultDecPlaces);
  ChangedHeading();
  ChangedLayout();
}

}  // namespace qel
