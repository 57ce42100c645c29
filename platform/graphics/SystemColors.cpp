// The desktop colour table behind the system colours: the classic
// light-grey look. Entries are TColor values (0x00BBGGRR).
#include "platform/graphics/Colors.h"

namespace qel {

namespace {
constexpr TColor kSystemColors[] = {
    RGB(200, 200, 200),  // scroll bar
    RGB(58, 110, 165),   // desktop background
    RGB(10, 36, 106),    // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(212, 208, 200),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(212, 208, 200),  // active border
    RGB(212, 208, 200),  // inactive border
    RGB(128, 128, 128),  // application work space
    RGB(10, 36, 106),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(212, 208, 200),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(212, 208, 200),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(64, 64, 64),     // 3-D dark shadow
    RGB(212, 208, 200),  // 3-D light
    RGB(0, 0, 0),        // tool-tip text
    RGB(255, 255, 225),  // tool-tip background
    RGB(181, 181, 181),  // (unused index 25)
    RGB(0, 0, 128),      // hot-tracked item
    RGB(166, 202, 240),  // active caption gradient
    RGB(192, 192, 192),  // inactive caption gradient
    RGB(49, 106, 197),   // menu highlight
    RGB(212, 208, 200),  // menu bar
};
constexpr unsigned kCount = sizeof kSystemColors / sizeof kSystemColors[0];
}  // namespace

TColor ColorToRGB(TColor Color) {
  if ((Color & 0xFF000000) != clSystemColor) return Color;
  unsigned index = Color & 0xFF;
  return index < kCount ? kSystemColors[index] : clBlack;
}

}  // namespace qel
