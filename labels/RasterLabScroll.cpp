// TRasterLab scrolling: the scroll settings, timer 1 on the label's own
// message window, and the movement of each tick.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "labels/QEL_RasterLab.h"
#include "platform/controls/Application.h"

namespace qel {
namespace {
// Offsets stay where positions derived from them cannot overflow.
constexpr int kOffsetLimit = 1 << 28;
int Moved(int Offset, int Step) {
  return int(std::clamp<int64_t>(int64_t(Offset) + Step, -kOffsetLimit, kOffsetLimit));
}
}  // namespace

void TRasterLab::SetScrollMode(TRDScrollMode v) {
  if (v == scrollMode_) return;
  scrollMode_ = v;
  if (!ComponentState().Contains(csDesigning)) scrolling_ = v != rdsmOff;
  if (v == rdsmOff) offsetX_ = offsetY_ = 0;
  RestartTimer();
  if (v == rdsmOff) Paint();
}

void TRasterLab::SetScrollInterval(int v) {
  v = std::max(v, 10);
  if (v == scrollInterval_) return;
  scrollInterval_ = v;
  RestartTimer();
}

void TRasterLab::SetScrollIncrement(int v) {
  if (v == 0) v = 1;
  if (v == scrollIncrement_) return;
  scrollIncrement_ = v == INT_MIN ? INT_MAX : std::abs(v);
  RestartTimer();
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent v) {
  onScrollTimer_ = std::move(v);
  RestartTimer();
}

void TRasterLab::RestartTimer() {
  timer_.Stop(1);
  if (scrollInterval_ <= 0 || scrollMode_ == rdsmOff || !scrolling_) return;
  if (timer_.Start(1, unsigned(scrollInterval_)) == 0)
    throw EQELRasterLabError(ComponentErrorMessage(GetName(), ": no timer available"));
}


// Each direction wraps once the text has left the label completely, to
// where it just starts to come back in from the other side.
void TRasterLab::DoTimer() {
  const int step = scrollIncrement_, textHeight = Pitch() * std::clamp(matrix_->Height, 0, 32);
  bool wrapped = false;
  switch (scrollMode_) {
    case rdsmOff:
      scrolling_ = false;
      offsetX_ = offsetY_ = 0;
      break;
    case rdsmRight:
      offsetX_ = Moved(offsetX_, step);
      if ((wrapped = scrollLoop_ && offsetX_ > GetWidth())) offsetX_ = -textLength_;
      break;
    case rdsmLeft:
      offsetX_ = Moved(offsetX_, -step);
      if ((wrapped = scrollLoop_ && offsetX_ < -textLength_)) offsetX_ = GetWidth();
      break;
    case rdsmDown:
      offsetY_ = Moved(offsetY_, step);
      if ((wrapped = scrollLoop_ && offsetY_ > GetHeight())) offsetY_ = -textHeight;
      break;
    case rdsmUp:
      offsetY_ = Moved(offsetY_, -step);
      if ((wrapped = scrollLoop_ && offsetY_ < -textHeight)) offsetY_ = GetHeight();
      break;
  }
  if (wrapped) DoScrLoopRestart();
  Paint();
  if (onScrollTimer_) onScrollTimer_(this);
}

void TRasterLab::DoScrLoopRestart() {
  if (OnScrollLoopRestart) OnScrollLoopRestart(this);
}

}  // namespace qel
