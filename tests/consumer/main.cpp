// A program built against the installed library, as an adopter's would be:
// a meter driven by a numeric field, typed into through the headless host.
// Exits 0 when the meter follows the field and paints its needle, and a
// report list's regular-expression filter (which links the library's private
// dependency, PCRE2) finds its row.
#include <qel/gauges/QEL_Meter.h>  // a unit header alone, by the same root
#include <qel/qel.h>
#include <qel/version.h>

#include <cstdio>

using namespace qel;

int main() {
  std::printf("libqel %s (%d)\n", QEL_VERSION_STRING, QEL_VERSION);
  TForm form(nullptr);
  form.SetBounds(0, 0, 320, 260);
  auto* meter = new TMeter(&form);
  meter->SetParent(&form);
  meter->SetMeterMaxValue(100);
  meter->SetScaleVisible(false);
  meter->GetNeedleLayout()->SetColorOutline(0xFF00FF);
  auto* field = new TNumIO(&form);
  field->SetParent(&form);
  field->SetBounds(10, 220, 100, 24);
  field->SetRangeHigh(100);  // accepts 0 to 100
  field->OnChange = [&](TObject*) { meter->SetValue(field->GetLabValue()); };
  form.Show();

  TTestRobot robot;
  robot.Click(field, 5, 5);
  robot.Type("50");
  // Halfway up the scale the needle stands straight up from the pivot at
  // (148, 191): its outline crosses (148, 120).
  const TColor needle = robot.PixelAt(meter, 148, 120);
  std::printf("meter at %g, needle pixel %06X\n", meter->GetValue(), unsigned(needle));

  auto* list = new TReportListView(&form);
  list->SetNrRows(2);
  list->SetElem(1, 1, "nut M8");
  list->SetElem(1, 2, "bolt M12");
  const int shown = list->FilterAndSort("^bolt M\\d+$", {}, false, fmGrep, -1, true);
  std::printf("regular expression: %d row(s) shown, first %s\n", shown, list->GetElem(1, 1).c_str());
  return meter->GetValue() == 50 && needle == 0xFF00FF && shown == 1 && list->GetElem(1, 1) == "bolt M12" ? 0 : 1;
}
