// Table editor sorting, searching and other tables: every sort keeps a
// line's cells, states and (where asked) headers together, only inside its
// block; a foreign table stays the caller's; copies are whole.
#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

// Rows "r1".."r4" with attributes 40, 30, 20, 10; column 1 holds 10 * row,
// column 2 the keys 3, (empty), 1, 2; column 3 is 100 + row; mark A on
// every cell of row 3.
void Fill4(TNTabEd* e) {
  const double keys[] = {3, 0, 1, 2};
  for (int r = 1; r <= 4; ++r) {
    e->SetRowName(r, "r" + std::to_string(r));
    e->SetRowAttrib(r, uint8_t(50 - 10 * r));
    e->SetElem(1, r, 10 * r);
    e->SetElem(2, r, keys[r - 1]);
    e->SetElem(3, r, 100 + r);
  }
  e->SetIsEmpty(2, 2, true);
  for (int c = 1; c <= 3; ++c) e->SetElemMarkedA(c, 3, true);
}

// The original row each table row shows now, by column 1.
std::vector<int> RowsByColumn1(TNTabEd* e) {
  std::vector<int> v;
  for (int r = 1; r <= e->GetNrOfRows(); ++r) v.push_back(int(e->GetElem(1, r) / 10));
  return v;
}

}  // namespace

TEST(NTabEdSort, RowsByValueMoveWholeRows) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  Fill4(e);
  f.notes = {};
  e->SortRows(2, true, 1, 1, 3, 4, true);
  EXPECT_EQ(RowsByColumn1(e), (std::vector<int>{3, 4, 1, 2}));  // the empty key last
  EXPECT_EQ(e->GetRowName(1), "r3");
  EXPECT_EQ(e->GetRowAttrib(1), 20);
  EXPECT_EQ(e->GetElem(3, 1), 103.0);
  EXPECT_TRUE(e->GetElemMarkedA(3, 1));
  EXPECT_FALSE(e->GetElemMarkedA(3, 3));
  EXPECT_TRUE(e->GetIsEmpty(2, 4));
  EXPECT_EQ(f.notes.data, 1);
  EXPECT_EQ(f.notes.states, 1);
  EXPECT_EQ(f.notes.heading, 1);
  EXPECT_EQ(f.notes.attrib, 1);
  EXPECT_EQ(f.notes.layout, 0);
  e->SortRows(2, false, 1, 4, 3, 1, true);  // Low and High in either order
  EXPECT_EQ(RowsByColumn1(e), (std::vector<int>{1, 4, 3, 2}));  // still empty last
  f.notes = {};
  e->SortRows(2, false, 1, 1, 3, 4, true);  // already in order: nothing happens
  EXPECT_EQ(f.notes.Total(), 0);
}

TEST(NTabEdSort, RowsInsideABlockOnly) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  Fill4(e);
  // Rows 1..3 by column 3 descending, cells of columns 2..3 only, names stay.
  e->SortRows(3, false, 2, 1, 3, 3, false);
  EXPECT_EQ(RowsByColumn1(e), (std::vector<int>{1, 2, 3, 4}));  // column 1 untouched
  EXPECT_EQ(e->GetElem(3, 1), 103.0);
  EXPECT_EQ(e->GetElem(3, 3), 101.0);
  EXPECT_EQ(e->GetElem(3, 4), 104.0);
  EXPECT_TRUE(e->GetElemMarkedA(2, 1));
  EXPECT_TRUE(e->GetElemMarkedA(1, 3));  // outside the block
  EXPECT_FALSE(e->GetElemMarkedA(2, 3));
  EXPECT_EQ(e->GetRowName(1), "r1");
  EXPECT_EQ(e->GetRowAttrib(1), 40);
  // The key must move with its row; a key outside the block sorts nothing.
  f.notes = {};
  e->SortRows(1, false, 2, 1, 3, 4, true);
  e->SortRows(5, true, 1, 1, 3, 4, true);
  e->SortRows(2, true, 1, 5, 3, 9, true);  // no rows left after clamping
  EXPECT_EQ(f.notes.Total(), 0);
  EXPECT_EQ(e->GetElem(3, 1), 103.0);
}

// Columns move with names, attributes, precisions, scale types and
// nominal identifiers.
TEST(NTabEdSort, ColumnsByValueTakeTheirHeaders) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  TDataTable* t = e->GetDataTable();
  const double keys[] = {5, -1, 2};
  for (int c = 1; c <= 3; ++c) {
    e->SetColName(c, "c" + std::to_string(c));
    e->SetColAttrib(c, uint8_t(c));
    e->SetDecPlaces(c, c);
    e->SetElem(c, 2, keys[c - 1]);
    e->SetElem(c, 4, c);
  }
  t->SetMScaleType(3, 2);
  t->SetNominalID(3, 1, "one");
  f.notes = {};
  e->SortCols(2, true, 1, 1, 3, 4, true);
  EXPECT_EQ(e->GetColName(1), "c2");
  EXPECT_EQ(e->GetColName(2), "c3");
  EXPECT_EQ(e->GetColName(3), "c1");
  EXPECT_EQ(e->GetDecPlaces(1), 2);
  EXPECT_EQ(e->GetDecPlaces(2), 3);
  EXPECT_EQ(e->GetDecPlaces(3), 1);
  EXPECT_EQ(e->GetColAttrib(2), 3);
  EXPECT_EQ(t->GetMScaleType(2), 2);
  EXPECT_EQ(t->GetMScaleType(3), 0);
  EXPECT_EQ(t->GetNominalID(2, 1), "one");
  EXPECT_EQ(t->GetNominalID(3, 1), "");
  EXPECT_EQ(e->GetElem(1, 4), 2.0);
  EXPECT_EQ(f.notes.layout, 1);
  EXPECT_EQ(f.notes.heading, 1);
  // Without headers only the block's cells move.
  e->SortCols(4, false, 1, 3, 3, 4, false);
  EXPECT_EQ(e->GetColName(1), "c2");
  EXPECT_EQ(e->GetElem(1, 4), 3.0);  // row 4 reordered: 3, 2, 1
  EXPECT_EQ(e->GetElem(1, 2), -1.0);  // row 2 outside the block
}

TEST(NTabEdSort, ByAttributesAndNamesStably) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  Fill4(e);
  e->SortRowAttributes(true, 1, 1, 3, 4);
  EXPECT_EQ(RowsByColumn1(e), (std::vector<int>{4, 3, 2, 1}));
  EXPECT_EQ(e->GetRowName(1), "r4");
  e->SetRowAttrib(1, 7);
  e->SetRowAttrib(2, 7);
  e->SetRowAttrib(3, 9);
  e->SetRowAttrib(4, 7);
  e->SortRowAttributes(false, 1, 1, 3, 4);  // equal attributes keep their order
  EXPECT_EQ(RowsByColumn1(e), (std::vector<int>{2, 4, 3, 1}));
  EXPECT_EQ(e->GetRowAttrib(1), 9);
  const char* names[] = {"b", "C", "a"};
  for (int c = 1; c <= 3; ++c) {
    e->SetColName(c, names[c - 1]);
    e->SetColAttrib(c, uint8_t(c));
    e->SetElem(c, 1, c);
  }
  e->SortColNames(true, 1, 1, 3, 4);
  EXPECT_EQ(e->GetColName(1) + e->GetColName(2) + e->GetColName(3), "abC");
  EXPECT_EQ(e->GetElem(1, 1), 3.0);
  e->SortColNames(true, true, 1, 1, 3, 4);
  EXPECT_EQ(e->GetColName(1) + e->GetColName(2) + e->GetColName(3), "Cab");
  e->SortColNames(false, false, 1, 1, 3, 4);
  EXPECT_EQ(e->GetColName(1) + e->GetColName(2) + e->GetColName(3), "Cba");
  e->SortColAttributes(true, 1, 1, 3, 4);
  EXPECT_EQ(e->GetColName(1) + e->GetColName(2) + e->GetColName(3), "bCa");  // attributes 1, 2, 3 came along
  // Ignoring case compares lower-cased code points: "é" and "É" after "f".
  e->SetRowName(1, "\xC3\xA9" "clair");
  e->SetRowName(2, "Echo");
  e->SetRowName(3, "fox");
  e->SetRowName(4, "\xC3\x89" "t\xC3\xA9");
  e->SortRowNames(true, 1, 1, 3, 4);
  EXPECT_EQ(e->GetRowName(1), "Echo");
  EXPECT_EQ(e->GetRowName(2), "fox");
  EXPECT_EQ(e->GetRowName(4), "\xC3\x89" "t\xC3\xA9");
  e->SortRowNames(false, true, 1, 1, 3, 4);
  EXPECT_EQ(e->GetRowName(1), "\xC3\xA9" "clair");
  EXPECT_EQ(e->GetRowName(4), "Echo");
}

// Equal keys keep their order however many lines there are.
TEST(NTabEdSort, LongSortsAreStable) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->Redimension(2, 300);
  for (int r = 1; r <= 300; ++r) {
    e->SetRowAttrib(r, uint8_t(r * 7 % 3));
    e->SetElem(1, r, r);
    e->SetElem(2, r, r % 5);
  }
  e->SortRowAttributes(true, 1, 1, 2, 300);
  for (int r = 2; r <= 300; ++r)
    if (e->GetRowAttrib(r) == e->GetRowAttrib(r - 1)) {
      ASSERT_LT(e->GetElem(1, r - 1), e->GetElem(1, r)) << r;
    }
  e->SortRows(2, false, 1, 1, 2, 300, true);
  for (int r = 2; r <= 300; ++r) {
    ASSERT_GE(e->GetElem(2, r - 1), e->GetElem(2, r));
    if (e->GetElem(2, r) == e->GetElem(2, r - 1) && e->GetRowAttrib(r) == e->GetRowAttrib(r - 1)) {
      ASSERT_LT(e->GetElem(1, r - 1), e->GetElem(1, r)) << r;
    }
  }
}

// A foreign table is shown, edited and left bound to nothing when the
// editor goes; nullptr gives the editor its own copy back.
TEST(NTabEdTables, ForeignTableStaysTheCallers) {
  TDataTable foreign(5, 2);
  foreign.SetElem(5, 2, 42);
  foreign.SetColName(5, "five");
  {
    EditorFixture f;
    TNTabEd* e = f.ed;
    e->SetDecPlaces(3, 1);
    e->AssignAnotherDataMatrix(&foreign);
    EXPECT_TRUE(e->GetTableIsForeign());
    EXPECT_EQ(e->GetDataTable(), &foreign);
    EXPECT_EQ(f.notes.setup, 1);
    EXPECT_EQ(f.notes.data, 1);
    EXPECT_EQ(e->GetNrOfColumns(), 5);
    EXPECT_EQ(e->GetColCount(), 7);
    EXPECT_EQ(e->GetRowCount(), 3);
    EXPECT_EQ(e->GetDecPlaces(5), 1);  // new columns take the last precision
    EXPECT_EQ(e->GetElem(5, 2), 42.0);
    e->SetElem(1, 1, 7);
    EXPECT_EQ(foreign.GetElem(1, 1), 7.0);
    foreign.Resize(6, 2);  // the caller's changes reach the editor
    EXPECT_EQ(e->GetColCount(), 8);
    foreign.Clear();
    EXPECT_EQ(f.notes.data, 2);
    e->AssignAnotherDataMatrix(&foreign);  // the same table: nothing
    EXPECT_EQ(f.notes.data, 2);
  }
  EXPECT_FALSE(foreign.OnDataChanged);
  EXPECT_FALSE(foreign.OnSetupChanged);
  EXPECT_FALSE(foreign.OnResize);
  EXPECT_FALSE(foreign.OnPercentDone);
  EXPECT_FALSE(foreign.OnSortExchange);
  foreign.Resize(2, 2);  // no editor behind it any more
  foreign.MirrorColumns();
  EXPECT_EQ(foreign.GetColName(1), "C-2");

  EditorFixture f;
  TNTabEd* e = f.ed;
  e->AssignAnotherDataMatrix(&foreign);
  e->AssignAnotherDataMatrix(nullptr);
  EXPECT_FALSE(e->GetTableIsForeign());
  EXPECT_NE(e->GetDataTable(), &foreign);
  EXPECT_FALSE(foreign.OnDataChanged);
  EXPECT_EQ(e->GetColName(1), "C-2");
  e->SetElem(1, 1, 5);
  EXPECT_EQ(foreign.GetElem(1, 1), 0.0);
  f.notes = {};
  e->GetDataTable()->Clear();  // the copy is bound
  EXPECT_EQ(f.notes.data, 1);
}

TEST(NTabEdTables, CopyContentsAndCellStates) {
  EditorFixture f, g;
  TNTabEd *e = f.ed, *src = g.ed;
  src->Redimension(4, 2);
  src->SetColName(4, "four");
  src->SetRowAttrib(2, 9);
  src->SetElem(4, 2, 1.5);
  src->SetElemMarkedB(4, 2, true);
  src->SetDecPlaces(4, 255);
  src->SetComment("from g");
  src->GetDataTable()->SetMScaleType(4, 1);
  src->GetDataTable()->SetNominalID(4, 2, "two");
  TDataTable* own = e->GetDataTable();
  f.notes = {};
  e->CopyContentsFrom(src);
  EXPECT_EQ(e->GetDataTable(), own);  // the same table, new contents
  EXPECT_EQ(e->GetNrOfColumns(), 4);
  EXPECT_EQ(e->GetNrOfRows(), 2);
  EXPECT_EQ(e->GetColCount(), 6);
  EXPECT_EQ(e->GetRowCount(), 3);
  EXPECT_EQ(e->GetColName(4), "four");
  EXPECT_EQ(e->GetRowAttrib(2), 9);
  EXPECT_EQ(e->GetElem(4, 2), 1.5);
  EXPECT_TRUE(e->GetElemMarkedB(4, 2));
  EXPECT_EQ(e->GetDecPlaces(4), 255);
  EXPECT_EQ(e->GetComment(), "from g");
  EXPECT_EQ(own->GetNominalID(4, 2), "two");
  EXPECT_EQ(f.notes.data, 1);
  EXPECT_EQ(f.notes.setup, 1);
  own->Clear();  // still bound to this editor
  EXPECT_EQ(f.notes.data, 2);
  src->SetElem(4, 2, 3);  // a copy, not a share
  EXPECT_EQ(e->GetElem(4, 2), 0.0);
  e->CopyContentsFrom(e);
  e->CopyContentsFrom(nullptr);
  EXPECT_EQ(e->GetNrOfColumns(), 4);

  // Cell states of the cells both have; the rest keep theirs.
  e->Redimension(5, 3);
  e->SetElemMarkedA(5, 3, true);
  e->SetElemMarkedA(1, 3, true);
  e->SetElemMarkedA(1, 1, true);
  src->SetCellState(2, 1, csInvalid);
  f.notes = {};
  e->CopyCellStatesFrom(src);
  EXPECT_EQ(e->GetCellState(4, 2), csMarkB);
  EXPECT_EQ(e->GetCellState(2, 1), csInvalid);
  EXPECT_EQ(e->GetCellState(1, 1), 0);
  EXPECT_EQ(e->GetCellState(5, 3), csMarkA);
  EXPECT_EQ(e->GetCellState(1, 3), csMarkA);
  EXPECT_EQ(f.notes.states, 1);
}
