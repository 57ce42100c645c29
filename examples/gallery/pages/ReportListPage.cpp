// Page "Report list": 100 000 rows with a fixed number column, check boxes,
// radio buttons, names, right-aligned amounts, passwords and notes, under a
// two-line common header; shading bands, a highlighted row and column,
// disabled rows and the inter-row indicator. The buttons fit the column
// widths, empty the list (showing its message) and fill it again. The row
// the grid moves to by mouse or keys is marked selected and named below.
#include <cstdio>
#include <string>

#include "../Gallery.h"
#include "platform/stdctrls/Button.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace {

constexpr int kRows = 100000;
enum Column { colNo = 1, colDone, colPick, colName, colAmount, colPassword, colNotes, colCount = colNotes };

const char* const kNames[] = {"Anchor bolt", "Ball bearing", "Cable tie", "Dowel pin", "Eye bolt", "Fuse 5 A",
                              "Gasket",      "Hinge",        "Insulator", "Jumper",    "Key switch", "Lock nut"};

std::string Amount(int Row) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", (Row * 7919 % 100000) / 100.0);
  return buf;
}

// Every cell of every row, written to the data with painting held back.
void Fill(TReportListView* list) {
  list->SetSuppressPaint(true);
  list->SetNrRows(kRows);
  TRLData* d = list->Data();
  for (int r = 1; r <= kRows; ++r) {
    d->SetElem(colNo, r, std::to_string(r));
    d->SetElem(colDone, r, r % 3 == 0 ? "packed" : "open");
    d->SetElemChecked(colDone, r, r % 3 == 0);
    d->SetElem(colPick, r, r % 2 ? "left" : "right");
    d->SetElem(colName, r, kNames[r % 12]);
    d->SetElem(colAmount, r, Amount(r));
    d->SetElem(colPassword, r, "pw" + std::to_string(r * 31));
    d->SetElem(colNotes, r, r % 5 == 0 ? "check again before shipping" : "");
    d->SetRowAttrib(r, r % 11 == 0 ? 64 : 0);  // every 11th row disabled
  }
  d->SetElemChecked(colPick, 2, true);
  list->SetSuppressPaint(false);
}

TReportListView* BuildList(TWinControl* panel) {
  auto* list = new TReportListView(panel);
  list->SetName("ReportList");
  list->SetParent(panel);
  list->SetBounds(8, 44, 812, 560);
  list->SetNrCols(colCount);
  const char* names[] = {"No.", "Done", "Pick", "Name", "Amount", "Password", "Notes"};
  for (int c = colNo; c <= colCount; ++c) list->SetColName(c, names[c - 1]);
  list->SetColCheckMode(colDone, cmBox);
  list->SetColCheckMode(colPick, cmRadio);
  list->SetColAlignment(colNo, taRightJustify);
  list->SetColAlignment(colAmount, taRightJustify);
  list->SetColAlignment(colPick, taCenter);
  list->SetColumnIsPwd(colPassword, true);
  list->SetFixedFirstColumn(true);
  list->SetCommonHeader("Parts in stock: 100 000 rows\nboxes, radio buttons, passwords and numbers");
  list->SetCommonHeaderHeight(34);
  list->SetCommonHeaderVisible(true);
  list->SetRowColPattern(3);
  list->SetHighLightRow(5);
  list->SetHighLightColumn(colAmount);
  list->SetHighLightBold(true);
  list->SetInterRowIndi(9);
  list->SetEmptyMessage("The list is empty|Press \"Fill\" to fill it again");
  list->SetColorEmptyMsg(0x800000);
  list->SetDefaultRowHeight(20);
  Fill(list);
  list->FitAllColWidths(colNotes, true, 6, 200, 24);
  return list;
}

TButton* AddButton(TWinControl* panel, int x, const std::string& caption, TNotifyEvent onClick) {
  auto* b = new TButton(panel);
  b->SetParent(panel);
  b->SetBounds(x, 8, 96, 28);
  b->SetCaption(caption);
  b->OnClick = std::move(onClick);
  return b;
}

gallery::PageRegistration page("Report list", 12, [](TWinControl* panel) {
  TReportListView* list = BuildList(panel);
  TLabel* status = gallery::AddLabel(panel, 8, 612, "Click a row or move with the arrow keys.");
  AddButton(panel, 8, "Fit widths", [list](TObject*) { list->FitAllColWidths(colNotes, true, 6, 200, 24); });
  AddButton(panel, 112, "Empty list", [list](TObject*) { list->SetNrRows(0); });
  AddButton(panel, 216, "Fill", [list](TObject*) { Fill(list); });
  // The current row of the grid is shown as the selected row.
  auto selected = std::make_shared<int>(0);
  list->OnClick = [list, status, selected](TObject*) {
    const int row = list->GetRow() - list->GetFixedRows() + 1;
    TRLData* d = list->Data();
    if (row < 1 || row > d->GetNrOfRows()) return;
    if (*selected >= 1 && *selected <= d->GetNrOfRows()) d->SetRowAttrib(*selected, d->GetRowAttrib(*selected) & ~128);
    d->SetRowAttrib(row, d->GetRowAttrib(row) | 128);
    *selected = row;
    list->Invalidate();
    status->SetCaption("Row " + std::to_string(row) + ": " + list->GetElem(colName, row) + ", amount " +
                       list->GetElem(colAmount, row) + (list->GetElemChecked(colDone, row) ? ", packed" : ""));
  };
});

}  // namespace
