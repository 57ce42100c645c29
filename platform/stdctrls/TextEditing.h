// TTextEditModel: the text of an edit control and what the user does to it,
// apart from any drawing. Text is UTF-8; the caret, the selection and every
// position here count characters (a byte that starts no valid sequence is
// one character of its own, so any byte string survives unchanged). Lines
// are separated by '\n' (multi-line controls only). Every edit updates the
// index of characters and lines in place: a key costs little even in a text
// of millions of characters.
#pragma once
#include <cstdint>
#include <string>

#include "platform/stdctrls/TextIndex.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Text being edited, in characters (UTF-8 inside): caret, selection, one level of undo, words and lines.
class TTextEditModel {
 public:
  /// The text.
  const std::string& Text() const { return text_; }
  /// Replaces everything: caret at 0, no selection, no undo.
  void SetText(const std::string& Text);
  /// Length in characters.
  int Length() const { return static_cast<int>(index_.Chars()); }
  /// Characters Start..Start+Count-1 (clamped) as UTF-8.
  std::string Substr(int Start, int Count) const;
  /// The code point at a position (0 outside the text).
  char32_t CharAt(int Pos) const;
  /// The byte where a position starts (clamped).
  size_t ByteAt(int Pos) const { return index_.ByteOf(text_, static_cast<size_t>(Clamp(Pos))); }

  /// Selection: the anchor stays where it began, the caret moves.
  ///@{
  int Caret() const { return caret_; }
  int Anchor() const { return anchor_; }
  int SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  int SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
  bool HasSelection() const { return caret_ != anchor_; }
  std::string SelText() const { return Substr(SelStart(), SelLength()); }
  void Select(int Anchor, int Caret);
  void MoveCaret(int Pos, bool Extend);
  void SelectAll() { Select(0, Length()); }
  ///@}

  ///@{
  /// Maximum length in characters for typing and pasting (0: no limit).
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v) { maxLength_ = v < 0 ? 0 : v; }
  ///@}
  /// How many characters of S fit in place of the selection under MaxLength.
  int Room() const;

  /// Edits, each undoable. They return whether the text changed. Replace
  /// truncates S to the room MaxLength leaves and puts the caret after it.
  bool ReplaceSelection(const std::string& S);
  bool DeleteBackward();  ///< The selection, else the character before the caret
  bool DeleteForward();   ///< The selection, else the character after the caret

  /// One level of undo, as the platform's edit: undoing twice redoes.
  ///@{
  bool CanUndo() const { return hasUndo_; }
  bool Undo();
  ///@}

  /// Words: runs of letters and digits, of blanks, of other characters; a
  /// line break is a run of its own. WordAt gives the run holding the
  /// character at Pos (the last one for Pos at the end).
  void WordAt(int Pos, int& Start, int& End) const;
  int PrevWordStart(int Pos) const;  ///< Ctrl+Left
  int NextWordStart(int Pos) const;  ///< Ctrl+Right

  /// Lines (split at '\n'; an empty text has one empty line).
  ///@{
  int LineCount() const { return static_cast<int>(index_.Breaks()) + 1; }
  int LineStart(int Line) const;
  int LineLength(int Line) const;
  std::string LineText(int Line) const { return Substr(LineStart(Line), LineLength(Line)); }
  int LineOf(int Pos) const;
  ///@}

  /// The extent of characters [From, To) (one line) under a measure of byte
  /// ranges of Text(), such as their width in pixels. Whole blocks of text
  /// are measured once and remembered until an edit touches them.
  int64_t Extent(int From, int To, const TTextIndex::Measure& M);
  /// The measure changed (another font): measure everything afresh.
  void ForgetExtents() { index_.ForgetExtents(); }

 private:
  // An edit and how to take it back: put Removed where Inserted bytes now
  // stand at byte Start, and restore the selection.
  struct UndoStep {
    size_t start = 0, inserted = 0;
    std::string removed;
    int anchor = 0, caret = 0;
  };
  int Clamp(int Pos) const;
  void Splice(int Start, int Count, const std::string& S);
  void ReplaceBytes(size_t Start, size_t Count, const std::string& S);
  char32_t CharAtByte(size_t Byte) const;

  std::string text_;
  TTextIndex index_;
  int caret_ = 0, anchor_ = 0;
  int maxLength_ = 0;
  UndoStep undo_;
  bool hasUndo_ = false;
};

QEL_API_END
}  // namespace qel
