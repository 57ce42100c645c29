// Fonts for the canvas: family names resolved through fontconfig, faces and
// sizes through FreeType, rendered glyphs kept in one glyph cache.
//
// Everything is loaded lazily and once: the FreeType library, each font file,
// each (face, size, synthetic style) instance. The engine is shared by all
// canvases and guarded by one mutex (FontEngineLock).
//
// Sections: resolution, metrics, cache statistics, instances (for the text
// renderer).
#pragma once
#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/GlyphCache.h"

struct FT_FaceRec_;
struct FT_SizeRec_;

namespace qel {

class TFont;

// ---------------------------------------------------------- resolution ----

/// The installed font a family name stands for. Names of the platform's
/// common fonts map to metric-compatible ones (Arial/Helvetica -> Liberation
/// Sans, Times New Roman/Times -> Liberation Serif, Courier New/Courier ->
/// Liberation Mono); an installed family is used as it is; anything else,
/// including Tahoma and MS Sans Serif, is DejaVu Sans. A style the family
/// lacks is synthesised when drawing.
struct ResolvedFont {
  std::string Family;  ///< As fontconfig names it, e.g. "Liberation Sans"
  /// The font file.
  std::string File;
  /// Index of the face in the file.
  int FaceIndex = 0;
  /// Styles the face lacks and drawing makes up.
  ///@{
  bool SyntheticBold = false, SyntheticItalic = false;
  ///@}
};
/// Cached per (family, bold, italic). Raises Exception when no scalable font
/// is installed at all.
ResolvedFont ResolveFont(const std::string& Family, bool Bold, bool Italic);

// ------------------------------------------------------------- metrics ----

/// A font's cell in whole pixels. Offsets count down from the cell's top.
struct FontMetrics {
  int EmPixels = 0;             ///< The size FreeType renders at
  /// From the face's Windows ascent and descent.
  ///@{
  int Ascent = 0, Descent = 0;
  ///@}
  int Height = 0;               ///< Ascent + Descent: the text height
  /// Top and thickness of the underline.
  ///@{
  int UnderlineTop = 0, UnderlineThickness = 1;
  ///@}
  /// Top and thickness of the strike-out line.
  ///@{
  int StrikeOutTop = 0, StrikeOutThickness = 1;
  ///@}
};
/// The metrics of a font as drawn.
FontMetrics GetFontMetrics(const TFont& Font);

// ---------------------------------------------------- cache statistics ----

/// The glyph cache's counters.
GlyphCacheStats GetGlyphCacheStats();
/// Sets the glyph cache's counters back to 0.
void ResetGlyphCacheCounters();
/// Drops every rendered glyph (the next draws render them again).
void ClearGlyphCache();

// ----------------------------------------------------------- instances ----

/// One face at one pixel size with its synthetic styles. Returned references
/// stay valid while the engine lock is held.
class FontInstance {
 public:
  /// The face's metrics at this size.
  const FontMetrics& Metrics() const { return metrics_; }
  /// The face's glyph for a character (0: none).
  uint32_t GlyphIndex(char32_t Ch);
  /// Hinted advance in whole pixels, synthetic bold included.
  int Advance(uint32_t Glyph);
  /// Kerning between two glyphs in whole pixels (0 when the face has none).
  int Kerning(uint32_t Left, uint32_t Right);
  /// Whether the face has kerning.
  bool HasKerning() const { return hasKerning_; }
  /// The glyph's coverage, Angle in tenths of a degree (0..3599), from the cache.
  const CachedGlyph& Render(uint32_t Glyph, bool Mono, int Angle);

  /// Opens Face at Height pixels (the engine makes these).
  FontInstance(uint32_t Id, FT_FaceRec_* Face, const ResolvedFont& Font, int Height);
  /// Frees the size.
  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

 private:
  void Activate();
  CachedGlyph Rasterise(uint32_t Glyph, bool Mono, int Angle);
  bool Load(uint32_t Glyph, int32_t Flags);

  uint32_t id_;
  FT_FaceRec_* face_;
  FT_SizeRec_* size_ = nullptr;
  bool syntheticBold_, syntheticItalic_, hasKerning_ = false;
  long emboldenStrength_ = 0;  // 26.6 pixels
  FontMetrics metrics_;
  std::array<uint32_t, 256> latinGlyphs_{};  // glyph index + 1; 0 = not looked up yet
  std::vector<int32_t> advances_;            // per glyph; -1 = not measured yet
  // FreeType's kerning lookup costs more than the rest of the layout, so
  // pairs are remembered in a direct-mapped table (key 0 = empty slot).
  struct KernSlot {
    uint32_t pair = 0;
    int32_t value = 0;
  };
  std::vector<KernSlot> kerning_;
};

/// The width TCanvas::TextWidth gives Text in Font (lock held).
int TextRunWidth(FontInstance& Font, std::string_view Text);

/// The engine's lock; hold it while using a FontInstance.
std::unique_lock<std::mutex> FontEngineLock();
/// The instance for a font's name, height and bold/italic style (lock held).
FontInstance& InstanceFor(const TFont& Font);

}  // namespace qel
