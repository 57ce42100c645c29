#include <gtest/gtest.h>

#include "GridTestUtil.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;
using namespace qel::test;

namespace {
TPoint Centre(TLoggingGrid* g, int c, int r) {
  TRect rc = g->CellRect(c, r);
  return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
}
// A string grid that lets the test call the protected row and column moves.
struct TOpenStringGrid : TStringGrid {
  using TStringGrid::TStringGrid;
  using TCustomGrid::DeleteRow;
  using TCustomGrid::MoveColumn;
};
}  // namespace

TEST(GridInput, KeysMoveTheCurrentCellAndShiftExtendsARange) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  g->SetColCount(6);
  g->SetRowCount(50);
  g->SetFocus();
  int clicks = 0;
  g->OnClick = [&](TObject*) { ++clicks; };
  f.robot.Key(VK_DOWN);
  f.robot.Key(VK_RIGHT);
  EXPECT_EQ(g->GetCol(), 2);
  EXPECT_EQ(g->GetRow(), 2);
  EXPECT_EQ(clicks, 2);  // moving the current cell clicks, as on the platform
  f.robot.Key(VK_DOWN, {ssShift});
  f.robot.Key(VK_RIGHT, {ssShift});
  EXPECT_TRUE(g->GetSelection() == (TGridRect{2, 2, 3, 3}));
  f.robot.Key(VK_UP);  // a plain key collapses the range
  EXPECT_TRUE(g->GetSelection() == (TGridRect{3, 2, 3, 2}));
  f.robot.Key(VK_HOME);
  EXPECT_EQ(g->GetCol(), 1);
  f.robot.Key(VK_END);
  EXPECT_EQ(g->GetCol(), 5);
  f.robot.Key(VK_END, {ssCtrl});
  EXPECT_EQ(g->GetRow(), 49);
  EXPECT_FALSE(g->CellRect(5, 49).IsEmpty());
  f.robot.Key(VK_HOME, {ssCtrl});
  EXPECT_EQ(g->GetCol(), 1);
  EXPECT_EQ(g->GetRow(), 1);
  f.robot.Key(VK_UP);  // never into the fixed cells
  f.robot.Key(VK_LEFT);
  EXPECT_EQ(g->GetCol(), 1);
  EXPECT_EQ(g->GetRow(), 1);

  // Without goRangeSelect Shift moves without extending.
  g->SetOptions(g->GetOptions() - TGridOptions{goRangeSelect});
  f.robot.Key(VK_DOWN, {ssShift});
  EXPECT_TRUE(g->GetSelection() == (TGridRect{1, 2, 1, 2}));
}

TEST(GridInput, TabMovesAlongRowsOnlyWithGoTabs) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  g->SetFocus();
  EXPECT_EQ(g->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
  EXPECT_NE(g->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS, 0);
  g->SetOptions(g->GetOptions() + TGridOptions{goTabs});
  EXPECT_NE(g->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
  g->SetCol(4);
  f.robot.Key(VK_TAB);  // past the last column: the next row's first
  EXPECT_EQ(g->GetCol(), 1);
  EXPECT_EQ(g->GetRow(), 2);
  f.robot.Key(VK_TAB, {ssShift});
  EXPECT_EQ(g->GetCol(), 4);
  EXPECT_EQ(g->GetRow(), 1);
}

// Ctrl+Tab and Ctrl+Shift+Tab leave a grid for the next and previous
// control, whether or not it keeps Tab for its cells, also from its open
// editor and past it; a grid alone on its form keeps the focus.
TEST(GridInput, CtrlTabLeavesTheGridEitherWay) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  auto* before = new TEdit(&f.form);
  before->SetParent(&f.form);
  before->SetBounds(0, 215, 60, 20);
  before->SetTabOrder(0);
  auto* after = new TEdit(&f.form);
  after->SetParent(&f.form);
  after->SetBounds(100, 215, 60, 20);
  Application->ProcessMessages();
  for (bool tabs : {false, true}) {
    SCOPED_TRACE(tabs ? "with goTabs" : "without goTabs");
    g->SetOptions(tabs ? g->GetOptions() + TGridOptions{goTabs, goEditing}
                       : g->GetOptions() - TGridOptions{goTabs, goEditing});
    g->SetFocus();
    g->SetCol(2);
    f.robot.Key(VK_TAB, {ssCtrl});
    EXPECT_TRUE(after->Focused());
    g->SetFocus();
    f.robot.Key(VK_TAB, {ssCtrl, ssShift});
    EXPECT_TRUE(before->Focused());
    EXPECT_EQ(g->GetCol(), 2);  // no cell moved on the way
    EXPECT_EQ(g->GetRow(), 1);
  }
  // From the open editor (the grid's child, next in tab order) past it.
  g->SetFocus();
  f.robot.Key(VK_F2);
  ASSERT_TRUE(g->InplaceEditor() && g->InplaceEditor()->Focused());
  f.robot.Key(VK_TAB, {ssCtrl});
  EXPECT_TRUE(after->Focused());
  EXPECT_FALSE(g->InplaceEditor()->GetVisible());
  f.robot.Key(VK_TAB, {ssShift});
  ASSERT_TRUE(g->Focused());
  f.robot.Key(VK_F2);
  f.robot.Key(VK_TAB, {ssCtrl, ssShift});
  EXPECT_TRUE(before->Focused());
  // Alone: the focus stays, and the grid still moves.
  delete before;
  delete after;
  g->SetFocus();
  f.robot.Key(VK_F2);
  f.robot.Key(VK_TAB, {ssCtrl});
  EXPECT_TRUE(g->Focused() || g->InplaceEditor()->Focused());
  f.robot.Key(VK_ESCAPE);
  g->SetFocus();
  f.robot.Key(VK_TAB, {ssCtrl});
  EXPECT_TRUE(g->Focused());
  f.robot.Key(VK_DOWN);
  EXPECT_EQ(g->GetRow(), 2);
}

// A grid that claims Tab in its dialog code without goTabs (the table
// editor does) walks its cells with it too, also from its editor.
TEST(GridInput, TabWalksTheCellsOfAGridThatClaimsIt) {
  struct TTabGrid : TLoggingGrid {
    using TLoggingGrid::TLoggingGrid;
    void WndProc(TMessage& m) override {
      TLoggingGrid::WndProc(m);
      if (m.Msg == WM_GETDLGCODE) m.Result |= DLGC_WANTTAB;
    }
  };
  GridFixture f(300, 200);
  f.grid->SetVisible(false);
  auto* g = new TTabGrid(&f.form);
  g->SetParent(&f.form);
  g->SetBounds(10, 10, 300, 200);
  g->SetOptions(g->GetOptions() + TGridOptions{goEditing});
  auto* other = new TEdit(&f.form);
  other->SetParent(&f.form);
  other->SetBounds(0, 215, 60, 20);
  Application->ProcessMessages();
  g->SetFocus();
  f.robot.Key(VK_TAB);
  EXPECT_TRUE(g->Focused());
  EXPECT_EQ(g->GetCol(), 2);
  f.robot.Key(VK_F2);
  ASSERT_TRUE(g->InplaceEditor() && g->InplaceEditor()->Focused());
  f.robot.Key(VK_TAB);
  EXPECT_EQ(g->GetCol(), 3);
  EXPECT_FALSE(other->Focused());
  f.robot.Key(VK_TAB, {ssShift});
  EXPECT_EQ(g->GetCol(), 2);
}

TEST(GridInput, MouseSelectsCellsRangesAndShiftClickExtends) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  TPoint p = Centre(g, 2, 3);
  f.robot.Click(g, p.X, p.Y);
  EXPECT_TRUE(g->Focused());
  EXPECT_EQ(g->GetCol(), 2);
  EXPECT_EQ(g->GetRow(), 3);
  TPoint q = Centre(g, 3, 4);
  f.robot.Click(g, q.X, q.Y, mbLeft, {ssShift});
  EXPECT_TRUE(g->GetSelection() == (TGridRect{2, 3, 3, 4}));
  EXPECT_EQ(g->GetCol(), 2);  // the current cell stays where the range began
  TPoint a = Centre(g, 1, 1), b = Centre(g, 3, 2);
  f.robot.Drag(g, a.X, a.Y, b.X, b.Y);
  EXPECT_TRUE(g->GetSelection() == (TGridRect{1, 1, 3, 2}));
  // Fixed cells are not selected by a click.
  TPoint fx = Centre(g, 0, 4);
  f.robot.Click(g, fx.X, fx.Y);
  EXPECT_EQ(g->GetCol(), 1);
  EXPECT_EQ(g->GetRow(), 1);
}

TEST(GridInput, SelectCellCanRefuseAMove) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  std::vector<std::pair<int, int>> asked;
  g->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
    asked.push_back({c, r});
    can = c != 2;
  };
  g->SetFocus();
  f.robot.Key(VK_RIGHT);
  EXPECT_EQ(g->GetCol(), 1);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), std::make_pair(2, 1));
  TPoint p = Centre(g, 2, 2);
  f.robot.Click(g, p.X, p.Y);
  EXPECT_EQ(g->GetCol(), 1);
  EXPECT_EQ(g->GetRow(), 1);
  TPoint q = Centre(g, 3, 2);
  f.robot.Click(g, q.X, q.Y);
  EXPECT_EQ(g->GetCol(), 3);
}

TEST(GridInput, MovingBelowTheLastVisibleRowScrollsAndReportsTheNewTopRow) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  g->SetRowCount(100);
  int events = 0;
  g->OnTopLeftChanged = [&](TObject*) { ++events; };
  g->SetFocus();
  int visible = g->VisibleRowCount();  // rows 1..visible are fully shown
  for (int i = 0; i < visible; ++i) f.robot.Key(VK_DOWN);
  EXPECT_EQ(g->GetRow(), visible + 1);
  EXPECT_EQ(g->GetTopRow(), 2);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(g->topLeftChanged, 1);
  TRect r = g->CellRect(1, g->GetRow());
  EXPECT_FALSE(r.IsEmpty());
  EXPECT_LE(r.Bottom, g->ClientHeight());
  f.robot.Key(VK_NEXT);  // a page: the fully visible rows less one
  EXPECT_EQ(g->GetRow(), visible + 1 + visible - 1);
  EXPECT_FALSE(g->CellRect(1, g->GetRow()).IsEmpty());
  f.robot.Key(VK_HOME, {ssCtrl});
  EXPECT_EQ(g->GetTopRow(), 1);
}

TEST(GridInput, WheelMovesTheCurrentRowByOne) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  g->SetFocus();
  f.robot.Wheel(g, 50, 50, -120);
  f.robot.Wheel(g, 50, 50, -120);
  EXPECT_EQ(g->GetRow(), 3);
  f.robot.Wheel(g, 50, 50, 120);
  EXPECT_EQ(g->GetRow(), 2);
  for (int i = 0; i < 5; ++i) f.robot.Wheel(g, 50, 50, 120);
  EXPECT_EQ(g->GetRow(), 1);  // stops at the first scrollable row
  for (int i = 0; i < 9; ++i) f.robot.Wheel(g, 50, 50, -120);
  EXPECT_EQ(g->GetRow(), 4);  // and at the last
}

TEST(GridInput, DraggingAFixedRowBorderSizesTheColumn) {
  GridFixture f(300, 200);
  TLoggingGrid* g = f.grid;
  g->SetOptions(g->GetOptions() + TGridOptions{goColSizing, goRowSizing});
  int border = g->CellRect(1, 0).Right;  // 129
  f.robot.MoveTo(g, border + 2, 10);
  EXPECT_EQ(g->GetCursor(), crHSplit);
  f.robot.MoveTo(g, border + 20, 10);
  EXPECT_EQ(g->GetCursor(), crDefault);
  int before = g->colWidthsChanged;
  f.robot.Drag(g, border + 1, 10, border + 31, 10);
  EXPECT_EQ(g->GetColWidths(1), 94);
  EXPECT_EQ(g->colWidthsChanged, before + 1);
  EXPECT_EQ(g->GetCol(), 1);  // sizing selects nothing
  // Rows size from the fixed column.
  int rowBorder = g->CellRect(0, 2).Bottom;
  f.robot.Drag(g, 10, rowBorder, 10, rowBorder - 10);
  EXPECT_EQ(g->GetRowHeights(2), 14);
  EXPECT_GE(g->rowHeightsChanged, 1);
  // Borders between scrollable rows size nothing.
  f.robot.Drag(g, 100, rowBorder + 40, 100, rowBorder + 80);
  EXPECT_EQ(g->GetRowHeights(3), 24);
}

TEST(GridInput, MoveColumnAndDeleteRowKeepTheirData) {
  TForm form(nullptr);
  auto* g = new TOpenStringGrid(&form);
  g->SetParent(&form);
  form.Show();
  int moved = 0;
  g->OnColumnMoved = [&](TObject*, int from, int to) { moved = from * 10 + to; };
  g->SetColWidths(1, 30);
  g->SetCells(1, 1, "a");
  g->SetCells(2, 1, "b");
  g->SetCells(1, 2, "c");
  g->MoveColumn(1, 3);
  EXPECT_EQ(moved, 13);
  EXPECT_EQ(g->GetCells(3, 1), "a");
  EXPECT_EQ(g->GetCells(1, 1), "b");
  EXPECT_EQ(g->GetColWidths(3), 30);
  g->DeleteRow(1);
  EXPECT_EQ(g->GetRowCount(), 4);
  // Row 2 moved up; its "c" had moved with column 1 to column 3.
  EXPECT_EQ(g->GetCells(3, 1), "c");
  EXPECT_EQ(g->GetCells(1, 1), "");
  EXPECT_THROW(g->SetCells(9, 1, "x"), EInvalidGridOperation);
}
