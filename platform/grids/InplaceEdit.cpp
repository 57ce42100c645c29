// TInplaceEdit: the borderless edit over the grid's current cell.
#include "platform/grids/InplaceEdit.h"

#include <algorithm>

#include "platform/controls/Forms.h"

namespace qel {

namespace {
uintptr_t AsWParam(TCustomGrid* Grid) { return reinterpret_cast<uintptr_t>(static_cast<TWinControl*>(Grid)); }
}  // namespace

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBorderStyle(bsNone);
  SetCtl3D(false);
  SetTabStop(false);
  SetAutoSize(false);
  SetAutoSelect(false);
  SetVisible(false);
  grid_ = dynamic_cast<TCustomGrid*>(AOwner);
}

// ------------------------------------------------------------ contents ----

void TInplaceEdit::UpdateContents() {
  if (!grid_) return;
  TGridCoord cell = grid_->inplaceCell_;
  filling_ = true;
  try {
    SetText(grid_->GetEditText(cell.X, cell.Y));
    SetMaxLength(grid_->GetEditLimit());
    SetReadOnly(!grid_->CanEditModify());
  } catch (...) {
    filling_ = false;
    throw;
  }
  filling_ = false;
  edited_ = false;
  startText_ = GetText();
}

void TInplaceEdit::Change() {
  TCustomEdit::Change();
  if (filling_ || !grid_) return;
  edited_ = true;
  grid_->UpdateText();
}

// Setting the text hands it to the grid like any change; the cell then
// holds what it held when the editor opened, so there is nothing left to
// write back when the editor closes.
void TInplaceEdit::RestoreText() {
  SetText(startText_);
  edited_ = false;
  SelectAll();
}

void TInplaceEdit::Deselect() { SetSelStart(editor_.Model().Length()); }

// ------------------------------------------------------------ placing ----

void TInplaceEdit::Move(const TRect& Loc) {
  if (grid_) SetColor(grid_->GetColor());
  SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
  if (!GetVisible()) {
    Show();
    editor_.ScrollToCaret();
  }
  if (grid_ && grid_->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::HideEdit() {
  if (!GetVisible()) return;
  if (Focused() && grid_ && grid_->CanFocus()) grid_->SetFocus();
  Hide();
}

// Text where the grid draws it: two pixels in from the cell's corner.
TRect TInplaceEdit::TextArea() {
  TRect c = GetClientRect();
  int lh = editor_.LineHeight();
  int right = std::max(c.Right - 2 - ButtonSpace(), 2);
  return {2, 2, right, std::max(std::min(2 + lh, c.Bottom), 2)};
}

// ---------------------------------------------------------------- keys ----

intptr_t TInplaceEdit::DialogCode() const {
  intptr_t code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (grid_ && grid_->WantsTab()) code |= DLGC_WANTTAB;  // Tab moves on to the grid's next cell
  return code;
}

// Keys that move the current cell belong to the grid. Left, Right, Home and
// End move the cell only while the editor is always shown, and then only
// from the end of the text they point past (or with Ctrl), as on the platform.
void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (!grid_) {
    TCustomEdit::KeyDown(Key, Shift);
    return;
  }
  auto toGrid = [&] {
    grid_->KeyDown(Key, Shift);
    Key = 0;
  };
  bool forward = grid_->GetOptions().Contains(goAlwaysShowEditor), ctrl = Shift.Contains(ssCtrl);
  int start = GetSelStart(), len = GetSelLength(), n = editor_.Model().Length();
  bool all = start == 0 && len == n;
  bool leftSide = (start == 0 && len == 0) || all, rightSide = (start == n && len == 0) || all;
  switch (Key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: toGrid(); break;
    case VK_LEFT: case VK_HOME: if (forward && (ctrl || leftSide)) toGrid(); break;
    case VK_RIGHT: case VK_END: if (forward && (ctrl || rightSide)) toGrid(); break;
    case VK_TAB: if (!Shift.Contains(ssAlt)) toGrid(); break;
    case VK_DELETE: if (ctrl) toGrid(); break;
    case VK_ESCAPE:
      grid_->KeyDown(Key, Shift);
      if (Key != 0) {
        RestoreText();
        if (!forward) grid_->HideEditor();
        Key = 0;
      }
      break;
    case VK_F2:
      if (grid_->OnKeyDown) grid_->OnKeyDown(grid_, Key, Shift);
      if (Key == VK_F2) {
        Deselect();
        Key = 0;
      }
      break;
    default:
      if (grid_->OnKeyDown) grid_->OnKeyDown(grid_, Key, Shift);
      break;
  }
  if (Key != 0) TCustomEdit::KeyDown(Key, Shift);
}

// The grid sees every character first: Enter toggles the editor there.
void TInplaceEdit::KeyPress(char32_t& Key) {
  if (grid_) {
    grid_->KeyPress(Key);
    switch (Key) {
      case U'\t': case 27: Key = 0; break;
      case U'\r':
        // Enter with the editor always shown: select all, or the caret to the end.
        if (GetSelStart() == 0 && GetSelLength() == editor_.Model().Length()) Deselect(); else SelectAll();
        Key = 0;
        break;
      default: break;
    }
  }
  if (Key != 0) TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (grid_) grid_->KeyUp(Key, Shift);
  if (Key != 0) TCustomEdit::KeyUp(Key, Shift);
}

// ---------------------------------------------------------------- focus ----

// The grid and its editor count as one control for entering and leaving.
void TInplaceEdit::DoEnter() {
  if (grid_ && !focusFromGrid_) grid_->DoEnter();
  TCustomEdit::DoEnter();
}

void TInplaceEdit::DoExit() {
  TCustomEdit::DoExit();
  if (grid_ && !focusToGrid_) grid_->DoExit();
}

void TInplaceEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      focusFromGrid_ = grid_ && Message.WParam == AsWParam(grid_);
      break;
    case WM_KILLFOCUS:
      focusToGrid_ = grid_ && Message.WParam == AsWParam(grid_);
      if (focusToGrid_) grid_->enterFromEditor_ = true;
      break;
    default:
      break;
  }
  TCustomEdit::WndProc(Message);
}

}  // namespace qel
