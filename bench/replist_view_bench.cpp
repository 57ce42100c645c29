// The report list view at scale, each next to a plain baseline:
//  - a full repaint of a 1920 x 1080 list near its end, for a short and a
//    long list (the cost must not depend on the row count), against drawing
//    the same visible strings in the same places with the canvas alone;
//  - DetermineMaxColWidth over 1 000 000 cells of about 10 characters
//    (ns_per_cell), against summing the byte lengths of the same cells;
//  - the heap the view adds to its data object, for two row counts (it must
//    not grow with the rows).
// Ratios only mean something within one run on a Release build.
//
// The long list has 100 000 rows; QEL_BENCH_LARGE=1 in the environment makes
// it 10 000 000 (about 1.3 GB of cells), so that the smoke run stays light.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace {

size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

bool Large() {
  const char* large = std::getenv("QEL_BENCH_LARGE");
  return large && *large && *large != '0';
}

int LongList() { return Large() ? 10'000'000 : 100'000; }

// Texts of a screen row: a ticked or open box, a right-aligned number and
// a line of words as wide as the screen.
std::string Words(int i) {
  static const char* const words[] = {"anchor", "bearing", "cable", "dowel", "eyelet", "fuse", "gasket", "hinge"};
  std::string s;
  for (int k = 0; s.size() < 220; ++k) s += std::string(words[(i + k) % 8]) + ' ';
  return s;
}

// A borderless list filling a 1920 x 1080 form, scrolled to its last 60
// rows, which are the only ones holding text.
struct ListScreen {
  TForm form{nullptr};
  TReportListView* list;
  int top;
  explicit ListScreen(int rows) {
    form.SetBounds(0, 0, 1920, 1080);
    list = new TReportListView(&form);
    list->SetParent(&form);
    list->SetBorderStyle(bsNone);
    list->SetScrollBars(ssNone);
    list->SetBounds(0, 0, 1920, 1080);
    list->SetNrCols(3);
    list->SetColWidths(1, 240);
    list->SetColWidths(2, 160);
    list->SetColWidths(3, 1520);
    list->SetColCheckMode(1, cmBox);
    list->SetColAlignment(2, taRightJustify);
    list->SetSuppressPaint(true);
    list->SetNrRows(rows);
    top = rows - 59;
    for (int i = 0; i < 60; ++i) {
      const int r = top + i;
      list->SetElem(1, r, i % 2 ? "open" : "packed");
      list->SetElemChecked(1, r, i % 2 == 0);
      list->SetElem(2, r, std::to_string(r));
      list->SetElem(3, r, Words(i));
    }
    list->SetSuppressPaint(false);
    list->SetTopRow(top);
    form.Show();
    Application->ProcessMessages();
  }
};

}  // namespace

static void BM_ListFullRepaint1080p(benchmark::State& state) {
  ListScreen s(state.range(0) == 0 ? 1000 : LongList());
  int64_t cells = 0;
  s.list->OnDrawCell = [&](TObject*, int, int, TRect, TGridDrawState) { ++cells; };
  for (auto _ : state) s.list->Repaint();
  state.counters["rows"] = s.list->GetNrRows();
  state.counters["cells"] = double(cells) / double(state.iterations());
}
BENCHMARK(BM_ListFullRepaint1080p)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same strings where the list draws them, each in its text rectangle:
// the check marks' text after the box, numbers right-aligned, and the
// column names.
static void BM_ListCanvasSameStrings1080p(benchmark::State& state) {
  struct Item {
    TRect clip;
    int x, y;
    std::string text;
  };
  std::vector<Item> items;
  TBitmap bitmap(1920, 1080);
  TCanvas& c = *bitmap.Canvas();
  {
    ListScreen s(1000);
    c.Font()->Assign(s.list->GetFont());
    for (int g = 0; g < 3; ++g) {
      for (int row = 0; row < s.list->GetRowCount(); ++row) {
        const TRect cell = s.list->CellRect(g, row);
        if (cell.IsEmpty()) continue;
        TRect t{cell.Left + 4 + (g == 0 && row > 0 ? 16 : 0), cell.Top + 2, cell.Right - 5, cell.Bottom};
        const int r = row - s.list->GetFixedRows() + 1;
        std::string text = row == 0 ? s.list->GetColName(g + 1) : s.list->GetElem(g + 1, r);
        const int x = g == 1 && row > 0 ? t.Right - c.TextWidth(text) : t.Left;
        items.push_back({t, x, row == 0 ? t.Top : t.Top - 1, std::move(text)});
      }
    }
  }
  for (auto _ : state)
    for (const Item& i : items) c.TextRect(i.clip, i.x, i.y, i.text);
  state.counters["cells"] = double(items.size());
}
BENCHMARK(BM_ListCanvasSameStrings1080p)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ widths ----

namespace {
constexpr int kWidthCells = 1'000'000;

TReportListView& WidthList() {
  static TForm form{nullptr};
  static TReportListView* list = [] {
    auto* l = new TReportListView(&form);
    l->SetNrCols(1);
    l->SetSuppressPaint(true);
    l->SetNrRows(kWidthCells);
    TRLData* d = l->Data();
    for (int r = 1; r <= kWidthCells; ++r) d->SetElem(1, r, "Item " + std::to_string(10000 + r % 90000));
    return l;
  }();
  return *list;
}
}  // namespace

static void BM_DetermineMaxColWidth(benchmark::State& state) {
  TReportListView& list = WidthList();
  for (auto _ : state) benchmark::DoNotOptimize(list.DetermineMaxColWidth(1, false));
  state.counters["ns_per_cell"] =
      benchmark::Counter(double(kWidthCells) * double(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DetermineMaxColWidth)->Unit(benchmark::kMillisecond);

static void BM_SumCellByteLengths(benchmark::State& state) {
  TRLData& d = *WidthList().Data();
  for (auto _ : state) {
    size_t sum = 0;
    for (int r = 1; r <= kWidthCells; ++r) sum += d.GetRawElem(1, r).size();
    benchmark::DoNotOptimize(sum);
  }
  state.counters["ns_per_cell"] =
      benchmark::Counter(double(kWidthCells) * double(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SumCellByteLengths)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------ memory ----

// The heap a view takes beyond a data object of the same size.
static void BM_ViewHeapOverData(benchmark::State& state) {
  const int rows = int(state.range(0));
  size_t data = 0, view = 0;
  for (auto _ : state) {
    size_t before = HeapInUse();
    {
      TRLData d(nullptr);
      d.SetNrCols(10);
      d.SetNrRows(rows);
      data = HeapInUse() - before;
    }
    TForm form{nullptr};
    before = HeapInUse();
    auto* list = new TReportListView(&form);
    list->SetNrCols(10);
    list->SetNrRows(rows);
    list->SetCommonHeaderVisible(true);
    view = HeapInUse() - before;
    benchmark::DoNotOptimize(list);
  }
  state.counters["data_bytes"] = double(data);
  state.counters["view_extra_bytes"] = double(view) - double(data);
}
BENCHMARK(BM_ViewHeapOverData)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
