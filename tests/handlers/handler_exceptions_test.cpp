// An application's event handler that raises (a throwing OnChange, a timer
// event, OnPaint, a picture request): the exception reaches Application.HandleException, as a
// real host's event loop delivers it, and the component stays consistent and
// shows what it holds.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "browsers/QEL_Thumbnails.h"
#include "labels/QEL_RasterLab.h"
#include "labels/QEL_gradfl.h"
#include "numeric/QEL_NumIO.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {

struct HandlerExceptions : ::testing::Test {
  TForm* form = new TForm(nullptr);
  TTestRobot robot;
  std::vector<std::string> reported;
  HandlerExceptions() {
    form->SetBounds(100, 100, 400, 300);
    Application->OnException = [this](TObject*, const std::exception& e) { reported.push_back(e.what()); };
  }
  ~HandlerExceptions() override {
    Application->OnException = nullptr;
    delete form;
  }
  // Input the way a host's event loop delivers it: what escapes goes to
  // HandleException.
  template <class F>
  void Deliver(F&& Input) {
    try {
      Input();
    } catch (...) {
      Application->HandleException(form);
    }
  }
  int CountColour(TControl* C, TColor Colour) {
    auto shot = robot.Capture(C);
    int n = 0;
    for (int y = 0; y < shot->GetHeight(); ++y)
      for (int x = 0; x < shot->GetWidth(); ++x) n += shot->ScanLine(y)[x] == ColorToPixel(Colour);
    return n;
  }
  // The control as shown against the same control painted afresh.
  bool ShowsItsState(TControl* C) {
    auto shown = robot.Capture(C);
    C->Invalidate();
    Application->ProcessMessages();
    auto fresh = robot.Capture(C);
    for (int y = 0; y < shown->GetHeight(); ++y)
      for (int x = 0; x < shown->GetWidth(); ++x)
        if (shown->ScanLine(y)[x] != fresh->ScanLine(y)[x]) return false;
    return true;
  }
};

}  // namespace

TEST_F(HandlerExceptions, ANumericFieldWhoseOnChangeThrowsKeepsTheKeyShowsItAndGoesOn) {
  auto* field = new TNumIO2(form);
  field->SetParent(form);
  field->SetBounds(10, 10, 160, 28);
  field->SetInputFormat(itDynamic);
  form->Show();
  field->SetFocus();
  field->SetText("");
  Application->ProcessMessages();
  field->OnChange = [](TObject*) { throw std::runtime_error("OnChange failed"); };

  Deliver([&] { robot.Type("7"); });
  EXPECT_EQ(reported, (std::vector<std::string>{"OnChange failed"}));
  EXPECT_EQ(field->GetText(), "7");
  EXPECT_TRUE(ShowsItsState(field)) << "the field still shows the text before the key";

  // The caret keeps blinking and the next key goes on from there.
  int timers = Application->ActiveTimerCount();
  Headless().AdvanceTime(500);
  EXPECT_EQ(Application->ActiveTimerCount(), timers);
  field->OnChange = nullptr;
  robot.Type("8");
  EXPECT_EQ(field->GetText(), "78");
  EXPECT_TRUE(ShowsItsState(field));
}

TEST_F(HandlerExceptions, ADotMatrixLabelWhoseTimerEventThrowsKeepsScrollingAndShowsIt) {
  auto* lab = new TRasterLab(form);
  lab->SetParent(form);
  lab->SetBounds(10, 10, 200, 40);
  lab->SetText("Hello");
  lab->SetScrollInterval(50);
  lab->SetOnScrollTimer([](TObject*) { throw std::runtime_error("tick failed"); });
  lab->SetScrollMode(rdsmLeft);
  form->Show();
  Application->ProcessMessages();
  auto before = robot.Capture(lab);
  Headless().AdvanceTime(100);
  ASSERT_EQ(reported, (std::vector<std::string>{"tick failed", "tick failed"}));
  EXPECT_TRUE(lab->GetScrolling());
  EXPECT_TRUE(ShowsItsState(lab));
  auto after = robot.Capture(lab);
  bool moved = false;
  for (int y = 0; y < after->GetHeight() && !moved; ++y)
    for (int x = 0; x < after->GetWidth() && !moved; ++x) moved = after->ScanLine(y)[x] != before->ScanLine(y)[x];
  EXPECT_TRUE(moved) << "the text did not move on screen";
}

TEST_F(HandlerExceptions, AGradientFillWhoseOnPaintThrowsIsStillPaintedAndPaintsAgain) {
  auto* fill = new TGradFill(form);
  fill->SetParent(form);
  fill->SetBounds(10, 10, 120, 60);
  int paints = 0;
  fill->OnPaint = [&](TObject*) {
    ++paints;
    throw std::runtime_error("OnPaint failed");
  };
  form->Show();
  Application->ProcessMessages();
  ASSERT_EQ(paints, 1);
  EXPECT_EQ(reported, (std::vector<std::string>{"OnPaint failed"}));
  fill->Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(paints, 2);  // the failed paint left nothing that stops the next
  fill->OnPaint = nullptr;
  EXPECT_TRUE(ShowsItsState(fill));
}

TEST_F(HandlerExceptions, AThumbnailViewWhosePictureRequestThrowsShowsTheOtherCardsAndReportsOnce) {
  auto* thumbs = new TThumbnails(form);
  thumbs->SetParent(form);
  thumbs->SetBounds(10, 10, 360, 260);
  thumbs->SetSlideSize(60);
  thumbs->SetMax(6);
  TBitmap picture(40, 40);
  picture.Canvas()->Brush()->SetColor(clRed);
  picture.Canvas()->FillRect({0, 0, 40, 40});
  bool failing = true;
  thumbs->OnImageRequest = [&](TObject*, int Id, TImageRequestProcessing& How, int& Mark, TBitmap*& Img) {
    How = irpShowSlide;
    Img = &picture;
    Mark = 3;
    if (failing && Id == 2) throw std::runtime_error("picture 2 failed");
  };
  form->Show();
  Application->ProcessMessages();
  EXPECT_EQ(reported, (std::vector<std::string>{"picture 2 failed"}));
  const int fiveCards = CountColour(thumbs, clRed);
  EXPECT_GT(fiveCards, 5 * 30 * 30) << "the other cards were not shown";
  EXPECT_TRUE(ShowsItsState(thumbs)) << "the failing card is drawn as not asked for";
  EXPECT_EQ(reported.size(), 2u);  // once per paint

  failing = false;
  thumbs->Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(reported.size(), 2u);
  EXPECT_EQ(CountColour(thumbs, clRed) * 5, fiveCards * 6);
}
