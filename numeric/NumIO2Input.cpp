// TNumIO2: keys, mouse, spin buttons, gauge and the caret timer.
#include <algorithm>
#include <cmath>

#include "numeric/QEL_NumIO.h"
#include "platform/controls/Application.h"

namespace qel {

// The platform's simple beep, not a message-box sound.
constexpr unsigned kSimpleBeep = 0xFFFFFFFF;

void TNumIO2::BeepIfWanted() const {
  if (beep_) MessageBeep(kSimpleBeep);
}

// ------------------------------------------------------------------- keys ----

// The character a key types, or 0 for keys that type none.
char TNumIO2::CharOfKey(uint16_t Key) const {
  char c = 0;
  if (Key >= '0' && Key <= '9') c = char(Key);
  else if (Key >= 'A' && Key <= 'F') c = char(Key);
  else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) c = char('0' + Key - VK_NUMPAD0);
  else if (Key == VK_ADD || Key == VK_OEM_PLUS) c = '+';
  else if (Key == VK_SUBTRACT || Key == VK_OEM_MINUS) c = '-';
  else if (Key == VK_DECIMAL || Key == VK_OEM_COMMA) c = ',';
  else if (Key == VK_OEM_PERIOD) c = '.';
  if (shiftDown_ && c >= '4' && c <= '6') c = "$%&"[c - '4'];
  return c;
}

void TNumIO2::ReplaceText(size_t Pos, size_t Count, const std::string& With) {
  keyEdits_.push_back({Pos, text_.substr(Pos, Count), With.size()});
  text_.replace(Pos, Count, With);
  TextChanged();
}

void TNumIO2::UndoKeyEdits() {
  for (auto e = keyEdits_.rbegin(); e != keyEdits_.rend(); ++e) text_.replace(e->pos, e->inserted, e->removed);
  keyEdits_.clear();
  TextChanged();
}

void TNumIO2::InsertChar(char C) {
  if (selBegin_ < selEnd_) {
    ReplaceText(size_t(selBegin_), size_t(selEnd_ - selBegin_), "");
    caret_ = selEnd_ = selBegin_;
  }
  ReplaceText(size_t(caret_), 0, std::string(1, C));
  ++caret_;
}

// Cut, Backspace and Delete: an emptied field shows the format's zero.
void TNumIO2::DeleteSelection() {
  ReplaceText(size_t(selBegin_), size_t(selEnd_ - selBegin_), "");
  if (text_.empty()) ReplaceText(0, 0, FormatValue(0));
  caret_ = selEnd_ = selBegin_;
}

bool TNumIO2::HandleCtrlKey(uint16_t Key) {
  bool hasSelection = selBegin_ < selEnd_;
  std::string selected = hasSelection ? text_.substr(size_t(selBegin_), size_t(selEnd_ - selBegin_)) : "";
  switch (Key) {
    case 'C':
      if (hasSelection) Clipboard()->SetAsText(selected);
      return false;
    case 'V':
      if (!Clipboard()->HasFormat(CF_TEXT)) return false;
      selected = Clipboard()->GetAsText();
      ReplaceText(size_t(caret_), 0, selected);
      caret_ += int(selected.size());
      return true;
    case 'X':
      if (!hasSelection) return false;
      Clipboard()->SetAsText(selected);
      DeleteSelection();
      return true;
    default:
      BeepIfWanted();
      return false;
  }
}

bool TNumIO2::HandlePlainKey(uint16_t Key) {
  const int length = int(text_.size());
  switch (Key) {
    case VK_BACK:
      if (selBegin_ < selEnd_) DeleteSelection();
      else if (caret_ > 0) ReplaceText(size_t(--caret_), 1, "");
      else return false;
      return true;
    case VK_DELETE:
      if (selBegin_ < selEnd_) DeleteSelection();
      else if (caret_ < length) ReplaceText(size_t(caret_), 1, "");
      else return false;
      return true;
    case VK_TAB:
      if (TCustomForm* form = GetParentForm()) form->Perform(WM_NEXTDLGCTL, shiftDown_ ? 1 : 0, 0);
      return false;
    case VK_END: caret_ = length; return false;
    case VK_HOME: caret_ = 0; return false;
    case VK_LEFT: case VK_UP: caret_ = std::max(caret_ - 1, 0); return false;
    case VK_RIGHT: case VK_DOWN: caret_ = std::min(caret_ + 1, length); return false;
    default: break;
  }
  if (char c = CharOfKey(Key)) {
    InsertChar(c);
    return true;
  }
  BeepIfWanted();
  return false;
}

void TNumIO2::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_SHIFT) shiftDown_ = true;
  if (Key == VK_CONTROL) ctrlDown_ = true;
  if (Key == 0 || Key == VK_SHIFT || Key == VK_CONTROL) return;
  // The message's own shift state wins: a modifier released while another
  // control had the focus must not stick.
  shiftDown_ = Shift.Contains(ssShift);
  ctrlDown_ = Shift.Contains(ssCtrl);
  // Value and InputFormat rewrite the text without touching the caret or
  // the selection: bring them back into a shorter text before any key, the
  // copy of a read-only field too.
  const int length = int(text_.size());
  caret_ = std::min(caret_, length);
  selEnd_ = std::min(selEnd_, length);
  selBegin_ = std::min(selBegin_, selEnd_);
  if (readOnly_) {  // Tab still leaves a read-only field
    if (ctrlDown_ && Key == 'C') HandleCtrlKey(Key);
    if (!ctrlDown_ && Key == VK_TAB) HandlePlainKey(Key);
    return;
  }
  keyEdits_.clear();
  const int savedCaret = caret_;
  bool changed = ctrlDown_ ? HandleCtrlKey(Key) : HandlePlainKey(Key);
  if (!(text_.empty() || text_ == "-" || text_ == "+") && !TextIsValid()) {
    UndoKeyEdits();
    caret_ = savedCaret;
    BeepIfWanted();
    changed = false;
  }
  keyEdits_.clear();
  caret_ = std::clamp(caret_, 0, int(text_.size()));
  if (inputFormat_ == itFixPoint && caret_ > int(text_.size()) - fixPointDecPlaces_ - 1) {
    selBegin_ = caret_;  // the next digit replaces this decimal
    selEnd_ = std::min(caret_ + 1, int(text_.size()));
  } else {
    selBegin_ = selEnd_ = std::min(selEnd_, int(text_.size()));
  }
  caretVisible_ = true;
  try {
    if (changed && OnChange) OnChange(this);
  } catch (...) {
    Redraw();  // the key was taken: show it, whatever the handler did
    throw;
  }
  Redraw();
}

void TNumIO2::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (Key == VK_SHIFT) shiftDown_ = false;
  if (Key == VK_CONTROL) ctrlDown_ = false;
  TCustomControl::KeyUp(Key, Shift);
}

// ------------------------------------------------------------------ mouse ----

int TNumIO2::GaugeBand() const { return gaugeVisible_ ? gaugeHeight_ + gaugeTopMargin_ + 1 : 0; }

// The value under X on the gauge, snapped to DiscreteValues when there are any.
double TNumIO2::GaugeValueAt(int X) const {
  double v = rangeLow_;
  if (gaugeWidth_ > 0) v += double(X - gaugeLeftMargin_) / gaugeWidth_ * (rangeHigh_ - rangeLow_);
  if (!DiscreteValues.empty()) {
    double best = DiscreteValues.front();
    for (double d : DiscreteValues)
      if (std::fabs(d - v) < std::fabs(best - v)) best = d;
    v = best;
  }
  return std::clamp(v, rangeLow_, rangeHigh_);
}

double TNumIO2::SpinStep(bool Up) const {
  double f = GetValue();
  if (DiscreteValues.empty()) return std::clamp(Up ? f + butIncrem_ : f - butIncrem_, rangeLow_, rangeHigh_);
  const double eps = std::pow(10.0, -fixPointDecPlaces_);
  size_t h = 0;
  for (size_t i = 1; i < DiscreteValues.size(); ++i)
    if (std::fabs(DiscreteValues[i] - f) < std::fabs(DiscreteValues[h] - f)) h = i;
  if (Up && DiscreteValues[h] - eps <= f && h + 1 < DiscreteValues.size()) ++h;
  if (!Up && DiscreteValues[h] + eps >= f && h > 0) --h;
  return DiscreteValues[h];
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const int d = GaugeBand(), h = GetHeight();
  if (!readOnly_) caretVisible_ = true;
  if (Y > 0 && Y < h - d) {
    caret_ = selBegin_ = XCoordsToCharPos(X);
    SetSelEnd(caret_);
  }
  // A read-only field keeps its value: no gauge or spin input.
  if (!readOnly_ && gaugeVisible_ && Y > h - d && X >= gaugeLeftMargin_ && X <= gaugeLeftMargin_ + gaugeWidth_) {
    SetValue(GaugeValueAt(X));
    gaugeDrag_ = true;
  }
  const int bx = leftSpace_ + textBoxWidth_ + butSpace_;
  if (!readOnly_ && butVisible_ && X > bx && X < bx + butWidth_ && Y > 0 && Y < butHeight_) {
    SetValue(SpinStep(Y <= butHeight_ / 2));
    if (OnChange) OnChange(this);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y) {
  const int d = GaugeBand(), h = GetHeight();
  if (Shift.Contains(ssLeft)) {
    if (Y > 0 && Y < h - d) {
      int p = XCoordsToCharPos(X);
      if (p > selBegin_) SetSelEnd(p);
      else SetSelBegin(p);
    }
    if (!readOnly_ && gaugeVisible_ && Y > h - d && X >= gaugeLeftMargin_ - 1 &&
        X <= gaugeLeftMargin_ + gaugeWidth_ + 1) {
      double v = GaugeValueAt(X);
      SetValue(v);
      gaugeDrag_ = true;
      if (OnGaugeChange) OnGaugeChange(this, Shift, v);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (gaugeDrag_) {
    gaugeDrag_ = false;
    if (OnChange) OnChange(this);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TNumIO2::Click() {
  SetFocus();
  TCustomControl::Click();
}

// ---------------------------------------------------------------- caret x ----

// Both measure through the painted line, which only measures where the
// text changed since.
int TNumIO2::CharPosToXCoords(int Pos) {
  boxText_.Update(text_, GetFont());
  Pos = std::clamp(Pos, 0, int(text_.size()));
  return int(boxText_.XOf(Pos) + BoxTextLeft(boxText_.Width()));
}

int TNumIO2::XCoordsToCharPos(int X) {
  if (text_.empty()) return 0;
  boxText_.Update(text_, GetFont());
  const int64_t tw = boxText_.Width(), length = int64_t(text_.size());
  const int64_t cw = std::max<int64_t>(tw / length, 1);  // never divide by a zero-width font
  int64_t pos;
  switch (alignment_) {
    case taLeftJustify: pos = X - leftSpace_ - 3; break;
    case taRightJustify: pos = X + tw - leftSpace_ - textBoxWidth_ + 3; break;
    default: pos = X - leftSpace_ - (textBoxWidth_ - tw) / 2 - 1; break;
  }
  pos = std::max<int64_t>(pos, 0);
  return int(std::min((std::min(tw, pos) + cw / 2) / cw, length));
}

// ------------------------------------------------------------ focus, timer ----

void TNumIO2::SetFocus() {
  TCustomControl::SetFocus();
  if (!readOnly_) RestartCaretTimer();
}

void TNumIO2::RestartCaretTimer() {
  timer_.Stop(1);
  caretVisible_ = true;
  if (timer_.Start(1, 500) == 0)
    throw EQELNumIO2Error(ComponentErrorMessage(GetName(), ": no timer available"));
}

void TNumIO2::CaretTick() {
  if (Focused()) {
    caretVisible_ = !caretVisible_;
  } else {
    timer_.Stop(1);
    caretVisible_ = false;
  }
  Redraw();
}


void TNumIO2::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
      return;
    case WM_SETFOCUS:
      TCustomControl::WndProc(Message);
      if (!readOnly_) RestartCaretTimer();
      Redraw();
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      Redraw();
      return;
    default:
      TCustomControl::WndProc(Message);
  }
}

}  // namespace qel
