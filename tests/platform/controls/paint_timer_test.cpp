#include <gtest/gtest.h>

#include <stdexcept>

#include "ControlsTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
// A graphic control that paints a square larger than itself, to show that
// its canvas keeps it inside its bounds.
class TOverpainter : public TGraphicControl {
 public:
  explicit TOverpainter(TComponent* owner) : TGraphicControl(owner) {}
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect({-20, -20, 100, 100});
  }
};
}  // namespace

TEST(Paint, InvalidateRepaintsOnceAtTheNextTurnOfTheLoop) {
  Log log;
  TForm form(nullptr);
  auto* c = new TLogControl(&form, &form, &log, "c", Bounds(0, 0, 30, 30));
  form.Show();
  Application->ProcessMessages();
  int before = c->paints;
  c->Invalidate();
  c->Invalidate();
  EXPECT_EQ(c->paints, before);  // nothing yet
  Application->ProcessMessages();
  EXPECT_EQ(c->paints, before + 1);
  Application->ProcessMessages();
  EXPECT_EQ(c->paints, before + 1);
}

TEST(Paint, DirectParentPaintLeavesWindowedChildVisibleAndGraphicChildStaysInBounds) {
  Log log;
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* parent = new TLogControl(&form, &form, &log, "p", Bounds(0, 0, 200, 100));
  parent->fill = clBlue;
  auto* child = new TLogControl(&form, parent, &log, "c", Bounds(10, 10, 20, 20));
  child->fill = clLime;
  auto* g = new TOverpainter(&form);
  g->SetParent(parent);
  g->SetBounds(100, 10, 30, 30);
  form.Show();
  TTestRobot robot;
  EXPECT_EQ(robot.PixelAt(&form, 15, 15), clLime);
  // The parent paints at once, all over its client area.
  parent->Canvas()->Brush()->SetColor(clYellow);
  parent->Canvas()->FillRect({0, 0, 200, 100});
  auto shot = robot.Capture(&form);
  EXPECT_EQ(PixelToColor(shot->ScanLine(15)[15]), clLime);    // the windowed child is still on top
  EXPECT_EQ(PixelToColor(shot->ScanLine(50)[50]), clYellow);
  g->Invalidate();  // graphic controls share the parent's surface: it painted over g
  Application->ProcessMessages();
  EXPECT_EQ(robot.PixelAt(g, 0, 0), clRed);
  EXPECT_EQ(robot.PixelAt(g, 29, 29), clRed);
  // Painting through its own canvas, the graphic control stays inside its bounds.
  g->Canvas()->Brush()->SetColor(clRed);
  g->Canvas()->FillRect({-20, -20, 100, 100});
  EXPECT_EQ(robot.PixelAt(&form, 99, 20), clYellow);
  EXPECT_EQ(robot.PixelAt(&form, 130, 20), clYellow);
  EXPECT_EQ(robot.PixelAt(&form, 129, 39), clRed);
}

namespace {
struct TimerTest : ::testing::Test {
  std::vector<std::string> ticks;
  HWND wnd = AllocateHWnd([this](TMessage& m) {
    if (m.Msg == WM_TIMER) ticks.push_back(std::to_string(m.WParam) + "@" + std::to_string(Headless().NowMs() - t0));
  });
  uint64_t t0 = Headless().NowMs();
  ~TimerTest() override {
    DeallocateHWnd(wnd);
    Application->SetRefuseTimers(false);
    Application->OnException = nullptr;
  }
};
}  // namespace

TEST_F(TimerTest, TimersFireAtTheirIntervalsInTimeOrderAndStopWhenKilled) {
  EXPECT_EQ(SetTimer(wnd, 1, 300), 1u);
  EXPECT_EQ(SetTimer(wnd, 2, 500), 2u);
  Headless().AdvanceTime(299);
  EXPECT_TRUE(ticks.empty());
  Headless().AdvanceTime(901);
  EXPECT_EQ(ticks, (std::vector<std::string>{"1@300", "2@500", "1@600", "1@900", "2@1000", "1@1200"}));
  EXPECT_TRUE(KillTimer(wnd, 1));
  EXPECT_FALSE(KillTimer(wnd, 1));
  ticks.clear();
  Headless().AdvanceTime(1000);
  EXPECT_EQ(ticks, (std::vector<std::string>{"2@1500", "2@2000"}));
  DeallocateHWnd(wnd);  // takes its timers with it
  EXPECT_EQ(Application->ActiveTimerCount(), 0);
}

TEST_F(TimerTest, ATickCanReArmItsTimerAndRefusalAndExceptionsAreReported) {
  // Re-arm from inside the tick with a new interval.
  HWND r = AllocateHWnd([&](TMessage& m) {
    if (m.Msg != WM_TIMER) return;
    ticks.push_back("rearm@" + std::to_string(Headless().NowMs() - t0));
    SetTimer(r, 1, 50);
  });
  SetTimer(r, 1, 100);
  Headless().AdvanceTime(200);
  EXPECT_EQ(ticks, (std::vector<std::string>{"rearm@100", "rearm@150", "rearm@200"}));
  DeallocateHWnd(r);
  EXPECT_EQ(SetTimer(r, 1, 100), 0u);  // a window that is gone takes no timer

  Application->SetRefuseTimers(true);
  EXPECT_EQ(SetTimer(wnd, 1, 100), 0u);
  Application->SetRefuseTimers(false);

  std::string reported;
  Application->OnException = [&](TObject*, const std::exception& e) { reported = e.what(); };
  int count = 0;
  HWND bad = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_TIMER && ++count == 1) throw std::runtime_error("tick failed");
  });
  SetTimer(bad, 1, 100);
  Headless().AdvanceTime(300);
  EXPECT_EQ(reported, "tick failed");
  EXPECT_EQ(count, 3);  // the loop went on ticking
  DeallocateHWnd(bad);
}
