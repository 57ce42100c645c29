// "Extract from Clipboard" speed: reading a 100 000 x 10 matrix of numbers
// (tab-separated, CR LF lines, as our "Copy" and spreadsheets write it) into
// a table, against strtod over the same text. The ratio of the two is what
// counts; it should stay below 3.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "framework/DataTable.h"
#include "ntabed/detail/ClipMatrix.h"

using namespace qel;

namespace {

constexpr int kCols = 10, kRows = 100000;

const std::string& MatrixText() {
  static const std::string text = [] {
    std::string t;
    uint32_t h = 7;
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) {
        h = h * 1664525u + 1013904223u;
        char buf[40];
        int n = (h & 3) == 0 ? std::snprintf(buf, sizeof buf, "%.13E", (int(h >> 8) - 8000000) * 1.37e-3)
                             : std::snprintf(buf, sizeof buf, "%.3f", (int(h >> 8) % 2000000) / 1000.0);
        t += c == 0 ? " " : "\t";
        t.append(buf, size_t(n));
      }
      t += "\r\n";
    }
    return t;
  }();
  return text;
}

void BM_ExtractIntoTable(benchmark::State& state) {
  const std::string& text = MatrixText();
  TDataTable table(kCols, kRows);
  for (auto _ : state) {
    TClipExtent e = ScanClipMatrix(text, [&](int c, int l, double v) {
      if (c < kCols && l < kRows) table.SetElem(c + 1, l + 1, v);
    });
    benchmark::DoNotOptimize(e);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ExtractIntoTable)->Unit(benchmark::kMillisecond);

// The baseline: strtod from number to number over the same text.
void BM_StrtodSameText(benchmark::State& state) {
  const std::string& text = MatrixText();
  for (auto _ : state) {
    const char* p = text.c_str();
    const char* end = p + text.size();
    double sum = 0;
    while (p < end) {
      char* next = nullptr;
      double v = std::strtod(p, &next);
      if (next == p) {
        ++p;
        continue;
      }
      sum += v;
      p = next;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_StrtodSameText)->Unit(benchmark::kMillisecond);

}  // namespace
