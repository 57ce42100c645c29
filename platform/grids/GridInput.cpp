// TCustomGrid input: keys, the mouse (selection, sizing borders, the scroll
// bars), the wheel and the dialog code.
#include <algorithm>

#include "platform/controls/Forms.h"
#include "platform/grids/Grids.h"
#include "platform/grids/InplaceEdit.h"

namespace qel {

// ------------------------------------------------------------- keys ----

void TCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  bool rowSelect = options_.Contains(goRowSelect);
  TGridAxisInfo h = HorzInfo(), v = VertInfo();
  int pageW = PageCount(h, topLeft_.X), pageH = PageCount(v, topLeft_.Y);
  TGridCoord cur = current_, top = topLeft_;
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
      case VK_TAB:
        if (Shift.Contains(ssAlt)) break;
        FocusNextControl(!Shift.Contains(ssShift));
        Key = 0;
        return;
      case VK_UP: --top.Y; break;
      case VK_DOWN: ++top.Y; break;
      case VK_LEFT: if (!rowSelect) { cur.X -= pageW; top.X -= pageW; } break;
      case VK_RIGHT: if (!rowSelect) { cur.X += pageW; top.X += pageW; } break;
      case VK_PRIOR: cur.Y = topLeft_.Y; break;
      case VK_NEXT: cur.Y = v.lastFullVisible; break;
      case VK_HOME: cur = {cols_.fixed, rows_.fixed}; break;
      case VK_END: cur = {cols_.count - 1, rows_.count - 1}; break;
      default: break;
    }
  } else {
    switch (Key) {
      case VK_UP: --cur.Y; break;
      case VK_DOWN: ++cur.Y; break;
      case VK_LEFT: if (rowSelect) --top.X; else --cur.X; break;
      case VK_RIGHT: if (rowSelect) ++top.X; else ++cur.X; break;
      case VK_NEXT: cur.Y += pageH; top.Y += pageH; break;
      case VK_PRIOR: cur.Y -= pageH; top.Y -= pageH; break;
      case VK_HOME: if (rowSelect) cur.Y = rows_.fixed; else cur.X = cols_.fixed; break;
      case VK_END: if (rowSelect) cur.Y = rows_.count - 1; else cur.X = cols_.count - 1; break;
      case VK_TAB:
        if (!Shift.Contains(ssAlt) && WantsTab()) {
          cur = TabStep(cur, Shift.Contains(ssShift));
          Shift.Exclude(ssShift);  // a Tab moves the anchor with the cell
        }
        break;
      case VK_F2:
        SetEditorMode(true);
        if (inplaceEdit_) inplaceEdit_->Deselect();  // F2 edits from the end of the text
        break;
      default: break;
    }
  }
  int maxLeft = MaxTopLeft(cols_, h, cols_.count - 1), maxTop = MaxTopLeft(rows_, v, rows_.count - 1);
  top.X = std::clamp(top.X, cols_.fixed, std::max(maxLeft, cols_.fixed));
  top.Y = std::clamp(top.Y, rows_.fixed, std::max(maxTop, rows_.fixed));
  if (top.X != topLeft_.X || top.Y != topLeft_.Y) MoveTopLeft(top.X, top.Y);
  cur.X = std::clamp(cur.X, cols_.fixed, cols_.count - 1);
  cur.Y = std::clamp(cur.Y, rows_.fixed, rows_.count - 1);
  if (cur.X != current_.X || cur.Y != current_.Y) FocusCell(cur.X, cur.Y, !Shift.Contains(ssShift));
}

// Tab walks along the row and wraps to the next (Backwards: Shift+Tab).
TGridCoord TCustomGrid::TabStep(TGridCoord Cell, bool Backwards) const {
  if (Backwards) {
    if (--Cell.X < cols_.fixed) {
      Cell.X = cols_.count - 1;
      if (--Cell.Y < rows_.fixed) Cell.Y = rows_.count - 1;
    }
  } else if (++Cell.X >= cols_.count) {
    Cell.X = cols_.fixed;
    if (++Cell.Y >= rows_.count) Cell.Y = rows_.fixed;
  }
  return Cell;
}

bool TCustomGrid::WantsTab() { return (Perform(WM_GETDLGCODE) & DLGC_WANTTAB) != 0; }

void TCustomGrid::FocusNextControl(bool GoForward) {
  TCustomForm* form = GetParentForm();
  if (!form) return;
  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  TWinControl* from = this;
  // The grid's editors follow it in tab order: step over them, at most once round.
  for (size_t step = 0; step < order.size(); ++step) {
    TWinControl* next = form->FindNextControl(from, GoForward, true, false);
    if (!next || next == this) return;
    if (!ContainsControl(next)) {
      next->SetFocus();
      return;
    }
    from = next;
  }
}

// Enter opens and closes the editor (unless it is always shown).
void TCustomGrid::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == U'\r' && !options_.Contains(goAlwaysShowEditor)) {
    if (editorMode_) HideEditor(); else ShowEditor();
    Key = 0;
  }
}

void TCustomGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (options_.Contains(goTabs) ? DLGC_WANTTAB : 0);
      return;
    case WM_CHAR: {
      // Typing on a cell of an editable grid starts editing with that character.
      char32_t ch = static_cast<char32_t>(Message.WParam);
      if (options_.Contains(goEditing) && (ch == 8 || ch >= 32) && ShowEditorChar(ch)) return;
      break;
    }
    case WM_SETFOCUS: case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      InvalidateGridRect(GetSelection());
      return;
    default: break;
  }
  TCustomControl::WndProc(Message);
}

// ------------------------------------------------------------ mouse ----

// A press within a few pixels of a scrollable cell's border in the fixed
// rows (columns) starts sizing that column (row).
bool TCustomGrid::CalcSizingState(int X, int Y) {
  gridState_ = gsNormal;
  sizingIndex_ = -1;
  auto axis = [&](const TGridAxisInfo& info, const TGridAxis& a, int pos, TGridState state) {
    int range = std::max(info.lineWidth, 7), back = info.lineWidth < 7 ? (7 - info.lineWidth) / 2 : 0;
    for (TGridAxisWalk w = TGridAxisWalk::Scrolled(a, info); w.cell < a.count; w.Next()) {
      int line = w.End();
      if (line > info.gridBoundary) break;
      if (pos >= line - back && pos <= line - back + range) {
        gridState_ = state;
        sizingPos_ = line;
        sizingOfs_ = line - pos;
        sizingIndex_ = w.cell;
        return;
      }
    }
  };
  TGridAxisInfo h = HorzInfo(), v = VertInfo();
  if (X > h.fixedBoundary && options_.Contains(goColSizing)) {
    if (Y < v.fixedBoundary) axis(h, cols_, X, gsColSizing);
  } else if (Y > v.fixedBoundary && options_.Contains(goRowSizing)) {
    if (X < h.fixedBoundary) axis(v, rows_, Y, gsRowSizing);
  }
  return gridState_ != gsNormal;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    for (TClientScrollBar* bar : {&vbar_, &hbar_})
      if (!bar->Bounds().IsEmpty() && bar->MouseDown({X, Y})) {
        barTracking_ = bar;
        SetControlStateItem(csClicked, false);  // the bar's press is not a click on the grid
        return;
      }
  }
  if (!GetClientRect().Contains({X, Y})) return;  // on the border
  if (CanFocus()) {
    SetFocus();
    if (!Focused()) {
      SetMouseCapture(false);
      return;
    }
  }
  if (Button == mbLeft && !Shift.Contains(ssDouble)) {
    if (CalcSizingState(X, Y)) {
      Invalidate();
    } else {
      TGridCoord hit = MouseCoord(X, Y);
      if (hit.X >= cols_.fixed && hit.Y >= rows_.fixed) {
        // The grid clicks for a press on a cell itself (now, or at the end of
        // the selection), so the release must not click a second time.
        SetControlStateItem(csClicked, false);
        if (options_.Contains(goEditing)) {
          if (hit == current_) ShowEditor();
          else {
            MoveCurrent(hit.X, hit.Y, true, true);
            UpdateEdit();
          }
          Click();
        } else {
          gridState_ = gsSelecting;
          if (Shift.Contains(ssShift)) MoveAnchor(hit);
          else MoveCurrent(hit.X, hit.Y, true, true);
        }
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (barTracking_) {
    barTracking_->MouseMove({X, Y});
    return;
  }
  switch (gridState_) {
    case gsSelecting: {
      TGridAxisInfo h = HorzInfo(), v = VertInfo();
      TGridCoord hit = MouseCoord(X, Y);
      if (hit.X >= cols_.fixed && hit.Y >= rows_.fixed && hit.X <= h.lastFullVisible + 1 &&
          hit.Y <= v.lastFullVisible + 1 && !(hit == anchor_))
        MoveAnchor(hit);
      break;
    }
    case gsColSizing: case gsRowSizing: {
      sizingPos_ = std::max((gridState_ == gsColSizing ? X : Y) + sizingOfs_, SizingStart() + 1);
      Invalidate();
      break;
    }
    default: {
      if (GetClientRect().Contains({X, Y}) && CalcSizingState(X, Y)) {
        SetCursor(gridState_ == gsColSizing ? crHSplit : crVSplit);
      } else {
        SetCursor(crDefault);
      }
      gridState_ = gsNormal;
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (barTracking_) {
    TClientScrollBar* bar = barTracking_;
    barTracking_ = nullptr;
    bar->MouseUp({X, Y});
    return;
  }
  switch (gridState_) {
    case gsSelecting:
      MouseMove(Shift, X, Y);
      gridState_ = gsNormal;
      UpdateEdit();
      Click();
      break;
    case gsColSizing: case gsRowSizing: {
      bool col = gridState_ == gsColSizing;
      int size = sizingPos_ - SizingStart();
      gridState_ = gsNormal;
      Invalidate();
      if (size > 1) {
        if (col) SetColWidths(sizingIndex_, size); else SetRowHeights(sizingIndex_, size);
      }
      break;
    }
    default: break;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// Each notch moves the current row by one, as on the platform.
bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (current_.Y < rows_.count - 1) SetRow(current_.Y + 1);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (current_.Y > rows_.fixed) SetRow(current_.Y - 1);
  return true;
}

}  // namespace qel
