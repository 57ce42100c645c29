// TCustomGrid in-place editing: when the editor may show, the editor mode,
// placing and filling the editor, and handing its text back through
// SetEditText. The edit controls are in InplaceEdit.h.
//
// SetEditText hears every change the user makes as it happens, and the
// final text once more when the editor closes; a cell the user did not
// change is never written back, so opening and closing the editor cannot
// alter a value whose edit text is a rounded or formatted form of it.
#include "platform/controls/Forms.h"
#include "platform/grids/InplaceEdit.h"

namespace qel {

void TInplaceEditDeleter::operator()(TInplaceEdit* Editor) const { delete Editor; }

bool TCustomGrid::CanEditShow() {
  return (options_ * TGridOptions{goRowSelect, goEditing}) == TGridOptions{goEditing} && editorMode_ &&
         !ComponentState().Contains(csDesigning) && HandleAllocated() &&
         (options_.Contains(goAlwaysShowEditor) || FocusInside());
}

bool TCustomGrid::FocusInside() const {
  return Focused() || (inplaceEdit_ && inplaceEdit_->Focused());
}

TInplaceEdit* TCustomGrid::CreateEditor() {
  auto* editor = new TInplaceEditList(this);
  editor->OnGetPickListItems = [this](int ACol, int ARow, TStrings* Items) { GetPickListItems(ACol, ARow, Items); };
  editor->OnEditButtonClick = [this](TObject*) { EditButtonClick(); };
  return editor;
}

void TCustomGrid::SetEditorMode(bool v) {
  if (v) ShowEditor(); else HideEditor();
}

// No editor mode where no editor may show: the current cell would stay
// unpainted under an editor that is not there.
void TCustomGrid::ShowEditor() {
  if ((options_ * TGridOptions{goRowSelect, goEditing}) != TGridOptions{goEditing}) return;
  editorMode_ = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor() {
  editorMode_ = false;
  HideEdit();
}

// Makes the editor when first needed, refills it when the current cell
// changed, and places it on that cell (hidden while the cell is off screen).
void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) return;
  if (!inplaceEdit_) {
    inplaceEdit_.reset(CreateEditor());
    if (!inplaceEdit_) {
      editorMode_ = false;  // a descendant that edits without an editor
      return;
    }
    inplaceEdit_->SetGrid(this);
    inplaceEdit_->SetParent(this);
  }
  if (!(inplaceCell_ == current_)) {
    HideEdit();
    inplaceCell_ = current_;
    inplaceEdit_->UpdateContents();
    inplaceEdit_->SelectAll();
  }
  TRect cell = CellRect(current_.X, current_.Y);
  if (cell.IsEmpty()) inplaceEdit_->HideEdit();
  else inplaceEdit_->Move(cell);
}

// The editor's text goes to its cell once more if the user changed it; the
// editor hides whatever SetEditText does.
void TCustomGrid::HideEdit() {
  if (!inplaceEdit_) return;
  TGridCoord cell = inplaceCell_;
  inplaceCell_ = {-1, -1};
  bool edited = cell.X >= 0 && inplaceEdit_->Edited();
  try {
    if (edited) SetEditText(cell.X, cell.Y, inplaceEdit_->GetText());
  } catch (...) {
    inplaceEdit_->HideEdit();
    throw;
  }
  inplaceEdit_->HideEdit();
}

// The user changed the editor's text.
void TCustomGrid::UpdateText() {
  if (inplaceEdit_ && inplaceCell_.X >= 0) SetEditText(inplaceCell_.X, inplaceCell_.Y, inplaceEdit_->GetText());
}

// Scrolling and resizing move the editor with its cell.
void TCustomGrid::InvalidateEditor() {
  if (editorMode_) UpdateEdit();
}

// Typing on the grid starts editing: the character replaces the text.
bool TCustomGrid::ShowEditorChar(char32_t Ch) {
  ShowEditor();
  if (!inplaceEdit_ || !inplaceEdit_->Focused()) return false;
  inplaceEdit_->Perform(WM_CHAR, Ch);
  return true;
}

// Moving the focus between the grid and its editor is no entering or
// leaving for the program.
void TCustomGrid::DoEnter() {
  bool fromEditor = enterFromEditor_;
  enterFromEditor_ = false;
  if (fromEditor) return;
  TCustomControl::DoEnter();
  UpdateEdit();
}

// The platform keeps the editor mode off once the focus has left the grid.
void TCustomGrid::DoExit() {
  enterFromEditor_ = false;
  if (FocusInside()) return;
  TCustomControl::DoExit();
  if (!options_.Contains(goAlwaysShowEditor)) HideEditor();
}

// ------------------------------------------------- TCustomDrawGrid ----

void TCustomDrawGrid::GetPickListItems(int ACol, int ARow, TStrings* Items) {
  if (OnGetPickListItems) OnGetPickListItems(this, ACol, ARow, Items);
}

void TCustomDrawGrid::EditButtonClick() {
  if (OnEditButtonClick) OnEditButtonClick(this);
}

}  // namespace qel
