// TReportListView input: check marks toggled by clicks, row selection in
// each mode, keys, the header border double click, MouseCell, in-place
// editing and the selection operations.
#include "ReportListViewTestUtil.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;
using namespace qel::test;

namespace {
class ListInputTest : public ListViewTest {
 protected:
  // Click at X pixels right of data cell (c, r)'s left edge.
  void ClickCell(int c, int r, int X, TShiftState Shift = {}) {
    const TRect rect = Cell(c, r);
    Headless().AdvanceTime(1000);  // each click on its own, never a double click
    robot.Click(view, rect.Left + X, (rect.Top + rect.Bottom) / 2, mbLeft, Shift);
  }
  std::string Selected() {
    std::string s;
    for (int r = 1; r <= view->GetNrRows(); ++r) s += view->GetRowSelect(r) ? '1' : '0';
    return s;
  }
  int CurrentRow() { return view->GetRow() - view->GetFixedRows() + 1; }
};
}  // namespace

TEST_F(ListInputTest, ClicksInTheBoxAreaToggleBoxesAndMoveRadioMarks) {
  view->SetColCheckMode(2, cmBox);
  view->SetElem(2, 1, "first");
  ClickCell(2, 1, 17);
  EXPECT_TRUE(view->GetElemChecked(2, 1));
  EXPECT_EQ(view->GetElem(2, 1), "first");
  ClickCell(2, 1, 17);
  EXPECT_FALSE(view->GetElemChecked(2, 1));
  ClickCell(2, 1, 20);  // past the box: selects only
  EXPECT_FALSE(view->GetElemChecked(2, 1));
  EXPECT_TRUE(view->GetRowSelect(1));
  ClickCell(2, 2, 5);  // an empty cell shows an empty box, which toggles
  EXPECT_TRUE(view->GetElemChecked(2, 2));
  view->SetShowEmptyCheckBoxes(false);
  ClickCell(2, 3, 5);
  EXPECT_FALSE(view->GetElemChecked(2, 3));

  view->SetColCheckMode(3, cmRadio);
  for (int r = 1; r <= 4; ++r) view->SetElem(3, r, "r");
  ClickCell(3, 1, 8);
  ClickCell(3, 1, 8);  // a checked radio stays checked
  EXPECT_TRUE(view->GetElemChecked(3, 1));
  ClickCell(3, 3, 8);
  EXPECT_FALSE(view->GetElemChecked(3, 1));
  EXPECT_TRUE(view->GetElemChecked(3, 3));
  EXPECT_EQ(view->CountCheckedElemsInCol(3), 1);

  // Read-only marks and disabled rows never toggle.
  view->SetROCheckmarks(true);
  ClickCell(2, 1, 8);
  ClickCell(3, 2, 8);
  EXPECT_FALSE(view->GetElemChecked(2, 1));
  EXPECT_TRUE(view->GetElemChecked(3, 3));
  view->SetROCheckmarks(false);
  view->SetRowEnabled(1, false);
  ClickCell(2, 1, 8);
  EXPECT_FALSE(view->GetElemChecked(2, 1));
  EXPECT_TRUE(view->GetElemChecked(2, 2) && view->GetRowEnabled(2));
}

TEST_F(ListInputTest, BeforeCheckedChangeCanVetoAndCheckedChangeReportsTheOldState) {
  view->SetColCheckMode(2, cmBox);
  view->SetElem(2, 1, "x");
  std::vector<std::string> calls;
  view->OnBeforeCheckedChange = [&](TObject* s, bool& State, int c, int r) {
    calls.push_back("before " + std::to_string(State) + " " + std::to_string(c) + "," + std::to_string(r));
    EXPECT_EQ(s, view);
    State = false;
  };
  view->OnCheckedChange = [&](TObject* s, bool& State, int c, int r) {
    calls.push_back("after " + std::to_string(State) + " " + std::to_string(c) + "," + std::to_string(r));
    EXPECT_EQ(s, view);
  };
  ClickCell(2, 1, 10);
  EXPECT_FALSE(view->GetElemChecked(2, 1));
  EXPECT_EQ(calls, (std::vector<std::string>{"before 1 2,1", "after 1 2,1"}));
  // A radio cell is checked whatever the handler says.
  view->SetColCheckMode(2, cmRadio);
  ClickCell(2, 1, 10);
  EXPECT_TRUE(view->GetElemChecked(2, 1));
}

TEST_F(ListInputTest, RowSelectModesOnClicks) {
  view->SetRowSelectMode(2);
  int changes = 0;
  view->OnSelectedChange = [&](TObject*) { ++changes; };
  ClickCell(1, 2, 30);
  EXPECT_EQ(Selected(), "0100");
  ClickCell(1, 4, 30, {ssCtrl});
  EXPECT_EQ(Selected(), "0101");
  ClickCell(1, 2, 30, {ssCtrl});
  EXPECT_EQ(Selected(), "0001");
  ClickCell(1, 2, 30, {ssCtrl});
  EXPECT_EQ(view->GetAnchorRow(), 2);
  // Shift: the range from the anchor takes the anchor's whole byte.
  view->Data()->SetRowAttrib(2, 128 | 64);
  ClickCell(1, 4, 30, {ssShift});
  EXPECT_EQ(Selected(), "0111");
  EXPECT_FALSE(view->GetRowEnabled(3));
  EXPECT_FALSE(view->GetRowEnabled(4));
  EXPECT_TRUE(view->GetRowEnabled(1));
  EXPECT_GE(changes, 5);
  view->EnableAllRows();
  // A plain click selects one row, unless Ctrl is not needed to add rows.
  ClickCell(1, 1, 30);
  EXPECT_EQ(Selected(), "1000");
  view->SetUseCtrlForMultiSel(false);
  ClickCell(1, 3, 30);
  ClickCell(1, 1, 30);
  EXPECT_EQ(Selected(), "0010");
  // Releasing the button beside the rows deselects them all.
  robot.Click(view, 395, 60);
  EXPECT_EQ(Selected(), "0000");

  view->SetRowSelectMode(1);
  ClickCell(1, 2, 30);
  ClickCell(1, 3, 30, {ssCtrl});
  EXPECT_EQ(Selected(), "0010");
  view->SetRowSelectMode(0);  // deselects and leaves the data
  EXPECT_EQ(Selected(), "0000");
  EXPECT_EQ(view->GetSelection().Bottom, view->GetNrRows() + 1);
  ClickCell(1, 2, 30);
  EXPECT_EQ(Selected(), "0000");
  view->SetRowSelect(1, true);
  view->SetRowSelectMode(7);  // any other value: no selection either
  EXPECT_EQ(Selected(), "0000");
  view->SetRowSelect(1, true);
  view->SetRowSelectMode(2);  // leaves selections alone
  EXPECT_EQ(Selected(), "1000");
}

TEST_F(ListInputTest, CursorKeysSelectTheNewCurrentRowInEveryMode) {
  for (int mode : {0, 1, 2}) {
    view->SetRowSelectMode(mode);
    view->SelectAllRows();
    ClickCell(1, 1, 30);
    robot.Key(VK_DOWN);
    EXPECT_EQ(CurrentRow(), 2) << mode;
    EXPECT_EQ(Selected(), "0100") << mode;
    robot.Key(VK_END);
    EXPECT_EQ(Selected(), "0001") << mode;
    robot.Key(VK_HOME);
    EXPECT_EQ(Selected(), "1000") << mode;
  }
  robot.Key(VK_RETURN);  // other keys leave the selection alone
  EXPECT_EQ(Selected(), "1000");
}

// Tab is the form's (the list does not want it); Ctrl+Tab and
// Ctrl+Shift+Tab leave the list too, as from every grid.
TEST_F(ListInputTest, TabAndCtrlTabLeaveTheList) {
  auto* next = new TEdit(&form);
  next->SetParent(&form);
  next->SetBounds(10, 260, 80, 20);
  Application->ProcessMessages();
  ClickCell(1, 1, 30);
  ASSERT_TRUE(view->Focused());
  robot.Key(VK_TAB, {ssCtrl});
  EXPECT_TRUE(next->Focused());
  robot.Key(VK_TAB, {ssShift});
  EXPECT_TRUE(view->Focused());
  robot.Key(VK_TAB, {ssCtrl, ssShift});
  EXPECT_TRUE(next->Focused());
  view->SetFocus();
  robot.Key(VK_TAB);
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(CurrentRow(), 1);
}

TEST_F(ListInputTest, MouseCellNamesHeaderRowsAndDataRows) {
  const TRect header = view->CellRect(1, 0);
  EXPECT_EQ(view->MouseCell(header.Left + 5, header.Top + 5), (TGridCoord{2, -1}));
  const TRect c31 = Cell(3, 1);
  EXPECT_EQ(view->MouseCell(c31.Left + 3, c31.Top + 3), (TGridCoord{3, 1}));
  EXPECT_EQ(view->MouseCell(c31.Left + 3, 235).Y, 0);  // below the rows
  view->SetCommonHeaderVisible(true);
  EXPECT_EQ(view->MouseCell(10, view->CellRect(0, 0).Top + 3), (TGridCoord{1, -2}));
  EXPECT_EQ(view->MouseCell(10, view->CellRect(0, 1).Top + 3), (TGridCoord{1, -1}));
  EXPECT_EQ(view->MouseCell(10, Cell(1, 2).Top + 3), (TGridCoord{1, 2}));
  // A click on the common header changes nothing.
  view->SelectAllRows();
  robot.Click(view, 30, 5);
  EXPECT_EQ(Selected(), "1111");
}

TEST_F(ListInputTest, DoubleClickOnAHeaderBorderFitsTheColumnBesideIt) {
  view->SetElem(1, 2, "a rather long text for column one");
  view->SetElem(2, 1, "two");
  const int fit1 = view->DetermineMaxColWidth(1, true), fit2 = view->DetermineMaxColWidth(2, true);
  const TRect h1 = view->CellRect(0, 0), h2 = view->CellRect(1, 0);
  robot.DoubleClick(view, h1.Right - 2, 8);  // right border of column 1
  EXPECT_EQ(view->GetColWidths(1), fit1);
  EXPECT_EQ(view->GetSortColumn(), -1);  // border presses do not sort
  const TRect h2now = view->CellRect(1, 0);
  robot.DoubleClick(view, h2now.Left + 2, 8);  // left border of column 2: column 1 again
  EXPECT_EQ(view->GetColWidths(2), 64);
  robot.DoubleClick(view, h2now.Right - 3, 8);
  EXPECT_EQ(view->GetColWidths(2), fit2);
  // A column sized to nothing is skipped for the one before it.
  view->SetColWidths(1, 64);
  view->SetColWidths(2, 0);
  const TRect h3 = view->CellRect(2, 0);
  robot.DoubleClick(view, h3.Left + 1, 8);
  EXPECT_EQ(view->GetColWidths(1), fit1);
  EXPECT_EQ(view->GetColWidths(2), 0);
  (void)h2;
  // A double click on a data row reaches OnDblClick; on a header it does not.
  int dbl = 0;
  view->OnDblClick = [&](TObject*) { ++dbl; };
  robot.DoubleClick(view, Cell(1, 1).Left + 20, Cell(1, 1).Top + 5);
  robot.DoubleClick(view, view->CellRect(0, 0).Left + 20, 8);
  EXPECT_EQ(dbl, 1);
}

TEST_F(ListInputTest, InPlaceEditingKeepsTheMarkAndAutoAdvanceMovesOn) {
  view->SetOptions({goFixedVertLine, goFixedHorzLine, goColSizing});  // cell selection, editing possible
  view->SetColCheckMode(2, cmBox);
  view->SetCommonHeaderVisible(true);  // grid row 3 shows data row 2
  view->SetElem(2, 2, "old");
  view->SetElemChecked(2, 2, true);
  view->SetColumnEditable(2, true);
  std::vector<std::string> sets;
  view->OnSetEditText = [&](TObject*, int c, int r, const std::string& v) {
    sets.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
  };
  view->SetAutoAdvance(true);
  ClickCell(2, 2, 30);
  ClickCell(2, 2, 30);
  ASSERT_TRUE(view->GetEditorMode());
  EXPECT_EQ(view->InplaceEditor()->GetText(), "old");
  robot.Key(VK_END);
  robot.Type("er");
  robot.Key(VK_RETURN);
  EXPECT_EQ(view->GetElem(2, 2), "older");
  EXPECT_TRUE(view->GetElemChecked(2, 2));
  EXPECT_EQ(sets.back(), "1,2=older");  // grid column, data row
  for (const std::string& s : sets) EXPECT_EQ(s.substr(0, 4), "1,2=");  // never the grid row
  EXPECT_EQ(CurrentRow(), 3);  // moved on
  // A column that is not editable opens no editor.
  ClickCell(3, 2, 30);
  ClickCell(3, 2, 30);
  EXPECT_FALSE(view->GetEditorMode());
  EXPECT_FALSE(view->GetOptions().Contains(goEditing));
}

TEST_F(ListInputTest, SelectionOperationsCountAndCenter) {
  view->SetNrRows(100);
  int changes = 0;
  view->OnSelectedChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(view->FirstSelectedRow(), 0);
  view->SetRowSelect(7, true);
  view->SetRowSelect(3, true);
  view->SetRowSelect(101, true);
  EXPECT_EQ(view->NumSelectedRows(), 2);
  EXPECT_EQ(view->FirstSelectedRow(), 3);
  view->DisableAllRows();
  EXPECT_EQ(view->NumEnabledRows(), 0);
  view->SetRowEnabled(5, true);
  EXPECT_EQ(view->NumEnabledRows(), 1);
  EXPECT_TRUE(view->GetRowSelect(7));  // enablement leaves the selection
  view->SelectAllColumns();
  view->SetColSelect(2, false);
  EXPECT_EQ(view->NumSelectedColumns(), 4);
  EXPECT_EQ(view->FirstSelectedColumn(), 1);
  view->DeselectAllColumns();
  EXPECT_EQ(view->FirstSelectedColumn(), 0);
  EXPECT_FALSE(view->GetColSelect(0));
  EXPECT_EQ(changes, 7);

  const int v = view->VisibleRowCount();
  view->CenterScrollAndSelect(50);
  EXPECT_EQ(view->NumSelectedRows(), 1);
  EXPECT_TRUE(view->GetRowSelect(50));
  EXPECT_EQ(view->GetTopRow(), 50 - v / 2);
  EXPECT_EQ(CurrentRow(), 50);
  view->CenterScrollAndSelect(99);
  EXPECT_EQ(view->GetTopRow(), 100 - v + 1);
  view->CenterScrollAndSelect(2);
  EXPECT_EQ(view->GetTopRow(), 1);
}

TEST_F(ListInputTest, TheWheelDoesNothingOnAnEmptyList) {
  int wheels = 0;
  view->OnMouseWheelDown = view->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++wheels; };
  ClickCell(1, 1, 30);
  robot.Wheel(view, 50, 60, -120);
  EXPECT_EQ(CurrentRow(), 2);
  EXPECT_EQ(wheels, 1);
  view->SetNrRows(0);
  robot.Wheel(view, 50, 60, -120);
  robot.Wheel(view, 50, 60, 120);
  EXPECT_EQ(wheels, 1);
}
