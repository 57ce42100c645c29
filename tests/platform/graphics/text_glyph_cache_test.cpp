// The glyph cache's recency order and byte budget.
#include "platform/graphics/GlyphCache.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {
CachedGlyph GlyphOf(size_t bytes, int marker) {
  CachedGlyph g;
  g.Width = int(bytes);
  g.Height = 1;
  g.Left = marker;
  g.Coverage.assign(bytes, 7);
  return g;
}
}  // namespace

TEST(TextGlyphCache, EvictsTheLeastRecentlyUsedWithinItsBudget) {
  GlyphCache cache(3000);
  for (uint64_t k = 1; k <= 3; ++k) cache.Insert(k, GlyphOf(700, int(k)));
  ASSERT_NE(cache.Find(1), nullptr);  // 1 is now the most recent; 2 is the oldest
  cache.Insert(4, GlyphOf(700, 4));
  EXPECT_EQ(cache.Find(2), nullptr);
  ASSERT_NE(cache.Find(1), nullptr);
  EXPECT_EQ(cache.Find(1)->Left, 1);
  EXPECT_NE(cache.Find(3), nullptr);
  EXPECT_NE(cache.Find(4), nullptr);

  GlyphCacheStats s = cache.Stats();
  EXPECT_EQ(s.Entries, 3u);
  EXPECT_EQ(s.Evictions, 1u);
  EXPECT_EQ(s.Misses, 1u);
  EXPECT_EQ(s.Hits, 5u);
  EXPECT_LE(s.Bytes, 3000u);

  // Replacing a key keeps one entry; an oversized glyph stays alone.
  cache.Insert(4, GlyphOf(10, 40));
  EXPECT_EQ(cache.Find(4)->Left, 40);
  EXPECT_EQ(cache.Stats().Entries, 3u);
  cache.Insert(9, GlyphOf(10000, 9));
  EXPECT_EQ(cache.Stats().Entries, 1u);
  EXPECT_EQ(cache.Find(9)->Coverage.size(), 10000u);
  cache.Clear();
  EXPECT_EQ(cache.Stats().Bytes, 0u);
  EXPECT_EQ(cache.Find(9), nullptr);
}
