// The drawing cases whose speed matters most, each as ratios measured in
// one run (RatioTiming.h): our time over memset or memcpy of the same bytes,
// and over the same drawing before it was made fast (the reference paths,
// or the plain loops the canvas had).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "gauges/QEL_Meter.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/detail/Raster.h"
#include "RatioTiming.h"

using namespace qel;
using qel::bench::Baseline;
using qel::bench::Compare;

namespace {
constexpr int kW = 1920, kH = 1080;

// The canvas as it drew before: every path through the reference code.
std::function<void()> Before(std::function<void()> Run) {
  return [Run] {
    raster::ReferencePaths() = true;
    Run();
    raster::ReferencePaths() = false;
  };
}

// ---------------------------------------------------- fill and copy ----

// The baselines write the same bitmaps (rows lie one after the other), so
// all three find the memory equally warm.

void BM_RatioFullFrameFill(benchmark::State& state) {
  TBitmap frame(kW, kH);
  TCanvas& c = *frame.Canvas();
  uint32_t pixel = 0;
  Compare(state,
          [&] {
            c.Brush()->SetColor(TColor(pixel ^= 0xFF00FF));
            c.FillRect(Rect(0, 0, kW, kH));
            benchmark::ClobberMemory();
          },
          {{"memset",
            [&] {
              std::memset(frame.ScanLine(0), int(pixel & 0x7F), size_t(kW) * kH * 4);
              benchmark::ClobberMemory();
            }},
           {"before", [&] {  // the row by row std::fill_n it had
              for (int y = 0; y < kH; ++y) std::fill_n(frame.ScanLine(y), kW, pixel);
              benchmark::ClobberMemory();
            }}});
}
BENCHMARK(BM_RatioFullFrameFill)->Unit(benchmark::kMicrosecond);

void BM_RatioFullFrameCopy(benchmark::State& state) {
  TBitmap frame(kW, kH), picture(kW, kH);
  picture.Canvas()->Brush()->SetColor(clTeal);
  picture.Canvas()->FillRect(Rect(0, 0, kW, kH));
  Compare(state,
          [&] {
            frame.Canvas()->Draw(0, 0, &picture);
            benchmark::ClobberMemory();
          },
          {{"memcpy",
            [&] {
              std::memcpy(frame.ScanLine(0), picture.ScanLine(0), size_t(kW) * kH * 4);
              benchmark::ClobberMemory();
            }},
           {"before", [&] {  // a memcpy per row
              for (int y = 0; y < kH; ++y) std::memcpy(frame.ScanLine(y), picture.ScanLine(y), size_t(kW) * 4);
              benchmark::ClobberMemory();
            }}});
}
BENCHMARK(BM_RatioFullFrameCopy)->Unit(benchmark::kMicrosecond);

// --------------------------------------------------------- shapes ----

// Count shapes spread over a full frame with a one-pixel pen and a brush.
void CompareShapes(benchmark::State& state, int Count, const std::function<void(TCanvas&, int)>& Draw) {
  TBitmap frame(kW, kH);
  TCanvas& c = *frame.Canvas();
  c.Brush()->SetColor(clYellow);
  auto all = [&] {
    for (int i = 0; i < Count; ++i) Draw(c, i);
    benchmark::ClobberMemory();
  };
  Compare(state, all, {{"before", Before(all)}});
  state.SetItemsProcessed(int64_t(state.iterations()) * Count);
}

void BM_RatioRectangles32x32(benchmark::State& state) {
  CompareShapes(state, 10000, [](TCanvas& c, int i) {
    int x = i * 17 % (kW - 32), y = i * 7 % (kH - 32);
    c.Rectangle(x, y, x + 32, y + 32);
  });
}
BENCHMARK(BM_RatioRectangles32x32)->Unit(benchmark::kMicrosecond);

void BM_RatioRectangles8x8(benchmark::State& state) {
  CompareShapes(state, 10000, [](TCanvas& c, int i) {
    int x = i * 17 % (kW - 8), y = i * 7 % (kH - 8);
    c.Rectangle(x, y, x + 8, y + 8);
  });
}
BENCHMARK(BM_RatioRectangles8x8)->Unit(benchmark::kMicrosecond);

void BM_RatioEllipses100x60(benchmark::State& state) {
  CompareShapes(state, 1000, [](TCanvas& c, int i) {
    int x = i * 7 % (kW - 100), y = i % (kH - 60);
    c.Ellipse(x, y, x + 100, y + 60);
  });
}
BENCHMARK(BM_RatioEllipses100x60)->Unit(benchmark::kMicrosecond);

// A five-point star (crossing edges) and a convex pentagon in turn.
void BM_RatioPolygons5(benchmark::State& state) {
  CompareShapes(state, 1000, [](TCanvas& c, int i) {
    int x = i * 7 % 1700, y = i % 900;
    TPoint star[] = {{x + 50, y}, {x + 80, y + 95}, {x, y + 35}, {x + 100, y + 35}, {x + 20, y + 95}};
    TPoint pentagon[] = {{x + 50, y}, {x + 100, y + 35}, {x + 80, y + 95}, {x + 20, y + 95}, {x, y + 35}};
    c.Polygon(i & 1 ? star : pentagon);
  });
}
BENCHMARK(BM_RatioPolygons5)->Unit(benchmark::kMicrosecond);

// Three quarters of the ellipse, start and end turning with i.
void BM_RatioPies100x60(benchmark::State& state) {
  CompareShapes(state, 1000, [](TCanvas& c, int i) {
    int x = i * 7 % (kW - 100), y = i % (kH - 60);
    c.Pie(x, y, x + 100, y + 60, x + 100, y + i % 60, x + i % 100, y + 60);
  });
}
BENCHMARK(BM_RatioPies100x60)->Unit(benchmark::kMicrosecond);

void BM_RatioChords100x60(benchmark::State& state) {
  CompareShapes(state, 1000, [](TCanvas& c, int i) {
    int x = i * 7 % (kW - 100), y = i % (kH - 60);
    c.Chord(x, y, x + 100, y + 60, x + 100, y + i % 60, x + i % 100, y + 60);
  });
}
BENCHMARK(BM_RatioChords100x60)->Unit(benchmark::kMicrosecond);

void BM_RatioArcs100x60(benchmark::State& state) {
  CompareShapes(state, 1000, [](TCanvas& c, int i) {
    int x = i * 7 % (kW - 100), y = i % (kH - 60);
    c.Arc(x, y, x + 100, y + 60, x + 100, y + i % 60, x + i % 100, y + 60);
  });
}
BENCHMARK(BM_RatioArcs100x60)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------- meter ----

// A value change against full paints of the same meter: one that draws its
// face again (as every paint did before the face was cached) on today's
// canvas and on the canvas as it drew before, and one over the cached face.
void BM_RatioMeterValueChange(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  TForm form(nullptr);
  form.SetBounds(0, 0, w + 20, h + 20);
  auto* m = new TMeter(&form);
  m->SetParent(&form);
  m->SetBounds(0, 0, w, h);
  m->SetScaleBkVisible(state.range(2) != 0);
  m->SetScaleBkWidth(20);
  m->SetThresholdLow(0.3);
  m->SetThresholdHigh(0.7);
  m->SetCaption("Volt");
  m->GetNeedleLayout()->SetThickness(4);
  m->GetNeedleLayout()->SetShadowDx(3);
  m->GetNeedleLayout()->SetShadowDy(3);
  m->GetNeedleLayoutSec()->SetVisible(true);
  m->SetValueSec(0.8);
  form.Show();
  double v = 0;
  int face = 0;
  auto facePaint = [&] { m->SetColorBakG(++face & 1 ? 0xFFFFFF : 0xFFFFFE); };
  Compare(state,
          [&] {
            v = v >= 1 ? 0 : v + 0.01;
            m->SetValue(v);
          },
          {{"full_paint", facePaint}, {"full_paint_before", Before(facePaint)}, {"cached_face_paint", [&] {
             m->Paint();
           }}});
}
BENCHMARK(BM_RatioMeterValueChange)
    ->ArgNames({"w", "h", "zones"})
    ->Args({297, 209, 0})
    ->Args({297, 209, 1})
    ->Args({600, 400, 0})
    ->Args({600, 400, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
