// Image file codecs as pure functions over bytes, so that TBitmap, the tests
// and the fuzz target share one decoder. Every decoder raises EInvalidGraphic
// for bad data, and checks the dimensions, and that the file can hold the
// picture it declares, before it allocates the picture.
//
// Choices the formats leave open:
//  - PNG transparency is composited over white (a bitmap has no alpha, and
//    white is what a picture with a transparent background shows elsewhere);
//  - BMP alpha (32-bit BI_RGB fourth byte, bit-field alpha masks) is ignored;
//  - a BMP palette index with no palette entry gives black;
//  - pixels an RLE stream skips (delta, early end of line or bitmap) take
//    palette entry 0; an RLE picture above 16 M pixels needs a byte of
//    stream per 8192 pixels, so that a few bytes cannot demand gigabytes;
//  - a JPEG is turned upright by its Exif orientation; CMYK is turned to RGB;
//    arithmetic-coded JPEG and a JPEG that ends early are refused.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Export.h"

namespace qel {
QEL_API_BEGIN

/// A decoded picture.
struct DecodedImage {
  /// Size in pixels.
  ///@{
  int Width = 0, Height = 0;
  ///@}
  std::vector<uint32_t> Pixels;  ///< 0x00RRGGBB, top row first
};

/// Upper bounds a decoder enforces before allocating. The fuzz target uses
/// smaller ones so that each input stays cheap.
struct ImageLimits {
  /// Longest side in pixels.
  int MaxSide = 1 << 16;
  /// Most pixels in all.
  int64_t MaxPixels = int64_t(1) << 28;
};

/// Most pixels a picture loaded by TBitmap from a file or a stream may have,
/// for the whole program: 100 000 000 at first (a 100-megapixel photograph),
/// kept within 1 .. 2^28 (the largest bitmap). A file declaring more raises
/// EImageTooLarge naming the file, its size and the limit, before memory is
/// taken for the picture.
///@{
int64_t GetMaxLoadPixels();
void SetMaxLoadPixels(int64_t Pixels);
///@}

/// A picture with more pixels than the limit allows, told before any memory
/// was taken for it: its size, so that a loader can name it with its file.
class EImageTooLarge : public EInvalidGraphic {
 public:
  /// Message as the decoder words it; the size and the limit.
  EImageTooLarge(const std::string& Message, int64_t AWidth, int64_t AHeight, int64_t ALimit)
      : EInvalidGraphic(Message), Width(AWidth), Height(AHeight), Limit(ALimit) {}
  /// The size the file declares, and the limit it broke.
  ///@{
  int64_t Width, Height, Limit;
  ///@}
};
/// Raises EImageTooLarge when Width x Height is more than Limits.MaxPixels;
/// Format ("PNG", "BMP", "JPEG") starts the message.
void CheckPixelCount(const char* Format, int64_t Width, int64_t Height, const ImageLimits& Limits);

/// Tells PNG, JPEG and BMP apart by the signature; anything else raises
/// EInvalidGraphic. FitSide > 0 says that a picture whose longer side is at
/// least FitSide pixels will do: a JPEG is then decoded at 1/2, 1/4 or 1/8 of
/// its size where that keeps its longer side at least FitSide (the limits
/// still apply to the size the file declares); other formats ignore it.
///@{
DecodedImage DecodeImage(std::span<const uint8_t> Bytes, const ImageLimits& Limits = {}, int FitSide = 0);
DecodedImage DecodeBmp(std::span<const uint8_t> Bytes, const ImageLimits& Limits = {});
DecodedImage DecodePng(std::span<const uint8_t> Bytes, const ImageLimits& Limits = {});
DecodedImage DecodeJpeg(std::span<const uint8_t> Bytes, const ImageLimits& Limits = {}, int FitSide = 0);
///@}
/// Whether Bytes start with the PNG signature.
bool IsPngSignature(std::span<const uint8_t> Bytes);
/// Whether Bytes start as a JPEG file does (a start-of-image marker).
bool IsJpegSignature(std::span<const uint8_t> Bytes);

/// Pixels are Width * Height values 0x00RRGGBB, top row first; both sizes > 0.
/// BMP: 32 bits per pixel, BI_RGB, bottom-up. PNG: 8-bit RGB.
///@{
std::vector<uint8_t> EncodeBmp(int Width, int Height, const uint32_t* Pixels);
std::vector<uint8_t> EncodePng(int Width, int Height, const uint32_t* Pixels);
///@}

QEL_API_END
}  // namespace qel
