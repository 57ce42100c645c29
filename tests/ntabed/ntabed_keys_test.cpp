// Table editor keys through the robot: the clipboard keys run the data
// menu's actions under its mask and read-only rules, leave the open cell
// editor's own text keys alone, and Tab walks the cells while Ctrl+Tab
// leaves the table for the controls around it.
#include "numeric/QEL_NumIO.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/stdctrls/Edit.h"
#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

// Client centre of table cell (c, r) in the default layout.
int CellX(int c) { return 114 + (c - 1) * 65 + 30; }
int CellY(int r) { return 25 + (r - 1) * 25 + 12; }

struct Keys : EditorFixture {
  int pasted = 0;
  Keys() {
    ed->OnPaste = [this](TObject*) { ++pasted; };
    ed->SetClipboardUseFullPrec(false);
  }
  // Selects table cells (c0, r0)..(c1, r1) as a user does: a click, then
  // Shift with the arrows. Time passes first, so that no click is a double one.
  void Select(int c0, int r0, int c1 = 0, int r1 = 0) {
    Headless().AdvanceTime(1000);
    robot.Click(ed, CellX(c0), CellY(r0));
    for (int c = c0; c < c1; ++c) robot.Key(VK_RIGHT, {ssShift});
    for (int r = r0; r < r1; ++r) robot.Key(VK_DOWN, {ssShift});
  }
  bool EditorShown() const { return ed->InplaceEditor() && ed->InplaceEditor()->GetVisible(); }
  std::string Clip() const { return Clipboard()->GetAsText(); }
};

}  // namespace

TEST(NTabEdKeys, ClipboardKeysRunTheDataMenuActions) {
  Keys f;
  TNTabEd* e = f.ed;
  e->SetElem(1, 1, 1.5);
  e->SetElem(2, 1, 2.25);
  e->SetCellState(1, 2, csEmpty);
  e->SetElem(2, 2, 4.125);
  e->SetCellState(2, 2, csMarkA);
  f.Select(1, 1, 2, 2);
  f.robot.Key('C', {ssCtrl});
  EXPECT_EQ(f.Clip(), " 1.500\t2.250\r\n ####\t4.125\r\n");
  Clipboard()->SetAsText("other");
  f.robot.Key(VK_INSERT, {ssCtrl});
  EXPECT_EQ(f.Clip(), " 1.500\t2.250\r\n ####\t4.125\r\n");
  EXPECT_EQ(f.pasted, 0);

  // Ctrl+V of the editor's own copy is the menu's "Paste": empty cells and
  // marks come along, the selection covers the pasted block.
  f.Select(2, 3);
  f.robot.Key('V', {ssCtrl});
  EXPECT_EQ(e->GetElem(2, 3), 1.5);
  EXPECT_EQ(e->GetElem(3, 3), 2.25);
  EXPECT_TRUE(e->GetIsEmpty(2, 4));
  EXPECT_EQ(e->GetElem(3, 4), 4.125);
  EXPECT_TRUE(e->GetElemMarkedA(3, 4));
  EXPECT_TRUE(e->GetSelection() == (TGridRect{3, 3, 4, 4}));
  EXPECT_EQ(f.pasted, 1);

  // Any other text is read as numbers ("Extract from Clipboard"); the
  // cell states stay.
  Clipboard()->SetAsText("7\t8\r\n9\t10\r\n");
  f.Select(1, 3);
  f.robot.Key(VK_INSERT, {ssShift});
  EXPECT_EQ(e->GetElem(1, 3), 7);
  EXPECT_EQ(e->GetElem(2, 3), 8);
  EXPECT_EQ(e->GetElem(1, 4), 9);
  EXPECT_EQ(e->GetElem(2, 4), 10);
  EXPECT_TRUE(e->GetIsEmpty(2, 4));
  EXPECT_TRUE(e->GetSelection() == (TGridRect{2, 3, 3, 4}));
  EXPECT_EQ(f.pasted, 2);

  // Ctrl+X and Shift+Del copy, then clear to 0 and state 0.
  f.Select(2, 3, 3, 3);
  f.robot.Key('X', {ssCtrl});
  EXPECT_EQ(f.Clip(), " 8.000\t2.250\r\n");
  EXPECT_EQ(e->GetElem(2, 3), 0);
  EXPECT_EQ(e->GetElem(3, 3), 0);
  f.Select(3, 4);
  f.robot.Key(VK_DELETE, {ssShift});
  EXPECT_EQ(f.Clip(), " 4.125\r\n");
  EXPECT_EQ(e->GetElem(3, 4), 0);
  EXPECT_EQ(e->GetCellState(3, 4), 0);
  // Delete clears without copying.
  f.Select(1, 1, 2, 1);
  f.robot.Key(VK_DELETE);
  EXPECT_EQ(f.Clip(), " 4.125\r\n");
  EXPECT_EQ(e->GetElem(1, 1), 0);
  EXPECT_EQ(e->GetElem(2, 1), 0);
  EXPECT_EQ(e->GetElem(2, 2), 4.125);
  EXPECT_EQ(f.pasted, 5);
  // The keys typed nothing into a cell.
  EXPECT_FALSE(f.EditorShown());
}

TEST(NTabEdKeys, ClipboardKeysFollowTheMenuMaskAndReadOnly) {
  Keys f;
  TNTabEd* e = f.ed;
  e->SetElem(1, 1, 3);
  e->SetElem(2, 1, 4);
  Clipboard()->SetAsText("5");
  e->SetDataReadOnly(true);
  f.Select(1, 1);
  f.robot.Key('V', {ssCtrl});
  f.robot.Key(VK_DELETE);
  f.robot.Key('X', {ssCtrl});  // clearing is not allowed: no copy either
  EXPECT_EQ(e->GetElem(1, 1), 3);
  EXPECT_EQ(f.Clip(), "5");
  f.robot.Key('C', {ssCtrl});  // reading is
  EXPECT_EQ(f.Clip(), " 3.000\r\n");
  f.Select(2, 1);
  f.robot.Key('V', {ssCtrl});  // not even the editor's own copy
  EXPECT_EQ(e->GetElem(2, 1), 4);
  EXPECT_EQ(f.pasted, 0);

  // Without item 7 (Copy) nothing copies; without 6 (Clear) nothing clears;
  // without 8 (Paste) the own copy is read back as text; without 10 neither.
  e->SetDataReadOnly(false);
  e->SetPopupDMask(0x7FFFFFFF & ~(1u << 6));
  Clipboard()->SetAsText("5");
  f.robot.Key('C', {ssCtrl});
  f.robot.Key('X', {ssCtrl});
  EXPECT_EQ(f.Clip(), "5");
  e->SetPopupDMask(0x7FFFFFFF & ~(1u << 5));
  f.robot.Key(VK_DELETE);
  f.robot.Key(VK_DELETE, {ssShift});
  EXPECT_EQ(e->GetElem(2, 1), 4);
  EXPECT_EQ(f.Clip(), "5");
  e->SetPopupDMask(0x7FFFFFFF & ~(1u << 9));
  f.robot.Key('V', {ssCtrl});
  EXPECT_EQ(e->GetElem(2, 1), 4);
  EXPECT_EQ(f.pasted, 0);
  e->SetPopupDMask(0x7FFFFFFF & ~(1u << 7));
  e->SetCellState(1, 1, csMarkB);
  f.Select(1, 1);
  f.robot.Key('C', {ssCtrl});
  f.Select(2, 1);
  f.robot.Key('V', {ssCtrl});
  EXPECT_EQ(e->GetElem(2, 1), 3);
  EXPECT_FALSE(e->GetElemMarkedB(2, 1));  // numbers only
  EXPECT_EQ(f.pasted, 1);
  // An application's own key handler sees the key first and may take it.
  e->OnKeyDown = [](TObject*, uint16_t& k, TShiftState) { k = 0; };
  f.robot.Key(VK_DELETE);
  EXPECT_EQ(e->GetElem(2, 1), 3);
}

TEST(NTabEdKeys, TheOpenCellEditorKeepsItsTextKeys) {
  Keys f;
  TNTabEd* e = f.ed;
  e->SetElem(1, 1, 8);
  e->SetElem(1, 2, 6);
  f.Select(1, 1);
  f.robot.Type("12.5");
  ASSERT_TRUE(f.EditorShown());
  f.robot.Key('A', {ssCtrl});
  f.robot.Key('X', {ssCtrl});
  EXPECT_EQ(f.Clip(), "12.5");  // the text, not the cell's clipboard form
  f.robot.Type("3");
  f.robot.Key('V', {ssCtrl});  // "312.5"
  f.robot.Key(VK_HOME);
  f.robot.Key(VK_DELETE);  // a character of the text, not the cell
  f.robot.Key(VK_RETURN);
  EXPECT_EQ(e->GetElem(1, 1), 12.5);
  EXPECT_EQ(e->GetCellState(1, 1), 0);
  EXPECT_EQ(e->GetElem(1, 2), 6);
  EXPECT_EQ(f.pasted, 0);
}

// A number field, the table and an edit in tab order: Tab enters the
// table, walks its cells (also from an open cell editor), and Ctrl+Tab or
// Ctrl+Shift+Tab leave it either way.
TEST(NTabEdKeys, TabWalksTheCellsAndCtrlTabLeavesTheTable) {
  Keys f;
  TNTabEd* e = f.ed;
  e->SetBounds(0, 0, 420, 150);
  auto* number = new TNumIO(&f.form);
  number->SetParent(&f.form);
  number->SetBounds(0, 160, 80, 22);
  number->SetTabOrder(0);
  auto* after = new TEdit(&f.form);
  after->SetParent(&f.form);
  after->SetBounds(100, 160, 80, 22);
  Application->ProcessMessages();
  number->SetFocus();
  f.robot.Key(VK_TAB);
  ASSERT_TRUE(e->Focused());
  EXPECT_EQ(e->GetCol(), 2);
  f.robot.Key(VK_TAB);
  EXPECT_EQ(e->GetCol(), 3);
  f.robot.Key(VK_TAB, {ssShift});
  EXPECT_EQ(e->GetCol(), 2);
  EXPECT_TRUE(e->Focused());
  f.robot.Key(VK_TAB, {ssCtrl});
  EXPECT_TRUE(after->Focused());
  f.robot.Key(VK_TAB, {ssShift});
  EXPECT_TRUE(e->Focused());
  f.robot.Key(VK_TAB, {ssCtrl, ssShift});
  EXPECT_TRUE(number->Focused());

  f.robot.Key(VK_TAB);
  f.robot.Type("5");
  ASSERT_TRUE(f.EditorShown());
  f.robot.Key(VK_TAB);
  EXPECT_EQ(e->GetElem(1, 1), 5);
  EXPECT_EQ(e->GetCol(), 3);
  f.robot.Type("6");
  ASSERT_TRUE(f.EditorShown());
  f.robot.Key(VK_TAB, {ssCtrl});
  EXPECT_TRUE(after->Focused());
  EXPECT_FALSE(f.EditorShown());
  EXPECT_EQ(e->GetElem(2, 1), 6);
  // Back in the table, the keys work as before.
  f.robot.Key(VK_TAB, {ssShift});
  ASSERT_TRUE(e->Focused());
  f.robot.Key(VK_RIGHT);
  EXPECT_EQ(e->GetCol(), 4);
}
