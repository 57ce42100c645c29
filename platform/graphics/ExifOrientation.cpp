// Exif orientation: the one tag (0x0112) of the first image directory of the
// TIFF structure inside APP1. Every offset is checked against the block, so
// a damaged block reads as "as stored" and never outside its bytes.
#include "platform/graphics/detail/ExifOrientation.h"

#include <cstring>
#include <utility>
#include <vector>

namespace qel::detail {

namespace {

// Reads the block's TIFF numbers in its byte order; out of range reads give 0
// and mark the reader failed.
struct TTiffReader {
  std::span<const uint8_t> tiff;
  bool bigEndian = false;
  bool failed = false;

  uint32_t Read(size_t offset, int bytes) {
    if (offset > tiff.size() || tiff.size() - offset < size_t(bytes)) {
      failed = true;
      return 0;
    }
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) {
      const uint32_t b = tiff[offset + i];
      v |= bigEndian ? b << (8 * (bytes - 1 - i)) : b << (8 * i);
    }
    return v;
  }
};

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kShortType = 3;

}  // namespace

int ExifOrientation(std::span<const uint8_t> Block) {
  static const uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (Block.size() < 6 + 8 || std::memcmp(Block.data(), kExif, 6) != 0) return 1;
  TTiffReader r{Block.subspan(6)};
  if (r.tiff[0] == 'M' && r.tiff[1] == 'M') r.bigEndian = true;
  else if (r.tiff[0] != 'I' || r.tiff[1] != 'I') return 1;
  if (r.Read(2, 2) != 42) return 1;
  const size_t directory = r.Read(4, 4);
  const uint32_t entries = r.Read(directory, 2);
  for (uint32_t i = 0; i < entries && !r.failed; ++i) {
    const size_t entry = directory + 2 + size_t(i) * 12;
    if (r.Read(entry, 2) != kOrientationTag) continue;
    if (r.Read(entry + 2, 2) != kShortType || r.Read(entry + 4, 4) != 1) return 1;
    const uint32_t value = r.Read(entry + 8, 2);  // a short sits at the start of the value field
    return !r.failed && value >= 1 && value <= 8 ? int(value) : 1;
  }
  return 1;
}

void ApplyOrientation(DecodedImage& Image, int Orientation) {
  if (Orientation < 2 || Orientation > 8) return;
  const int w = Image.Width, h = Image.Height;
  const bool swaps = Orientation >= 5;
  const int outW = swaps ? h : w, outH = swaps ? w : h;
  std::vector<uint32_t> out(Image.Pixels.size());
  for (int y = 0; y < outH; ++y)
    for (int x = 0; x < outW; ++x) {
      int sx = x, sy = y;  // the stored pixel that shows at (x, y)
      switch (Orientation) {
        case 2: sx = w - 1 - x; break;                   // mirrored left to right
        case 3: sx = w - 1 - x, sy = h - 1 - y; break;   // upside down
        case 4: sy = h - 1 - y; break;                   // mirrored top to bottom
        case 5: sx = y, sy = x; break;                   // transposed
        case 6: sx = y, sy = h - 1 - x; break;           // to be turned clockwise
        case 7: sx = w - 1 - y, sy = h - 1 - x; break;   // transversed
        case 8: sx = w - 1 - y, sy = x; break;           // to be turned anticlockwise
      }
      out[size_t(y) * outW + x] = Image.Pixels[size_t(sy) * w + sx];
    }
  Image.Pixels = std::move(out);
  Image.Width = outW;
  Image.Height = outH;
}

}  // namespace qel::detail
