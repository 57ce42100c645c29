// TBitmap's image files: loading from files, streams and embedded resources,
// saving to files and streams. The codecs are in BmpCodec.cpp, PngCodec.cpp
// and JpegCodec.cpp; this file moves bytes and keeps a failed load harmless.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <new>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/Resources.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/detail/RegularFile.h"

namespace qel {

DecodedImage DecodeImage(std::span<const uint8_t> Bytes, const ImageLimits& Limits, int FitSide) {
  if (IsPngSignature(Bytes)) return DecodePng(Bytes, Limits);
  if (IsJpegSignature(Bytes)) return DecodeJpeg(Bytes, Limits, FitSide);
  if (Bytes.size() >= 2 && Bytes[0] == 'B' && Bytes[1] == 'M') return DecodeBmp(Bytes, Limits);
  if (Bytes.empty()) throw EInvalidGraphic("Invalid image: no data");
  throw EInvalidGraphic("Invalid image: not a BMP, PNG or JPEG file");
}

void CheckPixelCount(const char* Format, int64_t Width, int64_t Height, const ImageLimits& Limits) {
  if (Width * Height <= Limits.MaxPixels) return;
  throw EImageTooLarge(std::string("Invalid ") + Format + " image: size " + std::to_string(Width) + " x " +
                           std::to_string(Height) + " is too large",
                       Width, Height, Limits.MaxPixels);
}

namespace {

// Sized for honest photographs (a 100-megapixel camera); a picture file of a
// few bytes can declare far more.
int64_t maxLoadPixels = 100'000'000;
// No bitmap is larger (TBitmap::SetSize).
constexpr int64_t kLargestBitmap = int64_t(1) << 28;

ImageLimits LoadLimits() { return {.MaxPixels = maxLoadPixels}; }

// The decoder does not know where its bytes came from: the message names it.
DecodedImage DecodeNamed(std::span<const uint8_t> Bytes, const std::string& Source, int FitSide = 0) {
  try {
    return DecodeImage(Bytes, LoadLimits(), FitSide);
  } catch (const EImageTooLarge& e) {
    throw EImageTooLarge("Cannot load " + Source + ": its picture of " + std::to_string(e.Width) + " x " +
                             std::to_string(e.Height) + " pixels is more than the limit of " +
                             std::to_string(e.Limit) + " pixels a picture may have (SetMaxLoadPixels)",
                         e.Width, e.Height, e.Limit);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("Cannot load " + Source + ": " + e.Message());
  }
}

std::string SystemReason() { return std::strerror(errno); }

// Closes the descriptor on every path out.
struct FileHandle {
  int fd;
  ~FileHandle() {
    if (fd >= 0) ::close(fd);
  }
};

// No picture within the decoders' default limits needs more: eight bytes a
// pixel (16-bit RGBA stored without compression) and room for metadata.
constexpr int64_t kMaxImageFileBytes = ImageLimits{}.MaxPixels * 8 + (int64_t(64) << 20);

// Files are read whole, so a name that leads to a device or a pipe (endless,
// or blocking until a writer comes) is refused before a byte is read, and so
// is a file larger than any picture could be.
std::vector<uint8_t> ReadFile(const std::string& name) {
  detail::FileOpening opened = detail::OpenRegularFile(name, O_RDONLY);
  const char* verb = opened.NotRegular ? "Cannot read file \"" : "Cannot open file \"";
  if (opened.Fd < 0) throw EFOpenError(verb + name + "\". " + opened.Reason);
  FileHandle file{opened.Fd};
  auto tooLarge = [&] { return EInvalidGraphic("Invalid image: file \"" + name + "\" is too large for a picture"); };
  if (opened.Size > kMaxImageFileBytes) throw tooLarge();
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  try {
    bytes.reserve(size_t(opened.Size));
    for (;;) {
      ssize_t n = ::read(file.fd, chunk, sizeof chunk);
      if (n == 0) return bytes;
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw EFOpenError("Cannot read file \"" + name + "\". " + SystemReason());
      if (int64_t(bytes.size()) + n > kMaxImageFileBytes) throw tooLarge();  // it grows while read
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
  } catch (const std::bad_alloc&) {  // the callers keep their picture on an Exception
    throw EOutOfMemory("Out of memory reading file \"" + name + "\"");
  }
}

void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  detail::FileOpening opened = detail::OpenRegularFile(name, O_WRONLY | O_CREAT | O_TRUNC);
  if (opened.Fd < 0) throw EFOpenError("Cannot create file \"" + name + "\". " + opened.Reason);
  FileHandle file{opened.Fd};
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(file.fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EFOpenError("Cannot write file \"" + name + "\". " + SystemReason());
    done += size_t(n);
  }
}

// Everything from the stream's position to its end.
std::vector<uint8_t> ReadRest(TStream& stream) {
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  for (int64_t n; (n = stream.Read(chunk, sizeof chunk)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
  return bytes;
}

bool HasPngExtension(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".png";
}

}  // namespace

int64_t GetMaxLoadPixels() { return maxLoadPixels; }

void SetMaxLoadPixels(int64_t Pixels) { maxLoadPixels = std::clamp<int64_t>(Pixels, 1, kLargestBitmap); }

// The decoder fills a fresh buffer; the bitmap changes only once it succeeded.
static void Adopt(int& width, int& height, std::vector<uint32_t>& pixels, DecodedImage image) {
  pixels = std::move(image.Pixels);
  width = image.Width;
  height = image.Height;
}

void TBitmap::LoadFromFile(const std::string& FileName) {
  std::vector<uint8_t> bytes = ReadFile(FileName);
  Adopt(width_, height_, pixels_, DecodeNamed(bytes, "file \"" + FileName + "\""));
}

void TBitmap::LoadPreviewFromFile(const std::string& FileName, int FitSide) {
  std::vector<uint8_t> bytes = ReadFile(FileName);
  Adopt(width_, height_, pixels_, DecodeNamed(bytes, "file \"" + FileName + "\"", FitSide));
}

void TBitmap::LoadFromStream(TStream& Stream) {
  std::vector<uint8_t> bytes = ReadRest(Stream);
  Adopt(width_, height_, pixels_, DecodeNamed(bytes, "a stream"));
}

void TBitmap::LoadFromResourceName(uintptr_t, const std::string& ResName) {
  std::span<const unsigned char> bytes = FindResource(ResName);
  if (bytes.empty()) throw EResNotFound("Resource " + ResName + " not found");
  Adopt(width_, height_, pixels_, DecodeImage(bytes));
}

void TBitmap::SaveToFile(const std::string& FileName) const {
  bool png = HasPngExtension(FileName);
  WriteFile(FileName, png ? EncodePng(width_, height_, pixels_.data()) : EncodeBmp(width_, height_, pixels_.data()));
}

void TBitmap::SaveToStream(TStream& Stream) const {
  std::vector<uint8_t> bytes = EncodeBmp(width_, height_, pixels_.data());
  Stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

}  // namespace qel
