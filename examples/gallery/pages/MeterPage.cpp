// Page "Meter": analog meters in all six layouts, driven by a timer; the
// value under the mouse is shown above them.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../Gallery.h"
#include "gauges/QEL_Meter.h"
#include "platform/controls/Application.h"
#include "platform/stdctrls/Label.h"

using namespace qel;

namespace {

// Moves every meter's needles along slow waves, ten steps a second; freed
// with the page.
class TMeterDriver : public TComponent {
 public:
  TMeterDriver(TComponent* owner, std::vector<TMeter*> meters) : TComponent(owner), meters_(std::move(meters)) {
    wnd_ = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == WM_TIMER) Step();
    });
    SetTimer(wnd_, 1, 100);
    Step();
  }
  ~TMeterDriver() override { DeallocateHWnd(wnd_); }

 private:
  void Step() {
    double t = ticks_++ * 0.1;
    for (size_t i = 0; i < meters_.size(); ++i) {
      TMeter& m = *meters_[i];
      double wave = 0.5 + 0.45 * std::sin(t * (0.5 + 0.13 * i) + i);
      double lo = m.GetMeterMinValue(), hi = m.GetMeterMaxValue();
      m.SetValue(m.GetLogarithmic() ? lo * std::pow(hi / lo, wave) : lo + (hi - lo) * wave);
      if (m.GetNeedleLayoutSec()->GetVisible()) m.SetValueSec(lo + (hi - lo) * (0.5 + 0.3 * std::sin(t * 0.2)));
    }
  }
  std::vector<TMeter*> meters_;
  HWND wnd_ = 0;
  int ticks_ = 0;
};

TMeter* AddMeter(TWinControl* panel, int index, TMeterLayout layout, const std::string& name) {
  constexpr int w = 264, h = 200, gap = 8, top = 32;
  auto* m = new TMeter(panel);
  m->SetName(name);
  m->SetParent(panel);
  m->SetBounds(gap + (index % 3) * (w + gap), top + (index / 3) * (h + gap), w, h);
  m->SetMeterLayout(layout);
  return m;
}

std::string ValueText(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3g", v);
  return buf;
}

gallery::PageRegistration page("Meter", 20, [](TWinControl* panel) {
  auto* status = new TLabel(panel);
  status->SetParent(panel);
  status->SetBounds(8, 8, 800, 18);
  status->SetCaption("Move the mouse over a meter to read the value under it.");

  TMeter* volts = AddMeter(panel, 0, mlCirc90, "Volts");
  volts->SetCaption("V");
  volts->SetMeterMaxValue(10);

  TMeter* zones = AddMeter(panel, 1, mlCirc120, "Zones");
  zones->SetMeterMaxValue(100);
  zones->SetThresholdHigh(80);
  zones->SetThresholdLow(25);
  zones->SetScaleBkVisible(true);
  zones->SetScaleBkWidth(12);
  zones->SetCaption("%");
  zones->GetNeedleLayoutSec()->SetColorBody(clRed);
  zones->GetNeedleLayoutSec()->SetPercentNeedleLength(70);
  zones->GetNeedleLayoutSec()->SetVisible(true);

  TMeter* pressure = AddMeter(panel, 2, mlCirc180, "Pressure");
  pressure->SetMeterMinValue(-1);
  pressure->SetMeterMaxValue(3);
  pressure->SetMeterNrTicks(4);
  pressure->SetCaption("bar");
  pressure->SetFrameStyle(TFrameStyle(4));

  TMeter* temperature = AddMeter(panel, 3, mlCirc270, "Temperature");
  temperature->SetMeterMinValue(-40);
  temperature->SetMeterMaxValue(120);
  temperature->SetMeterDecPlaces(0);
  temperature->SetMeterNrTicks(8);
  temperature->SetCaption("°C");
  temperature->SetColorBakG(0xE0FFFF);
  temperature->GetNeedleLayout()->SetThickness(5);
  temperature->GetNeedleLayout()->SetShadowDx(3);
  temperature->GetNeedleLayout()->SetShadowDy(3);

  TMeter* frequency = AddMeter(panel, 4, mlCirc300, "Frequency");
  frequency->SetMeterMinValue(10);
  frequency->SetMeterMaxValue(10000);
  frequency->SetLogarithmic(true);
  frequency->SetMeterDecPlaces(0);
  frequency->SetCaption("Hz (log)");

  TMeter* heading = AddMeter(panel, 5, mlCirc360, "Heading");
  heading->SetMeterMaxValue(360);
  heading->SetMeterNrTicks(8);
  heading->SetMeterDecPlaces(0);
  heading->SetMeterShortTicks(false);
  heading->SetCaption("deg");
  heading->SetColorCover(0x505050);
  // North is both ends of the dial: one label for it.
  heading->OnBeforeDrawScaleLabel = [](TObject*, TCanvas*, std::string& text, int, int) {
    if (text == "360") text.clear();
  };

  std::vector<TMeter*> meters{volts, zones, pressure, temperature, frequency, heading};
  for (TMeter* m : meters) {
    m->OnMouseMoveInMeter = [status](TObject* sender, bool within, TShiftState, double v) {
      auto* meter = static_cast<TMeter*>(sender);
      status->SetCaption(meter->GetName() + ": " + (within ? ValueText(v) : "outside the scale"));
    };
  }
  new TMeterDriver(panel, meters);
},
                            "Move the mouse over a dial to read the value under it");

}  // namespace
