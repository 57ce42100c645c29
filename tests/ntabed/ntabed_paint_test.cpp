// Table editor painting: the texts of data cells (numbers, empty, invalid,
// nominal identifiers), the colour of every state byte with and without
// selection, the render hook, every kind of header cell with its inset and
// position, and the corner cell in both states and outside the paint cycle.
#include <map>

#include "tests/ntabed/NTabEdTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {

struct Rendered {
  std::string text;
  TColor fg = 0, bg = 0;
  TFontStyles style;
};

using TRenderedCells = std::map<std::pair<int, int>, Rendered>;
Rendered& At(TRenderedCells& Seen, int c, int r) { return Seen[{c, r}]; }

// Records what the editor hands to the render hook for each table cell.
TRenderedCells RenderAll(EditorFixture& f) {
  TRenderedCells seen;
  f.ed->OnBeforeRenderCell = [&seen](TObject*, int c, int r, std::string& text, TColor& fg, TColor& bg,
                                     TFontStyles& style) { At(seen, c, r) = {text, fg, bg, style}; };
  f.ed->Paint();
  f.ed->OnBeforeRenderCell = nullptr;
  return seen;
}

// The inner rectangle of a header cell: one pixel in, two more at the right.
TRect HeaderRect(TNTabEd* e, int gc, int gr, bool attribLabel = false) {
  TRect r = e->CellRect(gc, gr);
  return {r.Left + 1, r.Top + 1, r.Right - 1 - (attribLabel ? 0 : 2), r.Bottom - 1};
}

}  // namespace

TEST(NTabEdPaint, DataCellTexts) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetElem(1, 1, 1234.5);
  e->SetElem(1, 2, 0.0004);
  e->SetElem(1, 3, 123456.7);
  e->SetElem(2, 1, 5);
  e->SetCellState(2, 1, csEmpty | csInvalid);  // empty wins
  e->SetElem(2, 2, 5);
  e->SetCellState(2, 2, csInvalid);
  e->SetElem(2, 3, 5);
  e->SetCellState(2, 3, csMarkA | csMarkB);  // marks do not change the text
  e->SetDecPlaces(3, 0);
  e->SetElem(3, 1, 0.5);
  e->SetElem(3, 2, 1);
  e->SetElem(3, 4, 1e150);
  auto seen = RenderAll(f);
  EXPECT_EQ(At(seen, 1, 1).text, "1234.500");
  EXPECT_EQ(At(seen, 1, 2).text, " 4.0E-04");
  EXPECT_EQ(At(seen, 1, 3).text, " 1.2E+05");
  EXPECT_EQ(At(seen, 1, 4).text, "0.000");
  EXPECT_EQ(At(seen, 2, 1).text, "");
  EXPECT_EQ(At(seen, 2, 2).text, "-nan-");
  EXPECT_EQ(At(seen, 2, 3).text, "5.000");
  EXPECT_EQ(At(seen, 3, 1).text, " 5.0E-01");
  EXPECT_EQ(At(seen, 3, 2).text, "1");
  EXPECT_EQ(At(seen, 3, 4).text, "********");
  e->SetNumWidth(8);
  seen = RenderAll(f);
  EXPECT_EQ(At(seen, 1, 4).text, "   0.000");
}

TEST(NTabEdPaint, NominalColumnsShowIdentifiers) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  TDataTable* t = e->GetDataTable();
  t->SetMScaleType(1, 1);
  t->SetNominalID(1, 3, "red");
  t->SetNominalID(1, 50, "last");
  t->SetMScaleType(2, 2);
  t->SetNominalID(2, 1, "\xC3\xA9t\xC3\xA9");
  t->SetMScaleType(3, 3);  // ordinal: an ordinary number
  e->SetElem(1, 1, 3.4);
  e->SetElem(1, 2, 0);
  e->SetElem(1, 3, 51);
  e->SetElem(1, 4, 4);  // a code without identifier
  e->SetElem(2, 1, 0.6);
  e->SetElem(2, 2, 49.5);  // rounds to 50, which column 2 has no name for
  e->SetElem(2, 3, -2);
  e->SetElem(3, 1, 3.4);
  e->SetElem(2, 4, 1);
  e->SetCellState(2, 4, csInvalid);
  auto seen = RenderAll(f);
  EXPECT_EQ(At(seen, 1, 1).text, "red");
  EXPECT_EQ(At(seen, 1, 2).text, "binary:0");
  EXPECT_EQ(At(seen, 1, 3).text, "binary:51");
  EXPECT_EQ(At(seen, 1, 4).text, "binary:4");
  EXPECT_EQ(At(seen, 2, 1).text, "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(At(seen, 2, 2).text, "nominal:50");
  EXPECT_EQ(At(seen, 2, 3).text, "nominal:-2");
  EXPECT_EQ(At(seen, 2, 4).text, "-nan-");
  EXPECT_EQ(At(seen, 3, 1).text, "3.400");
  e->SetElem(1, 1, 49.6);
  seen = RenderAll(f);
  EXPECT_EQ(At(seen, 1, 1).text, "last");
}

// The text colour by state byte, selected or not, and bold marks.
TEST(NTabEdPaint, StateByteColourTable) {
  EditorFixture f(560);
  TNTabEd* e = f.ed;
  const uint8_t states[] = {0, csInvalid | csEmpty, csMarkA, csMarkA | csInvalid, csMarkB, csMarkA | csMarkB};
  const TColor want[] = {e->GetColorNormal(), e->GetColorNormal(), e->GetColorMarkedA(),
                         e->GetColorMarkedA(), e->GetColorMarkedB(), e->GetColorMarkedBoth()};
  e->Redimension(6, 2);
  for (int c = 1; c <= 6; ++c) {
    e->SetCellState(c, 1, states[c - 1]);
    e->SetCellState(c, 2, states[c - 1]);
  }
  // Row 2 is selected (grid row 2; the current cell is its last one).
  e->SetSelection({2, 2, 7, 2});
  auto seen = RenderAll(f);
  for (int c = 1; c <= 6; ++c) {
    SCOPED_TRACE(c);
    bool marked = states[c - 1] >= 64;
    const Rendered& plain = At(seen, c, 1);
    EXPECT_EQ(plain.fg, want[c - 1]);
    EXPECT_EQ(plain.bg, clWindow);
    EXPECT_EQ(plain.style.Contains(fsBold), marked);
    const Rendered& sel = At(seen, c, 2);
    EXPECT_EQ(sel.fg, marked ? want[c - 1] : e->GetColorRangeSelFG());
    EXPECT_EQ(sel.bg, e->GetColorRangeSelBG());
    EXPECT_EQ(sel.style.Contains(fsBold), marked);
  }
  e->SetBoldMarks(false);
  e->GetFont()->SetStyle({fsItalic});
  seen = RenderAll(f);
  EXPECT_EQ(At(seen, 3, 1).style, TFontStyles{fsItalic});
  EXPECT_EQ(At(seen, 1, 1).style, TFontStyles{fsItalic});
}

// A selected cell carrying mark A shows its mark colour on the selection
// background, bold, where the grid puts it.
TEST(NTabEdPaint, SelectedMarkedCellPixels) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetElem(1, 1, 2.5);
  e->SetElemMarkedA(1, 1, true);
  e->SetElem(2, 1, 7);
  e->SetSelection({2, 1, 3, 2});
  auto shot = f.Shot();
  TRect marked = e->CellRect(2, 1), plain = e->CellRect(3, 1);
  EXPECT_TRUE(ShowsText(*shot, e, marked, marked.Left + 2, marked.Top + 1, "2.500", e->GetColorMarkedA(),
                        e->GetColorRangeSelBG(), {fsBold}));
  EXPECT_TRUE(ShowsText(*shot, e, plain, plain.Left + 2, plain.Top + 1, "7.000", e->GetColorRangeSelFG(),
                        e->GetColorRangeSelBG(), {}));
  TRect outside = e->CellRect(4, 1);
  EXPECT_TRUE(ShowsText(*shot, e, outside, outside.Left + 2, outside.Top + 1, "0.000", e->GetColorNormal(),
                        clWindow, {}));
}

// What the hook leaves is drawn; the table keeps its value.
TEST(NTabEdPaint, RenderHookChangesOnlyWhatIsDrawn) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetElem(2, 3, 1.25);
  int calls = 0;
  e->OnBeforeRenderCell = [&](TObject* s, int c, int r, std::string& text, TColor& fg, TColor& bg,
                              TFontStyles& style) {
    EXPECT_EQ(s, e);
    ++calls;
    if (c != 2 || r != 3) return;
    EXPECT_EQ(text, "1.250");
    text = "override";
    fg = 0x0000FF;
    bg = 0x00FFFF;
    style = {fsUnderline};
  };
  auto shot = f.Shot();
  EXPECT_EQ(calls, 12);
  TRect r = e->CellRect(3, 3);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "override", 0x0000FF, 0x00FFFF, {fsUnderline}));
  EXPECT_EQ(e->GetElem(2, 3), 1.25);
  EXPECT_EQ(e->GetCellState(2, 3), 0);
}

// Names and attributes of rows and columns, the attribute labels, and the
// header of the current row and column in ColorSelected, bold.
TEST(NTabEdPaint, HeaderCells) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetColorSelected(0x0000C0);
  e->SetAttribColVisible(true);
  e->SetRowName(1, "First");
  e->SetRowName(2, "Second");
  e->SetRowAttrib(1, 17);
  e->SetColName(1, "Mass");
  e->SetColName(2, "Size");
  e->SetColAttrib(2, 255);
  // Anchor at table cell (2, 2): grid column 3, grid row 3.
  e->SetSelection({3, 3, 4, 4});
  auto shot = f.Shot();
  TColor normal = e->GetColorNormal(), current = e->GetColorSelected();
  TRect r = HeaderRect(e, 0, 2);  // row 1's name: not current
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top, "First", normal, clBtnFace, {}));
  r = HeaderRect(e, 0, 3);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top, "Second", current, clBtnFace, {fsBold}));
  r = HeaderRect(e, 1, 2);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "17", normal, clBtnFace, {}));
  r = HeaderRect(e, 1, 3);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "0", current, clBtnFace, {fsBold}));
  r = HeaderRect(e, 2, 0);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "Mass", normal, clBtnFace, {}));
  r = HeaderRect(e, 3, 0);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "Size", current, clBtnFace, {fsBold}));
  r = HeaderRect(e, 3, 1);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "255", current, clBtnFace, {fsBold}));
  r = HeaderRect(e, 2, 1);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "0", normal, clBtnFace, {}));
  TColor text = e->GetFont()->GetColor();
  r = HeaderRect(e, 1, 0, true);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "Attrib", text, clBtnFace, {}));
  r = HeaderRect(e, 0, 1);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "Attribute", text, clBtnFace, {}));
  r = HeaderRect(e, 1, 1);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "", text, clBtnFace, {}));
  // Without bold current headers only the colour tells.
  e->SetBoldSelHeads(false);
  e->Paint();
  shot = f.Shot();
  r = HeaderRect(e, 3, 0);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "Size", current, clBtnFace, {}));
}

// With the attribute column hidden table column 1 is grid column 1 and the
// row names keep the left edge.
TEST(NTabEdPaint, CellsFollowTheOffsets) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetAttribRowVisible(false);
  e->SetElem(1, 1, 3);
  e->SetColName(1, "One");
  e->SetSelection({2, 2, 2, 2});
  auto shot = f.Shot();
  TRect r = e->CellRect(1, 1);
  EXPECT_EQ(r.Left, 81);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "3.000", e->GetColorNormal(), clWindow, {}));
  r = HeaderRect(e, 1, 0);
  EXPECT_TRUE(ShowsText(*shot, e, r, r.Left + 2, r.Top + 1, "One", e->GetColorNormal(), clBtnFace, {}));
  TRect corner = e->CellRect(0, 0);
  TRect inner{corner.Left + 1, corner.Top + 1, corner.Right - 1, corner.Bottom - 1};
  EXPECT_TRUE(ShowsText(*shot, e, corner, corner.Left + 3, corner.Top + 2, "2:2", e->GetColorNormal(), clWindow, {},
                        inner));
}

TEST(NTabEdPaint, CornerCellInBothStates) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->SetAttribColVisible(true);
  e->SetSelection({4, 3, 4, 5});  // anchor at table column 3, row 2
  auto shot = f.Shot();
  TRect corner = e->CellRect(0, 0);
  TRect inner{corner.Left + 1, corner.Top + 1, corner.Right - 1, corner.Bottom - 1};
  EXPECT_TRUE(
      ShowsText(*shot, e, corner, corner.Left + 3, corner.Top + 2, "3:2", e->GetColorNormal(), clWindow, {}, inner));
  f.ed->SetCommentEditing(true);
  e->Paint();
  shot = f.Shot();
  EXPECT_TRUE(ShowsText(*shot, e, corner, corner.Left + 2, corner.Top + 1, "Comment:", clWhite, 0x808000, {}, inner));
}

// The corner follows the current cell at once, without a paint cycle.
TEST(NTabEdPaint, CornerRedrawnOutsideThePaintCycle) {
  EditorFixture f;
  TNTabEd* e = f.ed;
  e->GetFont()->SetStyle({fsBold});  // the redraw writes in the normal style, the paint did not
  e->SetSelection({3, 4, 3, 4});  // table column 2, row 4
  TRect corner = e->CellRect(0, 0);
  TRect inner{corner.Left + 1, corner.Top + 1, corner.Right - 1, corner.Bottom - 1};
  auto surface = [&] {
    auto copy = std::make_unique<TBitmap>(e->Surface()->GetWidth(), e->Surface()->GetHeight());
    for (int y = 0; y < copy->GetHeight(); ++y)
      for (int x = 0; x < copy->GetWidth(); ++x) copy->ScanLine(y)[x] = e->Surface()->ScanLine(y)[x];
    return copy;
  };
  EXPECT_FALSE(
      ShowsText(*surface(), e, corner, corner.Left + 3, corner.Top + 2, "2:4", e->GetColorNormal(), clWindow, {}, inner));
  e->RedrawCorner();
  EXPECT_TRUE(
      ShowsText(*surface(), e, corner, corner.Left + 3, corner.Top + 2, "2:4", e->GetColorNormal(), clWindow, {}, inner));
  // Blocked while painting is suppressed.
  e->SetSuppressPaint(true);
  e->SetSelection({2, 1, 2, 1});
  e->RedrawCorner();
  EXPECT_TRUE(
      ShowsText(*surface(), e, corner, corner.Left + 3, corner.Top + 2, "2:4", e->GetColorNormal(), clWindow, {}, inner));
  e->SetSuppressPaint(false);
  e->GetFont()->SetStyle({});
  // Presses in the data area and keys redraw it too.
  f.robot.Click(e, e->CellRect(3, 2).Left + 5, e->CellRect(3, 2).Top + 5);
  EXPECT_TRUE(
      ShowsText(*surface(), e, corner, corner.Left + 3, corner.Top + 2, "2:2", e->GetColorNormal(), clWindow, {}, inner));
  f.robot.Key(VK_DOWN);
  EXPECT_TRUE(
      ShowsText(*surface(), e, corner, corner.Left + 3, corner.Top + 2, "2:3", e->GetColorNormal(), clWindow, {}, inner));
}
