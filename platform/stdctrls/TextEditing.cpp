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

int TTextEditModel::Clamp(int Pos) const { return std::clamp(Pos, 0, Length()); }

void TTextEditModel::SetText(const std::string& Text) {
  text_ = Text;
  index_.Assign(text_);
  caret_ = anchor_ = 0;
  hasUndo_ = false;
}

std::string TTextEditModel::Substr(int Start, int Count) const {
  int s = Clamp(Start), e = Clamp(Start + std::max(Count, 0));
  size_t b = ByteAt(s);
  return text_.substr(b, ByteAt(e) - b);
}

char32_t TTextEditModel::CharAtByte(size_t Byte) const { return Utf8DecodeChar(text_, Byte); }

char32_t TTextEditModel::CharAt(int Pos) const {
  if (Pos < 0 || Pos >= Length()) return 0;
  return CharAtByte(ByteAt(Pos));
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

int64_t TTextEditModel::Extent(int From, int To, const TTextIndex::Measure& M) {
  return index_.Extent(text_, static_cast<size_t>(Clamp(From)), static_cast<size_t>(Clamp(To)), M);
}

// ------------------------------------------------------------- edits ----

void TTextEditModel::ReplaceBytes(size_t Start, size_t Count, const std::string& S) {
  text_.replace(Start, Count, S);
  index_.Replace(text_, Start, Count, S.size());
}

// Each edit remembers its inverse, so undo costs what the edit cost.
void TTextEditModel::Splice(int Start, int Count, const std::string& S) {
  size_t b = ByteAt(Start), e = ByteAt(Start + Count);
  undo_ = {b, S.size(), text_.substr(b, e - b), anchor_, caret_};
  hasUndo_ = true;
  ReplaceBytes(b, e - b, S);
}

bool TTextEditModel::ReplaceSelection(const std::string& S) {
  int room = Room();
  std::string insert = S;
  if (static_cast<int>(Utf8Length(insert)) > room) insert = Utf8Left(insert, room);
  if (insert.empty() && !HasSelection()) return false;
  int start = SelStart();
  Splice(start, SelLength(), insert);
  caret_ = anchor_ = Clamp(start + static_cast<int>(Utf8Length(insert)));
  return true;
}

bool TTextEditModel::DeleteBackward() {
  if (HasSelection()) return ReplaceSelection("");
  if (caret_ == 0) return false;
  Splice(caret_ - 1, 1, "");
  caret_ = anchor_ = caret_ - 1;
  return true;
}

bool TTextEditModel::DeleteForward() {
  if (HasSelection()) return ReplaceSelection("");
  if (caret_ >= Length()) return false;
  Splice(caret_, 1, "");
  return true;
}

bool TTextEditModel::Undo() {
  if (!hasUndo_) return false;
  UndoStep redo{undo_.start, undo_.removed.size(), text_.substr(undo_.start, undo_.inserted), anchor_, caret_};
  ReplaceBytes(undo_.start, undo_.inserted, undo_.removed);
  anchor_ = Clamp(undo_.anchor);
  caret_ = Clamp(undo_.caret);
  undo_ = std::move(redo);
  return true;
}

// ------------------------------------------------------------- words ----

// The walks step through the bytes: a long run of one class costs a
// character's decoding per character, not an index lookup.
void TTextEditModel::WordAt(int Pos, int& Start, int& End) const {
  int n = Length();
  if (n == 0) {
    Start = End = 0;
    return;
  }
  Pos = std::clamp(Pos, 0, n - 1);
  size_t at = ByteAt(Pos);
  CharClass c = ClassOf(CharAtByte(at));
  Start = Pos;
  End = Pos + 1;
  if (c == ccLineBreak) return;
  for (size_t i = at; Start > 0;) {
    i = PrevCharStart(text_, i);
    if (ClassOf(CharAtByte(i)) != c) break;
    --Start;
  }
  for (size_t i = at + Utf8CharSize(text_, at); End < n && ClassOf(CharAtByte(i)) == c; ++End)
    i += Utf8CharSize(text_, i);
}

int TTextEditModel::PrevWordStart(int Pos) const {
  Pos = Clamp(Pos);
  size_t i = ByteAt(Pos);
  auto before = [&] { return ClassOf(CharAtByte(PrevCharStart(text_, i))); };
  auto back = [&] { i = PrevCharStart(text_, i), --Pos; };
  while (Pos > 0 && before() == ccBlank) back();
  if (Pos == 0) return 0;
  CharClass c = before();
  if (c == ccLineBreak) return Pos - 1;
  while (Pos > 0 && before() == c) back();
  return Pos;
}

int TTextEditModel::NextWordStart(int Pos) const {
  int n = Length();
  Pos = Clamp(Pos);
  if (Pos == n) return n;
  size_t i = ByteAt(Pos);
  auto at = [&] { return ClassOf(CharAtByte(i)); };
  auto forward = [&] { i += Utf8CharSize(text_, i), ++Pos; };
  CharClass c = at();
  if (c == ccLineBreak) return Pos + 1;
  if (c != ccBlank)
    while (Pos < n && at() == c) forward();
  while (Pos < n && at() == ccBlank) forward();
  return Pos;
}

// ------------------------------------------------------------- lines ----

int TTextEditModel::LineStart(int Line) const {
  if (Line < 0) return 0;
  if (Line >= LineCount()) return Length();
  return static_cast<int>(index_.CharAfterBreak(text_, static_cast<size_t>(Line)));
}

int TTextEditModel::LineLength(int Line) const {
  if (Line < 0 || Line >= LineCount()) return 0;
  int end = Line + 1 < LineCount() ? LineStart(Line + 1) - 1 : Length();
  return end - LineStart(Line);
}

int TTextEditModel::LineOf(int Pos) const {
  return static_cast<int>(index_.BreaksBefore(text_, static_cast<size_t>(Clamp(Pos))));
}

}  // namespace qel
