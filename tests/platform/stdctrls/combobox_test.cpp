#include <gtest/gtest.h>

#include <vector>

#include "EditTestUtil.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/DropDownList.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;
using namespace qel::test;

namespace {

struct DrawCall {
  int index;
  TRect rect;
  TOwnerDrawState state;
};

// An owner-drawn combo that logs its DrawItem calls and paints a swatch in
// the colour stored with each item, as a colour picker does.
class TSwatchCombo : public TCustomComboBox {
 public:
  explicit TSwatchCombo(TComponent* owner) : TCustomComboBox(owner) { SetStyle(csOwnerDrawFixed); }
  std::vector<DrawCall> calls;
  std::vector<TColor> colors;

 protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override {
    calls.push_back({Index, Rect, State});
    Canvas()->FillRect(Rect);
    if (Index < 0 || Index >= static_cast<int>(colors.size())) return;
    Canvas()->Brush()->SetColor(colors[Index]);
    Canvas()->FillRect({Rect.Left + 2, Rect.Top + 2, Rect.Left + 20, Rect.Bottom - 2});
  }
};

struct ComboTest : EditFormFixture, ::testing::Test {
  TComboBox* combo = new TComboBox(form);
  TEdit* edit = new TEdit(form);
  int changes = 0, clicks = 0, drops = 0, closes = 0;
  ComboTest() {
    combo->SetParent(form);
    combo->SetBounds(20, 30, 150, combo->GetHeight());
    edit->SetParent(form);
    edit->SetBounds(20, 150, 100, 21);
    for (const char* s : {"apple", "banana", "blueberry", "cherry", "date", "elderberry", "fig", "grape",
                          "kiwi", "lemon", "mango"})
      combo->Items()->Add(s);
    combo->OnChange = [this](TObject*) { ++changes; };
    combo->OnClick = [this](TObject*) { ++clicks; };
    combo->OnDropDown = [this](TObject*) { ++drops; };
    combo->OnCloseUp = [this](TObject*) { ++closes; };
    form->Show();
  }
  void ClickArrow(TCustomComboBox* c) {
    TRect b = c->ButtonRect();
    robot.Click(c, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    Pause();
  }
  int RowY(TCustomComboBox* c, int row) { return row * c->GetItemHeight() + c->GetItemHeight() / 2; }
};

}  // namespace

TEST_F(ComboTest, ArrowButtonAndAltDownOpenTheListUnderTheBox) {
  combo->SetStyle(csDropDownList);
  ClickArrow(combo);
  ASSERT_TRUE(combo->GetDroppedDown());
  EXPECT_TRUE(combo->Focused());
  EXPECT_EQ(drops, 1);
  auto* popup = combo->ListControl()->GetParentForm();
  EXPECT_TRUE(popup->IsPopup());
  TPoint corner = combo->GetParent()->ClientToScreen({combo->GetLeft(), combo->GetTop() + combo->GetHeight()});
  EXPECT_EQ(popup->BoundsRect(), Bounds(corner.X, corner.Y, 150, 8 * combo->GetItemHeight() + 2));

  ClickArrow(combo);  // the press that closes the list does not reopen it
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_FALSE(popup->Showing());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(clicks + changes, 0);  // opening and closing chooses nothing

  robot.Key(VK_DOWN, {ssAlt});
  EXPECT_TRUE(combo->GetDroppedDown());
  robot.Key(VK_F4);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(drops, 2);

  combo->Items()->Delete(10);
  combo->Items()->Delete(9);
  combo->Items()->Delete(8);
  combo->Items()->Delete(7);
  combo->SetDroppedDown(true);  // fewer items than DropDownCount: the list fits them
  EXPECT_EQ(combo->ListControl()->GetParentForm()->GetHeight(), 7 * combo->GetItemHeight() + 2);
}

TEST_F(ComboTest, KeysMoveTheHighlightAndEnterChooses) {
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->GetText(), "apple");
  EXPECT_EQ(changes + clicks, 0);  // the program's choice fires nothing

  robot.Key(VK_DOWN, {ssAlt});
  robot.Key(VK_DOWN);
  robot.Key(VK_DOWN);
  EXPECT_EQ(combo->GetItemIndex(), 0);  // only the highlight moved
  EXPECT_EQ(changes + clicks, 0);
  robot.Key(VK_RETURN);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "blueberry");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);

  robot.Key(VK_DOWN, {ssAlt});
  robot.Key(VK_END);
  robot.Key(VK_ESCAPE);  // closes without a change
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(clicks, 1);

  robot.Key(VK_DOWN);  // on the closed box the arrows choose at once
  EXPECT_EQ(combo->GetText(), "cherry");
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, 2);
  robot.Key(VK_HOME);
  robot.Key(VK_UP);  // nothing before the first item
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(clicks, 3);

  int selects = 0;
  combo->OnSelect = [&](TObject*) { ++selects; };
  robot.Key(VK_END);
  EXPECT_EQ(selects, 1);  // with OnSelect the choice goes there instead of OnChange
  EXPECT_EQ(changes, 3);
}

TEST_F(ComboTest, MouseHoverHighlightsWheelScrollsAndClickChooses) {
  combo->SetStyle(csDropDownList);
  ClickArrow(combo);
  auto* list = combo->ListControl();
  ASSERT_NE(list, nullptr);
  robot.MoveTo(list, 10, RowY(combo, 3));
  robot.Wheel(list, 10, RowY(combo, 3), -120);
  robot.MoveTo(list, 10, RowY(combo, 4));
  auto* rows = static_cast<TDropDownList*>(list);
  EXPECT_EQ(rows->TopIndex(), 3);
  EXPECT_EQ(rows->Hot(), 3 + 4);  // hovering highlights only
  EXPECT_EQ(combo->GetItemIndex(), -1);
  robot.Click(list, 10, RowY(combo, 4));
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 3 + 4);  // scrolled by three rows, then the fifth row
  EXPECT_EQ(combo->GetText(), "grape");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(combo->Focused());
}

TEST_F(ComboTest, ClickingElsewhereOrLosingTheFocusCloses) {
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(1);
  ClickArrow(combo);
  ASSERT_TRUE(combo->GetDroppedDown());
  robot.Click(edit, 5, 5);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  Pause();
  ClickArrow(combo);  // opens again at once: the earlier close does not swallow this press
  EXPECT_TRUE(combo->GetDroppedDown());
  edit->SetFocus();
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(closes, 2);
  EXPECT_EQ(changes + clicks, 0);
}

TEST_F(ComboTest, DropDownListTakesLettersAsItemChoicesOnly) {
  combo->SetStyle(csDropDownList);
  combo->SetFocus();
  robot.Type("b");
  EXPECT_EQ(combo->GetText(), "banana");
  robot.Type("b");
  EXPECT_EQ(combo->GetText(), "blueberry");
  robot.Type("B");  // round again, case does not matter
  EXPECT_EQ(combo->GetText(), "banana");
  robot.Type("xz");
  EXPECT_EQ(combo->GetText(), "banana");  // no free text
  EXPECT_EQ(clicks, 3);
  combo->SetText("Cherry");  // the program's text picks the item of that text
  EXPECT_EQ(combo->GetItemIndex(), 3);
  EXPECT_EQ(combo->GetText(), "cherry");
  combo->SetText("nothing like it");
  EXPECT_EQ(combo->GetItemIndex(), -1);
  EXPECT_EQ(combo->GetText(), "");
  EXPECT_EQ(clicks, 3);
}

TEST_F(ComboTest, DropDownStyleEditsItsText) {
  combo->SetFocus();
  robot.Type("fi");
  EXPECT_EQ(combo->GetText(), "fi");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(combo->GetItemIndex(), -1);
  robot.Type("g");
  EXPECT_EQ(combo->GetItemIndex(), 6);  // the text names an item
  robot.Key(VK_LEFT, {ssShift});
  EXPECT_EQ(combo->GetSelText(), "g");
  robot.Key(VK_DOWN);
  EXPECT_EQ(combo->GetText(), "grape");
  EXPECT_EQ(clicks, 1);
  combo->SetText("free");
  EXPECT_EQ(combo->GetItemIndex(), -1);
  EXPECT_EQ(changes, 4);  // three letters and the choice; not the program's text
  EXPECT_EQ(combo->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
}

TEST_F(ComboTest, OwnerDrawnItemsAreDrawnOncePerVisibleRow) {
  auto* sw = new TSwatchCombo(form);
  sw->SetParent(form);
  sw->SetBounds(200, 30, 120, 0);
  sw->SetItemHeight(18);
  sw->SetDropDownCount(5);
  const TColor palette[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clMaroon};
  for (TColor c : palette) {
    sw->colors.push_back(c);
    sw->Items()->Add("colour");
  }
  sw->SetItemIndex(2);
  EXPECT_EQ(sw->GetHeight(), 18 + 8);
  ClickArrow(sw);
  ASSERT_TRUE(sw->GetDroppedDown());
  sw->calls.clear();
  TCustomControl* list = sw->ListControl();
  list->Invalidate();
  Application->ProcessMessages();
  std::vector<DrawCall> rows;
  for (const DrawCall& c : sw->calls)
    if (!c.state.Contains(odComboBoxEdit)) rows.push_back(c);
  ASSERT_EQ(rows.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(rows[i].index, i);
    EXPECT_EQ(rows[i].rect, Rect(0, i * 18, 118 - ScrollBarSize, (i + 1) * 18));
    EXPECT_EQ(rows[i].state.Contains(odSelected), i == 2);  // the current item is highlighted
  }
  // The swatches land in the list, through the combo's canvas.
  EXPECT_EQ(robot.PixelAt(list, 5, 18 * 4 + 9), ColorToRGB(clFuchsia));

  robot.Key(VK_ESCAPE);
  sw->calls.clear();
  sw->Invalidate();
  Application->ProcessMessages();
  ASSERT_EQ(sw->calls.size(), 1u);
  EXPECT_EQ(sw->calls[0].index, 2);
  EXPECT_TRUE(sw->calls[0].state.Contains(odComboBoxEdit));
  EXPECT_TRUE(sw->calls[0].state.Contains(odFocused));
  EXPECT_EQ(robot.PixelAt(sw, 5, sw->ClientHeight() / 2), ColorToRGB(clBlue));
}

TEST_F(ComboTest, OnDrawItemAndItemChangesKeepTheIndexValid) {
  combo->SetStyle(csOwnerDrawFixed);
  std::vector<int> drawn;
  combo->OnDrawItem = [&](TWinControl*, int index, const TRect& r, TOwnerDrawState) {
    drawn.push_back(index);
    combo->Canvas()->FillRect(r);
  };
  combo->SetItemIndex(10);
  combo->Repaint();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), 10);
  combo->Items()->Delete(10);
  EXPECT_EQ(combo->GetItemIndex(), -1);
  combo->SetItemIndex(99);
  EXPECT_EQ(combo->GetItemIndex(), -1);
  combo->Clear();
  EXPECT_EQ(combo->Items()->Count(), 0);
  combo->SetColor(clYellow);
  combo->SetDroppedDown(true);  // an empty list still opens, one empty row high, in the box's colour
  EXPECT_TRUE(combo->GetDroppedDown());
  EXPECT_EQ(robot.PixelAt(combo->ListControl(), 1 + 5, 1 + 3), ColorToRGB(clYellow));
  robot.Key(VK_DOWN);
  robot.Key(VK_RETURN);
  EXPECT_EQ(clicks + changes, 0);
}
