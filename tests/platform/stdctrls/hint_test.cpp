#include <gtest/gtest.h>

#include "StdCtrlsTestUtil.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/HintWindow.h"
#include "platform/stdctrls/Label.h"

using namespace qel;
using namespace qel::test;

namespace {
struct HintTest : FormFixture, ::testing::Test {
  TButton* save = Make("Save|Writes the file to disk", 20);
  TButton* open = Make("Open", 120);
  TButton* silent = Make("", 220);
  HintTest() {
    InstallHints();
    silent->SetShowHint(false);
    robot.MoveTo(form, 390, 290);
  }
  ~HintTest() {
    robot.MoveTo(form, 390, 290);
    Application->SetShowHint(true);
  }
  TButton* Make(const std::string& hint, int x) {
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetBounds(x, 20, 80, 26);
    b->SetHint(hint);
    b->SetShowHint(true);
    return b;
  }
  // The hint window on screen, if any.
  static THintWindow* Shown() {
    for (TCustomForm* f : Application->Forms())
      if (auto* h = dynamic_cast<THintWindow*>(f); h && h->Showing()) return h;
    return nullptr;
  }
};
}  // namespace

TEST_F(HintTest, ShowsTheShortHintBelowTheMouseAfterThePause) {
  robot.MoveTo(save, 10, 5);
  Headless().AdvanceTime(Application->GetHintPause() - 1);
  EXPECT_EQ(Shown(), nullptr);
  Headless().AdvanceTime(1);
  THintWindow* hint = Shown();
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->GetCaption(), "Save");
  TPoint mouse = save->ClientToScreen({10, 5});
  EXPECT_EQ(hint->GetLeft(), mouse.X);
  EXPECT_EQ(hint->GetTop(), mouse.Y + 20);
  EXPECT_EQ(robot.PixelAt(hint, 0, 0), clBlack);
  EXPECT_EQ(robot.PixelAt(hint, 1, 1), ColorToRGB(clInfoBk));
  EXPECT_FALSE(InkBounds(*robot.Capture(hint), clInfoBk).IsEmpty());
  // Leaving the control hides it.
  robot.MoveTo(form, 390, 290);
  EXPECT_EQ(Shown(), nullptr);
}

TEST_F(HintTest, HidesAfterTheHidePauseAndOnAPressUntilTheMouseMovesOn) {
  robot.MoveTo(save, 10, 5);
  Headless().AdvanceTime(500);
  ASSERT_NE(Shown(), nullptr);
  Headless().AdvanceTime(Application->GetHintHidePause());
  EXPECT_EQ(Shown(), nullptr);
  Headless().AdvanceTime(5000);
  EXPECT_EQ(Shown(), nullptr);  // not again while resting on the same control
  robot.MoveTo(open, 10, 5);
  robot.Press(open, 10, 5);  // a press before the pause ends cancels it
  Headless().AdvanceTime(1000);
  EXPECT_EQ(Shown(), nullptr);
  robot.Release(open, 10, 5);
  robot.MoveTo(save, 10, 5);
  Headless().AdvanceTime(500);
  ASSERT_NE(Shown(), nullptr);
  robot.Press(save, 10, 5);
  EXPECT_EQ(Shown(), nullptr);
  robot.Release(save, 10, 5);
}

TEST_F(HintTest, MovingFromAShownHintToTheNextTakesOnlyTheShortPause) {
  robot.MoveTo(save, 10, 5);
  Headless().AdvanceTime(500);
  ASSERT_NE(Shown(), nullptr);
  robot.MoveTo(open, 10, 5);
  EXPECT_EQ(Shown(), nullptr);
  Headless().AdvanceTime(Application->GetHintShortPause());
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->GetCaption(), "Open");
}

TEST_F(HintTest, ShowHintSwitchesHintsOffPerControlAndForTheApplication) {
  robot.MoveTo(silent, 10, 5);  // ShowHint off, and the form does not show hints
  Headless().AdvanceTime(1000);
  EXPECT_EQ(Shown(), nullptr);
  // A control without ShowHint takes its parent's hint.
  form->SetShowHint(true);
  form->SetHint("The form");
  robot.MoveTo(silent, 12, 5);
  robot.MoveTo(form, 300, 200);
  Headless().AdvanceTime(500);
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->GetCaption(), "The form");
  robot.MoveTo(silent, 10, 5);  // same hint control: the hint stays
  EXPECT_NE(Shown(), nullptr);
  Application->SetShowHint(false);
  EXPECT_EQ(Shown(), nullptr);
  robot.MoveTo(save, 10, 5);
  Headless().AdvanceTime(1000);
  EXPECT_EQ(Shown(), nullptr);
}

TEST_F(HintTest, ControlFreedWhileItsHintIsPendingOrShown) {
  robot.MoveTo(save, 10, 5);
  delete save;
  Headless().AdvanceTime(1000);
  EXPECT_EQ(Shown(), nullptr);
  robot.MoveTo(open, 10, 5);
  Headless().AdvanceTime(500);
  ASSERT_NE(Shown(), nullptr);
  delete open;
  EXPECT_EQ(Shown(), nullptr);
}

TEST_F(HintTest, HintStaysOnTheScreen) {
  Headless().SetScreenSize({400, 300});
  form->SetBounds(0, 0, 400, 300);
  save->SetHint("A hint long enough to pass the right edge of a small screen");
  save->SetBounds(300, 270, 90, 26);
  robot.MoveTo(save, 80, 20);
  Headless().AdvanceTime(500);
  THintWindow* hint = Shown();
  ASSERT_NE(hint, nullptr);
  EXPECT_LE(hint->GetLeft() + hint->GetWidth(), 400);
  EXPECT_LE(hint->GetTop() + hint->GetHeight(), 300);
  EXPECT_GE(hint->GetLeft(), 0);
  Headless().SetScreenSize({1280, 800});
}

TEST(HintText, ShortAndLongParts) {
  EXPECT_EQ(GetShortHint("Save|Writes the file"), "Save");
  EXPECT_EQ(GetLongHint("Save|Writes the file"), "Writes the file");
  EXPECT_EQ(GetShortHint("Plain"), "Plain");
  EXPECT_EQ(GetLongHint("Plain"), "Plain");
  EXPECT_EQ(GetShortHint("|only long"), "");
}
