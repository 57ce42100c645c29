// Copies between canvases: raster operations, stretching, transparency, overlap.
#include <gtest/gtest.h>

#include "canvas_test_util.h"

using namespace qel;
using qel::test::At;

TEST(CanvasBlit, EveryCopyModeOnAKnownPair) {
  const uint32_t S = 0x00F0CC0F, D = 0x00AA55F0;  // pixels: source and destination
  struct Case {
    TCopyMode mode;
    uint32_t result;
  } cases[] = {{cmSrcCopy, S},        {cmSrcAnd, S & D},       {cmSrcPaint, S | D},
               {cmSrcInvert, S ^ D},  {cmSrcErase, S & ~D},    {cmNotSrcCopy, ~S},
               {cmNotSrcErase, ~(S | D)}, {cmMergePaint, ~S | D}, {cmDstInvert, ~D},
               {cmBlackness, 0},      {cmWhiteness, 0xFFFFFF}};
  TBitmap source(3, 3);
  source.ScanLine(1)[1] = S;
  for (const Case& c : cases) {
    TBitmap dest(3, 3);
    dest.ScanLine(1)[1] = D;
    dest.Canvas()->SetCopyMode(c.mode);
    dest.Canvas()->CopyRect(Rect(1, 1, 2, 2), source.Canvas(), Rect(1, 1, 2, 2));
    EXPECT_EQ(dest.ScanLine(1)[1], c.result & 0xFFFFFF) << std::hex << c.mode;
    EXPECT_EQ(dest.ScanLine(0)[0], 0xFFFFFFu);
  }
  TBitmap dest(3, 3);
  EXPECT_TRUE(BitBlt(dest.Canvas(), 0, 0, 3, 3, nullptr, 0, 0, BLACKNESS));  // no source needed
  EXPECT_EQ(At(dest, 2, 2), clBlack);
  EXPECT_FALSE(BitBlt(dest.Canvas(), 0, 0, 3, 3, nullptr, 0, 0, SRCCOPY));
}

TEST(CanvasBlit, HalftoneAveragesAndNearestPicksCentres) {
  TBitmap checker(2, 2);
  checker.Canvas()->SetPixels(0, 0, clRed);
  checker.Canvas()->SetPixels(1, 1, clRed);
  checker.Canvas()->SetPixels(1, 0, clBlue);
  checker.Canvas()->SetPixels(0, 1, clBlue);
  TBitmap one(1, 1);
  EXPECT_EQ(SetStretchBltMode(one.Canvas(), HALFTONE), COLORONCOLOR);
  StretchBlt(one.Canvas(), 0, 0, 1, 1, checker.Canvas(), 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(At(one, 0, 0), RGB(128, 0, 128));

  TBitmap row(4, 1);
  for (int x = 0; x < 4; ++x) row.ScanLine(0)[x] = uint32_t(x + 1);
  TBitmap half(2, 1), twice(8, 1), mirrored(4, 1);
  StretchBlt(half.Canvas(), 0, 0, 2, 1, row.Canvas(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(half.ScanLine(0)[0], 2u);
  EXPECT_EQ(half.ScanLine(0)[1], 4u);
  twice.Canvas()->StretchDraw(Rect(0, 0, 8, 1), &row);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(twice.ScanLine(0)[x], uint32_t(x / 2 + 1)) << x;
  // Halftone shrinking averages pairs, also mirrored and with the source
  // reaching past the bitmap's edge (only real pixels count).
  TBitmap pairs(2, 1), flipped(2, 1), edge(1, 1);
  for (TBitmap* b : {&pairs, &flipped, &edge}) b->Canvas()->SetStretchBltMode(HALFTONE);
  for (int x = 0; x < 4; ++x) row.ScanLine(0)[x] = uint32_t(10 * (x + 1));
  StretchBlt(pairs.Canvas(), 0, 0, 2, 1, row.Canvas(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(pairs.ScanLine(0)[0], 15u);
  EXPECT_EQ(pairs.ScanLine(0)[1], 35u);
  StretchBlt(flipped.Canvas(), 1, 0, -2, 1, row.Canvas(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(flipped.ScanLine(0)[0], 35u);
  StretchBlt(edge.Canvas(), 0, 0, 1, 1, row.Canvas(), 2, 0, 1000000, 1, SRCCOPY);
  EXPECT_EQ(edge.ScanLine(0)[0], 35u);
  for (int x = 0; x < 4; ++x) row.ScanLine(0)[x] = uint32_t(x + 1);
  StretchBlt(mirrored.Canvas(), 3, 0, -4, 1, row.Canvas(), 0, 0, 4, 1, SRCCOPY);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(mirrored.ScanLine(0)[x], uint32_t(4 - x)) << x;
}

TEST(CanvasBlit, DrawLeavesOutTheTransparentColour) {
  TBitmap sprite(3, 3);
  qel::test::Fill(sprite, clFuchsia);
  sprite.Canvas()->SetPixels(1, 1, clNavy);
  TBitmap dest(5, 5);
  dest.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(At(dest, 1, 1), clFuchsia);
  sprite.SetTransparent(true);  // automatic: the bottom-left pixel's colour
  TBitmap clear(5, 5);
  clear.Canvas()->SetCopyMode(cmBlackness);  // ignored by a transparent draw
  clear.Canvas()->Draw(1, 1, &sprite);
  EXPECT_EQ(At(clear, 1, 1), clWhite);
  EXPECT_EQ(At(clear, 2, 2), clNavy);
  EXPECT_EQ(qel::test::CountColor(clear, clWhite), 24);
  // A draw honours CopyMode otherwise.
  sprite.SetTransparent(false);
  TBitmap inverted(5, 5);
  inverted.Canvas()->SetCopyMode(cmNotSrcCopy);
  inverted.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(At(inverted, 1, 1), RGB(255, 255, 127));
}

TEST(CanvasBlit, OverlappingCopyOnOneCanvas) {
  TBitmap b(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) b.ScanLine(y)[x] = uint32_t(y * 10 + x);
  TCanvas& c = *b.Canvas();
  c.CopyRect(Rect(1, 1, 9, 9), &c, Rect(0, 0, 8, 8));  // down and right by one
  for (int y = 1; y < 9; ++y)
    for (int x = 1; x < 9; ++x) ASSERT_EQ(b.ScanLine(y)[x], uint32_t((y - 1) * 10 + x - 1)) << x << "," << y;
  // Shrinking by half onto itself: dest (x, y) takes source (2x + 2, 2y + 2) as it was.
  TBitmap before(10, 10);
  before.Assign(&b);
  c.CopyRect(Rect(0, 0, 4, 4), &c, Rect(1, 1, 9, 9));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.ScanLine(y)[x], before.ScanLine(2 * y + 2)[2 * x + 2]);
}
