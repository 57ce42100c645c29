// TRotLab drawing: the rotated font, the text's origin for each alignment,
// the embossed disabled text, and the frame.
#include <cmath>
#include <numbers>

#include "labels/QEL_RotLab.h"

namespace qel {
namespace {
int Round(double v) { return int(std::nearbyint(v)); }  // ties to even
}  // namespace

TPoint RotatedTextOrigin(TAlignment Alignment, int PosX, int PosY, int W2, int H2, int Angle) {
  const double theta = (Angle % 360) * std::numbers::pi / 180.0;
  const double s = std::sin(theta), c = std::cos(theta);
  // How far along the baseline the anchor lies: 0, w or 2w.
  const int along = Alignment == taLeftJustify ? 0 : Alignment == taCenter ? W2 : 2 * W2;
  return {PosX + Round(-along * c - H2 * s), PosY + Round(along * s - H2 * c)};
}

void TRotLab::DoDrawText(TRect&, int Flags) {
  if (Flags & DT_CALCRECT) return;
  TCanvas* c = Canvas();
  // The label's font, read back, turned and made again.
  TLogFont lf;
  GetObject(*GetFont(), lf);
  lf.lfEscapement = lf.lfOrientation = (textAngle_ % 360) * 10;
  lf.lfCharSet = 1;
  lf.lfOutPrecision = lf.lfClipPrecision = 0;
  // Off means aliased: the default quality is anti-aliased on this platform.
  lf.lfQuality = antiAlias_ ? fqAntialiased : fqNonAntialiased;
  lf.lfPitchAndFamily = 0;
  c->Font()->Assign(GetFont());
  c->Font()->SetHandle(CreateFontIndirect(lf));
  c->Brush()->SetStyle(bsClear);

  const std::string& text = GetCaption();
  const TSize extent = c->TextExtent(text);
  const TPoint at = RotatedTextOrigin(GetAlignment(), posX_, posY_, extent.cx / 2, extent.cy / 2, textAngle_);
  if (!GetEnabled()) {
    c->Font()->SetColor(clBtnHighlight);
    c->TextOut(at.X + 1, at.Y + 1, text);
    c->Font()->SetColor(clBtnShadow);
  }
  c->TextOut(at.X, at.Y, text);
}

void TRotLab::Paint() {
  if (!GetVisible()) return;
  TCustomLabel::Paint();
  DrawFrame(Canvas(), frameStyle_, 0, 0, GetWidth() - 1, GetHeight() - 1, clWhite, clSilver, clGray, clBlack,
            clBlack);
}

}  // namespace qel
