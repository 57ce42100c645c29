// The bevels, focus frame and disabled text that buttons share, so that
// every button draws them alike.
#pragma once
#include <cstdint>
#include <string>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A one-pixel frame just inside R, light on top and left, dark on bottom and
/// right; R shrinks by one pixel on each side.
void DrawBevel(TCanvas* Canvas, TRect& R, TColor TopLeft, TColor BottomRight);
/// The two-pixel frame of a push button, raised or pushed in; R shrinks by two.
void DrawButtonFrame(TCanvas* Canvas, TRect& R, bool Sunken);
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
