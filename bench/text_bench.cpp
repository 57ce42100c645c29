// Text speed: short strings drawn and measured per second, and a paragraph
// drawn over and over with the glyph cache's hit rate.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/graphics/FontEngine.h"
#include "platform/graphics/Graphics.h"

using namespace qel;

namespace {

// Grid-like cell texts: 20 characters each, varied so the pen and glyphs change.
std::vector<std::string> CellTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < 64; ++i) texts.push_back("Row " + std::to_string(1000 + i) + " value 12.5" + char('A' + i % 26) + "xyz");
  return texts;
}

void DrawStrings(benchmark::State& state, TFontQuality quality, int angle) {
  TBitmap bitmap(800, 600);
  TCanvas& c = *bitmap.Canvas();
  c.Font()->SetQuality(quality);
  c.Font()->SetOrientation(angle);
  c.Brush()->SetColor(clWindow);
  std::vector<std::string> texts = CellTexts();
  size_t i = 0;
  for (auto _ : state) {
    const std::string& t = texts[i % texts.size()];
    c.TextOut(int(i * 37 % 640), int(i * 13 % 580) + 10, t);
    ++i;
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
  state.SetLabel("20-character strings");
}

}  // namespace

static void BM_TextOut20Chars(benchmark::State& state) { DrawStrings(state, fqDefault, 0); }
BENCHMARK(BM_TextOut20Chars);

static void BM_TextOut20CharsMono(benchmark::State& state) { DrawStrings(state, fqNonAntialiased, 0); }
BENCHMARK(BM_TextOut20CharsMono);

static void BM_TextOut20CharsRotated(benchmark::State& state) { DrawStrings(state, fqDefault, 900); }
BENCHMARK(BM_TextOut20CharsRotated);

static void BM_TextWidth20Chars(benchmark::State& state) {
  TCanvas c;
  std::vector<std::string> texts = CellTexts();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(c.TextWidth(texts[i++ % texts.size()]));
  state.SetItemsProcessed(int64_t(state.iterations()));
}
BENCHMARK(BM_TextWidth20Chars);

static void BM_ParagraphRepeated(benchmark::State& state) {
  TBitmap bitmap(800, 600);
  TCanvas& c = *bitmap.Canvas();
  c.Brush()->SetStyle(bsClear);
  const std::string line = "Grids draw thousands of strings per paint: caf\xC3\xA9, na\xC3\xAFve, 3.14159 & more.";
  ClearGlyphCache();  // the first pass renders every glyph once
  ResetGlyphCacheCounters();
  for (auto _ : state)
    for (int y = 0; y < 580; y += 14) c.TextOut(4, y, line);
  GlyphCacheStats stats = GetGlyphCacheStats();
  double lookups = double(stats.Hits + stats.Misses);
  state.counters["hit_rate"] = lookups > 0 ? double(stats.Hits) / lookups : 0;
  state.counters["misses"] = double(stats.Misses);
  state.counters["lines/s"] = benchmark::Counter(double(state.iterations()) * 42, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParagraphRepeated);
