// TCustomEdit and TEdit: the single-line edit control. TCustomMemo (Memo.h)
// builds on it for several lines.
//
// The text lives in TControl's text, so GetText/SetText work through any
// control pointer; the editing model mirrors it. As on the platform:
//  - OnChange (through the virtual Change) follows every change of the text,
//    the program's SetText included, but not setting the same text again;
//  - characters are handled after KeyPress (and OnKeyPress) had the chance to
//    change or cancel them (Key = 0), navigation keys after KeyDown; so a
//    descendant filters keys by overriding those and calling the inherited one;
//  - SetText puts the caret at the start and clears Modified.
#pragma once
#include <string>

#include "platform/controls/Controls.h"
#include "platform/stdctrls/TextEditor.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A one-line text edit: caret, selection, clipboard, one level of undo, password characters.
class TCustomEdit : public TWinControl {
 public:
  /// An empty edit 121 pixels wide, its height fitted to the font, with a border.
  explicit TCustomEdit(TComponent* AOwner);

  /// Sets the text; fires OnChange when it changed.
  void SetText(const std::string& v) { TControl::SetText(v); }
  /// Empties the text.
  void Clear() { SetText(""); }

  /// Whether entering the edit selects all its text.
  ///@{
  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  ///@}
  /// Whether the height follows the font.
  ///@{
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  ///@}
  /// Whether the selection is hidden while the edit has no focus.
  ///@{
  bool GetHideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  ///@}
  /// Whether the user cannot change the text.
  ///@{
  bool GetReadOnly() const { return editor_.readOnly; }
  void SetReadOnly(bool v) { editor_.readOnly = v; }
  ///@}
  /// Characters the user may type or paste (0: no limit); the program's
  /// SetText is not limited.
  ///@{
  int GetMaxLength() const { return editor_.Model().MaxLength(); }
  void SetMaxLength(int v) { editor_.Model().SetMaxLength(v); }
  ///@}
  /// Character shown for every character of the text (0: the text itself).
  ///@{
  char32_t GetPasswordChar() const { return editor_.passwordChar; }
  void SetPasswordChar(char32_t v);
  ///@}
  /// True after the user changed the text; SetText clears it.
  ///@{
  bool GetModified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }
  ///@}

  /// Selection in characters. SetSelText replaces the selection (and fires
  /// OnChange when that changes the text).
  ///@{
  int GetSelStart() const { return editor_.Model().SelStart(); }
  void SetSelStart(int v);
  int GetSelLength() const { return editor_.Model().SelLength(); }
  void SetSelLength(int v);
  std::string GetSelText() const { return editor_.Model().SelText(); }
  void SetSelText(const std::string& v) { editor_.ReplaceSelection(v); }
  ///@}
  /// Selects the whole text.
  void SelectAll() { editor_.Select(0, editor_.Model().Length()); }
  /// Deletes the selected text.
  void ClearSelection();
  /// Clipboard copy, cut and paste of the selection.
  ///@{
  void CopyToClipboard() { editor_.CopyToClipboard(); }
  void CutToClipboard() { editor_.CutToClipboard(); }
  void PasteFromClipboard() { editor_.PasteFromClipboard(); }
  ///@}
  /// Whether Undo can take back the last edit; Undo does (twice: redoes).
  ///@{
  bool CanUndo() const { return editor_.Model().CanUndo(); }
  void Undo() { editor_.Undo(); }
  ///@}

  /// For tests and descendants: the editor behind the control.
  TTextEditor& Editor() { return editor_; }
  /// Whether the blinking caret is drawn now.
  bool CaretShown() const { return editor_.Blink().Visible(); }

  /// Fires when the text changes (by the user or the program).
  TNotifyEvent OnChange;

 protected:
  /// Fires OnChange.
  virtual void Change();
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoEnter() override;
  void PaintWindow() override;
  void Resize() override;
  /// Where the text shows, in client coordinates.
  virtual TRect TextArea();
  /// The keys the edit wants (arrows and characters).
  virtual intptr_t DialogCode() const { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  /// Fits the height to the font when AutoSize is on.
  void AdjustHeight();

  /// The editing engine.
  TTextEditor editor_;

 private:
  void EditorChangedText();
  void TextChanged();
  void FocusChanged(bool Focused);
  bool autoSelect_ = true;
  bool autoSize_ = true;
  bool hideSelection_ = true;
  bool modified_ = false;
  bool pushing_ = false;       // the editor is handing its text to the control
  bool mouseFocusing_ = false;  // a click is taking the focus: no AutoSelect
};

/// An edit (see TCustomEdit).
class TEdit : public TCustomEdit {
 public:
  /// An empty edit.
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

QEL_API_END
}  // namespace qel
