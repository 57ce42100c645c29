#include "platform/controls/PopupPlacement.h"

#include <algorithm>

#include "platform/controls/Application.h"

namespace qel {

namespace {
// Moves Start back so that Length fits before Limit, but never before 0.
int KeepOn(int Start, int Length, int Limit) { return std::clamp(Start, 0, std::max(Limit - Length, 0)); }
}  // namespace

TRect PlacePopup(const TRect& Anchor, TSize Size, TPopupSide Side, TSize Screen) {
  int w = Size.cx, h = Size.cy, x, y;
  if (Side == TPopupSide::Below) {
    x = Anchor.Left;
    y = Anchor.Bottom;
    if (y + h > Screen.cy && Anchor.Top - h >= 0) y = Anchor.Top - h;
  } else {
    x = Anchor.Right;
    y = Anchor.Top;
    if (x + w > Screen.cx) x = Anchor.Left - w;
  }
  return Bounds(KeepOn(x, w, Screen.cx), KeepOn(y, h, Screen.cy), w, h);
}

TRect PlacePopup(const TRect& Anchor, TSize Size, TPopupSide Side) {
  return PlacePopup(Anchor, Size, Side, Application->Host().ScreenSize());
}

}  // namespace qel
