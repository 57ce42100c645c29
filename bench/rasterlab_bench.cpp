// Dot-matrix label scrolling speed: one scroll tick (move, compose the whole
// label off screen, copy it onto the form) at a display's size. A label that
// scrolls every 10 ms paints 100 times a second; core_share_at_10ms is the
// part of one core that takes (0.05 is 5 %).
#include <benchmark/benchmark.h>

#include <string>

#include "labels/QEL_RasterLab.h"
#include "platform/controls/Forms.h"

using namespace qel;

namespace {

void BM_RasterLabScrollTick(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  TForm form(nullptr);
  form.SetBounds(0, 0, w + 20, h + 40);
  auto* lab = new TRasterLab(&form);
  lab->SetParent(&form);
  lab->SetBounds(0, 0, w, h);
  lab->SetDotSize(int(state.range(2)));
  lab->SetDotSpacing(int(state.range(3)));
  lab->SetText("Departures 12:45 \u2022 Z\u00fcrich HB \u2022 Gleis 7 \u2022 versp\u00e4tet ca. 5 Minuten \u2022 ");
  lab->SetScrollIncrement(1);
  form.Show();
  lab->SetScrollMode(rdsmLeft);  // the timer never fires here: each DoTimer is one tick
  lab->DoTimer();
  for (auto _ : state) lab->DoTimer();
  state.counters["paints_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["core_share_at_10ms"] = benchmark::Counter(
      double(state.iterations()) * 0.010, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RasterLabScrollTick)
    ->ArgNames({"w", "h", "dot", "spacing"})
    ->Args({400, 68, 3, 1})
    ->Args({1600, 200, 14, 2})
    ->Args({1600, 200, 3, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// A text of 1 MB (a news ticker fed a whole feed) scrolling one pixel per
// tick through a 400 x 68 label: a tick costs what the visible characters
// cost, whatever the text's length.
void BM_RasterLabScrollTickLongText(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 420, 108);
  auto* lab = new TRasterLab(&form);
  lab->SetParent(&form);
  lab->SetBounds(0, 0, 400, 68);
  std::string text;
  while (text.size() < size_t(state.range(0))) text += "Z\u00fcrich HB 12:45 Gleis 7 \u2022 ";
  lab->SetText(text);
  form.Show();
  lab->SetPosX(int(state.range(1)));  // where the text stands: its start, or its middle in view
  lab->SetScrollMode(rdsmLeft);
  for (auto _ : state) lab->DoTimer();
  state.counters["core_share_at_10ms"] = benchmark::Counter(
      double(state.iterations()) * 0.010, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RasterLabScrollTickLongText)
    ->ArgNames({"bytes", "pos_x"})
    ->Args({100, 1})
    ->Args({1 << 20, 1})
    ->Args({1 << 20, -15000000})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
