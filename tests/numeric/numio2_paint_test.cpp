#include <gtest/gtest.h>

#include <functional>

#include "NumIOTestUtil.h"
#include "numeric/QEL_NumIO.h"

using namespace qel;
using namespace qel::test;

namespace {
struct NumIO2PaintTest : NumFormFixture, ::testing::Test {
  TNumIO2* field = new TNumIO2(form);
  std::unique_ptr<TBitmap> shot;
  NumIO2PaintTest() {
    field->SetParent(form);
    field->SetBounds(10, 10, 160, 28);
    form->Show();
  }
  void Snap() { shot = robot.Capture(field); }
  TColor At(int x, int y) { return PixelToColor(shot->ScanLine(y)[x]); }
  // Columns (first, last) in x0..x1 and rows y0..y1 holding a pixel that passes.
  std::pair<int, int> InkColumns(int x0, int x1, int y0, int y1, const std::function<bool(TColor)>& ink) {
    int first = -1, last = -1;
    for (int x = x0; x <= x1; ++x)
      for (int y = y0; y <= y1; ++y)
        if (ink(At(x, y))) {
          if (first < 0) first = x;
          last = x;
        }
    return {first, last};
  }
  int Count(int x0, int x1, int y0, int y1, TColor c) {
    int n = 0;
    for (int x = x0; x <= x1; ++x)
      for (int y = y0; y <= y1; ++y) n += At(x, y) == c;
    return n;
  }
};
int R(TColor c) { return c & 0xFF; }
int G(TColor c) { return (c >> 8) & 0xFF; }
int B(TColor c) { return (c >> 16) & 0xFF; }
bool Dark(TColor c) { return R(c) < 0x60 && G(c) < 0x60 && B(c) < 0x60; }
}  // namespace

TEST_F(NumIO2PaintTest, DefaultFieldHasTheLoweredBoxFrom35To116) {
  Snap();
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(At(34, 10), face);
  EXPECT_EQ(At(35, 10), clGray);     // the box outline
  EXPECT_EQ(At(116, 10), clGray);
  EXPECT_EQ(At(35, 0), clGray);
  EXPECT_EQ(At(36, 10), clBlack);    // inner bevel, left
  EXPECT_EQ(At(60, 1), clBlack);     // inner bevel, top
  EXPECT_EQ(At(117, 10), clWhite);   // outer bevel, right
  EXPECT_EQ(At(60, 27), clWhite);    // outer bevel, bottom
  EXPECT_EQ(At(118, 10), face);
  EXPECT_EQ(At(35, 27), face);
  EXPECT_EQ(At(60, 5), clWhite);     // inside
  EXPECT_EQ(At(0, 0), face);
  EXPECT_EQ(At(159, 27), face);
}

TEST_F(NumIO2PaintTest, TextIsCentredInTheBoxAndTheCaretBlinks) {
  field->SetText("88.88");
  field->SetSelEnd(5);
  field->SetSelBegin(5);
  field->SetFocus();
  Snap();
  auto [first, last] = InkColumns(38, 114, 4, 23, [](TColor c) { return Dark(c); });
  ASSERT_GT(first, 0);
  // The caret stands right of the text: ink from the text and the caret line.
  int caretX = field->CharPosToXCoords(5) - 1;
  EXPECT_EQ(At(caretX, 4), clBlack);
  EXPECT_EQ(At(caretX, 24), clBlack);
  EXPECT_NE(At(caretX, 25), clBlack);
  EXPECT_LE(std::abs((first + caretX) - (35 + 117)), 4);  // text plus caret centred on the box
  Headless().AdvanceTime(500);
  Snap();
  EXPECT_EQ(At(caretX, 4), clWhite);
}

TEST_F(NumIO2PaintTest, AutoSizeFitsTheHeightToTheFontWithoutTheMinimum) {
  field->GetFont()->SetHeight(-8);
  field->SetAutoSize(true);
  Application->ProcessMessages();
  TCanvas measure;
  measure.Font()->Assign(field->GetFont());
  EXPECT_EQ(field->GetHeight(), measure.TextHeight("E0") + 6);
  EXPECT_LT(field->GetHeight(), 18);
}

TEST_F(NumIO2PaintTest, OutOfRangePaintsTheWarnColours) {
  field->SetText("111");
  Headless().AdvanceTime(500);  // without the focus the caret goes at the first tick
  Snap();
  EXPECT_EQ(At(50, 5), clWhite);
  field->SetValue(2000);  // above RangeHigh 1000
  Snap();
  EXPECT_EQ(At(50, 5), TColor(0x88FFF0));
  EXPECT_EQ(At(35, 10), clGray);  // the frame keeps its colour
  auto red = [](TColor c) { return R(c) > 0xC0 && G(c) < 0x60 && B(c) < 0x60; };
  EXPECT_GT(InkColumns(38, 114, 4, 23, red).first, 0);
  EXPECT_LT(InkColumns(38, 114, 4, 23, [](TColor c) { return Dark(c); }).first, 0);
  field->SetFrameStyle(fsNone);  // without a frame the outline takes the warn colour too
  Snap();
  EXPECT_EQ(At(35, 10), TColor(0x88FFF0));
}

TEST_F(NumIO2PaintTest, DisabledFieldIsSilverWithGreyTextAndEmbossedSideText) {
  field->SetText("1111");
  field->SetLeftText("Ab");
  field->SetButVisible(true);
  Headless().AdvanceTime(500);
  Snap();
  EXPECT_EQ(Count(0, 34, 0, 27, clWhite), 0);
  EXPECT_EQ(At(125, 8), clBlack);
  field->SetEnabled(false);
  Snap();
  EXPECT_EQ(At(50, 5), clSilver);
  EXPECT_EQ(At(35, 10), clGray);
  EXPECT_LT(InkColumns(38, 114, 4, 23, [](TColor c) { return Dark(c); }).first, 0);
  EXPECT_GT(InkColumns(38, 114, 4, 23, [](TColor c) { return c == clGray; }).first, 0);
  EXPECT_GT(Count(0, 34, 0, 27, clWhite), 0);
  EXPECT_GT(Count(0, 34, 0, 27, clGray), 0);
  EXPECT_EQ(At(125, 8), clGray);  // the arrows too
}

TEST_F(NumIO2PaintTest, SpinButtonsAndGauge) {
  field->SetButVisible(true);
  Snap();
  EXPECT_EQ(At(118, 10), clGray);   // body outline
  EXPECT_EQ(At(125, 13), clGray);   // divider
  EXPECT_EQ(At(119, 20), clWhite);  // 3D light edge
  EXPECT_EQ(At(125, 27), clBlack);  // 3D dark edge
  EXPECT_EQ(At(127, 6), clBlack);   // up arrow tip
  EXPECT_EQ(At(126, 6), clSilver);
  EXPECT_EQ(At(125, 8), clBlack);
  EXPECT_EQ(At(127, 21), clBlack);  // down arrow tip
  EXPECT_EQ(At(125, 19), clBlack);
  field->SetHeight(40);
  field->SetGaugeVisible(true);
  field->SetRangeLow(0);
  field->SetRangeHigh(10);
  field->SetValue(5);
  Snap();
  EXPECT_EQ(At(35, 26), clGray);    // the box ends above the gauge band
  EXPECT_EQ(At(60, 27), clWhite);
  EXPECT_EQ(At(60, 28), ColorToRGB(clBtnFace));
  EXPECT_EQ(At(70, 35), clNavy);    // bar up to 35 + 41
  EXPECT_EQ(At(75, 35), clNavy);
  EXPECT_EQ(At(77, 35), clSilver);
  EXPECT_EQ(At(35, 35), clGray);    // outline
  EXPECT_EQ(At(36, 35), clBlack);   // inner bevel
  EXPECT_EQ(At(117, 35), clWhite);  // outer bevel
  field->SetRangeHigh(0);            // equal limits: a full bar
  field->SetRangeLow(0);
  Snap();
  EXPECT_EQ(At(110, 35), clNavy);
}

TEST_F(NumIO2PaintTest, SelectionIsInvertedAndClippedToTheBox) {
  field->SetTextBoxWidth(10);
  field->SetText("999");
  field->SetFocus();
  field->SetSelBegin(0);
  field->SetSelEnd(3);
  Snap();
  EXPECT_EQ(At(40, 4), clBlack);             // white box inverted
  EXPECT_EQ(At(49, 10), ColorToRGB(clBtnFace));  // nothing inverted beyond the box
  field->SetHideSelection(true);
  TNumIO2* other = new TNumIO2(form);
  other->SetParent(form);
  other->SetBounds(10, 60, 160, 28);
  other->SetFocus();
  Snap();
  EXPECT_EQ(At(40, 4), clWhite);  // hidden without the focus
  field->SetHideSelection(false);
  Snap();
  EXPECT_EQ(At(40, 4), clBlack);
}

TEST_F(NumIO2PaintTest, RightTextSitsLeftRightOrCentredInTheSpaceAfterTheBox) {
  // The box ends at 117 (LeftSpace 35 + TextBoxWidth 82); the right text has 160 - 117 pixels.
  field->SetRightText("Hz");
  auto dark = [](TColor c) { return Dark(c); };
  int from = 118;
  auto inkLeft = [&](TAlignment a) {
    field->SetRightTextAlignment(a);
    Snap();
    return InkColumns(from, 159, 0, 27, dark).first;
  };
  const int left = inkLeft(taLeftJustify), right = inkLeft(taRightJustify), centre = inkLeft(taCenter);
  ASSERT_GT(left, 118);
  // Left at 117 + 7, right ending 6 before the edge: their distance gives the text width.
  const int tw = (160 - 6) - (117 + 7) - (right - left);
  ASSERT_GT(tw, 4);
  EXPECT_EQ(centre - left, (160 - (117 + tw)) / 2 + 1 - 7);
  field->SetButVisible(true);  // the buttons move the space right by their width and gap
  const int shift = field->GetButWidth() + field->GetButSpace();
  from += shift;
  EXPECT_EQ(inkLeft(taLeftJustify), left + shift);
}

// A text of 180 000 digits, kept up to date as keys change it: what shows
// of it in the box, with caret and selection, is what a new field shows of
// a short text with the same digits there.
TEST_F(NumIO2PaintTest, ALongTextShowsItsEndsAsAShortTextDoes) {
  std::string digits;
  for (int i = 0; i < 20000; ++i) digits += "123456789";
  field->SetText(digits);
  ASSERT_EQ(field->GetText(), digits);
  TAlignment alignment = taRightJustify;
  auto shot = [&](TNumIO2* f, std::initializer_list<uint16_t> keys, int selFromEnd = 0) {
    f->SetAlignment(alignment);
    f->SetFocus();
    for (uint16_t k : keys) robot.Key(k);
    if (selFromEnd) {
      f->SetSelBegin(int(f->GetText().size()) - selFromEnd);
      f->SetSelEnd(int(f->GetText().size()) - 2);
    }
    return robot.Capture(f);
  };
  // The field after Keys against a new field with Twin's text after TwinKeys.
  auto same = [&](std::initializer_list<uint16_t> keys, const std::string& twinText,
                  std::initializer_list<uint16_t> twinKeys, int selFromEnd = 0) {
    auto x = shot(field, keys, selFromEnd);
    auto* twin = new TNumIO2(form);
    twin->SetParent(form);
    twin->SetBounds(10, 60, 160, 28);
    twin->SetText(twinText);
    auto y = shot(twin, twinKeys, selFromEnd);
    delete twin;
    for (int row = 0; row < x->GetHeight(); ++row)
      for (int col = 0; col < x->GetWidth(); ++col)
        if (x->ScanLine(row)[col] != y->ScanLine(row)[col]) return false;
    return true;
  };
  auto tail = [&] { return field->GetText().substr(field->GetText().size() - 36); };
  auto head = [&] { return field->GetText().substr(0, 36); };
  EXPECT_TRUE(same({VK_END}, digits.substr(digits.size() - 36), {VK_END}));
  EXPECT_TRUE(same({'7', '7'}, digits.substr(digits.size() - 34) + "77", {VK_END}));
  EXPECT_TRUE(same({VK_BACK, VK_LEFT}, digits.substr(digits.size() - 35) + "7", {VK_END, VK_LEFT}));
  EXPECT_TRUE(same({}, tail(), {VK_END, VK_LEFT}, 6));

  alignment = taLeftJustify;
  EXPECT_TRUE(same({VK_HOME, VK_RIGHT, VK_RIGHT}, head(), {VK_HOME, VK_RIGHT, VK_RIGHT}));
  EXPECT_TRUE(same({VK_HOME, VK_DELETE, '5'}, "5" + digits.substr(1, 35), {VK_HOME, VK_RIGHT}));  // same length
  EXPECT_EQ(field->GetText(), "5" + digits.substr(1) + "7");
  field->SetText("9" + digits.substr(1) + "7");  // the program's text, same length again
  EXPECT_TRUE(same({VK_HOME}, "9" + digits.substr(1, 35), {VK_HOME}));
}
