// TRepSpeedButton: the repeat timer on the button's own message window, and
// the mouse that starts and stops it.
#include <algorithm>

#include "gauges/QEL_repsbut.h"
#include "platform/controls/Application.h"

namespace qel {

TRepSpeedButton::TRepSpeedButton(TComponent* AOwner)
    : TSpeedButton(AOwner), timer_([this](uintptr_t) { DoTimer(); }, this) {}

TRepSpeedButton::~TRepSpeedButton() = default;

// ---------------------------------------------------------- settings ----

void TRepSpeedButton::SetStartClickInterval(int v) {
  if (StoreIfChanged(startClickInterval_, std::max(v, 10)) && !Designing()) InitTimer();
}

void TRepSpeedButton::SetRepeatClickInterval(int v) {
  if (StoreIfChanged(repeatClickInterval_, std::max(v, 10)) && !Designing()) UpdateTimer();
}

void TRepSpeedButton::SetOnRepeatClick(TNotifyEvent v) {
  onRepeatClick_ = std::move(v);
  if (!Designing()) UpdateTimer();
}

// ------------------------------------------------------------- timer ----

void TRepSpeedButton::InitTimer() {
  firstTickPending_ = true;
  Arm(startClickInterval_);
}

void TRepSpeedButton::UpdateTimer() {
  firstTickPending_ = false;
  Arm(repeatClickInterval_);
}

void TRepSpeedButton::Arm(int Interval) {
  timer_.Stop(1);
  if (Interval <= 0 || !pressed_ || Designing()) return;
  if (timer_.Start(1, unsigned(Interval)) == 0)
    throw EQELRepSpeedButton(ComponentErrorMessage(GetName(), ": no timer available"));
}

void TRepSpeedButton::DoTimer() {
  if (firstTickPending_) UpdateTimer();
  RepeatClickEvent();
  if (onRepeatClick_) onRepeatClick_(this);
}


// ------------------------------------------------------------- mouse ----

void TRepSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  pressed_ = true;
  InitTimer();
}

void TRepSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) StopRepeating();
}

void TRepSpeedButton::StopRepeating() {
  pressed_ = false;
  UpdateTimer();  // no longer pressed: this only kills the timer
}

// Leaving pauses the repetition; the press itself goes on (the button shows
// itself up, and a release away from it is no click), so coming back while
// still held resumes, as a desktop spin arrow does.
void TRepSpeedButton::CMMouseLeave(TMessage& Message) {
  TSpeedButton::CMMouseLeave(Message);
  StopRepeating();
}

void TRepSpeedButton::CMMouseEnter(TMessage& Message) {
  TSpeedButton::CMMouseEnter(Message);
  if (!FDragging || pressed_) return;
  pressed_ = true;
  InitTimer();
}

// Losing the mouse while held: no release will come, so the button stops
// repeating and springs back up without a click.
void TRepSpeedButton::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CAPTURECHANGED && FDragging) {
    FDragging = false;
    FState = !GetEnabled() ? bsDisabled : FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (Message.Msg == WM_CAPTURECHANGED) StopRepeating();
  TSpeedButton::WndProc(Message);
}

}  // namespace qel
