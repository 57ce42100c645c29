// Decodes arbitrary bytes as a BMP or PNG picture. Bad data must raise
// EInvalidGraphic; anything else (a crash, a sanitizer report, another
// exception) is a fault. So is memory out of proportion to the input: a
// reader that takes a picture's memory before it knows the file can fill it
// lets a few bytes demand a gigabyte.
#include <sys/resource.h>

#include <cstddef>
#include <cstdint>

#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

namespace {
// The highest resident size this process has reached, in KiB.
long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// What an honest file may cost: a PNG expands at most 1032-fold, to a
// picture of up to 8 pixels per byte at one bit, kept twice (rows and
// pixels) at up to 4 bytes a pixel; an RLE picture is bounded alike. Plus
// room for the reader's own buffers.
long BudgetKiB(size_t size) { return 96 * 1024 + long(size) * 1032 * 8 * 8 / 1024; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The library's own limits: smaller ones would hide a reader that
  // allocates by the declared size before it checks the data.
  const qel::ImageLimits limits;
  long before = PeakKiB();
  try {
    qel::DecodedImage image = qel::DecodeImage({data, size}, limits);
    if (image.Pixels.size() != size_t(image.Width) * size_t(image.Height)) __builtin_trap();
  } catch (const qel::EInvalidGraphic&) {
  }
  if (PeakKiB() - before > BudgetKiB(size)) __builtin_trap();
  return 0;
}
