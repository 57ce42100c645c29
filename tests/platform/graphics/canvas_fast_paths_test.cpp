// The fast drawing paths against the plain reference ones, pixel for pixel,
// over many seeded random shapes; and the wide fill at every length.
#include <gtest/gtest.h>

#include <random>

#include "canvas_test_util.h"
#include "platform/graphics/Raster.h"

using namespace qel;
using qel::test::SamePixels;

namespace {

// Runs Draw on two equal bitmaps, the second through the reference paths.
template <class DrawFn>
void ExpectSameAsReference(int W, int H, DrawFn&& Draw) {
  TBitmap fast(W, H), slow(W, H);
  Draw(*fast.Canvas());
  raster::ReferencePaths() = true;
  Draw(*slow.Canvas());
  raster::ReferencePaths() = false;
  ASSERT_TRUE(SamePixels(fast, slow));
}

// Pen and brush drawn from the seed: colours, width 1 to 4, solid or
// styled, clear or not, copy or xor.
void RandomTools(TCanvas& C, std::mt19937& Rng) {
  C.Pen()->SetColor(TColor(Rng() & 0xFFFFFF));
  C.Brush()->SetColor(TColor(Rng() & 0xFFFFFF));
  C.Pen()->SetWidth(Rng() % 3 == 0 ? 1 + int(Rng() % 4) : 1);
  static const TPenStyle styles[] = {psSolid, psSolid, psSolid, psDash, psDot, psClear, psInsideFrame};
  C.Pen()->SetStyle(styles[Rng() % 7]);
  C.Brush()->SetStyle(Rng() % 5 == 0 ? bsClear : bsSolid);
  C.Pen()->SetMode(Rng() % 4 == 0 ? pmXor : pmCopy);
}

}  // namespace

TEST(CanvasFastPaths, WideFillWritesExactlyTheRun) {
  std::vector<uint32_t> row(400);
  for (size_t offset = 0; offset < 9; ++offset)
    for (size_t n = 0; n < 300; n += n < 80 ? 1 : 7) {
      std::fill(row.begin(), row.end(), 0x111111u);
      raster::FillPixels(row.data() + offset, n, 0xABCDEFu);
      for (size_t i = 0; i < row.size(); ++i)
        ASSERT_EQ(row[i], i >= offset && i < offset + n ? 0xABCDEFu : 0x111111u) << offset << " " << n << " " << i;
    }
}

TEST(CanvasFastPaths, RandomRectanglesMatchTheReference) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    unsigned seed = rng();
    ExpectSameAsReference(120, 90, [&](TCanvas& c) {
      std::mt19937 r(seed);
      if (r() % 3 == 0) c.SetClipRect(Rect(int(r() % 40), int(r() % 30), 60 + int(r() % 60), 45 + int(r() % 45)));
      for (int i = 0; i < 30; ++i) {
        RandomTools(c, r);
        int x = int(r() % 140) - 10, y = int(r() % 110) - 10;
        c.Rectangle(x, y, x + int(r() % 40) - 3, y + int(r() % 40) - 3);
      }
    });
  }
}
