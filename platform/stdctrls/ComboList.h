// The drop-down part of TCustomComboBox: a popup form holding the list.
// Internal to the combo box.
#pragma once
#include "platform/controls/Forms.h"
#include "platform/stdctrls/ComboBox.h"

namespace qel {

// The open list: rows of ItemHeight, a highlight that follows the mouse and
// the combo's keys, a click takes the item under the mouse.
class TComboList : public TCustomControl {
 public:
  TComboList(TComponent* AOwner, TCustomComboBox* Combo);
  int Hot() const { return hot_; }
  void SetHot(int Index);  // scrolls it into view
  int TopIndex() const { return top_; }
  int VisibleRows() const;
  int IndexAt(int Y) const;

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  void Scroll(int Rows);
  TCustomComboBox* combo_;
  int hot_ = -1, top_ = 0;
};

class TComboPopup : public TCustomForm {
 public:
  explicit TComboPopup(TCustomComboBox* Combo);
  TComboList* List() { return list_; }
  // Places the list under the combo (above it when the screen ends) and shows it.
  void Open();

 protected:
  void DoHide() override;

 private:
  TCustomComboBox* combo_;
  TComboList* list_;
};

}  // namespace qel
