// A dashboard fed by a timer: a meter, a progress bar and a seven-segment
// display follow a value that climbs by 5 every 200 ms.
//   qel-dashboard                   a window (built with the SDL host, qel::sdl)
//   qel-dashboard --screenshot DIR  no window: lets two virtual seconds pass,
//                                   writes DIR/dashboard.png
#include <cstdio>
#include <string>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-dashboard", "A meter, a progress bar and a seven-segment display fed by a timer."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 440, 280);
  form->SetCaption("libqel dashboard");
  //! [meter]
  auto* meter = new TMeter(form);
  meter->SetParent(form);
  meter->SetBounds(8, 8, 240, 200);
  meter->SetMeterMaxValue(100);
  //! [meter]
  //! [bar]
  auto* bar = new TProgBar(form);
  bar->SetParent(form);
  bar->SetBounds(8, 224, 424, 32);
  bar->SetRange(0, 100);
  bar->SetTextVisible(true);
  //! [bar]
  //! [display]
  auto* digits = new TSevenSeg(form);
  digits->SetParent(form);
  digits->SetBounds(264, 60, 168, 64);
  digits->SetNumDigits(3);
  //! [display]

  int value = 0;  // the timer: a window handle that receives WM_TIMER
  HWND timer = AllocateHWnd([&](TMessage& m) {
    if (m.Msg != WM_TIMER) return;
    value = (value + 5) % 105;
    meter->SetValue(value);
    bar->SetValue(value);
    digits->SetCaption(std::to_string(value));
  });
  SetTimer(timer, 1, 200);
  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), DeallocateHWnd(timer), 0;
  Headless().AdvanceTime(2000);  // the virtual clock: ten ticks, at once
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/dashboard.png");
  std::printf("value %d, bar %g, display %s\n", value, bar->GetValue(), digits->GetCaption().c_str());
  DeallocateHWnd(timer);
}
