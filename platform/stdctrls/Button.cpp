// TButton: clicking by mouse and keys, the dialog keys, painting.
#include "platform/stdctrls/Button.h"

#include "platform/stdctrls/ButtonFace.h"
#include "platform/stdctrls/DrawText.h"
#include "platform/stdctrls/HintWindow.h"

namespace qel {

namespace {
// Which button is active depends on the focus: when it moves, the default
// buttons redraw their dark frame.
void InvalidateDefaultButtons(TWinControl* root) {
  for (int i = 0; i < root->ControlCount(); ++i) {
    TControl* c = root->Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c); b && b->GetDefault()) b->Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(c)) InvalidateDefaultButtons(w);
  }
}
}  // namespace

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
  InstallHints();
  // Every press is a press: two quick clicks click twice.
  controlStyle_.Exclude(csDoubleClicks);
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  Invalidate();
}

bool TButton::IsActive() const {
  TCustomForm* form = GetParentForm();
  TWinControl* focused = form ? form->FocusedControl() : nullptr;
  if (dynamic_cast<TButton*>(focused)) return focused == this;
  return default_;
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

void TButton::SetPressed(bool v) {
  if (v == pressed_) return;
  pressed_ = v;
  Invalidate();
}

// ------------------------------------------------------- mouse, keys ----

void TButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (CanFocus()) SetFocus();
    mouseHeld_ = true;
    SetPressed(true);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (mouseHeld_) SetPressed(GetClientRect().Contains({X, Y}));
  TCustomControl::MouseMove(Shift, X, Y);
}

void TButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && mouseHeld_) {
    mouseHeld_ = false;
    SetPressed(spaceHeld_);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Space pushes the button in; its release clicks.
void TButton::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (Key == VK_SPACE && Shift.Empty()) {
    spaceHeld_ = true;
    SetPressed(true);
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TButton::KeyUp(uint16_t& Key, TShiftState Shift) {
  bool click = Key == VK_SPACE && spaceHeld_;
  if (click) {
    spaceHeld_ = false;
    SetPressed(mouseHeld_);
  }
  TCustomControl::KeyUp(Key, Shift);
  if (click) Click();
}

void TButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: {
      auto shift = TShiftState::FromBits(static_cast<uint64_t>(Message.LParam));
      bool mine = (Message.WParam == VK_RETURN && IsActive()) || (Message.WParam == VK_ESCAPE && cancel_);
      if (mine && shift.Empty() && CanFocus()) {
        Message.Result = 1;
        Click();
        return;
      }
      break;
    }
    case WM_KILLFOCUS:
      spaceHeld_ = false;
      SetPressed(mouseHeld_);
      [[fallthrough]];
    case WM_SETFOCUS:
      Invalidate();
      if (TCustomForm* form = GetParentForm()) InvalidateDefaultButtons(form);
      break;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

// ---------------------------------------------------------- painting ----

void TButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = GetClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(GetColor());
  c->FillRect(r);
  if (IsActive()) StylePainter::PaintBevel(c, r, clWindowFrame, clWindowFrame);
  if (pressed_) StylePainter::PaintBevel(c, r, clBtnShadow, clBtnShadow);
  else StylePainter::PaintButtonFrame(c, r, false);
  TRect text = r;
  if (pressed_) text.Offset(1, 1);
  c->Font()->Assign(GetFont());
  c->Brush()->SetStyle(bsClear);
  constexpr unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (GetEnabled()) DrawText(c, GetCaption(), text, flags);
  else DrawDisabledText(c, GetCaption(), text, flags);
  if (Focused()) DrawFocusDots(c, {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2});
}

}  // namespace qel
