// The headless host: no display. A virtual clock that tests advance, an
// in-memory clipboard, cursor and beep counter, and hooks that answer modal
// forms. Input comes from TTestRobot (Robot.h).
#pragma once
#include <functional>
#include <string>

#include "platform/controls/Host.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The host without a display: a virtual clock that tests advance, an in-memory clipboard, and counters for the cursor and beeps.
class THeadlessHost : public THost {
 public:
  uint64_t NowMs() override { return now_; }
  bool VirtualClock() const override { return true; }
  // Runs OnPump (not again from inside it): what a user does meanwhile.
  bool PumpEvents(bool, int) override;
  void ModalLoopIdle(TCustomForm* Form) override;

  std::string ClipboardText() override { return clipboard_; }
  void SetClipboardText(const std::string& Text) override { clipboard_ = Text; hasClipboard_ = true; }
  bool ClipboardHasText() override { return hasClipboard_ && !clipboard_.empty(); }
  void SetCursor(TCursor Cursor) override { cursor_ = Cursor; }
  void Beep(unsigned Type) override { ++beeps_; lastBeep_ = Type; }
  TSize ScreenSize() override { return screen_; }
  TShiftState KeyboardState() override { return held_; }

  /// Moves the virtual clock on by Ms, firing every timer that falls due on
  /// the way at its own time, then paints.
  void AdvanceTime(uint64_t Ms);
  /// The cursor last set.
  TCursor Cursor() const { return cursor_; }
  /// Beeps so far and the type of the last one.
  ///@{
  int BeepCount() const { return beeps_; }
  unsigned LastBeepType() const { return lastBeep_; }
  ///@}
  /// Sets the beep count back to 0.
  void ResetBeeps() { beeps_ = 0; }
  /// Sets the screen size ScreenSize reports.
  void SetScreenSize(TSize S) { screen_ = S; }
  /// Sets the buttons and modifiers KeyboardState reports.
  void SetHeld(TShiftState S) { held_ = S; }

  /// Called each turn a modal form waits; it should set the form's
  /// ModalResult (for instance by clicking its buttons with the robot).
  /// Without one a modal form raises instead of waiting forever.
  std::function<void(TCustomForm* Form)> OnModal;
  /// Called each time the application looks for input, e.g. from
  /// ProcessMessages in a long handler: a test gives here (with the robot)
  /// the input a user gives while the window is kept responsive.
  std::function<void()> OnPump;

 private:
  uint64_t now_ = 1000000;
  std::string clipboard_;
  bool hasClipboard_ = false;
  TCursor cursor_ = crDefault;
  int beeps_ = 0;
  unsigned lastBeep_ = 0;
  TSize screen_{1280, 800};
  TShiftState held_;
  bool pumping_ = false;
};

/// The headless host of Application (installing one if another was set).
THeadlessHost& Headless();

QEL_API_END
}  // namespace qel
