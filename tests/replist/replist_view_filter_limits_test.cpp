// TReportListView::FilterAndSort under hostile searches: a pattern that
// backtracks on every row gives up within the call's time budget, progress
// is reported and a handler can stop the search, long OR lists of words
// find what the words find one by one; every failure leaves the list as it
// was and able to filter again.
#include <string>
#include <vector>

#include "ReportListViewTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
class ListFilterLimitsTest : public ListViewTest {
 protected:
  void Fill(const std::vector<std::string>& Cells) {
    view->SetNrRows(int(Cells.size()));
    for (size_t r = 0; r < Cells.size(); ++r) view->SetElem(1, int(r) + 1, Cells[r]);
  }
  // Column 1 of the shown rows, joined by "|".
  std::string Shown() {
    std::string s;
    for (int r = 1; r <= view->ShownRows(); ++r) s += (r > 1 ? "|" : "") + view->GetElem(1, r);
    return s;
  }
  // The message of the EQELRepListError that Filter raises, "" when none.
  std::string FilterError(const std::string& Text, TFilterMode Mode) {
    try {
      view->FilterAndSort(Text, {}, false, Mode, -1, true);
    } catch (const EQELRepListError& e) {
      return e.what();
    }
    return "";
  }
  static bool Has(const std::string& S, const std::string& Part) { return S.find(Part) != std::string::npos; }
};
}  // namespace

TEST_F(ListFilterLimitsTest, APatternThatBacktracksOnEveryRowGivesUpAndLeavesTheListAsItWas) {
  // Each cell stays under the matcher's own limits; 2 000 of them would take seconds.
  std::vector<std::string> cells(2000, std::string(18, 'a') + "!");
  cells[0] = "bolt";
  Fill(cells);
  ASSERT_EQ(view->FilterAndSort("bolt", {}, false, fmSimple, -1, true), 1);
  const std::string error = FilterError("(a+)+$", fmGrep);
  EXPECT_TRUE(Has(error, "\"List\"")) << error;
  EXPECT_TRUE(Has(error, "\"(a+)+$\"")) << error;
  EXPECT_TRUE(Has(error, "more time")) << error;
  EXPECT_FALSE(view->Filtering());
  EXPECT_EQ(view->ShownRows(), 1);
  EXPECT_EQ(Shown(), "bolt");
  // Still usable: an honest search runs over every row.
  EXPECT_EQ(view->FilterAndSort("A!", {}, false, fmSimple, -1, true), 1999);
}

TEST_F(ListFilterLimitsTest, ProgressIsReportedAndAHandlerCanStopTheSearch) {
  std::vector<std::string> cells;
  for (int i = 0; i < 500; ++i) cells.push_back(i % 2 ? "odd" : "even");
  Fill(cells);
  ASSERT_EQ(view->FilterAndSort("odd", {}, false, fmSimple, -1, true), 250);
  std::vector<int> seen;
  view->OnPercentDone = [&](TObject* Sender, int Percent) {
    EXPECT_EQ(Sender, view);
    seen.push_back(Percent);
  };
  EXPECT_EQ(view->FilterAndSort("even", {}, false, fmSimple, -1, true), 250);
  ASSERT_EQ(seen.size(), 101u);
  for (int p = 0; p <= 100; ++p) EXPECT_EQ(seen[size_t(p)], p);

  // Stopped: the rows shown before stay shown; no 100 comes.
  seen.clear();
  view->OnPercentDone = [&](TObject*, int Percent) {
    seen.push_back(Percent);
    if (Percent == 30) view->StopFilter();
  };
  EXPECT_TRUE(Has(FilterError("odd", fmSimple), "stopped"));
  EXPECT_EQ(seen.back(), 30);
  EXPECT_FALSE(view->Filtering());
  EXPECT_EQ(view->ShownRows(), 250);
  EXPECT_EQ(view->GetElem(1, 1), "even");

  // A handler that starts another search or changes the rows ends this one.
  view->OnPercentDone = [&](TObject*, int Percent) {
    if (Percent == 10) view->FilterAndSort("odd", {}, false, fmSimple, -1, true);
  };
  EXPECT_TRUE(Has(FilterError("odd", fmSimple), "another filter is running"));
  view->OnPercentDone = [&](TObject*, int Percent) {
    if (Percent == 10) view->SetNrRows(20);
  };
  EXPECT_TRUE(Has(FilterError("odd", fmSimple), "the rows changed"));
  view->OnPercentDone = nullptr;
  EXPECT_EQ(view->GetNrRows(), 20);  // the first 20 as shown: all "even"
  EXPECT_EQ(view->FilterAndSort("odd", {}, false, fmSimple, -1, true), 0);
  view->StopFilter();  // nothing runs: no effect on the next search
  EXPECT_EQ(view->FilterAndSort("even", {}, false, fmSimple, -1, true), 20);
}

TEST_F(ListFilterLimitsTest, WordsJoinedByOrFindWhatTheyFindOneByOne) {
  Fill({"a.b", "axb", "c+", "cc", "[d]", "d", "\\e", "E", "Äpfel", "w12345x"});
  auto find = [&](const std::string& Query, bool MatchCase) {
    view->FilterAndSort(Query, {}, MatchCase, fmBoolean, -1, true);
    return Shown();
  };
  // Characters that mean something in a pattern mean themselves in a word.
  EXPECT_EQ(find("a.b OR c+ OR \"[d]\" OR \\e", false), "a.b|c+|[d]|\\e");
  EXPECT_EQ(find("a.b OR c+ OR \"[d]\" OR \\e", true), "a.b|c+|[d]|\\e");
  EXPECT_EQ(find("äPFEL OR E", false), "\\e|E|Äpfel");
  EXPECT_EQ(find("äPFEL OR E", true), "E");
  // OR lists beside other operators.
  EXPECT_EQ(find("(a OR c) AND NOT (x OR +)", false), "a.b|cc");
  EXPECT_EQ(find("d OR NOT b OR E", true), "c+|cc|[d]|d|\\e|E|Äpfel|w12345x");
  // Thousands of words, more than one pattern holds.
  std::string many;
  for (int i = 0; i < 20000; ++i) many += (i ? " OR W" : "W") + std::to_string(i) + "X";
  EXPECT_EQ(find(many, false), "w12345x");
  EXPECT_EQ(find(many, true), "");
}
