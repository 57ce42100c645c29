// TStringArray::Sort: a stable sort of the shown order on precomputed keys.
#include <algorithm>
#include <deque>

#include "framework/AllocGuard.h"
#include "framework/StringArray.h"
#include "platform/rtl/Utf8.h"

namespace qel {
namespace {

// One cell's sort key: a number, or a case-folded text that points either
// into the cell itself (nothing to fold) or into a side buffer.
struct Key {
  std::string_view text;
  double number = 0;
  bool isNumber = false;
};

int CompareKeys(const Key& a, const Key& b) {
  if (a.isNumber && b.isNumber) return a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
  if (a.isNumber != b.isNumber) return a.isNumber ? -1 : 1;
  const int c = a.text.compare(b.text);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool NeedsFolding(const std::string& s) {
  for (unsigned char ch : s)
    if ((ch >= 'A' && ch <= 'Z') || ch >= 0x80) return true;
  return false;
}

class KeyMaker {
 public:
  Key Make(const std::string& cell) {
    Key k;
    if (TStringArray::ReadNumber(cell, k.number)) {
      k.isNumber = true;
    } else if (NeedsFolding(cell)) {
      folded_.push_back(AnsiLowerCase(cell));  // deque: earlier views stay valid
      k.text = folded_.back();
    } else {
      k.text = cell;
    }
    return k;
  }

 private:
  std::deque<std::string> folded_;
};

struct Entry {
  Key primary, secondary;
  int shown;  // 0-based shown row before sorting
};

}  // namespace

bool TStringArray::Sort(int Col, int ColSec, bool Ascending) {
  if (Col < 0 || Col > cols_) return false;
  const bool useSec = ColSec >= 0 && ColSec <= cols_;
  CheckAllocation(size_t(rows_), sizeof(Entry));
  std::vector<Entry> entries;
  std::vector<int> newOrder;
  KeyMaker keys;
  GuardAllocation([&] {
    entries.resize(size_t(rows_));
    newOrder.resize(size_t(rows_));
    Percent(0);
    for (int i = 0; i < rows_; ++i) {
      entries[i].primary = keys.Make(cells_[size_t(order_[i]) * stride() + Col]);
      if (useSec) entries[i].secondary = keys.Make(cells_[size_t(order_[i]) * stride() + ColSec]);
      entries[i].shown = i;
    }
    Percent(30);
    auto before = [&](const Entry& a, const Entry& b) {
      int c = CompareKeys(a.primary, b.primary);
      if (c == 0 && useSec) c = CompareKeys(a.secondary, b.secondary);
      return Ascending ? c < 0 : c > 0;
    };
    std::stable_sort(entries.begin(), entries.end(), before);
  });
  Percent(70);
  for (int i = 0; i < rows_; ++i) newOrder[i] = order_[entries[i].shown];
  ApplyOrder(newOrder, Col);
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
