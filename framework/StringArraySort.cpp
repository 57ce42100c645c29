// TStringArray::Sort: stable sorting of the shown order on precomputed keys.
// Two keys are sorted as two stable passes, secondary first, so every pass
// moves small entries.
#include <algorithm>
#include <deque>

#include "framework/AllocGuard.h"
#include "framework/StringArray.h"
#include "platform/rtl/Utf8.h"

namespace qel {
namespace {

// A cell's sort key and the shown row it came from. The text points either
// into the cell itself (nothing to fold) or into the folded-text buffer; its
// first eight bytes are kept inline, big-endian, so that most comparisons
// never touch the scattered cell memory.
struct Entry {
  uint64_t prefix;
  std::string_view text;
  double number;
  int shown;  // 0-based shown row before this pass
  bool isNumber;
};

uint64_t Prefix(std::string_view s) {
  uint64_t p = 0;
  for (size_t i = 0; i < 8; ++i) p = (p << 8) | (i < s.size() ? static_cast<unsigned char>(s[i]) : 0);
  return p;
}

int CompareKeys(const Entry& a, const Entry& b) {
  if (a.isNumber && b.isNumber) return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
  if (a.isNumber != b.isNumber) return a.isNumber ? -1 : 1;
  if (a.prefix != b.prefix) return a.prefix < b.prefix ? -1 : 1;
  if (a.text.size() <= 8 && b.text.size() <= 8)
    return a.text.size() < b.text.size() ? -1 : a.text.size() > b.text.size() ? 1 : 0;
  return a.text.compare(b.text);
}

// Case folding: plain ASCII directly, anything else as AnsiLowerCase does it.
class Folder {
 public:
  std::string_view Fold(const std::string& cell) {
    bool upper = false;
    for (unsigned char ch : cell) {
      if (ch >= 0x80) return Keep(AnsiLowerCase(cell));
      upper = upper || (ch >= 'A' && ch <= 'Z');
    }
    if (!upper) return cell;
    std::string lower = cell;
    for (char& ch : lower)
      if (ch >= 'A' && ch <= 'Z') ch = char(ch + 32);
    return Keep(std::move(lower));
  }

 private:
  std::deque<std::string> folded_;  // a deque keeps earlier views valid
  std::string_view Keep(std::string&& s) {
    folded_.push_back(std::move(s));
    return folded_.back();
  }
};

}  // namespace

bool TStringArray::Sort(int Col, int ColSec, bool Ascending) {
  if (Col < 0 || Col > cols_) return false;
  const bool useSec = ColSec >= 0 && ColSec <= cols_ && ColSec != Col;
  CheckAllocation(size_t(rows_), sizeof(Entry));
  std::vector<int> order = order_;  // shown row -> stored row, updated by each pass
  GuardAllocation([&] {
    std::vector<Entry> entries(static_cast<size_t>(rows_));
    Percent(0);
    const int keys[2] = {useSec ? ColSec : Col, Col};
    for (int pass = useSec ? 0 : 1; pass < 2; ++pass) {
      Folder folder;
      for (int i = 0; i < rows_; ++i) {
        Entry& e = entries[i];
        const std::string& cell = cells_[size_t(order[i]) * stride() + keys[pass]];
        e.shown = i;
        e.isNumber = ReadNumber(cell, e.number);
        if (!e.isNumber) {
          e.text = folder.Fold(cell);
          e.prefix = Prefix(e.text);
        }
      }
      Percent(pass == 0 ? 20 : 45);
      std::stable_sort(entries.begin(), entries.end(), [Ascending](const Entry& a, const Entry& b) {
        const int c = CompareKeys(a, b);
        return Ascending ? c < 0 : c > 0;
      });
      std::vector<int> next(static_cast<size_t>(rows_));
      for (int i = 0; i < rows_; ++i) next[i] = order[entries[i].shown];
      order.swap(next);
      Percent(pass == 0 ? 40 : 70);
    }
  });
  ApplyOrder(order, Col);
  Percent(100);
  Changed();
  return true;
}

// Moves the shown order to NewOrder. With an exchange handler this happens as
// a series of exchanges of two shown rows, the handler told before each one.
void TStringArray::ApplyOrder(const std::vector<int>& NewOrder, int Col) {
  if (!OnBeforeSortExchange) {
    order_ = NewOrder;
    return;
  }
  std::vector<int> shownAt;  // stored row -> current shown row
  GuardAllocation([&] { shownAt.resize(static_cast<size_t>(rows_)); });
  for (int i = 0; i < rows_; ++i) shownAt[order_[i]] = i;
  for (int i = 0; i < rows_; ++i) {
    if (order_[i] == NewOrder[i]) continue;
    const int j = shownAt[NewOrder[i]];
    std::string other = cells_[size_t(order_[i]) * stride() + Col];
    OnBeforeSortExchange(this, cells_[size_t(order_[j]) * stride() + Col], other);
    std::swap(order_[i], order_[j]);
    shownAt[order_[i]] = i;
    shownAt[order_[j]] = j;
  }
}

}  // namespace qel
