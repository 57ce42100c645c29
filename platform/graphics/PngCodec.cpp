// PNG files through libpng.
//
// libpng reports errors by longjmp, which must never cross a C++ frame that
// owns objects with destructors. So every libpng call sequence runs in a small
// C-style function that holds the setjmp and touches only plain state; the
// C++ code around it owns the buffers and turns a failure into
// EInvalidGraphic. The error callback jumps itself so libpng prints nothing.
//
// Sections: plain state and callbacks, C-style steps, decoder, encoder.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/graphics/ImageCodecs.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {

// ------------------------------------------------ plain state and callbacks ----

struct PngSession {
  png_structp png = nullptr;
  png_infop info = nullptr;
  char message[300] = {};
  char warning[120] = {};  // libpng explains some errors in a warning just before
};

struct PngSource {
  const uint8_t* data;
  size_t size, pos;
};

struct PngSink {
  std::vector<uint8_t>* out;
  bool Append(const uint8_t* data, size_t count) noexcept {
    try {
      out->insert(out->end(), data, data + count);
      return true;
    } catch (...) {
      return false;
    }
  }
};

struct PngLayout {
  uint32_t width = 0, height = 0;
  int bitDepth = 0, sourceChannels = 0;  // as stored in the file
  int channels = 0;                      // after our transforms: 3 (RGB) or 4 (RGBA)
  size_t rowBytes = 0;
};

void OnError(png_structp png, png_const_charp message) {
  auto* session = static_cast<PngSession*>(png_get_error_ptr(png));
  if (session->warning[0])
    std::snprintf(session->message, sizeof session->message, "%s (%s)", message, session->warning);
  else
    std::snprintf(session->message, sizeof session->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp png, png_const_charp message) {
  auto* session = static_cast<PngSession*>(png_get_error_ptr(png));
  std::snprintf(session->warning, sizeof session->warning, "%s", message);
}

void ReadFromSource(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (source->size - source->pos < count) png_error(png, "file is truncated");
  std::memcpy(out, source->data + source->pos, count);
  source->pos += count;
}

void WriteToSink(png_structp png, png_bytep data, size_t count) {
  if (!static_cast<PngSink*>(png_get_io_ptr(png))->Append(data, count)) png_error(png, "out of memory");
}

void FlushSink(png_structp) {}

// ------------------------------------------------------------ C-style steps ----

// Reads the header and sets the transforms that give 8-bit RGB or RGBA rows.
bool StartRead(PngSession* s, PngSource* source, int maxSide, PngLayout* layout) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_set_read_fn(s->png, source, ReadFromSource);
  png_set_user_limits(s->png, uint32_t(maxSide), uint32_t(maxSide));
  png_read_info(s->png, s->info);
  layout->width = png_get_image_width(s->png, s->info);
  layout->height = png_get_image_height(s->png, s->info);
  layout->bitDepth = png_get_bit_depth(s->png, s->info);
  layout->sourceChannels = png_get_channels(s->png, s->info);
  png_set_expand(s->png);  // palette and low-depth grey to 8 bits, tRNS to alpha
  png_set_scale_16(s->png);
  png_set_gray_to_rgb(s->png);
  png_set_interlace_handling(s->png);
  png_read_update_info(s->png, s->info);
  layout->channels = png_get_channels(s->png, s->info);
  layout->rowBytes = png_get_rowbytes(s->png, s->info);
  return true;
}

bool ReadRows(PngSession* s, png_bytep* rows) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_read_image(s->png, rows);
  png_read_end(s->png, nullptr);
  return true;
}

bool WriteRows(PngSession* s, PngSink* sink, uint32_t width, uint32_t height, png_bytep* rows) {
  if (setjmp(png_jmpbuf(s->png))) return false;
  png_set_write_fn(s->png, sink, WriteToSink, FlushSink);
  png_set_IHDR(s->png, s->info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(s->png, s->info);
  png_write_image(s->png, rows);
  png_write_end(s->png, nullptr);
  return true;
}

// ------------------------------------------------------------------ decoder ----

[[noreturn]] void Fail(const std::string& why) { throw EInvalidGraphic("Invalid PNG image: " + why); }

class ReadSession : public PngSession {
 public:
  ReadSession() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, static_cast<PngSession*>(this), OnError, OnWarning);
    if (png) info = png_create_info_struct(png);
    if (!png || !info) throw EOutOfMemory("Out of memory for a PNG reader");
  }
  ~ReadSession() { png_destroy_read_struct(&png, &info, nullptr); }
  ReadSession(const ReadSession&) = delete;
  ReadSession& operator=(const ReadSession&) = delete;
};

class WriteSession : public PngSession {
 public:
  WriteSession() {
    png = png_create_write_struct(PNG_LIBPNG_VER_STRING, static_cast<PngSession*>(this), OnError, OnWarning);
    if (png) info = png_create_info_struct(png);
    if (!png || !info) throw EOutOfMemory("Out of memory for a PNG writer");
  }
  ~WriteSession() { png_destroy_write_struct(&png, &info); }
  WriteSession(const WriteSession&) = delete;
  WriteSession& operator=(const WriteSession&) = delete;
};

// Deflate expands at most 1032-fold, so a file whose size cannot hold the
// image's rows is rejected before the rows are allocated.
void CheckSize(const PngLayout& l, size_t fileSize, const ImageLimits& limits) {
  std::string size = std::to_string(l.width) + " x " + std::to_string(l.height);
  CheckPixelCount("PNG", l.width, l.height, limits);
  uint64_t rowBytes = (uint64_t(l.width) * uint64_t(l.bitDepth) * uint64_t(l.sourceChannels) + 7) / 8;
  if (rowBytes * l.height / 1032 > fileSize) Fail("file is too short for its size " + size);
  if (l.channels != 3 && l.channels != 4) Fail("unexpected channel count " + std::to_string(l.channels));
}

// Transparent pixels are composited over white.
uint32_t Composite(const uint8_t* p, int channels) {
  if (channels == 3 || p[3] == 255) return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  unsigned a = p[3], back = 255 * (255 - a);
  auto mix = [&](unsigned c) { return (c * a + back + 127) / 255; };
  return mix(p[0]) << 16 | mix(p[1]) << 8 | mix(p[2]);
}

}  // namespace

bool IsPngSignature(std::span<const uint8_t> Bytes) {
  return Bytes.size() >= 8 && png_sig_cmp(Bytes.data(), 0, 8) == 0;
}

DecodedImage DecodePng(std::span<const uint8_t> Bytes, const ImageLimits& Limits) {
  if (!IsPngSignature(Bytes)) Fail("bad signature");
  ReadSession session;
  PngSource source{Bytes.data(), Bytes.size(), 0};
  PngLayout layout;
  if (!StartRead(&session, &source, Limits.MaxSide, &layout)) Fail(session.message);
  CheckSize(layout, Bytes.size(), Limits);

  std::vector<uint8_t> buffer(layout.rowBytes * layout.height);
  std::vector<png_bytep> rows(layout.height);
  for (uint32_t y = 0; y < layout.height; ++y) rows[y] = buffer.data() + y * layout.rowBytes;
  if (!ReadRows(&session, rows.data())) Fail(session.message);

  DecodedImage image;
  image.Width = int(layout.width);
  image.Height = int(layout.height);
  image.Pixels.resize(size_t(layout.width) * layout.height);
  uint32_t* out = image.Pixels.data();
  for (uint32_t y = 0; y < layout.height; ++y)
    for (uint32_t x = 0; x < layout.width; ++x) *out++ = Composite(rows[y] + x * size_t(layout.channels), layout.channels);
  return image;
}

// ------------------------------------------------------------------ encoder ----

std::vector<uint8_t> EncodePng(int Width, int Height, const uint32_t* Pixels) {
  if (Width <= 0 || Height <= 0) throw EInvalidGraphic("Cannot save an empty bitmap");
  std::vector<uint8_t> rgb(size_t(Width) * size_t(Height) * 3);
  for (size_t i = 0, n = size_t(Width) * size_t(Height); i < n; ++i) {
    rgb[3 * i] = uint8_t(Pixels[i] >> 16);
    rgb[3 * i + 1] = uint8_t(Pixels[i] >> 8);
    rgb[3 * i + 2] = uint8_t(Pixels[i]);
  }
  std::vector<png_bytep> rows(static_cast<size_t>(Height));
  for (int y = 0; y < Height; ++y) rows[size_t(y)] = rgb.data() + size_t(y) * size_t(Width) * 3;

  std::vector<uint8_t> file;
  WriteSession session;
  PngSink sink{&file};
  if (!WriteRows(&session, &sink, uint32_t(Width), uint32_t(Height), rows.data()))
    throw EInvalidGraphic(std::string("Cannot write PNG image: ") + session.message);
  return file;
}

}  // namespace qel
