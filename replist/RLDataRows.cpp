// TRLData: rows, sorting and copying.
#include <algorithm>
#include <utility>

#include "framework/AllocGuard.h"
#include "platform/rtl/NumConv.h"
#include "replist/RLData.h"

namespace qel {

void TRLData::RemoveRow(int R) {
  if (R < 1 || R > nrRows_) return;
  cells_->CommitSorting();
  if (nrRows_ < 2) {
    for (int c = 0; c <= nrCols_; ++c) cells_->SetString(c, R, "");
    cells_->SetRowAttrib(R, 0);  // a stale selection must not return with the row
    nrRows_ = 0;
    return;
  }
  cells_->RemoveRow(R);
  --nrRows_;
}

void TRLData::RemoveEmptyRows() {
  for (int r = nrRows_; r >= 1; --r) {
    bool empty = true;
    for (int c = 0; c <= nrCols_ && empty; ++c) empty = GetElem(c, r).empty();
    if (empty) RemoveRow(r);
  }
}

void TRLData::CopyRow(int Src, int Dst) {
  if (Src < 1 || Src > nrRows_ || Dst < 1 || Dst > nrRows_ || Src == Dst) return;
  for (int c = 0; c <= nrCols_; ++c) cells_->SetString(c, Dst, cells_->GetString(c, Src));
  cells_->SetRowAttrib(Dst, cells_->GetRowAttrib(Src));
}

void TRLData::Fill(const std::string& S) {
  Progress(0, nrCols_);
  for (int c = 1; c <= nrCols_; ++c) {
    Progress(c, nrCols_);
    const bool marks = IsCheckColumn(c);
    for (int r = 1; r <= nrRows_; ++r) {
      if (!marks) {
        cells_->SetString(c, r, S);
        continue;
      }
      const std::string& raw = cells_->GetString(c, r);
      cells_->SetString(c, r, (raw.empty() || raw[0] == ' ' ? " " : "X") + S);
    }
  }
}

void TRLData::Clear() {
  cells_->Clear();
  for (int c = 1; c <= nrCols_; ++c) {
    colNames_[c - 1] = "C-" + IntToStr(c);
    colFormats_[c - 1].clear();
    checkModes_[c - 1] = cmNone;
  }
}

// A sort that did not happen (refused while another one runs, or stopped
// by a progress handler that reordered the rows) puts back the sort state
// it recorded, unless that handler set its own.
bool TRLData::Sort(int Col, int ColSec, bool Dir) {
  const int oldCol = sortCol_, oldColSec = sortColSec_;
  const bool oldDir = sortDir_;
  sortCol_ = Col;
  sortColSec_ = ColSec;
  sortDir_ = Dir;
  const bool sorted = cells_->Sort(Col, ColSec, Dir);
  const bool stopped = !sorted && Col >= 0 && Col <= cells_->GetNrOfColumns();
  if (stopped && sortCol_ == Col && sortColSec_ == ColSec && sortDir_ == Dir) {
    sortCol_ = oldCol;
    sortColSec_ = oldColSec;
    sortDir_ = oldDir;
  }
  return sorted;
}

// The storage's exchange handler is held back for the sort; not while
// another sort runs, whose exchanges may be under way.
bool TRLData::Sort(int Col, int ColSec, bool Dir, bool Exchanges) {
  if (Exchanges || cells_->Sorting()) return Sort(Col, ColSec, Dir);
  struct TRewire {
    TStringArray& cells;
    TBeforeSortExchgEvent held;
    ~TRewire() { cells.OnBeforeSortExchange = std::move(held); }
  } rewire{*cells_, std::exchange(cells_->OnBeforeSortExchange, nullptr)};
  return Sort(Col, ColSec, Dir);
}

void TRLData::UnSort() {
  sortCol_ = -1;
  sortColSec_ = -1;
  cells_->UnSort();
}

// ---------------------------------------------------------------- copying ----

void TRLData::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TRLData*>(Source);
  if (!src) {
    TComponent::Assign(Source);
    return;
  }
  if (src != this) AssignFrom(*src);
}

void TRLData::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TRLData*>(Dest)) d->Assign(this);
  else TComponent::AssignTo(Dest);
}

// Everything new is built before anything is replaced, so a failure leaves
// this object as it was.
void TRLData::AssignFrom(const TRLData& Src) {
  std::unique_ptr<TStringArray> fresh;
  std::vector<TNameStrType> names;
  std::vector<TColFmtString> formats;
  std::vector<TCheckMode> modes;
  const int rows = std::max(Src.nrRows_, 1);
  try {
    fresh = NewStorage(Src.cells_->GetAllocRowsBy());
    fresh->Resize(Src.nrCols_, rows);
    CheckAllocation(size_t(Src.nrCols_), sizeof(TNameStrType) + sizeof(TColFmtString) + 1);
    GuardAllocation([&] {
      names = Src.colNames_;
      formats = Src.colFormats_;
      modes = Src.checkModes_;
    });
  } catch (const EOutOfMemory&) {
    throw EQELRLDataError(OutOfMemoryMessage(": not enough memory on heap"));
  }
  for (int c = 0; c <= Src.nrCols_; ++c) fresh->SetColAttrib(c, Src.cells_->GetColAttrib(c));
  // Rows go to the stored position they have in the source, then the shown
  // order is copied, so both orders survive.
  for (int i = 1; i <= rows; ++i) {
    const int stored = Src.cells_->GetSortOrder(i);
    for (int c = 0; c <= Src.nrCols_; ++c) fresh->SetString(c, stored, Src.cells_->GetString(c, i));
    fresh->SetRowAttrib(stored, Src.cells_->GetRowAttrib(i));
  }
  for (int i = 1; i <= rows; ++i) fresh->SetSortOrder(i, Src.cells_->GetSortOrder(i));
  WireStorage(*fresh, cells_.get());
  cells_ = std::move(fresh);
  nrCols_ = Src.nrCols_;
  nrRows_ = Src.nrRows_;
  sortCol_ = Src.sortCol_;
  sortColSec_ = Src.sortColSec_;
  sortDir_ = Src.sortDir_;
  headerClickDir_ = Src.headerClickDir_;
  comment_ = Src.comment_;
  commonHeader_ = Src.commonHeader_;
  dataID_ = Src.dataID_;
  OnBeforeSortExchange = Src.OnBeforeSortExchange;
  colNames_.swap(names);
  colFormats_.swap(formats);
  checkModes_.swap(modes);
}

}  // namespace qel

namespace qel {

void TRLData::MoveContentFrom(TRLData& Src) {
  WireStorage(*Src.cells_, cells_.get());
  cells_.swap(Src.cells_);
  std::swap(nrCols_, Src.nrCols_);
  std::swap(nrRows_, Src.nrRows_);
  colNames_.swap(Src.colNames_);
  colFormats_.swap(Src.colFormats_);
  checkModes_.swap(Src.checkModes_);
  commonHeader_.swap(Src.commonHeader_);
  comment_.swap(Src.comment_);
  dataID_.swap(Src.dataID_);
  sortCol_ = Src.sortCol_;
  sortColSec_ = Src.sortColSec_;
  sortDir_ = Src.sortDir_;
  headerClickDir_ = Src.headerClickDir_;
}

}  // namespace qel
