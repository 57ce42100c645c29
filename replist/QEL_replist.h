/// \file
/// QEL_replist: the report list. This header is what applications include.
///
/// TReportListView is the visual list over one TRLData that it owns: a draw
/// grid that paints every cell itself (row and column selection, disabled
/// rows, highlighting, shading bands, check boxes and radio buttons, password
/// columns), with an optional common header band above the column headers, a
/// sort arrow, a message for the empty list and an inter-row indicator line.
///
/// Coordinates. The grid has 0, 1 or 2 fixed header rows (CountHeadRows: the
/// common header first, then the column headers) and 0 or 1 fixed column
/// (FixedFirstColumn). Grid column g shows data column g + 1; grid row r
/// below the header rows shows data row r - FixedRows + 1. The grid always
/// has at least one data row, even for an empty list. TopRow, LeftCol and
/// every column and row argument of the view are in data numbering; the
/// inherited ColCount, RowCount, FixedCols, FixedRows, CellRect and
/// MouseCoord are the grid's.
///
/// Inherited properties and events that stay available as they are: Align,
/// Anchors, BorderStyle, Color, Ctl3D, Font, ParentColor, ParentFont,
/// PopupMenu, ShowHint, TabOrder, ScrollBars, Visible, Options,
/// DefaultDrawing (the view draws every cell itself in any case),
/// VisibleColCount, VisibleRowCount; OnMouseDown, OnMouseUp, OnMouseMove,
/// OnMouseWheel, OnMouseWheelDown, OnMouseWheelUp, OnClick, OnDblClick,
/// OnDrawCell, OnEnter, OnExit, OnGetEditText, OnSetEditText, OnGetEditMask,
/// OnKeyDown, OnKeyPress, OnKeyUp, OnRowMoved, OnSelectCell,
/// OnTopLeftChanged. Our platform has no drag-and-drop, docking, size
/// constraints, bidirectional modes, ParentCtl3D, ParentShowHint or
/// OnContextPopup, so the view has none of them either.
///
/// Files: ReportListView.cpp (construction, coordinates, header rows,
/// properties, Assign), ReportListViewPaint.cpp (Paint, cells),
/// ReportListViewColumns.cpp (column settings, data access, widths),
/// ReportListViewRows.cpp (dimensions and row operations),
/// ReportListViewInput.cpp (mouse, keys, in-place editing),
/// ReportListViewSelection.cpp (row and column selection and enablement),
/// ReportListViewSort.cpp (sorting, header clicks), ReportListViewFilter.cpp
/// (FilterAndSort), RowEditor.cpp (the row editor dialog).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/grids/DataGrid.h"
#include "platform/stdctrls/DrawText.h"
#include "replist/RLData.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Raised for bad arguments, bad filter queries and exhausted memory.
QEL_EXCEPTION(EQELRepListError, EQELError)

/// The report list: a grid of text rows over one TRLData it owns, with row and column selection, disabled rows, highlighting, shading bands, check boxes and radio buttons, password columns, a common header, sorting by header clicks and filtering.
///
/// From examples/reportlist/main.cpp (`qel-reportlist`):
/// \snippet reportlist/main.cpp list
/// \image html report-list.png "The gallery's page Report list"
class TReportListView : public TCustomDataGrid {
 public:
  /// An empty list of one column with column headers.
  explicit TReportListView(TComponent* AOwner);
  /// Frees the data.
  ~TReportListView() override;

  /// The data object the view owns and shows.
  TRLData* Data() const { return data_.get(); }

  // ------------------------------------------ coordinates, header rows ----
  /// The first data row shown (GetTopRow: see TCustomDataGrid).
  void SetTopRow(int n);  ///< Limited to the data rows; 0 or less: the first
  /// The first scrollable data column shown (GetLeftCol: see TCustomDataGrid).
  void SetLeftCol(int n);
  /// Number of header rows shown (0, 1 or 2).
  int CountHeadRows() const { return int(commonHeaderVisible_) + int(columnHeadersVisible_); }
  /// Gives the header rows their heights and the first data row its default
  /// height (called whenever visibility, heights or the row count change).
  void SetHeaderHeights();

  // ---------------------------------------------------------- headers ----
  /// Text of the common header band above the column headers.
  ///@{
  const std::string& GetCommonHeader() const { return data_->GetCommonHeader(); }
  void SetCommonHeader(const std::string& S);
  ///@}
  /// Alignment of the common header's text.
  ///@{
  TAlignment GetCommonHeaderAlignment() const { return commonHeaderAlignment_; }
  void SetCommonHeaderAlignment(TAlignment v);
  ///@}
  /// Whether the common header band is shown.
  ///@{
  bool GetCommonHeaderVisible() const { return commonHeaderVisible_; }
  void SetCommonHeaderVisible(bool v);
  ///@}
  /// Height of the common header band in pixels.
  ///@{
  int GetCommonHeaderHeight() const { return commonHeaderHeight_; }
  void SetCommonHeaderHeight(int v);  ///< Limited to 8 .. 127
  ///@}
  /// Whether the column headers are shown.
  ///@{
  bool GetColumnHeadersVisible() const { return columnHeadersVisible_; }
  void SetColumnHeadersVisible(bool v);
  ///@}
  /// Height of the column headers in pixels.
  ///@{
  int GetColumnHeadersHeight() const { return columnHeadersHeight_; }
  void SetColumnHeadersHeight(int v);  ///< Limited to 8 .. 127
  ///@}

  // ---------------------------------------------------------- colours ----
  /// Colours of the cell text and of normal and shaded bands (appearance setters repaint and fire OnChangeSetup).
  ///@{
  TColor GetColorText() const { return colorText_; }
  void SetColorText(TColor v) { SetLook(colorText_, v); }
  TColor GetColorBkgdNormal() const { return colorBkgdNormal_; }
  void SetColorBkgdNormal(TColor v) { SetLook(colorBkgdNormal_, v); }
  TColor GetColorBkgdShaded() const { return colorBkgdShaded_; }
  void SetColorBkgdShaded(TColor v) { SetLook(colorBkgdShaded_, v); }
  ///@}
  /// Rows per shading band, the first band shaded; 0 or less: no shading.
  ///@{
  int GetRowColPattern() const { return rowColPattern_; }
  void SetRowColPattern(int v) { SetLook(rowColPattern_, v); }
  ///@}
  /// ColorColumnHd and FixedColor are one value.
  /// Colour of the column headers (also set by SetFixedColor).
  ///@{
  TColor GetColorColumnHd() const { return GetFixedColor(); }
  void SetColorColumnHd(TColor v);
  void SetFixedColor(TColor v) { SetColorColumnHd(v); }
  ///@}
  /// Colour of the column headers' text.
  ///@{
  TColor GetColorColumnHdText() const { return colorColumnHdText_; }
  void SetColorColumnHdText(TColor v) { SetLook(colorColumnHdText_, v); }
  ///@}
  /// Colours of the common header band and its text.
  ///@{
  TColor GetColorCommonHd() const { return colorCommonHd_; }
  void SetColorCommonHd(TColor v) { SetLook(colorCommonHd_, v); }
  TColor GetColorCommonHdText() const { return colorCommonHdText_; }
  void SetColorCommonHdText(TColor v) { SetLook(colorCommonHdText_, v); }
  ///@}
  /// Colours of disabled rows and their text.
  ///@{
  TColor GetColorDisabledBkgd() const { return colorDisabledBkgd_; }
  void SetColorDisabledBkgd(TColor v) { SetLook(colorDisabledBkgd_, v); }
  TColor GetColorDisabledText() const { return colorDisabledText_; }
  void SetColorDisabledText(TColor v) { SetLook(colorDisabledText_, v); }
  ///@}
  /// Colour of the empty list's message.
  ///@{
  TColor GetColorEmptyMsg() const { return colorEmptyMsg_; }
  void SetColorEmptyMsg(TColor v);
  ///@}
  /// Colours of the highlighted row or column and its text.
  ///@{
  TColor GetColorHigh() const { return colorHigh_; }
  void SetColorHigh(TColor v) { SetLook(colorHigh_, v); }
  TColor GetColorHighText() const { return colorHighText_; }
  void SetColorHighText(TColor v) { SetLook(colorHighText_, v); }
  ///@}
  /// Colours of selected rows and their text.
  ///@{
  TColor GetColorSelectedRow() const { return colorSelectedRow_; }
  void SetColorSelectedRow(TColor v) { SetLook(colorSelectedRow_, v); }
  TColor GetColorSelectedRowText() const { return colorSelectedRowText_; }
  void SetColorSelectedRowText(TColor v) { SetLook(colorSelectedRowText_, v); }
  ///@}
  /// Colours of selected columns and their text (0: as unselected).
  ///@{
  TColor GetColorSelectedCol() const { return colorSelectedCol_; }
  void SetColorSelectedCol(TColor v) { SetLook(colorSelectedCol_, v); }
  TColor GetColorSelectedColText() const { return colorSelectedColText_; }
  void SetColorSelectedColText(TColor v) { SetLook(colorSelectedColText_, v); }
  ///@}
  /// Colours of cells both selected by row and column, and their text.
  ///@{
  TColor GetColorSelectedBoth() const { return colorSelectedBoth_; }
  void SetColorSelectedBoth(TColor v) { SetLook(colorSelectedBoth_, v); }
  TColor GetColorSelectedBothText() const { return colorSelectedBothText_; }
  void SetColorSelectedBothText(TColor v) { SetLook(colorSelectedBothText_, v); }
  ///@}

  // -------------------------------------- highlight, indicator, others ----
  ///@{
  int GetHighLightRow() const { return highLightRow_; }  ///< Data row, 0: none
  void SetHighLightRow(int v) { SetLook(highLightRow_, v); }
  ///@}
  ///@{
  int GetHighLightColumn() const { return highLightColumn_; }  ///< Data column, 0: none
  void SetHighLightColumn(int v) { SetLook(highLightColumn_, v); }
  ///@}
  /// Whether the highlighted row or column is drawn bold.
  ///@{
  bool GetHighLightBold() const { return highLightBold_; }
  void SetHighLightBold(bool v) { SetLook(highLightBold_, v); }
  ///@}
  /// Colour of the inter-row indicator line.
  ///@{
  TColor GetInterRowIndicatorColor() const { return interRowIndicatorColor_; }
  void SetInterRowIndicatorColor(TColor v) { SetLook(interRowIndicatorColor_, v); }
  ///@}
  /// Width of the inter-row indicator line in pixels.
  ///@{
  int GetInterRowIndicatorWidth() const { return interRowIndicatorWidth_; }
  void SetInterRowIndicatorWidth(int v) { SetLook(interRowIndicatorWidth_, v); }
  ///@}
  /// The line above data row Row (NrOfRows + 1: below the last row); 0: none.
  ///@{
  int GetInterRowIndi() const { return interRowIndi_; }
  void SetInterRowIndi(int Row);
  ///@}
  /// Shown for an empty list; "|" separates its lines.
  /// Message shown while the list has no rows.
  ///@{
  const std::string& GetEmptyMessage() const { return emptyMessage_; }
  void SetEmptyMessage(const std::string& v);
  ///@}
  /// Whether check boxes are drawn in empty cells of check columns.
  ///@{
  bool GetShowEmptyCheckBoxes() const { return showEmptyCheckBoxes_; }
  void SetShowEmptyCheckBoxes(bool v) { SetProperty(showEmptyCheckBoxes_, v, TRefresh::Paint); }
  ///@}
  /// Check marks shown without their frame and not toggled by the mouse.
  ///@{
  bool GetROCheckmarks() const { return roCheckmarks_; }
  void SetROCheckmarks(bool v) { SetProperty(roCheckmarks_, v, TRefresh::Paint); }
  ///@}
  /// Whether the first column stays in place while scrolling sideways.
  ///@{
  bool GetFixedFirstColumn() const { return fixedFirstColumn_; }
  void SetFixedFirstColumn(bool v);
  ///@}
  /// Default column width and row height in pixels.
  ///@{
  void SetDefaultColWidth(int v);
  void SetDefaultRowHeight(int v);
  ///@}
  /// Greys the list and stops input.
  void SetEnabled(bool v) override;
  // SuppressPaint: see TCustomDataGrid (while set, Paint draws nothing).

  // ------------------------------------ selection and enablement ----
  /// RowSelectMode: 0 no selection by mouse, 1 one row, 2 several rows (Shift
  /// ranges, Ctrl toggling; without UseCtrlForMultiSel every click toggles).
  /// Setting any mode but 2 deselects every row; 0 (and other values) also
  /// move the grid's current cell past the data.
  ///@{
  int GetRowSelectMode() const { return rowSelectMode_; }
  void SetRowSelectMode(int m);
  ///@}
  /// Whether a second row needs Ctrl to join the selection (mode 2).
  ///@{
  bool GetUseCtrlForMultiSel() const { return useCtrlForMultiSel_; }
  void SetUseCtrlForMultiSel(bool v) { useCtrlForMultiSel_ = v; }
  ///@}
  /// Enter in the in-place editor moves on to the next row.
  ///@{
  bool GetAutoAdvance() const { return autoAdvance_; }
  void SetAutoAdvance(bool v) { autoAdvance_ = v; }
  ///@}
  /// Rows 1 .. NrOfRows, columns 1 .. NrOfColumns; others read false and are
  /// not set. Every setter fires OnSelectedChange and repaints.
  ///@{
  bool GetRowSelect(int Row) const;
  void SetRowSelect(int Row, bool B);
  bool GetRowEnabled(int Row) const;
  void SetRowEnabled(int Row, bool B);
  bool GetColSelect(int Col) const;
  void SetColSelect(int Col, bool B);
  ///@}
  /// Select, deselect, enable or disable every row, or select or deselect every column (firing OnSelectedChange).
  ///@{
  void SelectAllRows();
  void DeselectAllRows();
  void EnableAllRows();
  void DisableAllRows();
  void SelectAllColumns();
  void DeselectAllColumns();
  ///@}
  /// Numbers of selected rows, enabled rows and selected columns.
  ///@{
  int NumSelectedRows() const;
  int NumEnabledRows() const;
  int NumSelectedColumns() const;
  ///@}
  int FirstSelectedRow() const;     ///< 0: none
  int FirstSelectedColumn() const;  ///< 0: none
  /// Selects Row alone and scrolls it to the middle of the view.
  void CenterScrollAndSelect(int Row);
  /// The cell under a client point as (data column, data row); the row is -1
  /// on the column headers, -2 on the common header, 0 outside every row.
  TGridCoord MouseCell(int X, int Y);
  /// The row shift-clicks select from (the last plain or Ctrl click).
  int GetAnchorRow() const { return anchorRow_; }

  // ------------------------------------------------------------ sorting ----
  /// A click on a column header sorts by that column, flipping the direction
  /// each time; the row that was current stays current.
  ///@{
  bool GetSortEnabled() const { return sortEnabled_; }
  void SetSortEnabled(bool v) { sortEnabled_ = v; }
  ///@}
  /// Sorts by Col, then ColSec (-1: none); Dir true is ascending. Selected and
  /// disabled rows stay so. While a filter is on, the rows it hides stay hidden.
  bool Sort(int Col, int ColSec, bool Dir);
  /// Back to the order in which the rows were stored; no sort arrow.
  void UnSort();
  /// The column of the last sort (-1: none).
  int GetSortColumn() const { return data_->GetSortColumn(); }
  /// The secondary sort column (-1: none).
  ///@{
  int GetSortColumnSec() const { return data_->GetSortColumnSec(); }
  void SetSortColumnSec(int Col);  ///< -1 .. NrOfColumns, others ignored
  ///@}
  /// Whether the last sort was ascending.
  bool GetSortOrder() const { return data_->GetSortDirection(); }

  // ---------------------------------------------------------- filtering ----
  /// Shows only the rows that match a search, the way a search box does:
  ///  - Text: what to search for. An empty (or all-blank) text ends any
  ///    filter: every row is shown again, in the order of the current sort
  ///    (the stored order when there is none), and OnBeforeFilter is not
  ///    called.
  ///  - Columns: the data columns searched (column 0 is the hidden one);
  ///    empty: every column 1 .. NrOfColumns. Columns outside 0 .. NrOfColumns
  ///    are left out. A check column is searched without its mark.
  ///  - MatchCase: false compares without regard to case (Unicode letters
  ///    included).
  ///  - Mode: fmSimple finds Text anywhere in a cell. fmBoolean reads Text as
  ///    a query of words: "a b" and "a AND b" need both, "a OR b" either,
  ///    "NOT a" its absence, parentheses group, "..." is a phrase with its
  ///    blanks ("" inside one is a quote); NOT binds tighter than AND, AND
  ///    tighter than OR. Each word is a substring found in any searched cell
  ///    of the row. fmGrep reads Text as a Perl-compatible regular expression
  ///    (UTF-8) that a row matches when it matches in one of its searched cells.
  ///  - SortCol: the column the result is sorted by (0 .. NrOfColumns, as Sort
  ///    with the secondary column kept); -1 (or another value): the order is
  ///    kept. SortAscending: its direction.
  /// For every row, OnBeforeFilter gets the row (numbered as the list stands
  /// when FilterAndSort is called), Found holding the search's verdict and
  /// the operation loAND; the row is shown when ApplyLogicOp(operation,
  /// verdict, Found) holds, so a handler that changes nothing changes nothing.
  /// The shown rows come first, as rows 1 .. ShownRows(), in their order; the
  /// hidden rows follow them, so every cell stays where GetElem finds it. No
  /// cell, attribute or row is changed or removed. Returns ShownRows().
  /// A malformed query or expression raises EQELRepListError naming the
  /// position in Text, and changes nothing. While the rows are searched
  /// OnPercentDone reports the progress (0 .. 99, then 100 once the rows are
  /// in place; a sort reports its own); its handler may let input through
  /// and call StopFilter. The search gives up, raising EQELRepListError
  /// with the list's name, the query and the reason and changing nothing,
  /// when it is stopped, when the rows are changed meanwhile, when a cell
  /// needs more work than PCRE2's limits allow, or when the whole search
  /// takes longer than half a second plus 50 microseconds per cell and term
  /// searched (time in the handlers not counted): far more than an honest
  /// search needs. A FilterAndSort asked for while one runs raises.
  /// Changing the rows (SetNrRows, AddRow, InsertRow, RemoveRow, Clear, Assign)
  /// ends the filter.
  int FilterAndSort(const std::string& Text, const std::vector<int>& Columns, bool MatchCase, TFilterMode Mode,
                    int SortCol, bool SortAscending);
  /// Ends any filter: every row is shown again.
  void ClearFilter();
  /// Asks a running FilterAndSort (from its progress handler) to give up.
  void StopFilter();
  /// True while FilterAndSort searches the rows.
  bool Filtering() const { return filtering_; }
  /// Whether a filter is on.
  bool Filtered() const { return shownRows_ >= 0; }
  /// Rows the grid shows: NrOfRows, or those a filter lets through.
  int ShownRows() const { return shownRows_ >= 0 ? shownRows_ : GetNrRows(); }

  // --------------------------------------------------------- row editor ----
  /// A dialog with one labelled editor per column, its kind from the column
  /// format (OnRequestEditFormat may change it), at screen point (X, Y), with
  /// OK and Cancel; OK (or Enter in an editor) writes every editor's text
  /// back into Row, check marks kept. Returns the modal result.
  ///@{
  int EditRowEntries(int Row, int X, int Y);
  int EditRowEntries(int Row, int X, int Y, const std::string& FormCaption, const std::string& OkCaption,
                     const std::string& CancelCaption);
                     ///@}
  /// The editors go into Form at offset (X, Y), without buttons; Form is shown
  /// modally and grown to hold them. The editors are freed afterwards.
  int EditRowEntries(int Row, TCustomForm* Form, int X, int Y);
  /// The editor's buttons and its editors' Enter key.
  ///@{
  void EdRowOKClick(TObject* Sender);
  void EdRowCancelClick(TObject* Sender);
  void EdRowKeyPress(TObject* Sender, char32_t& Key);
  ///@}

  // --------------------------------- column settings (1 .. NrOfColumns) ----
  /// Column settings, forwarded to the data; setters repaint and fire OnChange.
  ///@{
  TNameStrType GetColName(int Col) const { return data_->GetColName(Col); }
  void SetColName(int Col, const TNameStrType& Name);
  TColFmtString GetColumnFormat(int Col) const { return data_->GetColumnFormat(Col); }
  void SetColumnFormat(int Col, const TColFmtString& Format);
  TCheckMode GetColCheckMode(int Col) const { return data_->GetColCheckMode(Col); }
  void SetColCheckMode(int Col, TCheckMode Mode);
  bool GetCheckedCol(int Col) const { return data_->GetCheckedCol(Col); }
  void SetCheckedCol(int Col, bool B) { SetColCheckMode(Col, B ? cmBox : cmNone); }
  TAlignment GetColAlignment(int Col) const;
  void SetColAlignment(int Col, TAlignment A);
  bool GetColumnIsPwd(int Col) const;
  void SetColumnIsPwd(int Col, bool B);
  bool GetColumnEditable(int Col) const;
  void SetColumnEditable(int Col, bool B);
  int GetColWidths(int Col) const;
  void SetColWidths(int Col, int Width);  ///< OnChangeSetup in any case
  ///@}
  /// The column named Name (a prefix with Partial), 0 when none.
  int ColumnIndex(const std::string& Name, bool Partial) const { return data_->ColumnIndex(Name, Partial); }

  // ------------------------------------------- data access, forwarded ----
  /// Cells, check marks, comment and identifier, forwarded to the data (see TRLData).
  ///@{
  std::string GetElem(int Col, int Row) const { return data_->GetElem(Col, Row); }
  void SetElem(int Col, int Row, const std::string& S) { data_->SetElem(Col, Row, S); }
  double GetAsNumber(int Col, int Row) const { return data_->GetAsNumber(Col, Row); }
  std::string GetCellDefaultValue(int Col, int Row) const { return data_->GetCellDefaultValue(Col, Row); }
  bool GetElemChecked(int Col, int Row) const { return data_->GetElemChecked(Col, Row); }
  void SetElemChecked(int Col, int Row, bool B) { data_->SetElemChecked(Col, Row, B); }
  void SetAllCheckmarksOfCol(int Col, bool B);
  void InvertAllCheckmarksOfCol(int Col);
  int CountCheckedElemsInCol(int Col) const { return data_->CountCheckedElemsInCol(Col); }
  int CountCheckedElemsInRow(int Row) const { return data_->CountCheckedElemsInRow(Row); }
  int FirstCheckedElemInCol(int Col) const { return data_->FirstCheckedElemInCol(Col); }
  int FirstCheckedElemInRow(int Row) const { return data_->FirstCheckedElemInRow(Row); }
  const std::string& GetComment() const { return data_->GetComment(); }
  void SetComment(const std::string& S) { data_->SetComment(S); }
  const std::string& GetDataID() const { return data_->GetDataID(); }
  void SetDataID(const std::string& S) { data_->SetDataID(S); }
  ///@}

  // ----------------------------------------------------- column widths ----
  /// Widest cell text of the column (a check column's without its mark, plus
  /// its box), with the header name when asked, plus 9; 9 for no column.
  int DetermineMaxColWidth(int Col, bool WithHeader);
  /// The column's width from its widest text plus Extra pixels (at most MaxWidth); fires OnChangeSetup.
  ///@{
  void AutoColWidth(int Col, bool WithHeader, int Extra);
  void AutoColWidth(int Col, bool WithHeader, int Extra, int MaxWidth);
  ///@}
  /// The column takes what the others leave of the client width, at least 16.
  void ExpandColWidth(int Col, int Margin);
  /// Fits every column to its text and lets ExpandCol take the rest of the width.
  void FitAllColWidths(int ExpandCol, bool WithHeader, int Extra, int MaxWidth, int Margin);

  // -------------------------------------------- dimensions and rows ----
  /// Number of data rows; fires OnChangeSetup and ends any filter.
  ///@{
  int GetNrRows() const { return data_->GetNrOfRows(); }
  void SetNrRows(int n);
  ///@}
  /// Number of data columns.
  ///@{
  int GetNrCols() const { return data_->GetNrOfColumns(); }
  void SetNrCols(int n);  ///< The last column keeps its width
  ///@}
  int AddRow();  ///< Returns the new row count
  /// An empty row at Row (past the end: appended); returns where it went.
  int InsertRow(int Row);
  /// Removes a row.
  void RemoveRow(int Row);
  /// Removes every row whose cells are all empty.
  void RemoveEmptyRows();
  /// Sets every cell to S (check marks kept).
  void Fill(const std::string& S);
  /// Empties the cells and resets every column's settings.
  void Clear();

  /// Another view's settings, handlers and data (not its header heights,
  /// UseCtrlForMultiSel, disabled and empty-message colours, EmptyMessage or
  /// read-only check marks); other sources go to the default.
  void Assign(TPersistent* Source) override;
  /// Fills another TReportListView from this one.
  void AssignTo(TPersistent* Dest) override;

  // ------------------------------------------------------------ events ----
  /// See Changed.
  ///@{
  TNotifyEvent OnChange, OnChangeSetup, OnSelectedChange;
  ///@}
  /// See TRenderCellEvent.
  TRenderCellEvent OnBeforeRenderCell;
  /// See TCheckStateChangeEvent: OnBeforeCheckedChange before a mark changes, OnCheckedChange after.
  ///@{
  TCheckStateChangeEvent OnCheckedChange, OnBeforeCheckedChange;
  ///@}
  /// See TRequestEditFormatEvent.
  TRequestEditFormatEvent OnRequestEditFormat;
  /// See TBeforeFilterEvent.
  TBeforeFilterEvent OnBeforeFilter;
  /// See TBeforeSortExchgEvent.
  TBeforeSortExchgEvent OnBeforeSortExchange;
  /// Fires as sorting and filtering move on, in percent.
  TOnPercentDoneEvent OnPercentDone;
  /// See TBeforeHTMLExportEvent.
  TBeforeHTMLExportEvent OnBeforeHTMLExport;

  /// Content or column settings changed (OnChange); appearance, dimensions,
  /// widths or rows changed (OnChangeSetup); selection or enablement changed
  /// (OnSelectedChange).
  ///@{
  void Changed() override;
  void ChangedSetup();
  void ChangedSelection();
  ///@}

 protected:
  /// Paints every visible cell, the empty message and the inter-row indicator.
  void Paint() override;
  /// Draws a header or data cell with its colours, marks and alignment.
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  /// Repaints the scrolled part.
  void TopLeftChanged() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void DblClick() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  bool SelectCell(int ACol, int ARow) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  /// The row editor's work: builds the editors into Form and writes them back on OK.
  int EditRowEntriesIntern(int Row, TCustomForm* Form, int X, int Y, const std::string& FormCaption,
                           const std::string& OkCaption, const std::string& CancelCaption);

 private:
  // Per data column: alignment, password display, in-place editing.
  struct TColumnLook {
    uint8_t alignment = taLeftJustify, password = 0, editable = 0;
  };
  // Appearance settings: repaint when changed, OnChangeSetup in any case.
  template <class T>
  void SetLook(T& Field, const T& Value) {
    SetProperty(Field, Value, TRefresh::Paint);
    ChangedSetup();
  }
  // Data column g + 1 is grid column g; the header rows come before the data.
  int DataColShift() const override { return -1; }
  int DataRowShift() const override { return CountHeadRows() - 1; }
  void HookData();
  // Assign's steps.
  std::vector<TColumnLook> CopyOfColumnLooks(const TReportListView& Src) const;
  void AssignData(const TReportListView& Src);
  void AssignHandlers(const TReportListView& Src);
  void AssignSettings(const TReportListView& Src);
  struct TSortExchangeRelay;
  // Whether anyone hears the exchanges of a sort (the program, through the
  // view's event or its own handler on the data).
  bool ExchangesHeard() const;
  // RowCount and FixedRows after the data's row count or the header rows changed.
  void SyncRows();
  void SyncFixedCols();
  const TColumnLook* Look(int Col) const;
  TColumnLook* Look(int Col);
  bool ValidCol(int Col) const { return Col >= 1 && Col <= GetNrCols(); }
  std::string OutOfMemoryMessage(const char* Ending) const { return ComponentErrorMessage(GetName(), Ending); }
  void ReserveColumns(int n);

  // painting (ReportListViewPaint.cpp)
  class TCellPainter;
  int HeaderRight();
  void PaintEmptyList();
  void PaintInterRowIndicator();

  // input (ReportListViewInput.cpp)
  int CurrentDataRow() const { return DataRow(GetRow()); }
  int ColumnHeaderRow() const { return commonHeaderVisible_ ? 1 : 0; }
  void ToggleCheckAt(int Col, int Row);
  void SelectByClick(TShiftState Shift);
  void SelectCurrentRowOnly();
  void SetRowBit(uint8_t Bit, bool B);  // on every row
  void SetCurrentGridRow(int GridRow);
  bool NearColumnBorder(int X, const TRect& Cell) const { return X <= Cell.Left + 4 || X >= Cell.Right - 4; }
  // sorting and filtering (ReportListViewSort.cpp, ReportListViewFilter.cpp)
  void HeaderClickSort(int GridCol);
  void RestoreBaseOrder();
  void SaveBaseOrder();
  void PartitionShownRows();
  void EndFilterForNewRows();

  bool settingCellOptions_ = false;
  struct TUnreadDates;  // picker -> date offered (RowEditor.cpp)
  void WriteBackRow(TCustomForm& Form, int Row, const TUnreadDates& UnreadDates);
  int AddRowEditors(TCustomForm& Form, int Row, int X, int Y, TUnreadDates& UnreadDates);
  TCustomForm* rowEditorForm_ = nullptr;
  TControl* rowEditorCancel_ = nullptr;
  // The filter: -1 when off, else the rows shown. hits_ is by stored row,
  // baseOrder_ the stored row at each place of the unfiltered order.
  int shownRows_ = -1;
  bool filtering_ = false, filterStopAsked_ = false;
  std::vector<uint8_t> hits_;
  std::vector<int> baseOrder_;

  std::unique_ptr<TRLData> data_;
  std::vector<TColumnLook> columns_;
  bool commonHeaderVisible_ = false, columnHeadersVisible_ = true;
  int commonHeaderHeight_ = 20, columnHeadersHeight_ = 20;
  TAlignment commonHeaderAlignment_ = taCenter;
  TColor colorText_ = 0x002000, colorBkgdNormal_ = 0xFFFFFF, colorBkgdShaded_ = 0xF0EFE8;
  int rowColPattern_ = 1;
  TColor colorColumnHdText_ = clBlack, colorCommonHd_ = clBtnFace, colorCommonHdText_ = clBlack;
  TColor colorDisabledBkgd_ = 0xF0F0F0, colorDisabledText_ = 0xC0C0C0, colorEmptyMsg_ = clBlack;
  TColor colorHigh_ = 0xCC9966, colorHighText_ = 0xFFFFFF;
  TColor colorSelectedRow_ = 0x94BAED, colorSelectedRowText_ = 0x800000;
  TColor colorSelectedCol_ = 0, colorSelectedColText_ = 0, colorSelectedBoth_ = 0, colorSelectedBothText_ = 0;
  int highLightRow_ = 0, highLightColumn_ = 0;
  bool highLightBold_ = false;
  TColor interRowIndicatorColor_ = 0x0000FF;
  int interRowIndicatorWidth_ = 3;
  int interRowIndi_ = 0;
  std::string emptyMessage_;
  bool showEmptyCheckBoxes_ = true, roCheckmarks_ = false, fixedFirstColumn_ = false;
  int rowSelectMode_ = 1;
  bool useCtrlForMultiSel_ = true, autoAdvance_ = false, sortEnabled_ = true;
  TPoint lastMouse_{};
  int anchorRow_ = 1;
  bool painting_ = false;
  // Right edge of the last visible column, taken once per Paint.
  int headerRight_ = -1;
  // Buffers the cell painting reuses, so steady painting allocates nothing.
  std::string cellText_, measured_;
};

QEL_API_END
}  // namespace qel
