// Progress bar painting read back from pixels: the default bar, the gradient
// in each mapping, the grid in all four directions, the frame styles, the
// value text, the background image, and values far outside the range.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "../platform/rtl/TempFolder.h"
#include "gauges/QEL_ProgBar.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr TColor kMargin = 0x102030, kBack = 0xC0C0C0, kGrid = 0x00FFFF;

// Entry i of a table whose every entry is different.
TColor Entry(int i) { return RGB(i & 0xFF, (i >> 8) * 60, 0x55); }

struct BarPaint : ::testing::Test {
  TForm form{nullptr};
  TProgBar* bar = new TProgBar(&form);
  TTestRobot robot;
  std::unique_ptr<TBitmap> shot;
  BarPaint() {
    form.SetBounds(0, 0, 320, 240);
    bar->SetParent(&form);
    form.Show();
  }
  void Shoot() { shot = robot.Capture(bar); }
  TColor At(int X, int Y) const { return PixelToColor(shot->ScanLine(Y)[X]); }
  // A plain look whose pixels tell what drew them.
  void Plain(int W, int H) {
    bar->SetBounds(0, 0, W, H);
    bar->SetColorMargin(kMargin);
    bar->SetFrameStyleInner(fsNone);
    bar->SetFrameStyleOuter(fsNone);
    bar->SetTextVisible(false);
  }
  void UniqueTable() {
    for (int i = 0; i < 1024; ++i) bar->SetBarColorElem(i, Entry(i));
  }
  // The bounding box of the pixels that differ from Other (empty if none).
  TRect Changed(const TBitmap& Other) const {
    TRect box{};
    for (int y = 0; y < shot->GetHeight(); ++y)
      for (int x = 0; x < shot->GetWidth(); ++x)
        if (shot->ScanLine(y)[x] != Other.ScanLine(y)[x])
          box = UnionRect(box, {x, y, x + 1, y + 1});
    return box;
  }
};
}  // namespace

TEST_F(BarPaint, DefaultBarIs29PixelsWithItsTextCentredAt14) {
  Shoot();
  // Bar area 4..295; the bar covers columns 4..32 in ColorMin.
  EXPECT_EQ(At(6, 6), clBlue);
  EXPECT_EQ(At(32, 6), clBlue);
  EXPECT_EQ(At(33, 6), kBack);
  EXPECT_EQ(At(2, 14), clSilver);  // the margin
  auto withText = std::move(shot);
  bar->SetTextVisible(false);
  Shoot();
  std::swap(shot, withText);
  TRect text = Changed(*withText);
  ASSERT_GT(text.Width(), 0);
  TCanvas probe;
  probe.Font()->Assign(bar->GetFont());
  int w = probe.TextWidth("10") / 2, h = probe.TextHeight("10") / 2;
  // Inside the text cell whose centre is (14, 14), and balanced around it.
  EXPECT_GE(text.Left, 14 - w);
  EXPECT_LE(text.Right, 14 - w + 2 * w + 1);
  EXPECT_GE(text.Top, 14 - h);
  EXPECT_LE(text.Bottom, 14 - h + 2 * h + 1);
  EXPECT_NEAR((text.Left + text.Right) / 2.0, 14, 2.0);
}

TEST_F(BarPaint, GradientFirstAndLastColumnInEachMapping) {
  Plain(300, 28);
  UniqueTable();
  bar->SetShowColorGradient(true);  // n = 29 of 292
  struct Case {
    TColorMapping mode;
    int first, last;
  };
  for (Case c : {Case{cgmStretch, 0, 988}, Case{cgmCover, 0, 98}, Case{cgmMove, 925, 1023}}) {
    SCOPED_TRACE(int(c.mode));
    bar->SetColorMapMode(c.mode);
    Shoot();
    EXPECT_EQ(At(4, 10), Entry(c.first));
    EXPECT_EQ(At(32, 10), Entry(c.last));
    EXPECT_EQ(At(32, 4), Entry(c.last));   // the whole height of the area
    EXPECT_EQ(At(32, 23), Entry(c.last));
    EXPECT_EQ(At(32, 24), kMargin);
    EXPECT_EQ(At(33, 10), kBack);
  }
  // Vertical, growing upwards: the same walk along rows from the bottom.
  Plain(40, 200);  // rows 4..195, Hi = 192
  bar->SetDirection(dirUp);
  bar->SetValue(50);  // n = 96
  bar->SetColorMapMode(cgmStretch);
  Shoot();
  EXPECT_EQ(At(20, 195), Entry(0));
  EXPECT_EQ(At(4, 100), Entry(1012));  // e = 95: round(95 * 1023 / 96)
  EXPECT_EQ(At(35, 100), Entry(1012));
  EXPECT_EQ(At(20, 99), kBack);
  EXPECT_EQ(At(36, 150), kMargin);
  // Without the gradient the bar is one colour, ColorMin.
  bar->SetShowColorGradient(false);
  Shoot();
  EXPECT_EQ(At(20, 195), Entry(0));
  EXPECT_EQ(At(20, 100), Entry(0));
}

TEST_F(BarPaint, ValuesBeyondMaxRunPastTheAreaWithTheLastColour) {
  Plain(300, 28);
  UniqueTable();
  bar->SetShowColorGradient(true);
  bar->SetColorMapMode(cgmCover);
  bar->SetValue(200);  // n = 584: the bar covers the right margin too
  Shoot();
  EXPECT_EQ(At(295, 10), Entry(1019));  // round(291 * 1023 / 292) = round(1019.497)
  EXPECT_EQ(At(297, 10), Entry(1023));
  EXPECT_EQ(At(299, 10), Entry(1023));
  EXPECT_EQ(At(299, 2), kMargin);  // rows outside the bar area stay margin
}

TEST_F(BarPaint, FarOutsideTheRangeThePaintIsBoundedAndClipped) {
  Plain(300, 28);
  UniqueTable();
  bar->SetShowColorGradient(true);
  bar->SetGridDist(2);
  bar->SetColorGrid(kGrid);
  // If the work followed the value, these would never finish.
  for (TColorMapping mode : {cgmCover, cgmStretch, cgmMove})
    for (TDirection dir : {dirUp, dirDown, dirLeft, dirRight}) {
      bar->SetColorMapMode(mode);
      bar->SetDirection(dir);
      bar->SetValue(1e12);
      bar->SetValue(1e300);
      bar->SetValue(std::numeric_limits<double>::infinity());
    }
  bar->SetDirection(dirRight);
  bar->SetColorMapMode(cgmStretch);
  bar->SetValue(1e12);
  Shoot();
  EXPECT_EQ(At(5, 10), Entry(0));    // e = 1 of 2.9e9: still entry 0
  EXPECT_EQ(At(4, 10), kGrid);
  EXPECT_EQ(At(298, 10), kGrid);
  EXPECT_EQ(At(299, 10), Entry(0));
  // Below Min, NaN and an empty range: an empty bar (only the grid's root line).
  bar->SetGridDist(0);
  for (double v : {-1e12, std::nan("")}) {
    bar->SetValue(v);
    Shoot();
    EXPECT_EQ(At(4, 10), kBack);
    EXPECT_EQ(At(2, 10), kMargin);  // nothing drawn into the left margin
  }
  bar->SetValue(50);
  bar->SetRange(50, 50);
  Shoot();
  EXPECT_EQ(At(4, 10), kBack);
}

TEST_F(BarPaint, GridLinesInAllFourDirections) {
  Plain(300, 28);
  bar->SetColorMin(0x00FF00);
  bar->SetColorGrid(kGrid);
  bar->SetGridDist(10);
  bar->SetValue(50);  // n = 146
  Shoot();            // rightwards: columns 4, 14, ... 144 (<= 4 + 146)
  EXPECT_EQ(At(4, 10), kGrid);
  EXPECT_EQ(At(14, 4), kGrid);
  EXPECT_EQ(At(14, 23), kGrid);
  EXPECT_EQ(At(15, 10), 0x00FF00u);
  EXPECT_EQ(At(144, 10), kGrid);
  EXPECT_EQ(At(149, 10), 0x00FF00u);
  EXPECT_EQ(At(150, 10), kBack);
  EXPECT_EQ(At(154, 10), kBack);
  EXPECT_EQ(At(14, 24), kMargin);
  bar->SetDirection(dirLeft);  // the mirror: columns 295, 285, ... 155 (>= 295 - 146)
  Shoot();
  EXPECT_EQ(At(295, 10), kGrid);
  EXPECT_EQ(At(155, 10), kGrid);
  EXPECT_EQ(At(150, 10), 0x00FF00u);
  EXPECT_EQ(At(149, 10), kBack);
  EXPECT_EQ(At(145, 10), kBack);
  // A bar of exactly 150 = 15 spacings: along x the line just past its tip is
  // drawn too.
  bar->SetValue(51.37);
  Shoot();
  EXPECT_EQ(At(145, 10), kGrid);
  bar->SetDirection(dirRight);
  Shoot();
  EXPECT_EQ(At(154, 10), kGrid);
  EXPECT_EQ(At(155, 10), kBack);
  bar->SetValue(50);

  Plain(40, 200);  // rows 4..195, n = 96
  bar->SetDirection(dirUp);  // rows 195, 185, ... 105 (>= 196 - 96)
  Shoot();
  EXPECT_EQ(At(4, 195), kGrid);
  EXPECT_EQ(At(35, 105), kGrid);
  EXPECT_EQ(At(20, 100), 0x00FF00u);
  EXPECT_EQ(At(20, 99), kBack);
  EXPECT_EQ(At(20, 95), kBack);
  EXPECT_EQ(At(36, 105), kMargin);
  bar->SetDirection(dirDown);  // rows 4, 14, ... 94 (<= 4 + 96 - 1)
  Shoot();
  EXPECT_EQ(At(20, 4), kGrid);
  EXPECT_EQ(At(20, 94), kGrid);
  EXPECT_EQ(At(20, 99), 0x00FF00u);
  EXPECT_EQ(At(20, 100), kBack);
  EXPECT_EQ(At(20, 104), kBack);
  // A bar of exactly 100 = 10 spacings: along y the grid stays on the bar.
  bar->SetValue(52.083);
  Shoot();
  EXPECT_EQ(At(20, 103), 0x00FF00u);
  EXPECT_EQ(At(20, 104), kBack);
  bar->SetDirection(dirUp);
  Shoot();
  EXPECT_EQ(At(20, 95), kBack);
  EXPECT_EQ(At(20, 96), 0x00FF00u);
  EXPECT_EQ(At(20, 105), kGrid);
  // A spacing of 1 draws no grid.
  bar->SetGridDist(1);
  Shoot();
  EXPECT_EQ(At(20, 185), 0x00FF00u);
}

TEST_F(BarPaint, FramePixelsOfEveryStyle) {
  Plain(300, 28);
  bar->SetValue(0);
  const TColor dark = 0x808080, light = 0xFFFFFF, black = 0;
  struct Probe {
    int x, y;
    TColor c;
  };
  auto check = [&](TFrameStyle style, std::initializer_list<Probe> probes) {
    SCOPED_TRACE(int(style));
    bar->SetFrameStyleOuter(style);
    Shoot();
    for (Probe p : probes) EXPECT_EQ(At(p.x, p.y), p.c) << p.x << "," << p.y;
  };
  check(fsNone, {{0, 0, kMargin}, {299, 27, kMargin}});
  check(fsSimple, {{0, 0, dark}, {299, 0, dark}, {0, 27, dark}, {299, 27, dark}, {1, 1, kMargin}});
  // Sunken: a dark outline over 0..298 x 0..26, black inside it at the top
  // and left, light along the far edges, margin in the two far corners.
  check(fsLowered, {{0, 0, dark},   {298, 0, dark},   {0, 26, dark},    {298, 26, dark},   {1, 1, black},
                    {297, 1, black}, {1, 25, black},  {1, 26, dark},    {1, 27, light},    {298, 27, light},
                    {299, 1, light}, {299, 27, light}, {299, 0, kMargin}, {0, 27, kMargin},  {2, 2, kMargin}});
  check(fsRaised, {{0, 0, dark}, {1, 1, light}, {1, 25, light}, {1, 27, black}, {299, 1, black},
                   {299, 27, black}, {299, 0, kMargin}, {0, 27, kMargin}});
  // Two outlines one pixel apart: light outside at the top left (4), dark (5).
  check(fsEmbossed, {{0, 0, light}, {298, 26, light}, {1, 1, dark}, {299, 27, dark}, {299, 1, dark},
                     {299, 0, kMargin}, {0, 27, kMargin}, {2, 2, kMargin}});
  check(fsEngraved, {{0, 0, dark}, {298, 26, dark}, {1, 1, light}, {299, 27, light},
                     {299, 0, kMargin}, {0, 27, kMargin}});
  // The inner frame goes round the bar area the same way.
  bar->SetFrameStyleOuter(fsNone);
  bar->SetFrameStyleInner(fsSimple);
  Shoot();
  EXPECT_EQ(At(4, 4), dark);
  EXPECT_EQ(At(295, 23), dark);
  EXPECT_EQ(At(5, 5), kBack);
  // Inside the bar area the two far corners of a bevel take the margin colour.
  bar->SetFrameStyleInner(fsLowered);
  Shoot();
  EXPECT_EQ(At(4, 23), kMargin);
  EXPECT_EQ(At(295, 4), kMargin);
  EXPECT_EQ(At(5, 23), 0xFFFFFFu);
  EXPECT_EQ(At(4, 22), 0x808080u);
}

TEST_F(BarPaint, RotatedTextAndOnShowValue) {
  Plain(300, 60);
  bar->SetValue(12.5);
  Shoot();
  auto blank = std::move(shot);
  bar->SetTextAlignment(taLeftJustify);
  bar->SetTextPosX(150);
  bar->SetTextPosY(50);
  bar->SetTextAngle(90);
  std::string seen;
  bar->OnShowValue = [&](TObject* s, std::string& t) {
    seen = t + (s == bar ? "" : "?");
    t = "WWWW";
  };
  bar->SetTextVisible(true);
  Shoot();
  EXPECT_EQ(seen, "12");
  TCanvas probe;
  probe.Font()->Assign(bar->GetFont());
  int w = probe.TextWidth("WWWW") / 2, h = probe.TextHeight("WWWW") / 2;
  TRect text = Changed(*blank);
  // Running upwards from (150, 50), its height spread around x = 150.
  EXPECT_GE(text.Left, 150 - h - 1);
  EXPECT_LE(text.Right, 150 + h + 2);
  EXPECT_LE(text.Bottom, 51);
  EXPECT_GE(text.Top, 50 - 2 * w - 1);
  EXPECT_LT(text.Top, 50 - 2 * w + 6);  // the whole width of the text is there
  // An empty text draws nothing.
  bar->OnShowValue = [](TObject*, std::string& t) { t.clear(); };
  bar->SetTextAngle(0);
  Shoot();
  EXPECT_TRUE(Changed(*blank).IsEmpty());
}

TEST_F(BarPaint, BackgroundImageFromPngOrBmpAndBadFilesIgnored) {
  test::TempFolder dir;
  TBitmap img(2, 2);
  img.Canvas()->SetPixels(0, 0, 0x0000FF);
  img.Canvas()->SetPixels(1, 0, 0x00FF00);
  img.Canvas()->SetPixels(0, 1, 0xFF0000);
  img.Canvas()->SetPixels(1, 1, 0xFFFFFF);
  img.SaveToFile(dir.Path("quad.png"));
  img.SaveToFile(dir.Path("quad.bmp"));
  {
    FILE* f = fopen(dir.Path("broken.png").c_str(), "wb");
    fputs("\x89PNG not really", f);
    fclose(f);
  }
  Plain(300, 28);
  bar->SetValue(0);
  bar->SetBackGroundImg(dir.Path("quad.png"));
  EXPECT_EQ(bar->GetBackGroundImg(), dir.Path("quad.png"));
  Shoot();  // stretched over the area 4..295 x 4..23
  EXPECT_EQ(At(10, 6), 0x0000FFu);
  EXPECT_EQ(At(290, 6), 0x00FF00u);
  EXPECT_EQ(At(10, 21), 0xFF0000u);
  EXPECT_EQ(At(2, 6), kMargin);
  bar->SetBackGroundImg(dir.Path("broken.png"));
  bar->SetBackGroundImg(dir.Path("missing.bmp"));
  EXPECT_EQ(bar->GetBackGroundImg(), dir.Path("quad.png"));
  Shoot();
  EXPECT_EQ(At(290, 21), 0xFFFFFFu);
  // The bar lies over the image.
  bar->SetValue(50);
  Shoot();
  EXPECT_EQ(At(10, 6), clBlue);
  EXPECT_EQ(At(290, 6), 0x00FF00u);
  // Assign copies the picture.
  TProgBar* copy = new TProgBar(&form);
  copy->SetParent(&form);
  copy->SetBounds(0, 100, 300, 28);
  copy->Assign(bar);
  EXPECT_EQ(robot.PixelAt(copy, 290, 21), 0xFFFFFFu);
  bar->SetBackGroundImg(dir.Path("quad.bmp"));
  EXPECT_EQ(bar->GetBackGroundImg(), dir.Path("quad.bmp"));
  bar->SetBackGroundImg("");
  EXPECT_EQ(bar->GetBackGroundImg(), "");
  Shoot();
  EXPECT_EQ(At(290, 6), kBack);
}
