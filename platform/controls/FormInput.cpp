// The form-level input dispatch: hit-testing, mouse capture, hover, double
// clicks, the focused control's keys and the dialog keys. Hosts and the
// test robot both come in here.
#include <cstdlib>

#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"

namespace qel {

namespace {
intptr_t PackPoint(TPoint p) {
  return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(p.Y)) << 16) |
                               static_cast<uint16_t>(p.X));
}

// A control takes input only when it and all its parents are enabled.
bool TakesInput(const TControl* c) {
  for (; c; c = c->GetParent())
    if (!c->GetEnabled() || !c->GetVisible()) return false;
  return true;
}

// A modal form blocks input to every other form except popups.
bool Blocked(const TCustomForm* form) {
  TCustomForm* modal = Application->ModalForm();
  return modal && modal != form && !form->IsPopup();
}

// Set when the last key down went to a popup that grabs keys.
bool keyWentToGrabber = false;

// Whether C is Holder or lies inside it.
bool IsWithin(const TControl* C, const TControl* Holder) {
  for (; C; C = C->GetParent())
    if (C == Holder) return true;
  return false;
}

TPoint ToLocal(const TControl* c, TPoint formPoint, const TCustomForm* form) {
  TPoint screen{formPoint.X + form->ClientOrigin().X, formPoint.Y + form->ClientOrigin().Y};
  return c->ScreenToClient(screen);
}
}  // namespace

TControl* TCustomForm::ControlAtPos(TPoint P, bool AllowDisabled) {
  TWinControl* container = this;
  TPoint local = P;  // client coordinates of container
  for (;;) {
    TControl* hit = nullptr;
    // Windowed children lie above graphic ones; the last in z-order on top.
    for (int pass = 0; pass < 2 && !hit; ++pass) {
      for (int i = container->ControlCount() - 1; i >= 0; --i) {
        TControl* c = container->Controls(i);
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed != (pass == 0) || !c->GetVisible()) continue;
        if (!c->BoundsRect().Contains(local)) continue;
        if (!AllowDisabled && !c->GetEnabled() && !windowed) continue;  // the parent gets it
        TPoint inC{local.X - c->GetLeft(), local.Y - c->GetTop()};
        if (c->Perform(CM_HITTEST, 0, PackPoint(inC)) == 0) continue;
        hit = c;
        break;
      }
    }
    auto* win = dynamic_cast<TWinControl*>(hit);
    if (!hit) return container;
    if (!win) return hit;
    TPoint off = win->ClientOffset();
    TPoint inner{local.X - win->GetLeft() - off.X, local.Y - win->GetTop() - off.Y};
    if (!win->GetClientRect().Contains(inner)) return win;  // on its border
    container = win;
    local = inner;
  }
}

TControl* TCustomForm::MouseTarget(TPoint P, TPoint& Local) {
  TControl* target = capture_ ? capture_ : ControlAtPos(P);
  Local = ToLocal(target, P, this);
  return target;
}

void TCustomForm::SendMouse(TControl* C, uint32_t Msg, TShiftState Shift, TPoint Local) {
  C->Perform(Msg, static_cast<uintptr_t>(Shift.Bits()), PackPoint(Local));
}

// While a control holds the mouse, only it is hovered, and only while the
// pointer is over it (or over one of its children): it learns when the
// pointer leaves and comes back, and no other control lights up until the
// release.
void TCustomForm::UpdateHover(TControl* C) {
  if (capture_ && !IsWithin(C, capture_)) C = nullptr;
  else if (capture_) C = capture_;
  if (C == hover_) return;
  TControl* old = hover_;
  hover_ = C;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (C && hover_ == C) C->Perform(CM_MOUSEENTER);
  if (Application->OnHoverChanged) Application->OnHoverChanged(hover_);
  Application->NotifyHint(hiHover, hover_);
}

void TCustomForm::InputMouseMove(TShiftState Shift, int X, int Y) {
  Application->NoteCursorPos(ClientToScreen({X, Y}));
  if (Blocked(this)) return;
  TControl* under = ControlAtPos({X, Y});
  UpdateHover(TakesInput(under) ? under : nullptr);
  TPoint local;
  TControl* target = MouseTarget({X, Y}, local);
  if (target && TakesInput(target)) SendMouse(target, WM_MOUSEMOVE, Shift, local);
}

void TCustomForm::InputMouseLeave() { UpdateHover(nullptr); }

void TCustomForm::InputMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, uint64_t TimeMs) {
  Application->NoteCursorPos(ClientToScreen({X, Y}));
  Application->NotifyHint(hiPress, nullptr);
  if (Blocked(this)) return;
  // A press outside the open popups closes them.
  if (!popup_) {
    Application->ClosePopups();
    Application->ActivateForm(this);
  }
  TPoint local;
  TControl* target = MouseTarget({X, Y}, local);
  if (!target || !TakesInput(target)) return;
  // Taking the focus on a press is the control's own business (standard
  // controls and grids do it in MouseDown), as on the platform.
  bool isDouble = !lastDownWasDouble_ && lastDownControl_ == target && lastDownButton_ == Button &&
                  TimeMs - lastDownTime_ <= DoubleClickTimeMs &&
                  std::abs(X - lastDownPos_.X) <= DoubleClickDistance &&
                  std::abs(Y - lastDownPos_.Y) <= DoubleClickDistance &&
                  target->ControlStyle().Contains(csDoubleClicks);
  lastDownControl_ = target;
  lastDownButton_ = Button;
  lastDownTime_ = TimeMs;
  lastDownPos_ = {X, Y};
  lastDownWasDouble_ = isDouble;
  static constexpr uint32_t down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static constexpr uint32_t dbl[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  TShiftState shift = Shift + TShiftState{Button == mbLeft ? ssLeft : Button == mbRight ? ssRight : ssMiddle};
  SendMouse(target, isDouble ? dbl[Button] : down[Button], shift, local);
}

void TCustomForm::InputMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Blocked(this)) return;
  TPoint local;
  TControl* target = MouseTarget({X, Y}, local);
  static constexpr uint32_t up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  if (target && TakesInput(target)) SendMouse(target, up[Button], Shift, local);
  capture_ = nullptr;
  TControl* under = ControlAtPos({X, Y});
  UpdateHover(TakesInput(under) ? under : nullptr);
}

void TCustomForm::InputMouseWheel(TShiftState Shift, int WheelDelta, int X, int Y) {
  if (Blocked(this)) return;
  // The wheel goes to the focused control, then up its parents until handled.
  TControl* target = focused_ ? static_cast<TControl*>(focused_) : ControlAtPos({X, Y});
  TPoint screen{X + ClientOrigin().X, Y + ClientOrigin().Y};
  for (TControl* c = target; c; c = c->GetParent()) {
    if (!TakesInput(c)) continue;
    uintptr_t w = (static_cast<uintptr_t>(static_cast<uint16_t>(WheelDelta)) << 16) | (Shift.Bits() & 0xFFFF);
    if (c->Perform(WM_MOUSEWHEEL, w, PackPoint(screen)) != 0) return;
  }
}

TWinControl* TCustomForm::KeyTarget() {
  TWinControl* t = focused_ ? focused_ : this;
  return TakesInput(t) || t == this ? t : nullptr;
}

bool TCustomForm::InputKeyDown(uint16_t Key, TShiftState Shift) {
  if (TCustomForm* grab = Application->KeyGrabber(); grab && grab != this) {
    bool typed = grab->InputKeyDown(Key, Shift);
    keyWentToGrabber = true;
    return typed;
  }
  keyWentToGrabber = false;
  if (Blocked(this)) return false;
  TWinControl* target = KeyTarget();
  if (!target) return false;
  intptr_t mask = 0;
  switch (Key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_ESCAPE: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  // Keys the focused control does not claim are offered to the form as
  // dialog keys (Tab moves the focus; Enter and Escape press the default and
  // cancel buttons). Arrows are offered too but nothing takes them by default.
  if (mask != 0 && target->Perform(CM_WANTSPECIALKEY, Key) == 0 &&
      (target->Perform(WM_GETDLGCODE) & mask) == 0 &&
      Perform(CM_DIALOGKEY, Key, static_cast<intptr_t>(Shift.Bits())) != 0)
    return false;
  target->Perform(WM_KEYDOWN, Key, static_cast<intptr_t>(Shift.Bits()));
  return true;
}

void TCustomForm::InputKeyUp(uint16_t Key, TShiftState Shift) {
  if (TCustomForm* grab = Application->KeyGrabber(); grab && grab != this) return grab->InputKeyUp(Key, Shift);
  if (Blocked(this)) return;
  if (TWinControl* target = KeyTarget()) target->Perform(WM_KEYUP, Key, static_cast<intptr_t>(Shift.Bits()));
}

void TCustomForm::InputChar(char32_t Ch) {
  TCustomForm* grab = Application->KeyGrabber();
  if (grab && grab != this) return grab->InputChar(Ch);
  // The key closed the menu it went to: its character goes nowhere else.
  if (!grab && keyWentToGrabber) {
    keyWentToGrabber = false;
    return;
  }
  if (Blocked(this)) return;
  if (TWinControl* target = KeyTarget()) target->Perform(WM_CHAR, Ch);
}

}  // namespace qel
