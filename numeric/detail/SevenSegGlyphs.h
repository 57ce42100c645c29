// Internal to QEL_sevenseg: the master raster of the seven-segment glyphs,
// where each segment picture goes in it, which segments each character
// lights, and the glyph strip built from them.
//
// The master raster is 312 x 432 pixels. Segment pictures are black shapes
// on white, loaded from the resources SEGHORZ, SEGVERT, SEGDOT, SEGPLUS,
// SEGCOLON and SEGDEG; the artwork program in resources/ draws them for
// exactly these placements.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/graphics/Graphics.h"

namespace qel::sevenseg {

/// Size in pixels of the master glyph the segments are composed on.
///@{
constexpr int kMasterWidth = 312, kMasterHeight = 432;
///@}

enum TPart : uint8_t { ptHorizontal, ptVertical, ptDot, ptPlus, ptColon, ptDegree, kPartCount };

/// A segment picture: its resource name and size in pixels.
struct TPartPicture {
  ///@{
  /// Name of the resource.
  const char* Resource;
  /// Size of the picture in pixels.
  int Width, Height;
  ///@}
};
/// Resource name and size of each part picture, in TPart order.
constexpr std::array<TPartPicture, kPartCount> kPartPictures{{
    {"SEGHORZ", 200, 38},
    {"SEGVERT", 68, 190},
    {"SEGDOT", 38, 38},
    {"SEGPLUS", 200, 190},
    {"SEGCOLON", 68, 190},
    {"SEGDEG", 160, 138},
}};

/// Where a segment lies in the master glyph.
struct TPlacement {
  /// Which picture the segment uses.
  TPart Part;
  /// Top-left corner in the master raster.
  ///@{
  int X, Y;
  ///@}
};
/// Segments 1 to 11 (index 0 is segment 1): a, f, b, g, e, c, d, the
/// decimal point, the plus sign, the colon and the degree ring.
constexpr std::array<TPlacement, 11> kSegments{{
    {ptHorizontal, 94, 0},    // 1 a top
    {ptVertical, 37, 23},     // 2 f upper left
    {ptVertical, 244, 23},    // 3 b upper right
    {ptHorizontal, 57, 197},  // 4 g middle
    {ptVertical, 0, 220},     // 5 e lower left
    {ptVertical, 207, 220},   // 6 c lower right
    {ptHorizontal, 20, 394},  // 7 d bottom
    {ptDot, 269, 394},        // 8 decimal point
    {ptPlus, 57, 120},        // 9 plus
    {ptColon, 122, 121},      // 10 colon
    {ptDegree, 150, 0},       // 11 degree
}};
constexpr int kDotSegment = 8;

/// The characters of the glyph strip, in strip order; the last one is the
/// decimal point alone. U+00B0 is the degree sign.
constexpr std::array<char32_t, 21> kStripChars{U'0', U'1', U'2', U'3', U'4', U'5', U'6', U'7', U'8', U'9', U'-',
                                               U'+', U':', U'\u00B0', U'A', U'B', U'C', U'D', U'E', U'F', U'.'};
constexpr int kStripCount = int(kStripChars.size());
constexpr int kDotGlyph = kStripCount - 1;

/// Bit n - 1 set: segment n lit. Lower-case a to f light the capital's
/// segments; the decimal point is never part of a character (it comes with
/// the cell). Unknown characters light nothing.
uint16_t SegmentsOf(char32_t Ch);
/// Index in the glyph strip after upper-casing a to f; -1 when absent.
int StripIndex(char32_t Ch);
bool IsDecimalSeparator(char32_t Ch);

/// The six part pictures, loaded once and recoloured for every strip.
class TPartImages {
 public:
  /// Loads the resources; a missing one raises EResNotFound.
  TPartImages();
  /// Repaints every shape in Color. Pure white becomes 0xFEFEFE, so a white
  /// segment never merges with the white ground of the composition.
  void Colourise(TColor Color);
  /// The picture of one part.
  TBitmap* Get(TPart Part) const { return images_[Part].get(); }

 private:
  std::array<std::unique_ptr<TBitmap>, kPartCount> images_;
};

/// Composes one glyph in Raster (master size): the shapes of Ch (plus the
/// decimal point when Dot) in the images' colour on BackGnd.
void ComposeGlyph(TBitmap& Raster, const TPartImages& Images, char32_t Ch, bool Dot, TColor BackGnd);

/// Sizes Strip to 21 cells of GlyphWidth x GlyphHeight filled with BackGnd
/// and scales each composed glyph into its cell (halftone). A cell with no
/// area leaves the strip empty. The displays paint their strips from
/// coverage (SevenSegCoverage.h); this direct way is what that is checked
/// and timed against.
void BuildStrip(TBitmap& Strip, TBitmap& Raster, TPartImages& Images, int GlyphWidth, int GlyphHeight,
                TColor Text, TColor BackGnd);

}  // namespace qel::sevenseg
