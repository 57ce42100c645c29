// The robot reads pixels where it clicks: client coordinates inside the
// border; CaptureWindow takes the border too.
#include <gtest/gtest.h>

#include "../../controls/ControlsTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
// A yellow control with a sunken two-pixel edge, holding a lime one framed
// by one dark line.
struct RobotCaptureTest : ::testing::Test {
  Log log;
  TForm form{nullptr};
  TLogControl* outer = new TLogControl(&form, &form, &log, "outer", Bounds(10, 10, 120, 100));
  TLogControl* inner = new TLogControl(&form, outer, &log, "inner", Bounds(5, 7, 40, 30));
  TTestRobot robot;
  RobotCaptureTest() {
    form.SetBounds(0, 0, 200, 150);
    outer->fill = clYellow;
    outer->SetBorderStyle(bsSingle);
    inner->fill = clLime;
    inner->SetBorderStyle(bsSingle);
    inner->SetCtl3D(false);
    form.Show();
  }
  static TColor At(const TBitmap& shot, int x, int y) { return PixelToColor(shot.ScanLine(y)[x]); }
};
}  // namespace

TEST_F(RobotCaptureTest, PixelsAreReadWhereClicksLand) {
  robot.Click(inner, 0, 0);
  EXPECT_EQ(log.back(), "inner: OnMouseUp 0,0");
  EXPECT_EQ(robot.PixelAt(inner, 0, 0), clLime);
  EXPECT_EQ(robot.PixelAt(inner, 37, 27), clLime);
  EXPECT_EQ(robot.PixelAt(inner, 38, 0), CLR_INVALID);  // on the border: outside the client area
  auto client = robot.Capture(inner);
  EXPECT_EQ(client->GetWidth(), 38);
  EXPECT_EQ(client->GetHeight(), 28);

  EXPECT_EQ(robot.PixelAt(outer, 0, 0), clYellow);
  EXPECT_EQ(robot.PixelAt(outer, 4, 6), clYellow);
  EXPECT_EQ(robot.PixelAt(outer, 5, 7), ColorToRGB(clWindowFrame));  // the inner one's border
}

TEST_F(RobotCaptureTest, CaptureWindowHasTheBorderAndAFormIsWholeEitherWay) {
  auto window = robot.CaptureWindow(inner);
  ASSERT_EQ(window->GetWidth(), 40);
  ASSERT_EQ(window->GetHeight(), 30);
  EXPECT_EQ(At(*window, 0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(At(*window, 39, 29), ColorToRGB(clWindowFrame));
  EXPECT_EQ(At(*window, 1, 1), clLime);

  window = robot.CaptureWindow(outer);
  EXPECT_EQ(At(*window, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(*window, 1, 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(At(*window, 2, 2), clYellow);
  EXPECT_EQ(At(*window, 119, 99), ColorToRGB(clBtnHighlight));

  // A form has no border of its own.
  EXPECT_EQ(At(*robot.Capture(&form), 12, 12), clYellow);
  EXPECT_EQ(At(*robot.CaptureWindow(&form), 12, 12), clYellow);
}
