// Seven-segment display: paints per second with a new caption each time
// (glyph copies only), against the cost of rebuilding the glyph strip (a new
// colour: 21 compositions and halftone scalings, then the paint). The
// counter caption_vs_rebuild is how many caption paints one rebuild costs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

#include "numeric/QEL_sevenseg.h"
#include "numeric/detail/SevenSegGlyphs.h"
#include "platform/controls/Forms.h"
#include "RatioTiming.h"

using namespace qel;
namespace bench = qel::bench;

namespace {

struct Display {
  TForm form{nullptr};
  TSevenSeg* seg;
  Display(int W, int H) {
    form.SetBounds(0, 0, W + 20, H + 20);
    seg = new TSevenSeg(&form);
    seg->SetParent(&form);
    seg->SetBounds(0, 0, W, H);
    seg->SetNumDigits(8);
    form.Show();
  }
};

const char* const kCaptions[] = {"12:34:56", "-1.234E-5", "88.8.8.8.", "AbCdEF01", "23.5\xC2\xB0" "C"};

// A new text colour only marks the strip stale; the paint that follows
// rebuilds it, so the two together are what a recolouring costs.
void Recolour(Display& D, int K) {
  D.seg->SetColorText(K % 2 ? clRed : clLime);
  D.seg->Paint();
}

double SecondsFor(int N, const std::function<void(int)>& Step) {
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < N; ++i) Step(i);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_SevenSegCaptionPaint(benchmark::State& state) {
  Display d(int(state.range(0)), int(state.range(1)));
  int i = 0;
  for (auto _ : state) d.seg->SetCaption(kCaptions[i++ % 5]);  // stores and paints once
  state.counters["paints_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  // The same work measured against a rebuild, for the ratio.
  double caption = SecondsFor(50, [&](int k) { d.seg->SetCaption(kCaptions[k % 5]); }) / 50;
  double rebuild = SecondsFor(3, [&](int k) { Recolour(d, k); }) / 3;
  state.counters["caption_vs_rebuild"] = rebuild / caption;
}
BENCHMARK(BM_SevenSegCaptionPaint)
    ->ArgNames({"w", "h"})
    ->Args({216, 76})
    ->Args({800, 200})
    ->Unit(benchmark::kMicrosecond);

void BM_SevenSegRebuild(benchmark::State& state) {
  Display d(int(state.range(0)), int(state.range(1)));
  int i = 0;
  for (auto _ : state) Recolour(d, i++);
  state.counters["rebuilds_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SevenSegRebuild)->ArgNames({"w", "h"})->Args({216, 76})->Args({800, 200})->Unit(benchmark::kMillisecond);

// Against the strip built the direct way (every glyph composed and shrunk,
// as each look or size change did before the strip came from coverage): a
// new colour, and a new size, each with its paint. x_rebuild below 1 is
// how much less ours costs.
void BM_SevenSegVersusRebuild(benchmark::State& state) {
  const int W = int(state.range(0)), H = int(state.range(1));
  const bool resize = state.range(2) != 0;
  Display d(W, H);
  d.seg->Paint();
  sevenseg::TPartImages parts;
  TBitmap raster, strip;
  int k = 0;
  auto cell = [&] { return std::pair{(d.seg->GetWidth() - 16) / 8 - 2, d.seg->GetHeight() - 16}; };
  bench::Compare(state,
                 [&] {
                   if (resize) d.seg->SetWidth(++k % 2 ? W + 8 : W);  // a new cell width each time
                   else Recolour(d, ++k);
                   d.seg->Paint();
                 },
                 {{"rebuild", [&] {
                     auto [g, gh] = cell();
                     sevenseg::BuildStrip(strip, raster, parts, g, gh, k % 2 ? clRed : clLime, 0x333333);
                     d.seg->Paint();
                   }}});
}
BENCHMARK(BM_SevenSegVersusRebuild)
    ->ArgNames({"w", "h", "resize"})
    ->Args({216, 76, 0})
    ->Args({800, 200, 0})
    ->Args({216, 76, 1})
    ->Args({800, 200, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
