// Small JPEG files made with libjpeg itself, for the reader's tests and its
// fuzz corpus: a picture of four coloured quarters (or one grey), with an
// optional Exif block carrying an orientation, in either byte order.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace qel::test {

using JpegBytes = std::vector<uint8_t>;

// The quarters as stored: red, green over blue, white.
constexpr uint32_t kTopLeft = 0xFF0000, kTopRight = 0x00FF00, kBottomLeft = 0x0000FF, kBottomRight = 0xFFFFFF;

struct JpegSample {
  int Width = 64, Height = 32;
  bool Grey = false;          // one grey level (0x80) instead of the quarters
  bool Progressive = false;
  int Orientation = 0;        // 0: no Exif block
  bool BigEndianExif = false;
};

inline uint32_t QuarterColour(const JpegSample& s, int x, int y) {
  const bool right = x >= s.Width / 2, bottom = y >= s.Height / 2;
  return bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
}

// The APP1 body: "Exif\0\0", a TIFF header and one directory holding the
// orientation, written in the byte order asked for.
inline JpegBytes ExifBlock(int Orientation, bool BigEndian) {
  JpegBytes b{'E', 'x', 'i', 'f', 0, 0};
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * (BigEndian ? bytes - 1 - i : i))));
  };
  b.push_back(BigEndian ? 'M' : 'I');
  b.push_back(BigEndian ? 'M' : 'I');
  put(42, 2);
  put(8, 4);                       // the directory follows the header
  put(2, 2);                       // two entries: another tag first, then the orientation
  put(0x010F, 2), put(2, 2), put(4, 4), put(0, 4);  // Make, "" (an unread ASCII entry)
  put(0x0112, 2), put(3, 2), put(1, 4), put(uint32_t(Orientation), 2), put(0, 2);
  put(0, 4);                       // no next directory
  return b;
}

inline JpegBytes EncodeJpegSample(const JpegSample& s) {
  jpeg_compress_struct c{};
  jpeg_error_mgr errors{};
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = JDIMENSION(s.Width);
  c.image_height = JDIMENSION(s.Height);
  c.input_components = s.Grey ? 1 : 3;
  c.in_color_space = s.Grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  if (s.Progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  if (s.Orientation) {
    const JpegBytes exif = ExifBlock(s.Orientation, s.BigEndianExif);
    jpeg_write_marker(&c, JPEG_APP0 + 1, exif.data(), unsigned(exif.size()));
  }
  std::vector<uint8_t> row(size_t(s.Width) * c.input_components);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < s.Width; ++x) {
      if (s.Grey) {
        row[x] = 0x80;
        continue;
      }
      const uint32_t colour = QuarterColour(s, x, int(c.next_scanline));
      for (int k = 0; k < 3; ++k) row[size_t(x) * 3 + k] = uint8_t(colour >> (16 - 8 * k));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  JpegBytes out(buffer, buffer + size);
  free(buffer);
  return out;
}

// Changes the size the frame header (SOF0 or SOF2) declares.
inline void DeclareSize(JpegBytes& File, uint16_t Width, uint16_t Height) {
  for (size_t i = 2; i + 8 < File.size(); ++i)
    if (File[i] == 0xFF && (File[i + 1] == 0xC0 || File[i + 1] == 0xC2)) {
      File[i + 5] = uint8_t(Height >> 8), File[i + 6] = uint8_t(Height);
      File[i + 7] = uint8_t(Width >> 8), File[i + 8] = uint8_t(Width);
      return;
    }
}

}  // namespace qel::test
