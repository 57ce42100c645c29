// Long strings and pieces of lines: text drawn in pieces lands where the
// whole line puts it, and the far end of a very long string is drawn in its
// place rather than piled up where positions once ran out.
#include <gtest/gtest.h>

#include <string>

#include "platform/graphics/Graphics.h"
#include "tests/platform/graphics/text_test_support.h"

using namespace qel;
using namespace qel::testing;

namespace {

bool SamePixels(TBitmap& a, TBitmap& b) {
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x)
      if (a.ScanLine(y)[x] != b.ScanLine(y)[x]) return false;
  return true;
}

}  // namespace

TEST(TextLong, APieceAfterItsNeighbourKernsAsInTheWholeLine) {
  TBitmap whole(200, 40), pieces(200, 40);
  for (TBitmap* b : {&whole, &pieces}) {
    Clear(*b);
    UseClearBlackText(*b->Canvas());
    b->Canvas()->Font()->SetHeight(-24);
  }
  TCanvas& c = *pieces.Canvas();
  ASSERT_LT(c.TextWidth("AV"), c.TextWidth("A") + c.TextWidth("V"));  // the pair kerns
  EXPECT_EQ(c.TextWidth("VA", 'A'), c.TextWidth("AVA") - c.TextWidth("A"));
  EXPECT_EQ(c.TextWidth("VA", 0), c.TextWidth("VA"));

  whole.Canvas()->TextOut(10, 5, "WAVE AVATAR");
  int split = c.TextWidth("WAVE A");
  c.TextRect({0, 0, 200, 40}, 10, 5, "WAVE A");
  c.TextRect({0, 0, 200, 40}, 10 + split, 5, "VATAR", 'A');
  EXPECT_TRUE(SamePixels(whole, pieces));
}

TEST(TextLong, TheEndOfAStringWiderThanTwoToThe29DrawsInPlace) {
  // A large font keeps the string to a few hundred thousand characters.
  const int kHeight = -400;
  TBitmap longShot(900, 480), shortShot(900, 480);
  const std::string unit = "WAVE AVA ";
  std::string text;
  int64_t width = 0;
  {
    TCanvas probe;
    probe.Font()->SetHeight(kHeight);
    int unitWidth = probe.TextWidth(unit + unit) - probe.TextWidth(unit);  // with the kerning between units
    int64_t units = (int64_t(1) << 29) / unitWidth + 2;
    for (int64_t i = 0; i < units; ++i) text += unit;
    width = probe.TextWidth(unit) + (units - 1) * int64_t(unitWidth);
  }
  ASSERT_GT(width, int64_t(1) << 29);
  const std::string tail = text.substr(text.size() - 3 * unit.size());
  for (TBitmap* b : {&longShot, &shortShot}) {
    Clear(*b);
    UseClearBlackText(*b->Canvas());
    b->Canvas()->Font()->SetHeight(kHeight);
  }
  // Both strings end 20 pixels from the right edge.
  longShot.Canvas()->TextRect({0, 0, 900, 480}, int(880 - width), 10, text);
  int tailWidth = shortShot.Canvas()->TextWidth(tail);
  shortShot.Canvas()->TextRect({0, 0, 900, 480}, 880 - tailWidth, 10, tail);
  EXPECT_FALSE(InkBounds(longShot).IsEmpty());
  EXPECT_TRUE(SamePixels(longShot, shortShot));
  EXPECT_EQ(longShot.Canvas()->TextWidth(text), width);

  // Underlined and clipped short of its end: the line runs to the clip's edge.
  for (TBitmap* b : {&longShot, &shortShot}) {
    Clear(*b);
    b->Canvas()->Font()->SetStyle({fsUnderline});
  }
  longShot.Canvas()->TextRect({0, 0, 900, 480}, 10, 10, text);
  shortShot.Canvas()->TextRect({0, 0, 900, 480}, 10, 10, text.substr(0, 4 * unit.size()));
  EXPECT_TRUE(SamePixels(longShot, shortShot));
}
