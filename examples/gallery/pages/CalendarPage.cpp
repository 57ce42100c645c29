// Page "Calendar": mini calendars in the four languages (the English one
// starting on Sunday), each with a label that follows its date and names
// the holiday the hint shows.
#include <string>

#include "../Gallery.h"
#include "pickers/QEL_MiniCal.h"
#include "platform/stdctrls/Label.h"

using namespace qel;

namespace {

struct CalendarSetup {
  TLanguage language;
  TDayOfWeek firstDay;
  const char* title;
};

TMiniCal* AddCalendar(TWinControl* panel, const CalendarSetup& setup, int x, int y) {
  auto* title = new TLabel(panel);
  title->SetParent(panel);
  title->SetBounds(x, y, 300, 16);
  title->SetCaption(setup.title);
  title->GetFont()->SetStyle({fsBold});

  auto* cal = new TMiniCal(panel);
  cal->SetParent(panel);
  cal->SetLeft(x);
  cal->SetTop(y + 20);
  cal->SetLanguage(setup.language);
  cal->SetFirstDayOfWeek(setup.firstDay);

  auto* status = new TLabel(panel);
  status->SetParent(panel);
  status->SetBounds(x, y + 205, 300, 16);
  auto show = [cal, status](TObject*) {
    std::string text = FormatDateTime("yyyy-mm-dd", cal->GetDate());
    if (!cal->GetHint().empty()) text += "  " + cal->GetHint();
    status->SetCaption(text);
  };
  cal->OnChange = show;
  show(cal);
  return cal;
}

gallery::PageRegistration page("Calendar", 30, [](TWinControl* panel) {
  const CalendarSetup setups[] = {
      {lgEnglish, dwSun, "English, weeks from Sunday"},
      {lgGerman, dwMon, "Deutsch"},
      {lgFrench, dwMon, "Fran\u00e7ais"},
      {lgSpanish, dwMon, "Espa\u00f1ol"},
  };
  TMiniCal* cals[4];
  for (int i = 0; i < 4; ++i) cals[i] = AddCalendar(panel, setups[i], 10 + (i % 2) * 330, 10 + (i / 2) * 240);
  // Holidays of the application's own alongside the defaults.
  cals[0]->AddRepeatHoliday(14, 2, "Valentine's Day");
  cals[1]->AddRepeatHoliday(3, 10, "Tag der Deutschen Einheit");
},
                            "Click a day or use the arrow keys; the label under each calendar follows its date");

}  // namespace
