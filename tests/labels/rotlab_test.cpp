// Rotated label: where the text lands for each alignment and angle (its
// inked box against the unrotated text's), anti-aliasing, the embossed
// disabled text, the transparency quirk, the anchor and Assign.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "labels/QEL_RotLab.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {

// Inclusive pixel box of everything not in the background colour.
struct Box {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
  void Add(int x, int y) { x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y); }
  double Cx() const { return (x0 + x1 + 1) / 2.0; }
  double Cy() const { return (y0 + y1 + 1) / 2.0; }
};
Box InkBox(const TBitmap& b, TColor background) {
  Box box;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x)
      if (PixelToColor(b.ScanLine(y)[x]) != background) box.Add(x, y);
  return box;
}

// A 200 x 200 label, black text on white, no frame, centred anchor.
struct ShownRot {
  TForm form{nullptr};
  TRotLab* lab;
  TTestRobot robot;
  explicit ShownRot(const std::string& caption = "Hello") {
    form.SetBounds(0, 0, 260, 260);
    form.SetColor(clYellow);
    lab = new TRotLab(&form);
    lab->SetParent(&form);
    lab->SetFrameStyle(fsNone);
    lab->SetColor(clWhite);
    lab->GetFont()->SetColor(clBlack);
    lab->SetCaption(caption);
    form.Show();
  }
  std::unique_ptr<TBitmap> Shot() {
    Application->ProcessMessages();
    return robot.Capture(lab);
  }
};

// The text drawn unrotated at (0, 0) with the label's font: its extent and
// the centres of its inked pixels within its cell.
struct Unrotated {
  TSize extent;
  std::vector<std::pair<double, double>> ink;
};
Unrotated Measure(TRotLab& lab, bool antiAlias) {
  TBitmap b(300, 80);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 300, 80));
  c.Font()->Assign(lab.GetFont());
  c.Font()->SetQuality(antiAlias ? fqAntialiased : fqNonAntialiased);
  c.TextOut(0, 0, lab.GetCaption());
  Unrotated u{c.TextExtent(lab.GetCaption()), {}};
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 300; ++x)
      if (PixelToColor(b.ScanLine(y)[x]) != clWhite) u.ink.push_back({x + 0.5, y + 0.5});
  return u;
}

// Where the unrotated ink lands when the cell's top-left goes to (X, Y) and
// the text turns by Degrees counter-clockwise about it.
Box Turned(const Unrotated& u, double X, double Y, int Degrees) {
  double t = Degrees * std::numbers::pi / 180, c = std::cos(t), s = std::sin(t);
  Box b;
  for (auto [x, y] : u.ink) b.Add(int(std::floor(X + x * c + y * s)), int(std::floor(Y - x * s + y * c)));
  return b;
}
}  // namespace

TEST(RotLab, ConstructorValues) {
  TRotLab lab(nullptr);
  EXPECT_EQ(lab.GetWidth(), 200);
  EXPECT_EQ(lab.GetHeight(), 200);
  EXPECT_EQ(lab.GetPosX(), 10);  // no parent yet: nothing to centre in
  EXPECT_EQ(lab.GetPosY(), 10);
  EXPECT_TRUE(lab.GetAutoCenter());
  EXPECT_EQ(lab.GetAlignment(), taCenter);
  EXPECT_TRUE(lab.GetAntiAlias());
  EXPECT_TRUE(lab.GetTransparent());
  EXPECT_EQ(lab.GetColor(), clBtnFace);
  EXPECT_EQ(lab.GetFrameStyle(), fsLowered);
  EXPECT_EQ(lab.GetTextAngle(), 0);
  EXPECT_EQ(lab.GetFont()->GetName(), "Arial");
  EXPECT_EQ(lab.GetFont()->GetSize(), 11);
  EXPECT_FALSE(lab.GetAutoSize());
}

// The anchor is the middle of the text's left end, centre or right end.
TEST(RotLab, TheTextLandsOnTheAnchorForEveryAlignmentAndAngle) {
  ShownRot s;
  s.lab->SetAntiAlias(false);
  Unrotated u = Measure(*s.lab, false);
  ASSERT_GT(u.ink.size(), 40u);
  const int w = u.extent.cx / 2, h = u.extent.cy / 2;
  for (int angle : {0, 90, 45}) {
    double t = angle * std::numbers::pi / 180, c = std::cos(t), sn = std::sin(t);
    for (TAlignment a : {taLeftJustify, taCenter, taRightJustify}) {
      s.lab->SetTextAngle(angle);
      s.lab->SetAlignment(a);
      int along = a == taLeftJustify ? 0 : a == taCenter ? w : 2 * w;
      double X = 100 + std::nearbyint(-along * c - h * sn), Y = 100 + std::nearbyint(along * sn - h * c);
      Box want = Turned(u, X, Y, angle), got = InkBox(*s.Shot(), clWhite);
      int slack = angle == 45 ? 2 : 1;  // a turned glyph rasterises a pixel either way
      SCOPED_TRACE("angle " + std::to_string(angle) + " alignment " + std::to_string(a));
      EXPECT_NEAR(got.x0, want.x0, slack);
      EXPECT_NEAR(got.x1, want.x1, slack);
      EXPECT_NEAR(got.y0, want.y0, slack);
      EXPECT_NEAR(got.y1, want.y1, slack);
    }
  }
  // At 90 degrees, centred, the text stands upright across the anchor, and
  // reads upwards: the first letter at the bottom.
  s.lab->SetTextAngle(90);
  s.lab->SetAlignment(taCenter);
  s.lab->SetCaption("H.");
  Box whole = InkBox(*s.Shot(), clWhite);
  EXPECT_LT(whole.y0, 100);
  EXPECT_GT(whole.y1, 100);
  s.lab->SetCaption(".");
  Box dot = InkBox(*s.Shot(), clWhite);
  s.lab->SetCaption("H");
  Box letter = InkBox(*s.Shot(), clWhite);
  EXPECT_GT(letter.y1 - letter.y0, 3 * (dot.y1 - dot.y0));
  EXPECT_EQ(RotatedTextOrigin(taRightJustify, 100, 100, 20, 8, 90), (TPoint{92, 140}));
  EXPECT_EQ(RotatedTextOrigin(taLeftJustify, 100, 100, 20, 8, 180), (TPoint{100, 108}));
  EXPECT_EQ(RotatedTextOrigin(taCenter, 0, 0, 1, 1, 45), (TPoint{-1, 0}));  // -1.414 and 0 exactly
  EXPECT_EQ(RotatedTextOrigin(taCenter, 0, 0, 10, 0, 60), (TPoint{-5, 9}));  // -5.0, 8.66
}

TEST(RotLab, AntiAliasingChangesOnlyTheEdges) {
  ShownRot s("Wave 42");
  s.lab->SetTextAngle(30);
  auto smooth = s.Shot();
  s.lab->SetAntiAlias(false);
  auto sharp = s.Shot();
  int greys = 0, differ = 0;
  auto partial = [&](int x, int y) {
    TColor c = PixelToColor(smooth->ScanLine(y)[x]);
    return c != clWhite && c != clBlack;
  };
  for (int y = 1; y < 199; ++y)
    for (int x = 1; x < 199; ++x) {
      TColor a = PixelToColor(smooth->ScanLine(y)[x]), b = PixelToColor(sharp->ScanLine(y)[x]);
      EXPECT_TRUE(b == clWhite || b == clBlack) << x << "," << y;
      if (partial(x, y)) ++greys;
      if (a == b) continue;
      ++differ;
      bool nearEdge = false;  // a partly covered pixel in reach
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) nearEdge |= partial(x + dx, y + dy);
      EXPECT_TRUE(nearEdge) << x << "," << y;
    }
  EXPECT_GT(greys, 20);
  EXPECT_GT(differ, 20);
  Box a = InkBox(*smooth, clWhite), b = InkBox(*sharp, clWhite);
  EXPECT_NEAR(a.Cx(), b.Cx(), 1.5);
  EXPECT_NEAR(a.Cy(), b.Cy(), 1.5);
}

TEST(RotLab, DisabledTextIsEmbossed) {
  ShownRot s("Off");
  s.lab->SetAntiAlias(false);
  s.lab->SetColor(clAqua);
  s.lab->SetTextAngle(20);
  auto on = s.Shot();
  s.lab->SetEnabled(false);
  auto off = s.Shot();
  const TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  int inked = 0;
  for (int y = 0; y < 199; ++y)
    for (int x = 0; x < 199; ++x) {
      bool ink = PixelToColor(on->ScanLine(y)[x]) == clBlack;
      bool inkUpLeft = x > 0 && y > 0 && PixelToColor(on->ScanLine(y - 1)[x - 1]) == clBlack;
      TColor now = PixelToColor(off->ScanLine(y)[x]);
      inked += ink;
      // The shadow copy where the text was, the highlight copy one pixel
      // right and down where the shadow leaves it.
      EXPECT_EQ(now, ink ? shadow : inkUpLeft ? light : clAqua) << x << "," << y;
    }
  EXPECT_GT(inked, 30);
}

TEST(RotLab, TransparentOnlyOnceAssigned) {
  ShownRot s;
  s.lab->SetFrameStyle(fsLowered);
  EXPECT_TRUE(s.lab->GetTransparent());
  EXPECT_EQ(PixelToColor(s.Shot()->ScanLine(5)[5]), clWhite);  // a new label paints its background
  s.lab->SetTransparent(true);
  auto shot = s.Shot();
  EXPECT_EQ(PixelToColor(shot->ScanLine(5)[5]), clYellow);    // the form shows through
  EXPECT_EQ(PixelToColor(shot->ScanLine(100)[0]), clGray);   // the frame stays
  EXPECT_EQ(PixelToColor(shot->ScanLine(199)[100]), clWhite);
  s.lab->SetColor(clRed);  // only shown when opaque
  EXPECT_EQ(PixelToColor(s.Shot()->ScanLine(5)[5]), clYellow);
  s.lab->SetTransparent(false);
  EXPECT_EQ(PixelToColor(s.Shot()->ScanLine(5)[5]), clRed);
  EXPECT_FALSE(s.lab->GetTransparent());
}

TEST(RotLab, AutoCenterKeepsTheAnchorInTheMiddle) {
  ShownRot s;
  EXPECT_EQ(s.lab->GetPosX(), 100);  // centred when it got its parent
  s.lab->SetPosX(5);
  s.lab->SetPosY(7);
  EXPECT_EQ(s.lab->GetPosX(), 100);
  EXPECT_EQ(s.lab->GetPosY(), 100);
  s.lab->SetBounds(10, 10, 151, 81);
  EXPECT_EQ(s.lab->GetPosX(), 75);
  EXPECT_EQ(s.lab->GetPosY(), 40);
  Box ink = InkBox(*s.Shot(), clWhite);
  EXPECT_NEAR(ink.Cx(), 75.5, 2.0);

  s.lab->SetAutoCenter(false);
  s.lab->SetPosX(5);
  EXPECT_EQ(s.lab->GetPosX(), 5);
  s.lab->SetBounds(10, 10, 200, 200);
  EXPECT_EQ(s.lab->GetPosX(), 5);
  s.lab->SetAutoCenter(true);
  EXPECT_EQ(s.lab->GetPosX(), 100);
  EXPECT_EQ(s.lab->GetPosY(), 100);
  s.lab->OnResize = nullptr;  // the application's own handler replaces the centring
  s.lab->SetBounds(10, 10, 100, 100);
  EXPECT_EQ(s.lab->GetPosX(), 100);
}

TEST(RotLab, AssignCopiesTheGeometry) {
  TRotLab a(nullptr), b(nullptr);
  a.SetAutoCenter(false);
  a.SetPosX(33);
  a.SetPosY(44);
  a.SetTextAngle(270);
  a.SetAntiAlias(false);
  a.SetFrameStyle(fsEngraved);
  a.SetAlignment(taRightJustify);
  b.Assign(&a);
  EXPECT_FALSE(b.GetAutoCenter());
  EXPECT_EQ(b.GetPosX(), 33);
  EXPECT_EQ(b.GetPosY(), 44);
  EXPECT_EQ(b.GetTextAngle(), 270);
  EXPECT_FALSE(b.GetAntiAlias());
  EXPECT_EQ(b.GetFrameStyle(), fsEngraved);
  EXPECT_EQ(b.GetAlignment(), taCenter);  // not part of the copy
  TFont font;
  EXPECT_THROW(b.Assign(&font), EConvertError);
  EXPECT_EQ(b.GetPosX(), 33);
}
