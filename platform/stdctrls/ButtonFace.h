// The drop-down button, focus frame, latched face and disabled text that
// buttons share, so that every button draws them alike (their bevels come
// from StylePainter).
#pragma once
#include <cstdint>
#include <string>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/StylePainter.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// The button at the right of a drop-down field (combo box, pick-list cell):
/// a flat bevelled face with a small downward arrow or three dots, moved one
/// pixel right and down while pushed in.
///@{
enum TDropDownGlyph : uint8_t { dgArrow, dgEllipsis };
void DrawDropDownButton(TCanvas* Canvas, const TRect& R, bool Sunken, bool Enabled, TDropDownGlyph Glyph);
///@}
/// A dotted frame just inside R, every other pixel.
void DrawFocusDots(TCanvas* Canvas, const TRect& R, TColor Color = clBlack);
/// A checkerboard of two colours: the face of a latched (exclusive) button.
void FillChecked(TCanvas* Canvas, const TRect& R, TColor A, TColor B);
/// Text in the disabled look: a highlight copy one pixel right and down, the
/// shadow copy on top. Uses the canvas font except for its colour.
void DrawDisabledText(TCanvas* Canvas, const std::string& Text, TRect R, unsigned Flags);

QEL_API_END
}  // namespace qel
