// TInplaceEditList: the in-place editor with a button for esEllipsis and
// esPickList cells, and the drop-down pick list (a popup form holding a
// simple list, as the combo box's).
#include <algorithm>

#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/rtl/StringList.h"

namespace qel {

// ------------------------------------------------------------ the list ----

// Rows of the editor's items; the highlight follows the mouse and the
// editor's keys, a click takes the item under the mouse.
class TPickListBox : public TCustomControl {
 public:
  TPickListBox(TComponent* AOwner, TInplaceEditList* Editor) : TCustomControl(AOwner), editor_(Editor) {
    SetCtl3D(false);
    SetBorderStyle(bsSingle);
    SetColor(clWindow);
  }
  int hot = -1, top = 0, itemHeight = 16;

  int Count() const { return editor_->items_->Count(); }
  int VisibleRows() const { return std::max(ClientHeight() / std::max(itemHeight, 1), 1); }
  int IndexAt(int Y) const {
    int i = Y < 0 ? -1 : top + Y / std::max(itemHeight, 1);
    return i < Count() ? i : -1;
  }
  void SetHot(int Index) {
    hot = Count() == 0 ? -1 : std::clamp(Index, -1, Count() - 1);
    if (hot >= 0) {
      if (hot < top) top = hot;
      if (hot >= top + VisibleRows()) top = hot - VisibleRows() + 1;
    }
    Invalidate();
  }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Font()->Assign(GetFont());
    c->Brush()->SetColor(GetColor());
    c->FillRect(GetClientRect());
    int w = ClientWidth();
    for (int row = 0; row < VisibleRows() && top + row < Count(); ++row) {
      int i = top + row;
      TRect r{0, row * itemHeight, w, (row + 1) * itemHeight};
      c->Brush()->SetColor(i == hot ? clHighlight : GetColor());
      c->Font()->SetColor(i == hot ? clHighlightText : GetFont()->GetColor());
      c->FillRect(r);
      c->TextRect(r, r.Left + 2, r.Top + (itemHeight - c->TextHeight("Wg")) / 2, editor_->items_->Get(i));
    }
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    int i = IndexAt(Y);
    if (i >= 0 && i != hot && X >= 0 && X < ClientWidth()) {
      hot = i;
      Invalidate();
    }
    TCustomControl::MouseMove(Shift, X, Y);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    int i = GetClientRect().Contains({X, Y}) ? IndexAt(Y) : -1;
    if (Button == mbLeft && i >= 0) {
      hot = i;
      editor_->CloseUp(true);
    }
  }
  // Three rows per notch, as the platform's lists scroll.
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override {
    if (!TCustomControl::DoMouseWheelDown(Shift, MousePos)) Scroll(3);
    return true;
  }
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override {
    if (!TCustomControl::DoMouseWheelUp(Shift, MousePos)) Scroll(-3);
    return true;
  }

 private:
  void Scroll(int Rows) {
    top = std::clamp(top + Rows, 0, std::max(Count() - VisibleRows(), 0));
    Invalidate();
  }
  TInplaceEditList* editor_;
};

class TPickListPopup : public TCustomForm {
 public:
  explicit TPickListPopup(TInplaceEditList* Editor) : TCustomForm(nullptr), editor_(Editor) {
    SetPopup(true);
    SetBorderStyle(bsNone);
    list_ = new TPickListBox(this, Editor);
    list_->SetParent(this);
    list_->SetAlign(alClient);
  }
  TPickListBox* List() { return list_; }

  // Below the editor, or above it where the screen ends.
  void Open(int ItemHeight, int Rows, int Hot) {
    list_->GetFont()->Assign(editor_->GetFont());
    list_->itemHeight = ItemHeight;
    list_->top = 0;
    int w = editor_->GetWidth(), h = Rows * ItemHeight + 2;
    TPoint at = editor_->ClientToScreen({0, 0});
    int y = at.Y + editor_->GetHeight();
    if (y + h > Application->Host().ScreenSize().cy && at.Y - h >= 0) y = at.Y - h;
    SetBounds(at.X, y, w, h);
    list_->SetHot(Hot);
    Show();
  }

 protected:
  void DoHide() override {
    TCustomForm::DoHide();
    editor_->ListHidden();
  }

 private:
  TInplaceEditList* editor_;
  TPickListBox* list_;
};

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

int TInplaceEditList::ListItemIndex() const { return listVisible_ && popup_ ? popup_->List()->hot : -1; }
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
  if (!popup_) popup_ = std::make_unique<TPickListPopup>(this);
  listVisible_ = true;
  int i = items_->IndexOf(GetText());
  popup_->Open(editor_.LineHeight(), std::clamp(n, 1, dropDownRows_), i >= 0 && items_->Get(i) == GetText() ? i : -1);
  Invalidate();
}

void TInplaceEditList::CloseUp(bool Accept) {
  if (!listVisible_) return;
  int hot = popup_->List()->hot;
  listVisible_ = false;
  popup_->Hide();
  Invalidate();
  if (Accept && hot >= 0 && hot < items_->Count() && !GetReadOnly()) {
    SetText(items_->Get(hot));
    SelectAll();
  }
}

// The popup went away: by CloseUp, or by a press outside it.
void TInplaceEditList::ListHidden() {
  if (!listVisible_) return;
  listVisible_ = false;
  TCustomForm* form = GetParentForm();
  suppressOpen_ = form && form->HoverControl() == this;
  Invalidate();
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
  TPickListBox* list = popup_->List();
  int hot = list->hot, page = std::max(list->VisibleRows() - 1, 1);
  switch (Key) {
    case VK_UP: list->SetHot(std::max(hot - 1, 0)); return true;
    case VK_DOWN: list->SetHot(hot + 1); return true;
    case VK_PRIOR: list->SetHot(std::max(hot - page, 0)); return true;
    case VK_NEXT: list->SetHot(hot < 0 ? page : hot + page); return true;
    case VK_RETURN: case VK_ESCAPE:
      CloseUp(Key == VK_RETURN);
      swallowChar_ = true;
      return true;
    default: return false;
  }
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
  if (editStyle_ != esSimple) PaintButton(PaintCanvas());
}

void TInplaceEditList::PaintButton(TCanvas* C) {
  TRect b = ButtonRect();
  bool sunk = buttonDown_ || listVisible_;
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(b);
  DrawEdge(C, b, sunk ? clBtnShadow : clBtnHighlight, sunk ? clBtnHighlight : cl3DDkShadow);
  C->Brush()->SetColor(GetEnabled() ? clBtnText : clGrayText);
  int cx = (b.Left + b.Right) / 2 + (sunk ? 1 : 0), cy = (b.Top + b.Bottom) / 2 + (sunk ? 1 : 0);
  if (editStyle_ == esPickList) {
    // A small downward triangle.
    for (int row = 0; row < 4; ++row) C->FillRect({cx - 3 + row, cy + row - 2, cx + 4 - row, cy + row - 1});
  } else {
    // Three dots.
    for (int dx : {-4, 0, 4}) C->FillRect({cx + dx - 1, cy + 1, cx + dx + 1, cy + 3});
  }
}

}  // namespace qel
