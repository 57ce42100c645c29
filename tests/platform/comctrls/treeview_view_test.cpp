#include <gtest/gtest.h>

#include "TreeTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

// 100 roots "R0".."R99", each with one child.
void BuildLong(TreeFixture& f) {
  TTreeNodes* items = f.tree->Items();
  items->BeginUpdate();
  for (int i = 0; i < 100; ++i) items->AddChild(items->Add(nullptr, "R" + std::to_string(i)), "child");
  items->EndUpdate();
  Application->ProcessMessages();
}

// The selected node's row lies inside the client area.
void ExpectSelectionShown(TreeFixture& f) {
  ASSERT_NE(f.tree->GetSelected(), nullptr);
  TRect r = f.tree->GetSelected()->DisplayRect(false);
  EXPECT_GE(r.Top, 0) << f.tree->GetSelected()->GetText();
  EXPECT_LE(r.Bottom, f.tree->ClientHeight()) << f.tree->GetSelected()->GetText();
}

}  // namespace

TEST(TreeView, KeysAndSelectingScrollTheSelectionIntoViewAndTheWheelScrollsAlone) {
  TreeFixture f(200, 200);
  BuildLong(f);
  TCustomTreeView* t = f.tree;
  EXPECT_FALSE(t->VertScrollBar().Bounds().IsEmpty());
  EXPECT_TRUE(t->HorzScrollBar().Bounds().IsEmpty());
  int page = t->ClientHeight() / t->ItemHeight();
  ASSERT_GT(page, 3);
  t->SetFocus();
  f.robot.Key(VK_DOWN);
  for (int i = 1; i < page + 2; ++i) f.robot.Key(VK_DOWN);
  EXPECT_EQ(NameOf(t->GetSelected()), "R" + std::to_string(page + 1));
  ExpectSelectionShown(f);
  EXPECT_EQ(NameOf(t->GetTopItem()), "R2");
  EXPECT_EQ(t->VertScrollBar().Position(), 2);
  f.robot.Key(VK_END);
  ExpectSelectionShown(f);
  EXPECT_EQ(t->GetSelected()->DisplayRect(false).Bottom / t->ItemHeight(), page);  // the last full row
  f.robot.Key(VK_PRIOR);
  EXPECT_EQ(NameOf(t->GetSelected()), "R" + std::to_string(99 - (page - 1)));
  ExpectSelectionShown(f);
  f.robot.Key(VK_HOME);
  EXPECT_EQ(NameOf(t->GetTopItem()), "R0");

  // The wheel moves the view by three rows and leaves the selection.
  f.robot.Wheel(t, 20, 20, -120);
  EXPECT_EQ(NameOf(t->GetTopItem()), "R3");
  EXPECT_EQ(NameOf(t->GetSelected()), "R0");
  f.robot.Wheel(t, 20, 20, 120);
  f.robot.Wheel(t, 20, 20, 120);
  EXPECT_EQ(NameOf(t->GetTopItem()), "R0");

  // Selecting a hidden child far below opens its parent and scrolls to it.
  t->SetSelected(f.Find("R70")->getFirstChild());
  EXPECT_TRUE(f.Find("R70")->GetExpanded());
  ExpectSelectionShown(f);

  // A click on the bar's lower arrow scrolls one row; it is no click on
  // the tree.
  int clicks = 0;
  t->OnClick = [&](TObject*) { ++clicks; };
  TTreeNode* top = t->GetTopItem();
  TRect arrow = t->VertScrollBar().ArrowRect(false);
  f.robot.Click(t, arrow.Left + 5, arrow.Top + 5);
  EXPECT_EQ(t->GetTopItem(), top->GetNextVisible());
  // Nor is dragging the thumb and letting go over the rows.
  TRect thumb = t->VertScrollBar().ThumbRect();
  f.robot.Press(t, thumb.Left + 5, thumb.Top + 5);
  f.robot.MoveTo(t, 20, thumb.Top + 25);
  f.robot.Release(t, 20, thumb.Top + 25);
  EXPECT_EQ(clicks, 0);

  // Collapsing everything near the end pulls the view back to a full page.
  t->FullCollapse();
  t->SetTopItem(f.Find("R99"));
  EXPECT_EQ(NameOf(t->GetTopItem()), "R" + std::to_string(100 - page));
}

TEST(TreeView, GetNodeAtAndHitTestsFollowTheRowsAndTheScrollPosition) {
  TreeFixture f(200, 120);
  BuildLong(f);
  TCustomTreeView* t = f.tree;
  int rh = t->ItemHeight();
  EXPECT_EQ(NameOf(t->GetNodeAt(5, 0)), "R0");
  EXPECT_EQ(NameOf(t->GetNodeAt(5, rh - 1)), "R0");
  EXPECT_EQ(NameOf(t->GetNodeAt(5, rh)), "R1");
  EXPECT_EQ(t->GetNodeAt(-1, 5), nullptr);
  EXPECT_EQ(t->GetNodeAt(5, t->ClientHeight()), nullptr);
  f.Find("R0")->Expand(false);
  EXPECT_EQ(NameOf(t->GetNodeAt(5, rh)), "child");
  t->SetTopItem(f.Find("R10"));
  EXPECT_EQ(NameOf(t->GetNodeAt(5, rh + 1)), "R11");

  TRect label = f.Find("R11")->DisplayRect(true);
  EXPECT_TRUE(t->GetHitTestInfoAt(label.Left + 1, label.Top + 1).Contains(htOnLabel));
  EXPECT_TRUE(t->GetHitTestInfoAt(label.Right + 3, label.Top + 1).Contains(htOnRight));
  TPoint button = f.ButtonCenter("R11");
  EXPECT_TRUE(t->GetHitTestInfoAt(button.X, button.Y).Contains(htOnButton));
  EXPECT_TRUE(t->GetHitTestInfoAt(5, -3).Contains(htAbove));

  // Past the last row there is no node.
  TreeFixture g(200, 200);
  g.tree->Items()->Add(nullptr, "only");
  EXPECT_EQ(g.tree->GetNodeAt(5, g.tree->ItemHeight() + 2), nullptr);
  EXPECT_TRUE(g.tree->GetHitTestInfoAt(5, g.tree->ItemHeight() + 2).Contains(htNowhere));
  // A node whose parent is collapsed has no row.
  g.tree->Items()->AddChild(g.Find("only"), "hidden");
  EXPECT_TRUE(g.Find("hidden")->DisplayRect(false).IsEmpty());
}

TEST(TreeView, AWideTextBringsTheHorizontalBar) {
  TreeFixture f(120, 120);
  f.tree->Items()->Add(nullptr, "short");
  Application->ProcessMessages();
  EXPECT_TRUE(f.tree->HorzScrollBar().Bounds().IsEmpty());
  TTreeNode* wide = f.tree->Items()->Add(nullptr, "a rather long text that cannot fit");
  Application->ProcessMessages();
  EXPECT_FALSE(f.tree->HorzScrollBar().Bounds().IsEmpty());
  int left = wide->DisplayRect(true).Left;
  TRect arrow = f.tree->HorzScrollBar().ArrowRect(false);
  f.robot.Click(f.tree, arrow.Left + 5, arrow.Top + 5);
  EXPECT_LT(wide->DisplayRect(true).Left, left);
  wide->SetText("x");
  Application->ProcessMessages();
  EXPECT_TRUE(f.tree->HorzScrollBar().Bounds().IsEmpty());
  EXPECT_EQ(wide->DisplayRect(true).Left, left);
}

TEST(TreeView, RowsShowButtonsLinesAndTheSelectionAsTheFocusDecides) {
  TreeFixture f(200, 200);
  f.BuildSmall();
  TCustomTreeView* t = f.tree;
  // Pixels of the client area as shown at the last snap().
  std::unique_ptr<TBitmap> shot;
  auto snap = [&] { shot = f.robot.Capture(t); };
  auto px = [&](int x, int y) { return PixelToColor(shot->ScanLine(y)[x]); };
  const TColor gray = ColorToRGB(clGray), white = ColorToRGB(clWindow), black = 0;

  // Collapsed A: a plus in a grey box; expanded: a minus only.
  TPoint b = f.ButtonCenter("A");
  snap();
  EXPECT_EQ(px(b.X, b.Y - 2), black);
  EXPECT_EQ(px(b.X - 2, b.Y), black);
  EXPECT_EQ(px(b.X - 4, b.Y), gray);
  EXPECT_EQ(px(b.X - 3, b.Y - 3), white);
  f.ClickButton("A");
  snap();
  EXPECT_EQ(px(b.X, b.Y - 2), white);
  EXPECT_EQ(px(b.X + 2, b.Y), black);

  // A has later siblings: its column carries a dotted line through A1's row.
  TRect a1 = f.Find("A1")->DisplayRect(false);
  int dots = 0;
  for (int y = a1.Top; y < a1.Bottom; ++y) {
    TColor c = px(b.X, y);
    EXPECT_TRUE(c == gray || c == white);
    dots += c == gray;
    if (y > a1.Top) {
      EXPECT_NE(c, px(b.X, y - 1)) << y;  // every other pixel
    }
  }
  EXPECT_EQ(dots, (a1.Bottom - a1.Top) / 2);
  // B has no button: the line passes at its middle towards the text.
  TRect bRow = f.Find("B")->DisplayRect(true);
  int mid = (bRow.Top + bRow.Bottom) / 2;
  EXPECT_TRUE(px(b.X + 2, mid) == gray || px(b.X + 3, mid) == gray);
  t->SetShowLines(false);
  Application->ProcessMessages();
  snap();
  for (int y = a1.Top; y < a1.Bottom; ++y) EXPECT_EQ(px(b.X, y), white);

  // The selected text: highlighted and framed with the focus ...
  f.ClickText("B");
  TRect label = f.Find("B")->DisplayRect(true);
  snap();
  EXPECT_EQ(px(label.Left + 1, label.Top + 1), ColorToRGB(clHighlight));
  EXPECT_NE(px(label.Left, label.Top), px(label.Left + 1, label.Top));  // dotted focus frame
  // ... hidden without it, or in clBtnFace when HideSelection is off.
  TTreeView other(&f.form);
  other.SetParent(&f.form);
  other.SetBounds(0, 0, 5, 5);
  other.SetFocus();
  Application->ProcessMessages();
  snap();
  EXPECT_EQ(px(label.Left + 1, label.Top + 1), white);
  t->SetHideSelection(false);
  Application->ProcessMessages();
  snap();
  EXPECT_EQ(px(label.Left + 1, label.Top + 1), ColorToRGB(clBtnFace));

  // Without ShowRoot the roots lose their column and their buttons.
  int before = label.Left;
  t->SetShowRoot(false);
  EXPECT_EQ(f.Find("B")->DisplayRect(true).Left, before - t->GetIndent());
  EXPECT_FALSE(t->GetHitTestInfoAt(2, f.Find("A")->DisplayRect(false).Top + 2).Contains(htOnButton));
}

TEST(TreeView, HotTrackingUnderlinesTheTextUnderTheMouse) {
  TreeFixture f(200, 200);
  f.BuildSmall();
  f.tree->SetHotTrack(true);
  TRect label = f.Find("B")->DisplayRect(true);
  auto inkOf = [&](TColor colour) {
    auto shot = f.robot.Capture(f.tree);
    int n = 0;
    for (int y = label.Top; y < label.Bottom; ++y)
      for (int x = label.Left; x < label.Right; ++x) n += PixelToColor(shot->ScanLine(y)[x]) == colour;
    return n;
  };
  EXPECT_EQ(inkOf(ColorToRGB(clHotLight)), 0);
  f.robot.MoveTo(f.tree, label.Left + 3, label.Top + 3);
  EXPECT_GT(inkOf(ColorToRGB(clHotLight)), label.Width() / 2);  // the underline at least
  EXPECT_EQ(f.tree->GetCursor(), crHandPoint);
  f.robot.Leave(f.tree);
  EXPECT_EQ(inkOf(ColorToRGB(clHotLight)), 0);
}

namespace {
// Records the area each paint covers.
class TClipTree : public TTreeView {
 public:
  explicit TClipTree(TComponent* owner) : TTreeView(owner) {}
  std::vector<TRect> clips;

 protected:
  void Paint() override {
    TTreeView::Paint();
    clips.push_back(Canvas()->GetClipRect());
  }
};
}  // namespace

TEST(TreeView, OnlyTheRowsThatChangeArePainted) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 400);
  auto* t = new TClipTree(&form);
  t->SetParent(&form);
  t->SetBounds(0, 0, 260, 360);
  TTreeNodes* items = t->Items();
  for (int i = 0; i < 8; ++i) items->AddChild(items->Add(nullptr, "R" + std::to_string(i)), "child");
  form.Show();
  Application->ProcessMessages();
  TTestRobot robot;
  int rh = t->ItemHeight(), width = t->ClientWidth();
  t->SetFocus();
  t->SetSelected(items->Item(4));  // R2
  Application->ProcessMessages();

  // Moving the selection down a row: the old and the new row.
  t->clips.clear();
  robot.Key(VK_DOWN);
  ASSERT_EQ(t->clips.size(), 1u);
  EXPECT_EQ(t->clips[0], (TRect{0, 2 * rh, width, 4 * rh}));

  // Expanding R5: its row and everything below it; the rows above stay.
  t->clips.clear();
  items->Item(10)->Expand(false);
  Application->ProcessMessages();
  ASSERT_EQ(t->clips.size(), 1u);
  EXPECT_EQ(t->clips[0], (TRect{0, 5 * rh, width, t->ClientHeight()}));

  // Adding a last root repaints from the previous last root down (its line
  // now goes on), deleting R6 from R5 down.
  t->clips.clear();
  items->Add(nullptr, "R8");
  Application->ProcessMessages();
  ASSERT_EQ(t->clips.size(), 1u);
  EXPECT_EQ(t->clips[0].Top, 8 * rh);  // R0..R5, R5's child, R6, R7
  t->clips.clear();
  items->Item(12)->Delete();           // R6
  Application->ProcessMessages();
  ASSERT_EQ(t->clips.size(), 1u);
  EXPECT_EQ(t->clips[0].Top, 5 * rh);
}
