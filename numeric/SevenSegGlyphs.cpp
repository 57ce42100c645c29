// Seven-segment glyphs: the character map, recolouring the part pictures,
// composing glyphs in the master raster and scaling them into the strip.
#include "numeric/detail/SevenSegGlyphs.h"

#include <algorithm>

namespace qel::sevenseg {

namespace {

constexpr uint16_t Bits(std::initializer_list<int> Segments) {
  uint16_t b = 0;
  for (int s : Segments) b |= uint16_t(1u << (s - 1));
  return b;
}

constexpr TColor kWhite = 0xFFFFFF, kNearWhite = 0xFEFEFE;

// Where the flood fill that recolours a picture starts: inside its shape
// (the colon has two dots, so two seeds).
struct TSeed {
  int X, Y;
};
std::array<TSeed, 2> SeedsOf(TPart Part, int W, int H, int& Count) {
  Count = 1;
  switch (Part) {
    case ptColon: Count = 2; return {{{18, H - 18}, {W - 18, 18}}};
    case ptDegree: return {{{25, H / 2}, {}}};
    default: return {{{W / 2, H / 2}, {}}};
  }
}

}  // namespace

uint16_t SegmentsOf(char32_t Ch) {
  switch (Ch) {
    case U'0': return Bits({1, 2, 3, 5, 6, 7});
    case U'1': return Bits({3, 6});
    case U'2': return Bits({1, 3, 4, 5, 7});
    case U'3': return Bits({1, 3, 4, 6, 7});
    case U'4': return Bits({2, 3, 4, 6});
    case U'5': return Bits({1, 2, 4, 6, 7});
    case U'6': return Bits({1, 2, 4, 5, 6, 7});
    case U'7': return Bits({1, 3, 6});
    case U'8': return Bits({1, 2, 3, 4, 5, 6, 7});
    case U'9': return Bits({1, 2, 3, 4, 6, 7});
    case U'-': return Bits({4});
    case U'A': case U'a': return Bits({1, 2, 3, 4, 5, 6});
    case U'B': case U'b': return Bits({2, 4, 5, 6, 7});
    case U'C': case U'c': return Bits({1, 2, 5, 7});
    case U'D': case U'd': return Bits({3, 4, 5, 6, 7});
    case U'E': case U'e': return Bits({1, 2, 4, 5, 7});
    case U'F': case U'f': return Bits({1, 2, 4, 5});
    case U'+': return Bits({9});
    case U':': return Bits({10});
    case U'\u00B0': return Bits({11});
    default: return 0;
  }
}

int StripIndex(char32_t Ch) {
  if (Ch >= U'a' && Ch <= U'f') Ch -= U'a' - U'A';
  auto it = std::find(kStripChars.begin(), kStripChars.end(), Ch);
  return it == kStripChars.end() ? -1 : int(it - kStripChars.begin());
}

bool IsDecimalSeparator(char32_t Ch) { return Ch == U'.' || Ch == U','; }

// ------------------------------------------------------------ pictures ----

TPartImages::TPartImages() {
  for (int p = 0; p < kPartCount; ++p) {
    images_[p] = std::make_unique<TBitmap>();
    images_[p]->LoadFromResourceName(HInstance, kPartPictures[p].Resource);
  }
}

void TPartImages::Colourise(TColor Color) {
  Color = ColorToRGB(Color);
  if (Color == kWhite) Color = kNearWhite;
  for (int p = 0; p < kPartCount; ++p) {
    TBitmap& img = *images_[p];
    TCanvas& c = *img.Canvas();
    c.Brush()->SetColor(Color);
    int count = 0;
    auto seeds = SeedsOf(TPart(p), img.GetWidth(), img.GetHeight(), count);
    for (int i = 0; i < count; ++i) {
      TColor found = c.GetPixels(seeds[i].X, seeds[i].Y);
      // A seed on the ground (foreign artwork) must not flood the picture.
      if (found != kWhite && found != CLR_INVALID) c.FloodFill(seeds[i].X, seeds[i].Y, found, fsSurface);
    }
  }
}

// -------------------------------------------------------------- glyphs ----

// The shapes are ANDed onto white, so they keep their colour and overlaps
// stay whole. Every pixel still white afterwards is ground, the inside of
// the degree ring included (a flood fill from a corner would leave that
// enclosed hole white).
void ComposeGlyph(TBitmap& Raster, const TPartImages& Images, char32_t Ch, bool Dot, TColor BackGnd) {
  Raster.SetSize(kMasterWidth, kMasterHeight);
  TCanvas& c = *Raster.Canvas();
  c.Brush()->SetColor(kWhite);
  c.FillRect({0, 0, kMasterWidth, kMasterHeight});
  c.SetCopyMode(cmSrcAnd);
  if (IsDecimalSeparator(Ch)) Dot = true;
  uint16_t lit = SegmentsOf(Ch);
  if (Dot) lit |= uint16_t(1u << (kDotSegment - 1));
  for (int s = 0; s < int(kSegments.size()); ++s)
    if (lit & (1u << s)) c.Draw(kSegments[s].X, kSegments[s].Y, Images.Get(kSegments[s].Part));
  c.SetCopyMode(cmSrcCopy);
  const uint32_t white = ColorToPixel(kWhite), ground = ColorToPixel(BackGnd);
  for (int y = 0; y < kMasterHeight; ++y) {
    uint32_t* row = Raster.ScanLine(y);
    std::replace(row, row + kMasterWidth, white, ground);
  }
}

void BuildStrip(TBitmap& Strip, TBitmap& Raster, TPartImages& Images, int GlyphWidth, int GlyphHeight, TColor Text,
                TColor BackGnd) {
  if (GlyphWidth <= 0 || GlyphHeight <= 0) {
    Strip.SetSize(0, 0);
    return;
  }
  Strip.SetSize(kStripCount * GlyphWidth, GlyphHeight);
  TCanvas& strip = *Strip.Canvas();
  strip.Brush()->SetColor(BackGnd);
  strip.FillRect({0, 0, Strip.GetWidth(), GlyphHeight});
  Images.Colourise(Text);
  SetStretchBltMode(&strip, HALFTONE);
  for (int i = 0; i < kStripCount; ++i) {
    ComposeGlyph(Raster, Images, kStripChars[i], false, BackGnd);
    StretchBlt(&strip, GlyphWidth * i, 0, GlyphWidth, GlyphHeight, Raster.Canvas(), 0, 0, kMasterWidth,
               kMasterHeight, SRCCOPY);
  }
}

}  // namespace qel::sevenseg
