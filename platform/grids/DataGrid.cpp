// TCustomDataGrid: the paint pause and painting at once.
#include "platform/grids/DataGrid.h"

#include <exception>

namespace qel {

void TCustomDataGrid::SetSuppressPaint(bool v) {
  if (!StoreIfChanged(suppressPaint_, v) || v) return;
  PaintAtOnce();
  PaintResumed();
}

// Paints the whole grid now and leaves nothing invalid: a change heard of
// before is not painted a second time by the next paint cycle. A grid that
// is not on screen is painted by the first paint cycle that shows it.
void TCustomDataGrid::PaintAtOnce() {
  if (!HandleAllocated() || PaintPaused()) return;
  Invalidate();
  if (Showing()) Update();
}

TCustomDataGrid::TPaintPause::TPaintPause(TCustomDataGrid& Grid, TEnd End)
    : grid_(Grid), end_(End), wasSuppressed_(Grid.suppressPaint_), failures_(std::uncaught_exceptions()) {
  if (end_ == Quiet) ++grid_.quietPauses_;
  else grid_.suppressPaint_ = true;
}

TCustomDataGrid::TPaintPause::~TPaintPause() noexcept(false) {
  if (end_ == Quiet) {
    --grid_.quietPauses_;
    return;
  }
  if (std::uncaught_exceptions() > failures_) {
    grid_.suppressPaint_ = wasSuppressed_;
    grid_.Invalidate();
    return;
  }
  grid_.SetSuppressPaint(wasSuppressed_);
}

}  // namespace qel
