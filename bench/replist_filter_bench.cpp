// Sorting and filtering the report list at scale, each next to a plain
// baseline over the same cells:
//  - a header click that sorts (and finds the current row again) against
//    TRLData::Sort alone, both flipping the direction each time;
//  - FilterAndSort fmSimple over every column against memmem over the same
//    cells, and fmGrep against PCRE2's JIT matcher called on them directly;
//  - fmBoolean with an OR list of words, with and without regard to case;
//  - the header click and fmGrep once more as ratios measured in one run
//    (RatioTiming.h), which a busy machine disturbs less;
//  - parsing boolean queries of growing length, whose fitted complexity
//    must stay N: the cost per word may not grow with the query.
// The list has 10 columns of about 10 characters; 20 000 rows, or 1 000 000
// with QEL_BENCH_LARGE=1 in the environment. Ratios only mean something
// within one run on a Release build.
#define PCRE2_CODE_UNIT_WIDTH 8
#include <benchmark/benchmark.h>
#include <pcre2.h>
#include <string.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "replist/detail/BooleanQuery.h"
#include "replist/QEL_replist.h"
#include "RatioTiming.h"

using namespace qel;
using qel::bench::Compare;

namespace {

int Rows() {
  const char* large = std::getenv("QEL_BENCH_LARGE");
  return large && *large && *large != '0' ? 1'000'000 : 20'000;
}
constexpr int kCols = 10;
// Found nowhere, so that every cell is searched to its end.
constexpr char kNeedle[] = "zqx", kPattern[] = "zq[0-9]+x";

struct FilledList {
  TForm form{nullptr};
  TReportListView* list;
  FilledList() {
    Headless();
    form.SetBounds(0, 0, 800, 400);
    list = new TReportListView(&form);
    list->SetParent(&form);
    list->SetBounds(0, 0, 800, 400);
    list->SetNrCols(kCols);
    list->SetSuppressPaint(true);
    list->SetNrRows(Rows());
    static const char* const words[] = {"anchor", "bearing", "cable", "dowel", "eyelet", "fuse", "gasket", "hinge"};
    uint32_t seed = 12345;
    for (int r = 1; r <= Rows(); ++r)
      for (int c = 1; c <= kCols; ++c) {
        seed = seed * 1664525u + 1013904223u;
        list->SetElem(c, r, std::string(words[seed >> 29]) + "-" + std::to_string(seed % 1000));
      }
    list->SetSuppressPaint(false);
    form.Show();
    Application->ProcessMessages();
  }
  static FilledList& Get() {
    static FilledList one;
    return one;
  }
};

void BM_HeaderClickSort(benchmark::State& state) {
  FilledList& f = FilledList::Get();
  TTestRobot robot;
  f.list->ClearFilter();
  const TRect header = f.list->CellRect(2, 0);
  for (auto _ : state) {
    Headless().AdvanceTime(1000);  // never a double click
    robot.Click(f.list, (header.Left + header.Right) / 2, 8);
  }
  state.SetItemsProcessed(state.iterations() * Rows());
}
BENCHMARK(BM_HeaderClickSort)->Unit(benchmark::kMillisecond);

void BM_BaselineDataSort(benchmark::State& state) {
  FilledList& f = FilledList::Get();
  f.list->ClearFilter();
  bool dir = true;
  for (auto _ : state) f.list->Data()->Sort(3, -1, dir = !dir);
  state.SetItemsProcessed(state.iterations() * Rows());
}
BENCHMARK(BM_BaselineDataSort)->Unit(benchmark::kMillisecond);

// The same two as one ratio, x_data_sort: both sort the stored order by the
// same column in the same direction.
void BM_RatioHeaderClickSort(benchmark::State& state) {
  FilledList& f = FilledList::Get();
  TTestRobot robot;
  TRLData* d = f.list->Data();
  f.list->ClearFilter();
  const TRect header = f.list->CellRect(2, 0);
  Compare(
      state,
      [&] {
        Headless().AdvanceTime(1000);  // never a double click
        robot.Click(f.list, (header.Left + header.Right) / 2, 8);
      },
      {{"data_sort", [&] { d->Sort(3, -1, d->GetHeaderClickDirection()); }}},
      [&] { d->UnSort(); });
  state.SetItemsProcessed(state.iterations() * Rows());
}
BENCHMARK(BM_RatioHeaderClickSort)->Unit(benchmark::kMillisecond);

void BM_FilterSimple(benchmark::State& state) {
  FilledList& f = FilledList::Get();
  for (auto _ : state) benchmark::DoNotOptimize(f.list->FilterAndSort(kNeedle, {}, state.range(0), fmSimple, -1, true));
  f.list->ClearFilter();
  state.SetItemsProcessed(state.iterations() * Rows() * kCols);
}
BENCHMARK(BM_FilterSimple)->Arg(1)->Arg(0)->ArgName("match_case")->Unit(benchmark::kMillisecond);

void BM_BaselineMemmem(benchmark::State& state) {
  TRLData* d = FilledList::Get().list->Data();
  for (auto _ : state) {
    int found = 0;
    for (int r = 1; r <= Rows(); ++r)
      for (int c = 1; c <= kCols; ++c) {
        const std::string& s = d->GetRawElem(c, r);
        found += memmem(s.data(), s.size(), kNeedle, sizeof kNeedle - 1) != nullptr;
      }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * Rows() * kCols);
}
BENCHMARK(BM_BaselineMemmem)->Unit(benchmark::kMillisecond);

void BM_FilterGrep(benchmark::State& state) {
  FilledList& f = FilledList::Get();
  for (auto _ : state) benchmark::DoNotOptimize(f.list->FilterAndSort(kPattern, {}, true, fmGrep, -1, true));
  f.list->ClearFilter();
  state.SetItemsProcessed(state.iterations() * Rows() * kCols);
}
BENCHMARK(BM_FilterGrep)->Unit(benchmark::kMillisecond);

// A query as typed into a search box: a few words, an OR list, none found.
void BM_FilterBoolean(benchmark::State& state) {
  FilledList& f = FilledList::Get();
  const char* query = "(zqx OR qzx OR xzq OR zzq) anchor NOT bolt";
  for (auto _ : state) benchmark::DoNotOptimize(f.list->FilterAndSort(query, {}, state.range(0), fmBoolean, -1, true));
  f.list->ClearFilter();
  state.SetItemsProcessed(state.iterations() * Rows() * kCols);
}
BENCHMARK(BM_FilterBoolean)->Arg(1)->Arg(0)->ArgName("match_case")->Unit(benchmark::kMillisecond);

void BM_BaselinePcre2Jit(benchmark::State& state) {
  TRLData* d = FilledList::Get().list->Data();
  int error;
  PCRE2_SIZE offset;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kPattern), PCRE2_ZERO_TERMINATED,
                                   PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF, &error, &offset, nullptr);
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  pcre2_match_data* data = pcre2_match_data_create(1, nullptr);
  for (auto _ : state) {
    int found = 0;
    for (int r = 1; r <= Rows(); ++r)
      for (int c = 1; c <= kCols; ++c) {
        const std::string& s = d->GetRawElem(c, r);
        found += pcre2_jit_match(code, reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(), 0, 0, data, nullptr) >= 0;
      }
    benchmark::DoNotOptimize(found);
  }
  pcre2_match_data_free(data);
  pcre2_code_free(code);
  state.SetItemsProcessed(state.iterations() * Rows() * kCols);
}
BENCHMARK(BM_BaselinePcre2Jit)->Unit(benchmark::kMillisecond);

// fmGrep over PCRE2's JIT called directly as one ratio, x_pcre2_jit; each
// filter starts from the unfiltered list.
void BM_RatioFilterGrep(benchmark::State& state) {
  FilledList& f = FilledList::Get();
  TRLData* d = f.list->Data();
  int error;
  PCRE2_SIZE offset;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kPattern), PCRE2_ZERO_TERMINATED,
                                   PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF, &error, &offset, nullptr);
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  pcre2_match_data* data = pcre2_match_data_create(1, nullptr);
  Compare(
      state, [&] { benchmark::DoNotOptimize(f.list->FilterAndSort(kPattern, {}, true, fmGrep, -1, true)); },
      {{"pcre2_jit",
        [&] {
          int found = 0;
          for (int r = 1; r <= Rows(); ++r)
            for (int c = 1; c <= kCols; ++c) {
              const std::string& s = d->GetRawElem(c, r);
              found +=
                  pcre2_jit_match(code, reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(), 0, 0, data, nullptr) >= 0;
            }
          benchmark::DoNotOptimize(found);
        }}},
      [&] { f.list->ClearFilter(); });
  f.list->ClearFilter();
  pcre2_match_data_free(data);
  pcre2_code_free(code);
  state.SetItemsProcessed(state.iterations() * Rows() * kCols);
}
BENCHMARK(BM_RatioFilterGrep)->Unit(benchmark::kMillisecond);

// A query of N terms in words, non-ASCII phrases, groups and operators.
void BM_BooleanQueryParse(benchmark::State& state) {
  std::string query;
  for (int64_t i = 0; i < state.range(0); ++i)
    query += i % 4 == 0 ? "(hinge OR \"größe ä\") " : i % 4 == 1 ? "AND NOT cable " : i % 4 == 2 ? "dowel " : "OR fuse ";
  for (auto _ : state) benchmark::DoNotOptimize(TBooleanQuery(query).Terms().size());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BooleanQueryParse)->RangeMultiplier(4)->Range(64, 16384)->Complexity();

}  // namespace
