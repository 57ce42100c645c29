// TCustomComboBox and TComboBox: a text or item field with a list that
// drops down in a popup window.
//
// Styles: csDropDown edits its text like an edit; csDropDownList and the
// owner-drawn styles show the chosen item only (csOwnerDrawVariable draws
// like csOwnerDrawFixed; csSimple like csDropDown). As on the platform:
//  - ItemIndex and Text set by the program fire no event;
//  - a user's choice (list click, Enter in the list, arrow keys or a letter
//    on the closed box) fires Click (OnClick), then Select (OnSelect when
//    set, else Change, OnChange); editing the text fires Change;
//  - the arrow keys in the open list move the highlight only; Enter takes
//    it, Escape closes without a change; a click outside or losing the
//    focus closes the list.
#pragma once
#include <functional>
#include <memory>

#include "platform/rtl/StringList.h"
#include "platform/stdctrls/TextEditor.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Kind of combo box: editable text with a list (csDropDown), list only (csDropDownList), or drawn by the application (csOwnerDraw...).
enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

/// How an item is drawn: selected, disabled, focused, in the closed box's face (odComboBoxEdit), ...
enum TOwnerDrawStateItem : uint8_t {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
/// A set of draw states.
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
/// Fires to draw item Index into Rect (owner-drawn styles).
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;

class TDropDownPopup;

/// A drop-down list of strings, with an editable text part or without, optionally owner-drawn.
class TCustomComboBox : public TWinControl {
 public:
  /// An empty csDropDown combo box.
  explicit TCustomComboBox(TComponent* AOwner);
  /// Frees the items and the list.
  ~TCustomComboBox() override;

  /// Kind of combo box.
  ///@{
  TComboBoxStyle GetStyle() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  ///@}
  /// The items.
  TStrings* Items() { return items_.get(); }
  /// Whether the items are kept sorted.
  ///@{
  bool GetSorted() const { return items_->Sorted(); }
  void SetSorted(bool v) { items_->SetSorted(v); }
  ///@}
  /// Index of the chosen item (-1: none); setting it sets the text.
  ///@{
  int GetItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  ///@}
  /// Sets the text part.
  void SetText(const std::string& v) { TControl::SetText(v); }
  void Clear();  ///< Items and text
  /// Most items the open list shows at once (at least 1).
  ///@{
  int GetDropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v) { dropDownCount_ = v < 1 ? 1 : v; }
  ///@}
  /// Height of an item in pixels.
  ///@{
  int GetItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  ///@}
  /// Whether the list is open.
  ///@{
  bool GetDroppedDown() const { return droppedDown_; }
  void SetDroppedDown(bool v);
  ///@}
  /// Most characters the user may type (0: no limit).
  ///@{
  int GetMaxLength() const { return editor_.Model().MaxLength(); }
  void SetMaxLength(int v) { editor_.Model().SetMaxLength(v); }
  ///@}
  /// The text part's selection (csDropDown).
  ///@{
  int GetSelStart() const { return editor_.Model().SelStart(); }
  void SetSelStart(int v) { editor_.Select(v, v); }
  int GetSelLength() const { return editor_.Model().SelLength(); }
  void SetSelLength(int v) { editor_.Select(GetSelStart(), GetSelStart() + (v < 0 ? 0 : v)); }
  std::string GetSelText() const { return editor_.Model().SelText(); }
  void SelectAll() { editor_.Select(0, editor_.Model().Length()); }
  ///@}

  /// Owner drawing draws here: the closed box's face, or the open list.
  TCanvas* Canvas();
  /// For tests and descendants: the open list (nullptr while closed) and
  /// the text editor of csDropDown.
  ///@{
  TCustomControl* ListControl();
  TTextEditor& Editor() { return editor_; }
  ///@}
  /// Where the arrow button lies, in client coordinates.
  TRect ButtonRect() const;

  /// Fire when the text changes, when the list opens and closes, and when the user chooses an item.
  ///@{
  TNotifyEvent OnChange, OnDropDown, OnCloseUp, OnSelect;
  ///@}
  /// See TDrawItemEvent.
  TDrawItemEvent OnDrawItem;

 protected:
  /// Fires OnDropDown.
  virtual void DropDown();
  /// Fires OnCloseUp.
  virtual void CloseUp();
  /// Fires OnChange.
  virtual void Change();
  /// Fires OnSelect.
  virtual void Select();
  /// Draws item Index into Rect on Canvas (brush and font are prepared for
  /// State): OnDrawItem when set, else the item's text. An owner-drawn item
  /// in the odFocused state gets the focus frame afterwards.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoEnter() override;
  void PaintWindow() override;

 private:
  bool Editable() const { return style_ == csDropDown || style_ == csSimple; }
  bool OwnerDraw() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
  TRect TextArea();
  void AdjustHeight();
  void SetTextQuietly(const std::string& S);
  void SelectIndex(int Index);  // ItemIndex and the text that goes with it
  void ItemsChanged();
  void TextChanged();
  void EditorChangedText();
  void UserChoose(int Index);
  void OpenList();
  void ShowList();
  void CloseList(bool Take);
  bool HandleKey(uint16_t Key, TShiftState Shift);
  void CharTyped(char32_t Ch);
  int NextByLetter(int From, char32_t Ch) const;
  void PaintItem(TCanvas* C, int Index, const TRect& Rect, TOwnerDrawState State);
  void DrawItemText(TCanvas* C, int Index, const TRect& Rect);

  TComboBoxStyle style_ = csDropDown;
  std::unique_ptr<TStringList> items_;
  std::unique_ptr<TDropDownPopup> popup_;
  TTextEditor editor_;
  TCanvas* drawCanvas_ = nullptr;
  int itemIndex_ = -1;
  int dropDownCount_ = 8;
  int itemHeight_ = 13;
  bool droppedDown_ = false;
  bool syncing_ = false;          // the combo itself is setting its text
  bool suppressOpen_ = false;     // this press just closed the list
  bool mouseFocusing_ = false;
  bool buttonDown_ = false;
};

/// A combo box (see TCustomComboBox).
class TComboBox : public TCustomComboBox {
 public:
  /// An empty csDropDown combo box.
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

QEL_API_END
}  // namespace qel
