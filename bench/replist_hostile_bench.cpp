// Hostile searches of the report list at full size, each run once: what a
// search box must survive. Counters: seconds taken, whether the search gave
// up (1) or finished (0), and the growth of the process's peak memory in MB
// (run one case per process for that figure to mean anything):
//  - HostileGrepQuery: "(a+)+$" over 20 000 rows of 18 'a' and "!", where
//    every cell backtracks to just under PCRE2's match limit;
//  - HostileOrQuery: 100 000 distinct words joined by OR over 20 000 rows.
//   qel-bench --benchmark_filter=HostileGrepQuery
//   qel-bench --benchmark_filter=HostileOrQuery
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <string>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace {

constexpr int kRows = 20'000;

double PeakMB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) / 1024.0;
}

void RunOnce(benchmark::State& state, const std::string& Cell, const std::string& Query, TFilterMode Mode) {
  Headless();
  TForm form(nullptr);
  auto* list = new TReportListView(&form);
  list->SetParent(&form);
  list->SetSuppressPaint(true);
  list->SetNrRows(kRows);
  for (int r = 1; r <= kRows; ++r) list->SetElem(1, r, Cell);
  list->SetSuppressPaint(false);
  for (auto _ : state) {
    const double peak = PeakMB();
    const auto start = std::chrono::steady_clock::now();
    bool gaveUp = false;
    try {
      benchmark::DoNotOptimize(list->FilterAndSort(Query, {}, false, Mode, -1, true));
    } catch (const EQELRepListError&) {
      gaveUp = true;
    }
    state.counters["seconds"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["gave_up"] = gaveUp;
    state.counters["peak_growth_mb"] = PeakMB() - peak;
  }
}

void BM_HostileGrepQuery(benchmark::State& state) { RunOnce(state, std::string(18, 'a') + "!", "(a+)+$", fmGrep); }
BENCHMARK(BM_HostileGrepQuery)->Iterations(1)->Unit(benchmark::kSecond);

void BM_HostileOrQuery(benchmark::State& state) {
  std::string query;
  for (int i = 0; i < 100'000; ++i) query += (i ? " OR w" : "w") + std::to_string(i) + "x";
  RunOnce(state, "wax w1234y within w99999 walls", query, fmBoolean);  // many near misses
}
BENCHMARK(BM_HostileOrQuery)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
