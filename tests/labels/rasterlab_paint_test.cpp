// Dot-matrix label painting: lit and unlit dots read back from the screen,
// the grid, character blocks, the frames, auto centre and Assign.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "labels/QEL_RasterLab.h"
#include "labels/detail/RasterFont.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr TColor kOff = 0x404040;

// A default 400 x 68 label at the form's top left, without a frame.
struct ShownLab {
  TForm form{nullptr};
  TRasterLab* lab;
  TTestRobot robot;
  std::unique_ptr<TBitmap> shot;
  ShownLab() {
    form.SetBounds(0, 0, 460, 120);
    lab = new TRasterLab(&form);
    lab->SetParent(&form);
    lab->SetFrameStyle(fsNone);
    form.Show();
  }
  void Snap() {
    Application->ProcessMessages();
    shot = robot.Capture(lab);
  }
  TColor At(int x, int y) const { return PixelToColor(shot->ScanLine(y)[x]); }
  // The centre of the dot square in column c and row r of a character
  // whose first column is drawn at x0 (pitch 4, text at PosY 1).
  TColor DotAt(int x0, int c, int r) const { return At(x0 + c * 4 + 1, 1 + r * 4 + 1); }
};
}  // namespace

TEST(RasterLabPaint, DotsOfAAndZeroReadBackFromThePixels) {
  ShownLab s;
  s.lab->SetText("A0");
  s.Snap();
  const TRDCharMatrix& m = rasterfont::Builtin();
  for (int r = 0; r < 12; ++r)
    for (int c = 0; c < 7; ++c) {
      bool lit = (m.Rows['A'][r] >> c) & 1u;
      EXPECT_EQ(s.DotAt(1, c, r), lit ? clLime : kOff) << "A " << r << "," << c;
    }
  // "0" starts one blank column after "A": at 1 + 8 * 4, its column 1 first.
  for (int r = 0; r < 12; ++r)
    for (int c = 1; c <= 5; ++c) {
      bool lit = (m.Rows['0'][r] >> c) & 1u;
      EXPECT_EQ(s.DotAt(33, c - 1, r), lit ? clLime : kOff) << "0 " << r << "," << c;
    }
  // Each dot is a 3 x 3 square; the grid lines between are the background.
  EXPECT_EQ(s.At(13, 1), kOff);  // row 0 of "A" is empty, row 1 has column 3
  EXPECT_EQ(s.At(13, 5), clLime);
  EXPECT_EQ(s.At(15, 7), clLime);
  EXPECT_EQ(s.At(16, 6), clBlack);  // vertical line at x = 16
  EXPECT_EQ(s.At(14, 8), clBlack);  // horizontal line at y = 8
  EXPECT_EQ(s.At(0, 30), clBlack);  // left of the first dot column
}

TEST(RasterLabPaint, BlockModesSeparateCharactersOrNot) {
  ShownLab s;
  s.lab->SetText("A0");
  s.Snap();
  // rdbmOn: the dot column between "A" and "0" (x 29..31) is background
  // from top to bottom, also below the text.
  EXPECT_EQ(s.At(30, 10), clBlack);
  EXPECT_EQ(s.At(29, 66), clBlack);
  EXPECT_EQ(s.At(31, 2), clBlack);
  EXPECT_EQ(s.At(26, 10), kOff);  // the last column of "A" has unlit dots
  // ... and after the last character.
  EXPECT_EQ(s.At(54, 10), clBlack);
  EXPECT_EQ(s.At(30 + 8 * 4, 10), kOff);

  s.lab->SetCharBlockMode(rdbmRaster);
  s.Snap();
  EXPECT_EQ(s.At(30, 10), kOff);
  EXPECT_EQ(s.At(29, 66), kOff);
  EXPECT_EQ(s.At(32, 10), clBlack);  // the grid stays

  s.lab->SetCharBlockMode(rdbmOff);  // no grid: unlit dots are not seen
  s.Snap();
  EXPECT_EQ(s.At(30, 10), clBlack);
  EXPECT_EQ(s.DotAt(1, 0, 1), clBlack);
  EXPECT_EQ(s.DotAt(1, 3, 1), clLime);
  EXPECT_EQ(s.At(16, 6), clBlack);

  // Fixed width: every character takes the widest one's columns.
  s.lab->SetCharBlockMode(rdbmOn);
  s.lab->SetText(".A");
  s.lab->SetProportional(false);
  s.Snap();
  EXPECT_EQ(s.DotAt(1, 3, 9), clLime);        // "." in column 3 of its cell
  EXPECT_EQ(s.DotAt(33, 0, 9), clLime);       // "A" one cell and a column on
  s.lab->SetProportional(true);
  s.Snap();
  EXPECT_EQ(s.DotAt(1, 0, 9), clLime);        // "." alone in its column
  EXPECT_EQ(s.DotAt(9, 0, 9), clLime);        // "A" two columns on
}

TEST(RasterLabPaint, SpacingAndDotSizeShapeTheGrid) {
  ShownLab s;
  s.lab->SetText("A");
  s.lab->SetDotSpacing(0);  // no lines at all: lit dots touch
  s.Snap();
  EXPECT_EQ(s.At(10, 6), clLime);  // rows 1 and 2 of column 3: x 10..12, y 4..9
  EXPECT_EQ(s.At(10, 3), kOff);
  s.lab->SetDotSpacing(2);
  s.lab->SetDotSize(1);  // single pixels at a pitch of 3
  s.Snap();
  EXPECT_EQ(s.At(1 + 3 * 3, 1 + 1 * 3), clLime);
  EXPECT_EQ(s.At(1 + 3 * 3 + 1, 1 + 1 * 3), clBlack);
  EXPECT_EQ(s.At(1 + 3 * 3 - 1, 1 + 1 * 3), clBlack);
  EXPECT_EQ(s.At(1 + 2 * 3, 1 + 1 * 3), kOff);
}

TEST(RasterLabPaint, FramesInTheSchemeColours) {
  ShownLab s;
  const TColor grey = 0x808080;
  s.lab->SetFrameStyle(fsLowered);
  s.Snap();
  EXPECT_EQ(s.At(1, 30), clBlack);   // inner dark edge, top and left
  EXPECT_EQ(s.At(200, 1), clBlack);
  EXPECT_EQ(s.At(1, 65), clBlack);   // from H - 3
  EXPECT_EQ(s.At(1, 66), grey);
  EXPECT_EQ(s.At(0, 30), grey);      // outline (0, 0)-(W - 2, H - 2)
  EXPECT_EQ(s.At(398, 30), grey);
  EXPECT_EQ(s.At(200, 66), grey);
  EXPECT_EQ(s.At(200, 67), clWhite);  // light edge along the bottom and right
  EXPECT_EQ(s.At(399, 30), clWhite);
  EXPECT_EQ(s.At(2, 67), clWhite);
  EXPECT_NE(s.At(1, 67), clWhite);

  s.lab->SetFrameStyle(fsRaised);
  s.Snap();
  EXPECT_EQ(s.At(1, 30), clWhite);
  EXPECT_EQ(s.At(200, 67), clBlack);
  EXPECT_EQ(s.At(0, 67), clBlack);
  EXPECT_EQ(s.At(0, 30), grey);

  s.lab->SetFrameStyle(fsSimple);
  s.Snap();
  EXPECT_EQ(s.At(399, 30), grey);
  EXPECT_EQ(s.At(200, 67), grey);

  s.lab->SetFrameStyle(fsEmbossed);
  s.Snap();
  EXPECT_EQ(s.At(0, 30), clWhite);
  EXPECT_EQ(s.At(1, 30), grey);
  EXPECT_EQ(s.At(398, 30), clWhite);
  EXPECT_EQ(s.At(399, 30), grey);

  s.lab->SetFrameStyle(fsEngraved);
  s.lab->SetColorScheme(TColorScheme(1));
  s.Snap();
  EXPECT_EQ(s.At(0, 30), ColorToRGB(clBtnShadow));
  EXPECT_EQ(s.At(1, 30), ColorToRGB(clBtnHighlight));
}

TEST(RasterLabPaint, AutoCenterFollowsTextDotsAndFrame) {
  ShownLab s;
  s.lab->SetAutoCenter(true);
  EXPECT_EQ(s.lab->CalcTextBitLength("Text"), 4 * 6 * 4);  // four characters of five columns
  EXPECT_EQ(s.lab->GetPosX(), (400 - 96) / 2 + 0 + 1);
  s.lab->SetText("A");
  EXPECT_EQ(s.lab->GetPosX(), (400 - 32) / 2 + 1);
  s.Snap();
  EXPECT_EQ(s.DotAt(185, 3, 1), clLime);
  s.lab->SetDotSize(5);
  EXPECT_EQ(s.lab->GetPosX(), (400 - 48) / 2 + 1);
  s.lab->SetFrameStyle(fsEmbossed);
  s.lab->SetText("AA");
  EXPECT_EQ(s.lab->GetPosX(), (400 - 96) / 2 + 2 + 1);
  s.lab->SetText(std::string(20, 'A'));  // longer than the label: negative halves truncate
  EXPECT_EQ(s.lab->GetPosX(), (400 - 960) / 2 + 3);
  s.lab->SetAutoCenter(false);
  EXPECT_EQ(s.lab->GetPosX(), 1);
  s.lab->SetText("A");
  EXPECT_EQ(s.lab->GetPosX(), 1);
}

TEST(RasterLabPaint, PaintStringOnAnyCanvas) {
  TBitmap bmp(100, 40);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(Rect(0, 0, 100, 40));
  int length = 0;
  TRasterLab::PaintString(bmp.Canvas(), rasterfont::Builtin(), 10, 5, "é", 2, 0, clRed, clGray, clBlue, rdbmOn,
                          true, length);
  EXPECT_EQ(length, 2 * (1 + 5) + 1);
  // The band before the character, over the canvas's full height.
  EXPECT_EQ(PixelToColor(bmp.ScanLine(0)[8]), clBlue);
  EXPECT_EQ(PixelToColor(bmp.ScanLine(39)[8]), clBlue);
  EXPECT_EQ(PixelToColor(bmp.ScanLine(20)[9]), clWhite);  // ends one pixel short
  EXPECT_EQ(PixelToColor(bmp.ScanLine(20)[20]), clBlue);  // the band after
  // é: the acute's upper dot is column 4 of row 1; the glyph starts at column 1.
  EXPECT_EQ(PixelToColor(bmp.ScanLine(5 + 2)[10 + 3 * 2]), clRed);
  EXPECT_EQ(PixelToColor(bmp.ScanLine(5 + 2)[10 + 2 * 2]), clWhite);
}

TEST(RasterLabPaint, AssignCopiesTheLookButNotTheUnlitColour) {
  TRasterLab a(nullptr), b(nullptr);
  a.SetText("copied");
  a.SetFrameStyle(fsEngraved);
  a.SetColorLabBakG(clNavy);
  a.SetColorDotOn(clYellow);
  a.SetColorDotOff(clMaroon);
  a.SetColorScheme(TColorScheme(1));
  a.SetDotSize(7);
  b.Assign(&a);
  EXPECT_EQ(b.GetText(), "copied");
  EXPECT_EQ(b.GetFrameStyle(), fsEngraved);
  EXPECT_EQ(b.GetColorLabBakG(), clNavy);
  EXPECT_EQ(b.GetColorDotOn(), clYellow);
  EXPECT_EQ(b.GetColorScheme(), TColorScheme(1));
  EXPECT_EQ(b.GetColorDotOff(), TColor(0x404040));
  EXPECT_EQ(b.GetDotSize(), 3);
  TFont font;
  EXPECT_THROW(b.Assign(&font), EConvertError);  // other sources: the platform's Assign
  EXPECT_EQ(b.GetText(), "copied");
}
