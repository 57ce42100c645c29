#include "browsers/detail/SelectionRuns.h"

#include <algorithm>
#include <iterator>

namespace qel::thumbs {

void TSelectionRuns::SetSize(int Size) {
  Size = std::max(Size, 0);
  if (!runs_.empty() && runs_.rbegin()->second >= Size) SetRange(Size, runs_.rbegin()->second, false);
  size_ = Size;
}

bool TSelectionRuns::Get(int I) const {
  auto after = runs_.upper_bound(I);
  return after != runs_.begin() && std::prev(after)->second >= I;
}

// Every run that overlaps or touches [From, To] is taken out; what of them
// lies outside the range goes back (removing), or all merge into one run
// (adding). 64-bit neighbours keep INT_MAX from overflowing.
void TSelectionRuns::SetRange(int From, int To, bool V) {
  if (From > To) std::swap(From, To);
  From = std::max(From, 0);
  To = std::min<int64_t>(To, int64_t(size_) - 1);
  if (From > To) return;
  int64_t lo = From, hi = To;
  auto it = runs_.upper_bound(From);
  if (it != runs_.begin() && int64_t(std::prev(it)->second) + 1 >= From) --it;
  int keepLeft = -1, keepRight = -1;  // parts of removed runs outside the range
  bool left = false, right = false;
  while (it != runs_.end() && int64_t(it->first) <= hi + 1) {
    if (V) {
      lo = std::min<int64_t>(lo, it->first);
      hi = std::max<int64_t>(hi, it->second);
    } else {
      if (it->first < From) left = true, keepLeft = it->first;
      if (it->second > To) right = true, keepRight = it->second;
    }
    it = runs_.erase(it);
  }
  if (V) {
    runs_.emplace(int(lo), int(hi));
    return;
  }
  if (left) runs_.emplace(keepLeft, From - 1);
  if (right) runs_.emplace(To + 1, keepRight);
}

int64_t TSelectionRuns::Count() const {
  int64_t n = 0;
  for (auto [first, last] : runs_) n += int64_t(last) - first + 1;
  return n;
}

}  // namespace qel::thumbs
