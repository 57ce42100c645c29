// TBitmap storage: size, pixels, transparency, copying. Image files are in
// ImageFiles.cpp.
#include <new>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>(this)) {}

TBitmap::TBitmap(int Width, int Height) : TBitmap() { SetSize(Width, Height); }

TBitmap::~TBitmap() = default;

namespace {
// 16384 x 16384, as much as an image file may hold: a larger bitmap is a
// size gone wrong, refused before memory is touched (an allocation that
// large may succeed and then exhaust the machine page by page).
constexpr int64_t kMaxPixels = int64_t(1) << 28;
}  // namespace

void TBitmap::SetSize(int W, int H) {
  W = W < 0 ? 0 : W;
  H = H < 0 ? 0 : H;
  if (W == width_ && H == height_) return;
  std::vector<uint32_t> fresh;
  try {
    if (int64_t(W) * H > kMaxPixels) throw std::bad_alloc();
    fresh.assign(size_t(W) * size_t(H), 0x00FFFFFF);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory for a bitmap of " + std::to_string(W) + " x " + std::to_string(H));
  } catch (const std::length_error&) {
    throw EOutOfMemory("Out of memory for a bitmap of " + std::to_string(W) + " x " + std::to_string(H));
  }
  int keepW = W < width_ ? W : width_, keepH = H < height_ ? H : height_;
  for (int y = 0; y < keepH; ++y)
    std::copy_n(pixels_.data() + size_t(y) * width_, keepW, fresh.data() + size_t(y) * W);
  pixels_ = std::move(fresh);
  width_ = W;
  height_ = H;
}

TColor TBitmap::GetTransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (Empty()) return clDefault;
  return PixelToColor(ScanLine(height_ - 1)[0]);
}

void TBitmap::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBitmap*>(Source);
  if (!src) return TPersistent::Assign(Source);
  if (src == this) return;
  pixels_ = src->pixels_;
  width_ = src->width_;
  height_ = src->height_;
  transparent_ = src->transparent_;
  transparentColor_ = src->transparentColor_;
  transparentMode_ = src->transparentMode_;
}

}  // namespace qel
