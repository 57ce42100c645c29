/// \file
/// QEL_repsbut: TRepSpeedButton, a speed button that repeats its click while
/// the left mouse button holds it down, like the arrow of a spin control.
///
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~{.unparsed}
/// Timeline of a held button (timer 1 on the button's own message window):
///   press                       -> start delay armed (StartClickInterval)
///   first tick                  -> repeat interval armed, OnRepeatClick
///   every RepeatClickInterval   -> OnRepeatClick
///   release, leaving the button,
///   losing the mouse, freeing   -> timer killed
/// OnClick stays the speed button's own: once, on a release over the button.
/// No timer runs in design mode.
/// ~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
///
/// Leaving the button ends the repetition without a release, so it never
/// fires OnClick: a user who drags off the button has not clicked it.
#pragma once
#include "framework/QEL_Base.h"
#include "platform/controls/TimerWindow.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Raised when the button cannot get its repeat timer.
QEL_EXCEPTION(EQELRepSpeedButton, EQELError)

/// A speed button that fires OnRepeatClick again and again while the left mouse button holds it down.
///
/// From examples/panel/main.cpp (`qel-panel`):
/// \snippet panel/main.cpp repeat
/// \image html bars-and-buttons.png "The gallery's page Bars and buttons"
class TRepSpeedButton : public TSpeedButton {
 public:
  /// A button with a 500 ms start delay and a 200 ms repeat interval.
  explicit TRepSpeedButton(TComponent* AOwner);
  /// Stops the timer.
  ~TRepSpeedButton() override;

  /// Milliseconds from the press to the first repeat click; at least 10.
  ///@{
  int GetStartClickInterval() const { return startClickInterval_; }
  void SetStartClickInterval(int v);
  ///@}
  /// Milliseconds between later repeat clicks; at least 10.
  ///@{
  int GetRepeatClickInterval() const { return repeatClickInterval_; }
  void SetRepeatClickInterval(int v);
  ///@}
  /// Fired on every tick while held (Sender is the button).
  ///@{
  const TNotifyEvent& GetOnRepeatClick() const { return onRepeatClick_; }
  void SetOnRepeatClick(TNotifyEvent v);
  ///@}

  /// Between a left-button press and its release.
  bool Pressed() const { return pressed_; }

 protected:
  /// Arms the start delay (InitTimer) or the repeat interval (UpdateTimer);
  /// either only kills the timer when the button is not pressed. A refused
  /// timer raises EQELRepSpeedButton.
  ///@{
  void InitTimer();
  void UpdateTimer();
  ///@}
  /// One tick: the repeat interval after the first, then the hook and the event.
  void DoTimer();
  /// Called on every tick before OnRepeatClick; for descendants.
  virtual void RepeatClickEvent() {}
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  /// Ends the repetition without a click when the mouse leaves the button.
  void CMMouseLeave(TMessage& Message) override;
  /// Starts repeating again, from the start delay, when the mouse comes back
  /// over the button while it is still held.
  void CMMouseEnter(TMessage& Message) override;
  /// Routes the timer's ticks to DoTimer.
  void WndProc(TMessage& Message) override;

 private:
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  void Arm(int Interval);
  void StopRepeating();

  bool pressed_ = false;
  bool firstTickPending_ = true;
  int startClickInterval_ = 500;
  int repeatClickInterval_ = 200;
  TNotifyEvent onRepeatClick_;
  TTimerWindow timer_;  // last, so it goes first: no tick outlives what it uses
};

QEL_API_END
}  // namespace qel
