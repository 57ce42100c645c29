// TCustomForm: showing, closing, modal loops, focus and the frame buffer.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  SetColor(clBtnFace);
  GetFont()->SetName("Tahoma");
  SetBounds(0, 0, 320, 240);
  controlStyle_.Include(csAcceptsControls);
  Application->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (OnDestroy) OnDestroy(this);
  if (shown_) Application->Host().FormHidden(this);
  Application->RemoveForm(this);
  // Children die with their owner; those owned elsewhere are only detached
  // (TWinControl's destructor), so the focus bookkeeping must not dangle.
  activeControl_ = focused_ = nullptr;
  capture_ = hover_ = lastDownControl_ = nullptr;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == formBorderStyle_) return;
  formBorderStyle_ = v;
  Application->Host().FormChanged(this);
}

// ----------------------------------------------------- show and close ----

void TCustomForm::Show() {
  if (shown_ && GetVisible()) {
    Application->ActivateForm(this);
    return;
  }
  if (position_ == poScreenCenter || position_ == poDesktopCenter || position_ == poMainFormCenter ||
      position_ == poOwnerFormCenter) {
    TSize screen = Application->Host().ScreenSize();
    SetBounds((screen.cx - GetWidth()) / 2, (screen.cy - GetHeight()) / 2, GetWidth(), GetHeight());
  }
  shown_ = true;
  SetVisible(true);
  HandleNeeded();
  Invalidate();
  DoShow();
  Application->Host().FormShown(this);
  if (!popup_) Application->ActivateForm(this);
}

void TCustomForm::Hide() {
  if (!shown_) return;
  shown_ = false;
  SetVisible(false);
  SetActive(false);
  CancelCapture();
  hover_ = nullptr;
  DoHide();
  Application->Host().FormHidden(this);
  if (Application->ActiveForm() == this) Application->ActivateForm(nullptr);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  Hide();
  if (this == Application->MainForm()) Application->Terminate();
}

TModalResult TCustomForm::ShowModal() {
  if (modal_ || shown_) throw EInvalidOperation("Cannot make a visible window modal");
  modal_ = true;
  modalResult_ = mrNone;
  Application->PushModal(this);
  // Other forms take no input now, so a held button would never see its release.
  for (TCustomForm* f : std::vector<TCustomForm*>(Application->Forms()))
    if (f != this) f->CancelCapture();
  // Whatever ends the loop, the form that was active before takes the keys again.
  struct Finish {
    TCustomForm* form;
    ~Finish() {
      TCustomForm* previous = Application->PopModal();
      form->modal_ = false;
      form->Hide();
      try {  // an OnActivate or OnEnter handler may raise; no exception leaves a destructor
        Application->ActivateAfterModal(previous);
      } catch (...) {
        Application->HandleException(form);
      }
    }
  } finish{this};
  Show();
  while (modalResult_ == mrNone) {
    Application->HandleMessage(true);
    if (modalResult_ == mrNone) Application->Host().ModalLoopIdle(this);
    if (modalResult_ != mrNone) {
      // The form may refuse to close; OnClose may also keep it open.
      if (!CloseQuery()) {
        modalResult_ = mrNone;
        continue;
      }
      TCloseAction action = caHide;
      if (OnClose) OnClose(this, action);
      if (action == caNone) modalResult_ = mrNone;
    }
  }
  return modalResult_;
}

bool TCustomForm::Active() const { return active_; }

void TCustomForm::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  if (v) {
    if (OnActivate) OnActivate(this);
    TWinControl* target = activeControl_;
    if (!target) target = FindNextControl(nullptr, true, true, false);
    if (target && target->CanFocus()) {
      activeControl_ = target;  // Tab then steps on from the control that has the focus
      MoveFocus(target);
    }
  } else {
    MoveFocus(nullptr);
    if (OnDeactivate) OnDeactivate(this);
  }
}

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY:
      if (Message.WParam == VK_TAB) {
        auto shift = TShiftState::FromBits(static_cast<uint64_t>(Message.LParam));
        if (!shift.Contains(ssCtrl)) {
          SelectNext(activeControl_, !shift.Contains(ssShift), true);
          Message.Result = 1;
          return;
        }
      }
      TWinControl::WndProc(Message);  // default and cancel buttons hear it
      return;
    case WM_NEXTDLGCTL:
      if (Message.LParam != 0) {
        if (auto* c = reinterpret_cast<TWinControl*>(Message.WParam)) c->SetFocus();
      } else {
        SelectNext(activeControl_, Message.WParam == 0, true);
      }
      return;
    case WM_CLOSE:
      Close();
      return;
    default:
      TWinControl::WndProc(Message);
  }
}

// ------------------------------------------------------------- focus ----

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == activeControl_) return;
  if (Control && (Control == this || Control->GetParentForm() != this ||
                  (!ComponentState().Contains(csLoading) && !Control->CanFocus())))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  activeControl_ = Control;
  if (active_) MoveFocus(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  SetActiveControl(Control);
  if (shown_ && !active_ && !popup_) Application->ActivateForm(this);
}

// The platform's order: the old control loses the focus, the new one gets
// it, then the old one exits and the new one enters.
void TCustomForm::MoveFocus(TWinControl* To) {
  TWinControl* from = focused_;
  if (from == To) return;
  focused_ = To;
  if (from) from->Perform(WM_KILLFOCUS, reinterpret_cast<uintptr_t>(To));
  if (To) To->Perform(WM_SETFOCUS, reinterpret_cast<uintptr_t>(from));
  if (from && focused_ == To) from->Perform(CM_EXIT);
  if (To && focused_ == To) To->Perform(CM_ENTER);
}

void TCustomForm::ControlGoing(TControl* C) {
  auto inside = [&](TControl* x) { return x && (x == C || (dynamic_cast<TWinControl*>(C) &&
                                                           static_cast<TWinControl*>(C)->ContainsControl(x))); };
  if (inside(activeControl_)) activeControl_ = nullptr;
  if (inside(focused_)) focused_ = nullptr;
  if (inside(capture_)) capture_ = nullptr;
  if (inside(hover_)) hover_ = nullptr;
  if (inside(lastDownControl_)) lastDownControl_ = nullptr;
}

void TCustomForm::ControlHidden(TControl* C) {
  auto inside = [&](TControl* x) { return x && (x == C || (dynamic_cast<TWinControl*>(C) &&
                                                           static_cast<TWinControl*>(C)->ContainsControl(x))); };
  if (inside(capture_)) CancelCapture();
  if (inside(hover_)) hover_ = nullptr;
  if (inside(focused_)) {
    TWinControl* next = FindNextControl(focused_, true, true, false);
    MoveFocus(next && !inside(next) ? next : nullptr);
    activeControl_ = focused_;
  }
}

void TCustomForm::SetCaptureControl(TControl* C) { capture_ = C; }

void TCustomForm::CancelCapture() {
  if (TControl* holder = std::exchange(capture_, nullptr)) holder->Perform(WM_CAPTURECHANGED);
}

// ------------------------------------------------------------ picture ----

TCanvas* TCustomForm::Canvas() {
  HandleNeeded();
  return PaintCanvas();
}

void TCustomForm::PaintWindow() {
  TWinControl::PaintWindow();
  // A form paints through OnPaint only in descendants; nothing more here.
}

const TBitmap& TCustomForm::FrameBuffer() {
  HandleNeeded();
  PaintInvalid();
  if (!frame_) frame_ = std::make_unique<TBitmap>();
  frame_->SetSize(GetWidth(), GetHeight());
  ComposeInto(*frame_, 0, 0, {0, 0, GetWidth(), GetHeight()});
  return *frame_;
}

}  // namespace qel
