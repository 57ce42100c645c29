// TFilterBudget: how long one filter call may run. Each cell is bounded by
// the matcher's own limits, but a pattern that spends nearly that much on
// every cell would still take minutes over many rows; the call as a whole
// gets a fixed allowance plus a little per cell searched, far more than an
// honest search needs (well under a microsecond a cell) and far less than a
// pathological one spends. Time in the program's progress handler (which
// may let input through) does not count.
#pragma once
#include <chrono>
#include <cstdint>

namespace qel {

class TFilterBudget {
 public:
  using TClock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kBase{500};
  static constexpr std::chrono::microseconds kPerCell{50};

  TFilterBudget() : start_(TClock::now()) {}

  /// True while the time spent (handlers left out) stays within the
  /// allowance for Cells cells searched so far.
  bool Holds(int64_t Cells) const { return TClock::now() - start_ - excluded_ <= kBase + kPerCell * Cells; }
  /// Leaves out the time Handler takes.
  template <class F>
  void Exclude(F&& Handler) {
    const auto before = TClock::now();
    struct TAdd {  // also when the handler raises
      TFilterBudget& b;
      TClock::time_point before;
      ~TAdd() { b.excluded_ += TClock::now() - before; }
    } add{*this, before};
    Handler();
  }

 private:
  TClock::time_point start_;
  TClock::duration excluded_{0};
};

}  // namespace qel
