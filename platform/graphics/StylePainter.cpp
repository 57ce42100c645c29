#include "platform/graphics/StylePainter.h"

namespace qel {
namespace {

TRect Inset(const TRect& R, int By) { return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By}; }

// A line from A to B in a row or a column, B left out, in either direction:
// the pixels a one-pixel pen would draw.
void PenLine(TCanvas* C, TPoint A, TPoint B, TColor Color) {
  const int64_t dx = int64_t(B.X) - A.X, dy = int64_t(B.Y) - A.Y;
  if (dy == 0 && dx != 0) {
    const int left = dx > 0 ? A.X : B.X + 1, right = dx > 0 ? B.X : A.X + 1;
    DrawEdge(C, {left, A.Y, right, A.Y + 1}, Color, clNone, {.TopRight = ecLight, .Columns = false});
  } else if (dx == 0 && dy != 0) {
    const int top = dy > 0 ? A.Y : B.Y + 1, bottom = dy > 0 ? B.Y : A.Y + 1;
    DrawEdge(C, {A.X, top, A.X + 1, bottom}, Color, clNone, {.BottomLeft = ecLight, .Rows = false});
  }
}

void FillFace(TCanvas* C, const TRect& R) {
  C->Brush()->SetColor(clBtnFace);
  C->FillRect(R);
}

}  // namespace

void StylePainter::PaintBevel(TCanvas* Canvas, TRect& R, TColor Light, TColor Dark) {
  if (R.IsEmpty()) return;
  DrawEdge(Canvas, R, Light, Dark);
  R = Inset(R, 1);
}

void StylePainter::PaintButtonFrame(TCanvas* Canvas, TRect& R, bool Sunken) {
  if (Sunken) {
    PaintBevel(Canvas, R, cl3DDkShadow, clBtnHighlight);
    PaintBevel(Canvas, R, clBtnShadow, cl3DLight);
  } else {
    PaintBevel(Canvas, R, clBtnHighlight, cl3DDkShadow);
    PaintBevel(Canvas, R, cl3DLight, clBtnShadow);
  }
}

void StylePainter::PaintScrollButton(TCanvas* Canvas, const TRect& R) {
  FillFace(Canvas, R);
  if (R.Width() < 4 || R.Height() < 4) return;
  DrawEdge(Canvas, R, cl3DLight, cl3DDkShadow);
  DrawEdge(Canvas, Inset(R, 1), clBtnHighlight, clBtnShadow);
}

void StylePainter::PaintRaisedBox(TCanvas* Canvas, const TRect& R) {
  FillFace(Canvas, R);
  DrawEdge(Canvas, R, clBtnHighlight, clBtnShadow);
}

void StylePainter::PaintSunkenBorder(TCanvas* Canvas, const TRect& R) {
  DrawEdge(Canvas, R, clBtnShadow, clBtnHighlight);
  DrawEdge(Canvas, Inset(R, 1), cl3DDkShadow, cl3DLight);
}

void StylePainter::PaintPopupFrame(TCanvas* Canvas, const TRect& R) {
  DrawEdge(Canvas, R, clBtnHighlight, cl3DDkShadow);
  DrawEdge(Canvas, Inset(R, 1), clNone, clBtnShadow);
}

// Each ring paints top and left first, so the bottom and right colour takes
// the top-right and bottom-left corners.
void StylePainter::PaintFrame(TCanvas* Canvas, const TRect& R, TFrameLook Look, TColor Light, TColor Dark,
                              TColor Line) {
  const bool twoRings = int64_t(R.Right) - R.Left >= 3 && int64_t(R.Bottom) - R.Top >= 3;
  switch (Look) {
    case flNone: break;
    case flLine: DrawEdge(Canvas, R, Line, Line); break;
    case flLowered: DrawEdge(Canvas, R, Dark, Light); break;
    case flRaised: DrawEdge(Canvas, R, Light, Dark); break;
    case flEmbossed:
      DrawEdge(Canvas, R, Light, Dark);
      if (twoRings) DrawEdge(Canvas, Inset(R, 1), Dark, Light);
      break;
    case flEngraved:
      DrawEdge(Canvas, R, Dark, Light);
      if (twoRings) DrawEdge(Canvas, Inset(R, 1), Light, Dark);
      break;
  }
}

// Outlines (as DrawEdge rings) and, for the lowered and raised looks, two
// corners of pen-like lines: with W x H the size of R, in R's coordinates,
//   line      Dark outline (0, 0)-(W - 1, H - 1)
//   lowered   Black (1, H - 3) to (1, 1) to (W - 2, 1); Light (2, H - 1) to
//             (W - 1, H - 1) to (W - 1, 0); Dark outline (0, 0)-(W - 2, H - 2)
//   raised    Light (1, H - 3) to (1, 1) to (W - 2, 1); Black (0, H - 1) to
//             (W - 1, H - 1) to (W - 1, 0); the same Dark outline
//   embossed  Dark outline (1, 1)-(W - 1, H - 1), then Light outline
//             (0, 0)-(W - 2, H - 2); engraved swaps the two colours
// The corners run backwards on a frame under 3 pixels across, as pen lines do.
void StylePainter::PaintDisplayFrame(TCanvas* Canvas, const TRect& R, TFrameLook Look, TColor Black, TColor Dark,
                                     TColor Light) {
  const int W = R.Width(), H = R.Height();
  auto at = [&R](TPoint P) { return TPoint{R.Left + P.X, R.Top + P.Y}; };
  auto corner = [&](TColor Color, TPoint A, TPoint B, TPoint C) {
    PenLine(Canvas, at(A), at(B), Color);
    PenLine(Canvas, at(B), at(C), Color);
  };
  const TRect upperLeft{R.Left, R.Top, R.Right - 1, R.Bottom - 1}, lowerRight{R.Left + 1, R.Top + 1, R.Right, R.Bottom};
  switch (Look) {
    case flNone: break;
    case flLine: DrawEdge(Canvas, R, Dark, Dark); break;
    case flLowered:
    case flRaised: {
      const bool lowered = Look == flLowered;
      corner(lowered ? Black : Light, {1, H - 3}, {1, 1}, {W - 2, 1});
      if (lowered) corner(Light, {2, H - 1}, {W - 1, H - 1}, {W - 1, 0});
      else corner(Black, {0, H - 1}, {W - 1, H - 1}, {W - 1, 0});
      DrawEdge(Canvas, upperLeft, Dark, Dark);
      break;
    }
    case flEmbossed:
    case flEngraved: {
      const TColor first = Look == flEmbossed ? Dark : Light, second = Look == flEmbossed ? Light : Dark;
      DrawEdge(Canvas, lowerRight, first, first);
      DrawEdge(Canvas, upperLeft, second, second);
      break;
    }
  }
}

}  // namespace qel
