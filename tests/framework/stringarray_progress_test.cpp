// TStringArray::Sort while its progress handler lets other work run: every
// percent reported, cell edits harmless, reordering stops the sort, nested
// sorts refused.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/QEL_Containers.h"

using namespace qel;

namespace {
// Rows "r<n>" with numbers counting down in column 2, names in column 1.
TStringArray Numbered(int Rows) {
  TStringArray a(2, Rows);
  for (int r = 1; r <= Rows; ++r) {
    a.SetString(1, r, "Name " + std::to_string(r % 97));
    a.SetString(2, r, std::to_string(Rows - r));
  }
  return a;
}
bool AllRowsOnce(const TStringArray& a) {
  std::set<int> seen;
  for (int i = 1; i <= a.GetNrOfRows(); ++i) seen.insert(a.GetSortOrder(i));
  return int(seen.size()) == a.GetNrOfRows() && *seen.begin() == 1 && *seen.rbegin() == a.GetNrOfRows();
}
}  // namespace

TEST(StringArrayProgress, EveryPercentIsReportedOnceInOrder) {
  for (int sec : {-1, 1}) {
    TStringArray a = Numbered(20000);
    std::vector<int> percents;
    a.OnPercentDone = [&](TObject*, int p) {
      EXPECT_TRUE(a.Sorting());
      percents.push_back(p);
    };
    ASSERT_TRUE(a.Sort(2, sec, true));
    EXPECT_FALSE(a.Sorting());
    ASSERT_EQ(percents.size(), 101u) << "secondary column " << sec;
    for (int p = 0; p <= 100; ++p) EXPECT_EQ(percents[size_t(p)], p);
    EXPECT_EQ(a.GetString(2, 1), "0");
    EXPECT_EQ(a.GetString(2, 20000), "19999");
  }
}

TEST(StringArrayProgress, CellsChangedMeanwhileAreSortedByTheirFormerValues) {
  TStringArray a = Numbered(20000);
  a.OnPercentDone = [&](TObject*, int p) {
    // Long texts: the old cell memory is given back, the sort must not read it.
    if (p == 30) a.SetString(2, 1, std::string(200, 'z'));
    if (p == 60) a.Clear();
  };
  ASSERT_TRUE(a.Sort(2, -1, true));
  EXPECT_TRUE(AllRowsOnce(a));
  // Stored row 1 held the largest number when the sort began: now last.
  EXPECT_EQ(a.GetSortOrder(20000), 1);
  EXPECT_EQ(a.GetString(2, 20000), "");
}

TEST(StringArrayProgress, ReorderingOrResizingMeanwhileStopsTheSort) {
  struct Case {
    const char* what;
    std::function<void(TStringArray&)> change;
    int rows;
  };
  for (const Case& c : std::vector<Case>{
           {"remove", [](TStringArray& a) { a.RemoveRow(1); }, 9999},
           {"grow", [](TStringArray& a) { a.Resize(3, 12000); }, 12000},
           {"unsort", [](TStringArray& a) { a.UnSort(); }, 10000},
           {"order", [](TStringArray& a) { a.SetSortOrder(1, 2); }, 10000},
       }) {
    TStringArray a = Numbered(10000);
    std::vector<int> percents;
    a.OnPercentDone = [&](TObject*, int p) {
      percents.push_back(p);
      if (p == 40) c.change(a);
    };
    EXPECT_FALSE(a.Sort(2, 1, true)) << c.what;
    EXPECT_EQ(percents.back(), 40) << c.what;  // nothing more after the stop
    EXPECT_FALSE(a.Sorting());
    EXPECT_EQ(a.GetNrOfRows(), c.rows) << c.what;
    if (std::string(c.what) != "order") {
      EXPECT_TRUE(AllRowsOnce(a)) << c.what;
    }
    a.OnPercentDone = nullptr;  // still usable
    a.UnSort();
    EXPECT_TRUE(a.Sort(2, -1, true));
    EXPECT_EQ(a.GetString(2, 1), "0") << c.what;
  }
}

TEST(StringArrayProgress, ASortAskedForDuringASortIsRefused) {
  TStringArray a = Numbered(5000);
  int nested = 0, refused = 0;
  a.OnPercentDone = [&](TObject*, int) {
    ++nested;
    refused += !a.Sort(1, -1, false);
  };
  ASSERT_TRUE(a.Sort(2, -1, true));
  EXPECT_EQ(refused, nested);
  EXPECT_EQ(a.GetString(2, 1), "0");
  // An exchange handler that reorders stops the sort the same way.
  TStringArray b = Numbered(100);
  b.OnBeforeSortExchange = [&](TObject*, const std::string&, std::string&) { b.UnSort(); };
  EXPECT_FALSE(b.Sort(2, -1, true));
  EXPECT_TRUE(AllRowsOnce(b));
}
