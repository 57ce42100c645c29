// TWinControl: children, the window and its surface, painting, focus and
// tab order, keyboard messages, alignment. TCustomControl.
#include <algorithm>

#include "platform/controls/Application.h"
#include "platform/controls/Controls.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/StylePainter.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {
void FillSurface(TBitmap& surface, const TRect& r, TColor color) {
  TRect c = IntersectRect(r, {0, 0, surface.GetWidth(), surface.GetHeight()});
  uint32_t pixel = ColorToPixel(color);
  for (int y = c.Top; y < c.Bottom; ++y) std::fill_n(surface.ScanLine(y) + c.Left, c.Width(), pixel);
}

// Clears a control-state flag when the scope ends, also by exception.
struct StateGuard {
  TControlState& state;
  TControlStateItem item;
  ~StateGuard() { state.Exclude(item); }
};
}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while still a windowed control, so that its tab list
  // lets go of us too (by ~TControl we are a plain control).
  if (GetParent()) GetParent()->RemoveControl(this);
  // Children owned elsewhere stay alive but lose their parent.
  while (!controls_.empty()) RemoveControl(controls_.back());
  DestroyWnd();
}

// ---------------------------------------------------------- children ----

TControl* TWinControl::Controls(int Index) const {
  return Index >= 0 && Index < ControlCount() ? controls_[Index] : nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  if (AControl->parent_) AControl->parent_->RemoveControl(AControl);
  controls_.push_back(AControl);
  AControl->parent_ = this;
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    tabList_.push_back(win);
    if (handle_) win->CreateHandleTree();
  }
  AControl->ParentColorChanged();
  AControl->ParentFontChanged();
  if (AControl->GetAlign() != alNone) AlignControls();
  AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(controls_.begin(), controls_.end(), AControl);
  if (it == controls_.end()) return;
  if (TCustomForm* form = GetParentForm()) form->ControlGoing(AControl);
  AControl->Invalidate();
  controls_.erase(it);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    tabList_.erase(std::find(tabList_.begin(), tabList_.end(), win));
    win->DestroyHandleTree();
  }
  AControl->parent_ = nullptr;
  if (AControl->GetAlign() != alNone && !ComponentState().Contains(csDestroying)) AlignControls();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c; c = c->parent_)
    if (c == this) return true;
  return false;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    controls_[i]->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

// ------------------------------------------------- window and surface ----

HWND TWinControl::GetHandle() {
  if (!handle_) {
    if (GetParent()) GetParent()->HandleNeeded();
    if (!handle_) CreateHandleTree();
  }
  return handle_;
}

void TWinControl::CreateHandleTree() {
  if (handle_) return;
  CreateWnd();
  for (TWinControl* child : tabList_) child->CreateHandleTree();
}

void TWinControl::DestroyHandleTree() {
  for (TWinControl* child : tabList_) child->DestroyHandleTree();
  DestroyWnd();
}

void TWinControl::CreateWnd() {
  handle_ = Application->RegisterWindow([this](TMessage& m) { WndProc(m); });
  surface_ = std::make_unique<TBitmap>(GetWidth(), GetHeight());
  TargetClientArea();
  invalid_ = {0, 0, GetWidth(), GetHeight()};
  Application->PaintNeeded();
}

void TWinControl::DestroyWnd() {
  if (!handle_) return;
  Application->UnregisterWindow(handle_);
  handle_ = 0;
  paintCanvas_.SetTarget(nullptr, {}, {});
  surface_.reset();
  invalid_ = {};
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  bool resized = std::max(AWidth, 0) != GetWidth() || std::max(AHeight, 0) != GetHeight();
  if (resized && surface_) {
    surface_->SetSize(std::max(AWidth, 0), std::max(AHeight, 0));
    invalid_ = {0, 0, surface_->GetWidth(), surface_->GetHeight()};
    Application->PaintNeeded();
  }
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  // The client area may be smaller than inside the border (scroll bars).
  if (resized) TargetClientArea();
  if (resized) AlignControls();
}

void TWinControl::TargetClientArea() {
  if (!surface_) return;
  TPoint off = ClientOffset();
  TRect client = GetClientRect();
  client.Offset(off.X, off.Y);
  paintCanvas_.SetTarget(surface_.get(), off, client);
}

int TWinControl::BorderWidth() const {
  if (borderStyle_ == bsNone) return 0;
  return ctl3D_ ? 2 : 1;
}

TRect TWinControl::GetClientRect() const {
  int b = BorderWidth();
  return {0, 0, std::max(GetWidth() - 2 * b, 0), std::max(GetHeight() - 2 * b, 0)};
}

void TWinControl::SetBorderStyle(TBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  TargetClientArea();
  AlignControls();
  Invalidate();
}

void TWinControl::SetCtl3D(bool v) {
  if (v == ctl3D_) return;
  ctl3D_ = v;
  if (borderStyle_ != bsNone) {
    borderStyle_ = bsNone;  // re-apply so the client area moves
    SetBorderStyle(bsSingle);
  }
  Perform(CM_CTL3DCHANGED);
}

// ---------------------------------------------------------- painting ----

void TWinControl::Invalidate() {
  if (!surface_) return;
  invalid_ = {0, 0, surface_->GetWidth(), surface_->GetHeight()};
  Application->PaintNeeded();
}

void TWinControl::InvalidateRect(const TRect& R) {
  if (!surface_) return;
  TRect r = R;
  TPoint off = ClientOffset();
  r.Offset(off.X, off.Y);
  r = IntersectRect(r, {0, 0, surface_->GetWidth(), surface_->GetHeight()});
  if (r.IsEmpty()) return;
  invalid_ = UnionRect(invalid_, r);
  Application->PaintNeeded();
}

void TWinControl::Update() { PaintInvalid(); }

void TWinControl::PaintInvalid() {
  if (!surface_) return;
  if (!invalid_.IsEmpty()) {
    TRect r = invalid_;
    invalid_ = {};
    PaintRegion(r);
  }
  for (TWinControl* child : tabList_)
    if (child->GetVisible()) child->PaintInvalid();
}

void TWinControl::PaintRegion(const TRect& SurfaceRect) {
  TPoint off = ClientOffset();
  TRect client = GetClientRect();
  client.Offset(off.X, off.Y);
  TRect r = IntersectRect(SurfaceRect, client);
  if (!r.IsEmpty()) {
    paintCanvas_.SetTarget(surface_.get(), off, r);
    PaintWindow();
    TargetClientArea();
    PaintGraphicChildren(r);
  }
  // Outside the client lie the border and whatever a control draws there (scroll bars).
  if (!(IntersectRect(SurfaceRect, client) == SurfaceRect)) PaintBorder();
}

void TWinControl::PaintWindow() { FillSurface(*surface_, paintCanvas_.DeviceClip(), GetColor()); }

void TWinControl::PaintGraphicChildren(const TRect& SurfaceRect) {
  TPoint off = ClientOffset();
  for (TControl* c : controls_) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->GetVisible()) continue;
    TRect bounds = g->BoundsRect();
    bounds.Offset(off.X, off.Y);
    TRect clip = IntersectRect(bounds, SurfaceRect);
    if (clip.IsEmpty()) continue;
    g->canvas_.SetTarget(surface_.get(), bounds.TopLeft(), clip);
    g->controlState_.Include(csCustomPaint);
    StateGuard guard{g->controlState_, csCustomPaint};
    g->PaintControl();
  }
}

// A single border is one dark line; with Ctl3D it is the sunken two-pixel edge.
void TWinControl::PaintBorder() {
  if (BorderWidth() == 0) return;
  int w = GetWidth(), h = GetHeight();
  TCanvas border(surface_.get());  // the whole surface, outside the client area too
  if (BorderWidth() == 1) StylePainter::PaintFrame(&border, {0, 0, w, h}, flLine, clNone, clNone, clWindowFrame);
  else StylePainter::PaintSunkenBorder(&border, {0, 0, w, h});
}

void TWinControl::ComposeInto(TBitmap& Dest, int X, int Y, const TRect& Clip) {
  if (!surface_) return;
  TRect area = IntersectRect(Bounds(X, Y, surface_->GetWidth(), surface_->GetHeight()), Clip);
  area = IntersectRect(area, {0, 0, Dest.GetWidth(), Dest.GetHeight()});
  for (int y = area.Top; y < area.Bottom; ++y)
    std::copy_n(surface_->ScanLine(y - Y) + (area.Left - X), area.Width(), Dest.ScanLine(y) + area.Left);
  TPoint off = ClientOffset();
  TRect client = GetClientRect();
  client.Offset(X + off.X, Y + off.Y);
  TRect childClip = IntersectRect(client, area);
  for (TControl* c : controls_)
    if (auto* win = dynamic_cast<TWinControl*>(c); win && win->GetVisible())
      win->ComposeInto(Dest, X + off.X + win->GetLeft(), Y + off.Y + win->GetTop(), childClip);
}

// --------------------------------------------------------- alignment ----

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  TRect r = GetClientRect();
  auto place = [&](TAlign which) {
    for (TControl* c : controls_) {
      if (c->GetAlign() != which || !c->GetVisible()) continue;
      switch (which) {
        case alTop: c->SetBounds(r.Left, r.Top, r.Width(), c->GetHeight()); r.Top += c->GetHeight(); break;
        case alBottom: r.Bottom -= c->GetHeight(); c->SetBounds(r.Left, r.Bottom, r.Width(), c->GetHeight()); break;
        case alLeft: c->SetBounds(r.Left, r.Top, c->GetWidth(), r.Height()); r.Left += c->GetWidth(); break;
        case alRight: r.Right -= c->GetWidth(); c->SetBounds(r.Right, r.Top, c->GetWidth(), r.Height()); break;
        case alClient: c->SetBounds(r.Left, r.Top, r.Width(), r.Height()); break;
        default: break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) place(a);
  aligning_ = false;
}

// ------------------------------------------------ colour and font flow ----

void TWinControl::ParentColorChanged() {
  TControl::ParentColorChanged();
  for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::ParentFontChanged() {
  TControl::ParentFontChanged();
  for (TControl* c : controls_) c->ParentFontChanged();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* c : controls_) c->ParentFontChanged();
}

// --------------------------------------------------- focus, tab order ----

bool TWinControl::Focused() const {
  TCustomForm* form = GetParentForm();
  return form && form->FocusedControl() == this;
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  for (const TControl* c = this; c && c != form; c = c->GetParent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm()) form->FocusControl(this);
}

int TWinControl::GetTabOrder() const {
  if (!GetParent()) return -1;
  const auto& list = GetParent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (!GetParent()) return;
  auto& list = GetParent()->tabList_;
  list.erase(std::find(list.begin(), list.end(), this));
  v = std::clamp(v, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + v, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* c : tabList_) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), CurControl);
  // Without a current control, start so the first step lands on an end.
  int start = found == list.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[i];
    if (c == CurControl) break;
    if ((!CheckTabStop || c->tabStop_) && (!CheckParent || c->GetParent() == this) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) next->SetFocus();
}

// --------------------------------------------------------- messages ----

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: case WM_KEYUP: {
      uint16_t key = static_cast<uint16_t>(Message.WParam);
      TShiftState shift = TShiftState::FromBits(static_cast<uint64_t>(Message.LParam));
      TCustomForm* form = GetParentForm();
      bool down = Message.Msg == WM_KEYDOWN;
      // A form with KeyPreview sees every key before the focused control.
      // The key as the handlers left it goes back into the message: a
      // descendant's WndProc does its default work only when it is not 0.
      if (form && form != this && form->GetKeyPreview()) {
        if (down) form->KeyDown(key, shift); else form->KeyUp(key, shift);
        Message.WParam = key;
        if (key == 0) return;
      }
      if (down) KeyDown(key, shift); else KeyUp(key, shift);
      Message.WParam = key;
      return;
    }
    case WM_CHAR: {
      char32_t ch = static_cast<char32_t>(Message.WParam);
      TCustomForm* form = GetParentForm();
      if (form && form != this && form->GetKeyPreview()) {
        form->KeyPress(ch);
        Message.WParam = ch;
        if (ch == 0) return;
      }
      KeyPress(ch);
      Message.WParam = ch;
      return;
    }
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_DIALOGKEY: Broadcast(Message); return;
    default: TControl::WndProc(Message);
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) Message.Result = 0;
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// --------------------------------------------------- TCustomControl ----

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCanvas* TCustomControl::Canvas() {
  HandleNeeded();
  return PaintCanvas();
}

void TCustomControl::PaintWindow() {
  if (!ControlStyle().Contains(csOpaque)) TWinControl::PaintWindow();
  Paint();
}

}  // namespace qel
