// Canvas drawing speed on a 1920x1080 frame. Compare BM_FillRectFullFrame
// with BM_MemsetFullFrame and BM_CopyFullFrame with BM_MemcpyFullFrame
// (fill_bench.cpp).
#include <benchmark/benchmark.h>

#include "platform/graphics/Graphics.h"

using namespace qel;

namespace {
constexpr int kW = 1920, kH = 1080;

void BM_FillRectFullFrame(benchmark::State& state) {
  TBitmap frame(kW, kH);
  TCanvas& c = *frame.Canvas();
  int i = 0;
  for (auto _ : state) {
    c.Brush()->SetColor(i++ & 1 ? clRed : clBlue);
    c.FillRect(Rect(0, 0, kW, kH));
    benchmark::DoNotOptimize(frame.ScanLine(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FillRectFullFrame);

void BM_CopyFullFrame(benchmark::State& state) {
  TBitmap frame(kW, kH), picture(kW, kH);
  picture.Canvas()->Brush()->SetColor(clTeal);
  picture.Canvas()->FillRect(Rect(0, 0, kW, kH));
  for (auto _ : state) {
    frame.Canvas()->Draw(0, 0, &picture);
    benchmark::DoNotOptimize(frame.ScanLine(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_CopyFullFrame);

void BM_RectangleFullFrame(benchmark::State& state) {
  TBitmap frame(kW, kH);
  TCanvas& c = *frame.Canvas();
  for (auto _ : state) {
    c.Rectangle(0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RectangleFullFrame);

// Draws many shapes spread over the frame; Draw(c, i) draws shape i.
template <class DrawFn>
void RunShapes(benchmark::State& state, DrawFn Draw) {
  TBitmap frame(kW, kH);
  TCanvas& c = *frame.Canvas();
  c.Brush()->SetColor(clYellow);
  int64_t i = 0;
  for (auto _ : state) {
    Draw(c, int(i % 1000));
    ++i;
  }
  benchmark::DoNotOptimize(frame.ScanLine(0));
  state.SetItemsProcessed(i);
}

void BM_HorizontalLines(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) {
    c.MoveTo(10, i);
    c.LineTo(kW - 10, i);
  });
}
BENCHMARK(BM_HorizontalLines);

void BM_VerticalLines(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) {
    c.MoveTo(i, 10);
    c.LineTo(i, kH - 10);
  });
}
BENCHMARK(BM_VerticalLines);

void BM_DiagonalLines(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) {
    c.MoveTo(i, 0);
    c.LineTo(i + 800, kH - 1);
  });
}
BENCHMARK(BM_DiagonalLines);

void BM_Rectangles100x60(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) { c.Rectangle(i, i, i + 100, i + 60); });
}
BENCHMARK(BM_Rectangles100x60);

// Filled squares with a one-pixel pen, spread over the frame.
void BM_Rectangles8x8(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) { c.Rectangle(i * 17 % 1900, i, i * 17 % 1900 + 8, i + 8); });
}
BENCHMARK(BM_Rectangles8x8);

void BM_Rectangles32x32(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) { c.Rectangle(i * 17 % 1880, i, i * 17 % 1880 + 32, i + 32); });
}
BENCHMARK(BM_Rectangles32x32);

// A five-point star (crossing edges) and a convex pentagon in turn.
void BM_Polygons5(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) {
    int x = i * 7 % 1700, y = i % 900;
    TPoint star[] = {{x + 50, y}, {x + 80, y + 95}, {x, y + 35}, {x + 100, y + 35}, {x + 20, y + 95}};
    TPoint pentagon[] = {{x + 50, y}, {x + 100, y + 35}, {x + 80, y + 95}, {x + 20, y + 95}, {x, y + 35}};
    c.Polygon(i & 1 ? star : pentagon);
  });
}
BENCHMARK(BM_Polygons5);

void BM_Pies100x60(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) { c.Pie(i, i, i + 100, i + 60, i + 100, i, i, i + 60); });
}
BENCHMARK(BM_Pies100x60);

void BM_Ellipses100x60(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) { c.Ellipse(i, i, i + 100, i + 60); });
}
BENCHMARK(BM_Ellipses100x60);

void BM_WideLines(benchmark::State& state) {
  RunShapes(state, [](TCanvas& c, int i) {
    c.Pen()->SetWidth(5);
    c.MoveTo(i, 0);
    c.LineTo(i + 300, 500);
  });
}
BENCHMARK(BM_WideLines);

void BM_DrawBitmap(benchmark::State& state) {
  TBitmap sprite(100, 60);
  RunShapes(state, [&](TCanvas& c, int i) { c.Draw(i, i, &sprite); });
}
BENCHMARK(BM_DrawBitmap);
}  // namespace
