#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/hosts/headless/HeadlessHost.h"
#include "platform/stdctrls/ScrollBars.h"

using namespace qel;

namespace {
// A host that follows every scroll code the way a list would: lines by one,
// pages by the page size, thumb positions as given.
struct BarHost {
  TClientScrollBar bar{sbVertical};
  std::vector<std::pair<int, int>> codes;
  BarHost() {
    bar.SetBounds({0, 0, 17, 217});  // a 183-pixel track between the arrows
    bar.SetRange(0, 99);
    bar.SetPageSize(10);
    bar.OnScroll = [this](int code, int pos) {
      codes.push_back({code, pos});
      int p = bar.Position();
      switch (code) {
        case SB_LINEUP: bar.SetPosition(p - 1); break;
        case SB_LINEDOWN: bar.SetPosition(p + 1); break;
        case SB_PAGEUP: bar.SetPosition(p - bar.PageSize()); break;
        case SB_PAGEDOWN: bar.SetPosition(p + bar.PageSize()); break;
        case SB_THUMBPOSITION: bar.SetPosition(pos); break;
        default: break;
      }
    };
  }
  int Count(int code) const {
    int n = 0;
    for (auto& c : codes) n += c.first == code;
    return n;
  }
};
}  // namespace

TEST(ScrollBar, ThumbIsProportionalAndPositionStaysInRange) {
  BarHost h;
  EXPECT_EQ(h.bar.MaxPosition(), 90);
  TRect thumb = h.bar.ThumbRect();
  EXPECT_EQ(thumb.Height(), 183 * 10 / 100);
  EXPECT_EQ(thumb.Top, 17);
  h.bar.SetPosition(1000);
  EXPECT_EQ(h.bar.Position(), 90);
  EXPECT_EQ(h.bar.ThumbRect().Bottom, 217 - 17);
  h.bar.SetPosition(-5);
  EXPECT_EQ(h.bar.Position(), 0);
  // Far more positions than pixels: the thumb keeps a usable size.
  h.bar.SetRange(0, 1000000);
  EXPECT_GE(h.bar.ThumbRect().Height(), 8);
}

TEST(ScrollBar, ArrowStepsAtOnceThenRepeatsWhileHeldAndEndsOnRelease) {
  BarHost h;
  ASSERT_TRUE(h.bar.MouseDown({8, 210}));
  EXPECT_EQ(h.Count(SB_LINEDOWN), 1);
  Headless().AdvanceTime(399);
  EXPECT_EQ(h.Count(SB_LINEDOWN), 1);  // the first repeat waits
  Headless().AdvanceTime(1);
  EXPECT_EQ(h.Count(SB_LINEDOWN), 2);
  Headless().AdvanceTime(100);
  EXPECT_EQ(h.Count(SB_LINEDOWN), 4);
  // Moving off the arrow pauses the repeat; coming back resumes it.
  h.bar.MouseMove({8, 100});
  Headless().AdvanceTime(100);
  EXPECT_EQ(h.Count(SB_LINEDOWN), 4);
  h.bar.MouseMove({8, 210});
  Headless().AdvanceTime(50);
  EXPECT_EQ(h.Count(SB_LINEDOWN), 5);
  h.bar.MouseUp({8, 210});
  EXPECT_EQ(h.codes.back().first, SB_ENDSCROLL);
  Headless().AdvanceTime(500);
  EXPECT_EQ(h.Count(SB_LINEDOWN), 5);
  EXPECT_EQ(h.bar.Position(), 5);
  ASSERT_TRUE(h.bar.MouseDown({8, 5}));
  h.bar.MouseUp({8, 5});
  EXPECT_EQ(h.bar.Position(), 4);
}

TEST(ScrollBar, PageClicksRepeatUntilTheThumbReachesTheMouse) {
  BarHost h;
  // Pixel 150 of the bar lies at position (150-17)/(183-18)*90, about 72.
  ASSERT_TRUE(h.bar.MouseDown({8, 150}));
  Headless().AdvanceTime(2000);
  h.bar.MouseUp({8, 150});
  EXPECT_GE(h.Count(SB_PAGEDOWN), 7);
  EXPECT_LE(h.Count(SB_PAGEDOWN), 9);
  TRect thumb = h.bar.ThumbRect();
  EXPECT_TRUE(thumb.Top <= 150 && 150 < thumb.Bottom) << thumb.Top << ".." << thumb.Bottom;
  EXPECT_EQ(h.Count(SB_PAGEUP), 0);
}

TEST(ScrollBar, ThumbDragTracksThenReportsTheFinalPosition) {
  BarHost h;
  TRect thumb = h.bar.ThumbRect();
  int grabY = thumb.Top + 2;
  ASSERT_TRUE(h.bar.MouseDown({8, grabY}));
  h.bar.MouseMove({8, grabY + 40});
  ASSERT_FALSE(h.codes.empty());
  EXPECT_EQ(h.codes.back().first, SB_THUMBTRACK);
  int tracked = h.codes.back().second;
  EXPECT_NEAR(tracked, 40 * 90 / (183 - 18), 1);
  EXPECT_EQ(h.bar.Position(), 0);  // the host decides; it ignores tracking here
  EXPECT_EQ(h.bar.ThumbRect().Top, thumb.Top + 40);  // but the thumb follows the mouse
  h.bar.MouseMove({8, 500});  // far below: the end
  h.bar.MouseUp({8, 500});
  ASSERT_GE(h.codes.size(), 2u);
  EXPECT_EQ(h.codes[h.codes.size() - 2], std::make_pair(SB_THUMBPOSITION, 90));
  EXPECT_EQ(h.codes.back().first, SB_ENDSCROLL);
  EXPECT_EQ(h.bar.Position(), 90);
}

TEST(ScrollBar, NothingToScrollMeansNoThumbAndNoCodes) {
  BarHost h;
  h.bar.SetPageSize(200);
  EXPECT_FALSE(h.bar.Scrollable());
  EXPECT_TRUE(h.bar.ThumbRect().IsEmpty());
  EXPECT_TRUE(h.bar.MouseDown({8, 210}));  // on the bar, but inert
  h.bar.MouseUp({8, 210});
  EXPECT_TRUE(h.codes.empty());
  EXPECT_FALSE(h.bar.MouseDown({30, 30}));  // not on the bar at all
  TBitmap bmp(17, 217);
  h.bar.Paint(bmp.Canvas());
  // The arrow is drawn grey when the bar is disabled.
  bool grey = false;
  for (int y = 0; y < 17 && !grey; ++y)
    for (int x = 0; x < 17; ++x)
      if (bmp.Canvas()->GetPixels(x, y) == ColorToRGB(clGrayText)) grey = true;
  EXPECT_TRUE(grey);
}
