// BMP files: a reader for the common variants and the 32-bit writer.
//
// Sections: byte access, headers, palette and bit fields, uncompressed rows,
// RLE, decoder, encoder.
#include <algorithm>
#include <bit>
#include <string>

#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {

// ---------------------------------------------------------- byte access ----

[[noreturn]] void Fail(const std::string& why) { throw EInvalidGraphic("Invalid BMP image: " + why); }

using Bytes = std::span<const uint8_t>;

// Callers check the range first; these only assemble little-endian values.
uint16_t U16(Bytes b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t U32(Bytes b, size_t at) { return uint32_t(U16(b, at)) | uint32_t(U16(b, at + 2)) << 16; }
int32_t I32(Bytes b, size_t at) { return static_cast<int32_t>(U32(b, at)); }

// ------------------------------------------------------------- headers ----

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12, kInfoHeaderSize = 40;

struct BmpHeader {
  int64_t width = 0, height = 0;
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = BI_RGB;
  uint32_t masks[3] = {};  // red, green, blue; 16 and 32 bits only
  size_t paletteStart = 0, paletteCount = 0, paletteEntrySize = 4;
  size_t pixelOffset = 0;
};

bool KnownHeaderSize(uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
         size == 124;
}

void ReadCoreHeader(Bytes b, BmpHeader& h) {
  h.width = U16(b, 18);
  h.height = U16(b, 20);
  h.bitCount = U16(b, 24);
  h.paletteEntrySize = 3;
  h.paletteStart = kFileHeaderSize + kCoreHeaderSize;
}

void ReadInfoHeader(Bytes b, size_t headerSize, BmpHeader& h) {
  h.width = I32(b, 18);
  int64_t height = I32(b, 22);
  h.topDown = height < 0;
  h.height = height < 0 ? -height : height;
  h.bitCount = U16(b, 28);
  h.compression = U32(b, 30);
  h.paletteStart = kFileHeaderSize + headerSize;
  bool bitFields = h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS;
  if (bitFields) {
    // The masks follow a 40-byte header and sit inside the longer ones; in
    // both cases they start right after the first 40 bytes.
    size_t maskBytes = h.compression == BI_ALPHABITFIELDS ? 16 : 12;
    if (headerSize == kInfoHeaderSize) h.paletteStart += maskBytes;
    if (kFileHeaderSize + kInfoHeaderSize + maskBytes > b.size()) Fail("colour masks are truncated");
    for (int i = 0; i < 3; ++i) h.masks[i] = U32(b, kFileHeaderSize + kInfoHeaderSize + 4 * size_t(i));
  }
  uint32_t colorsUsed = U32(b, 46);
  if (h.bitCount <= 8 && colorsUsed != 0 && colorsUsed < (1u << h.bitCount)) h.paletteCount = colorsUsed;
}

void CheckSize(const BmpHeader& h, const ImageLimits& limits) {
  std::string size = std::to_string(h.width) + " x " + std::to_string(h.height);
  if (h.width <= 0 || h.height <= 0) Fail("zero or negative size " + size);
  if (h.width > limits.MaxSide || h.height > limits.MaxSide) Fail("size " + size + " is too large");
  CheckPixelCount("BMP", h.width, h.height, limits);
}

void CheckFormat(const BmpHeader& h) {
  int bits = h.bitCount;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    Fail(std::to_string(bits) + " bits per pixel are not supported");
  uint32_t c = h.compression;
  bool fits = c == BI_RGB || (c == BI_RLE8 && bits == 8) || (c == BI_RLE4 && bits == 4) ||
              ((c == BI_BITFIELDS || c == BI_ALPHABITFIELDS) && (bits == 16 || bits == 32));
  if (!fits)
    Fail("compression " + std::to_string(c) + " with " + std::to_string(bits) +
         " bits per pixel is not supported");
}

BmpHeader ReadHeaders(Bytes b, const ImageLimits& limits) {
  if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') Fail("bad signature (a BMP file starts with \"BM\")");
  if (b.size() < kFileHeaderSize + 4) Fail("file header is truncated");
  uint32_t headerSize = U32(b, kFileHeaderSize);
  if (!KnownHeaderSize(headerSize)) Fail("unsupported header size " + std::to_string(headerSize));
  if (kFileHeaderSize + headerSize > b.size()) Fail("bitmap header is truncated");

  BmpHeader h;
  if (headerSize == kCoreHeaderSize)
    ReadCoreHeader(b, h);
  else
    ReadInfoHeader(b, headerSize, h);
  CheckSize(h, limits);
  CheckFormat(h);
  if (h.bitCount <= 8 && h.paletteCount == 0) h.paletteCount = size_t(1) << h.bitCount;
  if (h.bitCount > 8) h.paletteCount = 0;  // an optional hint for palette displays; not needed

  uint32_t offset = U32(b, 10);
  if (offset < h.paletteStart)
    Fail("pixel data offset " + std::to_string(offset) + " points into the headers");
  if (offset >= b.size())
    Fail("pixel data offset " + std::to_string(offset) + " lies outside the file of " +
         std::to_string(b.size()) + " bytes");
  h.pixelOffset = offset;
  // A palette shorter than declared (the pixel data starts earlier) keeps
  // the entries that are there; the others read as black.
  h.paletteCount = std::min(h.paletteCount, (offset - h.paletteStart) / h.paletteEntrySize);
  return h;
}

// ---------------------------------------------- palette and bit fields ----

std::vector<uint32_t> ReadPalette(Bytes b, const BmpHeader& h) {
  std::vector<uint32_t> palette(256, 0);  // every 8-bit index is valid; missing entries are black
  for (size_t i = 0; i < h.paletteCount; ++i) {
    size_t at = h.paletteStart + i * h.paletteEntrySize;
    palette[i] = uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 1]) << 8 | b[at];
  }
  return palette;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
struct Channel {
  uint32_t mask = 0, max = 0;
  int shift = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint32_t operator()(uint32_t v) const {
    uint32_t value = (v & mask) >> shift;
    if (max == 255 || max == 0) return value;
    return uint32_t((uint64_t(value) * 255 + max / 2) / max);
  }
};

struct PixelMasks {
  Channel r, g, b;
  uint32_t operator()(uint32_t v) const { return r(v) << 16 | g(v) << 8 | b(v); }
};

PixelMasks MasksFor(const BmpHeader& h) {
  if (h.compression == BI_RGB && h.bitCount == 16) return {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
  if (h.compression == BI_RGB) return {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
  return {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
}

// ------------------------------------------------------ uncompressed rows ----

void DecodeRow(const uint8_t* src, uint32_t* dst, int64_t width, const BmpHeader& h,
               const std::vector<uint32_t>& palette, const PixelMasks& masks) {
  int bits = h.bitCount;
  if (bits <= 8) {
    unsigned perByte = 8 / bits, valueMask = (1u << bits) - 1;
    for (int64_t x = 0; x < width; ++x) {
      unsigned shift = 8 - unsigned(bits) * (1 + unsigned(x % perByte));
      dst[x] = palette[(src[x / perByte] >> shift) & valueMask];
    }
  } else if (bits == 16) {
    for (int64_t x = 0; x < width; ++x) dst[x] = masks(uint32_t(src[2 * x] | src[2 * x + 1] << 8));
  } else if (bits == 24) {
    for (int64_t x = 0; x < width; ++x, src += 3) dst[x] = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
  } else {
    for (int64_t x = 0; x < width; ++x, src += 4)
      dst[x] = masks(uint32_t(src[0]) | uint32_t(src[1]) << 8 | uint32_t(src[2]) << 16 | uint32_t(src[3]) << 24);
  }
}

// Bytes the rows need: every row padded to 4 bytes but the last, whose
// padding may be missing. Saturates for sizes no file can have.
uint64_t PixelBytesNeeded(const BmpHeader& h) {
  uint64_t rowBits = uint64_t(h.width) * uint64_t(h.bitCount);
  uint64_t stride = (rowBits + 31) / 32 * 4, rowBytes = (rowBits + 7) / 8;
  uint64_t rows = uint64_t(h.height - 1);
  if (rows != 0 && stride > (UINT64_MAX - rowBytes) / rows) return UINT64_MAX;
  return stride * rows + rowBytes;
}

void CheckUncompressedData(Bytes b, const BmpHeader& h) {
  uint64_t needed = PixelBytesNeeded(h), present = b.size() - h.pixelOffset;
  if (needed > present)
    Fail("pixel data is truncated (" + std::to_string(needed) + " bytes needed, " + std::to_string(present) +
         " present)");
}

void DecodeUncompressed(Bytes b, const BmpHeader& h, const std::vector<uint32_t>& palette,
                        std::vector<uint32_t>& pixels) {
  uint64_t stride = (uint64_t(h.width) * uint64_t(h.bitCount) + 31) / 32 * 4;
  PixelMasks masks = MasksFor(h);
  for (int64_t r = 0; r < h.height; ++r) {
    int64_t y = h.topDown ? r : h.height - 1 - r;
    DecodeRow(b.data() + h.pixelOffset + r * stride, pixels.data() + y * h.width, h.width, h, palette, masks);
  }
}

// ------------------------------------------------------------------- RLE ----

// Run-length data: pairs (count, index) and escapes (0, 0) end of line,
// (0, 1) end of bitmap, (0, 2, dx, dy) move, (0, n, ...) n literal indices
// padded to an even byte count. Pixels outside the image are dropped.
//
// The stream is walked twice: first without pixels, to find that it is
// complete before the picture's memory is taken, then to draw. Returns the
// bytes the stream takes up to its end mark.
template <bool kDraw>
size_t WalkRle(Bytes b, const BmpHeader& h, const std::vector<uint32_t>& palette, uint32_t* pixels) {
  bool four = h.compression == BI_RLE4;
  int64_t x = 0, y = 0;  // y counts file rows from the first one stored
  auto put = [&](unsigned index) {
    if constexpr (kDraw) {
      if (x < h.width && y < h.height) {
        int64_t row = h.topDown ? y : h.height - 1 - y;
        pixels[size_t(row * h.width + x)] = palette[index];
      }
    }
    ++x;
  };
  auto nibble = [](uint8_t v, unsigned i) -> unsigned { return i % 2 == 0 ? v >> 4 : v & 15; };
  size_t p = h.pixelOffset, n = b.size();
  for (;;) {
    if (n - p < 2) {
      if (y >= h.height) return p - h.pixelOffset;  // every row is there; only the end mark is missing
      Fail("RLE data is truncated");
    }
    unsigned count = b[p], value = b[p + 1];
    p += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) put(four ? nibble(uint8_t(value), i) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return p - h.pixelOffset;
    } else if (value == 2) {
      if (n - p < 2) Fail("RLE data is truncated");
      x += b[p];
      y += b[p + 1];
      p += 2;
    } else {
      size_t bytes = four ? (value + 1) / 2 : value, padded = (bytes + 1) & ~size_t(1);
      if (n - p < padded) Fail("RLE data is truncated");
      for (unsigned i = 0; i < value; ++i) put(four ? nibble(b[p + i / 2], i) : b[p + i]);
      p += padded;
    }
  }
}

// Ends of lines, moves and the end mark leave pixels to the background, so
// a few bytes can stand for a picture of any size. Up to kRleAnyStream
// pixels that is accepted as it comes; a larger picture needs a byte of
// stream per kRlePixelsPerByte pixels, about what the PNG reader allows a
// one-bit picture (deflate shrinks at most 1032-fold).
constexpr int64_t kRleAnyStream = int64_t(1) << 24, kRlePixelsPerByte = 8192;

void CheckRleData(Bytes b, const BmpHeader& h) {
  size_t streamBytes = WalkRle<false>(b, h, {}, nullptr);
  int64_t area = h.width * h.height;
  if (area > kRleAnyStream && uint64_t(area) > uint64_t(streamBytes) * kRlePixelsPerByte)
    Fail("RLE data of " + std::to_string(streamBytes) + " bytes is too short for its size " +
         std::to_string(h.width) + " x " + std::to_string(h.height));
}

void DecodeRle(Bytes b, const BmpHeader& h, const std::vector<uint32_t>& palette,
               std::vector<uint32_t>& pixels) {
  std::fill(pixels.begin(), pixels.end(), palette[0]);
  WalkRle<true>(b, h, palette, pixels.data());
}

// ---------------------------------------------------------------- encoder ----

void Put16(uint8_t*& out, uint32_t v) {
  *out++ = uint8_t(v);
  *out++ = uint8_t(v >> 8);
}
void Put32(uint8_t*& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

// ---------------------------------------------------------------- decoder ----

DecodedImage DecodeBmp(std::span<const uint8_t> Bytes, const ImageLimits& Limits) {
  BmpHeader h = ReadHeaders(Bytes, Limits);
  std::vector<uint32_t> palette = ReadPalette(Bytes, h);
  DecodedImage image;
  image.Width = int(h.width);
  image.Height = int(h.height);
  bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
  // The data must be there before the picture's memory is taken.
  if (rle)
    CheckRleData(Bytes, h);
  else
    CheckUncompressedData(Bytes, h);
  image.Pixels.resize(size_t(h.width * h.height));
  if (rle)
    DecodeRle(Bytes, h, palette, image.Pixels);
  else
    DecodeUncompressed(Bytes, h, palette, image.Pixels);
  return image;
}

std::vector<uint8_t> EncodeBmp(int Width, int Height, const uint32_t* Pixels) {
  if (Width <= 0 || Height <= 0) throw EInvalidGraphic("Cannot save an empty bitmap");
  uint64_t imageSize = uint64_t(Width) * uint64_t(Height) * 4;
  uint64_t headers = kFileHeaderSize + kInfoHeaderSize, total = headers + imageSize;
  if (total > UINT32_MAX) throw EInvalidGraphic("Bitmap is too large for a BMP file");
  constexpr uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

  std::vector<uint8_t> file(total);
  uint8_t* out = file.data();
  *out++ = 'B';
  *out++ = 'M';
  Put32(out, uint32_t(total));
  Put32(out, 0);
  Put32(out, uint32_t(headers));
  Put32(out, kInfoHeaderSize);
  Put32(out, uint32_t(Width));
  Put32(out, uint32_t(Height));  // positive: bottom-up
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, BI_RGB);
  Put32(out, uint32_t(imageSize));
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);
  Put32(out, 0);
  for (int r = Height - 1; r >= 0; --r) {
    const uint32_t* row = Pixels + size_t(r) * size_t(Width);
    for (int x = 0; x < Width; ++x) Put32(out, row[x] & 0x00FFFFFF);
  }
  return file;
}

}  // namespace qel
