#include "platform/stdctrls/Memo.h"

namespace qel {

// ------------------------------------------------------- TMemoStrings ----

const TTextEditModel& TMemoStrings::Current() const {
  return updating_ ? pending_ : memo_->Editor().Model();
}

void TMemoStrings::Store(const std::string& Text) {
  if (updating_) pending_.SetText(Text);
  else memo_->SetText(Text);
}

int TMemoStrings::Count() const {
  const TTextEditModel& m = Current();
  int n = m.LineCount();
  return m.LineLength(n - 1) == 0 ? n - 1 : n;
}

std::string TMemoStrings::Get(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return Current().LineText(Index);
}

std::string TMemoStrings::Before(int Line) const {
  return Current().Substr(0, Current().LineStart(Line));
}

std::string TMemoStrings::From(int Line) const {
  const TTextEditModel& m = Current();
  int start = m.LineStart(Line);
  return m.Substr(start, m.Length() - start);
}

void TMemoStrings::Put(int Index, const std::string& S) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  const TTextEditModel& m = Current();
  int end = m.LineStart(Index) + m.LineLength(Index);
  Store(Before(Index) + S + m.Substr(end, m.Length() - end));
}

void TMemoStrings::InsertObject(int Index, const std::string& S, TObject*) {
  int n = Count();
  if (Index < 0 || Index > n) IndexError(Index);
  std::string text = Before(Index);
  if (!text.empty() && text.back() != '\n') text += '\n';  // after a last line without a break
  Store(text + S + '\n' + From(Index));
}

void TMemoStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  Store(Before(Index) + From(Index + 1));
}

void TMemoStrings::Clear() { Store(""); }

void TMemoStrings::SetUpdateState(bool Updating) {
  if (Updating) {
    pending_.SetText(memo_->GetText());
    updating_ = true;
  } else {
    updating_ = false;
    memo_->SetText(pending_.Text());
  }
}

// -------------------------------------------------------- TCustomMemo ----

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), lines_(std::make_unique<TMemoStrings>(this)) {
  editor_.multiLine = true;
  SetAutoSize(false);
  SetBounds(GetLeft(), GetTop(), 185, 89);
}

TRect TCustomMemo::TextArea() {
  TRect c = GetClientRect();
  return {c.Left + 2, c.Top + 1, std::max(c.Right - 2, c.Left + 2), c.Bottom};
}

// As the platform's memo: it keeps Enter unless WantReturns is off, and
// Tab only with WantTabs.
intptr_t TCustomMemo::DialogCode() const {
  intptr_t code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (editor_.wantReturns) code |= DLGC_WANTALLKEYS;
  if (editor_.wantTabs) code |= DLGC_WANTTAB;
  return code;
}

TPoint TCustomMemo::CaretPos() const {
  const TTextEditModel& m = editor_.Model();
  int line = m.LineOf(m.Caret());
  return {m.Caret() - m.LineStart(line), line};
}

}  // namespace qel
