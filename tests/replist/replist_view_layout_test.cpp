// TReportListView: construction, the grid/data mapping, header rows,
// settings and their events, row operations, Assign and running out of memory.
#include <climits>
#include <functional>

#include "ReportListViewTestUtil.h"
#include "platform/rtl/StringList.h"

using namespace qel;
using namespace qel::test;

namespace {
// The grid's own top row, under the view's data-numbered one.
int GridTop(TReportListView* v) { return static_cast<TCustomGrid*>(v)->GetTopRow(); }
}  // namespace

TEST_F(ListViewTest, NewViewHasFiveColumnsFourRowsAndTheInitialSettings) {
  EXPECT_EQ(view->GetNrCols(), 5);
  EXPECT_EQ(view->GetNrRows(), 4);
  EXPECT_EQ(view->GetColName(5), "C-5");
  EXPECT_EQ(view->GetColCount(), 5);
  EXPECT_EQ(view->GetRowCount(), 5);
  EXPECT_EQ(view->GetFixedRows(), 1);
  EXPECT_EQ(view->GetFixedCols(), 0);
  EXPECT_EQ(view->GetRowHeights(0), 20);
  EXPECT_EQ(view->GetRowHeights(1), view->GetDefaultRowHeight());
  EXPECT_EQ(view->GetTopRow(), 1);
  EXPECT_EQ(view->GetLeftCol(), 1);
  EXPECT_FALSE(view->GetDefaultDrawing());
  EXPECT_TRUE(view->GetDoubleBuffered());
  EXPECT_EQ(view->GetOptions(),
            (TGridOptions{goFixedVertLine, goFixedHorzLine, goColSizing, goRowSelect, goThumbTracking}));
  EXPECT_EQ(view->GetCommonHeader(), "QEL Report Listview");
  EXPECT_EQ(view->GetCommonHeaderAlignment(), taCenter);
  EXPECT_FALSE(view->GetCommonHeaderVisible());
  EXPECT_TRUE(view->GetColumnHeadersVisible());
  EXPECT_EQ(view->GetColorText(), TColor(0x002000));
  EXPECT_EQ(view->GetColorBkgdShaded(), TColor(0xF0EFE8));
  EXPECT_EQ(view->GetColorColumnHd(), clBtnFace);
  EXPECT_EQ(view->GetColorHigh(), TColor(0xCC9966));
  EXPECT_EQ(view->GetColorSelectedRow(), TColor(0x94BAED));
  EXPECT_EQ(view->GetColorSelectedRowText(), TColor(0x800000));
  EXPECT_EQ(view->GetColorDisabledText(), TColor(0xC0C0C0));
  EXPECT_EQ(view->GetInterRowIndicatorColor(), TColor(0x0000FF));
  EXPECT_EQ(view->GetInterRowIndicatorWidth(), 3);
  EXPECT_EQ(view->GetRowColPattern(), 1);
  EXPECT_EQ(view->GetRowSelectMode(), 1);
  EXPECT_TRUE(view->GetShowEmptyCheckBoxes());
  EXPECT_TRUE(view->GetUseCtrlForMultiSel());
  EXPECT_TRUE(view->GetSortEnabled());
  EXPECT_FALSE(view->GetSuppressPaint());
  // The first row is shaded, the second white.
  auto cells = Render();
  EXPECT_EQ(cells.at({1, 1}).brush, TColor(0xF0EFE8));
  EXPECT_EQ(cells.at({1, 2}).brush, TColor(0xFFFFFF));
  EXPECT_EQ(cells.at({5, 4}).font, TColor(0x002000));
  EXPECT_EQ(Pixel(Cell(1, 1).Left + 30, Cell(1, 1).Top + 3), TColor(0xF0EFE8));
  EXPECT_EQ(Pixel(Cell(1, 2).Left + 30, Cell(1, 2).Top + 3), TColor(0xFFFFFF));
}

TEST_F(ListViewTest, HeaderHeightsClampAndFollowTheVisibleHeaders) {
  int changes = 0;
  view->OnChange = [&](TObject* s) { EXPECT_EQ(s, view); ++changes; };
  view->SetCommonHeaderHeight(3);
  EXPECT_EQ(view->GetCommonHeaderHeight(), 8);
  view->SetCommonHeaderHeight(500);
  EXPECT_EQ(view->GetCommonHeaderHeight(), 127);
  view->SetColumnHeadersHeight(7);
  EXPECT_EQ(view->GetColumnHeadersHeight(), 8);
  view->SetColumnHeadersHeight(30);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(view->GetRowHeights(0), 30);  // the column headers are row 0

  view->SetCommonHeaderHeight(40);
  view->SetCommonHeaderVisible(true);
  EXPECT_EQ(view->CountHeadRows(), 2);
  EXPECT_EQ(view->GetFixedRows(), 2);
  EXPECT_EQ(view->GetRowCount(), 6);
  EXPECT_EQ(view->GetRowHeights(0), 40);
  EXPECT_EQ(view->GetRowHeights(1), 30);
  EXPECT_EQ(view->GetRowHeights(2), view->GetDefaultRowHeight());
  // The column header row keeps its height for lists of one row and none.
  view->SetNrRows(1);
  EXPECT_EQ(view->GetRowHeights(1), 30);
  view->SetNrRows(0);
  EXPECT_EQ(view->GetRowCount(), 3);
  EXPECT_EQ(view->GetRowHeights(1), 30);
  view->SetDefaultRowHeight(18);
  EXPECT_EQ(view->GetRowHeights(0), 40);
  EXPECT_EQ(view->GetRowHeights(1), 30);
  EXPECT_EQ(view->GetRowHeights(2), 18);
  view->SetNrRows(4);

  // Only the common header: it is row 0, row 1 is data again.
  view->SetColumnHeadersVisible(false);
  EXPECT_EQ(view->GetFixedRows(), 1);
  EXPECT_EQ(view->GetRowHeights(0), 40);
  EXPECT_EQ(view->GetRowHeights(1), 18);
  view->SetCommonHeaderVisible(false);
  EXPECT_EQ(view->GetFixedRows(), 0);
  EXPECT_EQ(view->GetRowCount(), 4);
  EXPECT_EQ(view->GetRowHeights(0), 18);
  changes = 0;
  view->SetCommonHeaderVisible(false);  // unchanged: nothing happens
  EXPECT_EQ(changes, 0);
}

TEST_F(ListViewTest, TopRowAndLeftColAreInDataNumberingForEveryHeaderCount) {
  view->SetBounds(10, 10, 200, 120);
  view->SetNrRows(100);
  view->SetNrCols(8);
  for (int heads = 0; heads <= 2; ++heads) {
    view->SetColumnHeadersVisible(heads >= 1);
    view->SetCommonHeaderVisible(heads == 2);
    ASSERT_EQ(view->GetFixedRows(), heads);
    view->SetTopRow(10);
    EXPECT_EQ(view->GetTopRow(), 10) << heads;
    EXPECT_EQ(GridTop(view), 10 + heads - 1) << heads;
    view->SetTopRow(0);
    EXPECT_EQ(view->GetTopRow(), 1) << heads;
    view->SetTopRow(INT_MAX);  // far beyond the end, without wrapping round
    EXPECT_EQ(view->GetTopRow(), 100) << heads;
    view->SetTopRow(INT_MIN);
    EXPECT_EQ(view->GetTopRow(), 1) << heads;
  }
  view->SetLeftCol(0);
  EXPECT_EQ(view->GetLeftCol(), 1);
  view->SetLeftCol(99);
  EXPECT_EQ(view->GetLeftCol(), 8);
  view->SetFixedFirstColumn(true);
  EXPECT_EQ(view->GetFixedCols(), 1);
  view->SetLeftCol(1);
  EXPECT_EQ(view->GetLeftCol(), 2);
  view->SetFixedFirstColumn(false);
  EXPECT_EQ(view->GetFixedCols(), 0);
  // An empty list keeps one (empty) data row in the grid, and its top.
  view->SetNrRows(0);
  EXPECT_EQ(view->GetRowCount(), view->GetFixedRows() + 1);
  view->SetTopRow(5);
  EXPECT_EQ(view->GetTopRow(), 1);
}

TEST_F(ListViewTest, SettingsFireTheirEventsWhenTheDescriptionSaysSo) {
  int setup = 0, change = 0;
  view->OnChangeSetup = [&](TObject* s) { EXPECT_EQ(s, view); ++setup; };
  view->OnChange = [&](TObject*) { ++change; };
  view->SetColorText(0x123456);
  view->SetColorText(0x123456);  // colours report even an unchanged value
  EXPECT_EQ(setup, 2);
  view->SetColorEmptyMsg(clBlack);  // unchanged: silent
  view->SetEmptyMessage("");
  EXPECT_EQ(setup, 2);
  view->SetColorEmptyMsg(clRed);
  view->SetEmptyMessage("none");
  view->SetHighLightRow(2);
  view->SetDefaultColWidth(50);
  view->SetColWidths(0, 50);  // no such column: nothing changes, still reported
  EXPECT_EQ(setup, 7);
  EXPECT_EQ(view->GetColWidths(1), 50);
  EXPECT_EQ(view->GetColWidths(0), 0);
  EXPECT_EQ(change, 0);
  view->SetCommonHeader("Title");
  view->SetCommonHeaderAlignment(taCenter);  // unchanged
  view->SetCommonHeaderAlignment(taLeftJustify);
  view->SetFixedFirstColumn(true);
  view->SetColName(2, "Name");
  view->SetColName(9, "None");  // no such column: no event
  view->SetElem(1, 1, "x");     // the storage reports the change
  EXPECT_EQ(change, 5);
  EXPECT_EQ(view->GetCommonHeader(), "Title");
  view->SetFixedColor(clYellow);
  EXPECT_EQ(view->GetColorColumnHd(), clYellow);
}

TEST_F(ListViewTest, RowOperationsKeepTheGridRowCountInStep) {
  int setup = 0;
  view->OnChangeSetup = [&](TObject*) { ++setup; };
  auto inStep = [&] { return view->GetRowCount() == view->GetFixedRows() + std::max(view->GetNrRows(), 1); };
  EXPECT_EQ(view->AddRow(), 5);
  EXPECT_TRUE(inStep());
  view->SetElem(1, 5, "last");
  EXPECT_EQ(view->InsertRow(view->GetNrRows() + 5), 6);  // appended
  EXPECT_EQ(view->GetElem(1, 5), "last");
  EXPECT_EQ(view->InsertRow(0), 0);
  EXPECT_EQ(view->GetNrRows(), 6);
  EXPECT_EQ(view->InsertRow(5), 5);
  EXPECT_EQ(view->GetElem(1, 5), "");
  EXPECT_EQ(view->GetElem(1, 6), "last");
  EXPECT_TRUE(inStep());
  view->RemoveRow(6);
  view->RemoveRow(0);
  view->RemoveRow(99);
  EXPECT_EQ(view->GetNrRows(), 6);
  EXPECT_TRUE(inStep());
  EXPECT_GT(setup, 0);

  // Inserting forgets the sort columns but moves no row.
  TRLData* d = view->Data();
  for (int r = 1; r <= 6; ++r) view->SetElem(1, r, std::string(1, char('f' - r + 1)));
  d->Sort(1, 2, true);
  ASSERT_EQ(view->GetElem(1, 1), "a");
  view->InsertRow(2);
  EXPECT_EQ(view->GetSortColumn(), -1);
  EXPECT_EQ(view->GetSortColumnSec(), -1);
  EXPECT_EQ(view->GetElem(1, 1), "a");
  EXPECT_EQ(view->GetElem(1, 3), "b");
  d->UnSort();
  EXPECT_EQ(view->GetElem(1, 1), "a");  // the inserted order is the stored one now
  view->SetElem(1, 1, "z");
  d->Sort(1, -1, true);
  ASSERT_EQ(view->GetElem(1, 7), "z");
  EXPECT_EQ(view->InsertRow(99), 8);  // appending moves no row either
  EXPECT_EQ(view->GetElem(1, 7), "z");
  EXPECT_EQ(view->GetSortColumn(), -1);

  // Rows holding only check marks count as empty; the hidden column does not.
  view->SetNrRows(3);
  view->Fill("");
  view->SetColCheckMode(2, cmBox);
  view->SetElemChecked(2, 1, true);
  view->SetElem(0, 2, "hidden");
  view->RemoveEmptyRows();
  EXPECT_EQ(view->GetNrRows(), 1);
  EXPECT_EQ(view->GetElem(0, 1), "hidden");
  EXPECT_TRUE(inStep());
  // The last row goes: the list is empty, the grid keeps one empty data row.
  view->RemoveRow(1);
  EXPECT_EQ(view->GetNrRows(), 0);
  EXPECT_EQ(view->GetRowCount(), view->GetFixedRows() + 1);
  EXPECT_EQ(view->GetElem(0, 1), "");
  EXPECT_EQ(view->AddRow(), 1);
  EXPECT_EQ(view->GetElem(0, 1), "");
}

TEST_F(ListViewTest, ColumnCountKeepsTheLastWidthAndGrowsTheColumnSettings) {
  view->SetColWidths(5, 77);
  view->SetNrCols(8);
  EXPECT_EQ(view->GetColCount(), 8);
  EXPECT_EQ(view->GetColWidths(8), 77);
  EXPECT_EQ(view->GetColWidths(6), view->GetDefaultColWidth());
  view->SetColAlignment(8, taRightJustify);
  EXPECT_EQ(view->GetColAlignment(8), taRightJustify);
  view->SetNrCols(3);
  EXPECT_EQ(view->GetColWidths(3), 77);
  view->SetNrCols(8);
  EXPECT_EQ(view->GetColAlignment(8), taLeftJustify);  // a new column starts plain
  view->SetFixedFirstColumn(true);
  view->SetNrCols(0);  // one column has no room for a fixed one
  EXPECT_EQ(view->GetNrCols(), 1);
  EXPECT_EQ(view->GetFixedCols(), 0);
  view->SetNrCols(2);
  EXPECT_EQ(view->GetFixedCols(), 1);
}

TEST_F(ListViewTest, AssignCopiesTheListedSettingsAndTheData) {
  auto* src = new TReportListView(&form);
  src->SetNrCols(3);
  src->SetNrRows(7);
  src->SetElem(2, 7, "seven");
  src->SetColAlignment(3, taRightJustify);
  src->SetColumnIsPwd(2, true);
  src->SetColumnEditable(1, true);
  src->SetColorHigh(0x010203);
  src->SetHighLightRow(4);
  src->SetCommonHeaderVisible(true);
  src->SetCommonHeaderHeight(50);  // heights are not copied
  src->SetFixedFirstColumn(true);
  src->SetInterRowIndi(3);
  src->SetRowSelectMode(2);
  src->SetEmptyMessage("not copied");
  src->SetUseCtrlForMultiSel(false);
  src->SetROCheckmarks(true);
  src->SetColorDisabledText(0x111111);
  int sorts = 0;
  TObject* sortSender = nullptr;
  src->OnBeforeSortExchange = [&](TObject* s, const std::string&, std::string&) { ++sorts, sortSender = s; };

  view->Assign(src);
  EXPECT_EQ(view->GetNrCols(), 3);
  EXPECT_EQ(view->GetNrRows(), 7);
  EXPECT_EQ(view->GetColCount(), 3);
  EXPECT_EQ(view->GetRowCount(), 9);
  EXPECT_EQ(view->GetFixedRows(), 2);
  EXPECT_EQ(view->GetFixedCols(), 1);
  EXPECT_EQ(view->GetElem(2, 7), "seven");
  EXPECT_EQ(view->GetColAlignment(3), taRightJustify);
  EXPECT_TRUE(view->GetColumnIsPwd(2));
  EXPECT_TRUE(view->GetColumnEditable(1));
  EXPECT_EQ(view->GetColorHigh(), TColor(0x010203));
  EXPECT_EQ(view->GetHighLightRow(), 4);
  EXPECT_EQ(view->GetInterRowIndi(), 3);
  EXPECT_EQ(view->GetRowSelectMode(), 2);
  EXPECT_EQ(view->GetCommonHeaderHeight(), 20);
  EXPECT_EQ(view->GetRowHeights(0), 20);
  EXPECT_EQ(view->GetEmptyMessage(), "");
  EXPECT_TRUE(view->GetUseCtrlForMultiSel());
  EXPECT_FALSE(view->GetROCheckmarks());
  EXPECT_EQ(view->GetColorDisabledText(), TColor(0xC0C0C0));
  // The copied handler hears this view's data, with this view as sender.
  view->Data()->Sort(2, -1, false);
  EXPECT_GT(sorts, 0);
  EXPECT_EQ(sortSender, view);
  // The copy is a copy: changing it leaves the source alone.
  view->SetElem(2, 7, "changed");
  EXPECT_EQ(src->GetElem(2, 7), "seven");
  view->SetElem(1, 1, "still painting");
  EXPECT_FALSE(view->GetSuppressPaint());

  TStringList other;
  EXPECT_THROW(view->Assign(&other), EConvertError);
  auto* copy = new TReportListView(&form);
  src->AssignTo(copy);
  EXPECT_EQ(copy->GetElem(2, 7), "seven");
}

TEST_F(ListViewTest, OutOfMemoryRaisesTheViewsMessageAndLeavesItUsable) {
  // Whichever allocation of the construction fails, the view reports it:
  // those of its data and that of its own column settings.
  auto failurePoints = [](const std::function<void()>& Make) {
    int points = 0;
    for (int after = 0; after < 50; ++after, ++points) {
      FailNextAllocations(1, after);
      try {
        Make();
        break;
      } catch (const EQELRepListError& e) {
        EXPECT_STREQ(e.what(), "Component \"\": failed to initialize table editor (out of memory)");
      } catch (const EQELError&) {
      }
    }
    FailNextAllocations(0);
    return points;
  };
  const int dataPoints = failurePoints([] {
    TRLData d(nullptr);
    d.SetNrCols(5);
    d.SetNrRows(4);
  });
  EXPECT_EQ(failurePoints([this] { EXPECT_EQ((new TReportListView(&form))->GetNrCols(), 5); }), dataPoints + 1);

  view->SetElem(1, 1, "kept");
  FailNextAllocations(1);
  try {
    view->SetNrCols(50);
    ADD_FAILURE() << "no error";
  } catch (const EQELRepListError& e) {
    EXPECT_STREQ(e.what(), "Component \"List\": not enough memory on heap");
  }
  EXPECT_EQ(view->GetNrCols(), 5);
  EXPECT_EQ(view->GetColCount(), 5);
  view->SetNrCols(50);
  view->SetColumnIsPwd(50, true);
  EXPECT_TRUE(view->GetColumnIsPwd(50));

  auto* src = new TReportListView(&form);
  FailNextAllocations(1);
  EXPECT_THROW(view->Assign(src), EQELRepListError);
  EXPECT_EQ(view->GetNrCols(), 50);
  EXPECT_EQ(view->GetElem(1, 1), "kept");
  EXPECT_FALSE(view->GetSuppressPaint());
}

TEST_F(ListViewTest, DataNotificationsReachTheViewsEventsWithTheViewAsSender) {
  std::vector<int> percents;
  view->OnPercentDone = [&](TObject* s, int p) {
    EXPECT_EQ(s, view);
    percents.push_back(p);
  };
  view->Fill("x");
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);
  int exchanges = 0;
  view->OnBeforeSortExchange = [&](TObject* s, const std::string&, std::string&) {
    EXPECT_EQ(s, view);
    ++exchanges;
  };
  for (int r = 1; r <= 4; ++r) view->SetElem(1, r, std::to_string(5 - r));
  view->Data()->Sort(1, -1, true);
  EXPECT_GT(exchanges, 0);
  EXPECT_FALSE(view->GetSuppressPaint());
}
