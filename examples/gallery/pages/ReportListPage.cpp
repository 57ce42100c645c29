// Page "Report list": 100 000 rows with a fixed number column, check boxes,
// radio buttons, names, right-aligned amounts, passwords and notes, under a
// two-line common header; shading bands, a highlighted row and column,
// disabled rows and the inter-row indicator. The buttons fit the column
// widths, empty the list (showing its message), fill it again, undo a
// header-click sort and open the row editor on the current row; the search
// box filters the rows as you type, as text, a boolean query or a regex.
#include <algorithm>
#include <cstdio>
#include <string>

#include "../Gallery.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
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

// The search box filters as you type; a bad expression is shown, not raised.
void Search(TReportListView* list, TEdit* box, TComboBox* mode, TLabel* status) {
  try {
    const int shown = list->FilterAndSort(box->GetText(), {}, false, TFilterMode(std::max(mode->GetItemIndex(), 0)),
                                          -1, true);
    status->SetCaption(std::to_string(shown) + " of " + std::to_string(list->GetNrRows()) + " rows shown");
  } catch (const EQELRepListError& e) {
    status->SetCaption(e.what());
  }
}

gallery::PageRegistration page("Report list", 12, [](TWinControl* panel) {
  TReportListView* list = BuildList(panel);
  TLabel* status = gallery::AddLabel(panel, 8, 612, "Click a row, a check box or a header; Ctrl and Shift select more.");
  AddButton(panel, 8, "Fit widths", [list](TObject*) { list->FitAllColWidths(colNotes, true, 6, 200, 24); });
  AddButton(panel, 112, "Empty list", [list](TObject*) { list->SetNrRows(0); });
  AddButton(panel, 216, "Fill", [list](TObject*) { Fill(list); });
  AddButton(panel, 320, "Unsort", [list](TObject*) { list->UnSort(); });
  AddButton(panel, 424, "Edit row...", [list](TObject*) {
    const int row = list->GetRow() - list->GetFixedRows() + 1;
    if (row >= 1 && row <= list->ShownRows()) list->EditRowEntries(row, 200, 200);
  });
  // Several rows by Ctrl and Shift; names and notes edited in place (F2 or a second click).
  list->SetRowSelectMode(2);
  list->SetOptions({goFixedVertLine, goFixedHorzLine, goColSizing, goThumbTracking});
  list->SetColumnEditable(colName, true);
  list->SetColumnEditable(colNotes, true);
  list->SetColumnFormat(colName, "[l][160]Anchor bolt|Ball bearing|Cable tie|Dowel pin|Eye bolt|Fuse 5 A|Gasket|"
                                 "Hinge|Insulator|Jumper|Key switch|Lock nut");
  list->SetColumnFormat(colNo, "[#i][80]rix1");
  list->SetColumnFormat(colAmount, "[f][100]0.00");
  list->SetColumnFormat(colPick, "[c:2]left|right");
  list->SetColumnFormat(colPassword, "[s][120]$pwd$8");

  auto* search = new TEdit(panel);
  search->SetParent(panel);
  search->SetBounds(540, 10, 170, 24);
  auto* mode = new TComboBox(panel);
  mode->SetParent(panel);
  mode->SetStyle(csDropDownList);
  mode->SetBounds(716, 10, 104, 24);
  for (const char* m : {"Text", "Boolean", "Regex"}) mode->Items()->Add(m);
  mode->SetItemIndex(0);
  search->OnChange = [=](TObject*) { Search(list, search, mode, status); };
  mode->OnChange = [=](TObject*) { Search(list, search, mode, status); };

  list->OnSelectedChange = [list, status](TObject*) {
    status->SetCaption(std::to_string(list->NumSelectedRows()) + " rows selected, first " +
                       std::to_string(list->FirstSelectedRow()));
  };
  list->OnCheckedChange = [list, status](TObject*, bool& Was, int Col, int Row) {
    status->SetCaption("Row " + std::to_string(Row) + ", " + list->GetColName(Col) + ": " +
                       (Was ? "was checked" : "was not checked"));
  };
  list->OnPercentDone = [status](TObject*, int Percent) {
    status->SetCaption("Sorting... " + std::to_string(Percent) + " %");
    status->Repaint();
  };
},
                            "Click a header to sort, tick check boxes, and open the row editor on a row");

}  // namespace
