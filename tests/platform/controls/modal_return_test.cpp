// A modal form hands the keys back when it closes: the form that was active
// before is active again, unless it went away meanwhile.
#include <gtest/gtest.h>

#include "ControlsTestUtil.h"

using namespace qel;
using namespace qel::test;

TEST(ModalReturn, TheFormUnderAClosingDialogGetsTheKeysBack) {
  Log log;
  TForm main(nullptr), inner(nullptr);
  auto* c = new TLogControl(&main, &main, &log, "c", Bounds(0, 0, 40, 40));
  main.Show();
  TTestRobot robot;
  TForm dialog(nullptr);
  Headless().OnModal = [&](TCustomForm* f) {
    if (f == &dialog) {
      EXPECT_EQ(inner.ShowModal(), mrRetry);
      EXPECT_EQ(Application->ActiveForm(), &dialog);  // the inner one returns to the outer one
    }
    f->SetModalResult(f == &dialog ? mrOk : mrRetry);
  };
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  Headless().OnModal = nullptr;
  EXPECT_EQ(Application->ActiveForm(), &main);
  EXPECT_TRUE(c->Focused());
  log.clear();
  robot.Type("k");
  EXPECT_EQ(log, (Log{"c: OnKeyDown 75", "c: OnKeyPress k"}));
}

TEST(ModalReturn, AFormFreedDuringTheDialogIsNotActivated) {
  auto* main = new TForm(nullptr);
  main->Show();
  TForm dialog(nullptr);
  Headless().OnModal = [&](TCustomForm* f) {
    delete main;
    f->SetModalResult(mrCancel);
  };
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  Headless().OnModal = nullptr;
  EXPECT_EQ(Application->ActiveForm(), nullptr);
}
