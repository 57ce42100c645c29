// TCustomGrid geometry: where cells lie for the current scroll position,
// cell rectangles, hit-testing and the scroll limits. Every walk starts at
// the first visible cell and stops at the client's edge, so the cost is that
// of the cells on screen whatever the grid's size.
#include <algorithm>

#include "platform/grids/Grids.h"

namespace qel {

void TGridAxis::SetSize(int i, int v) {
  if (size_t(i) >= sizes.size()) sizes.resize(size_t(i) + 1, defaultSize);
  sizes[i] = v;
}

void TGridAxis::Resize(int n) {
  count = n;
  if (sizes.size() > size_t(n)) sizes.resize(n);
}

// Moving one default-sized cell among others changes nothing.
void TGridAxis::Move(int from, int to) {
  if (from == to || (size_t(from) >= sizes.size() && size_t(to) >= sizes.size())) return;
  sizes.resize(std::max(sizes.size(), size_t(std::max(from, to)) + 1), defaultSize);
  int v = sizes[from];
  sizes.erase(sizes.begin() + from);
  sizes.insert(sizes.begin() + to, v);
}

TGridAxisInfo TCustomGrid::AxisInfo(const TGridAxis& a, int first, int extent, TGridOptions lineOpts) const {
  TGridAxisInfo info;
  info.lineWidth = (options_ * lineOpts).Empty() ? 0 : gridLineWidth_;
  info.count = a.count;
  info.fixed = a.fixed;
  info.firstCell = first;
  info.gridExtent = extent;
  TGridAxisWalk w = TGridAxisWalk::Fixed(a, info);
  while (w.cell < a.fixed) w.Next();
  info.fixedBoundary = w.start;
  info.gridBoundary = info.fixedBoundary;
  info.lastFullVisible = first;
  for (w = TGridAxisWalk::Scrolled(a, info); w.cell < a.count; w.Next()) {
    // The line after the last cell may fall off the edge; the cell may not.
    if (w.End() > extent) {
      info.gridBoundary = extent;
      break;
    }
    info.gridBoundary = w.NextStart();
    info.lastFullVisible = w.cell;
  }
  return info;
}

TGridAxisInfo TCustomGrid::HorzInfo() const {
  return AxisInfo(cols_, topLeft_.X, GetClientRect().Width(), {goFixedVertLine, goVertLine});
}

TGridAxisInfo TCustomGrid::VertInfo() const {
  return AxisInfo(rows_, topLeft_.Y, GetClientRect().Height(), {goFixedHorzLine, goHorzLine});
}

int TCustomGrid::FixedRowsHeight(bool WithLines) const {
  TGridAxisInfo info = VertInfo();
  if (!WithLines) info.lineWidth = 0;
  TGridAxisWalk w = TGridAxisWalk::Fixed(rows_, info);
  while (w.cell < rows_.fixed) w.Next();
  return w.start;
}

// The first cell that still shows `last` whole when scrolled to the end.
int TCustomGrid::MaxTopLeft(const TGridAxis& a, const TGridAxisInfo& info, int last) const {
  int result = last;
  int line = info.gridExtent + info.lineWidth;
  for (int i = last; i >= a.fixed; --i) {
    int extent = a.Size(i);
    if (extent <= 0) continue;
    line -= extent + info.lineWidth;
    if (line < info.fixedBoundary) {
      if (result == last && a.Size(last) <= 0) result = i;
      break;
    }
    result = i;
  }
  return std::max(result, a.fixed);
}

// Start of a cell: fixed cells from 0, the others after the fixed ones.
int TCustomGrid::LinePos(const TGridAxisInfo& info, const TGridAxis& a, int cell) const {
  TGridAxisWalk w = cell >= a.fixed ? TGridAxisWalk::Scrolled(a, info) : TGridAxisWalk::Fixed(a, info);
  for (; w.cell < cell; w.Next())
    if (w.NextStart() > info.gridExtent) return -1;
  return w.start;
}

// The screen span [from, to) of one cell of an axis; false when off screen.
bool TCustomGrid::AxisRange(const TGridAxisInfo& info, const TGridAxis& a, int first, int last, int& from,
                            int& to) const {
  if (first < 0 || last >= a.count || first > last) return false;
  // Cells scrolled off before the first visible one.
  if (first >= a.fixed && first < info.firstCell) {
    if (last < info.firstCell) return false;
    first = info.firstCell;
  }
  if (first > info.lastFullVisible + 1) return false;
  last = std::min(last, info.lastFullVisible + 1);
  from = LinePos(info, a, first);
  if (from < 0 || from >= info.gridExtent) return false;
  int lastStart = LinePos(info, a, last);
  if (lastStart < 0 || lastStart >= info.gridExtent) {
    --last;
    lastStart = last >= first ? LinePos(info, a, last) : from;
  }
  to = std::min(lastStart + a.Size(last), info.gridExtent);
  return true;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  TGridAxisInfo h = HorzInfo(), v = VertInfo();
  TRect r;
  if (!AxisRange(h, cols_, ACol, ACol, r.Left, r.Right)) return {};
  if (!AxisRange(v, rows_, ARow, ARow, r.Top, r.Bottom)) return {};
  return r;
}

int TCustomGrid::CellAt(const TGridAxisInfo& info, const TGridAxis& a, int pos) const {
  if (pos < 0 || pos >= info.gridBoundary) return -1;
  bool fixed = pos < info.fixedBoundary;
  int stop = fixed ? a.fixed : a.count;
  for (TGridAxisWalk w = fixed ? TGridAxisWalk::Fixed(a, info) : TGridAxisWalk::Scrolled(a, info); w.cell < stop;
       w.Next())
    if (pos < w.NextStart()) return w.cell;
  return -1;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  TGridCoord c{CellAt(HorzInfo(), cols_, X), CellAt(VertInfo(), rows_, Y)};
  if (c.X < 0 || c.Y < 0) return {-1, -1};
  return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

int TCustomGrid::SizingStart() const {
  bool col = gridState_ == gsColSizing;
  return LinePos(col ? HorzInfo() : VertInfo(), col ? cols_ : rows_, sizingIndex_);
}

int TCustomGrid::GetGridWidth() { return HorzInfo().gridBoundary; }
int TCustomGrid::GetGridHeight() { return VertInfo().gridBoundary; }

int TCustomGrid::VisibleColCount() { return HorzInfo().lastFullVisible - topLeft_.X + 1; }
int TCustomGrid::VisibleRowCount() { return VertInfo().lastFullVisible - topLeft_.Y + 1; }

// Cells a page moves: those fully visible less one, at least one.
int TCustomGrid::PageCount(const TGridAxisInfo& info, int first) const {
  return std::max(info.lastFullVisible - first, 1);
}

}  // namespace qel
