// Pictures for a thumbnail viewer: each file is decoded only when its slide
// is first asked for, scaled once to fit the slide, and kept in a cache of
// bounded size that drops the least recently shown pictures first. Scrolling
// through ten thousand files decodes only those whose slides were shown.
// Pictures are kept by file name across folder changes, so going back to a
// folder decodes nothing that is still cached and unchanged on disk.
#pragma once
#include <algorithm>
#include <filesystem>
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
    decoded_ = 0;
    if (Side != side_) {
      entries_.clear();
      age_.clear();
    }
    side_ = Side;
    for (const std::string& f : files_)  // a file written since is read again
      if (auto it = entries_.find(f); it != entries_.end() && it->second.Written != WriteTime(f)) Drop(it);
  }
  int Count() const { return static_cast<int>(files_.size()); }
  const std::string& File(int Index) const { return files_[Index]; }
  // Files decoded since the last Reset (a file dropped and asked for again counts twice).
  int Decoded() const { return decoded_; }

  // The scaled picture of file Index; nullptr when the file cannot be read.
  qel::TBitmap* Get(int Index) {
    if (Index < 0 || Index >= Count()) return nullptr;
    const std::string& file = files_[Index];
    auto it = entries_.find(file);
    if (it != entries_.end()) {
      age_.splice(age_.begin(), age_, it->second.Age);  // shown again: youngest
      return it->second.Picture.get();
    }
    if (entries_.size() >= capacity_) Drop(entries_.find(age_.back()));
    age_.push_front(file);
    Entry& e = entries_[file];
    e.Age = age_.begin();
    e.Written = WriteTime(file);
    e.Picture = Load(file);
    return e.Picture.get();
  }

 private:
  struct Entry {
    std::unique_ptr<qel::TBitmap> Picture;
    std::list<std::string>::iterator Age;
    std::filesystem::file_time_type Written;
  };
  using TEntries = std::unordered_map<std::string, Entry>;

  static std::filesystem::file_time_type WriteTime(const std::string& File) {
    std::error_code ec;
    return std::filesystem::last_write_time(File, ec);
  }
  void Drop(TEntries::iterator It) {
    age_.erase(It->second.Age);
    entries_.erase(It);
  }

  std::unique_ptr<qel::TBitmap> Load(const std::string& File) {
    ++decoded_;
    qel::TBitmap full;
    try {
      full.LoadPreviewFromFile(File, side_);  // a photograph decodes at the size it is shown
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
  TEntries entries_;
  std::list<std::string> age_;  // youngest first
};

}  // namespace gallery
