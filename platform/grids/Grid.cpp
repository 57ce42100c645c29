// TCustomGrid: construction, properties, the current cell and the
// selection, scrolling and the scroll bars.
#include <algorithm>

#include "platform/grids/Grids.h"

namespace qel {

namespace {
void IndexOutOfRange() { throw EInvalidGridOperation("Grid index out of range"); }

TGridRect Normalized(TGridCoord a, TGridCoord b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}
}  // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  cols_ = {5, 1, 64, {}};
  rows_ = {5, 1, 24, {}};
  controlStyle_ += TControlStyle{csOpaque, csDoubleClicks};
  SetTabStop(true);
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  SetBounds(0, 0, 320, 120);
  for (TClientScrollBar* bar : {&vbar_, &hbar_}) {
    bar->OnScroll = [this, bar](int code, int pos) { OnBarScroll(*bar, code, pos); };
    bar->OnInvalidate = [this, bar] { InvalidateRect(bar->Bounds()); };
  }
}

TCustomGrid::~TCustomGrid() = default;

// ------------------------------------------------------- properties ----

void TCustomGrid::SetColCount(int v) {
  if (v == cols_.count) return;
  v = std::max(v, 1);
  if (v <= cols_.fixed) SetFixedCols(v - 1);
  ChangeSize(v, rows_.count);
  if (options_.Contains(goRowSelect)) anchor_.X = cols_.count - 1;
}

void TCustomGrid::SetRowCount(int v) {
  if (v == rows_.count) return;
  v = std::max(v, 1);
  if (v <= rows_.fixed) SetFixedRows(v - 1);
  ChangeSize(cols_.count, v);
}

void TCustomGrid::ChangeSize(int newCols, int newRows) {
  int oldCols = cols_.count, oldRows = rows_.count;
  cols_.Resize(newCols);
  rows_.Resize(newRows);
  auto clamp = [&](TGridCoord& c) {
    c.X = std::clamp(c.X, 0, newCols - 1);
    c.Y = std::clamp(c.Y, 0, newRows - 1);
  };
  clamp(current_);
  clamp(anchor_);
  topLeft_.X = std::clamp(topLeft_.X, cols_.fixed, newCols - 1);
  topLeft_.Y = std::clamp(topLeft_.Y, rows_.fixed, newRows - 1);
  SizeChanged(oldCols, oldRows);
  if (newCols != oldCols) ColWidthsChanged();
  if (newRows != oldRows) RowHeightsChanged();
  InvalidateGrid();
}

// Changing the fixed count starts over at the first scrollable cell.
void TCustomGrid::SetFixedCols(int v) { SetFixedCount(cols_, v, "Fixed column count must be less than column count"); }

void TCustomGrid::SetFixedRows(int v) { SetFixedCount(rows_, v, "Fixed row count must be less than row count"); }

// New fixed columns or rows: the view and the current cell go back to the
// first scrollable cell.
void TCustomGrid::SetFixedCount(TGridAxis& Axis, int v, const char* TooMany) {
  if (v == Axis.fixed) return;
  if (v < 0) IndexOutOfRange();
  if (v >= Axis.count) throw EInvalidGridOperation(TooMany);
  Axis.fixed = v;
  topLeft_ = {cols_.fixed, rows_.fixed};
  current_ = anchor_ = topLeft_;
  if (options_.Contains(goRowSelect)) anchor_.X = cols_.count - 1;
  LayoutChanged();
  InvalidateGrid();
}

// A new default replaces every individual size, as on the platform.
void TCustomGrid::SetDefaultColWidth(int v) {
  cols_.sizes.clear();
  cols_.defaultSize = std::max(v, 0);
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int v) {
  rows_.sizes.clear();
  rows_.defaultSize = std::max(v, 0);
  RowHeightsChanged();
}

void TCustomGrid::SetColWidths(int Index, int Width) {
  if (Index < 0 || Index >= cols_.count) IndexOutOfRange();
  Width = std::max(Width, 0);
  if (Width == cols_.Size(Index)) return;
  cols_.SetSize(Index, Width);
  ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int Index, int Height) {
  if (Index < 0 || Index >= rows_.count) IndexOutOfRange();
  Height = std::max(Height, 0);
  if (Height == rows_.Size(Index)) return;
  rows_.SetSize(Index, Height);
  RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() {
  LayoutChanged();
  InvalidateEditor();
  InvalidateGrid();
}

void TCustomGrid::RowHeightsChanged() {
  LayoutChanged();
  InvalidateEditor();
  InvalidateGrid();
}

void TCustomGrid::SetGridLineWidth(int v) {
  v = std::max(v, 0);
  if (v == gridLineWidth_) return;
  gridLineWidth_ = v;
  LayoutChanged();
  InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions v) {
  if (v == options_) return;
  if (v.Contains(goRowSelect)) v.Exclude(goAlwaysShowEditor);
  options_ = v;
  if (!editorMode_) {
    if (v.Contains(goAlwaysShowEditor)) ShowEditor(); else HideEditor();
  }
  if (v.Contains(goRowSelect)) MoveCurrent(current_.X, current_.Y, true, false);
  LayoutChanged();
  InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor v) {
  if (v == fixedColor_) return;
  fixedColor_ = v;
  InvalidateGrid();
}

void TCustomGrid::SetScrollBars(TScrollStyle v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  LayoutChanged();
  InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool v) {
  if (v == defaultDrawing_) return;
  defaultDrawing_ = v;
  InvalidateGrid();
}

// -------------------------------------------- current cell, selection ----

void TCustomGrid::SetCol(int v) {
  if (v != current_.X) FocusCell(v, current_.Y, true);
}

void TCustomGrid::SetRow(int v) {
  if (v != current_.Y) FocusCell(current_.X, v, true);
}

// As on the platform, moving the current cell by program clicks the grid.
void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveCurrent(ACol, ARow, MoveAnchor, true);
  UpdateEdit();
  Click();
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= cols_.count || ARow >= rows_.count) IndexOutOfRange();
  if (!SelectCell(ACol, ARow)) return;
  TGridRect oldSel = GetSelection();
  current_ = {ACol, ARow};
  if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
  if (MoveAnchor || !options_.Contains(goRangeSelect)) {
    anchor_ = current_;
    if (options_.Contains(goRowSelect)) anchor_.X = cols_.count - 1;
  }
  if (options_.Contains(goRowSelect)) current_.X = cols_.fixed;
  if (Show) ClampInView(current_);
  SelectionMoved(oldSel);
}

// Shift+click and drags move the far corner of a range, not the current cell.
void TCustomGrid::MoveAnchor(TGridCoord c) {
  if (!options_.Contains(goRangeSelect)) {
    MoveCurrent(c.X, c.Y, true, true);
    return;
  }
  TGridRect oldSel = GetSelection();
  anchor_ = c;
  if (options_.Contains(goRowSelect)) anchor_.X = cols_.count - 1;
  ClampInView(c);
  SelectionMoved(oldSel);
}

TGridRect TCustomGrid::GetSelection() const { return Normalized(current_, anchor_); }

void TCustomGrid::SetSelection(const TGridRect& v) {
  TGridRect oldSel = GetSelection();
  anchor_ = {v.Left, v.Top};
  current_ = {v.Right, v.Bottom};
  SelectionMoved(oldSel);
}

void TCustomGrid::SelectionMoved(const TGridRect& oldSel) {
  if (!HandleAllocated()) return;
  InvalidateGridRect(oldSel);
  InvalidateGridRect(GetSelection());
}

// ---------------------------------------------------- invalidation ----

void TCustomGrid::InvalidateGridRect(const TGridRect& g) {
  if (!HandleAllocated()) return;
  TGridAxisInfo h = HorzInfo(), v = VertInfo();
  TRect r;
  // A range may reach into the fixed cells; those are covered from the start.
  int l = std::max(g.Left, 0), t = std::max(g.Top, 0);
  if (!AxisRange(h, cols_, l, std::min(g.Right, cols_.count - 1), r.Left, r.Right)) return;
  if (!AxisRange(v, rows_, t, std::min(g.Bottom, rows_.count - 1), r.Top, r.Bottom)) return;
  r.Right += h.lineWidth;
  r.Bottom += v.lineWidth;
  InvalidateRect(r);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) { InvalidateGridRect({ACol, ARow, ACol, ARow}); }
void TCustomGrid::InvalidateCol(int ACol) { InvalidateGridRect({ACol, 0, ACol, rows_.count - 1}); }
void TCustomGrid::InvalidateRow(int ARow) { InvalidateGridRect({0, ARow, cols_.count - 1, ARow}); }

// ------------------------------------------------------- scrolling ----

void TCustomGrid::SetTopRow(int v) { MoveTopLeft(topLeft_.X, v); }
void TCustomGrid::SetLeftCol(int v) { MoveTopLeft(v, topLeft_.Y); }

// Any scrollable cell may be the first shown, the last one included.
void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  ALeft = std::clamp(ALeft, cols_.fixed, cols_.count - 1);
  ATop = std::clamp(ATop, rows_.fixed, rows_.count - 1);
  if (ALeft == topLeft_.X && ATop == topLeft_.Y) return;
  TGridCoord old = topLeft_;
  topLeft_ = {ALeft, ATop};
  TopLeftMoved(old);
}

void TCustomGrid::TopLeftMoved(TGridCoord) {
  UpdateScrollBars();
  InvalidateGrid();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() { InvalidateEditor(); }

// Scrolls just enough to show the cell whole.
void TCustomGrid::ClampInView(TGridCoord c) {
  if (!HandleAllocated() || c.X < cols_.fixed || c.Y < rows_.fixed) return;
  TGridAxisInfo h = HorzInfo(), v = VertInfo();
  TGridCoord top = topLeft_;
  if (c.X < top.X) top.X = c.X;
  else if (c.X > h.lastFullVisible) top.X = MaxTopLeft(cols_, h, c.X);
  if (c.Y < top.Y) top.Y = c.Y;
  else if (c.Y > v.lastFullVisible) top.Y = MaxTopLeft(rows_, v, c.Y);
  MoveTopLeft(top.X, top.Y);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex) return;
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= cols_.count || ToIndex >= cols_.count) IndexOutOfRange();
  HideEditor();
  cols_.Move(FromIndex, ToIndex);
  ColumnMoved(FromIndex, ToIndex);
  ColWidthsChanged();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex) return;
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= rows_.count || ToIndex >= rows_.count) IndexOutOfRange();
  HideEditor();
  rows_.Move(FromIndex, ToIndex);
  RowMoved(FromIndex, ToIndex);
  RowHeightsChanged();
}

void TCustomGrid::DeleteColumn(int ACol) {
  MoveColumn(ACol, cols_.count - 1);
  SetColCount(cols_.count - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
  MoveRow(ARow, rows_.count - 1);
  SetRowCount(rows_.count - 1);
}

// ------------------------------------------------------ scroll bars ----

TRect TCustomGrid::GetClientRect() const {
  return ClientInsideScrollBars(TWinControl::GetClientRect(), showV_, showH_);
}

void TCustomGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutChanged();
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  LayoutChanged();
}

// Sizes changed: decide which bars are needed (one bar can make the other
// necessary), then let the client area and the paint canvas follow.
void TCustomGrid::LayoutChanged() {
  if (updatingBars_) return;
  updatingBars_ = true;
  TRect full = TWinControl::GetClientRect();
  bool allowV = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  bool allowH = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  bool v = false, h = false;
  for (int pass = 0; pass < 3; ++pass) {
    int w = full.Width() - (v ? ScrollBarSize : 0), ht = full.Height() - (h ? ScrollBarSize : 0);
    TGridAxisInfo hi = AxisInfo(cols_, topLeft_.X, w, {goFixedVertLine, goVertLine});
    TGridAxisInfo vi = AxisInfo(rows_, topLeft_.Y, ht, {goFixedHorzLine, goHorzLine});
    v = allowV && MaxTopLeft(rows_, vi, rows_.count - 1) > rows_.fixed;
    h = allowH && MaxTopLeft(cols_, hi, cols_.count - 1) > cols_.fixed;
  }
  bool changed = v != showV_ || h != showH_;
  showV_ = v;
  showH_ = h;
  if (changed && Surface()) {
    TargetClientArea();
    Invalidate();
  }
  updatingBars_ = false;
  UpdateScrollBars();
}

// The bars count scrollable cells: position 0 is the first one at the top.
void TCustomGrid::UpdateScrollBars() {
  TGridAxisInfo h = HorzInfo(), v = VertInfo();
  int maxTop = MaxTopLeft(rows_, v, rows_.count - 1), maxLeft = MaxTopLeft(cols_, h, cols_.count - 1);
  PlaceScrollBars(GetClientRect(),
                  {showV_, showH_, std::max(rows_.count - rows_.fixed - 1, 0), rows_.count - maxTop,
                   topLeft_.Y - rows_.fixed, std::max(cols_.count - cols_.fixed - 1, 0), cols_.count - maxLeft,
                   topLeft_.X - cols_.fixed},
                  vbar_, hbar_);
}

void TCustomGrid::OnBarScroll(TClientScrollBar& bar, int code, int pos) {
  bool vert = &bar == &vbar_;
  TGridAxisInfo info = vert ? VertInfo() : HorzInfo();
  const TGridAxis& a = vert ? rows_ : cols_;
  int first = vert ? topLeft_.Y : topLeft_.X;
  int maxFirst = MaxTopLeft(a, info, a.count - 1);
  int next = first;
  switch (code) {
    case SB_LINEUP: next = first - 1; break;
    case SB_LINEDOWN: next = first + 1; break;
    case SB_PAGEUP: next = first - PageCount(info, first); break;
    case SB_PAGEDOWN: next = first + PageCount(info, first); break;
    case SB_THUMBTRACK:
      if (options_.Contains(goThumbTracking)) next = a.fixed + pos;
      break;
    case SB_THUMBPOSITION: next = a.fixed + pos; break;
    case SB_TOP: next = a.fixed; break;
    case SB_BOTTOM: next = maxFirst; break;
    default: return;
  }
  next = std::clamp(next, a.fixed, std::max(maxFirst, a.fixed));
  if (vert) MoveTopLeft(topLeft_.X, next); else MoveTopLeft(next, topLeft_.Y);
  UpdateScrollBars();  // the thumb snaps back when the grid did not follow
}

}  // namespace qel
