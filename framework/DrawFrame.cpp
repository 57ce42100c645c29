// Frames, outlines and colour mixing.
#include <climits>
#include <utility>

#include "framework/QEL_Base.h"

namespace qel {
namespace {

// A horizontal or vertical line with both end pixels (LineTo leaves out its
// end point, so it is drawn one pixel further).
void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  c->MoveTo(x1, y1);
  if (y1 == y2) c->LineTo(x2 + 1, y1);
  else c->LineTo(x1, y2 + 1);
}

}  // namespace

// The corners are inclusive; a right or bottom edge at INT_MAX stays there.
void DrawFrame(TCanvas* Canvas, TFrameStyle FrameStyle, int Left, int Top, int Right, int Bottom,
               TColor C1, TColor /*C2*/, TColor C3, TColor /*C4*/, TColor C5) {
  if (!Canvas || Right < Left || Bottom < Top) return;
  auto past = [](int v) { return v == INT_MAX ? v : v + 1; };
  StylePainter::PaintFrame(Canvas, {Left, Top, past(Right), past(Bottom)}, FrameLook(FrameStyle), C1, C3, C5);
}

TFrameLook FrameLook(TFrameStyle Style) {
  static_assert(flNone == int(fsNone) && flLine == int(fsSimple) && flLowered == int(fsLowered) &&
                flRaised == int(fsRaised) && flEmbossed == int(fsEmbossed) && flEngraved == int(fsEngraved));
  return Style <= fsEngraved ? TFrameLook(Style) : flNone;
}

void DrawRectangle(TCanvas* Canvas, int Left, int Top, int Right, int Bottom) {
  if (!Canvas) return;
  Line(Canvas, Left, Top, Right, Top);
  Line(Canvas, Right, Top, Right, Bottom);
  Line(Canvas, Left, Bottom, Right, Bottom);
  Line(Canvas, Left, Top, Left, Bottom);
}

TColor MeanColor(TColor A, TColor B) {
  A = ColorToRGB(A);
  B = ColorToRGB(B);
  return RGB((GetRValue(A) + GetRValue(B)) / 2, (GetGValue(A) + GetGValue(B)) / 2,
             (GetBValue(A) + GetBValue(B)) / 2);
}

}  // namespace qel
