// Progress bar: paints per second of a full gradient bar with its value
// text, at 300 x 28 and 800 x 60, for each gradient mapping. The counter
// gradient_vs_plain is the cost of a gradient paint over a one-colour one:
// the gradient takes one table lookup per pixel column (or row), so it stays
// near 1 however tall the bar; far_vs_full compares a value of 1e12 with a
// full bar (the work follows the pixels, not the value).
#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>

#include "gauges/QEL_ProgBar.h"
#include "platform/controls/Forms.h"

using namespace qel;

namespace {

struct Bar {
  TForm form{nullptr};
  TProgBar* bar;
  Bar(int W, int H, TColorMapping Mode) {
    form.SetBounds(0, 0, W + 20, H + 20);
    bar = new TProgBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(0, 0, W, H);
    bar->SetShowColorGradient(true);
    bar->SetColorMapMode(Mode);
    bar->SetGridDist(0);
    if (H > W) bar->SetDirection(dirUp);  // an upright bar: one lookup per row
    bar->SetTextPosX(W / 2);
    bar->SetTextPosY(H / 2);
    form.Show();
  }
};

// CPU time of this thread: on a busy machine wall time mostly measures the
// other programs.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + t.tv_nsec * 1e-9;
}

double SecondsFor(int N, const std::function<void(int)>& Step) {
  double t0 = CpuSeconds();
  for (int i = 0; i < N; ++i) Step(i);
  return CpuSeconds() - t0;
}

void BM_ProgBarGradientPaint(benchmark::State& state) {
  Bar b(int(state.range(0)), int(state.range(1)), TColorMapping(state.range(2)));
  int i = 0;
  for (auto _ : state) b.bar->SetValue(i++ % 2 ? 99.6 : 100.0);  // stores and paints once, nearly full
  state.counters["paints_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  auto paint = [&](int k) { b.bar->SetValue(k % 2 ? 99.6 : 100.0); };
  double gradient = SecondsFor(1000, paint);
  b.bar->SetShowColorGradient(false);
  double plain = SecondsFor(1000, paint);
  b.bar->SetShowColorGradient(true);
  state.counters["gradient_vs_plain"] = gradient / plain;
  double far = SecondsFor(1000, [&](int k) { b.bar->SetValue(k % 2 ? 1e12 : 2e12); });
  state.counters["far_vs_full"] = far / gradient;
}
BENCHMARK(BM_ProgBarGradientPaint)
    ->ArgNames({"w", "h", "mapping"})
    ->Args({300, 28, cgmCover})
    ->Args({300, 28, cgmStretch})
    ->Args({300, 28, cgmMove})
    ->Args({800, 60, cgmStretch})
    ->Args({60, 800, cgmStretch})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
