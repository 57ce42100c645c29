// Long work that reports how far it got: a percent counter and a stable
// merge sort that tells it of its progress as it goes, so that a progress
// handler sees every percent and may keep the window responsive.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace qel {

/// Counts units of work out of Total and reports each new whole percent
/// below 100 (the caller reports 100 when it is really done). Report returns
/// false to have the work stop.
class TPercentSteps {
 public:
  /// Total units of work; Report(percent) is called at each new percent.
  TPercentSteps(uint64_t Total, std::function<bool(int)> Report)
      : total_(std::max<uint64_t>(Total, 1)), report_(std::move(Report)) {}
  /// Counts Units more done; false when the report asked to stop.
  bool Add(uint64_t Units) {
    done_ += Units;
    const int now = int(std::min<uint64_t>(done_ * 100 / total_, 99));
    if (now <= last_) return true;
    last_ = now;
    return report_(now);
  }

 private:
  uint64_t total_, done_ = 0;
  int last_ = 0;
  std::function<bool(int)> report_;
};

/// Runs of this many elements are sorted first, then merged pairwise.
constexpr size_t kMergeRun = 256;

/// Units of work MergeSortInSteps reports for N elements: N per pass.
inline uint64_t MergeSortUnits(size_t N) {
  uint64_t passes = 1;
  for (size_t width = kMergeRun; width < N; width *= 2) ++passes;
  return passes * N;
}

/// How many elements to handle between two progress reports: well under a
/// percent of one pass.
inline size_t ProgressSlice(size_t N) { return std::max<size_t>(64, N / 256); }

/// Stable merge sort in O(n log n) that calls Tick(units) every
/// ProgressSlice elements placed; when Tick returns false it stops at once
/// and returns false (V then holds its elements in some order, none lost).
template <class T, class Less, class Tick>
bool MergeSortInSteps(std::vector<T>& V, Less less, Tick tick) {
  const size_t n = V.size(), kSlice = ProgressSlice(n);
  for (size_t lo = 0; lo < n; lo += kMergeRun) {
    const size_t hi = std::min(n, lo + kMergeRun);
    std::stable_sort(V.begin() + ptrdiff_t(lo), V.begin() + ptrdiff_t(hi), less);
    if (!tick(hi - lo)) return false;
  }
  if (n <= kMergeRun) return true;
  std::vector<T> out(n);
  for (size_t width = kMergeRun; width < n; width *= 2) {
    size_t since = 0;
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      const size_t mid = std::min(n, lo + width), hi = std::min(n, lo + 2 * width);
      size_t i = lo, j = mid;
      for (size_t k = lo; k < hi; ++k) {
        // The right side goes first only when strictly less: stable.
        out[k] = j < hi && (i >= mid || less(V[j], V[i])) ? V[j++] : V[i++];
        if (++since == kSlice) {
          since = 0;
          if (!tick(kSlice)) return false;
        }
      }
    }
    V.swap(out);
    if (!tick(since)) return false;
  }
  return true;
}

}  // namespace qel
