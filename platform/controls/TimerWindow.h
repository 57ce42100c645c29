// TTimerWindow: the hidden window a component keeps for its timers. Its
// timer messages call one function, a tick that raises goes to the
// application's exception handler, other messages get the default handling,
// and the window (with its timers) goes when the object does.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/controls/Messages.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TObject;

/// A hidden window whose timers call OnTick with their id; freed, with its timers, with the object.
class TTimerWindow {
 public:
  /// Called on each timer message with the timer's id.
  using TTick = std::function<void(uintptr_t Id)>;
  /// Allocates the window. A tick that raises is reported by the
  /// application's exception handler as coming from Sender; with no Sender
  /// the exception goes on to whoever dispatched the timer.
  explicit TTimerWindow(TTick OnTick, TObject* Sender = nullptr);
  /// Kills the timers and frees the window.
  ~TTimerWindow();
  TTimerWindow(const TTimerWindow&) = delete;
  TTimerWindow& operator=(const TTimerWindow&) = delete;

  /// The window's handle, for the platform's timer calls.
  HWND Handle() const { return wnd_; }
  /// Sets (or resets) timer Id to fire every Ms milliseconds; 0 when the
  /// platform refuses, as SetTimer.
  uintptr_t Start(uintptr_t Id, unsigned Ms);
  /// Kills timer Id; false when it was not running.
  bool Stop(uintptr_t Id);

 private:
  void WndProc(TMessage& Message);

  TTick onTick_;
  TObject* sender_;
  HWND wnd_ = 0;
};

QEL_API_END
}  // namespace qel
