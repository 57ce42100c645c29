// The list that drops down from a combo box or a grid's pick-list editor: a
// popup window under its owner control (above it where the screen ends)
// holding rows of the owner's items. The list keeps the highlight and the
// scroll position; the owner keeps the items, may paint the rows itself and
// hears when an item is clicked and when the popup goes away by itself.
#pragma once
#include <functional>

#include "platform/controls/Forms.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/ScrollBars.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The rows: the highlight follows the mouse and the owner's keys, a click
/// takes the item under the mouse, the wheel scrolls three rows a notch.
/// When there are more items than rows, a scroll bar on the right scrolls
/// them by mouse too.
class TDropDownList : public TCustomControl {
 public:
  /// A list of Items (which stays the caller's).
  TDropDownList(TComponent* AOwner, TStrings* Items);
  /// The highlighted item (-1: none).
  int Hot() const { return hot_; }
  void SetHot(int Index);  ///< Scrolls it into view
  /// First item in view.
  ///@{
  int TopIndex() const { return top_; }
  void SetTopIndex(int Index);
  ///@}
  /// Height of a row in pixels.
  ///@{
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v) { itemHeight_ = v; }
  ///@}
  /// Rows the list shows at once.
  int VisibleRows() const;
  /// The item at client y (-1: none).
  int IndexAt(int Y) const;
  /// The rows' area: the client area less the scroll bar, when there is one.
  TRect GetClientRect() const override;
  /// Whether the scroll bar shows: the items outnumbered the rows when the
  /// list was last laid out (UpdateScrollBar).
  bool ShowsScrollBar() const { return barShown_; }
  /// Shows the bar when the items outnumber the rows, hides it otherwise.
  void UpdateScrollBar();
  /// The bar, placed and set to the items in view.
  TClientScrollBar& ScrollBar();
  /// Up, down, page up and page down move the highlight; false for other keys.
  bool MoveKey(uint16_t Key);

  /// Paints item Index into Rect; unset, the list writes the item's text in
  /// its own colours, or the highlight's.
  std::function<void(TCanvas* C, int Index, const TRect& Rect, bool Hot)> OnPaintRow;
  /// The left button went up over an item; Hot() is that item.
  std::function<void()> OnPick;

 protected:
  void Paint() override;
  void PaintBorder() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  void OnBarScroll(int Code, int Pos);

  TStrings* items_;
  int hot_ = -1, top_ = 0, itemHeight_ = 16;
  TClientScrollBar bar_{sbVertical};
  bool barShown_ = false, barTracking_ = false;
};

/// A popup form with a drop-down list, as combo boxes and pick lists open.
class TDropDownPopup : public TCustomForm {
 public:
  /// Anchor: the control the list drops down from; it gives width and font.
  TDropDownPopup(TWinControl* Anchor, TStrings* Items);
  /// The list inside.
  TDropDownList* List() { return list_; }
  /// Shows as many rows as there are items, at least one and at most
  /// MaxRows, with item Hot highlighted. The scroll position stays as it was
  /// unless Hot is out of view.
  void Open(int MaxRows, int ItemHeight, int Hot);
  /// Hides the list; returns the item highlighted in it (-1 for none).
  int Close();

  /// The popup went away by itself: a press outside it, or the loss of
  /// activation. PressOnAnchor: the press is on the anchor, so it must not
  /// open the list again.
  std::function<void(bool PressOnAnchor)> OnDismissed;

 protected:
  /// Fires OnDismissed when the popup closes by itself.
  void DoHide() override;

 private:
  TWinControl* anchor_;
  TStrings* items_;
  TDropDownList* list_;
  bool closing_ = false;
};

/// An item's text in a row: two pixels in, centred from top to bottom.
void DrawListItemText(TCanvas* C, const TRect& Rect, const std::string& Text);

QEL_API_END
}  // namespace qel
