// Lines and polylines: end points, pen styles, wide pens, raster operations, clipping.
#include <gtest/gtest.h>

#include <limits>

#include "canvas_test_util.h"

using namespace qel;
using qel::test::At;

TEST(CanvasLines, EndPointLeftOutInEveryOctant) {
  const TPoint ends[] = {{30, 20}, {30, 24}, {24, 30}, {20, 30}, {16, 30}, {10, 24}, {10, 20}, {10, 16},
                         {16, 10}, {20, 10}, {24, 10}, {30, 16}, {30, 30}, {10, 10}};
  for (TPoint end : ends) {
    TBitmap b(41, 41);
    b.Canvas()->MoveTo(20, 20);
    b.Canvas()->LineTo(end.X, end.Y);
    SCOPED_TRACE(testing::Message() << "to " << end.X << "," << end.Y);
    EXPECT_EQ(At(b, 20, 20), clBlack);
    EXPECT_EQ(At(b, end.X, end.Y), clWhite);
    EXPECT_EQ(qel::test::CountColor(b, clBlack), std::max(std::abs(end.X - 20), std::abs(end.Y - 20)));
    // The pixel one step back along the major axis is the last one drawn.
    int dx = end.X - 20, dy = end.Y - 20;
    bool xMajor = std::abs(dx) >= std::abs(dy);
    int bx = xMajor ? end.X - (dx > 0 ? 1 : -1) : end.X, by = xMajor ? end.Y : end.Y - (dy > 0 ? 1 : -1);
    bool found = false;
    for (int k = -1; k <= 1; ++k) found |= At(b, bx + (xMajor ? 0 : k), by + (xMajor ? k : 0)) == clBlack;
    EXPECT_TRUE(found);
    EXPECT_EQ(b.Canvas()->GetPenPos(), end);
  }
}

TEST(CanvasLines, PolylineDrawsInnerVerticesOnceAndLeavesOutTheLastPoint) {
  TBitmap b(20, 20);
  qel::test::Fill(b, clBlack);
  TCanvas& c = *b.Canvas();
  c.Pen()->SetColor(clWhite);
  c.Pen()->SetMode(pmXor);
  const TPoint pts[] = {{2, 2}, {10, 2}, {10, 10}, {3, 10}};
  c.Polyline(pts);
  EXPECT_EQ(At(b, 2, 2), clWhite);
  EXPECT_EQ(At(b, 10, 2), clWhite);  // xor twice would give black
  EXPECT_EQ(At(b, 10, 10), clWhite);
  EXPECT_EQ(At(b, 4, 10), clWhite);
  EXPECT_EQ(At(b, 3, 10), clBlack);
  EXPECT_EQ(qel::test::CountColor(b, clWhite), 8 + 8 + 7);
}

TEST(CanvasLines, DashAndDotPatterns) {
  TBitmap b(80, 10);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetStyle(bsClear);
  c.Pen()->SetStyle(psDash);
  c.MoveTo(0, 2);
  c.LineTo(80, 2);
  for (int x = 0; x < 80; ++x) EXPECT_EQ(At(b, x, 2), x % 24 < 18 ? clBlack : clWhite) << x;
  c.Pen()->SetStyle(psDot);
  c.MoveTo(0, 4);
  c.LineTo(20, 4);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(At(b, x, 4), x % 6 < 3 ? clBlack : clWhite) << x;
  // The pattern continues round the corner of a polyline.
  const TPoint pts[] = {{0, 6}, {20, 6}, {20, 9}};
  c.Pen()->SetStyle(psDash);
  c.Polyline(pts);
  EXPECT_EQ(At(b, 17, 6), clBlack);
  EXPECT_EQ(At(b, 18, 6), clWhite);
  EXPECT_EQ(At(b, 20, 8), clWhite);  // step 22 is still in the gap
  // A solid brush paints the gaps (opaque background).
  c.Brush()->SetColor(clRed);
  c.Pen()->SetStyle(psDashDot);
  c.MoveTo(0, 8);
  c.LineTo(24, 8);
  EXPECT_EQ(At(b, 8, 8), clBlack);
  EXPECT_EQ(At(b, 10, 8), clRed);
  EXPECT_EQ(At(b, 15, 8), clBlack);
  EXPECT_EQ(At(b, 18, 8), clRed);
}

TEST(CanvasLines, ClearPenDrawsNothing) {
  TBitmap b(10, 10);
  b.Canvas()->Pen()->SetStyle(psClear);
  b.Canvas()->MoveTo(0, 0);
  b.Canvas()->LineTo(9, 9);
  EXPECT_EQ(qel::test::CountColor(b, clWhite), 100);
  EXPECT_EQ(b.Canvas()->GetPenPos(), Point(9, 9));
}

TEST(CanvasLines, WidePenThicknessAndRoundEnds) {
  for (int width : {2, 3, 4, 5}) {
    TBitmap b(60, 40);
    TCanvas& c = *b.Canvas();
    c.Pen()->SetWidth(width);
    c.MoveTo(10, 20);
    c.LineTo(40, 20);
    int across = 0, down = 0;
    for (int y = 0; y < 40; ++y) across += At(b, 25, y) == clBlack;
    EXPECT_EQ(across, width) << width;
    c.MoveTo(50, 5);
    c.LineTo(50, 35);
    for (int x = 44; x < 57; ++x) down += At(b, x, 20) == clBlack;
    EXPECT_EQ(down, width) << width;
  }
  TBitmap b(60, 40);
  b.Canvas()->Pen()->SetWidth(5);
  b.Canvas()->MoveTo(10, 20);
  b.Canvas()->LineTo(40, 20);
  EXPECT_EQ(At(b, 40, 20), clBlack);  // wide pens reach their end point
  EXPECT_EQ(At(b, 8, 20), clBlack);   // and round past it
  EXPECT_EQ(At(b, 8, 18), clWhite);   // but not into the square corner
  EXPECT_EQ(At(b, 7, 20), clWhite);
}

TEST(CanvasLines, EveryPenModeOnAKnownPair) {
  const uint32_t P = 0x00C0F00F, D = 0x00A5A50F;  // pixels: pen and destination
  const uint32_t expected[16] = {0, 0xFFFFFF, D, ~D, P, ~P, P | ~D, P & ~D,
                                 ~P | D, ~P & D, P | D, ~(P | D), P & D, ~(P & D), P ^ D, ~(P ^ D)};
  for (int mode = pmBlack; mode <= pmNotXor; ++mode) {
    TBitmap b(4, 1);
    b.ScanLine(0)[1] = D;
    TCanvas& c = *b.Canvas();
    c.Pen()->SetColor(PixelToColor(P));
    c.Pen()->SetMode(TPenMode(mode));
    c.MoveTo(1, 0);
    c.LineTo(2, 0);
    EXPECT_EQ(b.ScanLine(0)[1], expected[mode] & 0xFFFFFF) << "mode " << mode;
    EXPECT_EQ(b.ScanLine(0)[2], 0xFFFFFFu);
  }
}

TEST(CanvasLines, XorTwiceRestoresEveryShape) {
  TBitmap b(50, 50), original(50, 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) b.ScanLine(y)[x] = original.ScanLine(y)[x] = uint32_t(x * 5 + y * 3000);
  TCanvas& c = *b.Canvas();
  c.Pen()->SetMode(pmXor);
  c.Pen()->SetColor(clYellow);
  c.Brush()->SetColor(clAqua);
  for (int width : {1, 4}) {
    c.Pen()->SetWidth(width);
    const TPoint star[] = {{25, 2}, {38, 45}, {3, 18}, {47, 18}, {12, 45}};
    for (int pass = 0; pass < 2; ++pass) {
      c.MoveTo(1, 1);
      c.LineTo(48, 30);
      c.Polyline(star);
      c.Rectangle(5, 5, 30, 20);
      c.Ellipse(10, 10, 40, 35);
      c.Pie(0, 0, 49, 49, 49, 25, 25, 0);
      c.Polygon(star);
    }
    EXPECT_TRUE(qel::test::SamePixels(b, original)) << width;
  }
}

TEST(CanvasLines, ClipAndOriginKeepDrawingInside) {
  TBitmap b(60, 60);
  TCanvas c;
  c.SetTarget(&b, {10, 10}, Rect(10, 10, 40, 40));
  c.SetClipRect(Rect(5, 5, 20, 20));  // surface 15..29
  c.Pen()->SetWidth(3);
  c.Brush()->SetColor(clRed);
  c.MoveTo(-100, 12);
  c.LineTo(200, 12);
  c.Rectangle(-5, -5, 100, 100);
  c.Ellipse(-50, -50, 80, 80);
  c.Pie(-50, -50, 80, 80, 0, 0, 80, 0);
  const TPoint tri[] = {{-100, -100}, {100, -100}, {0, 100}};
  c.Polygon(tri);
  c.FloodFill(10, 10, clRed, fsBorder);
  TBitmap dot(100, 100);
  c.StretchDraw(Rect(-50, -50, 90, 90), &dot);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (x < 15 || x >= 30 || y < 15 || y >= 30) {
        ASSERT_EQ(At(b, x, y), clWhite) << x << "," << y;
      }
  EXPECT_EQ(At(b, 22, 22), clWhite);  // the stretched bitmap landed last
  c.MoveTo(0, 0);
  c.Pen()->SetWidth(1);
  c.LineTo(10, 0);
  EXPECT_EQ(At(b, 15, 10), clWhite);  // canvas (5, 0) is outside the clip
  c.MoveTo(5, 7);
  c.LineTo(10, 7);
  EXPECT_EQ(At(b, 15, 17), clBlack);  // canvas (5, 7) is surface (15, 17)
}

TEST(CanvasLines, ExtremeCoordinatesStayWithinTheSurface) {
  TBitmap b(20, 20);
  TCanvas c;
  c.SetTarget(&b, {5, 5}, Rect(0, 0, 20, 20));
  const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
  for (int width : {1, 3}) {
    c.Pen()->SetWidth(width);
    c.MoveTo(small, small);
    c.LineTo(big, big);
    c.Rectangle(small, small, big, big);
    c.Ellipse(small, 3, big, 9);
    c.Pie(small, small, big, big, big, 0, 0, small);
    const TPoint far[] = {{small, 0}, {big, 5}, {0, big}};
    c.Polygon(far);
    c.CopyRect(Rect(small, small, big, big), &c, Rect(0, 0, 3, 3));
    c.FloodFill(big, small, clBlack, fsBorder);
    TBitmap dot(2, 2);
    c.Draw(big, big, &dot);
    c.StretchDraw(Rect(small, small, big, big), &dot);
  }
  c.Pen()->SetWidth(1);
  c.Brush()->SetColor(clRed);
  c.Rectangle(-5, -5, 15, 15);
  EXPECT_EQ(qel::test::CountColor(b, clRed), 18 * 18);  // the pen keeps the surface's outer ring
}
