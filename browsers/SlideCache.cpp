// The thumbnail viewer's cache of scaled pictures.
#include "browsers/detail/SlideCache.h"

#include <bit>
#include <cstring>

namespace qel::thumbs {

namespace {

// Multiply and fold: a strong 64-bit mix of two words.
inline uint64_t Mix(uint64_t A, uint64_t B) {
  __extension__ using Wide = unsigned __int128;
  const Wide p = Wide(A ^ 0xa0761d6478bd642fULL) * Wide(B ^ 0xe7037ed1a0b428dbULL);
  return uint64_t(p) ^ uint64_t(p >> 64);
}

size_t BytesOf(int Width, int Height) { return size_t(Width) * size_t(Height) * 4; }

}  // namespace

// Four independent lanes of multiply and rotate keep the multiplier busy;
// the pixels are read once, at about the speed of copying them.
uint64_t Fingerprint(const TBitmap& Picture) {
  constexpr uint64_t K = 0x9E3779B97F4A7C15ULL;
  const int w = Picture.GetWidth(), h = Picture.GetHeight();
  uint64_t l0 = uint64_t(w) << 32 | uint32_t(h), l1 = 0x8bb84b93962eacc9ULL, l2 = 0x4b33a62ed433d4a3ULL,
           l3 = 0x4d5a2da51de1aa47ULL;
  if (w <= 0 || h <= 0) return Mix(l0, l1);
  const auto* bytes = reinterpret_cast<const unsigned char*>(Picture.ScanLine(0));
  const size_t n = BytesOf(w, h);
  auto step = [&](uint64_t& l, size_t at) {
    uint64_t v;
    std::memcpy(&v, bytes + at, 8);
    l = std::rotl((l ^ v) * K, 29);
  };
  size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    step(l0, i);
    step(l1, i + 8);
    step(l2, i + 16);
    step(l3, i + 24);
  }
  for (; i + 8 <= n; i += 8) step(l0, i);
  if (i < n) {  // an odd pixel count leaves one
    uint32_t v;
    std::memcpy(&v, bytes + i, 4);
    l1 = Mix(l1, v);
  }
  return Mix(Mix(l0, l1) ^ n, Mix(l2, l3));
}

size_t TSlideCache::THashKey::operator()(const TKey& K) const {
  return size_t(Mix(K.print, uint64_t(K.width) << 33 ^ uint64_t(K.height) << 1 ^ uint64_t(K.antiAlias)));
}

TBitmap& TSlideCache::Scaled(const TBitmap& Picture, int Width, int Height, bool AntiAlias) {
  const TKey key{Fingerprint(Picture), Picture.GetWidth(), Picture.GetHeight(), Width, Height, AntiAlias};
  if (auto it = index_.find(key); it != index_.end()) {
    entries_.splice(entries_.begin(), entries_, it->second);
    return *it->second->bitmap;
  }
  auto scaled = std::make_unique<TBitmap>(Width, Height);
  TCanvas& c = *scaled->Canvas();
  SetStretchBltMode(&c, AntiAlias ? HALFTONE : COLORONCOLOR);
  StretchBlt(&c, 0, 0, Width, Height, const_cast<TBitmap&>(Picture).Canvas(), 0, 0, Picture.GetWidth(),
             Picture.GetHeight(), SRCCOPY);
  const size_t size = BytesOf(Width, Height);
  if (size > limit_) {
    uncached_ = std::move(scaled);
    return *uncached_;
  }
  Trim(limit_ - size);
  entries_.push_front({key, std::move(scaled)});
  index_[key] = entries_.begin();
  bytes_ += size;
  return *entries_.front().bitmap;
}

bool TSlideCache::Holds(const TBitmap& Picture, int Width, int Height, bool AntiAlias) const {
  return index_.contains({Fingerprint(Picture), Picture.GetWidth(), Picture.GetHeight(), Width, Height, AntiAlias});
}

void TSlideCache::Trim(size_t Keep) {
  while (bytes_ > Keep && !entries_.empty()) {
    const TEntry& last = entries_.back();
    bytes_ -= BytesOf(last.bitmap->GetWidth(), last.bitmap->GetHeight());
    index_.erase(last.key);
    entries_.pop_back();
  }
}

void TSlideCache::SetLimit(size_t LimitBytes) {
  limit_ = LimitBytes;
  Trim(limit_);
}

void TSlideCache::Clear() { Trim(0); }

}  // namespace qel::thumbs
