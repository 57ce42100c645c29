// The fast drawing paths against the plain reference ones, pixel for pixel,
// over many seeded random shapes; and the wide fill at every length.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "canvas_test_util.h"
#include "platform/graphics/detail/Raster.h"

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
  std::vector<uint32_t> row(3000);
  for (size_t offset = 0; offset < 9; ++offset)
    for (size_t n = 0; n < 2800; n += n < 80 ? 1 : n < 1000 ? 7 : 61) {
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

// Ellipses, arcs, pies, chords and polygons of every size from a dot to
// larger than the bitmap, partly outside it or its clip.
TEST(CanvasFastPaths, RandomCurvedShapesAndPolygonsMatchTheReference) {
  std::mt19937 rng(11);
  for (int round = 0; round < 60; ++round) {
    unsigned seed = rng();
    ExpectSameAsReference(160, 120, [&](TCanvas& c) {
      std::mt19937 r(seed);
      if (r() % 3 == 0) c.SetClipRect(Rect(int(r() % 50), int(r() % 40), 80 + int(r() % 80), 60 + int(r() % 60)));
      auto coord = [&](int span) { return int(r() % unsigned(span + 60)) - 30; };
      for (int i = 0; i < 12; ++i) {
        RandomTools(c, r);
        int size = r() % 4 == 0 ? 300 : r() % 2 ? 60 : 8;
        int x1 = coord(160), y1 = coord(120), x2 = x1 + int(r() % unsigned(size)) - 4, y2 = y1 + int(r() % unsigned(size)) - 4;
        int x3 = coord(160), y3 = coord(120), x4 = coord(160), y4 = coord(120);
        switch (r() % 5) {
          case 0: c.Ellipse(x1, y1, x2, y2); break;
          case 1: c.Arc(x1, y1, x2, y2, x3, y3, x4, y4); break;
          case 2: c.Pie(x1, y1, x2, y2, x3, y3, x4, y4); break;
          case 3: c.Chord(x1, y1, x2, y2, x3, y3, x4, y4); break;
          default: {
            std::vector<TPoint> points(2 + r() % 9);
            for (TPoint& p : points) p = {coord(160), coord(120)};
            c.Polygon(points);
          }
        }
      }
    });
  }
}

// A flat wide ellipse and a tall thin one, far beyond the surface: the rows
// walked from a clipped start are the same as the rows computed one by one.
TEST(CanvasFastPaths, HugeEllipsesMatchTheReference) {
  for (int pen : {1, 3}) {
    ExpectSameAsReference(200, 150, [&](TCanvas& c) {
      c.Pen()->SetWidth(pen);
      c.Ellipse(-5000, 20, 5200, 130);
      c.Ellipse(60, -90000, 140, 90100);
      c.Ellipse(-1000000, -1000000, 1000180, 1000100);
      c.Pie(-40000, -300, 40200, 450, 0, 0, 200, 150);
      // Long, nearly parallel edges up to the limit of the exact walk and past it.
      std::vector<TPoint> sliver = {{-1048000, -1047000}, {1048000, 1047999}, {150, 20}, {-1048000, -1046990}};
      c.Polygon(sliver);
      std::vector<TPoint> beyond = {{-3000000, 10}, {3000000, 140}, {100, 75}, {-20, 149}};
      c.Polygon(beyond);
    });
  }
}

// Area stretches (shrinking, enlarging, mirrored, cut by the source's edge
// or the clip) through the row sums against the pixel-by-pixel reference:
// the mono modes alike to the bit, halftone within one step per channel
// (the rows sum exactly where the reference rounds in floating point).
TEST(CanvasFastPaths, RandomAreaStretchesMatchTheReference) {
  std::mt19937 rng(5);
  TBitmap source(37, 29);
  for (int y = 0; y < 29; ++y)
    for (int x = 0; x < 37; ++x) source.ScanLine(y)[x] = rng() & 0xFFFFFF;
  int differing = 0, compared = 0;
  for (int round = 0; round < 300; ++round) {
    const int mode = round % 5 == 0 ? BLACKONWHITE : round % 5 == 1 ? WHITEONBLACK : HALFTONE;
    const int dx = int(rng() % 50) - 10, dy = int(rng() % 40) - 10, dw = int(rng() % 90) - 30, dh = int(rng() % 70) - 20;
    const int sx = int(rng() % 50) - 10, sy = int(rng() % 40) - 10, sw = int(rng() % 80) - 20, sh = int(rng() % 60) - 15;
    const bool clip = rng() % 3 == 0;
    TBitmap fast(60, 45), slow(60, 45);
    for (bool reference : {false, true}) {
      TCanvas& c = *(reference ? slow : fast).Canvas();
      if (clip) c.SetClipRect(Rect(7, 5, 41, 33));
      SetStretchBltMode(&c, mode);
      raster::ReferencePaths() = reference;
      StretchBlt(&c, dx, dy, dw, dh, source.Canvas(), sx, sy, sw, sh, SRCCOPY);
      raster::ReferencePaths() = false;
    }
    for (int y = 0; y < 45; ++y)
      for (int x = 0; x < 60; ++x) {
        const uint32_t a = fast.ScanLine(y)[x], b = slow.ScanLine(y)[x];
        ++compared;
        differing += a != b;
        if (mode != HALFTONE) {
          ASSERT_EQ(a, b) << round << ": " << x << "," << y;
        }
        for (int ch = 0; ch < 24; ch += 8)
          ASSERT_LE(std::abs(int((a >> ch) & 0xFF) - int((b >> ch) & 0xFF)), 1) << round << ": " << x << "," << y;
      }
  }
  EXPECT_LT(differing, compared / 1000);
}

TEST(CanvasFastPaths, HalftoneMeansRoundHalvesUp) {
  TBitmap row(3, 1), one(1, 1);
  SetStretchBltMode(one.Canvas(), HALFTONE);
  auto mean = [&](uint32_t a, uint32_t b, uint32_t c, int n) {
    row.ScanLine(0)[0] = a, row.ScanLine(0)[1] = b, row.ScanLine(0)[2] = c;
    StretchBlt(one.Canvas(), 0, 0, 1, 1, row.Canvas(), 0, 0, n, 1, SRCCOPY);
    return one.ScanLine(0)[0];
  };
  EXPECT_EQ(mean(0, 255, 0, 2), 128u);  // exactly half: up
  EXPECT_EQ(mean(0, 0, 1, 3), 0u);      // a third: down
  EXPECT_EQ(mean(1, 1, 0, 3), 1u);      // two thirds: up
  EXPECT_EQ(mean(0x000100, 0x000200, 0x000200, 3), 0x000200u);
}

// Every one of the 256 ternary operations, as the per-pixel function the
// copies call, against the truth-table walk, with stray alpha bits too.
TEST(CanvasFastPaths, EveryRasterOperationMatchesItsTruthTable) {
  std::mt19937 rng(3);
  for (uint32_t table = 0; table < 256; ++table) {
    const uint32_t code = table << 16;
    const raster::TRop3Fn fn = raster::Rop3For(code);
    for (int i = 0; i < 64; ++i) {
      const uint32_t p = rng(), s = rng(), d = rng();
      ASSERT_EQ(fn(code, p, s, d), raster::Rop3(code, p, s, d)) << std::hex << table;
    }
  }
}
