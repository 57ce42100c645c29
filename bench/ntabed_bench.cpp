// Table editor speed: the cell number texts against std::to_chars with the
// same precision, a full repaint of a 1920 x 1080 editor over a small and a
// huge table (the cost must not depend on the row count), and fitting a
// column to its values. Ratios only mean something within one run on a
// Release build.
//
// The format and repaint cases with 1000 rows always run; QEL_BENCH_LARGE=1
// in the environment adds the 1 000 000-row repaint and the 1 000 000-value
// column fit, so that the smoke run of the test suite stays short.
#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ntabed/detail/CellFormat.h"
#include "ntabed/QEL_ntabed.h"
#include "platform/controls/Application.h"
#include "platform/controls/Forms.h"

using namespace qel;

namespace {

bool Large() {
  const char* large = std::getenv("QEL_BENCH_LARGE");
  return large && *large && *large != '0';
}

// Mixed magnitudes (1e-12 .. 1e12, some zeros and negatives) and every precision.
struct TSample {
  double value;
  int places;
};

const std::vector<TSample>& Samples() {
  static const std::vector<TSample> samples = [] {
    std::vector<TSample> s;
    uint32_t h = 12345;
    const int places[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 255};
    for (int i = 0; i < 1000000; ++i) {
      h = h * 1664525u + 1013904223u;
      double mantissa = 1 + (h >> 8) % 100000 / 11111.0;
      int exponent = int(h % 25) - 12;
      double v = h % 31 == 0 ? 0 : mantissa * std::pow(10.0, exponent) * (h & 0x100 ? -1 : 1);
      s.push_back({v, places[(h >> 4) % 12]});
    }
    return s;
  }();
  return samples;
}

// The form the editor chooses, as to_chars writes it: fixed with p
// decimals in the fixed range, else one decimal of exponent form.
int ToCharsSame(double v, int p, char* buf) {
  static constexpr double lo[9] = {1, 0.1, 0.01, 0.001, 0.0001, 0.00001, 0.000001, 0.0000001, 0.00000001};
  static constexpr double hi[9] = {999999999, 9999999.9, 999999.99, 99999.999, 9999.9999,
                                   999.99999, 99.999999, 9.9999999, 0.99999999};
  double a = std::fabs(v);
  bool fixed = p <= 8 && (v == 0 || (a >= lo[p] && a <= hi[p]));
  auto r = fixed ? std::to_chars(buf, buf + 64, v, std::chars_format::fixed, p)
                 : std::to_chars(buf, buf + 64, v, std::chars_format::scientific, 1);
  return int(r.ptr - buf);
}

// Both loops in every iteration, so the ratio is of one run.
void BM_CellFormatVsToChars(benchmark::State& state) {
  const auto& s = Samples();
  char buf[64];
  double ours = 0, theirs = 0;
  size_t chars = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    for (const TSample& x : s) chars += size_t(FormatCellNumber(x.value, 1, x.places, buf));
    auto t1 = std::chrono::steady_clock::now();
    for (const TSample& x : s) chars += size_t(ToCharsSame(x.value, x.places, buf));
    auto t2 = std::chrono::steady_clock::now();
    ours += std::chrono::duration<double, std::nano>(t1 - t0).count();
    theirs += std::chrono::duration<double, std::nano>(t2 - t1).count();
  }
  benchmark::DoNotOptimize(chars);
  double n = double(state.iterations()) * double(s.size());
  state.counters["format_ns"] = ours / n;
  state.counters["to_chars_ns"] = theirs / n;
  state.counters["ratio"] = ours / theirs;
}
BENCHMARK(BM_CellFormatVsToChars)->Unit(benchmark::kMillisecond);

// A full-screen editor over Rows x 20 columns of mixed values, scrolled to
// the middle of the table (row 500 of 1000, row 500 500 of 1 000 000).
struct TEditorScreen {
  TForm form{nullptr};
  TNTabEd* ed;
  explicit TEditorScreen(int rows) {
    form.SetBounds(0, 0, 1920, 1080);
    ed = new TNTabEd(&form);
    ed->SetParent(&form);
    ed->SetBorderStyle(bsNone);
    ed->SetBounds(0, 0, 1920, 1080);
    ed->SetSuppressPaint(true);
    ed->Redimension(20, rows);
    const auto& s = Samples();
    for (int c = 1; c <= 20; ++c) {
      ed->SetDecPlaces(c, c % 12 == 11 ? 255 : c % 11);
      // The same values every 1000 rows, so that both sizes show alike texts.
      for (int r = 1; r <= rows; ++r) ed->SetElem(c, r, s[size_t(r % 1000) * 20 + size_t(c)].value);
    }
    ed->SetSuppressPaint(false);
    ed->SetTopRow(rows / 2 + (rows > 1000 ? 500 : 0));
    form.Show();
    Application->ProcessMessages();
  }
};

void BM_NTabEdFullRepaint1080p(benchmark::State& state) {
  TEditorScreen s(int(state.range(0)));
  for (auto _ : state) s.ed->Repaint();
  state.counters["visible_rows"] = s.ed->VisibleRowCount();
}

void RepaintSizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000);
  if (Large()) b->Arg(1000000);
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_NTabEdFullRepaint1080p)->Apply(RepaintSizes);

// Fitting one column to all its values: nanoseconds per cell.
void BM_NTabEdAutoColWidth(benchmark::State& state) {
  int rows = int(state.range(0));
  TForm form(nullptr);
  auto* ed = new TNTabEd(&form);
  ed->SetParent(&form);
  ed->SetSuppressPaint(true);
  ed->Redimension(1, rows);
  const auto& s = Samples();
  for (int r = 1; r <= rows; ++r) ed->SetElem(1, r, s[size_t(r) % s.size()].value);
  int width = 0;
  double ns = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    width = ed->AutoColWidth(1, true, 0);
    ns += std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - t0).count();
  }
  benchmark::DoNotOptimize(width);
  state.counters["ns_per_cell"] = ns / (double(state.iterations()) * rows);
}

void FitSizes(benchmark::internal::Benchmark* b) {
  b->Arg(10000);
  if (Large()) b->Arg(1000000);
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_NTabEdAutoColWidth)->Apply(FitSizes);

}  // namespace
