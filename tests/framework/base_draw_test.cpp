// Frames and marker symbols of the base library, checked pixel by pixel.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "framework/QEL_Base.h"
#include "tests/platform/graphics/canvas_test_util.h"

using namespace qel;
using qel::test::At;
using qel::test::Fill;

namespace {

constexpr TColor kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kGrey = 0x808080, kBlack = 0, kFifth = 0x0000FF;
constexpr TColor kBack = 0x00FF00;

std::unique_ptr<TBitmap> Framed(TFrameStyle style) {
  auto p = std::make_unique<TBitmap>(12, 10);
  TBitmap& b = *p;
  Fill(b, kBack);
  DrawFrame(b.Canvas(), style, 1, 1, 10, 8, kWhite, kSilver, kGrey, kBlack, kFifth);
  return p;
}

// The colours along the edges and the first untouched ring of a frame drawn at (1,1)-(10,8).
struct Edge { TColor top, left, bottom, right; };
Edge Ring(const TBitmap& b, int inset) {
  return {At(b, 5, 1 + inset), At(b, 1 + inset, 4), At(b, 5, 8 - inset), At(b, 10 - inset, 4)};
}

}  // namespace

TEST(BaseDrawFrame, EachStyleTakesItsWidthAndColours) {
  struct Case { TFrameStyle style; Edge outer; Edge inner; };
  const Case cases[] = {
      {fsSimple, {kFifth, kFifth, kFifth, kFifth}, {kBack, kBack, kBack, kBack}},
      {fsLowered, {kGrey, kGrey, kWhite, kWhite}, {kBack, kBack, kBack, kBack}},
      {fsRaised, {kWhite, kWhite, kGrey, kGrey}, {kBack, kBack, kBack, kBack}},
      {fsEmbossed, {kWhite, kWhite, kGrey, kGrey}, {kGrey, kGrey, kWhite, kWhite}},
      {fsEngraved, {kGrey, kGrey, kWhite, kWhite}, {kWhite, kWhite, kGrey, kGrey}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.style));
    auto framed = Framed(c.style);
    const TBitmap& b = *framed;
    Edge o = Ring(b, 0), i = Ring(b, 1), rest = Ring(b, FrameWidth(c.style));
    EXPECT_EQ(o.top, c.outer.top);
    EXPECT_EQ(o.left, c.outer.left);
    EXPECT_EQ(o.bottom, c.outer.bottom);
    EXPECT_EQ(o.right, c.outer.right);
    EXPECT_EQ(i.top, c.inner.top);
    EXPECT_EQ(i.bottom, c.inner.bottom);
    EXPECT_EQ(i.right, c.inner.right);
    EXPECT_EQ(rest.top, kBack) << "inside must stay untouched";
    EXPECT_EQ(rest.left, kBack);
    // Corners are inclusive, nothing outside the rectangle.
    EXPECT_NE(At(b, 1, 1), kBack);
    EXPECT_NE(At(b, 10, 8), kBack);
    EXPECT_EQ(At(b, 0, 0), kBack);
    EXPECT_EQ(At(b, 11, 9), kBack);
    EXPECT_EQ(At(b, 5, 9), kBack);
  }
  EXPECT_EQ(qel::test::CountColor(*Framed(fsNone), kBack), 120);
}

TEST(BaseDrawFrame, RestoresThePen) {
  TBitmap b(10, 10);
  b.Canvas()->Pen()->SetColor(0x123456);
  b.Canvas()->Pen()->SetWidth(3);
  b.Canvas()->Pen()->SetMode(pmXor);
  DrawFrame(b.Canvas(), fsEmbossed, 0, 0, 9, 9, kWhite, kSilver, kGrey, kBlack, kFifth);
  EXPECT_EQ(b.Canvas()->Pen()->GetColor(), 0x123456u);
  EXPECT_EQ(b.Canvas()->Pen()->GetWidth(), 3);
  EXPECT_EQ(b.Canvas()->Pen()->GetMode(), pmXor);
}

TEST(BaseDrawMarks, All52SymbolsArePairwiseDistinctAndCentred) {
  for (TColor brush : {kWhite, 0x00FFFFu}) {
    std::vector<std::vector<uint32_t>> pictures;
    for (int mark = 0; mark <= MaxMarkSymbol; ++mark) {
      TBitmap b(15, 15);
      Fill(b, kWhite);
      b.Canvas()->Pen()->SetColor(kBlack);
      b.Canvas()->Brush()->SetColor(brush);
      DrawMarkOnCanvas(b.Canvas(), mark, 7, 7);
      std::vector<uint32_t> px;
      for (int y = 0; y < 15; ++y) px.insert(px.end(), b.ScanLine(y), b.ScanLine(y) + 15);
      // Nothing beyond half-size 4 (a 9x9 box at 3..11), and something drawn.
      for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
          if (x < 3 || x > 11 || y < 3 || y > 11) {
            EXPECT_EQ(At(b, x, y), kWhite) << mark << " " << x << "," << y;
          }
      EXPECT_GT(15 * 15 - qel::test::CountColor(b, kWhite), 0) << mark;
      EXPECT_EQ(b.Canvas()->Brush()->GetColor(), brush) << "brush restored after " << mark;
      pictures.push_back(px);
    }
    for (size_t i = 0; i < pictures.size(); ++i)
      for (size_t j = i + 1; j < pictures.size(); ++j) EXPECT_NE(pictures[i], pictures[j]) << i << " vs " << j;
  }
}

TEST(BaseDrawMarks, FilledUsesPenColourOpenUsesBrush) {
  TBitmap b(30, 15);
  Fill(b, kWhite);
  b.Canvas()->Pen()->SetColor(kBlack);
  b.Canvas()->Brush()->SetColor(0x00FFFF);
  DrawMarkOnCanvas(b.Canvas(), 1, 7, 7);   // open square
  DrawMarkOnCanvas(b.Canvas(), 2, 22, 7);  // filled square
  EXPECT_EQ(At(b, 7, 7), 0x00FFFFu);
  EXPECT_EQ(At(b, 3, 7), kBlack);
  EXPECT_EQ(At(b, 22, 7), kBlack);
  DrawMarkOnCanvas(b.Canvas(), 52, 7, 7);   // out of range: nothing
  DrawMarkOnCanvas(b.Canvas(), -1, 7, 7);
  EXPECT_EQ(At(b, 7, 7), 0x00FFFFu);
}

TEST(BaseDrawMisc, RectangleOutlineAndMeanColor) {
  TBitmap b(8, 8);
  Fill(b, kWhite);
  b.Canvas()->Pen()->SetColor(kBlack);
  DrawRectangle(b.Canvas(), 1, 1, 5, 4);
  EXPECT_EQ(At(b, 1, 1), kBlack);
  EXPECT_EQ(At(b, 5, 4), kBlack);
  EXPECT_EQ(At(b, 5, 1), kBlack);
  EXPECT_EQ(At(b, 3, 2), kWhite);
  EXPECT_EQ(At(b, 6, 4), kWhite);
  EXPECT_EQ(MeanColor(0x000000, 0xFEFEFE), 0x7F7F7Fu);
  EXPECT_EQ(MeanColor(0x0000FF, 0xFF0000), 0x7F007Fu);
  EXPECT_EQ(MeanColor(clBtnFace, clBtnFace), ColorToRGB(clBtnFace));
}
