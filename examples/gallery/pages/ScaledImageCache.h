// Pictures for a thumbnail viewer: each file is decoded only when its slide
// is first asked for, scaled once to fit the slide, and kept in a cache of
// bounded size that drops the least recently shown pictures first. Scrolling
// through ten thousand files decodes only those whose slides were shown.
#pragma once
#include <algorithm>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"

namespace gallery {

class TScaledImageCache {
 public:
  explicit TScaledImageCache(size_t Capacity) : capacity_(std::max<size_t>(Capacity, 1)) {}

  // A new set of files, pictures scaled to fit a square of Side pixels.
  void Reset(std::vector<std::string> Files, int Side) {
    files_ = std::move(Files);
    side_ = Side;
    decoded_ = 0;
    entries_.clear();
    age_.clear();
  }
  int Count() const { return static_cast<int>(files_.size()); }
  const std::string& File(int Index) const { return files_[Index]; }
  // Files decoded since the last Reset (a file dropped and asked for again counts twice).
  int Decoded() const { return decoded_; }

  // The scaled picture of file Index; nullptr when the file cannot be read.
  qel::TBitmap* Get(int Index) {
    if (Index < 0 || Index >= Count()) return nullptr;
    auto it = entries_.find(Index);
    if (it != entries_.end()) {
      age_.splice(age_.begin(), age_, it->second.Age);  // shown again: youngest
      return it->second.Picture.get();
    }
    if (entries_.size() >= capacity_) {
      entries_.erase(age_.back());
      age_.pop_back();
    }
    age_.push_front(Index);
    Entry& e = entries_[Index];
    e.Age = age_.begin();
    e.Picture = Load(files_[Index]);
    return e.Picture.get();
  }

 private:
  struct Entry {
    std::unique_ptr<qel::TBitmap> Picture;
    std::list<int>::iterator Age;
  };

  std::unique_ptr<qel::TBitmap> Load(const std::string& File) {
    ++decoded_;
    qel::TBitmap full;
    try {
      full.LoadFromFile(File);
    } catch (const qel::Exception&) {
      return nullptr;  // a bad file shows as an empty card, and is not read again
    }
    if (full.Empty()) return nullptr;
    const int w = full.GetWidth(), h = full.GetHeight();
    const double scale = std::min(1.0, double(side_) / std::max(w, h));
    auto small = std::make_unique<qel::TBitmap>(std::max(1, int(w * scale + 0.5)), std::max(1, int(h * scale + 0.5)));
    small->Canvas()->SetStretchBltMode(qel::HALFTONE);
    small->Canvas()->StretchDraw({0, 0, small->GetWidth(), small->GetHeight()}, &full);
    return small;
  }

  size_t capacity_;
  int side_ = 100;
  int decoded_ = 0;
  std::vector<std::string> files_;
  std::unordered_map<int, Entry> entries_;
  std::list<int> age_;  // youngest first
};

}  // namespace gallery
