// TColSel items and the colour dialog: swatch, edit mark and name pixels in
// the closed box and in the open list, the disabled look, the mouse-on-swatch
// flag, and redefining an entry through the dialog (answered by the headless
// modal hook).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "ColSelTestUtil.h"
#include "platform/stdctrls/ColorDialog.h"

using namespace qel;
using namespace qel::test;

namespace {

constexpr TColor kText = 0xE0F0FF;  // the selector's Color: behind the names

struct ColSelItem : ColSelFixture, ::testing::Test {
  ColSelItem() {
    sel->SetColor(kText);
    sel->LoadBasicVGAPalette();
  }
  // The closed box's item rectangle, in client coordinates.
  TRect Face() { return {1, 1, sel->ButtonRect().Left - 1, sel->ClientHeight() - 1}; }
  int MidY() { return sel->ClientHeight() / 2; }
  // A pixel of the closed box, in client coordinates.
  TColor At(int x, int y) { return robot.PixelAt(sel, x, y); }
  TColor ListAt(int x, int y) {
    TCustomControl* list = sel->ListControl();
    return list ? robot.PixelAt(list, x, y) : CLR_INVALID;
  }
  // The leftmost column from X on inside the face (whose edges may carry the
  // focus frame) with a pixel that is Color (or, with Unlike, is not), or -1.
  int FirstColumnOf(TColor color, int X = 0, bool Unlike = false) {
    TRect f = Face();
    auto shot = robot.Capture(sel);
    for (int x = std::max(X, f.Left); x < f.Right; ++x)
      for (int y = f.Top + 1; y < f.Bottom - 1; ++y)
        if ((PixelToColor(shot->ScanLine(y)[x]) == color) != Unlike) return x;
    return -1;
  }
  void Select(TColor c) {
    sel->SetSelColor(c);
    Application->ProcessMessages();
  }
};

}  // namespace

TEST_F(ColSelItem, TheBoxShowsTheSwatchThenTheNameOnTheSelectorsColour) {
  Select(clRed);
  TRect f = Face();
  // Swatch (left + 3, top + 2) .. (left + 3 + 30, bottom - 2), outlined in black.
  EXPECT_EQ(At(f.Left + 3, MidY()), clBlack);
  EXPECT_EQ(At(f.Left + 4, MidY()), clRed);
  EXPECT_EQ(At(f.Left + 31, f.Top + 3), clRed);
  EXPECT_EQ(At(f.Left + 32, f.Top + 3), clBlack);
  EXPECT_EQ(At(f.Left + 31, f.Top + 2), clBlack);
  EXPECT_EQ(At(f.Left + 33, MidY()), kText);  // past the swatch
  EXPECT_EQ(At(f.Left + 2, MidY()), kText);
  // The name, black, starts at left + 30 + 3 + 3.
  int firstText = FirstColumnOf(kText, f.Left + 33, true);
  EXPECT_GE(firstText, f.Left + 36);
  EXPECT_LE(firstText, f.Left + 38);
  EXPECT_GT(FirstColumnOf(clBlack, f.Left + 33), 0);

  sel->SetColorBarWidth(-1);  // ignored
  sel->SetColorBarWidth(0);
  Application->ProcessMessages();
  EXPECT_EQ(sel->GetColorBarWidth(), 0);
  EXPECT_EQ(FirstColumnOf(clRed), -1);  // only the name
  EXPECT_EQ(At(f.Left + 4, MidY()), kText);
}

TEST_F(ColSelItem, AnEditableEntryShowsTheEditMarkFromTwelvePixelsOn) {
  const TRect f = Face();
  const int markX = f.Left + 5, markY = f.Top + 6;  // on the mark's left line
  sel->SetAllColorEditFlags();
  sel->SetColorBarWidth(11);
  Select(clSilver);
  EXPECT_EQ(At(markX, markY), clSilver);
  sel->SetColorBarWidth(12);
  Application->ProcessMessages();
  EXPECT_EQ(At(markX, markY), clBlack);  // light swatch: black mark
  EXPECT_EQ(At(f.Left + 11, f.Top + 7), clBlack);
  Select(clGray);
  EXPECT_EQ(At(markX, markY), clWhite);  // dark swatch: white mark

  // Green weighs double: full green is just light enough for black.
  sel->SetArrayColor(2, RGB(0, 255, 0));
  Select(RGB(0, 255, 0));
  EXPECT_EQ(At(markX, markY), clBlack);
  sel->SetArrayColor(2, RGB(0, 254, 0));
  Application->ProcessMessages();
  EXPECT_EQ(At(markX, markY), clWhite);
  sel->SetArrayColor(2, RGB(0, 0, 255));
  Application->ProcessMessages();
  EXPECT_EQ(At(markX, markY), clWhite);

  sel->SetArrayAllowEdit(2, false);
  Application->ProcessMessages();
  EXPECT_EQ(At(markX, markY), clBlue);
}

TEST_F(ColSelItem, ADisabledSelectorIsGreyOnSilver) {
  Select(clRed);
  sel->SetArrayAllowEdit(10, true);
  sel->SetEnabled(false);
  Application->ProcessMessages();
  TRect f = Face();
  EXPECT_EQ(At(f.Left - 1, f.Top - 1), clSilver);
  EXPECT_EQ(At(f.Left + 3, MidY()), clGray);  // the swatch outline
  EXPECT_EQ(At(f.Left + 4, MidY()), clSilver);
  EXPECT_EQ(At(f.Left + 5, f.Top + 6), clSilver);  // no edit mark
  EXPECT_EQ(At(f.Left + 40, f.Top), clSilver);
  EXPECT_EQ(FirstColumnOf(clRed), -1);
  EXPECT_GT(FirstColumnOf(clGray, f.Left + 33), f.Left + 35);  // the grey name, right of the swatch
  EXPECT_EQ(FirstColumnOf(clBlack), -1);

  sel->SetEnabled(true);
  Application->ProcessMessages();
  EXPECT_EQ(At(f.Left + 4, MidY()), clRed);
  EXPECT_EQ(At(f.Left + 3, MidY()), clBlack);  // the outline is black again
}

TEST_F(ColSelItem, TheOpenListDrawsEveryEntryAndFramesOnlyTheCurrentRow) {
  Select(clGreen);
  sel->SetDroppedDown(true);
  ASSERT_TRUE(sel->GetDroppedDown());
  const int h = sel->GetItemHeight();
  for (int row = 0; row < 8; ++row) EXPECT_EQ(ListAt(3 + 5, row * h + h / 2), sel->GetArrayColor(row + 1));
  // The current row keeps the selector's colour: only the focus frame marks it.
  auto framed = [&](int row) {
    int marked = 0;
    for (int x = 0; x < 40; ++x) marked += ListAt(x, row * h) != kText;
    return marked;
  };
  EXPECT_EQ(ListAt(3 + 31, 2 * h + h / 2), kText);
  EXPECT_GT(framed(2), 10);
  EXPECT_EQ(framed(1), 0);
  robot.Key(VK_DOWN);
  EXPECT_EQ(framed(2), 0);
  EXPECT_GT(framed(3), 10);
  robot.Key(VK_ESCAPE);
}

TEST_F(ColSelItem, TheMouseOnSwatchFlagFollowsTheLastMove) {
  robot.MoveTo(sel, 29, MidY());
  EXPECT_TRUE(sel->MouseOnSwatch());
  robot.MoveTo(sel, 30, MidY());
  EXPECT_FALSE(sel->MouseOnSwatch());
  robot.MoveTo(sel, 29, MidY());
  robot.MoveTo(form, 300, 250);  // leaving the box clears it
  EXPECT_FALSE(sel->MouseOnSwatch());
  sel->SetColorBarWidth(0);
  robot.MoveTo(sel, 0, MidY());
  EXPECT_FALSE(sel->MouseOnSwatch());
}

// ----------------------------------------------------------- the dialog ----

namespace {
struct ColSelDialog : ColSelItem {
  int dialogs = 0, drops = 0;
  ColSelDialog() {
    sel->OnDropDown = [this](TObject*) { ++drops; };
  }
  static TControl* Part(TCustomForm* f, const char* name) {
    auto* c = dynamic_cast<TControl*>(f->FindComponent(name));
    if (!c) throw EInvalidOperation(std::string("no ") + name);
    return c;
  }
  // Answers each dialog with Steps; Shown gets the colour it starts from.
  void Answer(std::function<void(TCustomForm*)> steps) {
    Headless().OnModal = [this, steps](TCustomForm* f) {
      ++dialogs;
      EXPECT_EQ(f->GetCaption(), "Color");
      steps(f);
    };
  }
  void TypeHex(TCustomForm* f, const char* hex) {
    robot.Click(Part(f, "HexEdit"), 5, 5);
    robot.Type(hex);
  }
  void ClickBox(int x) {
    Pause();
    robot.Click(sel, x, MidY());
  }
  void CloseList() {
    if (sel->GetDroppedDown()) robot.Key(VK_ESCAPE);
  }
};
}  // namespace

TEST_F(ColSelDialog, AClickOnAnEditableSwatchRedefinesTheEntry) {
  Select(clRed);
  sel->SetArrayAllowEdit(10, true);
  TColor shown = 0;
  Answer([&](TCustomForm* f) {
    shown = robot.PixelAt(Part(f, "Preview"), 20, 20);
    TypeHex(f, "123456");
    robot.Click(Part(f, "OKButton"), 5, 5);
  });
  generated.clear();
  ClickBox(10);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(shown, clRed);  // the dialog starts from the entry's colour
  EXPECT_EQ(sel->GetSelColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(sel->GetArrayColor(10), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(generated, (std::vector<std::string>{"$00563412"}));
  EXPECT_EQ(sel->GetSelColorID(), "$00563412");
  EXPECT_EQ(sel->Items()->Get(9), "$00563412");
  EXPECT_EQ(drops, 1);  // OnDropDown follows, and the list opens
  EXPECT_TRUE(sel->GetDroppedDown());
  CloseList();
  EXPECT_EQ(At(Face().Left + 10, MidY()), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(sel->GetArrayColor(11), clLime);
}

TEST_F(ColSelDialog, CancellingTheDialogKeepsTheEntry) {
  Select(clRed);
  sel->SetArrayAllowEdit(10, true);
  Answer([&](TCustomForm* f) {
    TypeHex(f, "123456");
    robot.Click(Part(f, "CancelButton"), 5, 5);
  });
  generated.clear();
  ClickBox(10);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(sel->GetSelColor(), clRed);
  EXPECT_EQ(sel->GetSelColorID(), "clRed");
  EXPECT_TRUE(generated.empty());
  EXPECT_EQ(drops, 1);
  CloseList();

  // The selector works on: the next confirmed dialog takes its colour.
  Answer([&](TCustomForm* f) {
    TypeHex(f, "00FF00");
    robot.Key(VK_RETURN);
  });
  ClickBox(5);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(sel->GetSelColor(), clLime);
  EXPECT_EQ(sel->GetSelColorID(), "clLime");
  CloseList();
}

TEST_F(ColSelDialog, TheDialogNeedsAnEditableEntryAndTheSwatch) {
  Select(clRed);
  Answer([&](TCustomForm* f) { robot.Click(Part(f, "CancelButton"), 5, 5); });
  ClickBox(10);  // not editable: the list opens at once
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(drops, 1);
  EXPECT_TRUE(sel->GetDroppedDown());
  CloseList();

  sel->SetArrayAllowEdit(10, true);
  ClickBox(60);  // on the name
  EXPECT_EQ(dialogs, 0);
  CloseList();
  sel->SetArrayAllowEdit(10, false);
  sel->SetArrayAllowEdit(11, true);  // another entry's flag does not count
  ClickBox(10);
  EXPECT_EQ(dialogs, 0);
  CloseList();

  // The keyboard opens the dialog too when the mouse last rested on the swatch.
  sel->SetArrayAllowEdit(10, true);
  robot.MoveTo(sel, 10, MidY());
  robot.Key(VK_DOWN, {ssAlt});
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(drops, 4);
  EXPECT_EQ(sel->GetSelColor(), clRed);
  CloseList();
  robot.MoveTo(form, 300, 250);  // away from the box: the keys open the list only
  robot.Key(VK_DOWN, {ssAlt});
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(sel->GetDroppedDown());
  CloseList();
}
