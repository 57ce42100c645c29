#include <gtest/gtest.h>

#include "StdCtrlsTestUtil.h"
#include "platform/stdctrls/DrawText.h"

using namespace qel;
using namespace qel::test;

namespace {
struct DrawTextTest : ::testing::Test {
  TBitmap bmp{200, 80};
  TCanvas* c = bmp.Canvas();
  DrawTextTest() { Clear(); }
  void Clear() {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect({0, 0, 200, 80});
    c->Font()->SetColor(clBlack);
  }
  TRect Calc(const std::string& text, unsigned flags, int width = 200) {
    TRect r{0, 0, width, 0};
    DrawText(c, text, r, flags | DT_CALCRECT);
    return r;
  }
  TRect Ink(const std::string& text, TRect r, unsigned flags) {
    Clear();
    c->Brush()->SetStyle(bsClear);
    DrawText(c, text, r, flags);
    return InkBounds(bmp, clWhite);
  }
};
}  // namespace

TEST_F(DrawTextTest, CalcRectMeasuresLinesAndPrefixes) {
  int line = c->TextHeight("A");
  EXPECT_EQ(Calc("Hello", 0), Rect(0, 0, c->TextWidth("Hello"), line));
  EXPECT_EQ(Calc("ab\nabcdef\r\nx", 0), Rect(0, 0, c->TextWidth("abcdef"), 3 * line));
  EXPECT_EQ(Calc("ab\nabcdef", DT_SINGLELINE).Height(), line);
  EXPECT_EQ(Calc("&Save", 0).Width(), c->TextWidth("Save"));
  EXPECT_EQ(Calc("&Save", DT_NOPREFIX).Width(), c->TextWidth("&Save"));
  EXPECT_EQ(Calc("Fish && Chips", 0).Width(), c->TextWidth("Fish & Chips"));
  EXPECT_EQ(Calc("end&", 0).Width(), c->TextWidth("end"));
  EXPECT_EQ(Calc("", 0), Rect(0, 0, 0, 0));
  // A rectangle that does not start at the origin keeps its corner.
  TRect r{10, 20, 15, 20};
  DrawText(c, "wide text", r, DT_CALCRECT);
  EXPECT_EQ(r, Rect(10, 20, 10 + c->TextWidth("wide text"), 20 + line));
}

TEST_F(DrawTextTest, WordBreakFillsLinesGreedilyAndKeepsLongWordsWhole) {
  int line = c->TextHeight("A");
  std::string text = "one two three four five six seven";
  int width = c->TextWidth("one two three") + 2;
  TRect r = Calc(text, DT_WORDBREAK, width);
  EXPECT_LE(r.Width(), width);
  EXPECT_EQ(r.Height() % line, 0);
  EXPECT_GE(r.Height(), 3 * line);
  // The same words without breaking make one line.
  EXPECT_EQ(Calc(text, 0, width).Height(), line);
  // A word wider than the rectangle stays whole on its own line.
  TRect longWord = Calc("a supercalifragilistic b", DT_WORDBREAK, c->TextWidth("super"));
  EXPECT_EQ(longWord.Width(), c->TextWidth("supercalifragilistic"));
  EXPECT_EQ(longWord.Height(), 3 * line);
  // Spaces at a break vanish: two words that each fit make exactly two lines.
  EXPECT_EQ(Calc("abc    def", DT_WORDBREAK, c->TextWidth("abc ")).Height(), 2 * line);
}

TEST_F(DrawTextTest, TabsExpandToStopsOfEightAverageCharacters) {
  int stop = 8 * c->TextWidth("x");
  EXPECT_EQ(Calc("a\tb", DT_EXPANDTABS).Width(), stop + c->TextWidth("b"));
  EXPECT_EQ(Calc("a\t\tb", DT_EXPANDTABS).Width(), 2 * stop + c->TextWidth("b"));
}

TEST_F(DrawTextTest, PlacesTextByAlignmentAndSingleLineLayout) {
  TRect box{20, 10, 180, 70};
  TRect left = Ink("Mid", box, DT_LEFT);
  TRect centre = Ink("Mid", box, DT_CENTER);
  TRect right = Ink("Mid", box, DT_RIGHT);
  EXPECT_NEAR(left.Left, 20, 2);
  EXPECT_NEAR(right.Right, 180, 2);
  EXPECT_NEAR((centre.Left + centre.Right) / 2, 100, 3);
  EXPECT_LT(left.Bottom, 40);
  TRect middle = Ink("Mid", box, DT_SINGLELINE | DT_VCENTER);
  TRect bottom = Ink("Mid", box, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_NEAR((middle.Top + middle.Bottom) / 2, 40, 4);
  EXPECT_NEAR(bottom.Bottom, 70, 4);
  EXPECT_GT(bottom.Top, middle.Top);
  // Vertical placement is a single-line matter.
  EXPECT_EQ(Ink("Mid", box, DT_VCENTER).Top, left.Top);
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
  TRect narrow{10, 10, 30, 40};
  TRect clipped = Ink("Wide words here", narrow, 0);
  EXPECT_GE(clipped.Left, 10);
  EXPECT_LE(clipped.Right, 30);
  TRect free = Ink("Wide words here", narrow, DT_NOCLIP);
  EXPECT_GT(free.Right, 60);
}

TEST_F(DrawTextTest, SolidBrushFillsOnlyTheTextCells) {
  Clear();
  c->Brush()->SetColor(clYellow);
  TRect box{10, 10, 190, 70};
  DrawText(c, "ab\nabcd", box, 0);
  EXPECT_EQ(InkBounds(bmp, clWhite), Rect(10, 10, 10 + c->TextWidth("abcd"), 10 + 2 * c->TextHeight("a")));
  // The short first line leaves the rest of its row unfilled.
  EXPECT_EQ(c->GetPixels(10 + c->TextWidth("abcd") - 1, 11), clWhite);
}

TEST_F(DrawTextTest, PrefixUnderlinesTheMarkedCharacter) {
  TRect box{10, 10, 190, 70};
  TRect plain = Ink("x", box, 0);
  TRect marked = Ink("&x", box, 0);
  EXPECT_GT(marked.Bottom, plain.Bottom);  // the underline lies below the letter
  EXPECT_GT(Ink("&x", box, DT_NOPREFIX).Width(), plain.Width() + 2);  // the '&' is drawn
  // A multi-byte character after '&' is underlined whole and not split.
  EXPECT_EQ(Calc("&\xC3\xA9t\xC3\xA9", 0).Width(), c->TextWidth("\xC3\xA9t\xC3\xA9"));
  // Truncated UTF-8 after the mark is harmless.
  EXPECT_NO_THROW(Ink("a&\xC3", box, 0));
}

TEST_F(DrawTextTest, HugeAndDegenerateInputsStayBounded) {
  std::string many(20000, '\t');
  EXPECT_GT(Calc(many, DT_EXPANDTABS).Width(), 0);
  std::string lines(5000, '\n');
  TRect r{0, 0, 100, 0};
  EXPECT_EQ(DrawText(c, lines, r, DT_CALCRECT), 5001 * c->TextHeight("A"));
  TRect inverted{50, 50, 10, 10};
  EXPECT_NO_THROW(DrawText(c, "text", inverted, DT_WORDBREAK | DT_CENTER));
  EXPECT_EQ(DrawText(nullptr, "x", r, 0), 0);
}
