// TColSel state: the list a selector shows when, NumColors, SelColor with
// duplicate and unknown colours, names and OnColorNameChange, the palette
// loads and the keyboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ColSelTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
using Names = std::vector<std::string>;
struct ColSelState : ColSelFixture, ::testing::Test {};
}  // namespace

TEST_F(ColSelState, ARunTimeSelectorListsNothingUntilLoadedFromAForm) {
  EXPECT_EQ(sel->Items()->Count(), 0);
  EXPECT_EQ(sel->GetItemIndex(), -1);
  EXPECT_EQ(sel->GetNumColors(), 20);
  EXPECT_EQ(sel->GetSelColor(), clBlack);
  EXPECT_EQ(sel->GetSelColorID(), "");  // no current item yet
  EXPECT_EQ(sel->GetArrayColorName(20), "clMedGray");
  EXPECT_EQ(sel->GetColorBarWidth(), 30);
  EXPECT_EQ(sel->GetStyle(), csOwnerDrawFixed);
  EXPECT_FALSE(sel->GetSorted());

  sel->SetSelColor(clGreen);  // selects entry 3 even with no list
  EXPECT_EQ(sel->GetSelectedEntry(), 3);
  EXPECT_EQ(sel->GetItemIndex(), -1);

  sel->BeginLoading();
  sel->EndLoading();
  ASSERT_EQ(sel->Items()->Count(), 20);
  EXPECT_EQ(sel->Items()->Get(19), "clMedGray");
  EXPECT_EQ(sel->GetItemIndex(), 2);
  EXPECT_EQ(sel->GetSelColorID(), "clGreen");
  EXPECT_EQ(sel->GetText(), "clGreen");
}

TEST_F(ColSelState, NumColorsIsClampedAndRebuildsTheList) {
  sel->LoadExtendedPalette();
  sel->SetSelColor(clOlive);
  sel->SetNumColors(48);
  sel->SetNumColors(0);
  EXPECT_EQ(sel->GetNumColors(), 20);
  EXPECT_EQ(sel->GetSelColor(), clOlive);  // ignored values change nothing

  sel->SetNumColors(5);
  EXPECT_EQ(ItemTexts(), (Names{"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy"}));
  EXPECT_EQ(sel->GetItemIndex(), 0);
  EXPECT_EQ(sel->GetSelColor(), clBlack);
  // Entries past NumColors are out of reach, and keep their colour.
  EXPECT_EQ(sel->GetArrayColor(6), 0u);
  EXPECT_EQ(sel->GetArrayColorName(6), "");
  sel->SetArrayColor(6, clRed);
  sel->SetArrayColor(0, clRed);
  sel->SetArrayAllowEdit(6, true);
  sel->SetNumColors(47);
  EXPECT_EQ(sel->Items()->Count(), 47);
  EXPECT_EQ(sel->GetArrayColor(6), clPurple);
  EXPECT_FALSE(sel->GetArrayAllowEdit(6));
  EXPECT_EQ(sel->GetArrayColor(47), clGradientActiveCaption);
  EXPECT_EQ(sel->GetArrayColor(48), 0u);

  sel->SetAllColorEditFlags();
  EXPECT_TRUE(sel->GetArrayAllowEdit(1) && sel->GetArrayAllowEdit(47));
  sel->ResetAllColorEditFlags();
  EXPECT_FALSE(sel->GetArrayAllowEdit(1) || sel->GetArrayAllowEdit(47));
}

TEST_F(ColSelState, SelColorTakesTheFirstEntryOfTheSameRgbValue) {
  sel->LoadStandardPalette();
  sel->SetSelColor(clYellow);
  EXPECT_EQ(sel->GetItemIndex(), 11);
  // clWindowFrame is black: entry 1 comes before entry 27 that holds it.
  sel->SetSelColor(clWindowFrame);
  EXPECT_EQ(sel->GetSelectedEntry(), 1);
  EXPECT_EQ(sel->GetItemIndex(), 0);
  EXPECT_EQ(sel->GetSelColor(), clBlack);
  // A system colour finds the VGA entry it shows as.
  sel->SetSelColor(clWindow);
  EXPECT_EQ(sel->GetSelectedEntry(), 16);
  EXPECT_EQ(sel->GetSelColorID(), "clWhite");

  sel->SetArrayColor(5, clRed);  // red twice now: entries 5 and 10
  sel->SetSelColor(clRed);
  EXPECT_EQ(sel->GetSelectedEntry(), 5);
  EXPECT_EQ(sel->GetItemIndex(), 4);
  EXPECT_EQ(sel->GetText(), "clRed");
}

TEST_F(ColSelState, AnUnknownColourReplacesTheSelectedEntry) {
  sel->LoadBasicVGAPalette();
  sel->SetSelColor(clGreen);
  generated.clear();
  sel->SetSelColor(0x123456);
  EXPECT_EQ(sel->GetItemIndex(), 2);  // stays
  EXPECT_EQ(sel->GetSelColor(), 0x123456u);
  EXPECT_EQ(sel->GetArrayColorName(3), "$00123456");
  EXPECT_EQ(sel->Items()->Get(2), "$00123456");
  EXPECT_EQ(sel->GetSelColorID(), "$00123456");
  EXPECT_EQ(generated, (Names{"$00123456"}));
  EXPECT_EQ(sel->GetArrayColor(4), clOlive);  // no other entry changed

  // A system colour that no entry shows: stored as given, named by its RGB value.
  sel->SetSelColor(clInfoBk);
  EXPECT_EQ(sel->GetSelColor(), clInfoBk);
  EXPECT_EQ(sel->GetSelColorID(), ColorToString(ColorToRGB(clInfoBk)));
  EXPECT_EQ(sel->GetSelColorID(), "$00E1FFFF");
  // Found again by its RGB value.
  sel->SetSelColor(clRed);
  sel->SetSelColor(0xE1FFFF);
  EXPECT_EQ(sel->GetSelectedEntry(), 3);
}

TEST_F(ColSelState, NamesPassThroughOnColorNameChange) {
  sel->OnColorNameChange = [this](TObject* sender, std::string& name) {
    EXPECT_EQ(sender, sel);
    generated.push_back(name);
    if (name.rfind("cl", 0) == 0) name = name.substr(2);
  };
  sel->LoadBasicVGAPalette();
  EXPECT_EQ(generated.size(), 16u);
  EXPECT_EQ(sel->GetArrayColorName(10), "Red");
  EXPECT_EQ(sel->Items()->Get(9), "Red");
  EXPECT_EQ(sel->GetText(), "Black");

  generated.clear();
  sel->SetArrayColor(2, clLime);
  EXPECT_EQ(generated, (Names{"clLime"}));
  EXPECT_EQ(sel->GetArrayColorName(2), "Lime");
  EXPECT_EQ(sel->Items()->Get(1), "Lime");

  // A name the program gives is stored as it is.
  generated.clear();
  sel->SetArrayColorName(1, "Schwarz ÄÖ");
  sel->SetArrayColorName(17, "beyond the list");
  EXPECT_TRUE(generated.empty());
  EXPECT_EQ(sel->GetArrayColorName(1), "Schwarz ÄÖ");
  EXPECT_EQ(sel->GetText(), "Schwarz ÄÖ");  // the box shows the new name at once
  EXPECT_EQ(sel->GetArrayColorName(17), "");

  // Selecting a listed colour names it anew.
  sel->SetSelColor(clLime);
  EXPECT_EQ(generated, (Names{"clLime"}));
  EXPECT_EQ(sel->GetSelColorID(), "Lime");
}

TEST_F(ColSelState, EachPaletteLoadsItsEntriesAndSelectsTheFirst) {
  struct Load {
    void (TColSel::*load)();
    int first, count;
  };
  const Load loads[] = {{&TColSel::LoadStandardPalette, 1, 47},
                        {&TColSel::LoadBasicVGAPalette, 1, 16},
                        {&TColSel::LoadWindowsSystemPalette, 21, 27},
                        {&TColSel::LoadExtendedPalette, 1, 20}};
  for (const Load& l : loads) {
    SCOPED_TRACE(l.count);
    sel->SetArrayColor(2, 0x010203);
    sel->SetSelColor(0x010203);
    generated.clear();
    (sel->*l.load)();
    EXPECT_EQ(sel->GetNumColors(), l.count);
    ASSERT_EQ(sel->Items()->Count(), l.count);
    EXPECT_EQ(sel->GetItemIndex(), 0);
    EXPECT_EQ(sel->GetSelColor(), PredefinedColors[l.first]);
    EXPECT_EQ(generated.size(), size_t(l.count));
    for (int i = 1; i <= l.count; ++i) {
      EXPECT_EQ(sel->GetArrayColor(i), PredefinedColors[l.first + i - 1]);
      EXPECT_EQ(sel->Items()->Get(i - 1), ColorToString(PredefinedColors[l.first + i - 1]));
    }
  }
  sel->LoadWindowsSystemPalette();
  EXPECT_EQ(sel->GetSelColorID(), "clScrollBar");
  EXPECT_EQ(sel->Items()->Get(26), "clGradientActiveCaption");
}

TEST_F(ColSelState, KeysChooseLikeAComboBoxAndMoveTheSelectedColour) {
  sel->OnColorNameChange = [](TObject*, std::string& name) { name = name.substr(2); };
  sel->LoadBasicVGAPalette();
  int clicks = 0, changes = 0;
  sel->OnClick = [&](TObject*) { ++clicks; };
  sel->OnChange = [&](TObject*) { ++changes; };
  sel->SetFocus();

  robot.Key(VK_DOWN);
  EXPECT_EQ(sel->GetSelColor(), clMaroon);
  robot.Key(VK_END);
  EXPECT_EQ(sel->GetSelColor(), clWhite);
  robot.Key(VK_HOME);
  EXPECT_EQ(sel->GetSelColor(), clBlack);
  robot.Type("r");
  EXPECT_EQ(sel->GetSelColor(), clRed);
  robot.Type("g");  // Green, then Gray
  robot.Type("g");
  EXPECT_EQ(sel->GetSelColorID(), "Gray");
  EXPECT_EQ(clicks, 6);
  EXPECT_EQ(changes, 6);

  robot.Key(VK_DOWN, {ssAlt});
  ASSERT_TRUE(sel->GetDroppedDown());
  robot.Key(VK_DOWN);
  robot.Key(VK_DOWN);
  EXPECT_EQ(sel->GetSelColor(), clGray);  // the open list only moves its highlight
  robot.Key(VK_RETURN);
  EXPECT_FALSE(sel->GetDroppedDown());
  EXPECT_EQ(sel->GetSelColor(), clRed);
  robot.Key(VK_F4);
  EXPECT_TRUE(sel->GetDroppedDown());
  robot.Key(VK_ESCAPE);
  EXPECT_EQ(sel->GetSelColor(), clRed);

  sel->SetItemIndex(11);  // the program's choice moves the selected entry too
  EXPECT_EQ(sel->GetSelColor(), clYellow);
  EXPECT_EQ(clicks, 7);
}

TEST(ColSelLoose, ASelectorWithoutAParentBuildsItsList) {
  TColSel loose(nullptr);
  loose.SetNumColors(5);
  loose.SetSelColor(clNavy);
  loose.SetArrayColorName(5, "Navy");
  EXPECT_EQ(loose.Items()->Count(), 5);
  EXPECT_EQ(loose.GetSelColorID(), "Navy");
  EXPECT_EQ(loose.GetText(), "Navy");
}
