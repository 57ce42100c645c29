// QEL_replist: the report list. This header is what applications include.
//
// TReportListView is the visual list over one TRLData that it owns: a draw
// grid that paints every cell itself (row and column selection, disabled
// rows, highlighting, shading bands, check boxes and radio buttons, password
// columns), with an optional common header band above the column headers, a
// sort arrow, a message for the empty list and an inter-row indicator line.
//
// Coordinates. The grid has 0, 1 or 2 fixed header rows (CountHeadRows: the
// common header first, then the column headers) and 0 or 1 fixed column
// (FixedFirstColumn). Grid column g shows data column g + 1; grid row r
// below the header rows shows data row r - FixedRows + 1. The grid always
// has at least one data row, even for an empty list. TopRow, LeftCol and
// every column and row argument of the view are in data numbering; the
// inherited ColCount, RowCount, FixedCols, FixedRows, CellRect and
// MouseCoord are the grid's.
//
// Inherited properties and events that stay available as they are: Align,
// Anchors, BorderStyle, Color, Ctl3D, Font, ParentColor, ParentFont,
// PopupMenu, ShowHint, TabOrder, ScrollBars, Visible, Options,
// DefaultDrawing (the view draws every cell itself in any case),
// VisibleColCount, VisibleRowCount; OnMouseDown, OnMouseUp, OnMouseMove,
// OnMouseWheel, OnMouseWheelDown, OnMouseWheelUp, OnClick, OnDblClick,
// OnDrawCell, OnEnter, OnExit, OnGetEditText, OnSetEditText, OnGetEditMask,
// OnKeyDown, OnKeyPress, OnKeyUp, OnRowMoved, OnSelectCell,
// OnTopLeftChanged. Our platform has no drag-and-drop, docking, size
// constraints, bidirectional modes, ParentCtl3D, ParentShowHint or
// OnContextPopup, so the view has none of them either.
//
// Files: ReportListView.cpp (construction, coordinates, header rows,
// properties, Assign), ReportListViewPaint.cpp (Paint, cells),
// ReportListViewColumns.cpp (column settings, data access, widths),
// ReportListViewRows.cpp (dimensions and row operations).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/grids/Grids.h"
#include "platform/stdctrls/DrawText.h"
#include "replist/RLData.h"

namespace qel {

QEL_EXCEPTION(EQELRepListError, EQELError)

class TReportListView : public TCustomDrawGrid {
 public:
  explicit TReportListView(TComponent* AOwner);
  ~TReportListView() override;

  // The data object the view owns and shows.
  TRLData* Data() const { return data_.get(); }

  // ------------------------------------------ coordinates, header rows ----
  int GetTopRow() const;
  void SetTopRow(int n);  // limited to the data rows; 0 or less: the first
  int GetLeftCol() const;
  void SetLeftCol(int n);
  int CountHeadRows() const { return int(commonHeaderVisible_) + int(columnHeadersVisible_); }
  // Gives the header rows their heights and the first data row its default
  // height (called whenever visibility, heights or the row count change).
  void SetHeaderHeights();

  // ---------------------------------------------------------- headers ----
  const std::string& GetCommonHeader() const { return data_->GetCommonHeader(); }
  void SetCommonHeader(const std::string& S);
  TAlignment GetCommonHeaderAlignment() const { return commonHeaderAlignment_; }
  void SetCommonHeaderAlignment(TAlignment v);
  bool GetCommonHeaderVisible() const { return commonHeaderVisible_; }
  void SetCommonHeaderVisible(bool v);
  int GetCommonHeaderHeight() const { return commonHeaderHeight_; }
  void SetCommonHeaderHeight(int v);  // limited to 8 .. 127
  bool GetColumnHeadersVisible() const { return columnHeadersVisible_; }
  void SetColumnHeadersVisible(bool v);
  int GetColumnHeadersHeight() const { return columnHeadersHeight_; }
  void SetColumnHeadersHeight(int v);  // limited to 8 .. 127

  // ---------------------------------------------------------- colours ----
  TColor GetColorText() const { return colorText_; }
  void SetColorText(TColor v) { SetLook(colorText_, v); }
  TColor GetColorBkgdNormal() const { return colorBkgdNormal_; }
  void SetColorBkgdNormal(TColor v) { SetLook(colorBkgdNormal_, v); }
  TColor GetColorBkgdShaded() const { return colorBkgdShaded_; }
  void SetColorBkgdShaded(TColor v) { SetLook(colorBkgdShaded_, v); }
  // Rows per shading band, the first band shaded; 0 or less: no shading.
  int GetRowColPattern() const { return rowColPattern_; }
  void SetRowColPattern(int v) { SetLook(rowColPattern_, v); }
  // ColorColumnHd and FixedColor are one value.
  TColor GetColorColumnHd() const { return GetFixedColor(); }
  void SetColorColumnHd(TColor v);
  void SetFixedColor(TColor v) { SetColorColumnHd(v); }
  TColor GetColorColumnHdText() const { return colorColumnHdText_; }
  void SetColorColumnHdText(TColor v) { SetLook(colorColumnHdText_, v); }
  TColor GetColorCommonHd() const { return colorCommonHd_; }
  void SetColorCommonHd(TColor v) { SetLook(colorCommonHd_, v); }
  TColor GetColorCommonHdText() const { return colorCommonHdText_; }
  void SetColorCommonHdText(TColor v) { SetLook(colorCommonHdText_, v); }
  TColor GetColorDisabledBkgd() const { return colorDisabledBkgd_; }
  void SetColorDisabledBkgd(TColor v) { SetLook(colorDisabledBkgd_, v); }
  TColor GetColorDisabledText() const { return colorDisabledText_; }
  void SetColorDisabledText(TColor v) { SetLook(colorDisabledText_, v); }
  TColor GetColorEmptyMsg() const { return colorEmptyMsg_; }
  void SetColorEmptyMsg(TColor v);
  TColor GetColorHigh() const { return colorHigh_; }
  void SetColorHigh(TColor v) { SetLook(colorHigh_, v); }
  TColor GetColorHighText() const { return colorHighText_; }
  void SetColorHighText(TColor v) { SetLook(colorHighText_, v); }
  TColor GetColorSelectedRow() const { return colorSelectedRow_; }
  void SetColorSelectedRow(TColor v) { SetLook(colorSelectedRow_, v); }
  TColor GetColorSelectedRowText() const { return colorSelectedRowText_; }
  void SetColorSelectedRowText(TColor v) { SetLook(colorSelectedRowText_, v); }
  TColor GetColorSelectedCol() const { return colorSelectedCol_; }
  void SetColorSelectedCol(TColor v) { SetLook(colorSelectedCol_, v); }
  TColor GetColorSelectedColText() const { return colorSelectedColText_; }
  void SetColorSelectedColText(TColor v) { SetLook(colorSelectedColText_, v); }
  TColor GetColorSelectedBoth() const { return colorSelectedBoth_; }
  void SetColorSelectedBoth(TColor v) { SetLook(colorSelectedBoth_, v); }
  TColor GetColorSelectedBothText() const { return colorSelectedBothText_; }
  void SetColorSelectedBothText(TColor v) { SetLook(colorSelectedBothText_, v); }

  // -------------------------------------- highlight, indicator, others ----
  int GetHighLightRow() const { return highLightRow_; }  // data row, 0: none
  void SetHighLightRow(int v) { SetLook(highLightRow_, v); }
  int GetHighLightColumn() const { return highLightColumn_; }  // data column, 0: none
  void SetHighLightColumn(int v) { SetLook(highLightColumn_, v); }
  bool GetHighLightBold() const { return highLightBold_; }
  void SetHighLightBold(bool v) { SetLook(highLightBold_, v); }
  TColor GetInterRowIndicatorColor() const { return interRowIndicatorColor_; }
  void SetInterRowIndicatorColor(TColor v) { SetLook(interRowIndicatorColor_, v); }
  int GetInterRowIndicatorWidth() const { return interRowIndicatorWidth_; }
  void SetInterRowIndicatorWidth(int v) { SetLook(interRowIndicatorWidth_, v); }
  // The line above data row Row (NrOfRows + 1: below the last row); 0: none.
  int GetInterRowIndi() const { return interRowIndi_; }
  void SetInterRowIndi(int Row);
  // Shown for an empty list; "|" separates its lines.
  const std::string& GetEmptyMessage() const { return emptyMessage_; }
  void SetEmptyMessage(const std::string& v);
  bool GetShowEmptyCheckBoxes() const { return showEmptyCheckBoxes_; }
  void SetShowEmptyCheckBoxes(bool v) { StoreSetting(showEmptyCheckBoxes_, v); }
  // Check marks shown without their frame and not toggled by the mouse.
  bool GetROCheckmarks() const { return roCheckmarks_; }
  void SetROCheckmarks(bool v) { StoreSetting(roCheckmarks_, v); }
  bool GetFixedFirstColumn() const { return fixedFirstColumn_; }
  void SetFixedFirstColumn(bool v);
  void SetDefaultColWidth(int v);
  void SetDefaultRowHeight(int v);
  void SetEnabled(bool v) override;
  // While set, Paint draws nothing; clearing it repaints at once.
  bool GetSuppressPaint() const { return suppressPaint_; }
  void SetSuppressPaint(bool v);

  // Interaction settings (mouse, keys and sorting use them).
  int GetRowSelectMode() const { return rowSelectMode_; }
  void SetRowSelectMode(int v) { rowSelectMode_ = v; }
  bool GetUseCtrlForMultiSel() const { return useCtrlForMultiSel_; }
  void SetUseCtrlForMultiSel(bool v) { useCtrlForMultiSel_ = v; }
  bool GetAutoAdvance() const { return autoAdvance_; }
  void SetAutoAdvance(bool v) { autoAdvance_ = v; }
  bool GetSortEnabled() const { return sortEnabled_; }
  void SetSortEnabled(bool v) { sortEnabled_ = v; }
  int GetSortColumn() const { return data_->GetSortColumn(); }
  int GetSortColumnSec() const { return data_->GetSortColumnSec(); }

  // --------------------------------- column settings (1 .. NrOfColumns) ----
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
  void SetColWidths(int Col, int Width);  // OnChangeSetup in any case
  int ColumnIndex(const std::string& Name, bool Partial) const { return data_->ColumnIndex(Name, Partial); }

  // ------------------------------------------- data access, forwarded ----
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

  // ----------------------------------------------------- column widths ----
  // Widest cell text of the column (a check column's without its mark, plus
  // its box), with the header name when asked, plus 9; 9 for no column.
  int DetermineMaxColWidth(int Col, bool WithHeader);
  void AutoColWidth(int Col, bool WithHeader, int Extra);
  void AutoColWidth(int Col, bool WithHeader, int Extra, int MaxWidth);
  // The column takes what the others leave of the client width, at least 16.
  void ExpandColWidth(int Col, int Margin);
  void FitAllColWidths(int ExpandCol, bool WithHeader, int Extra, int MaxWidth, int Margin);

  // -------------------------------------------- dimensions and rows ----
  int GetNrRows() const { return data_->GetNrOfRows(); }
  void SetNrRows(int n);
  int GetNrCols() const { return data_->GetNrOfColumns(); }
  void SetNrCols(int n);  // the last column keeps its width
  int AddRow();  // returns the new row count
  // An empty row at Row (past the end: appended); returns where it went.
  int InsertRow(int Row);
  void RemoveRow(int Row);
  void RemoveEmptyRows();
  void Fill(const std::string& S);
  // Empties the cells and resets every column's settings.
  void Clear();

  // Another view's settings, handlers and data (not its header heights,
  // UseCtrlForMultiSel, disabled and empty-message colours, EmptyMessage or
  // read-only check marks); other sources go to the default.
  void Assign(TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) override;

  // ------------------------------------------------------------ events ----
  TNotifyEvent OnChange, OnChangeSetup, OnSelectedChange;
  TRenderCellEvent OnBeforeRenderCell;
  TCheckStateChangeEvent OnCheckedChange, OnBeforeCheckedChange;
  TRequestEditFormatEvent OnRequestEditFormat;
  TBeforeFilterEvent OnBeforeFilter;
  TBeforeSortExchgEvent OnBeforeSortExchange;
  TOnPercentDoneEvent OnPercentDone;
  TBeforeHTMLExportEvent OnBeforeHTMLExport;

  // Content or column settings changed (OnChange); appearance, dimensions,
  // widths or rows changed (OnChangeSetup); selection or enablement changed
  // (OnSelectedChange).
  void Changed() override;
  void ChangedSetup();
  void ChangedSelection();

 protected:
  void Paint() override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void TopLeftChanged() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  // Per data column: alignment, password display, in-place editing.
  struct TColumnLook {
    uint8_t alignment = taLeftJustify, password = 0, editable = 0;
  };
  // What a setter does after storing a changed value.
  enum TAfterStore : uint8_t { asRepaint, asInvalidate, asNothing };
  // The one place setters store a value; true when it changed.
  template <class T>
  bool StoreSetting(T& Field, const T& Value, TAfterStore After = asRepaint) {
    if (Field == Value) return false;
    Field = Value;
    if (After == asRepaint) RepaintNow();
    else if (After == asInvalidate) Invalidate();
    return true;
  }
  // Appearance settings: repaint when changed, OnChangeSetup in any case.
  template <class T>
  void SetLook(T& Field, const T& Value) {
    StoreSetting(Field, Value);
    ChangedSetup();
  }
  // Paints at once, when there is something to paint on.
  void RepaintNow();
  // Suppresses painting for the life of the guard, then restores the
  // previous state (repainting when that clears it).
  class TPaintPause;
  void HookData();
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

  std::unique_ptr<TRLData> data_;
  std::vector<TColumnLook> columns_;
  bool suppressPaint_ = true;
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

}  // namespace qel
