// Seven-segment display: the character map read back from the pixels of a
// rendered display, decimal points, captions longer than the display, the
// clamps, and when the glyph strip is (not) rebuilt.
//
// The displays are sized so that each glyph is the master raster scaled by
// exactly 1/4 (78 x 108 pixels): a probe at master point (x, y) of cell j
// reads pixel (j * 84 + 4 + x / 4, 4 + y / 4), the average of a 4 x 4 block
// lying wholly inside a shape or wholly on the ground.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "numeric/QEL_sevenseg.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {
constexpr TColor kText = 0x00C0FF, kBack = 0x402010;

// Master-raster points inside each shape of the artwork: the middle of the
// seven segments, the foot of c (beside the corner where the point goes),
// the point, the upright arm of the plus (its cross arm lies on g), the
// colon dots beside that arm, the ring of the degree sign and its hole.
const std::map<std::string, TPoint> kProbes{
    {"a", {193, 19}},     {"f", {71, 117}},       {"b", {278, 117}},    {"g", {156, 216}},
    {"e", {34, 314}},     {"c", {241, 314}},      {"c foot", {236, 372}}, {"d", {119, 413}},
    {"dot", {288, 413}},  {"plus", {166, 160}},   {"colon1", {128, 292}}, {"colon2", {184, 140}},
    {"ring", {185, 69}},  {"hole", {230, 69}}};

std::set<std::string> Lit(char32_t ch) {
  switch (ch) {
    case U'0': return {"a", "b", "c", "d", "e", "f"};
    case U'1': return {"b", "c"};
    case U'2': return {"a", "b", "g", "e", "d"};
    case U'3': return {"a", "b", "g", "c", "d"};
    case U'4': return {"f", "b", "g", "c"};
    case U'5': return {"a", "f", "g", "c", "d"};
    case U'6': return {"a", "f", "g", "e", "c", "d"};
    case U'7': return {"a", "b", "c"};
    case U'8': return {"a", "b", "c", "d", "e", "f", "g"};
    case U'9': return {"a", "b", "c", "d", "f", "g"};
    case U'-': return {"g"};
    case U'A': case U'a': return {"a", "b", "c", "e", "f", "g"};
    case U'B': case U'b': return {"f", "g", "e", "c", "d"};
    case U'C': case U'c': return {"a", "f", "e", "d"};
    case U'D': case U'd': return {"b", "g", "e", "c", "d"};
    case U'E': case U'e': return {"a", "f", "g", "e", "d"};
    case U'F': case U'f': return {"a", "f", "g", "e"};
    case U'+': return {"plus", "g"};
    case U':': return {"colon1", "colon2"};
    case U'\u00B0': return {"ring"};
    default: return {};
  }
}

struct SevenSeg : ::testing::Test {
  TForm form{nullptr};
  TSevenSeg* seg = new TSevenSeg(&form);
  TTestRobot robot;
  std::unique_ptr<TBitmap> shot;
  SevenSeg() {
    form.SetBounds(0, 0, 2800, 160);
    seg->SetParent(&form);
    seg->SetColorText(kText);
    seg->SetColorBackGnd(kBack);
    form.Show();
  }
  // N cells of 78 x 108 glyphs, 4-pixel margin, 6 pixels between digits.
  void Cells(int N) {
    seg->SetBounds(0, 0, 8 + N * 84, 116);
    seg->SetMargin(4);
    seg->SetInterDigDist(6);
    seg->SetNumDigits(N);
  }
  TColor Probe(int Cell, const std::string& Name) {
    TPoint p = kProbes.at(Name);
    return PixelToColor(shot->ScanLine(4 + p.Y / 4)[Cell * 84 + 4 + p.X / 4]);
  }
  // Cell shows Ch (plus a point when Dot): lit probes in the text colour,
  // every other probe on the ground.
  void ExpectCell(int Cell, char32_t Ch, bool Dot, TColor Text = kText, TColor Back = kBack) {
    std::set<std::string> lit = Lit(Ch);
    if (Dot) lit.insert("dot");
    if (lit.count("c")) lit.insert("c foot");
    for (const auto& [name, p] : kProbes)
      EXPECT_EQ(Probe(Cell, name), lit.count(name) ? Text : Back)
          << "cell " << Cell << " char " << uint32_t(Ch) << " probe " << name;
  }
};
}  // namespace

TEST_F(SevenSeg, CharacterMapReadBackFromPixels) {
  const std::u32string chars = U"0123456789-+:\u00B0ABCDEFabcdefx ?G";
  Cells(int(chars.size()));
  seg->SetCaption("0123456789-+:\xC2\xB0" "ABCDEFabcdefx ?G");
  shot = robot.Capture(seg);
  for (size_t i = 0; i < chars.size(); ++i) ExpectCell(int(i), chars[i], false);
}

TEST_F(SevenSeg, DecimalPointsJoinThePreviousCharacter) {
  Cells(4);
  shot = robot.Capture(seg);  // the initial caption "8.8.8.8."
  for (int i = 0; i < 4; ++i) ExpectCell(i, U'8', true);
  seg->SetCaption("12.5");
  shot = robot.Capture(seg);
  ExpectCell(0, U'1', false);
  ExpectCell(1, U'2', true);
  ExpectCell(2, U'5', false);
  ExpectCell(3, U' ', false);
  seg->SetCaption(".5,,");  // a lone point, a digit with a comma, a lone comma
  shot = robot.Capture(seg);
  ExpectCell(0, U' ', true);
  ExpectCell(1, U'5', true);
  ExpectCell(2, U' ', true);
  ExpectCell(3, U' ', false);
}

TEST_F(SevenSeg, CaptionsLongerThanTheDisplayAreCut) {
  Cells(4);
  seg->SetCaption("12345");
  shot = robot.Capture(seg);
  for (int i = 0; i < 4; ++i) ExpectCell(i, U'1' + i, false);
  Cells(5);
  seg->SetCaption("-1:3\xC2\xB0");
  shot = robot.Capture(seg);
  for (int i = 0; i < 5; ++i) ExpectCell(i, U"-1:3\u00B0"[i], false);
}

TEST_F(SevenSeg, WhiteSegmentsStayVisibleOnAWhiteGround) {
  Cells(2);
  seg->SetCaption("8:");
  seg->SetColorText(clWhite);
  shot = robot.Capture(seg);
  ExpectCell(0, U'8', false, 0xFEFEFE);
  seg->SetColorBackGnd(clWhite);
  shot = robot.Capture(seg);
  ExpectCell(0, U'8', false, 0xFEFEFE, clWhite);
  ExpectCell(1, U':', false, 0xFEFEFE, clWhite);
}

TEST_F(SevenSeg, LimitsOfTheSettings) {
  EXPECT_EQ(seg->GetWidth(), 216);
  EXPECT_EQ(seg->GetHeight(), 76);
  seg->SetNumDigits(0);
  seg->SetNumDigits(33);
  EXPECT_EQ(seg->GetNumDigits(), 4);
  seg->SetNumDigits(32);
  EXPECT_EQ(seg->GetNumDigits(), 32);
  seg->SetMargin(100);
  EXPECT_EQ(seg->GetMargin(), 37);
  seg->SetMargin(-3);
  EXPECT_EQ(seg->GetMargin(), -3);
  seg->SetInterDigDist(256);
  EXPECT_EQ(seg->GetInterDigDist(), 255);
  seg->SetInterDigDist(-7);
  EXPECT_EQ(seg->GetInterDigDist(), -7);
  // Cells without room draw nothing and break nothing.
  seg->SetInterDigDist(255);
  seg->SetMargin(-1000000000);
  shot = robot.Capture(seg);
  EXPECT_EQ(PixelToColor(shot->ScanLine(30)[100]), kBack);
  EXPECT_EQ(PixelToColor(shot->ScanLine(0)[0]), clGray);  // the lowered frame
}

TEST_F(SevenSeg, TheStripIsRebuiltForLookAndSizeButNotForTheCaption) {
  Cells(4);
  shot = robot.Capture(seg);
  int builds = seg->GetCacheBuildCount();
  EXPECT_EQ(builds, 1);  // bounds, margin, distance and digits set up at once
  seg->SetCaption("1234");
  seg->SetCaption("ABCD");
  seg->SetLeft(5);  // a move is no resize
  seg->SetFrameStyle(fsRaised);
  EXPECT_EQ(seg->GetCacheBuildCount(), builds);
  shot = robot.Capture(seg);
  ExpectCell(3, U'D', false);
  bool resized = false;
  seg->OnResize = [&](TObject*) { resized = true; };
  for (auto change : std::initializer_list<std::function<void()>>{
           [&] { seg->SetColorText(0x00FF00); }, [&] { seg->SetColorBackGnd(0); }, [&] { seg->SetMargin(5); },
           [&] { seg->SetInterDigDist(3); }, [&] { seg->SetNumDigits(3); }, [&] { seg->SetWidth(300); },
           [&] { seg->SetHeight(90); }}) {
    change();
    change();  // the same again: still one rebuild, at the paint
    shot = robot.Capture(seg);
    EXPECT_EQ(seg->GetCacheBuildCount(), ++builds);
  }
  EXPECT_TRUE(resized);  // the application's OnResize does not replace the rebuild
  // Assign rebuilds the target's strip for its own size.
  TSevenSeg* copy = new TSevenSeg(&form);
  copy->SetParent(&form);
  copy->SetBounds(0, 0, 8 + 2 * 84, 116);
  copy->SetNumDigits(3);
  int copyBuilds = copy->GetCacheBuildCount();
  Cells(2);
  seg->SetColorText(kText);
  seg->SetColorBackGnd(kBack);
  seg->SetCaption("E.F");
  copy->Assign(seg);
  EXPECT_EQ(copy->GetNumDigits(), 2);
  shot = robot.Capture(copy);
  EXPECT_EQ(copy->GetCacheBuildCount(), copyBuilds + 1);
  ExpectCell(0, U'E', true);
  ExpectCell(1, U'F', false);
}
