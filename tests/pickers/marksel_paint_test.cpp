// TMarkSel pixels: cells, the selection frame, the cross for symbol 0, the
// frame colour, the disabled look, and the hover highlight drawn and undone
// on two cells only. With the default 236 x 178 control cells are 29 pixels:
// symbol n of the first rows has its centre at (14 + 29 (n mod 8), 14 + 29 (n div 8)).
#include <gtest/gtest.h>

#include "MarkSelTestUtil.h"

using namespace qel;
using namespace qel::test;

namespace {
constexpr TColor kFace = 0xC8D0D4;   // clBtnFace as shown
constexpr TColor kNavy = 0x800000, kDisabledSel = 0xDEDEDE;

struct MarkSelPaint : MarkSelFixture, ::testing::Test {
  // Pixels of Color in the rectangle (right and bottom exclusive).
  int Count(TRect r, TColor color) {
    auto shot = robot.Capture(ms);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += PixelToColor(shot->ScanLine(y)[x]) == color;
    return n;
  }
  void Settle() { Application->ProcessMessages(); }
};
}  // namespace

TEST_F(MarkSelPaint, CellsSelectionFrameAndTheCross) {
  ASSERT_EQ(ColorToRGB(clBtnFace), kFace);
  EXPECT_EQ(At(34, 6), kFace);
  // Symbol 1, an open square, is drawn around (45, 16): its centre plus two.
  EXPECT_EQ(At(41, 12), clBlack);
  EXPECT_EQ(At(49, 20), clBlack);
  EXPECT_EQ(At(45, 16), kFace);
  EXPECT_EQ(Count({33, 4, 41, 30}, clBlack), 0);
  EXPECT_EQ(Count({41, 21, 59, 30}, clBlack), 0);

  ms->SetSelected(9);  // cell (32, 32) .. (59, 59), outlined in navy on white
  EXPECT_EQ(At(32, 40), kNavy);
  EXPECT_EQ(At(59, 40), kNavy);
  EXPECT_EQ(At(40, 59), kNavy);
  EXPECT_EQ(At(34, 34), clWhite);
  EXPECT_EQ(At(31, 40), kFace);
  EXPECT_EQ(At(60, 40), kFace);
  EXPECT_EQ(Count({41, 41, 50, 50}, kNavy) > 0, true);  // the selected symbol in the outline colour
  EXPECT_EQ(Count({41, 41, 50, 50}, clBlack), 0);
  ms->SetSelected(-1);
  EXPECT_EQ(At(32, 40), kFace);

  // Symbol 0 as a cross over the first cell: (4, 4)-(30, 30) and (4, 29)-(30, 3).
  EXPECT_EQ(At(10, 10), clBlack);
  EXPECT_EQ(At(5, 28), clBlack);
  EXPECT_EQ(At(29, 4), clBlack);
  ms->SetShowZeroAsCross(false);
  Settle();
  EXPECT_EQ(At(10, 10), kFace);
  // Its own shape: a dot two pixels right of and below the cell's centre.
  EXPECT_EQ(At(16, 16), clBlack);
  EXPECT_EQ(At(16, 15), kFace);
  EXPECT_EQ(At(15, 16), kFace);
}

TEST_F(MarkSelPaint, TheFrameTakesTheSymbolColourAndDisabledIsGrey) {
  ms->SetFrameStyle(fsSimple);
  EXPECT_EQ(At(0, 50), clBlack);
  ms->SetColorMarks(0x00AA00);
  EXPECT_EQ(At(0, 50), 0x00AA00u);
  EXPECT_EQ(At(235, 50), 0x00AA00u);
  EXPECT_EQ(At(10, 10), 0x00AA00u);
  ms->SetSelected(9);

  ms->SetEnabled(false);
  Settle();
  EXPECT_EQ(At(0, 50), clGray);
  EXPECT_EQ(At(34, 6), clSilver);
  EXPECT_EQ(At(10, 10), clGray);
  EXPECT_EQ(At(32, 40), clGray);
  EXPECT_EQ(At(34, 34), kDisabledSel);
  EXPECT_EQ(Count({0, 0, 236, 178}, 0x00AA00), 0);

  // Undoing a highlight keeps the disabled look.
  ms->HiLite(1);
  EXPECT_EQ(At(34, 5), clRed);
  ms->ResetLastHiLite();
  EXPECT_EQ(At(34, 5), clSilver);

  ms->SetEnabled(true);
  Settle();
  EXPECT_EQ(At(34, 6), kFace);
  EXPECT_EQ(At(32, 40), kNavy);
}

TEST_F(MarkSelPaint, HoverHighlightsTheNearestSymbolAndRestoresTheLastOne) {
  paints = 0;
  robot.MoveTo(ms, 43, 14);  // symbol 1: highlight (33, 4) .. (58, 29)
  EXPECT_EQ(ms->GetHiLited(), 1);
  EXPECT_EQ(At(33, 4), clRed);
  EXPECT_EQ(At(58, 29), clRed);
  EXPECT_EQ(At(32, 4), kFace);
  EXPECT_EQ(At(59, 29), kFace);
  EXPECT_GT(Count({41, 12, 50, 21}, clWhite), 0);
  EXPECT_EQ(Count({41, 12, 50, 21}, clBlack), 0);

  robot.MoveTo(ms, 72, 14);  // symbol 2 takes it over
  EXPECT_EQ(At(34, 5), kFace);
  EXPECT_GT(Count({41, 12, 50, 21}, clBlack), 0);
  EXPECT_EQ(At(63, 5), clRed);
  EXPECT_EQ(paints, 0);  // two cells redrawn, no full paint

  // A selected symbol gets its frame back when the highlight leaves it.
  ms->SetSelected(9);
  robot.MoveTo(ms, 43, 43);
  EXPECT_EQ(At(34, 34), clRed);
  robot.MoveTo(ms, 72, 43);
  EXPECT_EQ(At(34, 34), clWhite);
  EXPECT_EQ(At(32, 40), kNavy);
  EXPECT_GT(Count({41, 41, 50, 50}, kNavy), 0);

  ms->SetColorHiLiteBG(0x00FFFF);
  ms->SetColorHiLiteSymbol(0xFF00FF);
  robot.MoveTo(ms, 101, 43);
  EXPECT_EQ(At(92, 34), 0x00FFFFu);
  EXPECT_GT(Count({99, 41, 108, 50}, 0xFF00FF), 0);
}

TEST_F(MarkSelPaint, TheHighlightComesBackAfterAFullPaintAndShowsOnTheFirstMove) {
  robot.MoveTo(ms, 14, 14);  // symbol 0 on the very first move
  EXPECT_EQ(At(5, 8), clRed);
  EXPECT_EQ(At(10, 10), clWhite);  // the cross in the highlight's symbol colour
  ms->SetColorBackGnd(clYellow);  // a full paint wipes the highlight
  EXPECT_EQ(At(5, 8), clYellow);
  robot.MoveTo(ms, 15, 14);
  EXPECT_EQ(At(5, 8), clRed);

  ms->HiLite(60);
  ms->SetVis(5, false);
  ms->HiLite(5);
  EXPECT_EQ(ms->GetHiLited(), 0);  // hidden and unknown symbols are not highlighted
  ms->HiLite(6);  // now in the sixth cell
  EXPECT_EQ(At(150, 5), clRed);
  ms->ResetLastHiLite();
  EXPECT_EQ(At(150, 5), clYellow);
}

TEST_F(MarkSelPaint, AClickSelectsPaintsAndHighlights) {
  int paintsAtEvent = -1;
  ms->OnMarkClick = [&](TObject*, int, int, int) { paintsAtEvent = paints; };
  paints = 0;
  ClickAt(43, 14);
  EXPECT_EQ(ms->GetSelected(), 1);
  EXPECT_GT(paints, paintsAtEvent);  // the full paint follows the event
  EXPECT_EQ(At(34, 5), clRed);      // highlighted over the selection
  EXPECT_EQ(At(32, 10), kNavy);     // the frame shows around the highlight
  robot.MoveTo(ms, 72, 14);
  EXPECT_EQ(At(34, 5), clWhite);
  EXPECT_EQ(At(32, 10), kNavy);
}
