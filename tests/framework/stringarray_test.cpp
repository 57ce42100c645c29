// TStringArray: cells, attributes, rows, the shown order and sorting.
#include <gtest/gtest.h>

#include <vector>

#include "framework/QEL_Containers.h"
#include "platform/rtl/Utf8.h"

using namespace qel;

namespace {
std::vector<std::string> Column(const TStringArray& a, int col) {
  std::vector<std::string> v;
  for (int r = 1; r <= a.GetNrOfRows(); ++r) v.push_back(a.GetString(col, r));
  return v;
}
void SetColumn(TStringArray& a, int col, const std::vector<std::string>& v) {
  for (size_t i = 0; i < v.size(); ++i) a.SetString(col, int(i) + 1, v[i]);
}
}  // namespace

TEST(StringArray, CellsResizeAndLimits) {
  TStringArray a(2, 3);
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetString(0, 1, "hidden");
  a.SetString(2, 3, "x");
  a.SetString(3, 1, "outside");
  a.SetString(1, 0, "outside");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(a.GetString(0, 1), "hidden");
  EXPECT_EQ(a.GetString(3, 1), "");
  std::string longText;
  for (int i = 0; i < 300; ++i) longText += "\u00fc";
  a.SetString(1, 1, longText);
  EXPECT_EQ(Utf8Length(a.GetString(1, 1)), 255u);
  a.Resize(3, 5);
  EXPECT_EQ(a.GetString(2, 3), "x");
  EXPECT_EQ(a.GetString(0, 1), "hidden");
  EXPECT_EQ(a.GetString(3, 5), "");
  a.Resize(1, 2);
  EXPECT_EQ(a.GetString(0, 1), "hidden");
  EXPECT_EQ(a.GetString(2, 3), "");
  a.Clear();
  EXPECT_EQ(a.GetString(0, 1), "");
  EXPECT_EQ(a.GetNrOfRows(), 2);
  a.SetAllocRowsBy(0);
  EXPECT_EQ(a.GetAllocRowsBy(), 1);
}

TEST(StringArray, NumbersAndAttributesMoveWithRows) {
  TStringArray a(1, 3);
  SetColumn(a, 1, {" 2.5 ", "1e3", "abc"});
  EXPECT_DOUBLE_EQ(a.GetAsNumber(1, 1), 2.5);
  EXPECT_DOUBLE_EQ(a.GetAsNumber(1, 2), 1000);
  EXPECT_DOUBLE_EQ(a.GetAsNumber(1, 3), 0);
  a.SetRowAttrib(1, 7);
  a.SetRowAttrib(3, 9);
  a.SetColAttrib(1, 128);
  a.Sort(1, -1, false);  // descending: "abc", 1000, 2.5
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"abc", "1e3", " 2.5 "}));
  EXPECT_EQ(a.GetRowAttrib(1), 9);
  EXPECT_EQ(a.GetRowAttrib(3), 7);
  a.InsertRow(2);  // commits the shown order first
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"abc", "", "1e3", " 2.5 "}));
  EXPECT_EQ(a.GetRowAttrib(4), 7);
  EXPECT_EQ(a.GetSortOrder(1), 1);
  a.RemoveRow(1);
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"", "1e3", " 2.5 "}));
  EXPECT_EQ(a.GetRowAttrib(3), 7);
  EXPECT_EQ(a.GetColAttrib(1), 128);
}

TEST(StringArray, SortIsStableNumericBeforeTextCaseInsensitive) {
  TStringArray a(2, 8);
  SetColumn(a, 1, {"b", "10", "B", "9", "a", "\u00c9t\u00e9", "-1", "\u00e9t\u00e9"});
  SetColumn(a, 2, {"1", "2", "3", "4", "5", "6", "7", "8"});
  ASSERT_TRUE(a.Sort(1, -1, true));
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"-1", "9", "10", "a", "b", "B", "\u00c9t\u00e9", "\u00e9t\u00e9"}));
  EXPECT_EQ(Column(a, 2), (std::vector<std::string>{"7", "4", "2", "5", "1", "3", "6", "8"}));
  a.Sort(1, -1, false);  // equal keys keep their previous order
  EXPECT_EQ(Column(a, 2), (std::vector<std::string>{"6", "8", "1", "3", "5", "2", "4", "7"}));
  EXPECT_FALSE(a.Sort(3, -1, true));
}

TEST(StringArray, SecondaryKeyUnsortAndCommit) {
  TStringArray a(2, 4);
  SetColumn(a, 1, {"x", "y", "x", "y"});
  SetColumn(a, 2, {"2", "1", "1", "2"});
  a.Sort(1, 2, true);
  EXPECT_EQ(Column(a, 2), (std::vector<std::string>{"1", "2", "1", "2"}));
  EXPECT_EQ(a.GetSortOrder(1), 3);
  EXPECT_EQ(a.GetString(1, 1), "x");
  a.UnSort();
  EXPECT_EQ(Column(a, 2), (std::vector<std::string>{"2", "1", "1", "2"}));
  a.Sort(2, -1, true);
  a.CommitSorting();
  EXPECT_FALSE(a.IsSorted());
  EXPECT_EQ(Column(a, 2), (std::vector<std::string>{"1", "1", "2", "2"}));
  a.UnSort();
  EXPECT_EQ(Column(a, 2), (std::vector<std::string>{"1", "1", "2", "2"}));
  a.SetSortOrder(1, 2);  // not a permutation: committing keeps the stored order
  a.CommitSorting();
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"y", "x", "x", "y"}));
}

TEST(StringArray, ExchangeEventsTransformTheShownOrder) {
  TStringArray a(1, 5);
  SetColumn(a, 1, {"e", "d", "c", "b", "a"});
  std::vector<std::pair<std::string, std::string>> swaps;
  std::vector<int> percents;
  a.OnBeforeSortExchange = [&](TObject* s, const std::string& S, std::string& T) {
    EXPECT_EQ(s, &a);
    swaps.emplace_back(S, T);
  };
  a.OnPercentDone = [&](TObject*, int p) { percents.push_back(p); };
  a.Sort(1, -1, true);
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  ASSERT_EQ(swaps.size(), 2u);  // two exchanges reverse five rows
  EXPECT_EQ(swaps[0], std::make_pair(std::string("a"), std::string("e")));
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);
  swaps.clear();
  a.Sort(1, -1, true);
  EXPECT_TRUE(swaps.empty());
}

TEST(StringArray, AllocationFailureLeavesTheArrayAlone) {
  TStringArray a(2, 2);
  a.SetString(1, 1, "keep");
  FailNextAllocations(1);
  EXPECT_THROW(a.Resize(4, 100), EOutOfMemory);
  EXPECT_EQ(a.GetNrOfColumns(), 2);
  EXPECT_EQ(a.GetNrOfRows(), 2);
  EXPECT_EQ(a.GetString(1, 1), "keep");
  EXPECT_THROW(a.Resize(2, 2000000000), EOutOfMemory);  // absurd: refused up front
  EXPECT_EQ(a.GetNrOfRows(), 2);
  a.Resize(2, 3);  // the hook fired once only
  EXPECT_EQ(a.GetNrOfRows(), 3);
}

TEST(StringArray, ResizeCommitsTheShownOrderOnlyWhenRowsGo) {
  TStringArray a(1, 3);
  SetColumn(a, 1, {"b", "c", "a"});
  a.SetRowAttrib(3, 5);
  a.Sort(1, -1, true);
  a.Resize(1, 4);  // growing keeps both orders, the new row shown last
  a.Resize(2, 5);
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"a", "b", "c", "", ""}));
  EXPECT_TRUE(a.IsSorted());
  EXPECT_EQ(a.GetRowAttrib(1), 5);
  a.SetString(1, 4, "new");
  a.UnSort();
  EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"b", "c", "a", "new", ""}));
  for (int cols : {2, 3}) {  // same width and new width take the same rule
    SetColumn(a, 1, {"b", "c", "a", "new", "d"});
    a.Sort(1, -1, false);  // new d c b a
    a.Resize(cols, 2);
    EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"new", "d"})) << cols;
    a.UnSort();
    EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"new", "d"})) << cols;
    a.Resize(cols, 5);
  }
}

// Every allocation a resize makes fails in turn: a sorted array stays exactly
// as it was, both orders included.
TEST(StringArray, FailedResizeOfASortedArrayChangesNothing) {
  const int sizes[][2] = {{1, 40}, {3, 40}, {3, 2}, {1, 2}};
  for (const auto& size : sizes) {
    for (int after = 0; after < 10; ++after) {
      TStringArray a(1, 3);
      SetColumn(a, 1, {"b", "c", "a"});
      a.SetRowAttrib(1, 7);
      a.Sort(1, -1, true);
      FailNextAllocations(1, after);
      try {
        a.Resize(size[0], size[1]);
      } catch (const EOutOfMemory&) {
        EXPECT_EQ(a.GetNrOfColumns(), 1);
        EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"a", "b", "c"})) << size[0] << "x" << size[1];
        EXPECT_EQ(a.GetRowAttrib(2), 7);
        a.UnSort();
        EXPECT_EQ(Column(a, 1), (std::vector<std::string>{"b", "c", "a"})) << size[0] << "x" << size[1] << " " << after;
        continue;
      }
      FailNextAllocations(0);
      EXPECT_EQ(a.GetNrOfRows(), size[1]);
      EXPECT_EQ(a.GetString(1, 1), "a");
      break;
    }
  }
}
