// TNTabEd and the clipboard: "Copy" (to the copy buffer and as text),
// "Paste" (from the copy buffer), "Extract from Clipboard" and the size of
// the matrix on the clipboard. Writes outside the table are dropped.
#include <algorithm>

#include "ntabed/detail/CellFormat.h"
#include "ntabed/detail/ClipMatrix.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/controls/Application.h"

namespace qel {

TNTabEd::TTableRange TNTabEd::SelectedRange() const {
  TGridRect sel = GetSelection();
  int cols = table_->GetNrOfColumns(), rows = table_->GetNrOfRows();
  TTableRange r{DataCol(sel.Left), DataRow(sel.Top), DataCol(sel.Right), DataRow(sel.Bottom)};
  r.Left = std::clamp(r.Left, 1, std::max(cols, 1));
  r.Right = std::clamp(r.Right, r.Left, std::max(cols, 1));
  r.Top = std::clamp(r.Top, 1, std::max(rows, 1));
  r.Bottom = std::clamp(r.Bottom, r.Top, std::max(rows, 1));
  return r;
}

void TNTabEd::SelectTableRange(int Left, int Top, int Right, int Bottom) {
  int cols = std::max(table_->GetNrOfColumns(), 1), rows = std::max(table_->GetNrOfRows(), 1);
  auto col = [&](int c) { return GridCol(std::clamp(c, 1, cols)); };
  auto row = [&](int r) { return GridRow(std::clamp(r, 1, rows)); };
  SetSelection({col(Left), row(Top), col(Right), row(Bottom)});
  PaintAtOnce();
  CheckSelectionChanged();
}

// --------------------------------------------------------------- copy ----

void TNTabEd::PopupMenuClickCopy(TObject*) {
  TTableRange r = SelectedRange();
  copyBuffer_->Resize(r.Width(), r.Height());
  std::string text;
  text.reserve(size_t(r.Width()) * size_t(r.Height()) * (clipboardUseFullPrec_ ? 23 : 10));
  for (int row = r.Top; row <= r.Bottom; ++row) {
    char separator = ' ';
    for (int col = r.Left; col <= r.Right; ++col) {
      double v = table_->GetElem(col, row);
      copyBuffer_->SetElem(col - r.Left + 1, row - r.Top + 1, v);
      copyBuffer_->SetCellState(col - r.Left + 1, row - r.Top + 1, table_->GetCellState(col, row));
      text += separator;
      separator = '\t';
      if (!table_->GetIsNumber(col, row)) text += "####";
      else AppendClipNumber(text, v, clipboardUseFullPrec_, DecPlacesOf(col));
    }
    text += "\r\n";
  }
  Clipboard()->SetAsText(text);
  copyDone_ = true;
  copiedText_ = std::move(text);
}

// -------------------------------------------------------------- paste ----

void TNTabEd::PopupMenuClickPaste(TObject*) {
  TTableRange r = SelectedRange();
  int w = copyBuffer_->GetNrOfColumns(), h = copyBuffer_->GetNrOfRows();
  int cols = table_->GetNrOfColumns(), rows = table_->GetNrOfRows();
  // Only the part of the buffer that lands inside the table.
  int lastCol = std::min(w, cols - r.Left + 1), lastRow = std::min(h, rows - r.Top + 1);
  WithoutDataBinding([&] {
    for (int j = 1; j <= lastRow; ++j)
      for (int i = 1; i <= lastCol; ++i) {
        table_->SetElem(r.Left + i - 1, r.Top + j - 1, copyBuffer_->GetElem(i, j));
        table_->SetCellState(r.Left + i - 1, r.Top + j - 1, copyBuffer_->GetCellState(i, j));
      }
  });
  PaintAtOnce();
  ChangedData();
  ChangedCellStates();
  if (OnPaste) OnPaste(this);
  if (w > 0 && h > 0) SelectTableRange(r.Left, r.Top, r.Left + w - 1, r.Top + h - 1);
}

// ---------------------------------------------------- from the clipboard ----

void TNTabEd::PopupMenuClickExtClip(TObject*) {
  if (!Clipboard()->HasFormat(CF_TEXT)) return;
  std::string text = Clipboard()->GetAsText();
  TTableRange r = SelectedRange();
  // Counted from the selection, so that a far-away value cannot overflow.
  int roomCols = table_->GetNrOfColumns() - r.Left, roomRows = table_->GetNrOfRows() - r.Top;
  TClipExtent extent;
  WithoutDataBinding([&] {
    extent = ScanClipMatrix(text, [&](int Col, int Line, double V) {
      if (Col <= roomCols && Line <= roomRows) table_->SetElem(r.Left + Col, r.Top + Line, V);
    });
  });
  PaintAtOnce();
  ChangedData();
  if (OnPaste) OnPaste(this);
  if (extent.Values > 0)
    SelectTableRange(r.Left, r.Top, r.Left + std::min(extent.Columns - 1, roomCols),
                     r.Top + std::min(extent.Rows - 1, roomRows));
}

bool TNTabEd::GetClipMatrixSize(int& Columns, int& Rows) {
  Columns = Rows = 1;
  if (!Clipboard()->HasFormat(CF_TEXT)) return false;
  TClipExtent extent = ScanClipMatrix(Clipboard()->GetAsText(), [](int, int, double) {});
  if (extent.Values == 0) return false;
  Columns = extent.Columns;
  Rows = extent.Rows;
  return true;
}

}  // namespace qel
