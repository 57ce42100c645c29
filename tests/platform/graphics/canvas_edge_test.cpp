// DrawEdge: which pixels each corner rule gives to the light and the dark
// lines, the sides and colours left out, clipping, and the canvas state.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "canvas_test_util.h"

using namespace qel;
using qel::test::At;
using qel::test::Fill;

namespace {

constexpr TColor kLight = 0xFFFFFF, kDark = 0x404040, kBack = 0x00FF00;

// The bitmap as rows of 'L' (light), 'D' (dark) and '.' (untouched).
std::string Picture(const TBitmap& b) {
  std::string s;
  for (int y = 0; y < b.GetHeight(); ++y) {
    for (int x = 0; x < b.GetWidth(); ++x) {
      TColor c = At(b, x, y);
      s += c == kLight ? 'L' : c == kDark ? 'D' : c == kBack ? '.' : '?';
    }
    s += '\n';
  }
  return s;
}

// An edge on (1, 1)-(5, 4) of a 7 x 6 bitmap.
std::string Edge(TEdgeShape Shape, TColor Light = kLight, TColor Dark = kDark, TRect R = {1, 1, 6, 5}) {
  TBitmap b(7, 6);
  Fill(b, kBack);
  DrawEdge(b.Canvas(), R, Light, Dark, Shape);
  return Picture(b);
}

}  // namespace

TEST(CanvasEdge, EachCornerRuleGivesTheTwoMixedCornersToItsSide) {
  EXPECT_EQ(Edge({}),
            ".......\n"
            ".LLLLD.\n"
            ".L...D.\n"
            ".L...D.\n"
            ".DDDDD.\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecLight, .BottomLeft = ecLight}),
            ".......\n"
            ".LLLLL.\n"
            ".L...D.\n"
            ".L...D.\n"
            ".LDDDD.\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecLight, .BottomLeft = ecDark}),  // rows run the full width
            ".......\n"
            ".LLLLL.\n"
            ".L...D.\n"
            ".L...D.\n"
            ".DDDDD.\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecDark, .BottomLeft = ecLight}),  // columns run the full height
            ".......\n"
            ".LLLLD.\n"
            ".L...D.\n"
            ".L...D.\n"
            ".LDDDD.\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecOpen, .BottomLeft = ecOpen}),
            ".......\n"
            ".LLLL..\n"
            ".L...D.\n"
            ".L...D.\n"
            "..DDDD.\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecOpen, .BottomLeft = ecDark}),
            ".......\n"
            ".LLLL..\n"
            ".L...D.\n"
            ".L...D.\n"
            ".DDDDD.\n"
            ".......\n");
}

TEST(CanvasEdge, SidesAndColoursCanBeLeftOut) {
  EXPECT_EQ(Edge({.TopRight = ecLight, .BottomLeft = ecDark, .Columns = false}),
            ".......\n"
            ".LLLLL.\n"
            ".......\n"
            ".......\n"
            ".DDDDD.\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecDark, .BottomLeft = ecLight, .Rows = false}),
            ".......\n"
            ".L...D.\n"
            ".L...D.\n"
            ".L...D.\n"
            ".L...D.\n"
            ".......\n");
  EXPECT_EQ(Edge({}, clNone),
            ".......\n"
            ".....D.\n"
            ".....D.\n"
            ".....D.\n"
            ".DDDDD.\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecLight, .BottomLeft = ecLight}, kLight, clNone),
            ".......\n"
            ".LLLLL.\n"
            ".L.....\n"
            ".L.....\n"
            ".L.....\n"
            ".......\n");
}

TEST(CanvasEdge, ThinAndEmptyRectangles) {
  // One pixel high or wide: the dark line covers the light one.
  EXPECT_EQ(Edge({}, kLight, kDark, {1, 2, 6, 3}),
            ".......\n"
            ".......\n"
            ".DDDDD.\n"
            ".......\n"
            ".......\n"
            ".......\n");
  EXPECT_EQ(Edge({.TopRight = ecLight, .BottomLeft = ecLight}, kLight, kDark, {3, 1, 4, 5}),
            ".......\n"
            "...L...\n"
            "...D...\n"
            "...D...\n"
            "...D...\n"
            ".......\n");
  const std::string untouched = Edge({}, clNone, clNone);
  EXPECT_EQ(Edge({}, kLight, kDark, {3, 1, 3, 5}), untouched);
  EXPECT_EQ(Edge({}, kLight, kDark, {5, 4, 1, 1}), untouched);
}

TEST(CanvasEdge, FollowsTheCanvasOriginAndClip) {
  TBitmap surface(7, 6);
  Fill(surface, kBack);
  TCanvas c;
  c.SetTarget(&surface, {1, 1}, {0, 0, 7, 3});  // only the top three rows
  DrawEdge(&c, {0, 0, 5, 4}, kLight, kDark);
  EXPECT_EQ(Picture(surface),
            ".......\n"
            ".LLLLD.\n"
            ".L...D.\n"
            ".......\n"
            ".......\n"
            ".......\n");
  c.SetClipRect({0, 0, 2, 9});  // canvas coordinates: the first two columns
  Fill(surface, kBack);
  DrawEdge(&c, {0, 0, 5, 4}, kLight, kDark);
  EXPECT_EQ(Picture(surface),
            ".......\n"
            ".LL....\n"
            ".L.....\n"
            ".......\n"
            ".......\n"
            ".......\n");
  // Extreme rectangles are cut to the surface without overflowing.
  c.ResetClipRect();
  Fill(surface, kBack);
  DrawEdge(&c, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kLight, kDark);
  DrawEdge(&c, {INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX}, kLight, kDark);
  EXPECT_EQ(qel::test::CountColor(surface, kBack), 42);
  TCanvas nowhere;
  DrawEdge(&nowhere, {0, 0, 5, 4}, kLight, kDark);
  DrawEdge(nullptr, {0, 0, 5, 4}, kLight, kDark);
}

TEST(CanvasEdge, DrawsInCopyModeAndLeavesPenAndBrushAlone) {
  TBitmap b(7, 6);
  Fill(b, kBack);
  TCanvas& c = *b.Canvas();
  c.Pen()->SetColor(0x123456);
  c.Pen()->SetWidth(3);
  c.Pen()->SetStyle(psDot);
  c.Pen()->SetMode(pmXor);
  c.Brush()->SetColor(0x654321);
  c.Brush()->SetStyle(bsClear);
  c.MoveTo(2, 3);
  DrawEdge(&c, {1, 1, 6, 5}, kLight, kDark);
  EXPECT_EQ(Picture(b), Edge({}));
  EXPECT_EQ(c.Pen()->GetColor(), 0x123456u);
  EXPECT_EQ(c.Pen()->GetWidth(), 3);
  EXPECT_EQ(c.Pen()->GetStyle(), psDot);
  EXPECT_EQ(c.Pen()->GetMode(), pmXor);
  EXPECT_EQ(c.Brush()->GetColor(), 0x654321u);
  EXPECT_EQ(c.Brush()->GetStyle(), bsClear);
  EXPECT_EQ(c.GetPenPos(), (TPoint{2, 3}));
  // System colours resolve like every other drawing colour.
  Fill(b, kBack);
  DrawEdge(&c, {0, 0, 7, 6}, clBtnHighlight, clBtnShadow);
  EXPECT_EQ(At(b, 0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(b, 6, 5), ColorToRGB(clBtnShadow));
}
