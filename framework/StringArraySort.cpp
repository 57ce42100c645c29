// TStringArray::Sort: stable sorting of the shown order on precomputed keys.
// Two keys are sorted as two stable passes, secondary first, so every pass
// moves small entries. The keys are copied out of the cells first: a cell
// changed by a progress handler while the sort runs cannot pull text away
// from under it (the sort orders the rows as they were when it began).
#include <algorithm>

#include "framework/AllocGuard.h"
#include "framework/detail/SortInSteps.h"
#include "framework/StringArray.h"
#include "platform/rtl/Utf8.h"

namespace qel {
namespace {

// A cell's sort key and the shown row it came from. The text lies in the
// pass's key buffer; its first eight bytes are kept inline, big-endian, so
// that most comparisons never touch the buffer.
struct Entry {
  uint64_t prefix = 0;
  double number = 0;
  size_t offset = 0;   // the folded text in the key buffer
  uint32_t length = 0;
  int shown = 0;                    // 0-based shown row before this pass
  bool isNumber = false;
};

uint64_t Prefix(std::string_view s) {
  uint64_t p = 0;
  for (size_t i = 0; i < 8; ++i) p = (p << 8) | (i < s.size() ? static_cast<unsigned char>(s[i]) : 0);
  return p;
}

int CompareKeys(const Entry& a, const Entry& b, const char* keys) {
  if (a.isNumber && b.isNumber) return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
  if (a.isNumber != b.isNumber) return a.isNumber ? -1 : 1;
  if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
  if (a.length <= 8 && b.length <= 8) return a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
  return std::string_view(keys + a.offset, a.length).compare(std::string_view(keys + b.offset, b.length));
}

// Appends the cell folded to lower case: plain ASCII directly, anything
// else as AnsiLowerCase does it.
void AppendFolded(std::string& keys, const std::string& cell) {
  for (unsigned char ch : cell)
    if (ch >= 0x80) {
      keys += AnsiLowerCase(cell);
      return;
    }
  for (char ch : cell) keys += ch >= 'A' && ch <= 'Z' ? char(ch + 32) : ch;
}

}  // namespace

bool TStringArray::Sort(int Col, int ColSec, bool Ascending) {
  if (Col < 0 || Col > cols_ || sorting_) return false;
  const bool useSec = ColSec >= 0 && ColSec <= cols_ && ColSec != Col;
  const size_t n = size_t(rows_);
  CheckAllocation(n, 2 * sizeof(Entry));
  sorting_ = true;
  struct TEnd {
    bool& flag;
    ~TEnd() { flag = false; }
  } end{sorting_};
  // Progress: reading the keys and sorting them (placing the rows is a
  // copy); a handler that reorders or resizes the rows meanwhile stops the sort.
  const uint64_t stamp = orderStamp_;
  const int passes = useSec ? 2 : 1;
  const size_t slice = ProgressSlice(n);
  TPercentSteps steps(uint64_t(passes) * (n + MergeSortUnits(n)), [&](int P) {
    Percent(P);
    return orderStamp_ == stamp;
  });
  std::vector<int> order = order_;  // shown row -> stored row, updated by each pass
  bool done = true;
  GuardAllocation([&] {
    std::vector<Entry> entries(n);
    std::string keys;
    Percent(0);
    if (orderStamp_ != stamp) return void(done = false);
    const int columns[2] = {useSec ? ColSec : Col, Col};
    for (int pass = useSec ? 0 : 1; pass < 2 && done; ++pass) {
      keys.clear();
      for (size_t i = 0; i < n && done; ++i) {
        Entry& e = entries[i];
        const std::string& cell = cells_[size_t(order[i]) * stride() + columns[pass]];
        e.shown = int(i);
        e.isNumber = ReadNumber(cell, e.number);
        if (!e.isNumber) {
          e.offset = keys.size();
          AppendFolded(keys, cell);
          e.length = uint32_t(keys.size() - e.offset);
          e.prefix = Prefix(std::string_view(keys).substr(e.offset));
        }
        if ((i + 1) % slice == 0) done = steps.Add(slice);
      }
      done = done && steps.Add(n % slice);
      const char* text = keys.data();
      done = done && MergeSortInSteps(
                         entries,
                         [Ascending, text](const Entry& a, const Entry& b) {
                           const int c = CompareKeys(a, b, text);
                           return Ascending ? c < 0 : c > 0;
                         },
                         [&](size_t units) { return steps.Add(units); });
      if (!done) break;
      std::vector<int> next(n);
      for (size_t i = 0; i < n; ++i) next[i] = order[size_t(entries[i].shown)];
      order.swap(next);
    }
  });
  if (!done || !ApplyOrder(order, Col, stamp)) return false;
  ++orderStamp_;
  Percent(100);
  Changed();
  return true;
}

// Moves the shown order to NewOrder. With an exchange handler this happens as
// a series of exchanges of two shown rows, the handler told before each one;
// a handler that reorders or resizes the rows stops the series (false).
bool TStringArray::ApplyOrder(const std::vector<int>& NewOrder, int Col, uint64_t Stamp) {
  if (!OnBeforeSortExchange) {
    order_ = NewOrder;
    return true;
  }
  std::vector<int> shownAt;  // stored row -> current shown row
  GuardAllocation([&] { shownAt.resize(static_cast<size_t>(rows_)); });
  for (int i = 0; i < rows_; ++i) shownAt[order_[i]] = i;
  for (int i = 0; i < rows_; ++i) {
    if (order_[i] == NewOrder[i]) continue;
    const int j = shownAt[NewOrder[i]];
    std::string other = cells_[size_t(order_[i]) * stride() + Col];
    OnBeforeSortExchange(this, cells_[size_t(order_[j]) * stride() + Col], other);
    if (orderStamp_ != Stamp) return false;
    std::swap(order_[i], order_[j]);
    shownAt[order_[i]] = i;
    shownAt[order_[j]] = j;
  }
  return true;
}

}  // namespace qel
