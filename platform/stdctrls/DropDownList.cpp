#include "platform/stdctrls/DropDownList.h"

#include <algorithm>
#include <utility>

#include "platform/controls/Application.h"
#include "platform/controls/PopupPlacement.h"

namespace qel {

void DrawListItemText(TCanvas* C, const TRect& Rect, const std::string& Text) {
  C->TextRect(Rect, Rect.Left + 2, Rect.Top + (Rect.Height() - C->TextHeight("Wg")) / 2, Text);
}

// ------------------------------------------------------- TDropDownList ----

TDropDownList::TDropDownList(TComponent* AOwner, TStrings* Items) : TCustomControl(AOwner), items_(Items) {
  SetCtl3D(false);
  SetBorderStyle(bsSingle);
  SetColor(clWindow);
  bar_.OnScroll = [this](int code, int pos) { OnBarScroll(code, pos); };
  bar_.OnInvalidate = [this] { Invalidate(); };
}

// The bar takes width only, so the rows come from the whole client height.
int TDropDownList::VisibleRows() const {
  return std::max(TCustomControl::GetClientRect().Height() / std::max(itemHeight_, 1), 1);
}

void TDropDownList::UpdateScrollBar() {
  bool show = items_->Count() > VisibleRows();
  if (show == barShown_) return;
  barShown_ = show;
  TargetClientArea();
  Invalidate();
}

TRect TDropDownList::GetClientRect() const {
  return ClientInsideScrollBars(TCustomControl::GetClientRect(), ShowsScrollBar(), false);
}

TClientScrollBar& TDropDownList::ScrollBar() {
  TRect c = GetClientRect();
  bar_.SetBounds(ShowsScrollBar() ? TRect{c.Right, 0, c.Right + ScrollBarSize, c.Bottom} : TRect{});
  bar_.SetRange(0, std::max(items_->Count() - 1, 0));
  bar_.SetPageSize(VisibleRows());
  bar_.SetPosition(top_);
  return bar_;
}

void TDropDownList::OnBarScroll(int Code, int Pos) {
  int page = VisibleRows();
  switch (Code) {
    case SB_LINEUP: SetTopIndex(top_ - 1); break;
    case SB_LINEDOWN: SetTopIndex(top_ + 1); break;
    case SB_PAGEUP: SetTopIndex(top_ - page); break;
    case SB_PAGEDOWN: SetTopIndex(top_ + page); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: SetTopIndex(Pos); break;
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(items_->Count()); break;
    default: return;
  }
  ScrollBar();  // the thumb snaps to where the rows went
}

int TDropDownList::IndexAt(int Y) const {
  if (Y < 0) return -1;
  int i = top_ + Y / std::max(itemHeight_, 1);
  return i < items_->Count() ? i : -1;
}

void TDropDownList::SetHot(int Index) {
  int n = items_->Count();
  hot_ = n == 0 ? -1 : std::clamp(Index, -1, n - 1);
  if (hot_ >= 0) {
    if (hot_ < top_) top_ = hot_;
    if (hot_ >= top_ + VisibleRows()) top_ = hot_ - VisibleRows() + 1;
  }
  Invalidate();
}

void TDropDownList::SetTopIndex(int Index) {
  top_ = std::clamp(Index, 0, std::max(items_->Count() - VisibleRows(), 0));
  Invalidate();
}

bool TDropDownList::MoveKey(uint16_t Key) {
  int page = std::max(VisibleRows() - 1, 1);
  switch (Key) {
    case VK_UP: SetHot(std::max(hot_ - 1, 0)); return true;
    case VK_DOWN: SetHot(hot_ + 1); return true;
    case VK_PRIOR: SetHot(std::max(hot_ - page, 0)); return true;
    case VK_NEXT: SetHot(hot_ < 0 ? page : hot_ + page); return true;
    default: return false;
  }
}

void TDropDownList::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(GetFont());
  c->Brush()->SetColor(GetColor());
  c->FillRect(GetClientRect());
  int w = ClientWidth(), n = items_->Count();
  for (int row = 0; row < VisibleRows() && top_ + row < n; ++row) {
    int i = top_ + row;
    TRect r{0, row * itemHeight_, w, (row + 1) * itemHeight_};
    if (OnPaintRow) {
      OnPaintRow(c, i, r, i == hot_);
      continue;
    }
    c->Brush()->SetColor(i == hot_ ? clHighlight : GetColor());
    c->Font()->SetColor(i == hot_ ? clHighlightText : GetFont()->GetColor());
    c->FillRect(r);
    DrawListItemText(c, r, items_->Get(i));
  }
}

void TDropDownList::PaintBorder() {
  TCustomControl::PaintBorder();
  if (barShown_) PaintScrollBars(*this, &ScrollBar(), nullptr);
}

void TDropDownList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  barTracking_ = Button == mbLeft && ShowsScrollBar() && ScrollBar().MouseDown({X, Y});
}

void TDropDownList::MouseMove(TShiftState Shift, int X, int Y) {
  if (barTracking_) {
    bar_.MouseMove({X, Y});
    return TCustomControl::MouseMove(Shift, X, Y);
  }
  int i = IndexAt(Y);
  if (i >= 0 && i != hot_ && X >= 0 && X < ClientWidth()) {
    hot_ = i;
    Invalidate();
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TDropDownList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (std::exchange(barTracking_, false)) return bar_.MouseUp({X, Y});
  int i = GetClientRect().Contains({X, Y}) ? IndexAt(Y) : -1;
  if (Button == mbLeft && i >= 0) {
    hot_ = i;
    if (OnPick) OnPick();
  }
}

// Three rows per notch of the wheel, as the platform's lists scroll.
bool TDropDownList::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelDown(Shift, MousePos)) SetTopIndex(top_ + 3);
  return true;
}

bool TDropDownList::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (!TCustomControl::DoMouseWheelUp(Shift, MousePos)) SetTopIndex(top_ - 3);
  return true;
}

// ------------------------------------------------------ TDropDownPopup ----

TDropDownPopup::TDropDownPopup(TWinControl* Anchor, TStrings* Items)
    : TCustomForm(nullptr), anchor_(Anchor), items_(Items) {
  SetPopup(true);
  SetBorderStyle(bsNone);
  list_ = new TDropDownList(this, Items);
  list_->SetParent(this);
  list_->SetAlign(alClient);
}

void TDropDownPopup::Open(int MaxRows, int ItemHeight, int Hot) {
  int rows = std::clamp(items_->Count(), 1, MaxRows);
  int w = anchor_->GetWidth(), h = rows * ItemHeight + 2;
  TWinControl* parent = anchor_->GetParent();
  TPoint topLeft = parent ? parent->ClientToScreen({anchor_->GetLeft(), anchor_->GetTop()})
                          : TPoint{anchor_->GetLeft(), anchor_->GetTop()};
  TRect place = PlacePopup(Bounds(topLeft.X, topLeft.Y, w, anchor_->GetHeight()), {w, h}, TPopupSide::Below);
  list_->GetFont()->Assign(anchor_->GetFont());
  list_->SetItemHeight(ItemHeight);
  SetBounds(place.Left, place.Top, w, h);
  list_->UpdateScrollBar();
  list_->SetHot(Hot);
  Show();
}

int TDropDownPopup::Close() {
  int hot = list_->Hot();
  closing_ = true;
  try {
    Hide();
  } catch (...) {
    closing_ = false;
    throw;
  }
  closing_ = false;
  return hot;
}

void TDropDownPopup::DoHide() {
  TCustomForm::DoHide();
  if (closing_ || !OnDismissed) return;
  TCustomForm* form = anchor_->GetParentForm();
  OnDismissed(form && form->HoverControl() == anchor_);
}

}  // namespace qel
