// The report list view and its data with each allocation of a resize, a
// row insertion and an Assign failing in turn: the message is the view's or
// the data's, the cells and sizes stay, the view paints what it held and
// takes the next change.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../platform/graphics/canvas_test_util.h"
#include "../replist/ReportListViewTestUtil.h"
#include "AllocationSweep.h"

using namespace qel;
using namespace qel::test;

namespace {

const char* const kViewHeap = "Component \"List\": not enough memory on heap";


}  // namespace

TEST_F(ListViewTest, EveryAllocationFailureOfAChangeLeavesTheViewAsItWas) {
  view->SetNrCols(3);
  view->SetNrRows(4);
  view->SetElem(2, 3, "kept");
  view->SetColumnIsPwd(3, true);
  view->Sort(1, -1, true);  // sorted rows must stay sorted through a failure
  auto* source = new TReportListView(&form);
  source->SetNrCols(6);
  source->SetNrRows(7);
  source->SetElem(6, 7, "source");
  struct Op {
    const char* name;
    std::function<void()> run;
  };
  const Op ops[] = {{"SetNrCols", [&] { view->SetNrCols(9); }},
                    {"SetNrRows", [&] { view->SetNrRows(40); }},
                    {"AddRow", [&] { view->AddRow(); }},
                    {"InsertRow", [&] { view->InsertRow(2); }},
                    {"Assign", [&] { view->Assign(source); }}};
  for (const Op& op : ops) {
    SCOPED_TRACE(op.name);
    view->Invalidate();
    Application->ProcessMessages();
    const std::vector<uint32_t> shown = test::PixelsOf(*robot.Capture(view));
    int points = SweepAllocationFailures(op.run, [&](int, const std::exception* raised) {
      ASSERT_NE(raised, nullptr) << "a failure was swallowed";
      const std::string text = raised->what();
      // The view's or the data's out-of-memory message, a data resize naming
      // itself, or the storage's own error (rows inserted).
      const bool known = text == kViewHeap || text.ends_with("\": not enough memory on heap") ||
                         text.find("TRLData.NrOf") != std::string::npos ||
                         dynamic_cast<const EOutOfMemory*>(raised);
      EXPECT_TRUE(known) << text;
      EXPECT_EQ(view->GetNrCols(), 3);
      EXPECT_EQ(view->GetNrRows(), 4);
      EXPECT_EQ(view->GetColCount(), 3);
      EXPECT_EQ(view->GetElem(2, 3), "kept");
      EXPECT_TRUE(view->GetColumnIsPwd(3));
      EXPECT_FALSE(view->GetSuppressPaint());
      view->Invalidate();
      Application->ProcessMessages();
      EXPECT_EQ(test::PixelsOf(*robot.Capture(view)), shown);
    });
    EXPECT_GT(points, 0);
    // The run that went through changed the view: back for the next one.
    view->SetNrCols(3);
    view->SetNrRows(4);
    view->SetElem(2, 3, "kept");
    view->SetColumnIsPwd(3, true);
  }
}

// Assign builds the copy aside: whichever allocation fails, the list keeps
// its cells, sizes, names and sort order.
TEST(RLDataAllocationFailures, FailedAssignKeepsTheListWhole) {
  TRLData d(nullptr);
  d.SetName("List1");
  d.SetNrCols(2);
  d.SetNrRows(3);
  const char* words[] = {"c", "a", "b"};
  for (int r = 1; r <= 3; ++r) d.SetElem(1, r, words[r - 1]);
  d.SetColName(2, "second");
  d.Sort(1, -1, true);
  TRLData src(nullptr);
  src.SetNrCols(7);
  src.SetNrRows(9);
  src.SetElem(7, 9, "source");
  auto shown = [&] {
    std::string s;
    for (int r = 1; r <= d.GetNrOfRows(); ++r) s += d.GetElem(1, r) + " ";
    return s;
  };
  int points = SweepAllocationFailures([&] { d.Assign(&src); }, [&](int, const std::exception* raised) {
    ASSERT_NE(raised, nullptr);
    const std::string text = raised->what();
    EXPECT_TRUE(dynamic_cast<const EQELError*>(raised) || dynamic_cast<const EOutOfMemory*>(raised)) << text;
    EXPECT_EQ(d.GetNrOfColumns(), 2);
    EXPECT_EQ(d.GetNrOfRows(), 3);
    EXPECT_EQ(shown(), "a b c ");
    EXPECT_EQ(d.GetColName(2), "second");
    EXPECT_EQ(d.Storage()->GetNrOfRows(), 3);
  });
  EXPECT_GT(points, 1);
  EXPECT_EQ(d.GetElem(7, 9), "source");
}

// Only a failure of the data itself takes the inserted row back: when a
// handler throws after the data grew, data and storage keep the new row.
TEST_F(ListViewTest, InsertedRowStaysWhenAHandlerThrowsAfterTheDataGrew) {
  view->SetNrCols(2);
  view->SetNrRows(3);
  view->SetElem(1, 2, "second");
  view->OnChangeSetup = [](TObject*) { throw EQELError("handler"); };
  try {
    view->InsertRow(2);
  } catch (const EQELError&) {
  }
  view->OnChangeSetup = nullptr;
  EXPECT_EQ(view->GetNrRows(), 4);
  EXPECT_EQ(view->Data()->Storage()->GetNrOfRows(), 4);
  EXPECT_EQ(view->GetElem(1, 2), "");
  EXPECT_EQ(view->GetElem(1, 3), "second");
}
