// On/off button painting: where each caption goes for each alignment, the
// embossed disabled captions, the border, and the key colour in opaque and
// transparent output.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gauges/QEL_onoffbut.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr TColor kGround = 0xE0F0D0, kText = 0x0000C0, kParent = 0x70A050;

struct OnOffPaint : ::testing::Test {
  TForm form{nullptr};
  TOnOffBut* but = new TOnOffBut(&form);
  TTestRobot robot;
  std::unique_ptr<TBitmap> shot;
  OnOffPaint() {
    form.SetBounds(0, 0, 400, 200);
    form.SetColor(kParent);
    but->SetParent(&form);
    but->SetBounds(10, 10, 240, 120);
    but->SetColorBackgnd(kGround);
    but->SetColorText(kText);
    form.Show();
  }
  void Shoot() { shot = robot.Capture(but); }
  TColor At(int X, int Y) const { return PixelToColor(shot->ScanLine(Y)[X] & 0xFFFFFF); }
  // The bounding box of the pixels in Colour within Area (inside the border).
  TRect Find(TColor Colour, TRect Area = {2, 2, 238, 118}) const {
    TRect box{};
    for (int y = Area.Top; y < Area.Bottom; ++y)
      for (int x = Area.Left; x < Area.Right; ++x)
        if (At(x, y) == Colour) box = UnionRect(box, {x, y, x + 1, y + 1});
    return box;
  }
  int TextWidth(const std::string& S) {
    TCanvas c;
    c.Font()->Assign(but->GetFont());
    return c.TextWidth(S);
  }
  int TextHeight() {
    TCanvas c;
    c.Font()->Assign(but->GetFont());
    return c.TextHeight("Mg");
  }
};
}  // namespace

TEST_F(OnOffPaint, CaptionsSitWhereTheirAlignmentPutsThem) {
  // Picture area at (105, 51), 30 x 18 (centred); W = 240.
  const int ls = 105, ts = 51, gw = 30, gh = 18, W = 240;
  ASSERT_EQ(but->GetLeftSpace(), ls);
  ASSERT_EQ(but->GetTopSpace(), ts);
  const std::string text = "HHHH";
  const int tw = TextWidth(text), th = TextHeight();
  struct Case {
    const char* where;
    TAlignment align;
    int x, y;
  };
  const int side = ts + (gh - th) / 2;
  const Case cases[] = {
      {"left", taLeftJustify, 4, side},
      {"left", taRightJustify, ls - tw - 3, side},
      {"left", taCenter, (ls - tw) / 2, side},
      {"right", taLeftJustify, ls + gw + 4, side},
      {"right", taRightJustify, W - tw - 4, side},
      {"right", taCenter, (W - tw - (ls + gw)) / 2 + ls + gw + 1, side},
      {"top", taLeftJustify, 4, ts - th - 4},
      {"top", taRightJustify, W - tw - 4, ts - th - 4},
      {"top", taCenter, ls + (gw - tw) / 2, ts - th - 4},
      {"bottom", taLeftJustify, 4, ts + gh + 4},
      {"bottom", taRightJustify, W - tw - 4, ts + gh + 4},
      {"bottom", taCenter, ls + (gw - tw) / 2, ts + gh + 4},
  };
  // Where the letters' ink lies in their cell, drawn alone.
  TBitmap alone(tw + 8, th + 8);
  alone.Canvas()->Brush()->SetColor(kGround);
  alone.Canvas()->FillRect({0, 0, tw + 8, th + 8});
  alone.Canvas()->Font()->Assign(but->GetFont());
  alone.Canvas()->Font()->SetColor(kText);
  alone.Canvas()->TextOut(0, 0, text);
  TRect cell{};
  for (int y = 0; y < th + 8; ++y)
    for (int x = 0; x < tw + 8; ++x)
      if (PixelToColor(alone.ScanLine(y)[x] & 0xFFFFFF) == kText) cell = UnionRect(cell, {x, y, x + 1, y + 1});
  ASSERT_FALSE(cell.IsEmpty());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.where) + " " + std::to_string(c.align));
    std::string w = c.where;
    but->SetLeftText(w == "left" ? text : "");
    but->SetRightText(w == "right" ? text : "");
    but->SetTopText(w == "top" ? text : "");
    but->SetBottomText(w == "bottom" ? text : "");
    but->SetLeftTextAlignment(c.align);
    but->SetRightTextAlignment(c.align);
    but->SetTopTextAlignment(c.align);
    but->SetBottomTextAlignment(c.align);
    Shoot();
    TRect ink = Find(kText);
    EXPECT_EQ(ink.Left, c.x + cell.Left);
    EXPECT_EQ(ink.Top, c.y + cell.Top);
    EXPECT_EQ(ink.Right, c.x + cell.Right);
    EXPECT_EQ(ink.Bottom, c.y + cell.Bottom);
  }
}

TEST_F(OnOffPaint, DisabledCaptionsAreEmbossedAndTheBorderFollowsTheStyle) {
  but->SetBottomText("HHHH");
  but->SetEnabled(false);
  Shoot();
  EXPECT_TRUE(Find(kText).IsEmpty());
  // Under the picture: the grey copy (darker than the ground) and the white
  // copy one pixel right and down (lighter than the ground).
  TRect dark{}, light{};
  for (int y = 72; y < 118; ++y)
    for (int x = 2; x < 238; ++x) {
      TColor c = At(x, y);
      if (GetRValue(c) < 160 && GetGValue(c) < 160) dark = UnionRect(dark, {x, y, x + 1, y + 1});
      if (GetRValue(c) > 240 && GetGValue(c) > 248 && GetBValue(c) > 240) light = UnionRect(light, {x, y, x + 1, y + 1});
    }
  ASSERT_FALSE(dark.IsEmpty());
  EXPECT_EQ(light.Left, dark.Left + 1);
  EXPECT_GT(light.Top, dark.Top);  // the white copy's top is partly under the grey one
  EXPECT_EQ(light.Right, dark.Right + 1);
  EXPECT_EQ(light.Bottom, dark.Bottom + 1);
  // fsLowered (DrawFrame): grey top and left, white bottom and right.
  EXPECT_EQ(At(0, 60), clGray);
  EXPECT_EQ(At(120, 0), clGray);
  EXPECT_EQ(At(239, 60), clWhite);
  EXPECT_EQ(At(120, 119), clWhite);
  EXPECT_EQ(At(1, 60), kGround);
  but->SetFrameStyle(fsNone);
  Shoot();
  EXPECT_EQ(At(0, 60), kGround);
}

TEST_F(OnOffPaint, KeyColourShowsTheGroundOrTheParent) {
  but->SetButtonStyle(oobsRadioBut);  // round: its corners are key colour
  but->SetTopText("HHHH");
  const int x0 = but->GetLeftSpace() + 1, y0 = but->GetTopSpace() + 1;
  Shoot();
  EXPECT_EQ(At(x0, y0), kGround);  // the frame's corner
  const TColor centre = At(x0 + 7, y0 + 7);
  EXPECT_NE(centre, kGround);
  EXPECT_FALSE(Find(kText).IsEmpty());
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 240; ++x) ASSERT_NE(At(x, y), TOnOffBut::KeyColor) << x << "," << y;

  but->SetTransparent(true);
  Shoot();
  EXPECT_EQ(At(x0, y0), kParent);            // see-through in the picture
  EXPECT_EQ(At(30, 100), kParent);           // and on the empty ground
  EXPECT_EQ(At(x0 + 7, y0 + 7), centre);     // the picture itself
  EXPECT_FALSE(Find(kText).IsEmpty());       // the caption
  EXPECT_EQ(At(0, 60), clGray);              // the border
  EXPECT_EQ(At(239, 60), clWhite);
  // Switching while transparent repaints from the parent up: the rays of a
  // lit bulb leave no trace when it goes off.
  but->SetButtonStyle(oobsBulb);
  Application->ProcessMessages();
  const int bx = but->GetLeftSpace() + 1, by = but->GetTopSpace() + 1;
  const uint32_t key = ColorToPixel(TOnOffBut::KeyColor);
  int rays = 0;
  for (int y = 0; y < but->GetGlyphHeight(); ++y)
    for (int x = 0; x < but->GetGlyphWidth(); ++x)
      if (but->Frame(3)->ScanLine(y)[x] != key && but->Frame(1)->ScanLine(y)[x] == key) {
        but->SetOnOff(false);
        Application->ProcessMessages();
        Shoot();
        ASSERT_EQ(At(bx + x, by + y), kParent) << x << "," << y;
        but->SetOnOff(true);
        Application->ProcessMessages();
        Shoot();
        ASSERT_NE(At(bx + x, by + y), kParent) << x << "," << y;
        if (++rays == 3) return;
      }
  FAIL() << "the lit bulb has no rays";
}
