// A month calendar and a colour picker: the picked colour marks the
// selected day, and the caption shows the date. Arrow keys move the day.
//   qel-calendar                   a window (built with the SDL host, qel::sdl)
//   qel-calendar --screenshot DIR  no window: picks a colour and moves a week
//                                  on, writes DIR/calendar.png
#include <cstdio>
#include <string>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-calendar", "A month calendar and a colour picker."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 360, 260);
  form->SetCaption("libqel calendar");
  //! [calendar]
  auto* calendar = new TMiniCal(form);
  calendar->SetParent(form);
  calendar->SetBounds(8, 40, 344, 212);
  calendar->SetIndicateHolidays(true);
  calendar->SetDate(EncodeDate(2024, 5, 15));
  //! [calendar]
  //! [colour]
  auto* colour = new TColSel(form);  // a drop-down list of named colours
  colour->SetParent(form);
  colour->SetBounds(8, 8, 160, 24);
  colour->SetNumColors(16);  // lists the first 16 colours of the palette
  colour->OnChange = [=](TObject*) { calendar->SetColorSelectedBg(colour->GetSelColor()); };
  //! [colour]
  calendar->OnChange = [=](TObject*) { form->SetCaption(FormatDateTime("yyyy-mm-dd", calendar->GetDate())); };
  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), 0;
  TTestRobot robot;  // input through the same path a user's takes
  colour->SetFocus();
  robot.Key(VK_DOWN);  // the next colour of the list
  calendar->SetFocus();
  robot.Key(VK_DOWN);  // a week on
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/calendar.png");
  std::printf("%s, colour %s\n", FormatDateTime("yyyy-mm-dd", calendar->GetDate()).c_str(),
              colour->GetSelColorID().c_str());
}
