// Pixel work for text: glyph coverage blended onto a surface, and the
// rectangles of a (possibly rotated) text cell filled. Coordinates are
// surface pixels; Clip is the writable part of the surface.
#pragma once
#include <cstdint>

#include "platform/graphics/GlyphCache.h"
#include "platform/rtl/Types.h"

namespace qel {

class TBitmap;

// A text cell's frame on the surface: its top-left corner (pixel corners,
// not centres) and its rotation, counter-clockwise, as cosine and sine.
// Cell coordinates (u, v) run along the baseline and down from the top.
struct CellFrame {
  double X = 0, Y = 0;
  double Cos = 1, Sin = 0;
  int Angle = 0;  // tenths of a degree, 0..3599
  // Where cell point (u, v) lands on the surface.
  double MapX(double u, double v) const { return X + u * Cos + v * Sin; }
  double MapY(double u, double v) const { return Y - u * Sin + v * Cos; }
};
CellFrame MakeCellFrame(int64_t X, int64_t Y, int Angle);

// Blends Pixel into the surface with the glyph's coverage, its origin at (X, Y).
void BlendGlyph(TBitmap& Surface, const TRect& Clip, const CachedGlyph& Glyph, int X, int Y, uint32_t Pixel);

// Fills the cell rectangle [U0, U1) x [V0, V1) of Frame: the pixels whose
// centres lie inside it (exactly the axis-aligned rectangle when unrotated).
// Only the part inside Clip is worked out, however far the cell reaches.
void FillCellRect(TBitmap& Surface, const TRect& Clip, const CellFrame& Frame, int64_t U0, int64_t V0, int64_t U1,
                  int64_t V1, uint32_t Pixel);

// Fills a surface rectangle.
void FillSurfaceRect(TBitmap& Surface, const TRect& Clip, const TRect& R, uint32_t Pixel);

}  // namespace qel
