// DrawEdge: the light and dark one-pixel lines that every bevel, frame and
// button face is built from.
#include "platform/graphics/detail/Raster.h"

namespace qel {

void DrawEdge(TCanvas* Canvas, const TRect& R, TColor Light, TColor Dark, TEdgeShape Shape) {
  if (!Canvas || !Canvas->Surface() || R.IsEmpty()) return;
  const TRect clip = Canvas->DeviceClip();
  if (clip.IsEmpty()) return;
  // Surface coordinates of the outer pixels, wide so extreme rectangles cannot overflow.
  const int64_t left = int64_t(R.Left) + Canvas->Origin().X, top = int64_t(R.Top) + Canvas->Origin().Y;
  const int64_t right = int64_t(R.Right) - 1 + Canvas->Origin().X, bottom = int64_t(R.Bottom) - 1 + Canvas->Origin().Y;
  if (Light != clNone) {
    raster::SpanWriter light(*Canvas->Surface(), clip, ColorToPixel(Light), pmCopy);
    if (Shape.Rows) light.Span(left, right + (Shape.TopRight == ecLight ? 1 : 0), top);
    if (Shape.Columns) light.Column(left, top, bottom + (Shape.BottomLeft == ecLight ? 1 : 0));
  }
  // Dark after light, so that a rectangle one pixel thin ends up dark.
  if (Dark != clNone) {
    raster::SpanWriter dark(*Canvas->Surface(), clip, ColorToPixel(Dark), pmCopy);
    if (Shape.Rows) dark.Span(left + (Shape.BottomLeft == ecDark ? 0 : 1), right + 1, bottom);
    if (Shape.Columns) dark.Column(right, top + (Shape.TopRight == ecDark ? 0 : 1), bottom + 1);
  }
}

}  // namespace qel
