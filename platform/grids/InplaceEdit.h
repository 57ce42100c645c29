// The grid's in-place editors: TInplaceEdit, a borderless edit over the
// current cell, and TInplaceEditList, which adds the button of a cell whose
// edit style is esEllipsis or esPickList and the drop-down pick list.
//
// The editor takes the keyboard focus while it is shown, but the grid keeps
// its identity as the focused control towards the program: OnEnter/OnExit
// of the grid fire only when the focus enters or leaves the pair, and the
// grid sees the keys typed in the editor (KeyDown/KeyPress, its events).
// Keys that move the current cell go to the grid, which closes or moves the
// editor with it.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/grids/Grids.h"
#include "platform/stdctrls/Edit.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The edit a grid shows over its current cell: it takes the cell's text and hands the user's text back.
class TInplaceEdit : public TCustomEdit {
 public:
  /// A hidden editor.
  explicit TInplaceEdit(TComponent* AOwner);
  /// The grid the editor belongs to.
  ///@{
  TCustomGrid* Grid() const { return grid_; }
  void SetGrid(TCustomGrid* Grid) { grid_ = Grid; }
  ///@}

  /// Fills the editor with the grid's text for its current cell.
  virtual void UpdateContents();
  /// Places the editor on a cell rectangle (client coordinates of the grid),
  /// shows it and takes the focus when the grid has it.
  void Move(const TRect& Loc);
  /// Hides the editor, handing the focus back to the grid when it had it.
  void HideEdit();
  /// The caret to the end of the text, nothing selected.
  void Deselect();
  /// The text the editor was filled with: Escape goes back to it.
  const std::string& StartText() const { return startText_; }
  /// The user changed the text since the editor was filled.
  bool Edited() const { return edited_; }

 protected:
  /// Tells the grid the text changed.
  void Change() override;
  /// Enter, Escape, Tab and the arrows that leave the text go to the grid.
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;
  TRect TextArea() override;
  intptr_t DialogCode() const override;
  /// Restores the text the editor started with (the grid hears of it).
  void RestoreText();
  /// Width kept free at the right for a button (none here).
  virtual int ButtonSpace() const { return 0; }

 private:
  TCustomGrid* grid_ = nullptr;
  std::string startText_;
  bool filling_ = false;  // UpdateContents sets the text: not the user's change
  bool edited_ = false;
  bool focusFromGrid_ = false, focusToGrid_ = false;
};

/// Fills the pick list of cell (ACol, ARow).
using TOnGetPickListItems = std::function<void(int ACol, int ARow, TStrings* Items)>;

class TDropDownPopup;

/// The in-place editor with an ellipsis button or a drop-down pick list.
class TInplaceEditList : public TInplaceEdit {
 public:
  /// A plain (esSimple) editor.
  explicit TInplaceEditList(TComponent* AOwner);
  /// Frees the list.
  ~TInplaceEditList() override;

  /// Plain, with an ellipsis button, or with a pick list.
  ///@{
  TEditStyle GetEditStyle() const { return editStyle_; }
  void SetEditStyle(TEditStyle v);
  ///@}
  /// Items the open list shows at once (at least 1).
  ///@{
  int GetDropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int v) { dropDownRows_ = v < 1 ? 1 : v; }
  ///@}
  /// Width of the button in pixels.
  ///@{
  int GetButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int v);
  ///@}
  /// The items of the pick list, filled on the first drop-down per cell.
  TStrings* PickListItems();
  /// Whether the pick list is open.
  bool ListVisible() const { return listVisible_; }
  /// For tests and the list itself: the open list's highlighted item.
  int ListItemIndex() const;
  /// The open list's control (nullptr while closed), for tests.
  TCustomControl* ListControl();

  /// Opens the pick list.
  void DropDown();
  /// Accept: the highlighted item becomes the text.
  void CloseUp(bool Accept);
  void UpdateContents() override;

  /// The pick-list request (the grid binds it to GetPickListItems).
  TOnGetPickListItems OnGetPickListItems;
  /// The "..." button was pressed (or Ctrl+Enter with esEllipsis).
  TNotifyEvent OnEditButtonClick;

 protected:
  /// Fires OnGetPickListItems.
  virtual void DoGetPickListItems();
  /// Fires OnEditButtonClick.
  virtual void DoEditButtonClick();
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void WndProc(TMessage& Message) override;
  void PaintWindow() override;
  intptr_t DialogCode() const override;
  int ButtonSpace() const override { return editStyle_ == esSimple ? 0 : buttonWidth_; }

 private:
  TRect ButtonRect() const;
  bool ListKey(uint16_t Key);
  void SetButtonDown(bool v);
  TEditStyle editStyle_ = esSimple;
  int dropDownRows_ = 7;
  int buttonWidth_ = 17;
  bool listVisible_ = false;
  bool pickListLoaded_ = false;
  bool buttonDown_ = false, tracking_ = false;
  bool suppressOpen_ = false;  // the press that closed the list does not reopen it
  bool swallowChar_ = false;   // the list took Enter or Escape: not their character
  std::unique_ptr<TStrings> items_;
  std::unique_ptr<TDropDownPopup> popup_;
};

QEL_API_END
}  // namespace qel
