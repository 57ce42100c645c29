// The progress bar's arithmetic, free of any control: the colour table's
// blend, the bar's length, the gradient index of a bar pixel line, the value
// text and where a rotated text starts. TProgBar (QEL_ProgBar.h) calls
// these; tests call them too.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/graphics/Colors.h"
#include "platform/rtl/Types.h"
#include "platform/stdctrls/DrawText.h"

namespace qel {

enum TColorMapping : uint8_t;  // in QEL_ProgBar.h

namespace progbar {

constexpr int kTableSize = 1024;
using TColorTable = std::array<TColor, kTableSize>;

// Entries 1 to 1022 become the blend of entries 0 and 1023: each channel
// trunc(a + (b - a) * i / 1023), 24 bits. System colours at the ends blend
// as the colours they stand for.
void BlendTable(TColorTable& Table);

// Pixels of bar for an inner length: round(Inner * (Value - Min) / (Max -
// Min)), ties to even. An empty range, a NaN or an inner length below one
// pixel give 0; far beyond the control the length saturates at +-kFar, so
// that it always fits the index arithmetic.
constexpr int64_t kFar = int64_t(1) << 40;
int64_t BarLength(int Inner, double Value, double Min, double Max);

// Table index of the E-th pixel line of a bar N long (from its root) whose
// bar area is Inner long, clamped to 0..1023:
//   cgmCover   round(E * 1023 / Inner)                 colours fixed to the scale
//   cgmStretch round(E * 1023 / N)                     the whole table in the bar
//   cgmMove    round(E * 1023 / Inner)
//              - round((N - 1) * 1023 / Inner) + 1023  the last colour at the tip
int GradientIndex(TColorMapping Mode, int64_t E, int64_t N, int Inner);

// Value as text: DecPlaces 0..10 fixed-point; -1 scientific with a two-digit
// exponent (a text of asterisks as long when the exponent needs more
// digits); -2 scientific with a four-digit exponent. A point separates the
// decimals whatever the locale.
std::string ValueText(double Value, int DecPlaces);

// The top-left reference of a text rotated by Angle degrees counter-clockwise
// (HalfW, HalfH: half its width and height, truncated) so that the middle of
// its left end (taLeftJustify), its right end (taRightJustify) or its centre
// (taCenter) lies at Pos.
TPoint TextOrigin(TAlignment Alignment, TPoint Pos, int Angle, int HalfW, int HalfH);

}  // namespace progbar
}  // namespace qel
