#include "platform/controls/TimerWindow.h"

#include "platform/controls/Application.h"

namespace qel {

TTimerWindow::TTimerWindow(TTick OnTick, TObject* Sender) : onTick_(std::move(OnTick)), sender_(Sender) {
  wnd_ = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

// Freeing the window kills its timers too. (No application: the program is
// past its end and every window has gone with it.)
TTimerWindow::~TTimerWindow() {
  if (Application) DeallocateHWnd(wnd_);
}

uintptr_t TTimerWindow::Start(uintptr_t Id, unsigned Ms) { return SetTimer(wnd_, Id, Ms); }

bool TTimerWindow::Stop(uintptr_t Id) { return KillTimer(wnd_, Id); }

void TTimerWindow::WndProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER) {
    Message.Result = DefWindowProc(wnd_, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  if (!sender_) return onTick_(Message.WParam);
  try {
    onTick_(Message.WParam);
  } catch (...) {
    Application->HandleException(sender_);
  }
}

}  // namespace qel
