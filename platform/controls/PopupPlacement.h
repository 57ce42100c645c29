// Where a popup window goes on the screen: drop-down lists, calendars,
// menus and hints all follow these two rules, so none leaves the screen.
#pragma once
#include "platform/rtl/Types.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Which side of its anchor a popup opens on.
enum class TPopupSide {
  Below,   ///< under the anchor, left edges aligned; above it when the screen ends below and there is room above
  Beside,  ///< right of the anchor, tops aligned; left of it when the screen ends on the right
};

/// The screen rectangle of a popup of Size opened at Anchor (a screen
/// rectangle; it may be empty, a point) on a screen of size Screen: the
/// preferred place, else the other side, and in any case moved back onto the
/// screen as far as its size allows.
TRect PlacePopup(const TRect& Anchor, TSize Size, TPopupSide Side, TSize Screen);

/// PlacePopup on the host's screen.
TRect PlacePopup(const TRect& Anchor, TSize Size, TPopupSide Side);

QEL_API_END
}  // namespace qel
