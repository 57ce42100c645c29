// Meter state: setter clamps, value/range/threshold events and flags,
// loading, and the mouse-move value.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gauges/QEL_Meter.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
// A meter on a shown form that logs its range events and its paints.
struct LoggedMeter {
  TForm form{nullptr};
  TMeter* m;
  std::vector<std::string> log;
  int paints = 0;
  LoggedMeter() {
    form.SetBounds(0, 0, 320, 240);
    m = new TMeter(&form);
    m->SetParent(&form);
    m->OnOverFlow = [this](TObject* s) { log.push_back(s == m ? "over" : "?"); };
    m->OnNormalRange = [this](TObject*) { log.push_back("normal"); };
    m->OnUnderFlow = [this](TObject*) { log.push_back("under"); };
    m->OnMeterRendered = [this](TObject*, TCanvas*) { ++paints; };
    form.Show();
    Application->ProcessMessages();
    paints = 0;
  }
  std::vector<std::string> Take() { return std::exchange(log, {}); }
};
using Log = std::vector<std::string>;
}  // namespace

TEST(MeterState, SettersClamp) {
  TMeter m(nullptr);
  m.SetMeterNrTicks(0);
  EXPECT_EQ(m.GetMeterNrTicks(), 2);
  m.SetMeterNrTicks(50);
  EXPECT_EQ(m.GetMeterNrTicks(), 21);
  m.SetMeterDecPlaces(-3);
  EXPECT_EQ(m.GetMeterDecPlaces(), 0);
  m.SetMeterDecPlaces(7);
  EXPECT_EQ(m.GetMeterDecPlaces(), 4);
  m.SetScaleBkWidth(150);
  EXPECT_EQ(m.GetScaleBkWidth(), 100);
  m.SetScaleBkWidth(-1);
  EXPECT_EQ(m.GetScaleBkWidth(), 0);
  TNeedleLayout n;
  n.SetPercentNeedleLength(150);
  EXPECT_EQ(n.GetPercentNeedleLength(), 100);
  n.SetHeadAngle(-5);
  EXPECT_EQ(n.GetHeadAngle(), 0);
  n.SetHeadAngle(200);
  EXPECT_EQ(n.GetHeadAngle(), 180);
  EXPECT_TRUE(m.GetNeedleLayout()->GetVisible());
  EXPECT_FALSE(m.GetNeedleLayoutSec()->GetVisible());
  m.SetColorScheme(TColorScheme(1));
  m.SetColorScheme(TColorScheme(0));
  EXPECT_EQ(m.GetColorScheme(), TColorScheme(0));
}

TEST(MeterState, ValueEventsFireOnEveryChangeAndSetTheFlags) {
  LoggedMeter t;
  TMeter& m = *t.m;
  m.SetThresholdLow(0.2);
  m.SetThresholdHigh(0.8);
  t.Take();
  t.paints = 0;
  m.SetValue(0.5);
  m.SetValue(0.6);
  EXPECT_EQ(t.Take(), (Log{"normal", "normal"}));
  EXPECT_EQ(t.paints, 2);
  m.SetValue(0.6);  // unchanged: nothing, no paint
  EXPECT_TRUE(t.Take().empty());
  EXPECT_EQ(t.paints, 2);
  m.SetValue(0.8);  // equal to ThresholdHigh
  EXPECT_EQ(t.Take(), Log{"over"});
  EXPECT_TRUE(m.GetOverflow());
  m.SetValue(0.2);  // equal to ThresholdLow
  EXPECT_EQ(t.Take(), Log{"under"});
  EXPECT_TRUE(m.GetUnderflow());
  EXPECT_FALSE(m.GetOverflow());
  m.SetValue(5);  // clamped to Max
  EXPECT_EQ(m.GetValue(), 1.0);
  EXPECT_EQ(t.Take(), Log{"over"});
  m.SetValue(5);  // differs from the stored 1.0: stored and reported again
  EXPECT_EQ(t.Take(), Log{"over"});
  m.SetValue(NAN);  // refused
  EXPECT_EQ(m.GetValue(), 1.0);
  EXPECT_TRUE(t.Take().empty());
}

TEST(MeterState, SecondaryValueSharesTheFlagsAndFollowsItsVisibility) {
  LoggedMeter t;
  TMeter& m = *t.m;
  m.SetValue(1.0);
  ASSERT_TRUE(m.GetOverflow());
  t.Take();
  t.paints = 0;
  // Hidden: clamped, flags cleared, no events, no paint.
  m.SetValueSec(-4);
  EXPECT_EQ(m.GetValueSec(), 0.0);
  EXPECT_FALSE(m.GetOverflow());
  EXPECT_TRUE(t.Take().empty());
  EXPECT_EQ(t.paints, 0);
  m.GetNeedleLayoutSec()->SetVisible(true);  // the layout change repaints
  EXPECT_EQ(t.paints, 1);
  m.SetValueSec(0.5);
  EXPECT_EQ(t.Take(), Log{"normal"});
  EXPECT_EQ(t.paints, 2);
  // The primary needle hidden: its value fires nothing.
  m.GetNeedleLayout()->SetVisible(false);
  m.SetValue(0.0);
  EXPECT_TRUE(t.Take().empty());
  EXPECT_FALSE(m.GetUnderflow());
}

TEST(MeterState, RangeSettersMoveThePartnerAndPullTheValuesInSilently) {
  LoggedMeter t;
  TMeter& m = *t.m;
  m.SetMeterMaxValue(10);
  m.SetThresholdHigh(8);
  m.SetThresholdLow(2);
  m.SetValueSec(7);
  m.SetValue(9);
  ASSERT_TRUE(m.GetOverflow());
  t.Take();
  m.SetMeterMaxValue(6);  // pulls Value, ValueSec and ThresholdHigh down
  EXPECT_EQ(m.GetValue(), 6);
  EXPECT_EQ(m.GetValueSec(), 6);
  EXPECT_EQ(m.GetThresholdHigh(), 6);
  EXPECT_EQ(m.GetThresholdLow(), 2);
  EXPECT_TRUE(m.GetOverflow());  // flags stay
  EXPECT_TRUE(t.Take().empty());
  m.SetMeterMinValue(3);
  EXPECT_EQ(m.GetThresholdLow(), 3);
  m.SetMeterMaxValue(-5);  // at or below Min: Min moves to Max - 1
  EXPECT_EQ(m.GetMeterMinValue(), -6);
  EXPECT_EQ(m.GetValue(), -5);
  m.SetMeterMinValue(4);  // at or above Max: Max moves to Min + 1
  EXPECT_EQ(m.GetMeterMaxValue(), 5);
  EXPECT_TRUE(t.Take().empty());
  // Logarithmic: a minimum that would not be positive becomes Max / 10.
  m.SetMeterMinValue(0.5);
  m.SetMeterMaxValue(20);
  m.SetLogarithmic(true);
  ASSERT_TRUE(m.GetLogarithmic());
  m.SetMeterMaxValue(0.4);  // below Min, and Max - 1 would be negative
  EXPECT_DOUBLE_EQ(m.GetMeterMinValue(), 0.04);
  m.SetMeterMinValue(0);  // refused on a logarithmic scale
  EXPECT_DOUBLE_EQ(m.GetMeterMinValue(), 0.04);
  m.SetThresholdLow(1e-200);
  EXPECT_NE(m.GetThresholdLow(), 1e-200);
}

TEST(MeterState, LogarithmicNeedsAPositiveRange) {
  TMeter m(nullptr);
  m.SetLogarithmic(true);  // Min is 0
  EXPECT_FALSE(m.GetLogarithmic());
  m.SetMeterMinValue(1);
  m.SetMeterMaxValue(1000);
  m.SetLogarithmic(true);
  EXPECT_TRUE(m.GetLogarithmic());
}

TEST(MeterState, ThresholdsPushEachOtherAndReportTheFlags) {
  LoggedMeter t;
  TMeter& m = *t.m;
  m.SetValue(0.5);
  m.SetThresholdHigh(0.6);
  m.SetThresholdLow(0.1);
  t.Take();
  m.SetThresholdLow(0.7);  // above High: High follows; Value 0.5 <= 0.7
  EXPECT_EQ(m.GetThresholdHigh(), 0.7);
  EXPECT_TRUE(m.GetUnderflow());
  EXPECT_EQ(t.Take(), Log{"under"});
  m.SetThresholdHigh(0.3);  // below Low: Low follows; Value 0.5 >= 0.3
  EXPECT_EQ(m.GetThresholdLow(), 0.3);
  EXPECT_TRUE(m.GetOverflow());
  EXPECT_EQ(t.Take(), Log{"over"});
  m.SetThresholdHigh(9);  // clamped to Max; not overflowing: no event
  EXPECT_EQ(m.GetThresholdHigh(), 1.0);
  EXPECT_FALSE(m.GetOverflow());
  EXPECT_TRUE(t.Take().empty());
  // Threshold events ignore the needle's visibility.
  m.GetNeedleLayout()->SetVisible(false);
  m.SetThresholdLow(0.6);
  EXPECT_EQ(t.Take(), Log{"under"});
}

// A threshold set onto the value itself counts as reached, as a value set
// onto a threshold does.
TEST(MeterState, ThresholdSetOntoTheValueRaisesItsFlag) {
  LoggedMeter t;
  TMeter& m = *t.m;
  m.SetValue(0.5);
  m.SetThresholdHigh(0.9);
  t.Take();
  m.SetThresholdLow(0.5);
  EXPECT_TRUE(m.GetUnderflow());
  EXPECT_EQ(t.Take(), Log{"under"});
  m.SetThresholdLow(0.4999);
  EXPECT_FALSE(m.GetUnderflow());
  EXPECT_TRUE(t.Take().empty());
  m.SetThresholdHigh(0.5);
  EXPECT_TRUE(m.GetOverflow());
  EXPECT_EQ(t.Take(), Log{"over"});
  m.SetThresholdHigh(0.5001);
  EXPECT_FALSE(m.GetOverflow());
  EXPECT_TRUE(t.Take().empty());
}

TEST(MeterState, LoadingStoresAsGivenAndLoadedPullsTheValueIn) {
  TForm form(nullptr);
  auto* m = new TMeter(&form);
  m->SetParent(&form);
  std::vector<std::string> log;
  m->OnOverFlow = [&](TObject*) { log.push_back("over"); };
  m->OnMeterRendered = [&](TObject*, TCanvas*) { log.push_back("paint"); };
  form.BeginLoading();
  m->SetValue(50);
  m->SetValueSec(-7);
  m->SetMeterMinValue(2);
  m->SetMeterMaxValue(20);
  m->SetThresholdHigh(40);
  m->SetLogarithmic(true);
  m->SetBackGroundImg("/nonexistent/background.png");
  EXPECT_EQ(m->GetValue(), 50);  // nothing reconciled yet
  EXPECT_EQ(m->GetThresholdHigh(), 40);
  EXPECT_EQ(m->GetBackGroundImg(), "");
  log.clear();
  form.EndLoading();
  EXPECT_EQ(m->GetValue(), 20);  // only Value is pulled in
  EXPECT_EQ(m->GetValueSec(), -7);
  EXPECT_EQ(m->GetThresholdHigh(), 40);
  EXPECT_TRUE(m->GetLogarithmic());
  EXPECT_EQ(log, (std::vector<std::string>{"paint"}));
}

// An empty or reversed range can only come from loading; painting it ends.
TEST(MeterState, LoadedEmptyRangePaintsAndMaps) {
  TForm form(nullptr);
  auto* m = new TMeter(&form);
  m->SetParent(&form);
  form.Show();
  form.BeginLoading();
  m->SetMeterMinValue(5);
  m->SetMeterMaxValue(5);
  form.EndLoading();
  double v;
  EXPECT_TRUE(m->ConvertPixelToValue(m->GetCentreX(), 0, v));
  EXPECT_EQ(v, 5);
  EXPECT_DOUBLE_EQ(m->CalcNeedleAngle(5), 135);
  TTestRobot robot;
  EXPECT_NE(robot.PixelAt(m, 148, 100), CLR_INVALID);
}

TEST(MeterState, MouseMoveReportsTheValueAfterOnMouseMove) {
  LoggedMeter t;
  TMeter& m = *t.m;
  m.SetMeterMinValue(-10);
  m.SetMeterMaxValue(30);
  m.OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    t.log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  m.OnMouseMoveInMeter = [&](TObject* s, bool within, TShiftState shift, double v) {
    t.log.push_back(std::string(s == &m ? "" : "?") + (within ? "in " : "out ") + std::to_string(int(std::lround(v))) +
                    (shift.Contains(ssShift) ? " shift" : ""));
  };
  TTestRobot robot;
  robot.MoveTo(&m, m.GetCentreX(), 40, {ssShift});  // straight up: the middle
  int x, y;
  m.ConvertToPixelCoords(25, 90, x, y);
  robot.MoveTo(&m, x, y);
  robot.MoveTo(&m, m.GetCentreX(), m.GetCentreY() + 5);  // below the pivot: outside the sweep
  EXPECT_EQ(t.Take(), (Log{"move 148,40", "in 10 shift", "move " + std::to_string(x) + "," + std::to_string(y),
                           "in 25", "move 148,196", "out 0"}));
}

// The meter copies a given needle layout and repaints on every change of
// its own layouts.
TEST(MeterState, NeedleLayoutsAreCopiedAndTheirChangesRepaint) {
  LoggedMeter t;
  TMeter& m = *t.m;
  TNeedleLayout given;
  given.SetColorBody(0x123456);
  given.SetHeadSize(7);
  given.SetShadowDx(2);
  given.SetVisible(false);
  int outside = 0;
  given.OnChange = [&](TObject*) { ++outside; };
  m.SetNeedleLayout(&given);
  EXPECT_EQ(t.paints, 1);
  EXPECT_NE(m.GetNeedleLayout(), &given);
  EXPECT_EQ(m.GetNeedleLayout()->GetColorBody(), 0x123456u);
  EXPECT_EQ(m.GetNeedleLayout()->GetHeadSize(), 7);
  EXPECT_EQ(m.GetNeedleLayout()->GetShadowDx(), 2);
  EXPECT_FALSE(m.GetNeedleLayout()->GetVisible());
  given.SetHeadSize(9);  // not shared
  EXPECT_EQ(m.GetNeedleLayout()->GetHeadSize(), 7);
  EXPECT_EQ(t.paints, 1);
  m.GetNeedleLayout()->SetHeadSize(7);  // unchanged: nothing
  EXPECT_EQ(t.paints, 1);
  m.GetNeedleLayoutSec()->SetThickness(3);
  EXPECT_EQ(t.paints, 2);
  EXPECT_EQ(outside, 1);
}
