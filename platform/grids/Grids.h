// Grids: TCustomGrid (geometry, painting, selection, scrolling, sizing and
// the in-place editor), TCustomDrawGrid (the events), TDrawGrid and
// TStringGrid (texts per cell).
//
// Geometry, as the platform's: each column is its width plus the grid line
// to its right (GridLineWidth when any vertical line option is on, else 0);
// rows likewise downwards. The fixed columns and rows stay at the left and
// top; the others scroll so that LeftCol/TopRow follow the fixed ones. A
// cell that reaches past the client area is drawn cut off and counts as
// visible but not as fully visible (VisibleColCount/VisibleRowCount count
// the fully visible ones).
//
// Look (the classic one): lines between fixed cells are black and every
// fixed cell has a raised inner edge (clBtnHighlight top-left,
// clBtnShadow bottom-right) when DefaultDrawing; lines between the other
// cells are clSilver.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/ScrollBars.h"

namespace qel {

class TInplaceEdit;
class TStrings;

QEL_EXCEPTION(EInvalidGridOperation, EInvalidOperation)

struct TGridCoord {
  int X = 0, Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum TGridOption : uint8_t {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing,
  goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption>;
enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;
enum TGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
enum TEditStyle : uint8_t { esSimple, esEllipsis, esPickList };

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetPickListItemsEvent = std::function<void(TObject* Sender, int ACol, int ARow, TStrings* Items)>;

/// Deletes the in-place editor while the grid is still whole.
struct TInplaceEditDeleter {
  void operator()(TInplaceEdit* Editor) const;
};

/// One direction of the grid: the sizes of its cells and which are fixed.
/// Individual sizes are stored for the cells up to the last one sized; the
/// cells after it have the default. So a grid of ten million rows whose
/// header row is taller costs one entry, not ten million.
struct TGridAxis {
  int count = 0, fixed = 0, defaultSize = 0;
  std::vector<int> sizes;
  int Size(int i) const { return i >= 0 && i < count && size_t(i) < sizes.size() ? sizes[i] : defaultSize; }
  void SetSize(int i, int v);
  void Resize(int n);
  void Move(int from, int to);
};

/// Where the cells of one direction lie for the current scroll position.
struct TGridAxisInfo {
  int lineWidth = 0;      ///< The line after each cell
  int fixedBoundary = 0;  ///< End of the fixed cells, their lines included
  int gridBoundary = 0;   ///< End of the last drawn cell, at most gridExtent
  int gridExtent = 0;     ///< Client size
  int firstCell = 0;      ///< LeftCol or TopRow
  int lastFullVisible = 0;
  int count = 0, fixed = 0;
};

/// A walk along the cells of one direction as they lie on screen: each cell
/// starts where the one before it ends, past its grid line. Painting, hit
/// testing and cell rectangles all find cells this way. The fixed cells
/// start at 0; the scrollable ones on screen after the fixed ones, from the
/// first visible cell.
struct TGridAxisWalk {
  const TGridAxis* axis;
  int lineWidth;
  int cell, start;
  static TGridAxisWalk Fixed(const TGridAxis& a, const TGridAxisInfo& info) { return {&a, info.lineWidth, 0, 0}; }
  static TGridAxisWalk Scrolled(const TGridAxis& a, const TGridAxisInfo& info) {
    return {&a, info.lineWidth, info.firstCell, info.fixedBoundary};
  }
  /// Where the cell ends and its line begins, and where the next cell starts.
  int End() const { return start + axis->Size(cell); }
  int NextStart() const { return End() + lineWidth; }
  void Next() {
    start = NextStart();
    ++cell;
  }
};

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  int GetColCount() const { return cols_.count; }
  void SetColCount(int v);
  int GetRowCount() const { return rows_.count; }
  void SetRowCount(int v);
  int GetFixedCols() const { return cols_.fixed; }
  void SetFixedCols(int v);
  int GetFixedRows() const { return rows_.fixed; }
  void SetFixedRows(int v);
  int GetDefaultColWidth() const { return cols_.defaultSize; }
  void SetDefaultColWidth(int v);
  int GetDefaultRowHeight() const { return rows_.defaultSize; }
  void SetDefaultRowHeight(int v);
  int GetColWidths(int Index) const { return cols_.Size(Index); }
  void SetColWidths(int Index, int Width);
  int GetRowHeights(int Index) const { return rows_.Size(Index); }
  void SetRowHeights(int Index, int Height);
  int GetGridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int v);
  TGridOptions GetOptions() const { return options_; }
  void SetOptions(TGridOptions v);
  TColor GetFixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor v);
  TScrollStyle GetScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool GetDefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool v);

  int GetCol() const { return current_.X; }
  void SetCol(int v);
  int GetRow() const { return current_.Y; }
  void SetRow(int v);
  TGridRect GetSelection() const;
  void SetSelection(const TGridRect& v);
  int GetTopRow() const { return topLeft_.Y; }
  void SetTopRow(int v);
  int GetLeftCol() const { return topLeft_.X; }
  void SetLeftCol(int v);
  int VisibleColCount();
  int VisibleRowCount();

  bool GetEditorMode() const { return editorMode_; }
  void SetEditorMode(bool v);
  TInplaceEdit* InplaceEditor() const { return inplaceEdit_.get(); }

  /// Cell geometry in client coordinates; an empty rectangle for a cell that
  /// is not on screen. MouseCoord gives -1, -1 outside the cells; a grid
  /// line belongs to the cell on its left or above it.
  TRect CellRect(int ACol, int ARow);
  TGridCoord MouseCoord(int X, int Y);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  /// Extent of the cells on screen (their lines included), at most the client.
  int GetGridWidth();
  int GetGridHeight();

  TRect GetClientRect() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  /// The bars, for tests and for controls that look at them.
  TClientScrollBar& VertScrollBar() { return vbar_; }
  TClientScrollBar& HorzScrollBar() { return hbar_; }

 protected:
  // --- hooks descendants override, as on the platform ---
  virtual void DrawCell(int /*ACol*/, int /*ARow*/, const TRect& /*ARect*/, TGridDrawState /*AState*/) {}
  virtual bool SelectCell(int /*ACol*/, int /*ARow*/) { return true; }
  virtual void TopLeftChanged();
  virtual void SizeChanged(int /*OldColCount*/, int /*OldRowCount*/) {}
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void ColumnMoved(int /*FromIndex*/, int /*ToIndex*/) {}
  virtual void RowMoved(int /*FromIndex*/, int /*ToIndex*/) {}
  virtual std::string GetEditText(int /*ACol*/, int /*ARow*/) { return {}; }
  virtual void SetEditText(int /*ACol*/, int /*ARow*/, const std::string& /*Value*/) {}
  virtual bool CanEditShow();
  virtual bool CanEditModify() { return true; }
  virtual TEditStyle GetEditStyle(int /*ACol*/, int /*ARow*/) { return esSimple; }
  virtual int GetEditLimit() { return 0; }
  /// The default editor is a TInplaceEditList bound to GetPickListItems and
  /// EditButtonClick, so esPickList and esEllipsis work in every grid.
  virtual TInplaceEdit* CreateEditor();
  virtual void GetPickListItems(int /*ACol*/, int /*ARow*/, TStrings* /*Items*/) {}
  virtual void EditButtonClick() {}
  void ShowEditor();
  void HideEditor();
  void InvalidateEditor();

  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid() { Invalidate(); }
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  void DeleteColumn(int ACol);
  void DeleteRow(int ARow);
  /// Moves the current cell (MoveAnchor false extends a range selection).
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  void MoveTopLeft(int ALeft, int ATop);
  TGridState GridState() const { return gridState_; }

  void Paint() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void WndProc(TMessage& Message) override;
  void PaintBorder() override;
  void CreateWnd() override;
  void DoEnter() override;
  void DoExit() override;

 private:
  friend class TInplaceEdit;
  friend class TInplaceEditList;
  TGridAxisInfo AxisInfo(const TGridAxis& a, int first, int extent, TGridOptions lineOpts) const;
  TGridAxisInfo HorzInfo() const;
  TGridAxisInfo VertInfo() const;
  int MaxTopLeft(const TGridAxis& a, const TGridAxisInfo& info, int last) const;
  bool AxisRange(const TGridAxisInfo& info, const TGridAxis& a, int first, int last, int& from, int& to) const;
  int LinePos(const TGridAxisInfo& info, const TGridAxis& a, int cell) const;
  int CellAt(const TGridAxisInfo& info, const TGridAxis& a, int pos) const;
  // Where the column or row being sized starts.
  int SizingStart() const;
  void ChangeSize(int newCols, int newRows);
  void ClampInView(TGridCoord c);
  void SelectionMoved(const TGridRect& oldSel);
  void InvalidateGridRect(const TGridRect& r);
  void TopLeftMoved(TGridCoord old);
  void MoveAnchor(TGridCoord c);
  void UpdateScrollBars();
  void LayoutChanged();
  void OnBarScroll(TClientScrollBar& bar, int code, int pos);
  void PaintLines(const TGridAxisInfo& h, const TGridAxisInfo& v);
  // The cells of one area, from the walks' cells on to the area's end (x1, y1).
  void PaintArea(TGridAxisWalk cols, TGridAxisWalk rows, int x1, int y1, TColor color, TGridDrawState base);
  void PaintCell(int col, int row, const TRect& where, TColor color, TGridDrawState state);
  void PaintSizingLine();
  bool CalcSizingState(int X, int Y);
  void UpdateEdit();
  void HideEdit();
  void UpdateText();
  // The grid or its editor holds the focus.
  bool FocusInside() const;
  // Opens the editor for a typed character; false when no editor took it.
  bool ShowEditorChar(char32_t Ch);
  int PageCount(const TGridAxisInfo& info, int first) const;

  TGridAxis cols_, rows_;
  int gridLineWidth_ = 1;
  TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TColor fixedColor_ = clBtnFace;
  TScrollStyle scrollBars_ = ssBoth;
  bool defaultDrawing_ = true;
  TGridCoord current_{1, 1}, anchor_{1, 1}, topLeft_{1, 1};
  TGridState gridState_ = gsNormal;
  int sizingIndex_ = -1, sizingPos_ = 0, sizingOfs_ = 0;
  TClientScrollBar vbar_{sbVertical}, hbar_{sbHorizontal};
  bool showV_ = false, showH_ = false;
  TClientScrollBar* barTracking_ = nullptr;
  bool editorMode_ = false;
  std::unique_ptr<TInplaceEdit, TInplaceEditDeleter> inplaceEdit_;
  TGridCoord inplaceCell_{-1, -1};  // the cell the editor's text belongs to
  bool enterFromEditor_ = false;    // the focus comes back from the editor: no OnEnter
  bool updatingBars_ = false;
};

/// The platform's TCustomDrawGrid: the events the hooks fire.
class TCustomDrawGrid : public TCustomGrid {
 public:
  explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TGetEditEvent OnGetEditText, OnGetEditMask;
  TSetEditEvent OnSetEditText;
  TMovedEvent OnColumnMoved, OnRowMoved;
  TGetPickListItemsEvent OnGetPickListItems;
  TNotifyEvent OnEditButtonClick;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  void GetPickListItems(int ACol, int ARow, TStrings* Items) override;
  void EditButtonClick() override;
};

class TDrawGrid : public TCustomDrawGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
  using TCustomGrid::CellRect;
  using TCustomGrid::MouseToCell;
};

/// Texts per cell, drawn left-aligned with a small margin; editing changes them.
class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}
  /// Empty for a cell out of range; setting one out of range raises.
  std::string GetCells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& Value);

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;

 private:
  // Rows of cells, allocated as they are written.
  std::vector<std::vector<std::string>> cells_;
};

}  // namespace qel
