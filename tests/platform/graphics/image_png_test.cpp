// PNG reader and writer: every colour type and depth libpng can store, the
// writer's round trip, and malformed or oversized files.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <string>
#include <vector>

#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

using namespace qel;

namespace {

using Bytes = std::vector<uint8_t>;

struct PngParams {
  uint32_t width = 1, height = 1;
  int colorType = PNG_COLOR_TYPE_RGB, bitDepth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  Bytes paletteAlpha;           // tRNS for palette pictures
  png_color_16 colourKey{};     // tRNS for grey and RGB pictures
  bool hasColourKey = false;
  std::vector<Bytes> rows;      // packed as stored
};

void Append(png_structp png, png_bytep data, size_t n) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

// Writes with libpng's full interface so that every layout can be produced.
Bytes WritePng(PngParams& s) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  for (Bytes& r : s.rows) rows.push_back(r.data());
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "libpng could not write the test picture";
    return {};
  }
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colorType,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!s.palette.empty()) png_set_PLTE(png, info, s.palette.data(), int(s.palette.size()));
  if (!s.paletteAlpha.empty()) png_set_tRNS(png, info, s.paletteAlpha.data(), int(s.paletteAlpha.size()), nullptr);
  if (s.hasColourKey) png_set_tRNS(png, info, nullptr, 0, &s.colourKey);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A PNG cut off just after the start of its image data, with an IHDR
// claiming the given size.
Bytes CutAfterHeader(uint32_t w, uint32_t h) {
  Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (uint32_t v : {w, h}) {
    for (int shift = 24; shift >= 0; shift -= 8) file.push_back(uint8_t(v >> shift));
  }
  file.insert(file.end(), {8, 2, 0, 0, 0});
  uint32_t crc = uint32_t(crc32(0, file.data() + 12, 17));
  for (int shift = 24; shift >= 0; shift -= 8) file.push_back(uint8_t(crc >> shift));
  file.insert(file.end(), {0, 0, 0, 10, 'I', 'D', 'A', 'T'});
  return file;
}

std::string DecodeError(const Bytes& file) {
  try {
    DecodePng(file);
  } catch (const EInvalidGraphic& e) {
    return e.Message();
  }
  return "no exception";
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;

}  // namespace

TEST(ImagePng, WriterRoundTripsExactlyAs8BitRgb) {
  std::vector<uint32_t> pixels;
  for (uint32_t i = 0; i < 13 * 6; ++i) pixels.push_back(i * 0x0A0B3D & 0xFFFFFF);
  Bytes file = EncodePng(13, 6, pixels.data());
  ASSERT_TRUE(IsPngSignature(file));
  EXPECT_EQ(file[24], 8);                   // bit depth
  EXPECT_EQ(file[25], PNG_COLOR_TYPE_RGB);  // colour type
  DecodedImage back = DecodePng(file);
  EXPECT_EQ(back.Width, 13);
  EXPECT_EQ(back.Height, 6);
  EXPECT_EQ(back.Pixels, pixels);
  EXPECT_EQ(DecodeImage(file).Pixels, pixels);  // told apart from BMP by the signature
  EXPECT_THROW(EncodePng(3, 0, pixels.data()), EInvalidGraphic);
}

TEST(ImagePng, ReadsEveryColourTypeAndDepth) {
  PngParams palette{.width = 4, .colorType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 2,
                  .palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, .rows = {{0b00011000}}};
  EXPECT_EQ(DecodePng(WritePng(palette)).Pixels, (std::vector<uint32_t>{R, G, B, R}));

  PngParams grey1{.width = 3, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 1, .rows = {{0b10100000}}};
  EXPECT_EQ(DecodePng(WritePng(grey1)).Pixels, (std::vector<uint32_t>{W, K, W}));

  // 16-bit samples keep their high byte.
  PngParams grey16{.width = 2, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 16, .rows = {{0xAB, 0xAB, 0, 0}}};
  EXPECT_EQ(DecodePng(WritePng(grey16)).Pixels, (std::vector<uint32_t>{0xABABAB, K}));
  PngParams rgb16{.width = 1, .colorType = PNG_COLOR_TYPE_RGB, .bitDepth = 16,
                .rows = {{0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80}}};
  EXPECT_EQ(DecodePng(WritePng(rgb16)).Pixels, (std::vector<uint32_t>{0xFF0080}));

  // Interlaced: the seven passes come back in place.
  PngParams interlaced{.width = 9, .height = 9, .interlaced = true};
  std::vector<uint32_t> expected;
  for (uint32_t y = 0; y < 9; ++y) {
    Bytes row;
    for (uint32_t x = 0; x < 9; ++x) {
      row.insert(row.end(), {uint8_t(x * 20), uint8_t(y * 20), uint8_t(x ^ y)});
      expected.push_back(x * 20 << 16 | y * 20 << 8 | (x ^ y));
    }
    interlaced.rows.push_back(row);
  }
  EXPECT_EQ(DecodePng(WritePng(interlaced)).Pixels, expected);
}

TEST(ImagePng, TransparencyIsCompositedOverWhite) {
  PngParams greyAlpha{.width = 3, .colorType = PNG_COLOR_TYPE_GRAY_ALPHA, .rows = {{0, 0, 0, 255, 0, 128}}};
  EXPECT_EQ(DecodePng(WritePng(greyAlpha)).Pixels, (std::vector<uint32_t>{W, K, 0x7F7F7F}));

  PngParams rgba{.width = 2, .colorType = PNG_COLOR_TYPE_RGB_ALPHA, .rows = {{255, 0, 0, 128, 0, 0, 255, 255}}};
  EXPECT_EQ(DecodePng(WritePng(rgba)).Pixels, (std::vector<uint32_t>{0xFF7F7F, B}));

  PngParams paletteAlpha{.width = 2, .colorType = PNG_COLOR_TYPE_PALETTE, .palette = {{0, 0, 0}, {0, 255, 0}},
                       .paletteAlpha = {0}, .rows = {{0, 1}}};
  EXPECT_EQ(DecodePng(WritePng(paletteAlpha)).Pixels, (std::vector<uint32_t>{W, G}));

  PngParams keyed{.width = 2, .colorType = PNG_COLOR_TYPE_RGB, .colourKey = {0, 255, 0, 0, 0},
                .hasColourKey = true, .rows = {{255, 0, 0, 0, 0, 0}}};
  EXPECT_EQ(DecodePng(WritePng(keyed)).Pixels, (std::vector<uint32_t>{W, K}));
}

TEST(ImagePng, MalformedFilesRaise) {
  std::vector<uint32_t> pixels(5 * 4, 0x336699);
  Bytes good = EncodePng(5, 4, pixels.data());
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_THROW(DecodePng(Bytes(good.begin(), good.begin() + n)), EInvalidGraphic) << n << " bytes";

  Bytes corrupt = good;
  corrupt[good.size() - 20] ^= 0x55;  // inside the image data: CRC mismatch
  EXPECT_THROW(DecodePng(corrupt), EInvalidGraphic);
  corrupt = good;
  corrupt[0] = 0;
  EXPECT_EQ(DecodeError(corrupt), "Invalid PNG image: bad signature");

  // Sizes are refused before the rows are allocated: beyond the side limit,
  // beyond the area limit, and more than the file's bytes could inflate to.
  EXPECT_EQ(DecodeError(CutAfterHeader(100000, 5)), "Invalid PNG image: Invalid IHDR data (Image width exceeds user limit in IHDR)");
  EXPECT_EQ(DecodeError(CutAfterHeader(60000, 60000)), "Invalid PNG image: size 60000 x 60000 is too large");
  EXPECT_EQ(DecodeError(CutAfterHeader(10000, 10000)),
            "Invalid PNG image: file is too short for its size 10000 x 10000");
  EXPECT_EQ(DecodeError(CutAfterHeader(0, 5)), "Invalid PNG image: Invalid IHDR data (Image width is zero in IHDR)");
  EXPECT_EQ(DecodeError(CutAfterHeader(2, 2)), "Invalid PNG image: file is truncated");
}
