// Decodes arbitrary bytes as a BMP or PNG picture. Bad data must raise
// EInvalidGraphic; anything else (a crash, a sanitizer report, another
// exception) is a fault.
#include <cstddef>
#include <cstdint>

#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Smaller bounds than the library's keep each input cheap while still
  // reaching every size check.
  qel::ImageLimits limits;
  limits.MaxSide = 4096;
  limits.MaxPixels = 1 << 22;
  try {
    qel::DecodedImage image = qel::DecodeImage({data, size}, limits);
    if (image.Pixels.size() != size_t(image.Width) * size_t(image.Height)) __builtin_trap();
  } catch (const qel::EInvalidGraphic&) {
  }
  return 0;
}
