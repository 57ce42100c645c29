// TThumbnails and the mouse: clicks in the three selection modes, double
// clicks, and the focus highlight that follows the slide under the mouse.
#include <gtest/gtest.h>

#include <string>

#include "tests/browsers/ThumbnailsFixture.h"

using namespace qel;
using qel::test::ThumbsFixture;

namespace {

// "n:x,y" for each OnImageClick.
struct ClickLog : ThumbsFixture {
  ClickLog() {
    t->OnImageClick = [this](TObject*, int x, int y, int n) {
      log.push_back(std::to_string(n) + ":" + std::to_string(x) + "," + std::to_string(y));
    };
    t->OnClick = [this](TObject*) { log.push_back("click"); };
  }
  std::string Selected() {
    std::string s;
    for (int n = t->GetMin(); n <= t->GetMax(); ++n)
      if (t->GetSelectedSlide(n)) s += std::to_string(n) + " ";
    return s;
  }
};

}  // namespace

TEST(ThumbnailsInput, SingleModeSelectsTheClickedSlideAlone) {
  ClickLog f;
  f.ClickSlide(2);
  EXPECT_EQ(f.TakeLog(), "click 2:77,215 ");
  EXPECT_EQ(f.Selected(), "2 ");
  EXPECT_EQ(f.t->GetLastClickedSlide(), 2);
  EXPECT_EQ(f.At(13, 151), 0x800000u);  // repainted as selected
  f.ClickSlide(1);
  EXPECT_EQ(f.Selected(), "1 ");
  f.robot.Click(f.t, 77, 147);  // between slides 1 and 2
  EXPECT_EQ(f.TakeLog(), "click 1:77,79 click 0:77,147 ");
  EXPECT_EQ(f.Selected(), "");
  EXPECT_EQ(f.t->GetLastClickedSlide(), 0);
  f.robot.Click(f.t, 150, 79);  // right of the only column
  EXPECT_EQ(f.TakeLog(), "click 0:150,79 ");
  f.robot.Click(f.t, 77, 79, mbRight);  // only the left button selects
  EXPECT_EQ(f.TakeLog(), "");
  EXPECT_EQ(f.Selected(), "");
}

TEST(ThumbnailsInput, MultipleModeTogglesAndShiftAddsRanges) {
  ClickLog f;
  f.t->SetSlideSelectMode(ssmMultiple);
  f.ClickSlide(1);
  f.ClickSlide(3, {ssCtrl});
  EXPECT_EQ(f.Selected(), "1 3 ");
  f.ClickSlide(1);
  EXPECT_EQ(f.Selected(), "3 ");
  EXPECT_EQ(f.t->GetLastClickedSlide(), 1);
  f.ClickSlide(2, {ssShift});  // 1..2 added, the anchor stays at 1
  EXPECT_EQ(f.Selected(), "1 2 3 ");
  EXPECT_EQ(f.t->GetLastClickedSlide(), 1);
  f.robot.Click(f.t, 77, 147);  // between cards: nothing changes
  EXPECT_EQ(f.Selected(), "1 2 3 ");
  f.ClickSlide(3);
  f.t->SetFirstThumbIx(6);
  // From 3, scrolled out of view, to 8. The press lands where the last one
  // did: the platform takes it for a double click and fires no OnClick.
  f.ClickSlide(8, {ssShift});
  EXPECT_EQ(f.Selected(), "1 2 3 4 5 6 7 8 ");
  EXPECT_EQ(f.TakeLog(), "click 1:77,79 click 3:77,351 click 1:77,79 click 2:77,215 click 0:77,147 "
                         "click 3:77,351 8:77,351 ");
}

TEST(ThumbnailsInput, DisabledModeLeavesTheSelectionToTheProgram) {
  ClickLog f;
  f.t->SetSlideSelectMode(ssmDisabled);
  f.t->SetSelectedSlide(3, true);
  f.ClickSlide(2);
  EXPECT_EQ(f.Selected(), "3 ");
  EXPECT_EQ(f.t->GetLastClickedSlide(), 0);
  EXPECT_EQ(f.TakeLog(), "click 2:77,215 ");
}

TEST(ThumbnailsInput, DoubleClickReportsTheSlide) {
  ClickLog f;
  std::vector<int> dbl;
  f.t->OnImageDblClick = [&](TObject*, int, int, int n) { dbl.push_back(n); };
  f.robot.DoubleClick(f.t, 77, 215);
  f.robot.DoubleClick(f.t, 5, 5);
  EXPECT_EQ(dbl, (std::vector<int>{2, 0}));
}

TEST(ThumbnailsInput, FocusFollowsTheMouseWithAHighlight) {
  ThumbsFixture f;
  int changes = 0;
  f.t->OnFocusChange = [&](TObject*) { ++changes; };
  f.robot.MoveTo(f.t, 77, 79);
  EXPECT_EQ(f.t->GetFocusedSlide(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(f.At(12, 14), 0xFF0000u);   // outline 2 pixels inside the card
  EXPECT_EQ(f.At(141, 144), 0xFF0000u);
  EXPECT_EQ(f.At(13, 15), 0xC0C0C0u);   // one pixel wide
  f.robot.MoveTo(f.t, 80, 90);          // same slide: nothing new
  EXPECT_EQ(changes, 1);
  f.robot.MoveTo(f.t, 77, 215);
  EXPECT_EQ(f.t->GetFocusedSlide(), 2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(f.At(12, 14), 0xC0C0C0u);   // slide 1 back to its cover colour
  EXPECT_EQ(f.At(12, 150), 0xFF0000u);
  // Slide 3's outline is cut by the bottom strip, filled again after it.
  f.robot.MoveTo(f.t, 77, 351);
  EXPECT_EQ(f.At(12, 389), 0xFF0000u);
  EXPECT_EQ(f.At(12, 390), ColorToRGB(clBtnFace));
  EXPECT_EQ(f.At(50, 397), ColorToRGB(clBtnFace));
  f.robot.MoveTo(f.t, 77, 147);         // between cards
  EXPECT_EQ(f.t->GetFocusedSlide(), 0);
  EXPECT_EQ(changes, 4);
  // A selected slide gets its selection colour back.
  f.t->SetSelectedSlide(1, true);
  f.t->SetFocusLinewidth(3);
  f.robot.MoveTo(f.t, 77, 79);
  EXPECT_EQ(f.At(14, 16), 0xFF0000u);
  f.robot.MoveTo(f.t, 77, 147);
  EXPECT_EQ(f.At(14, 16), 0x800000u);
  // Width 0 turns tracking off.
  f.t->SetFocusLinewidth(0);
  f.robot.MoveTo(f.t, 77, 79);
  EXPECT_EQ(f.t->GetFocusedSlide(), 0);
  EXPECT_EQ(changes, 6);
}
