// Meter geometry, value/angle/pixel mappings, scale steps, ticks and labels.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "gauges/QEL_Meter.h"
#include "gauges/detail/MeterMath.h"

using namespace qel;
using namespace qel::meter;

namespace {
constexpr TMeterLayout kLayouts[] = {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360};

std::vector<double> Majors(const TScaleRange& r, int n, std::vector<bool>* labelled = nullptr) {
  std::vector<double> out;
  ForEachMajorTick(r, CalcScaleStep(r.Min, r.Max, n), [&](double v, bool l) {
    out.push_back(v);
    if (labelled) labelled->push_back(l);
  });
  return out;
}

std::vector<double> Minors(const TScaleRange& r, int n) {
  std::vector<double> out;
  ForEachMinorTick(r, CalcScaleStep(r.Min, r.Max, n), [&](double v) { out.push_back(v); });
  return out;
}
}  // namespace

TEST(MeterGeometry, DefaultMeterAndTheLayoutsWithFixedFormulas) {
  TMeter m(nullptr);
  EXPECT_EQ(m.GetWidth(), 297);
  EXPECT_EQ(m.GetHeight(), 209);
  EXPECT_EQ(m.GetSweep(), 90);
  EXPECT_DOUBLE_EQ(m.GetRadius(), 175);
  EXPECT_EQ(m.GetCentreX(), 148);
  EXPECT_EQ(m.GetCentreY(), 191);

  m.SetMeterLayout(mlCirc120);
  EXPECT_EQ(m.GetSweep(), 120);
  EXPECT_NEAR(m.GetRadius(), (148.5 - 18) * 1.1547, 1e-9);
  EXPECT_EQ(m.GetCentreY(), 191);

  m.SetMeterLayout(mlCirc300);
  EXPECT_EQ(m.GetSweep(), 300);
  EXPECT_NEAR(m.GetRadius(), 175 / 1.866, 1e-9);
  EXPECT_EQ(m.GetCentreY(), 110);

  // Rims count at the next geometry change, not before.
  m.SetRimTop(20);
  EXPECT_EQ(m.GetCentreY(), 110);
  m.SetBounds(0, 0, 297, 209);
  EXPECT_NEAR(m.GetRadius(), 163 / 1.866, 1e-9);
}

// The arc, with its range-zone band (4 pixels beyond the scale), keeps
// inside the rims for every layout and size; the free layouts centre it.
TEST(MeterGeometry, EveryLayoutFitsInsideTheRimsAndTheFreeOnesAreCentred) {
  struct Size { int w, h; };
  for (Size s : {Size{297, 209}, Size{150, 400}, Size{600, 200}, Size{400, 400}, Size{121, 90}}) {
    for (TMeterLayout layout : kLayouts) {
      TDialGeometry g = CalcDialGeometry(MeterLayoutSweep(layout), s.w, s.h, 8, 10, 10);
      SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + " sweep " + std::to_string(g.Sweep));
      EXPECT_EQ(g.Sweep, MeterLayoutSweep(layout));
      ASSERT_GT(g.Radius, 0);
      double top = 1e9, bottom = -1e9, left = 1e9, right = -1e9;
      for (int i = 0; i <= 720; ++i) {
        double a = (90.0 + g.Sweep / 2.0 - g.Sweep * i / 720.0) * std::numbers::pi / 180;
        double x = g.CentreX + g.Radius * std::cos(a), y = g.CentreY - g.Radius * std::sin(a);
        top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x), right = std::max(right, x);
      }
      EXPECT_GE(top - 4, 8 + 0.5);
      EXPECT_LE(bottom, s.h - 10 - 8 + 0.5);
      if (layout != mlCirc90) {  // the 90-degree dial is sized by the height alone
        EXPECT_GE(left - 4, 10 - 0.5);
        EXPECT_LE(right + 4, s.w - 10 + 0.5);
      }
      if (layout == mlCirc180 || layout == mlCirc270 || layout == mlCirc360) {
        double freeAbove = top - (8 + 8), freeBelow = (s.h - 10 - 8) - bottom;
        EXPECT_NEAR(freeAbove, freeBelow, 1.0);
        // Largest that fits: it touches the margins one way or the other.
        bool touches = std::fabs(freeAbove) < 1 || std::fabs(left - 18) < 1;
        EXPECT_TRUE(touches);
        EXPECT_EQ(g.CentreX, s.w / 2);
      }
    }
  }
  // When the height limits, the half circle's pivot sits where the 90 one does.
  TDialGeometry half = CalcDialGeometry(180, 600, 200, 8, 10, 10);
  EXPECT_EQ(half.CentreY, 200 - 10 - 8);
  EXPECT_DOUBLE_EQ(half.Radius, 200 - 10 - 8 - 16);
}

TEST(MeterGeometry, NeedleAnglesClampToTheRange) {
  TMeter m(nullptr);
  EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(0.0), 135);
  EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(1.0), 225);
  EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(0.5), 180);
  EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(-3.0), 135);
  EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(7.0), 225);
  m.SetMeterMaxValue(100);
  m.SetMeterMinValue(1);
  m.SetLogarithmic(true);
  EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(10), 180);  // one decade of two: the middle
  // The pixel straight up at full radius.
  int x, y;
  m.ConvertToPixelCoords(10, 100, x, y);
  EXPECT_EQ(x, m.GetCentreX());
  EXPECT_EQ(y, m.GetCentreY() - 175);
  m.ConvertToPixelCoords(1, 50, x, y);  // half way out towards Min, 45 degrees left of up
  EXPECT_EQ(x, m.GetCentreX() - int(std::nearbyint(87.5 * std::sqrt(0.5))));
  EXPECT_EQ(y, m.GetCentreY() - int(std::nearbyint(87.5 * std::sqrt(0.5))));
}

TEST(MeterGeometry, PixelToValueAtThePivotAndBelowIt) {
  TMeter m(nullptr);
  m.SetMeterMinValue(-10);
  m.SetMeterMaxValue(30);
  for (TMeterLayout layout : kLayouts) {
    m.SetMeterLayout(layout);
    double v = 99;
    EXPECT_TRUE(m.ConvertPixelToValue(m.GetCentreX(), m.GetCentreY(), v));
    EXPECT_DOUBLE_EQ(v, 10);
    bool below = m.ConvertPixelToValue(m.GetCentreX(), m.GetCentreY() + 20, v);
    EXPECT_EQ(below, layout == mlCirc360) << int(layout);
    if (!below) {
      EXPECT_EQ(v, 0.0);
    }
  }
}

// Every value goes to a pixel and back to itself within what one pixel of
// angle at the scale line allows, linear and logarithmic, for every layout.
TEST(MeterGeometry, PixelRoundTripOverTheWholeSweepOfEveryLayout) {
  TMeter m(nullptr);
  m.SetBounds(0, 0, 400, 300);
  for (bool logScale : {false, true}) {
    m.SetMeterMinValue(logScale ? 0.5 : -20);
    m.SetMeterMaxValue(logScale ? 5000 : 80);
    m.SetLogarithmic(logScale);
    for (TMeterLayout layout : kLayouts) {
      m.SetMeterLayout(layout);
      double pixelDeg = 180 / std::numbers::pi / m.GetRadius();  // angle of one pixel at the scale
      for (int i = 1; i < 100; ++i) {
        double t = i / 100.0;
        double v = logScale ? 0.5 * std::pow(10000.0, t) : -20 + 100 * t;
        int x, y;
        m.ConvertToPixelCoords(v, 100, x, y);
        double back;
        ASSERT_TRUE(m.ConvertPixelToValue(x, y, back)) << int(layout) << " " << v;
        double tBack = logScale ? std::log10(back / 0.5) / 4 : (back + 20) / 100;
        EXPECT_NEAR(tBack, t, pixelDeg / m.GetSweep()) << int(layout) << " " << v;
      }
    }
  }
}

TEST(MeterScale, StepsTicksAndLabelsOfTheUnitRange) {
  TScaleStep st = CalcScaleStep(0, 1, 3);
  EXPECT_DOUBLE_EQ(st.S, 0.2);
  EXPECT_EQ(st.K, 4);
  EXPECT_DOUBLE_EQ(st.T0, 0);
  TScaleRange r{0, 1, false};
  std::vector<double> majors = Majors(r, 3);
  ASSERT_EQ(majors.size(), 6u);
  std::vector<std::string> labels;
  for (double v : majors) {
    std::string s;
    FormatTickLabel(v, 1, s);
    labels.push_back(s);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
  // Minor ticks every 0.05, never on a major one.
  std::vector<double> minors = Minors(r, 3);
  ASSERT_EQ(minors.size(), 15u);
  for (double v : minors) {
    EXPECT_NEAR(std::fmod(v + 1e-9, 0.05), 0, 1e-6) << v;
    EXPECT_GT(std::fabs(std::fmod(v + 1e-9, 0.2)), 1e-6) << v;
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 1);
  }
}

TEST(MeterScale, StepsForOtherRanges) {
  // The first multiple of the step not below Min.
  TScaleStep st = CalcScaleStep(-50, 50, 4);
  EXPECT_DOUBLE_EQ(st.S, 20);
  EXPECT_EQ(st.K, 4);
  EXPECT_DOUBLE_EQ(st.T0, -40);
  EXPECT_EQ(Majors({-50, 50, false}, 4), (std::vector<double>{-40, -20, 0, 20, 40}));
  // Steps of 5 and 1 times a power of ten.
  st = CalcScaleStep(0, 700, 2);  // 350 per tick -> 200
  EXPECT_DOUBLE_EQ(st.S, 200);
  st = CalcScaleStep(3, 3.8, 7);  // 0.114 per tick -> 0.1, first tick 3.0
  EXPECT_NEAR(st.S, 0.1, 1e-15);
  EXPECT_EQ(st.K, 5);
  EXPECT_NEAR(st.T0, 3.0, 1e-12);
  st = CalcScaleStep(0, 1200, 2);  // 600 per tick -> 500
  EXPECT_DOUBLE_EQ(st.S, 500);
  EXPECT_EQ(st.K, 5);
  // An empty range has one tick and no step.
  st = CalcScaleStep(5, 5, 3);
  EXPECT_EQ(st.S, 0);
  EXPECT_EQ(Majors({5, 5, false}, 3).size(), 1u);
  EXPECT_TRUE(Minors({5, 5, false}, 3).empty());
}

TEST(MeterScale, LogarithmicDecadesGetNineTicksAndThreeLabels) {
  std::vector<bool> labelled;
  std::vector<double> majors = Majors({1, 1000, true}, 3, &labelled);
  ASSERT_EQ(majors.size(), 28u);  // 1..9, 10..90, 100..900, 1000
  EXPECT_NEAR(majors.front(), 1, 1e-12);
  EXPECT_NEAR(majors.back(), 1000, 1e-9);
  std::vector<double> withLabel;
  for (size_t i = 0; i < majors.size(); ++i)
    if (labelled[i]) withLabel.push_back(std::nearbyint(majors[i]));
  EXPECT_EQ(withLabel, (std::vector<double>{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}));
  // Less than a decade: linear ticks at the linear step.
  std::vector<double> narrow = Majors({2, 9, true}, 3);
  EXPECT_EQ(narrow, (std::vector<double>{2, 4, 6, 8}));
  // Fractions: one decade of three is a third of the sweep.
  EXPECT_NEAR(ValueFraction({1, 1000, true}, 10), 1.0 / 3, 1e-12);
  EXPECT_NEAR(ValueFraction({1, 1000, false}, 10), 9.0 / 999, 1e-12);
}

TEST(MeterScale, LabelTextAndDecimals) {
  std::string s;
  FormatTickLabel(1234.5678, 2, s);
  EXPECT_EQ(s, "1234.57");
  FormatTickLabel(-3, 0, s);
  EXPECT_EQ(s, "-3");
  FormatTickLabel(-1e-17, 1, s);  // arithmetic noise around zero shows no sign
  EXPECT_EQ(s, "0.0");
  FormatTickLabel(-0.04, 1, s);
  EXPECT_EQ(s, "0.0");
  FormatTickLabel(-0.06, 1, s);
  EXPECT_EQ(s, "-0.1");

  EXPECT_EQ(CalcM(3, 0, 1), 3);
  EXPECT_EQ(CalcM(-2, 0, 2e6), -1);
  EXPECT_EQ(CalcM(-2, 0, 0.0001), -1);
  EXPECT_EQ(CalcM(-2, -50, 50), 0);
  EXPECT_EQ(CalcM(-2, 0, 1), 2);
  EXPECT_EQ(CalcM(-2, 0, 20), 1);  // ln 20 / 2.5 = 1.198 -> 1
  // From 100 on no decimals, where the logarithm would ask for fewer from
  // e^6.25 = 518 on.
  EXPECT_EQ(CalcM(-2, 0, 100), 0);
  EXPECT_EQ(CalcM(-2, 0, 600), 0);
  EXPECT_EQ(CalcM(-2, 300, -300), 0);
  EXPECT_EQ(CalcM(-2, 0, 999999), 0);
  EXPECT_EQ(CalcM(-2, 0, 1000000), -1);
}

// Loops that a step too small for the magnitude of the values would never
// end stop; pixels saturate instead of overflowing.
TEST(MeterScale, DegenerateRangesEndAndPixelsSaturate) {
  double big = 1e20, next = std::nextafter(big, 1e21);
  int n = 0;
  TScaleRange r{big, next, false};
  ForEachMajorTick(r, CalcScaleStep(big, next, 21), [&](double, bool) { ++n; });
  ForEachMinorTick(r, CalcScaleStep(big, next, 21), [&](double) { ++n; });
  EXPECT_LE(n, 2 * kMaxTicks);
  EXPECT_EQ(RoundPx(1e300), INT32_MAX);
  EXPECT_EQ(RoundPx(-1e300), INT32_MIN);
  EXPECT_EQ(RoundPx(NAN), 0);
  EXPECT_EQ(RoundPx(2.5), 2);  // ties to even
  EXPECT_EQ(RoundPx(3.5), 4);
}
