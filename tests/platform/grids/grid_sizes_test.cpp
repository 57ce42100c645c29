// Individual row heights and column widths: only the cells up to the last
// one sized are stored, so sizing the header of a huge grid costs nothing.
#include <gtest/gtest.h>
#include <malloc.h>

#include "GridTestUtil.h"

using namespace qel;
using namespace qel::test;

TEST(GridSizes, SizingAHugeGridsFirstRowsStoresOnlyThoseRows) {
  GridFixture f;
  TLoggingGrid* g = f.grid;
  g->SetRowCount(10'000'000);
  // Heap in use, large (mapped) blocks included.
  auto inUse = [] { struct mallinfo2 m = mallinfo2(); return m.uordblks + m.hblkhd; };
  const size_t before = inUse();
  g->SetRowHeights(0, 40);
  g->SetRowHeights(1, 10);
  EXPECT_LT(inUse() - before, size_t(1) << 20);
  EXPECT_EQ(g->GetRowHeights(0), 40);
  EXPECT_EQ(g->GetRowHeights(2), 24);
  EXPECT_EQ(g->GetRowHeights(9'999'999), 24);
  EXPECT_EQ(g->CellRect(0, 2), Rect(0, 52, 64, 76));
  g->SetRowHeights(9'999'999, 7);  // the last row: everything up to it is stored
  EXPECT_EQ(g->GetRowHeights(9'999'999), 7);
  EXPECT_EQ(g->GetRowHeights(9'999'998), 24);
  g->SetRowCount(5);
  g->SetRowCount(10'000'000);  // rows that went and came back have the default
  EXPECT_EQ(g->GetRowHeights(9'999'999), 24);
  EXPECT_EQ(g->GetRowHeights(1), 10);
  g->SetDefaultRowHeight(20);
  EXPECT_EQ(g->GetRowHeights(0), 20);
}

TEST(GridSizes, MovedRowsAndColumnsTakeTheirSizesAlong) {
  GridFixture f;
  TLoggingGrid* g = f.grid;
  g->SetColCount(8);
  g->SetColWidths(1, 30);
  g->MoveColumn(6, 2);  // default columns around a sized one
  EXPECT_EQ(g->GetColWidths(1), 30);
  EXPECT_EQ(g->GetColWidths(2), 64);
  g->MoveColumn(1, 6);
  EXPECT_EQ(g->GetColWidths(1), 64);
  EXPECT_EQ(g->GetColWidths(6), 30);
  g->MoveColumn(6, 7);
  EXPECT_EQ(g->GetColWidths(7), 30);
  EXPECT_EQ(g->GetColWidths(6), 64);
  g->SetRowCount(8);
  g->SetRowHeights(2, 10);
  g->DeleteRow(1);  // moves it to the end first
  EXPECT_EQ(g->GetRowCount(), 7);
  EXPECT_EQ(g->GetRowHeights(1), 10);
  g->SetRowCount(8);
  EXPECT_EQ(g->GetRowHeights(7), 24);
}
