// TCustomTreeView input: mouse (select, toggle, hot tracking, bars, wheel)
// and keyboard navigation.
#include <algorithm>
#include <cctype>

#include "platform/comctrls/TreeView.h"

namespace qel {

namespace {
constexpr int WheelRows = 3;  // rows per wheel notch, as the desktop's default
}

void TCustomTreeView::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_SETFOCUS: case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      InvalidateNode(selected_);
      return;
    case CM_MOUSELEAVE:
      if (hot_) {
        InvalidateNode(hot_);
        hot_ = nullptr;
      }
      break;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

// ------------------------------------------------------------ mouse ----

// A press on a button toggles the node and leaves the selection alone; on
// the text (or anywhere on the row with RowSelect) it selects; a double
// click on the text toggles too.
void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  EnsureLayout();
  if (Button == mbLeft) {
    for (TClientScrollBar* bar : {&vbar_, &hbar_})
      if (!bar->Bounds().IsEmpty() && bar->MouseDown({X, Y})) {
        barTracking_ = bar;
        controlState_.Exclude(csClicked);  // the bar's press is not a click on the tree
        return;
      }
  }
  if (!GetClientRect().Contains({X, Y})) return;
  if (CanFocus()) SetFocus();
  THitTests hit = GetHitTestInfoAt(X, Y);
  NodeGuard g(this, GetNodeAt(X, Y));
  if (Button == mbLeft && g.node) {
    if (hit.Contains(htOnButton)) {
      ToggleNode(g.node);
    } else if (hit.Contains(htOnItem) || (rowSelect_ && !hit.Contains(htNowhere))) {
      SelectNode(g.node, true);
      if (g.node && Shift.Contains(ssDouble)) ToggleNode(g.node);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTreeView::MouseMove(TShiftState Shift, int X, int Y) {
  if (barTracking_) {
    barTracking_->MouseMove({X, Y});
    return;
  }
  if (hotTrack_) {
    TTreeNode* over = GetHitTestInfoAt(X, Y).Contains(htOnItem) ? GetNodeAt(X, Y) : nullptr;
    if (over != hot_) {
      InvalidateNode(hot_);
      hot_ = over;
      InvalidateNode(hot_);
      SetCursor(hot_ ? crHandPoint : crDefault);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomTreeView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (barTracking_) {
    TClientScrollBar* bar = barTracking_;
    barTracking_ = nullptr;
    bar->MouseUp({X, Y});
    return;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// The wheel scrolls; the selection stays where it is.
bool TCustomTreeView::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  ScrollTo(topRow_ + WheelRows, scrollX_);
  return true;
}

bool TCustomTreeView::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  ScrollTo(topRow_ - WheelRows, scrollX_);
  return true;
}

// --------------------------------------------------------- keyboard ----

void TCustomTreeView::KeyDown(uint16_t& Key, TShiftState Shift) {
  eatChar_ = false;
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (Key == VK_ADD || Key == VK_SUBTRACT || Key == VK_MULTIPLY) {
    eatChar_ = ExpandKey(Key == VK_ADD ? U'+' : Key == VK_SUBTRACT ? U'-' : U'*');
    Key = 0;
  } else if (NavigationKey(Key, Shift)) {
    Key = 0;
  }
}

void TCustomTreeView::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  bool eat = eatChar_;
  eatChar_ = false;
  if (Key == 0) return;
  if (Key == U'+' || Key == U'-' || Key == U'*') {
    if (!eat) ExpandKey(Key);
  } else if (Key > U' ' && Key < 0x7F) {
    SearchByLetter(Key);
  }
}

// Arrows, Home/End, Page Up/Down and Backspace. Without a selection the
// first move selects the top row.
bool TCustomTreeView::NavigationKey(uint16_t Key, TShiftState Shift) {
  EnsureLayout();
  int count = static_cast<int>(rows_.size());
  if (count == 0) return false;
  if (Shift.Contains(ssCtrl) && (Key == VK_UP || Key == VK_DOWN)) {
    ScrollTo(topRow_ + (Key == VK_UP ? -1 : 1), scrollX_);
    return true;
  }
  int row = RowOf(selected_);
  int page = std::max(PageRows() - 1, 1);
  TTreeNode* n = selected_;
  TTreeNode* target = nullptr;
  switch (Key) {
    case VK_UP: target = row < 0 ? NodeAtRow(topRow_) : NodeAtRow(std::max(row - 1, 0)); break;
    case VK_DOWN: target = row < 0 ? NodeAtRow(topRow_) : NodeAtRow(std::min(row + 1, count - 1)); break;
    case VK_HOME: target = rows_.front(); break;
    case VK_END: target = rows_.back(); break;
    case VK_PRIOR: target = NodeAtRow(std::max(row < 0 ? topRow_ : row - page, 0)); break;
    case VK_NEXT: target = NodeAtRow(std::min(row < 0 ? topRow_ : row + page, count - 1)); break;
    case VK_BACK: target = n ? n->parent_ : NodeAtRow(topRow_); break;
    case VK_LEFT:
      if (!n) target = NodeAtRow(topRow_);
      else if (n->expanded_) CollapseNode(n);
      else target = n->parent_;
      break;
    case VK_RIGHT:
      if (!n) target = NodeAtRow(topRow_);
      else if (!n->expanded_) ExpandNode(n);
      else target = n->first_;
      break;
    default: return false;
  }
  if (target) SelectNode(target, true);
  return true;
}

// '+' expands the selected node, '-' collapses it, '*' expands all below it.
bool TCustomTreeView::ExpandKey(char32_t Ch) {
  if (!selected_) return false;
  if (Ch == U'+') ExpandNode(selected_);
  else if (Ch == U'-') CollapseNode(selected_);
  else ExpandSubtree(selected_);
  if (selected_) MakeNodeVisible(selected_);
  return true;
}

// A typed letter selects the next row whose text starts with it.
void TCustomTreeView::SearchByLetter(char32_t Ch) {
  EnsureLayout();
  int count = static_cast<int>(rows_.size());
  if (count == 0) return;
  auto lower = [](unsigned c) { return c < 0x80 ? static_cast<unsigned>(std::tolower(static_cast<int>(c))) : c; };
  int start = RowOf(selected_);
  for (int i = 1; i <= count; ++i) {
    TTreeNode* n = rows_[(start + i + count) % count];
    if (!n->text_.empty() && lower(static_cast<unsigned char>(n->text_[0])) == lower(Ch)) {
      SelectNode(n, true);
      return;
    }
  }
}

}  // namespace qel
