// Rectangles, ellipses, arcs, pies, chords, polygons and flood fill by their pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "canvas_test_util.h"

using namespace qel;
using qel::test::At;
using qel::test::CountColor;

namespace {
void UsePenAndBrush(TCanvas& c, TColor pen, TColor brush) {
  c.Pen()->SetColor(pen);
  c.Brush()->SetColor(brush);
}
}  // namespace

TEST(CanvasShapes, RectangleCoversRightAndBottomExclusive) {
  TBitmap a(12, 12), b(12, 12);
  UsePenAndBrush(*a.Canvas(), clRed, clBlue);
  UsePenAndBrush(*b.Canvas(), clRed, clBlue);
  a.Canvas()->Rectangle(2, 3, 8, 9);
  b.Canvas()->Rectangle(8, 9, 2, 3);  // swapped corners
  EXPECT_TRUE(qel::test::SamePixels(a, b));
  EXPECT_EQ(At(a, 2, 3), clRed);
  EXPECT_EQ(At(a, 7, 8), clRed);
  EXPECT_EQ(At(a, 7, 5), clRed);
  EXPECT_EQ(At(a, 8, 8), clWhite);
  EXPECT_EQ(At(a, 7, 9), clWhite);
  EXPECT_EQ(At(a, 3, 4), clBlue);
  EXPECT_EQ(At(a, 6, 7), clBlue);
  EXPECT_EQ(CountColor(a, clRed), 2 * 6 + 2 * 4);
  EXPECT_EQ(CountColor(a, clBlue), 4 * 4);
  // Without a pen the brush alone fills one pixel less each way.
  TBitmap n(12, 12);
  n.Canvas()->Pen()->SetStyle(psClear);
  n.Canvas()->Brush()->SetColor(clBlue);
  n.Canvas()->Rectangle(2, 3, 8, 9);
  EXPECT_EQ(CountColor(n, clBlue), 5 * 5);
  EXPECT_EQ(At(n, 2, 3), clBlue);
  EXPECT_EQ(At(n, 7, 8), clWhite);
}

TEST(CanvasShapes, WideRectanglePenCentredOrInsideFrame) {
  TBitmap b(40, 40);
  UsePenAndBrush(*b.Canvas(), clRed, clBlue);
  b.Canvas()->Pen()->SetWidth(3);
  b.Canvas()->Rectangle(10, 10, 30, 30);
  EXPECT_EQ(At(b, 8, 20), clWhite);
  EXPECT_EQ(At(b, 9, 20), clRed);
  EXPECT_EQ(At(b, 11, 20), clRed);
  EXPECT_EQ(At(b, 12, 20), clBlue);
  EXPECT_EQ(At(b, 30, 20), clRed);
  EXPECT_EQ(At(b, 31, 20), clWhite);
  TBitmap f(40, 40);
  UsePenAndBrush(*f.Canvas(), clRed, clBlue);
  f.Canvas()->Pen()->SetWidth(3);
  f.Canvas()->Pen()->SetStyle(psInsideFrame);
  f.Canvas()->Rectangle(10, 10, 30, 30);
  EXPECT_EQ(At(f, 9, 20), clWhite);
  EXPECT_EQ(At(f, 10, 10), clRed);
  EXPECT_EQ(At(f, 12, 20), clRed);
  EXPECT_EQ(At(f, 13, 20), clBlue);
  EXPECT_EQ(At(f, 29, 29), clRed);
  EXPECT_EQ(At(f, 30, 29), clWhite);
  EXPECT_EQ(CountColor(f, clRed), 20 * 20 - 14 * 14);
}

TEST(CanvasShapes, FrameRectUsesTheBrushOnOneBorderPixel) {
  TBitmap b(10, 10);
  b.Canvas()->Brush()->SetColor(clGreen);
  b.Canvas()->FrameRect(Rect(1, 1, 6, 5));
  EXPECT_EQ(At(b, 1, 1), clGreen);
  EXPECT_EQ(At(b, 5, 4), clGreen);
  EXPECT_EQ(At(b, 3, 3), clWhite);
  EXPECT_EQ(At(b, 6, 4), clWhite);
  EXPECT_EQ(CountColor(b, clGreen), 2 * 5 + 2 * 2);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FrameRect(Rect(5, 5, 5, 9));
  EXPECT_EQ(CountColor(b, clRed), 0);
}

TEST(CanvasShapes, EllipseIsSymmetricAndFitsItsBox) {
  for (TRect box : {Rect(0, 0, 10, 10), Rect(0, 0, 11, 7), Rect(0, 0, 2, 9)}) {
    TBitmap b(14, 14);
    UsePenAndBrush(*b.Canvas(), clRed, clBlue);
    b.Canvas()->Ellipse(box);
    int w = box.Right, h = box.Bottom;
    bool top = false, bottom = false, left = false, right = false;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 14; ++x) {
        TColor c = At(b, x, y);
        if (x >= w || y >= h) {
          ASSERT_EQ(c, clWhite) << x << "," << y;
          continue;
        }
        ASSERT_EQ(c, At(b, w - 1 - x, y)) << x << "," << y;
        ASSERT_EQ(c, At(b, x, h - 1 - y)) << x << "," << y;
        if (c == clRed) top |= y == 0, bottom |= y == h - 1, left |= x == 0, right |= x == w - 1;
      }
    EXPECT_TRUE(top && bottom && left && right) << box.Right << "x" << box.Bottom;
  }
  TBitmap b(12, 12);
  UsePenAndBrush(*b.Canvas(), clRed, clBlue);
  b.Canvas()->Ellipse(0, 0, 10, 10);
  EXPECT_EQ(At(b, 4, 4), clBlue);
  EXPECT_EQ(At(b, 0, 0), clWhite);
  EXPECT_EQ(At(b, 0, 4), clRed);
}

TEST(CanvasShapes, WideEllipseRingThickness) {
  TBitmap b(60, 60);
  UsePenAndBrush(*b.Canvas(), clRed, clBlue);
  b.Canvas()->Pen()->SetWidth(4);
  b.Canvas()->Ellipse(10, 10, 50, 40);
  int red = 0;
  for (int x = 0; x < 30; ++x) red += At(b, x, 25) == clRed;
  EXPECT_EQ(red, 4);
  EXPECT_EQ(At(b, 9, 25), clRed);  // centred on the outline: reaches outside the box
}

TEST(CanvasShapes, ArcRunsCounterClockwiseBetweenTheRadials) {
  // Box 0..40 centred on (20, 20); east (40, 20) to north (20, 0).
  TBitmap b(41, 41);
  b.Canvas()->Arc(0, 0, 41, 41, 40, 20, 20, 0);
  auto drawnNear = [&](int x, int y) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (At(b, x + dx, y + dy) == clBlack) return true;
    return false;
  };
  EXPECT_TRUE(drawnNear(34, 6));    // upper right
  EXPECT_FALSE(drawnNear(6, 6));    // upper left
  EXPECT_FALSE(drawnNear(34, 34));  // lower right
  EXPECT_FALSE(drawnNear(6, 34));
  TBitmap r(41, 41);
  r.Canvas()->Arc(0, 0, 41, 41, 20, 0, 40, 20);  // the other three quarters
  EXPECT_EQ(At(r, 6, 6) == clBlack || At(r, 5, 6) == clBlack || At(r, 6, 5) == clBlack, true);
  int upperRight = 0;
  for (int y = 3; y < 10; ++y)
    for (int x = 31; x < 38; ++x) upperRight += At(r, x, y) == clBlack;
  EXPECT_EQ(upperRight, 0);
  // One radial twice: the whole ellipse.
  TBitmap full(41, 41), ellipse(41, 41);
  full.Canvas()->Arc(0, 0, 41, 41, 40, 20, 40, 20);
  ellipse.Canvas()->Brush()->SetStyle(bsClear);
  ellipse.Canvas()->Ellipse(0, 0, 41, 41);
  EXPECT_TRUE(qel::test::SamePixels(full, ellipse));
}

TEST(CanvasShapes, PieFillsTheWedgeAndOutlinesBothRadii) {
  TBitmap b(41, 41);
  UsePenAndBrush(*b.Canvas(), clRed, clBlue);
  b.Canvas()->Pie(0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_EQ(At(b, 28, 12), clBlue);
  EXPECT_EQ(At(b, 12, 28), clWhite);
  EXPECT_EQ(At(b, 12, 12), clWhite);
  EXPECT_EQ(At(b, 30, 20), clRed);  // east radius
  EXPECT_EQ(At(b, 20, 10), clRed);  // north radius
  EXPECT_EQ(At(b, 30, 25), clWhite);
}

TEST(CanvasShapes, ChordFillsBetweenArcAndChord) {
  TBitmap b(41, 41);
  UsePenAndBrush(*b.Canvas(), clRed, clBlue);
  b.Canvas()->Chord(0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_EQ(At(b, 33, 7), clBlue);
  EXPECT_EQ(At(b, 25, 15), clWhite);
  EXPECT_EQ(At(b, 30, 10), clRed);  // on the chord line x - y = 20
  EXPECT_EQ(At(b, 10, 30), clWhite);
}

TEST(CanvasShapes, PolygonFillAndOutline) {
  TBitmap b(40, 40);
  UsePenAndBrush(*b.Canvas(), clRed, clBlue);
  const TPoint tri[] = {{10, 10}, {30, 10}, {10, 30}};
  b.Canvas()->Polygon(tri);
  EXPECT_EQ(At(b, 10, 10), clRed);
  EXPECT_EQ(At(b, 30, 10), clRed);  // closed: every vertex drawn
  EXPECT_EQ(At(b, 10, 30), clRed);
  EXPECT_EQ(At(b, 20, 20), clRed);  // on the hypotenuse
  EXPECT_EQ(At(b, 12, 12), clBlue);
  EXPECT_EQ(At(b, 18, 18), clBlue);
  EXPECT_EQ(At(b, 25, 25), clWhite);
  EXPECT_EQ(At(b, 31, 10), clWhite);

  TBitmap s(60, 60);
  s.Canvas()->Pen()->SetStyle(psClear);
  s.Canvas()->Brush()->SetColor(clBlue);
  const TPoint star[] = {{30, 2}, {47, 55}, {2, 22}, {58, 22}, {13, 55}};
  s.Canvas()->Polygon(star);
  EXPECT_EQ(At(s, 30, 32), clWhite);  // inner pentagon: crossed twice
  EXPECT_EQ(At(s, 30, 10), clBlue);   // a tip
  EXPECT_EQ(At(s, 8, 23), clBlue);
  EXPECT_EQ(At(s, 2, 40), clWhite);
}

// The fill takes each vertex as the pixel the pen draws there, so on every
// row the brush runs from the outline to the outline: it never leaks past
// a slanted edge nor leaves a gap inside one. Small symbols show both.
TEST(CanvasShapes, AConvexPolygonsFillMeetsItsOutline) {
  std::vector<std::vector<TPoint>> shapes = {
      {{0, -4}, {4, 0}, {0, 4}, {-4, 0}},                                   // diamond
      {{-4, -4}, {4, 0}, {-4, 4}},                                          // triangle right
      {{-1, -4}, {1, -4}, {4, -1}, {4, 1}, {1, 4}, {-1, 4}, {-4, 1}, {-4, -1}}, // octagon
      {{0, -9}, {13, 5}, {-6, 11}},
  };
  for (int n = 3; n <= 9; ++n)  // regular polygons of several sizes and turns
    for (double radius : {5.3, 11.7, 23.2}) {
      std::vector<TPoint> p;
      for (int i = 0; i < n; ++i) {
        const double a = 0.37 * n + 2 * M_PI * i / n;
        p.push_back({int(std::lround(radius * std::cos(a))), int(std::lround(radius * std::sin(a)))});
      }
      shapes.push_back(p);
    }
  for (const auto& shape : shapes) {
    TBitmap b(60, 60);
    UsePenAndBrush(*b.Canvas(), clRed, clBlue);
    std::vector<TPoint> at;
    for (TPoint p : shape) at.push_back({p.X + 30, p.Y + 30});
    b.Canvas()->Polygon(at);
    for (int y = 0; y < 60; ++y) {
      int left = 60, right = -1;
      for (int x = 0; x < 60; ++x)
        if (At(b, x, y) == clRed) left = std::min(left, x), right = std::max(right, x);
      for (int x = 0; x < 60; ++x) {
        const bool inside = x >= left && x <= right;
        EXPECT_TRUE(inside ? At(b, x, y) != clWhite : At(b, x, y) == clWhite)
            << "shape " << &shape - shapes.data() << ", pixel " << x << "," << y;
      }
    }
  }
}

TEST(CanvasShapes, FloodFillSurfaceAndBorder) {
  TBitmap b(30, 30);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetStyle(bsClear);
  c.Rectangle(5, 5, 25, 25);        // black frame
  c.SetPixels(12, 12, clGreen);     // an island of another colour inside
  c.Brush()->SetColor(clRed);
  c.FloodFill(15, 15, clWhite, fsSurface);
  EXPECT_EQ(At(b, 6, 6), clRed);
  EXPECT_EQ(At(b, 23, 23), clRed);
  EXPECT_EQ(At(b, 12, 12), clGreen);  // another colour stops a surface fill
  EXPECT_EQ(At(b, 5, 5), clBlack);
  EXPECT_EQ(At(b, 2, 2), clWhite);
  EXPECT_EQ(CountColor(b, clRed), 18 * 18 - 1);

  c.Brush()->SetColor(clYellow);
  c.FloodFill(15, 15, clBlack, fsBorder);
  EXPECT_EQ(At(b, 12, 12), clYellow);  // a border fill only stops at the border colour
  EXPECT_EQ(At(b, 5, 15), clBlack);
  EXPECT_EQ(At(b, 2, 2), clWhite);
  EXPECT_EQ(CountColor(b, clYellow), 18 * 18);
  // Filling a surface with its own colour ends.
  c.Brush()->SetColor(clWhite);
  c.FloodFill(1, 1, clWhite, fsSurface);
  EXPECT_EQ(CountColor(b, clWhite), 30 * 30 - 20 * 20);
}
