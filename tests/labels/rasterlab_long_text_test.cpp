// Dot-matrix label with a long text: a paint starts at the first character
// the label shows and stops after the last, and the picture, the text's
// length and the scroll wrap are what the whole text gives (the same text
// cut just left of the label, and PaintString walking it to its end).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "labels/QEL_RasterLab.h"
#include "platform/controls/Application.h"
#include "platform/hosts/headless/Robot.h"

using namespace qel;

namespace {

// About 70000 characters without blanks (every one shows dots), some of them
// two and three bytes long.
std::string LongText() {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "Z\u00fcrichHB" + std::to_string(i) + "\u2022Gleis7/";
  return text;
}

// The byte where character K starts.
size_t ByteOfChar(const std::string& Text, size_t K) {
  size_t i = 0;
  for (size_t n = 0; n < K && i < Text.size(); ++n) {
    ++i;
    while (i < Text.size() && (uint8_t(Text[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

struct TwoLabels {
  TForm form{nullptr};
  TRasterLab* whole;  // the long text, scrolled far in
  TRasterLab* cut;    // the same text from a character left of the window
  TTestRobot robot;
  TwoLabels() {
    form.SetBounds(0, 0, 460, 200);
    whole = Make(0);
    cut = Make(80);
    form.Show();
  }
  TRasterLab* Make(int Top) {
    auto* lab = new TRasterLab(&form);
    lab->SetParent(&form);
    lab->SetBounds(0, Top, 400, 68);
    lab->SetFrameStyle(fsNone);
    return lab;
  }
  std::vector<uint32_t> Pixels(TRasterLab* Lab) {
    Application->ProcessMessages();
    return PixelsOf(*robot.Capture(Lab));
  }
  static std::vector<uint32_t> PixelsOf(TBitmap& B) {
    std::vector<uint32_t> all;
    for (int y = 0; y < B.GetHeight(); ++y) all.insert(all.end(), B.ScanLine(y), B.ScanLine(y) + B.GetWidth());
    return all;
  }
  // What the cut label shows without a dot grid: its text drawn to the end.
  std::vector<uint32_t> WholeWalk() {
    TBitmap b(400, 68);
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->FillRect({0, 0, 400, 68});
    int length = 0;
    TRasterLab::PaintString(b.Canvas(), cut->GetCharMatrix(), cut->GetPosX(), cut->GetPosY(), cut->GetText(), 3, 1,
                            clLime, 0x404040, clBlack, rdbmOff, cut->GetProportional(), length);
    return PixelsOf(b);
  }
};

}  // namespace

TEST(RasterLabLongText, ShowsTheCharactersInViewAsTheWholeTextWould) {
  const std::string text = LongText();
  TwoLabels t;
  for (TRDBlockMode mode : {rdbmOn, rdbmRaster, rdbmOff})
    for (bool proportional : {true, false})
      // Characters on both sides of the ruler's marks (every 64th), and the
      // end of the text coming into view.
      for (size_t k : {1u, 63u, 64u, 65u, 1000u, 40000u, 69990u}) {
        SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " proportional " << proportional << " k " << k);
        for (TRasterLab* lab : {t.whole, t.cut}) {
          lab->SetCharBlockMode(mode);
          lab->SetProportional(proportional);
        }
        t.whole->SetText(text);
        const std::string before = text.substr(0, ByteOfChar(text, k - 1));
        // Character k starts 3 pixels left of the label: its right part shows.
        const int x = -t.whole->CalcTextBitLength(before + text.substr(before.size(), ByteOfChar(text, k) - before.size())) - 3;
        t.whole->SetPosX(x);
        t.cut->SetText(text.substr(before.size()));
        t.cut->SetPosX(x + t.whole->CalcTextBitLength(before));
        EXPECT_EQ(t.Pixels(t.whole), t.Pixels(t.cut));
        if (mode == rdbmOff) EXPECT_EQ(t.Pixels(t.cut), t.WholeWalk());
      }
}

// The wrap comes when the text has left completely: its painted length is the
// whole text's plus one, however little of it the label showed.
TEST(RasterLabLongText, ScrollWrapsAfterTheWholeTextsLength) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 460, 120);
  auto* lab = new TRasterLab(&form);
  lab->SetParent(&form);
  lab->SetText(LongText());
  form.Show();
  int restarts = 0;
  lab->OnScrollLoopRestart = [&](TObject*) { ++restarts; };
  const int length = lab->CalcTextBitLength(lab->GetText()) + 1;
  lab->SetScrollIncrement(length);
  lab->SetScrollMode(rdsmLeft);
  lab->DoTimer();
  EXPECT_EQ(lab->GetScrollOffsetX(), -length);
  EXPECT_EQ(restarts, 0);
  lab->SetScrollIncrement(1);
  lab->DoTimer();
  EXPECT_EQ(lab->GetScrollOffsetX(), lab->GetWidth());
  EXPECT_EQ(restarts, 1);
  // A new text is measured again: "AB" wraps once 57 pixels past the left edge.
  lab->SetText("AB");
  lab->SetScrollIncrement(lab->GetWidth() + 57);
  lab->DoTimer();
  EXPECT_EQ(lab->GetScrollOffsetX(), -57);
  lab->SetScrollIncrement(1);
  lab->DoTimer();
  EXPECT_EQ(lab->GetScrollOffsetX(), lab->GetWidth());
  EXPECT_EQ(restarts, 2);
}
