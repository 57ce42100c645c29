// The report list's data object at scale: filling, sorting, un-sorting, XML
// save and load and clipboard text of N rows x 10 columns of short texts,
// each next to a plain baseline (std::stable_sort of the same strings, fwrite
// of the same number of bytes, a std::vector<std::string> of the cells).
// Ratios only mean something within one run on a Release build.
//
// Every case runs with 1000 rows; QEL_BENCH_LARGE=1 in the environment adds
// the 1 000 000-row cases (they take about a minute), so that the smoke run
// of the test suite stays short.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Streams.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace {

constexpr int kCols = 10;

// Short, repeatable texts: mixed-case words, some numbers, few distinct
// values in column 2 so the secondary key matters.
std::string CellText(int col, int row) {
  uint32_t h = uint32_t(row) * 2654435761u ^ uint32_t(col) * 40503u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  if (col == 2) return "grp" + std::to_string(h % 16);
  if (col == 5) return std::to_string(h % 100000);
  std::string s;
  for (int i = 0; i < 6; ++i, h /= 26) s += char((i == 0 ? 'A' : 'a') + h % 26);
  return s;
}

std::unique_ptr<TRLData> MakeList(int rows) {
  auto d = std::make_unique<TRLData>(nullptr);
  d->SetNrCols(kCols);
  d->SetNrRows(rows);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= kCols; ++c) d->SetElem(c, r, CellText(c, r));
  return d;
}

// One filled list per size, shared by the benchmarks that only read it.
TRLData& SharedList(int rows) {
  static std::map<int, std::unique_ptr<TRLData>> lists;
  auto& d = lists[rows];
  if (!d) d = MakeList(rows);
  return *d;
}

size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;  // large blocks are mapped separately
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000);
  const char* large = std::getenv("QEL_BENCH_LARGE");
  if (large && *large && *large != '0') b->Arg(1000000);
  b->Unit(benchmark::kMillisecond);
}

}  // namespace

static void BM_RLFill(benchmark::State& state) {
  const int rows = int(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    auto d = MakeList(rows);
    bytes = HeapInUse() - before;
    benchmark::DoNotOptimize(d.get());
  }
  state.counters["heap_MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_RLFill)->Apply(Sizes);

static void BM_PlainVectorFill(benchmark::State& state) {
  const int rows = int(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    std::vector<std::string> cells;
    cells.reserve(size_t(rows) * kCols);
    for (int r = 1; r <= rows; ++r)
      for (int c = 1; c <= kCols; ++c) cells.push_back(CellText(c, r));
    bytes = HeapInUse() - before;
    benchmark::DoNotOptimize(cells.data());
  }
  state.counters["heap_MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_PlainVectorFill)->Apply(Sizes);

static void BM_RLSortOneColumn(benchmark::State& state) {
  TRLData& d = SharedList(int(state.range(0)));
  for (auto _ : state) {
    d.Sort(1, -1, true);
    state.PauseTiming();
    d.UnSort();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RLSortOneColumn)->Apply(Sizes);

static void BM_RLSortTwoColumns(benchmark::State& state) {
  TRLData& d = SharedList(int(state.range(0)));
  for (auto _ : state) {
    d.Sort(2, 1, true);
    state.PauseTiming();
    d.UnSort();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RLSortTwoColumns)->Apply(Sizes);

static void BM_StdStableSortStrings(benchmark::State& state) {
  const int rows = int(state.range(0));
  std::vector<std::string> column;
  for (int r = 1; r <= rows; ++r) column.push_back(CellText(1, r));
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> v = column;
    state.ResumeTiming();
    std::stable_sort(v.begin(), v.end());
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_StdStableSortStrings)->Apply(Sizes);

static void BM_StdStableSortStringPairs(benchmark::State& state) {
  const int rows = int(state.range(0));
  std::vector<std::pair<std::string, std::string>> column;
  for (int r = 1; r <= rows; ++r) column.emplace_back(CellText(2, r), CellText(1, r));
  for (auto _ : state) {
    state.PauseTiming();
    auto v = column;
    state.ResumeTiming();
    std::stable_sort(v.begin(), v.end());
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_StdStableSortStringPairs)->Apply(Sizes);

static void BM_RLUnSort(benchmark::State& state) {
  TRLData& d = SharedList(int(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    d.Sort(1, -1, true);
    state.ResumeTiming();
    d.UnSort();
  }
}
BENCHMARK(BM_RLUnSort)->Apply(Sizes);

std::string BenchFile() {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/qel-replist-bench.xml";
}

static void BM_RLXmlSaveFile(benchmark::State& state) {
  TRLData& d = SharedList(int(state.range(0)));
  for (auto _ : state) d.SaveAsXMLFile(BenchFile(), "bench");
  state.SetBytesProcessed(FileSizeOf(BenchFile()) * int64_t(state.iterations()));
  DeleteFile(BenchFile());
}
BENCHMARK(BM_RLXmlSaveFile)->Apply(Sizes);

// The baseline writes as many bytes as the XML block has, with fwrite.
static void BM_FwriteSameBytes(benchmark::State& state) {
  TMemoryStream xml;
  SharedList(int(state.range(0))).WriteToXMLStream(xml, true, "bench");
  for (auto _ : state) {
    std::FILE* f = std::fopen(BenchFile().c_str(), "wb");
    std::fwrite(xml.Memory(), 1, size_t(xml.GetSize()), f);
    std::fclose(f);
  }
  state.SetBytesProcessed(xml.GetSize() * int64_t(state.iterations()));
  DeleteFile(BenchFile());
}
BENCHMARK(BM_FwriteSameBytes)->Apply(Sizes);

static void BM_RLXmlSaveMemory(benchmark::State& state) {
  TRLData& d = SharedList(int(state.range(0)));
  int64_t bytes = 0;
  for (auto _ : state) {
    TMemoryStream s;
    d.WriteToXMLStream(s, true, "bench");
    bytes = s.GetSize();
  }
  state.SetBytesProcessed(bytes * int64_t(state.iterations()));
}
BENCHMARK(BM_RLXmlSaveMemory)->Apply(Sizes);

static void BM_RLXmlLoadFile(benchmark::State& state) {
  SharedList(int(state.range(0))).SaveAsXMLFile(BenchFile(), "bench");
  for (auto _ : state) {
    TRLData d(nullptr);
    d.LoadFromXMLFile(BenchFile(), "bench");
    benchmark::DoNotOptimize(d.GetNrOfRows());
  }
  state.SetBytesProcessed(FileSizeOf(BenchFile()) * int64_t(state.iterations()));
  DeleteFile(BenchFile());
}
BENCHMARK(BM_RLXmlLoadFile)->Apply(Sizes);

static void BM_RLXmlLoad(benchmark::State& state) {
  TMemoryStream xml;
  SharedList(int(state.range(0))).WriteToXMLStream(xml, true, "bench");
  for (auto _ : state) {
    TRLData d(nullptr);
    xml.SetPosition(0);
    d.ReadFromXMLStream(xml, "bench");
    benchmark::DoNotOptimize(d.GetNrOfRows());
  }
  state.SetBytesProcessed(xml.GetSize() * int64_t(state.iterations()));
}
BENCHMARK(BM_RLXmlLoad)->Apply(Sizes);

// The parser alone on the same bytes, with empty handlers: the floor for loading.
static void BM_ExpatParseOnly(benchmark::State& state) {
  TMemoryStream xml;
  SharedList(int(state.range(0))).WriteToXMLStream(xml, true, "bench");
  for (auto _ : state) {
    XML_Parser p = XML_ParserCreate("UTF-8");
    XML_SetElementHandler(p, [](void*, const XML_Char*, const XML_Char**) {}, [](void*, const XML_Char*) {});
    XML_SetCharacterDataHandler(p, [](void*, const XML_Char*, int) {});
    const char* data = reinterpret_cast<const char*>(xml.Memory());
    for (int64_t at = 0; at < xml.GetSize(); at += 1 << 16) {
      const int64_t n = std::min<int64_t>(1 << 16, xml.GetSize() - at);
      XML_Parse(p, data + at, int(n), at + n >= xml.GetSize());
    }
    XML_ParserFree(p);
  }
  state.SetBytesProcessed(xml.GetSize() * int64_t(state.iterations()));
}
BENCHMARK(BM_ExpatParseOnly)->Apply(Sizes);

static void BM_RLClipboardText(benchmark::State& state) {
  TRLData& d = SharedList(int(state.range(0)));
  for (auto _ : state) d.CopyToClipBoard(1, 1, kCols, d.GetNrOfRows(), true, true);
}
BENCHMARK(BM_RLClipboardText)->Apply(Sizes);
