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

// One ring on the inclusive corners (l, t) and (r, b): top and left in
// TopLeft, then bottom and right in BottomRight, which takes the corners
// where the two meet.
void Bevel(TCanvas* c, int l, int t, int r, int b, TColor topLeft, TColor bottomRight) {
  auto past = [](int v) { return v == INT_MAX ? v : v + 1; };
  DrawEdge(c, {l, t, past(r), past(b)}, topLeft, bottomRight);
}

}  // namespace

void DrawFrame(TCanvas* Canvas, TFrameStyle FrameStyle, int Left, int Top, int Right, int Bottom,
               TColor C1, TColor /*C2*/, TColor C3, TColor /*C4*/, TColor C5) {
  if (!Canvas || Right < Left || Bottom < Top || FrameStyle == fsNone) return;
  switch (FrameStyle) {
    case fsNone: break;
    case fsSimple: Bevel(Canvas, Left, Top, Right, Bottom, C5, C5); break;
    case fsLowered: Bevel(Canvas, Left, Top, Right, Bottom, C3, C1); break;
    case fsRaised: Bevel(Canvas, Left, Top, Right, Bottom, C1, C3); break;
    case fsEmbossed:
      Bevel(Canvas, Left, Top, Right, Bottom, C1, C3);
      if (Right - Left >= 2 && Bottom - Top >= 2) Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, C3, C1);
      break;
    case fsEngraved:
      Bevel(Canvas, Left, Top, Right, Bottom, C3, C1);
      if (Right - Left >= 2 && Bottom - Top >= 2) Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, C1, C3);
      break;
  }
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
