// When hints show and hide: the mouse rests on a control that shows hints
// for HintPause (HintShortPause when moving on from a shown hint), the hint
// shows below the mouse for HintHidePause; moving to another control,
// leaving, a press or cancelling hides it. After a press or the hide pause
// the same control shows no hint again until the mouse has moved to another.
#include <algorithm>

#include "platform/controls/Application.h"
#include "platform/controls/PopupPlacement.h"
#include "platform/controls/TimerWindow.h"
#include "platform/stdctrls/HintWindow.h"

namespace qel {

namespace {
constexpr uintptr_t kShowTimer = 1, kHideTimer = 2;
// The hint sits below the mouse pointer.
constexpr int kCursorHeight = 20;

// The control whose hint applies: the nearest one, from the control under
// the mouse up through its parents, that shows hints.
TControl* HintControlFor(TControl* C) {
  for (; C; C = C->GetParent())
    if (C->GetShowHint()) return C->ComponentState().Contains(csDesigning) ? nullptr : C;
  return nullptr;
}

class THintManager : public TComponent {
 public:
  THintManager() : TComponent(nullptr) {}

  void Hear(THintInput What, TControl* C) {
    if (What == hiHover) HoverChanged(C);
    else Cancel();
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == window_) window_ = nullptr;
    if (AComponent == control_) {
      control_ = nullptr;
      Cancel();
    }
  }

 private:
  void HoverChanged(TControl* C) {
    TControl* target = HintControlFor(C);
    if (target == control_) return;
    bool wasShowing = window_ && window_->Showing();
    Cancel();
    Watch(target);
    if (!target || !Application->GetShowHint() || GetShortHint(target->GetHint()).empty()) return;
    int pause = wasShowing ? Application->GetHintShortPause() : Application->GetHintPause();
    if (pause == 0) ShowNow();
    else timer_.Start(kShowTimer, pause);
  }

  void Watch(TControl* C) {
    if (control_) RemoveFreeNotification(control_);
    control_ = C;
    if (C) FreeNotification(C);
  }

  void Cancel() {
    timer_.Stop(kShowTimer);
    timer_.Stop(kHideTimer);
    if (window_ && window_->Showing()) window_->Hide();
  }

  void Tick(uintptr_t Id) {
    timer_.Stop(Id);
    if (Id == kShowTimer) ShowNow();
    else if (window_ && window_->Showing()) window_->Hide();
  }

  void ShowNow() {
    if (!control_ || !control_->Showing() || !Application->GetShowHint()) return;
    std::string text = GetShortHint(control_->GetHint());
    if (text.empty()) return;
    if (!window_) {
      window_ = new THintWindow(this);
      FreeNotification(window_);
    }
    TSize screen = Application->Host().ScreenSize();
    TRect size = window_->CalcHintRect(std::max(screen.cx, 1), text);
    window_->ActivateHint(Placement(size, screen), text);
    timer_.Start(kHideTimer, Application->GetHintHidePause());
  }

  // Below the mouse, kept on the screen; above the mouse when there is no
  // room below.
  static TRect Placement(const TRect& size, TSize screen) {
    TPoint mouse = Application->CursorPos();
    return PlacePopup({mouse.X, mouse.Y, mouse.X, mouse.Y + kCursorHeight}, {size.Width(), size.Height()},
                      TPopupSide::Below, screen);
  }

  TTimerWindow timer_{[this](uintptr_t Id) { Tick(Id); }};
  TControl* control_ = nullptr;
  THintWindow* window_ = nullptr;
};

// Made on first use, when the application exists; it lives as long as the program.
THintManager& Manager() {
  static THintManager* manager = new THintManager();
  return *manager;
}

void Listen(THintInput What, TControl* C) { Manager().Hear(What, C); }

[[maybe_unused]] const bool installedAtStart = (InstallHints(), true);
}  // namespace

void InstallHints() { HintListener = &Listen; }

}  // namespace qel
