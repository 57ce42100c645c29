// The needle: its seven-point polygon and how it is drawn with its shadow.
#pragma once
#include <array>

#include "gauges/QEL_Meter.h"

namespace qel::meter {

// Corner of the head, tip, other corner, where the shaft meets the head,
// the shaft's two ends at the pivot, where the shaft meets the head on the
// first side. AlphaDeg is the scale angle of the needle's value.
std::array<TPoint, 7> NeedlePolygon(const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N);

// The shadow (moved by -ShadowDx, -ShadowDy) when there is one, then the
// needle in its outline and body colours with a solid brush.
void DrawNeedle(TCanvas& C, const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N);

}  // namespace qel::meter
