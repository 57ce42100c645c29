// The scaled pictures of a thumbnail viewer, kept between paints so that a
// repaint only copies them. A picture is known by its pixels (a 64-bit
// fingerprint with its size), not by its bitmap: handlers often load every
// slide into the same buffer, and a file that changed must not be served
// from the old scaling. The pixels kept are bounded; the picture used least
// recently goes first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>

#include "platform/graphics/Graphics.h"

namespace qel::thumbs {

/// A 64-bit fingerprint of a bitmap's size and pixels.
uint64_t Fingerprint(const TBitmap& Picture);

class TSlideCache {
 public:
  /// At most this many bytes of scaled pixels (about 400 slides of 120 x 120).
  static constexpr size_t kDefaultLimit = size_t(24) << 20;
  explicit TSlideCache(size_t LimitBytes = kDefaultLimit) : limit_(LimitBytes) {}

  /// Picture scaled to Width x Height, area-averaged (AntiAlias) or nearest
  /// pixel, exactly as a StretchBlt in that mode draws it. The bitmap lives
  /// until the next call.
  TBitmap& Scaled(const TBitmap& Picture, int Width, int Height, bool AntiAlias);

  /// Whether that scaling is kept (the same key Scaled looks up).
  bool Holds(const TBitmap& Picture, int Width, int Height, bool AntiAlias) const;

  size_t Bytes() const { return bytes_; }
  size_t Count() const { return entries_.size(); }
  size_t Limit() const { return limit_; }
  void SetLimit(size_t LimitBytes);
  void Clear();

 private:
  struct TKey {
    uint64_t print;
    int pictureWidth, pictureHeight, width, height;
    bool antiAlias;
    bool operator==(const TKey&) const = default;
  };
  struct THashKey {
    size_t operator()(const TKey& K) const;
  };
  struct TEntry {
    TKey key;
    std::unique_ptr<TBitmap> bitmap;
  };
  using TList = std::list<TEntry>;  // most recently used first

  void Trim(size_t Keep);

  size_t limit_, bytes_ = 0;
  TList entries_;
  std::unordered_map<TKey, TList::iterator, THashKey> index_;
  std::unique_ptr<TBitmap> uncached_;  // a scaling too big to keep
};

}  // namespace qel::thumbs
