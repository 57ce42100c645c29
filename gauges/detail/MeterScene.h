// What a meter paint drew over its face: the needles, the lamps and the
// settings of everything else drawn after the needles. When only needles
// and lamps differ from the last paint, a value change repaints just the
// pixels they touch (MeterValuePaint.cpp).
#pragma once
#include <string>

#include "gauges/detail/MeterNeedle.h"

namespace qel {

// The settings of the cover, bevel, anchor, lamps and frame; colours as
// resolved pixels, so a change of the system colours shows too.
struct TMeterOverlayKey {
  int w = 0, h = 0, rimTop = 0, rimBottom = 0, rimSide = 0, layout = 0, anchorSize = 0, frameStyle = 0;
  bool anchorCovered = false, hasAnchorImage = false, lampHigh = false, lampLow = false;
  uint32_t cover = 0, lampActive = 0, lampPassive = 0, frameDark = 0, frameLight = 0, back = 0;
  bool operator==(const TMeterOverlayKey&) const = default;
};

// Both needles as drawn; a needle left out is not drawn.
struct TMeterNeedles {
  meter::TNeedleShape primary, secondary;
  bool hasPrimary = false, hasSecondary = false;
};

struct TMeterScene {
  bool valid = false;  // false: an application handler drew too, or nothing is known
  TMeterOverlayKey overlay;
  std::string anchorImage;  // apart from the key: a value change compares it without a copy
  TMeterNeedles needles;
  bool overflow = false, underflow = false;
};

// Where the last picture was copied to on the control, so a value change
// can copy only what changed when the target is still the same.
struct TMeterCopyTarget {
  const TBitmap* surface = nullptr;
  TPoint origin;
  TRect clip;
  TCopyMode copyMode = cmSrcCopy;
  bool operator==(const TMeterCopyTarget&) const = default;
};

}  // namespace qel
