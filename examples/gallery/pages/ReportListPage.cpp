// Page "Report list": 10 000 rows with a fixed number column, check boxes,
// radio buttons, names, right-aligned amounts, passwords and notes, under a
// two-line common header; shading bands, a highlighted row and column,
// disabled rows and the inter-row indicator. The buttons fit the column
// widths, empty the list (showing its message), fill it with a million rows,
// undo a header-click sort and open the row editor on the current row; the
// search box filters the rows as you type, as text, a boolean query or a
// regex. Filling, sorting and filtering a million rows show their progress
// in a bar and keep the window responsive: "Stop" ends each.
#include <algorithm>
#include <cstdio>
#include <string>

#include "../Gallery.h"
#include "gauges/QEL_ProgBar.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace {

constexpr int kStartRows = 10000;
constexpr int kShowSearchFrom = 100000;  // rows from which a search shows its progress
enum Column { colNo = 1, colDone, colPick, colName, colAmount, colPassword, colNotes, colCount = colNotes };

const char* const kNames[] = {"Anchor bolt", "Ball bearing", "Cable tie", "Dowel pin", "Eye bolt", "Fuse 5 A",
                              "Gasket",      "Hinge",        "Insulator", "Jumper",    "Key switch", "Lock nut"};

// The names as the row editor's list items. They make a longer text than a
// column format holds (80 characters), so the editor is given them through
// OnRequestEditFormat.
std::string NameItems() {
  std::string items;
  for (const char* name : kNames) {
    if (!items.empty()) items += '|';
    items += name;
  }
  return items;
}

std::string Amount(int Row) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", (Row * 7919 % 100000) / 100.0);
  return buf;
}

void FillRow(TRLData* d, int r) {
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

// Rows 1 .. Rows anew, written with painting held back. Percent(p) is told
// of each percent done and returns false to stop: the rows written so far
// stay. Returns the rows written.
int Fill(TReportListView* list, int Rows, const std::function<bool(int)>& Percent = {}) {
  list->UnSort();
  list->SetSuppressPaint(true);
  list->SetNrRows(Rows);
  TRLData* d = list->Data();
  int done = Rows;
  for (int r = 1, percent = 0; r <= Rows; ++r) {
    FillRow(d, r);
    if (!Percent || int64_t(r) * 100 / Rows == percent) continue;
    percent = int(int64_t(r) * 100 / Rows);
    if (!Percent(percent)) {
      done = r;
      break;
    }
  }
  if (done < Rows) list->SetNrRows(done);
  if (done >= 2) d->SetElemChecked(colPick, 2, true);
  list->SetSuppressPaint(false);
  return done;
}

TReportListView* BuildList(TComponent* owner, TWinControl* panel) {
  auto* list = new TReportListView(owner);
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
  list->SetCommonHeader("Parts in stock\nboxes, radio buttons, passwords and numbers");
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
  Fill(list, kStartRows);
  list->FitAllColWidths(colNotes, true, 6, 200, 24);
  return list;
}

TButton* AddButton(TComponent* owner, TWinControl* panel, int x, const std::string& caption, TNotifyEvent onClick) {
  auto* b = new TButton(owner);
  b->SetParent(panel);
  b->SetBounds(x, 8, 96, 28);
  b->SetCaption(caption);
  b->OnClick = std::move(onClick);
  return b;
}

// The page's state, owned by the panel. While long work lets input through
// (TPumping), the buttons that would start more work or change the rows
// refuse; "Stop" ends the fill (keeping the rows written), the sort
// (showing the stored order again) or the search (showing what it showed).
class TReportListPage : public TComponent {
 public:
  explicit TReportListPage(TWinControl* panel) : TComponent(panel) {
    // The controls are this page's, so they go before it does.
    list_ = BuildList(this, panel);
    status_ = gallery::AddLabel(panel, 8, 612, "Click a row, a check box or a header; Ctrl and Shift select more.");
    status_->SetName("Status");
    AddButton(this, panel, 8, "Fit widths", Refusing([this] { list_->FitAllColWidths(colNotes, true, 6, 200, 24); }));
    AddButton(this, panel, 112, "Empty list", Refusing([this] { list_->SetNrRows(0); }));
    fill_ = AddButton(this, panel, 216, "Fill " + Thousands(gallery::BigFillRows()), Refusing([this] { BigFill(); }));
    fill_->SetName("FillButton");
    fill_->SetTag(gallery::kLongWorkTag);
    AddButton(this, panel, 320, "Unsort", Refusing([this] { list_->UnSort(); }));
    // Rows are numbered as shown, filtered and sorted: the current one is the one to edit.
    AddButton(this, panel, 424, "Edit row...", Refusing([this] {
      const int row = list_->GetRow() - list_->GetFixedRows() + 1;
      if (row >= 1 && row <= list_->ShownRows()) list_->EditRowEntries(row, 200, 200);
    }))->SetName("EditRowButton");
    bar_ = new TProgBar(this);
    bar_->SetName("Progress");
    bar_->SetParent(panel);
    bar_->SetBounds(560, 610, 176, 20);
    bar_->SetRange(0, 100);
    bar_->SetValue(0);
    // The text's middle in the bar's middle: the default place suits a tall bar only.
    bar_->SetTextPosX(bar_->GetWidth() / 2);
    bar_->SetTextPosY(bar_->GetHeight() / 2);
    stop_ = AddButton(this, panel, 744, "Stop", [this](TObject*) { Stop(); });
    stop_->SetName("StopButton");
    stop_->SetTop(606);
    stop_->SetWidth(76);
    stop_->SetEnabled(false);
    BuildSearch(panel);
    WireList();
  }

 private:
  static std::string Thousands(int n) {
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
      out += digits[i];
    }
    return out;
  }
  // A button action that waits its turn: nothing while long work pumps.
  TNotifyEvent Refusing(std::function<void()> action) {
    return [action = std::move(action)](TObject*) {
      if (!gallery::TPumping::Active()) action();
    };
  }

  // Shows the percent and lets waiting input through; false once Stop was pressed.
  bool Progress(const std::string& what, int percent) {
    bar_->SetValue(percent);
    status_->SetCaption(what + " " + std::to_string(percent) + " %");
    if (percent < 100) gallery::TPumping::Pump();
    return !stopAsked_;
  }

  void BigFill() {
    search_->SetText("");  // the filter ends with the rows it filtered
    stopAsked_ = false;
    filling_ = true;
    stop_->SetEnabled(true);
    list_->SetEnabled(false);  // its rows are being written
    struct TEnd {  // also when memory runs out on the way
      TReportListPage& page;
      ~TEnd() {
        page.filling_ = false;
        page.list_->SetSuppressPaint(false);
        page.list_->SetEnabled(true);
        page.stop_->SetEnabled(false);
      }
    } end{*this};
    const int rows = gallery::BigFillRows();
    const int done = Fill(list_, rows, [this](int p) { return Progress("Filling...", p); });
    status_->SetCaption(done < rows ? "Stopped after " + Thousands(done) + " rows" : Thousands(done) + " rows");
    if (!search_->GetText().empty()) Search();  // typed meanwhile
  }

  void Stop() {
    if (filling_) stopAsked_ = true;
    if (list_->Filtering()) {
      list_->StopFilter();  // FilterAndSort raises, the list as it was
      stop_->SetEnabled(false);
      return;
    }
    if (!list_->Data()->Sorting()) return;
    list_->UnSort();  // ends the sort
    stop_->SetEnabled(false);
    status_->SetCaption("Sort stopped: the rows in their stored order");
  }

  void BuildSearch(TWinControl* panel) {
    search_ = new TEdit(this);
    search_->SetName("Search");
    search_->SetParent(panel);
    search_->SetBounds(540, 10, 170, 24);
    mode_ = new TComboBox(this);
    mode_->SetParent(panel);
    mode_->SetStyle(csDropDownList);
    mode_->SetBounds(716, 10, 104, 24);
    for (const char* m : {"Text", "Boolean", "Regex"}) mode_->Items()->Add(m);
    mode_->SetItemIndex(0);
    search_->OnChange = [this](TObject*) { Search(); };
    mode_->OnChange = [this](TObject*) { Search(); };
  }

  // The search box filters as you type; a bad expression is shown, not
  // raised. While long work pumps the rows are in flux: the fill applies
  // what was typed when it is done, a sort leaves it to the next key.
  // A long search shows its progress and lets keys through; what was typed
  // meanwhile is searched for next.
  void Search() {
    if (gallery::TPumping::Active()) return;
    std::string text;
    int mode = -1;
    while (text != search_->GetText() || mode != mode_->GetItemIndex()) {
      text = search_->GetText();
      mode = mode_->GetItemIndex();
      searching_ = true;
      struct TEnd {  // also when the search raises
        TReportListPage& page;
        ~TEnd() {
          page.searching_ = false;
          page.stop_->SetEnabled(false);
        }
      } end{*this};
      try {
        const int shown = list_->FilterAndSort(text, {}, false, TFilterMode(std::max(mode, 0)), -1, true);
        status_->SetCaption(std::to_string(shown) + " of " + std::to_string(list_->GetNrRows()) + " rows shown");
      } catch (const EQELRepListError& e) {
        status_->SetCaption(e.what());
      }
    }
  }

  void WireList() {
    // Several rows by Ctrl and Shift; names and notes edited in place (F2 or a second click).
    list_->SetRowSelectMode(2);
    list_->SetOptions({goFixedVertLine, goFixedHorzLine, goColSizing, goThumbTracking});
    list_->SetColumnEditable(colName, true);
    list_->SetColumnEditable(colNotes, true);
    list_->SetColumnFormat(colName, "[l][160]");
    list_->OnRequestEditFormat = [](TObject*, int Col, int, std::string& Format) {
      if (Col == colName) Format += NameItems();
    };
    list_->SetColumnFormat(colNo, "[#i][80]rix1");
    list_->SetColumnFormat(colAmount, "[f][100]0.00");
    list_->SetColumnFormat(colPick, "[c:2]left|right");
    list_->SetColumnFormat(colPassword, "[s][120]$pwd$8");
    list_->OnSelectedChange = [this](TObject*) {
      const int n = list_->NumSelectedRows();
      status_->SetCaption(std::to_string(n) + (n == 1 ? " row" : " rows") + " selected, first " +
                          std::to_string(list_->FirstSelectedRow()));
    };
    list_->OnCheckedChange = [this](TObject*, bool& Was, int Col, int Row) {
      status_->SetCaption("Row " + std::to_string(Row) + ", " + list_->GetColName(Col) + ": " +
                          (Was ? "was checked" : "was not checked"));
    };
    // A header click sorts; the window stays responsive meanwhile.
    // 100 comes when the rows stand in their new order.
    list_->OnPercentDone = [this](TObject*, int percent) {
      if (searching_) {  // a quick search goes by without a show
        if (percent >= 100 || list_->GetNrRows() < kShowSearchFrom) return;
        stop_->SetEnabled(true);
        Progress("Searching...", percent);
        return;
      }
      stop_->SetEnabled(percent < 100);
      Progress("Sorting...", percent);
      if (percent >= 100) status_->SetCaption(SortedCaption());
    };
  }

  std::string SortedCaption() const {
    return "Sorted by " + list_->GetColName(list_->GetSortColumn()) +
           (list_->GetSortOrder() ? ", ascending" : ", descending");
  }

  TReportListView* list_ = nullptr;
  TLabel* status_ = nullptr;
  TButton *fill_ = nullptr, *stop_ = nullptr;
  TProgBar* bar_ = nullptr;
  TEdit* search_ = nullptr;
  TComboBox* mode_ = nullptr;
  bool filling_ = false, stopAsked_ = false, searching_ = false;
};

gallery::PageRegistration page("Report list", 12, [](TWinControl* panel) { new TReportListPage(panel); },
                               "Click a header to sort, tick check boxes, fill a million rows and sort them");

}  // namespace
