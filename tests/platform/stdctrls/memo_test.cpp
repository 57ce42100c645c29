#include <gtest/gtest.h>

#include "EditTestUtil.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/Memo.h"

using namespace qel;
using namespace qel::test;

namespace {
struct MemoTest : EditFormFixture, ::testing::Test {
  TMemo* memo = new TMemo(form);
  TEdit* after = new TEdit(form);
  int changes = 0;
  MemoTest() {
    memo->SetParent(form);
    memo->SetBounds(10, 10, 200, 80);
    after->SetParent(form);
    after->SetBounds(10, 120, 100, 21);
    memo->OnChange = [this](TObject*) { ++changes; };
    form->Show();
  }
};
}  // namespace

TEST_F(MemoTest, EnterSplitsLinesAndLinesFollowTheText) {
  ASSERT_TRUE(memo->Focused());
  robot.Type("first line");
  for (int i = 0; i < 5; ++i) robot.Key(VK_LEFT);
  robot.Key(VK_RETURN);
  EXPECT_EQ(memo->GetText(), "first\n line");
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(0), "first");
  EXPECT_EQ(memo->Lines()->Strings(1), " line");
  EXPECT_EQ(memo->CaretPos(), (TPoint{0, 1}));
  EXPECT_EQ(changes, 11);

  changes = 0;
  memo->Lines()->Add("third");
  EXPECT_EQ(memo->GetText(), "first\n line\nthird\n");
  EXPECT_EQ(memo->Lines()->Count(), 3);  // the empty line after the last break does not count
  memo->Lines()->SetStrings(1, "second");
  memo->Lines()->Insert(0, "zero");
  memo->Lines()->Delete(3);
  EXPECT_EQ(memo->GetText(), "zero\nfirst\nsecond\n");
  EXPECT_EQ(changes, 4);
  EXPECT_THROW(memo->Lines()->Delete(3), EListError);

  changes = 0;
  memo->Lines()->BeginUpdate();
  memo->Lines()->Clear();
  memo->Lines()->Add("a");
  memo->Lines()->Add("b");
  EXPECT_EQ(memo->Lines()->Count(), 2);  // reads see the pending lines
  memo->Lines()->EndUpdate();
  EXPECT_EQ(memo->GetText(), "a\nb\n");
  EXPECT_EQ(changes, 1);

  memo->SetText("x\ny");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  memo->Lines()->Add("z");  // a last line without a break gets one first
  EXPECT_EQ(memo->GetText(), "x\ny\nz\n");
}

TEST_F(MemoTest, ArrowsAndPagesMoveBetweenLinesAndTheViewFollows) {
  memo->SetText("abcdef\nab\nabcdef");
  memo->SetSelStart(5);  // line 0, column 5
  robot.Key(VK_DOWN);
  EXPECT_EQ(memo->CaretPos(), (TPoint{2, 1}));  // the short line ends first
  robot.Key(VK_DOWN);
  EXPECT_EQ(memo->CaretPos(), (TPoint{5, 2}));  // back to the column it came from
  robot.Key(VK_UP, {ssShift});
  EXPECT_EQ(memo->GetSelText(), "\nabcde");
  robot.Key(VK_END);
  EXPECT_EQ(memo->CaretPos(), (TPoint{2, 1}));
  robot.Key(VK_HOME, {ssCtrl});
  EXPECT_EQ(memo->GetSelStart(), 0);

  std::string many;
  for (int i = 0; i < 30; ++i) many += "line " + std::to_string(i) + "\n";
  memo->SetText(many);
  int visible = memo->ClientHeight() / TextHeightIn(memo);
  robot.Key(VK_NEXT);
  EXPECT_EQ(memo->CaretPos().Y, visible - 1);
  robot.Key(VK_END, {ssCtrl});
  EXPECT_EQ(memo->CaretPos().Y, 30);
  EXPECT_EQ(memo->Editor().TopLine(), 30 - visible + 1);
  robot.Key(VK_PRIOR);
  EXPECT_LT(memo->Editor().TopLine(), 30 - visible + 1);
  int caretLine = memo->CaretPos().Y;
  EXPECT_GE(caretLine, memo->Editor().TopLine());
  EXPECT_LT(caretLine, memo->Editor().TopLine() + visible);
}

TEST_F(MemoTest, EnterStaysInTheMemoAndTabLeavesUnlessWanted) {
  // Enter is the memo's own; Tab goes to the form and moves the focus.
  EXPECT_NE(memo->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
  robot.Key(VK_TAB);
  EXPECT_TRUE(after->Focused());
  memo->SetFocus();
  memo->SetWantTabs(true);
  robot.Key(VK_TAB);
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(memo->GetText(), "\t");
  memo->SetWantReturns(false);
  robot.Key(VK_RETURN);
  EXPECT_EQ(memo->GetText(), "\t");
  EXPECT_EQ(memo->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
}

TEST_F(MemoTest, ClicksPlaceTheCaretOnTheLineUnderTheMouse) {
  memo->SetText("one\ntwo\nthree");
  int lh = TextHeightIn(memo);
  robot.Click(memo, 2 + TextWidthIn(memo, "th"), 1 + 2 * lh + lh / 2);
  EXPECT_EQ(memo->CaretPos(), (TPoint{2, 2}));
  Pause();
  robot.DoubleClick(memo, 2 + TextWidthIn(memo, "t"), 1 + lh + lh / 2);
  EXPECT_EQ(memo->GetSelText(), "two");
  Clipboard()->SetAsText("A\r\nB\rC");
  robot.Key('V', {ssCtrl});
  EXPECT_EQ(memo->GetText(), "one\nA\nB\nC\nthree");  // every kind of line break becomes '\n'
}
