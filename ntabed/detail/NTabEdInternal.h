// Internal to the table editor: shared constants and the scopes that block
// painting and hold notifications back around bulk changes.
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

// Sets the updating flag for its lifetime and restores the previous value,
// also when the work raises. Held-back notifications fire when the caller
// calls FlushNotifications after the scope.
class TNTabEd::TUpdateScope {
 public:
  explicit TUpdateScope(TNTabEd& Editor) : editor_(Editor), saved_(Editor.updating_) { Editor.updating_ = true; }
  ~TUpdateScope() { editor_.updating_ = saved_; }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TNTabEd& editor_;
  bool saved_;
};

// Runs Work with painting suppressed, then restores the previous state
// through SetSuppressPaint (which repaints and notifies when it ends the
// suppression). When Work raises, only the flag is restored.
template <class F>
void TNTabEd::WithPaintSuppressed(F&& Work) {
  bool saved = suppressPaint_;
  suppressPaint_ = true;
  try {
    Work();
  } catch (...) {
    suppressPaint_ = saved;
    throw;
  }
  SetSuppressPaint(saved);
}

// The table's own data-changed notice stays away while a menu action
// changes the table (under the updating flag); the action notifies once
// itself.
template <class F>
void TNTabEd::WithoutDataBinding(F&& Work) {
  TNotifyEvent saved = std::move(table_->OnDataChanged);
  table_->OnDataChanged = nullptr;
  try {
    TUpdateScope updating(*this);
    Work();
  } catch (...) {
    table_->OnDataChanged = std::move(saved);
    throw;
  }
  table_->OnDataChanged = std::move(saved);
}

}  // namespace qel
