// TCustomLabel: settings, auto size, painting through DoDrawText, the
// accelerator that focuses FocusControl.
#include "platform/stdctrls/Label.h"

#include "platform/stdctrls/ButtonFace.h"
#include "platform/stdctrls/HintWindow.h"

namespace qel {

namespace {
unsigned AlignmentFlags(TAlignment a) {
  switch (a) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

char32_t LowerAscii(char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
}  // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  InstallHints();
  controlStyle_.Include(csReplicatable);
  controlStyle_.Include(csOpaque);
  SetBounds(0, 0, 65, 17);
  SetColor(clBtnFace);
  SetParentColor(true);
}

// ---------------------------------------------------------- settings ----

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  if (v) controlStyle_.Exclude(csOpaque); else controlStyle_.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == showAccelChar_) return;
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = v;
  if (v) FreeNotification(v);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

// ----------------------------------------------------------- drawing ----

void TCustomLabel::DoDrawText(TRect& Rect, int Flags) {
  std::string text = GetLabelText();
  bool measuring = (Flags & DT_CALCRECT) != 0;
  // An empty label still measures one line high.
  if (measuring && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
  if (!showAccelChar_) Flags |= DT_NOPREFIX;
  TCanvas* c = Canvas();
  c->Font()->Assign(GetFont());
  if (!GetEnabled() && !measuring) DrawDisabledText(c, text, Rect, Flags);
  else DrawText(c, text, Rect, Flags);
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = GetClientRect();
  if (!transparent_) {
    c->Brush()->SetColor(GetColor());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  c->Brush()->SetStyle(bsClear);
  int flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | AlignmentFlags(alignment_);
  if (layout_ != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int spare = GetHeight() - calc.Bottom;
    r.Offset(0, layout_ == tlBottom ? spare : spare / 2);
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading)) return;
  TRect r = GetClientRect();
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  int width = wordWrap_ ? GetWidth() : r.Width();
  int x = GetLeft();
  if (alignment_ == taRightJustify) x += GetWidth() - width;
  else if (alignment_ == taCenter) x += (GetWidth() - width) / 2;
  SetBounds(x, GetTop(), width, r.Height());
}

// ---------------------------------------------------------- messages ----

bool TCustomLabel::IsAccelerator(char32_t Ch) const {
  // The last single '&' marks the accelerator, as DrawText underlines it.
  const std::string t = GetLabelText();
  char32_t accel = 0;
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i] != '&') continue;
    if (t[i + 1] != '&') accel = static_cast<unsigned char>(t[i + 1]);
    ++i;
  }
  return accel != 0 && LowerAscii(accel) == LowerAscii(Ch);
}

void TCustomLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      break;
    case CM_DIALOGCHAR:
      if (focusControl_ && GetEnabled() && showAccelChar_ && IsAccelerator(static_cast<char32_t>(Message.WParam)) &&
          focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(Message);
}

}  // namespace qel
