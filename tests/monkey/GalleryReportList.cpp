#include "GalleryReportList.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "../../examples/gallery/MainForm.h"
#include "GalleryDriver.h"
#include "gauges/QEL_ProgBar.h"
#include "numeric/QEL_NumIO.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace monkey {
namespace {

enum { colNo = 1, colName = 4, colAmount = 5 };

template <class T>
T* Find(TComponent* Root, const std::string& Name = {}) {
  return qel::test::FindOn<T>(Root, Name);
}

// What the row editor showed when it opened.
struct TEditorSeen {
  bool shown = false;
  std::string caption, number, name;
  int nameIndex = -1;
};

struct TReportListCheck {
  int failures = 0;
  gallery::TMainForm* form = nullptr;
  TReportListView* list = nullptr;
  TLabel* status = nullptr;
  TButton* editRow = nullptr;
  TEdit* search = nullptr;
  TProgBar* bar = nullptr;
  TTestRobot robot;

  void Expect(bool Ok, const std::string& What) {
    if (Ok) return;
    std::fprintf(stderr, "qel-monkey: report list page: %s\n", What.c_str());
    ++failures;
  }
  TRect Header(int Col) { return list->CellRect(Col - 1, list->GetFixedRows() - 1); }
  TRect Cell(int Col, int Row) { return list->CellRect(Col - 1, Row + list->GetFixedRows() - 1); }
  void Click(const TRect& R, TShiftState Shift = {}) {
    Headless().AdvanceTime(1000);  // never a double click
    robot.Click(list, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2, mbLeft, Shift);
  }
  int CurrentRow() const { return list->GetRow() - list->GetFixedRows() + 1; }

  // "Edit row..." pressed; the editor is read and cancelled.
  TEditorSeen OpenEditor() {
    TEditorSeen seen;
    Headless().OnModal = [&](TCustomForm* f) {
      seen.shown = true;
      seen.caption = f->GetCaption();
      if (auto* box = dynamic_cast<TComboBox*>(f->FindComponent("runtime_rlre_CBox" + std::to_string(colName)))) {
        seen.name = box->GetText();
        seen.nameIndex = box->GetItemIndex();
      }
      if (auto* no = dynamic_cast<TNumIO*>(f->FindComponent("runtime_rlre_NumIO" + std::to_string(colNo))))
        seen.number = no->GetText();
      if (auto* cancel = dynamic_cast<TControl*>(f->FindComponent("runtime_rlre_Cancel"))) robot.Click(cancel, 10, 10);
      else f->SetModalResult(mrCancel);
    };
    robot.Click(editRow, 5, 5);
    Headless().OnModal = nullptr;
    return seen;
  }
  // The editor on the current row shows that row: its number and its name chosen in the list.
  void ExpectEditorOnCurrentRow(const std::string& Where) {
    const int row = CurrentRow();
    const TEditorSeen seen = OpenEditor();
    Expect(seen.shown && seen.caption == "Editing Row " + std::to_string(row),
           Where + ": the editor opens on the current row");
    Expect(seen.number == list->GetElem(colNo, row),
           Where + ": the editor shows the current row's number, not " + seen.number);
    Expect(seen.nameIndex >= 0 && seen.name == list->GetElem(colName, row),
           Where + ": the name list has \"" + list->GetElem(colName, row) + "\" chosen, not \"" + seen.name + "\"");
  }

  void RowEditor();
  void StatusWords();
  void ProgressText();
};

void TReportListCheck::RowEditor() {
  Click(Cell(colAmount, 7));  // a "Hinge" row
  ExpectEditorOnCurrentRow("row 7");
  // Filtered to one name and sorted: the rows are numbered as shown.
  robot.Click(search, 5, 5);
  robot.Type("Jumper");
  Click(Header(colAmount));
  Click(Cell(colAmount, 3));
  Expect(list->Filtered() && list->GetSortColumn() == colAmount && list->GetElem(colName, 3) == "Jumper",
         "the search and the header click filter and sort the rows");
  ExpectEditorOnCurrentRow("filtered and sorted, row 3");
  search->SetText("");
  list->UnSort();
}

void TReportListCheck::StatusWords() {
  Click(Cell(colAmount, 4));
  Expect(status->GetCaption() == "1 row selected, first 4", "one row selected reads \"" + status->GetCaption() + "\"");
  Click(Cell(colAmount, 6), {ssCtrl});
  Expect(status->GetCaption() == "2 rows selected, first 4", "two rows selected read \"" + status->GetCaption() + "\"");
  Click(Header(colName));
  const std::string sorted = std::string("Sorted by Name, ") + (list->GetSortOrder() ? "ascending" : "descending");
  Expect(list->GetSortColumn() == colName && status->GetCaption() == sorted,
         "after the sort the status reads \"" + status->GetCaption() + "\", not \"" + sorted + "\"");
  list->UnSort();
}

// Where a full bar's text draws (the pixels that change when it is hidden),
// and where its bar lies (the pixels of the colour of its middle).
void TReportListCheck::ProgressText() {
  bar->SetValue(100);
  const auto with = robot.Capture(bar);
  bar->SetTextVisible(false);
  const auto without = robot.Capture(bar);
  bar->SetTextVisible(true);
  const int w = with->GetWidth(), h = with->GetHeight();
  const uint32_t fill = without->ScanLine(h / 2)[2 * w / 3];
  TRect ink{w, h, -1, -1}, inner{w, h, -1, -1};
  auto add = [](TRect& R, int X, int Y) {
    R.Left = std::min(R.Left, X);
    R.Top = std::min(R.Top, Y);
    R.Right = std::max(R.Right, X + 1);
    R.Bottom = std::max(R.Bottom, Y + 1);
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (with->ScanLine(y)[x] != without->ScanLine(y)[x]) add(ink, x, y);
      if (without->ScanLine(y)[x] == fill) add(inner, x, y);
    }
  auto text = [](const TRect& R) {
    return std::to_string(R.Left) + "," + std::to_string(R.Top) + " .. " + std::to_string(R.Right) + "," +
           std::to_string(R.Bottom);
  };
  Expect(ink.Right > ink.Left && ink.Left >= inner.Left && ink.Top >= inner.Top && ink.Right <= inner.Right &&
             ink.Bottom <= inner.Bottom,
         "the progress bar's text (" + text(ink) + ") lies inside its bar (" + text(inner) + ")");
}

}  // namespace

int CheckReportListPage() {
  TReportListCheck check;
  check.form = new gallery::TMainForm(nullptr);
  check.form->Show();
  for (int i = 0; i < check.form->PageCount(); ++i)
    if (check.form->PageName(i) == "Report list") check.form->SelectPage(i);
  Application->ProcessMessages();
  check.list = Find<TReportListView>(check.form);
  check.status = Find<TLabel>(check.form, "Status");
  check.editRow = Find<TButton>(check.form, "EditRowButton");
  check.search = Find<TEdit>(check.form, "Search");
  check.bar = Find<TProgBar>(check.form, "Progress");
  check.Expect(check.list && check.status && check.editRow && check.search && check.bar,
               "the page has its list, status line, Edit row button, search box and progress bar");
  if (check.failures == 0) {
    check.RowEditor();
    check.StatusWords();
    check.ProgressText();
  }
  delete check.form;
  Application->ProcessMessages();
  return check.failures;
}

}  // namespace monkey
