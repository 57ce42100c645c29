// TReportListView: construction, the data's notifications, coordinates,
// header rows, properties and Assign.
#include <algorithm>
#include <climits>
#include <new>

#include "framework/AllocGuard.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

// ------------------------------------------------------ construction ----

// Painting waits until everything is set up.
TReportListView::TReportListView(TComponent* AOwner) : TCustomDataGrid(AOwner) {
  TPaintPause building(*this, TPaintPause::Quiet);
  try {
    data_ = std::make_unique<TRLData>(nullptr);
    ReserveColumns(GetColCount());
    data_->SetNrCols(GetColCount());
    data_->SetNrRows(GetRowCount() - 1);
  } catch (const EOutOfMemory&) {
    throw EQELRepListError(OutOfMemoryMessage(": failed to initialize table editor (out of memory)"));
  } catch (const EQELError&) {
    throw EQELRepListError(OutOfMemoryMessage(": failed to initialize table editor (out of memory)"));
  } catch (const std::bad_alloc&) {
    throw EQELRepListError(OutOfMemoryMessage(": failed to initialize table editor (out of memory)"));
  }
  columns_.resize(size_t(GetColCount()));
  SetDefaultDrawing(false);
  SetFixedCols(0);
  HookData();
  SetOptions({goFixedVertLine, goFixedHorzLine, goColSizing, goRowSelect, goThumbTracking});
  SyncRows();
  SetTopRow(1);
  SetDoubleBuffered(true);
}

TReportListView::~TReportListView() {
  if (data_) data_->Storage()->OnChange = nullptr;
}

// The storage's changes repaint the view at the next paint, once for all
// the cells changed before it (a program writing a thousand cells costs one
// paint, not a thousand); the data's progress, sort and export
// notifications reach the view's events with the view as sender.
void TReportListView::HookData() {
  data_->Storage()->OnChange = [this](TObject*) {
    Changed();
    if (!PaintPaused()) Invalidate();
  };
  data_->OnPercentDone = [this](TObject*, int Percent) {
    if (OnPercentDone) OnPercentDone(this, Percent);
  };
  data_->OnBeforeSortExchange = TSortExchangeRelay{this};
  data_->OnBeforeHTMLExport = [this](TObject*, std::string& Text, int Col, int Row) {
    if (OnBeforeHTMLExport) OnBeforeHTMLExport(this, Text, Col, Row);
  };
}

// Room for n columns in the per-column settings, before anything changes.
void TReportListView::ReserveColumns(int n) {
  if (size_t(n) <= columns_.capacity()) return;
  CheckAllocation(size_t(n), sizeof(TColumnLook));
  GuardAllocation([&] { columns_.reserve(size_t(n)); });
}

const TReportListView::TColumnLook* TReportListView::Look(int Col) const {
  return Col >= 1 && size_t(Col) <= columns_.size() ? &columns_[size_t(Col) - 1] : nullptr;
}

TReportListView::TColumnLook* TReportListView::Look(int Col) {
  return Col >= 1 && size_t(Col) <= columns_.size() ? &columns_[size_t(Col) - 1] : nullptr;
}

// ------------------------------------------------------------ events ----

void TReportListView::Changed() {
  if (OnChange) OnChange(this);
}

void TReportListView::ChangedSetup() {
  if (OnChangeSetup) OnChangeSetup(this);
}

void TReportListView::ChangedSelection() {
  if (OnSelectedChange) OnSelectedChange(this);
}

void TReportListView::MouseMove(TShiftState Shift, int X, int Y) {
  lastMouse_ = {X, Y};
  TCustomDataGrid::MouseMove(Shift, X, Y);
}

// --------------------------------------------------------- painting ----

void TReportListView::SetInterRowIndi(int Row) { SetProperty(interRowIndi_, Row, TRefresh::Paint); }

// ------------------------------------------------------ coordinates ----

// In 64 bits: a far row number must not wrap around to the top.
void TReportListView::SetTopRow(int n) {
  const int64_t heads = CountHeadRows();
  int64_t top = std::min(int64_t(n) + heads - 1, heads + ShownRows() - 1);
  top = std::max(top, heads);
  SetGridTopRow(int(top));
}

void TReportListView::SetLeftCol(int n) {
  n = std::max(std::min(n, GetNrCols()), GetFixedCols() + 1);
  SetGridLeftCol(GridCol(n));
}

void TReportListView::TopLeftChanged() {
  InvalidateGrid();
  TCustomDataGrid::TopLeftChanged();
}

// ------------------------------------------------------ header rows ----

// The header rows are the fixed rows; one data row remains for an empty list.
void TReportListView::SyncRows() {
  const int64_t heads = CountHeadRows();
  if (Filtered() && hits_.size() != size_t(GetNrRows()) + 1) EndFilterForNewRows();  // rows changed behind us
  const int64_t rows = std::max(heads + ShownRows(), heads + 1);
  SetRowCount(int(std::min<int64_t>(rows, INT_MAX)));
  SetFixedRows(int(heads));
  SetHeaderHeights();
}

// The second grid row is a header row or the first data row; it exists
// whenever the grid has two rows, whatever the list holds.
void TReportListView::SetHeaderHeights() {
  const bool twoRows = GetRowCount() >= 2;
  if (commonHeaderVisible_ && columnHeadersVisible_) {
    SetRowHeights(0, commonHeaderHeight_);
    if (twoRows) SetRowHeights(1, columnHeadersHeight_);
    return;
  }
  SetRowHeights(0, commonHeaderVisible_    ? commonHeaderHeight_
                   : columnHeadersVisible_ ? columnHeadersHeight_
                                           : GetDefaultRowHeight());
  if (twoRows) SetRowHeights(1, GetDefaultRowHeight());
}

void TReportListView::SetCommonHeader(const std::string& S) {
  data_->SetCommonHeader(S);
  Changed();
  PaintAtOnce();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment v) {
  if (SetProperty(commonHeaderAlignment_, v, TRefresh::Paint)) Changed();
}

void TReportListView::SetCommonHeaderVisible(bool v) {
  if (!SetProperty(commonHeaderVisible_, v, TRefresh::None)) return;
  SyncRows();
  Changed();
  PaintAtOnce();
}

void TReportListView::SetColumnHeadersVisible(bool v) {
  if (!SetProperty(columnHeadersVisible_, v, TRefresh::None)) return;
  SyncRows();
  Changed();
  PaintAtOnce();
}

void TReportListView::SetCommonHeaderHeight(int v) {
  SetProperty(commonHeaderHeight_, std::clamp(v, 8, 127), TRefresh::None);
  SetHeaderHeights();
  Changed();
  PaintAtOnce();
}

void TReportListView::SetColumnHeadersHeight(int v) {
  SetProperty(columnHeadersHeight_, std::clamp(v, 8, 127), TRefresh::None);
  SetHeaderHeights();
  Changed();
  PaintAtOnce();
}

// ---------------------------------------------------------- properties ----

void TReportListView::SetColorColumnHd(TColor v) {
  TCustomDataGrid::SetFixedColor(v);
  PaintAtOnce();
  ChangedSetup();
}

void TReportListView::SetColorEmptyMsg(TColor v) {
  if (SetProperty(colorEmptyMsg_, v, TRefresh::Paint)) ChangedSetup();
}

void TReportListView::SetEmptyMessage(const std::string& v) {
  if (SetProperty(emptyMessage_, v, TRefresh::Paint)) ChangedSetup();
}

// A grid of one column has no room for a fixed one; the flag is kept for
// when columns are added.
void TReportListView::SyncFixedCols() { SetFixedCols(fixedFirstColumn_ && GetColCount() > 1 ? 1 : 0); }

void TReportListView::SetFixedFirstColumn(bool v) {
  fixedFirstColumn_ = v;
  SyncFixedCols();
  Changed();
  PaintAtOnce();
}

void TReportListView::SetDefaultColWidth(int v) {
  TCustomDataGrid::SetDefaultColWidth(v);
  PaintAtOnce();
  ChangedSetup();
}

// The grid's new default replaces the header heights too: they are set again.
void TReportListView::SetDefaultRowHeight(int v) {
  TCustomDataGrid::SetDefaultRowHeight(v);
  SetHeaderHeights();
  PaintAtOnce();
  ChangedSetup();
}

void TReportListView::SetEnabled(bool v) {
  TCustomDataGrid::SetEnabled(v);
  Refresh();
}

// --------------------------------------------------------------- Assign ----

// The per-column settings are copied first, so running out of memory
// leaves this view as it was; a failing data copy does too.
void TReportListView::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TReportListView*>(Source);
  if (!src) {
    TCustomDataGrid::Assign(Source);
    return;
  }
  if (src == this) return;
  std::vector<TColumnLook> columns = CopyOfColumnLooks(*src);
  {
    TPaintPause quiet(*this, TPaintPause::Quiet);
    AssignData(*src);
    columns_.swap(columns);
    AssignHandlers(*src);
    AssignSettings(*src);
    SetColCount(GetNrCols());
    SyncFixedCols();
    SyncRows();
  }
  // The source's paint suppression comes along too.
  if (GetSuppressPaint() != src->GetSuppressPaint()) SetSuppressPaint(src->GetSuppressPaint());
  else PaintAtOnce();
}

std::vector<TReportListView::TColumnLook> TReportListView::CopyOfColumnLooks(const TReportListView& Src) const {
  std::vector<TColumnLook> columns;
  try {
    CheckAllocation(Src.columns_.size(), sizeof(TColumnLook));
    GuardAllocation([&] { columns = Src.columns_; });
  } catch (const EOutOfMemory&) {
    throw EQELRepListError(OutOfMemoryMessage(": not enough memory on heap"));
  }
  return columns;
}

void TReportListView::AssignData(const TReportListView& Src) {
  data_->Assign(Src.data_.get());
  HookData();  // the data took the source's sort handler
  EndFilterForNewRows();
}

void TReportListView::AssignHandlers(const TReportListView& Src) {
  OnChange = Src.OnChange;
  OnChangeSetup = Src.OnChangeSetup;
  OnSelectedChange = Src.OnSelectedChange;
  OnCheckedChange = Src.OnCheckedChange;
  OnBeforeCheckedChange = Src.OnBeforeCheckedChange;
  OnGetEditText = Src.OnGetEditText;
  OnSetEditText = Src.OnSetEditText;
  OnRequestEditFormat = Src.OnRequestEditFormat;
  OnPercentDone = Src.OnPercentDone;
  OnBeforeRenderCell = Src.OnBeforeRenderCell;
  OnBeforeSortExchange = Src.OnBeforeSortExchange;
  OnBeforeHTMLExport = Src.OnBeforeHTMLExport;
  OnBeforeFilter = Src.OnBeforeFilter;
}

// Everything but the header heights, UseCtrlForMultiSel, the disabled and
// empty-message colours, EmptyMessage and the read-only check marks.
void TReportListView::AssignSettings(const TReportListView& Src) {
  autoAdvance_ = Src.autoAdvance_;
  lastMouse_ = Src.lastMouse_;
  anchorRow_ = Src.anchorRow_;
  rowSelectMode_ = Src.rowSelectMode_;
  sortEnabled_ = Src.sortEnabled_;
  TCustomDataGrid::SetEnabled(Src.GetEnabled());
  colorSelectedRow_ = Src.colorSelectedRow_;
  colorSelectedRowText_ = Src.colorSelectedRowText_;
  colorSelectedCol_ = Src.colorSelectedCol_;
  colorSelectedColText_ = Src.colorSelectedColText_;
  colorSelectedBoth_ = Src.colorSelectedBoth_;
  colorSelectedBothText_ = Src.colorSelectedBothText_;
  colorHigh_ = Src.colorHigh_;
  colorHighText_ = Src.colorHighText_;
  highLightBold_ = Src.highLightBold_;
  highLightRow_ = Src.highLightRow_;
  highLightColumn_ = Src.highLightColumn_;
  colorText_ = Src.colorText_;
  colorBkgdNormal_ = Src.colorBkgdNormal_;
  colorBkgdShaded_ = Src.colorBkgdShaded_;
  rowColPattern_ = Src.rowColPattern_;
  commonHeaderAlignment_ = Src.commonHeaderAlignment_;
  commonHeaderVisible_ = Src.commonHeaderVisible_;
  colorCommonHd_ = Src.colorCommonHd_;
  colorCommonHdText_ = Src.colorCommonHdText_;
  columnHeadersVisible_ = Src.columnHeadersVisible_;
  TCustomDataGrid::SetFixedColor(Src.GetFixedColor());
  colorColumnHdText_ = Src.colorColumnHdText_;
  showEmptyCheckBoxes_ = Src.showEmptyCheckBoxes_;
  interRowIndi_ = Src.interRowIndi_;
  interRowIndicatorColor_ = Src.interRowIndicatorColor_;
  interRowIndicatorWidth_ = Src.interRowIndicatorWidth_;
  fixedFirstColumn_ = Src.fixedFirstColumn_;
}

void TReportListView::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TReportListView*>(Dest)) d->Assign(this);
  else TCustomDataGrid::AssignTo(Dest);
}

}  // namespace qel
