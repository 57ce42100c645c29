// Glyph cache: a hash index over a recency list, capped by bytes.
#include "platform/graphics/GlyphCache.h"

namespace qel {

const CachedGlyph* GlyphCache::Find(uint64_t Key) {
  auto it = index_.find(Key);
  if (it == index_.end()) {
    ++misses_;
    return nullptr;
  }
  ++hits_;
  // splice relinks the node in place: no allocation on a hit.
  if (it->second != lru_.begin()) lru_.splice(lru_.begin(), lru_, it->second);
  return &it->second->glyph;
}

const CachedGlyph& GlyphCache::Insert(uint64_t Key, CachedGlyph&& Glyph) {
  auto old = index_.find(Key);
  if (old != index_.end()) {
    bytes_ -= Cost(old->second->glyph);
    lru_.erase(old->second);
    index_.erase(old);
  }
  lru_.push_front(Entry{Key, std::move(Glyph)});
  index_[Key] = lru_.begin();
  bytes_ += Cost(lru_.front().glyph);
  while (bytes_ > maxBytes_ && lru_.size() > 1) EvictOldest();
  return lru_.front().glyph;
}

void GlyphCache::EvictOldest() {
  Entry& last = lru_.back();
  bytes_ -= Cost(last.glyph);
  index_.erase(last.key);
  lru_.pop_back();
  ++evictions_;
}

void GlyphCache::Clear() {
  lru_.clear();
  index_.clear();
  bytes_ = 0;
}

GlyphCacheStats GlyphCache::Stats() const {
  return GlyphCacheStats{hits_, misses_, evictions_, lru_.size(), bytes_};
}

}  // namespace qel
