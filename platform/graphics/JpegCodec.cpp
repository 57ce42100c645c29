// JPEG files through libjpeg(-turbo).
//
// libjpeg reports errors by longjmp, as libpng does, so the same shape holds:
// each libjpeg call sequence runs in a small C-style function that holds the
// setjmp and touches only plain state; the C++ code around it owns the
// buffers and turns a failure into EInvalidGraphic.
//
// Checked before the picture is allocated: the sides, the load limit, and
// that the file is long enough for the picture it declares. With Huffman
// coding every 8 x 8 block of the full-resolution component costs at least
// one bit, so a picture of more than 512 pixels a byte of file is a lie.
// Arithmetic coding has no such floor, and so is refused (as web browsers
// refuse it). A file that ends early is an error, not a picture grey at the
// bottom; a progressive file of more than kMaxScans scans (a few dozen at
// most from an encoder) is refused, as each scan walks the whole picture.
//
// Sections: plain state and callbacks, C-style steps, decoder.
// jpeglib.h needs size_t and FILE declared before it, and jerror.h after it.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <string>
#include <vector>

#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/detail/ExifOrientation.h"
#include "platform/rtl/Exceptions.h"

namespace qel {

namespace {

constexpr int kMaxScans = 500;

// ------------------------------------------------ plain state and callbacks ----

struct JpegSession {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  bool created = false;
  char message[JMSG_LENGTH_MAX + 40] = {};
};

JpegSession* SessionOf(j_common_ptr cinfo) { return static_cast<JpegSession*>(cinfo->client_data); }

void OnError(j_common_ptr cinfo) {
  JpegSession* s = SessionOf(cinfo);
  (*cinfo->err->format_message)(cinfo, s->message);
  std::longjmp(s->jump, 1);
}

// Warnings go unprinted; a file that ends early is an error.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
    std::snprintf(SessionOf(cinfo)->message, sizeof SessionOf(cinfo)->message, "file is truncated");
    std::longjmp(SessionOf(cinfo)->jump, 1);
  }
}

void OnProgress(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    std::snprintf(SessionOf(cinfo)->message, sizeof SessionOf(cinfo)->message, "more than %d scans", kMaxScans);
    std::longjmp(SessionOf(cinfo)->jump, 1);
  }
}

// ------------------------------------------------------------ C-style steps ----

bool ReadHeader(JpegSession* s, const uint8_t* data, size_t size) {
  s->cinfo.err = jpeg_std_error(&s->errors);
  s->errors.error_exit = OnError;
  s->errors.emit_message = OnMessage;
  s->cinfo.client_data = s;
  if (setjmp(s->jump)) return false;
  jpeg_create_decompress(&s->cinfo);
  s->created = true;
  s->progress.progress_monitor = OnProgress;
  s->cinfo.progress = &s->progress;
  jpeg_mem_src(&s->cinfo, data, static_cast<unsigned long>(size));
  jpeg_save_markers(&s->cinfo, JPEG_APP0 + 1, 0xFFFF);
  jpeg_read_header(&s->cinfo, TRUE);
  return true;
}

// Output four bytes a pixel: B, G, R, unused (0x00RRGGBB on a little-endian
// machine), or C, M, Y, K for a CMYK file, turned to RGB afterwards.
bool PrepareOutput(JpegSession* s, unsigned denominator) {
  if (setjmp(s->jump)) return false;
  const bool cmyk = s->cinfo.jpeg_color_space == JCS_CMYK || s->cinfo.jpeg_color_space == JCS_YCCK;
  s->cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  s->cinfo.scale_num = 1;
  s->cinfo.scale_denom = denominator;
  jpeg_calc_output_dimensions(&s->cinfo);
  return true;
}

bool ReadRows(JpegSession* s, uint8_t* out, size_t stride) {
  if (setjmp(s->jump)) return false;
  jpeg_start_decompress(&s->cinfo);
  while (s->cinfo.output_scanline < s->cinfo.output_height) {
    JSAMPROW row = out + stride * s->cinfo.output_scanline;
    jpeg_read_scanlines(&s->cinfo, &row, 1);
  }
  return true;
}

// ------------------------------------------------------------------ decoder ----

[[noreturn]] void Fail(const std::string& why) { throw EInvalidGraphic("Invalid JPEG image: " + why); }

class ReadSession : public JpegSession {
 public:
  ReadSession() = default;
  ~ReadSession() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
  ReadSession(const ReadSession&) = delete;
  ReadSession& operator=(const ReadSession&) = delete;
};

void CheckSize(const jpeg_decompress_struct& c, size_t fileSize, const ImageLimits& limits) {
  const int64_t w = c.image_width, h = c.image_height;
  const std::string size = std::to_string(w) + " x " + std::to_string(h);
  if (w < 1 || h < 1 || w > limits.MaxSide || h > limits.MaxSide) Fail("unsupported size " + size);
  if (c.arith_code) Fail("arithmetic coding is not supported");
  CheckPixelCount("JPEG", w, h, limits);
  const uint64_t blocks = uint64_t((w + 7) / 8) * uint64_t((h + 7) / 8);
  if (blocks > uint64_t(fileSize) * 8) Fail("file is too short for its size " + size);
}

// The largest reduction (1/2, 1/4, 1/8) that keeps the longer side at least
// FitSide; 1 for none.
unsigned Reduction(const jpeg_decompress_struct& c, int fitSide) {
  if (fitSide <= 0) return 1;
  const unsigned longer = std::max(c.image_width, c.image_height);
  unsigned d = 8;
  while (d > 1 && (longer + d - 1) / d < unsigned(fitSide)) d /= 2;
  return d;
}

int OrientationOf(const jpeg_decompress_struct& c) {
  for (jpeg_saved_marker_ptr m = c.marker_list; m; m = m->next)
    if (m->marker == JPEG_APP0 + 1) {
      int o = detail::ExifOrientation({m->data, m->data_length});
      if (o != 1) return o;
    }
  return 1;
}

// Adobe writes CMYK inverted (as almost every CMYK JPEG is); others plain.
void CmykToRgb(std::vector<uint32_t>& pixels, bool inverted) {
  for (uint32_t& p : pixels) {
    unsigned c = p & 0xFF, m = (p >> 8) & 0xFF, y = (p >> 16) & 0xFF, k = p >> 24;
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    auto channel = [&](unsigned v) { return (v * k + 127) / 255; };
    p = channel(c) << 16 | channel(m) << 8 | channel(y);
  }
}

}  // namespace

bool IsJpegSignature(std::span<const uint8_t> Bytes) {
  return Bytes.size() >= 3 && Bytes[0] == 0xFF && Bytes[1] == 0xD8 && Bytes[2] == 0xFF;
}

DecodedImage DecodeJpeg(std::span<const uint8_t> Bytes, const ImageLimits& Limits, int FitSide) {
  static_assert(std::endian::native == std::endian::little, "pixels are read as B, G, R, unused bytes");
  if (!IsJpegSignature(Bytes)) Fail("bad signature");
  ReadSession session;
  if (!ReadHeader(&session, Bytes.data(), Bytes.size())) Fail(session.message);
  CheckSize(session.cinfo, Bytes.size(), Limits);
  if (!PrepareOutput(&session, Reduction(session.cinfo, FitSide))) Fail(session.message);

  DecodedImage image;
  image.Width = int(session.cinfo.output_width);
  image.Height = int(session.cinfo.output_height);
  image.Pixels.resize(size_t(image.Width) * size_t(image.Height));
  auto* out = reinterpret_cast<uint8_t*>(image.Pixels.data());
  if (!ReadRows(&session, out, size_t(image.Width) * 4)) Fail(session.message);
  if (session.cinfo.out_color_space == JCS_CMYK) CmykToRgb(image.Pixels, session.cinfo.saw_Adobe_marker);
  else
    for (uint32_t& p : image.Pixels) p &= 0xFFFFFF;
  detail::ApplyOrientation(image, OrientationOf(session.cinfo));
  return image;
}

}  // namespace qel
