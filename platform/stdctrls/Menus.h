// Popup menus: TMenuItem (a tree of items) and TPopupMenu, which shows its
// items in popup windows at a screen point without blocking: the item's
// OnClick fires later, when the user chooses it.
//
// A right click (button release) on a control whose PopupMenu has AutoPopup
// set shows that menu at the mouse; a control without a menu uses its
// parent's, as on the platform.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

class TPopupMenu;
class TMenuPopupWindow;

/// An item of a popup menu: caption, check mark, picture, shortcut text and sub-items.
class TMenuItem : public TComponent {
 public:
  /// An enabled, visible item without caption.
  explicit TMenuItem(TComponent* AOwner);
  /// Frees the sub-items and leaves the parent item.
  ~TMenuItem() override;

  /// "-" makes a separator line. "&" marks the next letter as the item's key
  /// ("&&" is a literal ampersand).
  ///@{
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v);
  ///@}
  /// Whether the item can be chosen (disabled items are greyed).
  ///@{
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool v);
  ///@}
  /// A check mark in the image column when the item has no bitmap; with one,
  /// the bitmap is framed.
  ///@{
  bool GetChecked() const { return checked_; }
  void SetChecked(bool v);
  ///@}
  /// Whether the item is shown.
  ///@{
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  ///@}
  /// The item's picture, owned by the item (created empty when first asked
  /// for); drawn at the left, transparent by its bottom-left colour.
  TBitmap* GetBitmap();
  /// Whether the item has a picture.
  bool HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }
  /// Copies Value (nullptr or an empty bitmap removes the picture).
  void SetBitmap(TBitmap* Value);
  /// Shown right-aligned, for instance "Ctrl+C"; the menu does not act on it.
  ///@{
  const std::string& GetShortCutText() const { return shortCut_; }
  void SetShortCutText(const std::string& v);
  ///@}
  /// Whether the item is a separator line.
  bool IsLine() const { return caption_ == "-"; }

  /// Sub-items. Delete and Remove take an item out without freeing it (its
  /// owner frees it); Clear frees them all. Items out of range raise EListError.
  ///@{
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  int IndexOf(const TMenuItem* Item) const;
  ///@}
  /// Position among its parent's sub-items (-1: none).
  int GetMenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  /// The direct sub-item with this caption (ignoring '&' and letter case).
  TMenuItem* Find(const std::string& ACaption) const;
  /// This item or any item below it with this Name (letter case ignored).
  TMenuItem* FindByName(const std::string& AName);
  /// The parent item (nullptr for the root).
  TMenuItem* GetParent() const { return parent_; }
  /// The popup menu whose tree this item belongs to, if any.
  TPopupMenu* GetMenu() const;

  /// Fires OnClick when the item is enabled.
  virtual void Click();
  /// Fires when the item is chosen.
  TNotifyEvent OnClick;

 private:
  friend class TPopupMenu;
  void Changed();
  std::string caption_;
  bool enabled_ = true, checked_ = false, visible_ = true;
  std::unique_ptr<TBitmap> bitmap_;
  std::string shortCut_;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TPopupMenu* menu_ = nullptr;  // set on the root item only
};

/// A menu that pops up on a right click (or Popup), with sub-menus, keyboard navigation and item pictures.
class TPopupMenu : public TComponent {
 public:
  /// An empty menu.
  explicit TPopupMenu(TComponent* AOwner);
  /// Closes the menu and frees the items.
  ~TPopupMenu() override;

  /// The root item: its sub-items are the menu's items.
  TMenuItem* Items() const { return items_; }
  /// Fires OnPopup, then shows the visible items with their top-left corner
  /// at the screen point (moved to stay on the screen). Returns at once.
  void Popup(int X, int Y);
  /// Hides every open level of this menu.
  void CloseMenu();
  /// Whether any level of the menu is shown.
  bool IsShowing() const;
  /// Whether a right click on a control that has the menu shows it.
  ///@{
  bool GetAutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  ///@}
  /// The control whose right click showed the menu (set before OnPopup).
  ///@{
  TComponent* GetPopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* v);
  ///@}
  /// An item anywhere in the tree by its Name (letter case ignored).
  TMenuItem* FindItem(const std::string& AName) const { return items_->FindByName(AName); }

  /// The window showing level Level (0 the menu itself, 1 an open submenu,
  /// ...), or nullptr when that level is not shown; and where an item lies in
  /// its window's client coordinates (empty when not shown).
  ///@{
  TCustomForm* PopupWindow(int Level) const;
  TRect ItemRect(const TMenuItem* Item) const;
  ///@}

  /// Fires before the menu shows.
  TNotifyEvent OnPopup;
  /// After the menu has closed, whether an item was chosen (before its
  /// OnClick) or not.
  TNotifyEvent OnClose;

 protected:
  /// Forgets the popup component when it is freed.
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TMenuItem;
  friend class TMenuPopupWindow;
  void ItemsChanged();
  // Opens Item's sub-items as level Level next to its row in level Level - 1.
  void OpenLevel(int Level, TMenuItem* Parent, int X, int Y, int AltX);
  void CloseFrom(int Level);
  void Choose(TMenuItem* Item);
  void KeyDown(uint16_t Key);
  int OpenLevels() const;
  TMenuItem* items_;
  std::vector<TMenuPopupWindow*> levels_;
  TComponent* popupComponent_ = nullptr;
  bool autoPopup_ = true;
};

QEL_API_END
}  // namespace qel
