// DrawText: the platform's formatted text output into a rectangle, with the
// alignment types the text controls share.
#pragma once
#include <cstdint>
#include <string>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// Horizontal alignment of text.
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
/// Vertical placement of text.
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

/// Format flags, with the platform's values.
///@{
constexpr unsigned DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                   DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
                   DT_NOCLIP = 0x100, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800;
///@}

/// Draws UTF-8 Text into Rect with the canvas font, as the platform does:
///  - lines break at '\n' (not with DT_SINGLELINE), and with DT_WORDBREAK
///    between words that would pass Rect's right edge (a longer word stays whole);
///  - each line is placed left, centred or right; DT_VCENTER and DT_BOTTOM
///    place the text vertically only with DT_SINGLELINE;
///  - '&' underlines the next character and "&&" is a literal '&', unless
///    DT_NOPREFIX; DT_EXPANDTABS sets tab stops every eight average characters;
///  - a solid canvas brush fills the cells behind the text lines, a clear one
///    leaves the background; drawing is clipped to Rect unless DT_NOCLIP;
///  - DT_CALCRECT draws nothing and sets Rect's Right and Bottom to the
///    extent of the laid-out text (empty text: no extent).
/// Returns the height of the text; with DT_VCENTER or DT_BOTTOM the distance
/// from Rect's top to the text's bottom instead.
int DrawText(TCanvas* Canvas, const std::string& Text, TRect& Rect, unsigned Flags);

QEL_API_END
}  // namespace qel
