#include "platform/stdctrls/ComboList.h"

#include <algorithm>

#include "platform/controls/Application.h"

namespace qel {

// ---------------------------------------------------------- TComboList ----

TComboList::TComboList(TComponent* AOwner, TCustomComboBox* Combo) : TCustomControl(AOwner), combo_(Combo) {
  SetCtl3D(false);
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
}

int TComboList::VisibleRows() const { return std::max(ClientHeight() / std::max(combo_->itemHeight_, 1), 1); }

int TComboList::IndexAt(int Y) const {
  if (Y < 0) return -1;
  int i = top_ + Y / std::max(combo_->itemHeight_, 1);
  return i < combo_->items_->Count() ? i : -1;
}

void TComboList::SetHot(int Index) {
  int n = combo_->items_->Count();
  hot_ = n == 0 ? -1 : std::clamp(Index, -1, n - 1);
  if (hot_ >= 0) {
    if (hot_ < top_) top_ = hot_;
    if (hot_ >= top_ + VisibleRows()) top_ = hot_ - VisibleRows() + 1;
  }
  Invalidate();
}

void TComboList::Scroll(int Rows) {
  int maxTop = std::max(combo_->items_->Count() - VisibleRows(), 0);
  top_ = std::clamp(top_ + Rows, 0, maxTop);
  Invalidate();
}

void TComboList::Paint() {
  int h = combo_->itemHeight_, w = ClientWidth();
  int n = combo_->items_->Count();
  Canvas()->Brush()->SetColor(combo_->GetColor());
  Canvas()->FillRect(GetClientRect());
  for (int row = 0; row < VisibleRows() && top_ + row < n; ++row) {
    int i = top_ + row;
    TOwnerDrawState state = i == hot_ ? TOwnerDrawState{odSelected, odFocused} : TOwnerDrawState{};
    combo_->PaintItem(Canvas(), i, {0, row * h, w, (row + 1) * h}, state);
  }
}

void TComboList::MouseMove(TShiftState Shift, int X, int Y) {
  int i = IndexAt(Y);
  if (i >= 0 && i != hot_ && X >= 0 && X < ClientWidth()) {
    hot_ = i;
    Invalidate();
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TComboList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  int i = GetClientRect().Contains({X, Y}) ? IndexAt(Y) : -1;
  if (Button == mbLeft && i >= 0) {
    hot_ = i;
    combo_->CloseList(true);
  }
}

// Three rows per notch of the wheel, as the platform's lists scroll.
bool TComboList::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelDown(Shift, MousePos)) Scroll(3);
  return true;
}

bool TComboList::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelUp(Shift, MousePos)) Scroll(-3);
  return true;
}

// --------------------------------------------------------- TComboPopup ----

TComboPopup::TComboPopup(TCustomComboBox* Combo) : TCustomForm(nullptr), combo_(Combo) {
  SetPopup(true);
  SetBorderStyle(bsNone);
  list_ = new TComboList(this, Combo);
  list_->SetParent(this);
  list_->SetAlign(alClient);
}

void TComboPopup::Open() {
  int rows = std::clamp(combo_->items_->Count(), 1, combo_->dropDownCount_);
  int w = combo_->GetWidth(), h = rows * combo_->itemHeight_ + 2;
  TPoint below = combo_->GetParent() ? combo_->GetParent()->ClientToScreen({combo_->GetLeft(), combo_->GetTop()})
                                     : TPoint{combo_->GetLeft(), combo_->GetTop()};
  int y = below.Y + combo_->GetHeight();
  if (y + h > Application->Host().ScreenSize().cy && below.Y - h >= 0) y = below.Y - h;
  list_->GetFont()->Assign(combo_->GetFont());
  SetBounds(below.X, y, w, h);
  list_->SetHot(combo_->itemIndex_);
  Show();
}

void TComboPopup::DoHide() {
  TCustomForm::DoHide();
  combo_->ListHidden();
}

}  // namespace qel
