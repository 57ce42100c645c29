// Meter painting: needle, shadow, lamps, zones, frames, images and the
// painting events, checked at pixels whose place the geometry fixes.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "gauges/QEL_Meter.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr TColor kOutline = 0xFF00FF, kBody = 0x00FFFF, kShadow = 0x404040;

// A default 297 x 209 meter at the top-left of a shown form.
struct Shown {
  TForm form{nullptr};
  TMeter* m;
  TTestRobot robot;
  explicit Shown(bool plainDial = false) {
    form.SetBounds(0, 0, 340, 260);
    m = new TMeter(&form);
    m->SetParent(&form);
    m->GetNeedleLayout()->SetColorOutline(kOutline);
    m->GetNeedleLayout()->SetColorBody(kBody);
    if (plainDial) m->SetScaleVisible(false);
    form.Show();
  }
  TColor At(int x, int y) { return robot.PixelAt(m, x, y); }
  TColor At(TPoint p) { return At(p.X, p.Y); }
  // The pixel at Percent of the radius towards v.
  TPoint Towards(double v, double Percent) {
    TPoint p;
    m->ConvertToPixelCoords(v, Percent, p.X, p.Y);
    return p;
  }
};

TColor Rgb(TColor c) { return ColorToRGB(c); }

std::string TempFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("qel_meter_" + name)).string();
}
}  // namespace

TEST(MeterPaint, NeedleTipShaftAndShadow) {
  Shown s(true);
  s.m->SetValue(0.5);  // straight up; tip at Radius - 4 = 171 above the pivot
  EXPECT_EQ(s.At(148, 191 - 171), kOutline);
  EXPECT_EQ(s.At(148, 191 - 172), Rgb(s.m->GetColorBakG()));
  EXPECT_EQ(s.At(148, 120), kOutline);  // the shaft of a needle of thickness 0
  s.m->SetValue(0.0);                   // Min: 135 degrees from straight down
  int tipX = int(std::nearbyint(148 - 171 * std::sqrt(0.5))), tipY = int(std::nearbyint(191 - 171 * std::sqrt(0.5)));
  EXPECT_EQ(s.At(tipX, tipY), kOutline);
  EXPECT_NE(s.At(148, 191 - 171), kOutline);
  // A shorter needle ends earlier.
  s.m->GetNeedleLayout()->SetPercentNeedleLength(50);
  s.m->SetValue(0.5);
  EXPECT_EQ(s.At(148, 106), kOutline);  // 191 - 171 * 0.5 = 105.5 -> 106 (ties to even)
  EXPECT_EQ(s.At(148, 105), Rgb(s.m->GetColorBakG()));
  // The shadow lies up and to the left by its offsets.
  TNeedleLayout* n = s.m->GetNeedleLayout();
  n->SetPercentNeedleLength(100);
  n->SetShadowColor(kShadow);
  n->SetShadowDx(3);
  n->SetShadowDy(3);
  EXPECT_EQ(s.At(145, 120), kShadow);
  EXPECT_EQ(s.At(151, 120), Rgb(s.m->GetColorBakG()));
  EXPECT_EQ(s.At(148, 120), kOutline);
}

TEST(MeterPaint, ThickNeedleIsFilledAndTheSecondaryNeedleFollowsItsLayout) {
  Shown s(true);
  s.m->GetNeedleLayout()->SetThickness(8);
  s.m->SetValue(0.5);
  EXPECT_EQ(s.At(148, 120), kBody);  // inside the shaft
  EXPECT_EQ(s.At(144, 120), kOutline);  // its edge, half the thickness to the side
  TNeedleLayout* sec = s.m->GetNeedleLayoutSec();
  sec->SetColorOutline(0x00AA00);
  s.m->SetValueSec(1.0);  // hidden: not drawn
  TPoint tip{int(std::nearbyint(148 + 171 * std::sqrt(0.5))), int(std::nearbyint(191 - 171 * std::sqrt(0.5)))};
  EXPECT_NE(s.At(tip), 0x00AA00u);
  sec->SetVisible(true);
  EXPECT_EQ(s.At(tip), 0x00AA00u);
}

TEST(MeterPaint, LampsShowTheRangeFlags) {
  Shown s;
  TMeter& m = *s.m;
  const TPoint high{297 - 10 - 18 + 4, 8 + 8 + 4}, low{10 + 8 + 4, 8 + 8 + 4};
  m.SetValue(1.0);
  EXPECT_EQ(s.At(high), m.GetLimWatchActColor());
  EXPECT_EQ(s.At(low), m.GetLimWatchPsvColor());
  m.SetValue(0.0);
  EXPECT_EQ(s.At(high), m.GetLimWatchPsvColor());
  EXPECT_EQ(s.At(low), m.GetLimWatchActColor());
  m.SetLimWatchActColor(0xFF0000);
  EXPECT_EQ(s.At(low), 0xFF0000u);
  // The bevel: white along the bottom inside edge, black outline.
  EXPECT_EQ(s.At(low.X, 8 + 8 + 9), 0xFFFFFFu);
  EXPECT_EQ(s.At(10 + 8, 8 + 8 + 4), 0x000000u);
  m.SetLimWatchLowOn(false);
  EXPECT_EQ(s.At(low), Rgb(m.GetColorBakG()));
}

TEST(MeterPaint, RangeZonesFillTheirBands) {
  Shown s(true);
  TMeter& m = *s.m;
  m.SetThresholdLow(0.3);
  m.SetThresholdHigh(0.7);
  m.SetScaleBkWidth(20);
  m.SetValue(0.5);
  EXPECT_EQ(s.At(s.Towards(0.15, 90)), Rgb(m.GetColorBakG()));  // zones off
  m.SetScaleBkVisible(true);
  EXPECT_EQ(s.At(s.Towards(0.15, 90)), m.GetColorSclBkLow());
  EXPECT_EQ(s.At(s.Towards(0.4, 90)), m.GetColorSclBkNorm());
  EXPECT_EQ(s.At(s.Towards(0.85, 90)), m.GetColorSclBkHigh());
  EXPECT_EQ(s.At(s.Towards(0.85, 101)), m.GetColorSclBkHigh());  // 4 pixels beyond the scale line
  EXPECT_EQ(s.At(s.Towards(0.15, 70)), Rgb(m.GetColorBakG()));   // inside the band
  // A low threshold at Min leaves no low zone.
  m.SetThresholdLow(0.0);
  EXPECT_EQ(s.At(s.Towards(0.02, 90)), m.GetColorSclBkNorm());
}

TEST(MeterPaint, FrameStylesDrawTheirLines) {
  Shown s;
  TMeter& m = *s.m;
  const int W = 297, H = 209;
  const TColor D = 0x808080, L = 0xFFFFFF, cover = Rgb(clBtnFace);
  struct Case { int style; TColor left, left1, right, right1, top, bottom; };
  for (Case c : {Case{2, D, cover, L, cover, D, L}, Case{3, L, cover, D, cover, L, D},
                 Case{4, L, D, D, L, L, D}, Case{5, D, L, L, D, D, L}}) {
    m.SetFrameStyle(TFrameStyle(c.style));
    SCOPED_TRACE(c.style);
    EXPECT_EQ(s.At(0, 100), c.left);
    EXPECT_EQ(s.At(1, 100), c.left1);
    EXPECT_EQ(s.At(W - 1, 100), c.right);
    EXPECT_EQ(s.At(W - 2, 100), c.right1);
    EXPECT_EQ(s.At(100, 0), c.top);
    EXPECT_EQ(s.At(100, H - 1), c.bottom);
  }
  m.SetColorBakG(0x00FFFF);
  m.SetFrameStyle(TFrameStyle(1));
  EXPECT_EQ(s.At(0, 100), 0x00FFFFu);
  EXPECT_EQ(s.At(W - 1, H - 1), 0x00FFFFu);
  m.SetFrameStyle(TFrameStyle(0));
  EXPECT_EQ(s.At(0, 100), cover);
  m.SetFrameStyle(TFrameStyle(2));
  m.SetColorScheme(TColorScheme(1));
  EXPECT_EQ(s.At(0, 100), Rgb(clBtnShadow));
}

TEST(MeterPaint, MeterWithoutRoomPaintsNothing) {
  TForm form(nullptr);
  form.SetColor(0x123456);
  auto* m = new TMeter(&form);
  m->SetParent(&form);
  int rendered = 0;
  m->OnMeterRendered = [&](TObject*, TCanvas*) { ++rendered; };
  m->SetBounds(0, 0, 120, 34);  // Radius 34 - 10 - 8 - 16 = 0
  form.Show();
  TTestRobot robot;
  EXPECT_LE(m->GetRadius(), 0);
  EXPECT_EQ(robot.PixelAt(m, 60, 20), 0x123456u);
  m->SetValue(0.5);
  EXPECT_EQ(rendered, 0);
  m->SetBounds(0, 0, 120, 35);
  m->SetValue(0.7);
  EXPECT_EQ(rendered, 1);
}

TEST(MeterPaint, BeforeDrawNeedleCanReplaceTheNeedleUnderTheCover) {
  Shown s(true);
  TMeter& m = *s.m;
  m.SetValue(0.3);
  std::vector<std::string> order;
  m.OnBeforeDrawNeedle = [&](TObject* sender, TCanvas* c, bool& drawn) {
    order.push_back(sender == &m ? "needle" : "?");
    c->Pen()->SetColor(0x00FF00);
    c->MoveTo(148, 191);
    c->LineTo(148, 0);  // up through the top rim
    drawn = true;
  };
  m.OnMeterRendered = [&](TObject*, TCanvas*) { order.push_back("rendered"); };
  m.SetValue(0.0);
  EXPECT_EQ(order, (std::vector<std::string>{"needle", "rendered"}));
  EXPECT_EQ(s.At(148, 100), 0x00FF00u);
  EXPECT_EQ(s.At(148, 3), Rgb(clBtnFace));  // the cover paints over it
  int tipX = int(std::nearbyint(148 - 171 * std::sqrt(0.5))), tipY = int(std::nearbyint(191 - 171 * std::sqrt(0.5)));
  EXPECT_NE(s.At(tipX, tipY), kOutline);
  // Leaving NeedleDrawn false keeps the built-in needle.
  m.OnBeforeDrawNeedle = [](TObject*, TCanvas*, bool&) {};
  m.SetValue(0.5);
  m.SetValue(0.0);
  EXPECT_EQ(s.At(tipX, tipY), kOutline);
}

TEST(MeterPaint, ScaleLabelHandlerSeesEveryLabelAndCanBlankIt) {
  Shown s;
  TMeter& m = *s.m;
  struct Seen { std::string text; int x, y; };
  std::vector<Seen> seen;
  bool blank = false;
  m.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas* c, std::string& text, int x, int y) {
    seen.push_back({text, x, y});
    EXPECT_EQ(c->TextHeight(text), c->TextHeight("0"));
    if (blank) text.clear();
  };
  m.SetValue(0.5);
  ASSERT_EQ(seen.size(), 6u);
  std::vector<std::string> texts;
  for (auto& e : seen) texts.push_back(e.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
  auto darkIn = [&](const Seen& e) {
    int dark = 0;
    auto shot = s.robot.Capture(s.m);
    for (int y = e.y; y < e.y + 12; ++y)
      for (int x = e.x; x < e.x + 16; ++x)
        if (TColor c = PixelToColor(shot->ScanLine(y)[x]); GetRValue(c) < 0x80 && GetGValue(c) < 0x80 && GetBValue(c) < 0x80) ++dark;
    return dark;
  };
  Seen first = seen.front();
  EXPECT_GT(darkIn(first), 0);
  // The labels mirror about the vertical through the pivot.
  EXPECT_EQ(seen.front().y, seen.back().y);
  blank = true;
  m.SetValue(0.6);
  EXPECT_EQ(darkIn(first), 0);
}

TEST(MeterPaint, AnchorImageShowsTheDialThroughItsBlackPixels) {
  std::string file = TempFile("anchor.bmp");
  {
    TBitmap img(9, 9);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) img.ScanLine(y)[x] = (x >= 3 && x < 6 && y >= 3 && y < 6) ? 0x0000FF : 0;
    img.SaveToFile(file);
  }
  Shown s(true);
  TMeter& m = *s.m;
  m.SetValue(0.5);
  m.SetAnchorImage(file);
  EXPECT_EQ(m.GetAnchorImage(), file);
  EXPECT_EQ(s.At(148, 191), 0xFF0000u);  // the blue middle, over the needle
  EXPECT_EQ(s.At(144, 195), Rgb(m.GetColorBakG()));  // black corner: the dial shows
  EXPECT_EQ(s.At(148, 188), kOutline);  // black border over the needle: needle shows
  m.SetAnchorImage(TempFile("missing.bmp"));
  EXPECT_EQ(m.GetAnchorImage(), "");
  EXPECT_EQ(s.At(148, 191), Rgb(clBtnFace));  // the built-in pedestal again
  std::filesystem::remove(file);
}

TEST(MeterPaint, BackgroundImageInTheThreeFillModes) {
  std::string file = TempFile("background.png");
  {
    TBitmap img(10, 10);  // left half red, right half blue
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) img.ScanLine(y)[x] = x < 5 ? 0xFF0000 : 0x0000FF;
    img.SaveToFile(file);
  }
  Shown s(true);
  TMeter& m = *s.m;
  m.SetAnchorCovered(false);
  m.SetBkgndFillMode(TBkgFill(2));
  m.SetBackGroundImg(file);
  EXPECT_EQ(s.At(42, 150), 0x0000FFu);  // tiled: column 2 of a copy
  EXPECT_EQ(s.At(47, 150), 0xFF0000u);
  m.SetBkgndFillMode(TBkgFill(1));  // stretched over the whole meter
  EXPECT_EQ(s.At(42, 150), 0x0000FFu);
  EXPECT_EQ(s.At(250, 150), 0xFF0000u);
  m.SetBkgndFillMode(TBkgFill(0));  // natural size at the top left, white elsewhere
  EXPECT_EQ(s.At(42, 150), 0xFFFFFFu);
  m.SetBackGroundImg("");
  m.SetColorBakG(0x00FF00);
  EXPECT_EQ(s.At(42, 150), 0x00FF00u);
  std::filesystem::remove(file);
}

// Dials whose scale runs round the pivot get a round knob; the others a
// half disc on a pedestal down to the bottom rim.
TEST(MeterPaint, BuiltInAnchorForBothLayoutGroups) {
  Shown s(true);
  TMeter& m = *s.m;
  const TColor cover = Rgb(clBtnFace);
  m.SetValue(0.5);  // the needle points up, away from what is checked
  for (TMeterLayout layout : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360}) {
    m.SetMeterLayout(layout);
    SCOPED_TRACE(int(layout));
    int cx = m.GetCentreX(), cy = m.GetCentreY(), p = m.GetAnchorSize();
    bool knob = layout == mlCirc270 || layout == mlCirc300 || layout == mlCirc360;
    EXPECT_EQ(s.At(cx - p / 2, cy - p / 2), cover);  // inside the disc either way
    EXPECT_EQ(s.At(cx, 209 - 10 - 3) == cover, !knob);
    if (knob) {
      EXPECT_EQ(s.At(cx, cy + p + 3), Rgb(m.GetColorBakG()));
    }
  }
  m.SetMeterLayout(mlCirc90);
  m.SetAnchorCovered(false);
  EXPECT_NE(s.At(148, 209 - 10 - 3), cover);
}

// The cover is four filled rectangles in ColorCover; the window bevel runs
// one pixel inside it, white at the bottom and right, grey at the top and
// left. Odd rims, so that no default hides a wrong one.
TEST(MeterPaint, CoverAndWindowBevelFollowTheRims) {
  Shown s(true);
  TMeter& m = *s.m;
  m.SetRimTop(12);
  m.SetRimBottom(14);
  m.SetRimSide(16);
  m.SetBounds(0, 0, 297, 209);  // the geometry follows the rims here
  m.SetColorCover(0x00C0FF);
  m.SetValue(0.5);
  const int W = 297, H = 209, RT = 12, RB = 14, RS = 16;
  const TColor cover = 0x00C0FF, dial = Rgb(m.GetColorBakG()), white = 0xFFFFFF, grey = 0x808080;
  auto shot = s.robot.Capture(s.m);
  auto at = [&](int x, int y) { return PixelToColor(shot->ScanLine(y)[x]); };
  // Left: the rectangle stops one pixel short of the rim, where the bevel runs.
  EXPECT_EQ(at(RS - 2, 100), cover);
  EXPECT_EQ(at(RS - 1, 100), grey);
  EXPECT_EQ(at(RS, 100), dial);
  // Right: the bevel on the rectangle's first column.
  EXPECT_EQ(at(W - RS - 1, 100), dial);
  EXPECT_EQ(at(W - RS, 100), white);
  EXPECT_EQ(at(W - RS + 1, 100), cover);
  // Top and bottom, away from the lamps and the pedestal.
  EXPECT_EQ(at(60, RT - 1), cover);
  EXPECT_EQ(at(60, RT), grey);
  EXPECT_EQ(at(60, RT + 1), dial);
  EXPECT_EQ(at(60, H - RB - 1), dial);
  EXPECT_EQ(at(60, H - RB), white);
  EXPECT_EQ(at(60, H - RB + 1), cover);
  // Corners of the bevel: grey turns at the top left, white at the bottom right.
  EXPECT_EQ(at(RS - 1, RT), grey);
  EXPECT_EQ(at(W - RS, RT), grey);
  EXPECT_EQ(at(W - RS, H - RB), white);
  EXPECT_EQ(at(RS - 1, H - RB), white);
}

// A 10 x 10 lamp: black outline, white bottom and right inside it, silver
// one pixel further in, grey at the top and left.
TEST(MeterPaint, LampBevelsLineByLine) {
  Shown s;
  TMeter& m = *s.m;
  m.SetLimWatchPsvColor(0x00FF00);
  m.SetValue(0.5);  // neither flag
  const TColor black = 0x000000, white = 0xFFFFFF, silver = 0xC0C0C0, grey = 0x808080, fill = 0x00FF00;
  auto shot = s.robot.Capture(s.m);
  for (TPoint lamp : {TPoint{297 - 10 - 18, 8 + 8}, TPoint{10 + 8, 8 + 8}}) {
    const int L = lamp.X, T = lamp.Y;
    SCOPED_TRACE(L);
    auto at = [&](int dx, int dy) { return PixelToColor(shot->ScanLine(T + dy)[L + dx]); };
    EXPECT_EQ(at(0, 5), black);
    EXPECT_EQ(at(5, 0), black);
    EXPECT_EQ(at(9, 0), black);  // the white line ends just below
    EXPECT_EQ(at(1, 9), white);
    EXPECT_EQ(at(5, 9), white);
    EXPECT_EQ(at(9, 9), white);
    EXPECT_EQ(at(9, 5), white);
    EXPECT_EQ(at(9, 1), white);
    EXPECT_EQ(at(2, 8), silver);
    EXPECT_EQ(at(7, 8), silver);
    EXPECT_EQ(at(8, 8), silver);
    EXPECT_EQ(at(8, 2), silver);
    EXPECT_EQ(at(1, 8), grey);
    EXPECT_EQ(at(1, 2), grey);
    EXPECT_EQ(at(1, 1), grey);
    EXPECT_EQ(at(8, 1), grey);
    EXPECT_EQ(at(4, 4), fill);
    EXPECT_EQ(at(7, 7), fill);
  }
}

// The caption is centred on the pivot's vertical, a third of the radius
// above the pivot, in FontCaption: the same text written there on the
// bare dial gives the same pixels.
TEST(MeterPaint, CaptionIsCentredAThirdOfTheRadiusAboveThePivot) {
  Shown s(true);
  TMeter& m = *s.m;
  TFont font;
  font.SetSize(14);
  font.SetColor(0x0000C0);
  m.SetFontCaption(&font);
  m.SetCaption("Volt");
  m.SetValue(0.0);  // the needle points away to the left
  const int cy = 191 - 58;  // 191 - round(175 / 3)
  TBitmap expected(297, 209);
  TCanvas& c = *expected.Canvas();
  c.Brush()->SetColor(m.GetColorBakG());
  c.FillRect(Rect(0, 0, 297, 209));
  c.Font()->Assign(&font);
  c.Brush()->SetStyle(bsClear);
  const int tw = c.TextWidth("Volt"), th = c.TextHeight("Volt");
  c.TextOut(148 - tw / 2, cy - th / 2, "Volt");

  auto shot = s.robot.Capture(s.m);
  int differ = 0, ink = 0;
  for (int y = cy - th / 2 - 8; y < cy + th / 2 + 8; ++y)
    for (int x = 148 - tw / 2 - 8; x < 148 + tw / 2 + 8; ++x) {
      differ += shot->ScanLine(y)[x] != expected.ScanLine(y)[x];
      ink += PixelToColor(shot->ScanLine(y)[x]) == 0x0000C0u;
    }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(differ, 0);
}

// Styles 4 and 5 take two pixels all round: an outer ring one pixel short
// at the right and bottom, and an inner one that closes them.
TEST(MeterPaint, RidgeAndGrooveFramesPixelByPixel) {
  Shown s;
  TMeter& m = *s.m;
  const int W = 297, H = 209;
  const TColor D = 0x808080, L = 0xFFFFFF, cover = Rgb(clBtnFace);
  for (TFrameStyle style : {fsEmbossed, fsEngraved}) {
    m.SetFrameStyle(style);
    SCOPED_TRACE(int(style));
    const TColor outer = style == fsEmbossed ? L : D, inner = style == fsEmbossed ? D : L;
    auto shot = s.robot.Capture(s.m);
    auto at = [&](int x, int y) { return PixelToColor(shot->ScanLine(y)[x]); };
    // The outer ring: (0, 0) to (W - 2, H - 2).
    for (TPoint p : {TPoint{0, 0}, {100, 0}, {W - 2, 0}, {W - 2, 100}, {W - 2, H - 2}, {100, H - 2}, {0, H - 2},
                     {0, 100}, {W - 2, 1}, {1, H - 2}})
      EXPECT_EQ(at(p.X, p.Y), outer) << p.X << "," << p.Y;
    // The inner lines: left and top one pixel in, right and bottom on the edge.
    for (TPoint p : {TPoint{1, 1}, {1, 100}, {1, H - 3}, {100, 1}, {W - 3, 1}, {1, H - 1}, {100, H - 1},
                     {W - 1, H - 1}, {W - 1, 100}, {W - 1, 1}})
      EXPECT_EQ(at(p.X, p.Y), inner) << p.X << "," << p.Y;
    // The two corners no line reaches, and the cover inside the frame.
    for (TPoint p : {TPoint{W - 1, 0}, {0, H - 1}, {2, 100}, {100, 2}, {W - 3, 100}, {100, H - 3}})
      EXPECT_EQ(at(p.X, p.Y), cover) << p.X << "," << p.Y;
  }
}
