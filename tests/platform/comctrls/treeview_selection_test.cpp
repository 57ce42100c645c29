#include <gtest/gtest.h>

#include "TreeTestUtil.h"

using namespace qel;
using namespace qel::test;

TEST(TreeSelection, DeletingTheSelectedNodeMovesTheSelectionAndTellsOnce) {
  TreeFixture f;
  TTreeNodes* items = f.tree->Items();
  TTreeNode* p = items->Add(nullptr, "P");
  for (const char* c : {"P1", "P2", "P3"}) items->AddChild(p, c);
  items->AddChild(f.Find("P2"), "P2a");
  items->Add(nullptr, "Q");

  f.tree->SetSelected(f.Find("P2"));
  EXPECT_TRUE(p->GetExpanded());  // selecting showed it
  f.TakeLog();
  f.Find("P2")->Delete();         // to the next sibling
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "P3");
  EXPECT_EQ(f.TakeLog(), "change P3; ");
  f.Find("P3")->Delete();         // the last one: to the previous sibling
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "P1");
  EXPECT_EQ(f.TakeLog(), "change P1; ");
  f.Find("P1")->Delete();         // the only one: to the parent
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "P");
  EXPECT_EQ(f.TakeLog(), "change P; ");
  EXPECT_FALSE(p->GetHasChildren());

  // Deleting an ancestor of the selection, or children around it.
  TTreeNode* deep = items->AddChild(items->AddChild(p, "P4"), "P4a");
  f.tree->SetSelected(deep);
  f.TakeLog();
  p->DeleteChildren();
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "P");
  EXPECT_EQ(f.TakeLog(), "change P; ");
  items->AddChild(p, "P5");
  f.tree->SetSelected(f.Find("Q"));
  f.TakeLog();
  p->Delete();  // not the selection: nothing to tell
  EXPECT_EQ(f.TakeLog(), "");
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "Q");
  items->Clear();
  EXPECT_EQ(f.tree->GetSelected(), nullptr);
  EXPECT_EQ(f.TakeLog(), "change nil; ");
  Application->ProcessMessages();
}

TEST(TreeSelection, ClicksAndKeysChangeTheSelectionOnceAndOnChangingCanRefuse) {
  TreeFixture f;
  f.BuildSmall();
  int clicks = 0;
  f.tree->OnClick = [&](TObject*) { ++clicks; };
  f.ClickText("B");
  EXPECT_TRUE(f.tree->Focused());
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "B");
  EXPECT_EQ(f.TakeLog(), "changing B; change B; ");
  EXPECT_EQ(clicks, 1);
  Headless().AdvanceTime(1000);  // not a double click
  f.ClickText("B");  // already selected: no change, still a click
  EXPECT_EQ(f.TakeLog(), "");
  EXPECT_EQ(clicks, 2);

  f.robot.Key(VK_DOWN);
  EXPECT_EQ(f.TakeLog(), "changing C; change C; ");
  f.robot.Key(VK_DOWN);  // the last row: nothing to move to
  EXPECT_EQ(f.TakeLog(), "");

  bool allow = false;
  f.tree->OnChanging = [&](TObject*, TTreeNode* n, bool& a) {
    f.log.push_back("changing " + NameOf(n));
    a = allow;
  };
  f.robot.Key(VK_UP);
  f.ClickText("A");
  f.tree->SetSelected(f.Find("A"));
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "C");
  EXPECT_EQ(f.TakeLog(), "changing B; changing A; changing A; ");
  allow = true;
  f.robot.Key(VK_HOME);
  EXPECT_EQ(f.TakeLog(), "changing A; change A; ");

  // A click beside the text selects nothing.
  TRect row = f.Find("B")->DisplayRect(false);
  f.robot.Click(f.tree, row.Right - 2, row.Top + 2);
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "A");
  f.tree->SetRowSelect(true);
  f.robot.Click(f.tree, row.Right - 2, row.Top + 2);
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "B");
}

TEST(TreeSelection, KeysWalkTheRowsShownAndOpenAndCloseNodes) {
  TreeFixture f;
  f.BuildSmall();
  f.tree->SetFocus();
  auto sel = [&] { return NameOf(f.tree->GetSelected()); };
  f.robot.Key(VK_DOWN);  // nothing selected: the top row
  EXPECT_EQ(sel(), "A");
  f.robot.Key(VK_DOWN);  // A is collapsed: its children are skipped
  EXPECT_EQ(sel(), "B");
  f.robot.Key(VK_UP);
  f.robot.Key(VK_RIGHT);  // expands
  EXPECT_EQ(sel(), "A");
  EXPECT_TRUE(f.Find("A")->GetExpanded());
  f.robot.Key(VK_RIGHT);  // to the first child
  EXPECT_EQ(sel(), "A1");
  f.robot.Key(VK_DOWN);
  f.robot.Key(VK_DOWN);   // A2 is collapsed: on to B
  EXPECT_EQ(sel(), "B");
  f.robot.Key(VK_UP);
  f.robot.Key(VK_RIGHT);
  f.robot.Key(VK_DOWN);   // into the expanded A2
  EXPECT_EQ(sel(), "A2a");
  f.robot.Key(VK_LEFT);   // no children: to the parent
  EXPECT_EQ(sel(), "A2");
  f.robot.Key(VK_LEFT);   // expanded: collapses
  EXPECT_EQ(sel(), "A2");
  EXPECT_FALSE(f.Find("A2")->GetExpanded());
  f.robot.Key(VK_BACK);
  EXPECT_EQ(sel(), "A");
  f.robot.Key(VK_END);
  EXPECT_EQ(sel(), "C");
  f.robot.Type("+");
  EXPECT_TRUE(f.Find("C")->GetExpanded());
  f.robot.Type("-");
  EXPECT_FALSE(f.Find("C")->GetExpanded());
  f.TakeLog();
  f.robot.Key(VK_ADD);    // the numpad key, once though a '+' may follow it
  EXPECT_EQ(f.TakeLog(), "expanding C; expanded C; ");
  f.robot.Key(VK_SUBTRACT);
  EXPECT_FALSE(f.Find("C")->GetExpanded());
  f.robot.Key(VK_HOME);
  f.robot.Type("*");      // all below A
  EXPECT_EQ(f.Rows(), "A A1 A2 A2a B C ");
  f.robot.Key(VK_MULTIPLY);
  f.robot.Type("c");      // first letter search
  EXPECT_EQ(sel(), "C");
  f.robot.Type("a");      // wraps around
  EXPECT_EQ(sel(), "A");
  f.robot.Type("a");
  EXPECT_EQ(sel(), "A1");
  EXPECT_EQ(f.tree->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST(TreeSelection, ANumpadKeyFollowedByItsCharacterActsOnce) {
  TreeFixture f;
  f.BuildSmall();
  f.tree->SetFocus();
  f.tree->SetSelected(f.Find("A"));
  f.Find("A")->Collapse(false);
  f.TakeLog();
  // What a keyboard sends for numpad '+': the key, then its character.
  f.form.InputKeyDown(VK_ADD, {});
  f.form.InputChar(U'+');
  f.form.InputKeyUp(VK_ADD, {});
  f.form.InputKeyDown(VK_SUBTRACT, {});
  f.form.InputChar(U'-');
  f.form.InputKeyUp(VK_SUBTRACT, {});
  EXPECT_EQ(f.TakeLog(), "expanding A; expanded A; collapsing A; collapsed A; ");
}

TEST(TreeSelection, AClickOnAButtonTogglesWithoutSelecting) {
  TreeFixture f;
  f.BuildSmall();
  f.ClickText("B");
  f.TakeLog();
  f.ClickButton("A");
  EXPECT_TRUE(f.Find("A")->GetExpanded());
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "B");
  EXPECT_EQ(f.TakeLog(), "expanding A; expanded A; ");
  f.ClickButton("A2");
  f.ClickText("A2a");
  f.TakeLog();
  // Collapsing hides the selection: it moves to the collapsed node.
  f.ClickButton("A");
  EXPECT_EQ(NameOf(f.tree->GetSelected()), "A");
  EXPECT_EQ(f.TakeLog(), "collapsing A; change A; collapsed A; ");

  // A double click on the text toggles and fires OnDblClick first.
  int dbl = 0;
  f.tree->OnDblClick = [&](TObject*) { f.log.push_back("dblclick"); ++dbl; };
  f.ClickText("C");
  f.TakeLog();
  TRect r = f.Find("C")->DisplayRect(true);
  f.robot.DoubleClick(f.tree, r.Left + 3, r.Top + 3);
  EXPECT_EQ(f.TakeLog(), "dblclick; expanding C; expanded C; ");
  f.robot.DoubleClick(f.tree, r.Left + 3, r.Top + 3);
  EXPECT_FALSE(f.Find("C")->GetExpanded());
  EXPECT_EQ(dbl, 2);
}

TEST(TreeSelection, SelectingAHiddenNodeOpensItsAncestorsFirst) {
  TreeFixture f;
  f.BuildSmall();
  f.tree->SetSelected(f.Find("A2a"));
  EXPECT_EQ(f.TakeLog(), "changing A2a; expanding A; expanded A; expanding A2; expanded A2; change A2a; ");
  EXPECT_TRUE(f.Find("A2a")->IsVisible());
  EXPECT_TRUE(f.Find("A2a")->GetSelected());
  EXPECT_TRUE(f.Find("A2a")->GetFocused());
  f.Find("A2a")->SetSelected(false);
  EXPECT_EQ(f.tree->GetSelected(), nullptr);
}
