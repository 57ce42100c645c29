// Table editor editing through the robot: typing numbers, decimal commas,
// garbage, blanks and nominal identifiers into cells; Enter advancing down
// or right; Escape restoring a cell; opening the editor with a second
// press; Tab reaching the editor; the name editor on headers and
// attributes and the comment editor on the corner cell with their keys.
#include "platform/controls/Messages.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/Menus.h"
#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

// Client centre of table cell (c, r) in the default layout.
int CellX(int c) { return 114 + (c - 1) * 65 + 30; }
int CellY(int r) { return 25 + (r - 1) * 25 + 12; }

struct Editing : EditorFixture {
  Editing() { Application->ProcessMessages(); }
  // A first click selects the cell; typing then starts the editor. Time
  // passes first, so that two selects are no double click.
  void Select(int c, int r) {
    Headless().AdvanceTime(1000);
    robot.Click(ed, CellX(c), CellY(r));
  }
  void Enter(int c, int r, const std::string& text) {
    Select(c, r);
    robot.Type(text);
    robot.Key(VK_RETURN);
  }
  bool EditorShown() const { return ed->InplaceEditor() && ed->InplaceEditor()->GetVisible(); }
  // Table column and row of the current cell.
  std::pair<int, int> Current() const { return {ed->GetCol() - 1, ed->GetRow()}; }
  void ClickMenuItem(TPopupMenu* menu, TMenuItem* item, int level = 0) {
    TRect r = menu->ItemRect(item);
    ASSERT_FALSE(r.IsEmpty()) << item->GetName() << " is not shown";
    robot.Click(menu->PopupWindow(level), r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  }
};

}  // namespace

TEST(NTabEdEditing, TypedTextsAndEnterAdvancingDown) {
  Editing f;
  TNTabEd* e = f.ed;
  e->SetElem(1, 2, 42);
  e->SetCellState(1, 2, csMarkA | csMarkB);
  f.Enter(1, 1, "3,5");
  EXPECT_EQ(e->GetElem(1, 1), 3.5);
  EXPECT_EQ(e->GetCellState(1, 1), 0);
  EXPECT_FALSE(f.EditorShown());
  EXPECT_EQ(f.Current(), (std::pair{1, 2}));
  // Garbage keeps the value and flags the cell; the marks go.
  f.robot.Type("abc");
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetElem(1, 2), 42);
  EXPECT_EQ(e->GetCellState(1, 2), csInvalid);
  EXPECT_EQ(f.Current(), (std::pair{1, 3}));
  f.robot.Type("  7  ");
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetElem(1, 3), 7);
  EXPECT_EQ(e->GetCellState(1, 3), 0);
  // Blanks only: an empty cell.
  e->SetElem(1, 4, 5);
  f.robot.Type(" ");
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetCellState(1, 4), csEmpty);
  EXPECT_EQ(e->GetElem(1, 4), 5);
  f.Enter(2, 1, "-1.5e3");
  EXPECT_EQ(e->GetElem(2, 1), -1500);
  f.Enter(2, 1, "1e400");  // beyond the doubles: invalid, not infinite
  EXPECT_EQ(e->GetCellState(2, 1), csInvalid);
  EXPECT_EQ(e->GetElem(2, 1), -1500);
}

TEST(NTabEdEditing, EnterAdvancesRightOrStaysWithoutAutoAdvance) {
  Editing f;
  TNTabEd* e = f.ed;
  e->SetAutoAdvanceDir(orHorizontal);
  f.Enter(1, 2, "8");
  EXPECT_EQ(e->GetElem(1, 2), 8);
  EXPECT_EQ(f.Current(), (std::pair{2, 2}));
  e->SetAutoAdvance(false);
  f.Enter(3, 3, "9");
  EXPECT_EQ(e->GetElem(3, 3), 9);
  EXPECT_EQ(f.Current(), (std::pair{3, 3}));
}

TEST(NTabEdEditing, EscapeRestoresTheCellAndStopsTyping) {
  Editing f;
  TNTabEd* e = f.ed;
  e->SetElem(2, 2, 1.23456789);  // shown rounded as 1.235
  e->SetCellState(2, 2, csMarkA);
  f.Select(2, 2);
  f.robot.Type("9");
  ASSERT_TRUE(f.EditorShown());
  EXPECT_EQ(e->GetElem(2, 2), 9);  // the cell follows the typing
  f.robot.Key(VK_ESCAPE);
  EXPECT_FALSE(f.EditorShown());
  EXPECT_EQ(e->GetElem(2, 2), 1.23456789);
  EXPECT_EQ(e->GetCellState(2, 2), csMarkA);
  // Typing does not start the editor again until the cell changes.
  f.robot.Type("5");
  EXPECT_FALSE(f.EditorShown());
  EXPECT_EQ(e->GetElem(2, 2), 1.23456789);
  f.robot.Key(VK_DOWN);
  f.robot.Type("6");
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetElem(2, 3), 6);
}

TEST(NTabEdEditing, SecondPressOpensTheEditorUnlessReadOnly) {
  Editing f;
  TNTabEd* e = f.ed;
  f.Select(1, 1);
  EXPECT_FALSE(f.EditorShown());
  f.Select(1, 1);
  EXPECT_TRUE(f.EditorShown());
  f.Select(2, 1);  // another cell: selected only
  EXPECT_FALSE(f.EditorShown());
  Headless().AdvanceTime(1000);
  f.robot.DoubleClick(e, CellX(2), CellY(2));  // a double click edits at once
  EXPECT_TRUE(f.EditorShown());
  EXPECT_EQ(f.Current(), (std::pair{2, 2}));
  e->SetDataReadOnly(true);
  f.Select(3, 1);
  f.Select(3, 1);
  EXPECT_FALSE(f.EditorShown());
  f.robot.Type("4");
  f.robot.DoubleClick(e, CellX(3), CellY(1));
  EXPECT_FALSE(f.EditorShown());
  EXPECT_EQ(e->GetElem(3, 1), 0);
  EXPECT_FALSE(e->GetOptions().Contains(goEditing));
  // Tab is wanted, so that it reaches the editor.
  EXPECT_TRUE(e->Perform(WM_GETDLGCODE) & DLGC_WANTTAB);
  EXPECT_TRUE(e->Perform(WM_GETDLGCODE) & DLGC_WANTARROWS);
}

TEST(NTabEdEditing, DraggingASelectionNotifiesOnceItChanges) {
  Editing f;
  TNTabEd* e = f.ed;
  f.notes = {};
  f.notes.Bind(e);
  f.robot.Drag(e, CellX(1), CellY(1), CellX(3), CellY(2));
  EXPECT_EQ(e->GetSelection(), (TGridRect{2, 1, 4, 2}));
  EXPECT_GE(f.notes.selection, 1);
  int seen = f.notes.selection;
  f.robot.MoveTo(e, CellX(3), CellY(2));
  EXPECT_EQ(f.notes.selection, seen);
}

TEST(NTabEdEditing, NominalColumnsOfferTheirIdentifiers) {
  Editing f;
  TNTabEd* e = f.ed;
  TDataTable* t = e->GetDataTable();
  t->SetMScaleType(1, 2);
  t->SetNominalID(1, 4, "green");
  t->SetNominalID(1, 2, "red");
  t->SetNominalID(1, 9, "blue");
  e->SetElem(1, 1, 4);
  e->SetNomEditDropDownCount(3);
  f.Select(1, 1);
  f.Select(1, 1);
  auto* list = dynamic_cast<TInplaceEditList*>(e->InplaceEditor());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetText(), "green");
  EXPECT_EQ(list->GetEditStyle(), esPickList);
  EXPECT_EQ(list->GetDropDownRows(), 3);
  list->DropDown();
  ASSERT_EQ(list->PickListItems()->Count(), 3);
  EXPECT_EQ(list->PickListItems()->Get(0), "red");
  EXPECT_EQ(list->PickListItems()->Get(1), "green");
  EXPECT_EQ(list->PickListItems()->Get(2), "blue");
  list->CloseUp(false);
  f.robot.Key(VK_ESCAPE);
  f.Enter(1, 2, "BLUE");
  EXPECT_EQ(e->GetElem(1, 2), 9);
  EXPECT_EQ(e->GetCellState(1, 2), 0);
  f.Enter(1, 3, "17");
  EXPECT_EQ(e->GetElem(1, 3), 17);
  f.Enter(1, 4, "1.5");
  EXPECT_EQ(e->GetCellState(1, 4), csInvalid);
  // A plain column edits with a plain editor.
  f.Select(2, 1);
  f.Select(2, 1);
  EXPECT_EQ(list->GetEditStyle(), esSimple);
}

TEST(NTabEdEditing, NameEditorOnHeadersAndAttributes) {
  Editing f;
  TNTabEd* e = f.ed;
  e->SetAttribColVisible(true);  // attribute row: table row 1 at y 50..73
  TPopupMenu* menu = e->GetHeaderMenu();
  auto editHeading = [&](int x, int y) {
    f.robot.Click(e, x, y, mbRight);
    ASSERT_TRUE(menu->IsShowing());
    f.ClickMenuItem(menu, menu->FindItem("HIt1"));
    ASSERT_TRUE(e->NameEditor()->GetVisible());
  };
  editHeading(CellX(2), 10);
  EXPECT_EQ(e->NameEditor()->GetText(), e->GetColName(2));
  EXPECT_TRUE(e->GetHeaderEditing());
  TRect cell = e->CellRect(3, 0);
  EXPECT_EQ(e->NameEditor()->GetLeft(), cell.Left + 30);
  EXPECT_EQ(e->NameEditor()->GetTop(), cell.Top + 5);
  // Presses on the grid are ignored meanwhile.
  TGridRect before = e->GetSelection();
  f.robot.Click(e, CellX(3), 90);
  EXPECT_EQ(e->GetSelection(), before);
  f.robot.Type("Temp");
  f.notes = {};
  f.notes.Bind(e);
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetColName(2), "Temp");
  EXPECT_FALSE(e->NameEditor()->GetVisible());
  EXPECT_FALSE(e->GetHeaderEditing());
  EXPECT_GE(f.notes.heading, 1);

  // Column attributes are clamped to 0..255 and rounded; words change nothing.
  const std::pair<const char*, int> attribs[] = {{"300", 255}, {"-4", 0}, {"7.6", 8}, {"abc", 8}};
  for (auto [typed, stored] : attribs) {
    editHeading(CellX(1), 37);
    f.robot.Type(typed);
    f.robot.Key(VK_RETURN);
    EXPECT_EQ(e->GetColAttrib(1), stored) << typed;
  }
  // Row names and row attributes; Escape discards.
  editHeading(40, 87);  // row name of table row 2
  f.robot.Type("Second");
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetRowName(2), "Second");
  editHeading(95, 87);  // its attribute
  f.robot.Type("12");
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetRowAttrib(2), 12);
  editHeading(40, 87);
  f.robot.Type("Lost");
  f.robot.Key(VK_ESCAPE);
  EXPECT_EQ(e->GetRowName(2), "Second");
  EXPECT_FALSE(e->NameEditor()->GetVisible());
}

TEST(NTabEdEditing, CommentEditorOnTheCornerCell) {
  Editing f;
  TNTabEd* e = f.ed;
  e->SetComment("old");
  f.robot.Click(e, 20, 10, mbRight);
  TMemo* memo = e->CommentEditor();
  ASSERT_TRUE(memo->GetVisible());
  EXPECT_TRUE(f.ed->GetCommentEditing());
  EXPECT_EQ(memo->GetText(), "old");
  EXPECT_EQ(memo->GetLeft(), 80);
  EXPECT_EQ(memo->GetTop(), 0);
  EXPECT_EQ(memo->GetWidth(), 420 - 80 - 20);
  EXPECT_EQ(memo->GetHeight(), 80);
  EXPECT_EQ(memo->GetColor(), TColor(0x808000));
  EXPECT_EQ(f.robot.PixelAt(e, 2, 2), TColor(0x808000));  // the corner says "Comment:"
  memo->SelectAll();
  f.robot.Type("new text");
  f.notes = {};
  f.notes.Bind(e);
  f.robot.Key(VK_RETURN);
  EXPECT_FALSE(memo->GetVisible());
  EXPECT_FALSE(f.ed->GetCommentEditing());
  EXPECT_EQ(e->GetComment(), "new text");
  EXPECT_EQ(f.notes.data, 1);
  // Escape and a press on the corner discard.
  f.robot.Click(e, 20, 10, mbRight);
  f.robot.Type("xyz");
  f.robot.Key(VK_ESCAPE);
  EXPECT_EQ(e->GetComment(), "new text");
  f.robot.Click(e, 20, 10, mbRight);
  f.robot.Type("abc");
  f.robot.Click(e, 20, 10);
  EXPECT_FALSE(memo->GetVisible());
  EXPECT_EQ(e->GetComment(), "new text");
  // Not opened when blocked or not allowed.
  e->SetBlockInternalPopup(true);
  f.robot.Click(e, 20, 10, mbRight);
  EXPECT_FALSE(memo->GetVisible());
  e->SetBlockInternalPopup(false);
  e->SetCommentEditingAllowed(false);
  f.robot.Click(e, 20, 10, mbRight);
  EXPECT_FALSE(memo->GetVisible());
}
