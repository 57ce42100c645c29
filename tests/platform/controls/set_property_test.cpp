#include <gtest/gtest.h>

#include "ControlsTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
// A graphic control with two properties set the shared way, counting its paints.
class TGraphicSetter : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int paints = 0;
  int number = 0;
  std::string text;
  bool SetNumber(int v, TStore when = TStore::WhenChanged) {
    return SetProperty(number, v, TRefresh::Paint, when);
  }
  bool SetText(std::string v) { return SetProperty(text, std::move(v), TRefresh::Paint); }

 protected:
  void Paint() override { ++paints; }
};

// A windowed control whose one property is shown as the setter's caller says.
class TWindowedSetter : public TLogControl {
 public:
  using TLogControl::TLogControl;
  int number = 0;
  bool SetNumber(int v, TRefresh how) { return SetProperty(number, v, how); }
};

// A windowed control on a shown form, with a graphic control on it.
struct SetPropertyTest : ::testing::Test {
  Log log;
  TForm form{nullptr};
  TWindowedSetter* w = new TWindowedSetter(&form, &form, &log, "w", Bounds(0, 0, 50, 50));
  TGraphicSetter* g = new TGraphicSetter(&form);
  SetPropertyTest() {
    g->SetParent(w);
    g->SetBounds(0, 0, 20, 20);
    form.Show();
    Application->ProcessMessages();
  }
};
}  // namespace

TEST_F(SetPropertyTest, AGraphicControlPaintsAtOnceOnlyForAChangeUnlessAlwaysIsAsked) {
  const int before = g->paints, parentBefore = w->paints;

  EXPECT_TRUE(g->SetNumber(5));
  EXPECT_EQ(g->number, 5);
  EXPECT_EQ(g->paints, before + 1);  // at once, not at the next turn of the loop
  EXPECT_EQ(w->paints, parentBefore);  // by itself: the parent is not painted again
  EXPECT_FALSE(g->SetNumber(5));
  EXPECT_EQ(g->paints, before + 1);
  EXPECT_FALSE(g->SetNumber(5, TStore::Always));
  EXPECT_EQ(g->paints, before + 2);
  EXPECT_TRUE(g->SetNumber(6, TStore::Always));
  EXPECT_EQ(g->number, 6);
  EXPECT_EQ(g->paints, before + 3);

  EXPECT_TRUE(g->SetText("Gauge \xC3\xBC"));
  EXPECT_EQ(g->text, "Gauge \xC3\xBC");
  EXPECT_FALSE(g->SetText("Gauge \xC3\xBC"));
  EXPECT_EQ(g->paints, before + 4);
  Application->ProcessMessages();
  EXPECT_EQ(g->paints, before + 4);  // nothing left over for the loop
}

TEST_F(SetPropertyTest, AWindowedControlPaintsNowOrAtTheNextTurnOrNotAtAll) {
  int paints = w->paints;

  EXPECT_TRUE(w->SetNumber(1, TRefresh::Paint));
  EXPECT_EQ(w->paints, ++paints);
  Application->ProcessMessages();
  EXPECT_EQ(w->paints, paints);

  EXPECT_TRUE(w->SetNumber(2, TRefresh::Invalidate));
  EXPECT_EQ(w->paints, paints);
  Application->ProcessMessages();
  EXPECT_EQ(w->paints, ++paints);
  EXPECT_FALSE(w->SetNumber(2, TRefresh::Invalidate));
  Application->ProcessMessages();
  EXPECT_EQ(w->paints, paints);

  EXPECT_TRUE(w->SetNumber(3, TRefresh::None));
  EXPECT_EQ(w->number, 3);
  Application->ProcessMessages();
  EXPECT_EQ(w->paints, paints);
}
