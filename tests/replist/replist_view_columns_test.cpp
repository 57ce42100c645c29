// TReportListView columns: settings per column, automatic widths, bulk
// check marks and Clear.
#include "ReportListViewTestUtil.h"
#include "platform/rtl/Utf8.h"

using namespace qel;
using namespace qel::test;

namespace {
// Widths as the canvas measures them in the view's font.
struct Measure {
  TBitmap bitmap{4, 4};
  explicit Measure(TFont* font) { bitmap.Canvas()->Font()->Assign(font); }
  int operator()(const std::string& s) { return bitmap.Canvas()->TextWidth(s); }
};
}  // namespace

TEST_F(ListViewTest, MaxColWidthMeasuresCellsChecksItalicsAndTheHeader) {
  Measure w(view->GetFont());
  EXPECT_EQ(view->DetermineMaxColWidth(0, true), 9);
  EXPECT_EQ(view->DetermineMaxColWidth(6, false), 9);
  EXPECT_EQ(view->DetermineMaxColWidth(1, false), 9);  // empty cells
  view->SetElem(1, 1, "short");
  view->SetElem(1, 3, "a little longer");
  view->SetElem(1, 4, "Ünïcödé ßtraße €");
  const int widest = std::max(w("a little longer"), w("Ünïcödé ßtraße €"));
  EXPECT_EQ(view->DetermineMaxColWidth(1, false), widest + 9);
  // A check column: the text without its mark, plus the box.
  view->SetColCheckMode(2, cmBox);
  EXPECT_EQ(view->DetermineMaxColWidth(2, false), 16 + 9);  // empty boxes still need room
  view->SetElem(2, 2, "ticked");
  view->SetElemChecked(2, 2, true);
  EXPECT_EQ(view->DetermineMaxColWidth(2, false), w("ticked") + 16 + 9);
  view->SetColCheckMode(2, cmRadio);  // a radio button takes the same room
  EXPECT_EQ(view->DetermineMaxColWidth(2, false), w("ticked") + 16 + 9);
  // The header's widest line, with room for the sort arrow.
  view->SetColName(2, "A much longer name\nx");
  EXPECT_EQ(view->DetermineMaxColWidth(2, true), w("A much longer name") + 9);
  view->Data()->Sort(2, -1, true);
  EXPECT_EQ(view->DetermineMaxColWidth(2, true), w("A much longer name") + 13 + 9);
  // An italic font measures 2 pixels wider, cells and header alike.
  view->GetFont()->SetStyle({fsItalic});
  Measure wi(view->GetFont());
  EXPECT_EQ(view->DetermineMaxColWidth(2, false), wi("ticked") + 16 + 2 + 9);
  EXPECT_EQ(view->DetermineMaxColWidth(2, true), wi("A much longer name") + 13 + 2 + 9);
  EXPECT_EQ(view->DetermineMaxColWidth(1, false), std::max(wi("a little longer"), wi("Ünïcödé ßtraße €")) + 2 + 9);
}

TEST_F(ListViewTest, AutoExpandAndFitSetColumnWidths) {
  Measure w(view->GetFont());
  int setup = 0;
  view->OnChangeSetup = [&](TObject*) { ++setup; };
  view->AutoColWidth(3, false, 0);
  EXPECT_EQ(view->GetColWidths(3), 9);
  view->AutoColWidth(3, false, -100);
  EXPECT_EQ(view->GetColWidths(3), 4);
  view->SetElem(3, 1, "some text in here");
  view->AutoColWidth(3, false, 5);
  EXPECT_EQ(view->GetColWidths(3), w("some text in here") + 9 + 5);
  view->AutoColWidth(3, false, 5, 40);
  EXPECT_EQ(view->GetColWidths(3), 40);
  EXPECT_EQ(setup, 4);

  // The expanded column takes the rest of the client width.
  for (int c = 1; c <= 5; ++c) view->SetColWidths(c, 50);
  setup = 0;
  view->ExpandColWidth(2, 10);
  EXPECT_EQ(view->GetColWidths(2), 400 - 10 - 4 * 50);
  view->SetColWidths(1, 300);
  view->ExpandColWidth(2, 0);  // nothing left: the floor
  EXPECT_EQ(view->GetColWidths(2), 16);
  view->SetColWidths(1, 400 - 3 * 50 - 15);
  view->ExpandColWidth(2, 0);  // 15 left is below the floor too
  EXPECT_EQ(view->GetColWidths(2), 16);
  view->SetColWidths(1, 400 - 3 * 50 - 17);
  view->ExpandColWidth(2, 0);
  EXPECT_EQ(view->GetColWidths(2), 17);
  view->ExpandColWidth(0, 0);  // no such column: reported all the same
  EXPECT_EQ(setup, 8);

  view->SetElem(1, 2, "wide wide wide wide text");
  view->FitAllColWidths(5, false, 2, 130, 4);
  const int w3 = w("some text in here") + 9 + 2;
  ASSERT_LT(w3, 130);
  EXPECT_EQ(view->GetColWidths(1), 130);
  EXPECT_EQ(view->GetColWidths(3), w3);
  EXPECT_EQ(view->GetColWidths(4), 11);
  EXPECT_EQ(view->GetColWidths(5), std::max(400 - 4 - 130 - 11 - w3 - 11, 16));
  EXPECT_FALSE(view->GetSuppressPaint());
}

TEST_F(ListViewTest, ColumnSettingsStayInRangeAndClearResetsThem) {
  int change = 0;
  view->OnChange = [&](TObject*) { ++change; };
  view->SetColAlignment(2, taRightJustify);
  view->SetColAlignment(2, taRightJustify);  // unchanged: no event
  view->SetColumnIsPwd(3, true);
  view->SetColumnEditable(4, true);  // no event
  view->SetColumnFormat(1, "[i][80]rix4");
  view->SetColCheckMode(5, cmRadio);
  EXPECT_EQ(change, 4);
  view->SetColAlignment(0, taCenter);
  view->SetColAlignment(6, taCenter);
  view->SetColumnIsPwd(6, true);
  view->SetColumnEditable(0, true);
  EXPECT_EQ(change, 4);
  EXPECT_EQ(view->GetColAlignment(6), taLeftJustify);
  EXPECT_FALSE(view->GetColumnEditable(0));
  EXPECT_TRUE(view->GetColumnEditable(4));
  EXPECT_EQ(view->GetColumnFormat(1), "[i][80]rix4");
  EXPECT_EQ(view->GetCellDefaultValue(1, 7), "0007");
  EXPECT_EQ(view->GetColCheckMode(5), cmRadio);
  EXPECT_EQ(view->ColumnIndex("c-", true), 5);

  view->SetColName(1, "Renamed");
  view->SetElem(1, 1, "gone");
  view->Clear();
  for (int c = 1; c <= 5; ++c) {
    EXPECT_EQ(view->GetColAlignment(c), taLeftJustify) << c;
    EXPECT_FALSE(view->GetColumnIsPwd(c)) << c;
    EXPECT_FALSE(view->GetColumnEditable(c)) << c;
    EXPECT_EQ(view->GetColName(c), "C-" + std::to_string(c));
    EXPECT_EQ(view->GetColCheckMode(c), cmNone);
  }
  EXPECT_EQ(view->GetElem(1, 1), "");
  EXPECT_EQ(view->GetNrRows(), 4);
}

TEST_F(ListViewTest, BulkCheckMarksChangeBoxColumnsOnlyAndPaintOnce) {
  view->SetColCheckMode(1, cmBox);
  view->SetColCheckMode(2, cmRadio);
  int paints = 0;
  view->OnDrawCell = [&](TObject*, int c, int r, TRect, TGridDrawState) { paints += c == 0 && r == 1; };
  view->SetAllCheckmarksOfCol(1, true);
  EXPECT_EQ(view->CountCheckedElemsInCol(1), 4);
  EXPECT_EQ(paints, 1);
  view->SetElemChecked(1, 2, false);
  view->InvertAllCheckmarksOfCol(1);
  EXPECT_EQ(view->FirstCheckedElemInCol(1), 2);
  view->SetAllCheckmarksOfCol(2, true);  // not a box column
  view->InvertAllCheckmarksOfCol(2);
  EXPECT_EQ(view->CountCheckedElemsInCol(2), 0);
  view->SetElemChecked(2, 3, true);
  view->SetElemChecked(2, 99, true);  // no such row: the radio column keeps its mark
  EXPECT_EQ(view->FirstCheckedElemInCol(2), 3);
  EXPECT_EQ(view->CountCheckedElemsInRow(2), 1);
  EXPECT_EQ(view->FirstCheckedElemInRow(3), 2);
}
