// Labels and fills: a gradient background, a rotated label and a dot-matrix
// label that scrolls its text on a timer.
//   qel-labels                   a window (built with the SDL host, qel::sdl)
//   qel-labels --screenshot DIR  no window: lets one virtual second pass,
//                                writes DIR/labels.png
#include <cstdio>
#include <string>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-labels", "A gradient fill under a rotated label and a scrolling dot-matrix label."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 400, 240);
  form->SetCaption("libqel labels");
  //! [fill]
  auto* fill = new TGradFill(form);  // behind the others: created first
  fill->SetParent(form);
  fill->SetBounds(0, 0, 400, 240);
  fill->SetColorFirst(0xFFE0C0);  // colours are $00BBGGRR: light blue
  fill->SetColorLast(0x804000);
  fill->SetFillType(gtVert);
  //! [fill]
  //! [rotated]
  auto* rotated = new TRotLab(form);
  rotated->SetParent(form);
  rotated->SetBounds(8, 8, 60, 224);
  rotated->SetCaption("Turned 90\xC2\xB0");  // UTF-8: "°"
  rotated->SetTextAngle(90);
  rotated->SetTransparent(true);
  //! [rotated]
  //! [dots]
  auto* dots = new TRasterLab(form);
  dots->SetParent(form);
  dots->SetBounds(80, 80, 300, 60);
  dots->SetDotSize(3);
  dots->SetText("HELLO FROM LIBQEL");
  dots->SetScrollInterval(50);
  dots->SetScrollIncrement(2);
  dots->SetScrollMode(rdsmLeft);
  //! [dots]
  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), 0;
  Headless().AdvanceTime(1000);  // twenty scroll steps on the virtual clock
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/labels.png");
  std::printf("text scrolled to x %d\n", dots->GetPosX());
}
