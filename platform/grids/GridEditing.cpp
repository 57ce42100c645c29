// TCustomGrid in-place editing: when the editor may show and the editor
// mode. The edit control itself (TInplaceEdit, over the current cell) is
// not part of the library yet: CreateEditor makes none, so the grid never
// enters editor mode and every key keeps its plain meaning.
#include "platform/grids/Grids.h"

namespace qel {

bool TCustomGrid::CanEditShow() {
  return (options_ * TGridOptions{goRowSelect, goEditing}) == TGridOptions{goEditing} && editorMode_ &&
         !ComponentState().Contains(csDesigning) && HandleAllocated() &&
         (options_.Contains(goAlwaysShowEditor) || Focused());
}

TInplaceEdit* TCustomGrid::CreateEditor() { return nullptr; }

void TCustomGrid::SetEditorMode(bool v) {
  if (v) ShowEditor(); else HideEditor();
}

// Editor mode needs an editor: without one the cell stays drawn as it is.
void TCustomGrid::ShowEditor() {
  if (!inplaceEdit_) inplaceEdit_ = CreateEditor();
  if (!inplaceEdit_) return;
  editorMode_ = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor() {
  editorMode_ = false;
  HideEdit();
}

// Without an edit control there is nothing to place, fill or hide.
void TCustomGrid::UpdateEdit() {}
void TCustomGrid::HideEdit() {}
void TCustomGrid::InvalidateEditor() {}

bool TCustomGrid::ShowEditorChar(char32_t) {
  ShowEditor();
  return editorMode_;
}

}  // namespace qel
