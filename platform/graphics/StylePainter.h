// StylePainter: every bevel and frame of the library in one place, each a
// few rings of one-pixel light and dark lines drawn with DrawEdge, so that
// two controls with the same look draw the same pixels.
#pragma once
#include <cstdint>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// How a framed area looks, outside in.
enum TFrameLook : uint8_t {
  flNone,      ///< No frame
  flLine,      ///< One line of a single colour
  flLowered,   ///< Dark on top and left, light on bottom and right
  flRaised,    ///< Light on top and left, dark on bottom and right
  flEmbossed,  ///< A raised ring round a lowered one: a ridge
  flEngraved   ///< A lowered ring round a raised one: a groove
};

/// Every bevel and frame of the library in one place, drawn with DrawEdge:
/// buttons, scroll-bar parts, popups, component frames and the sunken border.
class StylePainter {
 public:
  /// One ring just inside R, Light on top and left, Dark on bottom and right
  /// (clNone leaves a colour out); R shrinks by one pixel on each side.
  static void PaintBevel(TCanvas* Canvas, TRect& R, TColor Light, TColor Dark);
  /// The two rings of a push button, raised or pushed in; R shrinks by two.
  static void PaintButtonFrame(TCanvas* Canvas, TRect& R, bool Sunken);
  /// A scroll-bar button or thumb: the face, then two raised rings (the
  /// lighter one outside); a face under 4 pixels has no rings.
  static void PaintScrollButton(TCanvas* Canvas, const TRect& R);
  /// A flat raised box: the face and one highlight and shadow ring.
  static void PaintRaisedBox(TCanvas* Canvas, const TRect& R);
  /// The sunken two-pixel border of a 3D windowed control.
  static void PaintSunkenBorder(TCanvas* Canvas, const TRect& R);
  /// A popup window: raised, with a second shadow line inside the dark one.
  static void PaintPopupFrame(TCanvas* Canvas, const TRect& R);
  /// A component's frame along the edge of R: Line alone (flLine), one ring
  /// (lowered, raised) or two (embossed, engraved, the inner one only where
  /// R is at least 3 pixels across) in Light and Dark. The inside is untouched.
  static void PaintFrame(TCanvas* Canvas, const TRect& R, TFrameLook Look, TColor Light, TColor Dark,
                         TColor Line);
  /// A display window's frame (a dot-matrix panel): outlines one pixel apart,
  /// with a Black line inside the lowered and raised looks.
  static void PaintDisplayFrame(TCanvas* Canvas, const TRect& R, TFrameLook Look, TColor Black, TColor Dark,
                                TColor Light);
};

QEL_API_END
}  // namespace qel
