// TMarkSel geometry and picking: centres with hidden symbols, the seventh
// row below the drawn area, the nearest symbol and its ties, clicks and
// double clicks with their events, and the clamps of the setters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MarkSelTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
using Log = std::vector<std::string>;
struct MarkSelPick : MarkSelFixture, ::testing::Test {};
}  // namespace

TEST_F(MarkSelPick, CentresFollowTheVisibleSymbolsInIndexOrder) {
  EXPECT_EQ(ms->GetWidth(), 236);
  EXPECT_EQ(ms->GetHeight(), 178);
  EXPECT_EQ(ms->CellWidth(), 29);
  EXPECT_EQ(ms->CellHeight(), 29);
  EXPECT_EQ(ms->GetMarkCentre(0), TPoint(14, 14));
  EXPECT_EQ(ms->GetMarkCentre(9), TPoint(43, 43));
  EXPECT_EQ(ms->GetMarkCentre(47), TPoint(217, 159));
  EXPECT_EQ(ms->GetMarkCentre(48), TPoint(14, 188));  // a seventh row, below the control
  EXPECT_EQ(ms->GetMarkCentre(52), TPoint(-1, -1));
  EXPECT_EQ(ms->GetMarkCentre(-1), TPoint(-1, -1));

  for (int i = 1; i <= 10; ++i) ms->SetVis(i, false);
  EXPECT_EQ(ms->GetMarkCentre(11), TPoint(43, 14));  // no gaps: the second cell
  EXPECT_EQ(ms->GetMarkCentre(12), TPoint(72, 14));
  EXPECT_EQ(ms->GetMarkCentre(5), TPoint(-1, -1));

  ms->SetNrOfColumns(5);  // cells of 46: centres at 23, 69, ...
  EXPECT_EQ(ms->GetMarkCentre(0), TPoint(23, 14));
  EXPECT_EQ(ms->GetMarkCentre(15), TPoint(23, 43));  // the sixth visible symbol
  ms->ShowAllMarks();
  EXPECT_EQ(ms->GetMarkCentre(5), TPoint(23, 43));
}

TEST_F(MarkSelPick, TheNearestSymbolWinsAndATieGoesToTheLowerNumber) {
  ms->SetBounds(10, 10, 244, 184);  // cells of 30: centres at 15, 45, ...
  EXPECT_EQ(ms->NearestMark(30, 15), 0);
  EXPECT_EQ(ms->NearestMark(31, 15), 1);
  EXPECT_EQ(ms->NearestMark(15, 30), 0);  // between 0 and 8
  EXPECT_EQ(ms->NearestMark(30, 30), 0);  // between 0, 1, 8 and 9
  EXPECT_EQ(ms->NearestMark(31, 31), 9);
  EXPECT_EQ(ms->NearestMark(44, 30), 1);  // between 1 and 9
  EXPECT_EQ(ms->NearestMark(-500, -500), 0);

  ClickAt(30, 15);
  EXPECT_EQ(ms->GetSelected(), 0);
  EXPECT_EQ(log, (Log{"OnClick", "OnMarkClick 30,15 0"}));

  ms->SetVis(1, false);  // symbol 2 moves into the place of 1
  EXPECT_EQ(ms->NearestMark(45, 15), 2);
  EXPECT_EQ(ms->NearestMark(0, 0), 0);  // a hidden symbol is nowhere
  ms->HideAllMarks();
  EXPECT_EQ(ms->NearestMark(200, 150), 0);  // symbol 0 is always there
}

TEST_F(MarkSelPick, AClickNearTheBottomReachesTheSeventhRow) {
  ClickAt(43, 176);  // 12 above symbol 49's centre, 17 below symbol 41's
  EXPECT_EQ(ms->GetSelected(), 49);
  EXPECT_EQ(log, (Log{"OnClick", "OnMarkClick 43,176 49"}));
  ClickAt(43, 173);
  EXPECT_EQ(ms->GetSelected(), 41);
}

TEST_F(MarkSelPick, ClicksAndDoubleClicksSelectAfterThePlatformsEvents) {
  ClickAt(72, 43);
  EXPECT_EQ(ms->GetSelected(), 10);
  log.clear();
  robot.Click(ms, 72, 43);  // the second press at once: a double click
  EXPECT_EQ(log, (Log{"OnDblClick", "OnMarkDblClick 72,43 10", "OnMarkClick 72,43 10"}));
  log.clear();
  ClickAt(101, 43);
  EXPECT_EQ(ms->GetSelected(), 11);

  // A release that carries no position selects nothing.
  log.clear();
  ms->Perform(WM_LBUTTONUP, 0, 0xFFFFFFFF);
  ms->Perform(WM_LBUTTONDBLCLK, 0, 0xFFFFFFFF);
  EXPECT_EQ(ms->GetSelected(), 11);
  EXPECT_EQ(log, (Log{"OnDblClick"}));
  ms->Perform(WM_LBUTTONUP, 0, (14 << 16) | 14);
  EXPECT_EQ(ms->GetSelected(), 0);

  log.clear();
  Pause();
  robot.Click(ms, 101, 43, mbRight);
  EXPECT_EQ(ms->GetSelected(), 0);
  EXPECT_TRUE(log.empty());

  // The handler sees the new selection and may change it.
  ms->OnMarkClick = [this](TObject*, int, int, int mark) {
    EXPECT_EQ(ms->GetSelected(), mark);
    ms->SetSelected(-1);
  };
  ClickAt(43, 43);
  EXPECT_EQ(ms->GetSelected(), -1);
}

TEST_F(MarkSelPick, SettersClampAndSymbolZeroStaysVisible) {
  paints = 0;
  ms->SetNrOfColumns(0);
  ms->SetNrOfColumns(52);
  ms->SetNrOfRows(0);
  ms->SetNrOfRows(52);
  ms->SetSelected(52);
  ms->SetSelected(-2);
  ms->SetColorMarks(ms->GetColorMarks());
  EXPECT_EQ(paints, 0);  // ignored and unchanged values do not paint
  EXPECT_EQ(ms->GetNrOfColumns(), 8);
  EXPECT_EQ(ms->GetNrOfRows(), 6);
  EXPECT_EQ(ms->GetSelected(), -1);
  ms->SetNrOfColumns(51);
  ms->SetNrOfRows(51);
  ms->SetSelected(51);
  EXPECT_EQ(paints, 3);
  EXPECT_EQ(ms->GetNrOfColumns(), 51);
  EXPECT_EQ(ms->GetNrOfRows(), 51);
  EXPECT_EQ(ms->GetSelected(), 51);
  ms->SetNrOfColumns(1);
  EXPECT_EQ(ms->GetNrOfColumns(), 1);
  ms->SetSelected(-1);
  EXPECT_EQ(ms->GetSelected(), -1);

  ms->SetVis(0, false);
  EXPECT_TRUE(ms->GetVis(0));
  ms->SetVis(51, false);
  ms->SetVis(52, false);
  EXPECT_FALSE(ms->GetVis(51));
  EXPECT_TRUE(ms->GetVis(60));  // out of range reads symbol 0
  EXPECT_TRUE(ms->GetVis(-1));
  ms->HideAllMarks();
  EXPECT_TRUE(ms->GetVis(0));
  EXPECT_FALSE(ms->GetVis(1));
  ms->ShowAllMarks();
  EXPECT_TRUE(ms->GetVis(1) && ms->GetVis(51));
  EXPECT_EQ(ms->GetFrameStyle(), fsEngraved);
  EXPECT_TRUE(ms->GetShowZeroAsCross());
}

TEST(MarkSelLoose, ASelectorWithoutAParentKeepsItsStateAndDrawsNothing) {
  TMarkSel loose(nullptr);
  int paints = 0;
  loose.OnPaint = [&](TObject*) { ++paints; };
  loose.SetSelected(3);
  loose.HiLite(3);
  loose.ResetLastHiLite();
  loose.SetBounds(0, 0, 0, 0);
  loose.SetNrOfColumns(3);
  EXPECT_EQ(loose.GetSelected(), 3);
  EXPECT_EQ(loose.GetHiLited(), 3);
  EXPECT_EQ(paints, 2);
  EXPECT_EQ(loose.NearestMark(0, 0), 0);
}
