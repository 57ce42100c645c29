// Thumbnail viewer: scaled pictures kept between paints are never stale (a
// picture changed in place, resized, or in the other scaling mode is scaled
// anew), and the kept pixels stay within their limit, least recently used
// dropped first.
#include <gtest/gtest.h>

#include <memory>

#include "browsers/detail/SlideCache.h"
#include "tests/browsers/ThumbnailsFixture.h"

using namespace qel;
using qel::test::ThumbsFixture;

namespace {

// A picture whose every pixel depends on Seed, so that shrinking it mixes
// different colours.
void Pattern(TBitmap& B, int W, int H, int Seed) {
  B.SetSize(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) B.ScanLine(y)[x] = uint32_t((x * 7 + Seed) << 16 | (y * 3 + Seed) << 8 | ((x ^ y) + Seed));
}

bool SameShot(ThumbsFixture& A, ThumbsFixture& B) {
  auto a = A.robot.Capture(A.t), b = B.robot.Capture(B.t);
  for (int y = 0; y < a->GetHeight(); ++y)
    for (int x = 0; x < a->GetWidth(); ++x)
      if (a->ScanLine(y)[x] != b->ScanLine(y)[x]) return false;
  return true;
}

// Every slide shows Picture through the paint's own buffer, as a handler
// that loads a file per slide does.
void ShowThroughBuffer(TThumbnails* t, const TBitmap* Picture) {
  t->OnImageRequest = [=](TObject*, int, TImageRequestProcessing& how, int&, TBitmap*& buf) {
    how = irpShowSlide;
    buf->Assign(const_cast<TBitmap*>(Picture));
  };
}

}  // namespace

TEST(ThumbnailsCache, AChangedPictureOrModeIsScaledAnew) {
  ThumbsFixture kept;
  kept.t->SetMax(4);
  TBitmap picture;
  ShowThroughBuffer(kept.t, &picture);
  Pattern(picture, 300, 200, 1);
  kept.t->SetAntiAlias(true);  // paints and keeps the shrunk picture
  // The same bitmap with new pixels, then a new size, then the other mode:
  // each time the viewer shows what a viewer that never saw the old one shows.
  struct Step {
    int w, h, seed;
    bool antiAlias;
  };
  for (Step s : {Step{300, 200, 2, true}, Step{300, 201, 2, true}, Step{120, 120, 2, true}, Step{300, 201, 3, true},
                 Step{300, 201, 3, false}, Step{90, 400, 5, false}}) {
    Pattern(picture, s.w, s.h, s.seed);
    kept.t->SetAntiAlias(s.antiAlias);
    kept.t->Paint();
    ThumbsFixture fresh1;
    fresh1.t->SetMax(4);
    fresh1.t->SetAntiAlias(s.antiAlias);
    ShowThroughBuffer(fresh1.t, &picture);
    fresh1.t->Paint();
    EXPECT_TRUE(SameShot(kept, fresh1)) << s.w << "x" << s.h << " seed " << s.seed;
  }
  // A slide size change rescales too.
  kept.t->SetSlideSize(77);
  ThumbsFixture fresh2;
  fresh2.t->SetMax(4);
  fresh2.t->SetSlideSize(77);
  ShowThroughBuffer(fresh2.t, &picture);
  fresh2.t->Paint();
  EXPECT_TRUE(SameShot(kept, fresh2));
}

TEST(ThumbnailsCache, KeepsWithinItsLimitDroppingTheLeastRecentlyUsed) {
  TBitmap a, b, c, d;
  Pattern(a, 64, 64, 1);
  Pattern(b, 64, 64, 2);
  Pattern(c, 64, 64, 3);
  Pattern(d, 64, 64, 4);
  const size_t one = 32 * 32 * 4;
  thumbs::TSlideCache cache(3 * one);
  cache.Scaled(a, 32, 32, true);
  cache.Scaled(b, 32, 32, true);
  cache.Scaled(c, 32, 32, true);
  cache.Scaled(a, 32, 32, true);  // a used again: b is now the oldest
  cache.Scaled(d, 32, 32, true);
  EXPECT_EQ(cache.Count(), 3u);
  EXPECT_LE(cache.Bytes(), cache.Limit());
  EXPECT_TRUE(cache.Holds(a, 32, 32, true));
  EXPECT_FALSE(cache.Holds(b, 32, 32, true));
  EXPECT_TRUE(cache.Holds(d, 32, 32, true));
  EXPECT_FALSE(cache.Holds(d, 32, 32, false));  // the mode is part of the key
  // A scaling larger than the whole limit is made but not kept.
  const TBitmap& big = cache.Scaled(a, 64, 64, true);
  EXPECT_EQ(big.GetWidth(), 64);
  EXPECT_FALSE(cache.Holds(a, 64, 64, true));
  EXPECT_LE(cache.Bytes(), cache.Limit());
  cache.SetLimit(one);
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_TRUE(cache.Holds(d, 32, 32, true));  // the newest stays
  // Still usable after trimming.
  EXPECT_EQ(cache.Scaled(b, 32, 32, true).GetWidth(), 32);
  EXPECT_TRUE(cache.Holds(b, 32, 32, true));
}
