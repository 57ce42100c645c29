// Numeric label painting: the box and its frame, where the value and side
// texts land for every alignment, the embossed disabled look, the overflow
// rule, Empty, Assign, and the transparent transfer over a patterned parent.
// Texts are drawn without anti-aliasing so that every pixel is exact.
#include <gtest/gtest.h>

#include "../platform/rtl/SettingsGuard.h"
#include "numeric/QEL_NumLab.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/rtl/Exceptions.h"

using namespace qel;

namespace {
constexpr TColor kBox = 0x00FFFF, kOut = 0xFFFF00, kInk = 0x0000C0, kSideInk = 0x800000;
constexpr int kW = 240, kH = 28, kLS = 60, kLW = 100;
const char* const kSample = "(8g]}\xC3\x9C\xC3\x84\xC2\xA7";

// Black and white squares of 3 pixels, under the label.
class TChecker : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  static TColor At(int x, int y) { return ((x / 3 + y / 3) % 2) ? clBlack : clWhite; }

 protected:
  void Paint() override {
    for (int y = 0; y < GetHeight(); ++y)
      for (int x = 0; x < GetWidth(); ++x) Canvas()->SetPixels(x, y, At(x, y));
  }
};

struct NumLabPaint : ::testing::Test {
  test::SettingsGuard settings;
  TForm form{nullptr};
  TChecker* checker = new TChecker(&form);
  TNumLab* lab = new TNumLab(&form);
  TTestRobot robot;
  std::unique_ptr<TBitmap> shot;
  NumLabPaint() {
    form.SetBounds(0, 0, 300, 100);
    checker->SetParent(&form);
    checker->SetBounds(10, 10, kW, kH);
    lab->SetParent(&form);
    lab->SetBounds(10, 10, kW, kH);
    lab->GetFont()->SetQuality(fqNonAntialiased);
    lab->SetLeftSpace(kLS);
    lab->SetLabelWidth(kLW);
    lab->SetColorLabBakG(kBox);
    lab->SetColorOutBakG(kOut);
    lab->SetColorLabText(kInk);
    lab->SetColorOutText(kSideInk);
    form.Show();
  }
  void Snap() { shot = robot.Capture(lab); }
  TColor At(int x, int y) { return PixelToColor(shot->ScanLine(y)[x]); }
  int TextWidth(const std::string& s) {
    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(lab->GetFont());
    return b.Canvas()->TextWidth(s);
  }
  int TextTop() {
    TBitmap b(1, 1);
    b.Canvas()->Font()->Assign(lab->GetFont());
    return (kH - b.Canvas()->TextHeight(kSample)) / 2;
  }
  // Whether the text, drawn at (X, Y) and clipped to Clip, covers (x, y).
  std::unique_ptr<TBitmap> Mask(const std::string& s, int X, int Y, TRect Clip = {0, 0, kW, kH}) {
    auto m = std::make_unique<TBitmap>(kW, kH);
    TCanvas* c = m->Canvas();
    c->Font()->Assign(lab->GetFont());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->TextRect(Clip, X, Y, s);
    return m;
  }
  // Every pixel of Region: Ink where the mask is set, else Ground.
  ::testing::AssertionResult Shows(const TRect& Region, const TBitmap& M, TColor Ink, TColor Ground, int Dx = 0,
                                   int Dy = 0) {
    int inked = 0;
    for (int y = Region.Top; y < Region.Bottom; ++y)
      for (int x = Region.Left; x < Region.Right; ++x) {
        int mx = x - Dx, my = y - Dy;
        bool ink = mx >= 0 && my >= 0 && mx < kW && my < kH && M.ScanLine(my)[mx] == 0;
        inked += ink;
        if (At(x, y) != (ink ? Ink : Ground))
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << At(x, y);
      }
    if (inked == 0) return ::testing::AssertionFailure() << "no text in the region";
    return ::testing::AssertionSuccess();
  }
  const TRect kInside{kLS + 3, 2, kLS + kLW - 1, kH - 3};
};
}  // namespace

TEST_F(NumLabPaint, BoxFrameAndGround) {
  lab->SetEmpty(true);
  Snap();
  EXPECT_EQ(At(0, 0), kOut);
  EXPECT_EQ(At(kLS, 10), kOut);
  EXPECT_EQ(At(kLS + 1, 10), clGray);  // lowered: dark top and left
  EXPECT_EQ(At(kLS + 10, 0), clGray);
  EXPECT_EQ(At(kLS + kLW, 10), clWhite);
  EXPECT_EQ(At(kLS + 10, kH - 2), clWhite);
  EXPECT_EQ(At(kLS + 10, kH - 1), kOut);
  EXPECT_EQ(At(kLS + kLW + 1, 10), kOut);
  EXPECT_EQ(At(kLS + 2, 1), kBox);
  EXPECT_EQ(At(kLS + kLW - 1, kH - 3), kBox);
  lab->SetFrameStyle(fsNone);  // the outline takes the box colour
  Snap();
  EXPECT_EQ(At(kLS + 1, 10), kBox);
  EXPECT_EQ(At(kLS + kLW, 10), kBox);
  lab->SetFrameStyle(fsSimple);
  Snap();
  EXPECT_EQ(At(kLS + kLW, 10), clBlack);
}

TEST_F(NumLabPaint, ValueTextForEachAlignment) {
  lab->SetValue(-12.5);
  const int tw = TextWidth("-12.50"), y = TextTop();
  struct Case {
    TAlignment a;
    int x;
  } cases[] = {{taLeftJustify, kLS + 4}, {taRightJustify, kLS + kLW - tw - 2}, {taCenter, kLS + (kLW - tw) / 2 + 2}};
  for (const Case& c : cases) {
    lab->SetAlignment(c.a);
    Snap();
    EXPECT_TRUE(Shows(kInside, *Mask("-12.50", c.x, y), kInk, kBox)) << "alignment " << int(c.a);
  }
}

TEST_F(NumLabPaint, SideTextsForEachAlignment) {
  lab->SetLeftText("Volt");
  lab->SetRightText("mA");
  const int lw = TextWidth("Volt"), rw = TextWidth("mA"), y = TextTop();
  const TRect left{0, 0, kLS + 1, kH}, right{kLS + kLW + 1, 0, kW, kH};
  struct Case {
    TAlignment a;
    int lx, rx;
  } cases[] = {{taLeftJustify, 7, kLS + kLW + 7},
               {taRightJustify, kLS - lw - 5, kW - rw - 6},
               {taCenter, (kLS - lw) / 2, (kW - kLS - kLW - rw) / 2 + kLS + kLW + 1}};
  for (const Case& c : cases) {
    lab->SetLeftTextAlignment(c.a);
    lab->SetRightTextAlignment(c.a);
    Snap();
    EXPECT_TRUE(Shows(left, *Mask("Volt", c.lx, y), kSideInk, kOut)) << "alignment " << int(c.a);
    EXPECT_TRUE(Shows(right, *Mask("mA", c.rx, y), kSideInk, kOut)) << "alignment " << int(c.a);
  }
}

TEST_F(NumLabPaint, DisabledTextsAreEmbossedAndTheValueGreyed) {
  lab->SetLeftText("Volt");
  lab->SetLeftTextAlignment(taLeftJustify);
  lab->SetEnabled(false);
  Snap();
  auto m = Mask("Volt", 7, TextTop());
  int grey = 0, white = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kLS; ++x) {
      bool ink = m->ScanLine(y)[x] == 0, shadow = x > 0 && y > 0 && m->ScanLine(y - 1)[x - 1] == 0;
      TColor want = ink ? clGray : shadow ? clWhite : kOut;
      ASSERT_EQ(At(x, y), want) << x << "," << y;
      grey += ink;
      white += shadow && !ink;
    }
  EXPECT_GT(grey, 0);
  EXPECT_GT(white, 0);
  const int tw = TextWidth("0.00");
  EXPECT_TRUE(Shows(kInside, *Mask("0.00", kLS + (kLW - tw) / 2 + 2, TextTop()), ColorToRGB(clBtnShadow), kBox));
  lab->SetEnabled(true);
  Snap();
  EXPECT_TRUE(Shows({0, 0, kLS, kH}, *m, kSideInk, kOut));
}

TEST_F(NumLabPaint, OverflowIndicatorAppliesToTheFinalText) {
  const std::string wide = "8888888888";
  lab->OnBeforeDisplay = [&](TObject*, std::string& t) { t = wide; };
  lab->SetAlignment(taLeftJustify);
  const int y = TextTop();
  lab->SetLabelWidth(TextWidth(wide) + 6);  // exactly fits
  Snap();
  EXPECT_TRUE(Shows({kLS + 3, 2, kLS + 40, kH - 3}, *Mask(wide, kLS + 4, y), kInk, kBox));
  lab->SetLabelWidth(TextWidth(wide) + 5);  // one pixel short
  Snap();
  EXPECT_TRUE(Shows({kLS + 3, 2, kLS + 40, kH - 3}, *Mask("*********", kLS + 4, y), kInk, kBox));
  lab->SetOverflowIndicator("##");
  Snap();
  EXPECT_TRUE(Shows({kLS + 3, 2, kLS + 40, kH - 3}, *Mask("##", kLS + 4, y), kInk, kBox));
  // A state text is never replaced: it is clipped to the box instead.
  lab->OnBeforeDisplay = nullptr;
  lab->SetStateText(wide + wide);
  lab->SetDisplayType(dtState);
  Snap();
  const int lw = lab->GetLabelWidth();
  const TRect inside{kLS + 3, 2, kLS + lw - 1, kH - 3};
  EXPECT_TRUE(Shows(inside, *Mask(wide + wide, kLS + 4, y, inside), kInk, kBox));
}

TEST_F(NumLabPaint, EmptyShowsFrameAndSideTextsOnly) {
  int calls = 0;
  lab->OnBeforeDisplay = [&](TObject*, std::string&) { ++calls; };
  lab->SetRightText("kg");
  lab->SetValue(88);
  lab->SetEmpty(true);
  calls = 0;
  Snap();
  for (int y = 2; y < kH - 3; ++y)
    for (int x = kLS + 3; x < kLS + kLW - 1; ++x) ASSERT_EQ(At(x, y), kBox) << x << "," << y;
  EXPECT_TRUE(Shows({kLS + kLW + 1, 0, kW, kH}, *Mask("kg", kLS + kLW + 7, TextTop()), kSideInk, kOut));
  lab->Paint();
  EXPECT_EQ(calls, 0);
}

TEST_F(NumLabPaint, TransparentLeavesTheParentsPixels) {
  lab->SetLeftText("WWWW");
  lab->SetLeftTextAlignment(taLeftJustify);
  lab->SetColorOutText(clBlack);
  lab->SetTransparent(true);
  Snap();
  lab->SetLeftText("I");  // must not leave the W's behind
  lab->SetValue(3);
  Snap();
  auto m = Mask("I", 7, TextTop());
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x <= kLS; ++x)
      ASSERT_EQ(At(x, y), m->ScanLine(y)[x] == 0 ? clBlack : TChecker::At(x, y)) << x << "," << y;
  for (int x = kLS + kLW + 1; x < kW; ++x) ASSERT_EQ(At(x, 12), TChecker::At(x, 12)) << x;
  // The box is cleared from (LS + 2, 2); above that row the parent shows
  // through the box colour.
  EXPECT_EQ(At(kLS + 2, 2), kBox);
  EXPECT_EQ(At(kLS + 10, 1), kBox & TChecker::At(kLS + 10, 1));
  const int tw = TextWidth("3.00");
  EXPECT_TRUE(
      Shows({kLS + 3, 2, kLS + kLW - 1, kH - 3}, *Mask("3.00", kLS + (kLW - tw) / 2 + 2, TextTop()), kInk, kBox));
  lab->SetTransparent(false);
  Snap();
  EXPECT_EQ(At(kW - 2, 12), kOut);
}

TEST_F(NumLabPaint, AssignCopiesItsListAndKeepsTheRest) {
  auto* src = new TNumLab(&form);
  src->SetValue(7);
  src->SetDisplayType(dtInt);
  src->SetLeftText("L");
  src->SetAlignment(taRightJustify);
  src->SetColorLabText(0x123456);
  src->SetColorScheme(csSystem);
  src->SetLeftSpace(20);
  src->SetComma(true);
  src->SetDTFormat("yyyy");
  src->SetEnabled(false);
  lab->Assign(src);
  EXPECT_EQ(lab->GetValue(), 7);
  EXPECT_EQ(lab->GetDisplayType(), dtInt);
  EXPECT_EQ(lab->GetLeftText(), "L");
  EXPECT_EQ(lab->GetAlignment(), taRightJustify);
  EXPECT_EQ(lab->GetColorLabText(), 0x123456u);
  EXPECT_EQ(lab->GetColorScheme(), csSystem);
  EXPECT_EQ(lab->GetLeftSpace(), 20);
  EXPECT_FALSE(lab->GetComma());
  EXPECT_EQ(lab->GetDTFormat(), "mmm-dd, yyyy");
  EXPECT_TRUE(lab->GetEnabled());
  TBitmap other(2, 2);
  EXPECT_THROW(lab->Assign(&other), EConvertError);
  lab->SetValue(8);  // still usable
  EXPECT_EQ(lab->GetValue(), 8);
  lab->SetLeftSpace(-1);
  EXPECT_EQ(lab->GetLeftSpace(), 20);
  lab->SetLeftSpace(999);
  EXPECT_EQ(lab->GetLeftSpace(), kW);
  lab->SetLabelWidth(-5);  // no limit
  EXPECT_EQ(lab->GetLabelWidth(), -5);
}
