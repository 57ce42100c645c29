// Popup menus. Sections: helpers; TMenuItem; the popup window (one per open
// level: geometry, painting, mouse, keys); TPopupMenu; the right-click hook.
#include "platform/stdctrls/Menus.h"

#include <algorithm>
#include <cctype>

#include "platform/controls/Application.h"
#include "platform/graphics/StylePainter.h"
#include "platform/controls/PopupPlacement.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

// ------------------------------------------------------------ helpers ----

namespace {

constexpr int ItemHeight = 22, LineHeight = 8, FrameWidth = 2, ImageColumn = 24, TextGap = 4, ArrowColumn = 20,
              MinMenuWidth = 100, SubmenuOverlap = 3;

// The caption as shown: "&" marks dropped, "&&" kept as one "&".
std::string ShownCaption(const std::string& caption, char* key = nullptr) {
  std::string out;
  if (key) *key = 0;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != '&' && key && *key == 0) *key = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i])));
    }
    out += caption[i];
  }
  return out;
}

bool SameNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool Selectable(const TMenuItem* item) { return item->GetVisible() && item->GetEnabled() && !item->IsLine(); }

}  // namespace

// ----------------------------------------------------------- TMenuItem ----

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Changed();
  while (!items_.empty()) delete items_.back();  // each child leaves items_ itself
  if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const std::string& v) {
  if (v == caption_) return;
  caption_ = v;
  Changed();
}

void TMenuItem::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Changed();
}

void TMenuItem::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  Changed();
}

void TMenuItem::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed();
}

TBitmap* TMenuItem::GetBitmap() {
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return bitmap_.get();
}

void TMenuItem::SetBitmap(TBitmap* Value) {
  if (!Value || Value->Empty()) bitmap_.reset();
  else GetBitmap()->Assign(Value);
  Changed();
}

void TMenuItem::SetShortCutText(const std::string& v) {
  if (v == shortCut_) return;
  shortCut_ = v;
  Changed();
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) throw EListError("Cannot insert a nil menu item");
  if (Item->parent_) throw EListError("Menu item \"" + Item->caption_ + "\" already belongs to a menu");
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == Item) throw EListError("A menu item cannot hold itself");
  if (Index < 0 || Index > Count()) throw EListError("Menu index out of bounds (" + std::to_string(Index) + ")");
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  Changed();
}

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it == items_.end()) return;
  Changed();
  items_.erase(it);
  Item->parent_ = nullptr;
}

void TMenuItem::Clear() {
  while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("Menu index out of bounds (" + std::to_string(Index) + ")");
  return items_[Index];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  std::string wanted = ShownCaption(ACaption);
  for (TMenuItem* item : items_)
    if (SameNoCase(ShownCaption(item->caption_), wanted)) return item;
  return nullptr;
}

TMenuItem* TMenuItem::FindByName(const std::string& AName) {
  if (AName.empty()) return nullptr;
  if (SameNoCase(GetName(), AName)) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindByName(AName)) return found;
  return nullptr;
}

TPopupMenu* TMenuItem::GetMenu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

// A shown menu holds pointers into the tree: any change closes it.
void TMenuItem::Changed() {
  if (TPopupMenu* m = GetMenu()) m->ItemsChanged();
}

// ---------------------------------------------------- the popup window ----

class TMenuPopupWindow : public TCustomForm {
 public:
  TMenuPopupWindow(TPopupMenu* menu, int level) : TCustomForm(nullptr), menu_(menu), level_(level) {
    SetPopup(true);
    SetGrabKeys(true);
    TCustomForm::SetBorderStyle(bsNone);
    SetColor(clMenu);
  }

  TMenuItem* ParentItem() const { return parent_; }
  int Level() const { return level_; }

  // Lists Parent's visible items with the window's top-left at (X, Y), or
  // at AltX - width when it would leave the screen on the right.
  void Open(TMenuItem* Parent, int X, int Y, int AltX) {
    parent_ = Parent;
    hot_ = -1;
    Layout();
    TRect place = PlacePopup({AltX, Y, X, Y}, {width_, height_}, TPopupSide::Beside);
    SetBounds(place.Left, place.Top, width_, height_);
    Show();
    Invalidate();
  }

  TRect RowRect(const TMenuItem* item) const {
    for (const Row& r : rows_)
      if (r.item == item) return r.rect;
    return {};
  }
  TMenuItem* HotItem() const { return hot_ >= 0 ? rows_[hot_].item : nullptr; }

  void SetHot(int row) {
    if (row == hot_) return;
    hot_ = row;
    Invalidate();
  }

  // Up/Down: the next selectable row, wrapping round.
  void MoveHot(int step) {
    int n = static_cast<int>(rows_.size());
    if (n == 0) return;
    int start = hot_ < 0 ? (step > 0 ? -1 : n) : hot_;
    for (int k = 1; k <= n; ++k) {
      int r = ((start + step * k) % n + n) % n;
      if (Selectable(rows_[r].item)) {
        SetHot(r);
        return;
      }
    }
  }

  void HotFirst() {
    hot_ = -1;
    MoveHot(1);
  }

  // The selectable row whose caption marks key Ch with '&', or -1.
  int RowForKey(char32_t ch) const {
    for (size_t r = 0; r < rows_.size(); ++r) {
      char key;
      ShownCaption(rows_[r].item->GetCaption(), &key);
      if (key != 0 && ch < 128 && key == std::toupper(static_cast<int>(ch)) && Selectable(rows_[r].item))
        return static_cast<int>(r);
    }
    return -1;
  }

  // Where a row with a submenu opens its level: (X, Y) to the right, AltX to the left.
  void SubmenuPlace(int row, int& x, int& y, int& altX) const {
    x = GetLeft() + GetWidth() - SubmenuOverlap;
    y = GetTop() + rows_[row].rect.Top - FrameWidth;
    altX = GetLeft() + SubmenuOverlap;
  }
  int HotRow() const { return hot_; }

 protected:
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_GETDLGCODE:
        m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        return;
      case CM_MOUSELEAVE:
        // The row leading to an open submenu stays marked.
        if (menu_->OpenLevels() <= level_ + 1) SetHot(-1);
        break;
      default:
        break;
    }
    TCustomForm::WndProc(m);
  }

  void MouseMove(TShiftState Shift, int X, int Y) override {
    TCustomForm::MouseMove(Shift, X, Y);
    int row = RowAt(X, Y);
    if (row < 0 || !Selectable(rows_[row].item)) {
      if (row >= 0) {
        SetHot(-1);
        menu_->CloseFrom(level_ + 1);
      }
      return;
    }
    if (row == hot_ && menu_->OpenLevels() > level_ + 1) return;
    SetHot(row);
    menu_->CloseFrom(level_ + 1);
    if (rows_[row].item->Count() > 0) OpenSubmenu(row, false);
  }

  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomForm::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    int row = RowAt(X, Y);
    if (row < 0 || !Selectable(rows_[row].item)) return;
    if (rows_[row].item->Count() > 0) {
      if (menu_->OpenLevels() <= level_ + 1) OpenSubmenu(row, false);
      return;
    }
    menu_->Choose(rows_[row].item);
  }

  void KeyDown(uint16_t& Key, TShiftState) override { menu_->KeyDown(Key); }

  void KeyPress(char32_t& Key) override {
    int row = RowForKey(Key);
    if (row < 0) return;
    SetHot(row);
    if (rows_[row].item->Count() > 0) OpenSubmenu(row, true);
    else menu_->Choose(rows_[row].item);
  }

  void DoHide() override {
    TCustomForm::DoHide();
    hot_ = -1;
    menu_->CloseFrom(level_ + 1);
    if (level_ == 0 && menu_->OnClose) menu_->OnClose(menu_);
  }

  void PaintWindow() override {
    TCustomForm::PaintWindow();
    TCanvas* c = PaintCanvas();
    StylePainter::PaintPopupFrame(c, {0, 0, GetWidth(), GetHeight()});
    for (size_t r = 0; r < rows_.size(); ++r) DrawRow(c, rows_[r], static_cast<int>(r) == hot_);
  }

 public:
  void OpenSubmenu(int row, bool selectFirst) {
    int x, y, altX;
    SubmenuPlace(row, x, y, altX);
    menu_->OpenLevel(level_ + 1, rows_[row].item, x, y, altX);
    if (selectFirst)
      if (TCustomForm* w = menu_->PopupWindow(level_ + 1)) static_cast<TMenuPopupWindow*>(w)->HotFirst();
  }

 private:
  struct Row {
    TMenuItem* item;
    TRect rect;
  };

  void Layout() {
    rows_.clear();
    TCanvas* c = Canvas();
    c->Font()->Assign(GetFont());
    int captionW = 0, shortCutW = 0, y = FrameWidth;
    for (int i = 0; i < parent_->Count(); ++i) {
      TMenuItem* item = parent_->Items(i);
      if (!item->GetVisible()) continue;
      int h = item->IsLine() ? LineHeight : ItemHeight;
      rows_.push_back({item, {FrameWidth, y, 0, y + h}});
      y += h;
      if (item->IsLine()) continue;
      captionW = std::max(captionW, c->TextWidth(ShownCaption(item->GetCaption())));
      if (!item->GetShortCutText().empty()) shortCutW = std::max(shortCutW, c->TextWidth(item->GetShortCutText()));
    }
    width_ = std::max(MinMenuWidth, ImageColumn + TextGap + captionW + (shortCutW ? 3 * TextGap + shortCutW : 0) +
                                        ArrowColumn + 2 * FrameWidth);
    height_ = y + FrameWidth;
    for (Row& r : rows_) r.rect.Right = width_ - FrameWidth;
  }

  int RowAt(int x, int y) const {
    for (size_t r = 0; r < rows_.size(); ++r)
      if (rows_[r].rect.Contains({x, y})) return static_cast<int>(r);
    return -1;
  }

  void DrawRow(TCanvas* c, const Row& row, bool hot) {
    const TRect& r = row.rect;
    TMenuItem* item = row.item;
    if (item->IsLine()) {
      int mid = r.Top + r.Height() / 2 - 1;
      c->Pen()->SetColor(clBtnShadow);
      c->MoveTo(r.Left + 1, mid);
      c->LineTo(r.Right - 1, mid);
      c->Pen()->SetColor(clBtnHighlight);
      c->MoveTo(r.Left + 1, mid + 1);
      c->LineTo(r.Right - 1, mid + 1);
      return;
    }
    c->Brush()->SetColor(hot ? clHighlight : clMenu);
    c->FillRect(r);
    TColor text = !item->GetEnabled() ? clGrayText : hot ? clHighlightText : clMenuText;
    DrawImage(c, item, {r.Left, r.Top, r.Left + ImageColumn, r.Bottom}, text);
    c->Font()->Assign(GetFont());
    c->Font()->SetColor(text);
    c->Brush()->SetStyle(bsClear);
    std::string caption = ShownCaption(item->GetCaption());
    int ty = r.Top + (r.Height() - c->TextHeight(caption)) / 2;
    c->TextOut(r.Left + ImageColumn + TextGap, ty, caption);
    if (!item->GetShortCutText().empty())
      c->TextOut(r.Right - ArrowColumn - c->TextWidth(item->GetShortCutText()), ty, item->GetShortCutText());
    c->Brush()->SetStyle(bsSolid);
    if (item->Count() > 0) DrawArrow(c, r, text);
  }

  // The bitmap (framed when checked), else a check mark when checked.
  void DrawImage(TCanvas* c, TMenuItem* item, const TRect& cell, TColor color) {
    if (item->HasBitmap()) {
      TBitmap* b = item->GetBitmap();
      b->SetTransparent(true);
      b->SetTransparentMode(tmAuto);
      int x = cell.Left + (cell.Width() - b->GetWidth()) / 2, y = cell.Top + (cell.Height() - b->GetHeight()) / 2;
      c->Draw(x, y, b);
      if (item->GetChecked()) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect({x - 1, y - 1, x + b->GetWidth() + 1, y + b->GetHeight() + 1});
      }
      return;
    }
    if (!item->GetChecked()) return;
    int cx = cell.Left + cell.Width() / 2, cy = cell.Top + cell.Height() / 2;
    c->Pen()->SetColor(color);
    for (int d = 0; d < 2; ++d)  // a two-pixel tick
      c->Polyline(std::vector<TPoint>{{cx - 4, cy - 1 + d}, {cx - 2, cy + 1 + d}, {cx + 3, cy - 4 + d}});
  }

  void DrawArrow(TCanvas* c, const TRect& r, TColor color) {
    int x = r.Right - ArrowColumn / 2 - 2, y = r.Top + r.Height() / 2;
    c->Pen()->SetColor(color);
    c->Brush()->SetColor(color);
    c->Polygon(std::vector<TPoint>{{x, y - 4}, {x + 4, y}, {x, y + 4}});
  }

  TPopupMenu* menu_;
  int level_;
  TMenuItem* parent_ = nullptr;
  std::vector<Row> rows_;
  int hot_ = -1;
  int width_ = 0, height_ = 0;
};

// ---------------------------------------------------------- TPopupMenu ----

namespace {
void ShowContextMenu(TControl* control, TPoint screen);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {
  items_->menu_ = this;
  TControl::ContextPopupHook = ShowContextMenu;
}

TPopupMenu::~TPopupMenu() {
  OnClose = nullptr;
  items_->menu_ = nullptr;  // the items die after us: they must not call back
  for (TMenuPopupWindow* w : levels_) delete w;
  levels_.clear();
}

void TPopupMenu::Popup(int X, int Y) {
  Application->ClosePopups();
  if (OnPopup) OnPopup(this);
  bool any = false;
  for (int i = 0; i < items_->Count(); ++i) any = any || items_->Items(i)->GetVisible();
  if (any) OpenLevel(0, items_, X, Y, X);
}

void TPopupMenu::OpenLevel(int Level, TMenuItem* Parent, int X, int Y, int AltX) {
  CloseFrom(Level);
  while (static_cast<int>(levels_.size()) <= Level) levels_.push_back(new TMenuPopupWindow(this, static_cast<int>(levels_.size())));
  levels_[Level]->Open(Parent, X, Y, AltX);
}

void TPopupMenu::CloseFrom(int Level) {
  for (int l = static_cast<int>(levels_.size()) - 1; l >= Level; --l) levels_[l]->Hide();
}

void TPopupMenu::CloseMenu() { CloseFrom(0); }

bool TPopupMenu::IsShowing() const { return OpenLevels() > 0; }

int TPopupMenu::OpenLevels() const {
  int n = 0;
  while (n < static_cast<int>(levels_.size()) && levels_[n]->Showing()) ++n;
  return n;
}

TCustomForm* TPopupMenu::PopupWindow(int Level) const {
  return Level >= 0 && Level < OpenLevels() ? levels_[Level] : nullptr;
}

TRect TPopupMenu::ItemRect(const TMenuItem* Item) const {
  for (int l = 0; l < OpenLevels(); ++l)
    if (Item && Item->GetParent() == levels_[l]->ParentItem()) return levels_[l]->RowRect(Item);
  return {};
}

void TPopupMenu::SetPopupComponent(TComponent* v) {
  if (popupComponent_) RemoveFreeNotification(popupComponent_);
  popupComponent_ = v;
  if (v) FreeNotification(v);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::ItemsChanged() { CloseMenu(); }

// The menu closes first, so that OnClick may show it (or another) again.
void TPopupMenu::Choose(TMenuItem* Item) {
  Application->ClosePopups();
  CloseMenu();
  Item->Click();
}

void TPopupMenu::KeyDown(uint16_t Key) {
  int depth = OpenLevels();
  if (depth == 0) return;
  TMenuPopupWindow* w = levels_[depth - 1];
  switch (Key) {
    case VK_UP: w->MoveHot(-1); break;
    case VK_DOWN: w->MoveHot(1); break;
    case VK_RIGHT:
      if (w->HotItem() && w->HotItem()->Count() > 0) w->OpenSubmenu(w->HotRow(), true);
      break;
    case VK_LEFT:
      if (depth > 1) CloseFrom(depth - 1);
      break;
    case VK_ESCAPE: CloseFrom(depth - 1); break;
    case VK_RETURN:
      if (TMenuItem* hot = w->HotItem()) {
        if (hot->Count() > 0) w->OpenSubmenu(w->HotRow(), true);
        else Choose(hot);
      }
      break;
    default: break;
  }
}

// ------------------------------------------------------ right-click hook ----

namespace {
// The nearest menu up the parent chain. A press that already opened a menu
// (a control may show one itself on the press) opens no second one.
void ShowContextMenu(TControl* control, TPoint screen) {
  if (Application->KeyGrabber()) return;
  for (TControl* c = control; c; c = c->GetParent()) {
    TPopupMenu* menu = c->GetPopupMenu();
    if (!menu) continue;
    if (menu->GetAutoPopup()) {
      menu->SetPopupComponent(c);
      menu->Popup(screen.X, screen.Y);
    }
    return;
  }
}
}  // namespace

}  // namespace qel
