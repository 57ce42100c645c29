// TTextMeasurer: the widths of many strings in one font, each exactly what
// TCanvas::TextWidth gives, at the cost of a few table lookups per
// character. It holds the font engine for its lifetime, so no canvas may
// draw or measure text while one exists.
#pragma once
#include <array>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

namespace qel {

class TFont;
class FontInstance;

/// Measures text in one font without a canvas, holding the font engine for its lifetime.
class TTextMeasurer {
 public:
  /// A measurer for Font.
  explicit TTextMeasurer(const TFont& Font);
  ~TTextMeasurer();
  TTextMeasurer(const TTextMeasurer&) = delete;
  TTextMeasurer& operator=(const TTextMeasurer&) = delete;

  /// Width of Text in pixels (as TCanvas::TextWidth).
  int Width(std::string_view Text);

 private:
  int Kerning(unsigned Left, unsigned Right);

  std::unique_lock<std::mutex> lock_;
  FontInstance* font_;
  bool kerning_;
  // ASCII: glyph indices and advances, looked up once; kerning pairs as
  // they are met (kUnknown until then).
  std::array<uint32_t, 128> glyph_{};
  std::array<int32_t, 128> advance_{};
  static constexpr int16_t kUnknown = INT16_MIN;
  std::vector<int16_t> pairs_;
};

}  // namespace qel
