// The needle: its seven-point polygon and how it is drawn with its shadow.
#pragma once
#include <array>

#include "gauges/QEL_Meter.h"

namespace qel::meter {

// Corner of the head, tip, other corner, where the shaft meets the head,
// the shaft's two ends at the pivot, where the shaft meets the head on the
// first side. AlphaDeg is the scale angle of the needle's value.
std::array<TPoint, 7> NeedlePolygon(const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N);

// A needle as it is drawn: what it takes to draw it again, and to tell
// whether two paints draw it alike (colours compared as resolved pixels).
struct TNeedleShape {
  std::array<TPoint, 7> poly{};
  TPoint shadowShift{};  // subtracted from poly for the shadow; none when (0, 0)
  TColor outline = 0, body = 0, shadow = 0;
  uint32_t outlinePx = 0, bodyPx = 0, shadowPx = 0;
  bool HasShadow() const { return shadowShift.X != 0 || shadowShift.Y != 0; }
  // The polygon moved by -shadowShift, kept within int however far.
  std::array<TPoint, 7> ShadowPolygon() const;
  bool operator==(const TNeedleShape& O) const {
    return poly == O.poly && shadowShift == O.shadowShift && outlinePx == O.outlinePx && bodyPx == O.bodyPx &&
           shadowPx == O.shadowPx;
  }
};

TNeedleShape NeedleShape(const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N);
// The shadow when there is one, then the needle in its outline and body
// colours with a solid brush.
void DrawNeedleShape(TCanvas& C, const TNeedleShape& S);
inline void DrawNeedle(TCanvas& C, const TDialGeometry& G, double AlphaDeg, const TNeedleLayout& N) {
  DrawNeedleShape(C, NeedleShape(G, AlphaDeg, N));
}

}  // namespace qel::meter
