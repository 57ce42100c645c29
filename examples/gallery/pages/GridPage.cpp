// Page "Grids": a draw grid of 10 000 rows whose cells are drawn by
// OnDrawCell, and a string grid that edits in place (Enter, F2, typing or
// a click on the current cell), its "Unit" column from a pick list.
#include <string>

#include "../Gallery.h"
#include "platform/grids/Grids.h"
#include "platform/rtl/StringList.h"

using namespace qel;

namespace {

void BuildDrawGrid(TWinControl* panel) {
  auto* grid = new TDrawGrid(panel);
  grid->SetParent(panel);
  grid->SetBounds(10, 10, 460, 600);
  grid->SetColCount(8);
  grid->SetRowCount(10000);
  grid->SetDefaultColWidth(60);
  grid->SetDefaultRowHeight(20);
  grid->SetOptions(grid->GetOptions() + TGridOptions{goColSizing, goRowSizing, goThumbTracking});
  grid->OnDrawCell = [grid](TObject*, int c, int r, TRect rect, TGridDrawState) {
    std::string text = r == 0 ? (c == 0 ? "" : "Col " + std::to_string(c))
                       : c == 0 ? std::to_string(r)
                                : std::to_string(r) + "," + std::to_string(c);
    grid->Canvas()->TextRect(rect, rect.Left + 3, rect.Top + 3, text);
  };
}

constexpr int UnitColumn = 3;

// The unit column drops down a list of units.
class TRecipeGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;

 protected:
  TEditStyle GetEditStyle(int ACol, int) override { return ACol == UnitColumn ? esPickList : esSimple; }
};

void BuildStringGrid(TWinControl* panel) {
  auto* grid = new TRecipeGrid(panel);
  grid->SetParent(panel);
  grid->SetBounds(490, 10, 330, 300);
  grid->SetColCount(4);
  grid->SetRowCount(12);
  grid->SetDefaultColWidth(72);
  grid->SetOptions(grid->GetOptions() + TGridOptions{goEditing, goTabs, goColSizing});
  grid->OnGetPickListItems = [](TObject*, int, int, TStrings* Items) {
    for (const char* unit : {"g", "kg", "ml", "l", "pcs", "tsp", "tbsp"}) Items->Add(unit);
  };
  const char* heads[] = {"", "Name", "Amount", "Unit"};
  for (int c = 0; c < 4; ++c) grid->SetCells(c, 0, heads[c]);
  const char* names[] = {"Flour", "Sugar", "Butter", "Eggs", "Milk", "Salt"};
  const char* units[] = {"g", "g", "g", "pcs", "ml", "g"};
  const char* amounts[] = {"500", "200", "250", "4", "300", "5"};
  for (int r = 1; r < 12; ++r) {
    grid->SetCells(0, r, std::to_string(r));
    if (r <= 6) {
      grid->SetCells(1, r, names[r - 1]);
      grid->SetCells(2, r, amounts[r - 1]);
      grid->SetCells(3, r, units[r - 1]);
    }
  }
}

gallery::PageRegistration page("Grids", 5, [](TWinControl* panel) {
  BuildDrawGrid(panel);
  BuildStringGrid(panel);
},
                            "Scroll the 10 000 rows; in the string grid press F2 or type to edit, and pick a unit from its list");

}  // namespace
