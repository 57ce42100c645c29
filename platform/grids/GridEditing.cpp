// TCustomGrid in-place editing: when the editor shows, where it sits, and
// how its text flows to and from the cell (GetEditText/SetEditText).
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

void TCustomGrid::ShowEditor() {
  editorMode_ = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor() {
  editorMode_ = false;
  HideEdit();
}

void TCustomGrid::UpdateEdit() {}
void TCustomGrid::UpdateEditorContents() {}
void TCustomGrid::UpdateText() {}
void TCustomGrid::HideEdit() {}
void TCustomGrid::InvalidateEditor() {}
void TCustomGrid::RestoreEditText() {}

void TCustomGrid::ShowEditorChar(char32_t) { ShowEditor(); }

}  // namespace qel
