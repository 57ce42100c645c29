// BMP reader and writer: hand-built files of every supported layout, the
// 32-bit writer's round trip, and malformed files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

using namespace qel;

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

struct BmpParams {
  int32_t width = 1, height = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t headerSize = 40;           // 40, 108 or 124
  std::vector<uint32_t> palette;      // 0xRRGGBB
  std::vector<uint32_t> masks;        // red, green, blue
  Bytes pixels;                       // exactly as stored in the file
};

// A BITMAPINFOHEADER (or V4/V5) file. With a 40-byte header the masks follow
// it; the longer headers hold them at the same place.
Bytes MakeBmp(const BmpParams& s) {
  Bytes h;
  Put32(h, s.headerSize);
  Put32(h, uint32_t(s.width));
  Put32(h, uint32_t(s.height));
  Put16(h, 1);
  Put16(h, s.bits);
  Put32(h, s.compression);
  Put32(h, uint32_t(s.pixels.size()));
  Put32(h, 3780);
  Put32(h, 3780);
  Put32(h, uint32_t(s.palette.size()));
  Put32(h, 0);
  for (uint32_t m : s.masks) Put32(h, m);
  while (h.size() < s.headerSize) h.push_back(0);
  for (uint32_t c : s.palette) Put32(h, c & 0xFFFFFF);  // B, G, R, 0

  Bytes file{'B', 'M'};
  uint32_t offset = 14 + uint32_t(h.size());
  Put32(file, offset + uint32_t(s.pixels.size()));
  Put32(file, 0);
  Put32(file, offset);
  file.insert(file.end(), h.begin(), h.end());
  file.insert(file.end(), s.pixels.begin(), s.pixels.end());
  return file;
}

// The old OS/2 layout: 12-byte header, 16-bit sizes, 3-byte palette entries.
Bytes MakeCoreBmp(uint16_t w, uint16_t h, uint16_t bits, const std::vector<uint32_t>& palette, const Bytes& pixels) {
  Bytes file{'B', 'M'};
  uint32_t offset = 14 + 12 + 3 * uint32_t(palette.size());
  Put32(file, offset + uint32_t(pixels.size()));
  Put32(file, 0);
  Put32(file, offset);
  Put32(file, 12);
  Put16(file, w);
  Put16(file, h);
  Put16(file, 1);
  Put16(file, bits);
  for (uint32_t c : palette) {
    file.push_back(uint8_t(c));
    file.push_back(uint8_t(c >> 8));
    file.push_back(uint8_t(c >> 16));
  }
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// Rows of the decoded picture, top first, for readable expectations.
std::vector<std::vector<uint32_t>> Rows(const DecodedImage& im) {
  std::vector<std::vector<uint32_t>> rows;
  for (int y = 0; y < im.Height; ++y)
    rows.emplace_back(im.Pixels.begin() + y * im.Width, im.Pixels.begin() + (y + 1) * im.Width);
  return rows;
}

using RowList = std::vector<std::vector<uint32_t>>;

std::string DecodeError(const Bytes& file) {
  try {
    DecodeBmp(file);
  } catch (const EInvalidGraphic& e) {
    return e.Message();
  }
  return "no exception";
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000, Y = 0xFFFF00;

// One sample of each layout the reader supports, for the truncation sweep.
std::vector<Bytes> Samples();

}  // namespace

TEST(ImageBmp, PaletteDepthsWithRowPadding) {
  // 1 bit, 10 wide: two bytes of pixels and two of padding per row.
  BmpParams one{.width = 10, .height = 2, .bits = 1, .palette = {R, B},
              .pixels = {0b10100000, 0b01000000, 0xEE, 0xEE,    // bottom row
                         0b11111111, 0b11000000, 0xEE, 0xEE}};  // top row
  DecodedImage im = DecodeBmp(MakeBmp(one));
  EXPECT_EQ(Rows(im), (RowList{{B, B, B, B, B, B, B, B, B, B}, {B, R, B, R, R, R, R, R, R, B}}));

  // 4 bits with three palette entries: index 15 has no entry and reads black.
  BmpParams four{.width = 3, .height = 1, .bits = 4, .palette = {W, G, Y}, .pixels = {0x12, 0xF0, 0, 0}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(four))), (RowList{{G, Y, K}}));

  // 8 bits, 5 wide (three bytes padding), index 200 beyond the palette.
  BmpParams eight{.width = 5, .height = 2, .bits = 8, .palette = {W, R, G, B},
                .pixels = {0, 1, 2, 3, 200, 9, 9, 9, 3, 3, 2, 1, 0, 9, 9, 9}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(eight))), (RowList{{B, B, G, R, W}, {W, R, G, B, K}}));

  // The OS/2 header with 3-byte palette entries.
  EXPECT_EQ(Rows(DecodeBmp(MakeCoreBmp(2, 1, 1, {Y, B}, {0b01000000, 0, 0, 0}))), (RowList{{Y, B}}));
}

TEST(ImageBmp, TrueColourLayouts) {
  // 24 bits, 3 wide: nine bytes plus three of padding, bottom-up.
  BmpParams bgr{.width = 3, .height = 2, .bits = 24,
              .pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 7, 7, 7,
                         0x10, 0x20, 0x30, 0xFF, 0xFF, 0xFF, 0, 0, 0, 7, 7, 7}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(bgr))), (RowList{{0x302010, W, K}, {R, G, B}}));

  // Negative height: the first stored row is the top one.
  bgr.height = -2;
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(bgr))), (RowList{{R, G, B}, {0x302010, W, K}}));

  // 16 bits 5-5-5 (BI_RGB) and 5-6-5 (bit fields); channels scale to 0..255.
  BmpParams rgb555{.width = 2, .height = 1, .bits = 16, .pixels = {0x00, 0x7C, 0x00, 0x02}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(rgb555))), (RowList{{R, 0x008400}}));
  BmpParams rgb565{.width = 3, .height = 1, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
                 .pixels = {0x00, 0xF8, 0x00, 0x04, 0x1F, 0x00, 0, 0}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(rgb565))), (RowList{{R, 0x008200, B}}));

  // 32 bits BI_RGB: the fourth byte is not alpha and is ignored.
  BmpParams bgrx{.width = 1, .height = 1, .bits = 32, .pixels = {0x56, 0x34, 0x12, 0x99}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(bgrx))), (RowList{{0x123456}}));

  // 32-bit fields in another order, in 40-byte, V4 and V5 headers.
  for (uint32_t header : {40u, 108u, 124u}) {
    BmpParams fields{.width = 1, .height = 1, .bits = 32, .compression = 3, .headerSize = header,
                   .masks = {0x000000FF, 0x0000FF00, 0x00FF0000}, .pixels = {0x12, 0x34, 0x56, 0x78}};
    EXPECT_EQ(Rows(DecodeBmp(MakeBmp(fields))), (RowList{{0x123456}})) << "header " << header;
  }
}

TEST(ImageBmp, RunLengthEncodedWithEscapes) {
  // RLE8, 4 x 3. Pixels the stream skips take palette entry 0 (white here);
  // runs past the right edge and moves below the picture are dropped.
  BmpParams rle8{.width = 4, .height = 3, .bits = 8, .compression = 1, .palette = {W, R, G, B},
               .pixels = {2, 1, 2, 2, 0, 0,              // bottom row: run, run, end of line
                          0, 3, 3, 1, 2, 0, 0, 0,        // literal of three, padded; end of line
                          0, 2, 2, 0, 1, 3, 5, 1,        // move right 2; run of 1; run past the edge
                          0, 2, 0, 9, 4, 2,              // move 9 rows down, outside; run there
                          0, 1}};                        // end of bitmap
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(rle8))), (RowList{{W, W, B, R}, {B, R, G, W}, {R, R, G, G}}));

  // RLE4, 5 x 2: runs alternate the two nibbles; literals are nibble lists.
  BmpParams rle4{.width = 5, .height = 2, .bits = 4, .compression = 2, .palette = {W, R, G, B, Y, K, W, R},
               .pixels = {5, 0x12, 0, 0,                 // bottom: 1 2 1 2 1
                          0, 3, 0x34, 0x50, 2, 0x71,     // top: literal 3 4 5, then run 7 1
                          0, 1}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(rle4))), (RowList{{B, Y, K, R, R}, {R, G, R, G, R}}));
}

TEST(ImageBmp, WriterRoundTripsExactlyAsBottomUp32Bit) {
  std::vector<uint32_t> pixels;
  for (uint32_t i = 0; i < 7 * 5; ++i) pixels.push_back(i * 0x050B13 & 0xFFFFFF);
  Bytes file = EncodeBmp(7, 5, pixels.data());
  ASSERT_EQ(file.size(), 54u + 7 * 5 * 4);
  EXPECT_EQ(file[28], 32);  // bits per pixel
  EXPECT_EQ(file[30], 0);   // BI_RGB
  EXPECT_EQ(file[22], 5);   // positive height: bottom-up
  // The first stored pixel is the bottom-left one, as B, G, R, 0.
  uint32_t bottomLeft = pixels[4 * 7];
  EXPECT_EQ((Bytes{file[54], file[55], file[56], file[57]}),
            (Bytes{uint8_t(bottomLeft), uint8_t(bottomLeft >> 8), uint8_t(bottomLeft >> 16), 0}));

  DecodedImage back = DecodeBmp(file);
  EXPECT_EQ(back.Width, 7);
  EXPECT_EQ(back.Height, 5);
  EXPECT_EQ(back.Pixels, pixels);
  EXPECT_THROW(EncodeBmp(0, 5, pixels.data()), EInvalidGraphic);
}

TEST(ImageBmp, MalformedHeadersRaiseWithTheReason) {
  Bytes good = MakeBmp({.width = 2, .height = 2, .bits = 24, .pixels = Bytes(16, 0)});
  ASSERT_NO_THROW(DecodeBmp(good));

  Bytes bad = good;
  bad[1] = 'X';
  EXPECT_NE(DecodeError(bad).find("bad signature"), std::string::npos);

  // A 100000 x 100000 picture claimed by a 60-byte file: refused before any allocation.
  Bytes huge = MakeBmp({.width = 100000, .height = 100000, .bits = 24, .pixels = Bytes(6, 0)});
  EXPECT_EQ(huge.size(), 60u);
  EXPECT_EQ(DecodeError(huge), "Invalid BMP image: size 100000 x 100000 is too large");
  EXPECT_EQ(DecodeError(MakeBmp({.width = 40000, .height = 40000, .bits = 1, .pixels = {0, 0, 0, 0}})),
            "Invalid BMP image: size 40000 x 40000 is too large");  // each side fine, the area not
  EXPECT_EQ(DecodeError(MakeBmp({.width = 0, .height = 2, .bits = 24})),
            "Invalid BMP image: zero or negative size 0 x 2");
  EXPECT_EQ(DecodeError(MakeBmp({.width = -3, .height = 2, .bits = 24})),
            "Invalid BMP image: zero or negative size -3 x 2");
  BmpParams minHeight{.width = 1, .height = INT32_MIN, .bits = 24, .pixels = {0, 0, 0, 0}};
  EXPECT_EQ(DecodeError(MakeBmp(minHeight)), "Invalid BMP image: size 1 x 2147483648 is too large");

  EXPECT_EQ(DecodeError(MakeBmp({.width = 1, .height = 1, .bits = 7, .pixels = {0, 0, 0, 0}})),
            "Invalid BMP image: 7 bits per pixel are not supported");
  EXPECT_EQ(DecodeError(MakeBmp({.width = 1, .height = 1, .bits = 24, .compression = 1, .pixels = {0, 1}})),
            "Invalid BMP image: compression 1 with 24 bits per pixel is not supported");
  EXPECT_EQ(DecodeError(MakeBmp({.width = 1, .height = 1, .bits = 24, .compression = 4, .pixels = {0, 0, 0, 0}})),
            "Invalid BMP image: compression 4 with 24 bits per pixel is not supported");
  EXPECT_EQ(DecodeError(MakeBmp({.width = 1, .height = 1, .headerSize = 20, .pixels = {0, 0, 0, 0}})),
            "Invalid BMP image: unsupported header size 20");

  bad = good;
  bad[10] = 200;  // pixel data offset beyond the 70-byte file
  EXPECT_EQ(DecodeError(bad), "Invalid BMP image: pixel data offset 200 lies outside the file of 70 bytes");
  bad[10] = 0xFF, bad[11] = 0xFF, bad[12] = 0xFF, bad[13] = 0xFF;
  EXPECT_EQ(DecodeError(bad), "Invalid BMP image: pixel data offset 4294967295 lies outside the file of 70 bytes");
  bad[10] = 20, bad[11] = 0, bad[12] = 0, bad[13] = 0;
  EXPECT_EQ(DecodeError(bad), "Invalid BMP image: pixel data offset 20 points into the headers");
  bad[10] = 60;  // inside the file, but too late for all the rows
  EXPECT_EQ(DecodeError(bad), "Invalid BMP image: pixel data is truncated (14 bytes needed, 10 present)");
}

// A size no memory could hold shows whether the reader looks at the data
// before it takes the picture's memory: it must fail on the data, never on
// the allocation.
TEST(ImageBmp, DeclaredSizeIsCheckedAgainstTheDataBeforeAllocating) {
  ImageLimits unlimited{.MaxSide = INT32_MAX, .MaxPixels = INT64_MAX};
  auto errorWith = [&](const Bytes& file, const ImageLimits& limits) -> std::string {
    try {
      DecodeBmp(file, limits);
    } catch (const EInvalidGraphic& e) {
      return e.Message();
    }
    return "no exception";
  };

  // 58 bytes claiming 16384 x 16384 x 32 bits (1 GB), and the same at the largest sides there are.
  Bytes gigabyte = MakeBmp({.width = 16384, .height = 16384, .bits = 32, .pixels = {0, 0, 0, 0}});
  EXPECT_EQ(gigabyte.size(), 58u);
  EXPECT_EQ(DecodeError(gigabyte), "Invalid BMP image: pixel data is truncated (1073741824 bytes needed, 4 present)");
  Bytes endless = MakeBmp({.width = INT32_MAX, .height = INT32_MAX, .bits = 32, .pixels = {0, 0, 0, 0}});
  EXPECT_EQ(errorWith(endless, unlimited),
            "Invalid BMP image: pixel data is truncated (18446744056529682436 bytes needed, 4 present)");

  // RLE: a stream cut short fails before the picture exists.
  Bytes cutRle = MakeBmp({.width = INT32_MAX, .height = INT32_MAX, .bits = 8, .compression = 1, .palette = {W, R},
                          .pixels = {255, 1, 255, 1, 0, 0, 3}});
  EXPECT_EQ(errorWith(cutRle, unlimited), "Invalid BMP image: RLE data is truncated");
  Bytes cutRle4 = MakeBmp({.width = 16384, .height = 16384, .bits = 4, .compression = 2, .palette = {W, R},
                           .pixels = {0, 0, 0, 0}});
  EXPECT_EQ(DecodeError(cutRle4), "Invalid BMP image: RLE data is truncated");

  // A complete stream that leaves a huge picture to the background (the end
  // mark at once) is refused too; a small one is a picture like any other.
  Bytes blank = MakeBmp({.width = 16384, .height = 16384, .bits = 8, .compression = 1, .palette = {G}, .pixels = {0, 1}});
  EXPECT_EQ(DecodeError(blank), "Invalid BMP image: RLE data of 2 bytes is too short for its size 16384 x 16384");
  blank = MakeBmp({.width = 4097, .height = 4096, .bits = 8, .compression = 1, .palette = {G}, .pixels = {0, 1}});
  EXPECT_EQ(DecodeError(blank), "Invalid BMP image: RLE data of 2 bytes is too short for its size 4097 x 4096");
  DecodedImage small = DecodeBmp(MakeBmp({.width = 300, .height = 200, .bits = 8, .compression = 1, .palette = {G, B},
                                          .pixels = {2, 1, 0, 1}}));
  EXPECT_EQ(small.Pixels.size(), 300u * 200u);
  EXPECT_EQ(small.Pixels[199 * 300 + 1], B);  // the first stored row is the bottom one
  EXPECT_EQ(small.Pixels[199 * 300 + 2], G);
  EXPECT_EQ(small.Pixels[0], G);
  // One byte of stream per 8192 pixels: 16 M pixels plus a row need 2049 bytes.
  Bytes rows(2048, 0);  // ends of line
  rows.insert(rows.end(), {0, 1});
  EXPECT_EQ(DecodeError(MakeBmp({.width = 4096, .height = 4097, .bits = 8, .compression = 1, .palette = {G},
                                 .pixels = Bytes(rows.begin() + 2, rows.end())})),
            "Invalid BMP image: RLE data of 2048 bytes is too short for its size 4096 x 4097");
  EXPECT_EQ(DecodeBmp(MakeBmp({.width = 4096, .height = 4097, .bits = 8, .compression = 1, .palette = {G},
                               .pixels = rows})).Pixels.size(),
            4096u * 4097u);
}

TEST(ImageBmp, EveryPrefixRaisesOrDecodesTheSamePicture) {
  // A prefix may only lose what the picture does not need (the last row's
  // padding, an RLE end mark after the last row); all else must raise.
  for (const Bytes& file : Samples()) {
    DecodedImage whole = DecodeBmp(file);
    for (size_t n = 0; n < file.size(); ++n) {
      Bytes prefix(file.begin(), file.begin() + n);
      try {
        DecodedImage part = DecodeBmp(prefix);
        EXPECT_EQ(part.Pixels, whole.Pixels) << "prefix of " << n << " bytes decoded differently";
        EXPECT_GE(n, file.size() - 3) << "prefix of " << n << " bytes was accepted";
      } catch (const EInvalidGraphic&) {
      }
    }
  }
}

namespace {
std::vector<Bytes> Samples() {
  return {
      MakeBmp({.width = 10, .height = 2, .bits = 1, .palette = {R, B}, .pixels = Bytes(8, 0x5A)}),
      MakeBmp({.width = 3, .height = 2, .bits = 4, .palette = {W, G, Y}, .pixels = Bytes(8, 0x21)}),
      MakeBmp({.width = 5, .height = 2, .bits = 8, .palette = {W, R}, .pixels = Bytes(16, 1)}),
      MakeBmp({.width = 3, .height = -2, .bits = 24, .pixels = Bytes(24, 0x40)}),
      MakeBmp({.width = 3, .height = 1, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
               .pixels = Bytes(8, 0x33)}),
      MakeBmp({.width = 1, .height = 1, .bits = 32, .compression = 3, .headerSize = 124,
               .masks = {0xFF, 0xFF00, 0xFF0000}, .pixels = {1, 2, 3, 4}}),
      MakeCoreBmp(2, 1, 1, {Y, B}, {0b01000000, 0, 0, 0}),
      MakeBmp({.width = 4, .height = 2, .bits = 8, .compression = 1, .palette = {W, R},
               .pixels = {0, 3, 1, 0, 1, 0, 0, 0, 0, 2, 1, 0, 3, 1, 0, 0, 0, 1}}),
      MakeBmp({.width = 5, .height = 1, .bits = 4, .compression = 2, .palette = {W, R, G},
               .pixels = {0, 3, 0x12, 0x10, 2, 0x21, 0, 1}}),
  };
}
}  // namespace
