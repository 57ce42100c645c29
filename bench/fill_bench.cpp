// Baseline for the fill benchmarks: memset over a 1920x1080 32-bit frame.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

static void BM_MemsetFullFrame(benchmark::State& state) {
  std::vector<uint32_t> frame(1920 * 1080);
  for (auto _ : state) {
    std::memset(frame.data(), 0x7F, frame.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_MemsetFullFrame);
