// What a canvas primitive needs to draw: surface, clip, origin and the pen
// and brush resolved to pixels. Shared by the shape files; internal.
#pragma once
#include <span>
#include <vector>

#include "platform/graphics/detail/Raster.h"

namespace qel::raster {

struct Point64 {
  int64_t x = 0, y = 0;
};

struct Paint {
  TBitmap* surface = nullptr;
  TRect clip;        // surface coordinates
  int64_t ox = 0, oy = 0;  // canvas origin on the surface
  bool penOn = false, brushOn = false;
  uint32_t penPixel = 0, brushPixel = 0;
  TPenMode mode = pmCopy;  // raster operation for pen and brush alike
  int width = 1;
  TPenStyle style = psSolid;  // styles other than solid only on one-pixel pens
  bool insideFrame = false;   // a wide pen kept inside a shape's box

  // False when there is nothing to draw on.
  static bool From(TCanvas& Canvas, Paint& Out);
  Point64 Device(int X, int Y) const { return {X + ox, Y + oy}; }
  SpanWriter PenWriter() const { return {*surface, clip, penPixel, mode}; }
  SpanWriter BrushWriter() const { return {*surface, clip, brushPixel, mode}; }
  bool Thin() const { return width <= 1; }
};

// Outlines the path with the pen: thin pens leave out the end point of the
// last segment, wide pens stroke round-ended; Closed adds the closing edge.
void StrokePath(const Paint& P, std::span<const Point64> Points, bool Closed);

}  // namespace qel::raster
