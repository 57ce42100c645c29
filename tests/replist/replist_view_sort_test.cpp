// TReportListView sorting: header clicks (direction, border zone, the current
// row kept, attributes travelling), UnSort, the secondary column and the
// storage's notifications.
#include <algorithm>

#include "ReportListViewTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
class ListSortTest : public ListViewTest {
 protected:
  void SetUp() override {
    ListViewTest::SetUp();
    view->SetNrRows(5);
    const char* names[] = {"b", "d", "a", "e", "c"};
    for (int r = 1; r <= 5; ++r) {
      view->SetElem(1, r, names[r - 1]);
      view->SetElem(2, r, std::to_string(r));
    }
  }
  std::string Column(int c) {
    std::string s;
    for (int r = 1; r <= view->GetNrRows(); ++r) s += view->GetElem(c, r);
    return s;
  }
  void ClickHeader(int c, int dx = -1) {
    const TRect h = view->CellRect(c - 1, view->GetFixedRows() - 1);
    Headless().AdvanceTime(1000);  // each click on its own, never a double click
    robot.Click(view, dx < 0 ? (h.Left + h.Right) / 2 : h.Left + dx, (h.Top + h.Bottom) / 2);
  }
  void ClickRow(int r) {
    const TRect rect = Cell(2, r);
    Headless().AdvanceTime(1000);
    robot.Click(view, rect.Left + 30, rect.Top + 4);
  }
  int CurrentRow() { return view->GetRow() - view->GetFixedRows() + 1; }
};
}  // namespace

TEST_F(ListSortTest, HeaderClicksFlipTheDirectionAndKeepTheCurrentRow) {
  ClickRow(1);  // "b", selected in mode 1
  view->SetRowEnabled(3, false);  // "a"
  TCursor during = crDefault;
  view->OnBeforeSortExchange = [&](TObject*, const std::string&, std::string&) { during = Screen->GetCursor(); };
  ClickHeader(1);
  EXPECT_EQ(Column(1), "edcba");
  EXPECT_FALSE(view->GetSortOrder());
  EXPECT_EQ(view->GetSortColumn(), 1);
  EXPECT_EQ(CurrentRow(), 4);
  EXPECT_TRUE(view->GetRowSelect(4));
  EXPECT_FALSE(view->GetRowEnabled(5));
  EXPECT_EQ(during, crHourGlass);
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  ClickHeader(1);
  EXPECT_EQ(Column(1), "abcde");
  EXPECT_TRUE(view->GetSortOrder());
  EXPECT_EQ(CurrentRow(), 2);
  EXPECT_EQ(view->GetElem(1, CurrentRow()), "b");
  // The flag flips whatever column is clicked.
  ClickHeader(2);
  EXPECT_EQ(Column(2), "54321");
  EXPECT_EQ(view->GetElem(1, CurrentRow()), "b");
}

TEST_F(ListSortTest, BorderPressesAndDisabledSortingDoNotSort) {
  ClickRow(2);
  ClickHeader(1, 3);  // left border zone
  const TRect h = view->CellRect(0, 0);
  Headless().AdvanceTime(1000);
  robot.Click(view, h.Right - 4, 8);  // right border zone
  EXPECT_EQ(view->GetSortColumn(), -1);
  ClickHeader(1, 6);
  EXPECT_EQ(view->GetSortColumn(), 1);
  view->UnSort();
  view->SetSortEnabled(false);
  ClickRow(3);
  ClickHeader(1);
  EXPECT_EQ(view->GetSortColumn(), -1);
  EXPECT_EQ(Column(1), "bdaec");
  EXPECT_EQ(CurrentRow(), 3);
  EXPECT_EQ(view->NumSelectedRows(), 1);
}

TEST_F(ListSortTest, UnSortRestoresTheStoredOrderAndRemovesTheArrow) {
  std::unique_ptr<TBitmap> before = robot.Capture(view);
  view->Sort(1, -1, true);
  EXPECT_EQ(Column(1), "abcde");
  std::unique_ptr<TBitmap> sorted = robot.Capture(view);
  auto headerDiffers = [&](TBitmap* a, TBitmap* b) {
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 400; ++x)
        if (a->ScanLine(y)[x] != b->ScanLine(y)[x]) return true;
    return false;
  };
  EXPECT_TRUE(headerDiffers(before.get(), sorted.get()));  // the arrow
  view->UnSort();
  EXPECT_EQ(Column(1), "bdaec");
  EXPECT_EQ(view->GetSortColumn(), -1);
  std::unique_ptr<TBitmap> after = robot.Capture(view);
  EXPECT_FALSE(headerDiffers(before.get(), after.get()));
}

TEST_F(ListSortTest, SecondaryColumnAndNotifications) {
  int setup = 0;
  view->OnChangeSetup = [&](TObject*) { ++setup; };
  view->SetSortColumnSec(view->GetNrCols() + 1);
  view->SetSortColumnSec(-2);
  EXPECT_EQ(view->GetSortColumnSec(), -1);
  EXPECT_EQ(setup, 0);
  view->SetSortColumnSec(2);
  EXPECT_EQ(view->GetSortColumnSec(), 2);
  view->SetElem(3, 1, "x");
  view->SetElem(3, 2, "x");
  view->SetElem(3, 4, "x");
  std::vector<TObject*> senders;
  int percent = -1;
  view->OnBeforeSortExchange = [&](TObject* s, const std::string&, std::string&) { senders.push_back(s); };
  view->OnPercentDone = [&](TObject* s, int p) {
    senders.push_back(s);
    percent = p;
  };
  ClickHeader(3);  // descending: "x" rows first, ties broken by column 2 descending
  EXPECT_EQ(Column(2), "42153");
  ASSERT_FALSE(senders.empty());
  for (TObject* s : senders) EXPECT_EQ(s, view);
  (void)percent;
  view->SetSortColumnSec(-1);
  EXPECT_EQ(view->GetSortColumnSec(), -1);
  EXPECT_EQ(setup, 2);
}

// A header click shows the sorted rows in one paint, not in a second one
// the storage's change would ask for; rows nobody hears exchanged take the
// same order as rows a handler hears, be it the view's or the program's own
// handler on the data.
TEST_F(ListSortTest, OnePaintShowsASortAndEveryListenerHearsTheExchanges) {
  Application->ProcessMessages();
  const int lastRow = view->GetFixedRows() + 4;  // away from the current row, which repaints when it moves
  int paints = 0;
  view->OnDrawCell = [&](TObject*, int Col, int Row, TRect, TGridDrawState) { paints += Col == 0 && Row == lastRow; };
  ClickHeader(1);
  Application->ProcessMessages();
  EXPECT_EQ(Column(1), "edcba");
  EXPECT_EQ(paints, 1);
  view->UnSort();

  int heard = 0;
  view->Data()->OnBeforeSortExchange = [&](TObject* Sender, const std::string&, std::string&) {
    EXPECT_EQ(Sender, view->Data());
    ++heard;
  };
  EXPECT_TRUE(view->Sort(1, -1, false));
  EXPECT_EQ(Column(1), "edcba");
  EXPECT_GT(heard, 0);
  heard = 0;
  view->UnSort();
  EXPECT_EQ(view->FilterAndSort("a", {1}, false, fmSimple, 1, false), 1);
  EXPECT_GT(heard, 0);
  EXPECT_EQ(view->GetElem(1, 1), "a");
  view->ClearFilter();
  EXPECT_EQ(Column(1), "edcba");
}

// A progress handler that lets input through (as ProcessMessages does): a
// header click then is refused, UnSort stops the running sort and wins.
TEST_F(ListSortTest, InputDuringASortCannotStartAnotherOne) {
  std::vector<int> percents;
  bool clicked = false;
  view->OnPercentDone = [&](TObject*, int p) {
    percents.push_back(p);
    if (p != 0 || clicked) return;
    clicked = true;
    ClickHeader(2);
    EXPECT_FALSE(view->Sort(2, -1, true));
    EXPECT_FALSE(view->Data()->Sort(2, -1, true));
  };
  ClickHeader(1);  // descending
  EXPECT_EQ(Column(1), "edcba");
  EXPECT_EQ(view->GetSortColumn(), 1);
  ASSERT_GE(percents.size(), 2u);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()) && percents.front() == 0 && percents.back() == 100);
  EXPECT_FALSE(view->Data()->GetHeaderClickDirection());  // flipped once only

  view->OnPercentDone = [&](TObject*, int p) {
    if (p == 0) view->UnSort();
  };
  EXPECT_FALSE(view->Sort(1, -1, true));
  EXPECT_EQ(view->GetSortColumn(), -1);
  EXPECT_EQ(Column(1), "bdaec");
  view->OnPercentDone = nullptr;
  ClickHeader(2);  // usable: ascending now
  EXPECT_EQ(Column(2), "12345");
  EXPECT_EQ(view->GetSortColumn(), 2);
}

// A filtered list whose sort is stopped by UnSort keeps the unfiltered order
// UnSort gave it: clearing the filter shows the stored order.
TEST_F(ListSortTest, AStoppedSortOfAFilteredListKeepsTheStoredOrder) {
  EXPECT_EQ(view->FilterAndSort("a", {}, false, fmSimple, -1, true), 1);
  EXPECT_EQ(Column(1), "abdec");
  view->OnPercentDone = [&](TObject*, int p) {
    if (p == 0) view->UnSort();
  };
  EXPECT_FALSE(view->Sort(1, -1, false));
  view->OnPercentDone = nullptr;
  EXPECT_EQ(Column(1), "abdec");
  view->FilterAndSort("", {}, false, fmSimple, -1, true);
  EXPECT_EQ(Column(1), "bdaec");
}
