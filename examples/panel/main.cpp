// An instrument panel: a power switch, a set point typed into a numeric field
// or raised by a button that repeats while held, and a read-out of the set
// point that stays blank while the power is off.
//   qel-panel                   a window (built with the SDL host, qel::sdl)
//   qel-panel --screenshot DIR  no window: switches the power on, types 20,
//                               holds "+ 0.5" for 650 virtual ms,
//                               writes DIR/panel.png
#include <cstdio>
#include <string>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-panel",
                                   "An instrument panel: a power switch, a set point field, a repeating button and a read-out."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 360, 200);
  form->SetCaption("libqel panel");

  //! [switch]
  auto* power = new TOnOffBut(form);
  power->SetParent(form);
  power->SetBounds(8, 8, 160, 48);
  power->SetButtonStyle(oobsLedRedGreen);
  power->SetLeftText("Power");
  power->SetOnOff(false);
  //! [switch]

  //! [field]
  auto* setPoint = new TNumIO2(form);
  setPoint->SetParent(form);
  setPoint->SetBounds(8, 72, 250, 40);
  setPoint->SetLeftText("Set point");
  setPoint->SetRightText("\xC2\xB0""C");  // UTF-8: "°"
  setPoint->SetLeftSpace(75);
  setPoint->SetInputFormat(itFloat);
  setPoint->SetFixPointDecPlaces(1);  // written with one decimal
  setPoint->SetRangeLow(5);  // outside 5..30 the text turns the warning colours
  setPoint->SetRangeHigh(30);
  setPoint->SetButVisible(true);  // spin buttons, a step of 0.5
  setPoint->SetButIncrem(0.5);
  setPoint->SetValue(18);
  //! [field]

  //! [readout]
  auto* readout = new TNumLab(form);
  readout->SetParent(form);
  readout->SetBounds(8, 128, 250, 28);
  readout->SetLeftSpace(75);
  readout->SetLabelWidth(100);
  readout->SetLeftText("Heating to");
  readout->SetRightText("\xC2\xB0""C");
  readout->SetDisplayType(dtFixP);
  readout->SetPrecision(1);
  //! [readout]

  // One place decides what the read-out shows: blank while the power is off.
  auto show = [=](TObject*) {
    readout->SetEmpty(!power->GetOnOff());
    readout->SetValue(setPoint->GetValue());
  };
  power->OnClick = show;
  setPoint->OnChange = show;
  show(nullptr);

  //! [repeat]
  auto* raise = new TRepSpeedButton(form);
  raise->SetParent(form);
  raise->SetBounds(270, 72, 60, 28);
  raise->SetCaption("+ 0.5");
  raise->SetStartClickInterval(400);   // the first repeat 400 ms after the press,
  raise->SetRepeatClickInterval(100);  // then one every 100 ms while held
  auto up = [=](TObject* sender) {
    setPoint->SetValue(setPoint->GetValue() + 0.5);
    show(sender);
  };
  raise->OnClick = up;  // a plain click steps once
  raise->SetOnRepeatClick(up);
  //! [repeat]

  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), 0;
  TTestRobot robot;  // input through the same path a user's takes
  robot.Click(power, power->GetLeftSpace() + 5, power->GetTopSpace() + 5);
  robot.Click(setPoint, 100, 20);  // into the box; then clear "18.0" and type
  robot.Key(VK_END);
  for (int i = 0; i < 4; ++i) robot.Key(VK_BACK);
  robot.Type("20");
  robot.Press(raise, 10, 10);
  Headless().AdvanceTime(650);  // repeats at 400, 500 and 600 ms; the release clicks
  robot.Release(raise, 10, 10);
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/panel.png");
  std::printf("power %s, set point %g, read-out %g\n", power->GetOnOff() ? "on" : "off", setPoint->GetValue(),
              readout->GetEmpty() ? -1.0 : readout->GetValue());
}
