// TColor: 0x00BBGGRR, or 0xFF0000nn for the system colour with index nn.
#pragma once
#include <cstdint>
#include <string>

#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A colour: 0x00BBGGRR, or 0xFF0000nn for system colour nn (see ColorToRGB).
using TColor = uint32_t;

/// Named colours; clNone is no colour at all, clDefault the control's own.
///@{
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clLtGray = 0xC0C0C0, clDkGray = 0x808080,
                 clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0,
                 clNone = 0x1FFFFFFF, clDefault = 0x20000000;
///@}

/// The flag of a system colour.
constexpr TColor clSystemColor = 0xFF000000;
/// System colours: resolved through the desktop colour table when drawn.
///@{
constexpr TColor clScrollBar = 0xFF000000, clBackground = 0xFF000001, clActiveCaption = 0xFF000002,
                 clInactiveCaption = 0xFF000003, clMenu = 0xFF000004, clWindow = 0xFF000005,
                 clWindowFrame = 0xFF000006, clMenuText = 0xFF000007, clWindowText = 0xFF000008,
                 clCaptionText = 0xFF000009, clActiveBorder = 0xFF00000A, clInactiveBorder = 0xFF00000B,
                 clAppWorkSpace = 0xFF00000C, clHighlight = 0xFF00000D, clHighlightText = 0xFF00000E,
                 clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                 clBtnText = 0xFF000012, clInactiveCaptionText = 0xFF000013, clBtnHighlight = 0xFF000014,
                 cl3DDkShadow = 0xFF000015, cl3DLight = 0xFF000016, clInfoText = 0xFF000017,
                 clInfoBk = 0xFF000018, clHotLight = 0xFF00001A, clGradientActiveCaption = 0xFF00001B,
                 clGradientInactiveCaption = 0xFF00001C, clMenuHighlight = 0xFF00001D, clMenuBar = 0xFF00001E;
///@}

/// Resolves a system colour through the desktop colour table (the classic
/// light-grey look); any other value comes back unchanged.
TColor ColorToRGB(TColor Color);

/// The platform's constant name ("clRed", "clBtnFace") where there is one,
/// else "$00BBGGRR" in eight upper-case hexadecimal digits.
std::string ColorToString(TColor Color);
/// The inverse: a constant name (case-insensitive) or a number in Pascal
/// syntax ("$FF", "255"); raises EConvertError for anything else.
///@{
TColor StringToColor(const std::string& S);
bool IdentToColor(const std::string& Ident, TColor& Color);
bool ColorToIdent(TColor Color, std::string& Ident);
///@}

/// The red, green and blue parts of a colour (0..255).
///@{
inline uint8_t GetRValue(TColor c) { return c & 0xFF; }
inline uint8_t GetGValue(TColor c) { return (c >> 8) & 0xFF; }
inline uint8_t GetBValue(TColor c) { return (c >> 16) & 0xFF; }
///@}
/// The colour of red, green and blue parts (0..255).
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }

/// Pixels in a TBitmap are 0x00RRGGBB (bytes B, G, R, 0 in memory, as the
/// platform's 32-bit device-independent bitmaps); TColor has R and B swapped.
inline uint32_t ColorToPixel(TColor c) {
  c = ColorToRGB(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
/// The TColor of a pixel.
inline TColor PixelToColor(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

QEL_API_END
}  // namespace qel
