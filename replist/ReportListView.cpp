// TReportListView: construction, the data's notifications, coordinates,
// header rows, properties and Assign.
#include <algorithm>
#include <climits>
#include <new>

#include "framework/AllocGuard.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

// ------------------------------------------------------ construction ----

// Painting stays suppressed until everything is set up.
TReportListView::TReportListView(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
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
  suppressPaint_ = false;
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
    if (!suppressPaint_) Invalidate();
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
  TCustomDrawGrid::MouseMove(Shift, X, Y);
}

// --------------------------------------------------------- painting ----

// Paints the whole view now and leaves nothing invalid: a change the view
// heard of before (the storage's, at the end of a sort) is not painted a
// second time by the next paint cycle. A view that is not on screen is
// painted by the first paint cycle that shows it.
void TReportListView::RepaintNow() {
  if (!HandleAllocated()) return;
  Invalidate();
  if (Showing() && !suppressPaint_) Update();
}

void TReportListView::SetSuppressPaint(bool v) {
  if (StoreSetting(suppressPaint_, v, asNothing) && !v) RepaintNow();
}

void TReportListView::SetInterRowIndi(int Row) { StoreSetting(interRowIndi_, Row); }

// ------------------------------------------------------ coordinates ----

int TReportListView::GetTopRow() const { return TCustomGrid::GetTopRow() - CountHeadRows() + 1; }

// In 64 bits: a far row number must not wrap around to the top.
void TReportListView::SetTopRow(int n) {
  const int64_t heads = CountHeadRows();
  int64_t top = std::min(int64_t(n) + heads - 1, heads + ShownRows() - 1);
  top = std::max(top, heads);
  TCustomGrid::SetTopRow(int(top));
}

int TReportListView::GetLeftCol() const { return TCustomGrid::GetLeftCol() + 1; }

void TReportListView::SetLeftCol(int n) {
  n = std::max(std::min(n, GetNrCols()), GetFixedCols() + 1);
  TCustomGrid::SetLeftCol(n - 1);
}

void TReportListView::TopLeftChanged() {
  InvalidateGrid();
  TCustomDrawGrid::TopLeftChanged();
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
  RepaintNow();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment v) {
  if (StoreSetting(commonHeaderAlignment_, v)) Changed();
}

void TReportListView::SetCommonHeaderVisible(bool v) {
  if (!StoreSetting(commonHeaderVisible_, v, asNothing)) return;
  SyncRows();
  Changed();
  RepaintNow();
}

void TReportListView::SetColumnHeadersVisible(bool v) {
  if (!StoreSetting(columnHeadersVisible_, v, asNothing)) return;
  SyncRows();
  Changed();
  RepaintNow();
}

void TReportListView::SetCommonHeaderHeight(int v) {
  StoreSetting(commonHeaderHeight_, std::clamp(v, 8, 127), asNothing);
  SetHeaderHeights();
  Changed();
  RepaintNow();
}

void TReportListView::SetColumnHeadersHeight(int v) {
  StoreSetting(columnHeadersHeight_, std::clamp(v, 8, 127), asNothing);
  SetHeaderHeights();
  Changed();
  RepaintNow();
}

// ---------------------------------------------------------- properties ----

void TReportListView::SetColorColumnHd(TColor v) {
  TCustomDrawGrid::SetFixedColor(v);
  RepaintNow();
  ChangedSetup();
}

void TReportListView::SetColorEmptyMsg(TColor v) {
  if (StoreSetting(colorEmptyMsg_, v)) ChangedSetup();
}

void TReportListView::SetEmptyMessage(const std::string& v) {
  if (StoreSetting(emptyMessage_, v)) ChangedSetup();
}

// A grid of one column has no room for a fixed one; the flag is kept for
// when columns are added.
void TReportListView::SyncFixedCols() { SetFixedCols(fixedFirstColumn_ && GetColCount() > 1 ? 1 : 0); }

void TReportListView::SetFixedFirstColumn(bool v) {
  fixedFirstColumn_ = v;
  SyncFixedCols();
  Changed();
  RepaintNow();
}

void TReportListView::SetDefaultColWidth(int v) {
  TCustomDrawGrid::SetDefaultColWidth(v);
  RepaintNow();
  ChangedSetup();
}

// The grid's new default replaces the header heights too: they are set again.
void TReportListView::SetDefaultRowHeight(int v) {
  TCustomDrawGrid::SetDefaultRowHeight(v);
  SetHeaderHeights();
  RepaintNow();
  ChangedSetup();
}

void TReportListView::SetEnabled(bool v) {
  TCustomDrawGrid::SetEnabled(v);
  Refresh();
}

// --------------------------------------------------------------- Assign ----

// The per-column settings are copied first, so running out of memory
// leaves this view as it was; a failing data copy does too.
void TReportListView::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TReportListView*>(Source);
  if (!src) {
    TCustomDrawGrid::Assign(Source);
    return;
  }
  if (src == this) return;
  std::vector<TColumnLook> columns;
  try {
    CheckAllocation(src->columns_.size(), sizeof(TColumnLook));
    GuardAllocation([&] { columns = src->columns_; });
  } catch (const EOutOfMemory&) {
    throw EQELRepListError(OutOfMemoryMessage(": not enough memory on heap"));
  }
  const bool wasSuppressed = suppressPaint_;
  suppressPaint_ = true;
  try {
    data_->Assign(src->data_.get());
  } catch (...) {
    suppressPaint_ = wasSuppressed;
    throw;
  }
  HookData();  // the data took the source's sort handler
  EndFilterForNewRows();
  columns_.swap(columns);

  OnChange = src->OnChange;
  OnChangeSetup = src->OnChangeSetup;
  OnSelectedChange = src->OnSelectedChange;
  OnCheckedChange = src->OnCheckedChange;
  OnBeforeCheckedChange = src->OnBeforeCheckedChange;
  OnGetEditText = src->OnGetEditText;
  OnSetEditText = src->OnSetEditText;
  OnRequestEditFormat = src->OnRequestEditFormat;
  OnPercentDone = src->OnPercentDone;
  OnBeforeRenderCell = src->OnBeforeRenderCell;
  OnBeforeSortExchange = src->OnBeforeSortExchange;
  OnBeforeHTMLExport = src->OnBeforeHTMLExport;
  OnBeforeFilter = src->OnBeforeFilter;

  autoAdvance_ = src->autoAdvance_;
  lastMouse_ = src->lastMouse_;
  anchorRow_ = src->anchorRow_;
  rowSelectMode_ = src->rowSelectMode_;
  sortEnabled_ = src->sortEnabled_;
  TCustomDrawGrid::SetEnabled(src->GetEnabled());
  colorSelectedRow_ = src->colorSelectedRow_;
  colorSelectedRowText_ = src->colorSelectedRowText_;
  colorSelectedCol_ = src->colorSelectedCol_;
  colorSelectedColText_ = src->colorSelectedColText_;
  colorSelectedBoth_ = src->colorSelectedBoth_;
  colorSelectedBothText_ = src->colorSelectedBothText_;
  colorHigh_ = src->colorHigh_;
  colorHighText_ = src->colorHighText_;
  highLightBold_ = src->highLightBold_;
  highLightRow_ = src->highLightRow_;
  highLightColumn_ = src->highLightColumn_;
  colorText_ = src->colorText_;
  colorBkgdNormal_ = src->colorBkgdNormal_;
  colorBkgdShaded_ = src->colorBkgdShaded_;
  rowColPattern_ = src->rowColPattern_;
  commonHeaderAlignment_ = src->commonHeaderAlignment_;
  commonHeaderVisible_ = src->commonHeaderVisible_;
  colorCommonHd_ = src->colorCommonHd_;
  colorCommonHdText_ = src->colorCommonHdText_;
  columnHeadersVisible_ = src->columnHeadersVisible_;
  TCustomDrawGrid::SetFixedColor(src->GetFixedColor());
  colorColumnHdText_ = src->colorColumnHdText_;
  showEmptyCheckBoxes_ = src->showEmptyCheckBoxes_;
  interRowIndi_ = src->interRowIndi_;
  interRowIndicatorColor_ = src->interRowIndicatorColor_;
  interRowIndicatorWidth_ = src->interRowIndicatorWidth_;
  fixedFirstColumn_ = src->fixedFirstColumn_;

  SetColCount(GetNrCols());
  SyncFixedCols();
  SyncRows();
  suppressPaint_ = src->suppressPaint_;
  RepaintNow();
}

void TReportListView::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TReportListView*>(Dest)) d->Assign(this);
  else TCustomDrawGrid::AssignTo(Dest);
}

}  // namespace qel
