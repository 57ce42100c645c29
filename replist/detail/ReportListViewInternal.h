// Internal to the report list view's files: the sort-exchange relay.
#pragma once
#include "replist/QEL_replist.h"

namespace qel {

// Passes the data's exchange notices on to the view's event. While it is
// the data's handler and the view's event is unset, no one listens.
struct TReportListView::TSortExchangeRelay {
  TReportListView* view;
  void operator()(TObject*, const std::string& S, std::string& T) const {
    if (view->OnBeforeSortExchange) view->OnBeforeSortExchange(view, S, T);
  }
};

}  // namespace qel
