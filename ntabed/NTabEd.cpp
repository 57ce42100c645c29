// TNTabEd: construction and destruction, the table binding and its
// handlers, the change notifications and the plain properties.
#include <algorithm>

#include "framework/AllocGuard.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/Menus.h"

namespace qel {

// --------------------------------------------------- construction ----

TNTabEd::TNTabEd(TComponent* AOwner) : TCustomDataGrid(AOwner) {
  // Nothing notifies or paints until the end.
  TPaintPause building(*this, TPaintPause::Quiet);
  SetFixedCols(2);
  BuildEditors();
  SetGridColWidth(1, attribColWidth_);
  SetGridColWidth(0, ntabed::kRowNameWidth);
  try {
    copyBuffer_ = std::make_unique<TDataTable>(0, 0);
    ownTable_ = std::make_unique<TDataTable>(GetColCount() - 2, GetRowCount() - 1);
    table_ = ownTable_.get();
    table_->Fill(0);
    FitDecPlaces(table_->GetNrOfColumns(), ntabed::kDefaultDecPlaces);
  } catch (const EOutOfMemory&) {
    throw EQELNTabedError(ComponentErrorMessage(GetName(), ": failed to initialize table editor (out of memory)"));
  }
  BindTable();
  BuildMenus();
  SetColor(colorBackground_);
  SetFixedColor(colorFixed_);
  pending_ = 0;
}

TNTabEd::~TNTabEd() {
  // A foreign table lives on: it must not call into a destroyed editor.
  if (tableIsForeign_) UnbindTable();
  // The menus are freed with the other owned components, after this body.
  if (headerMenu_) headerMenu_->OnClose = nullptr;
}

std::string TNTabEd::OutOfMemoryText() const { return ComponentErrorMessage(GetName(), ": not enough memory on heap"); }

// ---------------------------------------------------- table binding ----

void TNTabEd::BindTable() {
  table_->OnDataChanged = [this](TObject* s) { DataHasChanged(s); };
  table_->OnSetupChanged = [this](TObject* s) { SetupHasChanged(s); };
  table_->OnPercentDone = [this](TObject* s, int p) { NTPercDone(s, p); };
  table_->OnResize = [this](TObject* s, int oc, int orow, int nc, int nr) { DataHasBeenResized(s, oc, orow, nc, nr); };
  table_->OnSortExchange = [this](TObject* s, int k, int a, int b, int x, int y) { ExchangeDuringSort(s, k, a, b, x, y); };
}

void TNTabEd::UnbindTable() {
  table_->OnDataChanged = nullptr;
  table_->OnSetupChanged = nullptr;
  table_->OnPercentDone = nullptr;
  table_->OnResize = nullptr;
  table_->OnSortExchange = nullptr;
}

// The grid always keeps one scrollable column and row, even for a table
// without any.
void TNTabEd::SyncGridSize() {
  SetColCount(std::max(table_->GetNrOfColumns(), 1) + colOffset_ + 1);
  SetRowCount(std::max(table_->GetNrOfRows(), 1) + rowOffset_ + 1);
}

// Sizes the precision array to Cols entries; new entries get Fill.
void TNTabEd::FitDecPlaces(int Cols, uint8_t Fill) {
  Cols = std::max(Cols, 0);
  CheckAllocation(size_t(Cols), 1);
  GuardAllocation([&] { decPlaces_.resize(size_t(Cols), Fill); });
}

// Safe against an array that a failed allocation left short.
uint8_t TNTabEd::DecPlacesOf(int Col) const {
  if (Col >= 1 && Col <= int(decPlaces_.size())) return decPlaces_[Col - 1];
  return decPlaces_.empty() ? ntabed::kDefaultDecPlaces : decPlaces_.back();
}

int TNTabEd::LastGridColWidth() const { return GridColWidth(GetColCount() - 1); }

// --------------------------------------------------------- handlers ----

void TNTabEd::DataHasChanged(TObject*) {
  ChangedData();
  PaintAtOnce();
}

void TNTabEd::SetupHasChanged(TObject*) {
  ChangedSetup();
  PaintAtOnce();
}

void TNTabEd::NTPercDone(TObject*, int Percent) {
  if (OnPercentDone) OnPercentDone(this, Percent);
}

void TNTabEd::DataHasBeenResized(TObject*, int OldCols, int, int NewCols, int) {
  int width = LastGridColWidth();
  SyncGridSize();
  for (int c = std::max(OldCols, 1); c <= NewCols; ++c) SetGridColWidth(GridCol(c), width);
  uint8_t last = DecPlacesOf(OldCols);
  try {
    FitDecPlaces(NewCols, last);
  } catch (const EOutOfMemory&) {
    throw EQELNTabedError(OutOfMemoryText());
  }
  PaintAtOnce();
}

void TNTabEd::ExchangeDuringSort(TObject*, int Kind, int First, int Second, int, int) {
  if (Kind != 1 || !sortRunning_) return;
  int n = int(decPlaces_.size());
  if (First >= 1 && First <= n && Second >= 1 && Second <= n) std::swap(decPlaces_[First - 1], decPlaces_[Second - 1]);
}

void TNTabEd::FontHasChanged(TObject*) {
  if (HandleAllocated()) Canvas()->Font()->Assign(GetFont());
  PaintAtOnce();
}

void TNTabEd::FontChanged() {
  TCustomDataGrid::FontChanged();
  FontHasChanged(GetFont());
}

// ---------------------------------------------------- notifications ----

void TNTabEd::Notify(TNotification N) {
  pending_ |= N;
  FlushNotifications();
}

void TNTabEd::FlushNotifications() {
  static constexpr TNotification order[] = {nfData, nfSetup, nfHeading, nfAttrib, nfCellStates, nfLayout, nfSelection};
  for (TNotification n : order) {
    // A handler may block or raise again: look at the state each time.
    if (PaintPaused() || !(pending_ & n)) continue;
    pending_ &= uint8_t(~n);
    const TNotifyEvent* event = nullptr;
    switch (n) {
      case nfData: event = &OnChange; break;
      case nfSetup: event = &OnChangeSetup; break;
      case nfHeading: event = &OnHeadingChanged; break;
      case nfAttrib: event = &OnAttributeChanged; break;
      case nfCellStates: event = &OnCellStateChanged; break;
      case nfLayout: event = &OnLayoutChanged; break;
      case nfSelection: event = &OnSelectionChanged; break;
    }
    if (*event) (*event)(this);
  }
}

// -------------------------------------------------------- properties ----

std::string TNTabEd::GetComment() const { return table_->GetFComment(); }

void TNTabEd::SetComment(const std::string& v) {
  table_->SetFComment(RemoveControlChars(v));
  ChangedData();
}

void TNTabEd::SetColorBackground(TColor v) {
  colorBackground_ = v;
  SetColor(v);
}

void TNTabEd::SetColorFixed(TColor v) {
  colorFixed_ = v;
  SetFixedColor(v);
}

void TNTabEd::SetLookColor(TColor& Field, TColor v) {
  if (SetProperty(Field, v, TRefresh::Paint)) ChangedLayout();
}

void TNTabEd::SetBoldMarks(bool v) {
  if (SetProperty(boldMarks_, v, TRefresh::None)) ChangedLayout();
}

void TNTabEd::SetBoldSelHeads(bool v) {
  if (SetProperty(boldSelHeads_, v, TRefresh::None)) ChangedLayout();
}

void TNTabEd::SetNomEditDropDownCount(int v) {
  nomEditDropDownCount_ = v;
  if (auto* list = dynamic_cast<TInplaceEditList*>(InplaceEditor())) list->SetDropDownRows(v);
}

void TNTabEd::SetNumWidth(int v) {
  if (v >= 1 && v <= 20) SetProperty(numWidth_, v, TRefresh::Paint);
  ChangedLayout();
}

void TNTabEd::SetDataReadOnly(bool v) {
  if (!SetProperty(dataReadOnly_, v, TRefresh::None)) return;
  if (v) {
    HideEditor();
    SetOptions(GetOptions() - TGridOptions{goEditing});
  } else {
    SetOptions(GetOptions() + TGridOptions{goEditing});
  }
}

void TNTabEd::SetOptimizeRowHeight(bool v) { SetProperty(optimizeRowHeight_, v, TRefresh::Paint); }

}  // namespace qel
