#include "platform/graphics/Graphics.h"

namespace qel {

void DrawFocusRect(HDC DC, const TRect& R) {
  if (!DC || R.IsEmpty()) return;
  auto invert = [DC](int x, int y) {
    TColor c = DC->GetPixels(x, y);
    if (c != CLR_INVALID) DC->SetPixels(x, y, c ^ 0xFFFFFF);
  };
  for (int x = R.Left; x < R.Right; x += 2) {
    invert(x, R.Top);
    if (R.Bottom - 1 > R.Top) invert(x, R.Bottom - 1);
  }
  for (int y = R.Top + 2; y < R.Bottom - 1; y += 2) {
    invert(R.Left, y);
    if (R.Right - 1 > R.Left) invert(R.Right - 1, y);
  }
}

}  // namespace qel
