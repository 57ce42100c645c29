#include "GalleryLongWork.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "../../examples/gallery/Gallery.h"
#include "../../examples/gallery/MainForm.h"
#include "GalleryDriver.h"
#include "gauges/QEL_ProgBar.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace monkey {
namespace {

constexpr int kRows = 200000;  // enough for every percent, quick under the sanitizers
enum { colNo = 1, colAmount = 5 };

template <class T>
T* Find(TComponent* Root, const std::string& Name = {}) {
  return qel::test::FindOn<T>(Root, Name);
}

struct TLongWorkCheck {
  int failures = 0;
  gallery::TMainForm* form = nullptr;
  TReportListView* list = nullptr;
  TProgBar* bar = nullptr;
  TButton *fill = nullptr, *stop = nullptr;
  TTestRobot robot;
  std::vector<int> seen;  // the bar's value at each pump

  void Expect(bool Ok, const std::string& What) {
    if (Ok) return;
    std::fprintf(stderr, "qel-monkey: long work: %s\n", What.c_str());
    ++failures;
  }
  // Runs Work; at each pump the bar's value is recorded and Meanwhile(value)
  // may give input.
  void Run(const std::function<void()>& Work, const std::function<void(int)>& Meanwhile) {
    seen.clear();
    Headless().OnPump = [&] {
      if (!gallery::TPumping::Active()) return;  // the robot's own pumps
      seen.push_back(int(bar->GetValue()));
      Meanwhile(seen.back());
    };
    Work();
    Headless().OnPump = nullptr;
  }
  bool Increasing() const {
    for (size_t i = 1; i < seen.size(); ++i)
      if (seen[i] <= seen[i - 1]) return false;
    return !seen.empty();
  }
  TRect Header(int Col) { return list->CellRect(Col - 1, list->GetFixedRows() - 1); }
  TRect Cell(int Col, int Row) { return list->CellRect(Col - 1, Row + list->GetFixedRows() - 1); }
  void Click(TControl* C, const TRect& R) { robot.Click(C, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
  // A header press sorts at once; the button is let go during the sort.
  void PressHeader(int Col) {
    const TRect r = Header(Col);
    robot.Press(list, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void ReleaseHeader(int Col) {
    const TRect r = Header(Col);
    robot.Release(list, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void ClickButton(TButton* B) { robot.Click(B, 5, 5); }
  // Row r shows number r in the number column (a whole, unmixed row).
  bool RowsWhole(int Rows) {
    if (list->GetNrRows() != Rows) return false;
    for (int r : {1, 2, Rows / 2, Rows - 1, Rows})
      if (r >= 1 && list->GetElem(colNo, r) != std::to_string(r)) return false;
    return true;
  }
  bool OnReportList() const { return form->PageName(form->SelectedPage()) == "Report list"; }

  void FillAndStop();
  void SortAndStop();
  void SearchAndStop(TEdit* Search, TLabel* Status);
};

void TLongWorkCheck::FillAndStop() {
  int refusedPage = -1;
  Run([&] { ClickButton(fill); }, [&](int value) {
    if (value != 30) return;
    Expect(stop->GetEnabled(), "Stop can be pressed while the rows fill");
    ClickButton(fill);  // again: refused
    Expect(stop->GetEnabled() && !list->GetEnabled(), "Fill pressed again during the fill is refused");
    robot.Key(VK_NEXT, {ssCtrl});  // leaving the page: refused
    refusedPage = form->SelectedPage();
  });
  Expect(Increasing() && seen.size() == 99 && seen.front() == 1 && seen.back() == 99,
         "the bar counts up through every percent while filling");
  Expect(bar->GetValue() == 100, "the bar ends at 100");
  Expect(RowsWhole(kRows), "all rows filled, each whole, after Fill was pressed again meanwhile");
  Expect(OnReportList() && refusedPage == form->SelectedPage(), "the page stays while it fills");
  Expect(!stop->GetEnabled(), "Stop is off once the fill is done");

  Run([&] { ClickButton(fill); }, [&](int value) {
    if (value == 20) ClickButton(stop);
  });
  Expect(!seen.empty() && seen.back() == 20, "Stop is handled at once");
  Expect(RowsWhole(kRows / 5), "a stopped fill keeps the rows written, each whole");
  ClickButton(fill);
}

void TLongWorkCheck::SortAndStop() {
  const int clickedRow = 7;
  int rowAfterClick = -1;
  Run([&] { PressHeader(colAmount); }, [&](int value) {
    if (value == 1) ReleaseHeader(colAmount);
    if (value != 50) return;
    Click(list, Cell(colAmount, clickedRow));  // handled: the current row moves
    rowAfterClick = list->GetRow() - list->GetFixedRows() + 1;
    Click(list, Header(colNo));  // another sort: refused
  });
  Expect(Increasing() && seen.front() == 0 && seen.back() == 99,
         "the bar counts up through every percent while sorting");
  Expect(bar->GetValue() == 100, "the bar ends at 100 after the sort");
  Expect(rowAfterClick == clickedRow, "a click on a row is handled during the sort");
  Expect(list->GetSortColumn() == colAmount, "a header clicked during the sort is refused");
  bool ordered = list->GetNrRows() == kRows;
  for (int r = 2; r <= kRows && ordered; r += 997)
    ordered = std::stod(list->GetElem(colAmount, r - 1)) >= std::stod(list->GetElem(colAmount, r));
  Expect(ordered, "the rows are sorted by the clicked column, every row kept");

  Run([&] { PressHeader(colAmount); }, [&](int value) {
    if (value == 1) ReleaseHeader(colAmount);
    if (value == 40) ClickButton(stop);
  });
  Expect(!seen.empty() && seen.back() == 40, "Stop ends the sort at once");
  Expect(list->GetSortColumn() == -1 && RowsWhole(kRows), "a stopped sort shows the stored order, every row kept");
}

// A search over this many rows shows its progress; Stop ends it with the
// rows shown as before, and the next key searches again.
void TLongWorkCheck::SearchAndStop(TEdit* Search, TLabel* Status) {
  robot.Click(Search, 5, 5);
  Run([&] { robot.Type("1"); }, [&](int value) {
    if (value == 30) ClickButton(stop);
  });
  Expect(!seen.empty() && seen.back() == 30, "Stop ends the search at once");
  Expect(Status->GetCaption().find("stopped") != std::string::npos, "the status says the search stopped");
  Expect(!list->Filtered() && RowsWhole(kRows), "a stopped search leaves every row shown as before");
  Expect(!stop->GetEnabled(), "Stop is off once the search is stopped");
  Run([&] { robot.Type("2"); }, [](int) {});
  Expect(list->Filtered() && list->ShownRows() > 0 && list->ShownRows() < kRows, "the next key searches again");
  Run([&] { robot.Key(VK_BACK); robot.Key(VK_BACK); }, [](int) {});
  Expect(!list->Filtered(), "an empty search box shows every row");
}

}  // namespace

int CheckLongWork() {
  const int savedRows = gallery::BigFillRows();
  gallery::BigFillRows() = kRows;
  TLongWorkCheck check;
  check.form = new gallery::TMainForm(nullptr);
  check.form->Show();
  for (int i = 0; i < check.form->PageCount(); ++i)
    if (check.form->PageName(i) == "Report list") check.form->SelectPage(i);
  Application->ProcessMessages();
  check.list = Find<TReportListView>(check.form);
  check.bar = Find<TProgBar>(check.form, "Progress");
  check.fill = Find<TButton>(check.form, "FillButton");
  check.stop = Find<TButton>(check.form, "StopButton");
  check.Expect(check.OnReportList() && check.list && check.bar && check.fill && check.stop,
               "the report list page has its list, progress bar, Fill and Stop");
  if (check.failures == 0) {
    check.FillAndStop();
    check.SortAndStop();
    auto* search = Find<TEdit>(check.form, "Search");
    auto* status = Find<TLabel>(check.form, "Status");
    check.Expect(search && status, "the report list page has its search box and status line");
    if (search && status) check.SearchAndStop(search, status);
  }
  delete check.form;
  Application->ProcessMessages();
  gallery::BigFillRows() = savedRows;
  return check.failures;
}

}  // namespace monkey
