// Dot-matrix label scrolling under the virtual clock: the four directions
// and their wrap, the grid moving with the text, timer restarts, the refused
// timer, design mode and exceptions in a tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "labels/QEL_RasterLab.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr TColor kOff = 0x404040;

// A 400 x 68 label without a frame, scrolling "AB" (56 pixels, painted
// length 57) every 10 ms; logs its loop restarts and ticks.
struct Scroller {
  TForm form{nullptr};
  TRasterLab* lab;
  TTestRobot robot;
  std::vector<std::string> log;
  explicit Scroller(int increment = 50) {
    form.SetBounds(0, 0, 460, 120);
    lab = new TRasterLab(&form);
    lab->SetName("Ticker");
    lab->SetParent(&form);
    lab->SetFrameStyle(fsNone);
    lab->SetText("AB");
    lab->SetScrollInterval(10);
    lab->SetScrollIncrement(increment);
    lab->OnScrollLoopRestart = [this](TObject* s) { log.push_back(s == lab ? "restart" : "?"); };
    lab->SetOnScrollTimer([this](TObject*) { log.push_back("tick " + std::to_string(Off())); });
    form.Show();
    Application->ProcessMessages();
  }
  ~Scroller() { Application->SetRefuseTimers(false); }
  int Off() const { return lab->GetScrollOffsetX() + lab->GetScrollOffsetY(); }
  void Ticks(int n) { Headless().AdvanceTime(10 * n); }
  TColor At(int x, int y) { return robot.PixelAt(lab, x, y); }
};
using Log = std::vector<std::string>;
}  // namespace

TEST(RasterLabScroll, RightAndLeftWrapOnceTheTextHasLeft) {
  Scroller s;
  s.lab->SetScrollMode(rdsmRight);
  EXPECT_TRUE(s.lab->GetScrolling());
  s.Ticks(8);  // 50 .. 400: not yet past the width
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 400);
  s.log.clear();
  s.Ticks(1);  // 450 > 400: back to minus the painted length
  EXPECT_EQ(s.log, (Log{"restart", "tick -57"}));
  EXPECT_EQ(s.lab->GetScrollOffsetY(), 0);
  s.Ticks(1);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), -7);

  s.lab->SetScrollMode(rdsmLeft);
  s.log.clear();
  s.Ticks(1);  // -57: not below -57 yet
  s.Ticks(1);  // -107: re-enters from the right
  EXPECT_EQ(s.log, (Log{"tick -57", "restart", "tick 400"}));
  s.Ticks(1);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 350);
}

TEST(RasterLabScroll, DownAndUpWrapOverTheTextHeight) {
  Scroller s(30);
  s.lab->SetScrollMode(rdsmDown);
  s.Ticks(2);
  EXPECT_EQ(s.lab->GetScrollOffsetY(), 60);
  s.log.clear();
  s.Ticks(1);  // 90 > 68: minus 4 * 12
  EXPECT_EQ(s.log, (Log{"restart", "tick -48"}));
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 0);

  s.lab->SetScrollMode(rdsmUp);
  s.log.clear();
  s.Ticks(1);  // -78 < -48: re-enters from the bottom
  EXPECT_EQ(s.log, (Log{"restart", "tick 68"}));
  s.Ticks(1);
  EXPECT_EQ(s.lab->GetScrollOffsetY(), 38);
  // The text moved: its first lit dot ("A" row 1, column 3) follows.
  EXPECT_EQ(s.At(13, 1 + 38 + 4), clLime);
  EXPECT_EQ(s.At(13, 1 + 4), kOff);
}

TEST(RasterLabScroll, WithoutLoopTheTextScrollsAway) {
  Scroller s;
  s.lab->SetScrollLoop(false);
  s.lab->SetScrollMode(rdsmRight);
  s.Ticks(12);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 600);
  s.lab->SetScrollIncrement(1 << 30);  // far off, and no overflow
  s.Ticks(10);
  EXPECT_GT(s.lab->GetScrollOffsetX(), 600);
  EXPECT_EQ(s.At(201, 30), kOff);
  EXPECT_EQ(std::count(s.log.begin(), s.log.end(), "restart"), 0);
}

TEST(RasterLabScroll, TheGridMovesWithTheText) {
  Scroller s(1);
  s.lab->SetText("A");
  s.lab->SetScrollMode(rdsmLeft);
  s.Ticks(3);  // the text starts at x = 1 - 3 = -2
  ASSERT_EQ(s.lab->GetScrollOffsetX(), -3);
  // Dots at -2..0, 2..4, 6..8, ...; lines at 1, 5, 9, ...
  EXPECT_EQ(s.At(0, 50), kOff);
  EXPECT_EQ(s.At(1, 50), clBlack);
  EXPECT_EQ(s.At(2, 50), kOff);
  EXPECT_EQ(s.At(4, 50), kOff);
  EXPECT_EQ(s.At(5, 50), clBlack);
  EXPECT_EQ(s.At(397, 50), clBlack);
  EXPECT_EQ(s.At(398, 50), kOff);
  EXPECT_EQ(s.At(10, 6), clLime);  // "A" column 3 row 1: x 10..12, y 5..7
  EXPECT_EQ(s.At(13, 6), clBlack);
  s.lab->SetScrollMode(rdsmDown);  // the x offset stays where it is
  s.Ticks(2);  // rows at 3..5, 7..9; lines at 2, 6, 10, ...
  EXPECT_EQ(s.At(2, 2), clBlack);
  EXPECT_EQ(s.At(2, 3), kOff);
  EXPECT_EQ(s.At(2, 6), clBlack);
  EXPECT_EQ(s.At(10, 8), clLime);

  s.lab->SetScrollMode(rdsmOff);  // back home, timer gone
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 0);
  EXPECT_EQ(s.lab->GetScrollOffsetY(), 0);
  EXPECT_FALSE(s.lab->GetScrolling());
  EXPECT_EQ(s.At(1, 30), kOff);
  EXPECT_EQ(s.At(4, 30), clBlack);
  s.log.clear();
  s.Ticks(5);
  EXPECT_TRUE(s.log.empty());
}

TEST(RasterLabScroll, SettingsRestartTheTimer) {
  Scroller s(1);
  int timers = Application->ActiveTimerCount();
  s.lab->SetScrollMode(rdsmRight);
  EXPECT_EQ(Application->ActiveTimerCount(), timers + 1);
  s.lab->SetScrollInterval(100);
  Headless().AdvanceTime(60);
  s.lab->SetScrollInterval(70);  // starts over: next tick 70 ms from now
  Headless().AdvanceTime(60);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 0);
  Headless().AdvanceTime(10);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 1);
  Headless().AdvanceTime(50);
  s.lab->SetOnScrollTimer(nullptr);  // also starts over
  Headless().AdvanceTime(50);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 1);
  Headless().AdvanceTime(20);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 2);
  EXPECT_EQ(Application->ActiveTimerCount(), timers + 1);
  s.lab->SetScrollMode(rdsmOff);
  EXPECT_EQ(Application->ActiveTimerCount(), timers);
}

TEST(RasterLabScroll, ARefusedTimerRaisesAndTheLabelStaysUsable) {
  Scroller s(5);
  Application->SetRefuseTimers(true);
  try {
    s.lab->SetScrollMode(rdsmRight);
    ADD_FAILURE() << "no exception";
  } catch (const EQELRasterLabError& e) {
    EXPECT_STREQ(e.what(), "Component \"Ticker\": no timer available");
  }
  EXPECT_EQ(s.lab->GetScrollMode(), rdsmRight);
  EXPECT_THROW(s.lab->SetScrollIncrement(7), EQELError);
  Application->SetRefuseTimers(false);
  s.lab->SetScrollInterval(20);
  Headless().AdvanceTime(40);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 14);
  EXPECT_EQ(s.At(1 + 14 + 12, 6), clLime);
}

TEST(RasterLabScroll, NothingScrollsInDesignMode) {
  Scroller s;
  int timers = Application->ActiveTimerCount();
  s.lab->SetDesigning(true);
  s.lab->SetScrollMode(rdsmLeft);
  EXPECT_EQ(s.lab->GetScrollMode(), rdsmLeft);
  EXPECT_FALSE(s.lab->GetScrolling());
  EXPECT_EQ(Application->ActiveTimerCount(), timers);
  s.Ticks(5);
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 0);
  EXPECT_EQ(s.At(13, 6), clLime);
}

TEST(RasterLabScroll, AnExceptionInATickGoesToTheApplication) {
  Scroller s(2);
  std::vector<std::string> seen;
  auto saved = Application->OnException;
  Application->OnException = [&](TObject* sender, const std::exception& e) {
    seen.push_back(std::string(sender == s.lab ? "lab: " : "?: ") + e.what());
  };
  s.lab->SetOnScrollTimer([](TObject*) { throw std::runtime_error("handler failed"); });
  s.lab->SetScrollMode(rdsmRight);
  s.Ticks(2);
  Application->OnException = saved;
  EXPECT_EQ(seen, (std::vector<std::string>{"lab: handler failed", "lab: handler failed"}));
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 4);  // it kept scrolling

  s.lab->SetScrollMode(rdsmOff);
  s.lab->SetOnScrollTimer(nullptr);
  s.lab->DoTimer();  // a tick while off: stays home
  EXPECT_FALSE(s.lab->GetScrolling());
  EXPECT_EQ(s.lab->GetScrollOffsetX(), 0);
}
