// Drawing text: background, colours, quality, clipping, pen position, styles.
#include <gtest/gtest.h>

#include <set>

#include "platform/graphics/FontEngine.h"
#include "platform/graphics/Graphics.h"
#include "tests/platform/graphics/text_test_support.h"

using namespace qel;
using namespace qel::testing;

namespace {

const uint32_t kYellowPixel = ColorToPixel(clYellow);
const uint32_t kRedPixel = ColorToPixel(clRed);

std::set<uint32_t> Colours(TBitmap& b) {
  std::set<uint32_t> s;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) s.insert(b.ScanLine(y)[x]);
  return s;
}

}  // namespace

TEST(TextDraw, OpaqueBrushFillsTheCellAndClearDoesNot) {
  TBitmap b(120, 40);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(clYellow);
  c.Font()->SetColor(clBlack);
  c.TextOut(10, 5, "Hi all");
  TSize e = c.TextExtent("Hi all");
  TRect cell = Bounds(10, 5, e.cx, e.cy);
  EXPECT_EQ(InkBounds(b), cell);
  // The cell's corners are background, and somewhere inside is ink.
  EXPECT_EQ(b.ScanLine(cell.Top)[cell.Left], kYellowPixel);
  EXPECT_EQ(b.ScanLine(cell.Bottom - 1)[cell.Right - 1], kYellowPixel);
  EXPECT_GT(Colours(b).size(), 2u);

  Clear(b);
  c.Brush()->SetStyle(bsClear);
  c.TextOut(10, 5, "Hi all");
  TRect ink = InkBounds(b);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_EQ(IntersectRect(ink, cell), ink);  // glyphs stay in the cell
  EXPECT_EQ(Colours(b).count(kYellowPixel), 0u);
  EXPECT_EQ(b.ScanLine(cell.Top)[cell.Left], kWhitePixel);
}

TEST(TextDraw, QualityDecidesBetweenSmoothAndTwoColourText) {
  TBitmap b(200, 30);
  TCanvas& c = *b.Canvas();
  UseClearBlackText(c);
  c.Font()->SetColor(clRed);
  for (TFontQuality q : {fqNonAntialiased, fqDraft}) {
    Clear(b);
    c.Font()->SetQuality(q);
    c.TextOut(2, 2, "Monochrome glyphs @ 8pt");
    EXPECT_EQ(Colours(b), (std::set<uint32_t>{kWhitePixel, kRedPixel})) << int(q);
  }
  for (TFontQuality q : {fqDefault, fqAntialiased, fqClearType}) {
    Clear(b);
    c.Font()->SetQuality(q);
    c.TextOut(2, 2, "Smooth glyphs @ 8pt");
    std::set<uint32_t> colours = Colours(b);
    EXPECT_TRUE(colours.count(kRedPixel)) << int(q);
    EXPECT_GT(colours.size(), 4u) << int(q);  // partial coverage blends
  }
}

TEST(TextDraw, SystemColoursResolveForFontAndBrush) {
  TBitmap b(80, 20);
  TCanvas& c = *b.Canvas();
  c.Font()->SetColor(clHighlightText);
  c.Font()->SetQuality(fqNonAntialiased);
  c.Brush()->SetColor(clHighlight);
  c.TextOut(0, 0, "Selected");
  EXPECT_EQ(Colours(b).count(ColorToPixel(clHighlight)), 1u);
  EXPECT_EQ(Colours(b).count(ColorToPixel(clHighlightText)), 1u);
}

TEST(TextDraw, ClipAndOriginAreHonoured) {
  TBitmap b(100, 30);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(clYellow);
  c.SetClipRect(Rect(0, 0, 30, 30));
  c.TextOut(10, 5, "Clipped text");
  EXPECT_EQ(InkBounds(b).Right, 30);
  c.ResetClipRect();

  // A canvas that is a window onto the bitmap at (40, 10), 20 pixels wide.
  Clear(b);
  TCanvas view;
  view.SetTarget(&b, {40, 10}, Rect(40, 10, 60, 30));
  view.Brush()->SetColor(clYellow);
  view.TextOut(0, 0, "Windowed");
  EXPECT_EQ(InkBounds(b), Rect(40, 10, 60, 10 + view.TextHeight("x")));
  // Text entirely outside the clip leaves everything alone.
  Clear(b);
  view.TextOut(-500, 0, "Far away");
  view.TextOut(0, 100, "Far away");
  EXPECT_TRUE(InkBounds(b).IsEmpty());
}

TEST(TextDraw, TextRectClipsToItsRectangleAndFillsIt) {
  TBitmap b(120, 40);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(clYellow);
  c.Font()->SetColor(clBlack);
  c.SetPenPos({3, 4});
  TRect r = Rect(20, 10, 50, 30);
  c.TextRect(r, 15, 12, "A long text that overflows");
  EXPECT_EQ(InkBounds(b), r);
  EXPECT_EQ(b.ScanLine(r.Bottom - 1)[r.Left], kYellowPixel);  // below the text cell, still filled
  EXPECT_EQ(c.GetPenPos(), (TPoint{3, 4}));

  Clear(b);
  c.Brush()->SetStyle(bsClear);
  c.TextRect(r, 15, 12, "A long text that overflows");
  TRect ink = InkBounds(b);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_EQ(IntersectRect(ink, r), ink);
  EXPECT_EQ(b.ScanLine(r.Bottom - 1)[r.Left], kWhitePixel);
}

TEST(TextDraw, TextOutMovesThePenToTheEndOfTheText) {
  TBitmap b(100, 20);
  TCanvas& c = *b.Canvas();
  c.TextOut(7, 3, "Pen");
  EXPECT_EQ(c.GetPenPos(), (TPoint{7 + c.TextWidth("Pen"), 3}));
  c.TextOut(1, 2, "");
  EXPECT_EQ(c.GetPenPos(), (TPoint{1, 2}));
  // A canvas without a surface still measures and moves the pen.
  TCanvas nowhere;
  nowhere.TextOut(5, 5, "abc");
  EXPECT_EQ(nowhere.GetPenPos(), (TPoint{5 + nowhere.TextWidth("abc"), 5}));
}

TEST(TextDraw, RotatedTextTurnsAroundItsAnchor) {
  TBitmap b(200, 200);
  TCanvas& c = *b.Canvas();
  UseClearBlackText(c);
  const std::string text = "Upwards";
  TSize e = c.TextExtent(text);
  c.Font()->SetOrientation(900);
  c.TextOut(100, 150, text);
  TRect ink = InkBounds(b);
  // At 90 degrees the text reads upwards from the anchor: the cell spans
  // x 100..100+height and y 150-width..150.
  EXPECT_GE(ink.Left, 100);
  EXPECT_LE(ink.Right, 100 + e.cy);
  EXPECT_LE(ink.Bottom, 150);
  EXPECT_GE(ink.Top, 150 - e.cx - 1);
  EXPECT_GT(ink.Height(), e.cx / 2);
  // The first letter is at the bottom: drawing only it stays near the anchor.
  Clear(b);
  c.TextOut(100, 150, "U");
  EXPECT_GE(InkBounds(b).Top, 150 - c.TextWidth("U") - 1);

  // Upside down: left of and above the anchor; the opaque cell turns too.
  Clear(b);
  c.Font()->SetOrientation(1800);
  c.Brush()->SetColor(clYellow);
  c.TextOut(100, 150, text);
  EXPECT_EQ(InkBounds(b), Rect(100 - e.cx, 150 - e.cy, 100, 150));
  EXPECT_EQ(c.GetPenPos(), (TPoint{100 + e.cx, 150}));

  // At 45 degrees the opaque cell is a turned rectangle: its far corner
  // along the baseline is up and to the right.
  Clear(b);
  c.Font()->SetOrientation(450);
  c.TextOut(50, 150, text);
  TRect turned = InkBounds(b);
  EXPECT_NEAR(turned.Top, 150 - e.cx * 0.7071, 2);
  EXPECT_NEAR(turned.Right, 50 + (e.cx + e.cy) * 0.7071, 2);
  EXPECT_EQ(b.ScanLine(148)[70], kWhitePixel);  // below the baseline's direction, outside the cell
}

TEST(TextDraw, BoldIsWiderOrDarkerAndLinesSpanTheText) {
  TBitmap b(200, 30);
  TCanvas& c = *b.Canvas();
  UseClearBlackText(c);
  const std::string text = "Bold or not";
  int regularWidth = c.TextWidth(text);
  c.TextOut(2, 2, text);
  int64_t regularInk = Darkness(b);

  Clear(b);
  c.Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_GE(c.TextWidth(text), regularWidth);
  c.TextOut(2, 2, text);
  EXPECT_GT(Darkness(b), regularInk * 5 / 4);

  // Underline: a full row of ink below the baseline across the whole text.
  for (TFontStyle line : {fsUnderline, fsStrikeOut}) {
    Clear(b);
    c.Font()->SetStyle(TFontStyles{line});
    c.Font()->SetQuality(fqNonAntialiased);
    c.TextOut(2, 2, text);
    FontMetrics m = GetFontMetrics(*c.Font());
    int row = 2 + (line == fsUnderline ? m.UnderlineTop : m.StrikeOutTop);
    for (int x = 2; x < 2 + regularWidth; ++x) ASSERT_EQ(b.ScanLine(row)[x], 0u) << "x " << x;
    EXPECT_EQ(b.ScanLine(row)[2 + regularWidth], kWhitePixel);
  }
}

TEST(TextDraw, SynthesisedBoldAndItalicStillDraw) {
  if (ResolveFont("DejaVu Math TeX Gyre", false, false).Family != "DejaVu Math TeX Gyre")
    GTEST_SKIP() << "DejaVu Math TeX Gyre is not installed";
  TBitmap b(200, 40);
  TCanvas& c = *b.Canvas();
  UseClearBlackText(c);
  c.Font()->SetName("DejaVu Math TeX Gyre");
  c.Font()->SetHeight(-16);
  int regularWidth = c.TextWidth("Synthetic");
  c.TextOut(2, 2, "Synthetic");
  int64_t regularInk = Darkness(b);
  Clear(b);
  c.Font()->SetStyle(TFontStyles{fsBold, fsItalic});
  EXPECT_GT(c.TextWidth("Synthetic"), regularWidth);
  c.TextOut(2, 2, "Synthetic");
  EXPECT_GT(Darkness(b), regularInk * 5 / 4);
}

TEST(TextDraw, RepeatedTextComesFromTheGlyphCache) {
  TBitmap b(400, 100);
  TCanvas& c = *b.Canvas();
  const std::string paragraph = "The quick brown fox jumps over the lazy dog; \xC3\x89t\xC3\xA9 0123456789.";
  auto drawAll = [&] {
    for (int angle : {0, 900}) {
      c.Font()->SetOrientation(angle);
      for (TFontQuality q : {fqDefault, fqNonAntialiased}) {
        c.Font()->SetQuality(q);
        c.TextOut(5, 90, paragraph);
      }
    }
  };
  drawAll();
  ResetGlyphCacheCounters();
  drawAll();
  GlyphCacheStats stats = GetGlyphCacheStats();
  EXPECT_EQ(stats.Misses, 0u);
  EXPECT_GT(stats.Hits, 0u);

  ClearGlyphCache();
  ResetGlyphCacheCounters();
  drawAll();
  EXPECT_GT(GetGlyphCacheStats().Misses, 0u);
}

TEST(TextDraw, OddInputDoesNotBreakDrawing) {
  TBitmap b(100, 30);
  TCanvas& c = *b.Canvas();
  UseClearBlackText(c);
  c.TextOut(2, 2, "\xC3\x89l\xC3\xA8ve \xE2\x82\xAC \xF0\x9F\x98\x80 \xFF\xFE\xC0\x80\xED\xA0\x80\xF4\x90\x80\x80\xE2");
  EXPECT_FALSE(InkBounds(b).IsEmpty());
  c.TextOut(2, 2, std::string("nul\0inside", 10));
  c.TextOut(INT32_MAX, INT32_MIN, "far off");
  c.Font()->SetOrientation(-900);
  c.TextOut(50, 2, "negative angle");
  c.Font()->SetHeight(0);
  EXPECT_GT(c.TextHeight("x"), 0);
}

TEST(TextDraw, SmoothEdgesBlendBetweenInkAndBackground) {
  // Every channel of an edge pixel lies between the ink's and the background's.
  TBitmap b(120, 30);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(RGB(10, 200, 250));
  c.Font()->SetColor(RGB(240, 20, 100));
  c.TextOut(2, 2, "Blend edges");
  uint32_t bg = ColorToPixel(RGB(10, 200, 250)), ink = ColorToPixel(RGB(240, 20, 100));
  int partial = 0;
  for (uint32_t p : Colours(b)) {
    if (p == bg || p == ink || p == kWhitePixel) continue;  // white: outside the cell
    ++partial;
    for (int shift : {0, 8, 16}) {
      int v = (p >> shift) & 0xFF, lo = std::min((bg >> shift) & 0xFF, (ink >> shift) & 0xFF),
          hi = std::max((bg >> shift) & 0xFF, (ink >> shift) & 0xFF);
      EXPECT_GE(v, lo);
      EXPECT_LE(v, hi);
    }
    // Red rises as blue falls: one coverage value drives all channels.
    double tr = double(int((p >> 16) & 0xFF) - 10) / 230, tb = double(int(p & 0xFF) - 250) / -150;
    EXPECT_NEAR(tr, tb, 0.02);
  }
  EXPECT_GT(partial, 10);
}
