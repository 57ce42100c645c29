// TButton: the push button. Clicked by the mouse (released over it), by
// Space while focused, by Enter when it is the active button (the focused
// button, else the Default one), by Escape when it is the Cancel button.
// A non-zero ModalResult is handed to the form on click, which ends a
// modal form.
#pragma once
#include "platform/controls/Forms.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A push button: clicked by the mouse, Space, or Enter and Escape as the form's default and cancel button; it can close a modal form with its ModalResult.
class TButton : public TCustomControl {
 public:
  /// An unpressed button, 75 x 25 pixels.
  explicit TButton(TComponent* AOwner);

  /// Whether Enter anywhere on the form clicks the button.
  ///@{
  bool GetDefault() const { return default_; }
  void SetDefault(bool v);
  ///@}
  /// Whether Escape anywhere on the form clicks the button.
  ///@{
  bool GetCancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  ///@}
  /// Result a click sets on the button's modal form (mrNone: none).
  ///@{
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  ///@}

  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  /// The button Enter presses: this one when focused, else the default one
  /// while no other button has the focus.
  bool IsActive() const;

 private:
  void SetPressed(bool v);
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
  bool mouseHeld_ = false;
  bool spaceHeld_ = false;
  bool pressed_ = false;  // drawn pushed in
};

QEL_API_END
}  // namespace qel
