// TFilterBudget: how long one filter call may run. Each cell is bounded by
// the matcher's own limits, but a pattern that spends nearly that much on
// every cell would still take minutes over many rows; the call as a whole
// gets a fixed allowance plus a little per cell searched, far more than an
// honest search needs (well under a microsecond a cell) and far less than a
// pathological one spends. Time in the program's progress handler (which
// may let input through) does not count. The clock is read only now and
// then: at once while rows are slow, every few hundred cells while they are
// quick, since a clock read costs about as much as searching a cell.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdint>

namespace qel {

class TFilterBudget {
 public:
  using TClock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kBase{500};
  static constexpr std::chrono::microseconds kPerCell{50};

  /// CellsPerRow: the cells (times terms) each row costs.
  explicit TFilterBudget(int64_t CellsPerRow)
      : cellsPerRow_(std::max<int64_t>(CellsPerRow, 1)), start_(TClock::now()), lastCheck_(start_) {}

  /// False once the time spent (handlers left out) exceeds the allowance
  /// for the rows searched before Row.
  bool Holds(int Row) {
    if (Row < nextCheck_) return true;
    const auto now = TClock::now();
    const int64_t most = std::max<int64_t>(kMostCellsUnchecked / cellsPerRow_, 1);
    stride_ = now - lastCheck_ < std::chrono::milliseconds(1) ? std::min<int64_t>(stride_ * 2, most) : 1;
    lastCheck_ = now;
    nextCheck_ = Row + stride_;
    return now - start_ - excluded_ <= kBase + kPerCell * (cellsPerRow_ * (Row - 1));
  }
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
  static constexpr int64_t kMostCellsUnchecked = 256;
  int64_t cellsPerRow_, stride_ = 1, nextCheck_ = 1;
  TClock::time_point start_, lastCheck_;
  TClock::duration excluded_{0};
};

}  // namespace qel
