#include <gtest/gtest.h>

#include "StdCtrlsTestUtil.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Label.h"

using namespace qel;
using namespace qel::test;

namespace {
struct LabelTest : FormFixture, ::testing::Test {
  TLabel* label = new TLabel(form);
  LabelTest() {
    label->SetParent(form);
    label->SetLeft(20);
    label->SetTop(20);
  }
  // A canvas with the label's font, for expected sizes.
  TSize TextSize(const std::string& s) {
    TCanvas m;
    m.Font()->Assign(label->GetFont());
    return m.TextExtent(s);
  }
  TRect Ink() { return InkBounds(*robot.Capture(label), label->GetColor()); }
};

// Records how the label asks for its text to be drawn, and draws nothing.
class TRecordingLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
  struct Call { TRect rect; int flags; };
  std::vector<Call> calls;

 protected:
  void DoDrawText(TRect& Rect, int Flags) override {
    calls.push_back({Rect, Flags});
    if (Flags & DT_CALCRECT) Rect = {Rect.Left, Rect.Top, Rect.Left + 30, Rect.Top + 10};
  }
};
}  // namespace

TEST_F(LabelTest, AutoSizeFollowsCaptionAndFont) {
  label->SetCaption("Hello");
  EXPECT_EQ(label->GetWidth(), TextSize("Hello").cx);
  EXPECT_EQ(label->GetHeight(), TextSize("Hello").cy);
  label->SetCaption("Hello, wider world");
  EXPECT_EQ(label->GetWidth(), TextSize("Hello, wider world").cx);
  int smallHeight = label->GetHeight();
  label->GetFont()->SetSize(20);
  EXPECT_EQ(label->GetWidth(), TextSize("Hello, wider world").cx);
  EXPECT_GT(label->GetHeight(), smallHeight);
  label->SetCaption("");  // still one line high
  EXPECT_EQ(label->GetWidth(), TextSize(" ").cx);
  EXPECT_EQ(label->GetHeight(), TextSize(" ").cy);
  label->SetAutoSize(false);
  label->SetCaption("No longer sized");
  EXPECT_EQ(label->GetWidth(), TextSize(" ").cx);
}

TEST_F(LabelTest, AutoSizeKeepsTheAnchoredEdge) {
  label->SetAutoSize(false);
  label->SetBounds(100, 20, 100, 20);
  label->SetAlignment(taRightJustify);
  label->SetAutoSize(true);
  label->SetCaption("Right");
  EXPECT_EQ(label->GetLeft() + label->GetWidth(), 200);
  label->SetCaption("Right edge stays");
  EXPECT_EQ(label->GetLeft() + label->GetWidth(), 200);
}

TEST_F(LabelTest, WordWrapKeepsWidthAndGrowsHeight) {
  label->SetAutoSize(false);
  label->SetWidth(80);
  label->SetWordWrap(true);
  label->SetAutoSize(true);
  label->SetCaption("short");
  int oneLine = label->GetHeight();
  EXPECT_EQ(label->GetWidth(), 80);
  label->SetCaption("a much longer caption that cannot fit on one line of eighty pixels");
  EXPECT_EQ(label->GetWidth(), 80);
  EXPECT_GE(label->GetHeight(), 3 * oneLine);
  EXPECT_EQ(label->GetHeight() % oneLine, 0);
  TRect ink = Ink();
  EXPECT_LE(ink.Right, 80);
  EXPECT_GT(ink.Bottom, 2 * oneLine);
}

TEST_F(LabelTest, AlignmentAndLayoutPlaceTheInk) {
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 200, 60);
  label->SetCaption("Hi");
  Application->ProcessMessages();
  TRect topLeft = Ink();
  EXPECT_LT(topLeft.Left, 4);
  EXPECT_LT(topLeft.Bottom, 20);
  label->SetAlignment(taRightJustify);
  EXPECT_GT(Ink().Left, 170);
  EXPECT_GE(Ink().Right, 196);
  label->SetAlignment(taCenter);
  EXPECT_NEAR((Ink().Left + Ink().Right) / 2, 100, 3);
  label->SetLayout(tlCenter);
  EXPECT_NEAR((Ink().Top + Ink().Bottom) / 2, 30, 4);
  label->SetLayout(tlBottom);
  EXPECT_GT(Ink().Top, 40);
  EXPECT_LE(Ink().Bottom, 60);
}

TEST_F(LabelTest, BackgroundIsParentColourUnlessTransparentOrOwn) {
  auto* panel = new TWinControl(form);
  panel->SetParent(form);
  panel->SetBounds(0, 100, 200, 100);
  panel->SetColor(clYellow);
  auto* onPanel = new TLabel(form);
  onPanel->SetParent(panel);
  onPanel->SetCaption("on panel");
  EXPECT_EQ(onPanel->GetColor(), clYellow);  // ParentColor by default
  onPanel->SetColor(clAqua);
  EXPECT_EQ(robot.PixelAt(onPanel, onPanel->GetWidth() - 1, 0), clAqua);
  onPanel->SetTransparent(true);
  EXPECT_EQ(robot.PixelAt(onPanel, onPanel->GetWidth() - 1, 0), clYellow);
  EXPECT_FALSE(onPanel->ControlStyle().Contains(csOpaque));
}

TEST_F(LabelTest, DisabledLabelIsEmbossedInHighlightAndShadow) {
  label->GetFont()->SetSize(16);
  label->GetFont()->SetStyle({fsBold});
  label->SetCaption("HILL");
  auto enabled = robot.Capture(label);
  EXPECT_GT(CountPixels(*enabled, clBlack), 20);
  label->SetEnabled(false);
  auto disabled = robot.Capture(label);
  EXPECT_EQ(CountPixels(*disabled, clBlack), 0);
  EXPECT_GT(CountPixels(*disabled, clBtnShadow), 20);
  EXPECT_GT(CountPixels(*disabled, clBtnHighlight), 5);
}

TEST_F(LabelTest, DescendantDrawsTheTextStepWithRectAndFlags) {
  auto* rec = new TRecordingLabel(form);
  rec->SetParent(form);
  rec->SetAutoSize(false);
  rec->SetBounds(0, 0, 120, 40);
  rec->SetCaption("text");
  rec->SetWordWrap(true);
  rec->SetAlignment(taCenter);
  rec->SetLayout(tlCenter);
  Application->ProcessMessages();
  rec->calls.clear();
  form->Repaint();
  ASSERT_EQ(rec->calls.size(), 2u);
  EXPECT_TRUE(rec->calls[0].flags & DT_CALCRECT);
  EXPECT_EQ(rec->calls[0].rect, Rect(0, 0, 120, 40));
  // Vertically centred by the measured height 10: (40 - 10) / 2 down.
  EXPECT_EQ(rec->calls[1].rect, Rect(0, 15, 120, 55));
  EXPECT_EQ(rec->calls[1].flags & (DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS),
            int(DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS));
  // Only the descendant's step draws text: the background alone shows.
  EXPECT_EQ(InkBounds(*robot.Capture(rec), rec->GetColor()), Rect(0, 0, 0, 0));
}

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl) {
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(200, 200, 75, 25);
  auto* other = new TButton(form);
  other->SetParent(form);
  other->SetBounds(300, 200, 75, 25);
  other->SetFocus();
  label->SetCaption("&Save && go");
  label->SetFocusControl(button);
  TMessage wrong{CM_DIALOGCHAR, 'g', 0, 0};
  form->Broadcast(wrong);
  EXPECT_TRUE(other->Focused());
  TMessage right{CM_DIALOGCHAR, 'S', 0, 0};
  form->Broadcast(right);
  EXPECT_EQ(right.Result, 1);
  EXPECT_TRUE(button->Focused());
  delete button;  // the label forgets it
  EXPECT_EQ(label->GetFocusControl(), nullptr);
  TMessage again{CM_DIALOGCHAR, 's', 0, 0};
  form->Broadcast(again);
  EXPECT_EQ(again.Result, 0);
}
