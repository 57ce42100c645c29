// Page "Bars and buttons": progress bars in both directions with each
// gradient mapping, a grid, a background image and rotated value texts, one
// advancing by itself; every on/off button style, enabled and disabled; a
// radio group, a momentary button, and repeating buttons that count a
// number up and down while held.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "../Gallery.h"
#include "gauges/QEL_ProgBar.h"
#include "gauges/QEL_onoffbut.h"
#include "gauges/QEL_repsbut.h"

using namespace qel;

namespace {

const char* const kStyleNames[] = {
    "User",       "Checkbox",  "RadioBut",   "SlideTB",     "SlideLR",     "ColSlideTB", "ColSlideLR", "LedRedGreen",
    "ArrowTopRgt", "ArrowUpDown", "ArrowLeftRight", "TrafficLPed", "BeveledLed", "SmileyYellow", "SmileyRedGrn", "Bulb",
    "ButLamp",    "HDLeft",    "HDRight",    "User1",       "User2",       "User3",      "User4",      "User5"};

TProgBar* AddBar(TWinControl* panel, int x, int y, int w, int h, const std::string& title) {
  if (!title.empty()) gallery::AddLabel(panel, x, y - 16, title);
  auto* bar = new TProgBar(panel);
  bar->SetParent(panel);
  bar->SetBounds(x, y, w, h);
  return bar;
}

// Soft blue waves for the bar with a background image, written to a
// temporary file that the bar reads and that is gone again afterwards.
void GiveBackground(TProgBar* bar) {
  TBitmap img(64, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 64; ++x) {
      int wave = ((x + 2 * y) / 8) % 2 ? 24 : 0;
      img.ScanLine(y)[x] = ColorToPixel(RGB(205 + wave, 225 + wave / 2, 250));
    }
  std::string file = (std::filesystem::temp_directory_path() / "qel-gallery-bar-background.png").string();
  img.SaveToFile(file);
  bar->SetBackGroundImg(file);
  std::error_code ec;
  std::filesystem::remove(file, ec);
}

void BuildBars(TWinControl* panel) {
  AddBar(panel, 8, 24, 300, 28, "Plain: 10 of 0..100, text centred at (14, 14)");

  TProgBar* stretch = AddBar(panel, 8, 74, 300, 28, "Stretched gradient, grid every 10 pixels");
  stretch->SetShowColorGradient(true);
  stretch->SetGridDist(10);
  stretch->SetColorGrid(0x404040);
  stretch->SetValue(65);
  stretch->SetTextPosX(150);
  stretch->OnShowValue = [](TObject*, std::string& text) { text += " %"; };

  TProgBar* cover = AddBar(panel, 8, 124, 300, 28, "Covering gradient, growing leftwards");
  cover->SetShowColorGradient(true);
  cover->SetColorMapMode(cgmCover);
  cover->SetDirection(dirLeft);
  cover->SetColorMin(0x00C000);
  cover->SetColorMax(0x0000E0);
  cover->SetValue(72.5);
  cover->SetTextDecPlaces(1);
  cover->SetTextPosX(286);
  cover->SetTextAlignment(taRightJustify);

  TProgBar* move = AddBar(panel, 330, 24, 300, 28, "Moving gradient, scientific text at the left");
  move->SetShowColorGradient(true);
  move->SetColorMapMode(cgmMove);
  move->SetColorMin(0xF0F0F0);
  move->SetColorMax(0xA00000);
  move->SetValue(48.25);
  move->SetTextDecPlaces(-1);
  move->SetTextAlignment(taLeftJustify);
  move->SetTextPosX(10);
  move->SetFrameStyleOuter(fsEmbossed);

  TProgBar* image = AddBar(panel, 330, 74, 300, 28, "Background image, bar over it");
  GiveBackground(image);
  image->SetColorMin(0xC07030);
  image->SetValue(30);
  image->SetTextPosX(200);
  image->SetFrameStyleInner(fsSimple);

  TProgBar* live = AddBar(panel, 330, 124, 300, 28, "Advancing by itself (AutoInc)");
  live->SetShowColorGradient(true);
  live->SetColorMin(0x40C0FF);
  live->SetColorMax(0x0040C0);
  live->SetValue(0);
  live->SetTextPosX(150);
  live->SetStartInterval(400);
  live->SetRepeatInterval(60);
  live->SetOnAutoInc([live](TObject*) {
    if (live->GetValue() > live->GetMax()) live->SetValue(live->GetMin());
  });
  live->SetAutoInc(true);

  // Upright bars with text turned a quarter.
  struct Upright {
    TDirection dir;
    TColorMapping mode;
    double value;
  };
  const Upright uprights[] = {{dirUp, cgmStretch, 70}, {dirUp, cgmCover, 55}, {dirDown, cgmMove, 40}};
  gallery::AddLabel(panel, 660, 8, "Upright, turned text");
  for (int i = 0; i < 3; ++i) {
    TProgBar* bar = AddBar(panel, 660 + i * 52, 24, 40, 150, "");
    bar->SetDirection(uprights[i].dir);
    bar->SetShowColorGradient(true);
    bar->SetColorMapMode(uprights[i].mode);
    bar->SetValue(uprights[i].value);
    bar->SetGridDist(i == 0 ? 8 : 0);
    bar->SetTextAngle(90);
    bar->SetTextPosX(20);
    bar->SetTextPosY(75);
  }
}

// Every style in a grid of 8 columns: its name, the enabled button (on;
// click it) and below it the disabled one (off).
void BuildStyles(TWinControl* panel, int top) {
  for (int s = 0; s <= oobsUser5; ++s) {
    const int x = 8 + (s % 8) * 102, y = top + (s / 8) * 124;
    gallery::AddLabel(panel, x + 2, y, kStyleNames[s]);
    for (int disabled = 0; disabled < 2; ++disabled) {
      auto* b = new TOnOffBut(panel);
      b->SetParent(panel);
      b->SetBounds(x, y + 16 + disabled * 52, 98, 52);
      b->SetButtonStyle(TOnOffButStyle(s));
      b->SetOnOff(!disabled);
      b->SetFrameStyle(disabled ? fsNone : fsLowered);
      b->SetEnabled(!disabled);
    }
  }
}

void BuildControls(TWinControl* panel, int top) {
  gallery::AddLabel(panel, 8, top, "Radio group (one always on):");
  TLabel* choice = gallery::AddLabel(panel, 8, top + 62, "Speed: Medium");
  const char* const speeds[] = {"Slow", "Medium", "Fast"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new TOnOffBut(panel);
    b->SetParent(panel);
    b->SetBounds(8 + i * 80, top + 18, 78, 40);
    b->SetButtonStyle(oobsRadioBut);
    b->SetAutoCenter(false);
    b->SetLeftSpace(6);
    b->SetTopSpace(12);
    b->SetRightText(speeds[i]);
    b->SetFrameStyle(fsNone);
    b->SetOnOff(i == 1);
    b->SetGroupIndex(1);
    b->SetAllowAllOff(false);
    b->SetMouseAction(oomaPlain);
    b->OnClick = [choice, i, speeds](TObject*) { choice->SetCaption(std::string("Speed: ") + speeds[i]); };
  }

  gallery::AddLabel(panel, 270, top, "Momentary (lit while held):");
  auto* lamp = new TOnOffBut(panel);
  lamp->SetParent(panel);
  lamp->SetBounds(270, top + 18, 180, 40);
  lamp->SetButtonStyle(oobsButLamp);
  lamp->SetMode(oobmSpeedBut);
  lamp->SetAutoCenter(false);
  lamp->SetLeftSpace(6);
  lamp->SetTopSpace(7);
  lamp->SetRightText("Hold me");
  lamp->SetFrameStyle(fsNone);
  TLabel* pushes = gallery::AddLabel(panel, 270, top + 62, "Released 0 times");
  lamp->OnClick = [pushes, n = 0](TObject*) mutable { pushes->SetCaption("Released " + std::to_string(++n) + " times"); };

  gallery::AddLabel(panel, 480, top, "Repeating buttons (hold them):");
  TLabel* count = gallery::AddLabel(panel, 540, top + 24, "0");
  auto value = std::make_shared<int>(0);
  for (int sign : {-1, 1}) {
    auto* b = new TRepSpeedButton(panel);
    b->SetParent(panel);
    b->SetBounds(sign < 0 ? 480 : 600, top + 18, 48, 26);
    b->SetCaption(sign < 0 ? "- 1" : "+ 1");
    auto step = [count, value, sign](TObject*) {
      *value += sign;
      count->SetCaption(std::to_string(*value));
    };
    b->OnClick = step;
    b->SetOnRepeatClick(step);
  }
  TLabel* hint = gallery::AddLabel(panel, 480, top + 50, "first repeat after 500 ms, then every 200 ms");
  hint->SetEnabled(false);
}

gallery::PageRegistration page("Bars and buttons", 21, [](TWinControl* panel) {
  BuildBars(panel);
  BuildStyles(panel, 184);  // all three parts fit the gallery's default window
  BuildControls(panel, 562);
},
                            "Hold the repeat buttons to count up and down; click the on/off buttons of each style");

}  // namespace
