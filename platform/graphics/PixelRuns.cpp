// Filling and copying runs of pixels at memory speed. The fill is compiled
// for several instruction sets and the loader picks the widest the processor
// has; any x86-64 runs the baseline, other architectures build the plain loop.
#include <cstring>

#include "platform/graphics/detail/Raster.h"

#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define QEL_WIDEST_STORES __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
#endif
#ifndef QEL_WIDEST_STORES
#define QEL_WIDEST_STORES
#endif

namespace qel::raster {

bool& ReferencePaths() {
  thread_local bool reference = false;
  return reference;
}

QEL_WIDEST_STORES void FillPixelsWide(uint32_t* Row, size_t N, uint32_t Pixel) {
  for (size_t i = 0; i < N; ++i) Row[i] = Pixel;
}

// The C library already dispatches its copy to the widest stores.
void CopyPixels(uint32_t* To, const uint32_t* From, size_t N) { std::memcpy(To, From, N * sizeof(uint32_t)); }

void FillRows(TBitmap& Surface, const TRect& R, uint32_t Pixel) {
  if (R.IsEmpty()) return;
  size_t width = size_t(R.Width());
  if (width == size_t(Surface.GetWidth())) {  // whole rows lie end to end
    FillPixels(Surface.ScanLine(R.Top), width * size_t(R.Height()), Pixel);
    return;
  }
  for (int y = R.Top; y < R.Bottom; ++y) FillPixels(Surface.ScanLine(y) + R.Left, width, Pixel);
}

}  // namespace qel::raster
