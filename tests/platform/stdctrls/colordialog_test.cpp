#include <gtest/gtest.h>

#include "../controls/ControlsTestUtil.h"
#include "platform/stdctrls/ColorDialog.h"

using namespace qel;

namespace {
struct ColorDialogTest : ::testing::Test {
  TTestRobot robot;
  TColorDialog dialog{nullptr};
  ~ColorDialogTest() override { Headless().OnModal = nullptr; }

  static TControl* Part(TCustomForm* f, const char* name) {
    auto* c = dynamic_cast<TControl*>(f->FindComponent(name));
    if (!c) throw EInvalidOperation(std::string("no ") + name);
    return c;
  }
  // Answers the dialog once with Steps, then leaves it alone.
  void Answer(std::function<void(TCustomForm*)> steps) {
    Headless().OnModal = [this, steps, done = false](TCustomForm* f) mutable {
      if (done) throw EInvalidOperation("the dialog did not close");
      done = true;
      EXPECT_EQ(f->GetCaption(), "Color");
      steps(f);
    };
  }
  void ClickSwatch(TCustomForm* f, const char* grid, int col, int row) {
    robot.Click(Part(f, grid), col * TColorDialog::SwatchWidth + 10, row * TColorDialog::SwatchHeight + 10);
  }
};
}  // namespace

TEST_F(ColorDialogTest, ASwatchThenOkReturnsItsColour) {
  dialog.SetColor(clBlue);
  TColor shown = 0;
  Answer([&](TCustomForm* f) {
    shown = robot.PixelAt(Part(f, "Preview"), 20, 20);
    ClickSwatch(f, "BasicColors", 0, 1);  // pure red heads the second row
    robot.Click(Part(f, "OKButton"), 10, 10);
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(shown, clBlue);  // the preview starts from Color
  EXPECT_EQ(dialog.GetColor(), clRed);
  EXPECT_EQ(TColorDialog::BasicColor(47), clWhite);
}

TEST_F(ColorDialogTest, CancelAndEscapeLeaveTheColour) {
  dialog.SetColor(clGreen);
  Answer([&](TCustomForm* f) {
    ClickSwatch(f, "BasicColors", 2, 2);
    robot.Click(Part(f, "CancelButton"), 10, 10);
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.GetColor(), clGreen);
  Answer([&](TCustomForm* f) {
    ClickSwatch(f, "BasicColors", 3, 3);
    robot.Key(VK_ESCAPE);
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.GetColor(), clGreen);
}

TEST_F(ColorDialogTest, NumberFieldsAndCustomColours) {
  dialog.SetColor(clBlack);
  Answer([&](TCustomForm* f) {
    robot.Click(Part(f, "RedEdit"), 5, 5);
    robot.Type("300");  // beyond a byte: held at 255
    robot.Click(Part(f, "GreenEdit"), 5, 5);
    robot.Type("12");
    robot.Key(VK_UP);   // 13
    robot.Click(Part(f, "BlueEdit"), 5, 5);
    robot.Type("x7");   // letters are ignored
    robot.Click(Part(f, "AddCustomButton"), 5, 5);
    robot.Key(VK_RETURN);  // Enter is OK
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.GetColor(), RGB(255, 13, 7));
  EXPECT_EQ(dialog.GetCustomColor(0), RGB(255, 13, 7));
  EXPECT_EQ(dialog.GetCustomColor(1), clWhite);

  Answer([&](TCustomForm* f) {
    robot.Click(Part(f, "HexEdit"), 5, 5);
    robot.Type("10a0f");
    EXPECT_EQ(robot.PixelAt(Part(f, "Preview"), 20, 20), RGB(255, 13, 7));  // five digits: not yet
    robot.Type("f");
    robot.Click(Part(f, "CustomColors"), 5, 5);  // back to the stored custom colour
    robot.Click(Part(f, "HexEdit"), 5, 5);
    robot.Type("0000FF");
    robot.Click(Part(f, "OKButton"), 5, 5);
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.GetColor(), RGB(0, 0, 255));
}
