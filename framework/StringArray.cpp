// TStringArray storage: cells, attributes, rows and the shown order.
#include "framework/StringArray.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "framework/AllocGuard.h"
#include "platform/rtl/Utf8.h"

namespace qel {

namespace {
const std::string kEmpty;
}

TStringArray::TStringArray(int Cols, int Rows) { Resize(Cols, Rows); }

void TStringArray::ReserveRows(size_t Rows) {
  const size_t capRows = cells_.capacity() / stride();
  if (Rows <= capRows && rowAttr_.capacity() >= Rows && order_.capacity() >= Rows) return;
  size_t want = (Rows + allocRowsBy_ - 1) / allocRowsBy_ * allocRowsBy_;
  if (capRows > 0) want = std::max(want, capRows + capRows / 2);  // amortised growth row by row
  CheckAllocation(want * stride(), sizeof(std::string));
  cells_.reserve(want * stride());
  rowAttr_.reserve(want);
  order_.reserve(want);
}

void TStringArray::Resize(int Cols, int Rows) {
  Cols = std::max(Cols, 0);
  Rows = std::max(Rows, 0);
  CheckAllocation(size_t(Rows) * (size_t(Cols) + 1), sizeof(std::string));
  // Only a shrink commits the shown order (the last shown rows are the ones
  // that go). A growing list keeps it, so UnSort still shows the stored order,
  // the new rows last. Every allocation comes before the first change.
  GuardAllocation([&] {
    if (Cols != cols_) {
      MoveToColumns(Cols, Rows);
    } else if (Rows < rows_) {
      CommitSorting();
    } else {
      ReserveRows(size_t(Rows));
    }
    // Capacities are in place: nothing below allocates.
    cells_.resize(size_t(Rows) * stride());
    colAttr_.resize(stride());
    rowAttr_.resize(size_t(Rows));
    const size_t old = order_.size();
    order_.resize(size_t(Rows));
    for (size_t i = old; i < order_.size(); ++i) order_[i] = int(i);
    rows_ = Rows;
  });
  ++orderStamp_;
  Changed();
}

// Moves every cell into a block of the new width; rows keep their stored
// places. Allocates first, then commits the shown order when rows go.
void TStringArray::MoveToColumns(int Cols, int Rows) {
  const size_t newStride = size_t(Cols) + 1;
  std::vector<std::string> fresh(size_t(Rows) * newStride);
  colAttr_.reserve(newStride);
  rowAttr_.reserve(size_t(Rows));
  order_.reserve(size_t(Rows));
  if (Rows < rows_) CommitSorting();  // the last step that may fail
  const size_t keepCols = std::min(newStride, stride()), keepRows = size_t(std::min(Rows, rows_));
  for (size_t r = 0; r < keepRows; ++r)
    for (size_t c = 0; c < keepCols; ++c) fresh[r * newStride + c] = std::move(cells_[r * stride() + c]);
  cells_.swap(fresh);
  cols_ = Cols;
}

void TStringArray::Clear() {
  for (std::string& s : cells_) s.clear();
  Changed();
}

const std::string& TStringArray::GetString(int Col, int Row) const {
  return Valid(Col, Row) ? cells_[Index(Col, Row)] : kEmpty;
}

void TStringArray::SetString(int Col, int Row, const std::string& S) {
  if (!Valid(Col, Row)) return;
  std::string& cell = cells_[Index(Col, Row)];
  if (S.size() <= size_t(MaxCellLength)) cell = S;  // bytes bound characters: no cut needed
  else cell = Utf8Left(S, MaxCellLength);
  Changed();
}

bool TStringArray::ReadNumber(std::string_view S, double& Value) {
  while (!S.empty() && S.front() == ' ') S.remove_prefix(1);
  while (!S.empty() && S.back() == ' ') S.remove_suffix(1);
  if (S.empty()) return false;
  bool negative = false;
  if (S.front() == '+' || S.front() == '-') {
    negative = S.front() == '-';
    S.remove_prefix(1);
  }
  // Only digits or a point may start the number: no "inf", "nan" or hex.
  if (S.empty() || !(isdigit(static_cast<unsigned char>(S.front())) || S.front() == '.')) return false;
  double v = 0;
  auto res = std::from_chars(S.data(), S.data() + S.size(), v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != S.data() + S.size()) return false;
  Value = negative ? -v : v;
  return true;
}

double TStringArray::GetAsNumber(int Col, int Row) const {
  double v = 0;
  return ReadNumber(GetString(Col, Row), v) ? v : 0;
}

uint8_t TStringArray::GetRowAttrib(int Row) const {
  return Row >= 1 && Row <= rows_ ? rowAttr_[order_[Row - 1]] : 0;
}

void TStringArray::SetRowAttrib(int Row, uint8_t Value) {
  if (Row >= 1 && Row <= rows_) rowAttr_[order_[Row - 1]] = Value;
}

uint8_t TStringArray::GetColAttrib(int Col) const { return Col >= 0 && Col <= cols_ ? colAttr_[Col] : 0; }

void TStringArray::SetColAttrib(int Col, uint8_t Value) {
  if (Col >= 0 && Col <= cols_) colAttr_[Col] = Value;
}

void TStringArray::InsertRow(int R) {
  if (R < 1 || R > rows_ + 1) return;
  CheckAllocation(size_t(rows_ + 1) * stride(), sizeof(std::string));
  GuardAllocation([&] {
    CommitSorting();
    ReserveRows(size_t(rows_) + 1);
    cells_.insert(cells_.begin() + ptrdiff_t(size_t(R - 1) * stride()), stride(), std::string());
    rowAttr_.insert(rowAttr_.begin() + (R - 1), uint8_t(0));
    order_.push_back(rows_);
    ++rows_;
  });
  ++orderStamp_;
  Changed();
}

void TStringArray::RemoveRow(int R) {
  if (R < 1 || R > rows_) return;
  CommitSorting();
  const auto first = cells_.begin() + ptrdiff_t(size_t(R - 1) * stride());
  cells_.erase(first, first + ptrdiff_t(stride()));
  rowAttr_.erase(rowAttr_.begin() + (R - 1));
  order_.pop_back();
  --rows_;
  ++orderStamp_;
  Changed();
}

int TStringArray::GetSortOrder(int I) const { return I >= 1 && I <= rows_ ? order_[I - 1] + 1 : 0; }

void TStringArray::SetSortOrder(int I, int J) {
  if (I < 1 || I > rows_ || J < 1 || J > rows_) return;
  order_[I - 1] = J - 1;
  ++orderStamp_;
}

void TStringArray::UnSort() {
  std::iota(order_.begin(), order_.end(), 0);
  ++orderStamp_;
  Changed();
}

bool TStringArray::IsSorted() const {
  for (int i = 0; i < rows_; ++i)
    if (order_[i] != i) return true;
  return false;
}

void TStringArray::CommitSorting() {
  if (!IsSorted()) return;
  std::vector<bool> seen(size_t(rows_), false);
  for (int s : order_) {
    if (seen[s]) {  // not a permutation: keep the stored order
      std::iota(order_.begin(), order_.end(), 0);
      ++orderStamp_;
      return;
    }
    seen[s] = true;
  }
  CheckAllocation(cells_.size(), sizeof(std::string));
  std::vector<std::string> fresh;
  std::vector<uint8_t> attr;
  GuardAllocation([&] {
    fresh.resize(cells_.size());
    fresh.reserve(cells_.capacity());
    attr.reserve(rowAttr_.capacity());
  });
  for (int i = 0; i < rows_; ++i) {
    const size_t from = size_t(order_[i]) * stride(), to = size_t(i) * stride();
    for (size_t c = 0; c < stride(); ++c) fresh[to + c] = std::move(cells_[from + c]);
    attr.push_back(rowAttr_[order_[i]]);
  }
  cells_.swap(fresh);
  rowAttr_.swap(attr);
  std::iota(order_.begin(), order_.end(), 0);
  ++orderStamp_;  // stored places moved
}

}  // namespace qel
