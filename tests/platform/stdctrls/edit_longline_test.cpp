// A line of a million characters in the edit, the combo box and the grid's
// in-place editor: the keys work as in a short line, and the part that
// shows looks exactly like the same characters shown from a short line.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EditTestUtil.h"
#include "platform/grids/Grids.h"
#include "platform/grids/InplaceEdit.h"
#include "platform/rtl/Utf8.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"

using namespace qel;
using namespace qel::test;

namespace {

// Words with letters beyond ASCII and kerning pairs, Units times.
std::string Words(int Units, const std::string& Unit = "AVATAR fox caf\xC3\xA9 na\xC3\xAFve WAVE ") {
  std::string s;
  s.reserve(Unit.size() * size_t(Units));
  for (int i = 0; i < Units; ++i) s += Unit;
  return s;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
  for (int y = 0; y < a.GetHeight(); ++y)
    for (int x = 0; x < a.GetWidth(); ++x)
      if (a.ScanLine(y)[x] != b.ScanLine(y)[x]) return false;
  return true;
}

struct LongLineTest : EditFormFixture, ::testing::Test {
  TEdit* edit = new TEdit(form);
  TEdit* twin = new TEdit(form);  // the same visible text from a short line
  const std::string text = Words(1000000 / 27);  // 27 characters a unit
  LongLineTest() {
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, edit->GetHeight());
    twin->SetParent(form);
    twin->SetBounds(10, 60, 200, twin->GetHeight());
    form->Show();
  }
  int Length() { return edit->Editor().Model().Length(); }
  bool CaretShows(TCustomEdit* e) {
    int x = e->Editor().PointOf(e->Editor().Model().Caret()).X;
    return x >= 1 && x < e->ClientWidth();
  }
  std::unique_ptr<TBitmap> Shot(TCustomEdit* e) { return robot.Capture(e); }
};

}  // namespace

TEST_F(LongLineTest, KeysWorkAtBothEndsOfAMillionCharacters) {
  edit->SetText(text);
  edit->SetFocus();
  const int n = Length();
  ASSERT_GE(n, 999000);
  robot.Key(VK_END);
  EXPECT_EQ(edit->GetSelStart(), n);
  EXPECT_EQ(edit->GetSelLength(), 0);
  EXPECT_GT(edit->Editor().ScrollX(), int64_t(1) << 20);
  EXPECT_TRUE(CaretShows(edit));

  robot.Type("xyz");
  robot.Key(VK_BACK);
  std::string expected = text + "xy";
  EXPECT_EQ(edit->GetText(), expected);
  EXPECT_EQ(edit->GetSelStart(), n + 2);
  EXPECT_TRUE(CaretShows(edit));
  for (int i = 0; i < 4; ++i) robot.Key(VK_LEFT, {ssShift});
  EXPECT_EQ(edit->GetSelText(), "E xy");
  robot.Key(VK_DELETE);
  EXPECT_EQ(edit->GetText(), text.substr(0, text.size() - 2));
  robot.Key('Z', {ssCtrl});
  EXPECT_EQ(edit->GetText(), expected);
  EXPECT_EQ(edit->GetSelText(), "E xy");

  // A click at the left edge lands among the last characters, not the first.
  Pause();
  robot.Click(edit, 2, edit->ClientHeight() / 2);
  EXPECT_GT(edit->GetSelStart(), n - 60);
  EXPECT_LT(edit->GetSelStart(), n);

  robot.Key(VK_HOME);
  EXPECT_EQ(edit->GetSelStart(), 0);
  EXPECT_EQ(edit->Editor().ScrollX(), 0);
  robot.Key(VK_RIGHT);
  robot.Key(VK_RIGHT);
  robot.Key(VK_END, {ssShift});
  EXPECT_EQ(edit->GetSelLength(), n);
  EXPECT_TRUE(CaretShows(edit));
  robot.Key(VK_LEFT);  // collapses to the selection's start
  EXPECT_EQ(edit->GetSelStart(), 2);
  EXPECT_EQ(edit->Editor().ScrollX(), 0);
}

TEST_F(LongLineTest, WhatShowsOfTheLineLooksLikeTheSameTextInAShortLine) {
  edit->SetText(text);
  twin->SetText(Utf8Right(text, 80));
  auto showEnd = [&](TCustomEdit* e) {
    e->SetFocus();
    robot.Key(VK_END);
    return Shot(e);
  };
  auto longEnd = showEnd(edit), shortEnd = showEnd(twin);
  EXPECT_TRUE(SamePixels(*longEnd, *shortEnd));

  // With a selection drawn over the end.
  auto selectEnd = [&](TCustomEdit* e) {
    e->SetFocus();
    robot.Key(VK_END);
    for (int i = 0; i < 3; ++i) robot.Key(VK_LEFT, {ssShift});
    return Shot(e);
  };
  longEnd = selectEnd(edit);
  shortEnd = selectEnd(twin);
  EXPECT_TRUE(SamePixels(*longEnd, *shortEnd));

  // In the middle, the caret scrolled into view from the end.
  const int middle = Length() / 2 / 27 * 27 + 2;  // inside a unit's "AVATAR"
  twin->SetText(edit->Editor().Model().Substr(middle - 100, 200));
  auto showAt = [&](TCustomEdit* e, int pos) {
    e->SetFocus();
    robot.Key(VK_END);
    e->SetSelStart(pos);
    return Shot(e);
  };
  auto longMiddle = showAt(edit, middle), shortMiddle = showAt(twin, 100);
  EXPECT_TRUE(CaretShows(edit));
  EXPECT_TRUE(SamePixels(*longMiddle, *shortMiddle));
}

// Past 2^28 pixels positions once ran out and the end of the line piled up
// in one place; a large font gets there with few characters.
TEST_F(LongLineTest, TheEndOfALineWiderThanTwoToThe29ShowsInPlace) {
  const std::string unit = "WAVE AVA ";
  form->SetBounds(0, 0, 800, 900);
  for (TEdit* e : {edit, twin}) {
    e->GetFont()->SetHeight(-300);
    e->SetWidth(700);
  }
  twin->SetTop(edit->GetTop() + edit->GetHeight() + 10);
  int unitWidth = TextWidthIn(edit, unit + unit) - TextWidthIn(edit, unit);
  std::string huge = Words((1 << 29) / unitWidth + 2, unit);
  edit->SetText(huge);
  twin->SetText(Words(4, unit));
  // The end, with "VA" selected: the selected glyphs stay in their places.
  auto showEnd = [&](TCustomEdit* e) {
    e->SetFocus();
    robot.Key(VK_END);
    robot.Key(VK_LEFT);
    robot.Key(VK_LEFT, {ssShift});
    robot.Key(VK_LEFT, {ssShift});
    return Shot(e);
  };
  auto longEnd = showEnd(edit), shortEnd = showEnd(twin);
  EXPECT_GT(edit->Editor().ScrollX(), int64_t(1) << 29);
  EXPECT_EQ(edit->GetSelText(), "VA");
  EXPECT_TRUE(SamePixels(*longEnd, *shortEnd));
  edit->SetFocus();
  robot.Key(VK_END);
  robot.Type("W");
  EXPECT_EQ(edit->GetText().size(), huge.size() + 1);
  EXPECT_TRUE(CaretShows(edit));
}

// Widths remembered for a font or password character are measured afresh
// when either changes.
TEST_F(LongLineTest, APasswordCharOrAnotherFontMeasuresTheLineAfresh) {
  edit->SetText(text);
  twin->SetText(Utf8Right(text, 80));
  auto showEnd = [&](TCustomEdit* e) {
    e->SetFocus();
    robot.Key(VK_END);
    robot.Key(VK_LEFT);
    return Shot(e);
  };
  showEnd(edit);  // measured with the letters
  for (TEdit* e : {edit, twin}) e->SetPasswordChar('*');
  auto longShot = showEnd(edit), shortShot = showEnd(twin);
  EXPECT_TRUE(CaretShows(edit));
  EXPECT_TRUE(SamePixels(*longShot, *shortShot));
  for (TEdit* e : {edit, twin}) e->GetFont()->SetName("Courier New");
  longShot = showEnd(edit);
  shortShot = showEnd(twin);
  EXPECT_TRUE(CaretShows(edit));
  EXPECT_TRUE(SamePixels(*longShot, *shortShot));
}

// Selected text looks like the whole line drawn in the selection's colours
// inside the selection: its glyphs keep their places, kerned against the
// character before them.
TEST_F(LongLineTest, SelectedGlyphsStayWhereTheyWere) {
  const std::string line = "WAVE AVA";
  twin->SetVisible(false);  // the taller edit reaches down to it
  edit->GetFont()->SetHeight(-60);
  edit->SetText(line);
  edit->SetFocus();
  edit->SetSelStart(8);
  auto expected = Shot(edit);
  edit->SetSelStart(6);
  edit->SetSelLength(2);
  ASSERT_EQ(edit->GetSelText(), "VA");
  auto selected = Shot(edit);

  TTextEditor& ed = edit->Editor();
  TPoint origin = ed.PointOf(0);
  int x1 = ed.PointOf(6).X, x2 = ed.PointOf(8).X;
  TCanvas& c = *expected->Canvas();
  c.Font()->Assign(edit->GetFont());
  c.Font()->SetColor(clHighlightText);
  c.Brush()->SetColor(clHighlight);
  c.TextRect({x1, origin.Y, x2, origin.Y + TextHeightIn(edit)}, origin.X, origin.Y, line);
  EXPECT_TRUE(SamePixels(*expected, *selected));
}

TEST_F(LongLineTest, TheComboBoxAndTheGridEditorTakeTheSameKeys) {
  form->SetHeight(400);
  auto* combo = new TComboBox(form);
  auto* shortCombo = new TComboBox(form);
  combo->SetParent(form);
  combo->SetBounds(10, 100, 200, combo->GetHeight());
  shortCombo->SetParent(form);
  shortCombo->SetBounds(10, 140, 200, shortCombo->GetHeight());
  combo->SetText(text);
  shortCombo->SetText(Utf8Right(text, 80));
  auto typeAtEnd = [&](TCustomComboBox* c) {
    c->SetFocus();
    robot.Key(VK_END);
    robot.Type("!");
    return robot.Capture(c);
  };
  auto longShot = typeAtEnd(combo), shortShot = typeAtEnd(shortCombo);
  EXPECT_EQ(combo->GetText(), text + "!");
  EXPECT_TRUE(SamePixels(*longShot, *shortShot));

  auto* grid = new TStringGrid(form);
  grid->SetParent(form);
  grid->SetBounds(10, 180, 300, 100);
  grid->SetColWidths(1, 200);
  grid->SetOptions(grid->GetOptions() + TGridOptions{goEditing});
  grid->SetCells(1, 1, text);
  grid->SetFocus();
  robot.Key(VK_F2);
  ASSERT_TRUE(grid->InplaceEditor() && grid->InplaceEditor()->Focused());
  robot.Key(VK_END);
  robot.Type("!");
  robot.Key(VK_LEFT, {ssShift});
  EXPECT_EQ(grid->GetCells(1, 1), text + "!");
  EXPECT_EQ(grid->InplaceEditor()->GetSelText(), "!");
  EXPECT_TRUE(CaretShows(grid->InplaceEditor()));
}
