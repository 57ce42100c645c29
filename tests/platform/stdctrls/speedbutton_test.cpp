#include <gtest/gtest.h>

#include "StdCtrlsTestUtil.h"
#include "platform/stdctrls/SpeedButton.h"

using namespace qel;
using namespace qel::test;

namespace {
struct SpeedButtonTest : FormFixture, ::testing::Test {
  int clicks = 0;
  TSpeedButton* Make(int x, int group = 0) {
    auto* b = new TSpeedButton(form);
    b->SetParent(form);
    b->SetBounds(x, 20, 40, 30);
    b->SetGroupIndex(group);
    b->OnClick = [this](TObject*) { ++clicks; };
    return b;
  }
  TColor Corner(TSpeedButton* b) { return robot.PixelAt(b, 0, 0); }
};

// A descendant in the way a repeating button is built: it extends the
// press, the release and the mouse-leave handling and calls the inherited ones.
class TLoggingSpeedButton : public TSpeedButton {
 public:
  using TSpeedButton::TSpeedButton;
  std::vector<std::string> log;
  TButtonState State() const { return FState; }

 protected:
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    TSpeedButton::MouseDown(b, s, x, y);
    log.push_back("down " + std::to_string(FState));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    TSpeedButton::MouseUp(b, s, x, y);
    log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  }
  void CMMouseLeave(TMessage& m) override {
    TSpeedButton::CMMouseLeave(m);
    log.push_back("leave");
    MouseUp(mbLeft, {}, 0, 0);
  }
};
}  // namespace

TEST_F(SpeedButtonTest, ClicksOnlyWhenReleasedOverTheButton) {
  auto* b = Make(20);
  robot.Click(b, 10, 10);
  EXPECT_EQ(clicks, 1);
  robot.Press(b, 10, 10);
  EXPECT_EQ(Corner(b), ColorToRGB(cl3DDkShadow));  // pressed in
  robot.MoveTo(b, 100, 10);
  EXPECT_EQ(Corner(b), ColorToRGB(clBtnHighlight));  // dragged off: up again
  robot.Release(b, 100, 10);
  EXPECT_EQ(clicks, 1);
  robot.Press(b, 10, 10);
  robot.MoveTo(b, 100, 10);
  robot.MoveTo(b, 12, 12);
  EXPECT_EQ(Corner(b), ColorToRGB(cl3DDkShadow));  // back over it: down again
  robot.Release(b, 12, 12);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(Corner(b), ColorToRGB(clBtnHighlight));
  EXPECT_FALSE(b->GetDown());  // outside a group a button never stays down
  robot.Click(b, 10, 10, mbRight);
  EXPECT_EQ(clicks, 2);
}

TEST_F(SpeedButtonTest, GroupIsExclusiveAndAllowAllUpLetsTheDownOneUp) {
  auto* a = Make(10, 1);
  auto* b = Make(60, 1);
  auto* c = Make(110, 1);
  auto* other = Make(160, 2);
  other->SetDown(true);
  robot.Click(a, 5, 5);
  EXPECT_TRUE(a->GetDown());
  robot.Click(b, 5, 5);
  EXPECT_TRUE(b->GetDown());
  EXPECT_FALSE(a->GetDown());
  EXPECT_FALSE(c->GetDown());
  EXPECT_TRUE(other->GetDown());  // another group is not touched
  robot.Click(b, 5, 5);  // the down button stays down without AllowAllUp
  EXPECT_TRUE(b->GetDown());
  EXPECT_EQ(clicks, 3);
  b->SetDown(false);
  EXPECT_TRUE(b->GetDown());
  c->SetAllowAllUp(true);  // one button tells the whole group
  EXPECT_TRUE(a->GetAllowAllUp());
  EXPECT_TRUE(b->GetAllowAllUp());
  robot.Click(b, 5, 5);
  EXPECT_FALSE(b->GetDown());
  c->SetDown(true);  // by program, too
  EXPECT_FALSE(a->GetDown() || b->GetDown());
  // Pressing the down one and dragging off leaves it down.
  robot.Press(c, 5, 5);
  robot.MoveTo(c, 200, 5);
  robot.Release(c, 200, 5);
  EXPECT_TRUE(c->GetDown());
}

TEST_F(SpeedButtonTest, DownLookIsSunkenWithACheckeredFace) {
  auto* b = Make(20, 1);
  EXPECT_EQ(Corner(b), ColorToRGB(clBtnHighlight));
  b->SetDown(true);
  Application->ProcessMessages();
  EXPECT_EQ(Corner(b), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(robot.PixelAt(b, 39, 29), ColorToRGB(clBtnHighlight));
  TColor p1 = robot.PixelAt(b, 4, 4), p2 = robot.PixelAt(b, 5, 4);
  EXPECT_NE(p1, p2);
  EXPECT_TRUE(p1 == ColorToRGB(clBtnHighlight) || p2 == ColorToRGB(clBtnHighlight));
}

TEST_F(SpeedButtonTest, FlatButtonShowsAFrameOnlyWhileHovered) {
  form->SetColor(clTeal);
  auto* b = Make(20);
  b->SetFlat(true);
  Application->ProcessMessages();
  EXPECT_EQ(Corner(b), clTeal);
  EXPECT_EQ(robot.PixelAt(b, 20, 15), clTeal);
  robot.MoveTo(b, 10, 10);
  EXPECT_EQ(Corner(b), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(robot.PixelAt(b, 39, 29), ColorToRGB(clBtnShadow));
  robot.MoveTo(form, 390, 290);
  EXPECT_EQ(Corner(b), clTeal);
  robot.Press(b, 10, 10);
  EXPECT_EQ(Corner(b), ColorToRGB(clBtnShadow));  // thin sunken frame
}

TEST_F(SpeedButtonTest, GlyphIsDrawnSeeThroughAndCentredWithoutCaption) {
  TBitmap glyph(8, 8);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect({0, 0, 8, 8});
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect({2, 2, 6, 6});
  auto* b = Make(20);
  b->SetGlyph(&glyph);
  auto shot = robot.Capture(b);
  EXPECT_EQ(CountPixels(*shot, clFuchsia), 0);
  EXPECT_EQ(InkBounds(*shot, clBtnFace).IsEmpty(), false);
  TRect red{};
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (shot->ScanLine(y)[x] == ColorToPixel(clRed)) red = UnionRect(red, Bounds(x, y, 1, 1));
  EXPECT_EQ(red, Bounds(16 + 2, 11 + 2, 4, 4));  // glyph at ((40-8)/2, (30-8)/2)
  // With a caption the glyph moves left of it.
  b->SetCaption("Go");
  auto withText = robot.Capture(b);
  int firstRed = 40;
  for (int x = 0; x < 40; ++x)
    if (withText->ScanLine(15)[x] == ColorToPixel(clRed)) { firstRed = x; break; }
  EXPECT_LT(firstRed, 18);
  // Disabled: an embossed shape, no red.
  b->SetEnabled(false);
  auto off = robot.Capture(b);
  EXPECT_EQ(CountPixels(*off, clRed), 0);
  EXPECT_GT(CountPixels(*off, clBtnShadow), 10);
}

TEST_F(SpeedButtonTest, DisabledButtonIgnoresTheMouse) {
  auto* b = Make(20, 1);
  b->SetEnabled(false);
  robot.Click(b, 10, 10);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(b->GetDown());
}

TEST_F(SpeedButtonTest, DescendantExtendsPressReleaseAndLeave) {
  auto* b = new TLoggingSpeedButton(form);
  b->SetParent(form);
  b->SetBounds(20, 20, 40, 30);
  int clicked = 0;
  b->OnClick = [&](TObject*) { ++clicked; };
  robot.Press(b, 5, 5);
  EXPECT_EQ(b->State(), bsDown);
  robot.Release(b, 5, 5);
  EXPECT_EQ(clicked, 1);
  b->log.clear();
  robot.MoveTo(form, 300, 200);
  // Leaving after the release: the extra release at (0, 0) clicks nothing.
  EXPECT_EQ(b->log, (std::vector<std::string>{"leave", "up 0,0"}));
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(b->State(), bsUp);
}
