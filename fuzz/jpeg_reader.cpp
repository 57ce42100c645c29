// Decodes arbitrary bytes as a JPEG picture, whole and as a small preview.
// Bad data must raise EInvalidGraphic; anything else (a crash, a sanitizer
// report, another exception) is a fault. So is memory out of proportion to
// the input: the reader must refuse a size the file cannot hold before it
// takes the picture's memory.
#include <sys/resource.h>

#include <cstddef>
#include <cstdint>

#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

namespace {
long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// An honest file holds at most 512 pixels a byte (a bit for each 8 x 8
// block), decoded at 4 bytes a pixel, plus libjpeg's coefficient buffers of
// a progressive file (2 bytes a pixel for each of up to 4 components),
// twice over for the Exif turn. Plus room for the reader's own buffers.
long BudgetKiB(size_t size) { return 96 * 1024 + long(size) * 512 * 24 / 1024; }

void Decode(const uint8_t* data, size_t size, int fitSide) {
  try {
    qel::DecodedImage image = qel::DecodeJpeg({data, size}, {}, fitSide);
    if (image.Pixels.size() != size_t(image.Width) * size_t(image.Height)) __builtin_trap();
  } catch (const qel::EInvalidGraphic&) {
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  long before = PeakKiB();
  Decode(data, size, 0);
  Decode(data, size, 16);
  if (PeakKiB() - before > BudgetKiB(size)) __builtin_trap();
  return 0;
}
