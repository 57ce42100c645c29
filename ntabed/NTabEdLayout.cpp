// TNTabEd layout: the attribute column and row, column widths and row
// heights in table numbering, fitting them to their texts, the first shown
// row and column, and the scroll and input hooks that keep the selection
// notification and the corner cell up to date.
#include <algorithm>

#include "ntabed/detail/CellFormat.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/rtl/NumConv.h"

namespace qel {

namespace {
// Tall and deep glyphs: "9GMgÜ$§[{|".
const char* const kHeightSample = "9GMg\xC3\x9C$\xC2\xA7[{|";
}  // namespace

// ------------------------------------------- attribute column and row ----

// Showing the row-attribute column inserts grid column 1: every column's
// width moves one to the right with its column. Hiding moves them back.
void TNTabEd::SetAttribRowVisible(bool v) {
  if (v == GetAttribRowVisible()) return;
  int cols = std::max(table_->GetNrOfColumns(), 1);
  if (v) {
    SetColCount(cols + 2);
    MoveColumn(GetColCount() - 1, 1);
    colOffset_ = 1;
    SetFixedCols(2);
    SetGridColWidth(1, attribColWidth_);
  } else {
    MoveColumn(1, GetColCount() - 1);
    colOffset_ = 0;
    SetFixedCols(1);
    SetColCount(cols + 1);
  }
  ChangedLayout();
}

// The same for grid row 1; the new row takes the height of the name row.
void TNTabEd::SetAttribColVisible(bool v) {
  if (v == GetAttribColVisible()) return;
  int rows = std::max(table_->GetNrOfRows(), 1);
  if (v) {
    SetRowCount(rows + 2);
    MoveRow(GetRowCount() - 1, 1);
    rowOffset_ = 1;
    SetFixedRows(2);
    SetRowHeights(1, GetRowHeights(0));
  } else {
    MoveRow(1, GetRowCount() - 1);
    rowOffset_ = 0;
    SetFixedRows(1);
    SetRowCount(rows + 1);
  }
  ChangedLayout();
}

// ------------------------------------------------ widths and heights ----

void TNTabEd::SetDefaultColWidth(int v) {
  TCustomDataGrid::SetDefaultColWidth(v);
  SetGridColWidth(0, ntabed::kRowNameWidth);
  if (colOffset_ == 1) SetGridColWidth(1, attribColWidth_);
  ChangedLayout();
}

int TNTabEd::GetColWidths(int Index) const {
  if (Index > 0) return Index <= table_->GetNrOfColumns() ? GridColWidth(GridCol(Index)) : 0;
  if (Index == 0) return GridColWidth(0);
  return colOffset_ == 1 ? GridColWidth(1) : 0;
}

// Layout-changed in every case, also for an index past the last column.
void TNTabEd::SetColWidths(int Index, int Width) {
  if (Index > 0) {
    if (Index <= table_->GetNrOfColumns()) SetGridColWidth(GridCol(Index), Width);
  } else if (Index == 0) {
    SetGridColWidth(0, Width);
  } else if (colOffset_ == 1) {
    SetGridColWidth(1, Width);
    attribColWidth_ = std::max(Width, 0);
  }
  ChangedLayout();
}

void TNTabEd::SetRowHeight(int Index, int Height) {
  if (Index > 0) {
    if (Index <= GetRowCount() - rowOffset_ - 1) SetRowHeights(GridRow(Index), Height);
  } else if (Index == 0) {
    SetRowHeights(0, Height);
  } else if (rowOffset_ == 1) {
    SetRowHeights(1, Height);
  }
}

// An index outside -1..NrOfColumns measures nothing: the width is the
// extra plus the margin, set like any other (SetColWidths takes every
// negative index for the attribute column).
int TNTabEd::AutoColWidth(int Index, bool WithHeader, int Extra) {
  int cols = table_->GetNrOfColumns(), rows = table_->GetNrOfRows();
  TCanvas* C = Canvas();
  C->Font()->Assign(GetFont());
  int width = 0;
  auto fit = [&](const std::string& s) { width = std::max(width, C->TextWidth(s)); };
  if (Index == -1) {
    fit(WithHeader ? "Attrib" : "255");
  } else if (Index == 0) {
    fit("999:9999");
    for (int r = 1; r <= rows; ++r) fit(table_->GetRowName(r));
  } else if (Index >= 1 && Index <= cols) {
    if (WithHeader) fit(table_->GetColName(Index));
    fit(IntToStr(int(table_->GetColAttrib(Index))));
    uint8_t places = DecPlacesOf(Index);
    char buf[CellNumberCapacity];
    for (int r = 1; r <= rows; ++r) {
      int n = FormatCellNumber(table_->GetElem(Index, r), numWidth_, places, buf);
      fit(std::string(buf, size_t(n)));
    }
  }
  int result = std::max(width + Extra + 8, 4);
  SetColWidths(Index, result);
  return result;
}

int TNTabEd::AutoRowHeight(int Index, int Margin) {
  TCanvas* C = Canvas();
  C->Font()->Assign(GetFont());
  int height = std::max(C->TextHeight(kHeightSample) + Margin + 2, 8);
  SetRowHeight(Index, height);
  return height;
}

// ------------------------------------------------ first row and column ----

void TNTabEd::SetLeftCol(int v) {
  int cols = std::max(table_->GetNrOfColumns(), 1);
  SetGridLeftCol(std::clamp(GridCol(v), GridCol(1), GridCol(cols)));
}

void TNTabEd::SetTopRow(int v) {
  int rows = std::max(table_->GetNrOfRows(), 1);
  SetGridTopRow(std::clamp(GridRow(v), GridRow(1), GridRow(rows)));
  Invalidate();
}

// ------------------------------------------------ scrolling and input ----

void TNTabEd::CheckSelectionChanged() {
  TGridRect sel = GetSelection();
  if (sel == rememberedSel_) return;
  rememberedSel_ = sel;
  ChangedSelection();
}

void TNTabEd::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  CheckSelectionChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// Moving to another cell with the keys gives back the editing that
// Escape took away, as a mouse release does. The clipboard keys belong to
// the cell editor's text while it is open.
void TNTabEd::KeyDown(uint16_t& Key, TShiftState Shift) {
  TGridCoord before{GetCol(), GetRow()};
  TCustomDataGrid::KeyDown(Key, Shift);
  if (Key != 0 && !GetEditorMode() && ClipboardKey(Key, Shift)) Key = 0;
  if (!(before == TGridCoord{GetCol(), GetRow()})) RestoreEditing();
  CheckSelectionChanged();
  RedrawCorner();
  Invalidate();
}

void TNTabEd::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomDataGrid::MouseMove(Shift, X, Y);
  CheckSelectionChanged();
}

bool TNTabEd::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool result = TCustomDataGrid::DoMouseWheelDown(Shift, MousePos);
  RedrawCorner();
  CheckSelectionChanged();
  Invalidate();
  return result;
}

bool TNTabEd::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool result = TCustomDataGrid::DoMouseWheelUp(Shift, MousePos);
  RedrawCorner();
  CheckSelectionChanged();
  Invalidate();
  return result;
}

}  // namespace qel
