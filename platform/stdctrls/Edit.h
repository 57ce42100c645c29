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

namespace qel {

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);

  void SetText(const std::string& v) { TControl::SetText(v); }
  void Clear() { SetText(""); }

  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  bool GetAutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool GetHideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  bool GetReadOnly() const { return editor_.readOnly; }
  void SetReadOnly(bool v) { editor_.readOnly = v; }
  /// Characters the user may type or paste (0: no limit); the program's
  /// SetText is not limited.
  int GetMaxLength() const { return editor_.Model().MaxLength(); }
  void SetMaxLength(int v) { editor_.Model().SetMaxLength(v); }
  char32_t GetPasswordChar() const { return editor_.passwordChar; }
  void SetPasswordChar(char32_t v);
  /// True after the user changed the text; SetText clears it.
  bool GetModified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }

  /// Selection in characters. SetSelText replaces the selection (and fires
  /// OnChange when that changes the text).
  int GetSelStart() const { return editor_.Model().SelStart(); }
  void SetSelStart(int v);
  int GetSelLength() const { return editor_.Model().SelLength(); }
  void SetSelLength(int v);
  std::string GetSelText() const { return editor_.Model().SelText(); }
  void SetSelText(const std::string& v) { editor_.ReplaceSelection(v); }
  void SelectAll() { editor_.Select(0, editor_.Model().Length()); }
  void ClearSelection();
  void CopyToClipboard() { editor_.CopyToClipboard(); }
  void CutToClipboard() { editor_.CutToClipboard(); }
  void PasteFromClipboard() { editor_.PasteFromClipboard(); }
  bool CanUndo() const { return editor_.Model().CanUndo(); }
  void Undo() { editor_.Undo(); }

  /// For tests and descendants: the editor behind the control.
  TTextEditor& Editor() { return editor_; }
  bool CaretShown() const { return editor_.Blink().Visible(); }

  TNotifyEvent OnChange;

 protected:
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
  virtual intptr_t DialogCode() const { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  void AdjustHeight();

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

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

}  // namespace qel
