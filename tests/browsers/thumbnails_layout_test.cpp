// TThumbnails state and geometry: defaults and clamps, scrolling by the
// first-slide position, the grid's hit test against the cards it places,
// ranges with any first slide, the selection and Assign.
#include <gtest/gtest.h>

#include <climits>

#include "tests/browsers/ThumbnailsFixture.h"

using namespace qel;
using qel::test::ThumbsFixture;

TEST(ThumbnailsLayout, DefaultControlShowsOneColumnOfThreeRows) {
  ThumbsFixture f;
  EXPECT_EQ(f.t->GetWidth(), 260);
  EXPECT_EQ(f.t->GetHeight(), 400);
  EXPECT_EQ(f.t->Pitch(), 136);
  EXPECT_EQ(f.t->GetColumns(), 1);  // the first paint replaced the initial 2
  EXPECT_EQ(f.t->GetRows(), 3);
  EXPECT_EQ(f.t->GetMin(), 1);
  EXPECT_EQ(f.t->GetMax(), 100);
  EXPECT_EQ(f.t->GetFirstThumbIx(), 1.0);
  EXPECT_EQ(f.t->GetSlideSelectMode(), ssmSingle);
  EXPECT_EQ(f.t->GetFocusedSlide(), 0);
  EXPECT_EQ(f.t->NumSlidesSelected(), 0);
  EXPECT_EQ(f.t->FirstSelectedSlide(), 0);
  f.LogRequests();
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "first n1 n2 n3 last ");
}

TEST(ThumbnailsLayout, SettersClampAndRepaintOnlyOnChange) {
  ThumbsFixture f;
  int paints = 0;
  f.t->OnFirstImageRequest = [&](TObject*) { ++paints; };
  f.t->SetSlideSize(30);
  EXPECT_EQ(f.t->GetSlideSize(), 50);
  f.t->SetSlideSize(1000);
  EXPECT_EQ(f.t->GetSlideSize(), 260);
  f.t->SetSlideDistance(-4);
  EXPECT_EQ(f.t->GetSlideDistance(), 0);
  f.t->SetSlideDistance(101);
  EXPECT_EQ(f.t->GetSlideDistance(), 100);
  f.t->SetSlideMargin(-1);
  EXPECT_EQ(f.t->GetSlideMargin(), 0);
  f.t->SetSlideMargin(500);
  EXPECT_EQ(f.t->GetSlideMargin(), 100);
  f.t->SetFocusLinewidth(11);
  EXPECT_EQ(f.t->GetFocusLinewidth(), 10);
  f.t->SetFocusLinewidth(-1);
  EXPECT_EQ(f.t->GetFocusLinewidth(), 0);
  f.t->SetMax(-3);
  EXPECT_EQ(f.t->GetMax(), 1);
  EXPECT_EQ(paints, 9);
  f.t->SetMax(1);
  f.t->SetSlideMargin(100);
  f.t->SetColorCover(f.t->GetColorCover());
  EXPECT_EQ(paints, 9);
  f.t->SetAntiAlias(false);  // stored and repainted even when unchanged
  EXPECT_EQ(paints, 10);
}

TEST(ThumbnailsLayout, FirstThumbIxAlignsRowsAndKeepsTheFraction) {
  ThumbsFixture f(300, 400);
  ASSERT_EQ(f.t->GetColumns(), 2);
  f.t->SetFirstThumbIx(6);
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 5.5);  // slide 5 top-left, half a pitch up
  int x = 0, y = 0;
  f.t->CalcSlidePos(5, x, y);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 2 - 68 + 10);
  f.t->CalcSlidePos(8, x, y);
  EXPECT_EQ(x, 146);
  EXPECT_EQ(y, 136 + 2 - 68 + 10);
  f.t->SetFirstThumbIx(7);  // a row start
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 7.0);
  f.t->SetFirstThumbIx(-20);
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 1.0);
  f.t->SetFirstThumbIx(1000);  // clamped to Max = 100, inside row 99..100
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 99.5);
  // A width of three columns re-aligns the position at the next paint.
  f.t->SetFirstThumbIx(6);
  f.t->SetWidth(440);
  f.t->Paint();
  EXPECT_EQ(f.t->GetColumns(), 3);
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 4 + 1.5 / 3);
}

// Every pixel of the control against the cards CalcSlidePos places.
TEST(ThumbnailsLayout, SlideIndexFindsExactlyTheCardsThatArePlaced) {
  ThumbsFixture f(480, 420);
  f.t->SetMax(40);
  f.t->SetFirstThumbIx(8);
  ASSERT_EQ(f.t->GetColumns(), 3);
  ASSERT_NEAR(f.t->GetFirstThumbIx(), 7 + 1.0 / 3, 1e-12);
  const int card = f.t->GetSlideSize() + 2 * f.t->GetSlideMargin();
  int found = 0, mismatches = 0;
  for (int y = -5; y < 425; ++y)
    for (int x = -5; x < 485; ++x) {
      int expected = 0;
      if (x >= 10 && x <= 470 && y >= 10 && y <= 410)
        for (int n = 1; n <= 40; ++n) {
          int cx = 0, cy = 0;
          f.t->CalcSlidePos(n, cx, cy);
          if (x >= cx && x <= cx + card && y >= cy && y <= cy + card) expected = n;
        }
      if (f.t->CalcSlideIndex(x, y) != expected) ++mismatches;
      if (expected != 0) ++found;
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(found, 9 * card * card / 2);
  // Slides before the top card lie above it, not beside it.
  int x = 0, y = 0;
  f.t->CalcSlidePos(6, x, y);
  EXPECT_EQ(x, 10 + 2 * 136);
  EXPECT_EQ(y, -136 + 2 - 45 + 10);
  EXPECT_EQ(f.t->CalcSlideIndex(10 + 2 * 136 + 5, 12), 9);
}

TEST(ThumbnailsLayout, AnyFirstSlideNumberWorks) {
  ThumbsFixture f(300, 400);
  f.t->SetMin(-4);
  f.t->SetMax(5);
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 0.5);  // rows now start at -4, -2, 0, 2
  f.t->SetFirstThumbIx(-1);  // rows start at -4, -2, 0: -1 is half way into row -2
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), -1.5);
  int x = 0, y = 0;
  f.t->CalcSlidePos(-2, x, y);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 2 - 68 + 10);
  EXPECT_EQ(f.t->CalcSlideIndex(x + 146 + 5, y + 100), -1);
  f.t->SetFirstThumbIx(-9);
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), -4.0);
  f.LogRequests();
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "first n-4 n-2 n0 n-3 n-1 n1 last ");
  // One bit per slide: -4 and 5 are the ends.
  f.t->SetSelectedSlide(-4, true);
  f.t->SetSelectedSlide(5, true);
  f.t->SetSelectedSlide(6, true);
  f.t->SetSelectedSlide(-5, true);
  EXPECT_EQ(f.t->NumSlidesSelected(), 2);
  EXPECT_EQ(f.t->FirstSelectedSlide(), -4);
  // Slide 0 is a slide like any other: a click selects it.
  f.t->ResetAllSelections();
  EXPECT_EQ(f.t->FirstSelectedSlide(), -5);  // Min - 1: nothing selected
  f.ClickSlide(0);
  EXPECT_TRUE(f.t->GetSelectedSlide(0));
  EXPECT_EQ(f.t->NumSlidesSelected(), 1);
  // Raising Min above Max raises Max with it.
  f.t->SetMin(9);
  EXPECT_EQ(f.t->GetMax(), 9);
  EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), 9.0);
  f.t->SetSelectedSlide(9, true);
  EXPECT_EQ(f.t->FirstSelectedSlide(), 9);
}

TEST(ThumbnailsLayout, RangeTooLargeForTheSelectionIsRefusedWhole) {
  ThumbsFixture f;
  f.t->SetName("Thumbs");
  f.t->SetMin(-100);
  f.t->SetSelectedSlide(-100, true);
  try {
    f.t->SetMax(INT_MAX);
    ADD_FAILURE() << "no exception";
  } catch (const EQELThumbnailsError& e) {
    EXPECT_EQ(std::string(e.what()), "Component \"Thumbs\": TThumbnails.Max = 2147483647 refused: slides -100 to "
                                     "2147483647 are 2147483748, more than the 2147483647 a thumbnail viewer can number");
  }
  EXPECT_EQ(f.t->GetMax(), 100);
  EXPECT_TRUE(f.t->GetSelectedSlide(-100));
  f.t->SetMax(-50);
  EXPECT_EQ(f.t->GetMax(), -50);
  f.t->SetSelectedSlide(-50, true);
  EXPECT_EQ(f.t->NumSlidesSelected(), 2);
}

TEST(ThumbnailsLayout, SelectionOperations) {
  ThumbsFixture f;
  int paints = 0;
  f.t->OnFirstImageRequest = [&](TObject*) { ++paints; };
  f.t->SetSelectedSlide(7, true);
  f.t->SetSelectedSlide(3, true);
  f.t->SetSelectedSlide(100, true);
  f.t->SetSelectedSlide(0, true);    // outside: nothing
  f.t->SetSelectedSlide(101, true);  // outside: nothing
  EXPECT_EQ(paints, 3);
  EXPECT_EQ(f.t->NumSlidesSelected(), 3);
  EXPECT_EQ(f.t->FirstSelectedSlide(), 3);
  EXPECT_TRUE(f.t->GetSelectedSlide(100));
  EXPECT_FALSE(f.t->GetSelectedSlide(101));
  f.t->SetSelectedSlide(3, false);
  EXPECT_EQ(f.t->FirstSelectedSlide(), 7);
  // Shrinking the range drops the bits past its end.
  f.t->SetMax(50);
  f.t->SetMax(100);
  EXPECT_FALSE(f.t->GetSelectedSlide(100));
  f.t->SetSlideSelectMode(ssmMultiple);  // a new mode clears the selection
  EXPECT_EQ(f.t->NumSlidesSelected(), 0);
  f.t->SetSelectedSlide(5, true);
  f.t->ResetAllSelections();
  EXPECT_EQ(f.t->NumSlidesSelected(), 0);
}

TEST(ThumbnailsLayout, AssignCopiesTheLookButNotSelectionMarkOrMode) {
  ThumbsFixture f;
  TThumbnails src(nullptr);
  src.SetMin(5);
  src.SetMax(500);
  src.SetSlideSize(80);
  src.SetSlideDistance(6);
  src.SetSlideMargin(3);
  src.SetFirstThumbIx(9);
  src.SetFrameStyle(fsEmbossed);
  src.SetOuterFrameStyle(fsSimple);
  src.SetInnerFrameStyle(fsNone);
  src.SetColorBackGnd(0x102030);
  src.SetColorCover(0x405060);
  src.SetColorSelected(0x708090);
  src.SetColorFocus(0x0000FF);
  src.SetColorMark(0x00FF00);
  src.SetColorScheme(csSystem);
  src.SetAntiAlias(true);
  src.SetFocusLinewidth(4);
  src.SetSlideSelectMode(ssmDisabled);
  src.SetSelectedSlide(400, true);
  int clicks = 0;
  src.OnImageClick = [&](TObject*, int, int, int) { ++clicks; };
  f.t->SetSelectedSlide(2, true);
  f.t->Assign(&src);
  EXPECT_EQ(f.t->GetMin(), 5);
  EXPECT_EQ(f.t->GetMax(), 500);
  EXPECT_EQ(f.t->GetSlideSize(), 80);
  EXPECT_EQ(f.t->GetSlideDistance(), 6);
  EXPECT_EQ(f.t->GetSlideMargin(), 3);
  EXPECT_EQ(f.t->GetFrameStyle(), fsEmbossed);
  EXPECT_EQ(f.t->GetOuterFrameStyle(), fsSimple);
  EXPECT_EQ(f.t->GetInnerFrameStyle(), fsNone);
  EXPECT_EQ(f.t->GetColorBackGnd(), 0x102030u);
  EXPECT_EQ(f.t->GetColorCover(), 0x405060u);
  EXPECT_EQ(f.t->GetColorSelected(), 0x708090u);
  EXPECT_EQ(f.t->GetColorFocus(), 0x0000FFu);
  EXPECT_EQ(f.t->GetColorScheme(), csSystem);
  EXPECT_TRUE(f.t->GetAntiAlias());
  EXPECT_EQ(f.t->GetFocusLinewidth(), 4);
  EXPECT_EQ(f.t->GetColorMark(), 0x000000u);
  EXPECT_EQ(f.t->GetSlideSelectMode(), ssmSingle);
  EXPECT_FALSE(f.t->GetSelectedSlide(400));
  // The selection now covers 5..500: a slide at its far end can be selected.
  f.t->SetSelectedSlide(500, true);
  EXPECT_TRUE(f.t->GetSelectedSlide(500));
  f.ClickSlide(int(f.t->GetFirstThumbIx()));
  EXPECT_EQ(clicks, 1);
  // AssignTo a viewer goes through the viewer's Assign.
  TThumbnails other(nullptr);
  f.t->AssignTo(&other);
  EXPECT_EQ(other.GetSlideSize(), 80);
}
