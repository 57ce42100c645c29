// A draw grid that logs its hooks, on a form, for the grid tests.
#pragma once
#include <map>
#include <memory>
#include <utility>

#include "platform/controls/Application.h"
#include "platform/grids/Grids.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

namespace qel::test {

struct DrawnCell {
  TGridDrawState state;
  TColor brush, font;
  TRect rect;
  int times = 0;
};

class TLoggingGrid : public TDrawGrid {
 public:
  explicit TLoggingGrid(TComponent* owner) : TDrawGrid(owner) {}
  std::map<std::pair<int, int>, DrawnCell> drawn;
  int colWidthsChanged = 0, rowHeightsChanged = 0, topLeftChanged = 0;
  std::pair<int, int> lastSize{-1, -1};
  using TCustomGrid::DeleteRow;
  using TCustomGrid::InvalidateCell;
  using TCustomGrid::MoveColumn;

 protected:
  void DrawCell(int c, int r, const TRect& rect, TGridDrawState s) override {
    DrawnCell& d = drawn[{c, r}];
    d = {s, Canvas()->Brush()->GetColor(), Canvas()->Font()->GetColor(), rect, d.times + 1};
    TDrawGrid::DrawCell(c, r, rect, s);
  }
  void ColWidthsChanged() override { ++colWidthsChanged; TDrawGrid::ColWidthsChanged(); }
  void RowHeightsChanged() override { ++rowHeightsChanged; TDrawGrid::RowHeightsChanged(); }
  void TopLeftChanged() override { ++topLeftChanged; TDrawGrid::TopLeftChanged(); }
  void SizeChanged(int oc, int orows) override { lastSize = {oc, orows}; TDrawGrid::SizeChanged(oc, orows); }
};

// A form holding one grid without border or bars unless a test adds them,
// so that client coordinates are plain.
struct GridFixture {
  TForm form{nullptr};
  TLoggingGrid* grid;
  TTestRobot robot;
  explicit GridFixture(int w = 200, int h = 90) {
    form.SetBounds(0, 0, w + 40, h + 40);
    grid = new TLoggingGrid(&form);
    grid->SetParent(&form);
    grid->SetBorderStyle(bsNone);
    grid->SetScrollBars(ssNone);
    grid->SetBounds(10, 10, w, h);
    form.Show();
    Application->ProcessMessages();
  }
  // Paints the grid completely and returns what was drawn.
  const std::map<std::pair<int, int>, DrawnCell>& Repaint() {
    grid->drawn.clear();
    grid->Repaint();
    return grid->drawn;
  }
};

}  // namespace qel::test
