// TCustomDrawGrid: the hooks fire the events. TStringGrid: a text per cell.
#include "platform/grids/Grids.h"

namespace qel {

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

std::string TCustomDrawGrid::GetEditText(int ACol, int ARow) {
  std::string value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

// ------------------------------------------------------ TStringGrid ----

std::string TStringGrid::GetCells(int ACol, int ARow) const {
  if (ARow < 0 || ARow >= static_cast<int>(cells_.size())) return {};
  const auto& row = cells_[ARow];
  return ACol >= 0 && ACol < static_cast<int>(row.size()) ? row[ACol] : std::string{};
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount())
    throw EInvalidGridOperation("Grid index out of range");
  if (ARow >= static_cast<int>(cells_.size())) cells_.resize(ARow + 1);
  auto& row = cells_[ARow];
  if (ACol >= static_cast<int>(row.size())) row.resize(ACol + 1);
  row[ACol] = Value;
  InvalidateCell(ACol, ARow);
}

// Text at a small margin, clipped to the cell; the events still fire.
void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (GetDefaultDrawing()) Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, GetCells(ACol, ARow));
  TCustomDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string value = GetCells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  TCustomDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  for (auto& row : cells_) {
    int need = std::max(FromIndex, ToIndex) + 1;
    if (static_cast<int>(row.size()) < need) row.resize(need);
    std::string v = std::move(row[FromIndex]);
    row.erase(row.begin() + FromIndex);
    row.insert(row.begin() + ToIndex, std::move(v));
  }
  TCustomDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  int need = std::max(FromIndex, ToIndex) + 1;
  if (static_cast<int>(cells_.size()) < need) cells_.resize(need);
  auto v = std::move(cells_[FromIndex]);
  cells_.erase(cells_.begin() + FromIndex);
  cells_.insert(cells_.begin() + ToIndex, std::move(v));
  TCustomDrawGrid::RowMoved(FromIndex, ToIndex);
}

// Cells outside the new size are dropped.
void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  if (static_cast<int>(cells_.size()) > GetRowCount()) cells_.resize(GetRowCount());
  for (auto& row : cells_)
    if (static_cast<int>(row.size()) > GetColCount()) row.resize(GetColCount());
  TCustomDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

}  // namespace qel
