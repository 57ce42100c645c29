#include "platform/stdctrls/Edit.h"

#include <algorithm>

namespace qel {

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  SetTabStop(true);
  SetCursor(crIBeam);
  editor_.GetArea = [this] { return TextArea(); };
  editor_.OnView = [this] { Invalidate(); };
  editor_.OnEdit = [this] { EditorChangedText(); };
  editor_.SetFont(GetFont());
  SetBounds(0, 0, 121, 21);
  AdjustHeight();
}

// ------------------------------------------------------------- text ----

// The user (or SetSelText) changed the text: hand it to the control, whose
// CM_TEXTCHANGED then fires Change.
void TCustomEdit::EditorChangedText() {
  modified_ = true;
  pushing_ = true;
  TControl::SetText(editor_.Model().Text());
  pushing_ = false;
}

void TCustomEdit::TextChanged() {
  if (pushing_) {
    pushing_ = false;  // a SetText inside Change is the program's again
  } else {
    editor_.SetText(GetText());
    modified_ = false;
  }
  Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::SetSelStart(int v) { editor_.Select(v, v); }

void TCustomEdit::SetSelLength(int v) {
  int start = GetSelStart();
  editor_.Select(start, start + std::max(v, 0));
}

void TCustomEdit::ClearSelection() {
  if (!GetReadOnly() && editor_.Model().HasSelection()) editor_.ReplaceSelection("");
}

void TCustomEdit::SetPasswordChar(char32_t v) {
  editor_.passwordChar = v;
  Invalidate();
}

void TCustomEdit::SetHideSelection(bool v) {
  hideSelection_ = v;
  Invalidate();
}

void TCustomEdit::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustHeight();
}

// ----------------------------------------------------------- layout ----

// Text height plus the border and two pixels of margin above and below.
void TCustomEdit::AdjustHeight() {
  if (autoSize_ && !editor_.multiLine) SetHeight(editor_.LineHeight() + 2 * BorderWidth() + 4);
}

TRect TCustomEdit::TextArea() {
  TRect c = GetClientRect();
  int lh = editor_.LineHeight();
  int top = std::max((c.Height() - lh) / 2, 0);
  return {c.Left + 1, top, std::max(c.Right - 1, c.Left + 1), std::min(top + lh, c.Bottom)};
}

void TCustomEdit::Resize() {
  editor_.ScrollToCaret();
  TWinControl::Resize();
}

// --------------------------------------------------------- messages ----

void TCustomEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DialogCode();
      return;
    case WM_KEYDOWN: {
      TWinControl::WndProc(Message);
      if (Message.WParam != 0)
        editor_.KeyDown(static_cast<uint16_t>(Message.WParam),
                        TShiftState::FromBits(static_cast<uint64_t>(Message.LParam)));
      return;
    }
    case WM_CHAR:
      TWinControl::WndProc(Message);
      if (Message.WParam != 0) editor_.Char(static_cast<char32_t>(Message.WParam));
      return;
    case WM_SETFOCUS:
      FocusChanged(true);
      break;
    case WM_KILLFOCUS:
      FocusChanged(false);
      break;
    case CM_TEXTCHANGED:
      TextChanged();
      return;
    case CM_FONTCHANGED:
      editor_.SetFont(GetFont());
      AdjustHeight();
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

void TCustomEdit::FocusChanged(bool Focused) {
  if (Focused) editor_.Blink().Start(); else editor_.Blink().Stop();
  editor_.MouseUp();
  Invalidate();
}

// AutoSelect applies when the focus comes from the keyboard or the program,
// not from a click that places the caret.
void TCustomEdit::DoEnter() {
  if (autoSelect_ && !mouseFocusing_ && !editor_.multiLine) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (!Focused() && CanFocus()) {
      mouseFocusing_ = true;
      SetFocus();
      mouseFocusing_ = false;
    }
    editor_.MouseDown(X, Y, Shift);
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
  editor_.MouseMove(X, Y);
  TWinControl::MouseMove(Shift, X, Y);
}

void TCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) editor_.MouseUp();
  TWinControl::MouseUp(Button, Shift, X, Y);
}

// ----------------------------------------------------------- painting ----

void TCustomEdit::PaintWindow() {
  TCanvas* c = PaintCanvas();
  bool enabled = GetEnabled();
  c->Brush()->SetColor(enabled ? GetColor() : clBtnFace);
  c->FillRect(GetClientRect());
  TTextColors colors{enabled ? GetFont()->GetColor() : clGrayText, clHighlight, clHighlightText};
  bool focused = Focused();
  editor_.Paint(c, colors, focused || !hideSelection_, focused);
}

}  // namespace qel
