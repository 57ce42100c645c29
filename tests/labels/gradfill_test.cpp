// Gradient fill: band borders and colours, the mid-band layouts, clamps, the
// kept colours behind ColorFlipped, grid lines, frame and OnPaint.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "labels/QEL_gradfl.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
// A default 121 x 121 fill on a shown form.
struct ShownFill {
  TForm form{nullptr};
  TGradFill* g;
  TTestRobot robot;
  std::unique_ptr<TBitmap> shot;
  ShownFill() {
    form.SetBounds(0, 0, 200, 200);
    g = new TGradFill(&form);
    g->SetParent(&form);
    form.Show();
  }
  // Captures what the fill shows now (after the pending paint).
  void Snap() {
    Application->ProcessMessages();
    shot = robot.Capture(g);
  }
  TColor At(int x, int y) const { return PixelToColor(shot->ScanLine(y)[x]); }
};
}  // namespace

TEST(GradFill, BandBordersAndColoursOfTheDefaultFill) {
  ShownFill s;
  s.Snap();
  // MulDiv(k, 121, 16): 0, 8, 15, 23, 30, ...; each band one colour.
  const int borders[] = {0, 8, 15, 23, 30};
  for (int k = 0; k < 4; ++k) {
    TColor band = gradfill::BandColor(gtHoriz, k, 16, clMaroon, clYellow);
    EXPECT_EQ(s.At(60, borders[k]), band) << k;
    EXPECT_EQ(s.At(0, borders[k + 1] - 1), band) << k;
    EXPECT_NE(s.At(60, borders[k + 1]), band) << k;
  }
  EXPECT_EQ(s.At(60, 0), clMaroon);  // the first band is ColorFirst
  // The last band (113..120) stops a step short of yellow: 0x80 + 119, 239, 0.
  EXPECT_EQ(s.At(60, 113), RGB(247, 239, 0));
  EXPECT_EQ(s.At(120, 120), RGB(247, 239, 0));
  EXPECT_EQ(s.At(60, 112), gradfill::BandColor(gtHoriz, 14, 16, clMaroon, clYellow));
  EXPECT_EQ(gradfill::BandColor(gtHoriz, 1, 16, clMaroon, clYellow), RGB(0x80 + 8, 16, 0));  // 7.94, 15.94

  // Vertical: the same borders across the width.
  s.g->SetFillType(gtVert);
  s.Snap();
  EXPECT_EQ(s.At(7, 60), clMaroon);
  EXPECT_EQ(s.At(8, 0), RGB(0x80 + 8, 16, 0));
  EXPECT_EQ(s.At(120, 60), RGB(247, 239, 0));
}

TEST(GradFill, ChannelStepsRoundHalvesAwayFromZero) {
  // Falling by 8 over 16 bands: band 1 is -0.5, band 3 is -1.5.
  EXPECT_EQ(gradfill::BandColor(gtHoriz, 1, 16, RGB(100, 100, 100), RGB(92, 108, 100)), RGB(99, 101, 100));
  EXPECT_EQ(gradfill::BandColor(gtHoriz, 3, 16, RGB(100, 100, 100), RGB(92, 108, 100)), RGB(98, 102, 100));
  // System colours are resolved first.
  EXPECT_EQ(gradfill::BandColor(gtHoriz, 0, 4, clBtnFace, clBlack), ColorToRGB(clBtnFace));
  // Band borders round halves away from zero too: 3 * 10 / 4 = 7.5.
  EXPECT_EQ(gradfill::BandStart(3, 4, 10), 8);
  EXPECT_EQ(gradfill::BandStart(1, 4, 10), 3);  // 2.5
}

TEST(GradFill, MidBandClimbsToTheLastColourAndFallsBackSymmetrically) {
  ShownFill s;
  s.g->SetColorFirst(clBlack);
  s.g->SetColorLast(RGB(140, 70, 210));
  s.g->SetNrColors(15);  // M = 7
  s.g->SetFillType(gtMidBandHoriz);
  s.Snap();
  auto centre = [&](int k) { return s.At(60, (gradfill::BandStart(k, 15, 121) + gradfill::BandStart(k + 1, 15, 121)) / 2); };
  EXPECT_EQ(centre(0), clBlack);
  EXPECT_EQ(centre(14), clBlack);
  EXPECT_EQ(centre(7), RGB(140, 70, 210));
  EXPECT_EQ(centre(1), RGB(20, 10, 30));
  for (int k = 0; k < 7; ++k) EXPECT_EQ(centre(k), centre(14 - k)) << k;
  // The borders are symmetric too.
  for (int k = 0; k <= 15; ++k) EXPECT_EQ(gradfill::BandStart(k, 15, 121), 121 - gradfill::BandStart(15 - k, 15, 121));

  // Across the width, the same colours.
  s.g->SetFillType(gtMidBandVert);
  s.Snap();
  EXPECT_EQ(s.At(60, 3), RGB(140, 70, 210));
  EXPECT_EQ(s.At(0, 60), clBlack);
  EXPECT_EQ(s.At(120, 60), clBlack);

  // An even count climbs over M + 1 bands and falls over the rest.
  EXPECT_EQ(gradfill::BandColor(gtMidBandHoriz, 8, 16, clBlack, RGB(160, 0, 0)), RGB(160, 0, 0));
  EXPECT_EQ(gradfill::BandColor(gtMidBandHoriz, 9, 16, clBlack, RGB(160, 0, 0)), RGB(120, 0, 0));
  EXPECT_EQ(gradfill::BandColor(gtMidBandHoriz, 15, 16, clBlack, RGB(160, 0, 0)), clBlack);
}

TEST(GradFill, OneColourAndTheClamps) {
  ShownFill s;
  s.g->SetNrColors(0);
  EXPECT_EQ(s.g->GetNrColors(), 1);
  s.Snap();
  EXPECT_EQ(s.At(0, 0), clMaroon);
  EXPECT_EQ(s.At(120, 120), clMaroon);
  // The mid-band types have no middle to climb to: one band of ColorFirst.
  s.g->SetFillType(gtMidBandHoriz);
  s.Snap();
  EXPECT_EQ(s.At(60, 60), clMaroon);
  EXPECT_EQ(s.At(120, 120), clMaroon);
  s.g->SetFillType(gtMidBandVert);
  s.Snap();
  EXPECT_EQ(s.At(120, 0), clMaroon);
  s.g->SetNrColors(1000);
  EXPECT_EQ(s.g->GetNrColors(), 255);
  s.g->SetNrColors(-5);
  EXPECT_EQ(s.g->GetNrColors(), 1);
}

TEST(GradFill, FlippingShowsTheKeptColoursSwapped) {
  TGradFill g(nullptr);
  g.SetColorFlipped(true);
  EXPECT_EQ(g.GetColorFirst(), clYellow);
  EXPECT_EQ(g.GetColorLast(), clMaroon);
  g.SetColorFirst(clRed);  // while flipped this is the kept last colour
  g.SetColorFlipped(false);
  EXPECT_EQ(g.GetColorFirst(), clMaroon);
  EXPECT_EQ(g.GetColorLast(), clRed);
  g.SetColorLast(clBlue);
  g.SetColorFlipped(true);
  EXPECT_EQ(g.GetColorFirst(), clBlue);
  EXPECT_EQ(g.GetColorLast(), clMaroon);
  g.SetColorFlipped(true);  // again: nothing moves
  EXPECT_EQ(g.GetColorFirst(), clBlue);
}

TEST(GradFill, GridLinesLieOnTheStepBordersUnderTheFrame) {
  ShownFill s;
  s.g->SetGridColor(clLime);
  s.g->SetGridMode(gmHoriz);
  s.Snap();
  EXPECT_EQ(s.At(60, 8), clLime);
  EXPECT_EQ(s.At(60, 15), clLime);
  EXPECT_EQ(s.At(60, 113), clLime);
  EXPECT_NE(s.At(60, 0), clLime);  // no line above the first band
  EXPECT_NE(s.At(60, 9), clLime);
  EXPECT_NE(s.At(8, 60), clLime);

  s.g->SetGridMode(gmVert);
  s.Snap();
  EXPECT_EQ(s.At(8, 60), clLime);
  EXPECT_EQ(s.At(113, 3), clLime);
  EXPECT_NE(s.At(60, 8), clLime);
  EXPECT_NE(s.At(0, 60), clLime);

  s.g->SetGridMode(gmBoth);
  s.g->SetFrameStyle(fsSimple);
  s.Snap();
  EXPECT_EQ(s.At(30, 15), clLime);
  EXPECT_EQ(s.At(15, 30), clLime);
  EXPECT_EQ(s.At(0, 8), clBlack);  // the frame covers the ends of the lines
  EXPECT_EQ(s.At(8, 120), clBlack);

  s.g->SetGridMode(gmNone);
  s.Snap();
  EXPECT_NE(s.At(60, 8), clLime);
  EXPECT_NE(s.At(8, 60), clLime);
}

TEST(GradFill, FrameAndOnPaintDrawOverTheBands) {
  ShownFill s;
  s.g->SetFrameStyle(fsLowered);
  int painted = 0;
  s.g->OnPaint = [&](TObject* sender) {
    ++painted;
    auto* g = static_cast<TGradFill*>(sender);
    g->Canvas()->Brush()->SetColor(clAqua);
    g->Canvas()->FillRect(Rect(50, 50, 60, 60));
  };
  s.g->SetNrColors(4);
  s.Snap();
  EXPECT_GE(painted, 1);
  EXPECT_EQ(s.At(55, 55), clAqua);
  EXPECT_EQ(s.At(49, 55), gradfill::BandColor(gtHoriz, 1, 4, clMaroon, clYellow));
  EXPECT_EQ(s.At(0, 60), ColorToRGB(clGray));   // sunken: grey top and left
  EXPECT_EQ(s.At(120, 60), clWhite);            // white bottom and right
  EXPECT_EQ(s.At(60, 0), ColorToRGB(clGray));
}

// A 30000 x 30000 fill scrolled inside a 400 x 300 form (as in a scroll box)
// paints the part that shows, band borders where a small fill has them,
// without a bitmap of its full size, and goes on painting as it scrolls.
TEST(GradFill, HugeFillPaintsTheVisiblePart) {
  std::vector<std::string> handled;
  auto before = Application->OnException;
  Application->OnException = [&](TObject*, const std::exception& e) { handled.push_back(e.what()); };
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* g = new TGradFill(&form);
  g->SetParent(&form);
  g->SetFrameStyle(fsRaised);
  g->SetBounds(-1000, -(30000 / 16 * 7 - 100), 30000, 30000);  // the eighth band starts 100 pixels down
  form.Show();
  TTestRobot robot;
  Application->ProcessMessages();
  auto shot = robot.Capture(&form);
  auto at = [&](int x, int y) { return PixelToColor(shot->ScanLine(y)[x]); };
  EXPECT_EQ(at(10, 99), gradfill::BandColor(gtHoriz, 6, 16, clMaroon, clYellow));
  EXPECT_EQ(at(10, 100), gradfill::BandColor(gtHoriz, 7, 16, clMaroon, clYellow));
  EXPECT_EQ(at(shot->GetWidth() - 1, shot->GetHeight() - 1), gradfill::BandColor(gtHoriz, 7, 16, clMaroon, clYellow));
  // Scrolled to its top-left corner: the raised frame's white edge shows.
  g->SetBounds(0, 0, 30000, 30000);
  Application->ProcessMessages();
  shot = robot.Capture(&form);
  EXPECT_EQ(at(0, 50), clWhite);
  EXPECT_EQ(at(50, 1), gradfill::BandColor(gtHoriz, 0, 16, clMaroon, clYellow));
  EXPECT_TRUE(handled.empty()) << handled.front();
  Application->OnException = before;
}
