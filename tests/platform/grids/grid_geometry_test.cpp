#include <gtest/gtest.h>

#include "GridTestUtil.h"

using namespace qel;
using namespace qel::test;

// 5 x 5 cells of 64 x 24 with 1-pixel lines in a 200 x 90 client: columns
// start at 0, 65, 130, 195; rows at 0, 25, 50, 75.
TEST(GridGeometry, CellRectsFollowFixedCellsScrollingAndTheClientEdge) {
  GridFixture f;
  TLoggingGrid* g = f.grid;
  EXPECT_EQ(g->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(g->CellRect(1, 1), Rect(65, 25, 129, 49));
  EXPECT_EQ(g->CellRect(3, 3), Rect(195, 75, 200, 90));  // cut off at the edge
  EXPECT_TRUE(g->CellRect(4, 1).IsEmpty());             // beyond the edge
  EXPECT_TRUE(g->CellRect(5, 1).IsEmpty());
  EXPECT_TRUE(g->CellRect(-1, 1).IsEmpty());
  EXPECT_EQ(g->VisibleColCount(), 2);
  EXPECT_EQ(g->VisibleRowCount(), 2);

  g->SetTopRow(3);
  EXPECT_EQ(g->GetTopRow(), 3);
  EXPECT_TRUE(g->CellRect(1, 1).IsEmpty());  // scrolled away under the fixed row
  EXPECT_TRUE(g->CellRect(1, 2).IsEmpty());
  EXPECT_EQ(g->CellRect(1, 3), Rect(65, 25, 129, 49));
  EXPECT_EQ(g->CellRect(0, 4), Rect(0, 50, 64, 74));
  EXPECT_EQ(g->CellRect(1, 0), Rect(65, 0, 129, 24));  // fixed rows never move
  EXPECT_EQ(g->GetGridHeight(), 75);
  EXPECT_EQ(g->GetGridWidth(), 200);

  g->SetFixedRows(2);  // starts over below the fixed rows
  EXPECT_EQ(g->GetTopRow(), 2);
  EXPECT_EQ(g->CellRect(1, 2), Rect(65, 50, 129, 74));

  g->SetGridLineWidth(3);
  EXPECT_EQ(g->CellRect(1, 1), Rect(67, 27, 131, 51));
  g->SetOptions({goRangeSelect});  // no lines at all: no line width
  EXPECT_EQ(g->CellRect(1, 1), Rect(64, 24, 128, 48));
}

TEST(GridGeometry, MouseCoordCountsALineWithTheCellBeforeItAndIsMinusOneOutside) {
  GridFixture f;
  TLoggingGrid* g = f.grid;
  EXPECT_EQ(g->MouseCoord(0, 0), (TGridCoord{0, 0}));
  EXPECT_EQ(g->MouseCoord(64, 24), (TGridCoord{0, 0}));  // on both lines
  EXPECT_EQ(g->MouseCoord(65, 25), (TGridCoord{1, 1}));
  EXPECT_EQ(g->MouseCoord(199, 89), (TGridCoord{3, 3}));
  EXPECT_EQ(g->MouseCoord(-1, 5), (TGridCoord{-1, -1}));
  EXPECT_EQ(g->MouseCoord(5, 90), (TGridCoord{-1, -1}));
  g->SetTopRow(3);
  EXPECT_EQ(g->MouseCoord(70, 30), (TGridCoord{1, 3}));
  EXPECT_EQ(g->MouseCoord(70, 80), (TGridCoord{-1, -1}));  // below the last row
  int c = 0, r = 0;
  g->MouseToCell(130, 50, c, r);
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 4);
}

TEST(GridGeometry, SizesCountsAndFixedCountsStayConsistent) {
  GridFixture f;
  TLoggingGrid* g = f.grid;
  g->SetColWidths(1, 30);
  EXPECT_EQ(g->CellRect(2, 0), Rect(96, 0, 160, 24));
  g->SetDefaultColWidth(40);  // a new default replaces individual widths
  EXPECT_EQ(g->GetColWidths(1), 40);
  EXPECT_THROW(g->SetColWidths(5, 10), EInvalidGridOperation);
  EXPECT_EQ(g->GetColWidths(99), 40);
  // As many fixed columns or rows as there are: refused with the reason,
  // and the grid keeps its own.
  auto refusal = [](auto&& Call) {
    try {
      Call();
    } catch (const EInvalidGridOperation& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  const int fixedCols = g->GetFixedCols(), fixedRows = g->GetFixedRows();
  EXPECT_EQ(refusal([&] { g->SetFixedCols(g->GetColCount()); }), "Fixed column count must be less than column count");
  EXPECT_EQ(refusal([&] { g->SetFixedRows(g->GetRowCount()); }), "Fixed row count must be less than row count");
  EXPECT_EQ(g->GetFixedCols(), fixedCols);
  EXPECT_EQ(g->GetFixedRows(), fixedRows);
  g->SetFixedRows(g->GetRowCount() - 1);
  EXPECT_EQ(g->GetTopRow(), g->GetRowCount() - 1);
  g->SetFixedRows(fixedRows);

  g->SetRowCount(3);
  EXPECT_EQ(g->lastSize, std::make_pair(5, 5));
  g->SetRowCount(1);  // fixed rows give way
  EXPECT_EQ(g->GetFixedRows(), 0);
  EXPECT_EQ(g->GetRowCount(), 1);
  g->SetRowCount(0);
  EXPECT_EQ(g->GetRowCount(), 1);
  EXPECT_LT(g->GetRow(), g->GetRowCount());
  EXPECT_THROW(g->SetRow(7), EInvalidGridOperation);
}

// Three columns of 64 with their lines end exactly at 194 pixels.
TEST(GridGeometry, ACellEndingAtTheClientEdgeIsWholeAndItsBorderStillSizes) {
  GridFixture f(194, 90);
  TLoggingGrid* g = f.grid;
  EXPECT_EQ(g->VisibleColCount(), 2);  // its line falls off, the cell does not
  EXPECT_EQ(g->GetGridWidth(), 194);
  EXPECT_EQ(g->CellRect(2, 1), Rect(130, 25, 194, 49));
  EXPECT_TRUE(g->CellRect(3, 1).IsEmpty());
  EXPECT_EQ(g->MouseCoord(193, 30), (TGridCoord{2, 1}));
  g->SetOptions(g->GetOptions() + TGridOptions{goColSizing});
  f.robot.MoveTo(g, 192, 10);
  EXPECT_EQ(g->GetCursor(), crHSplit);

  g->SetBounds(10, 10, 193, 90);  // one pixel less: the third column is cut off
  EXPECT_EQ(g->VisibleColCount(), 1);
  EXPECT_EQ(g->GetGridWidth(), 193);
  EXPECT_EQ(g->CellRect(2, 1), Rect(130, 25, 193, 49));
}
