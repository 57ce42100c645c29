#include <gtest/gtest.h>

#include "GridTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
// 100 rows of 21 pixels in 300 x 200: a vertical bar, no horizontal one.
struct ScrollFixture : GridFixture {
  ScrollFixture() : GridFixture(300, 200) {
    grid->SetColCount(4);
    grid->SetRowCount(100);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(20);
    grid->SetScrollBars(ssBoth);
  }
};
}  // namespace

TEST(GridScroll, BarsAppearOnlyWhenNeededAndShrinkTheClientArea) {
  ScrollFixture f;
  TLoggingGrid* g = f.grid;
  EXPECT_EQ(g->ClientWidth(), 300 - ScrollBarSize);
  EXPECT_EQ(g->ClientHeight(), 200);
  EXPECT_FALSE(g->VertScrollBar().Bounds().IsEmpty());
  EXPECT_TRUE(g->HorzScrollBar().Bounds().IsEmpty());
  g->SetColCount(20);  // now wider than the client too
  EXPECT_EQ(g->ClientHeight(), 200 - ScrollBarSize);
  g->SetColCount(4);
  g->SetRowCount(3);
  EXPECT_EQ(g->ClientWidth(), 300);
  // The bar is drawn to the right of the cells.
  g->SetRowCount(100);
  EXPECT_EQ(f.robot.PixelAt(g, 300 - ScrollBarSize + 8, 100), RGB(0xE0, 0xE0, 0xE0));
}

TEST(GridScroll, ArrowPageAndThumbClicksOnTheBarScroll) {
  ScrollFixture f;
  TLoggingGrid* g = f.grid;
  int x = g->ClientWidth() + ScrollBarSize / 2;
  f.robot.Click(g, x, 200 - 5);  // the down arrow
  EXPECT_EQ(g->GetTopRow(), 2);
  f.robot.Click(g, x, 5);  // the up arrow
  EXPECT_EQ(g->GetTopRow(), 1);

  int page = g->VisibleRowCount() - 1;
  f.robot.Click(g, x, 200 - ScrollBarSize - 3);  // track below the thumb
  EXPECT_EQ(g->GetTopRow(), 1 + page);
  EXPECT_EQ(g->GetRow(), 1);  // scrolling leaves the current cell alone

  // Holding the arrow steps at once, then after 400 ms every 50 ms.
  f.robot.Press(g, x, 200 - 5);
  Headless().AdvanceTime(400 + 50 * 3);
  f.robot.Release(g, x, 200 - 5);
  EXPECT_EQ(g->GetTopRow(), 1 + page + 5);

  // Without thumb tracking the grid moves when the thumb is let go.
  TRect thumb = g->VertScrollBar().ThumbRect();
  int y = (thumb.Top + thumb.Bottom) / 2;
  int top = g->GetTopRow();
  f.robot.Press(g, x, y);
  f.robot.MoveTo(g, x, y + 60);
  EXPECT_EQ(g->GetTopRow(), top);
  f.robot.Release(g, x, y + 60);
  EXPECT_GT(g->GetTopRow(), top + 20);

  // With it the grid follows the thumb at once.
  g->SetOptions(g->GetOptions() + TGridOptions{goThumbTracking});
  thumb = g->VertScrollBar().ThumbRect();
  y = (thumb.Top + thumb.Bottom) / 2;
  top = g->GetTopRow();
  f.robot.Press(g, x, y);
  f.robot.MoveTo(g, x, y - 60);
  EXPECT_LT(g->GetTopRow(), top - 20);
  f.robot.MoveTo(g, x, 500);  // dragged past the end: the last page
  f.robot.Release(g, x, 500);
  EXPECT_EQ(g->GetTopRow() + g->VisibleRowCount() - 1, 99);
  EXPECT_FALSE(g->CellRect(1, 99).IsEmpty());
}

TEST(GridScroll, APressOnTheBarIsNoClickOnTheGridWhereverItIsLetGo) {
  ScrollFixture f;
  TLoggingGrid* g = f.grid;
  int clicks = 0;
  g->OnClick = [&](TObject*) { ++clicks; };
  int x = g->ClientWidth() + ScrollBarSize / 2;
  f.robot.Click(g, x, 200 - 5);
  TRect thumb = g->VertScrollBar().ThumbRect();
  f.robot.Press(g, x, thumb.Top + 5);
  f.robot.MoveTo(g, 60, thumb.Top + 45);
  f.robot.Release(g, 60, thumb.Top + 45);  // over the cells
  EXPECT_EQ(clicks, 0);
  f.robot.Click(g, 60, 50);  // a cell still clicks
  EXPECT_EQ(clicks, 1);
}

TEST(GridScroll, KeysKeepTheBarInStep) {
  ScrollFixture f;
  TLoggingGrid* g = f.grid;
  g->SetFocus();
  f.robot.Key(VK_END, {ssCtrl});
  EXPECT_EQ(g->VertScrollBar().Position(), g->GetTopRow() - g->GetFixedRows());
  EXPECT_EQ(g->VertScrollBar().Position(), g->VertScrollBar().MaxPosition());
}
