// TCustomLabel and TLabel: a caption drawn on the parent, sized to its text.
#pragma once
#include <string>

#include "platform/controls/Controls.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A text label without a window: alignment, vertical layout, word wrap, accelerator characters, auto size.
class TCustomLabel : public TGraphicControl {
 public:
  /// An auto-sized, left-aligned label.
  explicit TCustomLabel(TComponent* AOwner);

  /// Horizontal alignment of the text.
  ///@{
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  ///@}
  /// On: the label takes the size of its text whenever caption or font
  /// change (with WordWrap only the height follows; the width stays).
  ///@{
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  ///@}
  /// Vertical placement of the text: top, centre or bottom.
  ///@{
  TTextLayout GetLayout() const { return layout_; }
  void SetLayout(TTextLayout v);
  ///@}
  /// Off: the background is filled with Color; on: the parent shows through.
  ///@{
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);
  ///@}
  /// Whether the text wraps at word boundaries.
  ///@{
  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  ///@}
  /// On: '&' marks the accelerator character (underlined).
  ///@{
  bool GetShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  ///@}
  /// The control that takes the focus when the label's accelerator is typed.
  ///@{
  TWinControl* GetFocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v);
  ///@}

 protected:
  /// The text shown (the caption).
  virtual std::string GetLabelText() const { return GetCaption(); }
  /// Draws (or, with DT_CALCRECT, measures) the text in Rect with the
  /// DrawText flags; descendants replace this step to draw text their way.
  virtual void DoDrawText(TRect& Rect, int Flags);
  /// Background unless transparent, then DoDrawText with the flags for
  /// alignment, layout and word wrap.
  void Paint() override;
  /// AutoSize: fits the bounds to the text, keeping the edge the alignment
  /// anchors (right for right-justified, the middle for centred).
  virtual void AdjustBounds();
  /// Refits and repaints when the caption or font change; the accelerator focuses FocusControl.
  void WndProc(TMessage& Message) override;
  /// Forgets the focus control when it is freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  /// Fits the bounds once loading is done.
  void Loaded() override;

 private:
  bool IsAccelerator(char32_t Ch) const;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

/// A label (see TCustomLabel).
class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

QEL_API_END
}  // namespace qel
