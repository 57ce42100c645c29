// A meter driven by a numeric field: type a number from 0 to 100.
//   qel-minimal                   a window (built with the SDL host, qel::sdl)
//   qel-minimal --screenshot DIR  no window: types 42, writes DIR/minimal.png
#include <cstdio>
#include <string>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-minimal", "A meter driven by a numeric field: type a number from 0 to 100."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 320, 260);
  form->SetCaption("libqel minimal");
  auto* meter = new TMeter(form);
  meter->SetParent(form);
  meter->SetMeterMaxValue(100);
  meter->SetThresholdHigh(80);  // the lamps: high from 80, low up to 20
  meter->SetThresholdLow(20);
  auto* field = new TNumIO(form);
  field->SetParent(form);
  field->SetBounds(10, 220, 100, 24);
  field->SetRangeHigh(100);  // accepts 0 to 100
  field->OnChange = [=](TObject*) { meter->SetValue(field->GetLabValue()); };
  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), 0;
  TTestRobot robot;  // input through the same path a user's takes
  robot.Click(field, 5, 5);
  robot.Type("42");
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/minimal.png");
  std::printf("meter at %g, limit lamps %s\n", meter->GetValue(),
              meter->GetOverflow() || meter->GetUnderflow() ? "lit" : "off");
}
