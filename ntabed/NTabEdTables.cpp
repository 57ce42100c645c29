// TNTabEd and other tables: showing a table the editor does not own,
// copying another editor's contents or cell states.
#include <algorithm>

#include "framework/AllocGuard.h"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"

namespace qel {

namespace {

// A full copy of Source (values, states, names, attributes, scale types,
// nominal identifiers, comment) with no handlers bound.
std::unique_ptr<TDataTable> CopyOf(const TDataTable& Source) {
  CheckAllocation(size_t(Source.GetNrOfColumns()) * size_t(Source.GetNrOfRows()), sizeof(double) + 1);
  std::unique_ptr<TDataTable> copy;
  GuardAllocation([&] { copy = std::make_unique<TDataTable>(Source); });
  copy->OnDataChanged = nullptr;
  copy->OnSetupChanged = nullptr;
  copy->OnPercentDone = nullptr;
  copy->OnResize = nullptr;
  copy->OnSortExchange = nullptr;
  return copy;
}

}  // namespace

// After the table or all of its contents changed: the grid takes its size,
// missing columns their decimal places, and both change events fire once.
void TNTabEd::ShowNewContents() {
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    SyncGridSize();
    FitDecPlaces(table_->GetNrOfColumns(), DecPlacesOf(int(decPlaces_.size())));
    ChangedData();
    ChangedSetup();
  }
  PaintAtOnce();
  FlushNotifications();
}

void TNTabEd::AssignAnotherDataMatrix(TDataTable* Table) {
  if (Table == table_) return;
  std::unique_ptr<TDataTable> own;
  if (!Table) {
    try {
      own = CopyOf(*table_);
    } catch (const EOutOfMemory&) {
      throw EQELNTabedError(OutOfMemoryText());
    }
  }
  UnbindTable();
  if (Table) {
    ownTable_.reset();
    table_ = Table;
    tableIsForeign_ = true;
  } else {
    ownTable_ = std::move(own);
    table_ = ownTable_.get();
    tableIsForeign_ = false;
  }
  BindTable();
  ShowNewContents();
}

void TNTabEd::CopyContentsFrom(TNTabEd* Source) {
  if (!Source || Source == this) return;
  std::unique_ptr<TDataTable> copy;
  std::vector<uint8_t> places;
  try {
    copy = CopyOf(*Source->table_);
    GuardAllocation([&] { places = Source->decPlaces_; });
  } catch (const EOutOfMemory&) {
    throw EQELNTabedError(OutOfMemoryText());
  }
  // The table shown keeps its identity (a foreign one stays the caller's)
  // and its handlers.
  copy->OnDataChanged = std::move(table_->OnDataChanged);
  copy->OnSetupChanged = std::move(table_->OnSetupChanged);
  copy->OnPercentDone = std::move(table_->OnPercentDone);
  copy->OnResize = std::move(table_->OnResize);
  copy->OnSortExchange = std::move(table_->OnSortExchange);
  *table_ = std::move(*copy);
  decPlaces_.swap(places);
  ShowNewContents();
}

void TNTabEd::CopyCellStatesFrom(TNTabEd* Source) {
  if (!Source || Source == this) return;
  const TDataTable& from = *Source->table_;
  int cols = std::min(from.GetNrOfColumns(), table_->GetNrOfColumns());
  int rows = std::min(from.GetNrOfRows(), table_->GetNrOfRows());
  {
    TPaintPause updating(*this, TPaintPause::Quiet);
    for (int r = 1; r <= rows; ++r)
      for (int c = 1; c <= cols; ++c) table_->SetCellState(c, r, from.GetCellState(c, r));
  }
  PaintAtOnce();
  ChangedCellStates();
}

}  // namespace qel
