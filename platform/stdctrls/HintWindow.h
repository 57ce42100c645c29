// Hint windows: the small yellow popup that shows a control's Hint when the
// mouse rests on it, and the machinery that decides when.
#pragma once
#include <string>

#include "platform/controls/Forms.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A borderless popup form: info background, a one-pixel black frame, the
/// hint text in the info text colour.
class THintWindow : public TCustomForm {
 public:
  /// A hidden hint window.
  explicit THintWindow(TComponent* AOwner);
  /// The size (at (0, 0)) the window needs for Hint, wrapped at MaxWidth.
  virtual TRect CalcHintRect(int MaxWidth, const std::string& Hint);
  /// Shows Hint in the window placed at Rect (screen coordinates).
  virtual void ActivateHint(const TRect& Rect, const std::string& Hint);

 protected:
  void PaintWindow() override;
};

/// The part of a hint before the first '|' (what the hint window shows),
/// and the part after it (for a status line).
///@{
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);
///@}

/// Connects the hint machinery to the application (idempotent). Controls of
/// this library call it when they are made; programs with only controls of
/// their own call it once at start.
void InstallHints();

QEL_API_END
}  // namespace qel
