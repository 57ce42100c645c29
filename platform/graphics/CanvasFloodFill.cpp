// Flood fill: an iterative span fill bounded by the clip.
#include <vector>

#include "platform/graphics/Graphics.h"

namespace qel {

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
  TRect clip = DeviceClip();
  int64_t seedX = int64_t(X) + origin_.X, seedY = int64_t(Y) + origin_.Y;
  if (brush_->GetStyle() == bsClear || seedX < clip.Left || seedX >= clip.Right || seedY < clip.Top ||
      seedY >= clip.Bottom)
    return;
  TPoint seed{int(seedX), int(seedY)};
  const uint32_t target = ColorToPixel(Color), fill = ColorToPixel(brush_->GetColor());
  const int width = clip.Width();
  // Filled pixels are remembered, so a fill colour equal to the surface
  // colour (or the border colour) cannot make the fill revisit them.
  std::vector<uint8_t> done(size_t(width) * clip.Height(), 0);
  auto inside = [&](int x, int y) {
    if (done[size_t(y - clip.Top) * width + (x - clip.Left)]) return false;
    uint32_t p = surface_->ScanLine(y)[x];
    return FillStyle == fsSurface ? p == target : p != target;
  };
  std::vector<TPoint> stack{seed};
  while (!stack.empty()) {
    TPoint p = stack.back();
    stack.pop_back();
    if (!inside(p.X, p.Y)) continue;
    int left = p.X, right = p.X + 1;
    while (left > clip.Left && inside(left - 1, p.Y)) --left;
    while (right < clip.Right && inside(right, p.Y)) ++right;
    uint32_t* row = surface_->ScanLine(p.Y);
    std::fill_n(row + left, right - left, fill);
    std::fill_n(done.begin() + size_t(p.Y - clip.Top) * width + (left - clip.Left), right - left, 1);
    // One seed per run of fillable pixels in the rows above and below.
    for (int y : {p.Y - 1, p.Y + 1}) {
      if (y < clip.Top || y >= clip.Bottom) continue;
      for (int x = left; x < right; ++x)
        if (inside(x, y) && (x == left || !inside(x - 1, y))) stack.push_back({x, y});
    }
  }
}

}  // namespace qel
