// TReportListView::FilterAndSort: the rows a search lets through are shown
// first, the others are kept after them, out of the grid. Nothing is
// written to a cell; the order is the storage's shown order, which UnSort
// and ClearFilter put back. Every verdict comes before any change, so a
// search that gives up (its time budget spent, stopped by the program, the
// rows changed under it) leaves the list as it was.
#include <algorithm>
#include <memory>
#include <optional>

#include "platform/rtl/Utf8.h"
#include "replist/detail/BooleanQuery.h"
#include "replist/detail/FilterBudget.h"
#include "replist/detail/TextMatcher.h"
#include "replist/detail/ReportListViewInternal.h"

namespace qel {

namespace {

// Bytes of the UTF-8 character that starts with C (the check mark).
size_t LeadCharSize(char C) {
  const auto b = static_cast<unsigned char>(C);
  return b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
}

std::string FilterError(const std::string& What, int Position) {
  return ReplistErrorMessage("TReportListView.FilterAndSort: " + What +
                             (Position > 0 ? " at position " + std::to_string(Position) : std::string()));
}

// The search, compiled once: one matcher for fmSimple and fmGrep, one per
// term for fmBoolean (words joined by OR are one term).
class TRowSearch {
 public:
  TRowSearch(const std::string& Text, bool MatchCase, TFilterMode Mode) {
    if (Mode != fmBoolean) {
      matchers_.push_back(std::make_unique<TTextMatcher>(
          Text, Mode == fmGrep ? TTextMatcher::tkRegex : TTextMatcher::tkText, MatchCase));
      return;
    }
    query_.emplace(Text);
    for (const std::vector<std::string>& term : query_->Terms())
      matchers_.push_back(std::make_unique<TTextMatcher>(term, MatchCase));
  }

  /// Matchers a row may need per cell: what the time budget allows for.
  int Weight() const { return int(matchers_.size()); }
  bool Matches(const std::vector<std::string_view>& Cells) const {
    if (!query_) return AnyCell(0, Cells);
    return query_->Evaluate([&](int term) { return AnyCell(term, Cells); });
  }

 private:
  bool AnyCell(int Matcher, const std::vector<std::string_view>& Cells) const {
    for (std::string_view cell : Cells)
      if (matchers_[size_t(Matcher)]->Matches(cell)) return true;
    return false;
  }
  std::optional<TBooleanQuery> query_;
  std::vector<std::unique_ptr<TTextMatcher>> matchers_;
};

// The query as an error shows it: long ones cut.
std::string QuotedQuery(const std::string& Text) {
  constexpr int kShown = 60;
  return "\"" + (Utf8Length(Text) > size_t(kShown) ? Utf8Left(Text, kShown) + "..." : Text) + "\"";
}

// Out of the search loop's way (its code kept out of the loop too).
[[noreturn, gnu::cold, gnu::noinline]] void GiveUpFilter(const std::string& Name, const std::string& Text, int Row,
                                                         int Rows, const char* Reason) {
  throw EQELRepListError(ComponentErrorMessage(Name, ": filtering by " + QuotedQuery(Text) + " gave up at row " +
                                                         std::to_string(Row) + " of " + std::to_string(Rows) + ": " +
                                                         Reason + "; the list is as it was"));
}

}  // namespace

int TReportListView::FilterAndSort(const std::string& Text, const std::vector<int>& Columns, bool MatchCase,
                                   TFilterMode Mode, int SortCol, bool SortAscending) {
  if (filtering_) throw EQELRepListError(FilterError("another filter is running", 0));
  HideEditor();
  const bool sort = SortCol >= 0 && SortCol <= GetNrCols();
  if (Trim(Text).empty()) {
    TPaintPause pause(*this);
    ClearFilter();
    if (sort) Sort(SortCol, GetSortColumnSec(), SortAscending);
    return ShownRows();
  }
  std::unique_ptr<TRowSearch> search;
  try {
    search = std::make_unique<TRowSearch>(Text, MatchCase, Mode);
  } catch (const EMatchError& e) {
    throw EQELRepListError(FilterError(e.what(), e.Position()));
  }
  std::vector<int> columns;
  for (int c : Columns)
    if (c >= 0 && c <= GetNrCols()) columns.push_back(c);
  if (Columns.empty())
    for (int c = 1; c <= GetNrCols(); ++c) columns.push_back(c);
  std::vector<bool> marks(columns.size());
  for (size_t i = 0; i < columns.size(); ++i) {
    const TCheckMode mode = data_->GetColCheckMode(columns[i]);
    marks[i] = mode == cmBox || mode == cmRadio;
  }

  // Every verdict first: a failure here leaves the list as it was.
  const int rows = GetNrRows();
  std::vector<uint8_t> hits(size_t(rows) + 1, 0);
  std::vector<std::string_view> cells(columns.size());
  const TStringArray& storage = *data_->Storage();
  const uint64_t order = storage.OrderStamp();
  // A handler may let input through: rows added, removed, reordered or replaced end the search.
  auto rowsChanged = [&] { return data_->Storage() != &storage || storage.OrderStamp() != order || GetNrRows() != rows; };
  const int64_t cellsPerRow = int64_t(columns.size()) * std::max(search->Weight(), 1);
  auto giveUp = [&](int Row, const char* Reason) { GiveUpFilter(GetName(), Text, Row, rows, Reason); };
  TFilterBudget budget(cellsPerRow);
  struct TRunning {  // ends also when the search gives up
    bool& on;
    explicit TRunning(bool& On, bool& Stop) : on(On) { on = true, Stop = false; }
    ~TRunning() { on = false; }
  } running(filtering_, filterStopAsked_);
  int shown = 0, nextPercent = 0;
  for (int r = 1; r <= rows; ++r) {
    if (OnPercentDone && r - 1 >= int64_t(rows) * nextPercent / 100) {
      const int percent = int(int64_t(r - 1) * 100 / rows);
      budget.Exclude([&] { OnPercentDone(this, percent); });
      nextPercent = percent + 1;
      if (filterStopAsked_) giveUp(r, "stopped");
      if (rowsChanged()) giveUp(r, "the rows changed meanwhile");
    }
    if (!budget.Holds(r))
      giveUp(r, "the search needs more time than these rows allow");
    const std::string* row = storage.RowCells(r);  // read in place: every cell of the row is visited
    for (size_t i = 0; i < columns.size(); ++i) {
      std::string_view cell = row[columns[i]];
      if (marks[i] && !cell.empty()) cell.remove_prefix(std::min(cell.size(), LeadCharSize(cell[0])));
      cells[i] = cell;
    }
    bool found;
    try {
      found = search->Matches(cells);
    } catch (const EMatchError& e) {
      giveUp(r, e.what());
    }
    if (OnBeforeFilter) {
      bool own = found;
      TLogicOp op = loAND;
      budget.Exclude([&] { OnBeforeFilter(this, r, own, op); });
      found = ApplyLogicOp(op, found, own);
      if (rowsChanged()) giveUp(r, "the rows changed meanwhile");
    }
    hits[size_t(data_->GetStoredRow(r))] = found;
    shown += found;
  }

  TPaintPause pause(*this);
  if (Filtered()) RestoreBaseOrder();
  if (sort) data_->Sort(SortCol, GetSortColumnSec(), SortAscending, ExchangesHeard());
  SaveBaseOrder();
  hits_.swap(hits);
  shownRows_ = shown;
  PartitionShownRows();
  SyncRows();
  SetTopRow(1);
  SetCurrentGridRow(GetFixedRows());
  ChangedSetup();
  if (OnPercentDone) OnPercentDone(this, 100);
  return shown;
}

void TReportListView::StopFilter() {
  if (filtering_) filterStopAsked_ = true;
}

void TReportListView::ClearFilter() {
  if (!Filtered()) return;
  TPaintPause pause(*this);
  RestoreBaseOrder();
  EndFilterForNewRows();
  SyncRows();
  ChangedSetup();
}

// --------------------------------------------------- the filter's order ----

void TReportListView::SaveBaseOrder() {
  const int rows = GetNrRows();
  baseOrder_.resize(size_t(rows));
  for (int i = 1; i <= rows; ++i) baseOrder_[size_t(i) - 1] = data_->GetStoredRow(i);
}

void TReportListView::RestoreBaseOrder() {
  TStringArray* cells = data_->Storage();
  for (size_t i = 0; i < baseOrder_.size(); ++i) cells->SetSortOrder(int(i) + 1, baseOrder_[i]);
}

// The rows that match first, each group in the unfiltered order.
void TReportListView::PartitionShownRows() {
  TStringArray* cells = data_->Storage();
  int place = 1;
  for (int stored : baseOrder_)
    if (hits_[size_t(stored)]) cells->SetSortOrder(place++, stored);
  for (int stored : baseOrder_)
    if (!hits_[size_t(stored)]) cells->SetSortOrder(place++, stored);
}

// The rows changed: whatever order they have now stays, all of them shown.
void TReportListView::EndFilterForNewRows() {
  shownRows_ = -1;
  std::vector<uint8_t>().swap(hits_);
  std::vector<int>().swap(baseOrder_);
}

}  // namespace qel
