// Page "Table editor": a weather station log of 10 000 rows by 20 columns
// in a table editor, with named rows and columns, attributes, two nominal
// columns, a precision per column (scientific ones too), marked, empty and
// invalid cells, columns fitted to their texts, and buttons that toggle the
// attribute column and row and fit the column widths again. Editing: click a
// cell twice (or type) to edit it, right click cells and headers for the two
// menus and the corner cell for the comment; Ctrl+C, Ctrl+X, Ctrl+V and
// Delete work on the selection, Tab walks the cells and Ctrl+Tab leaves the
// table; a button copies a block and pastes it elsewhere, another toggles
// read-only. Under the SDL host "Copy" and "Extract from Clipboard" use the
// system clipboard, so blocks go to and from spreadsheets.
#include <cmath>
#include <cstdio>
#include <string>

#include "../Gallery.h"
#include "ntabed/QEL_ntabed.h"
#include "platform/stdctrls/Button.h"

using namespace qel;

namespace {

constexpr int kRows = 10000;

struct TColumnSetup {
  const char* name;
  int places;  // 255: scientific
  double base, swing;
};

// Columns 1 and 2 are nominal; the rest are measurements around Base.
const TColumnSetup kColumns[] = {
    {"Station", 0, 0, 0},         {"Sensor", 0, 0, 0},          {"Temp \xC2\xB0" "C", 1, 14, 12},
    {"Gust m/s", 1, 9, 9},        {"NO2 mol/m\xC2\xB3", 255, 2e-5, 1.5e-5}, {"Counts 1/s", 9, 4e4, 3e4},
    {"Rain mm", 2, 0.6, 0.6},     {"Humidity %", 0, 65, 25},    {"Pressure hPa", 2, 1013, 12},
    {"Wind m/s", 1, 5, 5},        {"Sun W/m\xC2\xB2", 0, 300, 300}, {"UV index", 1, 3, 3},
    {"PM2.5 \xC2\xB5g/m\xC2\xB3", 3, 12, 9}, {"CO2 ppm", 0, 420, 40}, {"O3 mol/m\xC2\xB3", 255, 6e-5, 3e-5},
    {"Cond. S/m", 4, 0.05, 0.02}, {"Battery V", 3, 12.6, 0.5},  {"Load A", 5, 0.35, 0.2},
    {"Mains Hz", 6, 50, 0.02},    {"Dew pt \xC2\xB0" "C", 1, 8, 8},
};
// Columns the marks and gaps below refer to.
constexpr int kTemp = 3, kGust = 4, kCounts = 6, kRain = 7, kOzone = 15;
constexpr int kCols = sizeof kColumns / sizeof kColumns[0];

const char* const kStations[] = {"North", "South", "East", "West", "Harbour"};

// A smooth, repeatable wave per column.
double Measurement(int col, int row) {
  const TColumnSetup& s = kColumns[col - 1];
  double t = row * 0.01 + col * 1.7;
  return s.base + s.swing * (0.7 * std::sin(t) + 0.3 * std::sin(t * 7.3 + col));
}

std::string RowName(int row) {
  int minutes = (row - 1) * 10;
  char buf[32];
  std::snprintf(buf, sizeof buf, "d%02d %02d:%02d", minutes / 1440 + 1, minutes / 60 % 24, minutes % 60);
  return buf;
}

void FillLog(TNTabEd* ed) {
  TDataTable* t = ed->GetDataTable();
  ed->SetSuppressPaint(true);
  ed->Redimension(kCols, kRows);
  t->SetMScaleType(1, 2);  // nominal: the station
  for (int i = 0; i < 5; ++i) t->SetNominalID(1, i + 1, kStations[i]);
  t->SetMScaleType(2, 1);  // binary: the sensor state
  t->SetNominalID(2, 1, "ok");
  t->SetNominalID(2, 2, "fault");
  for (int c = 1; c <= kCols; ++c) {
    ed->SetColName(c, kColumns[c - 1].name);
    ed->SetColAttrib(c, uint8_t(c <= 2 ? 0 : 1 + (c - 3) / 6));
    ed->SetDecPlaces(c, kColumns[c - 1].places);
  }
  for (int r = 1; r <= kRows; ++r) {
    ed->SetRowName(r, RowName(r));
    ed->SetRowAttrib(r, uint8_t(r % 97 == 0 ? 2 : r % 13 == 0 ? 1 : 0));
    ed->SetElem(1, r, 1 + (r / 144) % 5);
    ed->SetElem(2, r, r % 41 == 3 ? 2 : 1);
    for (int c = 3; c <= kCols; ++c) ed->SetElem(c, r, Measurement(c, r));
  }
  TDataTable& d = *t;
  for (int r = 1; r <= kRows; ++r) {
    // Mark A: hot; mark B: gusty; both where the two meet.
    bool hot = d.GetElem(kTemp, r) > 23, gusty = d.GetElem(kGust, r) > 15;
    if (hot) d.SetCellState(kTemp, r, csMarkA);
    if (gusty) d.SetCellState(kGust, r, csMarkB);
    if (hot && gusty) d.SetCellState(kCounts, r, csMarkA | csMarkB);
    // Gaps in the rain gauge and a failing ozone sensor.
    if (r % 17 == 5) d.SetCellState(kRain, r, csEmpty);
    if (r % 23 == 7) d.SetCellState(kOzone, r, csInvalid);
  }
  ed->SetComment("Weather station log, one row every 10 minutes");
  ed->SetSuppressPaint(false);
}

// The attribute column and every data column as wide as its heading and
// its widest number; 8 pixels more keep the current column's bold heading whole.
void FitColumns(TNTabEd* ed) {
  ed->SetSuppressPaint(true);
  ed->AutoColWidth(-1, true, 4);
  for (int c = 1; c <= ed->GetNrOfColumns(); ++c) ed->AutoColWidth(c, true, 8);
  ed->SetSuppressPaint(false);
}

TButton* AddButton(TWinControl* panel, int x, const std::string& caption) {
  auto* b = new TButton(panel);
  b->SetParent(panel);
  b->SetBounds(x, 8, 150, 26);
  b->SetCaption(caption);
  return b;
}

gallery::PageRegistration page("Table editor", 30, [](TWinControl* panel) {
  auto* ed = new TNTabEd(panel);
  ed->SetParent(panel);
  ed->SetBounds(8, 66, panel->ClientWidth() - 16, panel->ClientHeight() - 74);
  ed->SetAnchors({akLeft, akTop, akRight, akBottom});
  ed->SetAttribColVisible(true);
  ed->SetDefaultRowHeight(20);
  FillLog(ed);
  ed->AutoColWidth(0, true, 4);
  FitColumns(ed);  // no header cut at the start
  // A few cells in view carry each mark, the empty state and the invalid state.
  ed->SetElemMarkedA(kTemp, 2, true);
  ed->SetElemMarkedB(kGust, 3, true);
  ed->SetElemMarkedA(9, 4, true);
  ed->SetElemMarkedB(9, 4, true);
  ed->SetIsEmpty(8, 5, true);
  ed->SetCellState(kCounts, 6, csInvalid);

  AddButton(panel, 8, "Attribute column")->OnClick = [ed](TObject*) {
    ed->SetAttribRowVisible(!ed->GetAttribRowVisible());
  };
  AddButton(panel, 166, "Attribute row")->OnClick = [ed](TObject*) {
    ed->SetAttribColVisible(!ed->GetAttribColVisible());
  };
  AddButton(panel, 324, "Fit column widths")->OnClick = [ed](TObject*) { FitColumns(ed); };
  auto* readOnly = AddButton(panel, 482, "Read-only: off");
  auto showReadOnly = [ed, readOnly] {
    readOnly->SetCaption(ed->GetDataReadOnly() ? "Read-only: on" : "Read-only: off");
  };
  readOnly->OnClick = [ed, showReadOnly](TObject*) {
    ed->SetDataReadOnly(!ed->GetDataReadOnly());
    showReadOnly();
  };
  // The menu's "Data Read-Only" changes it too.
  ed->OnChangeSetup = [showReadOnly](TObject*) { showReadOnly(); };
  // Copies temperature .. rain of rows 1..4 (the menu's "Copy", also to the
  // clipboard) and pastes them at row 20 (the menu's "Paste").
  AddButton(panel, 640, "Copy rows 1-4 to row 20")->OnClick = [ed](TObject*) {
    ed->SetSelection({kTemp + 1, 2, kRain + 1, 5});  // grid rows: the attribute row is shown
    ed->PopupMenuClickCopy(ed);
    ed->SetSelection({kTemp + 1, 21, kTemp + 1, 21});
    ed->PopupMenuClickPaste(ed);
    ed->SetTopRow(15);
  };
  gallery::AddLabel(panel, 8, 44,
                    "red: hot (A)   blue: gusty (B)   purple: both.   Ctrl+C, Ctrl+X, Ctrl+V, Delete: clipboard.   "
                    "Tab: next cell.   Ctrl+Tab: leave the table.");
},
                            "Click a cell twice or type to edit it; right-click cells, headers and the corner cell "
                            "(comment) for their menus");

}  // namespace
