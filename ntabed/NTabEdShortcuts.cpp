// TNTabEd clipboard keys: the keys a spreadsheet user presses run the data
// menu's own actions, under the menu's mask and read-only rules.
//
//   Ctrl+C, Ctrl+Ins    "Copy"
//   Ctrl+X, Shift+Del   "Copy", then "Clear" (nothing when clearing is not allowed)
//   Ctrl+V, Shift+Ins   "Paste" while the clipboard still holds the editor's
//                       own copy (cell states come along), else
//                       "Extract from Clipboard"
//   Delete              "Clear"
#include "ntabed/QEL_ntabed.h"
#include "ntabed/detail/NTabEdInternal.h"
#include "platform/controls/Application.h"
#include "platform/controls/VirtualKeys.h"

namespace qel {

using namespace ntabed;

namespace {
enum class TClipKey : uint8_t { None, Copy, Cut, Paste, Clear };

TClipKey ClipKeyOf(uint16_t Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt)) return TClipKey::None;
  bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
  if (ctrl && !shift) {
    switch (Key) {
      case 'C': case VK_INSERT: return TClipKey::Copy;
      case 'X': return TClipKey::Cut;
      case 'V': return TClipKey::Paste;
      default: return TClipKey::None;
    }
  }
  if (shift && !ctrl) return Key == VK_DELETE ? TClipKey::Cut : Key == VK_INSERT ? TClipKey::Paste : TClipKey::None;
  return !ctrl && !shift && Key == VK_DELETE ? TClipKey::Clear : TClipKey::None;
}
}  // namespace

bool TNTabEd::ClipboardKey(uint16_t Key, TShiftState Shift) {
  switch (ClipKeyOf(Key, Shift)) {
    case TClipKey::None: return false;
    case TClipKey::Copy:
      if (DataItemAllowed(kItemCopy)) PopupMenuClickCopy(this);
      break;
    case TClipKey::Cut:
      if (DataItemAllowed(kItemCopy) && DataItemAllowed(kItemClear)) {
        PopupMenuClickCopy(this);
        PopupMenuClickClear(this);
      }
      break;
    case TClipKey::Paste: PasteFromClipboard(); break;
    case TClipKey::Clear:
      if (DataItemAllowed(kItemClear)) PopupMenuClickClear(this);
      break;
  }
  return true;
}

// The clipboard text keeps numbers only: the copy buffer also has the empty
// and invalid cells and the marks, so it serves while the text is unchanged.
void TNTabEd::PasteFromClipboard() {
  bool ownCopy = copyDone_ && Clipboard()->HasFormat(CF_TEXT) && Clipboard()->GetAsText() == copiedText_;
  if (ownCopy && DataItemAllowed(kItemPaste)) PopupMenuClickPaste(this);
  else if (DataItemAllowed(kItemExtract)) PopupMenuClickExtClip(this);
}

}  // namespace qel
