#include <gtest/gtest.h>

#include "../controls/ControlsTestUtil.h"
#include "platform/stdctrls/Menus.h"

using namespace qel;
using namespace qel::test;

namespace {
struct MenusTest : ::testing::Test {
  Log log;
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  TLogControl* target = new TLogControl(form, form, &log, "t", Bounds(10, 10, 100, 60));
  TPopupMenu* menu = new TPopupMenu(form);
  std::vector<std::string> clicks;

  TMenuItem* Item(TMenuItem* parent, const std::string& caption, const std::string& name = "") {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    if (!name.empty()) item->SetName(name);
    item->OnClick = [this, caption](TObject*) { clicks.push_back(caption); };
    parent->Add(item);
    return item;
  }
  // Open, Line, Off (disabled), More (submenu: Sub1, Sub2), Close
  TMenuItem *open, *line, *off, *more, *sub1, *sub2, *close;
  MenusTest() {
    open = Item(menu->Items(), "&Open", "OpenItem");
    line = Item(menu->Items(), "-");
    off = Item(menu->Items(), "Off");
    off->SetEnabled(false);
    more = Item(menu->Items(), "More");
    sub1 = Item(more, "Sub1", "DeepItem");
    sub2 = Item(more, "Sub2");
    close = Item(menu->Items(), "Close");
    form->SetBounds(100, 100, 300, 200);
    form->Show();
  }
  ~MenusTest() override {
    Headless().OnModal = nullptr;
    delete form;
  }
  // Clicks the middle of an item in the window that shows it.
  void ClickItem(TMenuItem* item, int level = 0) {
    TRect r = menu->ItemRect(item);
    ASSERT_FALSE(r.IsEmpty()) << item->GetCaption() << " is not shown";
    robot.Click(menu->PopupWindow(level), r.Left + r.Width() / 2, r.Top + r.Height() / 2);
  }
  void HoverItem(TMenuItem* item, int level = 0) {
    TRect r = menu->ItemRect(item);
    robot.MoveTo(menu->PopupWindow(level), r.Left + 5, r.Top + r.Height() / 2);
  }
};
}  // namespace

TEST_F(MenusTest, ClickingAnEnabledItemClosesTheMenuThenFiresItsOnClick) {
  bool showingDuringClick = true;
  open->OnClick = [&](TObject* sender) {
    showingDuringClick = menu->IsShowing();
    clicks.push_back(static_cast<TMenuItem*>(sender)->GetCaption());
  };
  menu->Popup(150, 160);
  TCustomForm* w = menu->PopupWindow(0);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->GetLeft(), 150);
  EXPECT_EQ(w->GetTop(), 160);
  // Four text rows of 22 and one separator of 8 between the frames.
  EXPECT_EQ(w->GetHeight(), 4 * 22 + 8 + 4);
  ClickItem(off);   // disabled: nothing, the menu stays
  ClickItem(line);  // separator: the same
  EXPECT_TRUE(clicks.empty());
  EXPECT_TRUE(menu->IsShowing());
  ClickItem(open);
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Open"}));
  EXPECT_FALSE(showingDuringClick);
  EXPECT_FALSE(menu->IsShowing());
}

TEST_F(MenusTest, HoverHighlightsAndDisabledItemsAreGrey) {
  menu->Popup(150, 160);
  TCustomForm* w = menu->PopupWindow(0);
  TRect ro = menu->ItemRect(open), rc = menu->ItemRect(close);
  EXPECT_EQ(robot.PixelAt(w, ro.Right - 3, ro.Top + 2), ColorToRGB(clMenu));
  HoverItem(open);
  EXPECT_EQ(robot.PixelAt(w, ro.Right - 3, ro.Top + 2), ColorToRGB(clHighlight));
  EXPECT_EQ(robot.PixelAt(w, rc.Right - 3, rc.Top + 2), ColorToRGB(clMenu));
  // The disabled caption is drawn in grey text, never in the menu text colour.
  TRect rd = menu->ItemRect(off);
  bool grey = false, black = false;
  for (int y = rd.Top; y < rd.Bottom; ++y)
    for (int x = rd.Left + 24; x < rd.Left + 60; ++x) {
      TColor p = robot.PixelAt(w, x, y);
      grey = grey || p == ColorToRGB(clGrayText);
      black = black || p == ColorToRGB(clMenuText);
    }
  EXPECT_TRUE(grey);
  EXPECT_FALSE(black);
}

TEST_F(MenusTest, KeyboardSkipsSeparatorsAndDisabledItemsAndEnterChooses) {
  menu->Popup(150, 160);
  robot.Key(VK_DOWN);  // Open
  robot.Key(VK_DOWN);  // past the line and "Off" to More
  robot.Key(VK_DOWN);  // Close
  robot.Key(VK_RETURN);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Close"}));
  EXPECT_FALSE(menu->IsShowing());

  menu->Popup(150, 160);
  robot.Key(VK_UP);  // from nothing upwards: the last item
  robot.Key(VK_UP);  // More
  robot.Key(VK_RIGHT);
  ASSERT_NE(menu->PopupWindow(1), nullptr);
  robot.Key(VK_DOWN);  // Sub1 was selected on opening: now Sub2
  robot.Key(VK_LEFT);  // closes the submenu only
  EXPECT_EQ(menu->PopupWindow(1), nullptr);
  EXPECT_TRUE(menu->IsShowing());
  robot.Key(VK_RETURN);  // More again: opens with Sub1 selected
  robot.Key(VK_RETURN);
  robot.Key(VK_ESCAPE);  // nothing open any more: harmless
  EXPECT_EQ(clicks, (std::vector<std::string>{"Close", "Sub1"}));

  menu->Popup(150, 160);
  robot.Key(VK_ESCAPE);
  EXPECT_FALSE(menu->IsShowing());
  menu->Popup(150, 160);
  robot.Type("o");  // the '&' key of "&Open"
  EXPECT_EQ(clicks.back(), "&Open");
}

TEST_F(MenusTest, SubmenuOpensOnHoverBesideItsRowAndItsItemsClick) {
  menu->Popup(150, 160);
  HoverItem(more);
  TCustomForm* sub = menu->PopupWindow(1);
  ASSERT_NE(sub, nullptr);
  TCustomForm* top = menu->PopupWindow(0);
  EXPECT_GT(sub->GetLeft(), top->GetLeft() + top->GetWidth() - 10);
  EXPECT_EQ(sub->GetTop(), top->GetTop() + menu->ItemRect(more).Top - 2);
  HoverItem(close);  // another row of the parent closes the submenu
  EXPECT_EQ(menu->PopupWindow(1), nullptr);
  HoverItem(more);
  ClickItem(sub2, 1);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Sub2"}));
  EXPECT_FALSE(menu->IsShowing());
  // Near the right edge of the screen the submenu opens to the left.
  menu->Popup(Headless().ScreenSize().cx - 120, 100);
  HoverItem(more);
  ASSERT_NE(menu->PopupWindow(1), nullptr);
  EXPECT_LT(menu->PopupWindow(1)->GetLeft(), menu->PopupWindow(0)->GetLeft());
}

TEST_F(MenusTest, OnPopupRunsBeforeShowingAndRightClickPopsUpAtTheMouse) {
  bool shownInOnPopup = true;
  menu->OnPopup = [&](TObject*) {
    shownInOnPopup = menu->IsShowing();
    off->SetEnabled(true);  // applications adjust items here
  };
  target->SetPopupMenu(menu);
  robot.Click(target, 20, 30, mbRight);
  EXPECT_FALSE(shownInOnPopup);
  ASSERT_TRUE(menu->IsShowing());
  EXPECT_EQ(menu->GetPopupComponent(), target);
  TPoint screen = target->ClientToScreen({20, 30});
  EXPECT_EQ(menu->PopupWindow(0)->GetLeft(), screen.X);
  EXPECT_EQ(menu->PopupWindow(0)->GetTop(), screen.Y);
  ClickItem(off);
  EXPECT_EQ(clicks, (std::vector<std::string>{"Off"}));
  // A press on the form closes the menu; AutoPopup off keeps right clicks plain.
  robot.Click(target, 20, 30, mbRight);
  robot.Click(target, 5, 5);
  EXPECT_FALSE(menu->IsShowing());
  menu->SetAutoPopup(false);
  robot.Click(target, 20, 30, mbRight);
  EXPECT_FALSE(menu->IsShowing());
}

TEST_F(MenusTest, TreeOperationsAndLookups) {
  EXPECT_EQ(menu->FindItem("deepitem"), sub1);
  EXPECT_EQ(menu->FindItem("OpenItem"), open);
  EXPECT_EQ(menu->FindItem("Nobody"), nullptr);
  EXPECT_EQ(menu->Items()->Find("open"), open);  // '&' and case ignored
  EXPECT_EQ(menu->Items()->Find("Sub1"), nullptr);  // direct items only
  EXPECT_EQ(sub2->GetParent(), more);
  EXPECT_EQ(sub2->GetMenu(), menu);
  EXPECT_EQ((*menu->Items())[3], more);
  EXPECT_EQ(menu->Items()->IndexOf(close), 4);
  EXPECT_THROW(menu->Items()->Items(5), EListError);
  EXPECT_THROW(menu->Items()->Add(sub1), EListError);  // already in the tree
  EXPECT_THROW(sub1->Add(more), EListError);           // would hold itself

  // A change while shown closes the menu; it never points at a freed item.
  menu->Popup(150, 160);
  HoverItem(more);
  delete sub2;
  EXPECT_FALSE(menu->IsShowing());
  EXPECT_EQ(more->Count(), 1);
  menu->Items()->Delete(0);  // detached, not freed
  EXPECT_EQ(open->GetParent(), nullptr);
  menu->Items()->Insert(0, open);
  EXPECT_EQ(menu->Items()->IndexOf(open), 0);
  more->Clear();
  EXPECT_EQ(menu->FindItem("DeepItem"), nullptr);
  // Hidden items are not listed.
  line->SetVisible(false);
  off->SetVisible(false);
  menu->Popup(150, 160);
  EXPECT_EQ(menu->PopupWindow(0)->GetHeight(), 3 * 22 + 4);
}

TEST_F(MenusTest, CheckMarksAndBitmapsAreDrawnInTheImageColumn) {
  close->SetChecked(true);
  TBitmap pic(16, 16);
  pic.Canvas()->Brush()->SetColor(clFuchsia);  // bottom-left colour: transparent
  pic.Canvas()->FillRect({0, 0, 16, 16});
  pic.Canvas()->Brush()->SetColor(clRed);
  pic.Canvas()->FillRect({4, 4, 12, 12});
  open->SetBitmap(&pic);
  menu->Popup(150, 160);
  TCustomForm* w = menu->PopupWindow(0);
  TRect ro = menu->ItemRect(open), rc = menu->ItemRect(close);
  int cx = ro.Left + 12, cy = ro.Top + 11;
  EXPECT_EQ(robot.PixelAt(w, cx, cy), ColorToRGB(clRed));
  EXPECT_EQ(robot.PixelAt(w, ro.Left + 6, ro.Top + 5), ColorToRGB(clMenu));  // transparent corner
  int ink = 0;
  for (int y = rc.Top; y < rc.Bottom; ++y)
    for (int x = rc.Left; x < rc.Left + 24; ++x) ink += robot.PixelAt(w, x, y) == ColorToRGB(clMenuText);
  EXPECT_GT(ink, 6);  // the tick
  EXPECT_EQ(robot.PixelAt(w, menu->ItemRect(more).Left + 12, menu->ItemRect(more).Top + 11), ColorToRGB(clMenu));
}

TEST_F(MenusTest, TheKeyThatClosesAMenuTypesNothingIntoTheFocusedControl) {
  target->SetFocus();
  menu->Popup(150, 160);
  robot.Key(VK_DOWN);
  log.clear();
  robot.Key(VK_RETURN);  // chooses "Open" and closes the menu
  robot.Key(VK_ESCAPE);  // the menu is closed: this one reaches the control
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Open"}));
  EXPECT_EQ(log, (Log{"t: OnKeyDown 27", "t: OnKeyPress \x1b"}));
}
