// TRLData: dimensions, cells, check marks, column formats, rows, sorting and Assign.
#include <gtest/gtest.h>

#include "framework/AllocGuard.h"
#include "replist/QEL_replist.h"

using namespace qel;

namespace {
std::vector<std::string> Col(const TRLData& d, int c) {
  std::vector<std::string> v;
  for (int r = 1; r <= d.GetNrOfRows(); ++r) v.push_back(d.GetRawElem(c, r));
  return v;
}
}  // namespace

TEST(RLData, NewObjectAndDimensionLimits) {
  TRLData d(nullptr);
  EXPECT_EQ(d.GetNrOfColumns(), 1);
  EXPECT_EQ(d.GetNrOfRows(), 0);
  EXPECT_EQ(d.GetColName(1), "C-1");
  EXPECT_EQ(d.GetCommonHeader(), "QEL Report Listview");
  EXPECT_EQ(d.Storage()->GetAllocRowsBy(), 10);
  EXPECT_EQ(d.Storage()->GetNrOfRows(), 1);
  d.SetNrCols(0);
  EXPECT_EQ(d.GetNrOfColumns(), 1);
  d.SetNrRows(-5);
  EXPECT_EQ(d.GetNrOfRows(), 0);
  d.SetNrCols(3);
  d.SetColName(2, "Mine");
  d.SetColName(1, std::string(60, 'n'));
  EXPECT_EQ(d.GetColName(1).size(), 50u);
  d.SetColumnFormat(1, std::string(90, 'f'));
  EXPECT_EQ(d.GetColumnFormat(1).size(), 80u);
  d.SetNrCols(2);
  d.SetNrCols(4);
  EXPECT_EQ(d.GetColName(2), "Mine");
  EXPECT_EQ(d.GetColName(4), "C-4");
  EXPECT_EQ(d.GetColName(3), "C-3");
  EXPECT_EQ(d.GetColName(5), "");
  d.SetNrRows(2);
  d.SetElem(0, 1, "hidden");
  d.SetElem(5, 1, "outside");
  d.SetElem(1, 3, "outside");
  EXPECT_EQ(d.GetElem(0, 1), "hidden");
  EXPECT_EQ(d.GetElem(5, 1), "");
  d.SetNrRows(0);  // the kept storage row must not bring old text back
  d.SetNrRows(1);
  EXPECT_EQ(d.GetElem(0, 1), "");
}

TEST(RLData, CheckMarkEncodingAndModeSwitchRoundTrip) {
  TRLData d(nullptr);
  d.SetNrCols(2);
  d.SetNrRows(3);
  d.SetColCheckMode(2, cmBox);
  d.SetElem(2, 1, "abc");
  EXPECT_EQ(d.GetRawElem(2, 1), " abc");
  EXPECT_EQ(d.GetElem(2, 1), "abc");
  EXPECT_FALSE(d.GetElemChecked(2, 1));
  d.SetElemChecked(2, 1, true);
  EXPECT_EQ(d.GetRawElem(2, 1), "Xabc");
  d.SetElem(2, 1, "new");
  EXPECT_EQ(d.GetRawElem(2, 1), "Xnew");
  EXPECT_DOUBLE_EQ(d.GetAsNumber(2, 1), 0);  // the mark is part of what is read
  // cmNone -> cmBox -> cmNone restores the texts; no change events meanwhile.
  d.SetElem(1, 1, "a");
  d.SetElem(1, 3, "b");
  int changes = 0;
  d.Storage()->OnChange = [&](TObject*) { ++changes; };
  d.SetColCheckMode(1, cmBox);
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{" a", "", " b"}));
  d.SetColCheckMode(1, cmNone);
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(changes, 0);
  // Unknown modes are stored but act like cmNone.
  d.SetColCheckMode(1, TCheckMode(7));
  EXPECT_EQ(d.GetColCheckMode(1), TCheckMode(7));
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"a", "", "b"}));
  d.SetElemChecked(1, 1, true);
  EXPECT_EQ(d.GetRawElem(1, 1), "a");
  // Non-blank, non-X marks read as checked.
  d.SetRawElem(2, 2, "?t");
  EXPECT_TRUE(d.GetElemChecked(2, 2));
  // Box -> radio clears every mark.
  d.SetColCheckMode(2, cmRadio);
  EXPECT_EQ(d.CountCheckedElemsInCol(2), 0);
  EXPECT_EQ(d.GetElem(2, 1), "new");
}

TEST(RLData, RadioAndBoxRules) {
  TRLData d(nullptr);
  d.SetNrCols(3);
  d.SetNrRows(3);
  d.SetColCheckMode(1, cmRadio);
  d.SetColCheckMode(2, cmBox);
  d.SetElemChecked(1, 1, true);
  d.SetElemChecked(1, 3, true);
  EXPECT_EQ(d.CountCheckedElemsInCol(1), 1);
  EXPECT_EQ(d.FirstCheckedElemInCol(1), 3);
  d.SetElemChecked(1, 3, false);
  EXPECT_EQ(d.CountCheckedElemsInCol(1), 0);
  d.SetElemChecked(1, 2, true);
  d.SetAllCheckmarksOfCol(1, true);     // radio: ignored
  d.InvertAllCheckmarksOfCol(1);        // radio: ignored
  d.SetAllCheckmarksOfCol(3, true);     // none: ignored
  EXPECT_EQ(d.CountCheckedElemsInCol(1), 1);
  EXPECT_EQ(d.GetRawElem(3, 1), "");
  d.SetRawElem(2, 1, "Xa");
  d.SetRawElem(2, 2, "?b");
  d.InvertAllCheckmarksOfCol(2);
  EXPECT_EQ(Col(d, 2), (std::vector<std::string>{" a", "Xb", "X"}));
  d.SetAllCheckmarksOfCol(2, false);
  EXPECT_EQ(d.CountCheckedElemsInCol(2), 0);
  d.SetElemChecked(2, 3, true);
  d.SetElemChecked(2, 2, true);
  EXPECT_EQ(d.FirstCheckedElemInCol(2), 2);  // the lowest of several
  d.SetElemChecked(2, 3, false);
  EXPECT_EQ(d.CountCheckedElemsInRow(2), 2);
  EXPECT_EQ(d.FirstCheckedElemInRow(2), 1);
  EXPECT_EQ(d.FirstCheckedElemInRow(4), 0);
  EXPECT_FALSE(d.GetElemChecked(3, 2));
  EXPECT_FALSE(d.GetElemChecked(2, 0));
  TRLData empty(nullptr);
  empty.SetColCheckMode(1, cmBox);
  EXPECT_EQ(empty.FirstCheckedElemInCol(1), 0);
}

TEST(RLData, ColumnIndexAndDefaultValues) {
  TRLData d(nullptr);
  d.SetNrCols(3);
  EXPECT_EQ(d.ColumnIndex("c-", true), 3);
  EXPECT_EQ(d.ColumnIndex("C-2", false), 2);
  EXPECT_EQ(d.ColumnIndex("x", false), -1);
  EXPECT_EQ(d.ColumnIndex("c-", false), -1);
  struct Case { const char* format; int row; const char* expected; };
  const Case cases[] = {
      {"[i][80]rix4", 7, "0007"}, {"[h]rix2", 255, "FF"}, {"[h]rix2", 0x1FF, "FF"},
      {"[i]rix2", 1234, "34"},    {"[i]RIX0", 5, "5"},    {"[i]rix3", -5, "-005"},
      {"[f]rix2", 3, "3.00"},     {"[e][9]rix 1", 2, "2.0"}, {"[i]12", 3, "12"},
      {"[h]rix4", 255, "00FF"},   {"[h]rix1", 0x1FF, "F"},  {"[h]rix0", 0xAB, "B"},
      {"[h]rix12", 0x1234, "00001234"},
      {"[c:5]red|green", 1, "red"}, {"[l]solo", 1, "solo"}, {"[#s]abc", 1, ""},
      {"hello", 1, "hello"},      {"[dd.MM.yyyy][100]01.01.2000", 1, "01.01.2000"},
      {"[s][50]plain", 1, "plain"}, {"[x]abc", 1, ""}, {"[s]", 1, ""},
  };
  for (const Case& c : cases) {
    d.SetColumnFormat(1, c.format);
    EXPECT_EQ(d.GetCellDefaultValue(1, c.row), c.expected) << c.format;
  }
  d.SetColumnFormat(2, "[s]$PWD$8");
  const std::string p1 = d.GetCellDefaultValue(2, 1), p2 = d.GetCellDefaultValue(2, 1);
  EXPECT_EQ(p1.size(), 8u);
  EXPECT_NE(p1, p2);
  EXPECT_EQ(d.GetCellDefaultValue(4, 1), "");
}

TEST(RLData, RemoveRowsKeepsHiddenColumnContent) {
  TRLData d(nullptr);
  d.SetNrCols(2);
  d.SetNrRows(4);
  d.SetColCheckMode(2, cmBox);
  d.SetElemChecked(2, 1, true);   // only a check mark: empty
  d.SetElem(0, 2, "hidden");      // only column 0: kept
  d.SetElem(1, 3, "text");
  d.RemoveEmptyRows();
  EXPECT_EQ(d.GetNrOfRows(), 2);
  EXPECT_EQ(d.GetElem(0, 1), "hidden");
  EXPECT_EQ(d.GetElem(1, 2), "text");
  d.RemoveRow(0);
  EXPECT_EQ(d.GetNrOfRows(), 2);
  d.SetRowAttrib(2, 128);
  d.CopyRow(2, 1);
  EXPECT_EQ(d.GetElem(1, 1), "text");
  EXPECT_EQ(d.GetElem(0, 1), "");
  EXPECT_EQ(d.GetRowAttrib(1), 128);
  d.RemoveRow(1);
  d.RemoveRow(1);  // the last row is emptied, the storage keeps it
  EXPECT_EQ(d.GetNrOfRows(), 0);
  EXPECT_EQ(d.Storage()->GetString(1, 1), "");
  EXPECT_EQ(d.Storage()->GetRowAttrib(1), 0);
}

TEST(RLData, FillAndClear) {
  TRLData d(nullptr);
  d.SetNrCols(2);
  d.SetNrRows(4);
  d.SetColCheckMode(2, cmBox);
  d.SetElemChecked(2, 1, true);
  d.SetElem(2, 3, "unchecked");  // a blank mark
  d.SetRawElem(2, 4, "?odd");    // another mark counts as checked
  d.SetElem(0, 1, "h");
  d.Fill("v");
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"v", "v", "v", "v"}));
  EXPECT_EQ(Col(d, 2), (std::vector<std::string>{"Xv", " v", " v", "Xv"}));
  EXPECT_EQ(d.GetElem(0, 1), "h");
  d.SetColName(1, "n");
  d.SetColumnFormat(1, "[i]");
  d.Clear();
  EXPECT_EQ(d.GetNrOfRows(), 4);
  EXPECT_EQ(d.GetColName(1), "C-1");
  EXPECT_EQ(d.GetColumnFormat(1), "");
  EXPECT_EQ(d.GetColCheckMode(2), cmNone);
  EXPECT_EQ(d.GetElem(0, 1), "");
}

TEST(RLData, SortRecordsStateAndAssignKeepsBothOrders) {
  TRLData d(nullptr);
  d.SetNrCols(2);
  d.SetNrRows(3);
  const char* names[] = {"b", "c", "a"};
  for (int r = 1; r <= 3; ++r) {
    d.SetElem(1, r, names[r - 1]);
    d.SetElem(0, r, std::to_string(r));
    d.SetRowAttrib(r, uint8_t(r));
  }
  std::vector<std::string> exchanged;
  TObject* sender = nullptr;
  d.OnBeforeSortExchange = [&](TObject* s, const std::string& S, std::string&) {
    sender = s;
    exchanged.push_back(S);
  };
  EXPECT_TRUE(d.Sort(1, 0, true));
  EXPECT_FALSE(exchanged.empty());
  EXPECT_EQ(sender, &d);
  EXPECT_EQ(d.GetSortColumn(), 1);
  EXPECT_EQ(d.GetSortColumnSec(), 0);
  EXPECT_EQ(d.GetElem(1, 1), "a");
  EXPECT_EQ(d.GetStoredRow(1), 3);
  EXPECT_EQ(d.GetStoredRow(4), 0);
  d.SetDataID("id");
  d.SetComment("note");
  d.SetColCheckMode(2, cmBox);
  d.SetColumnFormat(1, "[s]");
  d.SetHeaderClickDirection(false);
  TRLData copy(nullptr);
  copy.Assign(&d);
  EXPECT_EQ(copy.GetElem(1, 1), "a");
  EXPECT_EQ(copy.GetElem(0, 1), "3");
  EXPECT_EQ(copy.GetRowAttrib(1), 3);
  EXPECT_EQ(copy.GetSortColumn(), 1);
  EXPECT_FALSE(copy.GetHeaderClickDirection());
  EXPECT_EQ(copy.GetDataID(), "id");
  EXPECT_EQ(copy.GetComment(), "note");
  EXPECT_EQ(copy.GetColCheckMode(2), cmBox);
  EXPECT_EQ(copy.GetColumnFormat(1), "[s]");
  EXPECT_EQ(copy.Storage()->GetAllocRowsBy(), 10);
  exchanged.clear();
  copy.Sort(1, -1, false);
  EXPECT_FALSE(copy.GetSortDirection());
  EXPECT_FALSE(exchanged.empty()) << "the exchange handler is copied";
  EXPECT_EQ(sender, &copy);
  copy.UnSort();  // the stored order came across too
  EXPECT_EQ(copy.GetElem(1, 1), "b");
  EXPECT_EQ(copy.GetRowAttrib(1), 1);
  EXPECT_EQ(copy.GetSortColumn(), -1);
  d.UnSort();
  EXPECT_EQ(d.GetElem(1, 3), "a");
  TRLData back(nullptr);
  d.Sort(1, -1, true);
  TPersistent* asPersistent = &back;
  d.AssignTo(asPersistent);
  EXPECT_EQ(back.GetElem(1, 1), "a");
  TBitmap notAList;
  EXPECT_THROW(back.Assign(&notAList), EConvertError);
}

TEST(RLData, AssignKeepsTheViewsHooks) {
  TRLData d(nullptr), src(nullptr);
  src.SetNrRows(2);
  int changes = 0;
  d.Storage()->OnChange = [&](TObject*) { ++changes; };
  d.Assign(&src);
  d.SetElem(1, 1, "x");
  EXPECT_EQ(changes, 1);
}

TEST(RLData, AllocationFailuresGiveTheDocumentedMessages) {
  TRLData d(nullptr);
  d.SetName("List1");
  d.SetNrCols(2);
  d.SetNrRows(2);
  d.SetElem(1, 1, "keep");
  FailNextAllocations(1);
  try {
    d.SetNrRows(50);
    FAIL();
  } catch (const EQELRLDataError&) {
    FAIL() << "storage failures raise EQELError";
  } catch (const EQELError& e) {
    EXPECT_NE(std::string(e.what()).find("TRLData.NrOfRows"), std::string::npos) << e.what();
  }
  EXPECT_EQ(d.GetNrOfRows(), 2);
  FailNextAllocations(1, 1);  // the metadata succeeds, the storage fails
  try {
    d.SetNrCols(5);
    FAIL();
  } catch (const EQELError& e) {
    EXPECT_NE(std::string(e.what()).find("TRLData.NrOfColumns"), std::string::npos);
  }
  EXPECT_EQ(d.GetNrOfColumns(), 2);
  EXPECT_EQ(d.GetElem(1, 1), "keep");
  FailNextAllocations(1);  // the metadata fails before the storage is touched
  try {
    d.SetNrCols(6);
    FAIL();
  } catch (const EQELRLDataError& e) {
    EXPECT_STREQ(e.what(), "Component \"List1\": not enough memory on heap");
  }
  FailNextAllocations(1);
  try {
    TRLData failing(nullptr);
    FAIL();
  } catch (const EQELRLDataError& e) {
    EXPECT_STREQ(e.what(), "Component \"\": failed to initialize (out of memory)");
  }
  TRLData src(nullptr);
  src.SetNrRows(3);
  FailNextAllocations(1);
  EXPECT_THROW(d.Assign(&src), EQELRLDataError);
  EXPECT_EQ(d.GetElem(1, 1), "keep");
  FailNextAllocations(0);
}

TEST(RLData, GrowingASortedListKeepsTheStoredOrder) {
  TRLData d(nullptr);
  d.SetNrCols(1);
  d.SetNrRows(3);
  const char* names[] = {"b", "c", "a"};
  for (int r = 1; r <= 3; ++r) d.SetElem(1, r, names[r - 1]);
  d.Sort(1, -1, true);
  d.SetNrRows(4);  // a row added to the sorted list
  d.SetElem(1, 4, "new");
  d.SetNrCols(2);
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"a", "b", "c", "new"}));
  EXPECT_EQ(d.GetSortColumn(), 1);
  EXPECT_EQ(d.GetStoredRow(1), 3);
  d.UnSort();
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"b", "c", "a", "new"}));
  d.Sort(1, -1, false);
  d.SetNrRows(2);  // rows must go: the shown order becomes the stored one
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"new", "c"}));
  d.UnSort();
  EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"new", "c"}));
}

// Each allocation SetNrCols / SetNrRows makes fails in turn: the list must be
// left exactly as it was and go on working.
TEST(RLData, FailedResizeLeavesTheListAsItWas) {
  for (int after = 0;; ++after) {
    TRLData d(nullptr);
    d.SetNrCols(2);
    d.SetNrRows(2);
    d.SetColName(2, "Two");
    d.SetColumnFormat(2, "[i]rix2");
    d.SetColCheckMode(2, cmBox);
    d.SetElem(2, 1, "b");
    d.SetElemChecked(2, 1, true);
    FailNextAllocations(1, after);
    try {
      d.SetNrCols(40);
    } catch (const EQELError&) {
      EXPECT_EQ(d.GetNrOfColumns(), 2) << after;
      EXPECT_EQ(d.Storage()->GetNrOfColumns(), 2) << after;
      EXPECT_EQ(d.GetColName(3), "");
      EXPECT_EQ(d.GetColCheckMode(3), cmNone);
      EXPECT_EQ(d.ColumnIndex("c-", true), 1);
      EXPECT_EQ(d.GetRawElem(2, 1), "Xb");
      d.SetNrCols(40);
      EXPECT_EQ(d.GetColName(40), "C-40");
      EXPECT_EQ(d.GetColName(2), "Two");
      EXPECT_EQ(d.GetCellDefaultValue(2, 3), "03");
      d.SetColumnFormat(40, "[s]x");
      EXPECT_EQ(d.GetCellDefaultValue(40, 1), "x");
      continue;
    }
    FailNextAllocations(0);
    EXPECT_GE(after, 2) << "the metadata and the storage both allocate";
    break;
  }
  for (int after = 0;; ++after) {
    TRLData d(nullptr);
    d.SetNrCols(1);
    d.SetNrRows(3);
    for (int r = 1; r <= 3; ++r) d.SetElem(1, r, std::string(1, char('d' - r)));  // c b a
    d.Sort(1, -1, true);
    FailNextAllocations(1, after);
    try {
      d.SetNrRows(500);
    } catch (const EQELError&) {
      EXPECT_EQ(d.GetNrOfRows(), 3);
      EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"a", "b", "c"}));
      d.UnSort();
      EXPECT_EQ(Col(d, 1), (std::vector<std::string>{"c", "b", "a"})) << after;
      d.SetNrRows(500);
      EXPECT_EQ(d.GetElem(1, 3), "a");
      continue;
    }
    FailNextAllocations(0);
    break;
  }
}

// A view hears of every storage change; the columns it then reads must exist.
TEST(RLData, ColumnsAreCompleteWhenTheStorageReportsAChange) {
  TRLData d(nullptr);
  std::vector<std::string> seen;
  d.Storage()->OnChange = [&](TObject*) { seen.push_back(d.GetColName(d.GetNrOfColumns())); };
  d.SetNrCols(5);
  d.SetColName(2, "kept");
  d.SetNrCols(2);
  EXPECT_EQ(seen, (std::vector<std::string>{"C-5", "kept"}));
}
