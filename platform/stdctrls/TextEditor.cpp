#include "platform/stdctrls/TextEditor.h"

#include <algorithm>

#include "platform/controls/Application.h"
#include "platform/rtl/Utf8.h"
#include "platform/stdctrls/TextLayout.h"

namespace qel {

// -------------------------------------------------------- TCaretBlink ----

TCaretBlink::TCaretBlink()
    : timer_([this](uintptr_t) {
        on_ = !on_;
        if (OnToggle) OnToggle();
      }) {}

void TCaretBlink::Start() {
  running_ = on_ = true;
  timer_.Start(1, BlinkMs);
}

void TCaretBlink::Stop() {
  timer_.Stop(1);
  running_ = on_ = false;
}

// -------------------------------------------------------- TTextEditor ----

namespace {
// Host coordinates of positions far out of view stay well inside int.
constexpr int64_t kFarOut = int64_t(1) << 28;
}  // namespace

TTextEditor::TTextEditor() {
  blink_.OnToggle = [this] {
    if (OnView) OnView();
  };
  measureBytes_ = [this](size_t Begin, size_t End) { return MeasureBytes(Begin, End); };
}

void TTextEditor::SetText(const std::string& Text) {
  model_.SetText(Text);
  scrollX_ = topLine_ = 0;
  goalX_ = -1;
  if (OnView) OnView();
}

void TTextEditor::SetFont(const TFont* Font) {
  measure_.Font()->Assign(const_cast<TFont*>(Font));
  model_.ForgetExtents();
}

int TTextEditor::LineHeight() { return measure_.TextHeight("Wg"); }

std::string TTextEditor::Display(const std::string& S) const {
  if (passwordChar == 0) return S;
  std::string one = Utf8EncodeChar(passwordChar), out;
  for (size_t n = Utf8Length(S); n > 0; --n) out += one;
  return out;
}

char32_t TTextEditor::CharBefore(size_t Byte) const {
  char32_t c = CharBeforeByte(model_.Text(), Byte);
  return c != 0 && passwordChar != 0 ? passwordChar : c;
}

int64_t TTextEditor::MeasureBytes(size_t Begin, size_t End) {
  std::string part = model_.Text().substr(Begin, End - Begin);
  return measure_.TextWidth(Display(part), CharBefore(Begin));
}

int64_t TTextEditor::XOf(int Line, int Pos) {
  if (passwordChar != measuredPasswordChar_) {
    model_.ForgetExtents();
    measuredPasswordChar_ = passwordChar;
  }
  return model_.Extent(model_.LineStart(Line), Pos, measureBytes_);
}

int TTextEditor::ViewX(int Line, int Pos) {
  TRect a = GetArea ? GetArea() : TRect{};
  return static_cast<int>(std::clamp(a.Left + XOf(Line, Pos) - scrollX_, -kFarOut, kFarOut));
}

int TTextEditor::VisibleLines() {
  TRect a = GetArea ? GetArea() : TRect{};
  return std::max(a.Height() / std::max(LineHeight(), 1), 1);
}

int TTextEditor::FloorPos(int Line, int64_t X) {
  int start = model_.LineStart(Line);
  return LastPosAtOrBefore(start, start + model_.LineLength(Line), X, [&](int p) { return XOf(Line, p); });
}

int TTextEditor::PosAt(int X, int Y, bool Floor) {
  TRect a = GetArea ? GetArea() : TRect{};
  int line = multiLine ? topLine_ + (Y - a.Top) / std::max(LineHeight(), 1) - (Y < a.Top ? 1 : 0) : 0;
  line = std::clamp(line, 0, model_.LineCount() - 1);
  int64_t x = int64_t(X) - a.Left + scrollX_;
  int pos = FloorPos(line, x);
  if (!Floor && pos < model_.LineStart(line) + model_.LineLength(line)) {
    int64_t left = XOf(line, pos), right = XOf(line, pos + 1);
    if (x - left > right - x) ++pos;
  }
  return pos;
}

TPoint TTextEditor::PointOf(int Pos) {
  TRect a = GetArea ? GetArea() : TRect{};
  int line = model_.LineOf(Pos);
  return {ViewX(line, Pos), a.Top + (line - topLine_) * LineHeight()};
}

void TTextEditor::ScrollToCaret() {
  TRect a = GetArea ? GetArea() : TRect{};
  int caret = model_.Caret(), line = model_.LineOf(caret);
  int64_t x = XOf(line, caret), w = std::max(a.Width(), 1);
  if (x < scrollX_) scrollX_ = std::max<int64_t>(x - w / 4, 0);
  if (x > scrollX_ + w - 1) scrollX_ = x - w + 1;
  // No blank beyond the end of a single line while the text could fill it.
  if (!multiLine) {
    int64_t full = XOf(0, model_.Length());
    scrollX_ = std::max<int64_t>(std::min(scrollX_, full - w + 1), 0);
  }
  if (multiLine) {
    int visible = VisibleLines();
    if (line < topLine_) topLine_ = line;
    if (line >= topLine_ + visible) topLine_ = line - visible + 1;
    topLine_ = std::clamp(topLine_, 0, std::max(model_.LineCount() - 1, 0));
  }
}

// ------------------------------------------------------- moves, edits ----

void TTextEditor::Moved() {
  ScrollToCaret();
  blink_.Restart();
  if (OnView) OnView();
}

void TTextEditor::Edited(bool Changed) {
  if (!Changed) return;
  goalX_ = -1;
  Moved();
  if (OnEdit) OnEdit();
}

void TTextEditor::MoveTo(int Pos, bool Extend, bool KeepGoal) {
  if (!KeepGoal) goalX_ = -1;
  model_.MoveCaret(Pos, Extend);
  Moved();
}

void TTextEditor::Select(int Anchor, int Caret) {
  model_.Select(Anchor, Caret);
  goalX_ = -1;
  Moved();
}

void TTextEditor::ReplaceSelection(const std::string& S) { Edited(model_.ReplaceSelection(Clean(S))); }

// Single-line text ends at the first line break; line breaks of any kind
// become '\n' in multi-line text.
std::string TTextEditor::Clean(const std::string& S) const {
  if (!multiLine) return S.substr(0, S.find_first_of("\r\n"));
  std::string out;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\r') {
      out += '\n';
      if (i + 1 < S.size() && S[i + 1] == '\n') ++i;
    } else {
      out += S[i];
    }
  }
  return out;
}

void TTextEditor::CopyToClipboard() {
  if (model_.HasSelection() && passwordChar == 0) Clipboard()->SetAsText(model_.SelText());
}

void TTextEditor::CutToClipboard() {
  if (readOnly || passwordChar != 0) return;
  CopyToClipboard();
  Edited(model_.ReplaceSelection(""));
}

void TTextEditor::PasteFromClipboard() {
  if (readOnly) return;
  ReplaceSelection(Clipboard()->GetAsText());
}

bool TTextEditor::Undo() {
  if (readOnly || !model_.Undo()) return false;
  Edited(true);
  return true;
}

// Up/Down keep the pixel column; the result is the new caret position.
int TTextEditor::LineMove(int Lines) {
  int caret = model_.Caret(), line = model_.LineOf(caret);
  if (goalX_ < 0) goalX_ = XOf(line, caret);
  int target = std::clamp(line + Lines, 0, model_.LineCount() - 1);
  if (target == line) return Lines < 0 ? 0 : model_.Length();
  TRect a = GetArea ? GetArea() : TRect{};
  int y = a.Top + (target - topLine_) * LineHeight();
  return PosAt(static_cast<int>(std::clamp(a.Left + goalX_ - scrollX_, -kFarOut, kFarOut)), y);
}

// ---------------------------------------------------------------- keys ----

bool TTextEditor::KeyDown(uint16_t Key, TShiftState Shift) {
  bool extend = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
  int caret = model_.Caret(), line = model_.LineOf(caret);
  switch (Key) {
    case VK_LEFT:
      if (ctrl) MoveTo(model_.PrevWordStart(caret), extend);
      else if (model_.HasSelection() && !extend) MoveTo(model_.SelStart(), false);
      else MoveTo(caret - 1, extend);
      return true;
    case VK_RIGHT:
      if (ctrl) MoveTo(model_.NextWordStart(caret), extend);
      else if (model_.HasSelection() && !extend) MoveTo(model_.SelStart() + model_.SelLength(), false);
      else MoveTo(caret + 1, extend);
      return true;
    case VK_HOME:
      MoveTo(ctrl || !multiLine ? 0 : model_.LineStart(line), extend);
      return true;
    case VK_END:
      MoveTo(ctrl || !multiLine ? model_.Length() : model_.LineStart(line) + model_.LineLength(line), extend);
      return true;
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: {
      if (!multiLine) return false;
      int page = std::max(VisibleLines() - 1, 1);
      int lines = Key == VK_UP ? -1 : Key == VK_DOWN ? 1 : Key == VK_PRIOR ? -page : page;
      if (Key == VK_PRIOR || Key == VK_NEXT) topLine_ = std::clamp(topLine_ + lines, 0, model_.LineCount() - 1);
      MoveTo(LineMove(lines), extend, true);
      return true;
    }
    case VK_DELETE:
      if (extend) CutToClipboard();
      else if (!readOnly) Edited(model_.DeleteForward());
      return true;
    case VK_INSERT:
      if (ctrl) CopyToClipboard();
      else if (extend) PasteFromClipboard();
      return true;
    default:
      return false;
  }
}

bool TTextEditor::Char(char32_t Ch) {
  switch (Ch) {
    case 1: Select(0, model_.Length()); return true;      // Ctrl+A
    case 3: CopyToClipboard(); return true;               // Ctrl+C
    case 22: PasteFromClipboard(); return true;           // Ctrl+V
    case 24: CutToClipboard(); return true;               // Ctrl+X
    case 26: Undo(); return true;                         // Ctrl+Z
    case 8:
      if (!readOnly) Edited(model_.DeleteBackward());
      return true;
    case '\r':
      if (!multiLine || !wantReturns) return false;
      if (!readOnly) Edited(model_.ReplaceSelection("\n"));
      return true;
    case '\t':
      if (!multiLine || !wantTabs) return false;
      if (!readOnly) Edited(model_.ReplaceSelection("\t"));
      return true;
    default:
      break;
  }
  if (Ch < 32 || Ch == 127) return false;
  if (!readOnly) Edited(model_.ReplaceSelection(Utf8EncodeChar(Ch)));
  return true;
}

// --------------------------------------------------------------- mouse ----

void TTextEditor::MouseDown(int X, int Y, TShiftState Shift) {
  if (Shift.Contains(ssDouble)) {
    int start, end;
    model_.WordAt(PosAt(X, Y, true), start, end);
    Select(start, end);
    dragging_ = false;
    return;
  }
  MoveTo(PosAt(X, Y), Shift.Contains(ssShift));
  dragging_ = true;
}

void TTextEditor::MouseMove(int X, int Y) {
  if (dragging_) MoveTo(PosAt(X, Y), true);
}

// ------------------------------------------------------------ painting ----

void TTextEditor::Paint(TCanvas* C, const TTextColors& Colors, bool ShowSelection, bool ShowCaret) {
  TRect a = GetArea ? GetArea() : TRect{};
  C->Font()->Assign(measure_.Font());
  int lh = LineHeight();
  int selStart = model_.SelStart(), selEnd = selStart + model_.SelLength();
  int last = multiLine ? std::min(model_.LineCount(), topLine_ + a.Height() / std::max(lh, 1) + 1) : 1;
  for (int line = multiLine ? topLine_ : 0; line < last; ++line) {
    int y = a.Top + (line - topLine_) * lh;
    TRect row{a.Left, std::max(y, a.Top), a.Right, std::min(y + lh, a.Bottom)};
    int start = model_.LineStart(line), len = model_.LineLength(line);
    int from = start, to = start + len;
    if (len > WholeLineChars)
      VisibleChars(start, start + len, scrollX_, scrollX_ + a.Width(), lh + 2, [&](int p) { return XOf(line, p); },
                   from, to);
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(Colors.text);
    C->TextRect(row, ViewX(line, from), y, Display(model_.Substr(from, to - from)), CharBefore(model_.ByteAt(from)));
    int s = std::max(selStart, from), e = std::min(selEnd, to);
    if (ShowSelection && s < e) {
      int x1 = ViewX(line, s), x2 = ViewX(line, e);
      C->Brush()->SetColor(Colors.selBack);
      C->Font()->SetColor(Colors.selText);
      TRect sel = IntersectRect({x1, row.Top, x2, row.Bottom}, row);
      if (!sel.IsEmpty()) C->TextRect(sel, x1, y, Display(model_.Substr(s, e - s)), CharBefore(model_.ByteAt(s)));
    }
  }
  if (ShowCaret && blink_.Visible()) {
    TPoint p = PointOf(model_.Caret());
    TRect caret = IntersectRect({p.X, p.Y, p.X + 1, p.Y + lh}, a);
    C->Brush()->SetColor(Colors.text);
    if (!caret.IsEmpty()) C->FillRect(caret);
  }
  C->Brush()->SetStyle(bsSolid);
}

}  // namespace qel
