// The selected slides of a thumbnail viewer as runs of consecutive indices,
// so that memory follows what was selected rather than the size of the
// range: two billion slides cost nothing until some are selected, and a
// Shift+click over all of them is a single run. Index i is slide Min + i.
#pragma once
#include <cstdint>
#include <map>

namespace qel::thumbs {

/// A set of indices 0 .. Size - 1 kept as disjoint, non-touching runs.
class TSelectionRuns {
 public:
  /// Indices from Size on are dropped; the rest stay.
  void SetSize(int Size);
  /// The size set last.
  int GetSize() const { return size_; }
  /// Whether I is in the set; false outside 0 .. Size - 1.
  bool Get(int I) const;
  /// Adds or removes From .. To (inclusive, in any order), cut to the size.
  void SetRange(int From, int To, bool V);
  /// Adds or removes the one index I.
  void Set(int I, bool V) { SetRange(I, I, V); }
  /// Empties the set; the size stays.
  void Clear() { runs_.clear(); }
  /// The lowest index in the set, -1 when it is empty.
  int First() const { return runs_.empty() ? -1 : runs_.begin()->first; }
  /// How many indices the set holds.
  int64_t Count() const;

 private:
  int size_ = 0;
  std::map<int, int> runs_;  // first index -> last index
};

}  // namespace qel::thumbs
