// TInplaceEditList: the in-place editor with a button for esEllipsis and
// esPickList cells, and the drop-down pick list (the combo box's list).
#include <algorithm>

#include "platform/grids/InplaceEdit.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/ButtonFace.h"
#include "platform/stdctrls/DropDownList.h"

namespace qel {

// ---------------------------------------------------------- the editor ----

TInplaceEditList::TInplaceEditList(TComponent* AOwner)
    : TInplaceEdit(AOwner), items_(std::make_unique<TStringList>()) {}

// The popup calls back into the editor; it must go while the editor is whole.
TInplaceEditList::~TInplaceEditList() { popup_.reset(); }

void TInplaceEditList::SetEditStyle(TEditStyle v) {
  if (v == editStyle_) return;
  if (v != esPickList) CloseUp(false);
  editStyle_ = v;
  editor_.ScrollToCaret();
  Invalidate();
}

void TInplaceEditList::SetButtonWidth(int v) {
  buttonWidth_ = std::max(v, 0);
  Invalidate();
}

TStrings* TInplaceEditList::PickListItems() { return items_.get(); }

int TInplaceEditList::ListItemIndex() const { return listVisible_ && popup_ ? popup_->List()->Hot() : -1; }
TCustomControl* TInplaceEditList::ListControl() { return listVisible_ && popup_ ? popup_->List() : nullptr; }

// Each cell asks for its own items and its own style.
void TInplaceEditList::UpdateContents() {
  CloseUp(false);
  pickListLoaded_ = false;
  if (Grid()) {
    TGridCoord cell = Grid()->inplaceCell_;
    SetEditStyle(Grid()->GetEditStyle(cell.X, cell.Y));
  }
  TInplaceEdit::UpdateContents();
}

// Asked again until the request gives items, as on the platform.
void TInplaceEditList::DoGetPickListItems() {
  if (pickListLoaded_) return;
  items_->Clear();
  if (OnGetPickListItems && Grid()) {
    TGridCoord cell = Grid()->inplaceCell_;
    OnGetPickListItems(cell.X, cell.Y, items_.get());
  }
  pickListLoaded_ = items_->Count() > 0;
}

void TInplaceEditList::DoEditButtonClick() {
  if (OnEditButtonClick) OnEditButtonClick(this);
}

// An empty list does not open.
void TInplaceEditList::DropDown() {
  if (listVisible_ || editStyle_ != esPickList || !Showing()) return;
  DoGetPickListItems();
  int n = items_->Count();
  if (n == 0) return;
  if (!popup_) {
    popup_ = std::make_unique<TDropDownPopup>(this, items_.get());
    popup_->List()->OnPick = [this] { CloseUp(true); };
    // The press that took the list away does not open it again.
    popup_->OnDismissed = [this](bool PressOnEditor) {
      suppressOpen_ = PressOnEditor;
      CloseUp(false);
    };
  }
  listVisible_ = true;
  int i = items_->IndexOf(GetText());
  popup_->List()->SetTopIndex(0);  // each opening starts at the top
  popup_->Open(dropDownRows_, editor_.LineHeight(), i >= 0 && items_->Get(i) == GetText() ? i : -1);
  Invalidate();
}

void TInplaceEditList::CloseUp(bool Accept) {
  if (!listVisible_) return;
  listVisible_ = false;
  int hot = popup_->Close();
  Invalidate();
  if (Accept && hot >= 0 && hot < items_->Count() && !GetReadOnly()) {
    SetText(items_->Get(hot));
    SelectAll();
  }
}

// ---------------------------------------------------------------- keys ----

intptr_t TInplaceEditList::DialogCode() const {
  // While the list is open Enter and Escape belong to it.
  return TInplaceEdit::DialogCode() | (listVisible_ ? DLGC_WANTALLKEYS : 0);
}

void TInplaceEditList::KeyDown(uint16_t& Key, TShiftState Shift) {
  swallowChar_ = false;
  if (editStyle_ == esEllipsis && Key == VK_RETURN && Shift == TShiftState{ssCtrl}) {
    DoEditButtonClick();
    Key = 0;
    swallowChar_ = true;
    return;
  }
  if (editStyle_ == esPickList) {
    if (Key == VK_F4 || (Shift.Contains(ssAlt) && (Key == VK_DOWN || Key == VK_UP))) {
      if (listVisible_) CloseUp(true); else DropDown();
      Key = 0;
      return;
    }
    if (listVisible_ && ListKey(Key)) {
      Key = 0;
      return;
    }
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

// Keys of the open list; Enter and Escape close it without a character after.
bool TInplaceEditList::ListKey(uint16_t Key) {
  if (popup_->List()->MoveKey(Key)) return true;
  if (Key != VK_RETURN && Key != VK_ESCAPE) return false;
  CloseUp(Key == VK_RETURN);
  swallowChar_ = true;
  return true;
}

void TInplaceEditList::KeyPress(char32_t& Key) {
  if (swallowChar_ && (Key == U'\r' || Key == 27)) {
    swallowChar_ = false;
    Key = 0;
    return;
  }
  TInplaceEdit::KeyPress(Key);
}

// --------------------------------------------------------------- mouse ----

TRect TInplaceEditList::ButtonRect() const {
  if (editStyle_ == esSimple) return {};
  TRect c = GetClientRect();
  return {std::max(c.Right - buttonWidth_, 0), c.Top, c.Right, c.Bottom};
}

void TInplaceEditList::SetButtonDown(bool v) {
  if (v == buttonDown_) return;
  buttonDown_ = v;
  Invalidate();
}

void TInplaceEditList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft || !ButtonRect().Contains({X, Y})) {
    TInplaceEdit::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (!Focused() && CanFocus()) SetFocus();
  if (listVisible_) {
    CloseUp(false);
  } else if (suppressOpen_) {
    suppressOpen_ = false;
  } else {
    tracking_ = true;
    SetButtonDown(true);
    if (editStyle_ == esPickList) DropDown();
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TInplaceEditList::MouseMove(TShiftState Shift, int X, int Y) {
  if (tracking_) {
    if (editStyle_ == esEllipsis) SetButtonDown(ButtonRect().Contains({X, Y}));
    TWinControl::MouseMove(Shift, X, Y);
    return;
  }
  TInplaceEdit::MouseMove(Shift, X, Y);
}

// The ellipsis button fires when released over it.
void TInplaceEditList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  suppressOpen_ = false;
  if (!tracking_) {
    TInplaceEdit::MouseUp(Button, Shift, X, Y);
    return;
  }
  tracking_ = false;
  bool fire = editStyle_ == esEllipsis && ButtonRect().Contains({X, Y});
  SetButtonDown(false);
  TWinControl::MouseUp(Button, Shift, X, Y);
  if (fire) DoEditButtonClick();
}

// A double click steps to the next item of the pick list, or presses the
// ellipsis button.
void TInplaceEditList::DblClick() {
  TCustomGrid* grid = Grid();
  if (editStyle_ == esSimple || (grid && grid->OnDblClick)) {
    TInplaceEdit::DblClick();
  } else if (editStyle_ == esEllipsis) {
    DoEditButtonClick();
  } else {
    DoGetPickListItems();
    int n = items_->Count();
    if (n == 0 || GetReadOnly()) return;
    int i = items_->IndexOf(GetText());
    SetText(items_->Get(i >= 0 && i + 1 < n ? i + 1 : 0));
    SelectAll();
  }
}

void TInplaceEditList::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KILLFOCUS:
      CloseUp(false);
      break;
    case CM_VISIBLECHANGED:
      if (!GetVisible()) CloseUp(false);
      break;
    default:
      break;
  }
  TInplaceEdit::WndProc(Message);
}

// ------------------------------------------------------------ painting ----

void TInplaceEditList::PaintWindow() {
  TInplaceEdit::PaintWindow();
  if (editStyle_ != esSimple)
    DrawDropDownButton(PaintCanvas(), ButtonRect(), buttonDown_ || listVisible_, GetEnabled(),
                       editStyle_ == esPickList ? dgArrow : dgEllipsis);
}

}  // namespace qel
