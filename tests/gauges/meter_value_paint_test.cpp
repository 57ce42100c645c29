// A value change repaints only what the needles and lamps touch: the
// control shows, pixel for pixel, what a full paint of the same meter
// shows, through sweeps of both needles in every kind of dial.
#include <gtest/gtest.h>

#include <filesystem>
#include <climits>
#include <functional>
#include <unistd.h>

#include "gauges/QEL_Meter.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {

struct Shown {
  TForm form{nullptr};
  TMeter* m;
  TTestRobot robot;
  explicit Shown(const std::function<void(TMeter&)>& Setup) {
    form.SetBounds(0, 0, 340, 260);
    m = new TMeter(&form);
    m->SetParent(&form);
    Setup(*m);
    form.Show();
  }
};

// Both needles with shadows, thresholds the sweeps cross so the lamps
// change, and the range zones.
void Busy(TMeter& m, TMeterLayout Layout) {
  m.SetMeterLayout(Layout);
  m.SetScaleBkVisible(true);
  m.SetScaleBkWidth(25);
  m.SetThresholdLow(0.25);
  m.SetThresholdHigh(0.75);
  m.SetCaption("Volt");
  m.GetNeedleLayout()->SetThickness(5);
  m.GetNeedleLayout()->SetShadowDx(3);
  m.GetNeedleLayout()->SetShadowDy(-2);
  TNeedleLayout* sec = m.GetNeedleLayoutSec();
  sec->SetVisible(true);
  sec->SetColorBody(0x00A000);
  sec->SetShadowDx(-2);
  sec->SetShadowDy(4);
}

// The picture after a full paint of the meter as it is now.
std::unique_ptr<TBitmap> FullPicture(Shown& S) {
  S.m->Paint();
  return S.robot.Capture(S.m);
}

// The first differing pixel, or "" when the pictures match.
std::string Difference(const TBitmap& A, const TBitmap& B) {
  if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight()) return "sizes differ";
  for (int y = 0; y < A.GetHeight(); ++y)
    for (int x = 0; x < A.GetWidth(); ++x)
      if (A.ScanLine(y)[x] != B.ScanLine(y)[x]) return "at " + std::to_string(x) + "," + std::to_string(y);
  return "";
}

// Sweeps both needles back and forth (the secondary more slowly, the
// primary in steps of varying size) and compares each value change with a
// full paint of the same state; then the last picture with a new meter's,
// set up alike.
void ExpectSweepMatchesFullPaints(const std::function<void(TMeter&)>& Setup) {
  Shown s(Setup);
  double sec = 0;
  for (int i = 0; i <= 60; ++i) {
    double v = i <= 30 ? i / 30.0 : (60 - i) / 30.0 + (i % 3) * 0.004;
    if (i % 4 == 1) s.m->SetValueSec(sec = 1 - v * 0.9);
    else s.m->SetValue(v);
    auto changed = s.robot.Capture(s.m);
    ASSERT_EQ(Difference(*changed, *FullPicture(s)), "") << "step " << i << ", value " << v;
  }
  s.m->SetValue(0.63);
  auto swept = s.robot.Capture(s.m);
  Shown fresh(Setup);
  fresh.m->SetValueSec(sec);
  fresh.m->SetValue(0.63);
  EXPECT_EQ(Difference(*swept, *fresh.robot.Capture(fresh.m)), "");
}

}  // namespace

TEST(MeterValuePaint, SweepsMatchFullPaintsOnPedestalAndKnobDials) {
  for (TMeterLayout layout : {mlCirc90, mlCirc180, mlCirc300, mlCirc360}) {
    SCOPED_TRACE(layout);
    ExpectSweepMatchesFullPaints([&](TMeter& m) { Busy(m, layout); });
  }
}

TEST(MeterValuePaint, SweepsMatchFullPaintsWithoutZonesOrAnchorAndWithFrames) {
  ExpectSweepMatchesFullPaints([](TMeter& m) {
    Busy(m, mlCirc120);
    m.SetScaleBkVisible(false);
    m.SetAnchorCovered(false);
    m.SetFrameStyle(fsEngraved);
    m.SetRimSide(30);  // the needles run under the cover
  });
}

// The anchor picture is laid over what lies under it, not drawn opaque:
// the needles must show through its black pixels after a partial repaint too.
TEST(MeterValuePaint, SweepsMatchFullPaintsUnderAnAnchorPicture) {
  std::string file =
      (std::filesystem::temp_directory_path() / ("qel_meter_anchor_" + std::to_string(getpid()) + ".bmp")).string();
  {
    TBitmap img(41, 41);
    for (int y = 0; y < 41; ++y)
      for (int x = 0; x < 41; ++x) img.ScanLine(y)[x] = (x / 4 + y / 4) % 2 ? 0x2040C0 : 0;
    img.SaveToFile(file);
  }
  ExpectSweepMatchesFullPaints([&](TMeter& m) {
    Busy(m, mlCirc300);
    m.SetAnchorImage(file);
  });
  std::filesystem::remove(file);
}

// The point of the partial repaint: a value change leaves the control's
// pixels away from the needles alone. A full paint restores them.
TEST(MeterValuePaint, AValueChangeCopiesOnlyWhatChanged) {
  Shown s([](TMeter& m) { Busy(m, mlCirc90); });
  s.m->SetValue(0.5);
  s.m->SetValueSec(0.1);
  TPoint far;  // on the dial, well away from both needles
  s.m->ConvertToPixelCoords(0.85, 60, far.X, far.Y);
  const TColor mark = 0x123456;
  s.robot.Capture(s.m);  // the form's first paint cycle
  s.m->Canvas()->SetPixels(far.X, far.Y, mark);
  ASSERT_EQ(s.robot.PixelAt(s.m, far.X, far.Y), mark);
  s.m->SetValue(0.52);
  EXPECT_EQ(s.robot.PixelAt(s.m, far.X, far.Y), mark);
  s.m->SetValueSec(0.15);
  EXPECT_EQ(s.robot.PixelAt(s.m, far.X, far.Y), mark);
  s.m->Paint();
  EXPECT_NE(s.robot.PixelAt(s.m, far.X, far.Y), mark);
}

// A handler may draw anywhere, so the first value change after a paint
// that ran one paints in full, and so does every one while it is assigned.
TEST(MeterValuePaint, AfterAHandlerDrewAValueChangePaintsInFull) {
  Shown s([](TMeter& m) { Busy(m, mlCirc90); });
  s.m->SetValue(0.5);
  s.m->OnMeterRendered = [](TObject*, TCanvas* c) {
    c->Brush()->SetColor(0x00FF00);
    c->FillRect(Rect(30, 50, 50, 70));
  };
  s.m->SetValue(0.55);
  EXPECT_EQ(s.robot.PixelAt(s.m, 45, 65), 0x00FF00u);
  s.m->OnMeterRendered = nullptr;
  s.m->SetValue(0.6);
  auto changed = s.robot.Capture(s.m);
  EXPECT_EQ(Difference(*changed, *FullPicture(s)), "");
}

// A new size only invalidates; the value change before the next paint cycle
// draws the whole meter at its new size.
TEST(MeterValuePaint, AValueChangeRightAfterAResizePaintsInFull) {
  Shown s([](TMeter& m) { Busy(m, mlCirc90); });
  s.m->SetValue(0.5);
  s.m->SetBounds(0, 0, 320, 240);
  s.m->SetValue(0.55);
  auto changed = s.robot.Capture(s.m);
  EXPECT_EQ(Difference(*changed, *FullPicture(s)), "");
}

// Shadows moved by any int: the shadow's corners stop at the ends of the
// int range instead of overflowing (the sanitizer build checks that).
TEST(MeterValuePaint, ShadowsMovedToTheEndsOfTheIntRangePaintAsAFullPaint) {
  ExpectSweepMatchesFullPaints([](TMeter& m) {
    Busy(m, mlCirc90);
    m.GetNeedleLayout()->SetShadowDx(INT_MIN);
    m.GetNeedleLayoutSec()->SetShadowDy(INT_MAX);
  });
}
