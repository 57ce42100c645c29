// TApplication: the loop, paints, exceptions, windows and timers; the
// platform's window calls; TScreen, TClipboard, MessageBeep.
#include "platform/controls/Application.h"

#include <algorithm>
#include <cstdio>

#include "platform/rtl/Exceptions.h"

namespace qel {

TApplication* Application = nullptr;
THintListener HintListener = nullptr;
TScreen* Screen = nullptr;

namespace {
// The application and screen exist for the whole run of the program.
struct Globals {
  Globals() {
    Application = new TApplication();
    Screen = new TScreen();
  }
} globals;
}  // namespace

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

THost& TApplication::Host() {
  if (!host_) host_ = MakeDefaultHost();
  return *host_;
}

void TApplication::SetHost(std::unique_ptr<THost> NewHost) { host_ = std::move(NewHost); }

void TApplication::SetShowHint(bool v) {
  if (v == showHint_) return;
  showHint_ = v;
  if (!v) CancelHint();
}

// ------------------------------------------------------------- forms ----

void TApplication::AddForm(TCustomForm* F) { forms_.push_back(F); }

void TApplication::RemoveForm(TCustomForm* F) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), F), forms_.end());
  modal_.erase(std::remove_if(modal_.begin(), modal_.end(), [&](const Modal& m) { return m.form == F; }),
               modal_.end());
  for (Modal& m : modal_)
    if (m.previous == F) m.previous = nullptr;
  if (mainForm_ == F) mainForm_ = nullptr;
  if (activeForm_ == F) activeForm_ = nullptr;
}

void TApplication::CreateForm(TCustomForm* Form) {
  if (!mainForm_) mainForm_ = Form;
}

void TApplication::ActivateForm(TCustomForm* Form) {
  if (Form == activeForm_) return;
  TCustomForm* old = activeForm_;
  activeForm_ = Form;
  if (old) old->SetActive(false);
  ClosePopups(Form);
  if (Form) Form->SetActive(true);
}

void TApplication::ClosePopups(TCustomForm* Except) {
  for (TCustomForm* f : std::vector<TCustomForm*>(forms_))
    if (f->IsPopup() && f->Showing() && f != Except) f->Hide();
}

TCustomForm* TApplication::PopModal() {
  TCustomForm* previous = modal_.back().previous;
  modal_.pop_back();
  return previous;
}

void TApplication::ActivateAfterModal(TCustomForm* Previous) {
  TCustomForm* next = nullptr;
  for (TCustomForm* f : {Previous, ModalForm(), mainForm_})
    if (f && f->Showing()) {
      next = f;
      break;
    }
  if (!next) return;
  ActivateForm(next);
  Host().FormReactivated(next);
}

TCustomForm* TApplication::KeyGrabber() const {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
    if ((*it)->IsPopup() && (*it)->GrabsKeys() && (*it)->Showing()) return *it;
  return nullptr;
}

// -------------------------------------------------------------- loop ----

void TApplication::Run() {
  if (mainForm_ && !mainForm_->Showing()) mainForm_->Show();
  while (!terminated_) {
    HandleMessage(true);
    if (mainForm_ && !mainForm_->Showing()) terminated_ = true;
  }
}

void TApplication::HandleMessage(bool Wait) {
  bool pending = paintPending_ || MsToNextTimer() == 0;
  int timeout = pending || !Wait ? 0 : MsToNextTimer();
  try {
    Host().PumpEvents(Wait && !pending, timeout);
  } catch (...) {
    HandleException(this);
  }
  FireDueTimers();
  PaintAll();
  PresentAll();
}

void TApplication::ProcessMessages() { HandleMessage(false); }

void TApplication::HandleException(TObject* Sender) {
  try {
    throw;
  } catch (const std::exception& e) {
    if (OnException) OnException(Sender, e);
    else std::fprintf(stderr, "%s\n", e.what());
  }
}

void TApplication::PaintAll() {
  if (!paintPending_) return;
  paintPending_ = false;
  for (TCustomForm* f : std::vector<TCustomForm*>(forms_)) {
    if (!f->Showing()) continue;
    try {
      f->PaintInvalid();
    } catch (...) {
      HandleException(f);
    }
  }
}

void TApplication::PresentAll() {
  for (TCustomForm* f : std::vector<TCustomForm*>(forms_))
    if (f->Showing()) Host().Present(f);
}

// ---------------------------------------------------------- windows ----

HWND TApplication::RegisterWindow(TWndMethod Proc) {
  HWND h = nextWindow_++;
  windows_[h] = std::move(Proc);
  return h;
}

void TApplication::UnregisterWindow(HWND Wnd) {
  windows_.erase(Wnd);
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.wnd == Wnd; }),
                timers_.end());
}

bool TApplication::SendToWindow(HWND Wnd, TMessage& Message) {
  auto it = windows_.find(Wnd);
  if (it == windows_.end()) return false;
  TWndMethod proc = it->second;  // the window may go away while it handles the message
  proc(Message);
  return true;
}

// ----------------------------------------------------------- timers ----

uintptr_t TApplication::SetTimer(HWND Wnd, uintptr_t Id, unsigned ElapseMs) {
  if (refuseTimers_ || !windows_.count(Wnd)) return 0;
  // The platform raises intervals below 10 ms to 10 ms.
  ElapseMs = std::max(ElapseMs, 10u);
  uint64_t due = Host().NowMs() + ElapseMs;
  for (Timer& t : timers_)
    if (t.wnd == Wnd && t.id == Id) {
      t.interval = ElapseMs;
      t.due = due;
      t.serial = ++timerSerial_;
      return Id == 0 ? 1 : Id;
    }
  timers_.push_back({Wnd, Id, ElapseMs, due, ++timerSerial_});
  return Id == 0 ? 1 : Id;
}

bool TApplication::KillTimer(HWND Wnd, uintptr_t Id) {
  auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.wnd == Wnd && t.id == Id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

int TApplication::MsToNextTimer() {
  if (timers_.empty()) return -1;
  uint64_t now = Host().NowMs();
  uint64_t next = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
                    return a.due < b.due;
                  })->due;
  return next <= now ? 0 : static_cast<int>(std::min<uint64_t>(next - now, 1u << 30));
}

// One tick per due time, earliest first; a timer set or re-armed inside a
// tick takes part if it falls due before now.
void TApplication::FireDueTimers() {
  uint64_t now = Host().NowMs();
  for (;;) {
    auto it = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
      return a.due != b.due ? a.due < b.due : a.serial < b.serial;
    });
    if (it == timers_.end() || it->due > now) return;
    Timer t = *it;
    it->due += t.interval;
    // A real clock that fell behind ticks once, as the platform coalesces.
    if (!Host().VirtualClock() && it->due <= now) it->due = now + t.interval;
    TMessage m{WM_TIMER, t.id, 0, 0};
    try {
      SendToWindow(t.wnd, m);
    } catch (...) {
      HandleException(this);
    }
  }
}

HWND AllocateHWnd(TWndMethod Method) { return Application->RegisterWindow(std::move(Method)); }
void DeallocateHWnd(HWND Wnd) { Application->UnregisterWindow(Wnd); }
uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, unsigned Elapse, void*) {
  return Application->SetTimer(Wnd, IDEvent, Elapse);
}
bool KillTimer(HWND Wnd, uintptr_t IDEvent) { return Application->KillTimer(Wnd, IDEvent); }
intptr_t DefWindowProc(HWND, uint32_t, uintptr_t, intptr_t) { return 0; }
intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  Application->SendToWindow(Wnd, m);
  return m.Result;
}

bool GetCursorPos(TPoint& Point) {
  Point = Application->CursorPos();
  return true;
}

// ------------------------------------------- screen, clipboard, beep ----

void TScreen::SetCursor(TCursor v) {
  cursor_ = v;
  Application->Host().SetCursor(v);
}
int TScreen::Width() { return Application->Host().ScreenSize().cx; }
int TScreen::Height() { return Application->Host().ScreenSize().cy; }

std::string TClipboard::GetAsText() { return Application->Host().ClipboardText(); }
void TClipboard::SetAsText(const std::string& Text) { Application->Host().SetClipboardText(Text); }
bool TClipboard::HasFormat(unsigned Format) {
  return (Format == CF_TEXT || Format == CF_UNICODETEXT) && Application->Host().ClipboardHasText();
}
TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

bool MessageBeep(unsigned Type) {
  Application->Host().Beep(Type);
  return true;
}

}  // namespace qel
