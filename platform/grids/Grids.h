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
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TInplaceEdit;
class TStrings;

/// Raised for a grid operation that cannot be done (a bad index, a count below the fixed lines).
QEL_EXCEPTION(EInvalidGridOperation, EInvalidOperation)

/// A cell: column X, row Y.
struct TGridCoord {
  /// Column and row.
  ///@{
  int X = 0, Y = 0;
  ///@}
  /// Same column and row.
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};
/// A block of cells, corners included.
struct TGridRect {
  /// Columns Left..Right, rows Top..Bottom.
  ///@{
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  ///@}
  /// Same corners.
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

/// Behaviour and look of a grid: which lines it draws, range selection, sizing and moving of lines, editing, Tab, row selection, ...
enum TGridOption : uint8_t {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing,
  goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking
};
/// A set of grid options.
using TGridOptions = TSet<TGridOption>;
/// How a cell is drawn: selected, holding the focus, fixed.
enum TGridDrawStateItem : uint8_t { gdSelected, gdFocused, gdFixed };
/// A set of draw states.
using TGridDrawState = TSet<TGridDrawStateItem>;
/// What the mouse is doing in a grid: nothing, selecting, sizing or moving a line.
enum TGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
/// How the in-place editor looks: plain, with an ellipsis button, or with a pick list.
enum TEditStyle : uint8_t { esSimple, esEllipsis, esPickList };

/// Fires to draw a cell (Rect: client coordinates).
using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
/// Fires before a cell becomes current; setting CanSelect to false refuses it.
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
/// Fires when the editor asks for a cell's text (or edit mask).
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
/// Fires when the editor hands back a cell's text.
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
/// Fires after a column or row was moved.
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
/// Fires to fill the pick list of a cell.
using TGetPickListItemsEvent = std::function<void(TObject* Sender, int ACol, int ARow, TStrings* Items)>;

/// Deletes the in-place editor while the grid is still whole.
struct TInplaceEditDeleter {
  /// Deletes Editor.
  void operator()(TInplaceEdit* Editor) const;
};

/// One direction of the grid: the sizes of its cells and which are fixed.
/// Individual sizes are stored for the cells up to the last one sized; the
/// cells after it have the default. So a grid of ten million rows whose
/// header row is taller costs one entry, not ten million.
struct TGridAxis {
  /// Number of cells, fixed ones and the size of cells not sized.
  ///@{
  int count = 0, fixed = 0, defaultSize = 0;
  ///@}
  /// Sizes of the cells up to the last one sized.
  std::vector<int> sizes;
  /// Size of cell i in pixels.
  int Size(int i) const { return i >= 0 && i < count && size_t(i) < sizes.size() ? sizes[size_t(i)] : defaultSize; }
  /// Sizes cell i.
  void SetSize(int i, int v);
  /// Sets the number of cells.
  void Resize(int n);
  /// Moves a cell's size from one place to another.
  void Move(int from, int to);
};

/// Where the cells of one direction lie for the current scroll position.
struct TGridAxisInfo {
  int lineWidth = 0;      ///< The line after each cell
  int fixedBoundary = 0;  ///< End of the fixed cells, their lines included
  int gridBoundary = 0;   ///< End of the last drawn cell, at most gridExtent
  int gridExtent = 0;     ///< Client size
  int firstCell = 0;      ///< LeftCol or TopRow
  /// The last cell that is fully visible.
  int lastFullVisible = 0;
  /// Number of cells and fixed ones.
  ///@{
  int count = 0, fixed = 0;
  ///@}
};

/// A walk along the cells of one direction as they lie on screen: each cell
/// starts where the one before it ends, past its grid line. Painting, hit
/// testing and cell rectangles all find cells this way. The fixed cells
/// start at 0; the scrollable ones on screen after the fixed ones, from the
/// first visible cell.
struct TGridAxisWalk {
  /// The axis walked.
  const TGridAxis* axis;
  /// Width of the line after each cell.
  int lineWidth;
  /// The cell reached and where it starts.
  ///@{
  int cell, start;
  ///@}
  /// The walk from the first fixed cell.
  static TGridAxisWalk Fixed(const TGridAxis& a, const TGridAxisInfo& info) { return {&a, info.lineWidth, 0, 0}; }
  /// The walk from the first scrolled cell on screen.
  static TGridAxisWalk Scrolled(const TGridAxis& a, const TGridAxisInfo& info) {
    return {&a, info.lineWidth, info.firstCell, info.fixedBoundary};
  }
  /// Where the cell ends and its line begins, and where the next cell starts.
  ///@{
  int End() const { return start + axis->Size(cell); }
  int NextStart() const { return End() + lineWidth; }
  ///@}
  /// Moves on to the next cell.
  void Next() {
    start = NextStart();
    ++cell;
  }
};

/// The base of grids: columns and rows of cells with fixed ones, lines, selection, scrolling, sizing and moving of lines, and an in-place editor.
class TCustomGrid : public TCustomControl {
 public:
  /// A 320 x 120 grid of 5 x 5 cells, one fixed column and row.
  explicit TCustomGrid(TComponent* AOwner);
  /// Frees the editor.
  ~TCustomGrid() override;

  /// Number of columns, fixed ones included.
  ///@{
  int GetColCount() const { return cols_.count; }
  void SetColCount(int v);
  ///@}
  /// Number of rows, fixed ones included.
  ///@{
  int GetRowCount() const { return rows_.count; }
  void SetRowCount(int v);
  ///@}
  /// Number of fixed columns at the left.
  ///@{
  int GetFixedCols() const { return cols_.fixed; }
  void SetFixedCols(int v);
  ///@}
  /// Number of fixed rows at the top.
  ///@{
  int GetFixedRows() const { return rows_.fixed; }
  void SetFixedRows(int v);
  ///@}
  /// Width in pixels of columns not sized.
  ///@{
  int GetDefaultColWidth() const { return cols_.defaultSize; }
  void SetDefaultColWidth(int v);
  ///@}
  /// Height in pixels of rows not sized.
  ///@{
  int GetDefaultRowHeight() const { return rows_.defaultSize; }
  void SetDefaultRowHeight(int v);
  ///@}
  /// Width of a column in pixels.
  ///@{
  int GetColWidths(int Index) const { return cols_.Size(Index); }
  void SetColWidths(int Index, int Width);
  ///@}
  /// Height of a row in pixels.
  ///@{
  int GetRowHeights(int Index) const { return rows_.Size(Index); }
  void SetRowHeights(int Index, int Height);
  ///@}
  /// Width of the grid lines in pixels.
  ///@{
  int GetGridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int v);
  ///@}
  /// Behaviour and look (see TGridOption).
  ///@{
  TGridOptions GetOptions() const { return options_; }
  void SetOptions(TGridOptions v);
  ///@}
  /// Colour of the fixed cells.
  ///@{
  TColor GetFixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor v);
  ///@}
  /// Which scroll bars are shown when needed.
  ///@{
  TScrollStyle GetScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  ///@}
  /// Whether the grid draws cells itself before the draw hooks.
  ///@{
  bool GetDefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool v);
  ///@}

  /// Column of the current cell.
  ///@{
  int GetCol() const { return current_.X; }
  void SetCol(int v);
  ///@}
  /// Row of the current cell.
  ///@{
  int GetRow() const { return current_.Y; }
  void SetRow(int v);
  ///@}
  /// The selected block of cells.
  ///@{
  TGridRect GetSelection() const;
  void SetSelection(const TGridRect& v);
  ///@}
  /// First scrollable row on screen.
  ///@{
  int GetTopRow() const { return topLeft_.Y; }
  void SetTopRow(int v);
  ///@}
  /// First scrollable column on screen.
  ///@{
  int GetLeftCol() const { return topLeft_.X; }
  void SetLeftCol(int v);
  ///@}
  /// Number of scrollable columns and rows fully on screen.
  ///@{
  int VisibleColCount();
  int VisibleRowCount();
  ///@}

  /// Whether the in-place editor is shown.
  ///@{
  bool GetEditorMode() const { return editorMode_; }
  void SetEditorMode(bool v);
  ///@}
  /// The in-place editor (nullptr before it is first shown).
  TInplaceEdit* InplaceEditor() const { return inplaceEdit_.get(); }

  /// Cell geometry in client coordinates; an empty rectangle for a cell that
  /// is not on screen. MouseCoord gives -1, -1 outside the cells; a grid
  /// line belongs to the cell on its left or above it.
  ///@{
  TRect CellRect(int ACol, int ARow);
  TGridCoord MouseCoord(int X, int Y);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  ///@}
  /// Extent of the cells on screen (their lines included), at most the client.
  ///@{
  int GetGridWidth();
  int GetGridHeight();
  ///@}

  /// The area inside the border and beside the scroll bars.
  TRect GetClientRect() const override;
  /// Moves or resizes the grid and updates the scroll bars.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  /// The bars, for tests and for controls that look at them.
  ///@{
  TClientScrollBar& VertScrollBar() { return vbar_; }
  TClientScrollBar& HorzScrollBar() { return hbar_; }
  ///@}

 protected:
  // --- hooks descendants override, as on the platform ---
  /// Draws one cell (descendants override it).
  virtual void DrawCell(int /*ACol*/, int /*ARow*/, const TRect& /*ARect*/, TGridDrawState /*AState*/) {}
  /// Whether a cell may become current.
  virtual bool SelectCell(int /*ACol*/, int /*ARow*/) { return true; }
  /// The first visible scrollable cell changed.
  virtual void TopLeftChanged();
  /// The number of columns or rows changed.
  virtual void SizeChanged(int /*OldColCount*/, int /*OldRowCount*/) {}
  /// Column widths or row heights changed.
  ///@{
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  ///@}
  /// A column or row was moved.
  ///@{
  virtual void ColumnMoved(int /*FromIndex*/, int /*ToIndex*/) {}
  virtual void RowMoved(int /*FromIndex*/, int /*ToIndex*/) {}
  ///@}
  /// The text the editor starts with.
  virtual std::string GetEditText(int /*ACol*/, int /*ARow*/) { return {}; }
  /// Takes the text the editor hands back.
  virtual void SetEditText(int /*ACol*/, int /*ARow*/, const std::string& /*Value*/) {}
  /// Whether the editor may show (goEditing and a scrollable current cell).
  virtual bool CanEditShow();
  /// Whether the editor may change the text.
  virtual bool CanEditModify() { return true; }
  /// How the editor of a cell looks.
  virtual TEditStyle GetEditStyle(int /*ACol*/, int /*ARow*/) { return esSimple; }
  /// Most characters the editor takes (0: no limit).
  virtual int GetEditLimit() { return 0; }
  /// The default editor is a TInplaceEditList bound to GetPickListItems and
  /// EditButtonClick, so esPickList and esEllipsis work in every grid.
  virtual TInplaceEdit* CreateEditor();
  /// Fills the pick list of a cell.
  virtual void GetPickListItems(int /*ACol*/, int /*ARow*/, TStrings* /*Items*/) {}
  /// The editor's ellipsis button was clicked.
  virtual void EditButtonClick() {}
  /// Show, hide or repaint the in-place editor.
  ///@{
  void ShowEditor();
  void HideEditor();
  void InvalidateEditor();
  ///@}

  /// Mark a cell, a column, a row or the whole grid for painting.
  ///@{
  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid() { Invalidate(); }
  ///@}
  /// Move a column or row (firing ColumnMoved or RowMoved).
  ///@{
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  ///@}
  /// Delete a column or a row.
  ///@{
  void DeleteColumn(int ACol);
  void DeleteRow(int ARow);
  ///@}
  /// Moves the current cell (MoveAnchor false extends a range selection).
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  /// Moves the current cell, scrolling it into view when Show.
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  /// Scrolls so that (ALeft, ATop) is the first scrollable cell on screen.
  void MoveTopLeft(int ALeft, int ATop);
  /// What the mouse is doing.
  TGridState GridState() const { return gridState_; }
  /// Height of the fixed rows: down to below their last line (WithLines), or
  /// their cells alone.
  int FixedRowsHeight(bool WithLines) const;

  /// Paints the lines and every visible cell.
  void Paint() override;
  /// Arrows, Page Up/Down, Home, End, Tab and F2 move the current cell or open
  /// the editor; Ctrl+Tab (Ctrl+Shift+Tab) moves the focus to the next
  /// (previous) control, the way out of a grid that keeps Tab for its cells.
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  /// Typing opens the editor.
  void KeyPress(char32_t& Key) override;
  /// Selects cells, or starts sizing or moving a line.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Extends the selection, or sizes or moves a line.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  /// Ends selecting, sizing or moving.
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Scroll by a row per notch.
  ///@{
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  ///@}
  /// Handles the scroll bars and the dialog keys the grid wants.
  void WndProc(TMessage& Message) override;
  /// Draws the border and the scroll bars.
  void PaintBorder() override;
  /// Brings up the scroll bars with the window.
  void CreateWnd() override;
  /// Repaint the current cell when the focus comes or goes.
  ///@{
  void DoEnter() override;
  void DoExit() override;
  ///@}

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
  void SetFixedCount(TGridAxis& Axis, int v, const char* TooMany);
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
  // Whether the grid claims Tab for its cells (its dialog code says so).
  bool WantsTab();
  // The cell a Tab (Backwards: Shift+Tab) moves on to from Cell.
  TGridCoord TabStep(TGridCoord Cell, bool Backwards) const;
  // Moves the focus to the next (previous) control of the form in tab
  // order, past the grid's own editors.
  void FocusNextControl(bool GoForward);
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
  /// An empty grid (see TCustomGrid).
  explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  /// See TDrawCellEvent.
  TDrawCellEvent OnDrawCell;
  /// See TSelectCellEvent.
  TSelectCellEvent OnSelectCell;
  /// Fires when the first visible scrollable cell changes.
  TNotifyEvent OnTopLeftChanged;
  /// See TGetEditEvent.
  ///@{
  TGetEditEvent OnGetEditText, OnGetEditMask;
  ///@}
  /// See TSetEditEvent.
  TSetEditEvent OnSetEditText;
  /// See TMovedEvent.
  ///@{
  TMovedEvent OnColumnMoved, OnRowMoved;
  ///@}
  /// See TGetPickListItemsEvent.
  TGetPickListItemsEvent OnGetPickListItems;
  /// Fires when the editor's ellipsis button is clicked.
  TNotifyEvent OnEditButtonClick;

 protected:
  /// Fires OnDrawCell.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  /// Fires OnSelectCell.
  bool SelectCell(int ACol, int ARow) override;
  /// Fires OnTopLeftChanged.
  void TopLeftChanged() override;
  /// Fires OnColumnMoved.
  void ColumnMoved(int FromIndex, int ToIndex) override;
  /// Fires OnRowMoved.
  void RowMoved(int FromIndex, int ToIndex) override;
  /// Fires OnGetEditText.
  std::string GetEditText(int ACol, int ARow) override;
  /// Fires OnSetEditText.
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  /// Fires OnGetPickListItems.
  void GetPickListItems(int ACol, int ARow, TStrings* Items) override;
  /// Fires OnEditButtonClick.
  void EditButtonClick() override;
};

/// A grid whose cells the application draws (OnDrawCell).
class TDrawGrid : public TCustomDrawGrid {
 public:
  /// An empty grid.
  ///@{
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
  using TCustomGrid::CellRect;
  using TCustomGrid::MouseToCell;
  ///@}
};

/// Texts per cell, drawn left-aligned with a small margin; editing changes them.
class TStringGrid : public TDrawGrid {
 public:
  /// An empty grid.
  explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}
  /// Empty for a cell out of range; setting one out of range raises.
  ///@{
  std::string GetCells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& Value);
  ///@}

 protected:
  /// Draws the cell's text.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  /// The cell's text.
  std::string GetEditText(int ACol, int ARow) override;
  /// Stores the edited text.
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  /// Moves the texts with their column or row.
  ///@{
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  ///@}
  /// Keeps the texts of the cells that remain.
  void SizeChanged(int OldColCount, int OldRowCount) override;

 private:
  // Rows of cells, allocated as they are written.
  std::vector<std::vector<std::string>> cells_;
};

QEL_API_END
}  // namespace qel
