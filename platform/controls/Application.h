// TApplication: the event loop, paint scheduling, timers and the window
// registry; TScreen; TClipboard; MessageBeep.
#pragma once
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <vector>

#include "platform/controls/Forms.h"
#include "platform/controls/Host.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Fires for an exception the loop caught.
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

/// Hint windows live above this layer and listen here: to the control under
/// the mouse, to presses and to cancelling. A plain pointer, so that they can
/// plug in from a static initialiser whatever the order of initialisation.
///@{
enum THintInput : uint8_t { hiHover, hiPress, hiCancel };
using THintListener = void (*)(THintInput What, TControl* Control);
extern THintListener HintListener;
///@}

/// The application: the event loop, paint scheduling, timers, the window registry, the forms and the hint settings. There is one, Application.
class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  /// The host; a headless one until another is installed.
  THost& Host();
  /// Installs another host (the SDL one for real windows).
  void SetHost(std::unique_ptr<THost> NewHost);

  void CreateForm(TCustomForm* Form);  ///< The first becomes the main form
  /// The form whose closing ends Run.
  ///@{
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* F) { mainForm_ = F; }
  ///@}
  /// Every form, in creation order.
  const std::vector<TCustomForm*>& Forms() const { return forms_; }
  /// The form that has the host's activation.
  TCustomForm* ActiveForm() const { return activeForm_; }
  /// Activates Form (deactivating the one before).
  void ActivateForm(TCustomForm* Form);

  /// Runs until Terminate or until the main form closes.
  void Run();
  /// Makes Run return after the current turn.
  void Terminate() { terminated_ = true; }
  /// Whether Terminate was called.
  bool Terminated() const { return terminated_; }
  /// One turn: waits for input or the next timer when Wait, then handles
  /// events, due timers and paints, and presents what changed.
  void HandleMessage(bool Wait = true);
  /// Handles everything pending without waiting.
  void ProcessMessages();
  /// Called inside a catch block: OnException, else the message to stderr.
  void HandleException(TObject* Sender);
  /// See TExceptionEvent.
  TExceptionEvent OnException;

  /// Painting: some window has an invalid region.
  void PaintNeeded() { paintPending_ = true; }
  /// Paints every window with an invalid region now.
  void PaintAll();

  /// Windows and timers (timer ids are per window, as on the platform).
  HWND RegisterWindow(TWndMethod Proc);
  /// Forgets a window and kills its timers.
  void UnregisterWindow(HWND Wnd);
  /// Sends Message to a window's procedure; false when the window is unknown.
  bool SendToWindow(HWND Wnd, TMessage& Message);
  /// Starts or restarts timer Id of a window (WM_TIMER every ElapseMs milliseconds); 0 when refused.
  uintptr_t SetTimer(HWND Wnd, uintptr_t Id, unsigned ElapseMs);
  /// Stops a timer; false when it was not running.
  bool KillTimer(HWND Wnd, uintptr_t Id);
  /// Fires the due timers up to the host clock's now, in time order.
  void FireDueTimers();
  /// Milliseconds to the next timer, or -1 without one.
  int MsToNextTimer();
  /// Tests: make SetTimer refuse (return 0).
  void SetRefuseTimers(bool v) { refuseTimers_ = v; }
  /// Number of running timers.
  int ActiveTimerCount() const { return static_cast<int>(timers_.size()); }

  /// The modal stack, innermost last. Each entry remembers the form that was
  /// active when it began; PopModal returns that form (nullptr once it is
  /// freed) for ActivateAfterModal.
  void PushModal(TCustomForm* F) { modal_.push_back({F, activeForm_}); }
  /// Leaves the innermost modal form.
  TCustomForm* PopModal();
  /// The innermost modal form, or nullptr.
  TCustomForm* ModalForm() const { return modal_.empty() ? nullptr : modal_.back().form; }
  /// After a modal form closed: Previous becomes active again when it is
  /// still shown, else the modal form beneath, else the main form; the host
  /// gives its window the keyboard.
  void ActivateAfterModal(TCustomForm* Previous);

  /// Popups: close every shown popup (a press elsewhere, focus loss). A popup
  /// that grabs keys (a menu) gets all key input while it is shown.
  void ClosePopups(TCustomForm* Except = nullptr);
  /// The shown popup that takes every key, or nullptr.
  TCustomForm* KeyGrabber() const;
  /// Told whenever the control under the mouse changes (hint windows listen).
  std::function<void(TControl* Control)> OnHoverChanged;

  /// Hints: ShowHint turns them all off; HintPause is how long the mouse
  /// rests on a control before its hint shows, HintShortPause the same when
  /// moving on from a shown hint, HintHidePause how long a hint stays.
  ///@{
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  int GetHintPause() const { return hintPause_; }
  void SetHintPause(int Ms) { hintPause_ = Ms < 0 ? 0 : Ms; }
  int GetHintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int Ms) { hintShortPause_ = Ms < 0 ? 0 : Ms; }
  int GetHintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int Ms) { hintHidePause_ = Ms < 0 ? 0 : Ms; }
  ///@}
  /// Hides any hint now.
  void CancelHint() { NotifyHint(hiCancel, nullptr); }
  /// Tells the hint windows about a hover, a press or a cancel.
  void NotifyHint(THintInput What, TControl* Control) {
    if (HintListener) HintListener(What, Control);
  }
  /// Where the mouse was last seen over a form, in screen coordinates.
  TPoint CursorPos() const { return cursorPos_; }
  /// Remembers the mouse position (screen coordinates).
  void NoteCursorPos(TPoint P) { cursorPos_ = P; }

  /// Form bookkeeping.
  void AddForm(TCustomForm* F);
  /// Forgets a form that is going away.
  void RemoveForm(TCustomForm* F);

 private:
  struct Timer {
    HWND wnd;
    uintptr_t id;
    unsigned interval;
    uint64_t due;
    uint64_t serial;  // keeps timers due at the same time in the order they were set
  };
  void PresentAll();
  std::unique_ptr<THost> host_;
  std::vector<TCustomForm*> forms_;
  TCustomForm* mainForm_ = nullptr;
  TCustomForm* activeForm_ = nullptr;
  struct Modal {
    TCustomForm* form;
    TCustomForm* previous;  // active when the form became modal
  };
  std::vector<Modal> modal_;
  bool terminated_ = false;
  bool paintPending_ = false;
  std::map<HWND, TWndMethod> windows_;
  HWND nextWindow_ = 1;
  std::vector<Timer> timers_;
  uint64_t timerSerial_ = 0;
  bool refuseTimers_ = false;
  bool showHint_ = true;
  int hintPause_ = 500, hintShortPause_ = 50, hintHidePause_ = 2500;
  TPoint cursorPos_{};
};

/// The one application object.
extern TApplication* Application;

/// The platform's window and timer calls, on Application.
///@{
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, unsigned Elapse, void* TimerFunc = nullptr);
bool KillTimer(HWND Wnd, uintptr_t IDEvent);
intptr_t DefWindowProc(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
intptr_t SendMessage(HWND Wnd, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
///@}
/// The mouse position in screen coordinates (the last one seen).
bool GetCursorPos(TPoint& Point);

/// The screen: its size and the cursor shown everywhere.
class TScreen : public TComponent {
 public:
  /// The one screen, Screen.
  TScreen() : TComponent(nullptr) {}
  /// Cursor shown over every control (crDefault: each control's own).
  ///@{
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor v);
  ///@}
  /// Size of the screen in pixels.
  ///@{
  int Width();
  int Height();
  ///@}
  /// Same as Application->ActiveForm().
  TCustomForm* ActiveForm() const { return Application->ActiveForm(); }

 private:
  TCursor cursor_ = crDefault;
};
/// The one screen object.
extern TScreen* Screen;

/// Clipboard formats (text only).
///@{
constexpr unsigned CF_TEXT = 1, CF_UNICODETEXT = 13;
///@}

/// The clipboard (text only), through the host.
class TClipboard : public TPersistent {
 public:
  /// The clipboard's text.
  ///@{
  std::string GetAsText();
  void SetAsText(const std::string& Text);
  ///@}
  /// Whether the clipboard holds text (CF_TEXT or CF_UNICODETEXT).
  bool HasFormat(unsigned Format);
  /// Empties the clipboard.
  void Clear() { SetAsText(""); }
};
/// The clipboard object.
TClipboard* Clipboard();

/// Beep types for MessageBeep.
///@{
constexpr unsigned MB_OK = 0, MB_ICONHAND = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
                   MB_ICONASTERISK = 0x40;
///@}
/// Asks the host to beep; true.
bool MessageBeep(unsigned Type);

QEL_API_END
}  // namespace qel
