// Arcs, pies and chords found row by row (the sweep and chord tests run only
// near where a row crosses their bounding lines) against the reference that
// tests every pixel, over random shapes from a dot to far beyond the
// surface, half turns, radials along a row or column, and degenerate boxes.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "canvas_test_util.h"
#include "platform/graphics/detail/Raster.h"

using namespace qel;
using qel::test::SamePixels;

namespace {

enum Shape { kArc, kPie, kChord };

struct Curve {
  Shape shape;
  int x1, y1, x2, y2, x3, y3, x4, y4;
};

void DrawCurve(TCanvas& C, const Curve& S) {
  switch (S.shape) {
    case kArc: C.Arc(S.x1, S.y1, S.x2, S.y2, S.x3, S.y3, S.x4, S.y4); break;
    case kPie: C.Pie(S.x1, S.y1, S.x2, S.y2, S.x3, S.y3, S.x4, S.y4); break;
    case kChord: C.Chord(S.x1, S.y1, S.x2, S.y2, S.x3, S.y3, S.x4, S.y4); break;
  }
}

// Draws every curve on two equal bitmaps, the second through the reference
// paths, with the pen of the given width and style and a solid or no brush.
::testing::AssertionResult SameAsReference(const std::vector<Curve>& Curves, int Width, TPenStyle Style,
                                           bool Brush, TPenMode Mode = pmCopy) {
  TBitmap fast(150, 110), slow(150, 110);
  for (bool reference : {false, true}) {
    TCanvas& c = *(reference ? slow : fast).Canvas();
    raster::ReferencePaths() = reference;
    c.Pen()->SetWidth(Width);
    c.Pen()->SetStyle(Style);
    c.Pen()->SetMode(Mode);
    c.Brush()->SetStyle(Brush ? bsSolid : bsClear);
    uint32_t colour = 0x102030;
    for (const Curve& s : Curves) {
      colour = colour * 2654435761u + 12345u;
      c.Pen()->SetColor(TColor(colour & 0xFFFFFF));
      c.Brush()->SetColor(TColor((colour >> 8) & 0xFFFFFF));
      DrawCurve(c, s);
    }
  }
  raster::ReferencePaths() = false;
  if (SamePixels(fast, slow)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixels differ";
}

// Every pen the row split takes (solid, one to three pixels) and a styled
// one that keeps the per-pixel walk, with and without a brush.
void ExpectEveryPenSameAsReference(const std::vector<Curve>& Curves, const std::string& What) {
  for (int width : {1, 2, 3})
    for (bool brush : {true, false}) EXPECT_TRUE(SameAsReference(Curves, width, psSolid, brush)) << What << " w" << width;
  EXPECT_TRUE(SameAsReference(Curves, 1, psDash, true)) << What << " dashed";
  EXPECT_TRUE(SameAsReference(Curves, 1, psSolid, true, pmXor)) << What << " xor";
}

}  // namespace

TEST(CanvasArcRows, RandomCurvesOfEverySizeMatchTheReference) {
  std::mt19937 rng(23);
  for (int round = 0; round < 120; ++round) {
    std::vector<Curve> curves;
    for (int i = 0; i < 8; ++i) {
      // A dot, the surface's size, or far beyond it on any side.
      int size = std::array{3, 40, 160, 5000, 4000000}[rng() % 5];
      auto at = [&](int span) { return int(rng() % unsigned(2 * span + 150)) - span; };
      int x1 = at(size), y1 = at(size), x2 = x1 + int(rng() % unsigned(2 * size)), y2 = y1 + int(rng() % unsigned(2 * size));
      curves.push_back({Shape(rng() % 3), x1, y1, x2, y2, at(size), at(size), at(size), at(size)});
    }
    ExpectEveryPenSameAsReference(curves, "round " + std::to_string(round));
  }
}

// Radials through the centre's own row or column (the cross product does
// not change along the row), start and end exactly or nearly opposite (a
// half turn, where the exact angle test decides), one radial twice, and
// boxes of no width, no height or one pixel.
TEST(CanvasArcRows, HalfTurnsAxisRadialsAndDegenerateBoxesMatchTheReference) {
  std::vector<Curve> curves;
  for (Shape s : {kArc, kPie, kChord}) {
    for (int d = -2; d <= 2; ++d) {
      curves.push_back({s, 10, 10, 140, 100, 200, 55 + d, -50, 55});       // a half turn about the middle row
      curves.push_back({s, 20, 5, 121, 106, 70 + d, -30, 70, 200});        // about the middle column
      curves.push_back({s, 0, 0, 150, 110, 150, 110 + d, 0, 0});           // along the diagonal
    }
    // Radials exactly along the centre's row or column (the box's sides sum
    // to an odd number, so pixel centres lie on them), both ways round.
    curves.push_back({s, 10, 10, 140, 101, 200, 55, 20, 90});
    curves.push_back({s, 10, 10, 140, 101, 20, 90, 200, 55});
    curves.push_back({s, 10, 10, 140, 101, -9, 55, 75, 0});
    curves.push_back({s, 20, 5, 121, 106, 70, -30, 0, 100});
    curves.push_back({s, 20, 5, 121, 106, 70, 200, 140, 0});
    curves.push_back({s, 30, 20, 120, 90, 120, 55, 120, 55});    // one radial twice: the whole ellipse
    curves.push_back({s, 30, 20, 120, 90, 75, 55, 10, 55});      // starting at the centre
    curves.push_back({s, 40, 40, 40, 90, 0, 0, 100, 100});       // no width
    curves.push_back({s, 40, 40, 90, 40, 0, 0, 100, 100});       // no height
    curves.push_back({s, 60, 60, 61, 61, 0, 0, 100, 100});       // one pixel
    curves.push_back({s, 90, 70, 20, 10, 0, 50, 150, 50});       // corners swapped
  }
  ExpectEveryPenSameAsReference(curves, "special");
}

// At the edges of what the canvas takes: the box across the whole int
// range, its centre far off the surface, the start and end points at the
// extremes.
TEST(CanvasArcRows, CurvesAtTheLimitsOfTheCoordinatesMatchTheReference) {
  const int lo = INT_MIN, hi = INT_MAX;
  std::vector<Curve> curves;
  for (Shape s : {kArc, kPie, kChord}) {
    curves.push_back({s, lo, lo, hi, hi, hi, 0, lo, 7});
    curves.push_back({s, lo, 20, hi, 90, 75, lo, 80, hi});
    curves.push_back({s, -2000000000, -2000000000, 2000000150, 2000000110, 0, 0, 150, 40});
    curves.push_back({s, 10, lo, 140, hi, lo, lo, hi, hi});
    curves.push_back({s, -1000000, 40, 1000150, 70, 75, 0, 74, 110});
  }
  ExpectEveryPenSameAsReference(curves, "limits");
}
