#include <gtest/gtest.h>

#include "GridTestUtil.h"

using namespace qel;
using namespace qel::test;

TEST(GridPaint, DrawCellIsCalledOnceForEachVisibleCellWithItsStateAndColours) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  g->SetColCount(4);
  g->SetRowCount(100);
  g->SetDefaultColWidth(40);
  g->SetDefaultRowHeight(20);
  g->GetFont()->SetColor(clRed);
  g->SetFixedColor(clYellow);
  g->SetFocus();
  f.robot.Key(VK_RIGHT, {ssShift});  // selection (1,1)-(2,1), current (2,1)

  auto drawn = f.Repaint();
  // Rows of 21 pixels: the fixed row and rows 1..9 reach into 200 pixels.
  EXPECT_EQ(drawn.size(), 4u * 10u);
  for (auto& [cell, d] : drawn) {
    auto [c, r] = cell;
    EXPECT_EQ(d.times, 1);
    EXPECT_LE(r, 9);
    bool fixed = c == 0 || r == 0;
    EXPECT_EQ(d.state.Contains(gdFixed), fixed) << c << "," << r;
    EXPECT_EQ(d.state.Contains(gdFocused), c == 2 && r == 1) << c << "," << r;
    EXPECT_EQ(d.state.Contains(gdSelected), r == 1 && (c == 1 || c == 2)) << c << "," << r;
    // The hook gets the whole cell, also where the client cuts it off.
    TRect shown = g->CellRect(c, r);
    EXPECT_EQ(d.rect.Left, shown.Left);
    EXPECT_EQ(d.rect.Top, shown.Top);
    EXPECT_EQ(d.rect.Bottom, d.rect.Top + 20);
    if (fixed) {
      EXPECT_EQ(d.brush, clYellow);
    }
    // A selected cell that is not the focused one is highlighted.
    if (c == 1 && r == 1) {
      EXPECT_EQ(d.brush, clHighlight);
      EXPECT_EQ(d.font, clHighlightText);
    } else if (!fixed) {
      EXPECT_EQ(d.brush, clWindow) << c << "," << r;
      EXPECT_EQ(d.font, clRed);
    }
  }
  // The default drawing filled the highlighted cell; the focused one got
  // the dotted frame.
  TRect sel = g->CellRect(1, 1);
  EXPECT_EQ(f.robot.PixelAt(g, sel.Left + 5, sel.Top + 5), ColorToRGB(clHighlight));
  TRect foc = g->CellRect(2, 1);
  EXPECT_NE(f.robot.PixelAt(g, foc.Left, foc.Top), f.robot.PixelAt(g, foc.Left + 1, foc.Top));

  g->SetTopRow(50);
  drawn = f.Repaint();
  EXPECT_EQ(drawn.size(), 4u * 10u);
  EXPECT_TRUE(drawn.count({1, 0}) && drawn.count({1, 50}) && drawn.count({1, 58}));
  EXPECT_FALSE(drawn.count({1, 1}) || drawn.count({1, 59}));

  // Without default drawing the grid still sets the colours but fills nothing.
  g->SetDefaultDrawing(false);
  g->SetTopRow(1);
  drawn = f.Repaint();
  EXPECT_EQ(drawn.at({2, 1}).brush, clWindow);
}

TEST(GridPaint, LinesAndFixedCellsHaveTheClassicLook) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  g->SetColor(clWhite);
  g->SetColCount(3);  // 195 pixels of cells
  f.Repaint();
  TRect cell = g->CellRect(1, 1), fixed = g->CellRect(1, 0);
  EXPECT_EQ(f.robot.PixelAt(g, cell.Right, cell.Top + 5), clSilver);      // line between scrollable cells
  EXPECT_EQ(f.robot.PixelAt(g, fixed.Right, fixed.Top + 5), clBlack);     // line between fixed cells
  EXPECT_EQ(f.robot.PixelAt(g, fixed.Left, fixed.Top + 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(f.robot.PixelAt(g, fixed.Right - 1, fixed.Top + 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(f.robot.PixelAt(g, fixed.Left + 5, fixed.Top + 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(f.robot.PixelAt(g, cell.Left + 5, cell.Top + 5), clWhite);
  // Right of the last column the grid shows its colour.
  EXPECT_EQ(f.robot.PixelAt(g, 299, 5), clWhite);
}

TEST(GridPaint, InvalidateCellRepaintsJustThatCell) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  f.Repaint();
  g->drawn.clear();
  g->InvalidateCell(2, 3);
  Application->ProcessMessages();
  ASSERT_EQ(g->drawn.size(), 1u);
  EXPECT_TRUE(g->drawn.count({2, 3}));
}
