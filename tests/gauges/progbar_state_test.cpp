// Progress bar state: initial values and clamps, the colour table and its
// blend, the range, Assign, the value text and its anchor, and the automatic
// increment under the virtual clock.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "gauges/QEL_ProgBar.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/rtl/FormatSettings.h"

using namespace qel;
using namespace qel::progbar;

TEST(ProgBarState, InitialValuesAndClamps) {
  TProgBar b(nullptr);
  EXPECT_EQ(b.GetWidth(), 300);
  EXPECT_EQ(b.GetHeight(), 28);
  EXPECT_EQ(b.GetValue(), 10.0);
  EXPECT_EQ(b.GetMin(), 0.0);
  EXPECT_EQ(b.GetMax(), 100.0);
  EXPECT_EQ(b.GetDirection(), dirRight);
  EXPECT_EQ(b.GetColorMapMode(), cgmStretch);
  EXPECT_EQ(b.GetFrameStyleOuter(), fsRaised);
  EXPECT_EQ(b.GetFrameStyleInner(), fsLowered);
  EXPECT_EQ(b.GetTextAlignment(), taCenter);
  EXPECT_EQ(b.GetStartInterval(), 1500);
  EXPECT_EQ(b.GetRepeatInterval(), 700);

  b.SetTextDecPlaces(12);
  EXPECT_EQ(b.GetTextDecPlaces(), 10);
  b.SetTextDecPlaces(-5);
  EXPECT_EQ(b.GetTextDecPlaces(), -2);
  b.SetTextAngle(400);
  EXPECT_EQ(b.GetTextAngle(), 360);
  b.SetTextAngle(-1);
  EXPECT_EQ(b.GetTextAngle(), 0);
  b.SetTextPosX(1000);
  EXPECT_EQ(b.GetTextPosX(), 300);
  b.SetTextPosY(29);
  EXPECT_EQ(b.GetTextPosY(), 28);
  b.SetTextPosY(-3);
  EXPECT_EQ(b.GetTextPosY(), 0);
  b.SetStartInterval(5);
  EXPECT_EQ(b.GetStartInterval(), 10);
  b.SetRepeatInterval(-1);
  EXPECT_EQ(b.GetRepeatInterval(), 10);
  // A step of zero (or one that is no number) would never move the bar.
  b.SetAutoIncStep(0);
  b.SetAutoIncStep(std::nan(""));
  EXPECT_EQ(b.GetAutoIncStep(), 1.0);
  b.SetAutoIncStep(-2.5);
  EXPECT_EQ(b.GetAutoIncStep(), -2.5);

  b.SetRange(80, 20);
  EXPECT_EQ(b.GetMin(), 20);
  EXPECT_EQ(b.GetMax(), 80);
  b.SetRange(-1, 3);
  EXPECT_EQ(b.GetMin(), -1);
  EXPECT_EQ(b.GetMax(), 3);
  b.SetValue(500);  // never clamped against the range
  EXPECT_EQ(b.GetValue(), 500);
}

TEST(ProgBarState, ColourTableBlendsBetweenItsEnds) {
  TProgBar b(nullptr);
  EXPECT_EQ(b.GetColorMin(), clBlue);
  EXPECT_EQ(b.GetColorMax(), clRed);
  EXPECT_EQ(b.GetBarColorElem(0), clBlue);
  EXPECT_EQ(b.GetBarColorElem(1), 0xFE0000u);      // blue 254.75 truncated
  EXPECT_EQ(b.GetBarColorElem(511), 0x7F007Fu);    // 127.625 and 127.375
  EXPECT_EQ(b.GetBarColorElem(1022), 0x0000FEu);
  EXPECT_EQ(b.GetBarColorElem(1023), clRed);

  b.SetColorMin(0x000000);
  b.SetColorMax(0xFFFFFF);
  EXPECT_EQ(b.GetBarColorElem(1), 0x000000u);
  EXPECT_EQ(b.GetBarColorElem(5), 0x010101u);    // 1.246 truncated
  EXPECT_EQ(b.GetBarColorElem(512), 0x7F7F7Fu);
  EXPECT_EQ(b.GetBarColorElem(1022), 0xFEFEFEu);

  b.SetBarColorElem(7, 0x123456);
  EXPECT_EQ(b.GetBarColorElem(7), 0x123456u);
  b.SetBarColorElem(-1, 0x111111);
  b.SetBarColorElem(1024, 0x111111);
  EXPECT_EQ(b.GetBarColorElem(-1), 0u);
  EXPECT_EQ(b.GetBarColorElem(1024), 0u);
  b.SetColorMax(0xFFFFFF);  // a new end recomputes every inner entry
  EXPECT_EQ(b.GetBarColorElem(7), 0x010101u);

  // System colours keep their name at the ends and blend as what they show.
  b.SetColorMin(clBtnFace);
  EXPECT_EQ(b.GetColorMin(), clBtnFace);
  EXPECT_EQ(b.GetBarColorElem(1), RGB(212, 208, 200));
}

TEST(ProgBarState, AssignCopiesLookAndTextButNotTheAutomaticIncrement) {
  TProgBar a(nullptr), b(nullptr);
  int shown = 0;
  a.SetRange(-5, 5);
  a.SetValue(2);
  a.SetDirection(dirUp);
  a.SetColorMin(0x00FF00);
  a.SetBarColorElem(300, 0x123456);
  a.SetShowColorGradient(true);
  a.SetColorMapMode(cgmMove);
  a.SetGridDist(6);
  a.SetColorGrid(0x0000FF);
  a.SetMarginLeft(9);
  a.SetMarginBottom(1);
  a.SetFrameStyleOuter(fsEngraved);
  a.SetColorScheme(csSystem);
  a.SetTextAngle(90);
  a.SetTextDecPlaces(-1);
  a.SetTextAlignment(taRightJustify);
  a.SetTextPosX(100);
  a.SetTextVisible(false);
  a.OnShowValue = [&](TObject*, std::string&) { ++shown; };
  a.SetAutoIncStep(3);
  a.SetStartInterval(100);
  a.SetRepeatInterval(200);
  b.Assign(&a);
  EXPECT_EQ(b.GetMin(), -5);
  EXPECT_EQ(b.GetMax(), 5);
  EXPECT_EQ(b.GetValue(), 2);
  EXPECT_EQ(b.GetDirection(), dirUp);
  EXPECT_EQ(b.GetColorMin(), 0x00FF00u);
  EXPECT_EQ(b.GetBarColorElem(300), 0x123456u);
  EXPECT_TRUE(b.GetShowColorGradient());
  EXPECT_EQ(b.GetColorMapMode(), cgmMove);
  EXPECT_EQ(b.GetGridDist(), 6);
  EXPECT_EQ(b.GetColorGrid(), 0x0000FFu);
  EXPECT_EQ(b.GetMarginLeft(), 9);
  EXPECT_EQ(b.GetMarginBottom(), 1);
  EXPECT_EQ(b.GetFrameStyleOuter(), fsEngraved);
  EXPECT_EQ(b.GetColorScheme(), csSystem);
  EXPECT_EQ(b.GetTextAngle(), 90);
  EXPECT_EQ(b.GetTextDecPlaces(), -1);
  EXPECT_EQ(b.GetTextAlignment(), taRightJustify);
  EXPECT_EQ(b.GetTextPosX(), 100);
  EXPECT_FALSE(b.GetTextVisible());
  ASSERT_TRUE(bool(b.OnShowValue));
  EXPECT_EQ(b.GetAutoIncStep(), 1.0);
  EXPECT_EQ(b.GetStartInterval(), 1500);
  EXPECT_EQ(b.GetRepeatInterval(), 700);
  b.SetBarColorElem(300, 0);  // copied, not shared
  EXPECT_EQ(a.GetBarColorElem(300), 0x123456u);
}

TEST(ProgBarText, ValueTextInEveryForm) {
  EXPECT_EQ(ValueText(10, 0), "10");
  EXPECT_EQ(ValueText(2.5, 0), "2");  // ties to even
  EXPECT_EQ(ValueText(3.14159, 2), "3.14");
  EXPECT_EQ(ValueText(-0.5, 10), "-0.5000000000");
  EXPECT_EQ(ValueText(1234567.0, 1), "1234567.0");  // no thousands separator
  EXPECT_EQ(ValueText(1234.5, -1), "1.2345E+03");
  EXPECT_EQ(ValueText(0.00123, -1), "1.2300E-03");
  EXPECT_EQ(ValueText(-1e123, -1), "***********");  // the exponent does not fit two digits
  EXPECT_EQ(ValueText(1234.5, -2), "1.2345E+0003");
  EXPECT_EQ(ValueText(1e-123, -2), "1.0000E-0123");
  EXPECT_EQ(ValueText(std::nan(""), -1), "NAN");
  TFormatSettings saved = FormatSettings;
  FormatSettings.DecimalSeparator = ',';  // a decimal-comma locale changes nothing
  EXPECT_EQ(ValueText(3.14159, 2), "3.14");
  EXPECT_EQ(ValueText(1234.5, -1), "1.2345E+03");
  FormatSettings = saved;
}

TEST(ProgBarText, AnchorPointsOfTheRotatedText) {
  // Unrotated: the centre, the middle of the left end, of the right end.
  EXPECT_EQ(TextOrigin(taCenter, {14, 14}, 0, 7, 6), (TPoint{7, 8}));
  EXPECT_EQ(TextOrigin(taLeftJustify, {14, 14}, 0, 7, 6), (TPoint{14, 8}));
  EXPECT_EQ(TextOrigin(taRightJustify, {14, 14}, 0, 7, 6), (TPoint{0, 8}));
  // A quarter turn: the text runs upwards from its reference.
  EXPECT_EQ(TextOrigin(taLeftJustify, {50, 50}, 90, 10, 6), (TPoint{44, 50}));
  EXPECT_EQ(TextOrigin(taCenter, {50, 50}, 90, 10, 6), (TPoint{44, 60}));
  EXPECT_EQ(TextOrigin(taRightJustify, {50, 50}, 90, 10, 6), (TPoint{44, 70}));
  // Upside down.
  EXPECT_EQ(TextOrigin(taRightJustify, {50, 50}, 180, 10, 6), (TPoint{70, 56}));
  // 45 degrees: 2w cos a = 14.14 -> 14, h sin a = 4.24 -> 4.
  EXPECT_EQ(TextOrigin(taRightJustify, {50, 50}, 45, 5, 6), (TPoint{50 - 7 - 4, 50 + 7 - 4}));
}

TEST(ProgBarText, BarLengthAndGradientIndex) {
  EXPECT_EQ(BarLength(292, 10, 0, 100), 29);  // round(29.2)
  EXPECT_EQ(BarLength(100, 12.5, 0, 100), 12);  // 12.5 ties to even
  EXPECT_EQ(BarLength(100, 13.5, 0, 100), 14);
  EXPECT_EQ(BarLength(100, 50, 50, 50), 0);  // an empty range: an empty bar
  EXPECT_EQ(BarLength(100, std::nan(""), 0, 1), 0);
  EXPECT_EQ(BarLength(100, 1e300, 0, 1), kFar);
  EXPECT_EQ(BarLength(100, -std::numeric_limits<double>::infinity(), 0, 1), -kFar);
  EXPECT_EQ(BarLength(0, 50, 0, 100), 0);
  EXPECT_EQ(GradientIndex(cgmStretch, 28, 29, 292), 988);  // round(28 * 1023 / 29)
  EXPECT_EQ(GradientIndex(cgmCover, 28, 29, 292), 98);
  EXPECT_EQ(GradientIndex(cgmMove, 28, 29, 292), 1023);
  EXPECT_EQ(GradientIndex(cgmMove, 0, 29, 292), 925);
  EXPECT_EQ(GradientIndex(cgmCover, 500, 600, 292), 1023);  // past the area
  EXPECT_EQ(GradientIndex(cgmMove, 0, kFar, 292), 0);
}

// ------------------------------------------------ automatic increment ----

namespace {
struct AutoIncBar : ::testing::Test {
  TForm form{nullptr};
  TProgBar* bar = new TProgBar(&form);
  int steps = 0;
  int timersBefore = Application->ActiveTimerCount();
  AutoIncBar() {
    bar->SetParent(&form);
    form.Show();
  }
  ~AutoIncBar() override { Application->SetRefuseTimers(false); }
};
}  // namespace

TEST_F(AutoIncBar, StartThenRepeatIntervalUntilSwitchedOff) {
  bar->SetAutoInc(true);
  bar->SetOnAutoInc([this](TObject* s) { steps += s == bar ? 1 : 100; });
  // Assigning OnAutoInc re-armed the timer with the repeat interval.
  Headless().AdvanceTime(699);
  EXPECT_EQ(bar->GetValue(), 10);
  Headless().AdvanceTime(1);
  EXPECT_EQ(bar->GetValue(), 11);
  EXPECT_EQ(steps, 1);
  bar->SetAutoInc(false);
  bar->SetAutoIncStep(2.5);
  bar->SetAutoInc(true);  // the start interval again, then the repeat interval
  Headless().AdvanceTime(1499);
  EXPECT_EQ(bar->GetValue(), 11);
  Headless().AdvanceTime(1);
  EXPECT_EQ(bar->GetValue(), 13.5);
  Headless().AdvanceTime(700 + 700);
  EXPECT_EQ(bar->GetValue(), 18.5);
  EXPECT_EQ(steps, 4);
  bar->SetValue(99);
  Headless().AdvanceTime(700);  // no clamping at Max
  EXPECT_EQ(bar->GetValue(), 101.5);
  bar->SetAutoInc(false);
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);
  Headless().AdvanceTime(10000);
  EXPECT_EQ(bar->GetValue(), 101.5);
}

TEST_F(AutoIncBar, IntervalChangesRestartTheTimer) {
  bar->SetStartInterval(100);
  bar->SetRepeatInterval(1000);
  bar->SetAutoInc(true);
  Headless().AdvanceTime(100);
  EXPECT_EQ(bar->GetValue(), 11);
  Headless().AdvanceTime(999);
  EXPECT_EQ(bar->GetValue(), 11);
  Headless().AdvanceTime(1);
  EXPECT_EQ(bar->GetValue(), 12);
  bar->SetStartInterval(300);  // waits the new start interval from now
  Headless().AdvanceTime(300);
  EXPECT_EQ(bar->GetValue(), 13);
  bar->SetRepeatInterval(50);
  Headless().AdvanceTime(100);
  EXPECT_EQ(bar->GetValue(), 15);
  delete bar;
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);
}

TEST_F(AutoIncBar, ARefusedTimerRaisesAndKeepsTheNewSetting) {
  bar->SetName("Level");
  Application->SetRefuseTimers(true);
  try {
    bar->SetAutoInc(true);
    ADD_FAILURE() << "no exception";
  } catch (const EQELProgBar& e) {
    EXPECT_STREQ(e.what(), "Component \"Level\": no timer available");
  }
  EXPECT_TRUE(bar->GetAutoInc());
  EXPECT_THROW(bar->SetRepeatInterval(300), EQELProgBar);
  EXPECT_EQ(bar->GetRepeatInterval(), 300);
  Application->SetRefuseTimers(false);
  bar->SetStartInterval(20);  // the bar still works
  Headless().AdvanceTime(20);
  EXPECT_EQ(bar->GetValue(), 11);
}

TEST_F(AutoIncBar, NoTimerInDesignModeAndTickErrorsGoToTheApplication) {
  bar->SetDesigning(true);
  bar->SetAutoInc(true);
  bar->SetStartInterval(20);
  bar->SetOnAutoInc([](TObject*) {});
  EXPECT_EQ(Application->ActiveTimerCount(), timersBefore);
  Headless().AdvanceTime(5000);
  EXPECT_EQ(bar->GetValue(), 10);
  bar->SetDesigning(false);

  std::string reported;
  Application->OnException = [&](TObject* s, const std::exception& e) {
    reported = std::string(e.what()) + (s == bar ? " from the bar" : "");
  };
  bar->SetOnAutoInc([](TObject*) { throw std::runtime_error("full"); });
  Headless().AdvanceTime(700 + 700);
  Application->OnException = nullptr;
  EXPECT_EQ(reported, "full from the bar");
  EXPECT_EQ(bar->GetValue(), 12);  // the steps go on
}
