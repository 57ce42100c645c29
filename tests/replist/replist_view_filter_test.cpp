// TReportListView::FilterAndSort: each mode, case, the columns searched,
// OnBeforeFilter with each operation, sorting the result, and malformed
// searches that change nothing.
#include "ReportListViewTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
class ListFilterTest : public ListViewTest {
 protected:
  void SetUp() override {
    ListViewTest::SetUp();
    view->SetNrRows(6);
    const char* names[][3] = {{"Anchor bolt", "steel", "3"}, {"Ball bearing", "steel", "1"},
                              {"cable tie", "nylon", "6"},   {"Äpfel", "fruit \"red\"", "2"},
                              {"Hinge", "brass", "5"},       {"Eye bolt", "steel (zinc)", "4"}};
    for (int r = 1; r <= 6; ++r)
      for (int c = 1; c <= 3; ++c) view->SetElem(c, r, names[r - 1][c - 1]);
  }
  // Column 3 of the shown rows, then "|" and the hidden ones.
  std::string Shown() {
    std::string s;
    for (int r = 1; r <= view->GetNrRows(); ++r) {
      if (r == view->ShownRows() + 1) s += '|';
      s += view->GetElem(3, r);
    }
    return s;
  }
  int Filter(const std::string& text, TFilterMode mode, bool matchCase = false, std::vector<int> cols = {},
             int sortCol = -1, bool asc = true) {
    return view->FilterAndSort(text, cols, matchCase, mode, sortCol, asc);
  }
};
}  // namespace

TEST_F(ListFilterTest, SimpleSearchShowsMatchesFirstAndAnEmptyTextBringsAllBack) {
  EXPECT_EQ(Filter("bolt", fmSimple), 2);
  EXPECT_EQ(Shown(), "34|1625");
  EXPECT_EQ(view->GetRowCount(), view->GetFixedRows() + 2);
  EXPECT_TRUE(view->Filtered());
  EXPECT_EQ(view->GetElem(1, 6), "Hinge");  // hidden rows keep their cells, after the shown ones
  EXPECT_EQ(Filter("steel", fmSimple), 3);  // a new search starts from all rows
  EXPECT_EQ(Shown(), "314|625");
  EXPECT_EQ(Filter("  ", fmSimple), 6);
  EXPECT_FALSE(view->Filtered());
  EXPECT_EQ(Shown(), "316254");
  EXPECT_EQ(Filter("nothing like it", fmSimple), 0);
  EXPECT_EQ(view->GetRowCount(), view->GetFixedRows() + 1);
  view->ClearFilter();
  EXPECT_EQ(Shown(), "316254");
}

TEST_F(ListFilterTest, CaseAndTheColumnsSearched) {
  EXPECT_EQ(Filter("BOLT", fmSimple, true), 0);
  EXPECT_EQ(Filter("BOLT", fmSimple, false), 2);
  EXPECT_EQ(Filter("äPFEL", fmSimple, false), 1);  // beyond ASCII
  EXPECT_EQ(Filter("äPFEL", fmSimple, true), 0);
  EXPECT_EQ(Filter("e", fmSimple, false, {2}), 4);  // steel x3, fruit "red"
  EXPECT_EQ(Filter("e", fmSimple, false, {3, 99, -5}), 0);
  EXPECT_EQ(Filter("5", fmSimple, false, {3}), 1);
  // A check column is searched without its mark.
  view->SetColCheckMode(2, cmBox);
  view->SetElemChecked(2, 3, true);  // "Xnylon"
  EXPECT_EQ(Filter("Xn", fmSimple, true, {2}), 0);
  EXPECT_EQ(Filter("nyl", fmSimple, true, {2}), 1);
}

TEST_F(ListFilterTest, BooleanQueries) {
  EXPECT_EQ(Filter("steel bolt", fmBoolean), 2);
  EXPECT_EQ(Filter("steel AND NOT bolt", fmBoolean), 1);
  EXPECT_EQ(Shown(), "1|36254");
  EXPECT_EQ(Filter("brass OR nylon", fmBoolean), 2);
  EXPECT_EQ(Filter("(brass OR nylon) AND tie", fmBoolean), 1);
  EXPECT_EQ(Filter("NOT NOT hinge", fmBoolean), 1);
  EXPECT_EQ(Filter("\"eye bolt\"", fmBoolean), 1);
  EXPECT_EQ(Filter("\"\"\"red\"\"\"", fmBoolean), 1);  // a quote inside a phrase
  EXPECT_EQ(Filter("bolt and steel", fmBoolean), 0);  // lower-case "and" is a word
  EXPECT_EQ(Filter("brass OR steel nylon", fmBoolean), 1);  // AND binds tighter
}

TEST_F(ListFilterTest, RegularExpressions) {
  EXPECT_EQ(Filter("^[AB].*(bolt|ing)$", fmGrep, true, {1}), 2);
  EXPECT_EQ(Filter("^\\w+$", fmGrep, false, {1}), 2);  // Äpfel and Hinge
  EXPECT_EQ(Filter("\\(zinc\\)", fmGrep), 1);
}

TEST_F(ListFilterTest, BeforeFilterCombinesItsVerdictWithEachOperation) {
  struct Case {
    TLogicOp op;
    std::string shown;
  };
  // The search finds rows 1 and 6 ("bolt"); the handler says true for rows 1 and 2.
  for (const Case& c : {Case{loAND, "3"}, Case{loOR, "314"}, Case{loXOR, "14"}, Case{loNAND, "16254"},
                        Case{loNOR, "625"}, Case{loXNOR, "3625"}}) {
    std::vector<bool> seen;
    view->OnBeforeFilter = [&](TObject* s, int Row, bool& Found, TLogicOp& Op) {
      EXPECT_EQ(s, view);
      EXPECT_EQ(Op, loAND);
      seen.push_back(Found);
      Found = view->GetElem(3, Row) == "3" || view->GetElem(3, Row) == "1";
      Op = c.op;
    };
    Filter("bolt", fmSimple);
    std::string s = Shown();
    EXPECT_EQ(s.substr(0, s.find('|')), c.shown) << int(c.op);
    EXPECT_EQ(seen.size(), 6u);
    view->ClearFilter();
  }
  // A handler that changes nothing changes nothing.
  view->OnBeforeFilter = [](TObject*, int, bool&, TLogicOp&) {};
  EXPECT_EQ(Filter("bolt", fmSimple), 2);
}

TEST_F(ListFilterTest, SortingTheResultAndSortingWhileFiltered) {
  EXPECT_EQ(Filter("steel", fmSimple, false, {}, 3, false), 3);
  EXPECT_EQ(Shown(), "431|652");
  EXPECT_EQ(view->GetSortColumn(), 3);
  view->Sort(3, -1, true);  // the hidden rows stay hidden
  EXPECT_EQ(Shown(), "134|256");
  view->UnSort();
  EXPECT_EQ(Shown(), "314|625");
  view->SetSelection({4, 2, 0, 2});
  view->ClearFilter();
  EXPECT_EQ(Shown(), "316254");
  // Changing the rows ends the filter.
  Filter("steel", fmSimple);
  view->AddRow();
  EXPECT_FALSE(view->Filtered());
  EXPECT_EQ(view->ShownRows(), 7);
}

TEST_F(ListFilterTest, MalformedSearchesRaiseWithThePositionAndChangeNothing) {
  Filter("bolt", fmSimple);
  const std::string before = Shown();
  auto fails = [&](const std::string& text, TFilterMode mode, const std::string& position) {
    try {
      Filter(text, mode);
      ADD_FAILURE() << text;
    } catch (const EQELRepListError& e) {
      EXPECT_NE(std::string(e.what()).find(position), std::string::npos) << text << ": " << e.what();
    }
    EXPECT_EQ(Shown(), before) << text;
  };
  fails("a AND (b", fmBoolean, "position 7");
  fails("a \"open", fmBoolean, "position 3");
  fails("a OR", fmBoolean, "position 5");
  fails("a ) b", fmBoolean, "position 3");
  fails("AND a", fmBoolean, "position 1");
  fails("\"\"", fmBoolean, "position 1");
  fails(std::string(200, '('), fmBoolean, "position 101");
  fails("ä(b", fmGrep, "position 4");
  // Positions count characters, not bytes, however far into the query.
  fails("ä ö AND (b", fmBoolean, "position 9");
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "ä ";
  fails(many + ")", fmBoolean, "position 10001");
  fails("[z-a]", fmGrep, "position");
  // Too costly a pattern gives up instead of hanging.
  view->SetElem(1, 2, std::string(40, 'a') + "!");
  fails("^(a+)+$", fmGrep, "row");
  // The list still filters afterwards.
  EXPECT_EQ(Filter("hinge", fmSimple), 1);
}
