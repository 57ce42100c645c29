// A marker picker: a grid of the marker symbols, the one nearest the mouse
// highlighted; a click picks it and the caption below names it.
//   qel-markers                   a window (built with the SDL host, qel::sdl)
//   qel-markers --screenshot DIR  no window: moves over symbol 13, clicks it,
//                                 writes DIR/markers.png
#include <cstdio>
#include <string>

#include "../ProgramArgs.h"
#include <qel/qel.h>
using namespace qel;

int main(int argc, char** argv) {
  const examples::TProgram program{"qel-markers", "A marker picker: click a symbol to pick it."};
  const examples::TArgs args = examples::StartOrExit(argc, argv, program);
  const bool headless = args.Headless();
  auto* form = new TForm(Application);
  form->SetBounds(100, 100, 300, 280);
  form->SetCaption("libqel markers");
  auto* picked = new TLabel(form);
  picked->SetParent(form);
  picked->SetBounds(8, 248, 284, 20);
  picked->SetCaption("No marker picked");

  //! [picker]
  auto* markers = new TMarkSel(form);
  markers->SetParent(form);
  markers->SetBounds(8, 8, 284, 232);
  markers->SetNrOfColumns(8);  // 8 x 6 cells: every symbol has one
  markers->SetNrOfRows(6);
  markers->SetColorHiLiteBG(clNavy);  // the cell under the mouse
  markers->OnMarkClick = [=](TObject*, int, int, int Mark) {
    picked->SetCaption("Marker " + std::to_string(Mark) + " picked");
  };
  //! [picker]

  Application->CreateForm(form);
  form->Show();
  if (!headless) return Application->Run(), 0;
  TTestRobot robot;  // input through the same path a user's takes
  const TPoint centre = markers->GetMarkCentre(13);
  robot.MoveTo(markers, centre.X + 2, centre.Y - 1);  // near 13, not on its centre
  const int highlighted = markers->GetHiLited();
  robot.Click(markers, centre.X + 2, centre.Y - 1);
  form->FrameBuffer().SaveToFile(args.ScreenshotDir + "/markers.png");
  std::printf("highlighted %d, selected %d, caption \"%s\"\n", highlighted, markers->GetSelected(),
              picked->GetCaption().c_str());
}
