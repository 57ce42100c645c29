// The table editor with each allocation of its construction and of every
// operation that sizes its table failing in turn: the error names the
// operation (or, inserting and removing lines, is the containers' own) or
// says the heap ran out, the data stays, the editor paints and
// takes the next change.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../ntabed/NTabEdTestUtil.h"
#include "AllocationSweep.h"

using namespace qel;
using namespace qel::test;

namespace {

const char* const kHeap = "Component \"Ed\": not enough memory on heap";

struct Op {
  const char* what;  // the operation a failed table resize names
  int minPoints;     // allocations it makes at least
  std::function<void(TNTabEd*)> run;
};

}  // namespace

TEST(NTabEdAllocationFailures, EveryResizeReportsAndLeavesTheEditorUsable) {
  const Op ops[] = {{"TNTabEd.NrOfColumns", 2, [](TNTabEd* e) { e->SetNrOfColumns(7); }},
                    {"TNTabEd.NrOfRows", 1, [](TNTabEd* e) { e->SetNrOfRows(9); }},
                    {"TNTabEd.Redimension", 2, [](TNTabEd* e) { e->Redimension(6, 8); }},
                    {"", 1, [](TNTabEd* e) { e->InsertRow(2); }},
                    {"", 1, [](TNTabEd* e) { e->InsertColumn(2); }},
                    {"", 1, [](TNTabEd* e) { e->RemoveRow(1); }},
                    {"", 1, [](TNTabEd* e) { e->RemoveColumn(1); }}};
  for (const Op& op : ops) {
    SCOPED_TRACE(op.what);
    EditorFixture f;
    TNTabEd* e = f.ed;
    e->SetName("Ed");
    e->SetElem(3, 4, 34.5);
    e->SetDecPlaces(3, 1);
    const int cols = e->GetNrOfColumns(), rows = e->GetNrOfRows();
    int points = SweepAllocationFailures([&] { op.run(e); }, [&](int, const std::exception* raised) {
      ASSERT_NE(raised, nullptr) << "a failure was swallowed";
      const std::string text = raised->what();
      const bool heap = text == kHeap;
      if (!heap && *op.what) {
        EXPECT_NE(dynamic_cast<const EQELError*>(raised), nullptr) << text;
        EXPECT_NE(text.find(op.what), std::string::npos) << text;
      } else if (!heap) {  // lines inserted or removed: the containers' own error
        EXPECT_NE(dynamic_cast<const EOutOfMemory*>(raised), nullptr) << text;
      }
      if (!heap) {  // the table did not change: neither did the editor
        EXPECT_EQ(e->GetNrOfColumns(), cols);
        EXPECT_EQ(e->GetNrOfRows(), rows);
        EXPECT_EQ(e->GetElem(3, 4), 34.5);
      }
      EXPECT_EQ(e->GetColCount(), e->GetNrOfColumns() + 2);
      EXPECT_EQ(e->GetRowCount(), e->GetNrOfRows() + 1);
      EXPECT_FALSE(e->GetSuppressPaint());
      f.ed->drawn = 0;
      f.Shot();
      EXPECT_GT(f.ed->drawn, 0);
      // Back to the starting point for the next attempt.
      e->Redimension(cols, rows);
      e->SetElem(3, 4, 34.5);
    });
    EXPECT_GE(points, op.minPoints);
    f.notes = {};
    e->SetNrOfColumns(e->GetNrOfColumns() + 1);  // the next change goes through and notifies
    EXPECT_EQ(f.notes.setup, 1);
  }
}

TEST(NTabEdAllocationFailures, EachFailureOfTheConstructionRaisesTheMessageAndLeaksNothing) {
  TForm form(nullptr);
  int points = SweepAllocationFailures([&] { new TNTabEd(&form); }, [&](int, const std::exception* raised) {
    ASSERT_NE(raised, nullptr);
    EXPECT_NE(dynamic_cast<const EQELNTabedError*>(raised), nullptr) << raised->what();
    EXPECT_STREQ(raised->what(), "Component \"\": failed to initialize table editor (out of memory)");
    EXPECT_EQ(form.ComponentCount(), 0);
  });
  EXPECT_GE(points, 2) << "the table and the precisions both allocate";
  ASSERT_EQ(form.ComponentCount(), 1);  // the run that went through
}
