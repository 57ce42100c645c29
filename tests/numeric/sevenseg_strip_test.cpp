// Seven-segment strip cache: a recoloured or resized display shows exactly
// what a display built afresh with the same settings shows, and the strip
// painted from coverage equals the halftone shrink of each composed glyph
// pixel for pixel.
#include <gtest/gtest.h>

#include <memory>

#include "numeric/QEL_sevenseg.h"
#include "numeric/detail/SevenSegCoverage.h"
#include "numeric/detail/SevenSegGlyphs.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {

bool SamePixels(const TBitmap& A, const TBitmap& B) {
  if (A.GetWidth() != B.GetWidth() || A.GetHeight() != B.GetHeight()) return false;
  for (int y = 0; y < A.GetHeight(); ++y)
    for (int x = 0; x < A.GetWidth(); ++x)
      if (A.ScanLine(y)[x] != B.ScanLine(y)[x]) return false;
  return true;
}

struct SevenSegStrip : ::testing::Test {
  TForm form{nullptr};
  TTestRobot robot;
  SevenSegStrip() {
    form.SetBounds(0, 0, 900, 300);
    form.Show();
    Application->ProcessMessages();
  }
  TSevenSeg* Display(int W, int H, int Digits, TColor Text, TColor Back) {
    auto* s = new TSevenSeg(&form);
    s->SetParent(&form);
    s->SetBounds(0, 0, W, H);
    s->SetNumDigits(Digits);
    s->SetColorText(Text);
    s->SetColorBackGnd(Back);
    s->SetCaption("-8.:\xC2\xB0" "AbCdEF+0123456789");
    return s;
  }
};

// Sizes that shrink by odd factors, enlarge, and are one pixel wide or high.
TEST_F(SevenSegStrip, CoverageStripEqualsTheHalftoneShrinkOfEveryGlyph) {
  const TColor colours[][2] = {{clRed, 0x333333}, {clWhite, clBlack}, {0x00C0FF, 0x402010}, {clBlack, clWhite}};
  const int sizes[][2] = {{25, 60}, {97, 184}, {1, 7}, {5, 1}, {330, 450}};
  TBitmap raster, direct, cached;
  sevenseg::TPartImages parts;
  for (auto& size : sizes)
    for (auto& c : colours) {
      sevenseg::BuildStrip(direct, raster, parts, size[0], size[1], c[0], c[1]);
      sevenseg::PaintStrip(cached, *sevenseg::CoverageFor(size[0], size[1]), c[0], c[1]);
      EXPECT_TRUE(SamePixels(direct, cached)) << size[0] << "x" << size[1] << " colour " << c[0];
    }
}

TEST_F(SevenSegStrip, RecolouredAndResizedDisplaysMatchFreshOnes) {
  TSevenSeg* seg = Display(400, 90, 12, clRed, 0x333333);
  robot.Capture(seg);
  const int builds = seg->GetCacheBuildCount();
  // A new colour pair, then back, then a new size: each shown as a fresh
  // display with those settings shows it.
  struct Step {
    int w, h;
    TColor text, back;
  };
  for (Step s : {Step{400, 90, clLime, 0x333333}, Step{400, 90, clLime, clNavy}, Step{400, 90, clRed, 0x333333},
                 Step{610, 150, clRed, 0x333333}, Step{203, 77, clYellow, clBlack}, Step{400, 90, clRed, 0x333333}}) {
    seg->SetBounds(0, 0, s.w, s.h);
    seg->SetColorText(s.text);
    seg->SetColorBackGnd(s.back);
    auto shown = robot.Capture(seg);
    auto* fresh = Display(s.w, s.h, 12, s.text, s.back);
    EXPECT_TRUE(SamePixels(*shown, *robot.Capture(fresh))) << s.w << "x" << s.h << " " << s.text;
    delete fresh;
  }
  EXPECT_EQ(seg->GetCacheBuildCount(), builds + 6);
  // Still a working display afterwards.
  seg->SetCaption("88");
  EXPECT_TRUE(robot.Capture(seg) != nullptr);
}

}  // namespace
