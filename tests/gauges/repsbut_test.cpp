// Repeating speed button: how many repeat clicks a hold of a given virtual
// time gives, what stops them (release, leaving, losing the mouse, freeing),
// the clamps, design mode and a refused timer.
#include <gtest/gtest.h>

#include <stdexcept>

#include "gauges/QEL_repsbut.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
struct RepButton : ::testing::Test {
  TForm form{nullptr};
  TRepSpeedButton* btn = new TRepSpeedButton(&form);
  TTestRobot robot;
  int repeats = 0, clicks = 0;
  int timersBefore = 0;
  RepButton() {
    form.SetBounds(0, 0, 200, 100);
    btn->SetParent(&form);
    btn->SetBounds(10, 10, 40, 24);
    btn->SetOnRepeatClick([this](TObject* s) { repeats += s == btn ? 1 : 100; });
    btn->OnClick = [this](TObject*) { ++clicks; };
    form.Show();
    timersBefore = Application->ActiveTimerCount();
  }
  ~RepButton() override { Application->SetRefuseTimers(false); }
  void Hold(uint64_t Ms) {
    robot.Press(btn, 5, 5);
    Headless().AdvanceTime(Ms);
  }
};
}  // namespace

TEST_F(RepButton, HoldingFiresAtTheStartDelayThenAtEachRepeatInterval) {
  robot.Press(btn, 5, 5);
  EXPECT_TRUE(btn->Pressed());
  Headless().AdvanceTime(499);
  EXPECT_EQ(repeats, 0);
  Headless().AdvanceTime(1);  // 500
  EXPECT_EQ(repeats, 1);
  Headless().AdvanceTime(199);
  EXPECT_EQ(repeats, 1);
  Headless().AdvanceTime(1);  // 700
  EXPECT_EQ(repeats, 2);
  Headless().AdvanceTime(300);  // 900, and on to one second
  EXPECT_EQ(repeats, 3);
  EXPECT_EQ(clicks, 0);
  robot.Release(btn, 5, 5);
  EXPECT_FALSE(btn->Pressed());
  EXPECT_EQ(clicks, 1);  // the speed button's own click, once
  Headless().AdvanceTime(5000);
  EXPECT_EQ(repeats, 3);
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);
}

TEST_F(RepButton, ShortPressesAndOtherButtonsGiveNoRepeats) {
  Hold(300);
  robot.Release(btn, 5, 5);
  Headless().AdvanceTime(2000);
  EXPECT_EQ(repeats, 0);
  EXPECT_EQ(clicks, 1);
  robot.Press(btn, 5, 5, mbRight);
  EXPECT_FALSE(btn->Pressed());
  Headless().AdvanceTime(2000);
  robot.Release(btn, 5, 5, mbRight);
  EXPECT_EQ(repeats, 0);
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);
  // Released away from the button: the repeats stop and there is no click.
  Hold(600);
  robot.Release(btn, 100, 60);
  Headless().AdvanceTime(2000);
  EXPECT_EQ(repeats, 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(RepButton, IntervalsAreClampedAndTakeEffectAtOnce) {
  btn->SetRepeatClickInterval(0);
  EXPECT_EQ(btn->GetRepeatClickInterval(), 10);
  btn->SetStartClickInterval(5);
  EXPECT_EQ(btn->GetStartClickInterval(), 10);
  btn->SetStartClickInterval(100);
  btn->SetRepeatClickInterval(30);
  Hold(200);  // 100, 130, 160, 190
  EXPECT_EQ(repeats, 4);
  // A new repeat interval while held counts from now.
  btn->SetRepeatClickInterval(50);
  Headless().AdvanceTime(49);
  EXPECT_EQ(repeats, 4);
  Headless().AdvanceTime(1);
  EXPECT_EQ(repeats, 5);
  // A new start delay while held waits for it again, then repeats.
  btn->SetStartClickInterval(300);
  Headless().AdvanceTime(299);
  EXPECT_EQ(repeats, 5);
  Headless().AdvanceTime(1 + 50);
  EXPECT_EQ(repeats, 7);
  robot.Release(btn, 5, 5);
}

TEST_F(RepButton, LeavingOrLosingTheMouseStopsWithoutAClick) {
  Hold(600);
  EXPECT_EQ(repeats, 1);
  robot.MoveTo(btn, 60, 5);  // off the button, still held
  EXPECT_FALSE(btn->Pressed());
  Headless().AdvanceTime(2000);
  EXPECT_EQ(repeats, 1);
  EXPECT_EQ(clicks, 0);
  // Back over it while still held: it repeats again from the start delay.
  robot.MoveTo(btn, 5, 5);
  EXPECT_TRUE(btn->Pressed());
  Headless().AdvanceTime(700);
  EXPECT_EQ(repeats, 3);
  // The pointer leaves the window altogether; released away, no click.
  robot.Leave(btn);
  EXPECT_FALSE(btn->Pressed());
  Headless().AdvanceTime(2000);
  EXPECT_EQ(repeats, 3);
  robot.Release(btn, 150, 60);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);

  // Disabled while held: the release never reaches it.
  repeats = clicks = 0;
  Hold(600);
  btn->SetEnabled(false);
  Headless().AdvanceTime(2000);
  EXPECT_EQ(repeats, 1);
  robot.Release(btn, 5, 5);
  EXPECT_EQ(clicks, 0);
  btn->SetEnabled(true);

  // A modal form that opens while the button is held takes the mouse.
  repeats = 0;
  Hold(600);
  TForm dialog(nullptr);
  int turns = 0;
  Headless().OnModal = [&](TCustomForm* f) {
    Headless().AdvanceTime(500);
    if (++turns == 4) f->SetModalResult(mrOk);
  };
  dialog.ShowModal();
  Headless().OnModal = nullptr;
  EXPECT_EQ(repeats, 1);
  EXPECT_FALSE(btn->Pressed());
  EXPECT_EQ(form.CaptureControl(), nullptr);
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);

  // Still a working button afterwards.
  repeats = 0;
  Hold(700);
  robot.Release(btn, 5, 5);
  EXPECT_EQ(repeats, 2);
}

TEST_F(RepButton, FreeingAHeldButtonStopsItsTimer) {
  Hold(600);
  delete btn;
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);
  Headless().AdvanceTime(2000);
  EXPECT_EQ(repeats, 1);
}

TEST_F(RepButton, NoTimerInDesignMode) {
  btn->SetDesigning(true);
  Hold(2000);
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);
  btn->SetRepeatClickInterval(20);
  btn->SetOnRepeatClick([this](TObject*) { ++repeats; });
  Headless().AdvanceTime(2000);
  EXPECT_EQ(repeats, 0);
  robot.Release(btn, 5, 5);
}

TEST_F(RepButton, ARefusedTimerRaisesAndTheButtonStaysUsable) {
  btn->SetName("Plus");
  Application->SetRefuseTimers(true);
  try {
    robot.Press(btn, 5, 5);
    ADD_FAILURE() << "no exception";
  } catch (const EQELRepSpeedButton& e) {
    EXPECT_STREQ(e.what(), "Component \"Plus\": no timer available");
  }
  EXPECT_TRUE(btn->Pressed());  // the state stays as it was set
  Application->SetRefuseTimers(false);
  robot.Release(btn, 5, 5);
  EXPECT_FALSE(btn->Pressed());
  Hold(500);
  robot.Release(btn, 5, 5);
  EXPECT_EQ(repeats, 1);
}

TEST_F(RepButton, ATickThatRaisesGoesToTheApplicationAndRepeatingGoesOn) {
  std::string reported;
  Application->OnException = [&](TObject* s, const std::exception& e) {
    reported = std::string(e.what()) + (s == btn ? " from the button" : "");
  };
  int ticks = 0;
  btn->SetOnRepeatClick([&](TObject*) {
    if (++ticks == 1) throw std::runtime_error("boom");
  });
  Hold(700);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, "boom from the button");
  EXPECT_EQ(ticks, 2);
  robot.Release(btn, 5, 5);
}
