// Table editor layout: a new editor's settings, the offsets with the
// attribute column and row shown and hidden, widths and heights in table
// numbering, fitting them to their texts, and the first row and column.
#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
TCustomGrid* Grid(TNTabEd* e) { return e; }
}  // namespace

TEST(NTabEdLayout, NewEditorDefaults) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  EXPECT_EQ(e->GetNrOfColumns(), 3);
  EXPECT_EQ(e->GetNrOfRows(), 4);
  EXPECT_EQ(Grid(e)->GetColCount(), 5);
  EXPECT_EQ(Grid(e)->GetRowCount(), 5);
  EXPECT_EQ(Grid(e)->GetFixedCols(), 2);
  EXPECT_EQ(Grid(e)->GetFixedRows(), 1);
  EXPECT_TRUE(e->GetAttribRowVisible());
  EXPECT_FALSE(e->GetAttribColVisible());
  EXPECT_EQ(e->GetColWidths(-1), 32);
  EXPECT_EQ(e->GetColWidths(0), 80);
  EXPECT_EQ(e->GetColWidths(1), 64);
  EXPECT_EQ(Grid(e)->GetDefaultRowHeight(), 24);
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(e->GetDecPlaces(c), 3);
  EXPECT_EQ(e->GetDecPlaces(0), 0);
  EXPECT_EQ(e->GetDecPlaces(4), 0);
  for (int r = 1; r <= 4; ++r)
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(e->GetElem(c, r), 0.0);
  EXPECT_EQ(e->GetColorNormal(), TColor(0x002000));
  EXPECT_EQ(e->GetColorSelected(), TColor(0x404040));
  EXPECT_EQ(e->GetColorMarkedA(), TColor(0x0000FF));
  EXPECT_EQ(e->GetColorMarkedB(), TColor(0xFF0000));
  EXPECT_EQ(e->GetColorMarkedBoth(), TColor(0xCC00BB));
  EXPECT_EQ(e->GetColorRangeSelFG(), TColor(0x80552C));
  EXPECT_EQ(e->GetColorRangeSelBG(), TColor(0xF8E8E0));
  EXPECT_EQ(e->GetColorBackground(), clWindow);
  EXPECT_EQ(Grid(e)->GetFixedColor(), clBtnFace);
  EXPECT_TRUE(e->GetAutoAdvance());
  EXPECT_EQ(e->GetAutoAdvanceDir(), orVertical);
  EXPECT_TRUE(e->GetBoldMarks());
  EXPECT_TRUE(e->GetBoldSelHeads());
  EXPECT_TRUE(e->GetClipboardUseFullPrec());
  EXPECT_TRUE(e->GetCommentEditingAllowed());
  EXPECT_FALSE(e->GetBlockInternalPopup());
  EXPECT_FALSE(e->GetDataReadOnly());
  EXPECT_FALSE(e->GetOptimizeRowHeight());
  EXPECT_EQ(e->GetNomEditDropDownCount(), 8);
  EXPECT_EQ(e->GetNumWidth(), 1);
  EXPECT_EQ(e->GetTopRow(), 1);
  EXPECT_EQ(e->GetLeftCol(), 1);
  EXPECT_FALSE(e->GetTableIsForeign());
  EXPECT_FALSE(e->GetOptions().Contains(goEditing));
  EXPECT_EQ(e->GetComment(), "");
  EXPECT_EQ(f.notes.Total(), 0);
}

// Hiding and showing the attribute column moves every data column's width
// with its column and gives the attribute column its remembered width.
TEST(NTabEdLayout, AttributeColumnShownAndHidden) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetColWidths(1, 50);
  e->SetColWidths(2, 60);
  e->SetColWidths(3, 70);
  e->SetColWidths(-1, 40);
  e->SetElem(1, 1, 7);
  f.notes = {};
  e->SetAttribRowVisible(false);
  EXPECT_EQ(f.notes.layout, 1);
  EXPECT_EQ(Grid(e)->GetColCount(), 4);
  EXPECT_EQ(Grid(e)->GetFixedCols(), 1);
  EXPECT_EQ(Grid(e)->GetColWidths(1), 50);  // table column 1 is grid column 1 now
  EXPECT_EQ(Grid(e)->GetColWidths(3), 70);
  EXPECT_EQ(e->GetColWidths(1), 50);
  EXPECT_EQ(e->GetColWidths(3), 70);
  EXPECT_EQ(e->GetColWidths(-1), 0);
  EXPECT_EQ(e->GetColWidths(0), 80);
  e->SetColWidths(-1, 99);  // nothing while hidden
  e->SetAttribRowVisible(false);
  EXPECT_EQ(f.notes.layout, 2);  // the width call; the repeated value fires nothing
  e->SetAttribRowVisible(true);
  EXPECT_EQ(f.notes.layout, 3);
  EXPECT_EQ(Grid(e)->GetColCount(), 5);
  EXPECT_EQ(Grid(e)->GetFixedCols(), 2);
  EXPECT_EQ(e->GetColWidths(-1), 40);
  EXPECT_EQ(e->GetColWidths(1), 50);
  EXPECT_EQ(e->GetColWidths(2), 60);
  EXPECT_EQ(e->GetColWidths(3), 70);
  EXPECT_EQ(Grid(e)->GetColWidths(2), 50);
  EXPECT_EQ(e->GetElem(1, 1), 7.0);
}

TEST(NTabEdLayout, AttributeRowShownAndHidden) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetRowHeight(0, 30);
  e->SetRowHeight(1, 20);
  e->SetRowHeight(4, 28);
  f.notes = {};
  e->SetAttribColVisible(true);
  EXPECT_EQ(f.notes.layout, 1);
  EXPECT_EQ(Grid(e)->GetRowCount(), 6);
  EXPECT_EQ(Grid(e)->GetFixedRows(), 2);
  EXPECT_EQ(Grid(e)->GetRowHeights(1), 30);  // the attribute row copies the name row
  EXPECT_EQ(Grid(e)->GetRowHeights(2), 20);  // table row 1
  EXPECT_EQ(Grid(e)->GetRowHeights(5), 28);  // table row 4
  e->SetRowHeight(-1, 17);
  EXPECT_EQ(Grid(e)->GetRowHeights(1), 17);
  e->SetRowHeight(4, 33);
  EXPECT_EQ(Grid(e)->GetRowHeights(5), 33);
  e->SetRowHeight(5, 40);  // beyond the table
  EXPECT_EQ(Grid(e)->GetRowHeights(5), 33);
  e->SetAttribColVisible(true);
  EXPECT_EQ(f.notes.layout, 1);
  e->SetAttribColVisible(false);
  EXPECT_EQ(f.notes.layout, 2);
  EXPECT_EQ(Grid(e)->GetRowCount(), 5);
  EXPECT_EQ(Grid(e)->GetFixedRows(), 1);
  EXPECT_EQ(Grid(e)->GetRowHeights(1), 20);
  EXPECT_EQ(Grid(e)->GetRowHeights(4), 33);
  e->SetRowHeight(-1, 50);  // nothing while hidden
  EXPECT_EQ(Grid(e)->GetRowHeights(1), 20);
}

// Table numbering survives every combination of the two offsets.
TEST(NTabEdLayout, TopRowAndLeftColInTableNumbering) {
  for (bool attribCol : {false, true})
    for (bool attribRow : {false, true}) {
      SCOPED_TRACE(testing::Message() << attribCol << attribRow);
      EditorFixture f(300, 130);
      TNTabEd* e = f.ed;
      e->Redimension(30, 50);
      e->SetAttribColVisible(attribCol);
      e->SetAttribRowVisible(attribRow);
      int colOff = attribRow ? 1 : 0, rowOff = attribCol ? 1 : 0;
      EXPECT_EQ(e->GetTopRow(), 1);
      EXPECT_EQ(e->GetLeftCol(), 1);
      e->SetTopRow(7);
      EXPECT_EQ(e->GetTopRow(), 7);
      EXPECT_EQ(Grid(e)->GetTopRow(), 7 + rowOff);
      e->SetLeftCol(5);
      EXPECT_EQ(e->GetLeftCol(), 5);
      EXPECT_EQ(Grid(e)->GetLeftCol(), 5 + colOff);
      e->SetLeftCol(0);
      EXPECT_EQ(Grid(e)->GetLeftCol(), colOff + 1);
      e->SetTopRow(-3);
      EXPECT_EQ(Grid(e)->GetTopRow(), rowOff + 1);
      e->SetTopRow(50 + 10);
      EXPECT_EQ(Grid(e)->GetTopRow(), rowOff + 50);
      e->SetLeftCol(99);
      EXPECT_EQ(Grid(e)->GetLeftCol(), colOff + 30);
      // Widths by table column whatever the offset.
      e->SetColWidths(2, 41);
      EXPECT_EQ(Grid(e)->GetColWidths(2 + colOff), 41);
      EXPECT_EQ(e->GetColWidths(2), 41);
    }
}

TEST(NTabEdLayout, ColumnWidthIndexesAndDefaultWidth) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetColWidths(0, 90);
  EXPECT_EQ(Grid(e)->GetColWidths(0), 90);
  EXPECT_EQ(f.notes.layout, 1);
  e->SetColWidths(4, 10);  // outside the table: no width changes, the layout event still fires
  EXPECT_EQ(f.notes.layout, 2);
  EXPECT_EQ(e->GetColWidths(4), 0);
  EXPECT_EQ(e->GetColWidths(3), 64);
  EXPECT_EQ(Grid(e)->GetColCount(), 5);
  e->SetColWidths(-1, 45);
  e->SetDefaultColWidth(50);
  EXPECT_EQ(e->GetDefaultColWidth(), 50);
  EXPECT_EQ(e->GetColWidths(0), 80);
  EXPECT_EQ(e->GetColWidths(-1), 45);
  EXPECT_EQ(e->GetColWidths(2), 50);
  EXPECT_EQ(f.notes.layout, 4);
}

// A grown table's new columns take the former last column's width and
// precision.
TEST(NTabEdLayout, GrowingColumnsCopiesTheLastColumn) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetColWidths(3, 77);
  e->SetDecPlaces(3, 6);
  e->SetNrOfColumns(6);
  EXPECT_EQ(Grid(e)->GetColCount(), 8);
  for (int c = 4; c <= 6; ++c) {
    EXPECT_EQ(e->GetColWidths(c), 77);
    EXPECT_EQ(e->GetDecPlaces(c), 6);
  }
  e->SetNrOfColumns(2);
  EXPECT_EQ(Grid(e)->GetColCount(), 4);
  EXPECT_EQ(e->GetDecPlaces(3), 0);
  e->SetNrOfColumns(0);  // a table keeps one column
  EXPECT_EQ(e->GetNrOfColumns(), 1);
  EXPECT_EQ(Grid(e)->GetColCount(), 3);
}

TEST(NTabEdLayout, AutoColWidthFitsTexts) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  TCanvas* c = e->Canvas();
  c->Font()->Assign(e->GetFont());
  e->SetElem(2, 3, -12345.678);
  int numbers = c->TextWidth("-12345.678");
  EXPECT_EQ(e->AutoColWidth(2, false, 0), numbers + 8);
  EXPECT_EQ(e->GetColWidths(2), numbers + 8);
  e->SetColName(2, "A rather long column name");
  int name = c->TextWidth("A rather long column name");
  EXPECT_EQ(e->AutoColWidth(2, true, 5), name + 5 + 8);
  EXPECT_EQ(e->AutoColWidth(2, false, 0), numbers + 8);
  for (int r = 1; r <= 4; ++r) e->SetElem(2, r, -12345.678);
  e->SetDecPlaces(2, 255);  // measured in the column's own form
  EXPECT_EQ(e->AutoColWidth(2, false, 0), c->TextWidth("-1.2E+04") + 8);
  e->SetNumWidth(5);
  EXPECT_EQ(e->AutoColWidth(2, false, 0), c->TextWidth("-1.2346E+04") + 8);
  // Attributes, row names, and what is not a column.
  EXPECT_EQ(e->AutoColWidth(-1, true, 0), c->TextWidth("Attrib") + 8);
  EXPECT_EQ(e->GetColWidths(-1), c->TextWidth("Attrib") + 8);
  EXPECT_EQ(e->AutoColWidth(-1, false, 0), c->TextWidth("255") + 8);
  EXPECT_EQ(e->AutoColWidth(0, true, 0), c->TextWidth("999:9999") + 8);
  e->SetRowName(2, "A very long row name indeed");
  EXPECT_EQ(e->AutoColWidth(0, true, 0), c->TextWidth("A very long row name indeed") + 8);
  EXPECT_EQ(e->AutoColWidth(1, false, -100), 4);  // never below 4
  // No column to measure: the extra and the margin, set as SetColWidths
  // sets them (past the last column nothing; any negative index is the
  // attribute column), with a layout event each.
  int layouts = f.notes.layout, widths[4];
  for (int i = 0; i < 4; ++i) widths[i] = e->GetColWidths(i);
  EXPECT_EQ(e->AutoColWidth(4, true, 0), 8);
  EXPECT_EQ(e->AutoColWidth(99, true, 6), 14);
  EXPECT_EQ(e->AutoColWidth(4, false, -100), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(e->GetColWidths(i), widths[i]) << i;
  EXPECT_EQ(e->AutoColWidth(-2, true, 3), 11);
  EXPECT_EQ(e->GetColWidths(-1), 11);
  EXPECT_EQ(f.notes.layout, layouts + 4);
  EXPECT_EQ(e->AutoColWidth(2, false, 0), c->TextWidth("-1.2346E+04") + 8);  // still measures
}

TEST(NTabEdLayout, AutoRowHeightAndOptimizeRowHeight) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  TCanvas* c = e->Canvas();
  c->Font()->Assign(e->GetFont());
  int text = c->TextHeight("9GMg");
  EXPECT_EQ(e->AutoRowHeight(2, 3), text + 5);
  EXPECT_EQ(Grid(e)->GetRowHeights(2), text + 5);
  EXPECT_EQ(e->AutoRowHeight(0, -100), 8);
  EXPECT_EQ(Grid(e)->GetRowHeights(0), 8);
  e->SetOptimizeRowHeight(true);
  EXPECT_EQ(Grid(e)->GetDefaultRowHeight(), text + 4);
  e->GetFont()->SetSize(16);
  c->Font()->Assign(e->GetFont());
  EXPECT_EQ(Grid(e)->GetDefaultRowHeight(), c->TextHeight("9GMg") + 4);
}
