// Meter paint speed, and the allocations one paint makes: the paint may
// allocate its off-screen bitmap and nothing else, a value change nothing
// (counted by the program's operator new, CountedNew.h).
#include <benchmark/benchmark.h>

#include "CountedNew.h"
#include "gauges/QEL_Meter.h"
#include "platform/controls/Forms.h"

using namespace qel;

namespace {

// Allocations of Fn, run once.
template <class F>
long AllocationsOf(F&& Fn) {
  long before = bench::AllocationCount();
  Fn();
  return bench::AllocationCount() - before;
}

// A busy meter: both needles with a shadow, caption, every tick, and the
// range zones when asked for.
void Configure(TMeter& m, bool Zones) {
  m.SetScaleBkVisible(Zones);
  m.SetScaleBkWidth(20);
  m.SetThresholdLow(0.3);
  m.SetThresholdHigh(0.7);
  m.SetCaption("Volt");
  m.GetNeedleLayout()->SetThickness(4);
  m.GetNeedleLayout()->SetShadowDx(3);
  m.GetNeedleLayout()->SetShadowDy(3);
  m.GetNeedleLayoutSec()->SetVisible(true);
  m.SetValueSec(0.8);
}

void BM_MeterPaint(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  TForm form(nullptr);
  form.SetBounds(0, 0, w + 20, h + 20);
  auto* m = new TMeter(&form);
  m->SetParent(&form);
  m->SetBounds(0, 0, w, h);
  m->SetMeterLayout(TMeterLayout(state.range(2)));
  Configure(*m, state.range(3) != 0);
  form.Show();
  m->Paint();  // warms the glyph cache
  long bitmap = AllocationsOf([&] { TBitmap b(w, h); });
  long paint = AllocationsOf([&] { m->Paint(); });
  state.counters["allocs_per_paint"] = double(paint);
  state.counters["allocs_of_bitmap"] = double(bitmap);
  if (paint > bitmap) {
    state.SkipWithError("a paint allocates more than its off-screen bitmap");
    return;
  }
  m->SetValue(0.5);  // the value change's own storage grows once
  long change = AllocationsOf([&] { m->SetValue(0.6); });
  state.counters["allocs_per_value_change"] = double(change);
  if (change > 0) {
    state.SkipWithError("a value change allocates");
    return;
  }
  double v = 0;
  for (auto _ : state) {
    v = v >= 1 ? 0 : v + 0.01;
    m->SetValue(v);  // stores and paints once
  }
  state.counters["paints_per_s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MeterPaint)
    ->ArgNames({"w", "h", "layout", "zones"})
    ->Args({297, 209, mlCirc90, 0})
    ->Args({297, 209, mlCirc90, 1})
    ->Args({297, 209, mlCirc300, 1})
    ->Args({600, 400, mlCirc90, 0})
    ->Args({600, 400, mlCirc90, 1})
    ->Args({600, 400, mlCirc300, 1})
    ->Unit(benchmark::kMicrosecond);

// A change of what the face shows: every paint draws the whole picture.
void BM_MeterFullPaint(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  TForm form(nullptr);
  form.SetBounds(0, 0, w + 20, h + 20);
  auto* m = new TMeter(&form);
  m->SetParent(&form);
  m->SetBounds(0, 0, w, h);
  m->SetMeterLayout(TMeterLayout(state.range(2)));
  Configure(*m, state.range(3) != 0);
  form.Show();
  int i = 0;
  for (auto _ : state) m->SetColorBakG(++i & 1 ? 0xFFFFFF : 0xF0F0F0);
}
BENCHMARK(BM_MeterFullPaint)
    ->ArgNames({"w", "h", "layout", "zones"})
    ->Args({297, 209, mlCirc90, 0})
    ->Args({297, 209, mlCirc90, 1})
    ->Args({600, 400, mlCirc90, 0})
    ->Args({600, 400, mlCirc90, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
