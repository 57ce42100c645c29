// Baselines for the fill and copy benchmarks: memset and memcpy over a
// 1920x1080 32-bit frame, and the plain per-row fill the canvas used before
// it picked its stores at run time. Compare BM_FillRectFullFrame and
// BM_CopyFullFrame (raster_bench.cpp) with these.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
constexpr int kW = 1920, kH = 1080;

void BM_MemsetFullFrame(benchmark::State& state) {
  std::vector<uint32_t> frame(kW * kH);
  for (auto _ : state) {
    std::memset(frame.data(), 0x7F, frame.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_MemsetFullFrame);

void BM_MemcpyFullFrame(benchmark::State& state) {
  std::vector<uint32_t> from(kW * kH, 0x123456), to(kW * kH);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), to.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(to.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_MemcpyFullFrame);

// The earlier canvas fill: std::fill_n row by row, built for the baseline
// instruction set.
void BM_OldRowFillFullFrame(benchmark::State& state) {
  std::vector<uint32_t> frame(kW * kH);
  uint32_t pixel = 0;
  for (auto _ : state) {
    pixel ^= 0xFF00FF;
    for (int y = 0; y < kH; ++y) std::fill_n(frame.data() + size_t(y) * kW, kW, pixel);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_OldRowFillFullFrame);
}  // namespace
