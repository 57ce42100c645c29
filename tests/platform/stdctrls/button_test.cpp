#include <gtest/gtest.h>

#include "StdCtrlsTestUtil.h"
#include "platform/stdctrls/Button.h"

using namespace qel;
using namespace qel::test;

namespace {
// A focusable control that is not a button, for the focus to rest on.
class TFocusBox : public TCustomControl {
 public:
  explicit TFocusBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

struct ButtonTest : FormFixture, ::testing::Test {
  std::vector<std::string> log;
  TFocusBox* box = new TFocusBox(form);
  TButton* ok = Make("OK", 20);
  TButton* cancel = Make("Cancel", 120);
  ButtonTest() {
    box->SetParent(form);
    box->SetBounds(20, 100, 100, 40);
    box->SetTabOrder(0);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    box->SetFocus();
    Application->ProcessMessages();
  }
  TButton* Make(const std::string& caption, int x) {
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetBounds(x, 20, 80, 26);
    b->SetCaption(caption);
    b->OnClick = [this, caption](TObject*) { log.push_back(caption); };
    return b;
  }
};
}  // namespace

TEST_F(ButtonTest, EnterPressesTheActiveButtonAndEscapeTheCancelOne) {
  robot.Key(VK_RETURN);
  robot.Key(VK_ESCAPE);
  EXPECT_EQ(log, (std::vector<std::string>{"OK", "Cancel"}));
  log.clear();
  // With a button focused, Enter presses that one instead of the default.
  cancel->SetFocus();
  robot.Key(VK_RETURN);
  EXPECT_EQ(log, (std::vector<std::string>{"Cancel"}));
  log.clear();
  box->SetFocus();
  robot.Key(VK_RETURN, {ssCtrl});  // not a plain Enter
  ok->SetEnabled(false);
  robot.Key(VK_RETURN);  // a disabled default button does not answer
  EXPECT_TRUE(log.empty());
  // Buttons on a nested container hear the dialog keys too.
  auto* panel = new TWinControl(form);
  panel->SetParent(form);
  panel->SetBounds(200, 100, 150, 60);
  auto* nested = new TButton(form);
  nested->SetParent(panel);
  nested->SetDefault(true);
  nested->OnClick = [&](TObject*) { log.push_back("nested"); };
  robot.Key(VK_RETURN);
  EXPECT_EQ(log, (std::vector<std::string>{"nested"}));
}

TEST_F(ButtonTest, ModalResultEndsAModalForm) {
  TForm dialog(nullptr);
  auto* yes = new TButton(&dialog);
  yes->SetParent(&dialog);
  yes->SetBounds(10, 10, 75, 25);
  yes->SetModalResult(mrYes);
  auto* plain = new TButton(&dialog);
  plain->SetParent(&dialog);
  plain->SetBounds(100, 10, 75, 25);
  int turns = 0;
  Headless().OnModal = [&](TCustomForm*) {
    if (++turns == 1) robot.Click(plain, 5, 5);  // no ModalResult: the form stays
    else robot.Click(yes, 5, 5);
  };
  EXPECT_EQ(dialog.ShowModal(), mrYes);
  Headless().OnModal = nullptr;
  EXPECT_EQ(turns, 2);
  EXPECT_FALSE(dialog.Showing());
}

TEST_F(ButtonTest, SpaceClicksTheFocusedButtonOnRelease) {
  cancel->SetFocus();
  robot.KeyDown(VK_SPACE);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(robot.PixelAt(cancel, 1, 1), ColorToRGB(clBtnShadow));  // pushed in
  robot.KeyUp(VK_SPACE);
  EXPECT_EQ(log, (std::vector<std::string>{"Cancel"}));
  EXPECT_EQ(robot.PixelAt(cancel, 1, 1), ColorToRGB(clBtnHighlight));
  // A space released after the focus left clicks nothing.
  robot.KeyDown(VK_SPACE);
  box->SetFocus();
  robot.KeyUp(VK_SPACE);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(ButtonTest, MouseTakesFocusAndClicksOnlyOnReleaseOverIt) {
  robot.Press(cancel, 10, 10);
  EXPECT_TRUE(cancel->Focused());
  EXPECT_EQ(robot.PixelAt(cancel, 1, 1), ColorToRGB(clBtnShadow));
  robot.MoveTo(cancel, 200, 10);
  EXPECT_EQ(robot.PixelAt(cancel, 1, 1), ColorToRGB(clBtnHighlight));
  robot.Release(cancel, 200, 10);
  EXPECT_TRUE(log.empty());
  robot.Click(cancel, 10, 10);
  EXPECT_EQ(log, (std::vector<std::string>{"Cancel"}));
  cancel->SetEnabled(false);
  robot.Click(cancel, 10, 10);
  EXPECT_EQ(log.size(), 1u);
  EXPECT_FALSE(cancel->Focused());
}

TEST_F(ButtonTest, DefaultFrameFollowsTheActiveButtonAndFocusShowsDots) {
  EXPECT_EQ(robot.PixelAt(ok, 0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(robot.PixelAt(cancel, 0, 0), ColorToRGB(clBtnHighlight));
  cancel->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(robot.PixelAt(ok, 0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(robot.PixelAt(cancel, 0, 0), ColorToRGB(clWindowFrame));
  // The focus frame: every other pixel along a row inside the bevels.
  auto dotsInRow = [&] {
    auto shot = robot.Capture(cancel);
    int dots = 0;
    for (int x = 0; x < 80; ++x) dots += shot->ScanLine(5)[x] == ColorToPixel(clBlack);
    return dots;
  };
  EXPECT_NEAR(dotsInRow(), 35, 2);
  box->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(robot.PixelAt(ok, 0, 0), ColorToRGB(clWindowFrame));
  EXPECT_EQ(dotsInRow(), 0);
}

TEST_F(ButtonTest, FreedButtonLeavesTheTabOrder) {
  auto* gone = Make("Gone", 220);
  gone->SetFocus();
  delete gone;
  std::vector<TWinControl*> order;
  form->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<TWinControl*>{box, ok, cancel}));
  box->SetFocus();
  robot.Key(VK_TAB);
  robot.Key(VK_TAB);
  robot.Key(VK_TAB);
  EXPECT_TRUE(box->Focused());
}
