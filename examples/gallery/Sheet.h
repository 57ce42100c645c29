// A sheet of drawing primitives and text, used by the "Canvas" page and by
// the qel-sheet program.
#pragma once
#include "platform/graphics/Graphics.h"

namespace gallery {
constexpr int SheetWidth = 760, SheetHeight = 560;
void DrawSheet(qel::TCanvas& Canvas);
}  // namespace gallery
