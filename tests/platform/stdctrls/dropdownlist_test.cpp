#include "platform/stdctrls/DropDownList.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "StdCtrlsTestUtil.h"
#include "platform/stdctrls/ButtonFace.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;
using namespace qel::test;

namespace {

constexpr int RowH = 16;

struct DropDownTest : FormFixture, ::testing::Test {
  TEdit* anchor = new TEdit(form);
  TEdit* other = new TEdit(form);
  TStringList items;
  std::unique_ptr<TDropDownPopup> popup;
  std::vector<int> picks;
  std::vector<bool> dismissals;
  DropDownTest() {
    anchor->SetParent(form);
    anchor->SetBounds(20, 30, 150, 21);
    other->SetParent(form);
    other->SetBounds(20, 200, 100, 21);
    for (int i = 0; i < 20; ++i) items.Add("item " + std::to_string(i));
    popup = std::make_unique<TDropDownPopup>(anchor, &items);
    popup->List()->OnPick = [this] { picks.push_back(popup->List()->Hot()); };
    popup->OnDismissed = [this](bool onAnchor) { dismissals.push_back(onAnchor); };
    anchor->SetFocus();
  }
  ~DropDownTest() override {
    popup.reset();
    Headless().SetScreenSize({1280, 800});
  }
  TDropDownList* List() { return popup->List(); }
  int RowY(int row) { return row * RowH + RowH / 2; }
  TColor ListPixel(int X, int Y) { return robot.PixelAt(List(), X, Y); }
};

}  // namespace

TEST_F(DropDownTest, OpensUnderItsAnchorOrAboveWhereTheScreenEnds) {
  popup->Open(5, RowH, 7);
  TPoint corner = form->ClientToScreen({20, 30 + 21});
  EXPECT_EQ(popup->BoundsRect(), Bounds(corner.X, corner.Y, 150, 5 * RowH + 2));
  EXPECT_TRUE(popup->Showing());
  EXPECT_EQ(List()->Hot(), 7);
  EXPECT_EQ(List()->TopIndex(), 3);  // scrolled just far enough to show it
  EXPECT_EQ(List()->VisibleRows(), 5);
  popup->Close();

  items.Clear();
  popup->Open(5, RowH, 2);  // no items: one empty row, nothing highlighted
  EXPECT_EQ(popup->GetHeight(), RowH + 2);
  EXPECT_EQ(List()->Hot(), -1);
  popup->Close();

  items.Add("a");
  items.Add("b");
  Headless().SetScreenSize({1280, corner.Y + 2 * RowH});
  popup->Open(5, RowH, 0);
  TPoint top = form->ClientToScreen({20, 30});
  EXPECT_EQ(popup->BoundsRect(), Bounds(top.X, top.Y - (2 * RowH + 2), 150, 2 * RowH + 2));
}

TEST_F(DropDownTest, KeysWheelAndMouseMoveTheHighlightAndAClickPicks) {
  popup->Open(5, RowH, -1);
  TDropDownList* list = List();
  EXPECT_TRUE(list->MoveKey(VK_NEXT));  // from nothing a page goes to the last row shown
  EXPECT_EQ(list->Hot(), 4);
  list->MoveKey(VK_NEXT);
  EXPECT_EQ(list->Hot(), 8);
  EXPECT_EQ(list->TopIndex(), 4);
  list->MoveKey(VK_PRIOR);
  list->MoveKey(VK_PRIOR);
  list->MoveKey(VK_UP);
  EXPECT_EQ(list->Hot(), 0);
  EXPECT_EQ(list->TopIndex(), 0);
  list->SetHot(19);
  list->MoveKey(VK_DOWN);
  EXPECT_EQ(list->Hot(), 19);  // nothing after the last item
  EXPECT_FALSE(list->MoveKey(VK_HOME));
  EXPECT_FALSE(list->MoveKey(VK_RETURN));

  list->SetHot(0);
  robot.Wheel(list, 10, RowY(1), -120);
  EXPECT_EQ(list->TopIndex(), 3);  // three rows a notch
  for (int i = 0; i < 6; ++i) robot.Wheel(list, 10, RowY(1), -120);
  EXPECT_EQ(list->TopIndex(), 15);  // the last page, no further
  robot.Wheel(list, 10, RowY(1), 120);
  EXPECT_EQ(list->TopIndex(), 12);
  EXPECT_EQ(list->Hot(), 0);  // scrolling leaves the highlight

  robot.MoveTo(list, 10, RowY(2));
  EXPECT_EQ(list->Hot(), 14);
  EXPECT_EQ(list->IndexAt(-1), -1);
  EXPECT_EQ(list->IndexAt(7 * RowH), 19);
  EXPECT_EQ(list->IndexAt(8 * RowH), -1);  // below the last item
  EXPECT_TRUE(picks.empty());  // hovering highlights only
  robot.Click(list, 10, RowY(4));
  EXPECT_EQ(picks, std::vector<int>{16});
  robot.Click(list, 10, RowY(4), mbRight);
  EXPECT_EQ(picks.size(), 1u);  // only the left button picks
  EXPECT_TRUE(dismissals.empty());
}

TEST_F(DropDownTest, ALongListShowsAScrollBarThatWorksByMouse) {
  popup->Open(5, RowH, 0);
  TDropDownList* list = List();
  ASSERT_TRUE(list->ShowsScrollBar());
  EXPECT_EQ(list->ClientWidth(), 148 - ScrollBarSize);  // the rows make room for it
  const int barX = list->ClientWidth() + ScrollBarSize / 2, bottom = 5 * RowH;
  EXPECT_EQ(ListPixel(list->ClientWidth() + 3, 3), ColorToRGB(clBtnFace));  // the up arrow's face
  EXPECT_EQ(ListPixel(barX - ScrollBarSize, RowY(0)), ColorToRGB(clHighlight));  // the row stops before it
  robot.Click(list, barX, bottom - 3);  // the down arrow
  EXPECT_EQ(list->TopIndex(), 1);
  robot.Click(list, barX, bottom - ScrollBarSize - 2);  // the track below the thumb: a page
  EXPECT_EQ(list->TopIndex(), 6);
  TRect thumb = list->ScrollBar().ThumbRect();
  robot.Drag(list, barX, thumb.Top + 2, barX, bottom + 40);  // the thumb to the end, and past it
  EXPECT_EQ(list->TopIndex(), 15);
  EXPECT_EQ(list->ScrollBar().Position(), 15);
  EXPECT_TRUE(picks.empty());  // the bar picks nothing
  EXPECT_TRUE(popup->Showing());
  robot.Click(list, 10, RowY(1));
  EXPECT_EQ(picks, std::vector<int>{16});
  robot.Wheel(list, 10, RowY(1), 120);
  EXPECT_EQ(list->ScrollBar().Position(), 12);  // the wheel moves the thumb too
  popup->Close();

  while (items.Count() > 5) items.Delete(items.Count() - 1);
  popup->Open(5, RowH, 0);  // as many rows as items: no bar
  EXPECT_FALSE(List()->ShowsScrollBar());
  EXPECT_EQ(List()->ClientWidth(), 148);
  EXPECT_EQ(ListPixel(146, RowY(0)), ColorToRGB(clHighlight));
}

TEST_F(DropDownTest, ClosingIsQuietAndADismissalSaysWhetherThePressWasOnTheAnchor) {
  popup->Open(5, RowH, 6);
  EXPECT_EQ(popup->Close(), 6);
  EXPECT_FALSE(popup->Showing());
  EXPECT_TRUE(dismissals.empty());  // the owner closed it: nothing to hear
  EXPECT_EQ(popup->Close(), 6);     // closing again does no harm

  popup->Open(5, RowH, 0);
  robot.Click(anchor, 5, 5);
  EXPECT_FALSE(popup->Showing());
  EXPECT_EQ(dismissals, std::vector<bool>{true});
  Headless().AdvanceTime(DoubleClickTimeMs + 1);

  popup->Open(5, RowH, 0);
  robot.Click(other, 5, 5);
  EXPECT_FALSE(popup->Showing());
  EXPECT_EQ(dismissals, (std::vector<bool>{true, false}));
  popup->Open(5, RowH, 0);  // opens again after a dismissal
  EXPECT_TRUE(popup->Showing());
}

TEST_F(DropDownTest, RowsArePaintedByTheOwnerOrInTheHighlightColours) {
  popup->Open(4, RowH, 1);
  TDropDownList* list = List();
  EXPECT_EQ(ListPixel(list->ClientWidth() - 1, RowY(1)), ColorToRGB(clHighlight));
  EXPECT_EQ(ListPixel(list->ClientWidth() - 1, RowY(2)), ColorToRGB(clWindow));

  std::vector<std::pair<int, TRect>> rows;
  list->OnPaintRow = [&](TCanvas* c, int index, const TRect& r, bool hot) {
    rows.push_back({index, r});
    c->Brush()->SetColor(hot ? clRed : clLime);
    c->FillRect(r);
  };
  list->SetTopIndex(2);
  rows.clear();
  Application->ProcessMessages();
  ASSERT_EQ(rows.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rows[i].first, 2 + i);
    EXPECT_EQ(rows[i].second, Rect(0, i * RowH, 148 - ScrollBarSize, (i + 1) * RowH));
  }
  list->SetHot(3);
  EXPECT_EQ(ListPixel(0, RowY(1)), ColorToRGB(clRed));
  EXPECT_EQ(ListPixel(0, RowY(0)), ColorToRGB(clLime));
}

TEST(DropDownButton, BevelledFaceWithAGlyphThatSinksWhenPushed) {
  TBitmap bmp;
  bmp.SetSize(17, 21);
  TCanvas* c = bmp.Canvas();
  auto at = [&](int x, int y) { return c->GetPixels(x, y); };
  DrawDropDownButton(c, {0, 0, 17, 21}, false, true, dgArrow);
  EXPECT_EQ(at(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(at(0, 19), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(at(0, 20), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(at(16, 0), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(at(2, 2), ColorToRGB(clBtnFace));
  // The arrow: seven pixels wide at the top, one at the tip, in the middle.
  EXPECT_EQ(at(5, 8), ColorToRGB(clBtnText));
  EXPECT_EQ(at(11, 8), ColorToRGB(clBtnText));
  EXPECT_EQ(at(4, 8), ColorToRGB(clBtnFace));
  EXPECT_EQ(at(8, 11), ColorToRGB(clBtnText));
  EXPECT_EQ(at(7, 11), ColorToRGB(clBtnFace));
  EXPECT_EQ(at(8, 12), ColorToRGB(clBtnFace));

  DrawDropDownButton(c, {0, 0, 17, 21}, true, false, dgArrow);
  EXPECT_EQ(at(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(at(16, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(at(5, 8), ColorToRGB(clBtnFace));  // one pixel right and down
  EXPECT_EQ(at(6, 9), ColorToRGB(clGrayText));
  EXPECT_EQ(at(9, 12), ColorToRGB(clGrayText));

  DrawDropDownButton(c, {0, 0, 17, 21}, false, true, dgEllipsis);
  for (int x : {3, 4, 7, 8, 11, 12}) EXPECT_EQ(at(x, 12), ColorToRGB(clBtnText)) << x;
  for (int x : {2, 5, 6, 9, 10, 13}) EXPECT_EQ(at(x, 11), ColorToRGB(clBtnFace)) << x;
  EXPECT_EQ(at(8, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(at(8, 13), ColorToRGB(clBtnFace));
}
