/// \file
/// QEL_ntabed: TNTabEd, a grid that shows and edits a numeric data table
/// (TDataTable) with row and column names, attributes, cell marks and a
/// precision per column. This header is what applications include.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Grid layout (table rows and columns count from 1, grid ones from 0):
///   grid column 0        row names
///   grid column 1        row attributes, while AttribRowVisible (column offset 1)
///   grid row 0           column names
///   grid row 1           column attributes, while AttribColVisible (row offset 1)
///   grid cell (0, 0)     the corner: "column:row" of the current cell, or
///                        "Comment:" while the comment is edited
/// Table column c is grid column c + column offset, table row r grid row
/// r + row offset.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Cell state byte (kept in the table): bit 0 invalid entry ("-nan-"),
/// bit 1 empty (shown blank, wins over bit 0), bit 6 mark A, bit 7 mark B.
///
/// Change notifications (OnChange, OnChangeSetup, OnHeadingChanged,
/// OnAttributeChanged, OnCellStateChanged, OnLayoutChanged,
/// OnSelectionChanged) are held back while painting is suppressed
/// (SetSuppressPaint) or a bulk operation runs; each one raised meanwhile
/// fires once when the last of the two is lifted.
///
/// Index arguments outside the table are not errors: getters give 0, false
/// or "", setters do nothing.
///
/// Editing: a cell editor (a pick list of the nominal identifiers in
/// columns of scale type 1 and 2), a name editor for headers and attributes
/// (right click on a header, "Edit Heading") and a comment editor (right
/// click on the corner cell). A first click on a cell selects it, a second
/// one opens the editor; typing on the current cell starts editing too.
/// Enter advances (AutoAdvance) down or to the right.
///
/// Two internal popup menus, shown on a right click unless the application
/// assigns PopupMenu or sets BlockInternalPopup: the data menu
/// "PopupDTAction" (items "DIt1".."DIt12", submenus "M1It1".., "M2It1"..,
/// "U1It1".., "U2It1"..) and the header menu "PopupHTAction" ("HIt1"..
/// "HIt5"); bit i-1 of a mask enables item i.
///
/// Clipboard text of "Copy": one line per selected row, ended by CR LF,
/// starting with a space, cells separated by TAB; "####" for a cell that is
/// no number; with ClipboardUseFullPrec the exponent form
/// " 1.2345678901234E+0005", else the column's decimals. "Extract from
/// Clipboard" reads such text and what spreadsheets copy (see ClipMatrix.h).
///
/// Sections: types; properties; events; cells and marks; names, attributes
/// and precision; sizes of columns and rows; dimensions; sorting and
/// searching; other tables; editing, menus and clipboard; handlers and
/// notifications; internals.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/DataTable.h"
#include "framework/QEL_Base.h"
#include "platform/grids/DataGrid.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TEdit;
class TMemo;
class TMenuItem;
class TPopupMenu;
class TStringList;

// ------------------------------------------------------------ types ----

/// Raised when memory runs out for the table or an argument is refused.
QEL_EXCEPTION(EQELNTabedError, EQELError)

/// Called before a data cell is drawn, with the table column and row; what
/// the handler leaves in Text, the colours and the styles is drawn. It never
/// changes the table.
using TBeforeRenderCellEvent = std::function<void(TObject* Sender, int colix, int rowix, std::string& Text,
                                                  TColor& ColorText, TColor& ColorBakg, TFontStyles& FontStyles)>;

/// Called just before an internal popup menu shows, with that menu.
using TBeforePopupEvent = std::function<void(TObject* Sender, TPopupMenu* PMenu)>;

/// A grid that shows and edits a numeric data table with row and column names, attributes, two kinds of cell marks and a precision per column, with its own popup menus, editors and clipboard exchange.
///
/// From examples/tableeditor/main.cpp (`qel-tableeditor`):
/// \snippet tableeditor/main.cpp table
/// \image html table-editor.png "The gallery's page Table editor"
class TNTabEd : public TCustomDataGrid {
 public:
  /// An editor of its own table of 3 columns and 4 rows, all 0, with the row-attribute column shown.
  explicit TNTabEd(TComponent* AOwner);
  /// Detaches from the table and frees its own.
  ~TNTabEd() override;

  // ------------------------------------------------------ properties ----

  /// Whether Enter moves the cell editor on to the next cell.
  ///@{
  bool GetAutoAdvance() const { return autoAdvance_; }
  void SetAutoAdvance(bool v) { autoAdvance_ = v; }
  ///@}
  /// Ordinal 0 advances downwards, 1 to the right.
  ///@{
  TOrientation GetAutoAdvanceDir() const { return autoAdvanceDir_; }
  void SetAutoAdvanceDir(TOrientation v) { autoAdvanceDir_ = v; }
  ///@}
  /// Whether the row-attribute column is shown; fires OnLayoutChanged.
  ///@{
  bool GetAttribRowVisible() const { return colOffset_ == 1; }
  void SetAttribRowVisible(bool v);
  ///@}
  /// Whether the column-attribute row is shown; fires OnLayoutChanged.
  ///@{
  bool GetAttribColVisible() const { return rowOffset_ == 1; }
  void SetAttribColVisible(bool v);
  ///@}
  /// Whether the internal popup menus stay away (PopupMenu still shows).
  ///@{
  bool GetBlockInternalPopup() const { return blockInternalPopup_; }
  void SetBlockInternalPopup(bool v) { blockInternalPopup_ = v; }
  ///@}
  /// Whether a right click on the corner cell may open the comment editor.
  ///@{
  bool GetCommentEditingAllowed() const { return commentEditingAllowed_; }
  void SetCommentEditingAllowed(bool v) { commentEditingAllowed_ = v; }
  ///@}
  /// The table's comment; control characters are dropped when it is set.
  ///@{
  std::string GetComment() const;
  void SetComment(const std::string& v);
  ///@}

  /// Colour of the grid's ground (the control's Color).
  ///@{
  TColor GetColorBackground() const { return colorBackground_; }
  void SetColorBackground(TColor v);
  ///@}
  /// Colour of the fixed name and attribute cells.
  ///@{
  TColor GetColorFixed() const { return colorFixed_; }
  void SetColorFixed(TColor v);
  ///@}
  /// Colours of the numbers, normal and selected; repaint and fire OnLayoutChanged.
  ///@{
  TColor GetColorNormal() const { return colorNormal_; }
  void SetColorNormal(TColor v) { SetLookColor(colorNormal_, v); }
  TColor GetColorSelected() const { return colorSelected_; }
  void SetColorSelected(TColor v) { SetLookColor(colorSelected_, v); }
  ///@}
  /// Colours of numbers marked A, marked B and marked both.
  ///@{
  TColor GetColorMarkedA() const { return colorMarkedA_; }
  void SetColorMarkedA(TColor v) { SetLookColor(colorMarkedA_, v); }
  TColor GetColorMarkedB() const { return colorMarkedB_; }
  void SetColorMarkedB(TColor v) { SetLookColor(colorMarkedB_, v); }
  TColor GetColorMarkedBoth() const { return colorMarkedBoth_; }
  void SetColorMarkedBoth(TColor v) { SetLookColor(colorMarkedBoth_, v); }
  ///@}
  /// Colours of the text and ground of a selected range.
  ///@{
  TColor GetColorRangeSelFG() const { return colorRangeSelFG_; }
  void SetColorRangeSelFG(TColor v) { SetLookColor(colorRangeSelFG_, v); }
  TColor GetColorRangeSelBG() const { return colorRangeSelBG_; }
  void SetColorRangeSelBG(TColor v) { SetLookColor(colorRangeSelBG_, v); }
  ///@}

  /// The grid's default width; the row-name column is then 80 pixels and the
  /// row-attribute column its remembered width.
  ///@{
  int GetDefaultColWidth() const { return TCustomDataGrid::GetDefaultColWidth(); }
  void SetDefaultColWidth(int v);
  ///@}
  /// Whether marked numbers are drawn bold; fires OnLayoutChanged.
  ///@{
  bool GetBoldMarks() const { return boldMarks_; }
  void SetBoldMarks(bool v);
  ///@}
  /// Whether the names of the selected lines are drawn bold; fires OnLayoutChanged.
  ///@{
  bool GetBoldSelHeads() const { return boldSelHeads_; }
  void SetBoldSelHeads(bool v);
  ///@}
  /// Whether copies hold every digit (exponent form) rather than the column's decimals.
  ///@{
  bool GetClipboardUseFullPrec() const { return clipboardUseFullPrec_; }
  void SetClipboardUseFullPrec(bool v) { clipboardUseFullPrec_ = v; }
  ///@}
  /// Rows the nominal identifiers' pick list shows at once.
  ///@{
  int GetNomEditDropDownCount() const { return nomEditDropDownCount_; }
  void SetNomEditDropDownCount(int v);
  ///@}
  /// Field width of the number texts, 1..20; other values are ignored.
  ///@{
  int GetNumWidth() const { return numWidth_; }
  void SetNumWidth(int v);
  ///@}
  /// Whether the numbers cannot be edited (the cell editor is closed and stays shut).
  ///@{
  bool GetDataReadOnly() const { return dataReadOnly_; }
  void SetDataReadOnly(bool v);
  ///@}
  /// While true, every paint fits the default row height to the font.
  ///@{
  bool GetOptimizeRowHeight() const { return optimizeRowHeight_; }
  void SetOptimizeRowHeight(bool v);
  ///@}

  /// In table numbering: the first table column (row) shown after the fixed
  /// ones (GetLeftCol and GetTopRow: see TCustomDataGrid).
  ///@{
  void SetLeftCol(int v);
  void SetTopRow(int v);
  ///@}

  /// Dimensions of the table (at least 1 each); fire OnChangeSetup.
  ///@{
  int GetNrOfColumns() const { return table_->GetNrOfColumns(); }
  void SetNrOfColumns(int n);
  int GetNrOfRows() const { return table_->GetNrOfRows(); }
  void SetNrOfRows(int n);
  ///@}

  // ---------------------------------------------------------- events ----

  /// Fire on changes of values (OnChange), dimensions (OnChangeSetup), names (OnHeadingChanged), attributes, cell states, look (OnLayoutChanged) and the selection; held back while painting is suppressed.
  ///@{
  TNotifyEvent OnChange, OnChangeSetup, OnHeadingChanged, OnAttributeChanged, OnCellStateChanged, OnLayoutChanged,
      OnSelectionChanged;
      ///@}
  /// The table's progress, passed on at once with the editor as sender.
  TOnPercentDoneEvent OnPercentDone;
  /// See TBeforeRenderCellEvent.
  TBeforeRenderCellEvent OnBeforeRenderCell;
  // OnTopLeftChanged (after every scroll), OnGetEditText and OnSetEditText
  // come from the grid.

  // ----------------------------------------------- cells and marks ----

  ///@{
  double GetElem(int Col, int Row) const { return table_->GetElem(Col, Row); }
  /// Writes the value only: no repaint, no event.
  void SetElem(int Col, int Row, double V) { table_->SetElem(Col, Row, V); }
  ///@}
  ///@{
  uint8_t GetCellState(int Col, int Row) const { return table_->GetCellState(Col, Row); }
  /// Writes the whole state byte of a cell; repaints, cell-states-changed.
  void SetCellState(int Col, int Row, uint8_t State);
  ///@}
  /// Whether the cell's empty bit is set.
  bool GetIsEmpty(int Col, int Row) const { return (GetCellState(Col, Row) & csEmpty) != 0; }
  /// Whether the cell holds a valid number (not empty, not invalid).
  bool GetIsNumber(int Col, int Row) const { return table_->GetIsNumber(Col, Row); }
  /// Sets or clears the empty bit only; cell-states-changed, no repaint.
  void SetIsEmpty(int Col, int Row, bool v);
  /// Whether the cell carries mark A or B.
  ///@{
  bool GetElemMarkedA(int Col, int Row) const { return (GetCellState(Col, Row) & csMarkA) != 0; }
  bool GetElemMarkedB(int Col, int Row) const { return (GetCellState(Col, Row) & csMarkB) != 0; }
  ///@}
  /// Set or clear mark A or B; repaint and fire OnCellStateChanged.
  ///@{
  void SetElemMarkedA(int Col, int Row, bool v) { SetMarkBit(Col, Row, csMarkA, v); }
  void SetElemMarkedB(int Col, int Row, bool v) { SetMarkBit(Col, Row, csMarkB, v); }
  ///@}
  /// Whether any cell of the row (column, table) carries mark A or B.
  ///@{
  bool IfRowMarked(int Row) const;
  bool IfColumnMarked(int Col) const;
  bool IfAnyMarked() const;
  ///@}
  /// Number of cells with mark A or B.
  ///@{
  int NrOfMarkedDataA() const { return CountStateBit(csMarkA); }
  int NrOfMarkedDataB() const { return CountStateBit(csMarkB); }
  ///@}
  /// Clears marks A and B of every cell.
  void UnMarkAllElems();
  /// Marks every cell A or B.
  ///@{
  void MarkAllElemsA() { MarkAll(csMarkA); }
  void MarkAllElemsB() { MarkAll(csMarkB); }
  ///@}
  /// XOR of every state byte with Mask.
  void InvertCellStates(uint8_t Mask);
  /// Swaps marks A and B of every cell.
  void ExchangeMarkings();
  /// Every value (not the states); no repaint, no event.
  void Fill(double V) { table_->Fill(V); }
  /// The value of every cell whose state has a bit of Mask.
  void FillMarkedCells(double V, uint8_t Mask);

  // ------------------------------- names, attributes and precision ----

  /// Name of a column or a row.
  ///@{
  std::string GetColName(int Col) const { return table_->GetColName(Col); }
  std::string GetRowName(int Row) const { return table_->GetRowName(Row); }
  ///@}
  /// Names longer than 50 characters are cut.
  ///@{
  void SetColName(int Col, const std::string& Name);
  void SetRowName(int Row, const std::string& Name);
  ///@}
  /// Attribute byte of a column or a row; the setters fire OnAttributeChanged.
  ///@{
  uint8_t GetColAttrib(int Col) const { return table_->GetColAttrib(Col); }
  uint8_t GetRowAttrib(int Row) const { return table_->GetRowAttrib(Row); }
  void SetColAttrib(int Col, uint8_t A);
  void SetRowAttrib(int Row, uint8_t A);
  ///@}
  /// 0..10 fixed decimals, 255 scientific; 0 for a column outside the table.
  ///@{
  uint8_t GetDecPlaces(int Col) const;
  /// A negative value (or 255) selects scientific form, above 10 gives 10.
  void SetDecPlaces(int Col, int Places);
  ///@}

  // ---------------------------------------- sizes of columns and rows ----

  /// Index > 0 a table column, 0 the row-name column, < 0 the row-attribute
  /// column (0 wide while hidden; setting it while hidden changes nothing).
  ///@{
  int GetColWidths(int Index) const;
  void SetColWidths(int Index, int Width);
  ///@}
  /// Fits column Index (-1 attributes, 0 row names, 1.. table columns) to its
  /// texts, the column name too when WithHeader, plus Extra + 8 pixels (at
  /// least 4); applies and returns the width, 0 for other indexes.
  int AutoColWidth(int Index, bool WithHeader, int Extra);
  /// Fits row Index (as SetRowHeight) to the font's height plus Margin + 2
  /// pixels (at least 8); applies and returns the height.
  int AutoRowHeight(int Index, int Margin);
  /// Index > 0 a table row, 0 the column-name row, < 0 the column-attribute row.
  void SetRowHeight(int Index, int Height);

  // ------------------------------------------------------ dimensions ----

  /// Before row R (1 .. rows + 1); the new row is empty of data.
  void InsertRow(int R);
  /// Before column C (1 .. columns + 1); the new column takes the precision
  /// of the column at C (the last column when appending); precisions of the
  /// others stay with their columns.
  void InsertColumn(int C);
  /// The last row (column) is never removed.
  ///@{
  void RemoveRow(int R);
  void RemoveColumn(int C);
  ///@}
  /// Reverse the rows (columns) with names, attributes and cell states; the
  /// columns' precisions are reversed with them.
  ///@{
  void MirrorRows();
  void MirrorColumns();
  ///@}
  /// Both dimensions in one step (at least 1 each).
  void Redimension(int Columns, int Rows);
  /// Values 0, states cleared, columns named "C-n", rows "R-n", precision 3.
  void Clear();
  // SuppressPaint (TCustomDataGrid): while true nothing is painted and
  // notifications wait; clearing it repaints once and fires what waited.

  // ---------------------------------------------- sorting and searching ----
  //
  // Every sort orders the lines of a block (LowCol, LowRow, HighCol, HighRow,
  // table numbers, clamped to the table; Low and High may come in either
  // order) and is stable. Sorting rows moves, for each row of LowRow..HighRow,
  // its cells in columns LowCol..HighCol (values and states together); the
  // cells outside the block stay. Sorting columns likewise moves the cells in
  // rows LowRow..HighRow. "Headers" are a row's name and attribute, or a
  // column's name, attribute, precision, scale type and nominal identifiers;
  // they move with their line where a sort says so. Afterwards one repaint
  // and one notification of each kind that changed.

  /// Orders rows LowRow..HighRow by the values in column SortColIx, which must
  /// lie within LowCol..HighCol (otherwise nothing happens). Ascending puts
  /// small values first; cells that hold no number (empty or invalid) come
  /// last either way. MoveHeaders: the rows' names and attributes move too.
  void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool MoveHeaders);
  /// Orders columns LowCol..HighCol by the values in row SortRowIx (within
  /// LowRow..HighRow); MoveHeaders: the columns' headers move too.
  void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow, bool MoveHeaders);
  /// Orders rows LowRow..HighRow (columns LowCol..HighCol) by their
  /// attribute; the headers always move with their line.
  ///@{
  void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  ///@}
  /// Orders by name, ignoring case (as AnsiCompareText); CaseSensitive
  /// compares the names character by character instead. Headers move.
  ///@{
  void SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColNames(bool Ascending, bool CaseSensitive, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowNames(bool Ascending, bool CaseSensitive, int LowCol, int LowRow, int HighCol, int HighRow);
  ///@}
  /// The first column (row) whose name is Name (cut to 50 characters, exact
  /// match); 0 when there is none.
  ///@{
  int FindColIndex(const std::string& Name) const;
  int FindRowIndex(const std::string& Name) const;
  ///@}

  // --------------------------------------------------- other tables ----

  /// The table shown: the editor's own, or one given to AssignAnotherDataMatrix.
  TDataTable* GetDataTable() const { return table_; }
  /// Shows Table, which stays the caller's: the editor's own table is freed,
  /// and when the editor is destroyed or shown another table it only
  /// detaches its handlers from Table. Table must outlive its use here.
  /// nullptr makes the editor take a table of its own again, holding a copy
  /// of the one shown. Precisions stay by position (new columns take the
  /// last one's).
  void AssignAnotherDataMatrix(TDataTable* Table);
  /// Whether the table shown is another's, given to AssignAnotherDataMatrix.
  bool GetTableIsForeign() const { return tableIsForeign_; }
  /// Copies Source's table (values, states, names, attributes, scale types,
  /// nominal identifiers, comment) and precisions into the table shown here.
  void CopyContentsFrom(TNTabEd* Source);
  /// The state bytes of the cells both tables have; other cells keep theirs.
  void CopyCellStatesFrom(TNTabEd* Source);

  // ---------------------------------- editing, menus and clipboard ----

  /// After "Clear", "Paste" and "Extract from Clipboard".
  /// Fires after "Clear", "Paste" and "Extract from Clipboard" changed the table.
  TNotifyEvent OnPaste;
  /// See TBeforePopupEvent.
  TBeforePopupEvent OnBeforePopup;

  /// Bit i-1 enables item i of the data menu (1..12) or the header menu (1..5).
  ///@{
  void SetPopupDMask(uint32_t Mask);
  uint32_t GetPopupDMask() const { return dMask_; }
  void SetPopupHMask(uint32_t Mask);
  uint32_t GetPopupHMask() const { return hMask_; }
  ///@}
  /// Captions of up to 50 characters: data items 1..12, header items 1..5,
  /// items 1..4 of both marking submenus and of both unmarking submenus.
  /// Other indexes: the setter does nothing, the getter gives "".
  ///@{
  void SetPopupDCaption(int Index, const std::string& Caption);
  std::string GetPopupDCaption(int Index) const;
  void SetPopupHCaption(int Index, const std::string& Caption);
  std::string GetPopupHCaption(int Index) const;
  void SetPopupMCaption(int Index, const std::string& Caption);
  std::string GetPopupMCaption(int Index) const;
  void SetPopupUCaption(int Index, const std::string& Caption);
  std::string GetPopupUCaption(int Index) const;
  ///@}
  /// The internal data and header menus.
  ///@{
  TPopupMenu* GetDataMenu() const { return dataMenu_; }
  TPopupMenu* GetHeaderMenu() const { return headerMenu_; }
  ///@}

  /// The columns (most values on a line) and rows of the number matrix on
  /// the clipboard; false, with both 1, when it holds no text or no number.
  bool GetClipMatrixSize(int& Columns, int& Rows);

  /// The menu actions. Data menu: marks of the range, the selected columns
  /// or rows, or all cells; the rest act on the selection.
  ///@{
  enum TMarkScope : uint8_t { msRange, msColumn, msRow, msAll };
  void PopupMenuClickMark(TMarkScope Scope, uint8_t Bit, bool On);
  void PopupMenuClickUnmarkAll(TObject* Sender);
  void PopupMenuClickClear(TObject* Sender);
  void PopupMenuClickCopy(TObject* Sender);
  void PopupMenuClickPaste(TObject* Sender);
  void PopupMenuClickReadOnly(TObject* Sender);
  void PopupMenuClickExtClip(TObject* Sender);
  void PopupMenuClickSelectAll(TObject* Sender);
  void PopupMenuClickToggleEmpty(TObject* Sender);
  ///@}
  /// Header menu, on the header cell last pressed.
  ///@{
  void PopupMenuClickChangeID(TObject* Sender);
  void PopupMenuClickPrecision(TObject* Sender);
  void PopupMenuClickSelectCol(TObject* Sender);
  void PopupMenuClickSelectRow(TObject* Sender);
  void PopupMenuClickInsertCol(TObject* Sender);
  void PopupMenuClickInsertRow(TObject* Sender);
  void PopupMenuClickDeleteCol(TObject* Sender);
  void PopupMenuClickDeleteRow(TObject* Sender);
  ///@}
  /// The data menu's OnPopup: "Paste" is enabled after a copy while the data
  /// may change.
  void PopupMenuDLoadPopup(TObject* Sender);
  /// Enter applies, Escape discards; both close the editor.
  ///@{
  void NameEdKeyPress(TObject* Sender, char32_t& Key);
  void CommentMemoKeyPress(TObject* Sender, char32_t& Key);
  ///@}
  /// The nominal identifiers of column ACol's codes 1..50, in code order.
  void ColumnsGetPickListItems(int ACol, int ARow, TStrings* Items);
  /// Same as SetNomEditDropDownCount.
  void SetDropdownCount(int n) { SetNomEditDropDownCount(n); }
  /// Whether a name editor is open.
  bool GetHeaderEditing() const { return headerEditing_; }
  /// The name and comment editors (nullptr in design mode), for tests.
  ///@{
  TEdit* NameEditor() const { return nameEdit_; }
  TMemo* CommentEditor() const { return commentMemo_; }
  ///@}

  // --------------------------------------- handlers and notifications ----

  /// Bound to the table: data changed, setup changed, progress, resized,
  /// exchange during a sort; and to the font.
  ///@{
  void DataHasChanged(TObject* Sender);
  void SetupHasChanged(TObject* Sender);
  void NTPercDone(TObject* Sender, int Percent);
  void DataHasBeenResized(TObject* Sender, int OldCols, int OldRows, int NewCols, int NewRows);
  /// Swaps the precisions of two exchanged columns while the editor sorts.
  void ExchangeDuringSort(TObject* Sender, int Kind, int First, int Second, int Aux1, int Aux2);
  void FontHasChanged(TObject* Sender);
  ///@}

  /// Fire one notification (or hold it back while painting is suppressed).
  ///@{
  void ChangedData() { Notify(nfData); }
  void ChangedSetup() { Notify(nfSetup); }
  void ChangedHeading() { Notify(nfHeading); }
  void ChangedAttrib() { Notify(nfAttrib); }
  void ChangedCellStates() { Notify(nfCellStates); }
  void ChangedLayout() { Notify(nfLayout); }
  void ChangedSelection() { Notify(nfSelection); }
  ///@}

  /// Draws the corner cell at once with the current cell, outside the
  /// paint cycle (after keys, wheel steps and presses in the data area).
  void RedrawCorner();
  /// Repaints at once unless painting is blocked.
  void Paint() override;

 protected:
  /// Draws a name, attribute, corner or data cell.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  /// Passes the data cell's text, colours and styles through OnBeforeRenderCell.
  virtual void BeforeRenderCell(int Col, int Row, std::string& Text, TColor& ColorText, TColor& ColorBakg,
                                TFontStyles& FontStyles);
  /// Keeps the corner cell in step after scrolling.
  void TopLeftChanged() override;
  /// Fits the row height to the new font when OptimizeRowHeight is on.
  void FontChanged() override;
  /// Navigation keys, and the data menu's clipboard actions while no cell is
  /// edited: Ctrl+C and Ctrl+Ins copy, Ctrl+X and Shift+Del copy and clear,
  /// Ctrl+V and Shift+Ins paste, Delete clears.
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  /// Typing on the current cell opens the editor.
  void KeyPress(char32_t& Key) override;
  /// Selects cells; a right click shows the internal menus.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Opens the cell editor.
  void DblClick() override;
  /// Adds DLGC_WANTTAB to the grid's dialog code: Tab walks the cells
  /// (Ctrl+Tab leaves the editor, as from every grid).
  void WndProc(TMessage& Message) override;
  /// The cell editor: a pick list over nominal columns, else a plain edit.
  TInplaceEdit* CreateEditor() override;
  /// A pick list for columns of nominal scale type, else a plain edit.
  TEditStyle GetEditStyle(int ACol, int ARow) override;
  /// The cell's text as the editor shows it.
  std::string GetEditText(int ACol, int ARow) override;
  /// Stores the edited text as a number, an empty or invalid cell.
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  /// The nominal identifiers of the column.
  void GetPickListItems(int ACol, int ARow, TStrings* Items) override { ColumnsGetPickListItems(ACol, ARow, Items); }
  /// Scroll by a row per wheel notch.
  ///@{
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  ///@}
  /// The editor moves grid lines only to follow its own layout.
  ///@{
  void ColumnMoved(int, int) override {}
  void RowMoved(int, int) override {}
  ///@}

  /// The text a data cell shows: "" (empty), "-nan-" (invalid), a nominal
  /// identifier or the number in the column's precision.
  std::string DataCellText(int Col, int Row) const;
  /// Fires the notifications held back while painting was suppressed.
  void PaintResumed() override { FlushNotifications(); }
  /// Table column c is grid column c + the column offset; rows likewise.
  ///@{
  int DataColShift() const override { return colOffset_; }
  int DataRowShift() const override { return rowOffset_; }
  ///@}
  /// Whether the comment editor is open.
  ///@{
  bool GetCommentEditing() const { return commentEditing_; }
  void SetCommentEditing(bool v) { commentEditing_ = v; }
  ///@}

 private:
  // -------------------------------------------------------- internals ----
  enum TNotification : uint8_t {
    nfData = 1, nfSetup = 2, nfHeading = 4, nfAttrib = 8, nfCellStates = 16, nfLayout = 32, nfSelection = 64
  };
  struct TLineSort;

  void SetLookColor(TColor& Field, TColor v);
  void Notify(TNotification N);
  // Fires every notification held back, once, when nothing blocks them.
  void FlushNotifications();

  void BindTable();
  void UnbindTable();
  void SyncGridSize();
  void ShowNewContents();
  void FitDecPlaces(int Cols, uint8_t Fill);
  uint8_t DecPlacesOf(int Col) const;
  std::string OutOfMemoryText() const;
  int LastGridColWidth() const;
  void SetMarkBit(int Col, int Row, uint8_t Bit, bool v);
  void MarkAll(uint8_t Bit);
  int CountStateBit(uint8_t Bit) const;
  void ResizeTable(int Cols, int Rows, const std::string& What);

  void ShowAttribColumn(bool Show);
  void ShowAttribRow(bool Show);

  void DrawDataCell(int Col, int Row, const TRect& R, TGridDrawState State);
  void DrawFixedCell(int ACol, int ARow, TRect R);
  void DrawHeaderText(const TRect& R, int X, int Y, const std::string& Text, bool Current);
  void DrawCorner(const TRect& R);
  std::string CornerText() const;
  void CheckSelectionChanged();

  // The selection in table numbers, cut to the table.
  struct TTableRange {
    int Left, Top, Right, Bottom;
    int Width() const { return Right - Left + 1; }
    int Height() const { return Bottom - Top + 1; }
  };
  TTableRange SelectedRange() const;
  // Selects table cells (cut to the table), repaints, selection-changed.
  void SelectTableRange(int Left, int Top, int Right, int Bottom);
  bool IsNominal(int Col) const;
  void StoreEditedCell(int Col, int Row, const std::string& Text);
  void ApplyNameEdit();
  void CloseCommentEditor(bool Apply);
  void OpenCommentEditor();
  void PopupDataMenu(int X, int Y);
  // Whether data menu item Item (1..12) may act now: mask and read-only.
  bool DataItemAllowed(int Item) const;
  // Runs the data menu action a clipboard key stands for; false for other keys.
  bool ClipboardKey(uint16_t Key, TShiftState Shift);
  void PasteFromClipboard();
  void PopupHeaderMenu(int ACol, int ARow);
  void OutlineClickedHeader();
  void RemoveHeaderOutline();
  void DrawHeaderOutline();
  void RestoreEditing() { SetOptions(dataReadOnly_ ? GetOptions() - TGridOptions{goEditing} : GetOptions() + TGridOptions{goEditing}); }
  void BuildMenus();
  void BuildEditors();
  template <class F>
  void WithoutDataBinding(F&& Work);

  void SortLines(const TLineSort& S);
  void MoveCells(const TLineSort& S, const std::vector<int>& Order);
  void MoveHeaders(bool Columns, int Lo, const std::vector<int>& Order);
  void SortByName(bool Columns, bool Ascending, bool CaseSensitive, int LowCol, int LowRow, int HighCol,
                  int HighRow);

  TDataTable* table_ = nullptr;
  std::unique_ptr<TDataTable> ownTable_;
  std::unique_ptr<TDataTable> copyBuffer_;
  bool tableIsForeign_ = false;
  std::vector<uint8_t> decPlaces_;
  int colOffset_ = 1, rowOffset_ = 0;
  int attribColWidth_ = 32;
  uint8_t pending_ = 0;
  bool sortRunning_ = false;  // the editor started the table's exchanges
  TGridRect rememberedSel_{-1, -1, -1, -1};
  bool commentEditing_ = false;

  bool autoAdvance_ = true;
  TOrientation autoAdvanceDir_ = orVertical;
  bool blockInternalPopup_ = false, commentEditingAllowed_ = true;
  TColor colorBackground_ = clWindow, colorFixed_ = clBtnFace;
  TColor colorNormal_ = 0x002000, colorSelected_ = 0x404040;
  TColor colorMarkedA_ = 0x0000FF, colorMarkedB_ = 0xFF0000, colorMarkedBoth_ = 0xCC00BB;
  TColor colorRangeSelFG_ = 0x80552C, colorRangeSelBG_ = 0xF8E8E0;
  bool boldMarks_ = true, boldSelHeads_ = true;
  bool clipboardUseFullPrec_ = true;
  int nomEditDropDownCount_ = 8;
  int numWidth_ = 1;
  bool dataReadOnly_ = false;
  bool optimizeRowHeight_ = false;

  // Editing and menus.
  TPopupMenu* dataMenu_ = nullptr;    // owned as components
  TPopupMenu* headerMenu_ = nullptr;
  TMenuItem* dataItems_[12] = {};
  TMenuItem* headerItems_[5] = {};
  TMenuItem* subItems_[4][4] = {};  // mark A, mark B, unmark A, unmark B
  uint32_t dMask_ = 0x7FFFFFFF, hMask_ = 0x7FFFFFFF;
  TEdit* nameEdit_ = nullptr;
  TMemo* commentMemo_ = nullptr;
  std::unique_ptr<TStringList> pickList_;
  TGridCoord clickedCell_{-1, -1};
  TPoint lastPress_{0, 0};
  bool copyDone_ = false;
  std::string copiedText_;  // what the last "Copy" put on the clipboard
  bool headerEditing_ = false;
  TRect outline_{};  // the header cell outlined while its menu shows
  bool outlined_ = false;
  // The cell the cell editor opened on, with its value and state then:
  // handing back the unchanged text (Escape) restores them exactly.
  struct TEditOrigin {
    int Col = -1, Row = -1;
    std::string Text;
    double Value = 0;
    uint8_t State = 0;
  } editOrigin_;
};

QEL_API_END
}  // namespace qel
