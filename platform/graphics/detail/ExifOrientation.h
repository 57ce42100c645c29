// The orientation a camera records in a JPEG's Exif block, and turning a
// decoded picture upright by it.
#pragma once
#include <cstdint>
#include <span>

#include "platform/graphics/ImageCodecs.h"

namespace qel::detail {

/// The Exif orientation (1..8) in the body of an APP1 marker (starting with
/// "Exif\0\0"); 1 (as stored) when the block is no Exif block, holds no
/// orientation, or is damaged. Reads only within Block.
int ExifOrientation(std::span<const uint8_t> Block);

/// Mirrors and turns Image as orientation 2..8 asks, so that it shows
/// upright; 5..8 swap the width and the height. Other values leave it.
void ApplyOrientation(DecodedImage& Image, int Orientation);

}  // namespace qel::detail
