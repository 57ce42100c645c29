// TCustomGrid painting: grid lines, the cells of the four areas (fixed
// corner, fixed rows, fixed columns, scrollable cells), the focus
// rectangle, the sizing line and the scroll bars.
#include <algorithm>

#include "platform/grids/Grids.h"

namespace qel {

namespace {
// Lines of one area: after each cell of the walk, up to the area's end.
void DrawAxisLines(TCanvas* C, TGridAxisWalk w, int stop, bool vertical, int crossFrom, int crossTo) {
  for (; w.cell < w.axis->count && w.start < stop; w.Next()) {
    int pos = w.End();
    if (vertical) C->FillRect({pos, crossFrom, pos + w.lineWidth, crossTo});
    else C->FillRect({crossFrom, pos, crossTo, pos + w.lineWidth});
  }
}
}  // namespace

void TCustomGrid::Paint() {
  TCanvas* C = Canvas();
  TGridAxisInfo h = HorzInfo(), v = VertInfo();
  TGridAxisWalk fixedCols = TGridAxisWalk::Fixed(cols_, h), cols = TGridAxisWalk::Scrolled(cols_, h);
  TGridAxisWalk fixedRows = TGridAxisWalk::Fixed(rows_, v), rows = TGridAxisWalk::Scrolled(rows_, v);
  PaintLines(h, v);
  PaintArea(fixedCols, fixedRows, h.fixedBoundary, v.fixedBoundary, fixedColor_, {gdFixed});
  PaintArea(cols, fixedRows, h.gridBoundary, v.fixedBoundary, fixedColor_, {gdFixed});
  PaintArea(fixedCols, rows, h.fixedBoundary, v.gridBoundary, fixedColor_, {gdFixed});
  PaintArea(cols, rows, h.gridBoundary, v.gridBoundary, GetColor(), {});
  if (options_.Contains(goRowSelect) && defaultDrawing_ && Focused()) {
    TGridRect s = GetSelection();
    TRect r;
    if (AxisRange(h, cols_, s.Left, s.Right, r.Left, r.Right) && AxisRange(v, rows_, s.Top, s.Bottom, r.Top, r.Bottom))
      DrawFocusRect(C, r);
  }
  // What the cells leave free.
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(GetColor());
  if (h.gridBoundary < h.gridExtent) C->FillRect({h.gridBoundary, 0, h.gridExtent, v.gridBoundary});
  if (v.gridBoundary < v.gridExtent) C->FillRect({0, v.gridBoundary, h.gridExtent, v.gridExtent});
  if (gridState_ == gsColSizing || gridState_ == gsRowSizing) PaintSizingLine();
}

void TCustomGrid::PaintLines(const TGridAxisInfo& h, const TGridAxisInfo& v) {
  TCanvas* C = Canvas();
  C->Brush()->SetStyle(bsSolid);
  bool fixedV = options_.Contains(goFixedVertLine), fixedH = options_.Contains(goFixedHorzLine);
  bool vert = options_.Contains(goVertLine), horz = options_.Contains(goHorzLine);
  auto area = [&](bool doV, bool doH, TGridAxisWalk cols, TGridAxisWalk rows, int x1, int y1, TColor color) {
    int x0 = cols.start, y0 = rows.start;
    if (x1 <= x0 || y1 <= y0) return;
    C->Brush()->SetColor(color);
    if (doV && h.lineWidth > 0) DrawAxisLines(C, cols, x1, true, y0, y1);
    if (doH && v.lineWidth > 0) DrawAxisLines(C, rows, y1, false, x0, x1);
  };
  TGridAxisWalk fixedCols = TGridAxisWalk::Fixed(cols_, h), cols = TGridAxisWalk::Scrolled(cols_, h);
  TGridAxisWalk fixedRows = TGridAxisWalk::Fixed(rows_, v), rows = TGridAxisWalk::Scrolled(rows_, v);
  // Fixed cells have black lines (the classic look), the others silver.
  area(fixedV, fixedH, fixedCols, fixedRows, h.fixedBoundary, v.fixedBoundary, clBlack);
  area(fixedV, fixedH, cols, fixedRows, h.gridBoundary, v.fixedBoundary, clBlack);
  area(fixedV, fixedH, fixedCols, rows, h.fixedBoundary, v.gridBoundary, clBlack);
  area(vert, horz, cols, rows, h.gridBoundary, v.gridBoundary, clSilver);
}

void TCustomGrid::PaintArea(TGridAxisWalk cols, TGridAxisWalk rows, int x1, int y1, TColor color,
                            TGridDrawState base) {
  TRect clip = Canvas()->GetClipRect();
  for (; rows.start < y1 && rows.cell < rows_.count; rows.Next()) {
    if (rows.End() <= clip.Top || rows.start >= clip.Bottom) continue;
    for (TGridAxisWalk c = cols; c.start < x1 && c.cell < cols_.count; c.Next()) {
      TRect where{c.start, rows.start, c.End(), rows.End()};
      if (where.IsEmpty() || IntersectRect(where, clip).IsEmpty()) continue;
      int col = c.cell, row = rows.cell;
      TGridDrawState state = base;
      if (Focused() && row == current_.Y && col == current_.X) state.Include(gdFocused);
      TGridRect s = GetSelection();
      if (col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom) state.Include(gdSelected);
      PaintCell(col, row, where, color, state);
    }
  }
}

void TCustomGrid::PaintCell(int col, int row, const TRect& where, TColor color, TGridDrawState state) {
  // The editor covers the focused cell while it is shown.
  if (state.Contains(gdFocused) && options_.Contains(goEditing) && editorMode_) return;
  TCanvas* C = Canvas();
  C->Font()->Assign(GetFont());
  C->Brush()->SetColor(color);
  if (defaultDrawing_) {
    bool highlight = state.Contains(gdSelected) &&
                     (!state.Contains(gdFocused) || !(options_ * TGridOptions{goDrawFocusSelected, goRowSelect}).Empty());
    if (highlight) {
      C->Brush()->SetColor(clHighlight);
      C->Font()->SetColor(clHighlightText);
    }
    C->FillRect(where);
  }
  DrawCell(col, row, where, state);
  if (!defaultDrawing_) return;
  bool fixedLines = options_.Contains(goFixedVertLine) || options_.Contains(goFixedHorzLine);
  if (state.Contains(gdFixed) && GetCtl3D() && fixedLines) {
    // Raised inner edge: light top and left, shadow bottom and right; lines
    // of one direction alone run the cell's full length.
    bool rows = options_.Contains(goFixedHorzLine), cols = options_.Contains(goFixedVertLine);
    DrawEdge(C, where, clBtnHighlight, clBtnShadow,
             {.TopRight = cols ? ecDark : ecLight, .BottomLeft = rows ? ecDark : ecLight,
              .Rows = rows, .Columns = cols});
  }
  bool editorAlways = options_.Contains(goEditing) && options_.Contains(goAlwaysShowEditor);
  if (state.Contains(gdFocused) && !editorAlways && !options_.Contains(goRowSelect)) DrawFocusRect(C, where);
}

// While a border is dragged, a dark line shows where it will go.
void TCustomGrid::PaintSizingLine() {
  TCanvas* C = Canvas();
  TRect client = GetClientRect();
  C->Brush()->SetColor(clBlack);
  if (gridState_ == gsColSizing) C->FillRect({sizingPos_, 0, sizingPos_ + 1, client.Bottom});
  else C->FillRect({0, sizingPos_, client.Right, sizingPos_ + 1});
}

// Outside the client area: the border, the bars and the corner between them.
void TCustomGrid::PaintBorder() {
  TCustomControl::PaintBorder();
  PaintScrollBars(*this, showV_ ? &vbar_ : nullptr, showH_ ? &hbar_ : nullptr);
}

}  // namespace qel
