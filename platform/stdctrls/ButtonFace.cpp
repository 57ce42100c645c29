#include "platform/stdctrls/ButtonFace.h"

#include "platform/stdctrls/DrawText.h"

namespace qel {

namespace {
void FillWith(TCanvas* c, const TRect& r, TColor color) {
  c->Brush()->SetColor(color);
  c->FillRect(r);
}
}  // namespace

void DrawDropDownButton(TCanvas* Canvas, const TRect& R, bool Sunken, bool Enabled, TDropDownGlyph Glyph) {
  FillWith(Canvas, R, clBtnFace);
  TRect edge = R;
  StylePainter::PaintBevel(Canvas, edge, Sunken ? clBtnShadow : clBtnHighlight, Sunken ? clBtnHighlight : cl3DDkShadow);
  Canvas->Brush()->SetColor(Enabled ? clBtnText : clGrayText);
  int cx = (R.Left + R.Right) / 2 + (Sunken ? 1 : 0), cy = (R.Top + R.Bottom) / 2 + (Sunken ? 1 : 0);
  if (Glyph == dgArrow) {
    for (int row = 0; row < 4; ++row) Canvas->FillRect({cx - 3 + row, cy + row - 2, cx + 4 - row, cy + row - 1});
  } else {
    for (int dx : {-4, 0, 4}) Canvas->FillRect({cx + dx - 1, cy + 1, cx + dx + 1, cy + 3});
  }
}

void DrawFocusDots(TCanvas* Canvas, const TRect& R, TColor Color) {
  if (R.IsEmpty()) return;
  // One walk round the frame, so the dots stay evenly spaced at the corners.
  int n = 0;
  auto dot = [&](int x, int y) {
    if (n++ % 2 == 0) Canvas->SetPixels(x, y, Color);
  };
  for (int x = R.Left; x < R.Right; ++x) dot(x, R.Top);
  for (int y = R.Top + 1; y < R.Bottom; ++y) dot(R.Right - 1, y);
  for (int x = R.Right - 2; x >= R.Left && R.Bottom - 1 > R.Top; --x) dot(x, R.Bottom - 1);
  for (int y = R.Bottom - 2; y > R.Top && R.Right - 1 > R.Left; --y) dot(R.Left, y);
}

void FillChecked(TCanvas* Canvas, const TRect& R, TColor A, TColor B) {
  FillWith(Canvas, R, A);
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left + ((y - R.Top) % 2); x < R.Right; x += 2) Canvas->SetPixels(x, y, B);
}

void DrawDisabledText(TCanvas* Canvas, const std::string& Text, TRect R, unsigned Flags) {
  TColor color = Canvas->Font()->GetColor();
  R.Offset(1, 1);
  Canvas->Font()->SetColor(clBtnHighlight);
  DrawText(Canvas, Text, R, Flags);
  R.Offset(-1, -1);
  Canvas->Font()->SetColor(clBtnShadow);
  DrawText(Canvas, Text, R, Flags);
  Canvas->Font()->SetColor(color);
}

}  // namespace qel
