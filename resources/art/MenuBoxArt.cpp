// The two check images of the table editor's "Data Read-Only" menu item:
// EMPTYBOX, a square box, and CHECKEDBOX, the same box with a tick, 16 x 16,
// black on white. Menus draw item pictures transparent by their bottom-left
// pixel, so the box leaves that corner white and the background shows there
// and around the box.
#include "resources/art/PictureArt.h"

namespace qel::art {
namespace {

constexpr int kSize = 16;
// The box: a one-pixel frame from (2, 1) to (13, 12) inclusive.
constexpr int kLeft = 2, kTop = 1, kRight = 14, kBottom = 13;

void DrawBox(TCanvas& C) {
  C.Brush()->SetColor(clBlack);
  C.FillRect({kLeft, kTop, kRight, kBottom});
  C.Brush()->SetColor(clWhite);
  C.FillRect({kLeft + 1, kTop + 1, kRight - 1, kBottom - 1});
}

// A tick of three-pixel-wide strokes: down from the left to the bottom
// point, then up to the top right, set pixel by pixel so that it is exact.
void DrawTick(TCanvas& C) {
  const TPoint stroke[] = {{4, 5}, {5, 6}, {6, 7}, {7, 6}, {8, 5}, {9, 4}, {10, 3}, {11, 2}};
  for (TPoint p : stroke)
    for (int dy = 0; dy < 3 && p.Y + dy < kBottom - 1; ++dy) C.SetPixels(p.X, p.Y + dy, clBlack);
}

const TFamily family{{
    {"EMPTYBOX", kSize, kSize, [](TCanvas& c) { DrawBox(c); }},
    {"CHECKEDBOX", kSize, kSize,
     [](TCanvas& c) {
       DrawBox(c);
       DrawTick(c);
     }},
}};

}  // namespace
}  // namespace qel::art
