// TReportListView sorting: by the program, or by a click on a column
// header, which flips the direction each time and keeps the current row
// current. The rows' attribute bytes move with them.
#include "platform/controls/Application.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

// While filtered the list is sorted as a whole, from the unfiltered order,
// and the filter's rows are put first again.
// A sort asked for from the progress handler of a running one is refused.
bool TReportListView::Sort(int Col, int ColSec, bool Dir) {
  if (data_->Sorting()) return false;
  bool sorted;
  if (Filtered()) {
    RestoreBaseOrder();
    const uint64_t stamp = data_->Storage()->OrderStamp();
    sorted = data_->Sort(Col, ColSec, Dir, ExchangesHeard());
    // A handler that reordered the rows meanwhile left them as it wanted.
    if (Filtered() && (sorted || data_->Storage()->OrderStamp() == stamp)) {
      SaveBaseOrder();
      PartitionShownRows();
    }
  } else {
    sorted = data_->Sort(Col, ColSec, Dir, ExchangesHeard());
  }
  PaintAtOnce();
  return sorted;
}

bool TReportListView::ExchangesHeard() const {
  return OnBeforeSortExchange || !data_->OnBeforeSortExchange.target<TSortExchangeRelay>();
}

void TReportListView::UnSort() {
  data_->UnSort();
  if (Filtered()) {
    SaveBaseOrder();
    PartitionShownRows();
  }
  PaintAtOnce();
}

void TReportListView::SetSortColumnSec(int Col) {
  if (Col < -1 || Col > GetNrCols()) return;
  data_->SetSortColumnSec(Col);
  ChangedSetup();
}

namespace {
// The hourglass while a long sort runs.
class TBusyCursor {
 public:
  TBusyCursor() : saved_(Screen->GetCursor()) { Screen->SetCursor(crHourGlass); }
  ~TBusyCursor() { Screen->SetCursor(saved_); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TCursor saved_;
};
}  // namespace

// The current row is found again by the stored row it shows: one pass.
void TReportListView::HeaderClickSort(int GridCol) {
  if (!sortEnabled_ || data_->Sorting()) return;
  TBusyCursor busy;
  const int stored = data_->GetStoredRow(CurrentDataRow());
  data_->SetHeaderClickDirection(!data_->GetHeaderClickDirection());
  Sort(GridCol + 1, GetSortColumnSec(), data_->GetHeaderClickDirection());
  if (stored == 0) return;
  for (int r = 1, rows = ShownRows(); r <= rows; ++r) {
    if (data_->GetStoredRow(r) != stored) continue;
    SetCurrentGridRow(r + GetFixedRows() - 1);
    return;
  }
}

}  // namespace qel
