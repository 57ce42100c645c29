#include <gtest/gtest.h>

#include "EditTestUtil.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/TextEditing.h"

using namespace qel;
using namespace qel::test;

namespace {

struct EditTest : EditFormFixture, ::testing::Test {
  TEdit* edit = new TEdit(form);
  TEdit* other = new TEdit(form);
  int changes = 0;
  EditTest() {
    edit->SetParent(form);
    edit->SetBounds(10, 10, 121, edit->GetHeight());
    other->SetParent(form);
    other->SetBounds(10, 60, 121, other->GetHeight());
    edit->OnChange = [this](TObject*) { ++changes; };
    form->Show();
  }
  // Client x of the boundary before character Pos (text not scrolled).
  int XOf(const std::string& text, int pos) { return 1 + TextWidthIn(edit, text.substr(0, pos)); }
  int MidY() { return edit->ClientHeight() / 2; }
};

// A numeric field's way of filtering: refuse what is not a digit, let the
// edit do the rest.
class TDigitsEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;

 protected:
  void KeyPress(char32_t& Key) override {
    if (Key >= 32 && (Key < '0' || Key > '9')) Key = 0;
    TCustomEdit::KeyPress(Key);
  }
};

}  // namespace

TEST(TextEditModel, PositionsCountCharactersAndKeepInvalidBytes) {
  TTextEditModel m;
  m.SetText("a\xC3\xA9z\xFF");  // a, é, z, a stray byte
  EXPECT_EQ(m.Length(), 4);
  EXPECT_EQ(m.CharAt(1), U'\u00E9');
  m.Select(1, 3);
  EXPECT_EQ(m.SelText(), "\xC3\xA9z");
  EXPECT_TRUE(m.ReplaceSelection("\xE2\x82\xAC"));  // the euro sign
  EXPECT_EQ(m.Text(), "a\xE2\x82\xAC\xFF");
  EXPECT_EQ(m.Caret(), 2);
  m.MoveCaret(99, false);
  EXPECT_EQ(m.Caret(), 3);
  EXPECT_TRUE(m.DeleteBackward());
  EXPECT_EQ(m.Text(), "a\xE2\x82\xAC");
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(m.Text(), "a\xE2\x82\xAC\xFF");
  EXPECT_TRUE(m.Undo());  // undoing the undo
  EXPECT_EQ(m.Text(), "a\xE2\x82\xAC");
}

TEST(TextEditModel, WordsLinesAndMaxLength) {
  TTextEditModel m;
  m.SetText("one, two\nthree");
  int s, e;
  m.WordAt(4, s, e);  // the blank after the comma
  EXPECT_EQ(m.Substr(s, e - s), " ");
  m.WordAt(6, s, e);
  EXPECT_EQ(m.Substr(s, e - s), "two");
  EXPECT_EQ(m.NextWordStart(0), 3);  // to the comma
  EXPECT_EQ(m.NextWordStart(3), 5);  // past the comma and the blank
  EXPECT_EQ(m.PrevWordStart(8), 5);
  EXPECT_EQ(m.NextWordStart(8), 9);  // the line break is a stop of its own
  EXPECT_EQ(m.LineCount(), 2);
  EXPECT_EQ(m.LineText(1), "three");
  EXPECT_EQ(m.LineOf(8), 0);
  EXPECT_EQ(m.LineOf(9), 1);

  m.SetText("abc");
  m.SetMaxLength(5);
  m.MoveCaret(3, false);
  EXPECT_TRUE(m.ReplaceSelection("defg"));
  EXPECT_EQ(m.Text(), "abcde");
  EXPECT_FALSE(m.ReplaceSelection("x"));  // full
  m.Select(0, 2);
  EXPECT_TRUE(m.ReplaceSelection("XYZ"));  // room for the two selected
  EXPECT_EQ(m.Text(), "XYcde");
}

TEST_F(EditTest, TypingSelectingWithKeysAndPasting) {
  ASSERT_TRUE(edit->Focused());
  robot.Type("hello world");
  EXPECT_EQ(edit->GetText(), "hello world");
  EXPECT_EQ(changes, 11);
  EXPECT_TRUE(edit->GetModified());

  for (int i = 0; i < 5; ++i) robot.Key(VK_LEFT, {ssShift});
  EXPECT_EQ(edit->GetSelText(), "world");
  robot.Type("X");  // replaces the selection
  EXPECT_EQ(edit->GetText(), "hello X");
  EXPECT_EQ(changes, 12);

  robot.Key(VK_LEFT, {ssCtrl});  // to the start of "X"
  robot.Key(VK_LEFT, {ssCtrl, ssShift});
  EXPECT_EQ(edit->GetSelText(), "hello ");
  robot.Key('C', {ssCtrl});
  EXPECT_EQ(Clipboard()->GetAsText(), "hello ");
  EXPECT_EQ(changes, 12);  // copying changes nothing

  Clipboard()->SetAsText("abc\r\ndef");
  robot.Key(VK_END);
  robot.Key('V', {ssCtrl});  // one line only
  EXPECT_EQ(edit->GetText(), "hello Xabc");
  EXPECT_EQ(changes, 13);

  robot.Key(VK_HOME);
  robot.Key(VK_DELETE);
  robot.Key(VK_END);
  robot.Key(VK_BACK);
  EXPECT_EQ(edit->GetText(), "ello Xab");
  EXPECT_EQ(changes, 15);

  robot.Key(VK_HOME, {ssShift});  // the whole text, then cut with Shift+Delete
  robot.Key(VK_DELETE, {ssShift});
  EXPECT_EQ(edit->GetText(), "");
  EXPECT_EQ(Clipboard()->GetAsText(), "ello Xab");
  robot.Key(VK_INSERT, {ssShift});
  robot.Key(VK_INSERT, {ssShift});
  EXPECT_EQ(edit->GetText(), "ello Xabello Xab");
  robot.Key('Z', {ssCtrl});
  EXPECT_EQ(edit->GetText(), "ello Xab");
  EXPECT_EQ(changes, 19);
}

TEST_F(EditTest, MouseClicksDragsAndDoubleClicksSelect) {
  const std::string text = "alpha beta gamma";
  edit->SetText(text);
  robot.Click(edit, XOf(text, 3), MidY());
  EXPECT_EQ(edit->GetSelStart(), 3);
  EXPECT_EQ(edit->GetSelLength(), 0);
  Pause();
  robot.Click(edit, XOf(text, 8), MidY(), mbLeft, {ssShift});
  EXPECT_EQ(edit->GetSelText(), "ha be");
  Pause();
  robot.Drag(edit, XOf(text, 0), MidY(), XOf(text, 5), MidY());
  EXPECT_EQ(edit->GetSelText(), "alpha");
  Pause();
  robot.DoubleClick(edit, XOf(text, 7) + 1, MidY());
  EXPECT_EQ(edit->GetSelText(), "beta");
  EXPECT_EQ(changes, 1);  // only SetText changed the text
}

TEST_F(EditTest, ReadOnlyCopiesButNeverChanges) {
  edit->SetText("secret");
  edit->SetReadOnly(true);
  changes = 0;
  robot.Key('A', {ssCtrl});
  robot.Type("x");
  robot.Key(VK_BACK);
  robot.Key(VK_DELETE);
  robot.Key('X', {ssCtrl});
  robot.Key(VK_DELETE, {ssShift});
  EXPECT_EQ(Clipboard()->GetAsText(), "");  // cutting from a read-only edit copies nothing either
  Clipboard()->SetAsText("other");
  robot.Key('V', {ssCtrl});
  EXPECT_EQ(edit->GetText(), "secret");
  EXPECT_EQ(edit->GetSelText(), "secret");  // selection still works
  robot.Key('C', {ssCtrl});
  EXPECT_EQ(Clipboard()->GetAsText(), "secret");
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(edit->GetModified());
}

TEST_F(EditTest, MaxLengthRefusesTypingAndTruncatesPaste) {
  edit->SetMaxLength(5);
  robot.Type("abcdefg");
  EXPECT_EQ(edit->GetText(), "abcde");
  EXPECT_EQ(changes, 5);
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  Clipboard()->SetAsText("1234");
  robot.Key('V', {ssCtrl});
  EXPECT_EQ(edit->GetText(), "a12de");
  edit->SetText("longer than five");  // the program is not limited
  EXPECT_EQ(edit->GetText(), "longer than five");
}

TEST_F(EditTest, KeyPressFiltersBeforeTheEditActs) {
  auto* digits = new TDigitsEdit(form);
  digits->SetParent(form);
  digits->SetBounds(10, 110, 100, 21);
  digits->SetFocus();
  robot.Type("1a2.b3");
  robot.Key(VK_BACK);  // control characters pass the filter
  EXPECT_EQ(digits->GetText(), "12");

  edit->SetFocus();
  edit->OnKeyPress = [](TObject*, char32_t& k) {
    if (k == 'a') k = 'b';
    if (k == 'q') k = 0;
  };
  robot.Type("aqa");
  EXPECT_EQ(edit->GetText(), "bb");
  edit->OnKeyDown = [](TObject*, uint16_t& k, TShiftState) {
    if (k == VK_LEFT) k = 0;
  };
  robot.Key(VK_LEFT);
  EXPECT_EQ(edit->GetSelStart(), 2);  // the handler took the key
}

TEST_F(EditTest, SetTextFiresOnceAndResetsCaretAndModified) {
  robot.Type("ab");
  EXPECT_TRUE(edit->GetModified());
  changes = 0;
  edit->SetText("new");
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(edit->GetModified());
  EXPECT_EQ(edit->GetSelStart(), 0);
  edit->SetText("new");
  EXPECT_EQ(changes, 1);
  TControl* asControl = edit;
  asControl->SetText("via control");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(edit->Editor().Model().Text(), "via control");
  edit->SetSelStart(3);
  edit->SetSelText("XY");
  EXPECT_EQ(edit->GetText(), "viaXY control");
  EXPECT_EQ(changes, 3);

  // A handler that puts the old text back (as a validating field does)
  // ends with that text and no endless loop.
  edit->SetText("12");
  edit->OnChange = [this](TObject*) {
    ++changes;
    if (edit->GetText().find('x') != std::string::npos) edit->SetText("12");
  };
  changes = 0;
  edit->SetSelStart(2);
  robot.Type("x");
  EXPECT_EQ(edit->GetText(), "12");
  EXPECT_EQ(changes, 2);
}

TEST_F(EditTest, CaretBlinksOnlyWhileFocused) {
  edit->SetText("ab");
  edit->SetSelStart(2);
  int caretX = XOf("ab", 2);
  auto caretPixel = [&] { return robot.PixelAt(edit, caretX, MidY()); };
  TColor text = ColorToRGB(clWindowText), back = ColorToRGB(clWindow);
  EXPECT_TRUE(edit->CaretShown());
  EXPECT_EQ(caretPixel(), text);
  Headless().AdvanceTime(TCaretBlink::BlinkMs);
  EXPECT_FALSE(edit->CaretShown());
  EXPECT_EQ(caretPixel(), back);
  Headless().AdvanceTime(TCaretBlink::BlinkMs);
  EXPECT_TRUE(edit->CaretShown());
  int timers = Application->ActiveTimerCount();
  other->SetFocus();
  EXPECT_FALSE(edit->CaretShown());
  EXPECT_EQ(Application->ActiveTimerCount(), timers);  // the other edit's caret took over
  EXPECT_EQ(caretPixel(), back);
}

TEST_F(EditTest, AutoSelectOnTabAndSelectionHiddenWithoutFocus) {
  other->SetText("tabbed");
  edit->SetFocus();
  robot.Key(VK_TAB);
  ASSERT_TRUE(other->Focused());
  EXPECT_EQ(other->GetSelText(), "tabbed");
  TColor highlight = ColorToRGB(clHighlight);
  int y = other->ClientHeight() / 2;
  int x = XOf("tabbed", 1);
  EXPECT_EQ(robot.PixelAt(other, x, y), highlight);
  edit->SetFocus();
  EXPECT_NE(robot.PixelAt(other, x, y), highlight);
  EXPECT_EQ(other->GetSelText(), "tabbed");  // kept, only not shown
  other->SetHideSelection(false);
  EXPECT_EQ(robot.PixelAt(other, x, y), highlight);

  Pause();
  robot.Click(other, XOf("tabbed", 2), MidY());  // a click places the caret instead
  EXPECT_EQ(other->GetSelLength(), 0);
  EXPECT_EQ(other->GetSelStart(), 2);
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretVisible) {
  robot.Type("the quick brown fox jumps over the lazy dog again and again");
  TTextEditor& ed = edit->Editor();
  EXPECT_GT(ed.ScrollX(), 0);
  TPoint caret = ed.PointOf(ed.Model().Caret());
  EXPECT_GE(caret.X, 1);
  EXPECT_LT(caret.X, edit->ClientWidth());
  robot.Key(VK_HOME);
  EXPECT_EQ(ed.ScrollX(), 0);
  robot.Key(VK_END);
  EXPECT_GT(ed.ScrollX(), 0);
  // A click at the left edge lands on the text scrolled there, not the start.
  Pause();
  robot.Click(edit, 2, MidY());
  EXPECT_GT(edit->GetSelStart(), 10);
}

TEST_F(EditTest, DisabledAndPasswordLooks) {
  edit->SetText("pw");
  edit->SetEnabled(false);
  EXPECT_EQ(robot.PixelAt(edit, edit->ClientWidth() - 2, MidY()), ColorToRGB(clBtnFace));
  robot.Click(edit, 5, MidY());
  EXPECT_FALSE(edit->Focused());
  edit->SetEnabled(true);
  edit->SetPasswordChar('*');
  edit->SetFocus();
  edit->SelectAll();
  robot.Key('C', {ssCtrl});
  EXPECT_EQ(Clipboard()->GetAsText(), "");  // a password is not copied
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
  EXPECT_EQ(edit->GetHeight(), TextHeightIn(edit) + 8);
}
