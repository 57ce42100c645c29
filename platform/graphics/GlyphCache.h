// A size-capped, least-recently-used store of rendered glyph coverage maps.
// Grids draw thousands of strings per paint, so a repeated glyph must cost a
// hash lookup and nothing else: lookups that hit never allocate.
#pragma once
#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

namespace qel {

/// One rendered glyph: 8-bit coverage (0..255; 0 or 255 only for monochrome
/// glyphs), placed relative to the glyph origin on the baseline, y down.
struct CachedGlyph {
  /// Offset of the coverage map's top-left from the origin.
  ///@{
  int Left = 0, Top = 0;
  ///@}
  /// Size of the coverage map in pixels.
  ///@{
  int Width = 0, Height = 0;
  ///@}
  std::vector<uint8_t> Coverage;  ///< Width * Height bytes, top row first
};

/// How the glyph cache has fared.
struct GlyphCacheStats {
  /// Lookups that found a glyph, that did not, and glyphs dropped.
  ///@{
  uint64_t Hits = 0, Misses = 0, Evictions = 0;
  ///@}
  /// Glyphs held and bytes they take.
  ///@{
  size_t Entries = 0, Bytes = 0;
  ///@}
};

/// Rendered glyphs by key, least recently used dropped first to stay within a byte budget.
class GlyphCache {
 public:
  /// A cache of at most MaxBytes bytes (8 MiB).
  explicit GlyphCache(size_t MaxBytes = size_t(8) << 20) : maxBytes_(MaxBytes) {}

  /// The glyph stored under Key (most recently used from now on), or null.
  /// Counts a hit or a miss.
  const CachedGlyph* Find(uint64_t Key);
  /// Stores a glyph and returns it; older glyphs are dropped to stay within
  /// the byte budget (the newest one always stays).
  const CachedGlyph& Insert(uint64_t Key, CachedGlyph&& Glyph);
  /// Drops every glyph.
  void Clear();

  /// The counters and sizes now.
  GlyphCacheStats Stats() const;
  /// Sets the hit, miss and eviction counters back to 0.
  void ResetCounters() { hits_ = misses_ = evictions_ = 0; }

 private:
  struct Entry {
    uint64_t key;
    CachedGlyph glyph;
  };
  static size_t Cost(const CachedGlyph& g) { return g.Coverage.size() + sizeof(Entry) + 32; }
  void EvictOldest();

  size_t maxBytes_;
  size_t bytes_ = 0;
  uint64_t hits_ = 0, misses_ = 0, evictions_ = 0;
  std::list<Entry> lru_;  // front: most recently used
  std::unordered_map<uint64_t, std::list<Entry>::iterator> index_;
};

}  // namespace qel
