// Where popups open: below or beside their anchor, flipped where the screen
// ends, and never off the screen.
#include "platform/controls/PopupPlacement.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {
const TSize screen{800, 600};
}

TEST(PopupPlacement, BelowFlipsAboveOnlyWhenThereIsRoomAndStaysOnTheScreen) {
  const TRect box = Bounds(100, 200, 150, 21);
  EXPECT_EQ(PlacePopup(box, {150, 100}, TPopupSide::Below, screen), Bounds(100, 221, 150, 100));
  // No room below: above the anchor, its bottom on the anchor's top.
  const TRect low = Bounds(100, 550, 150, 21);
  EXPECT_EQ(PlacePopup(low, {150, 100}, TPopupSide::Below, screen), Bounds(100, 450, 150, 100));
  // Room on neither side: below, moved up until its bottom is the screen's.
  EXPECT_EQ(PlacePopup(Bounds(0, 50, 10, 10), {150, 580}, TPopupSide::Below, screen), Bounds(0, 20, 150, 580));
  // Past the right edge or left of the screen: moved back on.
  EXPECT_EQ(PlacePopup(Bounds(700, 0, 150, 21), {150, 50}, TPopupSide::Below, screen), Bounds(650, 21, 150, 50));
  EXPECT_EQ(PlacePopup(Bounds(-30, 0, 150, 21), {150, 50}, TPopupSide::Below, screen), Bounds(0, 21, 150, 50));
  // Taller than the screen: its top stays on the screen.
  EXPECT_EQ(PlacePopup(box, {150, 900}, TPopupSide::Below, screen).Top, 0);
}

TEST(PopupPlacement, BesideFlipsLeftWhereTheScreenEndsAndShiftsUpToFit) {
  // A submenu: right of its parent's row, else left of it.
  const TRect row{300, 100, 500, 100};
  EXPECT_EQ(PlacePopup(row, {120, 80}, TPopupSide::Beside, screen), Bounds(500, 100, 120, 80));
  const TRect nearEdge{600, 100, 750, 100};
  EXPECT_EQ(PlacePopup(nearEdge, {120, 80}, TPopupSide::Beside, screen), Bounds(480, 100, 120, 80));
  EXPECT_EQ(PlacePopup(nearEdge, {120, 80}, TPopupSide::Beside, screen).Right, 600);
  // A menu opened at a point near the bottom right corner.
  EXPECT_EQ(PlacePopup({790, 590, 790, 590}, {120, 80}, TPopupSide::Beside, screen), Bounds(670, 520, 120, 80));
}
