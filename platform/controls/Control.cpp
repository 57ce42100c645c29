// TControl: bounds, settings that flow from the parent, messages and the
// mouse handlers, TGraphicControl.
#include <algorithm>

#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  Destroying();
  if (TCustomForm* form = GetParentForm()) form->ControlGoing(this);
  if (parent_) parent_->RemoveControl(this);
}

// ------------------------------------------------------------ bounds ----

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  TRect old = BoundsRect();
  bool resized = AWidth != width_ || AHeight != height_;
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  if (parent_ && visible_) {
    InvalidateRectInParent(old);
    InvalidateRectInParent(BoundsRect());
    if (align_ != alNone) parent_->AlignControls();
  }
  if (resized && !ComponentState().Contains(csLoading)) Resize();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

TPoint TControl::ClientOrigin() const {
  TPoint p{left_, top_};
  if (parent_) {
    TPoint po = parent_->ClientOrigin();
    p.X += po.X;
    p.Y += po.Y;
  }
  if (auto* win = dynamic_cast<const TWinControl*>(this)) {
    TPoint off = win->ClientOffset();
    p.X += off.X;
    p.Y += off.Y;
  }
  return p;
}

TPoint TControl::ClientToScreen(TPoint P) const {
  TPoint o = ClientOrigin();
  return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint o = ClientOrigin();
  return {P.X - o.X, P.Y - o.Y};
}

// ------------------------------------------------------------ parent ----

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == parent_) return;
  if (AParent == this) throw EConvertError("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

bool TControl::Showing() const {
  if (!visible_) return false;
  if (!parent_) return false;
  return parent_->Showing();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (parent_ && visible_) InvalidateRectInParent(BoundsRect());
  visible_ = v;
  if (parent_ && visible_) InvalidateRectInParent(BoundsRect());
  if (parent_ && align_ != alNone) parent_->AlignControls();
  if (!v)
    if (TCustomForm* form = GetParentForm()) form->ControlHidden(this);
  Perform(CM_VISIBLECHANGED, v);
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (!v)
    if (TCustomForm* form = GetParentForm()) form->ControlHidden(this);
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

// ------------------------------------------------ colour, font, cursor ----

void TControl::SetColor(TColor v) {
  if (v == color_ && !parentColor_) return;
  color_ = v;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetParentColor(bool v) {
  if (v == parentColor_) return;
  parentColor_ = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  color_ = parent_->GetColor();
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetParentFont(bool v) {
  if (v == parentFont_) return;
  parentFont_ = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  // Taking the parent's font is not a font of our own: keep ParentFont.
  font_->OnChange = nullptr;
  font_->Assign(parent_->GetFont());
  font_->OnChange = [this](TObject*) { FontChanged(); };
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::FontChanged() {
  parentFont_ = false;
  Perform(CM_FONTCHANGED);
  Invalidate();
}

void TControl::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetAlign(TAlign v) {
  if (v == align_) return;
  align_ = v;
  if (parent_) parent_->AlignControls();
}

void TControl::SetPopupMenu(TPopupMenu* v) {
  if (popupMenu_) RemoveFreeNotification(reinterpret_cast<TComponent*>(popupMenu_));
  popupMenu_ = v;
  if (v) FreeNotification(reinterpret_cast<TComponent*>(v));
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == reinterpret_cast<TComponent*>(popupMenu_)) popupMenu_ = nullptr;
}

void TControl::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

// ---------------------------------------------------------- painting ----

void TControl::InvalidateRectInParent(const TRect& R) {
  if (parent_) parent_->InvalidateRect(R);
}

void TControl::Invalidate() {
  if (visible_) InvalidateRectInParent(BoundsRect());
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  TWinControl* p = parent_;
  auto& list = p->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  Invalidate();
}

void TControl::SetControlStateItem(TControlStateItem Item, bool On) {
  if (On) controlState_.Include(Item); else controlState_.Exclude(Item);
}

// ---------------------------------------------------------- messages ----

intptr_t TControl::Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      HandleMouseMessage(Message);
      return;
    case WM_MOUSEWHEEL: {
      auto shift = TShiftState::FromBits(Message.WParam & 0xFFFF);
      int delta = static_cast<int16_t>(Message.WParam >> 16);
      TPoint pos{static_cast<int16_t>(Message.LParam & 0xFFFF), static_cast<int16_t>((Message.LParam >> 16) & 0xFFFF)};
      Message.Result = DoMouseWheel(shift, delta, pos) ? 1 : 0;
      return;
    }
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case CM_HITTEST:
      Message.Result = 1;
      return;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage&) {}

// Mouse messages carry the shift state in WParam and the client position
// (signed 16-bit halves) in LParam, as on the platform.
void TControl::HandleMouseMessage(TMessage& Message) {
  TShiftState shift = TShiftState::FromBits(Message.WParam);
  int x = static_cast<int16_t>(Message.LParam & 0xFFFF);
  int y = static_cast<int16_t>((Message.LParam >> 16) & 0xFFFF);
  auto button = [&]() {
    switch (Message.Msg) {
      case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return mbRight;
      case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return mbMiddle;
      default: return mbLeft;
    }
  }();
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (button == mbLeft && controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
      MouseDown(button, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (button == mbLeft && controlStyle_.Contains(csClickEvents)) DblClick();
      MouseDown(button, shift + TShiftState{ssDouble}, x, y);
      break;
    default:  // button up: Click comes before MouseUp, and only over the control
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
      if (button == mbLeft && controlState_.Contains(csClicked)) {
        controlState_.Exclude(csClicked);
        if (GetClientRect().Contains({x, y})) Click();
      }
      MouseUp(button, shift, x, y);
      if (button == mbRight && ContextPopupHook) ContextPopupHook(this, ClientToScreen({x, y}));
  }
}

bool TControl::MouseCapture() const {
  TCustomForm* form = GetParentForm();
  return form && form->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool v) {
  if (TCustomForm* form = GetParentForm()) form->SetCaptureControl(v ? this : (MouseCapture() ? nullptr : form->CaptureControl()));
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

// --------------------------------------------------- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

// Outside a paint cycle the canvas is a window onto the parent's surface,
// clipped to this control's bounds; in a paint cycle the parent narrows it.
TCanvas* TGraphicControl::Canvas() {
  if (controlState_.Contains(csCustomPaint)) return &canvas_;
  TWinControl* p = GetParent();
  if (!p || !p->HandleAllocated()) {
    canvas_.SetTarget(nullptr, {}, {});
    return &canvas_;
  }
  TPoint off = p->ClientOffset();
  TRect clip = IntersectRect(BoundsRect(), p->GetClientRect());
  clip.Offset(off.X, off.Y);
  canvas_.SetTarget(p->Surface(), {left_ + off.X, top_ + off.Y}, clip);
  return &canvas_;
}

void TGraphicControl::PaintControl() { Paint(); }

}  // namespace qel
