// The meter's bevelled lines at their corners: the frame styles, the window
// bevel and the limit lamps, on a default 297 x 209 meter (rims 10, 8, 10).
#include <gtest/gtest.h>

#include "gauges/QEL_Meter.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr int W = 297, H = 209;
constexpr TColor kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kGrey = 0x808080, kBlack = 0x000000;

struct Shown {
  TForm form{nullptr};
  TMeter* m;
  TTestRobot robot;
  Shown() {
    form.SetBounds(0, 0, 340, 260);
    m = new TMeter(&form);
    m->SetParent(&form);
    form.Show();
  }
  TColor At(int x, int y) { return robot.PixelAt(m, x, y); }
};
}  // namespace

TEST(MeterEdges, FrameCornersFollowTheMetersOwnLines) {
  Shown s;
  const TColor D = kGrey, L = kWhite, cover = ColorToRGB(clBtnFace);
  // The corners, then the inner ring's corners of the two-pixel styles.
  struct Case { int style; TColor topLeft, topRight, bottomLeft, bottomRight, in1, in2, in3, in4; };
  for (Case c : {Case{2, D, L, D, L, cover, cover, cover, cover}, Case{3, L, D, L, D, cover, cover, cover, cover},
                 Case{4, L, cover, cover, D, D, L, L, L}, Case{5, D, cover, cover, L, L, D, D, D}}) {
    s.m->SetFrameStyle(TFrameStyle(c.style));
    SCOPED_TRACE(c.style);
    EXPECT_EQ(s.At(0, 0), c.topLeft);
    EXPECT_EQ(s.At(W - 1, 0), c.topRight);
    EXPECT_EQ(s.At(0, H - 1), c.bottomLeft);
    EXPECT_EQ(s.At(W - 1, H - 1), c.bottomRight);
    EXPECT_EQ(s.At(1, 1), c.in1);
    EXPECT_EQ(s.At(W - 2, 1), c.in2);
    EXPECT_EQ(s.At(1, H - 2), c.in3);
    EXPECT_EQ(s.At(W - 2, H - 2), c.in4);
  }
  s.m->SetColorBakG(0x00FFFF);
  s.m->SetFrameStyle(TFrameStyle(1));
  for (TColor c : {s.At(0, 0), s.At(W - 1, 0), s.At(0, H - 1), s.At(W - 1, H - 1), s.At(W / 2, H - 1)})
    EXPECT_EQ(c, 0x00FFFFu);
}

TEST(MeterEdges, WindowBevelRowsRunTheFullWidth) {
  Shown s;
  s.m->SetAnchorCovered(false);  // the bevel alone, no pedestal path over it
  const int l = 9, t = 8, r = W - 10, b = H - 10;
  EXPECT_EQ(s.At(l, t), kGrey);
  EXPECT_EQ(s.At(r, t), kGrey);
  EXPECT_EQ(s.At(l, b), kWhite);
  EXPECT_EQ(s.At(r, b), kWhite);
  EXPECT_EQ(s.At(l, 100), kGrey);
  EXPECT_EQ(s.At(r, 100), kWhite);
  EXPECT_EQ(s.At(100, t), kGrey);
  EXPECT_EQ(s.At(100, b), kWhite);
}

TEST(MeterEdges, LampBevelKeepsTheOutlineCornersAndGivesMixedCornersToTopAndLeft) {
  Shown s;
  s.m->SetValue(0.5);
  const int L = 10 + 8, T = 8 + 8;  // the low lamp
  // Outer ring: the black outline, white over its bottom and right.
  EXPECT_EQ(s.At(L, T), kBlack);
  EXPECT_EQ(s.At(L + 9, T), kBlack);
  EXPECT_EQ(s.At(L, T + 9), kBlack);
  EXPECT_EQ(s.At(L + 9, T + 9), kWhite);
  EXPECT_EQ(s.At(L + 1, T + 9), kWhite);
  EXPECT_EQ(s.At(L + 9, T + 1), kWhite);
  // Inner ring: grey on top and left including the mixed corners, silver below and right.
  EXPECT_EQ(s.At(L + 1, T + 1), kGrey);
  EXPECT_EQ(s.At(L + 8, T + 1), kGrey);
  EXPECT_EQ(s.At(L + 1, T + 8), kGrey);
  EXPECT_EQ(s.At(L + 8, T + 8), kSilver);
  EXPECT_EQ(s.At(L + 2, T + 8), kSilver);
  EXPECT_EQ(s.At(L + 8, T + 2), kSilver);
  EXPECT_EQ(s.At(L + 2, T + 2), s.m->GetLimWatchPsvColor());
}
