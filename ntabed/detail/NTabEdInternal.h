// Internal to the table editor: shared constants and the scope that keeps
// the table's data-changed notice away around a menu action.
#pragma once
#include "ntabed/QEL_ntabed.h"

namespace qel {

namespace ntabed {
constexpr int kRowNameWidth = 80;        // grid column 0 after a new default width
constexpr uint8_t kDefaultDecPlaces = 3;  // a new or cleared column's precision
// Data menu items by number (mask bit = number - 1).
enum TDataItem : int {
  kItemClear = 6, kItemCopy = 7, kItemPaste = 8, kItemReadOnly = 9, kItemExtract = 10, kItemToggleEmpty = 12
};
}  // namespace ntabed

// The table's own data-changed notice stays away while a menu action
// changes the table (with painting paused quietly); the action notifies once
// itself.
template <class F>
void TNTabEd::WithoutDataBinding(F&& Work) {
  TNotifyEvent saved = std::move(table_->OnDataChanged);
  table_->OnDataChanged = nullptr;
  try {
    TPaintPause updating(*this, TPaintPause::Quiet);
    Work();
  } catch (...) {
    table_->OnDataChanged = std::move(saved);
    throw;
  }
  table_->OnDataChanged = std::move(saved);
}

}  // namespace qel
