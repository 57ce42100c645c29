// TCanvas text: UTF-8 decoding, layout along the baseline, and drawing
// (opaque cell, glyphs, underline and strike-out), rotated by the font's
// Orientation around the cell's top-left corner.
//
// Sections: UTF-8, layout, drawing, canvas methods.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/graphics/FontEngine.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/detail/TextRaster.h"

namespace qel {
namespace {

// Far enough off any surface: rotated glyph origins are clamped to it
// before they become int.
constexpr double kCoordLimit = 1 << 28;

// ---------------------------------------------------------------- UTF-8 ----

constexpr char32_t kReplacement = 0xFFFD;

// The code point starting at s[i]; advances i. A malformed or truncated
// sequence, an overlong form, a surrogate, a value past U+10FFFF or a byte
// F8..FF (which starts no sequence) yields U+FFFD and consumes one byte, so
// the rest still decodes, as the editing code counts characters.
char32_t NextCodePoint(std::string_view s, size_t& i) {
  unsigned char b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) return ++i, b;
  int len = b >= 0xF8 ? 0 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
  if (len == 0 || i + len > s.size()) return ++i, kReplacement;
  char32_t cp = b & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    unsigned char c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return ++i, kReplacement;
    cp = (cp << 6) | (c & 0x3F);
  }
  static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return ++i, kReplacement;
  i += len;
  return cp;
}

// --------------------------------------------------------------- layout ----

// Glyphs and their pen positions (pixels along the baseline from the cell's
// left edge), 64-bit so that no length of text runs out of room. Reused
// between calls, so steady drawing allocates nothing.
struct TextRun {
  std::vector<uint32_t> glyphs;
  std::vector<int64_t> pen;
  int64_t width = 0;
};

// Before (0 for none) is the character ahead of the text, for kerning. The
// layout ends at the first glyph whose pen passes Limit (the width is then
// where it stopped).
TextRun& Layout(FontInstance& font, std::string_view text, char32_t before, int64_t limit = INT64_MAX) {
  thread_local TextRun run;
  run.glyphs.clear();
  run.pen.clear();
  int64_t x = 0;
  uint32_t previous = before ? font.GlyphIndex(before) : 0;
  for (size_t i = 0; i < text.size();) {
    uint32_t g = font.GlyphIndex(NextCodePoint(text, i));
    x += font.Kerning(previous, g);
    if (x > limit) break;
    run.glyphs.push_back(g);
    run.pen.push_back(x);
    x += font.Advance(g);
    previous = g;
  }
  run.width = x;
  return run;
}

int NormalisedAngle(int tenths) { return ((tenths % 3600) + 3600) % 3600; }

bool Monochrome(TFontQuality q) { return q == fqNonAntialiased || q == fqDraft; }

// -------------------------------------------------------------- drawing ----

struct TextJob {
  TBitmap* surface;
  TRect clip;         // surface pixels
  CellFrame frame;    // the cell on the surface
  uint32_t ink;
  bool mono;
  bool underline, strikeOut;
};

// Whether a cell-space box (with a margin for glyph overhang) can touch the clip.
bool MayTouchClip(const TextJob& job, double u0, double u1, int height, int margin) {
  const CellFrame& f = job.frame;
  double xs[4] = {f.MapX(u0, 0), f.MapX(u1, 0), f.MapX(u0, height), f.MapX(u1, height)};
  double ys[4] = {f.MapY(u0, 0), f.MapY(u1, 0), f.MapY(u0, height), f.MapY(u1, height)};
  double x0 = *std::min_element(xs, xs + 4) - margin, x1 = *std::max_element(xs, xs + 4) + margin;
  double y0 = *std::min_element(ys, ys + 4) - margin, y1 = *std::max_element(ys, ys + 4) + margin;
  return x1 > job.clip.Left && x0 < job.clip.Right && y1 > job.clip.Top && y0 < job.clip.Bottom;
}

void DrawGlyphs(const TextJob& job, FontInstance& font, const TextRun& run) {
  const FontMetrics& m = font.Metrics();
  int margin = m.EmPixels + 2;  // glyphs may reach past their advance and the cell
  if (!MayTouchClip(job, 0, run.width, m.Height, margin)) return;
  for (size_t i = 0; i < run.glyphs.size(); ++i) {
    int64_t next = i + 1 < run.glyphs.size() ? run.pen[i + 1] : run.width;
    if (job.frame.Angle == 0 && !MayTouchClip(job, double(run.pen[i]), double(next), m.Height, margin)) continue;
    const CachedGlyph& g = font.Render(run.glyphs[i], job.mono, job.frame.Angle);
    // Turned glyphs far off the surface are clamped there and clipped away.
    int ox = int(std::lround(std::clamp(job.frame.MapX(double(run.pen[i]), m.Ascent), -kCoordLimit, kCoordLimit)));
    int oy = int(std::lround(std::clamp(job.frame.MapY(double(run.pen[i]), m.Ascent), -kCoordLimit, kCoordLimit)));
    BlendGlyph(*job.surface, job.clip, g, ox, oy, job.ink);
  }
}

void DrawLines(const TextJob& job, const FontMetrics& m, int64_t width) {
  if (job.underline)
    FillCellRect(*job.surface, job.clip, job.frame, 0, m.UnderlineTop, width, m.UnderlineTop + m.UnderlineThickness,
                 job.ink);
  if (job.strikeOut)
    FillCellRect(*job.surface, job.clip, job.frame, 0, m.StrikeOutTop, width, m.StrikeOutTop + m.StrikeOutThickness,
                 job.ink);
}

// Draws Text with its cell's top-left at (X, Y), canvas coordinates. With
// OpaqueRect (canvas coordinates) the text is clipped to it and it is filled
// instead of the cell. Returns the text width (only up to where the layout
// stopped for clipped text).
int64_t DrawText(TCanvas& canvas, int X, int Y, const std::string& text, const TRect* opaqueRect, char32_t before) {
  auto lock = FontEngineLock();
  TFont& font = *canvas.Font();
  FontInstance& instance = InstanceFor(font);
  if (!canvas.Surface()) return Layout(instance, text, before).width;

  TPoint origin = canvas.Origin();
  int64_t x = int64_t(X) + origin.X, y = int64_t(Y) + origin.Y;
  TextJob job{canvas.Surface(), canvas.DeviceClip(), MakeCellFrame(x, y, NormalisedAngle(font.GetOrientation())),
              ColorToPixel(font.GetColor()), Monochrome(font.GetQuality()),
              font.GetStyle().Contains(fsUnderline), font.GetStyle().Contains(fsStrikeOut)};
  bool opaque = canvas.Brush()->GetStyle() == bsSolid;
  uint32_t background = ColorToPixel(canvas.Brush()->GetColor());
  if (opaqueRect) {
    TRect r = *opaqueRect;
    r.Offset(origin.X, origin.Y);
    job.clip = IntersectRect(job.clip, r);
    if (opaque) FillSurfaceRect(*job.surface, job.clip, job.clip, background);
    if (job.clip.IsEmpty()) return 0;  // TextRect wants no width
  }
  // Clipped text needs no width: unturned, its layout stops past the clip's
  // right edge (glyphs there cannot reach back by two ems), so a long
  // string costs what shows of it.
  int64_t limit = INT64_MAX;
  if (opaqueRect && job.frame.Angle == 0) limit = int64_t(job.clip.Right) - x + 2 * (instance.Metrics().EmPixels + 2);
  const TextRun& run = Layout(instance, text, before, limit);
  if (!opaqueRect && opaque)
    FillCellRect(*job.surface, job.clip, job.frame, 0, 0, run.width, instance.Metrics().Height, background);
  if (job.clip.IsEmpty()) return run.width;
  DrawGlyphs(job, instance, run);
  DrawLines(job, instance.Metrics(), run.width);
  return run.width;
}

}  // namespace

// ------------------------------------------------------- canvas methods ----

int TextRunWidth(FontInstance& Font, std::string_view Text) {
  return int(std::min<int64_t>(Layout(Font, Text, 0).width, INT_MAX));
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  int64_t width = DrawText(*this, X, Y, Text, nullptr, 0);
  penPos_ = {int(std::min<int64_t>(int64_t(X) + width, INT_MAX)), Y};
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text, char32_t Before) {
  DrawText(*this, X, Y, Text, &R, Before);
}

int TCanvas::TextWidth(const std::string& Text, char32_t Before) {
  auto lock = FontEngineLock();
  return int(std::min<int64_t>(Layout(InstanceFor(*font_), Text, Before).width, INT_MAX));
}

// The cell height: the same for every string.
int TCanvas::TextHeight(const std::string&) {
  auto lock = FontEngineLock();
  return InstanceFor(*font_).Metrics().Height;
}

TSize TCanvas::TextExtent(const std::string& Text) {
  auto lock = FontEngineLock();
  FontInstance& instance = InstanceFor(*font_);
  return {int(std::min<int64_t>(Layout(instance, Text, 0).width, INT_MAX)), instance.Metrics().Height};
}

}  // namespace qel
