// Page "Displays": numeric labels in every display type and in their special
// states, and seven-segment displays of several sizes and colours showing a
// clock, a temperature and a running count, all driven by a timer.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../Gallery.h"
#include "numeric/QEL_NumLab.h"
#include "numeric/QEL_sevenseg.h"
#include "platform/controls/Application.h"
#include "platform/rtl/DateTime.h"

using namespace qel;

namespace {

const char* const kTypeNames[] = {"dtFloat", "dtFixP",  "dtExp",  "dtHex",    "dtZeroInt",
                                  "dtInt",   "dtDateTime", "dtState", "dtBin", "dtOct",
                                  "dtDeg",   "dtDegMin", "dtDegMinSec", "dtEEng", "dtEEngNoDP"};

// Diagonal stripes, for the transparent label to show through.
class TStripes : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    for (int y = 0; y < GetHeight(); ++y)
      for (int x = 0; x < GetWidth(); ++x) c->SetPixels(x, y, ((x + y) / 6) % 2 ? 0x90C8F0 : 0xF0E0B0);
  }
};

TNumLab* AddLabel(TWinControl* panel, int y, const std::string& name, const std::string& unit) {
  auto* lab = new TNumLab(panel);
  lab->SetParent(panel);
  lab->SetBounds(8, y, 380, 24);
  lab->SetLeftSpace(110);
  lab->SetLabelWidth(170);
  lab->SetLeftText(name);
  lab->SetRightText(unit);
  return lab;
}

TSevenSeg* AddDisplay(TWinControl* panel, int x, int y, int w, int h, int digits, TColor text, TColor back,
                      const std::string& title) {
  gallery::AddLabel(panel, x, y - 18, title);
  auto* seg = new TSevenSeg(panel);
  seg->SetParent(panel);
  seg->SetBounds(x, y, w, h);
  seg->SetNumDigits(digits);
  seg->SetColorText(text);
  seg->SetColorBackGnd(back);
  return seg;
}

// Twice a second: the clock (its colon blinking), a slowly drifting
// temperature, a count through negative and positive decimals, a hex
// counter and the date-time label. Freed with the page.
class TDisplayDriver : public TComponent {
 public:
  TDisplayDriver(TComponent* owner, std::vector<TSevenSeg*> displays, TNumLab* now)
      : TComponent(owner), d_(std::move(displays)), now_(now) {
    wnd_ = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == WM_TIMER) Step();
    });
    SetTimer(wnd_, 1, 500);
    Step();
  }
  ~TDisplayDriver() override { DeallocateHWnd(wnd_); }

 private:
  void Step() {
    ++ticks_;
    TDateTime t = Now();
    d_[0]->SetCaption(FormatDateTime(ticks_ % 2 ? "hh:nn" : "hh nn", t));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f\xC2\xB0" "C", 21.5 + 3.0 * std::sin(ticks_ * 0.05));
    d_[1]->SetCaption(buf);
    std::snprintf(buf, sizeof buf, "%9.3f", -12.345 + ticks_ * 0.617);  // 8 cells: the point takes none
    d_[2]->SetCaption(buf);
    std::snprintf(buf, sizeof buf, "%04X", (0x0A3F + ticks_) & 0xFFFF);
    d_[3]->SetCaption(buf);
    now_->SetValue(t);
  }
  std::vector<TSevenSeg*> d_;
  TNumLab* now_;
  HWND wnd_ = 0;
  int ticks_ = 0;
};

void BuildLabels(TWinControl* panel, TNumLab*& now) {
  struct Row {
    double value;
    int precision;
    const char* unit;
  } rows[] = {{1234.5678, 6, "V"},  {-12.3456, 2, "mm"},  {6.02214076e23, 4, "1/mol"}, {48879, 0, "hex"},
              {42, 5, "pcs"},       {2.5e6, 0, "Hz"},     {0, 0, ""},                  {0, 0, ""},
              {173, 0, "bin"},      {511, 0, "oct"},      {47.3769, 3, "N"},           {8.5417, 2, "E"},
              {47.3769, 1, "N"},    {0.0000047, 3, "F"},  {47000, 0, "Ohm"}};
  for (int t = 0; t < 15; ++t) {
    TNumLab* lab = AddLabel(panel, 8 + t * 27, kTypeNames[t], rows[t].unit);
    lab->SetDisplayType(TDisplay(t));
    lab->SetPrecision(rows[t].precision);
    lab->SetValue(rows[t].value);
    if (t == dtDateTime) {
      lab->SetDTFormat("yyyy-mm-dd hh:nn:ss");
      now = lab;
    }
    if (t == dtState) lab->SetStateText("running");
    if (t % 3 == 1) lab->SetAlignment(taRightJustify);
  }
  int y = 8 + 15 * 27 + 10;
  TNumLab* comma = AddLabel(panel, y, "Comma, +", "EUR");
  comma->SetComma(true);
  comma->SetForcePlusSign(true);
  comma->SetValue(1234.567);
  comma->SetFrameStyle(fsEmbossed);
  TNumLab* over = AddLabel(panel, y + 27, "Overflow", "km");
  over->SetLabelWidth(90);
  over->SetValue(123456789012345.0);
  over->SetColorLabBakG(0xD0D0FF);
  TNumLab* empty = AddLabel(panel, y + 54, "Empty", "");
  empty->SetEmpty(true);
  empty->SetFrameStyle(fsSimple);
  TNumLab* off = AddLabel(panel, y + 81, "Disabled", "kg");
  off->SetValue(3.14159);
  off->SetEnabled(false);
  auto* stripes = new TStripes(panel);
  stripes->SetParent(panel);
  stripes->SetBounds(8, y + 108, 380, 24);
  TNumLab* clear = AddLabel(panel, y + 108, "Transparent", "bar");
  clear->SetValue(1.013);
  clear->SetColorLabBakG(clWhite);
  clear->SetColorLabText(clNavy);
  clear->SetLeftTextAlignment(taLeftJustify);
  clear->SetTransparent(true);
}

gallery::PageRegistration page("Displays", 11, [](TWinControl* panel) {
  TNumLab* now = nullptr;
  BuildLabels(panel, now);
  const int x = 410;
  std::vector<TSevenSeg*> displays{
      AddDisplay(panel, x, 26, 300, 100, 5, clRed, 0x333333, "Clock"),
      AddDisplay(panel, x, 156, 280, 84, 5, 0x00A5FF, 0x101010, "Temperature"),
      AddDisplay(panel, x, 270, 400, 80, 8, 0x40FF40, 0x103010, "Negative numbers and decimal points"),
      AddDisplay(panel, x, 380, 110, 34, 4, 0xFFFF80, 0x402000, "Small, hexadecimal"),
  };
  displays[2]->SetFrameStyle(fsEngraved);
  displays[3]->SetMargin(3);
  displays[3]->SetInterDigDist(1);
  TSevenSeg* plain = AddDisplay(panel, x + 140, 380, 260, 34, 11, clWhite, 0x802000, "All signs, white on blue");
  plain->SetCaption("-+:\xC2\xB0" "0.AbCdEF");
  plain->SetMargin(3);
  new TDisplayDriver(panel, displays, now);
},
                            "Watch the clock, temperature and count run; compare the numeric labels' special states");

}  // namespace
