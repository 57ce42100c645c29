// The thumbnail viewer at the ends of the int range: scrolled to the last
// of two billion slides (or past it, to infinity), it paints, hit-tests,
// highlights and selects the right slides, costs no memory for the range,
// and a range wider than the slide numbers can count is refused with a
// message that says which property and value asked for it.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "../browsers/ThumbnailsFixture.h"
#include "../platform/graphics/canvas_test_util.h"

using namespace qel;
using namespace qel::test;

namespace {

// Bytes the program holds on its heap; -1 where that cannot be told (the
// sanitizers keep their own heap).
long long HeapInUse() {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
  return (long long)mallinfo2().uordblks;
#else
  return -1;
#endif
}

}  // namespace

TEST(ThumbnailsExtremes, LastSlidesOfTheIntRangePaintHitTestAndSelect) {
  ThumbsFixture f(440, 400);  // three columns, three rows drawn
  f.t->Paint();
  ASSERT_EQ(f.t->GetColumns(), 3);
  f.t->SetMax(INT_MAX);
  // Far below the top card: the card is off the screen, put 2^30 pixels down.
  int x = 0, y = 0;
  f.t->CalcSlidePos(INT_MAX, x, y);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 1 << 30);
  for (double far : {double(INT_MAX), 1e300, double(INFINITY)}) {
    SCOPED_TRACE(far);
    f.t->SetFirstThumbIx(1);
    f.t->SetFirstThumbIx(far);
    f.TakeLog();
    // The row of the last slide starts at INT_MAX itself (rows start at 1, 4, ...).
    EXPECT_DOUBLE_EQ(f.t->GetFirstThumbIx(), double(INT_MAX));
    f.LogRequests();
    f.t->Paint();
    EXPECT_EQ(f.TakeLog(), "first n2147483647 last ");
    f.t->OnImageRequest = nullptr;
  }
  f.t->CalcSlidePos(INT_MAX, x, y);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 12);
  f.t->CalcSlidePos(1, x, y);  // far above
  EXPECT_EQ(y, -(1 << 30));
  EXPECT_EQ(f.t->CalcSlideIndex(20, 20), INT_MAX);
  EXPECT_EQ(f.t->CalcSlideIndex(20 + 136, 20), 0);  // past Max
  // Scrolled half a row back: rows INT_MAX - 3 and INT_MAX.
  f.t->SetFirstThumbIx(INT_MAX - 1.5);
  f.LogRequests();
  f.TakeLog();
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "first n2147483644 n2147483647 n2147483645 n2147483646 last ");
  f.robot.MoveTo(f.t, 5, 5);
  f.robot.MoveTo(f.t, f.Centre(INT_MAX).X, f.Centre(INT_MAX).Y);
  EXPECT_EQ(f.t->GetFocusedSlide(), INT_MAX);
  EXPECT_EQ(f.At(f.Centre(INT_MAX).X - 65, f.Centre(INT_MAX).Y), 0xFF0000u);  // the highlight's left edge
  f.ClickSlide(INT_MAX);
  EXPECT_TRUE(f.t->GetSelectedSlide(INT_MAX));
  EXPECT_EQ(f.t->FirstSelectedSlide(), INT_MAX);
  EXPECT_EQ(f.At(f.Centre(INT_MAX).X, f.Centre(INT_MAX).Y - 60), 0x800000u);  // a selected card
  // The highlight of a slide two billion rows away is drawn off the control.
  f.t->SetFirstThumbIx(1);
  f.robot.MoveTo(f.t, f.Centre(1).X, f.Centre(1).Y);
  EXPECT_EQ(f.t->GetFocusedSlide(), 1);
  EXPECT_EQ(f.t->CalcSlideIndex(20, 20), 1);  // still usable
}

TEST(ThumbnailsExtremes, SelectingEveryOneOfTwoBillionSlidesTakesNoMemory) {
  ThumbsFixture f(440, 400);
  f.t->SetSlideSelectMode(ssmMultiple);
  const long long before = HeapInUse();
  f.t->SetMax(INT_MAX);
  f.t->SetFirstThumbIx(INFINITY);
  f.t->Paint();
  f.ClickSlide(INT_MAX);
  f.t->SetFirstThumbIx(1);
  f.ClickSlide(2, {ssShift});  // 2 .. INT_MAX
  f.ClickSlide(1, {ssCtrl});
  EXPECT_EQ(f.t->NumSlidesSelected(), INT_MAX);
  EXPECT_TRUE(f.t->GetSelectedSlide(1234567890));
  if (before >= 0) EXPECT_LT(HeapInUse() - before, 1 << 20) << "bytes taken by the range and its selection";
  f.ClickSlide(3);  // a hole in the middle
  EXPECT_EQ(f.t->NumSlidesSelected(), INT_MAX - 1);
  EXPECT_FALSE(f.t->GetSelectedSlide(3));
  f.t->SetMax(10);  // shrinking drops what lies past the end
  EXPECT_EQ(f.t->NumSlidesSelected(), 9);
  f.t->SetMax(INT_MAX);
  EXPECT_EQ(f.t->NumSlidesSelected(), 9);
  EXPECT_FALSE(f.t->GetSelectedSlide(11));
}

TEST(ThumbnailsExtremes, RangeWiderThanTheSlideNumbersIsRefusedByName) {
  ThumbsFixture f;
  f.t->SetName("Thumbs");
  f.t->SetMax(INT_MAX);
  f.t->SetSelectedSlide(7, true);
  const std::vector<uint32_t> before = test::PixelsOf(*f.robot.Capture(f.t));
  const std::string prefix = "Component \"Thumbs\": TThumbnails.";
  auto expectRefused = [&](const std::function<void()>& Op, const std::string& Message) {
    try {
      Op();
      ADD_FAILURE() << "no error";
    } catch (const EQELThumbnailsError& e) {
      EXPECT_EQ(e.what(), prefix + Message);
    }
    EXPECT_EQ(f.t->GetMin(), 1);
    EXPECT_EQ(f.t->GetMax(), INT_MAX);
    EXPECT_TRUE(f.t->GetSelectedSlide(7));
    EXPECT_EQ(test::PixelsOf(*f.robot.Capture(f.t)), before);
  };
  expectRefused([&] { f.t->SetMin(INT_MIN); },
                "Min = -2147483648 refused: slides -2147483648 to 2147483647 are 4294967296, more than the "
                "2147483647 a thumbnail viewer can number");
  expectRefused([&] { f.t->SetMin(-1); },
                "Min = -1 refused: slides -1 to 2147483647 are 2147483649, more than the 2147483647 a thumbnail "
                "viewer can number");
  f.t->SetMax(1);
  f.t->SetMin(-10);
  f.t->SetMax(-2);
  f.t->SetMin(INT_MIN);  // the widest range there is: INT_MIN .. -2
  try {
    f.t->SetMax(-1);
    ADD_FAILURE() << "no error";
  } catch (const EQELThumbnailsError& e) {
    EXPECT_EQ(e.what(), prefix + "Max = -1 refused: slides -2147483648 to -1 are 2147483648, more than the "
                                 "2147483647 a thumbnail viewer can number");
  }
  EXPECT_EQ(f.t->GetMax(), -2);
  f.t->ResetAllSelections();
  EXPECT_EQ(f.t->FirstSelectedSlide(), INT_MAX);  // none selected: Min - 1 would not fit
  f.t->SetSelectedSlide(INT_MIN, true);
  EXPECT_EQ(f.t->FirstSelectedSlide(), INT_MIN);
  f.t->SetFirstThumbIx(-INFINITY);
  f.LogRequests();
  f.TakeLog();
  f.t->Paint();
  EXPECT_EQ(f.TakeLog(), "first n-2147483648 n-2147483647 n-2147483646 last ");
}
