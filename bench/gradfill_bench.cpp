// Gradient fill inside a scroll box: one paint of a fill far larger than the
// 800 x 600 form that shows it, with the largest allocation the paint makes
// (largest_alloc_MB; CountedNew.h).
#include <benchmark/benchmark.h>

#include "CountedNew.h"
#include "labels/QEL_gradfl.h"
#include "platform/controls/Forms.h"

using namespace qel;

namespace {

void BM_GradFillPaintLargerThanItsForm(benchmark::State& state) {
  const int size = int(state.range(0));
  TForm form(nullptr);
  form.SetBounds(0, 0, 800, 600);
  auto* fill = new TGradFill(&form);
  fill->SetParent(&form);
  fill->SetBounds(-size / 2, -size / 2, size, size);  // scrolled to its middle
  fill->SetNrColors(255);
  fill->SetGridMode(gmBoth);
  fill->SetFrameStyle(fsRaised);
  form.Show();
  bench::TakeLargestAllocation();
  for (auto _ : state) fill->Repaint();  // the paint cycle: the form under it, then the fill
  state.counters["largest_alloc_MB"] = double(bench::TakeLargestAllocation()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_GradFillPaintLargerThanItsForm)
    ->ArgName("size")
    ->Arg(1000)
    ->Arg(16000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
