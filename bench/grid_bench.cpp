// Grid speed: a full repaint of a screen-sized grid of 10-character cells
// against drawing the same strings with the canvas alone, and a page scroll
// of a small and of a huge grid (the cost must not depend on the row count:
// only the visible cells are drawn).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/grids/Grids.h"

using namespace qel;

namespace {

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    for (int i = 0; i < 97; ++i) t.push_back("Cell " + std::to_string(10000 + i * 37).substr(0, 5));
    return t;
  }();
  return texts;
}

const std::string& TextOf(int c, int r) { return Texts()[(size_t(c) * 31 + size_t(r)) % Texts().size()]; }

class TTextGrid : public TDrawGrid {
 public:
  explicit TTextGrid(TComponent* owner) : TDrawGrid(owner) {}
  int64_t drawn = 0;

 protected:
  void DrawCell(int c, int r, const TRect& rect, TGridDrawState s) override {
    ++drawn;
    Canvas()->TextRect(rect, rect.Left + 2, rect.Top + 2, TextOf(c, r));
    TDrawGrid::DrawCell(c, r, rect, s);
  }
};

struct GridScreen {
  TForm form{nullptr};
  TTextGrid* grid;
  GridScreen(int rows, int w, int h) {
    form.SetBounds(0, 0, w, h);
    grid = new TTextGrid(&form);
    grid->SetParent(&form);
    grid->SetBorderStyle(bsNone);
    grid->SetBounds(0, 0, w, h);
    grid->SetColCount(30);
    grid->SetRowCount(rows);
    form.Show();
    Application->ProcessMessages();
  }
};

}  // namespace

// 1920 x 1080 of 64 x 24 cells: 30 columns by 44 rows, 10 characters each.
static void BM_GridFullRepaint1080p(benchmark::State& state) {
  GridScreen s(100, 1920, 1080);
  s.grid->SetScrollBars(ssNone);
  s.grid->drawn = 0;
  for (auto _ : state) s.grid->Repaint();
  state.counters["cells"] = double(s.grid->drawn) / double(state.iterations());
}
BENCHMARK(BM_GridFullRepaint1080p)->Unit(benchmark::kMillisecond);

// The same strings in the same places with the canvas alone.
static void BM_CanvasSameStrings1080p(benchmark::State& state) {
  TBitmap bitmap(1920, 1080);
  TCanvas& c = *bitmap.Canvas();
  int64_t cells = 0;
  for (auto _ : state) {
    for (int y = 0, r = 0; y < 1080; y += 25, ++r)
      for (int x = 0, col = 0; x < 1920; x += 65, ++col) {
        TRect rect{x, y, x + 64, y + 24};
        c.TextRect(rect, x + 2, y + 2, TextOf(col, r));
        ++cells;
      }
  }
  state.counters["cells"] = double(cells) / double(state.iterations());
}
BENCHMARK(BM_CanvasSameStrings1080p)->Unit(benchmark::kMillisecond);

// Cells on screen now: fixed and scrollable, whole or cut off.
int CellsOnScreen(TTextGrid* g) {
  int cols = 0, rows = 0;
  for (int c = 0; c < g->GetColCount(); ++c) cols += !g->CellRect(c, 0).IsEmpty();
  for (int r = 0; r < g->GetFixedRows(); ++r) rows += !g->CellRect(0, r).IsEmpty();
  for (int r = g->GetTopRow(); r < g->GetRowCount() && !g->CellRect(0, r).IsEmpty(); ++r) ++rows;
  return cols * rows;
}

// One page down and the repaint it causes; wraps to the top at the end.
static void BM_GridPageScroll(benchmark::State& state) {
  int rows = static_cast<int>(state.range(0));
  GridScreen s(rows, 800, 600);
  int drawnPerPage = 0;
  for (auto _ : state) {
    int page = s.grid->VisibleRowCount() - 1;
    int next = s.grid->GetTopRow() + page;
    if (next + page >= rows) next = 1;
    s.grid->SetTopRow(next);
    s.grid->drawn = 0;
    s.grid->Update();
    drawnPerPage = static_cast<int>(s.grid->drawn);
  }
  state.counters["drawcells_per_page"] = drawnPerPage;
  state.counters["visible_cells"] = CellsOnScreen(s.grid);
}
BENCHMARK(BM_GridPageScroll)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
