#include <gtest/gtest.h>

#include "ControlsTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
struct InputTest : ::testing::Test {
  Log log;
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  TLogControl* a = new TLogControl(form, form, &log, "a", Bounds(10, 10, 50, 30));
  TLogControl* b = new TLogControl(form, form, &log, "b", Bounds(100, 10, 50, 30));
  InputTest() { form->Show(); log.clear(); }
  ~InputTest() override { delete form; }
};
}  // namespace

TEST_F(InputTest, ClickComesBeforeMouseUpAndDoubleClickFollowsPlatformOrder) {
  robot.Click(a, 5, 6);
  EXPECT_EQ(log, (Log{"a: CM_MOUSEENTER", "a: OnMouseMove 5,6", "a: OnMouseDown 0 5,6", "a: OnClick",
                      "a: OnMouseUp 5,6"}));
  log.clear();
  robot.Click(a, 5, 6);  // same place, no time passed: the second press is a double click
  EXPECT_EQ(log, (Log{"a: OnMouseMove 5,6", "a: OnDblClick", "a: OnMouseDown 0 double 5,6", "a: OnMouseUp 5,6"}));
  log.clear();
  Headless().AdvanceTime(DoubleClickTimeMs + 1);
  robot.Click(a, 5, 6);
  EXPECT_EQ(log[2], "a: OnClick");
}

TEST_F(InputTest, CaptureKeepsMovesAndReleaseOnThePressedControl) {
  robot.Press(a, 5, 5);
  log.clear();
  robot.MoveTo(b, 5, 5);  // over b, but a holds the mouse: coordinates in a's terms
  robot.Release(b, 5, 5);
  // a learns at once that the pointer left it; b lights up only with the
  // release, which is no click.
  EXPECT_EQ(log, (Log{"a: CM_MOUSELEAVE", "a: OnMouseMove 95,5", "a: OnMouseUp 95,5", "b: CM_MOUSEENTER"}));
  // Held again, out and back in: a hears both, b nothing.
  Headless().AdvanceTime(DoubleClickTimeMs + 1);
  robot.Press(a, 5, 5);
  log.clear();
  robot.MoveTo(b, 5, 5);
  robot.MoveTo(a, 6, 6);
  robot.Release(a, 6, 6);
  EXPECT_EQ(log, (Log{"a: CM_MOUSELEAVE", "a: OnMouseMove 95,5", "a: CM_MOUSEENTER", "a: OnMouseMove 6,6",
                      "a: OnClick", "a: OnMouseUp 6,6"}));
}

TEST_F(InputTest, HoverEntersAndLeaves) {
  robot.MoveTo(a, 1, 1);
  robot.MoveTo(b, 1, 1);
  robot.MoveTo(form, 300, 200);
  EXPECT_EQ(log, (Log{"a: CM_MOUSEENTER", "a: OnMouseMove 1,1", "a: CM_MOUSELEAVE", "b: CM_MOUSEENTER",
                      "b: OnMouseMove 1,1", "b: CM_MOUSELEAVE"}));
}

TEST_F(InputTest, KeysGoToTheFocusedControlAndTabWalksTheTabOrder) {
  EXPECT_TRUE(a->Focused());  // showing the form focused the first tab stop
  b->SetFocus();
  a->SetFocus();
  log.clear();
  robot.Type("x");
  EXPECT_EQ(log, (Log{"a: OnKeyDown 88", "a: OnKeyPress x"}));
  log.clear();
  robot.Key(VK_TAB);  // a does not want Tab: focus moves, no key event
  EXPECT_EQ(log, (Log{"a: WM_KILLFOCUS", "b: WM_SETFOCUS", "a: OnExit", "b: OnEnter"}));
  EXPECT_TRUE(b->Focused());
  robot.Key(VK_TAB, {ssShift});
  EXPECT_TRUE(a->Focused());
  b->SetTabOrder(0);  // b now comes first: Tab from a wraps round to b
  robot.Key(VK_TAB);
  EXPECT_TRUE(b->Focused());
  b->dlgCode = DLGC_WANTTAB;
  log.clear();
  robot.Key(VK_TAB);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(log.front(), "b: OnKeyDown 9");
}

TEST_F(InputTest, DisabledAndInvisibleControlsGetNoInput) {
  a->SetEnabled(false);
  EXPECT_FALSE(a->Focused());  // disabling the focused control gives up the focus
  log.clear();
  robot.Click(a, 5, 5);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(a->CanFocus());
  EXPECT_THROW(a->SetFocus(), EInvalidOperation);
  b->SetFocus();
  b->Hide();
  EXPECT_FALSE(b->Focused());
  log.clear();
  robot.Click(b, 5, 5);
  robot.Type("q");
  EXPECT_TRUE(log.empty());
}

TEST_F(InputTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
  a->SetFocus();
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](TObject*, uint16_t& k, TShiftState) {
    log.push_back("form: OnKeyDown " + std::to_string(k));
    if (k == 'Z') k = 0;
  };
  log.clear();
  robot.Key('Y');
  robot.Key('Z');
  EXPECT_EQ(log, (Log{"form: OnKeyDown 89", "a: OnKeyDown 89", "a: OnKeyPress y", "form: OnKeyDown 90",
                      "a: OnKeyPress z"}));
}

TEST(Input, ModalFormBlocksOtherForms) {
  Log log;
  TForm main(nullptr);
  auto* c = new TLogControl(&main, &main, &log, "c", Bounds(0, 0, 40, 40));
  main.Show();
  log.clear();
  TForm dialog(nullptr);
  TTestRobot robot;
  Headless().OnModal = [&](TCustomForm* f) {
    robot.Click(c, 5, 5);  // ignored: the dialog is modal
    f->SetModalResult(mrOk);
  };
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  Headless().OnModal = nullptr;
  for (const std::string& line : log) EXPECT_EQ(line.find("Mouse"), std::string::npos) << line;
  EXPECT_FALSE(dialog.Showing());
}

// Closing a modal form gives the keys back to the form that had them, at
// the control that had the focus, however deep the dialogs nest.
TEST(Input, ClosingAModalFormGivesTheKeysBackToTheFormActiveBefore) {
  Log log;
  TForm main(nullptr), outer(nullptr), inner(nullptr);
  new TLogControl(&main, &main, &log, "a", Bounds(0, 0, 40, 20));
  auto* b = new TLogControl(&main, &main, &log, "b", Bounds(0, 30, 40, 20));
  new TLogControl(&outer, &outer, &log, "o", Bounds(0, 0, 40, 20));
  new TLogControl(&inner, &inner, &log, "i", Bounds(0, 0, 40, 20));
  main.Show();
  b->SetFocus();
  TTestRobot robot;
  Headless().OnModal = [&](TCustomForm* f) {
    if (f == &outer) {
      robot.Key('O');
      inner.ShowModal();
      robot.Key('P');  // the outer dialog has the keys again
    } else {
      robot.Key('I');
    }
    f->SetModalResult(mrOk);
  };
  outer.ShowModal();
  Headless().OnModal = nullptr;
  Log keys;
  for (const std::string& line : log)
    if (line.find("OnKeyDown") != std::string::npos) keys.push_back(line);
  EXPECT_EQ(keys, (Log{"o: OnKeyDown 79", "i: OnKeyDown 73", "o: OnKeyDown 80"}));
  EXPECT_EQ(Application->ActiveForm(), &main);
  EXPECT_TRUE(main.Active());
  log.clear();
  robot.Type("q");
  EXPECT_EQ(log, (Log{"b: OnKeyDown 81", "b: OnKeyPress q"}));

  // A form freed while the dialog was up leaves the keys to the main form.
  TForm* other = new TForm(nullptr);
  auto* c = new TLogControl(other, other, &log, "c", Bounds(0, 0, 40, 20));
  other->Show();
  c->SetFocus();
  TCustomForm* mainBefore = Application->MainForm();
  Application->SetMainForm(&main);
  Headless().OnModal = [&](TCustomForm* f) {
    delete other;
    f->SetModalResult(mrOk);
  };
  inner.ShowModal();
  Headless().OnModal = nullptr;
  Application->SetMainForm(mainBefore);
  EXPECT_EQ(Application->ActiveForm(), &main);
  log.clear();
  robot.Type("r");
  EXPECT_EQ(log, (Log{"b: OnKeyDown 82", "b: OnKeyPress r"}));
}

TEST(Input, NestedModalFormsReturnTheResultsTheirButtonsSet) {
  Log log;
  TForm outer(nullptr), inner(nullptr);
  auto* okOuter = new TLogControl(&outer, &outer, &log, "ok1", Bounds(0, 0, 40, 20));
  auto* okInner = new TLogControl(&inner, &inner, &log, "ok2", Bounds(0, 0, 40, 20));
  okOuter->OnClick = [&](TObject*) { outer.SetModalResult(mrOk); };
  okInner->OnClick = [&](TObject*) { inner.SetModalResult(mrRetry); };
  TTestRobot robot;
  TModalResult innerResult = mrNone;
  Headless().OnModal = [&](TCustomForm* f) {
    if (f == &outer) {
      innerResult = inner.ShowModal();  // a dialog from inside a dialog
      robot.Click(okOuter, 5, 5);
    } else {
      robot.Click(okOuter, 5, 5);  // the outer form is blocked now
      EXPECT_EQ(outer.GetModalResult(), mrNone);
      robot.Click(okInner, 5, 5);
    }
  };
  EXPECT_EQ(outer.ShowModal(), mrOk);
  Headless().OnModal = nullptr;
  EXPECT_EQ(innerResult, mrRetry);
  EXPECT_EQ(Application->ModalForm(), nullptr);
}
