// TTextMeasurer: ASCII text measured from tables, anything else by the
// canvas's own layout.
#include "platform/graphics/TextMeasurer.h"

#include <algorithm>

#include "platform/graphics/FontEngine.h"
#include "platform/graphics/Graphics.h"

namespace qel {

namespace {
// The canvas stops a text's pen here; so does the measurer.
constexpr int64_t kCoordLimit = 1 << 28;
}  // namespace

TTextMeasurer::TTextMeasurer(const TFont& Font) : lock_(FontEngineLock()), font_(&InstanceFor(Font)) {
  kerning_ = font_->HasKerning();
  for (unsigned ch = 0; ch < 128; ++ch) {
    glyph_[ch] = font_->GlyphIndex(ch);
    advance_[ch] = font_->Advance(glyph_[ch]);
  }
  if (kerning_) pairs_.assign(128 * 128, kUnknown);
}

TTextMeasurer::~TTextMeasurer() = default;

int TTextMeasurer::Kerning(unsigned Left, unsigned Right) {
  int16_t& k = pairs_[Left * 128 + Right];
  if (k == kUnknown) k = int16_t(std::clamp(font_->Kerning(glyph_[Left], glyph_[Right]), -32767, 32767));
  return k;
}

int TTextMeasurer::Width(std::string_view Text) {
  int64_t x = 0;
  unsigned previous = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    const unsigned ch = static_cast<unsigned char>(Text[i]);
    if (ch >= 128) return TextRunWidth(*font_, Text);
    // Each glyph kerns against the one before it, as on the canvas.
    if (kerning_ && i > 0) x += Kerning(previous, ch);
    x = std::min(x + advance_[ch], kCoordLimit);
    previous = ch;
  }
  return int(x);
}

}  // namespace qel
