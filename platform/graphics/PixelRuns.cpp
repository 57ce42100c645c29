// Filling and copying runs of pixels at memory speed. The fill is compiled
// for several instruction sets and the loader picks the widest the processor
// has; any x86-64 runs the baseline, other architectures build the plain loop.
// Long fills on x86-64 take the string store instead.
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

namespace {
QEL_WIDEST_STORES void FillLoop(uint32_t* Row, size_t N, uint32_t Pixel) {
  for (size_t i = 0; i < N; ++i) Row[i] = Pixel;
}

// From about a few kilobytes on, the processor writes a string store in
// whole cache lines without reading them first, as memset does; the vector
// loop pays for reading every line it overwrites.
constexpr size_t kStringStoreMin = 1024;
}  // namespace

void FillPixelsWide(uint32_t* Row, size_t N, uint32_t Pixel) {
#if defined(__x86_64__)
  if (N >= kStringStoreMin) {
    asm volatile("rep stosl" : "+D"(Row), "+c"(N) : "a"(Pixel) : "memory");
    return;
  }
#endif
  FillLoop(Row, N, Pixel);
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
