// Table editor data binding: dimensions, inserting and removing lines with
// their names, attributes and precisions, marks, names, the change
// notifications held back while painting is suppressed or a bulk change
// runs, and the failures of resizing.
#include "framework/AllocGuard.h"
#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

// Columns A, B, C with attributes 1, 2, 3, precisions 0, 5, scientific and
// row 1 holding 1, 2, 3 (mark A on the B cell).
void Label3(TNTabEd* e) {
  const char* names[] = {"A", "B", "C"};
  const int places[] = {0, 5, 255};
  for (int c = 1; c <= 3; ++c) {
    e->SetColName(c, names[c - 1]);
    e->SetColAttrib(c, uint8_t(c));
    e->SetDecPlaces(c, places[c - 1]);
    e->SetElem(c, 1, c);
  }
  e->SetElemMarkedA(2, 1, true);
}

void ExpectColumn(TNTabEd* e, int c, const std::string& name, int attrib, int places, double value) {
  SCOPED_TRACE(testing::Message() << "column " << c);
  EXPECT_EQ(e->GetColName(c), name);
  EXPECT_EQ(e->GetColAttrib(c), attrib);
  EXPECT_EQ(e->GetDecPlaces(c), places);
  EXPECT_EQ(e->GetElem(c, 1), value);
}

}  // namespace

TEST(NTabEdTable, InsertAndRemoveColumnsKeepHeadersAndPrecisionsAligned) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  Label3(e);
  e->InsertColumn(2);
  ASSERT_EQ(e->GetNrOfColumns(), 4);
  EXPECT_EQ(e->GetColCount(), 6);
  ExpectColumn(e, 1, "A", 1, 0, 1);
  ExpectColumn(e, 2, "C-2", 0, 5, 0);  // the new column takes the precision at its place
  ExpectColumn(e, 3, "B", 2, 5, 2);
  ExpectColumn(e, 4, "C", 3, 255, 3);
  EXPECT_TRUE(e->GetElemMarkedA(3, 1));
  e->InsertColumn(5);  // appended: the last column's precision
  ExpectColumn(e, 5, "C-5", 0, 255, 0);
  e->InsertColumn(7);  // beyond columns + 1
  EXPECT_EQ(e->GetNrOfColumns(), 5);
  e->RemoveColumn(3);
  ASSERT_EQ(e->GetNrOfColumns(), 4);
  ExpectColumn(e, 2, "C-2", 0, 5, 0);
  ExpectColumn(e, 3, "C", 3, 255, 3);
  EXPECT_FALSE(e->IfAnyMarked());
  e->RemoveColumn(1);
  ExpectColumn(e, 1, "C-2", 0, 5, 0);
  e->RemoveColumn(0);
  e->RemoveColumn(4);
  EXPECT_EQ(e->GetNrOfColumns(), 3);
  e->SetNrOfColumns(1);
  e->RemoveColumn(1);  // the last column stays
  EXPECT_EQ(e->GetNrOfColumns(), 1);
  EXPECT_EQ(e->GetColCount(), 3);
}

TEST(NTabEdTable, InsertAndRemoveRowsKeepNamesAttributesAndStates) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  for (int r = 1; r <= 4; ++r) {
    e->SetRowName(r, "row" + std::to_string(r));
    e->SetRowAttrib(r, uint8_t(10 * r));
    e->SetElem(2, r, r * 1.5);
  }
  e->SetElemMarkedB(2, 3, true);
  e->RemoveRow(2);
  ASSERT_EQ(e->GetNrOfRows(), 3);
  EXPECT_EQ(e->GetRowCount(), 4);
  EXPECT_EQ(e->GetRowName(2), "row3");
  EXPECT_EQ(e->GetRowAttrib(2), 30);
  EXPECT_EQ(e->GetElem(2, 2), 4.5);
  EXPECT_TRUE(e->GetElemMarkedB(2, 2));
  e->InsertRow(1);
  EXPECT_EQ(e->GetRowName(2), "row1");
  EXPECT_EQ(e->GetRowAttrib(1), 0);
  EXPECT_EQ(e->GetElem(2, 1), 0.0);
  e->InsertRow(e->GetNrOfRows() + 1);  // appends
  EXPECT_EQ(e->GetNrOfRows(), 5);
  e->InsertRow(e->GetNrOfRows() + 2);
  e->InsertRow(0);
  EXPECT_EQ(e->GetNrOfRows(), 5);
  EXPECT_EQ(e->GetRowCount(), 6);
  e->SetNrOfRows(1);
  e->RemoveRow(1);  // the last row stays
  EXPECT_EQ(e->GetNrOfRows(), 1);
  // With the attribute row shown the grid still follows.
  e->SetAttribColVisible(true);
  e->InsertRow(1);
  EXPECT_EQ(e->GetRowCount(), 4);
}

TEST(NTabEdTable, MirrorsTakeHeadersAndPrecisionsAlong) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  Label3(e);
  e->MirrorColumns();
  ExpectColumn(e, 1, "C", 3, 255, 3);
  ExpectColumn(e, 2, "B", 2, 5, 2);
  ExpectColumn(e, 3, "A", 1, 0, 1);
  EXPECT_EQ(f.notes.data, 1);
  e->SetRowName(1, "first");
  e->SetRowName(4, "last");
  e->MirrorRows();
  EXPECT_EQ(e->GetRowName(1), "last");
  EXPECT_EQ(e->GetRowName(4), "first");
  EXPECT_EQ(e->GetElem(1, 4), 3.0);
  EXPECT_TRUE(e->GetElemMarkedA(2, 4));
  // The table's own exchanges outside an editor sort leave precisions alone.
  e->GetDataTable()->MirrorColumns();
  EXPECT_EQ(e->GetDecPlaces(1), 255);
  EXPECT_EQ(e->GetColName(1), "A");
}

TEST(NTabEdTable, MarksAndStateBits) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  EXPECT_FALSE(e->IfAnyMarked());
  e->SetElemMarkedA(1, 2, true);
  e->SetElemMarkedB(3, 4, true);
  e->SetIsEmpty(2, 2, true);
  EXPECT_EQ(f.notes.states, 3);
  EXPECT_EQ(e->GetCellState(1, 2), csMarkA);
  EXPECT_TRUE(e->GetIsEmpty(2, 2));
  EXPECT_FALSE(e->GetIsNumber(2, 2));
  EXPECT_TRUE(e->IfRowMarked(2));
  EXPECT_FALSE(e->IfRowMarked(2 + 1));
  EXPECT_TRUE(e->IfColumnMarked(3));
  EXPECT_FALSE(e->IfColumnMarked(2));  // the empty bit is no mark
  EXPECT_FALSE(e->IfRowMarked(0));
  EXPECT_FALSE(e->IfColumnMarked(4));
  EXPECT_EQ(e->NrOfMarkedDataA(), 1);
  EXPECT_EQ(e->NrOfMarkedDataB(), 1);
  e->SetElemMarkedA(1, 2, false);
  EXPECT_EQ(e->GetCellState(1, 2), 0);
  e->SetElemMarkedA(9, 9, true);  // outside: still notifies, changes nothing
  EXPECT_EQ(f.notes.states, 5);
  EXPECT_EQ(e->NrOfMarkedDataA(), 0);
  e->SetCellState(1, 1, csMarkA | csMarkB | csInvalid);
  EXPECT_EQ(e->GetCellState(1, 1), csMarkA | csMarkB | csInvalid);
  e->SetCellState(0, 1, csMarkA);
  e->MarkAllElemsA();
  EXPECT_EQ(e->NrOfMarkedDataA(), 12);
  EXPECT_EQ(e->GetCellState(2, 2), csMarkA | csEmpty);  // only its own bit
  e->ExchangeMarkings();
  EXPECT_EQ(e->NrOfMarkedDataA(), 2);
  EXPECT_EQ(e->NrOfMarkedDataB(), 12);
  e->InvertCellStates(csMarkA);
  EXPECT_EQ(e->NrOfMarkedDataA(), 10);
  e->UnMarkAllElems();
  EXPECT_FALSE(e->IfAnyMarked());
  EXPECT_TRUE(e->GetIsEmpty(2, 2));
  e->MarkAllElemsB();
  EXPECT_EQ(e->NrOfMarkedDataB(), 12);
  EXPECT_EQ(f.notes.states, 11);  // one for each call that may change states
  // Filling marked cells touches values only.
  e->SetElemMarkedB(1, 1, false);
  e->FillMarkedCells(9, csMarkB);
  EXPECT_EQ(e->GetElem(1, 1), 0.0);
  EXPECT_EQ(e->GetElem(3, 4), 9.0);
  e->Fill(2);
  EXPECT_EQ(e->GetElem(1, 1), 2.0);
}

TEST(NTabEdTable, NamesAttributesAndPrecisions) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += char('a' + i % 26);
  e->SetColName(1, sixty);
  EXPECT_EQ(e->GetColName(1), sixty.substr(0, 50));
  std::string wide;
  for (int i = 0; i < 55; ++i) wide += "\xC3\xA9";  // é: cut by characters, not bytes
  e->SetRowName(2, wide);
  EXPECT_EQ(e->GetRowName(2).size(), 100u);
  EXPECT_EQ(f.notes.heading, 2);
  e->SetColName(4, "x");
  e->SetRowName(0, "x");
  EXPECT_EQ(f.notes.heading, 2);
  EXPECT_EQ(e->GetColName(4), "");
  e->SetColAttrib(2, 200);
  e->SetRowAttrib(4, 7);
  e->SetRowAttrib(5, 7);
  EXPECT_EQ(e->GetColAttrib(2), 200);
  EXPECT_EQ(e->GetRowAttrib(4), 7);
  EXPECT_EQ(e->GetRowAttrib(5), 0);
  EXPECT_EQ(f.notes.attrib, 2);
  e->SetDecPlaces(1, -5);
  EXPECT_EQ(e->GetDecPlaces(1), 255);
  e->SetDecPlaces(1, 15);
  EXPECT_EQ(e->GetDecPlaces(1), 10);
  e->SetDecPlaces(1, 255);
  EXPECT_EQ(e->GetDecPlaces(1), 255);
  e->SetDecPlaces(1, 0);
  EXPECT_EQ(e->GetDecPlaces(1), 0);
  e->SetDecPlaces(4, 2);
  EXPECT_EQ(f.notes.layout, 4);
  EXPECT_EQ(e->FindColIndex(sixty), 1);  // cut the same way
  EXPECT_EQ(e->FindRowIndex(wide), 2);
  EXPECT_EQ(e->FindColIndex("C-2"), 2);
  EXPECT_EQ(e->FindColIndex("c-2"), 0);
  EXPECT_EQ(e->FindRowIndex("nothing"), 0);
}

// While painting is suppressed nothing is drawn and nothing notifies;
// lifting it repaints once and fires each held notification once.
TEST(NTabEdNotify, HeldWhileSuppressedAndFiredOnceAfterwards) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  f.ed->drawn = 0;
  e->Paint();
  int perPaint = f.ed->drawn;
  ASSERT_GT(perPaint, 0);
  f.ed->drawn = 0;
  e->SetSuppressPaint(true);
  for (int c = 1; c <= 3; ++c) e->SetColName(c, "n");
  e->SetColAttrib(1, 5);
  e->SetElemMarkedA(1, 1, true);
  e->SetDecPlaces(2, 4);
  e->SetNrOfRows(9);
  e->SetComment("note");
  Application->ProcessMessages();
  EXPECT_EQ(f.ed->drawn, 0);
  EXPECT_EQ(f.notes.Total(), 0);
  e->SetSuppressPaint(true);  // no change, nothing happens
  e->SetSuppressPaint(false);
  int lifted = f.ed->drawn;
  f.ed->drawn = 0;
  e->Paint();
  EXPECT_EQ(lifted, f.ed->drawn);  // exactly one full paint
  EXPECT_EQ(f.notes.heading, 1);
  EXPECT_EQ(f.notes.attrib, 1);
  EXPECT_EQ(f.notes.states, 1);
  EXPECT_EQ(f.notes.layout, 1);
  EXPECT_EQ(f.notes.setup, 1);
  EXPECT_EQ(f.notes.data, 1);
  EXPECT_EQ(f.notes.selection, 0);
  f.notes = {};
  e->SetSuppressPaint(false);
  EXPECT_EQ(f.notes.Total(), 0);
}

// Bulk changes notify once, after they are done.
TEST(NTabEdNotify, BulkChangesNotifyOnceAfterwards) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  int setupSeenRows = -1;
  e->OnChangeSetup = [&](TObject*) {
    ++f.notes.setup;
    setupSeenRows = e->GetNrOfRows();
  };
  e->SetNrOfColumns(8);
  EXPECT_EQ(f.notes.setup, 1);
  e->SetNrOfRows(12);
  EXPECT_EQ(f.notes.setup, 2);
  EXPECT_EQ(setupSeenRows, 12);
  e->Redimension(4, 5);
  EXPECT_EQ(f.notes.setup, 3);
  EXPECT_EQ(e->GetColCount(), 6);
  EXPECT_EQ(e->GetRowCount(), 6);
  e->MarkAllElemsA();
  EXPECT_EQ(f.notes.states, 1);
  e->Clear();
  EXPECT_EQ(f.notes.data, 1);
  EXPECT_EQ(f.notes.heading, 1);
  EXPECT_EQ(f.notes.layout, 1);
  e->FillMarkedCells(1, csMarkA);
  EXPECT_EQ(f.notes.data, 2);
  // An application that suppresses painting around a bulk change gets the
  // bulk change's notification when it lifts the suppression.
  e->SetSuppressPaint(true);
  e->SetNrOfColumns(2);
  e->Clear();
  EXPECT_EQ(f.notes.setup, 3);
  e->SetSuppressPaint(false);
  EXPECT_EQ(f.notes.setup, 4);
  EXPECT_EQ(f.notes.data, 3);
  EXPECT_EQ(f.notes.heading, 2);
}

TEST(NTabEdNotify, CommentProgressAndTableHandlers) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetComment("line one\r\nline\ttwo \xC3\xA9");
  EXPECT_EQ(e->GetComment(), "line onelinetwo \xC3\xA9");
  EXPECT_EQ(e->GetDataTable()->GetFComment(), e->GetComment());
  EXPECT_EQ(f.notes.data, 1);
  EXPECT_EQ(f.notes.setup, 1);
  TObject* sender = nullptr;
  int percent = -1;
  e->OnPercentDone = [&](TObject* s, int p) { sender = s, percent = p; };
  e->GetDataTable()->OnPercentDone(e->GetDataTable(), 40);
  EXPECT_EQ(sender, e);
  EXPECT_EQ(percent, 40);
  // The table's own changes reach the editor.
  e->GetDataTable()->Clear();
  EXPECT_EQ(f.notes.data, 2);
  e->GetDataTable()->Resize(7, 2);
  EXPECT_EQ(e->GetColCount(), 9);
  EXPECT_EQ(e->GetRowCount(), 3);
  EXPECT_EQ(e->GetDecPlaces(7), 3);
}

TEST(NTabEdProps, SettersAndTheirEffects) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetNumWidth(7);
  EXPECT_EQ(e->GetNumWidth(), 7);
  e->SetNumWidth(0);
  e->SetNumWidth(21);
  EXPECT_EQ(e->GetNumWidth(), 7);
  EXPECT_EQ(f.notes.layout, 3);  // ignored values still report
  e->SetBoldMarks(false);
  e->SetBoldMarks(false);
  e->SetBoldSelHeads(false);
  EXPECT_EQ(f.notes.layout, 5);
  e->SetColorMarkedA(0x123456);
  EXPECT_EQ(e->GetColorMarkedA(), TColor(0x123456));
  EXPECT_EQ(f.notes.layout, 6);
  e->SetColorBackground(0xEEFFEE);
  EXPECT_EQ(e->GetColor(), TColor(0xEEFFEE));
  e->SetColorFixed(0xDDDDDD);
  EXPECT_EQ(e->GetFixedColor(), TColor(0xDDDDDD));
  e->SetDataReadOnly(false);
  EXPECT_FALSE(e->GetOptions().Contains(goEditing));  // unchanged: nothing
  e->SetDataReadOnly(true);
  EXPECT_FALSE(e->GetOptions().Contains(goEditing));
  e->SetDataReadOnly(false);
  EXPECT_TRUE(e->GetOptions().Contains(goEditing));
  e->SetDataReadOnly(true);
  EXPECT_FALSE(e->GetOptions().Contains(goEditing));
  e->SetNomEditDropDownCount(3);
  EXPECT_EQ(e->GetNomEditDropDownCount(), 3);
}

// A table that cannot grow raises, names the operation and leaves the
// editor as it was, still painting and notifying.
TEST(NTabEdErrors, FailedResizeLeavesTheEditorUsable) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetName("Ed");
  struct Case {
    const char* what;
    std::function<void()> call;
  };
  Case cases[] = {{"TNTabEd.NrOfColumns = 10 refused", [&] { e->SetNrOfColumns(10); }},
                  {"TNTabEd.NrOfRows = 10 refused", [&] { e->SetNrOfRows(10); }},
                  {"TNTabEd.Redimension(10, 10) refused", [&] { e->Redimension(10, 10); }}};
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    FailNextAllocations(1);
    try {
      c.call();
      ADD_FAILURE() << "no error";
    } catch (const EQELNTabedError&) {
      ADD_FAILURE() << "wrong class";
    } catch (const EQELError& err) {
      EXPECT_NE(std::string(err.what()).find(c.what), std::string::npos) << err.what();
      EXPECT_EQ(std::string(err.what()).rfind("Component \"Ed\": ", 0), 0u) << err.what();
      EXPECT_NE(std::string(err.what()).find(" cells does not fit in memory (Out of memory)"), std::string::npos) << err.what();
    }
    EXPECT_EQ(e->GetNrOfColumns(), 3);
    EXPECT_EQ(e->GetNrOfRows(), 4);
    EXPECT_EQ(e->GetColCount(), 5);
    EXPECT_EQ(e->GetRowCount(), 5);
  }
  f.notes = {};
  e->SetColName(1, "still");
  EXPECT_EQ(f.notes.heading, 1);
  f.ed->drawn = 0;
  e->Paint();
  EXPECT_GT(f.ed->drawn, 0);
  e->SetNrOfColumns(4);
  EXPECT_EQ(f.notes.setup, 1);
}

// The table grows but the precisions cannot: the error says so, and the
// new columns are still shown (with the last precision) until one is set.
TEST(NTabEdErrors, FailedPrecisionArrayIsReportedAndHarmless) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetName("Ed");
  e->SetDecPlaces(3, 1);
  FailNextAllocations(1, 1);
  try {
    e->SetNrOfColumns(6);
    ADD_FAILURE() << "no error";
  } catch (const EQELNTabedError& err) {
    EXPECT_STREQ(err.what(), "Component \"Ed\": not enough memory on heap");
  }
  EXPECT_EQ(e->GetNrOfColumns(), 6);
  EXPECT_EQ(e->GetColCount(), 8);
  EXPECT_EQ(e->GetDecPlaces(6), 1);
  f.ed->drawn = 0;
  e->Paint();
  EXPECT_GT(f.ed->drawn, 0);
  e->SetDecPlaces(6, 4);
  EXPECT_EQ(e->GetDecPlaces(6), 4);
  EXPECT_EQ(e->GetDecPlaces(5), 1);
  f.notes = {};
  e->SetNrOfRows(3);
  EXPECT_EQ(f.notes.setup, 1);
}

TEST(NTabEdErrors, ConstructionWithoutMemory) {
  TForm form(nullptr);
  FailNextAllocations(1);
  try {
    new TNTabEd(&form);
    ADD_FAILURE() << "no error";
  } catch (const EQELNTabedError& err) {
    EXPECT_STREQ(err.what(), "Component \"\": failed to initialize table editor (out of memory)");
  }
  EXPECT_EQ(form.ComponentCount(), 0);
  auto* e = new TNTabEd(&form);  // the next one is whole
  EXPECT_EQ(e->GetNrOfColumns(), 3);
}
