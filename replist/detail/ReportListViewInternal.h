// Internal to the report list view's files: the paint pause.
#pragma once
#include <exception>

#include "replist/QEL_replist.h"

namespace qel {

// Operations that change many rows suppress painting while they work and
// restore the state they found: the view repaints once, when the outermost
// pause ends. When the work fails, painting is restored without painting
// (the grid is invalidated instead), so the failure is the one reported.
class TReportListView::TPaintPause {
 public:
  explicit TPaintPause(TReportListView& View)
      : view_(View), was_(View.suppressPaint_), failures_(std::uncaught_exceptions()) {
    view_.suppressPaint_ = true;
  }
  ~TPaintPause() noexcept(false) {
    if (std::uncaught_exceptions() > failures_) {
      view_.suppressPaint_ = was_;
      view_.Invalidate();
      return;
    }
    view_.SetSuppressPaint(was_);
  }
  TPaintPause(const TPaintPause&) = delete;
  TPaintPause& operator=(const TPaintPause&) = delete;

 private:
  TReportListView& view_;
  bool was_;
  int failures_;
};

// Passes the data's exchange notices on to the view's event. While it is
// the data's handler and the view's event is unset, no one listens.
struct TReportListView::TSortExchangeRelay {
  TReportListView* view;
  void operator()(TObject*, const std::string& S, std::string& T) const {
    if (view->OnBeforeSortExchange) view->OnBeforeSortExchange(view, S, T);
  }
};

}  // namespace qel
