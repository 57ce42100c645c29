#include "platform/stdctrls/TextEditing.h"

#include <algorithm>

#include "platform/rtl/Utf8.h"

namespace qel {

namespace {
enum CharClass { ccBlank, ccWord, ccOther, ccLineBreak };

CharClass ClassOf(char32_t c) {
  if (c == '\n') return ccLineBreak;
  if (c == ' ' || c == '\t' || c == '\r') return ccBlank;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80)
    return ccWord;
  return ccOther;
}
}  // namespace

void TTextEditModel::Index() {
  starts_.clear();
  lineStarts_.assign(1, 0);
  size_t i = 0;
  while (i < text_.size()) {
    if (text_[i] == '\n') lineStarts_.push_back(static_cast<int>(starts_.size()) + 1);
    starts_.push_back(i);
    i += Utf8CharSize(text_, i);
  }
  starts_.push_back(text_.size());
}

int TTextEditModel::Clamp(int Pos) const { return std::clamp(Pos, 0, Length()); }

void TTextEditModel::SetText(const std::string& Text) {
  text_ = Text;
  Index();
  caret_ = anchor_ = 0;
  hasUndo_ = false;
}

std::string TTextEditModel::Substr(int Start, int Count) const {
  int s = Clamp(Start), e = Clamp(Start + std::max(Count, 0));
  return text_.substr(starts_[s], starts_[e] - starts_[s]);
}

char32_t TTextEditModel::CharAt(int Pos) const {
  if (Pos < 0 || Pos >= Length()) return 0;
  return Utf8DecodeChar(text_, starts_[Pos]);
}

void TTextEditModel::Select(int Anchor, int Caret) {
  anchor_ = Clamp(Anchor);
  caret_ = Clamp(Caret);
}

void TTextEditModel::MoveCaret(int Pos, bool Extend) {
  caret_ = Clamp(Pos);
  if (!Extend) anchor_ = caret_;
}

int TTextEditModel::Room() const {
  if (maxLength_ == 0) return 1 << 30;
  return std::max(maxLength_ - (Length() - SelLength()), 0);
}

// ------------------------------------------------------------- edits ----

void TTextEditModel::Remember() {
  undo_ = {text_, anchor_, caret_};
  hasUndo_ = true;
}

void TTextEditModel::Splice(int Start, int Count, const std::string& S) {
  size_t b = ByteAt(Start), e = ByteAt(Start + Count);
  text_.replace(b, e - b, S);
  Index();
}

bool TTextEditModel::ReplaceSelection(const std::string& S) {
  int room = Room();
  std::string insert = S;
  if (static_cast<int>(Utf8Length(insert)) > room) insert = Utf8Left(insert, room);
  if (insert.empty() && !HasSelection()) return false;
  Remember();
  int start = SelStart();
  Splice(start, SelLength(), insert);
  caret_ = anchor_ = Clamp(start + static_cast<int>(Utf8Length(insert)));
  return true;
}

bool TTextEditModel::DeleteBackward() {
  if (HasSelection()) return ReplaceSelection("");
  if (caret_ == 0) return false;
  Remember();
  Splice(caret_ - 1, 1, "");
  caret_ = anchor_ = caret_ - 1;
  return true;
}

bool TTextEditModel::DeleteForward() {
  if (HasSelection()) return ReplaceSelection("");
  if (caret_ >= Length()) return false;
  Remember();
  Splice(caret_, 1, "");
  return true;
}

bool TTextEditModel::Undo() {
  if (!hasUndo_) return false;
  Snapshot now{text_, anchor_, caret_};
  text_ = undo_.text;
  Index();
  anchor_ = Clamp(undo_.anchor);
  caret_ = Clamp(undo_.caret);
  undo_ = now;
  return true;
}

// ------------------------------------------------------------- words ----

void TTextEditModel::WordAt(int Pos, int& Start, int& End) const {
  int n = Length();
  if (n == 0) {
    Start = End = 0;
    return;
  }
  Pos = std::clamp(Pos, 0, n - 1);
  CharClass c = ClassOf(CharAt(Pos));
  Start = Pos;
  End = Pos + 1;
  if (c == ccLineBreak) return;
  while (Start > 0 && ClassOf(CharAt(Start - 1)) == c) --Start;
  while (End < n && ClassOf(CharAt(End)) == c) ++End;
}

int TTextEditModel::PrevWordStart(int Pos) const {
  Pos = Clamp(Pos);
  while (Pos > 0 && ClassOf(CharAt(Pos - 1)) == ccBlank) --Pos;
  if (Pos == 0) return 0;
  CharClass c = ClassOf(CharAt(Pos - 1));
  if (c == ccLineBreak) return Pos - 1;
  while (Pos > 0 && ClassOf(CharAt(Pos - 1)) == c) --Pos;
  return Pos;
}

int TTextEditModel::NextWordStart(int Pos) const {
  int n = Length();
  Pos = Clamp(Pos);
  if (Pos == n) return n;
  CharClass c = ClassOf(CharAt(Pos));
  if (c == ccLineBreak) return Pos + 1;
  if (c != ccBlank)
    while (Pos < n && ClassOf(CharAt(Pos)) == c) ++Pos;
  while (Pos < n && ClassOf(CharAt(Pos)) == ccBlank) ++Pos;
  return Pos;
}

// ------------------------------------------------------------- lines ----

int TTextEditModel::LineStart(int Line) const {
  if (Line < 0) return 0;
  if (Line >= LineCount()) return Length();
  return lineStarts_[Line];
}

int TTextEditModel::LineLength(int Line) const {
  if (Line < 0 || Line >= LineCount()) return 0;
  int end = Line + 1 < LineCount() ? lineStarts_[Line + 1] - 1 : Length();
  return end - lineStarts_[Line];
}

int TTextEditModel::LineOf(int Pos) const {
  Pos = Clamp(Pos);
  auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), Pos);
  return static_cast<int>(it - lineStarts_.begin()) - 1;
}

}  // namespace qel
