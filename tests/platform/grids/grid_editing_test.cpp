#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridTestUtil.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/rtl/StringList.h"
#include "platform/stdctrls/DropDownList.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;
using namespace qel::test;

namespace {

// A string grid that logs its edit-text hooks; column 2 picks from a list,
// column 3 has an ellipsis button.
class TEditGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  std::vector<std::string> log;
  bool styled = false;

 protected:
  std::string GetEditText(int c, int r) override {
    log.push_back("get " + std::to_string(c) + "," + std::to_string(r));
    return TStringGrid::GetEditText(c, r);
  }
  void SetEditText(int c, int r, const std::string& v) override {
    log.push_back("set " + std::to_string(c) + "," + std::to_string(r) + "=" + v);
    TStringGrid::SetEditText(c, r, v);
  }
  TEditStyle GetEditStyle(int c, int) override {
    if (!styled) return esSimple;
    return c == 2 ? esPickList : c == 3 ? esEllipsis : esSimple;
  }
};

struct EditingTest : ::testing::Test {
  TForm form{nullptr};
  TEditGrid* grid;
  TEdit* other;
  TTestRobot robot;
  int enters = 0, exits = 0;

  EditingTest() {
    form.SetBounds(0, 0, 400, 300);
    grid = new TEditGrid(&form);
    grid->SetParent(&form);
    grid->SetBorderStyle(bsNone);
    grid->SetScrollBars(ssNone);
    grid->SetBounds(10, 10, 330, 130);
    grid->SetOptions(grid->GetOptions() + TGridOptions{goEditing});
    grid->SetCells(1, 1, "old");
    grid->SetCells(1, 2, "below");
    grid->SetCells(2, 1, "g");
    grid->OnEnter = [this](TObject*) { ++enters; };
    grid->OnExit = [this](TObject*) { ++exits; };
    other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(10, 200, 100, 21);
    form.Show();
    grid->SetFocus();
    enters = 0;
    Application->ProcessMessages();
  }
  TInplaceEdit* Editor() { return grid->InplaceEditor(); }
  TInplaceEditList* ListEditor() { return dynamic_cast<TInplaceEditList*>(grid->InplaceEditor()); }
  bool EditorShown() { return Editor() && Editor()->GetVisible(); }
  // Clicks far enough apart in time not to make double clicks.
  void ClickCell(int c, int r) {
    Headless().AdvanceTime(DoubleClickTimeMs + 1);
    TRect rc = grid->CellRect(c, r);
    robot.Click(grid, rc.Left + 5, rc.Top + 5);
  }
  void ClickButton() {
    Headless().AdvanceTime(DoubleClickTimeMs + 1);
    TInplaceEdit* e = Editor();
    robot.Click(e, e->GetWidth() - 5, e->GetHeight() / 2);
  }
};

}  // namespace

TEST_F(EditingTest, TypingStartsTheEditorOverTheCellAndWritesTheCellAsItChanges) {
  std::string keys;
  grid->OnKeyPress = [&](TObject*, char32_t& k) { keys += static_cast<char>(k); };
  robot.Type("ab");
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(grid->GetEditorMode());
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(1, 1));
  EXPECT_EQ(Editor()->GetBorderStyle(), bsNone);
  // The first character replaced the text, the second followed it.
  EXPECT_EQ(Editor()->GetText(), "ab");
  EXPECT_EQ(grid->GetCells(1, 1), "ab");
  EXPECT_EQ(grid->log, (std::vector<std::string>{"get 1,1", "set 1,1=a", "set 1,1=ab"}));
  EXPECT_EQ(keys, "ab");  // the grid sees what is typed in its editor
  // The focus moved into the editor without the grid being left.
  EXPECT_EQ(enters + exits, 0);
}

TEST_F(EditingTest, EnterOpensAndCommitsAndAnUnchangedCellIsNotWrittenBack) {
  robot.Key(VK_RETURN);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->GetText(), "old");
  EXPECT_EQ(Editor()->GetSelLength(), 3);  // all selected
  robot.Key(VK_RETURN);
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->GetEditorMode());
  EXPECT_TRUE(grid->Focused());
  EXPECT_EQ(grid->log, (std::vector<std::string>{"get 1,1"}));

  robot.Key(VK_RETURN);
  robot.Key(VK_END);
  robot.Type("er\r");
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->GetCells(1, 1), "older");
  // Each change, then the final text once more as the editor closes.
  EXPECT_EQ(grid->log, (std::vector<std::string>{"get 1,1", "get 1,1", "set 1,1=olde", "set 1,1=older",
                                                 "set 1,1=older"}));
  EXPECT_EQ(enters + exits, 0);
}

TEST_F(EditingTest, EscapeRestoresTheStartingTextThroughSetEditText) {
  robot.Type("xy");
  EXPECT_EQ(grid->GetCells(1, 1), "xy");
  robot.Key(VK_ESCAPE);
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->GetEditorMode());
  EXPECT_TRUE(grid->Focused());
  EXPECT_EQ(grid->GetCells(1, 1), "old");
  EXPECT_EQ(grid->log.back(), "set 1,1=old");
  EXPECT_EQ(grid->log.size(), 4u);  // get, x, xy, the restore: nothing on closing

  // Escape on an untouched editor writes nothing.
  grid->log.clear();
  robot.Key(VK_F2);
  robot.Key(VK_ESCAPE);
  EXPECT_EQ(grid->log, (std::vector<std::string>{"get 1,1"}));
}

TEST_F(EditingTest, F2PutsTheCaretAtTheEndAndAClickOnTheCurrentCellOpens) {
  robot.Key(VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->GetSelStart(), 3);
  EXPECT_EQ(Editor()->GetSelLength(), 0);
  robot.Type("!");
  EXPECT_EQ(grid->GetCells(1, 1), "old!");

  ClickCell(2, 2);  // another cell: the editor closes and the cell becomes current
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->GetCol(), 2);
  EXPECT_EQ(grid->GetRow(), 2);
  EXPECT_EQ(grid->GetCells(1, 1), "old!");

  ClickCell(2, 2);  // the current cell again: the editor opens on it
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(2, 2));
  EXPECT_TRUE(Editor()->Focused());
}

TEST_F(EditingTest, CellKeysGoToTheGridWhichClosesOrMovesTheEditor) {
  robot.Type("q");
  robot.Key(VK_LEFT);  // inside the text: the caret moves, the cell does not
  EXPECT_EQ(grid->GetCol(), 1);
  robot.Key(VK_RIGHT);
  robot.Key(VK_RIGHT);  // at the end, editor not always shown: still no move
  EXPECT_EQ(grid->GetCol(), 1);
  robot.Key(VK_DOWN);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->GetRow(), 2);
  EXPECT_EQ(grid->GetCells(1, 1), "q");
  EXPECT_TRUE(grid->Focused());

  // Always shown: the editor follows the current cell, the old cell is
  // written before the new one is read.
  grid->SetOptions(grid->GetOptions() + TGridOptions{goAlwaysShowEditor, goTabs});
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->GetText(), "below");
  grid->log.clear();
  robot.Key(VK_F2);
  robot.Type("!");
  robot.Key(VK_LEFT);
  robot.Key(VK_RIGHT);  // back to the end: still in the editor
  EXPECT_EQ(grid->GetCol(), 1);
  robot.Key(VK_RIGHT);  // from the end of the text: to the next cell
  EXPECT_EQ(grid->GetCol(), 2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(2, 2));
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(grid->log, (std::vector<std::string>{"set 1,2=below!", "set 1,2=below!", "get 2,2"}));
  robot.Key(VK_TAB);
  EXPECT_EQ(grid->GetCol(), 3);
  robot.Key(VK_UP);
  EXPECT_EQ(grid->GetRow(), 1);
  EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(3, 1));
  // Enter does not close an editor that is always shown; Escape restores it.
  robot.Type("zz\r");
  EXPECT_TRUE(EditorShown());
  robot.Key(VK_ESCAPE);
  EXPECT_TRUE(EditorShown());
  EXPECT_EQ(grid->GetCells(3, 1), "");
  EXPECT_EQ(enters + exits, 0);
}

TEST_F(EditingTest, LeavingTheGridClosesTheEditorUnlessAlwaysShown) {
  robot.Type("new");
  robot.Click(other, 5, 5);
  EXPECT_TRUE(other->Focused());
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->GetEditorMode());
  EXPECT_EQ(grid->GetCells(1, 1), "new");
  EXPECT_EQ(exits, 1);
  // Coming back does not reopen it.
  grid->SetFocus();
  EXPECT_EQ(enters, 1);
  EXPECT_FALSE(EditorShown());

  grid->SetOptions(grid->GetOptions() + TGridOptions{goAlwaysShowEditor});
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(Editor()->Focused());
  robot.Click(other, 5, 5);
  EXPECT_EQ(exits, 2);
  EXPECT_TRUE(EditorShown());
  EXPECT_TRUE(grid->GetEditorMode());
  robot.Click(Editor(), 3, 3);  // straight into the editor: the grid is entered
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(enters, 2);
}

TEST_F(EditingTest, ScrollingAndSizingMoveTheEditorWithItsCell) {
  grid->SetRowCount(40);
  robot.Key(VK_F2);
  ASSERT_TRUE(EditorShown());
  grid->SetColWidths(1, 100);
  EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(1, 1));
  EXPECT_EQ(Editor()->GetWidth(), 100);
  grid->SetTopRow(10);  // the cell is off screen: so is the editor
  EXPECT_FALSE(EditorShown());
  EXPECT_TRUE(grid->Focused());
  grid->SetTopRow(1);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->BoundsRect(), grid->CellRect(1, 1));
  EXPECT_TRUE(Editor()->Focused());
  EXPECT_EQ(Editor()->GetText(), "old");
}

TEST_F(EditingTest, ThePickListFillsOnRequestAndTheChosenItemBecomesTheCell) {
  grid->styled = true;
  std::vector<std::pair<int, int>> requests;
  bool give = false;
  grid->OnGetPickListItems = [&](TObject* sender, int c, int r, TStrings* items) {
    EXPECT_EQ(sender, grid);
    requests.push_back({c, r});
    if (give) {
      items->Add("g");
      items->Add("kg");
      items->Add("ml");
    }
  };
  ClickCell(2, 1);
  robot.Key(VK_RETURN);
  TInplaceEditList* e = ListEditor();
  ASSERT_TRUE(e && EditorShown());
  EXPECT_EQ(e->GetEditStyle(), esPickList);
  EXPECT_TRUE(requests.empty());  // asked only when the list opens

  robot.Key(VK_F4);  // nothing to pick: no list, and the next opening asks again
  EXPECT_FALSE(e->ListVisible());
  give = true;
  robot.Key(VK_DOWN, {ssAlt});
  ASSERT_TRUE(e->ListVisible());
  EXPECT_EQ(requests, (std::vector<std::pair<int, int>>{{2, 1}, {2, 1}}));
  EXPECT_EQ(e->ListItemIndex(), 0);  // the item of the text
  TCustomForm* popup = e->ListControl()->GetParentForm();
  EXPECT_EQ(popup->GetWidth(), e->GetWidth());
  EXPECT_EQ(popup->GetTop(), e->ClientToScreen({0, e->GetHeight()}).Y);

  robot.Key(VK_DOWN);  // the list takes the arrows and Enter, not the grid
  robot.Key(VK_RETURN);
  EXPECT_FALSE(e->ListVisible());
  EXPECT_TRUE(EditorShown());
  EXPECT_EQ(grid->GetRow(), 1);
  EXPECT_EQ(e->GetText(), "kg");
  EXPECT_EQ(grid->GetCells(2, 1), "kg");
  EXPECT_EQ(grid->log.back(), "set 2,1=kg");

  robot.Key(VK_F4);
  robot.Key(VK_DOWN);
  robot.Key(VK_ESCAPE);  // closes the list only
  EXPECT_FALSE(e->ListVisible());
  EXPECT_TRUE(EditorShown());
  EXPECT_EQ(grid->GetCells(2, 1), "kg");
  EXPECT_EQ(requests.size(), 2u);  // loaded once per cell

  ClickButton();
  ASSERT_TRUE(e->ListVisible());
  TCustomControl* list = e->ListControl();
  int rowH = (list->ClientHeight()) / 3;
  robot.Click(list, 5, 2 * rowH + rowH / 2);
  EXPECT_FALSE(e->ListVisible());
  EXPECT_EQ(grid->GetCells(2, 1), "ml");
  EXPECT_TRUE(e->Focused());

  // The list is as tall as its items, up to DropDownRows of them.
  int threeRows = popup->GetHeight() - 2;
  e->SetDropDownRows(2);
  ClickButton();
  ASSERT_TRUE(e->ListVisible());
  EXPECT_EQ((popup->GetHeight() - 2) * 3, threeRows * 2);
  ClickButton();  // the press that closes the list does not reopen it
  EXPECT_FALSE(e->ListVisible());
  EXPECT_EQ(grid->GetCells(2, 1), "ml");
}

TEST_F(EditingTest, ThePickListScrollsAndPagesAndOpensAgainAtTheTop) {
  grid->styled = true;
  grid->OnGetPickListItems = [&](TObject*, int, int, TStrings* items) {
    for (int i = 0; i < 12; ++i) items->Add("item " + std::to_string(i));
  };
  ClickCell(2, 1);
  robot.Key(VK_RETURN);
  TInplaceEditList* e = ListEditor();
  ASSERT_TRUE(e && EditorShown());
  robot.Key(VK_F4);
  ASSERT_TRUE(e->ListVisible());
  auto* list = static_cast<TDropDownList*>(e->ListControl());
  EXPECT_EQ(list->VisibleRows(), 7);
  EXPECT_EQ(e->ListItemIndex(), -1);  // the text "g" is no item
  robot.Wheel(list, 5, 5, -120);
  EXPECT_EQ(list->TopIndex(), 3);
  robot.Key(VK_NEXT);  // from nothing, a page down is the last row of the first page
  EXPECT_EQ(e->ListItemIndex(), 6);
  robot.Key(VK_NEXT);
  EXPECT_EQ(e->ListItemIndex(), 11);
  EXPECT_EQ(list->TopIndex(), 5);
  robot.Key(VK_PRIOR);
  EXPECT_EQ(e->ListItemIndex(), 5);
  robot.Key(VK_ESCAPE);
  EXPECT_EQ(grid->GetCells(2, 1), "g");
  robot.Key(VK_F4);
  ASSERT_TRUE(e->ListVisible());
  EXPECT_EQ(list->TopIndex(), 0);
}

TEST_F(EditingTest, TheEllipsisButtonFiresOnEditButtonClick) {
  grid->styled = true;
  int clicks = 0;
  grid->OnEditButtonClick = [&](TObject* sender) {
    EXPECT_EQ(sender, grid);
    ++clicks;
  };
  ClickCell(3, 1);
  robot.Key(VK_F2);
  TInplaceEditList* e = ListEditor();
  ASSERT_TRUE(e && EditorShown());
  EXPECT_EQ(e->GetEditStyle(), esEllipsis);
  ClickButton();
  EXPECT_EQ(clicks, 1);
  robot.Key(VK_RETURN, {ssCtrl});
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(EditorShown());
  // Pressed on the button but released elsewhere: no click.
  robot.Press(e, e->GetWidth() - 5, 5);
  robot.Release(e, 2, 5);
  EXPECT_EQ(clicks, 2);
  // Each cell has its own style.
  robot.Key(VK_ESCAPE);
  robot.Key(VK_LEFT);
  robot.Key(VK_F2);
  EXPECT_EQ(ListEditor()->GetEditStyle(), esPickList);
}

TEST_F(EditingTest, NoEditorWithoutGoEditingOrWithRowSelect) {
  grid->SetOptions(grid->GetOptions() - TGridOptions{goEditing});
  robot.Type("a");
  robot.Key(VK_F2);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->GetCells(1, 1), "old");
  grid->SetOptions(grid->GetOptions() + TGridOptions{goEditing, goRowSelect});
  robot.Key(VK_F2);
  robot.Type("a");
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->GetCells(1, 1), "old");
}

TEST_F(EditingTest, AGridFreedWhileEditingWithItsListOpenLeavesNothingBehind) {
  grid->styled = true;
  grid->OnGetPickListItems = [](TObject*, int, int, TStrings* items) { items->Add("one"); };
  ClickCell(2, 1);
  robot.Key(VK_F2);
  robot.Key(VK_F4);
  ASSERT_TRUE(ListEditor()->ListVisible());
  delete grid;
  Application->ProcessMessages();
  robot.Type("x");  // the form has no dangling focus
  robot.Click(other, 5, 5);
  EXPECT_TRUE(other->Focused());
}

namespace {
// A grid that makes no editor: editing keys keep their plain meaning.
class TNoEditorGrid : public TLoggingGrid {
 public:
  using TLoggingGrid::TLoggingGrid;

 protected:
  TInplaceEdit* CreateEditor() override { return nullptr; }
};
}  // namespace

TEST(GridEditing, WithoutAnEditControlEditingKeysKeepTheirPlainMeaning) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* g = new TNoEditorGrid(&form);
  g->SetParent(&form);
  g->SetOptions(g->GetOptions() + TGridOptions{goEditing});
  form.Show();
  g->SetFocus();
  TTestRobot robot;
  std::u32string typed;
  g->OnKeyPress = [&](TObject*, char32_t& k) { typed += k; };
  robot.Key(VK_F2);
  robot.Type("ab");
  EXPECT_FALSE(g->GetEditorMode());
  EXPECT_EQ(typed, U"ab");
  g->drawn.clear();
  g->Repaint();
  EXPECT_TRUE(g->drawn.count({1, 1}));  // the focused cell is still drawn
}
