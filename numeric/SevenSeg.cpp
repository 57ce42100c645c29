// TSevenSeg: properties, the glyph strip's life and painting by copying
// glyphs. Glyph composition is in SevenSegGlyphs.cpp, the strip from
// coverage in SevenSegCoverage.cpp.
#include <algorithm>
#include <cstdint>

#include "numeric/QEL_sevenseg.h"
#include "numeric/detail/SevenSegCoverage.h"
#include "numeric/detail/SevenSegGlyphs.h"
#include "platform/rtl/Utf8.h"

namespace qel {

using namespace sevenseg;

TSevenSeg::TSevenSeg(TComponent* AOwner)
    : TGraphicControl(AOwner),
      strip_(std::make_unique<TBitmap>()),
      buffer_(std::make_unique<TBitmap>()) {
  SetBounds(GetLeft(), GetTop(), 216, 76);  // the first paint builds the strip
}

TSevenSeg::~TSevenSeg() = default;

// ---------------------------------------------------------- properties ----

void TSevenSeg::SetNumDigits(int v) {
  if (v < 1 || v > 32) return;
  Apply(numDigits_, v, TRefresh::Paint, kRebuild, true);
}

void TSevenSeg::SetMargin(int v) {
  Apply(margin_, std::min(v, GetHeight() / 2 - 1), TRefresh::Paint, kRebuild, true);
}

void TSevenSeg::SetInterDigDist(int v) { Apply(interDigDist_, std::min(v, 255), TRefresh::Paint, kRebuild, true); }

void TSevenSeg::SetColorScheme(TColorScheme v) {
  scheme_.Set(v);
  Paint();  // also when unchanged
}

void TSevenSeg::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSevenSeg*>(Source);
  if (!src) return TGraphicControl::Assign(Source);
  colorBackGnd_ = src->colorBackGnd_;
  colorText_ = src->colorText_;
  numDigits_ = src->numDigits_;
  caption_ = src->caption_;
  frameStyle_ = src->frameStyle_;
  scheme_ = src->scheme_;
  // A margin that fits a taller display could leave this one no glyphs.
  margin_ = std::min(src->margin_, GetHeight() / 2 - 1);
  interDigDist_ = src->interDigDist_;
  stripStale_ = true;
  Invalidate();
}

void TSevenSeg::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TSevenSeg*>(Dest)) return d->Assign(this);
  TGraphicControl::AssignTo(Dest);
}

// --------------------------------------------------------- glyph strip ----

// Margin and InterDigDist have no lower limit, so cells can outgrow the
// display; far beyond its size they are left empty instead of asking for
// gigabytes.
void TSevenSeg::RebuildCache() {
  const int W = GetWidth(), H = GetHeight();
  builtWidth_ = W;
  builtHeight_ = H;
  const int64_t a = (int64_t(W) - 2 * int64_t(margin_)) / numDigits_;
  const int64_t g = a - interDigDist_, gh = int64_t(H) - 2 * int64_t(margin_);
  const double limit = std::max(double(1 << 24), 2.0 * kStripCount * W * H);  // pixels of the strip
  const bool fits = g > 0 && gh > 0 && g <= INT32_MAX / kStripCount && gh <= INT32_MAX &&
                    double(kStripCount) * double(g) * double(gh) <= limit;
  glyphWidth_ = fits ? int(g) : 0;
  glyphHeight_ = fits ? int(gh) : 0;
  ++cacheBuilds_;
  stripStale_ = false;
  if (!fits) {
    coverage_.reset();
    strip_->SetSize(0, 0);
    return;
  }
  if (!coverage_ || coverage_->GlyphWidth != glyphWidth_ || coverage_->GlyphHeight != glyphHeight_)
    coverage_ = CoverageFor(glyphWidth_, glyphHeight_);
  PaintStrip(*strip_, *coverage_, colorText_, colorBackGnd_);
}

// The strip follows the size only when it really changed: moving the
// display or setting the same bounds again costs nothing.
void TSevenSeg::RebuildIfResized() {
  if (GetWidth() == builtWidth_ && GetHeight() == builtHeight_) return;
  builtWidth_ = GetWidth();
  builtHeight_ = GetHeight();
  stripStale_ = true;
  Invalidate();
}

void TSevenSeg::Resize() {
  RebuildIfResized();
  TGraphicControl::Resize();
}

// Sizes set while loading did not resize: catch up once.
void TSevenSeg::Loaded() {
  TGraphicControl::Loaded();
  RebuildIfResized();
}

// ------------------------------------------------------------ painting ----

void TSevenSeg::PaintCells(TCanvas& C) {
  const int G = glyphWidth_, GH = glyphHeight_, step = G + interDigDist_;
  if (G <= 0 || GH <= 0) return;  // no room for glyphs
  TCanvas* strip = strip_->Canvas();
  const std::string& s = caption_;
  size_t i = 0;
  for (int j = 0; j < numDigits_ && i < s.size(); ++j) {
    char32_t ch = Utf8DecodeChar(s, i);
    size_t next = i + Utf8CharSize(s, i);
    bool glyph = !IsDecimalSeparator(ch), dot = !glyph;
    if (glyph && next < s.size() && IsDecimalSeparator(Utf8DecodeChar(s, next))) {
      dot = true;
      next += Utf8CharSize(s, next);
    }
    i = next;
    const int L = j * step + margin_;
    int k = glyph ? StripIndex(ch) : -1;
    if (k >= 0) C.CopyRect({L, margin_, L + G, margin_ + GH}, strip, {G * k, 0, G * (k + 1), GH});
    // The point sits in the lower-right sixth of its glyph: copying just that
    // corner leaves the cell's own glyph whole.
    if (dot)
      C.CopyRect({L + G * 5 / 6, GH * 5 / 6 + margin_, L + G, margin_ + GH}, strip,
                 {G * 5 / 6 + kDotGlyph * G, GH * 5 / 6, kStripCount * G, GH});
  }
}

void TSevenSeg::Paint() {
  if (!GetVisible() && !ComponentState().Contains(csDesigning)) return;
  const int W = GetWidth(), H = GetHeight();
  if (W <= 0 || H <= 0) return;
  if (stripStale_) RebuildCache();
  buffer_->SetSize(W, H);
  TCanvas& c = *buffer_->Canvas();
  c.SetCopyMode(cmSrcCopy);
  c.Brush()->SetColor(colorBackGnd_);
  c.FillRect({0, 0, W, H});
  PaintCells(c);
  DrawFrame(&c, frameStyle_, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
  Canvas()->Draw(0, 0, buffer_.get());
}

}  // namespace qel
